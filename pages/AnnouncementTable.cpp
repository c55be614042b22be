#include "AnnouncementTable.h"

#include "FeedTable.h"

namespace pages {

QList<MemDataField> AnnouncementFields() {
    return {{QStringLiteral("baslik"), 50},
            {QStringLiteral("detay"), 200},
            {QStringLiteral("icerik"), 2000},
            {QStringLiteral("resimlink"), 150},
            {QStringLiteral("ok"), 1}};
}

void LoadAnnouncementTable(MemData& table, const QByteArray& feed,
                           const std::function<void()>& whileSuspended) {
    LoadFeedTable(table, feed, "announcement", whileSuspended, [&](const _xmlNode* item) {
        table.append();
        table.setValue(QStringLiteral("baslik"), FeedValue(item, "Title"));
        table.setValue(QStringLiteral("detay"), FeedValue(item, "ShortContent"));
        table.setValue(QStringLiteral("ok"), ">");
        table.setValue(QStringLiteral("icerik"), FeedValue(item, "Body"));
        table.setValue(QStringLiteral("resimlink"), FeedValue(item, "ImageUrl"));
    });
}

std::string AnnouncementPage(const MemData& table) {
    return "<html><body style=\"border:0px;margin:3px\">" + table.value(QStringLiteral("baslik")) +
           "<br>" + table.value(QStringLiteral("detay")) + "<br>" + "<img src=\"" +
           table.value(QStringLiteral("resimlink")) + "\" style=\"width:280px;height:auto\"><br>" +
           table.value(QStringLiteral("icerik")) + "</body></html>";
}

}  // namespace pages
