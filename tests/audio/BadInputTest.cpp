// Servers that misbehave: a failure code or silence, never a crash, a hang or unbounded memory.

#include <gtest/gtest.h>

#include <random>
#include <thread>

#include "EngineFixture.h"
#include "IcyFeed.h"
#include "TestMedia.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using enginetest::EngineTest;
using enginetest::Recorder;

icyfeed::Feed fastFeed() {
    return icyfeed::toneFeed(4.0, 24000);
}

// Plays h for a while; it must keep answering and must not end early.
void playsFor(audio::HSTREAM h, std::chrono::milliseconds time) {
    ASSERT_TRUE(audio::ChannelPlay(h, false));
    std::this_thread::sleep_for(time);
    EXPECT_NE(audio::StreamGetFilePosition(h, audio::FILEPOS_CURRENT), audio::POS_FAILURE32);
}

TEST_F(EngineTest, MetaIntervalZeroOrAbsurdPlaysWithoutTitles) {
    for (const char* value : {"0", "99999999999999999999", "-5", "abc"}) {
        server.route("/s", icyfeed::icyReply(fastFeed(), {{"icy-metaint", value}}));
        const audio::HSTREAM h = open("/s");
        ASSERT_NE(h, 0u) << value;
        playsFor(h, 300ms);
        EXPECT_EQ(audio::ChannelGetTags(h, audio::TAG_META), nullptr) << value;
    }
}

TEST_F(EngineTest, MetadataLengthRunningPastTheEndOfData) {
    // Audio, then a length byte promising 4080 bytes, then the server hangs up.
    const std::string audioPart = testmedia::mp3(1.0).substr(0, 8000);
    fixture::Reply reply;
    reply.statusLine = "ICY 200 OK";
    reply.headers = {{"icy-metaint", "8000"}};
    reply.body = audioPart + "\xff" + "StreamTitle='never ends";
    reply.contentLength = false;
    server.route("/s", reply);
    Recorder rec;
    const audio::HSTREAM h = open("/s");
    ASSERT_NE(h, 0u);
    ASSERT_NE(audio::ChannelSetSync(h, audio::SYNC_META, 0, &Recorder::onSync, &rec), 0u);
    playsFor(h, 400ms);
    EXPECT_EQ(audio::ChannelGetTags(h, audio::TAG_META), nullptr);
    EXPECT_TRUE(rec.metas.empty());
}

TEST_F(EngineTest, HtmlInsteadOfAudioFailsTheCreate) {
    std::string page = "<!DOCTYPE html><html><head><title>Not here</title></head><body>";
    for (int i = 0; i < 400; ++i) {
        page += "<p>This station has moved. Please update your player.</p>\n";
    }
    page += "</body></html>";
    server.route("/page", fixture::Reply::text(page, "text/html"));
    EXPECT_EQ(open("/page"), 0u);
    EXPECT_EQ(audio::ErrorGetCode(), audio::ERROR_FILEFORM);
}

TEST_F(EngineTest, ErrorStatusFailsWithoutReportingTheHead) {
    server.route("/gone", fixture::Reply::status(404, "Not Found", "no"));
    Recorder rec;
    EXPECT_EQ(open("/gone", &rec), 0u);
    EXPECT_EQ(audio::ErrorGetCode(), audio::ERROR_FILEOPEN);
    EXPECT_TRUE(rec.heads.empty());
    EXPECT_EQ(open("/nowhere"), 0u);
}

TEST_F(EngineTest, RedirectsAreFollowedUpToFive) {
    server.route("/clip", fixture::Reply::text(testmedia::mp3(), "audio/mpeg"));
    for (int i = 1; i <= 6; ++i) {
        server.route(
            "/r" + std::to_string(i),
            fixture::Reply::redirect(server.url(i == 1 ? "/clip" : "/r" + std::to_string(i - 1))));
    }
    Recorder rec;
    const audio::HSTREAM h = open("/r5", &rec);
    ASSERT_NE(h, 0u);
    ASSERT_EQ(rec.heads.size(), 1u);
    EXPECT_EQ(rec.heads[0].substr(0, 16), std::string("HTTP/1.1 200 OK\0", 16));
    EXPECT_EQ(open("/r6"), 0u);
    EXPECT_EQ(audio::ErrorGetCode(), audio::ERROR_FILEOPEN);
}

