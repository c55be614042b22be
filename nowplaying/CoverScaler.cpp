#include "CoverScaler.h"

#include <algorithm>

#include "Bitmap.h"
#include "ResampleBitmap.h"

namespace nowplaying {

QImage ScaleCover(const QImage& picture) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    Bitmap source(rgb.width(), rgb.height());
    const auto rowBytes = static_cast<std::size_t>(source.width()) * 3;
    for (int y = 0; y < source.height(); ++y) {
        std::copy_n(rgb.constScanLine(y), rowBytes, source.scanLine(y));
    }
    Bitmap cover(kCoverSide, kCoverSide);
    ResampleBitmap(source, cover, MitchellFilter, 2.0f);

    QImage result(kCoverSide, kCoverSide, QImage::Format_RGB888);
    for (int y = 0; y < kCoverSide; ++y) {
        std::copy_n(cover.scanLine(y), kCoverSide * 3, result.scanLine(y));
    }
    return result;
}

}  // namespace nowplaying
