#include <gtest/gtest.h>

#include <QEventLoop>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>

#include "PagesRig.h"

namespace {

QByteArray item(const QByteArray& title, const QByteArray& body = {},
                const QByteArray& image = {}) {
    return "<item><Title>" + title + "</Title><ShortContent>Kısa</ShortContent><Body>" + body +
           "</Body><ImageUrl>" + image + "</ImageUrl></item>";
}

QByteArray feed(const QByteArray& items) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?><duyurular><announcement>" + items +
           "</announcement></duyurular>";
}

// Opens the current row through the title strip and returns the page's HTML once loaded.
QString openFromTitleStrip(PagesRig& rig) {
    QSignalSpy loaded(rig.browser, &QWebEngineView::loadFinished);
    QTest::mouseClick(rig.image15, Qt::LeftButton, {}, QPoint(100, 20));
    EXPECT_TRUE(loaded.wait(20000));
    QString html;
    QEventLoop wait;
    rig.browser->page()->toHtml([&](const QString& text) {
        html = text;
        wait.quit();
    });
    wait.exec();
    return html;
}

}  // namespace

TEST(AnnouncementsPage, SeventhOfSevenIsCurrentVisibleAndOpensFromTheTitleStrip) {
    PagesRig rig;
    QByteArray items;
    for (int i = 1; i <= 7; ++i) {
        items += item("Duyuru " + QByteArray::number(i));
    }
    rig.routeAnnouncements(feed(items));
    rig.pressTab(150);
    ASSERT_EQ(rig.announcements->table().rowCount(), 7);
    EXPECT_EQ(rig.announcements->table().currentRow(), 6);
    EXPECT_EQ(rig.grid2->currentRow(), 6);
    EXPECT_EQ(rig.grid2->rowRect(6), QRect(0, 4 * 76, 304, 76));

    const QString html = openFromTitleStrip(rig);
    EXPECT_TRUE(rig.panel2->isVisible());
    EXPECT_EQ(rig.browser->height(), 354);
    EXPECT_TRUE(html.contains(QStringLiteral("Duyuru 7"))) << html.toStdString();
    EXPECT_FALSE(html.contains(QStringLiteral("Duyuru 6")));

    // Reloading and switching tabs leave the detail view open.
    rig.pressTab(150);
    rig.pressTab(300);
    rig.pressTab(150);
    EXPECT_TRUE(rig.panel2->isVisible());
    rig.announcements->closeDetail();
    EXPECT_FALSE(rig.panel2->isVisible());
}

TEST(AnnouncementsPage, MarkupTakesEffectScriptsDoNotRun) {
    PagesRig rig;
    rig.routeAnnouncements(feed(item(QByteArray(60, 'T'),
                                     "<![CDATA[<b>kalın</b> &lt;i&gt;<script>document.title="
                                     "'ran'</script>]]>&lt;u&gt;alt&lt;/u&gt;")));
    rig.pressTab(150);
    EXPECT_EQ(rig.announcements->table().value(0, QStringLiteral("baslik")).size(), 50u);
    const QString html = openFromTitleStrip(rig);
    EXPECT_TRUE(html.contains(QString::fromUtf8("<b>kalın</b>"))) << html.toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("<u>alt</u>")));
    EXPECT_TRUE(html.contains(QString(50, u'T')));
    EXPECT_FALSE(html.contains(QString(51, u'T')));
    EXPECT_TRUE(html.contains(QStringLiteral("<img src=\"\" style=\"width:280px;height:auto\">")));
    QTest::qWait(300);
    EXPECT_NE(rig.browser->title(), QStringLiteral("ran"));
}

TEST(AnnouncementsPage, PictureLoadsFromItsAddress) {
    PagesRig rig;
    rig.server.route("/resim.png", fixture::Reply::text("not really a picture", "image/png"));
    rig.routeAnnouncements(
        feed(item("Resimli", "metin", QByteArray::fromStdString(rig.server.url("/resim.png")))));
    rig.pressTab(150);
    openFromTitleStrip(rig);
    EXPECT_TRUE(QTest::qWaitFor([&] { return rig.server.requestCount("/resim.png") > 0; }, 20000));
}

TEST(AnnouncementsPage, NothingToOpenAndMalformedFeeds) {
    PagesRig rig;
    QTest::mouseClick(rig.image15, Qt::LeftButton, {}, QPoint(100, 20));
    EXPECT_FALSE(rig.panel2->isVisible());

    rig.routeAnnouncements(feed(item("Bir") + item("İki")));
    rig.pressTab(150);
    rig.routeAnnouncements("<duyurular><announcement><item></duyurular>");
    rig.pressTab(150);
    ASSERT_EQ(rig.messages.size(), 1);
    EXPECT_EQ(rig.announcements->table().rowCount(), 2);
    EXPECT_EQ(rig.announcements->table().value(1, QStringLiteral("baslik")), "\xDDki");
}

TEST(AnnouncementsPage, LoadAskedForDuringALoadRunsAfterIt) {
    PagesRig rig;
    rig.announcements->setFeedText(feed(item("Eski")));
    int resumed = 0;
    QObject::connect(&rig.announcements->table(), &pages::MemData::modelReset, [&] { ++resumed; });
    // The load lets queued input run once: a new feed and a second load come in then.
    QTimer::singleShot(0, [&] {
        rig.announcements->setFeedText(feed(item("Yeni 1") + item("Yeni 2")));
        rig.announcements->loadAnnouncements();
        EXPECT_TRUE(rig.announcements->table().controlsDisabled());
    });
    rig.announcements->loadAnnouncements();
    EXPECT_FALSE(rig.announcements->table().controlsDisabled());
    ASSERT_EQ(rig.announcements->table().rowCount(), 2);
    EXPECT_EQ(rig.announcements->table().value(1, QStringLiteral("baslik")), "Yeni 2");
    EXPECT_EQ(rig.grid2->currentRow(), 1);
    EXPECT_EQ(resumed, 4);  // each of the two loads: emptied, then resumed
}
