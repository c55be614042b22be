#include <gtest/gtest.h>

#include <QImage>

#include "PictureDiff.h"

namespace {

QImage gradient(QImage::Format format) {
    QImage image(40, 30, format);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgba(x * 6, y * 8, 128, 200));
    }
    return image;
}

QImage withPixelStep(QImage image, int x, int y, int step) {
    const QRgb p = image.pixel(x, y);
    image.setPixel(x, y, qRgba(qRed(p), qGreen(p) + step, qBlue(p), qAlpha(p)));
    return image;
}

}  // namespace

TEST(PictureDiff, RoundingIsToleratedAndARealChangeIsNot) {
    const QImage committed = gradient(QImage::Format_ARGB32);
    EXPECT_TRUE(samePicture(comparePictures(committed, committed)));

    const PictureDiff rounded =
        comparePictures(withPixelStep(committed, 3, 4, kRoundingTolerance), committed);
    EXPECT_TRUE(samePicture(rounded));
    EXPECT_EQ(rounded.pixelsOff, 1);

    const PictureDiff repainted =
        comparePictures(withPixelStep(committed, 39, 29, kRoundingTolerance + 1), committed);
    EXPECT_FALSE(samePicture(repainted));
    EXPECT_EQ(repainted.largestStep, kRoundingTolerance + 1);
}

TEST(PictureDiff, SizeFormatAndUndecodablePicturesNeverMatch) {
    const QImage committed = gradient(QImage::Format_ARGB32);
    EXPECT_FALSE(samePicture(comparePictures(gradient(QImage::Format_RGB32), committed)));
    EXPECT_FALSE(samePicture(comparePictures(committed.copy(0, 0, 40, 29), committed)));
    EXPECT_FALSE(samePicture(comparePictures(QImage(), committed)));
}
