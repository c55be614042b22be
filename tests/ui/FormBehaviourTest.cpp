#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTimeZone>

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

TEST_F(FormTest, TitlesShowLiterallyTheClockHasNoZoneAndSpeedButtonsTakeNoFocus) {
    TForm1& window = start();
    window.edt_1->setText(QStringLiteral("<i>durum</i>"));
    window.edt_2->setText(QStringLiteral("<b>x</b>"));
    for (QLabel* label : {window.calan1, window.calan2}) {
        EXPECT_GE(label->sizeHint().width(),
                  label->fontMetrics().horizontalAdvance(label->text()) - 2)
            << label->objectName().toStdString();
    }

    const QString clock = window.lbl_saat->text();
    EXPECT_TRUE(clock.contains(QRegularExpression(QStringLiteral("^\\d{1,2}[:.]\\d{2}[:.]\\d{2}"))))
        << clock.toStdString();
    EXPECT_FALSE(
        clock.contains(QTimeZone::systemTimeZone().abbreviation(QDateTime::currentDateTime())))
        << clock.toStdString();

    // Tab goes round every control that can take the focus; no day button is among them.
    showPage(window.Panel_yayinakisi);
    window.activateWindow();
    QSet<QWidget*> focused;
    for (int i = 0; i < 80; ++i) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &window;
        QTest::keyClick(target, Qt::Key_Tab);
        focused.insert(QApplication::focusWidget());
    }
    for (QWidget* button : std::initializer_list<QWidget*>{window.SpeedButton1, window.SpeedButton4,
                                                           window.SpeedButton7, window.SpeedButton8,
                                                           window.SpeedButton9}) {
        EXPECT_FALSE(focused.contains(button)) << button->objectName().toStdString();
    }
}
