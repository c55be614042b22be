#pragma once
// The live stream opened while the advertisement clip plays its last seconds, so that when
// the clip ends StreamWorker finds it connected and buffered instead of starting from nothing.
// The status lines its connections reported are kept, for StreamWorker to report them in their
// usual place after its status 0.

#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "Audio.h"

namespace player {

class LiveAhead {
public:
    struct Ready {
        audio::HSTREAM handle = 0;
        std::vector<std::string> heads;  // status lines, in connection order
    };

    // Window's thread: true when nothing is open or opening, and url is now being opened.
    bool begin(const std::string& url);
    // The opening worker's thread: the address given to begin().
    std::string url();
    // The opening worker's thread: the result of begin(); freed when no longer wanted.
    void finish(audio::HSTREAM handle, std::vector<std::string> heads);
    // StreamWorker's thread: the stream opened for url, when it is ready. Anything else that
    // was opened or opening is given up, so the caller opens the usual way.
    std::optional<Ready> take(const std::string& url);
    // Any thread: gives up what is open or opening.
    void cancel();

private:
    enum class Phase { Idle, Opening, Cancelled, Ready };
    std::mutex mutex_;  // guards everything below
    Phase phase_ = Phase::Idle;
    std::string url_;
    Ready ready_;
};

}  // namespace player
