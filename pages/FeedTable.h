#pragma once

#include <QByteArray>
#include <functional>
#include <string>

struct _xmlNode;

namespace pages {

class MemData;

// Refills a table from the items of a feed, the way both feed pages load. The feed is parsed
// first, so a feed that is not well-formed throws FeedError before the table is touched. Then
// the table is emptied, its views are suspended, whileSuspended runs once (the page lets
// queued input run there), and addItem runs for each item of the list element listName in
// document order. The views are resumed however the loop ends.
void LoadFeedTable(MemData& table, const QByteArray& feed, const char* listName,
                   const std::function<void()>& whileSuspended,
                   const std::function<void(const _xmlNode*)>& addItem);

// A value of an item as the table keeps it: code page 1254 bytes.
std::string FeedValue(const _xmlNode* item, const char* name);

}  // namespace pages
