#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QString>

#include "AnnouncementTable.h"
#include "FeedDocument.h"
#include "ScheduleTable.h"

using namespace pages;

namespace {

struct Entry {
    const char* day = "";
    QString hour = {};
    QString name = {};
    QString program = {};
    QString description = {};
};

QByteArray scheduleFeed(const std::vector<Entry>& entries) {
    QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<rss><streaming>\n");
    for (const Entry& e : entries) {
        xml += QStringLiteral(
                   "<item><Day>%1</Day><Hour>%2</Hour><Name>%3</Name>"
                   "<Program>%4</Program><Description>%5</Description></item>\n")
                   .arg(QString::fromUtf8(e.day), e.hour, e.name, e.program, e.description);
    }
    return (xml + QStringLiteral("</streaming></rss>")).toUtf8();
}

std::string at(const MemData& table, int row, const char* field) {
    return table.value(row, QString::fromLatin1(field));
}

class Schedule : public ::testing::Test {
protected:
    MemData table{ScheduleFields()};
};

}  // namespace

TEST_F(Schedule, ListsTheDaysEntriesInDocumentOrder) {
    LoadScheduleTable(
        table,
        scheduleFeed({{"Pazartesi", QStringLiteral("22:00"), QStringLiteral("Gece")},
                      {"Salı", QStringLiteral("09:00"), QStringLiteral("Sabah")},
                      {"Pazartesi", QStringLiteral("08:00"), QStringLiteral("Kahvaltı")}}),
        QStringLiteral("Pazartesi"));
    ASSERT_EQ(table.rowCount(), 2);
    EXPECT_EQ(at(table, 0, "saat"), "22:00");
    EXPECT_EQ(at(table, 1, "program"), "Kahvalt\xFD");
    EXPECT_EQ(table.currentRow(), 0);
}

TEST_F(Schedule, NameFallsBackToProgram) {
    LoadScheduleTable(table,
                      scheduleFeed({{"Cuma", {}, QStringLiteral("Ad"), QStringLiteral("Yedek")},
                                    {"Cuma", {}, {}, QStringLiteral("Yedek")},
                                    {"Cuma", {}, {}, {}}}),
                      QStringLiteral("Cuma"));
    ASSERT_EQ(table.rowCount(), 3);
    EXPECT_EQ(at(table, 0, "program"), "Ad");
    EXPECT_EQ(at(table, 1, "program"), "Yedek");
    EXPECT_EQ(at(table, 2, "program"), "");
}

TEST_F(Schedule, DayMatchesOnlyExactly) {
    const QByteArray feed = scheduleFeed({{"salı"}, {"Salı "}, {"Sali"}, {"SALI"}, {"Salı"}});
    LoadScheduleTable(table, feed, ScheduleDays().at(1).name);
    EXPECT_EQ(table.rowCount(), 1);
    LoadScheduleTable(table, feed, QStringLiteral("Pazar"));
    EXPECT_EQ(table.rowCount(), 0);
    EXPECT_EQ(table.currentRow(), -1);
}

TEST_F(Schedule, ValuesAreCutToTheirFields) {
    const std::vector<Entry> entries = {
        {"Pazar", QString(9, u'1'), {}, {}, QString(999, u'a')},
        {"Pazar", QString(10, u'2'), {}, {}, QString(1000, u'b')},
        {"Pazar", QString(12, u'3'), QString(101, u'n'), {}, QString(1200, u'c')},
    };
    LoadScheduleTable(table, scheduleFeed(entries), QStringLiteral("Pazar"));
    ASSERT_EQ(table.rowCount(), 3);
    EXPECT_EQ(at(table, 0, "saat").size(), 9u);
    EXPECT_EQ(at(table, 1, "saat").size(), 10u);
    EXPECT_EQ(at(table, 2, "saat"), "3333333333");
    EXPECT_EQ(at(table, 2, "program").size(), 100u);
    EXPECT_EQ(at(table, 0, "aciklama").size(), 999u);
    EXPECT_EQ(at(table, 1, "aciklama").size(), 1000u);
    EXPECT_EQ(at(table, 2, "aciklama").size(), 1000u);
}

TEST_F(Schedule, MarkerOnlyWithDescription) {
    const QByteArray feed =
        "<r><streaming><e><Day>Cuma</Day><Description>var</Description></e>"
        "<e><Day>Cuma</Day></e><e><Day>Cuma</Day><Description/></e></streaming></r>";
    LoadScheduleTable(table, feed, QStringLiteral("Cuma"));
    ASSERT_EQ(table.rowCount(), 3);
    EXPECT_EQ(at(table, 0, "ok"), ">");
    EXPECT_EQ(at(table, 1, "ok"), "");
    EXPECT_EQ(at(table, 2, "ok"), "");
}

TEST_F(Schedule, MalformedFeedThrowsTheParserTextAndKeepsTheRows) {
    LoadScheduleTable(table, scheduleFeed({{"Cuma"}}), QStringLiteral("Cuma"));
    for (const QByteArray& bad : {QByteArray("<r><streaming></r>"), QByteArray("   "),
                                  QByteArray("<r>"), QByteArray("\xFF\xFE<", 3)}) {
        try {
            LoadScheduleTable(table, bad, QStringLiteral("Cuma"));
            ADD_FAILURE() << bad.toStdString();
        } catch (const FeedError& error) {
            EXPECT_NE(std::string(error.what()), "") << bad.toStdString();
        }
        EXPECT_EQ(table.rowCount(), 1);
        EXPECT_FALSE(table.controlsDisabled());
    }
}

