#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

#include "JpegDecode.h"

namespace {

QByteArray encode(const QImage& image, int quality = 90) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "JPEG");
    writer.setQuality(quality);
    EXPECT_TRUE(writer.write(image));
    return bytes;
}

QImage gradient(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x * 255 / w, y * 255 / h, 128));
    }
    return image;
}

// Index of the first byte of the start-of-frame segment's height field.
qsizetype sofHeightOffset(const QByteArray& jpeg) {
    for (qsizetype i = 2; i + 8 < jpeg.size(); ++i) {
        if (static_cast<uchar>(jpeg[i]) == 0xFF && static_cast<uchar>(jpeg[i + 1]) == 0xC0)
            return i + 5;
    }
    return -1;
}

}  // namespace

TEST(JpegDecode, DecodesColourAndGreyToOpaqueRgb) {
    const QImage source = gradient(64, 40);
    const QImage colour = decodeJpeg(encode(source, 95));
    ASSERT_EQ(colour.size(), QSize(64, 40));
    EXPECT_FALSE(colour.hasAlphaChannel());
    EXPECT_NEAR(qRed(colour.pixel(60, 5)), qRed(source.pixel(60, 5)), 8);
    EXPECT_NEAR(qGreen(colour.pixel(5, 35)), qGreen(source.pixel(5, 35)), 8);

    const QImage grey = decodeJpeg(encode(source.convertToFormat(QImage::Format_Grayscale8)));
    ASSERT_EQ(grey.size(), QSize(64, 40));
    const QRgb p = grey.pixel(30, 20);
    EXPECT_EQ(qRed(p), qGreen(p));
    EXPECT_EQ(qGreen(p), qBlue(p));
}

TEST(JpegDecode, RefusesWhatIsNotAJpeg) {
    EXPECT_FALSE(isJpeg(QByteArray()));
    EXPECT_FALSE(isJpeg(QByteArray("\xFF\xD8", 2)));
    EXPECT_TRUE(isJpeg(QByteArray("\xFF\xD8\xFF", 3)));
    EXPECT_TRUE(decodeJpeg(QByteArray()).isNull());
    EXPECT_TRUE(decodeJpeg(QByteArray("GIF89a")).isNull());
    EXPECT_TRUE(decodeJpeg(QByteArray("\xFF\xD8\xFF\xE0garbage", 10)).isNull());
}

TEST(JpegDecode, TruncatedDataNeverCrashes) {
    const QByteArray whole = encode(gradient(48, 48));
    int pictures = 0;
    for (qsizetype cut = 0; cut < whole.size(); cut += 7) {
        const QImage image = decodeJpeg(whole.left(cut));
        if (!image.isNull()) {
            EXPECT_EQ(image.size(), QSize(48, 48));
            ++pictures;
        }
    }
    EXPECT_GT(pictures, 0) << "a scan cut short still gives a (padded) picture";
}

TEST(JpegDecode, HeaderDeclaringAnOversizedPictureIsRefusedAtTheLimit) {
    const QByteArray small = encode(gradient(16, 16));
    const qsizetype at = sofHeightOffset(small);
    ASSERT_GT(at, 0);
    for (const auto& [height, accepted] :
         std::vector<std::pair<int, bool>>{{kMaxJpegSide - 1, true},
                                           {kMaxJpegSide, true},
                                           {kMaxJpegSide + 1, false},
                                           {65535, false}}) {
        QByteArray forged = small;
        forged[at] = static_cast<char>(height >> 8);
        forged[at + 1] = static_cast<char>(height & 0xFF);
        const QImage image = decodeJpeg(forged);
        EXPECT_EQ(!image.isNull(), accepted) << height;
        if (accepted) {
            EXPECT_EQ(image.height(), height);
        }
    }
}
