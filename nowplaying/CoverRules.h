#pragma once
// Where a cover picture comes from, decided from the station's cover-art mode and the title.
// Texts are code page 1254 bytes; nothing here touches the network.

#include <QString>
#include <string>

namespace nowplaying {

// Leading and trailing bytes of code 32 or below removed.
std::string TrimTitle(const std::string& text);

// True when the title, with only A-Z folded to lower case, contains "reklam": the station's
// advertisement breaks, which have no cover.
bool IsAdvertisementTitle(const std::string& title);

// "Artist One & Artist Two - Song" -> "Artist%20One.JPG": the artist part before the first "-",
// cut at the first "/" and then at the first "&", blanks as "%20". Nothing else is encoded.
std::string ArtistImageFileName(const std::string& title);

// The image search request: scheme and host, "/images?q=", the encoded title, a fixed tail.
QString ImageSearchUrl(const QString& baseUrl, const std::string& encodedTitle);

// The picture address in an image search reply: "http://" and what follows the first
// "src=http://" up to the next ":http://" within 500 bytes. Empty when that is shorter than
// 10 bytes in all.
std::string ScrapeImageAddress(const std::string& reply);

struct CoverSource {
    enum class Kind { None, WebSearch, Address };
    Kind kind = Kind::None;
    std::string address;  // for Kind::Address
};

// The cover-art mode's four forms, compared case-sensitively: "g" (web image search), "y" (no
// picture), "w-" + prefix (prefix + encoded title), "f-" + prefix (prefix + artist file name);
// anything else fetches nothing. A prefix counts up to 100 bytes.
CoverSource ChooseCoverSource(const std::string& coverArtMode, const std::string& title,
                              const std::string& encodedTitle);

}  // namespace nowplaying
