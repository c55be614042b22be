#pragma once
// Counts the engine's detached threads, so that the engine's own teardown at the end of a
// process can let them finish before the memory they use goes away.

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace audio {

class ThreadCount {
public:
    // Held by a thread for its whole life.
    class Token {
    public:
        explicit Token(ThreadCount& count);
        ~Token();
        Token(Token&& other) noexcept;
        Token(const Token&) = delete;
        Token& operator=(const Token&) = delete;
        Token& operator=(Token&&) = delete;

    private:
        ThreadCount* count_;
    };

    Token acquire() { return Token(*this); }
    // True when every token was given back before the timeout.
    bool waitIdle(std::chrono::milliseconds timeout);

private:
    std::mutex mutex_;  // guards live_
    std::condition_variable changed_;
    int live_ = 0;
};

}  // namespace audio
