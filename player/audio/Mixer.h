#pragma once
// Mixes every playing channel at 44100 Hz stereo into the one output, on a thread of its own.
// Writes nothing while nothing plays.

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "MixSource.h"
#include "Output.h"

namespace audio {

class Mixer {
public:
    explicit Mixer(std::unique_ptr<Output> output);
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

    std::mutex mutex_;  // guards sources_ and quit_
    std::condition_variable changed_;
    std::vector<std::shared_ptr<MixSource>> sources_;
    bool quit_ = false;
    std::unique_ptr<Output> output_;  // only touched by the mixer thread
    std::thread thread_;
};

}  // namespace audio
