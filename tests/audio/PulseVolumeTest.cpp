// What really reaches the sound server: the default sink's monitor is recorded while a tone
// plays at different volumes and pans. Skipped when no PulseAudio server answers.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "Audio.h"
#include "FixtureServer.h"
#include "TestMedia.h"

namespace {

using namespace std::chrono_literals;

struct Levels {
    double left = 0;
    double right = 0;
};

std::string defaultMonitor() {
    std::FILE* p = ::popen("pactl get-default-sink 2>/dev/null", "r");
    if (p == nullptr) {
        return {};
    }
    char line[256] = {};
    const bool ok = std::fgets(line, sizeof line, p) != nullptr;
    ::pclose(p);
    std::string sink = ok ? line : "";
    while (!sink.empty() && (sink.back() == '\n' || sink.back() == ' ')) {
        sink.pop_back();
    }
    return sink.empty() ? sink : sink + ".monitor";
}

// Level of the steady part of a recording: the median RMS of 50 ms windows that carry sound.
Levels steadyLevels(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> raw((std::istreambuf_iterator<char>(in)), {});
    std::vector<std::int16_t> samples(raw.size() / 2);
    std::memcpy(samples.data(), raw.data(), samples.size() * 2);

    const std::size_t window = 2205 * 2;
    std::vector<Levels> windows;
    for (std::size_t at = 0; at + window <= samples.size(); at += window) {
        double l = 0;
        double r = 0;
        for (std::size_t i = at; i < at + window; i += 2) {
            l += double(samples[i]) * samples[i];
            r += double(samples[i + 1]) * samples[i + 1];
        }
        windows.push_back({std::sqrt(l / (window / 2)), std::sqrt(r / (window / 2))});
    }
    double loudest = 0;
    for (const Levels& w : windows) {
        loudest = std::max({loudest, w.left, w.right});
    }
    std::vector<double> left;
    std::vector<double> right;
    for (const Levels& w : windows) {
        if (std::max(w.left, w.right) > loudest * 0.5) {
            left.push_back(w.left);
            right.push_back(w.right);
        }
    }
    if (left.empty()) {
        return {};
    }
    std::nth_element(left.begin(), left.begin() + left.size() / 2, left.end());
    std::nth_element(right.begin(), right.begin() + right.size() / 2, right.end());
    return {left[left.size() / 2], right[right.size() / 2]};
}

// Playback streams the sound server holds for this process.
int ownSinkInputs() {
    const std::string command =
        "pactl list sink-inputs 2>/dev/null | grep -c "
        "'application.process.id = \"" +
        std::to_string(::getpid()) + "\"'";
    std::FILE* p = ::popen(command.c_str(), "r");
    if (p == nullptr) {
        return -1;
    }
    int count = -1;
    if (std::fscanf(p, "%d", &count) != 1) {
        count = -1;
    }
    ::pclose(p);
    return count;
}

// Polls for up to about two seconds until the server holds count streams of ours.
bool holdsSinkInputs(int count) {
    for (int i = 0; i < 40; ++i) {
        if (ownSinkInputs() == count) {
            return true;
        }
        std::this_thread::sleep_for(50ms);
    }
    return false;
}

class PulseOutputTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::system("pactl info >/dev/null 2>&1") != 0) {
            GTEST_SKIP() << "no PulseAudio server answers (start one with module-null-sink)";
        }
        static const bool initialised = audio::Init(-1, 44100, 0, nullptr);
        ASSERT_TRUE(initialised) << audio::ErrorGetCode();
        monitor = defaultMonitor();
        ASSERT_FALSE(monitor.empty());
        server.route("/tone.mp3", fixture::Reply::text(testmedia::mp3(2.0), "audio/mpeg"));
    }

    // Plays the tone at a volume and pan while the monitor is recorded.
    Levels record(int volume, int pan) {
        const auto file = std::filesystem::temp_directory_path() /
                          ("zelkor-monitor-" + std::to_string(::getpid()) + ".raw");
        const std::string command = "timeout 2.2 parec -d '" + monitor +
                                    "' --format=s16le --rate=44100 --channels=2 '" + file.string() +
                                    "' 2>/dev/null";
        std::thread recorder([&] { std::system(command.c_str()); });
        std::this_thread::sleep_for(300ms);
        const audio::HSTREAM h =
            audio::StreamCreateURL(server.url("/tone.mp3").c_str(), 0, 0, nullptr, nullptr);
        EXPECT_NE(h, 0u);
        audio::ChannelSetAttributes(h, 0, volume, pan);
        audio::ChannelPlay(h, false);
        recorder.join();
        audio::StreamFree(h);
        const Levels levels = steadyLevels(file);
        std::filesystem::remove(file);
        return levels;
    }

    fixture::FixtureServer server;
    std::string monitor;
};

TEST_F(PulseOutputTest, VolumeIsLinearAndPanSilencesOneSide) {
    const Levels full = record(100, 0);
    ASSERT_GT(full.left, 100.0) << "nothing reached the sink";
    const Levels seventy = record(70, 0);
    EXPECT_NEAR(seventy.left / full.left, 0.7, 0.035);
    EXPECT_NEAR(seventy.right / full.right, 0.7, 0.035);

    const Levels leftOnly = record(100, -100);
    EXPECT_NEAR(leftOnly.left / full.left, 1.0, 0.05);
    EXPECT_LT(leftOnly.right, full.right * 0.01);
}

TEST_F(PulseOutputTest, StoppedPlayerHoldsNoStreamAndPlaysAgain) {
    const audio::HSTREAM h =
        audio::StreamCreateURL(server.url("/tone.mp3").c_str(), 0, 0, nullptr, nullptr);
    ASSERT_NE(h, 0u);
    audio::ChannelPlay(h, false);
    EXPECT_TRUE(holdsSinkInputs(1)) << "no playback stream while the tone plays";
    audio::ChannelStop(h);
    EXPECT_TRUE(holdsSinkInputs(0)) << ownSinkInputs() << " streams held while stopped";
    audio::StreamFree(h);
    EXPECT_GT(record(100, 0).left, 100.0) << "nothing reached the sink after the stop";
}

}  // namespace
