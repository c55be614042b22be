#pragma once
// Loopback stations for the player's tests: an endless ICY stream made of an audio file sent
// round and round at a set byte rate, with metadata blocks carrying a title the test changes.

#include <chrono>
#include <memory>
#include <mutex>
#include <string>

#include "FaultStream.h"
#include "FixtureServer.h"

namespace playertest {

// The title on air; the test sets it, the stream threads read it.
class OnAir {
public:
    void set(std::string title);
    std::string get() const;

private:
    mutable std::mutex mutex_;  // guards title_
    std::string title_;
};

struct IcyStation {
    std::string audio;                   // the file's bytes
    std::string head = "ICY 200 OK";     // status line and any header lines, "\r\n" between
    std::size_t metaInt = 0;             // 0: no metadata
    std::shared_ptr<OnAir> onAir;        // with metaInt: the title sent
    std::size_t bytesPerSecond = 64000;  // well above the stream's rate: buffering is short
};

fixture::Reply IcyReply(const IcyStation& station);
// A finite file, as an advertisement clip is served.
fixture::Reply FileReply(const std::string& bytes);

std::string ReadMedia(const std::string& name);  // a file generated into the media folder

// The live stream (440 Hz) at its own pace after an Icecast-like burst of 4 s; the fault goes
// to both opens of the first worker: the AAC reader's and the general one.
fixture::FaultPlan LivePlan();

}  // namespace playertest
