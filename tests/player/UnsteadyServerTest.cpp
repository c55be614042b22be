// Stream servers that fail while the player plays, judged by what a listener hears and what the
// server sees. Plays into a null sink of its own and records it; skips when no sound server
// answers.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "FaultStream.h"
#include "IcyStream.h"
#include "PlayerRig.h"
#include "SinkRecording.h"

namespace playertest {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kWindowsPerSecond = 20;
constexpr int kHighToneCrossings = 66;  // 440 Hz crosses 44 times a window, 880 Hz 88 times
const QString kNoConnection = Entry('1', QString::fromUtf8("Bağlantı Yok"));

// The engine opens the sound server once per process, so every test plays into one sink.
class UnsteadyServer : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        sink_ = std::make_unique<PrivateSink>();
        qputenv("PULSE_SINK", QByteArray::fromStdString(sink_->name()));
    }
    static void TearDownTestSuite() { sink_.reset(); }
    void SetUp() override {
        if (!sink_->ready()) {
            GTEST_SKIP() << "no PulseAudio server answers (pactl load-module failed)";
        }
    }
    // Starts the station and waits until it has faded in.
    void Play(PlayerRig& rig) {
        rig.pump(300ms);
        rig.transport->FormShow(0);
        ASSERT_TRUE(
            rig.waitFor([&] { return rig.log.contains(Entry('v', QStringLiteral("70"))); }, 40s));
    }

    static std::unique_ptr<PrivateSink> sink_;
    fixture::FixtureServer server;
};

std::unique_ptr<PrivateSink> UnsteadyServer::sink_;

TEST_F(UnsteadyServer, DropWithAFullBufferIsNotHeardAndTheReturnIsHeardWithinTwoSeconds) {
    constexpr auto kDown = 2000ms;
    fixture::FaultPlan before = LivePlan();
    before.burst = 240000;  // 15 s at once: the 5 s buffer fills and the rest waits in the socket
    before.faulty = 0;
    fixture::RouteFaultStream(server, "/live", before);

    SinkRecorder recorder(*sink_);
    ASSERT_TRUE(recorder.started());
    PlayerRig rig({{server.url("/live"), "", ""}}, -1);
    Play(rig);
    rig.pump(2s);

    // After its return the server sends another tone, so the recording tells the new
    // connection's sound from what the player still held.
    fixture::FaultPlan after = before;
    after.audio = ReadMedia("clip.mp3");  // 880 Hz
    fixture::RouteFaultStream(server, "/live", after);
    const std::size_t served = server.requestCount("/live");
    const std::size_t dropWindow = WindowCount(recorder.pcm());
    server.setDownFor(kDown);
    server.dropConnections();
    const auto healthy = Clock::now() + kDown;
    ASSERT_TRUE(rig.waitFor([&] { return server.requestCount("/live") > served; }, 15s))
        << "the player never came back";
    EXPECT_LT(Clock::now() - healthy, 1500ms) << "the player came back late";
    rig.pump(3s);

    const std::vector<double> levels = Levels(recorder.pcm());
    const std::vector<int> crossings = Crossings(recorder.pcm());
    ASSERT_GT(dropWindow, 20u);
    ASSERT_GT(levels.size(), dropWindow + 3 * kWindowsPerSecond);
    std::vector<double> playing(levels.begin() + static_cast<long>(dropWindow) - 20,
                                levels.begin() + static_cast<long>(dropWindow));
    std::sort(playing.begin(), playing.end());
    const double quiet = 0.05 * playing[playing.size() / 2];
    ASSERT_GT(quiet, 50.0) << "no sound before the drop";

    std::size_t heard = dropWindow;
    std::size_t silent = 0;
    std::size_t longestSilence = 0;
    for (; heard < levels.size(); ++heard) {
        if (levels[heard] >= quiet && crossings[heard] >= kHighToneCrossings) {
            break;
        }
        silent = levels[heard] < quiet ? silent + 1 : 0;
        longestSilence = std::max(longestSilence, silent);
    }
    ASSERT_LT(heard, levels.size()) << "the returned server was never heard";
    const auto downWindows = static_cast<std::size_t>(kDown / 50ms);
    EXPECT_LE(heard, dropWindow + downWindows + 2 * kWindowsPerSecond)
        << "heard " << static_cast<double>(heard - dropWindow) / kWindowsPerSecond
        << " s after the drop";
    EXPECT_LE(longestSilence, kWindowsPerSecond) << "a silence while the server was away";
    EXPECT_EQ(server.openConnections(), 1u);
}

// A server that sends at a quarter of real time has not gone: the player waits for its buffer,
// then plays whatever comes, in bits, on the one connection, without calling it a lost one.
TEST_F(UnsteadyServer, TrickleIsBufferedThenPlayedInBitsWithoutARetry) {
    fixture::FaultPlan trickle = LivePlan();
    trickle.burst = 48000;  // 3 s, then a quarter of a second of audio each second
    trickle.speed = 0.25;
    fixture::RouteFaultStream(server, "/live", trickle);

    SinkRecorder recorder(*sink_);
    ASSERT_TRUE(recorder.started());
    PlayerRig rig({{server.url("/live"), "", ""}}, -1);
    Play(rig);
    const std::size_t playedFrom = WindowCount(recorder.pcm());
    rig.pump(14s);  // the buffer runs dry after about 5 s; from then on it plays in bits

    const QString buffering = QString::fromUtf8("1:Arabelleğe Alınıyor... ");
    const auto fills = std::count_if(rig.log.begin(), rig.log.end(),
                                     [&](const QString& e) { return e.startsWith(buffering); });
    EXPECT_GE(fills, 2) << "no buffering shown";
    EXPECT_EQ(rig.find(kNoConnection), -1);
    EXPECT_EQ(server.requestCount("/live"), 2u) << "a trickle is not a lost connection";
    EXPECT_EQ(server.openConnections(), 1u);

    const std::vector<double> levels = Levels(recorder.pcm());
    ASSERT_GT(levels.size(), playedFrom + 13 * kWindowsPerSecond);
    const double sound =
        0.05 * *std::max_element(levels.begin() + static_cast<long>(playedFrom), levels.end());
    ASSERT_GT(sound, 50.0) << "nothing was heard";
    // Each of the last four seconds, long after the buffer ran dry, has some sound in it.
    for (std::size_t second = 0; second < 4; ++second) {
        const auto from = levels.end() - static_cast<long>((second + 1) * kWindowsPerSecond);
        const auto sounding = std::count_if(from, from + kWindowsPerSecond,
                                            [&](double level) { return level >= sound; });
        EXPECT_GE(sounding, 2) << "silent " << second + 1 << " s before the end";
    }
}

}  // namespace
}  // namespace playertest
