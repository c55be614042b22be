#include "PictureDiff.h"

#include <algorithm>
#include <cstdlib>

PictureDiff comparePictures(const QImage& drawn, const QImage& committed) {
    PictureDiff diff;
    if (drawn.isNull() || committed.isNull() || drawn.size() != committed.size() ||
        drawn.format() != committed.format())
        return diff;
    diff.comparable = true;
    const QImage a = drawn.convertToFormat(QImage::Format_ARGB32);
    const QImage b = committed.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < a.height(); ++y) {
        const auto* rowA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* rowB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            const int step = std::max({std::abs(qRed(rowA[x]) - qRed(rowB[x])),
                                       std::abs(qGreen(rowA[x]) - qGreen(rowB[x])),
                                       std::abs(qBlue(rowA[x]) - qBlue(rowB[x])),
                                       std::abs(qAlpha(rowA[x]) - qAlpha(rowB[x]))});
            if (step > 0)
                ++diff.pixelsOff;
            diff.largestStep = std::max(diff.largestStep, step);
        }
    }
    return diff;
}

bool samePicture(const PictureDiff& diff) {
    return diff.comparable && diff.largestStep <= kRoundingTolerance;
}
