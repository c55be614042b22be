#pragma once
// Decoded audio of one channel (float, stereo, the mixer's rate) between its decoder thread and
// the mixer. The decoder may only fill it while the gate is open (the channel plays), so a
// stopped channel consumes no more of its download buffer.

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

namespace audio {

class PcmQueue {
public:
    explicit PcmQueue(std::size_t capacityFrames);

    // Decoder side: waits until the gate is open and there is room; false once closed.
    bool waitWritable();
    // Decoder side: copies as many frames as fit, returns how many.
    std::size_t push(const float* frames, std::size_t count);
    // Decoder side: nothing more will be pushed.
    void finish();

    // Mixer side: copies up to count frames, returns how many; none while the gate is shut,
    // so a stopped channel's position stands still from the moment it was stopped.
    std::size_t pop(float* frames, std::size_t count);
    // Frames popped so far.
    std::uint64_t popped() const;
    // True when finished and emptied.
    bool drained() const;

    void setGate(bool open);
    void close();

private:
    mutable std::mutex mutex_;  // guards everything below
    std::condition_variable changed_;
    std::vector<float> samples_;  // interleaved stereo
    std::size_t capacity_;        // in frames
    std::size_t head_ = 0;        // in frames
    std::size_t size_ = 0;        // in frames
    std::uint64_t popped_ = 0;
    bool gateOpen_ = false;
    bool finished_ = false;
    bool closed_ = false;
};

}  // namespace audio
