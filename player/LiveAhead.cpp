#include "LiveAhead.h"

#include <utility>

namespace player {

bool LiveAhead::begin(const std::string& url) {
    std::lock_guard lock(mutex_);
    if (phase_ != Phase::Idle) {
        return false;
    }
    phase_ = Phase::Opening;
    url_ = url;
    return true;
}

std::string LiveAhead::url() {
    std::lock_guard lock(mutex_);
    return url_;
}

void LiveAhead::finish(audio::HSTREAM handle, std::vector<std::string> heads) {
    {
        std::lock_guard lock(mutex_);
        if (phase_ == Phase::Opening && handle != 0) {
            phase_ = Phase::Ready;
            ready_ = Ready{handle, std::move(heads)};
            return;
        }
        if (phase_ == Phase::Opening || phase_ == Phase::Cancelled) {
            phase_ = Phase::Idle;
        }
    }
    audio::StreamFree(handle);
}

std::optional<LiveAhead::Ready> LiveAhead::take(const std::string& url) {
    {
        std::lock_guard lock(mutex_);
        if (phase_ == Phase::Ready && url_ == url) {
            phase_ = Phase::Idle;
            return std::exchange(ready_, Ready{});
        }
    }
    cancel();
    return std::nullopt;
}

void LiveAhead::cancel() {
    audio::HSTREAM unused = 0;
    {
        std::lock_guard lock(mutex_);
        if (phase_ == Phase::Ready) {
            unused = std::exchange(ready_, Ready{}).handle;
            phase_ = Phase::Idle;
        } else if (phase_ == Phase::Opening) {
            phase_ = Phase::Cancelled;
        }
    }
    audio::StreamFree(unused);
}

}  // namespace player
