#pragma once
// The announcements page: the list of announcements and the detail view, a web view that shows
// the chosen one as a small HTML page with its picture. The page keeps the announcements
// feed's last good reply; the tab strip fetches it and asks the page to load.
//
// A load lets queued input run once while the list is suspended. A load asked for in that
// moment (the tab pressed again) does not run inside it: it runs once the first is done.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <functional>

#include "FeedPage.h"

class QWebEngineView;
class QWidget;
class RecordGrid;

namespace pages {

struct AnnouncementControls {
    RecordGrid* grid = nullptr;         // DBCtrlGrid2
    QWidget* detailView = nullptr;      // Panel2
    QWebEngineView* browser = nullptr;  // WebBrowser1
    QImage rowPicture;                  // Image16, the list's row background
};

// Its table is dxMemData2, its feed text AnnouncementFeedText.
class AnnouncementsPage : public FeedPage {
public:
    // The controls are not owned. showMessage shows the parser's error text of a bad feed.
    AnnouncementsPage(const AnnouncementControls& controls, ShowMessage showMessage);

    // LoadAnnouncements: fills the list with every announcement; the last one is current.
    // A feed that is not well-formed shows its error and leaves the list as it was.
    void loadAnnouncements();
    // DBCtrlGrid2Click (also the title strip's click): shows the current row in the detail
    // view. With no current row nothing changes.
    void gridClick();
    // SpeedButton9Click.
    void closeDetail();

private:
    // Owned by the GUI thread, like the controls.
    AnnouncementControls controls_;
    bool loadAgain_ = false;  // asked for while a load was running
};

}  // namespace pages
