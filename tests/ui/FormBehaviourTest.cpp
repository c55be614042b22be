#include <QApplication>
#include <QMenu>
#include <QTest>

#include "FormFixture.h"

namespace {

// Presses at `at` on a page background, drags by `by` and releases.
void drag(QWidget* background, QPoint at, QPoint by) {
    QTest::mousePress(background, Qt::LeftButton, {}, at);
    QTest::mouseMove(background, at + by);
    QTest::mouseRelease(background, Qt::LeftButton, {}, at + by);
    QTest::qWait(10);
}

}  // namespace

TEST_F(FormTest, DragOnPlayerAndMessageBackgroundsMovesTheWindow) {
    TForm1& f = start();
    const QPoint before = f.pos();
    drag(f.Image1, QPoint(20, 150), QPoint(40, 30));
    EXPECT_EQ(f.pos(), before + QPoint(40, 30));

    showPage(f.panel_mesaj);
    const QPoint again = f.pos();
    drag(f.Image2, QPoint(150, 60), QPoint(-25, 12));
    EXPECT_EQ(f.pos(), again + QPoint(-25, 12));

    // After the release the window stays put when the mouse moves on.
    const QPoint settled = f.pos();
    QTest::mouseMove(f.Image2, QPoint(10, 10));
    EXPECT_EQ(f.pos(), settled);
}

TEST_F(FormTest, DragOnOtherBackgroundsOrOnControlsDoesNotMoveTheWindow) {
    TForm1& f = start();
    const QPoint before = f.pos();
    drag(f.img_play, QPoint(2, 2), QPoint(30, 30));  // inside the button's box, off its hot spot
    drag(f.lbl_play, QPoint(40, 40), QPoint(30, 30));
    for (QWidget* page :
         std::initializer_list<QWidget*>{f.Panel_yayinakisi, f.panel_duyurular, f.panel_iletisim}) {
        showPage(page);
        QWidget* background = page == f.Panel_yayinakisi  ? static_cast<QWidget*>(f.Image14)
                              : page == f.panel_duyurular ? static_cast<QWidget*>(f.Image15)
                                                          : static_cast<QWidget*>(f.Image19);
        drag(background, QPoint(160, 30), QPoint(30, 30));
    }
    EXPECT_EQ(f.pos(), before);
}

TEST_F(FormTest, ContextMenuOnlyOnPlayerAndMessageBackgrounds) {
    TForm1& f = start();
    ASSERT_EQ(f.PopupMenu1->actions().size(), 1);
    EXPECT_EQ(f.PopupMenu1->actions()[0], f.YazlmBrenvik1);
    EXPECT_EQ(f.YazlmBrenvik1->text(), QStringLiteral("Yazılım : Brenvik"));

    const QPoint before = f.pos();
    QTest::mousePress(f.Image1, Qt::RightButton, {}, QPoint(30, 150));
    EXPECT_TRUE(f.PopupMenu1->isVisible());
    f.PopupMenu1->close();
    EXPECT_EQ(f.pos(), before) << "the right button opens the menu and does not move";

    showPage(f.panel_mesaj);
    QTest::mousePress(f.Image2, Qt::RightButton, {}, QPoint(150, 60));
    EXPECT_TRUE(f.PopupMenu1->isVisible());
    f.PopupMenu1->close();

    showPage(f.Panel_yayinakisi);
    QTest::mousePress(f.Image14, Qt::RightButton, {}, QPoint(160, 20));
    showPage(f.panel_iletisim);
    QTest::mousePress(f.Image19, Qt::RightButton, {}, QPoint(160, 20));
    EXPECT_FALSE(f.PopupMenu1->isVisible());
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}
