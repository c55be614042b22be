#pragma once
// A live ICY stream for the fixture server: loops over encoded audio at a chosen pace and
// puts a metadata block after every `interval` audio bytes, with the title changing over time.

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "FixtureServer.h"

namespace icyfeed {

struct Feed {
    std::string audio;                // looped
    std::uint32_t interval = 8192;    // 0: no metadata blocks
    std::vector<std::string> titles;  // metadata texts, the next one every titleEvery
    std::chrono::milliseconds titleEvery{300};
    double speed = 1.0;  // 1.0 = real time at bytesPerSecond
    std::size_t bytesPerSecond = 16000;
    std::size_t burst = 0;                         // sent at once at the start, as Icecast does
    std::size_t stopAfter = SIZE_MAX;              // close after this many audio bytes
    std::chrono::milliseconds stallAfterBurst{0};  // silence after the burst, then go on
};

// Two seconds of the test tone looped, sent `burst` bytes at once and then at `speed` times
// real time.
Feed toneFeed(double speed, std::size_t burst);

// The metadata block for a text: length byte, text, NUL padding.
std::string metaBlock(const std::string& text);

// A streaming reply with an "ICY 200 OK" status line and the given extra headers.
fixture::Reply icyReply(Feed feed, std::vector<std::pair<std::string, std::string>> headers,
                        std::string statusLine = "ICY 200 OK");

}  // namespace icyfeed
