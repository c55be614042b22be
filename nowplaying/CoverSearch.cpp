#include "CoverSearch.h"

#include <QLineEdit>
#include <exception>
#include <utility>

#include "Codepage.h"
#include "CoverRules.h"
#include "CoverScaler.h"
#include "EncodeQueryValue.h"
#include "HttpClient.h"
#include "JpegDecode.h"
#include "StationRecord.h"
#include "TImage.h"

namespace nowplaying {

CoverSearch::CoverSearch(QLineEdit* titleSlot, TImage* picture,
                         const app::StationRecord* currentStation,
                         app::HttpClient* imageSearchClient, QString imageSearchBaseUrl)
    : titleSlot_(titleSlot),
      picture_(picture),
      currentStation_(currentStation),
      imageSearchClient_(imageSearchClient),
      imageSearchBaseUrl_(std::move(imageSearchBaseUrl)) {}

void CoverSearch::Button1Click() {
    const std::uint64_t run = ++latestRun_;
    const std::string title = TrimTitle(app::ToCp1254(titleSlot_->text()));
    lastCoverTitle_ = title;
    if (title.empty() || IsAdvertisementTitle(title)) {
        return;
    }
    try {
        search(run, title);
    } catch (const std::exception&) {
        // A failed request, a picture the decoder refuses or the scaler's error: the old
        // picture stays, and nobody is told.
    }
}

void CoverSearch::search(std::uint64_t run, const std::string& title) {
    const std::string encodedTitle = app::EncodeQueryValue(title);
    CoverSource source = ChooseCoverSource(currentStation_->coverArtMode, title, encodedTitle);
    if (source.kind == CoverSource::Kind::None) {
        return;
    }
    if (source.kind == CoverSource::Kind::WebSearch) {
        const QByteArray reply =
            imageSearchClient_->get(ImageSearchUrl(imageSearchBaseUrl_, encodedTitle));
        if (superseded(run)) {
            return;
        }
        source.address = ScrapeImageAddress(reply.toStdString());
        if (source.address.empty()) {
            return;
        }
    }

    // A client of its own with the library's defaults, not the window client's settings.
    app::HttpClient download(app::HttpSettings::libraryDefaults());
    const QString address = app::Cp1254Address(source.address);
    const QByteArray bytes = download.get(address);
    if (superseded(run)) {
        return;
    }
    const QImage decoded = decodeJpeg(bytes);
    if (decoded.isNull()) {
        return;
    }
    picture_->setPicture(ScaleCover(decoded));
    if (shownHandler_) {
        shownHandler_(address);
    }
}

}  // namespace nowplaying
