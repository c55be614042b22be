#include <QAccessible>
#include <QTest>

#include "FormFixture.h"

namespace {

QAccessibleInterface* Accessible(QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    EXPECT_NE(face, nullptr) << widget->objectName().toStdString();
    return face;
}

void Press(QAccessibleInterface* face) {
    QAccessibleActionInterface* actions = face->actionInterface();
    ASSERT_NE(actions, nullptr);
    ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
}

}  // namespace

TEST_F(FormTest, PictureControlsHaveTurkishNamesAndRoles) {
    TForm1& w = start();
    const struct {
        QWidget* control;
        const char* name;
        QAccessible::Role role;
    } expected[] = {
        {w.lbl_play, "Çal / Durdur", QAccessible::Button},
        {w.Image17, "Mesajı Gönder", QAccessible::Button},
        {w.Image6, "Web Sitesi", QAccessible::Link},
        {w.Image8, "Harita", QAccessible::Link},
        {w.Label9, "Sosyal Medya Sayfası 1", QAccessible::Link},
        {w.Label10, "Sosyal Medya Sayfası 2", QAccessible::Link},
    };
    for (const auto& e : expected) {
        QAccessibleInterface* face = Accessible(e.control);
        ASSERT_NE(face, nullptr);
        EXPECT_EQ(face->text(QAccessible::Name), QString::fromUtf8(e.name));
        EXPECT_EQ(face->role(), e.role) << e.name;
        ASSERT_NE(face->actionInterface(), nullptr) << e.name;
    }

    QAccessibleInterface* strip = Accessible(w.tab);
    ASSERT_NE(strip, nullptr);
    EXPECT_EQ(strip->role(), QAccessible::PageTabList);
    const QStringList tabs{QStringLiteral("Radyo"), QStringLiteral("Yayın Akışı"),
                           QStringLiteral("Duyurular"), QStringLiteral("Mesaj"),
                           QStringLiteral("İletişim")};
    ASSERT_EQ(strip->childCount(), 5);
    QRect previous;
    for (int i = 0; i < 5; ++i) {
        QAccessibleInterface* part = strip->child(i);
        ASSERT_NE(part, nullptr);
        EXPECT_EQ(part->text(QAccessible::Name), tabs[i]);
        EXPECT_EQ(part->role(), QAccessible::PageTab);
        EXPECT_EQ(strip->indexOfChild(part), i);
        EXPECT_EQ(part->parent(), strip);
        EXPECT_EQ(part->rect().width(), 64);
        if (i > 0) {
            EXPECT_EQ(part->rect().left(), previous.right() + 1);
        }
        previous = part->rect();
    }
    EXPECT_EQ(strip->child(5), nullptr);
}

TEST_F(FormTest, PressActionsWorkAsClicks) {
    TForm1& w = start();
    QAccessibleInterface* strip = Accessible(w.tab);
    ASSERT_NE(strip, nullptr);
    Press(strip->child(4));  // "İletişim"
    EXPECT_TRUE(w.panel_iletisim->isVisible());
    EXPECT_FALSE(w.panel_yayin->isVisible());
    Press(strip->child(0));  // "Radyo"
    EXPECT_TRUE(w.panel_yayin->isVisible());
    EXPECT_FALSE(w.panel_iletisim->isVisible());

    // The toggle: the stop symbol after the start, the play symbol after one press, and back.
    const QImage stop = w.img_stop_->picture();
    const QImage play = w.img_play_->picture();
    ASSERT_NE(stop, play);
    EXPECT_EQ(w.img_play->picture(), stop);
    Press(Accessible(w.lbl_play));
    EXPECT_EQ(w.img_play->picture(), play);
    Press(Accessible(w.lbl_play));
    EXPECT_EQ(w.img_play->picture(), stop);
}
