#pragma once
// Playback state shared by the window's thread, the stream workers and the engine's callbacks.
// Handles and flags are atomics; the two addresses sit behind a small mutex because a worker
// may read one while the window's thread replaces it.

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

#include "Audio.h"

namespace player {

// What a worker was started under: the how-manieth start and how many stops came before it.
struct WorkerTicket {
    std::uint64_t start = 0;
    std::uint64_t stops = 0;
};

class PlayerState {
public:
    // Written by the workers right after each create (adopt); read by workers and window.
    audio::HSTREAM currentChannel() const { return currentChannel_.load(); }

    // Window's thread, for each worker it starts.
    WorkerTicket newWorker();
    // Worker's thread, after its create: makes handle the current channel unless a newer worker
    // has been started since, in which case the caller must free handle itself (the newer one
    // frees only what is current when it begins). Atomic with newWorker().
    bool adopt(const WorkerTicket& ticket, audio::HSTREAM handle);
    // A newer worker has been started since ticket's.
    bool superseded(const WorkerTicket& ticket) const;

    // Written by the window's thread before each StreamWorker start, read by StreamWorker.
    std::string connectUrl() const;
    void setConnectUrl(std::string url);
    // Written by the station switch, read by PrerollWorker.
    std::string prerollUrl() const;
    void setPrerollUrl(std::string url);

    // The stop request (the start button's Tag): set by stop, cleared by start, read by the
    // workers at each pass of their buffering loop. A switch sets and clears it within one
    // handler, so every stop is also counted: a worker that slept through both still sees it.
    bool stopRequested(const WorkerTicket& ticket) const;
    void setStopRequest(bool stop);

    // The live stream whose download breaking off counts as a lost connection. Set by
    // StreamWorker just before it plays; cleared whenever playback is stopped or replaced on
    // purpose, so only an unexpected end is reported.
    void setLiveChannel(audio::HSTREAM handle);
    // True once for the live channel, which from then on is the bridge; false for any other
    // handle.
    bool dropLiveChannel(audio::HSTREAM handle);
    // The bridge: a live stream that lost its connection and plays on from its buffer while
    // the retry connects, so a short absence of the server is not heard. Whoever takes it
    // frees it: the retry once its own stream plays, or a stop. 0 when there is none.
    audio::HSTREAM bridgeChannel() const;
    audio::HSTREAM takeBridgeChannel();

    // Workers are detached; the count only lets a caller wait until none is left.
    int runningWorkers() const { return runningWorkers_.load(); }
    void workerStarted() { ++runningWorkers_; }
    void workerEnded() { --runningWorkers_; }

private:
    std::atomic<audio::HSTREAM> currentChannel_{0};
    mutable std::mutex startMutex_;  // makes adopt() and newWorker() exclusive
    std::atomic<std::uint64_t> starts_{0};
    std::atomic<std::uint64_t> stops_{0};
    mutable std::mutex liveMutex_;  // guards liveChannel_ and bridgeChannel_
    audio::HSTREAM liveChannel_ = 0;
    audio::HSTREAM bridgeChannel_ = 0;
    std::atomic<bool> stopRequest_{false};
    std::atomic<int> runningWorkers_{0};
    mutable std::mutex urlMutex_;  // guards connectUrl_ and prerollUrl_
    std::string connectUrl_;
    std::string prerollUrl_;
};

}  // namespace player
