#pragma once
// Keeps the tag texts handed out by ChannelGetTags and the metadata sync alive while a caller may
// still be reading one: as long as a stream holds it, and for a grace time after the last one
// let go (a worker may be copying it while another thread frees its stream or a new title
// replaces it). Equal texts are kept once, so reconnecting to the same station adds nothing.

#include <chrono>
#include <cstddef>
#include <mutex>
#include <string>
#include <unordered_map>

namespace audio {

class TagStore {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr Clock::duration kGrace = std::chrono::seconds(30);

    // A NUL-terminated copy of text, valid until kGrace after its last holder released it.
    const char* keep(const std::string& text, Clock::time_point now = Clock::now());
    // The holder is done with a text keep() gave it; nullptr is ignored.
    void release(const char* text, Clock::time_point now = Clock::now());
    // Texts held, in use or in their grace time.
    std::size_t size() const;

private:
    struct Entry {
        int holders = 0;
        Clock::time_point unusedSince{};
    };
    // Under mutex_: forgets texts whose grace time is over.
    void sweep(Clock::time_point now);

    mutable std::mutex mutex_;                      // guards texts_
    std::unordered_map<std::string, Entry> texts_;  // nodes never move, so c_str() stays put
};

}  // namespace audio
