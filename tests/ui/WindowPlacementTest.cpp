#include <gtest/gtest.h>

#include "WindowPlacement.h"

TEST(WindowPlacement, CentresOnTheVirtualDesktopWithIntegerHalvesAndNeverNegative) {
    EXPECT_EQ(centredOnDesktop(QSize(320, 480), QRect(0, 0, 1920, 1080)), QPoint(800, 300));
    // Odd remainders round down.
    EXPECT_EQ(centredOnDesktop(QSize(327, 507), QRect(0, 0, 1024, 768)), QPoint(348, 130));
    // Two monitors side by side: the whole span counts, measured from the primary's origin.
    EXPECT_EQ(centredOnDesktop(QSize(326, 506), QRect(-1280, 0, 3200, 1080)), QPoint(1437, 287));
    // A desktop smaller than the window.
    EXPECT_EQ(centredOnDesktop(QSize(326, 506), QRect(0, 0, 300, 400)), QPoint(0, 0));
    EXPECT_EQ(centredOnDesktop(QSize(326, 506), QRect(0, 0, 327, 505)), QPoint(0, 0));
}
