// The cover search without its network: the whole input as an image search reply, and split
// at its first line break into a cover-art mode and a title.
#include <QString>
#include <cstddef>
#include <cstdint>
#include <string>

#include "Codepage.h"
#include "CoverRules.h"
#include "EncodeQueryValue.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::string scraped = nowplaying::ScrapeImageAddress(input);
    if (!scraped.empty()) {
        app::Cp1254Address(scraped);
    }

    const std::size_t newline = input.find('\n');
    const std::string mode = input.substr(0, newline);
    const std::string title =
        nowplaying::TrimTitle(newline == std::string::npos ? "" : input.substr(newline + 1));
    if (title.empty() || nowplaying::IsAdvertisementTitle(title)) {
        return 0;
    }
    const std::string encoded = app::EncodeQueryValue(title);
    nowplaying::ImageSearchUrl(QStringLiteral("http://127.0.0.1/"), encoded);
    const nowplaying::CoverSource source = nowplaying::ChooseCoverSource(mode, title, encoded);
    if (source.kind == nowplaying::CoverSource::Kind::Address) {
        app::Cp1254Address(source.address);
    }
    return 0;
}
