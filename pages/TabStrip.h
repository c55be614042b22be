#pragma once
// The tab strip along the bottom of the window: a press picks one of five tabs by its X alone,
// shows that tab's strip picture and page, and for the schedule and announcements tabs fetches
// the feed again and hands over to the page.
//
// Feeds go through the window's HTTP client, which serves one request at a time. A press that
// comes in while an earlier press still fetches (the client keeps the window running during
// the wait) switches the picture and page at once. Its own fetch then waits its turn in the
// client, except when that same feed is already being fetched: then no second request is
// sent, and the running fetch fills the page when it returns.

#include <QByteArray>
#include <QDate>
#include <QString>
#include <array>
#include <functional>

class QWidget;
class TImage;

namespace app {
class HttpClient;
}

namespace pages {

class AnnouncementsPage;
class SchedulePage;

struct TabStripControls {
    TImage* strip = nullptr;          // tab
    std::array<TImage*, 5> stores{};  // tab_1 .. tab_5
    std::array<QWidget*, 5> pages{};  // panel_yayin .. panel_iletisim
};

struct FeedAddresses {
    QString schedule;       // Stream.aspx on the station's web server
    QString announcements;  // Announcement.aspx
    static FeedAddresses station();
};

class TabStrip {
public:
    using Clock = std::function<QDate()>;

    // Nothing is owned. today gives the local date whose weekday the schedule opens on.
    TabStrip(const TabStripControls& controls, app::HttpClient& http, FeedAddresses feeds,
             SchedulePage& schedule, AnnouncementsPage& announcements,
             Clock today = &QDate::currentDate);

    // 1 to 5 for X in 1..64, 65..128, 129..192, 193..256, 257..320; 0 for any other X.
    static int tabAt(int x);

    // tabMouseDown: only X counts; the button, the shift state and Y do not.
    void mouseDown(int x);

private:
    // Fetches a feed unless it is being fetched already, stores a good reply and loads the
    // page from whatever the page now holds.
    void refresh(bool& fetching, const QString& url,
                 const std::function<void(const QByteArray&)>& store,
                 const std::function<void()>& load);

    // Owned by the GUI thread, like the controls.
    TabStripControls controls_;
    app::HttpClient& http_;
    FeedAddresses feeds_;
    SchedulePage& schedule_;
    AnnouncementsPage& announcements_;
    Clock today_;
    bool fetchingSchedule_ = false;       // a press is waiting for Stream.aspx
    bool fetchingAnnouncements_ = false;  // a press is waiting for Announcement.aspx
};

}  // namespace pages
