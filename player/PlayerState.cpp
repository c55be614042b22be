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

bool PlayerState::takeLiveChannel(audio::HSTREAM handle) {
    if (handle == 0) {
        return false;
    }
    audio::HSTREAM expected = handle;
    return liveChannel_.compare_exchange_strong(expected, 0);
}

}  // namespace player
