#pragma once

#include "Bitmap.h"
#include "Filters.h"

namespace nowplaying {

// Scales source into destination, whose size the caller has set, with a separable filter:
// first along rows into an intermediate of the destination's width and the source's height,
// then along columns. Every destination pixel is overwritten. Sums are 32-bit floats added in
// list order, then clamped to 0..255 and rounded half to even.
// Throws std::invalid_argument("Source bitmap too small") for a source side below 1, before
// touching the destination.
void ResampleBitmap(const Bitmap& source, Bitmap& destination, FilterFunction filter,
                    float support);

}  // namespace nowplaying
