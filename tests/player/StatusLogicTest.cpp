#include <gtest/gtest.h>

#include <QLocale>

#include "BufferWait.h"
#include "StatusText.h"
#include "StreamTitle.h"

namespace player {
namespace {

TEST(StreamTitle, TakesTheQuotedTitleUpToTheFirstSemicolon) {
    EXPECT_EQ(ExtractStreamTitle("StreamTitle='Artist - Song';StreamUrl='';"), "Artist - Song");
    EXPECT_EQ(ExtractStreamTitle("StreamTitle='X';"), "X");
    EXPECT_EQ(ExtractStreamTitle("StreamTitle='';"), "");
    // The first ";" of the whole text ends the title, wherever it stands.
    EXPECT_EQ(ExtractStreamTitle("StreamTitle='A;B';"), "");
    EXPECT_EQ(ExtractStreamTitle("StreamUrl='u';StreamTitle='Song';"), "");
    EXPECT_EQ(ExtractStreamTitle("StreamTitle='No end'"), "");
    EXPECT_EQ(ExtractStreamTitle("StreamTitle=;"), "");
    EXPECT_EQ(ExtractStreamTitle("StreamTitle=x;"), "");
    // Key not at the start: the title is still found after it.
    EXPECT_EQ(ExtractStreamTitle("x StreamTitle='Ab';"), "Ab");
    // Bytes above 127 pass through unchanged (code page 1254).
    EXPECT_EQ(ExtractStreamTitle("StreamTitle='\xDE\xFE';"), "\xDE\xFE");
}

TEST(StreamTitle, NothingWithoutTextOrKey) {
    EXPECT_EQ(ExtractStreamTitle(nullptr), std::nullopt);
    EXPECT_EQ(ExtractStreamTitle(""), std::nullopt);
    EXPECT_EQ(ExtractStreamTitle("streamtitle='a';"), std::nullopt);
    EXPECT_EQ(ExtractStreamTitle("StreamUrl='';"), std::nullopt);
}

TEST(BitRateLabel, TakesFiveCharactersAfterThePrefixTrimmed) {
    EXPECT_EQ(BitRateLabel(QStringLiteral("BitRate: 128")), QStringLiteral("128 KBit"));
    EXPECT_EQ(BitRateLabel(QStringLiteral("BitRate:64")), QStringLiteral("64 KBit"));
    EXPECT_EQ(BitRateLabel(QStringLiteral("BitRate: 128000")), QStringLiteral("1280 KBit"));
    EXPECT_EQ(BitRateLabel(QStringLiteral("BitRate:")), QStringLiteral(" KBit"));
    EXPECT_EQ(BitRateLabel(QStringLiteral("BitRate:\t\x01"
                                          "96\r")),
              QStringLiteral("96 KBit"));
    // Only codes up to 32 are stripped; a no-break space stays.
    EXPECT_EQ(BitRateLabel(QString::fromUtf8("BitRate:\u00A032")),
              QString::fromUtf8("\u00A032 KBit"));
}

TEST(BitRateLabel, OtherTextsLeaveTheLabel) {
    EXPECT_EQ(BitRateLabel(QStringLiteral("ICY 200 OK")), std::nullopt);
    EXPECT_EQ(BitRateLabel(QStringLiteral("bitrate: 128")), std::nullopt);
    EXPECT_EQ(BitRateLabel(QStringLiteral("BitRate")), std::nullopt);
    EXPECT_EQ(BitRateLabel(QString()), std::nullopt);
}

TEST(StatusTexts, BufferingSampleRateAndChannels) {
    EXPECT_EQ(BufferingText(31), QString::fromUtf8("Arabelleğe Alınıyor... 31%"));
    EXPECT_EQ(BufferingText(100), QString::fromUtf8("Arabelleğe Alınıyor... 100%"));
    EXPECT_EQ(BufferingText(-1), QString::fromUtf8("Arabelleğe Alınıyor... -1%"));
    EXPECT_EQ(KhzText(44100), QStringLiteral("44 KHZ"));
    EXPECT_EQ(KhzText(22050), QStringLiteral("22 KHZ"));
    EXPECT_EQ(KhzText(11025), QStringLiteral("11 KHZ"));
    EXPECT_EQ(KhzText(22500), QStringLiteral("23 KHZ"));
    EXPECT_EQ(KhzText(0), QStringLiteral("0 KHZ"));
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    EXPECT_EQ(KhzText(1234567), QStringLiteral("1.235 KHZ"));
    QLocale::setDefault(saved);
    EXPECT_EQ(ChannelModeText(1), QStringLiteral("MONO"));
    EXPECT_EQ(ChannelModeText(2), QStringLiteral("STEREO"));
    EXPECT_EQ(ChannelModeText(6), QStringLiteral("STEREO"));
}

TEST(BufferPercent, UnsignedArithmeticAndTheEndsOfTheWait) {
    EXPECT_EQ(BufferPercent(7500, 0, 10000), 75u);
    EXPECT_EQ(BufferPercent(7600, 100, 10000), 75u);
    EXPECT_EQ(BufferPercent(7601, 0, 10000), 76u);
    EXPECT_EQ(BufferPercent(10000, 0, 10000), 100u);
    // The multiplication wraps in 32 bits, as the percentage always has.
    EXPECT_EQ(BufferPercent(50'000'000, 0, 100'000'000), (50'000'000u * 100u) / 100'000'000u);
    EXPECT_EQ(BufferPercent(0, 1, 100), (0xFFFFFFFFu * 100u) / 100u);
    EXPECT_EQ(BufferPercent(100, 0, 0), std::nullopt);
    EXPECT_EQ(BufferPercent(100, 0, 0xFFFFFFFFu), std::nullopt);
    EXPECT_EQ(BufferPercent(100, 0, 0xFFFFFFFEu), 0u);
}

}  // namespace
}  // namespace player
