#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>

#include "PagesRig.h"

using pages::TabStrip;

namespace {

std::string program(PagesRig& rig, int row) {
    return rig.schedule->table().value(row, QStringLiteral("program"));
}

}  // namespace

TEST(TabStrip, TabComesFromXAlone) {
    const std::vector<std::pair<int, int>> cases = {
        {-1, 0},  {0, 0},   {1, 1},   {64, 1},  {65, 2},  {128, 2}, {129, 3},
        {192, 3}, {193, 4}, {256, 4}, {257, 5}, {320, 5}, {321, 0}};
    for (const auto& [x, tab] : cases) {
        EXPECT_EQ(TabStrip::tabAt(x), tab) << x;
    }
}

TEST(TabStrip, PressSwitchesPictureAndPageWhateverTheButton) {
    PagesRig rig;
    rig.routeSchedule(WeekFeed());
    rig.pressTab(65);
    EXPECT_EQ(rig.visiblePage(), 2);
    EXPECT_EQ(rig.strip->picture(), rig.stores[1]->picture());

    rig.pressTab(0);
    EXPECT_EQ(rig.visiblePage(), 2);
    EXPECT_EQ(rig.strip->picture(), rig.stores[1]->picture());

    rig.pressTab(64);
    EXPECT_EQ(rig.visiblePage(), 1);
    EXPECT_EQ(rig.strip->picture(), rig.stores[0]->picture());

    rig.pressTab(200, Qt::RightButton);
    EXPECT_EQ(rig.visiblePage(), 4);
    rig.pressTab(300, Qt::MiddleButton);
    EXPECT_EQ(rig.visiblePage(), 5);
    EXPECT_EQ(rig.strip->picture(), rig.stores[4]->picture());
    EXPECT_EQ(rig.server.requestCount("/Stream.aspx"), 1u);
}

TEST(TabStrip, TabsOneFourAndFiveSendNothing) {
    PagesRig rig;
    for (const int x : {10, 200, 300, 0, 64, 193, 320}) {
        rig.pressTab(x);
    }
    EXPECT_TRUE(rig.server.requests().empty());
    EXPECT_TRUE(rig.messages.isEmpty());
}

TEST(TabStrip, ScheduleOpensOnTodaysDay) {
    PagesRig rig;
    rig.routeSchedule(WeekFeed());
    rig.today = QDate(2026, 12, 13);  // a Sunday
    rig.pressTab(100);
    EXPECT_EQ(rig.checkedDay(), 6);
    EXPECT_EQ(rig.dayButtons[6]->text(), QStringLiteral("PAZ"));
    ASSERT_EQ(rig.schedule->table().rowCount(), 1);
    EXPECT_EQ(program(rig, 0), "Pazar Keyfi");

    rig.today = QDate(2026, 12, 7);  // a Monday
    rig.pressTab(100);
    EXPECT_EQ(rig.checkedDay(), 0);
    ASSERT_EQ(rig.schedule->table().rowCount(), 2);
    EXPECT_EQ(program(rig, 0), "Gece");
    EXPECT_EQ(program(rig, 1), "Sabah");
}

TEST(TabStrip, PressingScheduleAgainReturnsToToday) {
    PagesRig rig;
    rig.routeSchedule(WeekFeed());
    rig.pressTab(100);
    QTest::mouseClick(rig.dayButtons[1], Qt::LeftButton);
    EXPECT_EQ(rig.checkedDay(), 1);
    ASSERT_EQ(rig.schedule->table().rowCount(), 1);
    EXPECT_EQ(program(rig, 0), "Sal\xFD Sabah\xFD");
    EXPECT_EQ(rig.server.requestCount("/Stream.aspx"), 1u);  // a day switch fetches nothing

    rig.pressTab(100);
    EXPECT_EQ(rig.checkedDay(), 0);
    EXPECT_EQ(rig.schedule->table().rowCount(), 2);
    EXPECT_EQ(rig.server.requestCount("/Stream.aspx"), 2u);
}

TEST(TabStrip, CookieOfTheFirstDownloadGoesBack) {
    PagesRig rig;
    rig.server.route("/Stream.aspx", [](const fixture::Request& request) {
        fixture::Reply reply = fixture::Reply::text(WeekFeed().toStdString(), "text/xml");
        if (request.header("cookie").empty()) {
            reply.headers.emplace_back("Set-Cookie", "sid=abc; Path=/");
        }
        return reply;
    });
    rig.pressTab(100);
    rig.pressTab(100);
    const std::vector<fixture::Request> requests = rig.server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].header("cookie"), "");
    EXPECT_EQ(requests[1].header("cookie"), "sid=abc");
}

TEST(TabStrip, FailedFetchShowsTheLastGoodFeedSilently) {
    PagesRig rig;
    rig.routeSchedule(WeekFeed());
    rig.routeAnnouncements("<f><announcement><i><Title>Eski</Title></i></announcement></f>");
    rig.pressTab(100);
    rig.pressTab(150);
    rig.server.setDown(true);

    rig.pressTab(100);
    EXPECT_EQ(rig.visiblePage(), 2);
    EXPECT_EQ(rig.schedule->table().rowCount(), 2);
    EXPECT_EQ(rig.schedule->feedText(), WeekFeed());
    rig.pressTab(150);
    EXPECT_EQ(rig.visiblePage(), 3);
    ASSERT_EQ(rig.announcements->table().rowCount(), 1);
    EXPECT_EQ(rig.announcements->table().value(0, QStringLiteral("baslik")), "Eski");
    EXPECT_TRUE(rig.messages.isEmpty());
}

