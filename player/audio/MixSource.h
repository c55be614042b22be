#pragma once
// What the mixer needs of a playing channel. Every method is called on the mixer thread.

#include <cstddef>

namespace audio {

class MixSource {
public:
    virtual ~MixSource() = default;
    // Copies up to count stereo frames; fewer when the decoder has fallen behind.
    virtual std::size_t pull(float* frames, std::size_t count) = 0;
    virtual float leftGain() const = 0;
    virtual float rightGain() const = 0;
    // Nothing more will ever come.
    virtual bool drained() const = 0;
    // Told once, after drained() said true; the mixer has already dropped the source.
    virtual void playedToEnd() = 0;
};

}  // namespace audio
