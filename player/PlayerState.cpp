#include "PlayerState.h"

#include <utility>

namespace player {

std::string PlayerState::connectUrl() const {
    std::lock_guard lock(urlMutex_);
    return connectUrl_;
}

void PlayerState::setConnectUrl(std::string url) {
    std::lock_guard lock(urlMutex_);
    connectUrl_ = std::move(url);
}

std::string PlayerState::prerollUrl() const {
    std::lock_guard lock(urlMutex_);
    return prerollUrl_;
}

void PlayerState::setPrerollUrl(std::string url) {
    std::lock_guard lock(urlMutex_);
    prerollUrl_ = std::move(url);
}

bool PlayerState::takeLiveChannel(audio::HSTREAM handle) {
    if (handle == 0) {
        return false;
    }
    audio::HSTREAM expected = handle;
    return liveChannel_.compare_exchange_strong(expected, 0);
}

}  // namespace player
