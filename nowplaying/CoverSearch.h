#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

class QLineEdit;
class TImage;

namespace app {
class HttpClient;
struct StationRecord;
}  // namespace app

namespace nowplaying {

// The cover search behind the hidden Button1: for the title in the title slot, find a picture
// as the station's cover-art mode says, download it, decode it, squeeze it to 70 x 70 and show
// it. Every failure is silent and keeps the picture shown before. Runs on the GUI thread.
class CoverSearch {
public:
    // The controls and services belong to the window and outlive this object. The station
    // record is read afresh on every search, so a station switch takes effect at once.
    CoverSearch(QLineEdit* titleSlot, TImage* picture, const app::StationRecord* currentStation,
                app::HttpClient* imageSearchClient, QString imageSearchBaseUrl);

    // Called by the window when Button1 is clicked (from code, by the title slot's change).
    // Never throws. While it waits on the network, the window's events run, and a later title
    // can start another search inside this one; the later search wins and this one then stops
    // without touching the picture.
    void Button1Click();

    // The title (trimmed, code page 1254) recorded at the start of the latest search.
    const std::string& LastCoverTitle() const { return lastCoverTitle_; }

    // Told the address of each picture the search shows, right after it is shown.
    void setShownHandler(std::function<void(const QString& address)> handler) {
        shownHandler_ = std::move(handler);
    }

private:
    void search(std::uint64_t run, const std::string& title);
    bool superseded(std::uint64_t run) const { return run != latestRun_; }

    QLineEdit* titleSlot_;
    TImage* picture_;
    const app::StationRecord* currentStation_;
    app::HttpClient* imageSearchClient_;
    QString imageSearchBaseUrl_;
    std::function<void(const QString&)> shownHandler_;

    // GUI thread only, like everything here.
    std::string lastCoverTitle_;
    std::uint64_t latestRun_ = 0;
};

}  // namespace nowplaying
