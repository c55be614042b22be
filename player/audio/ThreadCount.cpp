#include "ThreadCount.h"

namespace audio {

ThreadCount::Token::Token(ThreadCount& count) : count_(&count) {
    std::lock_guard lock(count_->mutex_);
    ++count_->live_;
}

ThreadCount::Token::Token(Token&& other) noexcept : count_(other.count_) {
    other.count_ = nullptr;
}

ThreadCount::Token::~Token() {
    if (count_ == nullptr) {
        return;
    }
    std::lock_guard lock(count_->mutex_);
    --count_->live_;
    count_->changed_.notify_all();
}

bool ThreadCount::waitIdle(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return live_ == 0; });
}

}  // namespace audio
