#include "IcyFeed.h"

#include <algorithm>
#include <utility>

#include "TestMedia.h"

namespace icyfeed {

Feed toneFeed(double speed, std::size_t burst) {
    Feed feed;
    feed.audio = testmedia::mp3(2.0);
    feed.burst = burst;
    feed.speed = speed;
    return feed;
}

std::string metaBlock(const std::string& text) {
    const std::size_t units = (text.size() + 15) / 16;
    std::string block(1, static_cast<char>(units));
    block += text;
    block.append(units * 16 - text.size(), '\0');
    return block;
}

fixture::Reply icyReply(Feed feed, std::vector<std::pair<std::string, std::string>> headers,
                        std::string statusLine) {
    fixture::Reply reply;
    reply.statusLine = std::move(statusLine);
    reply.headers = std::move(headers);
    reply.stream = [feed = std::move(feed)](fixture::Connection& c) {
        using Clock = std::chrono::steady_clock;
        const auto start = Clock::now();
        std::size_t sent = 0;  // audio bytes
        std::size_t untilMeta = feed.interval;
        std::size_t titleIndex = 0;
        std::size_t titleSent = SIZE_MAX;
        const std::size_t step = 1024;
        bool stalled = false;
        while (sent < feed.stopAfter && !feed.audio.empty()) {
            if (sent >= feed.burst) {
                if (!stalled && feed.stallAfterBurst.count() > 0) {
                    stalled = true;
                    if (!c.sleepFor(feed.stallAfterBurst)) {
                        return;
                    }
                }
                const double due = static_cast<double>(sent - feed.burst) /
                                   (static_cast<double>(feed.bytesPerSecond) * feed.speed);
                const auto at = start + std::chrono::duration_cast<Clock::duration>(
                                            std::chrono::duration<double>(due));
                const auto wait =
                    std::chrono::duration_cast<std::chrono::milliseconds>(at - Clock::now());
                if (wait.count() > 0 && !c.sleepFor(wait)) {
                    return;
                }
            }
            std::size_t n = std::min(step, feed.stopAfter - sent);
            if (feed.interval > 0) {
                n = std::min(n, untilMeta);
            }
            std::string out;
            for (std::size_t i = 0; i < n; ++i) {
                out += feed.audio[(sent + i) % feed.audio.size()];
            }
            sent += n;
            if (feed.interval > 0) {
                untilMeta -= n;
                if (untilMeta == 0) {
                    untilMeta = feed.interval;
                    if (!feed.titles.empty()) {
                        const auto elapsed = Clock::now() - start;
                        titleIndex = std::min<std::size_t>(
                            static_cast<std::size_t>(elapsed / feed.titleEvery),
                            feed.titles.size() - 1);
                    }
                    if (!feed.titles.empty() && titleIndex != titleSent) {
                        out += metaBlock(feed.titles[titleIndex]);
                        titleSent = titleIndex;
                    } else {
                        out += std::string(1, '\0');
                    }
                }
            }
            if (!c.write(out)) {
                return;
            }
        }
    };
    return reply;
}

}  // namespace icyfeed
