#include <gtest/gtest.h>

#include <algorithm>

#include <QTest>

#include "Audio.h"
#include "IcyStream.h"
#include "PlayerRig.h"

namespace playertest {
namespace {

using namespace std::chrono_literals;

const QString kConnecting = Entry('1', QString::fromUtf8("Bağlanıyor..."));
const QString kNoConnection = Entry('1', QString::fromUtf8("Bağlantı Yok"));
const QString kTitle = Entry('2', QStringLiteral("Artist - Song"));

bool IsBuffering(const QString& entry) {
    return entry.startsWith(Entry('1', QString::fromUtf8("Arabelleğe Alınıyor... ")));
}

// The middle gap between consecutive moments: a busy machine delays some timer ticks, but a
// wrong interval moves the median.
std::chrono::steady_clock::duration MedianGap(
    const std::vector<std::chrono::steady_clock::time_point>& times) {
    std::vector<std::chrono::steady_clock::duration> gaps;
    for (std::size_t i = 1; i < times.size(); ++i) {
        gaps.push_back(times[i] - times[i - 1]);
    }
    std::nth_element(gaps.begin(), gaps.begin() + gaps.size() / 2, gaps.end());
    return gaps[gaps.size() / 2];
}

int FindBuffering(const QStringList& log, int from) {
    for (int i = from; i >= 0 && i < log.size(); ++i) {
        if (IsBuffering(log[i])) {
            return i;
        }
    }
    return -1;
}

class TransportTest : public ::testing::Test {
protected:
    TransportTest() {
        onAir->set("Artist - Song");
        IcyStation live;
        live.audio = ReadMedia("live.mp3");
        live.head = "ICY 200 OK\r\nicy-name:Radio One\r\nIcy-Name:Ignored\r\nicy-br:128";
        live.metaInt = 8192;
        live.onAir = onAir;
        server.route("/live", IcyReply(live));
        IcyStation slow = live;
        slow.bytesPerSecond = 12000;
        server.route("/slow", IcyReply(slow));
        IcyStation mono;
        mono.audio = ReadMedia("mono22.mp3");
        mono.head = "HTTP/1.0 200 OK\r\nContent-Type: audio/mpeg";
        server.route("/mono", IcyReply(mono));
        server.route("/clip.mp3", FileReply(ReadMedia("clip.mp3")));
    }

    Station liveOnly() const { return {server.url("/live"), "", ""}; }
    Station withClip() const { return {server.url("/live"), server.url("/clip.mp3"), ""}; }

