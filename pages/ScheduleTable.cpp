#include "ScheduleTable.h"

#include "FeedDocument.h"
#include "FeedTable.h"

namespace pages {

const std::array<ScheduleDay, 7>& ScheduleDays() {
    static const std::array<ScheduleDay, 7> days = {{
        {QStringLiteral("PZT"), QStringLiteral("Pazartesi")},
        {QStringLiteral("SAL"), QString::fromUtf8("Salı")},
        {QString::fromUtf8("ÇAR"), QString::fromUtf8("Çarşamba")},
        {QStringLiteral("PER"), QString::fromUtf8("Perşembe")},
        {QStringLiteral("CUM"), QStringLiteral("Cuma")},
        {QStringLiteral("CMT"), QStringLiteral("Cumartesi")},
        {QStringLiteral("PAZ"), QStringLiteral("Pazar")},
    }};
    return days;
}

int ScheduleDayIndex(QDate date) {
    return date.dayOfWeek() - 1;
}

QList<MemDataField> ScheduleFields() {
    return {{QStringLiteral("saat"), 10},
            {QStringLiteral("program"), 100},
            {QStringLiteral("ok"), 1},
            {QStringLiteral("aciklama"), 1000}};
}

void LoadScheduleTable(MemData& table, const QByteArray& feed, const QString& dayName,
                       const std::function<void()>& whileSuspended) {
    LoadFeedTable(table, feed, "streaming", whileSuspended, [&](const _xmlNode* entry) {
        if (QString::fromUtf8(FeedDocument::value(entry, "Day")) != dayName) {
            return;
        }
        std::string name = FeedValue(entry, "Name");
        if (name.empty()) {
            name = FeedValue(entry, "Program");
        }
        const std::string description = FeedValue(entry, "Description");
        table.append();
        table.setValue(QStringLiteral("saat"), FeedValue(entry, "Hour"));
        table.setValue(QStringLiteral("program"), name);
        table.setValue(QStringLiteral("ok"), description.empty() ? std::string() : ">");
        table.setValue(QStringLiteral("aciklama"), description);
    });
    table.first();
}

}  // namespace pages
