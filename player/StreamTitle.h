#pragma once
// The song title inside an ICY metadata text ("StreamTitle='Artist - Song';StreamUrl='';").

#include <optional>
#include <string>

namespace player {

// Nothing when there is no text or it holds no "StreamTitle=". Otherwise the characters after
// "StreamTitle=" and its opening quote, up to the character before the first ";" of the whole
// text (where the closing quote stands). No ";", or a ";" that comes too early, gives "".
std::optional<std::string> ExtractStreamTitle(const char* metadata);

}  // namespace player