    fixture::FixtureServer server;
    std::shared_ptr<OnAir> onAir = std::make_shared<OnAir>();
};

TEST_F(TransportTest, ClipThenLiveStreamInTheTypicalOrder) {
    PlayerRig rig({withClip()});
    rig.Slider_volume->setValue(50);
    rig.log.clear();
    rig.transport->FormShow(0);
    EXPECT_TRUE(rig.stopSymbol);
    EXPECT_EQ(rig.transport->playTag(), 1);

    ASSERT_TRUE(rig.waitFor([&] { return rig.transport->timer4Tag() == 5; }));
    EXPECT_EQ(rig.calan1->text(), QStringLiteral("Reklam"));
    EXPECT_EQ(rig.fittedTitles, QStringList{QString()});
    EXPECT_GE(FindBuffering(rig.log, 0), 0);
    EXPECT_EQ(rig.Slider_volume->value(), 70);  // the clip plays at the slider's volume
    EXPECT_EQ(rig.find(kConnecting), -1);       // no status 0 for the clip
    // The live stream connects (the AAC reader, then the general one) while the clip still
    // plays, but reports nothing before the clip has ended.
    ASSERT_TRUE(rig.waitFor([&] { return server.requestCount("/live") == 2u; }));
    EXPECT_EQ(rig.transport->timer4Tag(), 5);
    EXPECT_EQ(rig.find(kConnecting), -1);

    ASSERT_TRUE(rig.waitForLog(kTitle, 20s));
    EXPECT_EQ(server.requestCount("/live"), 2u);
    const int connecting = rig.find(kConnecting);
    const int serverLine = rig.find(Entry('3', QStringLiteral("ICY 200 OK")), connecting);
    const int buffering = FindBuffering(rig.log, serverLine);
    const int name = rig.find(Entry('1', QStringLiteral("Radio One")), buffering);
    const int bitRate = rig.find(Entry('3', QStringLiteral("BitRate: 128")), name);
    const int title = rig.find(kTitle, bitRate);
    EXPECT_GE(connecting, 0);
    EXPECT_GT(serverLine, connecting);
    EXPECT_GT(buffering, serverLine);
    EXPECT_GT(name, buffering);
    EXPECT_GT(bitRate, name);
    EXPECT_GT(title, bitRate);
    EXPECT_FALSE(rig.log.contains(Entry('1', QStringLiteral("Ignored"))));
    EXPECT_FALSE(rig.log.contains(kNoConnection));  // the clip's end is not a break
    EXPECT_EQ(rig.lbl_kbit->text(), QStringLiteral("128 KBit"));

    // Slider: 70 from the stop, 0 at the live start, then one step every 30 ms up to 70.
    ASSERT_TRUE(rig.waitForLog(Entry('v', QStringLiteral("0"))));
    ASSERT_TRUE(
        rig.waitFor([&] { return rig.Slider_volume->value() == 70 && !rig.Timer3.isActive(); }));
    QStringList volumes;
    std::vector<std::chrono::steady_clock::time_point> times;
    for (int i = 0; i < rig.log.size(); ++i) {
        if (rig.log[i].startsWith(u"v:")) {
            volumes << rig.log[i].mid(2);
            times.push_back(rig.logTimes[i]);
        }
    }
    QStringList expected{QStringLiteral("70")};
    for (int v = 0; v <= 70; ++v) {
        expected << QString::number(v);
    }
    EXPECT_EQ(volumes, expected);
    ASSERT_EQ(times.size(), 72u);
    // One step every 30 ms: never faster, and late only where the machine was busy.
    EXPECT_GE(times.back() - times[1], 1900ms);
    const std::vector<std::chrono::steady_clock::time_point> steps(times.begin() + 1, times.end());
    EXPECT_LE(MedianGap(steps), 45ms);
    EXPECT_EQ(rig.lbl_ses->text(), QStringLiteral("70"));
    EXPECT_EQ(rig.lbl_khz->text(), QStringLiteral("44 KHZ"));
    EXPECT_EQ(rig.lbl_mono_stereo->text(), QStringLiteral("STEREO"));

    // Later titles come through the metadata sync.
    onAir->set("Next Song");
    EXPECT_TRUE(rig.waitForLog(Entry('2', QStringLiteral("Next Song"))));

    bool sawAgent = false;
    for (const auto& request : server.requests()) {
        if (request.path == "/live") {
            EXPECT_EQ(request.header("user-agent"), "brenvikdesktop");
            EXPECT_EQ(request.header("icy-metadata"), "1");
            sawAgent = true;
        }
    }
    EXPECT_TRUE(sawAgent);
}

TEST_F(TransportTest, RetriesEveryHalfSecondUntilTheServerIsBack) {
    server.setDown(true);
    PlayerRig rig({liveOnly()});
    rig.transport->FormShow(0);
    ASSERT_TRUE(rig.waitForLog(kNoConnection));
    EXPECT_TRUE(rig.Timer2.isActive());
    ASSERT_TRUE(rig.waitFor([&] { return rig.log.count(kConnecting) >= 5; }, 10s));
    std::vector<std::chrono::steady_clock::time_point> attempts;
    for (int i = 0; i < rig.log.size(); ++i) {
        if (rig.log[i] == kConnecting) {
            attempts.push_back(rig.logTimes[i]);
        }
    }
    ASSERT_GE(attempts.size(), 5u);
    for (std::size_t i = 1; i < attempts.size(); ++i) {
        EXPECT_GE(attempts[i] - attempts[i - 1], 450ms);
    }
    EXPECT_LE(MedianGap(attempts), 700ms);
    server.setDown(false);
    ASSERT_TRUE(rig.waitForLog(kTitle));
    EXPECT_FALSE(rig.Timer2.isActive());
    EXPECT_TRUE(rig.waitFor([&] { return rig.Slider_volume->value() == 70; }));
}

TEST_F(TransportTest, StopWhileBufferingThenStartFreesTheOldStream) {
    PlayerRig rig({{server.url("/slow"), "", ""}});
    rig.transport->FormShow(0);
    ASSERT_TRUE(rig.waitFor([&] { return FindBuffering(rig.log, 0) >= 0; }));
    const audio::HSTREAM old = rig.transport->state().currentChannel();
    ASSERT_NE(old, 0u);
    rig.transport->btn_durClick();
    EXPECT_EQ(rig.edt_1->text(), QString::fromUtf8("Durduruldu..."));
    EXPECT_TRUE(rig.edt_2->text().isEmpty());
    EXPECT_EQ(rig.Slider_volume->value(), 70);
    // The worker ends silently and leaves its stream open for the next one to free.
    ASSERT_TRUE(rig.waitFor([&] { return rig.transport->state().runningWorkers() == 0; }, 3s));
    EXPECT_NE(audio::StreamGetFilePosition(old, audio::FILEPOS_END), audio::POS_FAILURE32);

    rig.transport->btn_baslaClick();
    ASSERT_TRUE(rig.waitFor([&] {
        const audio::HSTREAM now = rig.transport->state().currentChannel();
        return now != 0 && now != old;
    }));
    EXPECT_EQ(audio::StreamGetFilePosition(old, audio::FILEPOS_END), audio::POS_FAILURE32);
}

TEST_F(TransportTest, ToggleToStopWhileARetryIsPendingStaysStopped) {
    server.setDown(true);
    PlayerRig rig({liveOnly()});
    rig.transport->FormShow(0);
    ASSERT_TRUE(rig.waitForLog(kNoConnection));
    ASSERT_TRUE(rig.waitFor([&] { return rig.transport->state().runningWorkers() == 0; }));
    rig.transport->lbl_playMouseDown();
    EXPECT_EQ(rig.transport->playTag(), 0);
    EXPECT_FALSE(rig.stopSymbol);
    EXPECT_FALSE(rig.Timer2.isActive());
    const auto attempts = rig.log.count(kConnecting);
    server.setDown(false);
    rig.pump(1500ms);
    EXPECT_EQ(rig.log.count(kConnecting), attempts);
    EXPECT_EQ(server.requestCount("/live"), 0u);
}

TEST_F(TransportTest, ToggleToStopWhileConnectingDoesNotRetryAfterwards) {
    fixture::Reply late = fixture::Reply::status(404, "Not Found");
    late.delayBeforeHead = 400ms;
    server.route("/late", late);
    PlayerRig rig({{server.url("/late"), "", ""}});
    rig.transport->FormShow(0);
    ASSERT_TRUE(rig.waitForLog(kConnecting));
    rig.transport->lbl_playMouseDown();
    // The worker fails after the stop and arms the retry; its tick does not start another.
    ASSERT_TRUE(rig.waitForLog(kNoConnection));
    ASSERT_TRUE(rig.waitFor([&] { return rig.transport->state().runningWorkers() == 0; }));
    const auto requests = server.requestCount("/late");
    rig.pump(1200ms);
    EXPECT_EQ(server.requestCount("/late"), requests);
    EXPECT_FALSE(rig.Timer2.isActive());
    EXPECT_EQ(rig.log.count(kConnecting), 1);
}

TEST_F(TransportTest, ToggleToPlaySkipsTheClip) {
    PlayerRig rig({withClip()});
    rig.transport->FormShow(0);
    ASSERT_TRUE(rig.waitForLog(kTitle, 20s));
    // Each open asks twice: the AAC reader first, then the general one.
    const auto clipRequests = server.requestCount("/clip.mp3");
    EXPECT_EQ(clipRequests, 2u);
    rig.transport->lbl_playMouseDown();
    EXPECT_EQ(rig.transport->playTag(), 0);
    rig.transport->lbl_playMouseDown();
    EXPECT_EQ(rig.transport->playTag(), 1);
    EXPECT_TRUE(rig.stopSymbol);
    ASSERT_TRUE(rig.waitFor([&] { return rig.log.count(kTitle) == 2; }));
    EXPECT_EQ(server.requestCount("/clip.mp3"), clipRequests);
}

TEST_F(TransportTest, ClipWithoutStreamAddressPlaysNothing) {
    PlayerRig rig({{"", server.url("/clip.mp3"), ""}});
    rig.transport->FormShow(0);
    rig.pump(800ms);
    EXPECT_EQ(server.requestCount("/clip.mp3"), 0u);
    EXPECT_EQ(rig.transport->state().runningWorkers(), 0);
    EXPECT_EQ(rig.edt_1->text(), QString::fromUtf8("Durduruldu..."));
    EXPECT_NE(rig.calan1->text(), QStringLiteral("Reklam"));
}

TEST_F(TransportTest, ChoosingThePlayingStationRestartsItClipIncluded) {
    PlayerRig rig({withClip()});
    rig.transport->FormShow(0);
    ASSERT_TRUE(rig.waitForLog(kTitle, 20s));
    const auto clipRequests = server.requestCount("/clip.mp3");
    rig.transport->cb_radyosecCloseUp();
    EXPECT_TRUE(server.waitForRequests(clipRequests + 1, 5s, "/clip.mp3"));
    EXPECT_TRUE(rig.waitFor([&] { return rig.log.count(kTitle) == 2; }, 20s));
}

TEST_F(TransportTest, MonoStreamWithoutIcyHeaders) {
    PlayerRig rig({{server.url("/mono"), "", ""}});
    rig.lbl_kbit->setText(QStringLiteral("96 KBit"));
    rig.transport->FormShow(0);
    ASSERT_TRUE(rig.waitFor([&] { return !rig.lbl_khz->text().isEmpty(); }));
    EXPECT_EQ(rig.lbl_khz->text(), QStringLiteral("22 KHZ"));
    EXPECT_EQ(rig.lbl_mono_stereo->text(), QStringLiteral("MONO"));
    // No stream name: the status slot keeps the last buffering text; no bit rate either.
    EXPECT_TRUE(IsBuffering(Entry('1', rig.edt_1->text())));
    EXPECT_EQ(rig.edt_3->text(), QStringLiteral("HTTP/1.0 200 OK"));
    EXPECT_EQ(rig.lbl_kbit->text(), QStringLiteral("96 KBit"));
    EXPECT_TRUE(rig.edt_2->text().isEmpty());
}

TEST_F(TransportTest, LiveStreamThatDropsIsReconnected) {
    PlayerRig rig({liveOnly()});
    rig.transport->FormShow(0);
    ASSERT_TRUE(rig.waitForLog(kTitle));
    const audio::HSTREAM first = rig.transport->state().currentChannel();
    server.setDown(true);
    server.dropConnections();
    ASSERT_TRUE(rig.waitForLog(kNoConnection));
    EXPECT_TRUE(rig.Timer2.isActive());
    rig.pump(1200ms);
    server.setDown(false);
    ASSERT_TRUE(rig.waitFor([&] { return rig.log.count(kTitle) == 2; }));
    const audio::HSTREAM second = rig.transport->state().currentChannel();
    EXPECT_NE(second, first);
    const auto before = audio::ChannelGetPosition(second);
    rig.pump(500ms);
    EXPECT_GT(audio::ChannelGetPosition(second), before);
}

TEST_F(TransportTest, StoppedStreamThatDropsIsNotABreak) {
    PlayerRig rig({liveOnly()});
    rig.transport->FormShow(0);
    ASSERT_TRUE(rig.waitForLog(kTitle));
    rig.transport->btn_durClick();
    server.setDown(true);
    server.dropConnections();
    rig.pump(1200ms);
    EXPECT_FALSE(rig.log.contains(kNoConnection));
    EXPECT_FALSE(rig.Timer2.isActive());
}

TEST_F(TransportTest, EndingThePlayerWhileBufferingOrRetryingWaitsForItsWorkers) {
    server.setDown(true);
    for (const std::string path : {"/slow", "/live"}) {
        auto rig = std::make_unique<PlayerRig>(std::vector<Station>{{server.url(path), "", ""}});
        rig->transport->FormShow(0);
        if (path == "/slow") {
            server.setDown(false);
            ASSERT_TRUE(rig->waitFor([&] { return FindBuffering(rig->log, 0) >= 0; }));
        } else {
            ASSERT_TRUE(rig->waitForLog(kNoConnection));
        }
        const auto started = std::chrono::steady_clock::now();
        rig.reset();
        EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
        server.setDown(true);
    }
    // A worker left behind would touch the freed player here (the sanitizer build sees it).
    QTest::qWait(700);
}

TEST_F(TransportTest, ToggleToStopDuringTheClipHoldsTheLiveStreamBack) {
    PlayerRig rig({withClip()});
    rig.transport->FormShow(0);
    ASSERT_TRUE(rig.waitFor([&] { return rig.transport->timer4Tag() == 5; }));
    rig.transport->lbl_playMouseDown();
    const audio::HSTREAM clip = rig.transport->state().currentChannel();
    const auto stoppedAt = audio::ChannelGetPosition(clip);
    // The live stream may have been opened ahead while the clip played; the stop gives it up.
    const auto liveRequests = server.requestCount("/live");
    rig.pump(2500ms);  // longer than the whole 1.5 s clip
    EXPECT_EQ(audio::ChannelGetPosition(clip), stoppedAt) << "the clip played on";
    EXPECT_EQ(server.requestCount("/live"), liveRequests) << "the live stream started by itself";
    EXPECT_TRUE(rig.waitFor([&] { return server.openConnections() == 0; }, 5s))
        << server.openConnections() << " connections held after the stop";
    EXPECT_EQ(rig.transport->timer4Tag(), 5);

    rig.transport->lbl_playMouseDown();
    ASSERT_TRUE(rig.waitForLog(kTitle, 10s));
    const audio::HSTREAM live = rig.transport->state().currentChannel();
    const auto before = audio::ChannelGetPosition(live);
    rig.pump(500ms);
    EXPECT_GT(audio::ChannelGetPosition(live), before);
    EXPECT_TRUE(rig.waitFor([&] { return server.openConnections() == 1; }, 5s));
}

TEST_F(TransportTest, SecondWorkerFreeingTheClipMakesTheWatchStartExactlyOneMore) {
    IcyStation live;
    live.audio = ReadMedia("live.mp3");
    fixture::Reply late = IcyReply(live);
    late.delayBeforeHead = 400ms;  // the watch ticks while the second worker connects
    server.route("/late", late);
    PlayerRig rig({{server.url("/late"), server.url("/clip.mp3"), ""}});
    rig.transport->FormShow(0);
    ASSERT_TRUE(rig.waitFor([&] { return rig.transport->timer4Tag() == 5; }));
    const auto clipRequests = server.requestCount("/clip.mp3");
    rig.transport->Timer2Timer();  // a retry tick while the clip plays frees it
    ASSERT_TRUE(rig.waitFor([&] { return rig.transport->timer4Tag() == 0; }, 2s));
    ASSERT_TRUE(rig.waitFor([&] { return rig.transport->state().runningWorkers() == 0; }, 10s));
    rig.pump(1500ms);
    // Two live starts, the retry's and the watch's, each asking the AAC reader and then the
    // general one; the older one's stream is freed, the newer one plays on one connection.
    EXPECT_EQ(server.requestCount("/late"), 4u);
    EXPECT_EQ(server.requestCount("/clip.mp3"), clipRequests);
    EXPECT_EQ(server.openConnections(), 1u);
    const audio::HSTREAM playing = rig.transport->state().currentChannel();
    const auto before = audio::ChannelGetPosition(playing);
    rig.pump(500ms);
    EXPECT_GT(audio::ChannelGetPosition(playing), before);
}

TEST(TransportControls, FirstShowSelectsTheStoredStation) {
    const std::vector<Station> four(4);
    for (const auto& [ayar1, selected] : {std::pair{2, 2}, {9, 0}, {3, 3}, {4, 0}, {-1, -1}}) {
        PlayerRig rig(four);
        rig.transport->FormShow(ayar1);
        EXPECT_EQ(rig.cb_radyosec->currentIndex(), selected) << "ayar1 " << ayar1;
        EXPECT_EQ(rig.transport->state().runningWorkers(), 0);
    }
    PlayerRig empty({});
    empty.transport->FormShow(0);
    EXPECT_EQ(empty.cb_radyosec->currentIndex(), -1);
    EXPECT_EQ(empty.edt_1->text(), QString::fromUtf8("Durduruldu..."));
}

TEST(TransportControls, VolumeAndStop) {
    PlayerRig rig({Station{}});
    rig.Slider_volume->setValue(33);
    EXPECT_EQ(rig.lbl_ses->text(), QStringLiteral("33"));
    rig.edt_2->setText(QStringLiteral("Song"));
    rig.Timer2.start();
    rig.Timer3.start();
    rig.transport->btn_durClick();
    EXPECT_EQ(rig.edt_1->text(), QString::fromUtf8("Durduruldu..."));
    EXPECT_TRUE(rig.edt_2->text().isEmpty());
    EXPECT_FALSE(rig.Timer2.isActive());
    EXPECT_FALSE(rig.Timer3.isActive());
    EXPECT_FALSE(rig.Timer4.isActive());
    EXPECT_EQ(rig.Slider_volume->value(), 70);
    EXPECT_EQ(rig.lbl_ses->text(), QStringLiteral("70"));
    // The fade stops at 70 whatever the slider started from.
    rig.Slider_volume->setValue(68);
    rig.Timer3.start();
    ASSERT_TRUE(rig.waitFor([&] { return !rig.Timer3.isActive(); }, 2s));
    EXPECT_EQ(rig.Slider_volume->value(), 70);
    rig.Slider_volume->setValue(90);
    rig.Timer3.start();
    ASSERT_TRUE(rig.waitFor([&] { return !rig.Timer3.isActive(); }, 2s));
    EXPECT_EQ(rig.Slider_volume->value(), 90);
}

}  // namespace
}  // namespace playertest
