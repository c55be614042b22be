// The default pictures compiled into the slider.
#include <gtest/gtest.h>

#include <QSet>

#include "W95Pictures.h"
#include "slider.h"

TEST(SliderPictures, DefaultsAreTheGeneratedSixteenColourPictures) {
    TSlider slider;
    const QList<QImage> defaults = {slider.imageHThumb(), slider.imageHRuler(),
                                    slider.imageVThumb(), slider.imageVRuler()};
    const QList<QSize> sizes = {{18, 17}, {10, 10}, {34, 9}, {8, 10}};
    const auto generated = sliderPictures();
    ASSERT_EQ(generated.size(), 4);
    for (int i = 0; i < 4; ++i) {
        const QImage picture = defaults[i].convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(picture.size(), sizes[i]) << i;
        // The committed files are what the generator draws today.
        EXPECT_EQ(picture, generated[i].second.convertToFormat(QImage::Format_RGB32)) << i;
        QSet<QRgb> colours;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x)
                colours.insert(picture.pixel(x, y) & 0xffffff);
        }
        EXPECT_LE(colours.size(), 16) << i;
        EXPECT_TRUE(colours.contains(qRgb(128, 128, 0) & 0xffffff)) << i;
    }
    // Thumbs: olive in the corners beside the point, drawn pixels in the middle of each cell.
    const QImage h = defaults[0].convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(h.pixel(0, 16), qRgb(128, 128, 0));
    EXPECT_NE(h.pixel(4, 8), qRgb(128, 128, 0));
    EXPECT_NE(h.pixel(13, 8), qRgb(128, 128, 0));
    // Rulers: the groove is rows (columns) 2 to 5, olive beyond.
    const QImage r = defaults[1].convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(r.pixel(5, 1), qRgb(128, 128, 0));
    EXPECT_NE(r.pixel(5, 2), qRgb(128, 128, 0));
    EXPECT_NE(r.pixel(5, 5), qRgb(128, 128, 0));
    EXPECT_EQ(r.pixel(5, 6), qRgb(128, 128, 0));
}
