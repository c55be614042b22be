// The sound server restarts during playback: sound must come back without a new start. The
// test runs a PulseAudio daemon of its own on a socket of its own, so nothing else hears it and
// restarting it disturbs nobody.

#include <gtest/gtest.h>
#include <pulse/simple.h>
#include <unistd.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <thread>
#include <vector>

#include "Audio.h"
#include "ChildProcess.h"
#include "IcyFeed.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

constexpr double kSound = 300.0;  // RMS of a 10 ms window that counts as sound

class SoundServer {
public:
    explicit SoundServer(const fs::path& dir)
        : socket_(dir / "native"),
          daemon_(std::make_unique<testproc::ChildProcess>(std::vector<std::string>{
              "pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
              "--disable-shm=yes", "--load=module-native-protocol-unix socket=" + socket_.string(),
              "--load=module-null-sink sink_name=restart rate=44100 channels=2"})) {}

    // True once a client can connect.
    bool waitReady() const {
        const std::string ask = "pactl -s " + address() + " info >/dev/null 2>&1";
        for (int i = 0; i < 100; ++i) {
            if (std::system(ask.c_str()) == 0) {
                return true;
            }
            std::this_thread::sleep_for(50ms);
        }
        return false;
    }

    std::string address() const { return "unix:" + socket_.string(); }

private:
    fs::path socket_;
    std::unique_ptr<testproc::ChildProcess> daemon_;
};

// Listens to the null sink's monitor on a thread of its own and notes when sound first comes.
class Listener {
public:
    explicit Listener(const std::string& server)
        : started_(Clock::now()), thread_([this, server] { run(server); }) {}
    ~Listener() {
        quit_ = true;
        thread_.join();
    }

    // Seconds from the listener's start to its first 10 ms of sound; negative for none yet.
    double firstSound() const { return firstSound_.load(); }

private:
    struct Free {
        void operator()(pa_simple* s) const { pa_simple_free(s); }
    };

    void run(const std::string& server) {
        pa_sample_spec format{PA_SAMPLE_S16LE, 44100, 2};
        pa_buffer_attr attr{};
        attr.maxlength = static_cast<std::uint32_t>(-1);
        attr.fragsize = 441 * 4;
        int error = 0;
        std::unique_ptr<pa_simple, Free> stream(
            pa_simple_new(server.c_str(), "zelkor-listener", PA_STREAM_RECORD, "restart.monitor",
                          "listen", &format, nullptr, &attr, &error));
        std::vector<std::int16_t> window(441 * 2);
        while (stream && !quit_) {
            if (pa_simple_read(stream.get(), window.data(), window.size() * 2, &error) < 0) {
                return;
            }
            double sum = 0;
            for (std::int16_t s : window) {
                sum += double(s) * s;
            }
            if (std::sqrt(sum / window.size()) >= kSound && firstSound_.load() < 0) {
                firstSound_ = std::chrono::duration<double>(Clock::now() - started_).count();
            }
        }
    }

    const Clock::time_point started_;
    std::atomic<bool> quit_{false};
    std::atomic<double> firstSound_{-1.0};
    std::thread thread_;  // last: it uses everything above
};

TEST(OutputRestart, SoundComesBackWithinTwoSecondsOfTheSoundServer) {
    const fs::path dir =
        fs::temp_directory_path() / ("zelkor-restart-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    auto server = std::make_unique<SoundServer>(dir);
    if (!server->waitReady()) {
        fs::remove_all(dir);
        GTEST_SKIP() << "no PulseAudio daemon could be started";
    }
    ::setenv("PULSE_SERVER", server->address().c_str(), 1);
    ASSERT_TRUE(audio::Init(-1, 44100, 0, nullptr)) << audio::ErrorGetCode();

    fixture::FixtureServer stations;
    stations.route("/live", icyfeed::icyReply(icyfeed::toneFeed(1.0, 64000), {}));
    const audio::HSTREAM h =
        audio::StreamCreateURL(stations.url("/live").c_str(), 0, 0, nullptr, nullptr);
    ASSERT_NE(h, 0u) << audio::ErrorGetCode();
    ASSERT_TRUE(audio::ChannelPlay(h, false));
    // How long a new listener takes to hear a stream that plays on: the sink's own latency.
    double heardAfter = -1;
    {
        const Listener before(server->address());
        std::this_thread::sleep_for(4s);
        heardAfter = before.firstSound();
    }
    ASSERT_GE(heardAfter, 0.0) << "no sound before the restart";

    server.reset();  // the daemon ends
    std::this_thread::sleep_for(1s);
    server = std::make_unique<SoundServer>(dir);
    ASSERT_TRUE(server->waitReady());
    // From the moment the server answers again.
    const Listener after(server->address());
    std::this_thread::sleep_for(std::chrono::duration<double>(heardAfter) + 3s);
    EXPECT_GE(after.firstSound(), 0.0) << "no sound after the restart";
    EXPECT_LE(after.firstSound() - heardAfter, 2.0);
    audio::StreamFree(h);
    server.reset();
    fs::remove_all(dir);
}

}  // namespace
