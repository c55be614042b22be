#include "TabStrip.h"

#include <QCoreApplication>
#include <QScopedValueRollback>
#include <QWidget>
#include <exception>

#include "AnnouncementsPage.h"
#include "HttpClient.h"
#include "SchedulePage.h"
#include "ServerUrls.h"
#include "TImage.h"

namespace pages {

FeedAddresses FeedAddresses::station() {
    const QString base = app::StationBaseUrl();
    return {base + QStringLiteral("Stream.aspx"), base + QStringLiteral("Announcement.aspx")};
}

TabStrip::TabStrip(const TabStripControls& controls, app::HttpClient& http, FeedAddresses feeds,
                   SchedulePage& schedule, AnnouncementsPage& announcements, Clock today)
    : controls_(controls),
      http_(http),
      feeds_(std::move(feeds)),
      schedule_(schedule),
      announcements_(announcements),
      today_(std::move(today)) {}

int TabStrip::tabAt(int x) {
    if (x < 1 || x > 320) {
        return 0;
    }
    return (x - 1) / 64 + 1;
}

void TabStrip::mouseDown(int x) {
    const int tab = tabAt(x);
    if (tab == 0) {
        return;
    }
    const auto chosen = static_cast<std::size_t>(tab - 1);
    controls_.strip->setPicture(controls_.stores.at(chosen)->picture());
    for (std::size_t i = 0; i < controls_.pages.size(); ++i) {
        if (i != chosen) {
            controls_.pages.at(i)->setVisible(false);
        }
    }
    controls_.pages.at(chosen)->setVisible(true);

    if (tab == 2) {
        refresh(
            fetchingSchedule_, feeds_.schedule,
            [this](const QByteArray& body) { schedule_.setFeedText(body); },
            [this] { schedule_.selectDay(today_()); });
    } else if (tab == 3) {
        refresh(
            fetchingAnnouncements_, feeds_.announcements,
            [this](const QByteArray& body) { announcements_.setFeedText(body); },
            [this] { announcements_.loadAnnouncements(); });
    }
}

void TabStrip::refresh(bool& fetching, const QString& url,
                       const std::function<void(const QByteArray&)>& store,
                       const std::function<void()>& load) {
    if (fetching) {
        return;
    }
    const QScopedValueRollback<bool> busy(fetching, true);
    // Let the new strip and page paint before the request blocks.
    QCoreApplication::processEvents();
    try {
        store(http_.get(url));
    } catch (const std::exception&) {
        // A feed that cannot be fetched is silent: the page shows the last good reply.
    }
    load();
}

}  // namespace pages
