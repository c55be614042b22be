#include "NullOutput.h"

#include <thread>

namespace audio {

namespace {
// A real device holds this much before it blocks the writer.
constexpr auto kLead = std::chrono::milliseconds(50);
}  // namespace

bool NullOutput::write(const float*, std::size_t count) {
    const auto now = Clock::now();
    if (!running_ || next_ < now) {
        next_ = now;
        running_ = true;
    }
    next_ += std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(static_cast<double>(count) / kRate));
    std::this_thread::sleep_until(next_ - kLead);
    return true;
}

void NullOutput::idle() {
    running_ = false;
}

}  // namespace audio
