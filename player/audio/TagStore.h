#pragma once
// Keeps every tag text handed out by ChannelGetTags alive for the rest of the run: a caller
// may still be reading one on a worker thread while another thread frees its stream. Equal
// texts are kept once, so reconnecting to the same station does not grow it.

#include <mutex>
#include <string>
#include <unordered_set>

namespace audio {

class TagStore {
public:
    // A pointer to a NUL-terminated copy of text that stays valid for the run.
    const char* keep(const std::string& text);

private:
    std::mutex mutex_;                       // guards texts_
    std::unordered_set<std::string> texts_;  // nodes never move, so c_str() stays put
};

}  // namespace audio
