#include "FeedTable.h"

#include "Codepage.h"
#include "FeedDocument.h"
#include "MemData.h"

namespace pages {
namespace {

class SuspendedViews {
public:
    explicit SuspendedViews(MemData& table) : table_(table) { table_.disableControls(); }
    ~SuspendedViews() { table_.enableControls(); }
    SuspendedViews(const SuspendedViews&) = delete;
    SuspendedViews& operator=(const SuspendedViews&) = delete;

private:
    MemData& table_;
};

}  // namespace

void LoadFeedTable(MemData& table, const QByteArray& feed, const char* listName,
                   const std::function<void()>& whileSuspended,
                   const std::function<void(const _xmlNode*)>& addItem) {
    const FeedDocument document(feed);
    table.clear();
    const std::vector<const _xmlNode*> items = document.items(listName);
    const SuspendedViews suspended(table);
    if (whileSuspended) {
        whileSuspended();
    }
    for (const _xmlNode* item : items) {
        addItem(item);
    }
}

std::string FeedValue(const _xmlNode* item, const char* name) {
    return app::Utf8ToCp1254(FeedDocument::value(item, name));
}

}  // namespace pages
