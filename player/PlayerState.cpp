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

WorkerTicket PlayerState::newWorker() {
    std::lock_guard lock(startMutex_);
    return WorkerTicket{++starts_, stops_.load()};
}

bool PlayerState::adopt(const WorkerTicket& ticket, audio::HSTREAM handle) {
    std::lock_guard lock(startMutex_);
    if (superseded(ticket)) {
        return false;
    }
    currentChannel_.store(handle);
    return true;
}

bool PlayerState::superseded(const WorkerTicket& ticket) const {
    return starts_.load() != ticket.start;
}

bool PlayerState::stopRequested(const WorkerTicket& ticket) const {
    return stopRequest_.load() || stops_.load() != ticket.stops;
}

void PlayerState::setStopRequest(bool stop) {
    if (stop) {
        ++stops_;
    }
    stopRequest_.store(stop);
}

void PlayerState::setLiveChannel(audio::HSTREAM handle) {
    std::lock_guard lock(liveMutex_);
    liveChannel_ = handle;
}

bool PlayerState::dropLiveChannel(audio::HSTREAM handle) {
    std::lock_guard lock(liveMutex_);
    if (handle == 0 || handle != liveChannel_) {
        return false;
    }
    liveChannel_ = 0;
    bridgeChannel_ = handle;
    return true;
}

audio::HSTREAM PlayerState::bridgeChannel() const {
    std::lock_guard lock(liveMutex_);
    return bridgeChannel_;
}

audio::HSTREAM PlayerState::takeBridgeChannel() {
    std::lock_guard lock(liveMutex_);
    return std::exchange(bridgeChannel_, 0);
}

}  // namespace player
