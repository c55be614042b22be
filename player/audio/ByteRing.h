#pragma once
// The download buffer between a stream's transfer thread (producer) and its decoder (consumer).
// Bounded by a limit that can change once the stream's byte rate is known, plus an overflow
// beyond it; the producer waits while both are full, which pauses the download. The download
// position counts the bytes within the limit: overflow counts once the consumer makes room.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

namespace audio {

class ByteRing {
public:
    using Clock = std::chrono::steady_clock;
    enum class ReadStatus { Data, Ended, Closed, TimedOut };

    explicit ByteRing(std::size_t limit);

    // Keeps what is buffered even when it is more than the new bounds. The overflow lets the
    // producer go on reading its connection while the buffer is full: a server's burst beyond
    // the limit is taken in, so the end of the connection is seen when it comes.
    void setLimit(std::size_t limit, std::size_t overflow = 0);
    // Producer: waits for room and copies everything; false once closed.
    bool write(const std::uint8_t* data, std::size_t length);
    // Producer: no more data will come.
    void finish();
    // Either side: wakes and fails every wait from now on.
    void close();

    // Consumer: waits until data, the end, a close or the deadline.
    ReadStatus read(std::uint8_t* out, std::size_t capacity, std::size_t& got,
                    Clock::time_point deadline = Clock::time_point::max());

    // Bytes in and out so far, and whether the producer has finished, read together.
    struct Levels {
        std::uint64_t written = 0;
        std::uint64_t consumed = 0;
        bool finished = false;
    };
    Levels levels() const;

    // Consumer: waits until more than `size` bytes are buffered, or no more can come for now
    // (full, ended, closed) or the deadline; then copies what is buffered without taking it.
    // `settled` tells that waiting longer would not have brought more.
    std::vector<std::uint8_t> peek(std::size_t size, Clock::time_point deadline, bool& settled);

private:
    // Moves what is buffered to the front of new storage of this capacity (at least its size).
    void resize(std::size_t capacity);
    std::size_t bound() const { return limit_ + overflow_; }

    mutable std::mutex mutex_;  // guards everything below
    std::condition_variable changed_;
    std::vector<std::uint8_t> storage_;
    std::size_t head_ = 0;  // index of the oldest byte
    std::size_t size_ = 0;
    std::size_t limit_;
    std::size_t overflow_ = 0;
    std::uint64_t consumed_ = 0;
    bool finished_ = false;
    bool closed_ = false;
};

}  // namespace audio
