// zplay: plays one address on the engine and prints what the stream tells.
//   zplay URL [SECONDS]
// Plays until the stream ends, or for SECONDS when given. ZPLAY_DEVICE=0 plays without sound.
// Prints the reply's status line, the ICY headers, each title, and how long buffering took.

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "Audio.h"

namespace {

using Clock = std::chrono::steady_clock;

std::atomic<bool> downloadEnded{false};

// Called by the engine inside the create call, once per connection.
void onStatus(const void* data, std::uint32_t length, void*) {
    if (data != nullptr && length == 0) {
        std::printf("status: %s\n", static_cast<const char*>(data));
        std::fflush(stdout);
    }
}

// Called on the engine's transfer thread.
void onSync(audio::HSYNC, audio::HCHANNEL, const char* data, void*) {
    if (data != nullptr) {
        std::printf("title: %s\n", data);
    } else {
        std::printf("download ended\n");
        downloadEnded.store(true);
    }
    std::fflush(stdout);
}

long elapsedMs(Clock::time_point since) {
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since).count());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: zplay URL [SECONDS]\n");
        return 2;
    }
    const char* device = std::getenv("ZPLAY_DEVICE");
    if (!audio::Init(device != nullptr ? std::atoi(device) : -1, 44100, 0, nullptr)) {
        std::fprintf(stderr, "zplay: no audio output (error %d)\n", audio::ErrorGetCode());
        return 1;
    }
    const double seconds = argc > 2 ? std::atof(argv[2]) : 0.0;
    const auto created = Clock::now();
    audio::HSTREAM h =
        audio::AacStreamCreateURL(argv[1], 0, audio::STREAM_STATUS, &onStatus, nullptr);
    if (h == 0) {
        h = audio::StreamCreateURL(argv[1], 0, audio::STREAM_STATUS, &onStatus, nullptr);
    }
    if (h == 0) {
        std::fprintf(stderr, "zplay: cannot open %s (error %d)\n", argv[1], audio::ErrorGetCode());
        return 1;
    }
    std::printf("opened in %ld ms\n", elapsedMs(created));
    std::fflush(stdout);
    for (;;) {
        const std::uint32_t end = audio::StreamGetFilePosition(h, audio::FILEPOS_END);
        if (end == audio::POS_FAILURE32 || end == 0) {
            break;
        }
        const std::uint32_t percent = (audio::StreamGetFilePosition(h, audio::FILEPOS_DOWNLOAD) -
                                       audio::StreamGetFilePosition(h, audio::FILEPOS_CURRENT)) *
                                      100 / end;
        if (percent > 75 || downloadEnded.load()) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::printf("buffered75_ms %ld\n", elapsedMs(created));
    if (const char* icy = audio::ChannelGetTags(h, audio::TAG_ICY)) {
        for (; *icy != '\0'; icy += std::string(icy).size() + 1) {
            std::printf("icy: %s\n", icy);
        }
    }
    if (const char* meta = audio::ChannelGetTags(h, audio::TAG_META)) {
        std::printf("title: %s\n", meta);
    }
    audio::ChannelSetSync(h, audio::SYNC_META, 0, &onSync, nullptr);
    audio::ChannelSetSync(h, audio::SYNC_DOWNLOAD, 0, &onSync, nullptr);
    audio::ChannelInfo info;
    audio::ChannelGetInfo(h, &info);
    std::printf("format: %u Hz, %u channels\n", info.freq, info.chans);
    std::fflush(stdout);
    audio::ChannelPlay(h, false);

    const auto playing = Clock::now();
    for (;;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (seconds > 0 && elapsedMs(playing) >= static_cast<long>(seconds * 1000)) {
            break;
        }
        if (audio::ChannelGetLength(h) == audio::ChannelGetPosition(h)) {
            break;
        }
    }
    audio::StreamFree(h);
    return 0;
}
