#pragma once
// One PulseAudio playback stream on the default sink, 44100 Hz stereo, held only while sound
// plays.

#include <memory>

#include "Output.h"

struct pa_simple;

namespace audio {

class PulseOutput : public Output {
public:
    struct StreamFree {
        void operator()(pa_simple* stream) const;
    };
    using Stream = std::unique_ptr<pa_simple, StreamFree>;

    // nullptr when no sound server answers.
    static std::unique_ptr<PulseOutput> open();
    explicit PulseOutput(Stream stream);

    bool write(const float* frames, std::size_t count) override;
    void idle() override;

private:
    static Stream connect();

    Stream stream_;  // only touched by the mixer thread after open(); empty while idle
};

}  // namespace audio
