#pragma once
// Mixes every playing channel at 44100 Hz stereo into the one output, on a thread of its own.
// Writes nothing while nothing plays. When the output fails (the sound server went away) the
// mixer keeps time on its own and opens the output afresh twice a second until it is back.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "MixSource.h"
#include "Output.h"

namespace audio {

class Mixer {
public:
    using Opener = std::function<std::unique_ptr<Output>()>;

    // reopen is called on the mixer thread; nullptr while the output cannot be had.
    Mixer(std::unique_ptr<Output> output, Opener reopen);
    ~Mixer();
    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;

    void add(std::shared_ptr<MixSource> source);
    void remove(const MixSource* source);

private:
    void run();
    // One period of every source summed into mix; sources that ran out go to finished.
    void mixPeriod(const std::vector<std::shared_ptr<MixSource>>& sources, std::vector<float>& mix,
                   std::vector<float>& part, std::vector<std::shared_ptr<MixSource>>& finished);
    // Writes one period, or sleeps as long as it lasts while there is no output.
    void emit(const std::vector<float>& pcm);

    std::mutex mutex_;  // guards sources_ and quit_
    std::condition_variable changed_;
    std::vector<std::shared_ptr<MixSource>> sources_;
    bool quit_ = false;
    // Only touched by the mixer thread.
    std::unique_ptr<Output> output_;
    const Opener reopen_;
    std::chrono::steady_clock::time_point lastOpen_{};
    std::thread thread_;
};

}  // namespace audio
