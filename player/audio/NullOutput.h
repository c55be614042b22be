#pragma once
// No sound: takes frames at the speed a real device would play them.

#include <chrono>

#include "Output.h"

namespace audio {

class NullOutput : public Output {
public:
    bool write(const float* frames, std::size_t count) override;
    void idle() override;

private:
    using Clock = std::chrono::steady_clock;
    // Only touched by the mixer thread.
    Clock::time_point next_{};
    bool running_ = false;
};

}  // namespace audio
