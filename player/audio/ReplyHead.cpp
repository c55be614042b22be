#include "ReplyHead.h"

#include <algorithm>
#include <cctype>

namespace audio {

namespace {

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    return std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    });
}

}  // namespace

void ReplyHead::addLine(std::string_view raw) {
    while (!raw.empty() && (raw.back() == '\n' || raw.back() == '\r')) {
        raw.remove_suffix(1);
    }
    if (complete_) {
        if (raw.empty()) {
            return;
        }
        lines_.clear();
        size_ = 0;
        complete_ = false;
    }
    if (raw.empty()) {
        complete_ = !lines_.empty();
        return;
    }
    lines_.emplace_back(raw);
    size_ += raw.size() + 1;
}

int ReplyHead::statusCode() const {
    if (lines_.empty()) {
        return 0;
    }
    const std::string& status = lines_.front();
    const std::size_t space = status.find(' ');
    if (space == std::string::npos || status.size() < space + 4) {
        return 0;
    }
    int code = 0;
    for (std::size_t i = space + 1; i < space + 4; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(status[i]))) {
            return 0;
        }
        code = code * 10 + (status[i] - '0');
    }
    return code;
}

bool ReplyHead::isSuccess() const {
    const int code = statusCode();
    return code >= 200 && code < 300;
}

bool ReplyHead::isInterim() const {
    const int code = statusCode();
    return (code >= 100 && code < 200) || (code >= 300 && code < 400 && value("location"));
}

std::optional<std::string> ReplyHead::value(std::string_view name) const {
    for (std::size_t i = 1; i < lines_.size(); ++i) {
        const std::string& line = lines_[i];
        if (line.size() > name.size() && line[name.size()] == ':' && startsWithNoCase(line, name)) {
            const std::size_t start = line.find_first_not_of(" \t", name.size() + 1);
            return start == std::string::npos ? std::string() : line.substr(start);
        }
    }
    return std::nullopt;
}

bool ReplyHead::hasIcy() const {
    if (lines_.empty()) {
        return false;
    }
    // Shoutcast-style servers answer "ICY 200 OK" instead of an HTTP status line.
    if (lines_.front().rfind("ICY", 0) == 0) {
        return true;
    }
    return std::any_of(lines_.begin() + 1, lines_.end(),
                       [](const std::string& line) { return startsWithNoCase(line, "icy-"); });
}

std::string ReplyHead::block() const {
    std::string out;
    out.reserve(size_ + 1);
    for (const std::string& line : lines_) {
        out += line;
        out += '\0';
    }
    out += '\0';
    return out;
}

}  // namespace audio