TEST_F(EngineTest, TruncatedAndCorruptFramesStillPlayToAnEnd) {
    const std::string clip = testmedia::mp3(1.0);
    std::string corrupt = clip;
    std::mt19937 random(7);
    for (std::size_t i = 2000; i < corrupt.size(); i += 997) {
        for (std::size_t j = i; j < std::min(i + 64, corrupt.size()); ++j) {
            corrupt[j] = static_cast<char>(random());
        }
    }
    fixture::Reply truncated = fixture::Reply::text(clip, "audio/mpeg");
    truncated.truncateAfter = clip.size() / 2 + 17;  // cut inside a frame
    server.route("/truncated", truncated);
    server.route("/corrupt", fixture::Reply::text(corrupt, "audio/mpeg"));
    for (const char* path : {"/truncated", "/corrupt"}) {
        const audio::HSTREAM h = open(path);
        ASSERT_NE(h, 0u) << path;
        ASSERT_TRUE(audio::ChannelPlay(h, false));
        EXPECT_TRUE(enginetest::eventually(
            [&] { return audio::ChannelGetLength(h) == audio::ChannelGetPosition(h); }, 4s))
            << path;
    }
}

TEST_F(EngineTest, StalledServerFailsTheCreateInBoundedTime) {
    audio::SetConfig(audio::CONFIG_NET_TIMEOUT, 1000);
    fixture::Reply noHead;
    noHead.delayBeforeHead = 10s;
    server.route("/nohead", noHead);
    fixture::Reply noBody;
    noBody.headers = {{"Content-Type", "audio/mpeg"}};
    noBody.stream = [](fixture::Connection& c) { c.sleepFor(10s); };
    server.route("/nobody", noBody);
    for (const char* path : {"/nohead", "/nobody"}) {
        const auto start = Clock::now();
        EXPECT_EQ(open(path), 0u) << path;
        EXPECT_EQ(audio::ErrorGetCode(), audio::ERROR_TIMEOUT) << path;
        EXPECT_LT(Clock::now() - start, 3s) << path;
    }
}

TEST_F(EngineTest, StallAfterPlaybackStartsIsSilenceThenPlaysOn) {
    icyfeed::Feed feed = fastFeed();
    feed.stallAfterBurst = 1500ms;
    server.route("/s", icyfeed::icyReply(feed, {}));
    const audio::HSTREAM h = open("/s");
    ASSERT_NE(h, 0u);
    ASSERT_TRUE(audio::ChannelPlay(h, false));
    const std::uint32_t down = audio::StreamGetFilePosition(h, audio::FILEPOS_DOWNLOAD);
    EXPECT_TRUE(enginetest::eventually(
        [&] { return audio::StreamGetFilePosition(h, audio::FILEPOS_DOWNLOAD) > down + 16000; },
        5s));
}

TEST_F(EngineTest, HugeContentLengthKeepsMemoryBounded) {
    const std::string clip = testmedia::mp3(2.0);
    fixture::Reply reply;
    reply.headers = {{"Content-Type", "audio/mpeg"}, {"Content-Length", "1073741824"}};
    reply.stream = [clip](fixture::Connection& c) {
        while (c.write(clip)) {
        }
    };
    server.route("/big", reply);
    const audio::HSTREAM h = open("/big");
    ASSERT_NE(h, 0u);
    // Too long for the buffer: buffered like a stream, 5 s at 128 kbit/s.
    EXPECT_EQ(audio::StreamGetFilePosition(h, audio::FILEPOS_END), 80000u);
    // The download fills the buffer and then waits.
    std::uint32_t last = 0;
    for (int i = 0; i < 30; ++i) {
        std::this_thread::sleep_for(300ms);
        const std::uint32_t now = audio::StreamGetFilePosition(h, audio::FILEPOS_DOWNLOAD);
        if (now == last && now > 0) {
            break;
        }
        last = now;
    }
    // The buffer, and what the probe took from it.
    EXPECT_LE(last, 80000u + 64u * 1024);
    EXPECT_GT(enginetest::bufferedPercent(h), 75u);
}

}  // namespace
