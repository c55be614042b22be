#include "Bitmap.h"

#include <algorithm>

namespace nowplaying {

Bitmap::Bitmap(int width, int height, RowOrder order)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      stride_(static_cast<std::ptrdiff_t>(width_) * 3),
      bytes_(static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height_)) {
    if (order == RowOrder::BottomUp && height_ > 0) {
        firstRow_ = (height_ - 1) * stride_;
        stride_ = -stride_;
    }
}

}  // namespace nowplaying
