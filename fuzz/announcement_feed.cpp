// The announcements feed loaded into its table, and the detail page of every row.
#include <QByteArray>
#include <cstddef>
#include <cstdint>

#include "AnnouncementTable.h"
#include "FeedDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray feed(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    pages::MemData table(pages::AnnouncementFields());
    try {
        pages::LoadAnnouncementTable(table, feed);
    } catch (const pages::FeedError&) {
        return 0;
    }
    for (int row = 0; row < table.rowCount(); ++row) {
        table.setCurrentRow(row);
        pages::AnnouncementPage(table);
    }
    return 0;
}
