#include "FormatProbe.h"

extern "C" {
#include <libavformat/avformat.h>
}

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <vector>

namespace audio {

namespace {

// Four MP3 or ADTS frames in a row fit in this at any common bit rate up to 256 kbit/s;
// fewer bytes are too thin to trust a low score.
constexpr std::size_t kTrustedBytes = 4096;
constexpr std::size_t kFirstLook = 2048;

}  // namespace

std::string MediaType(std::string_view contentType) {
    const std::size_t end = std::min(contentType.find(';'), contentType.size());
    std::string type;
    for (char c : contentType.substr(0, end)) {
        if (!std::isspace(static_cast<unsigned char>(c))) {
            type += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    return type;
}

bool NamesOtherThanAac(std::string_view mediaType) {
    static constexpr std::array<std::string_view, 10> kOthers{
        "audio/mpeg", "audio/mp3",  "audio/mpeg3",     "audio/x-mpeg", "audio/ogg",
        "audio/opus", "audio/flac", "application/ogg", "audio/vorbis", "audio/x-wav"};
    return std::find(kOthers.begin(), kOthers.end(), mediaType) != kOthers.end();
}

bool IsAacFormat(const AVInputFormat* format) {
    // ADTS, or LATM in its LOAS framing.
    return format != nullptr &&
           (std::strcmp(format->name, "aac") == 0 || std::strcmp(format->name, "loas") == 0);
}

const AVInputFormat* ProbeAtHand(ByteRing& ring, ByteRing::Clock::time_point deadline) {
    std::size_t wanted = kFirstLook;
    for (;;) {
        bool settled = false;
        std::vector<std::uint8_t> bytes = ring.peek(wanted - 1, deadline, settled);
        const std::size_t size = bytes.size();
        if (size == 0) {
            return nullptr;
        }
        bytes.resize(size + AVPROBE_PADDING_SIZE, 0);
        AVProbeData probe{};
        probe.filename = "";
        probe.buf = bytes.data();
        probe.buf_size = static_cast<int>(size);
        int score = 0;
        const AVInputFormat* format = av_probe_input_format2(&probe, 1, &score);
        // FFmpeg's own rule: a score above RETRY is sure; at the last size it takes any.
        if (format != nullptr && (score > AVPROBE_SCORE_RETRY ||
                                  (score == AVPROBE_SCORE_RETRY && size >= kTrustedBytes))) {
            return format;
        }
        if (settled) {
            return format;
        }
        wanted = std::max(size + 1, wanted * 2);
    }
}

}  // namespace audio
