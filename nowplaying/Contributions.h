#pragma once

#include <cstdint>
#include <vector>

#include "Filters.h"

namespace nowplaying {

struct Contribution {
    std::int32_t pixel;  // source index along the axis, always inside the source
    float weight;
};

// The weights of one destination column or row, in the order they are summed.
using ContributionList = std::vector<Contribution>;

// The scale factor of one axis: (D - 1) / (S - 1), so that the first and last pixels of both
// sides coincide; D / S when either side is a single pixel (a source of 1 has no span, and a
// destination of 1 would give a scale of 0).
float AxisScale(int sourceSize, int destinationSize);

// One list per destination index. Weights are neither normalised nor reordered, and a weight of
// exactly 0 is left out. Indices are reflected once at the edges and then clamped, so a side
// smaller than the filter's reach still never indexes outside the source.
std::vector<ContributionList> MakeContributions(int sourceSize, int destinationSize,
                                                FilterFunction filter, float support);

}  // namespace nowplaying
