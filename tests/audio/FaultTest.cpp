// Servers that fail in the middle: every way a download can end, stall or go bad leads to a
// finished wait, a reported end and a closed connection within a bounded time.

#include <gtest/gtest.h>

#include <thread>

#include "EngineFixture.h"
#include "FaultStream.h"
#include "TestMedia.h"

namespace {

using namespace std::chrono_literals;
using enginetest::EngineTest;
using enginetest::Recorder;

constexpr std::uint32_t kLiveEnd = 80000;  // 5000 ms at 128 kbit/s

fixture::FaultPlan tonePlan() {
    fixture::FaultPlan plan;
    plan.audio = testmedia::mp3(2.0);
    plan.bytesPerSecond = testmedia::kMp3ByteRate;
    return plan;
}

// The workers' wait: over when the fill is past threshold or there is nothing to wait for.
bool waitIsOver(audio::HSTREAM h, std::uint32_t threshold) {
    const std::uint32_t end = audio::StreamGetFilePosition(h, audio::FILEPOS_END);
    return end == 0 || end == audio::POS_FAILURE32 || enginetest::bufferedPercent(h) > threshold;
}

bool closedByPlayer(const fixture::FixtureServer& server) {
    return enginetest::eventually([&] { return server.openConnections() == 0; }, 3s);
}

TEST_F(EngineTest, DownloadEndingOrStallingBeforeTheBufferIsFullEndsTheWait) {
    fixture::FaultPlan closes = tonePlan();
    closes.burst = 30000;  // 37 % of the buffer
    closes.closeAfter = 30000;
    fixture::RouteFaultStream(server, "/closes", closes);
    fixture::FaultPlan stalls = tonePlan();
    stalls.burst = 30000;
    stalls.stallAfter = 30000;
    fixture::RouteFaultStream(server, "/stalls", stalls);

    for (const char* path : {"/closes", "/stalls"}) {
        const auto start = std::chrono::steady_clock::now();
        const audio::HSTREAM h = open(path);
        ASSERT_NE(h, 0u) << path;
        EXPECT_LE(audio::StreamGetFilePosition(h, audio::FILEPOS_END), kLiveEnd) << path;
        // The net timeout is 2 s here: a stall counts as the end after that.
        EXPECT_TRUE(enginetest::eventually([&] { return waitIsOver(h, 75); }, 4s)) << path;
        EXPECT_LT(enginetest::bufferedPercent(h), 101u) << path;
        EXPECT_TRUE(closedByPlayer(server)) << path;
        // Nothing will come: what is left plays and the channel ends.
        ASSERT_TRUE(audio::ChannelPlay(h, false));
        EXPECT_TRUE(
            enginetest::eventually([&] { return audio::ChannelPlay(h, false) == false; }, 6s))
            << path;
        EXPECT_LT(std::chrono::steady_clock::now() - start, 10s) << path;
    }
}

TEST_F(EngineTest, ClipWithoutContentLengthIsBufferedAndPlaysToItsEnd) {
    fixture::Reply clip = fixture::Reply::text(testmedia::mp3(1.0), "audio/mpeg");
    clip.contentLength = false;
    server.route("/clip", clip);
    const audio::HSTREAM h = open("/clip");
    ASSERT_NE(h, 0u);
    ASSERT_TRUE(enginetest::eventually([&] { return waitIsOver(h, 30); }, 3s))
        << enginetest::bufferedPercent(h);
    ASSERT_TRUE(audio::ChannelPlay(h, false));
    EXPECT_TRUE(enginetest::eventually(
        [&] { return audio::ChannelGetLength(h) == audio::ChannelGetPosition(h); }, 4s));
    EXPECT_GE(audio::ChannelGetPosition(h), 44100u * 4 * 9 / 10);
}

TEST_F(EngineTest, DecoderThatCannotGoOnEndsTheDownload) {
    fixture::FaultPlan junk = tonePlan();
    junk.burst = 48000;
    junk.junkAfter = 48000;
    junk.speed = 4.0;
    fixture::RouteFaultStream(server, "/junk", junk);
    Recorder rec;
    const audio::HSTREAM h = open("/junk");
    ASSERT_NE(h, 0u);
    ASSERT_NE(audio::ChannelSetSync(h, audio::SYNC_DOWNLOAD, 0, &Recorder::onSync, &rec), 0u);
    ASSERT_TRUE(audio::ChannelPlay(h, false));
    EXPECT_TRUE(rec.waitUntil([&] { return rec.downloadEnds == 1; }, 8s));
    EXPECT_TRUE(closedByPlayer(server));
    // The sound stops: the position stands still once the good part has played.
    ASSERT_TRUE(enginetest::eventually([&] { return !audio::ChannelPlay(h, false); }, 6s));
    const std::uint64_t played = audio::ChannelGetPosition(h);
    EXPECT_GE(played, 44100u * 4 * 2);  // the 3 s before the junk, give or take
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(audio::ChannelGetPosition(h), played);
}

TEST_F(EngineTest, DropSyncSetAfterTheDropFiresAtOnce) {
    fixture::FaultPlan drops = tonePlan();
    drops.burst = 70000;
    drops.closeAfter = 70000;  // hangs up right after the burst
    fixture::RouteFaultStream(server, "/drops", drops);
    const audio::HSTREAM h = open("/drops");
    ASSERT_NE(h, 0u);
    ASSERT_TRUE(closedByPlayer(server));
    ASSERT_TRUE(enginetest::eventually([&] { return waitIsOver(h, 75); }, 2s));
    Recorder rec;
    ASSERT_NE(audio::ChannelSetSync(h, audio::SYNC_DOWNLOAD, 0, &Recorder::onSync, &rec), 0u);
    EXPECT_EQ(rec.downloadEnds, 1);
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(rec.downloadEnds, 1);
}

TEST_F(EngineTest, ClaimedLengthOfALiveReplyDoesNotMakeItAFile) {
    fixture::FaultPlan bogus = tonePlan();
    bogus.statusLine = "HTTP/1.0 200 OK";
    bogus.headers = {{"Content-Type", "audio/mpeg"}, {"Content-Length", "1073741824"}};
    fixture::RouteFaultStream(server, "/bogus", bogus);
    fixture::FaultPlan icy = bogus;
    icy.headers = {{"Content-Length", "54321"}, {"icy-metaint", "0"}};
    fixture::RouteFaultStream(server, "/icy", icy);
    for (const char* path : {"/bogus", "/icy"}) {
        const auto start = std::chrono::steady_clock::now();
        const audio::HSTREAM h = open(path);
        ASSERT_NE(h, 0u) << path;
        EXPECT_EQ(audio::StreamGetFilePosition(h, audio::FILEPOS_END), kLiveEnd) << path;
        // At the stream's own pace, 76 % of 5 s of audio takes about 4 s.
        EXPECT_TRUE(enginetest::eventually([&] { return waitIsOver(h, 75); }, 7s)) << path;
        EXPECT_LT(std::chrono::steady_clock::now() - start, 8s) << path;
        audio::StreamFree(h);
    }
}

TEST_F(EngineTest, FillNeverReadsOverAHundredOnASlowStreamWithABigBurst) {
    fixture::FaultPlan slow;
    slow.audio = testmedia::mp3Mono22050(4.0);
    slow.bytesPerSecond = 4000;  // 32 kbit/s: its buffer is 20000 bytes
    slow.burst = 64 * 1024;
    fixture::RouteFaultStream(server, "/slow", slow);
    const audio::HSTREAM h = open("/slow");
    ASSERT_NE(h, 0u);
    std::uint32_t highest = 0;
    const auto until = std::chrono::steady_clock::now() + 1500ms;
    while (std::chrono::steady_clock::now() < until) {
        highest = std::max(highest, enginetest::bufferedPercent(h));
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_GT(highest, 75u);
    EXPECT_LE(highest, 100u);
}

}  // namespace
