#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>

#include "AppFonts.h"

// fonts-wine is one of the player's dependencies, so Tahoma is expected here.
TEST(AppFonts, RegistersTahomaOnceAndMakesPixelSizedFonts) {
    const QStringList loaded = AppFonts::install();
    EXPECT_TRUE(loaded.contains(QStringLiteral("Tahoma")));
    EXPECT_EQ(AppFonts::install(), loaded);

    const QFont bold = AppFonts::pixelFont(QStringLiteral("Tahoma"), 13, true);
    EXPECT_EQ(bold.pixelSize(), 13);
    EXPECT_EQ(QFontInfo(bold).family(), QStringLiteral("Tahoma"));
    EXPECT_TRUE(QFontInfo(bold).bold());
    EXPECT_TRUE(QFontInfo(AppFonts::pixelFont(QStringLiteral("Tahoma"), 11, true, true)).italic());

    // The window's default font, whatever face stands in for it.
    EXPECT_EQ(QApplication::font().pixelSize(), 11);
    EXPECT_EQ(QApplication::font().family(), QStringLiteral("MS Sans Serif"));
    // Arial is drawn with its metric twin.
    EXPECT_EQ(QFontInfo(AppFonts::pixelFont(QStringLiteral("Arial"), 19, true)).family(),
              QStringLiteral("Liberation Sans"));
}