TEST(TabStrip, NoFeedYetGivesAnEmptyList) {
    PagesRig rig;
    rig.server.route("/Stream.aspx", fixture::Reply::status(404, "Not Found"));
    rig.pressTab(100);
    EXPECT_EQ(rig.schedule->table().rowCount(), 0);
    EXPECT_EQ(rig.checkedDay(), 0);
    EXPECT_TRUE(rig.messages.isEmpty());
}

TEST(TabStrip, MalformedFeedShowsTheParserTextAndLeavesTheDay) {
    PagesRig rig;
    rig.routeSchedule(WeekFeed());
    rig.today = QDate(2026, 12, 13);
    rig.pressTab(100);
    rig.routeSchedule("<rss><streaming></rss>");
    rig.today = QDate(2026, 12, 8);  // a Tuesday
    rig.pressTab(100);
    ASSERT_EQ(rig.messages.size(), 1);
    EXPECT_TRUE(rig.messages[0].contains(QStringLiteral("line 1")))
        << rig.messages[0].toStdString();
    EXPECT_EQ(rig.checkedDay(), 6);
    ASSERT_EQ(rig.schedule->table().rowCount(), 1);
    EXPECT_EQ(program(rig, 0), "Pazar Keyfi");
}

TEST(TabStrip, PressDuringAFetchSwitchesAtOnceAndSendsNoSecondRequest) {
    PagesRig rig;
    fixture::Reply slow = fixture::Reply::text(WeekFeed().toStdString(), "text/xml");
    slow.delayBeforeHead = std::chrono::milliseconds(400);
    rig.server.route("/Stream.aspx", slow);
    rig.routeAnnouncements("<f><announcement><i><Title>A</Title></i></announcement></f>");
    bool sawAnnouncements = false;
    QTimer::singleShot(100, [&] { rig.pressTab(100); });
    QTimer::singleShot(150, [&] {
        rig.pressTab(150);
        sawAnnouncements = rig.visiblePage() == 3;
    });
    rig.pressTab(100);
    EXPECT_TRUE(sawAnnouncements);
    EXPECT_EQ(rig.server.requestCount("/Stream.aspx"), 1u);
    EXPECT_EQ(rig.server.requestCount("/Announcement.aspx"), 1u);
    EXPECT_EQ(rig.visiblePage(), 3);
    EXPECT_EQ(rig.schedule->table().rowCount(), 2);
    EXPECT_EQ(rig.announcements->table().rowCount(), 1);
}

TEST(SchedulePage, DetailBoxOpensOnlyForADescription) {
    PagesRig rig;
    rig.routeSchedule(WeekFeed());
    rig.pressTab(100);
    const QRect second = rig.grid1->rowRect(1);
    QTest::mousePress(rig.grid1, Qt::LeftButton, {}, second.center());
    EXPECT_EQ(rig.schedule->table().currentRow(), 1);
    EXPECT_FALSE(rig.panel1->isVisible());

    QTest::mousePress(rig.grid1, Qt::LeftButton, {}, rig.grid1->rowRect(0).center());
    EXPECT_TRUE(rig.panel1->isVisible());
    EXPECT_EQ(rig.label11->text(), QStringLiteral("Gece"));
    EXPECT_EQ(rig.memo3->toPlainText(), QString::fromUtf8("Gece yayını"));

    // Another day and another tab leave the box as it is.
    QTest::mouseClick(rig.dayButtons[6], Qt::LeftButton);
    rig.pressTab(10);
    rig.pressTab(100);
    EXPECT_TRUE(rig.panel1->isVisible());
    EXPECT_EQ(rig.label11->text(), QStringLiteral("Gece"));
    rig.schedule->closeDetail();
    EXPECT_FALSE(rig.panel1->isVisible());
}

TEST(SchedulePage, DayClickedDuringALoadIsLoadedAfterIt) {
    PagesRig rig;
    rig.schedule->setFeedText(WeekFeed());
    // The load lets queued input run once: a queued click on "PAZ" comes in then.
    QTimer::singleShot(0, [&] { QTest::mouseClick(rig.dayButtons[6], Qt::LeftButton); });
    EXPECT_TRUE(rig.schedule->dayButtonClick(0));
    EXPECT_EQ(rig.checkedDay(), 6);
    ASSERT_EQ(rig.schedule->table().rowCount(), 1);
    EXPECT_EQ(program(rig, 0), "Pazar Keyfi");
}

TEST(TabStrip, TodayWaitingForALoadIsSetDownOnlyWhenItsOwnLoadReadsTheFeed) {
    PagesRig rig;
    rig.routeSchedule(WeekFeed());
    rig.pressTab(100);
    rig.today = QDate(2026, 12, 13);  // a Sunday
    // The schedule tab is pressed while the listener's "SAL" load lets queued input run.
    const auto pressDuringTheDaysLoad = [&](const QByteArray& feed) {
        QTimer::singleShot(0, [&rig, feed] {
            rig.routeSchedule(feed);
            rig.pressTab(100);
        });
        QTest::mouseClick(rig.dayButtons[1], Qt::LeftButton);
    };

    pressDuringTheDaysLoad("<rss><streaming></rss>");
    ASSERT_EQ(rig.messages.size(), 1);
    EXPECT_EQ(rig.checkedDay(), 1);
    ASSERT_EQ(rig.schedule->table().rowCount(), 1);
    EXPECT_EQ(program(rig, 0), "Sal\xFD Sabah\xFD");

    rig.schedule->setFeedText(WeekFeed());
    pressDuringTheDaysLoad(WeekFeed());
    EXPECT_EQ(rig.messages.size(), 1);
    EXPECT_EQ(rig.checkedDay(), 6);
    ASSERT_EQ(rig.schedule->table().rowCount(), 1);
    EXPECT_EQ(program(rig, 0), "Pazar Keyfi");
    EXPECT_EQ(rig.server.requestCount("/Stream.aspx"), 3u);
}
