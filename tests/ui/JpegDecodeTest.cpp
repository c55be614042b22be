#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

#include <QElapsedTimer>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

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

// A progressive picture of side x side pixels. With a script, grey: the script refines every
// coefficient bit by bit on its own, 11 DC scans and 11 for each of the 63 AC coefficients,
// 704 in all. Without, colour at full resolution in every channel, with the usual scans.
QByteArray progressiveJpeg(int side, bool manyScans) {
    std::vector<jpeg_scan_info> scans;
    for (int k = 0; k < 64; ++k) {
        for (int al = 10; al >= 0; --al)
            scans.push_back({1, {0}, k, k, al == 10 ? 0 : al + 1, al});
    }
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = static_cast<JDIMENSION>(side);
    info.image_height = static_cast<JDIMENSION>(side);
    info.input_components = manyScans ? 1 : 3;
    info.in_color_space = manyScans ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    if (manyScans) {
        info.scan_info = scans.data();
        info.num_scans = static_cast<int>(scans.size());
    } else {
        info.comp_info[0].h_samp_factor = 1;
        info.comp_info[0].v_samp_factor = 1;
        jpeg_simple_progression(&info);
    }
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(static_cast<std::size_t>(side * info.input_components));
    for (int y = 0; y < side; ++y) {
        for (std::size_t x = 0; x < row.size(); ++x)
            row[x] = static_cast<unsigned char>((x * static_cast<std::size_t>(y)) & 0xFF);
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(out), static_cast<qsizetype>(size));
    std::free(out);
    return bytes;
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

TEST(JpegDecode, ProgressivePicturesAreBoundedInScansAndMemory) {
    QByteArray progressive = progressiveJpeg(64, false);
    EXPECT_EQ(decodeJpeg(progressive).size(), QSize(64, 64));

    QElapsedTimer clock;
    const QByteArray crafted = progressiveJpeg(1024, true);
    clock.start();
    EXPECT_TRUE(decodeJpeg(crafted).isNull());
    EXPECT_LT(clock.elapsed(), 100);

    // The colour header claiming 4000 x 4000: its 48 MB of pixels pass their bound, but the
    // 96 MB of coefficients a progressive picture keeps do not.
    const qsizetype sof2 = progressive.indexOf(QByteArray("\xFF\xC2", 2));
    ASSERT_GT(sof2, 0);
    for (const qsizetype at : {sof2 + 5, sof2 + 7}) {
        progressive[at] = static_cast<char>(4000 >> 8);
        progressive[at + 1] = static_cast<char>(4000 & 0xFF);
    }
    clock.restart();
    EXPECT_TRUE(decodeJpeg(progressive).isNull());
    EXPECT_LT(clock.elapsed(), 100);
}
