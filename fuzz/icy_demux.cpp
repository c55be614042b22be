// An ICY body cut into metadata and audio. The first bytes pick the interval and the sizes of
// the pieces the body arrives in, so both small intervals and odd piece boundaries are reached.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "IcyDemux.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const std::uint32_t interval = data[0];
    const std::size_t piece = std::size_t{data[1]} + 1;
    data += 2;
    size -= 2;
    std::size_t audioBytes = 0;
    std::size_t metaBytes = 0;
    audio::IcyDemux demux(
        interval, [&](const std::uint8_t*, std::size_t length) { audioBytes += length; },
        [&](const std::string& text) { metaBytes += text.size(); });
    for (std::size_t at = 0; at < size; at += piece) {
        demux.feed(data + at, std::min(piece, size - at));
    }
    if (metaBytes + audioBytes > size) {
        __builtin_trap();
    }
    audio::IcyDemux::parseInterval(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
