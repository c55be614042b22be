#include "PcmQueue.h"

#include <algorithm>
#include <cstring>

namespace audio {

PcmQueue::PcmQueue(std::size_t capacityFrames)
    : samples_(capacityFrames * 2), capacity_(capacityFrames) {}

bool PcmQueue::waitWritable() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return closed_ || (gateOpen_ && size_ < capacity_); });
    return !closed_;
}

std::size_t PcmQueue::push(const float* frames, std::size_t count) {
    std::lock_guard lock(mutex_);
    const std::size_t n = std::min(count, capacity_ - size_);
    const std::size_t tail = (head_ + size_) % capacity_;
    const std::size_t first = std::min(n, capacity_ - tail);
    std::memcpy(samples_.data() + tail * 2, frames, first * 2 * sizeof(float));
    std::memcpy(samples_.data(), frames + first * 2, (n - first) * 2 * sizeof(float));
    size_ += n;
    return n;
}

void PcmQueue::finish() {
    std::lock_guard lock(mutex_);
    finished_ = true;
}

std::size_t PcmQueue::pop(float* frames, std::size_t count) {
    std::lock_guard lock(mutex_);
    const std::size_t n = gateOpen_ ? std::min(count, size_) : 0;
    const std::size_t first = std::min(n, capacity_ - head_);
    std::memcpy(frames, samples_.data() + head_ * 2, first * 2 * sizeof(float));
    std::memcpy(frames + first * 2, samples_.data(), (n - first) * 2 * sizeof(float));
    head_ = (head_ + n) % capacity_;
    size_ -= n;
    popped_ += n;
    if (n > 0) {
        changed_.notify_all();
    }
    return n;
}

std::uint64_t PcmQueue::popped() const {
    std::lock_guard lock(mutex_);
    return popped_;
}

bool PcmQueue::drained() const {
    std::lock_guard lock(mutex_);
    return finished_ && size_ == 0;
}

void PcmQueue::setGate(bool open) {
    std::lock_guard lock(mutex_);
    gateOpen_ = open;
    changed_.notify_all();
}

void PcmQueue::close() {
    std::lock_guard lock(mutex_);
    closed_ = true;
    changed_.notify_all();
}

}  // namespace audio
