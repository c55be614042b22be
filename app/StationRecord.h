#pragma once

#include <string>

namespace app {

// One selectable stream of the station directory. Texts are code page 1254 bytes, used exactly
// as the directory sent them. The station switch keeps the chosen record as CurrentStation
// (its displayName is not read there).
struct StationRecord {
    std::string displayName;
    std::string streamUrl;
    std::string prerollUrl;  // empty: no advertisement clip
    std::string webViewUrl;
    std::string socialUrl1;
    std::string socialUrl2;
    std::string coverArtMode;  // "g", "y", "w-" + prefix or "f-" + prefix
};

}  // namespace app
