#include <gtest/gtest.h>

#include "Codepage.h"
#include "ReplaceAll.h"

using namespace app;

TEST(Codepage, TurkishLettersRoundTripThroughTheirOwnBytes) {
    const QString turkish = QStringLiteral("ğĞıİşŞçÇöÖüÜ€");
    const std::string bytes = ToCp1254(turkish);
    EXPECT_EQ(bytes, "\xF0\xD0\xFD\xDD\xFE\xDE\xE7\xC7\xF6\xD6\xFC\xDC\x80");
    EXPECT_EQ(FromCp1254(bytes), turkish);
}

TEST(Codepage, EveryByteSurvivesARoundTrip) {
    std::string all;
    for (int b = 1; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
    }
    EXPECT_EQ(ToCp1254(FromCp1254(all)), all);
}

TEST(Codepage, UnmappableCharactersBecomeQuestionMarks) {
    EXPECT_EQ(ToCp1254(QStringLiteral("a\u4E2Db\u00D0")), "a?b?");  // Ð is not in 1254
}

TEST(Codepage, Utf8DecodesToCp1254AndIllFormedInputGivesNothing) {
    EXPECT_EQ(Utf8ToCp1254(QByteArray("Radyo \xC5\x9F"
                                      "en")),
              "Radyo \xFE"
              "en");
    EXPECT_EQ(Utf8ToCp1254(QByteArray("Radyo \xFE"
                                      "en")),
              "");
    EXPECT_EQ(Utf8ToCp1254(QByteArray("abc\xE2\x82")), "");  // truncated sequence
}

TEST(ReplaceAll, ReplacesLeftToRightWithoutRescanning) {
    EXPECT_EQ(ReplaceAll(std::string("aaa"), "aa", "b"), "ba");
    EXPECT_EQ(ReplaceAll(std::string("a__b__"), "__", "\r\n"), "a\r\nb\r\n");
    EXPECT_EQ(ReplaceAll(std::string("xyz"), "q", "r"), "xyz");
    EXPECT_EQ(ReplaceAll(std::string(), "q", "r"), "");
    EXPECT_EQ(ReplaceAll(std::string("abc"), "", "r"), "abc");
    EXPECT_EQ(ReplaceAll(std::string("aXa"), "a", "aa"), "aaXaa");
    EXPECT_EQ(ReplaceAll(QStringLiteral("Rock & Roll"), QStringLiteral("&"), QStringLiteral("&&")),
              QStringLiteral("Rock && Roll"));
}

TEST(Codepage, AddressesSendTheirOwnBytesForLettersAboveAscii) {
    EXPECT_EQ(Cp1254Address("http://h/sanatci/Akta\xFE.JPG"),
              QStringLiteral("http://h/sanatci/Akta%FE.JPG"));
    EXPECT_EQ(Cp1254Address("http://h/a%20b?x=1"), QStringLiteral("http://h/a%20b?x=1"));
}
