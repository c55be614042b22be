#include <gtest/gtest.h>

#include <cmath>

#include "MprisRules.h"

namespace mpris {
namespace {

TEST(SplitTitle, ArtistBeforeTheFirstSpacedDashSongAfterIt) {
    const TrackText track = SplitTitle("Selin Aktaş - Mert Koç - Gece");
    EXPECT_EQ(track.artist, QString::fromUtf8("Selin Aktaş"));
    EXPECT_EQ(track.title, QString::fromUtf8("Mert Koç - Gece"));

    // A dash without blanks round it belongs to the name.
    const TrackText hyphen = SplitTitle(" Jean-Luc  -  Sonbahar ");
    EXPECT_EQ(hyphen.artist, QStringLiteral("Jean-Luc"));
    EXPECT_EQ(hyphen.title, QStringLiteral("Sonbahar"));
}

TEST(SplitTitle, NoSpacedDashGivesTheWholeTitleAndNoArtist) {
    const TrackText track = SplitTitle("REKLAM ARASI");
    EXPECT_TRUE(track.artist.isEmpty());
    EXPECT_EQ(track.title, QStringLiteral("REKLAM ARASI"));
    EXPECT_TRUE(SplitTitle("").title.isEmpty());
    EXPECT_TRUE(SplitTitle(" - ").title.isEmpty());
}

TEST(DesktopText, ValidUtf8AsUtf8ElseCodePage1254) {
    // "Barış" in UTF-8 and in code page 1254.
    EXPECT_EQ(DesktopText("Bar\xc4\xb1\xc5\x9f"), QString::fromUtf8("Barış"));
    EXPECT_EQ(DesktopText("Bar\xfd\xfe"), QString::fromUtf8("Barış"));
    // A truncated UTF-8 sequence and an overlong one are not UTF-8.
    EXPECT_EQ(DesktopText("\xc4"), QString::fromUtf8("Ä"));
    EXPECT_EQ(DesktopText("\xc0\xaf"), QString::fromUtf8("À¯"));
    const TrackText both = SplitTitle(
        "\xc7"
        "a\xf0"
        "la I\xfe\xfd"
        "k - \xd6"
        "zlem");
    EXPECT_EQ(both.artist, QString::fromUtf8("Çağla Işık"));
    EXPECT_EQ(both.title, QString::fromUtf8("Özlem"));
}

TEST(PlaybackStatus, PlayingOnlyWithTheStopSymbolAndAPlayingChannel) {
    EXPECT_EQ(PlaybackStatus(1, true), QStringLiteral("Playing"));
    EXPECT_EQ(PlaybackStatus(1, false), QStringLiteral("Stopped"));
    EXPECT_EQ(PlaybackStatus(0, true), QStringLiteral("Stopped"));
    EXPECT_EQ(PlaybackStatus(0, false), QStringLiteral("Stopped"));
}

TEST(WrappedIndex, WrapsRoundAtBothEnds) {
    EXPECT_EQ(WrappedIndex(0, 3, 1), 1);
    EXPECT_EQ(WrappedIndex(2, 3, 1), 0);
    EXPECT_EQ(WrappedIndex(0, 3, -1), 2);
    EXPECT_EQ(WrappedIndex(1, 3, -1), 0);
    EXPECT_EQ(WrappedIndex(0, 1, 1), 0);
    EXPECT_EQ(WrappedIndex(-1, 3, 1), 0);
    EXPECT_EQ(WrappedIndex(-1, 3, -1), 2);
    EXPECT_EQ(WrappedIndex(-1, 0, 1), -1);
}

TEST(Volume, DesktopScaleAgainstTheSlidersClampedAndRounded) {
    EXPECT_DOUBLE_EQ(DesktopVolume(70), 0.7);
    EXPECT_DOUBLE_EQ(DesktopVolume(0), 0.0);
    EXPECT_DOUBLE_EQ(DesktopVolume(100), 1.0);
    EXPECT_EQ(SliderVolume(0.5), 50);
    EXPECT_EQ(SliderVolume(0.704), 70);
    EXPECT_EQ(SliderVolume(0.705), 71);
    EXPECT_EQ(SliderVolume(1.5), 100);
    EXPECT_EQ(SliderVolume(-0.1), 0);
    EXPECT_EQ(SliderVolume(std::nan("")), 0);
    for (int v = 0; v <= 100; ++v) {
        EXPECT_EQ(SliderVolume(DesktopVolume(v)), v);
    }
}

TEST(ArtUrl, OnlyHttpAndHttps) {
    EXPECT_EQ(ArtUrl(QStringLiteral("http://127.0.0.1:8000/a.jpg")),
              QStringLiteral("http://127.0.0.1:8000/a.jpg"));
    EXPECT_EQ(ArtUrl(QStringLiteral("HTTPS://ornek.com/a.jpg")),
              QStringLiteral("HTTPS://ornek.com/a.jpg"));
    EXPECT_TRUE(ArtUrl(QStringLiteral("file:///etc/passwd")).isEmpty());
    EXPECT_TRUE(ArtUrl(QStringLiteral("ftp://ornek.com/a.jpg")).isEmpty());
    EXPECT_TRUE(ArtUrl(QString()).isEmpty());
}

}  // namespace
}  // namespace mpris
