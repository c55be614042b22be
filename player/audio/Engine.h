#pragma once
// The engine's process-wide state: configuration, output and mixer, and the handle table.

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "Audio.h"
#include "Mixer.h"
#include "Stream.h"
#include "TagStore.h"
#include "ThreadCount.h"

namespace audio {

class Engine {
public:
    static Engine& instance();
    ~Engine();

    int init(int device);
    bool initialised() const;
    int setConfig(std::uint32_t option, std::uint32_t value);
    int setAgent(const char* text);

    // 0 and the thread's error on failure.
    HSTREAM create(const char* url, std::uint32_t flags, DownloadProc proc, void* user,
                   bool aacOnly);
    // nullptr and the handle error when the handle is unknown or freed.
    std::shared_ptr<Stream> find(HSTREAM handle) const;
    bool free(HSTREAM handle);
    bool play(HSTREAM handle);
    bool stop(HSTREAM handle);
    HSYNC newSyncId() { return nextSync_.fetch_add(1); }

private:
    Engine();

    // Declared first so that it outlives everything that hands out its texts.
    TagStore tags_;
    ThreadCount threads_;

    mutable std::mutex mutex_;  // guards everything below
    std::unique_ptr<Mixer> mixer_;
    std::map<HSTREAM, std::shared_ptr<Stream>> streams_;
    HSTREAM nextHandle_ = 1;
    std::string agent_;
    std::uint32_t bufferMs_ = 5000;
    std::uint32_t timeoutMs_ = 10000;

    std::atomic<HSYNC> nextSync_{1};
};

}  // namespace audio
