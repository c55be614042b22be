// The player against servers that fail: every fault ends in sound again or in a visible retry,
// and no connection stays open that the player no longer reads. Sound is judged by the engine's
// output clock (the position of the channel the player plays).

#include <gtest/gtest.h>

#include "Audio.h"
#include "FaultStream.h"
#include "IcyStream.h"
#include "PlayerRig.h"

namespace playertest {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

const QString kNoConnection = Entry('1', QString::fromUtf8("Bağlantı Yok"));
const QString kConnecting = Entry('1', QString::fromUtf8("Bağlanıyor..."));

// The channel the player plays moves on: sound is coming out.
bool Sounds(PlayerRig& rig) {
    const audio::HSTREAM channel = rig.transport->state().currentChannel();
    const std::uint64_t before = audio::ChannelGetPosition(channel);
    rig.pump(400ms);
    const std::uint64_t after = audio::ChannelGetPosition(channel);
    return before != audio::POS_FAILURE64 && after != audio::POS_FAILURE64 && after > before;
}

bool SoundsWithin(PlayerRig& rig, std::chrono::milliseconds time) {
    const auto until = Clock::now() + time;
    while (Clock::now() < until) {
        if (Sounds(rig)) {
            return true;
        }
    }
    return false;
}

class FaultTransportTest : public ::testing::Test {
protected:
    // Plays a station with the plan's fault; it must lead to status 1 and a retry that sounds
    // again on one open connection.
    void ExpectRecovery(const fixture::FaultPlan& plan, std::chrono::milliseconds noticeWithin) {
        fixture::RouteFaultStream(server, "/live", plan);
        PlayerRig rig({{server.url("/live"), "", ""}});
        rig.transport->FormShow(0);
        const auto started = Clock::now();
        ASSERT_TRUE(rig.waitForLog(kNoConnection, noticeWithin)) << "the fault went unnoticed";
        EXPECT_LT(Clock::now() - started, noticeWithin);
        ASSERT_TRUE(rig.waitFor([&] { return server.requestCount("/live") >= 4; }, 3s));
        EXPECT_TRUE(SoundsWithin(rig, 8s)) << "no sound after the retry";
        EXPECT_EQ(server.openConnections(), 1u);
        EXPECT_EQ(server.requestCount("/live"), 4u);
    }

