#include "JpegDecode.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace {

// libjpeg reports fatal errors by calling error_exit, which must not return: we jump back to
// the setjmp of the step that failed. The steps keep only trivially destructible locals, so
// the jump skips no destructor.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void onError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void onMessage(j_common_ptr) {}  // warnings (e.g. a truncated scan) are not printed

// Each progressive scan is one more pass over the whole coefficient buffer: a picture of
// thousands of tiny scans would hold the window's thread for seconds.
void onProgress(j_common_ptr common) {
    const auto* info = reinterpret_cast<j_decompress_ptr>(common);
    if (info->progressive_mode && info->input_scan_number > kMaxJpegScans) {
        common->err->error_exit(common);
    }
}

struct Decoder {
    jpeg_decompress_struct info{};
    ErrorManager error{};
    jpeg_progress_mgr progress{};

    Decoder() {
        info.err = jpeg_std_error(&error.base);
        error.base.error_exit = onError;
        error.base.output_message = onMessage;
        jpeg_create_decompress(&info);
        // A progressive picture keeps all its coefficients while it decodes: without a bound a
        // crafted header asks for as much as the side limits allow. Past the bound libjpeg
        // would need a backing store, which it has not, and fails.
        info.mem->max_memory_to_use = kMaxJpegDecoderBytes;
        progress.progress_monitor = onProgress;
        info.progress = &progress;
    }
    ~Decoder() { jpeg_destroy_decompress(&info); }
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;
};

bool readHeader(Decoder& d, const unsigned char* data, unsigned long size) {
    if (setjmp(d.error.jump))
        return false;
    jpeg_mem_src(&d.info, data, size);
    if (jpeg_read_header(&d.info, TRUE) != JPEG_HEADER_OK)
        return false;
    const bool cmyk = d.info.jpeg_color_space == JCS_CMYK || d.info.jpeg_color_space == JCS_YCCK;
    d.info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    if (d.info.image_width == 0 || d.info.image_height == 0 || d.info.image_width > kMaxJpegSide ||
        d.info.image_height > kMaxJpegSide ||
        qint64{d.info.image_width} * d.info.image_height * 3 > kMaxJpegPixelBytes)
        return false;
    jpeg_start_decompress(&d.info);
    return true;
}

// Writes each decoded scan line into rows[line]; rows has one pointer per output line.
bool readLines(Decoder& d, unsigned char** rows) {
    if (setjmp(d.error.jump))
        return false;
    while (d.info.output_scanline < d.info.output_height) {
        JSAMPROW row = rows[d.info.output_scanline];
        jpeg_read_scanlines(&d.info, &row, 1);
    }
    jpeg_finish_decompress(&d.info);
    return true;
}

// Adobe writes CMYK inverted; the marker tells which convention the file follows.
QImage cmykToRgb(const QImage& cmyk, bool inverted) {
    QImage rgb(cmyk.width(), cmyk.height(), QImage::Format_RGB888);
    for (int y = 0; y < cmyk.height(); ++y) {
        const uchar* in = cmyk.constScanLine(y);
        uchar* out = rgb.scanLine(y);
        for (int x = 0; x < cmyk.width(); ++x, in += 4, out += 3) {
            const int c = inverted ? in[0] : 255 - in[0];
            const int m = inverted ? in[1] : 255 - in[1];
            const int yel = inverted ? in[2] : 255 - in[2];
            const int k = inverted ? in[3] : 255 - in[3];
            out[0] = static_cast<uchar>(c * k / 255);
            out[1] = static_cast<uchar>(m * k / 255);
            out[2] = static_cast<uchar>(yel * k / 255);
        }
    }
    return rgb;
}

}  // namespace

bool isJpeg(const QByteArray& bytes) {
    return bytes.size() >= 3 && static_cast<uchar>(bytes[0]) == 0xFF &&
           static_cast<uchar>(bytes[1]) == 0xD8 && static_cast<uchar>(bytes[2]) == 0xFF;
}

QImage decodeJpeg(const QByteArray& bytes) {
    if (!isJpeg(bytes))
        return {};
    Decoder d;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    if (!readHeader(d, data, static_cast<unsigned long>(bytes.size())))
        return {};
    const bool cmyk = d.info.out_color_space == JCS_CMYK;
    if (d.info.output_components != (cmyk ? 4 : 3))
        return {};
    QImage image(static_cast<int>(d.info.output_width), static_cast<int>(d.info.output_height),
                 cmyk ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    if (image.isNull())
        return {};
    QList<unsigned char*> rows(image.height());
    for (int y = 0; y < image.height(); ++y)
        rows[y] = image.scanLine(y);
    if (!readLines(d, rows.data()))
        return {};
    return cmyk ? cmykToRgb(image, d.info.saw_Adobe_marker) : image;
}
