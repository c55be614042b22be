#include "StreamTitle.h"

#include <string_view>

namespace player {

std::optional<std::string> ExtractStreamTitle(const char* metadata) {
    if (metadata == nullptr) {
        return std::nullopt;
    }
    const std::string_view text(metadata);
    constexpr std::string_view key = "StreamTitle=";
    const auto keyAt = text.find(key);
    if (keyAt == std::string_view::npos) {
        return std::nullopt;
    }
    // The first ";" of the whole text ends the title, even one before the key or inside it.
    const auto semicolon = text.find(';');
    if (semicolon == std::string_view::npos) {
        return std::string();
    }
    const auto begin = keyAt + key.size() + 1;
    const auto end = semicolon;  // exclusive of the closing quote at semicolon - 1
    if (end < begin + 1) {
        return std::string();
    }
    return std::string(text.substr(begin, end - 1 - begin));
}

}  // namespace player