    fixture::FixtureServer server;
};

TEST_F(FaultTransportTest, EarlyEndWhileBufferingIsRetried) {
    fixture::FaultPlan plan = LivePlan();
    plan.burst = 30000;
    plan.closeAfter = 30000;  // 37 % of the buffer
    ExpectRecovery(plan, 6s);
}

TEST_F(FaultTransportTest, StallWhileBufferingIsRetried) {
    fixture::FaultPlan plan = LivePlan();
    plan.burst = 30000;
    plan.stallAfter = 30000;
    ExpectRecovery(plan, 14s);  // the net timeout, 10 s, and the time to get there
}

TEST_F(FaultTransportTest, StalledLiveStreamCountsAsADropWithinTenSeconds) {
    fixture::FaultPlan plan = LivePlan();
    plan.stallAfter = 96000;  // two seconds after the burst, while playing
    ExpectRecovery(plan, 16s);
}

TEST_F(FaultTransportTest, JunkInTheLiveStreamCountsAsADrop) {
    fixture::FaultPlan plan = LivePlan();
    plan.junkAfter = 96000;
    plan.speed = 4.0;
    ExpectRecovery(plan, 12s);
}

TEST_F(FaultTransportTest, DropRightAfterTheBurstIsRetried) {
    fixture::FaultPlan plan = LivePlan();
    plan.closeAfter = plan.burst;
    ExpectRecovery(plan, 8s);
}

TEST_F(FaultTransportTest, RefusedForAWhileThenSoundWithinTwoSecondsOfTheReturn) {
    fixture::FaultPlan plan = LivePlan();
    plan.faulty = 0;
    fixture::RouteFaultStream(server, "/live", plan);
    server.setDownFor(1500ms);
    PlayerRig rig({{server.url("/live"), "", ""}});
    rig.transport->FormShow(0);
    ASSERT_TRUE(rig.waitForLog(kNoConnection));
    ASSERT_TRUE(rig.waitFor([&] { return server.requestCount("/live") > 0; }, 3s));
    const auto back = Clock::now();
    EXPECT_TRUE(SoundsWithin(rig, 3s));
    EXPECT_LT(Clock::now() - back, 3s);
    EXPECT_EQ(server.openConnections(), 1u);
}

TEST_F(FaultTransportTest, ClipWithoutContentLengthIsFollowedByTheLiveStream) {
    fixture::Reply clip = FileReply(ReadMedia("clip.mp3"));
    clip.contentLength = false;
    server.route("/clip.mp3", clip);
    fixture::FaultPlan plan = LivePlan();
    plan.faulty = 0;
    fixture::RouteFaultStream(server, "/live", plan);
    PlayerRig rig({{server.url("/live"), server.url("/clip.mp3"), ""}});
    rig.transport->FormShow(0);
    ASSERT_TRUE(rig.waitFor([&] { return server.requestCount("/live") > 0; }, 8s))
        << "the clip never ended";
    EXPECT_TRUE(SoundsWithin(rig, 8s));
    EXPECT_EQ(server.openConnections(), 1u);
}

TEST_F(FaultTransportTest, SwitchDuringASlowConnectPlaysOnlyTheNewStation) {
    fixture::FixtureServer other;
    fixture::FaultPlan plan = LivePlan();
    plan.faulty = 0;
    fixture::RouteFaultStream(server, "/live", plan);
    IcyStation late;
    late.audio = ReadMedia("live.mp3");
    fixture::Reply slow = IcyReply(late);
    slow.delayBeforeHead = 1500ms;
    other.route("/late", slow);
    PlayerRig rig({{other.url("/late"), "", ""}, {server.url("/live"), "", ""}});
    rig.transport->FormShow(0);
    ASSERT_TRUE(rig.waitForLog(kConnecting));
    rig.pump(200ms);
    rig.cb_radyosec->setCurrentIndex(1);
    rig.transport->cb_radyosecCloseUp();
    ASSERT_TRUE(SoundsWithin(rig, 8s));
    // The old station's replies come in after the switch; nobody may keep them open.
    ASSERT_TRUE(other.waitForRequests(1, 5s));
    EXPECT_TRUE(rig.waitFor(
        [&] {
            return rig.transport->state().runningWorkers() == 0 && other.openConnections() == 0;
        },
        12s));
    EXPECT_EQ(server.openConnections(), 1u);
    EXPECT_TRUE(Sounds(rig));
}

TEST_F(FaultTransportTest, SwitchToAStationWithoutAStreamWhileBufferingPlaysNothing) {
    IcyStation slow;
    slow.audio = ReadMedia("live.mp3");
    slow.bytesPerSecond = 12000;  // below the stream's rate: buffering takes long
    server.route("/slow", IcyReply(slow));
    PlayerRig rig({{server.url("/slow"), "", ""}, {"", "", ""}});
    rig.transport->FormShow(0);
    ASSERT_TRUE(rig.waitFor([&] {
        return rig.log.size() > 0 &&
               rig.log.last().startsWith(Entry('1', QString::fromUtf8("Arabelleğe")));
    }));
    rig.pump(300ms);
    // The switch sets the stop request and clears it again within one handler.
    rig.cb_radyosec->setCurrentIndex(1);
    rig.transport->cb_radyosecCloseUp();
    const int switched = static_cast<int>(rig.log.size());
    rig.pump(6s);
    EXPECT_EQ(rig.find(Entry('v', QStringLiteral("0")), switched), -1) << "a worker played on";
    EXPECT_FALSE(Sounds(rig));
}

}  // namespace
}  // namespace playertest
