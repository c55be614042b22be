#include "SchedulePage.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDate>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <exception>

#include "Codepage.h"
#include "DataSource.h"
#include "FeedDocument.h"
#include "GridTemplates.h"
#include "ScheduleTable.h"

namespace pages {

SchedulePage::SchedulePage(const ScheduleControls& controls, ShowMessage showMessage)
    : FeedPage(ScheduleFields(), std::move(showMessage)), controls_(controls) {
    SetScheduleTemplate(controls_.grid, controls_.rowPicture);
    ConnectDataSource(&table_, controls_.grid);
    // A programme name is text, not markup.
    controls_.detailTitle->setTextFormat(Qt::PlainText);
}

bool SchedulePage::loadSchedule(const QString& dayName) {
    return load({dayName});
}

bool SchedulePage::load(const DayLoad& first) {
    if (loading_) {
        pending_ = first;
        return true;
    }
    const QScopedValueRollback<bool> loading(loading_, true);
    bool loaded = true;  // the load asked for here, not one that came in during it
    bool own = true;
    for (std::optional<DayLoad> next = first; next;
         next = std::exchange(pending_, std::nullopt), own = false) {
        try {
            LoadScheduleTable(table_, feedText_, next->day,
                              [] { QCoreApplication::processEvents(); });
            if (next->setDown && !pending_) {
                next->setDown->setChecked(true);
            }
        } catch (const FeedError& error) {
            loaded = loaded && !own;
            showMessage_(QString::fromUtf8(error.what()));
        }
    }
    return loaded;
}

bool SchedulePage::dayButtonClick(int index) {
    return loadSchedule(ScheduleDays().at(static_cast<std::size_t>(index)).name);
}

void SchedulePage::selectDay(const QDate& today) {
    const auto index = static_cast<std::size_t>(ScheduleDayIndex(today));
    load({ScheduleDays().at(index).name, controls_.dayButtons.at(index)});
}

void SchedulePage::gridClick() {
    try {
        if (table_.value(QStringLiteral("ok")).empty()) {
            return;
        }
        controls_.detailTitle->setText(app::FromCp1254(table_.value(QStringLiteral("program"))));
        controls_.detailText->setPlainText(
            app::FromCp1254(table_.value(QStringLiteral("aciklama"))));
        controls_.detailBox->setVisible(true);
    } catch (const std::exception&) {
        // Like the list's own click: a failure here leaves the box as it was.
    }
}

void SchedulePage::closeDetail() {
    controls_.detailBox->setVisible(false);
}

}  // namespace pages
