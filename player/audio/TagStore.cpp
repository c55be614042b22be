#include "TagStore.h"

namespace audio {

const char* TagStore::keep(const std::string& text, Clock::time_point now) {
    std::lock_guard lock(mutex_);
    sweep(now);
    const auto it = texts_.try_emplace(text).first;
    ++it->second.holders;
    return it->first.c_str();
}

void TagStore::release(const char* text, Clock::time_point now) {
    if (text == nullptr) {
        return;
    }
    std::lock_guard lock(mutex_);
    const auto it = texts_.find(text);
    if (it != texts_.end() && it->second.holders > 0 && --it->second.holders == 0) {
        it->second.unusedSince = now;
    }
    sweep(now);
}

std::size_t TagStore::size() const {
    std::lock_guard lock(mutex_);
    return texts_.size();
}

void TagStore::sweep(Clock::time_point now) {
    std::erase_if(texts_, [now](const auto& entry) {
        return entry.second.holders == 0 && now - entry.second.unusedSince >= kGrace;
    });
}

}  // namespace audio
