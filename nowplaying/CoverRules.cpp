#include "CoverRules.h"

#include "ReplaceAll.h"

namespace nowplaying {

namespace {

constexpr std::size_t kScrapeWindow = 500;
constexpr std::size_t kShortestAddress = 10;
constexpr std::size_t kLongestPrefix = 100;

// The text before the first separator, trimmed; the whole text when there is none.
std::string beforeFirst(const std::string& text, char separator) {
    const std::size_t at = text.find(separator);
    return at == std::string::npos ? text : TrimTitle(text.substr(0, at));
}

bool startsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

}  // namespace

std::string TrimTitle(const std::string& text) {
    auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && isBlank(text[first])) {
        ++first;
    }
    while (last > first && isBlank(text[last - 1])) {
        --last;
    }
    return text.substr(first, last - first);
}

bool IsAdvertisementTitle(const std::string& title) {
    std::string folded = title;
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return folded.find("reklam") != std::string::npos;
}

std::string ArtistImageFileName(const std::string& title) {
    const std::string trimmed = TrimTitle(title);
    const std::size_t dash = trimmed.find('-');
    std::string artist =
        dash == std::string::npos ? std::string() : TrimTitle(trimmed.substr(0, dash));
    artist = beforeFirst(beforeFirst(artist, '/'), '&');
    return TrimTitle(ReplaceAll(artist, " ", "%20")) + ".JPG";
}

QString ImageSearchUrl(const QString& baseUrl, const std::string& encodedTitle) {
    QString base = baseUrl;
    while (base.endsWith(u'/')) {
        base.chop(1);
    }
    return base + QStringLiteral("/images?q=") + QString::fromLatin1(encodedTitle) +
           QStringLiteral("&um=1&hl=tr&biw=1362&bih=585&uss=1");
}

std::string ScrapeImageAddress(const std::string& reply) {
    // Positions count from 1 with 0 for "not found", and the window starts 11 on: right after
    // the marker, or at the eleventh byte when there is no marker at all.
    const std::size_t at = reply.find("src=http://");
    const std::size_t position = at == std::string::npos ? 0 : at + 1;
    const std::size_t start = position + 10;
    const std::string window = start < reply.size() ? reply.substr(start, kScrapeWindow) : "";
    const std::size_t end = window.find(":http://");
    const std::string address = "http://" + window.substr(0, end == std::string::npos ? 0 : end);
    return address.size() < kShortestAddress ? std::string() : address;
}

CoverSource ChooseCoverSource(const std::string& coverArtMode, const std::string& title,
                              const std::string& encodedTitle) {
    if (coverArtMode == "g") {
        return {CoverSource::Kind::WebSearch, {}};
    }
    if (coverArtMode == "y") {
        return {};
    }
    const std::string prefix =
        coverArtMode.size() > 2 ? coverArtMode.substr(2, kLongestPrefix) : std::string();
    if (startsWith(coverArtMode, "w-")) {
        return {CoverSource::Kind::Address, prefix + encodedTitle};
    }
    if (startsWith(coverArtMode, "f-")) {
        return {CoverSource::Kind::Address, prefix + ArtistImageFileName(title)};
    }
    return {};
}

}  // namespace nowplaying
