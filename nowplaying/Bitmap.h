#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace nowplaying {

// A 24-bit bitmap: three 8-bit channels per pixel, each row width * 3 bytes. Rows may be stored
// bottom-up, as device-independent bitmaps often are; stride() is then negative and scanLine()
// still counts rows from the top.
class Bitmap {
public:
    enum class RowOrder { TopDown, BottomUp };

    Bitmap() = default;
    // Negative sizes are taken as 0. Pixels start black.
    Bitmap(int width, int height, RowOrder order = RowOrder::TopDown);

    int width() const { return width_; }
    int height() const { return height_; }
    std::ptrdiff_t stride() const { return stride_; }

    std::uint8_t* scanLine(int y) { return bytes_.data() + firstRow_ + y * stride_; }
    const std::uint8_t* scanLine(int y) const { return bytes_.data() + firstRow_ + y * stride_; }

private:
    int width_ = 0;
    int height_ = 0;
    std::ptrdiff_t stride_ = 0;
    std::ptrdiff_t firstRow_ = 0;
    std::vector<std::uint8_t> bytes_;
};

}  // namespace nowplaying
