#include "transparentcolour.h"

QImage withTransparentColour(const QImage& picture) {
    QImage drawn = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < drawn.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(drawn.scanLine(y));
        for (int x = 0; x < drawn.width(); ++x) {
            if (qRgb(qRed(line[x]), qGreen(line[x]), qBlue(line[x])) == kTransparentColour)
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
    return drawn;
}
