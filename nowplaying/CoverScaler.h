#pragma once

#include <QImage>

namespace nowplaying {

// The cover picture's size; every found picture is squeezed to it, aspect ratio not kept.
inline constexpr int kCoverSide = 70;

// A decoded picture scaled to kCoverSide x kCoverSide with "Mitchell" and support 2, as 24-bit
// RGB. Throws what ResampleBitmap throws (an empty picture is too small).
QImage ScaleCover(const QImage& picture);

}  // namespace nowplaying
