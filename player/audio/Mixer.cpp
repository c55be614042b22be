#include "Mixer.h"

#include <algorithm>
#include <chrono>
#include <utility>

namespace audio {

namespace {
constexpr std::size_t kPeriodFrames = 1024;  // about 23 ms
constexpr auto kReopenEvery = std::chrono::milliseconds(500);
}  // namespace

Mixer::Mixer(std::unique_ptr<Output> output, Opener reopen)
    : output_(std::move(output)), reopen_(std::move(reopen)), thread_([this] { run(); }) {}

Mixer::~Mixer() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
        changed_.notify_all();
    }
    thread_.join();
}

void Mixer::add(std::shared_ptr<MixSource> source) {
    std::lock_guard lock(mutex_);
    if (std::find(sources_.begin(), sources_.end(), source) == sources_.end()) {
        sources_.push_back(std::move(source));
    }
    changed_.notify_all();
}

void Mixer::remove(const MixSource* source) {
    std::lock_guard lock(mutex_);
    std::erase_if(sources_, [&](const auto& s) { return s.get() == source; });
}

void Mixer::mixPeriod(const std::vector<std::shared_ptr<MixSource>>& sources,
                      std::vector<float>& mix, std::vector<float>& part,
                      std::vector<std::shared_ptr<MixSource>>& finished) {
    std::fill(mix.begin(), mix.end(), 0.0f);
    for (const auto& source : sources) {
        const std::size_t got = source->pull(part.data(), kPeriodFrames);
        const float left = source->leftGain();
        const float right = source->rightGain();
        for (std::size_t i = 0; i < got; ++i) {
            mix[i * 2] += part[i * 2] * left;
            mix[i * 2 + 1] += part[i * 2 + 1] * right;
        }
        if (got < kPeriodFrames && source->drained()) {
            finished.push_back(source);
        }
    }
}

void Mixer::run() {
    std::vector<std::shared_ptr<MixSource>> sources;
    std::vector<std::shared_ptr<MixSource>> finished;
    std::vector<float> mix(kPeriodFrames * 2);
    std::vector<float> part(kPeriodFrames * 2);
    bool wasIdle = true;
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            if (sources_.empty() && !wasIdle) {
                lock.unlock();
                if (output_) {
                    output_->idle();
                }
                wasIdle = true;
                lock.lock();
            }
            changed_.wait(lock, [&] { return quit_ || !sources_.empty(); });
            if (quit_) {
                return;
            }
            sources = sources_;
        }
        wasIdle = false;
        finished.clear();
        mixPeriod(sources, mix, part, finished);
        for (const auto& source : finished) {
            remove(source.get());
            source->playedToEnd();
        }
        for (float& v : mix) {
            v = std::clamp(v, -1.0f, 1.0f);
        }
        emit(mix);
    }
}

void Mixer::emit(const std::vector<float>& pcm) {
    const auto now = std::chrono::steady_clock::now();
    if (!output_ && reopen_ && now - lastOpen_ >= kReopenEvery) {
        lastOpen_ = now;
        output_ = reopen_();
    }
    if (output_ && output_->write(pcm.data(), kPeriodFrames)) {
        return;
    }
    // The sound server went away: keep the clock, so positions still advance.
    if (output_) {
        output_.reset();
        lastOpen_ = now;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(kPeriodFrames * 1000000 / Output::kRate));
}

}  // namespace audio
