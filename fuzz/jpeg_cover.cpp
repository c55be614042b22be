// A downloaded cover picture: decoded, then squeezed to the cover's size.
#include <QByteArray>
#include <QImage>
#include <cstddef>
#include <cstdint>

#include "CoverScaler.h"
#include "JpegDecode.h"

namespace {

// Decoding and resampling time grow with the size a picture declares, not with its bytes: 218
// bytes that declare 4105 x 2055 pixels (a truncated scan, padded by libjpeg) take 1.4 s here
// under coverage and both sanitizers, over the 1 s an input may take. The size bounds
// themselves are the unit tests' business; pictures above this many pixels are left out so
// that the fuzzing time goes to the decoder's and the resampler's paths.
constexpr std::uint64_t kMaxFuzzPixels = 1u << 20;

// Conservative: any start-of-frame marker anywhere, even inside entropy-coded data, counts.
bool declaresLargePicture(const std::uint8_t* data, std::size_t size) {
    for (std::size_t i = 0; i + 9 <= size; ++i) {
        const std::uint8_t marker = data[i + 1];
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (data[i] == 0xFF && frame) {
            const std::uint64_t height = (data[i + 5] << 8) | data[i + 6];
            const std::uint64_t width = (data[i + 7] << 8) | data[i + 8];
            if (width * height > kMaxFuzzPixels) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (declaresLargePicture(data, size)) {
        return 0;
    }
    const QImage picture = decodeJpeg(
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (!picture.isNull()) {
        nowplaying::ScaleCover(picture);
    }
    return 0;
}
