#pragma once
// Where the mixer's sound goes. write() blocks for about as long as the frames take to play,
// which is what paces the mixer.

#include <cstddef>
#include <memory>

namespace audio {

class Output {
public:
    static constexpr int kRate = 44100;
    static constexpr int kChannels = 2;

    virtual ~Output() = default;
    // Interleaved stereo, 32-bit float from -1 to 1: the mixer's own format, which the sound
    // server turns into whatever its sink takes.
    virtual bool write(const float* frames, std::size_t count) = 0;
    // Nothing plays for a while; the next write starts afresh.
    virtual void idle() = 0;
};

// device -1: the default PulseAudio sink; 0: no sound, real-time clock. nullptr when the
// device cannot be opened.
std::unique_ptr<Output> openOutput(int device);

}  // namespace audio
