// A downloaded cover picture: decoded, then squeezed to the cover's size.
#include <QByteArray>
#include <QImage>
#include <cstddef>
#include <cstdint>

#include "CoverScaler.h"
#include "JpegDecode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QImage picture = decodeJpeg(
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (!picture.isNull()) {
        nowplaying::ScaleCover(picture);
    }
    return 0;
}
