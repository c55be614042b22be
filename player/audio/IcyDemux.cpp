#include "IcyDemux.h"

#include <algorithm>
#include <utility>

namespace audio {

namespace {
constexpr std::size_t kMetaUnit = 16;  // the length byte counts blocks of 16 bytes
}

IcyDemux::IcyDemux(std::uint32_t metaInterval, AudioSink audio, MetaSink meta)
    : interval_(metaInterval),
      audio_(std::move(audio)),
      meta_(std::move(meta)),
      audioLeft_(metaInterval) {}

std::uint32_t IcyDemux::parseInterval(std::string_view value) {
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) {
        value.remove_prefix(1);
    }
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) {
        value.remove_suffix(1);
    }
    if (value.empty() || value.size() > 10) {
        return 0;
    }
    std::uint64_t n = 0;
    for (char c : value) {
        if (c < '0' || c > '9') {
            return 0;
        }
        n = n * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return n <= 0x7FFFFFFFu ? static_cast<std::uint32_t>(n) : 0;
}

void IcyDemux::feed(const std::uint8_t* data, std::size_t length) {
    if (interval_ == 0) {
        if (length > 0) {
            audio_(data, length);
        }
        return;
    }
    while (length > 0) {
        switch (state_) {
            case State::Audio: {
                const std::size_t n = std::min<std::size_t>(length, audioLeft_);
                audio_(data, n);
                data += n;
                length -= n;
                audioLeft_ -= static_cast<std::uint32_t>(n);
                if (audioLeft_ == 0) {
                    state_ = State::LengthByte;
                }
                break;
            }
            case State::LengthByte:
                metaLeft_ = std::size_t{*data} * kMetaUnit;
                ++data;
                --length;
                metaText_.clear();
                if (metaLeft_ == 0) {
                    state_ = State::Audio;
                    audioLeft_ = interval_;
                } else {
                    state_ = State::Meta;
                }
                break;
            case State::Meta: {
                const std::size_t n = std::min(length, metaLeft_);
                metaText_.append(reinterpret_cast<const char*>(data), n);
                data += n;
                length -= n;
                metaLeft_ -= n;
                if (metaLeft_ == 0) {
                    finishMeta();
                    state_ = State::Audio;
                    audioLeft_ = interval_;
                }
                break;
            }
        }
    }
}

void IcyDemux::finishMeta() {
    // Blocks are padded with NULs to a multiple of 16.
    const std::size_t end = metaText_.find('\0');
    if (end != std::string::npos) {
        metaText_.resize(end);
    }
    if (!metaText_.empty()) {
        meta_(metaText_);
    }
}

}  // namespace audio
