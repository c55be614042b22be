#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QTest>

#include "ComboCloseUp.h"

namespace player {
namespace {

TEST(ComboCloseUp, RunsEachTimeTheListClosesChangedOrNot) {
    QComboBox combo;
    combo.addItems({QStringLiteral("A"), QStringLiteral("B")});
    combo.show();
    int closeUps = 0;
    int indexSeen = -2;
    new ComboCloseUp(&combo, [&] {
        ++closeUps;
        indexSeen = combo.currentIndex();
    });
    combo.showPopup();
    EXPECT_EQ(closeUps, 0);
    combo.hidePopup();
    QTRY_COMPARE(closeUps, 1);
    EXPECT_EQ(indexSeen, 0);

    combo.showPopup();
    QTest::keyClick(combo.view(), Qt::Key_Down);
    QTest::keyClick(combo.view(), Qt::Key_Return);
    QTRY_COMPARE(closeUps, 2);
    EXPECT_EQ(indexSeen, 1);
}

}  // namespace
}  // namespace player
