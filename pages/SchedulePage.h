#pragma once
// The weekly schedule page: seven day buttons, the list of one day's programmes and the detail
// box. The page keeps the schedule feed's last good reply and reads it again on every day
// switch; it never fetches by itself.
//
// A load lets queued input run once while the list is suspended, so a day button pressed then
// would start a second load of the same table in the middle of the first. It does not: the
// day is remembered, and when the running load is done the page loads again for the last day
// asked for, so the list always ends up showing the day whose button is down. A day selected
// from code has its button set down only once its own load has read the feed, and not when a
// later day replaced it.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <array>
#include <functional>
#include <optional>

#include "FeedPage.h"

class QAbstractButton;
class QDate;
class QLabel;
class QPlainTextEdit;
class QWidget;
class RecordGrid;

namespace pages {

struct ScheduleControls {
    std::array<QAbstractButton*, 7> dayButtons{};  // SpeedButton1 (Monday) .. SpeedButton7
    RecordGrid* grid = nullptr;                    // DBCtrlGrid1
    QWidget* detailBox = nullptr;                  // Panel1
    QLabel* detailTitle = nullptr;                 // Label11
    QPlainTextEdit* detailText = nullptr;          // Memo3
    QImage rowPicture;                             // Image13, the list's row background
};

// Its table is dxMemData1, its feed text ScheduleFeedText.
class SchedulePage : public FeedPage {
public:
    // The controls are not owned. showMessage shows the parser's error text of a bad feed.
    SchedulePage(const ScheduleControls& controls, ShowMessage showMessage);

    // LoadSchedule: fills the list with the entries of one day. A feed that is not well-formed
    // shows its error and leaves the list as it was; returns false then.
    bool loadSchedule(const QString& dayName);
    // SpeedButtonNClick, index 0 for Monday.
    bool dayButtonClick(int index);
    // Clicks the day button of the date's weekday from code and then sets it down, unless the
    // feed could not be read; also when the load has to wait for one already running.
    void selectDay(const QDate& today);
    // DBCtrlGrid1Click: opens the detail box for the current row when it has a description.
    void gridClick();
    // SpeedButton8Click.
    void closeDetail();

private:
    struct DayLoad {
        QString day;
        QAbstractButton* setDown = nullptr;  // set down after the load, when it read the feed
    };
    bool load(const DayLoad& first);

    // Owned by the GUI thread, like the controls.
    ScheduleControls controls_;
    std::optional<DayLoad> pending_;  // asked for while a load was running
};

}  // namespace pages
