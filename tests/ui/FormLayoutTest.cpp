#include <QApplication>
#include <QImage>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <initializer_list>

#include "FormFixture.h"
#include "WindowPlacement.h"

namespace {

const QRect kClient(0, 0, 320, 480);

bool isDescendant(const QWidget* widget, const QWidget* ancestor) {
    for (; widget; widget = widget->parentWidget()) {
        if (widget == ancestor)
            return true;
    }
    return false;
}

bool bluish(QRgb p) {
    return qBlue(p) > qRed(p) + 60;
}

bool greyish(QRgb p) {
    return std::abs(qRed(p) - qBlue(p)) < 30 && qRed(p) > 120;
}

// src over dst with straight alpha, per channel.
int blend(int src, int dst, int alpha) {
    return (src * alpha + dst * (255 - alpha) + 127) / 255;
}

}  // namespace

TEST_F(FormTest, ClientAreaAndEveryPageAfterStartUp) {
    TForm1& f = create();
    EXPECT_EQ(f.size(), QSize(320, 480));
    EXPECT_EQ(f.minimumSize(), f.maximumSize()) << "the listener cannot resize the window";
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Zelkor FM"));
    EXPECT_FALSE(f.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(f.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(f.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(f.windowIcon().availableSizes().size(), 4);
    for (QWidget* page :
         std::initializer_list<QWidget*>{f.panel_yayin, f.Panel_yayinakisi, f.panel_duyurular,
                                         f.panel_mesaj, f.panel_iletisim}) {
        EXPECT_EQ(page->geometry(), QRect(QPoint(0, 0), QPoint(319, 423)))
            << page->objectName().toStdString();
        EXPECT_EQ(page->isVisibleTo(&f), page == f.panel_yayin) << page->objectName().toStdString();
    }
    EXPECT_EQ(f.tab->geometry(), QRect(0, 423, 320, 57));
}

TEST_F(FormTest, ControlsOutsideThePagesLieOutsideTheClientArea) {
    TForm1& f = create();
    int checked = 0;
    for (QWidget* child : f.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow() || child == f.tab || child == f.panel_yayin ||
            child == f.Panel_yayinakisi || child == f.panel_duyurular || child == f.panel_mesaj ||
            child == f.panel_iletisim)
            continue;
        const QRect g = child->geometry();
        EXPECT_TRUE(g.x() >= 320 || g.y() >= 480) << child->objectName().toStdString();
        ++checked;
    }
    EXPECT_EQ(checked, 29);
}

TEST_F(FormTest, RowFourHundredTwentyThreeBelongsToThePageAndTheStripStartsBelowIt) {
    TForm1& f = start();
    for (int x : {0, 64, 160, 319}) {
        EXPECT_TRUE(isDescendant(f.childAt(x, 423), f.panel_yayin)) << x;
        EXPECT_EQ(f.childAt(x, 424), f.tab) << x;
    }
    // A real press through the window system lands where the hit test says.
    QSignalSpy pagePresses(f.Image1, &THotSpot::pressed);
    QSignalSpy stripPresses(f.tab, &THotSpot::pressed);
    QTest::mousePress(f.windowHandle(), Qt::LeftButton, {}, QPoint(5, 423));
    QTest::mouseRelease(f.windowHandle(), Qt::LeftButton, {}, QPoint(5, 423));
    EXPECT_EQ(pagePresses.size(), 1);
    EXPECT_EQ(stripPresses.size(), 0);
    QTest::mousePress(f.windowHandle(), Qt::LeftButton, {}, QPoint(5, 424));
    QTest::mouseRelease(f.windowHandle(), Qt::LeftButton, {}, QPoint(5, 424));
    EXPECT_EQ(stripPresses.size(), 1);
}

TEST_F(FormTest, PlayerPagePixels) {
    TForm1& f = start();
    const QImage shot = f.grab().toImage();
    const QImage play(QStringLiteral(":/skin/play.png"));
    const QImage background(QStringLiteral(":/skin/player.png"));
    ASSERT_EQ(play.size(), QSize(105, 105));

    // The play picture lies at (108, 199): its opaque centre lands there exactly, and every
    // partly transparent pixel of its rim is blended over the background picture.
    EXPECT_EQ(shot.pixel(108 + 52, 199 + 52), play.pixel(52, 52) | 0xFF000000);
    int blended = 0;
    for (int y = 0; y < 105; ++y) {
        for (int x = 0; x < 105; ++x) {
            const QRgb src = play.pixel(x, y);
            const int a = qAlpha(src);
            if (a < 40 || a > 215)
                continue;
            const QRgb dst = background.pixel(108 + x, 199 + y);
            const QRgb got = shot.pixel(108 + x, 199 + y);
            ASSERT_NEAR(qRed(got), blend(qRed(src), qRed(dst), a), 3) << x << "," << y;
            ASSERT_NEAR(qGreen(got), blend(qGreen(src), qGreen(dst), a), 3) << x << "," << y;
            ASSERT_NEAR(qBlue(got), blend(qBlue(src), qBlue(dst), a), 3) << x << "," << y;
            ++blended;
        }
    }
    EXPECT_GT(blended, 50);
    // Outside the picture but inside its 122 x 121 box, the background shows.
    EXPECT_EQ(shot.pixel(101, 192), background.pixel(101, 192) | 0xFF000000);

    // The strip shows 56 rows from y = 424 with the first tab lit.
    EXPECT_TRUE(bluish(shot.pixel(32, 470)));
    for (int x : {96, 160, 224, 288})
        EXPECT_TRUE(greyish(shot.pixel(x, 470))) << x;
    // The top row of the page is the background's, not the strip's.
    EXPECT_EQ(shot.pixel(32, 423), background.pixel(32, 423) | 0xFF000000);
}

TEST_F(FormTest, ContentPagesShowTheirBackgroundsAndPictures) {
    TForm1& f = start();
    showPage(f.panel_mesaj);
    QImage shot = f.grab().toImage();
    const QImage message(QStringLiteral(":/skin/message.png"));
    const QImage send(QStringLiteral(":/skin/send.png"));
    EXPECT_EQ(shot.pixel(10, 60), message.pixel(10, 60) | 0xFF000000);
    EXPECT_EQ(shot.pixel(89, 357), message.pixel(89, 357) | 0xFF000000)
        << "the send button's transparent corner shows the background";
    EXPECT_EQ(shot.pixel(89 + 40, 357 + 28), send.pixel(40, 28) | 0xFF000000);

    showPage(f.panel_iletisim);
    shot = f.grab().toImage();
    const QImage social(QStringLiteral(":/skin/social1.png"));
    EXPECT_EQ(shot.pixel(216 + 15, 352 + 15), social.pixel(15, 15) | 0xFF000000);
}

TEST_F(FormTest, CentredOnceAtTheFirstShow) {
    TForm1& f = create();
    f.move(3, 4);  // has no effect: the first show places the window
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    const QRect desktop = QGuiApplication::primaryScreen()->virtualGeometry();
    EXPECT_EQ(f.pos(), centredOnDesktop(f.frameGeometry().size(), desktop));
    f.move(10, 20);
    f.hide();
    f.show();
    EXPECT_EQ(f.pos(), QPoint(10, 20)) << "later shows keep the listener's place";
}

TEST_F(FormTest, FirstShowSelectsTheStoredStationWhenTheListHasIt) {
    struct Case {
        int stations;
        int stored;
        int selected;
    };
    for (const Case c : {Case{3, 2, 2}, Case{3, 3, 0}, Case{3, -1, -1}, Case{3, -7, -1},
                         Case{0, 0, -1}, Case{0, -1, -1}}) {
        TForm1& f = create(c.stations);
        f.ayar1 = c.stored;
        f.show();
        EXPECT_EQ(f.cb_radyosec->currentIndex(), c.selected) << c.stations << " " << c.stored;
        form.reset();
    }
}

TEST_F(FormTest, TheUnseenStationSelectorTakesTheFocusAtFirstActivation) {
    TForm1& f = start(2);
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    EXPECT_EQ(QApplication::focusWidget(), f.cb_radyosec);
}
