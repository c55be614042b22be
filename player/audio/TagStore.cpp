#include "TagStore.h"

namespace audio {

const char* TagStore::keep(const std::string& text) {
    std::lock_guard lock(mutex_);
    return texts_.insert(text).first->c_str();
}

}  // namespace audio
