#include "DeviceId.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

namespace app {
namespace {

namespace fs = std::filesystem;

std::optional<std::array<unsigned, 6>> readAddress(const fs::path& adapter) {
    std::ifstream in(adapter / "address");
    std::string text;
    if (!std::getline(in, text)) {
        return std::nullopt;
    }
    std::array<unsigned, 6> bytes{};
    char tail = 0;
    if (std::sscanf(text.c_str(), "%2x:%2x:%2x:%2x:%2x:%2x%c", &bytes[0], &bytes[1], &bytes[2],
                    &bytes[3], &bytes[4], &bytes[5], &tail) != 6) {
        return std::nullopt;
    }
    if (std::all_of(bytes.begin(), bytes.end(), [](unsigned b) { return b == 0; })) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace

std::string GetDeviceId(const std::string& sysClassNet) {
    std::vector<std::pair<bool, fs::path>> adapters;  // (virtual, path): physical sorts first
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(sysClassNet, ec)) {
        if (entry.path().filename() == "lo") {
            continue;
        }
        const bool physical = fs::exists(entry.path() / "device", ec);
        adapters.emplace_back(!physical, entry.path());
    }
    std::sort(adapters.begin(), adapters.end());
    for (const auto& [isVirtual, path] : adapters) {
        if (const auto bytes = readAddress(path)) {
            char out[18];
            std::snprintf(out, sizeof out, "%02X-%02X-%02X-%02X-%02X-%02X", (*bytes)[0],
                          (*bytes)[1], (*bytes)[2], (*bytes)[3], (*bytes)[4], (*bytes)[5]);
            return out;
        }
    }
    return "00-00-00-00-00-00";
}

}  // namespace app
