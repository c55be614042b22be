#pragma once
// The announcements as a table: the fields of dxMemData2, the load of every item of the
// announcements feed, and the page the detail view shows for one row.

#include <QByteArray>
#include <QList>
#include <functional>
#include <string>

#include "MemData.h"

namespace pages {

// baslik 50, detay 200, icerik 2000, resimlink 150, ok 1.
QList<MemDataField> AnnouncementFields();

// Fills the table with every item of "announcement" in document order; the last one stays the
// current row. Throws FeedError, table untouched, on a malformed feed.
void LoadAnnouncementTable(MemData& table, const QByteArray& feed,
                           const std::function<void()>& whileSuspended = {});

// The detail page of the current row, code page 1254 bytes. Field values go in unescaped, so
// markup in them takes effect.
std::string AnnouncementPage(const MemData& table);

}  // namespace pages
