#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "IcyStream.h"
#include "PlayerRig.h"
#include "SinkRecording.h"

namespace playertest {
namespace {

using namespace std::chrono_literals;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

std::size_t FirstAtLeast(const std::vector<double>& levels, std::size_t from, double level) {
    for (std::size_t i = from; i < levels.size(); ++i) {
        if (levels[i] >= level) {
            return i;
        }
    }
    return levels.size();
}

std::size_t FirstBelow(const std::vector<double>& levels, std::size_t from, double level) {
    for (std::size_t i = from; i < levels.size(); ++i) {
        if (levels[i] < level) {
            return i;
        }
    }
    return levels.size();
}

TEST(FadeIn, ClipAtTheSliderVolumeThenTheLiveStreamRisesToSeventy) {
    PrivateSink sink;
    if (!sink.ready()) {
        GTEST_SKIP() << "no PulseAudio server answers (pactl load-module failed)";
    }
    qputenv("PULSE_SINK", QByteArray::fromStdString(sink.name()));

    fixture::FixtureServer server;
    IcyStation live;
    live.audio = ReadMedia("live.mp3");
    server.route("/live", IcyReply(live));
    server.route("/clip.mp3", FileReply(ReadMedia("clip.mp3")));

    SinkRecorder recorder(sink);
    ASSERT_TRUE(recorder.started());
    QByteArray pcm;
    {
        PlayerRig rig({{server.url("/live"), server.url("/clip.mp3"), ""}}, -1);
        rig.pump(300ms);
        rig.transport->FormShow(0);
        ASSERT_TRUE(
            rig.waitFor([&] { return rig.log.contains(Entry('v', QStringLiteral("0"))); }, 20s));
        ASSERT_TRUE(rig.waitFor([&] { return !rig.Timer3.isActive(); }, 10s));
        rig.pump(2500ms);
        pcm = recorder.pcm();
    }

    const std::vector<double> levels = Levels(pcm);
    ASSERT_GT(levels.size(), 60u);
    // Source: a sine of amplitude 0.25; volume 70, and pan 2 takes 2 % off the left channel.
    const double expected = 0.7 * 0.98 * 0.25 / std::sqrt(2.0) * 32767.0;
    const double final = Median({levels.end() - 15, levels.end()});
    EXPECT_NEAR(final, expected, 0.25 * expected);

    const std::size_t clipStart = FirstAtLeast(levels, 0, 0.3 * final);
    ASSERT_LT(clipStart + 10, levels.size());
    std::size_t clipEnd = clipStart;
    while (clipEnd < levels.size() && levels[clipEnd] >= 0.3 * final) {
        ++clipEnd;
    }
    ASSERT_GE(clipEnd - clipStart, 20u);  // the 1.5 s clip
    const double clip = Median({levels.begin() + clipStart + 2, levels.begin() + clipEnd - 2});
    EXPECT_NEAR(clip, final, 0.15 * final);        // the clip plays at 70 too,
    EXPECT_GE(levels[clipStart + 1], 0.8 * clip);  // without a fade
    // The window the clip ends in may still hold part of its tail; the live stream must then
    // start from silence within a few windows.
    const std::size_t quiet = FirstBelow(levels, clipEnd, 0.05 * final);
    ASSERT_LE(quiet, clipEnd + 4);
    const std::size_t low = FirstAtLeast(levels, quiet, 0.1 * final);
    const std::size_t high = FirstAtLeast(levels, low, 0.9 * final);
    ASSERT_LT(high, levels.size());
    // A straight climb from 0 to 70 in 2.1 s passes 10 % to 90 % in about 1.7 s.
    const double rise = (high - low) * 0.05;
    EXPECT_GE(rise, 1.3);
    EXPECT_LE(rise, 3.0);
}

}  // namespace
}  // namespace playertest