TEST_F(Schedule, EmptyOrUnrelatedDocumentsGiveAnEmptyList) {
    for (const QByteArray& feed : {QByteArray(), QByteArray("<r/>"), QByteArray("<streaming/>"),
                                   QByteArray("<r><other><e><Day>Cuma</Day></e></other></r>")}) {
        LoadScheduleTable(table, scheduleFeed({{"Cuma"}}), QStringLiteral("Cuma"));
        LoadScheduleTable(table, feed, QStringLiteral("Cuma"));
        EXPECT_EQ(table.rowCount(), 0) << feed.toStdString();
    }
}

TEST_F(Schedule, OnlyTheFirstListAndFirstValueOfAName) {
    const QByteArray feed =
        "<r><x/><streaming><e><Day>Cuma</Day><Day>Pazar</Day><Hour>1</Hour><Hour>2</Hour></e>"
        "<!-- a comment --></streaming><streaming><e><Day>Cuma</Day></e></streaming></r>";
    LoadScheduleTable(table, feed, QStringLiteral("Cuma"));
    ASSERT_EQ(table.rowCount(), 1);
    EXPECT_EQ(at(table, 0, "saat"), "1");
}

TEST_F(Schedule, TheDocumentDeclaresItsEncoding) {
    const QByteArray cp1254 =
        "<?xml version=\"1.0\" encoding=\"windows-1254\"?>"
        "<r><streaming><e><Day>Sal\xFD</Day><Name>\xDE\xFEk</Name></e></streaming></r>";
    LoadScheduleTable(table, cp1254, QString::fromUtf8("Salı"));
    ASSERT_EQ(table.rowCount(), 1);
    EXPECT_EQ(at(table, 0, "program"), "\xDE\xFEk");

    const QString text = QString::fromUtf8(
        "<?xml version=\"1.0\" encoding=\"UTF-16\"?><r><streaming><e><Day>Çarşamba</Day>"
        "<Name><![CDATA[<b>Öğle</b> & ]]></Name></e></streaming></r>");
    QByteArray utf16("\xFF\xFE", 2);
    utf16.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    LoadScheduleTable(table, utf16, QString::fromUtf8("Çarşamba"));
    ASSERT_EQ(table.rowCount(), 1);
    EXPECT_EQ(at(table, 0, "program"), "<b>\xD6\xF0le</b> & ");
}

TEST_F(Schedule, ElementsInsideAValueReadAsTheirText) {
    const QByteArray feed =
        "<r><streaming><e><Day>Cuma</Day><Name>Sabah <b>Haber</b>leri &amp; &#351;</Name></e>"
        "</streaming></r>";
    LoadScheduleTable(table, feed, QStringLiteral("Cuma"));
    ASSERT_EQ(table.rowCount(), 1);
    EXPECT_EQ(at(table, 0, "program"), "Sabah Haberleri & \xFE");
}

TEST_F(Schedule, EntitiesNeitherExplodeNorReadFiles) {
    QByteArray laughs = "<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY a \"aaaaaaaaaa\">";
    for (char level = 'b'; level <= 'k'; ++level) {
        const char prev = static_cast<char>(level - 1);
        laughs += QByteArray("<!ENTITY ") + level + " \"" +
                  QByteArray("&").append(prev).append(";").repeated(10) + "\">";
    }
    laughs +=
        "<!ENTITY f SYSTEM \"file:///etc/passwd\">]>"
        "<r><streaming><e><Day>Cuma</Day><Name>&k;</Name><Program>&f;</Program>"
        "<Description>x</Description></e></streaming></r>";
    QElapsedTimer timer;
    timer.start();
    try {
        LoadScheduleTable(table, laughs, QStringLiteral("Cuma"));
        ASSERT_EQ(table.rowCount(), 1);
        EXPECT_LE(at(table, 0, "program").size(), 100u);
        EXPECT_EQ(at(table, 0, "program").find("root:"), std::string::npos);
    } catch (const FeedError&) {
        // Refusing the document is as good as reading it safely.
    }
    EXPECT_LT(timer.elapsed(), 5000);
}

TEST(Announcements, AllItemsInOrderTheLastOneCurrent) {
    QByteArray feed = "<feed><announcement>";
    for (int i = 1; i <= 7; ++i) {
        feed += "<item><Title>Duyuru " + QByteArray::number(i) +
                "</Title><ShortContent>k</ShortContent></item>";
    }
    feed += "</announcement></feed>";
    MemData table(AnnouncementFields());
    LoadAnnouncementTable(table, feed);
    ASSERT_EQ(table.rowCount(), 7);
    EXPECT_EQ(table.value(0, QStringLiteral("baslik")), "Duyuru 1");
    EXPECT_EQ(table.currentRow(), 6);
    for (int row = 0; row < 7; ++row) {
        EXPECT_EQ(table.value(row, QStringLiteral("ok")), ">");
    }
}

TEST(Announcements, DetailPageIsTheTenPiecesWithTitleCut) {
    const QByteArray feed =
        "<feed><announcement><item><Title>" + QByteArray(60, 'T') +
        "</Title><ShortContent>Kısa</ShortContent><Body><![CDATA[<b>kalın</b>]]></Body>"
        "</item></announcement></feed>";
    MemData table(AnnouncementFields());
    LoadAnnouncementTable(table, feed);
    EXPECT_EQ(AnnouncementPage(table),
              "<html><body style=\"border:0px;margin:3px\">" + std::string(50, 'T') +
                  "<br>K\xFDsa<br><img src=\"\" style=\"width:280px;height:auto\"><br>"
                  "<b>kal\xFDn</b></body></html>");
}
