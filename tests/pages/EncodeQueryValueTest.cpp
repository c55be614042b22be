#include <gtest/gtest.h>

#include <string>

#include "EncodeQueryValue.h"

using app::EncodeQueryValue;

TEST(EncodeQueryValue, KeepsLettersDigitsAndTenMarksOnly) {
    EXPECT_EQ(EncodeQueryValue(std::string("AZaz09!$'()*-.@_")), "AZaz09!$'()*-.@_");
    int kept = 0;
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        const std::string encoded = EncodeQueryValue(one);
        kept += encoded == one ? 1 : 0;
        EXPECT_TRUE(encoded == one || encoded == "+" || encoded.size() == 3) << b;
    }
    EXPECT_EQ(kept, 72);
}

TEST(EncodeQueryValue, EncodesSeparatorsSpaceAndLineBreaks) {
    EXPECT_EQ(EncodeQueryValue(QStringLiteral(" ")), QStringLiteral("+"));
    EXPECT_EQ(EncodeQueryValue(QStringLiteral("a\r\nb")), QStringLiteral("a%0D%0Ab"));
    EXPECT_EQ(EncodeQueryValue(QStringLiteral("+&=%~")), QStringLiteral("%2B%26%3D%25%7E"));
    EXPECT_EQ(EncodeQueryValue(QStringLiteral("a/b?c#d")), QStringLiteral("a%2Fb%3Fc%23d"));
    EXPECT_EQ(EncodeQueryValue(std::string("\x00\x7F\xFF", 3)), "%00%7F%FF");
    EXPECT_EQ(EncodeQueryValue(QString()), QString());
}

TEST(EncodeQueryValue, TurkishLettersGoOutAsCodePageBytes) {
    EXPECT_EQ(EncodeQueryValue(QString::fromUtf8("çğıöşüÇĞİÖŞÜ")),
              QStringLiteral("%E7%F0%FD%F6%FE%FC%C7%D0%DD%D6%DE%DC"));
    // A character the code page cannot hold goes out as its "?".
    EXPECT_EQ(EncodeQueryValue(QString::fromUtf8("€✓")), QStringLiteral("%80%3F"));
}
