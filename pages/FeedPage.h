#pragma once
// What the two feed pages share: the table their list shows, the last good reply of their feed
// (the tab strip stores it; the page reads it on every load) and how they report a feed that
// is not well-formed.

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

#include "MemData.h"

namespace pages {

class FeedPage {
public:
    using ShowMessage = std::function<void(const QString&)>;

    MemData& table() { return table_; }
    const QByteArray& feedText() const { return feedText_; }
    void setFeedText(const QByteArray& text) { feedText_ = text; }

protected:
    FeedPage(const QList<MemDataField>& fields, ShowMessage showMessage);
    ~FeedPage();
    FeedPage(const FeedPage&) = delete;
    FeedPage& operator=(const FeedPage&) = delete;

    // Owned by the GUI thread.
    MemData table_;
    QByteArray feedText_;
    ShowMessage showMessage_;
    bool loading_ = false;  // a load of table_ is running (it lets queued input run)
};

}  // namespace pages
