#pragma once
// Cuts ICY metadata blocks out of a stream body. Pure: no sockets, no threads. Fed the body in
// pieces of any size, it hands on the audio bytes and every complete, non-empty metadata text.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace audio {

class IcyDemux {
public:
    using AudioSink = std::function<void(const std::uint8_t* data, std::size_t length)>;
    using MetaSink = std::function<void(const std::string& text)>;

    // metaInterval 0: the body carries no metadata and passes through untouched.
    IcyDemux(std::uint32_t metaInterval, AudioSink audio, MetaSink meta);

    void feed(const std::uint8_t* data, std::size_t length);

    // The value of an "icy-metaint" header; 0 (no metadata) when it is not a decimal number in
    // 1..2^31-1, so a garbled header never makes us cut the audio at random places.
    static std::uint32_t parseInterval(std::string_view value);

private:
    enum class State { Audio, LengthByte, Meta };

    void finishMeta();

    std::uint32_t interval_;
    AudioSink audio_;
    MetaSink meta_;
    State state_ = State::Audio;
    std::uint32_t audioLeft_;   // audio bytes until the next length byte
    std::size_t metaLeft_ = 0;  // metadata bytes still to come in this block
    std::string metaText_;      // at most 255 * 16 bytes
};

}  // namespace audio
