// How long a create call takes on a live stream that starts with a burst and then trickles in
// real time, as Icecast sends it: both readers decide from what the burst brought.

#include <gtest/gtest.h>

#include "EngineFixture.h"
#include "FormatProbe.h"
#include "IcyFeed.h"
#include "TestMedia.h"

namespace {

using namespace std::chrono_literals;
using enginetest::EngineTest;
using Clock = std::chrono::steady_clock;

// Waiting for real-time data beyond the burst costs seconds (about 4 s for each reader here);
// deciding from it, milliseconds.
constexpr auto kOpenBound = 2000ms;
constexpr std::uint32_t kPatientMs = 10000;  // the engine's timeout, beyond the old wait

// A live mount joined in the middle of a frame, 64 KiB at once, then real time; the audio is
// long enough that the burst does not wrap round it.
fixture::Reply burstThenRealTime(std::string audio, std::size_t byteRate,
                                 std::vector<std::pair<std::string, std::string>> headers) {
    icyfeed::Feed feed;
    feed.audio = audio.substr(audio.size() / 3 + 7);
    feed.burst = 64 * 1024;
    feed.bytesPerSecond = byteRate;
    feed.interval = 16000;
    headers.emplace_back("icy-metaint", "16000");
    return icyfeed::icyReply(feed, std::move(headers), "HTTP/1.0 200 OK");
}

struct Timed {
    audio::HSTREAM handle;
    Clock::duration took;
};

Timed create(bool aac, const std::string& url) {
    const auto start = Clock::now();
    const audio::HSTREAM h =
        aac ? audio::AacStreamCreateURL(url.c_str(), 0, audio::STREAM_STATUS, nullptr, nullptr)
            : audio::StreamCreateURL(url.c_str(), 0, audio::STREAM_STATUS, nullptr, nullptr);
    return {h, Clock::now() - start};
}

TEST_F(EngineTest, Mp3BurstOpensWithoutWaitingForRealTimeData) {
    audio::SetConfig(audio::CONFIG_NET_TIMEOUT, kPatientMs);
    // With and without a content type: the AAC reader refuses from the reply or the bytes.
    for (const bool typed : {true, false}) {
        const std::string path = typed ? "/typed.mp3" : "/untyped";
        server.route(path,
                     burstThenRealTime(
                         testmedia::mp3(12.0), testmedia::kMp3ByteRate,
                         typed ? std::vector<std::pair<std::string, std::string>>{{"Content-Type",
                                                                                   "audio/mpeg"}}
                               : std::vector<std::pair<std::string, std::string>>{}));
        const std::string url = server.url(path);
        const Timed refused = create(true, url);
        EXPECT_EQ(refused.handle, 0u) << path;
        EXPECT_EQ(audio::ErrorGetCode(), audio::ERROR_FILEFORM) << path;
        EXPECT_LT(refused.took, kOpenBound) << path;

        audio::SetConfig(audio::CONFIG_NET_BUFFER, 2000);  // the burst covers three quarters
        const Timed opened = create(false, url);
        ASSERT_NE(opened.handle, 0u) << path;
        handles.push_back(opened.handle);
        EXPECT_LT(opened.took, kOpenBound) << path;
        // The rest of the burst may still be on its way when the format is known.
        EXPECT_TRUE(enginetest::eventually(
            [&] { return enginetest::bufferedPercent(opened.handle) > 75u; }, 1s))
            << path << " " << enginetest::bufferedPercent(opened.handle) << " %";
        audio::ChannelInfo info;
        ASSERT_TRUE(audio::ChannelGetInfo(opened.handle, &info));
        EXPECT_EQ(info.freq, 44100u);
        EXPECT_EQ(info.chans, 2u);
        EXPECT_EQ(server.requestCount(path), 2u);
        audio::SetConfig(audio::CONFIG_NET_BUFFER, 5000);
    }
}

// What the format's probe read ahead is still to be played, so it counts as buffered: a 64 KiB
// burst is 82 % of a 5 s buffer at 128 kbit/s, and the stream is ready to play while the
// server sends nothing more for seconds. Counting the probe's bytes as played left 66 %.
TEST_F(EngineTest, BurstCoveringThreeQuartersIsReadyWithoutMoreData) {
    audio::SetConfig(audio::CONFIG_NET_TIMEOUT, kPatientMs);
    const std::string audio = testmedia::mp3(12.0);
    icyfeed::Feed feed;
    feed.audio = audio.substr(audio.size() / 3 + 7);
    feed.burst = 64 * 1024;
    feed.bytesPerSecond = testmedia::kMp3ByteRate;
    feed.interval = 0;
    feed.stallAfterBurst = 4000ms;
    server.route("/live", icyfeed::icyReply(feed, {{"Content-Type", "audio/mpeg"}}));
    const Timed opened = create(false, server.url("/live"));
    ASSERT_NE(opened.handle, 0u) << audio::ErrorGetCode();
    handles.push_back(opened.handle);
    std::uint32_t percent = 0;
    EXPECT_TRUE(enginetest::eventually(
        [&] { return (percent = enginetest::bufferedPercent(opened.handle)) > 75u; },
        1500ms - std::chrono::duration_cast<std::chrono::milliseconds>(opened.took)))
        << percent << " %";
    EXPECT_LE(percent, 100u);
    // Played, the fill goes down from there as the decoder takes what the probe held.
    ASSERT_TRUE(audio::ChannelPlay(opened.handle, false));
    EXPECT_TRUE(enginetest::eventually(
        [&] { return enginetest::bufferedPercent(opened.handle) < percent - 5; }, 2s));
}

TEST_F(EngineTest, AacBurstOpensInTheAacReaderWithoutWaiting) {
    audio::SetConfig(audio::CONFIG_NET_TIMEOUT, kPatientMs);
    const std::string adts = testmedia::aac(12.0);
    // A generic content type: only the bytes can tell.
    server.route("/live", burstThenRealTime(adts, adts.size() / 12,
                                            {{"Content-Type", "application/octet-stream"}}));
    const Timed opened = create(true, server.url("/live"));
    ASSERT_NE(opened.handle, 0u) << audio::ErrorGetCode();
    handles.push_back(opened.handle);
    EXPECT_LT(opened.took, kOpenBound);
    EXPECT_EQ(server.requestCount("/live"), 1u);
}

TEST(MediaTypeTest, ParametersCaseAndBlanksDoNotHideTheType) {
    EXPECT_EQ(audio::MediaType("Audio/MPEG; charset=x"), "audio/mpeg");
    EXPECT_EQ(audio::MediaType(" audio/aacp "), "audio/aacp");
    EXPECT_EQ(audio::MediaType(""), "");
    EXPECT_TRUE(audio::NamesOtherThanAac("audio/mpeg"));
    EXPECT_TRUE(audio::NamesOtherThanAac("application/ogg"));
    // AAC, generic and unknown types leave the decision to the bytes.
    EXPECT_FALSE(audio::NamesOtherThanAac("audio/aac"));
    EXPECT_FALSE(audio::NamesOtherThanAac("application/octet-stream"));
    EXPECT_FALSE(audio::NamesOtherThanAac(""));
}

}  // namespace
