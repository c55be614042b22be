#include "TestMedia.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>

namespace testmedia {

namespace {

// Removed again when the test program ends.
class TempFolder {
public:
    TempFolder()
        : path_(std::filesystem::temp_directory_path() /
                ("zelkor-audio-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

std::filesystem::path folder() {
    static const TempFolder dir;
    return dir.path();
}

}  // namespace

std::string tone(const std::string& name, const std::string& ffmpegArgs, double seconds) {
    static std::mutex mutex;
    static std::map<std::string, std::string> made;
    std::lock_guard lock(mutex);
    const std::string key = name + "|" + std::to_string(seconds);
    if (const auto it = made.find(key); it != made.end()) {
        return it->second;
    }
    const auto path = folder() / (std::to_string(made.size()) + "-" + name);
    const std::string command =
        "ffmpeg -nostdin -v error -y -f lavfi -i sine=frequency=440:duration=" +
        std::to_string(seconds) + " " + ffmpegArgs + " '" + path.string() + "'";
    if (std::system(command.c_str()) != 0) {
        return {};
    }
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return made[key] = bytes.str();
}

std::string mp3(double seconds) {
    return tone("tone.mp3", "-ar 44100 -ac 2 -c:a libmp3lame -b:a 128k", seconds);
}

std::string mp3Mono22050(double seconds) {
    return tone("mono.mp3", "-ar 22050 -ac 1 -c:a libmp3lame -b:a 32k", seconds);
}

std::string aac(double seconds) {
    return tone("tone.aac", "-ar 44100 -ac 2 -c:a aac -b:a 128k -f adts", seconds);
}

}  // namespace testmedia
