#include "ByteRing.h"

#include <algorithm>
#include <cstring>

namespace audio {

namespace {
// Storage grows as data comes, so a large limit (a whole file) costs nothing until it is used.
constexpr std::size_t kFirstStorage = 64 * 1024;
}  // namespace

ByteRing::ByteRing(std::size_t limit)
    : storage_(std::clamp<std::size_t>(limit, 1, kFirstStorage)),
      limit_(std::max<std::size_t>(limit, 1)) {}

void ByteRing::resize(std::size_t capacity) {
    std::vector<std::uint8_t> next(std::max({capacity, size_, std::size_t{1}}));
    const std::size_t first = std::min(size_, storage_.size() - head_);
    std::memcpy(next.data(), storage_.data() + head_, first);
    std::memcpy(next.data() + first, storage_.data(), size_ - first);
    storage_ = std::move(next);
    head_ = 0;
}

void ByteRing::setLimit(std::size_t limit, std::size_t overflow) {
    std::lock_guard lock(mutex_);
    limit_ = std::max<std::size_t>(limit, 1);
    overflow_ = overflow;
    if (storage_.size() > bound()) {
        resize(bound());
    }
    changed_.notify_all();
}

bool ByteRing::write(const std::uint8_t* data, std::size_t length) {
    std::unique_lock lock(mutex_);
    while (length > 0) {
        changed_.wait(lock, [&] { return closed_ || size_ < bound(); });
        if (closed_) {
            return false;
        }
        if (size_ == storage_.size() && storage_.size() < bound()) {
            resize(std::min(bound(), storage_.size() * 2));
        }
        const std::size_t room = std::min(bound() - size_, storage_.size() - size_);
        const std::size_t n = std::min(length, room);
        const std::size_t tail = (head_ + size_) % storage_.size();
        const std::size_t first = std::min(n, storage_.size() - tail);
        std::memcpy(storage_.data() + tail, data, first);
        std::memcpy(storage_.data(), data + first, n - first);
        size_ += n;
        data += n;
        length -= n;
        changed_.notify_all();
    }
    return true;
}

void ByteRing::finish() {
    std::lock_guard lock(mutex_);
    finished_ = true;
    changed_.notify_all();
}

void ByteRing::close() {
    std::lock_guard lock(mutex_);
    closed_ = true;
    changed_.notify_all();
}

ByteRing::ReadStatus ByteRing::read(std::uint8_t* out, std::size_t capacity, std::size_t& got,
                                    Clock::time_point deadline) {
    got = 0;
    std::unique_lock lock(mutex_);
    const bool ready =
        changed_.wait_until(lock, deadline, [&] { return closed_ || size_ > 0 || finished_; });
    if (closed_) {
        return ReadStatus::Closed;
    }
    if (size_ == 0) {
        return ready ? ReadStatus::Ended : ReadStatus::TimedOut;
    }
    const std::size_t n = std::min(capacity, size_);
    const std::size_t first = std::min(n, storage_.size() - head_);
    std::memcpy(out, storage_.data() + head_, first);
    std::memcpy(out + first, storage_.data(), n - first);
    head_ = (head_ + n) % storage_.size();
    size_ -= n;
    consumed_ += n;
    got = n;
    changed_.notify_all();
    return ReadStatus::Data;
}

std::vector<std::uint8_t> ByteRing::peek(std::size_t size, Clock::time_point deadline,
                                         bool& settled) {
    std::unique_lock lock(mutex_);
    const auto stuck = [&] { return closed_ || finished_ || size_ >= limit_; };
    changed_.wait_until(lock, deadline, [&] { return stuck() || size_ > size; });
    settled = stuck() || Clock::now() >= deadline;
    std::vector<std::uint8_t> out(size_);
    if (size_ > 0) {
        const std::size_t first = std::min(size_, storage_.size() - head_);
        std::memcpy(out.data(), storage_.data() + head_, first);
        std::memcpy(out.data() + first, storage_.data(), size_ - first);
    }
    return out;
}

ByteRing::Levels ByteRing::levels() const {
    std::lock_guard lock(mutex_);
    return Levels{consumed_ + std::min(size_, limit_), consumed_, finished_};
}

}  // namespace audio
