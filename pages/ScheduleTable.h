#pragma once
// The weekly schedule as a table: the fields of dxMemData1, the seven day buttons' captions and
// day names, and the load of one day's entries from the schedule feed.

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <array>
#include <functional>

#include "MemData.h"

namespace pages {

struct ScheduleDay {
    QString caption;  // of the day button
    QString name;     // as the feed's "Day" writes it
};

// Monday first, as the day buttons stand.
const std::array<ScheduleDay, 7>& ScheduleDays();
// The index into ScheduleDays() of a date's weekday.
int ScheduleDayIndex(QDate date);

// saat 10, program 100, ok 1, aciklama 1000.
QList<MemDataField> ScheduleFields();

// Fills the table with the entries of "streaming" whose "Day" is exactly dayName, in document
// order, and moves to the first row. Throws FeedError, table untouched, on a malformed feed.
void LoadScheduleTable(MemData& table, const QByteArray& feed, const QString& dayName,
                       const std::function<void()>& whileSuspended = {});

}  // namespace pages
