// What the players read of a stream: reply head, ICY tags, metadata, buffer positions, format.

#include <gtest/gtest.h>

#include <thread>

#include "EngineFixture.h"
#include "IcyFeed.h"
#include "TestMedia.h"

namespace {

using namespace std::chrono_literals;
using enginetest::EngineTest;
using enginetest::Recorder;

std::string lines(std::initializer_list<const char*> list) {
    std::string out;
    for (const char* l : list) {
        out += l;
        out += '\0';
    }
    return out;
}

icyfeed::Feed liveFeed() {
    return icyfeed::toneFeed(2.0, 16000);
}

struct StatusCase {
    const char* statusLine;
    bool chunked;
};

class StatusLines : public EngineTest, public ::testing::WithParamInterface<StatusCase> {};

TEST_P(StatusLines, HeadReachesTheCallbackExactlyAndTheStreamOpens) {
    const StatusCase c = GetParam();
    fixture::Reply reply;
    reply.statusLine = c.statusLine;
    reply.headers = {{"Content-Type", "audio/mpeg"}, {"icy-name", "Radio One"}};
    reply.body = testmedia::mp3();
    reply.chunked = c.chunked;
    server.route("/s", reply);

    Recorder rec;
    const audio::HSTREAM h = open("/s", &rec);
    ASSERT_NE(h, 0u) << audio::ErrorGetCode();
    ASSERT_EQ(rec.heads.size(), 1u);
    const std::string expected =
        std::string(c.statusLine) + '\0' +
        lines({"Content-Type: audio/mpeg", "icy-name: Radio One"}) +
        (c.chunked ? lines({"Transfer-Encoding: chunked"})
                   : "Content-Length: " + std::to_string(reply.body.size()) + '\0') +
        lines({"Connection: close"});
    EXPECT_EQ(rec.heads[0], expected);

    const char* icy = audio::ChannelGetTags(h, audio::TAG_ICY);
    ASSERT_NE(icy, nullptr);
    EXPECT_EQ(std::string(icy, expected.size() + 1), expected + '\0');

    const auto req = server.requests().at(0);
    EXPECT_EQ(req.header("icy-metadata"), "1");
    EXPECT_EQ(req.header("user-agent"), "zelkor-engine/1.0");
}

INSTANTIATE_TEST_SUITE_P(Audio, StatusLines,
                         ::testing::Values(StatusCase{"ICY 200 OK", false},
                                           StatusCase{"HTTP/1.0 200 OK", false},
                                           StatusCase{"HTTP/1.1 200 OK", false},
                                           StatusCase{"HTTP/1.1 200 OK", true}));

TEST_F(EngineTest, IcyTagsMetadataAndTitleChangesInOrder) {
    icyfeed::Feed feed = liveFeed();
    feed.interval = 4000;
    feed.titles = {"StreamTitle='First';StreamUrl='';", "StreamTitle='Second';",
                   "StreamTitle='Third';"};
    feed.titleEvery = 400ms;
    server.route("/live", icyfeed::icyReply(feed, {{"icy-name", "Radio One"},
                                                   {"icy-br", "128"},
                                                   {"icy-metaint", "4000"}}));
    audio::SetConfigPtr(audio::CONFIG_NET_AGENT, "brenvikdesktop");
    Recorder rec;
    const audio::HSTREAM h = open("/live", &rec);
    ASSERT_NE(h, 0u) << audio::ErrorGetCode();
    EXPECT_EQ(server.requests().at(0).header("user-agent"), "brenvikdesktop");
    ASSERT_NE(audio::ChannelSetSync(h, audio::SYNC_META, 0, &Recorder::onSync, &rec), 0u);

    const char* icy = audio::ChannelGetTags(h, audio::TAG_ICY);
    ASSERT_NE(icy, nullptr);
    const std::string want = lines({"ICY 200 OK", "icy-name: Radio One", "icy-br: 128",
                                    "icy-metaint: 4000", "Connection: close", ""});
    EXPECT_EQ(std::string(icy, want.size()), want);

    // The first title came with the first block, before the sync was set.
    ASSERT_TRUE(enginetest::eventually(
        [&] { return audio::ChannelGetTags(h, audio::TAG_META) != nullptr; }, 3s));
    ASSERT_TRUE(audio::ChannelPlay(h, false));
    ASSERT_TRUE(rec.waitUntil([&] { return rec.metas.size() >= 2; }, 5s));
    std::lock_guard lock(rec.mutex);
    const std::vector<std::string> titles{"StreamTitle='Second';", "StreamTitle='Third';"};
    EXPECT_EQ(rec.metas, titles);
    EXPECT_STREQ(audio::ChannelGetTags(h, audio::TAG_META), "StreamTitle='Third';");
}

TEST_F(EngineTest, NoIcyHeadersMeansNoIcyTags) {
    server.route("/plain", fixture::Reply::text(testmedia::mp3(), "audio/mpeg"));
    const audio::HSTREAM h = open("/plain");
    ASSERT_NE(h, 0u);
    EXPECT_EQ(audio::ChannelGetTags(h, audio::TAG_ICY), nullptr);
    EXPECT_EQ(audio::ErrorGetCode(), audio::ERROR_NOTAVAIL);
    EXPECT_EQ(audio::ChannelGetTags(h, audio::TAG_META), nullptr);
}

TEST_F(EngineTest, LiveBufferFillsPastThreeQuartersBeforePlayAndStaysBounded) {
    audio::SetConfig(audio::CONFIG_NET_BUFFER, 2000);
    icyfeed::Feed feed = liveFeed();
    feed.speed = 4.0;
    server.route("/live", icyfeed::icyReply(feed, {{"icy-metaint", "8192"}}));
    const audio::HSTREAM h = open("/live");
    ASSERT_NE(h, 0u);
    // 2000 ms at 128 kbit/s.
    EXPECT_EQ(audio::StreamGetFilePosition(h, audio::FILEPOS_END), 32000u);
    std::uint32_t percent = 0;
    ASSERT_TRUE(
        enginetest::eventually([&] { return (percent = enginetest::bufferedPercent(h)) > 75; }, 5s))
        << percent;
    // Not playing: the download pauses once the buffer is full.
    std::this_thread::sleep_for(500ms);
    const std::uint32_t down = audio::StreamGetFilePosition(h, audio::FILEPOS_DOWNLOAD);
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(audio::StreamGetFilePosition(h, audio::FILEPOS_DOWNLOAD), down);
    EXPECT_LE(enginetest::bufferedPercent(h), 100u);

    ASSERT_TRUE(audio::ChannelPlay(h, false));
    EXPECT_TRUE(enginetest::eventually(
        [&] { return audio::StreamGetFilePosition(h, audio::FILEPOS_DOWNLOAD) > down; }, 3s));
    EXPECT_EQ(audio::ChannelGetLength(h), audio::POS_FAILURE64);
    EXPECT_EQ(audio::ErrorGetCode(), audio::ERROR_NOTAVAIL);
}

TEST_F(EngineTest, FileEndIsItsLengthAndLengthMeetsPositionAfterPlaying) {
    const std::string clip = testmedia::mp3(1.0);
    fixture::Reply slowly = fixture::Reply::text(clip, "audio/mpeg");
    slowly.delayBetweenChunks = 100ms;  // still downloading when the create returns
    server.route("/clip.mp3", slowly);
    const audio::HSTREAM h = open("/clip.mp3");
    ASSERT_NE(h, 0u);
    EXPECT_EQ(audio::StreamGetFilePosition(h, audio::FILEPOS_END), clip.size());
    ASSERT_TRUE(enginetest::eventually(
        [&] { return audio::StreamGetFilePosition(h, audio::FILEPOS_DOWNLOAD) == clip.size(); },
        3s));
    // Downloaded whole: what is left is all of it, a full buffer (or none left to wait for).
    EXPECT_TRUE(audio::StreamGetFilePosition(h, audio::FILEPOS_END) == 0 ||
                enginetest::bufferedPercent(h) == 100u);

    audio::ChannelInfo info;
    ASSERT_TRUE(audio::ChannelGetInfo(h, &info));
    EXPECT_EQ(info.freq, 44100u);
    EXPECT_EQ(info.chans, 2u);

    const std::uint64_t before = audio::ChannelGetLength(h);
    EXPECT_NE(before, audio::ChannelGetPosition(h));
    ASSERT_TRUE(audio::ChannelPlay(h, false));
    ASSERT_TRUE(enginetest::eventually(
        [&] { return audio::ChannelGetLength(h) == audio::ChannelGetPosition(h); }, 4s));
    // One second of 16-bit stereo at 44100 Hz, give or take the encoder's padding.
    const std::uint64_t length = audio::ChannelGetLength(h);
    EXPECT_GE(length, 44100u * 4);
    EXPECT_LE(length, 44100u * 4 + 4 * 4096);
    EXPECT_EQ(audio::ChannelGetPosition(h), length);
}

TEST_F(EngineTest, InfoIsTheStreamsOwnFormat) {
    server.route("/mono", fixture::Reply::text(testmedia::mp3Mono22050(), "audio/mpeg"));
    const audio::HSTREAM h = open("/mono");
    ASSERT_NE(h, 0u);
    audio::ChannelInfo info;
    ASSERT_TRUE(audio::ChannelGetInfo(h, &info));
    EXPECT_EQ(info.freq, 22050u);
    EXPECT_EQ(info.chans, 1u);
    EXPECT_FALSE(audio::ChannelGetInfo(h, nullptr));
}

TEST_F(EngineTest, AacReaderRefusesMp3AndOpensAac) {
    server.route("/mp3", fixture::Reply::text(testmedia::mp3(), "audio/mpeg"));
    server.route("/aac", fixture::Reply::text(testmedia::aac(), "audio/aac"));
    Recorder rec;
    const std::string mp3Url = server.url("/mp3");
    EXPECT_EQ(audio::AacStreamCreateURL(mp3Url.c_str(), 0, audio::STREAM_STATUS,
                                        &Recorder::onDownload, &rec),
              0u);
    EXPECT_EQ(audio::ErrorGetCode(), audio::ERROR_FILEFORM);
    // The refusal came after a real connection, whose head was reported.
    EXPECT_EQ(rec.heads.size(), 1u);
    EXPECT_EQ(server.requestCount("/mp3"), 1u);

    const std::string aacUrl = server.url("/aac");
    const audio::HSTREAM h = audio::AacStreamCreateURL(aacUrl.c_str(), 0, audio::STREAM_STATUS,
                                                       &Recorder::onDownload, &rec);
    ASSERT_NE(h, 0u);
    handles.push_back(h);
    audio::ChannelInfo info;
    ASSERT_TRUE(audio::ChannelGetInfo(h, &info));
    EXPECT_EQ(info.freq, 44100u);
    EXPECT_EQ(rec.heads.size(), 2u);
}

TEST_F(EngineTest, OtherFormatsOpenAndPlayToTheEnd) {
    const std::vector<std::pair<std::string, std::string>> formats{
        {"tone.ogg", "-ar 44100 -ac 2 -c:a libvorbis"},
        {"tone.opus", "-ar 48000 -ac 2 -c:a libopus -f ogg"},
        {"tone.m4a.aac", "-ar 44100 -ac 2 -c:a aac -f adts"}};
    for (const auto& [name, args] : formats) {
        server.route("/" + name, fixture::Reply::text(testmedia::tone(name, args, 0.5), "audio"));
        const audio::HSTREAM h = open("/" + name);
        ASSERT_NE(h, 0u) << name;
        ASSERT_TRUE(audio::ChannelPlay(h, false));
        EXPECT_TRUE(enginetest::eventually(
            [&] { return audio::ChannelGetLength(h) == audio::ChannelGetPosition(h); }, 4s))
            << name;
    }
}

}  // namespace
