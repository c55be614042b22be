#include "PulseOutput.h"

#include <pulse/simple.h>

#include <cstdint>
#include <utility>

namespace audio {

namespace {
constexpr std::uint32_t kLatencyMs = 100;
}

void PulseOutput::StreamFree::operator()(pa_simple* stream) const {
    pa_simple_free(stream);
}

PulseOutput::Stream PulseOutput::connect() {
    pa_sample_spec sampleFormat{};
    sampleFormat.format = PA_SAMPLE_FLOAT32LE;
    sampleFormat.rate = kRate;
    sampleFormat.channels = kChannels;
    pa_buffer_attr attr{};
    attr.maxlength = static_cast<std::uint32_t>(-1);
    attr.tlength = static_cast<std::uint32_t>(pa_usec_to_bytes(kLatencyMs * 1000, &sampleFormat));
    attr.prebuf = static_cast<std::uint32_t>(-1);
    attr.minreq = static_cast<std::uint32_t>(-1);
    attr.fragsize = static_cast<std::uint32_t>(-1);
    int error = 0;
    return Stream(pa_simple_new(nullptr, "zelkorfm", PA_STREAM_PLAYBACK, nullptr, "radio",
                                &sampleFormat, nullptr, &attr, &error));
}

std::unique_ptr<PulseOutput> PulseOutput::open() {
    Stream stream = connect();
    if (!stream) {
        return nullptr;
    }
    return std::make_unique<PulseOutput>(std::move(stream));
}

PulseOutput::PulseOutput(Stream stream) : stream_(std::move(stream)) {}

bool PulseOutput::write(const float* frames, std::size_t count) {
    if (!stream_) {
        stream_ = connect();
        if (!stream_) {
            return false;
        }
    }
    int error = 0;
    return pa_simple_write(stream_.get(), frames, count * kChannels * sizeof(float), &error) >= 0;
}

void PulseOutput::idle() {
    // Drops the tail and gives the stream up: a stop is heard at once, a stopped player holds
    // nothing of the sound server, and the next write connects afresh. Draining instead held
    // the mixer's thread while the server played out, and the next sound started late.
    if (stream_) {
        int error = 0;
        pa_simple_flush(stream_.get(), &error);
        stream_.reset();
    }
}

}  // namespace audio
