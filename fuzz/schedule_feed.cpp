// The schedule feed loaded into the schedule's table for one of the seven days.
#include <QByteArray>
#include <cstddef>
#include <cstdint>

#include "FeedDocument.h"
#include "ScheduleTable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray feed(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    pages::MemData table(pages::ScheduleFields());
    try {
        pages::LoadScheduleTable(table, feed, pages::ScheduleDays().at(size % 7).name);
    } catch (const pages::FeedError&) {
        return 0;
    }
    for (int row = 0; row < table.rowCount(); ++row) {
        table.value(row, QStringLiteral("aciklama"));
    }
    return 0;
}
