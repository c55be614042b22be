#include <gtest/gtest.h>

#include <string>

#include "CoverRules.h"

using namespace nowplaying;

TEST(CoverRules, TrimRemovesControlBytesAndBlanksOnly) {
    EXPECT_EQ(TrimTitle(" \t\r\n Song \x01"), "Song");
    EXPECT_EQ(TrimTitle("\xDE"
                        "ark\xFD "),
              "\xDE"
              "ark\xFD");  // 1254 letters are not blanks
    EXPECT_EQ(TrimTitle("   "), "");
}

TEST(CoverRules, AdvertisementTitlesInAnyAsciiCase) {
    EXPECT_TRUE(IsAdvertisementTitle("REKLAM ARASI"));
    EXPECT_TRUE(IsAdvertisementTitle("Kisa ReKlAm"));
    EXPECT_TRUE(IsAdvertisementTitle("xreklamx"));
    EXPECT_FALSE(IsAdvertisementTitle("Rek lam"));
    EXPECT_FALSE(IsAdvertisementTitle("Reklm"));
}

TEST(CoverRules, ArtistImageFileName) {
    EXPECT_EQ(ArtistImageFileName("Artist One & Artist Two - Song"), "Artist%20One.JPG");
    EXPECT_EQ(ArtistImageFileName("A/B - C"), "A.JPG");
    EXPECT_EQ(ArtistImageFileName("Song"), ".JPG");
    EXPECT_EQ(ArtistImageFileName("  Big  Band / Other & X - Song - Remix "), "Big%20%20Band.JPG");
    EXPECT_EQ(ArtistImageFileName("A&B/C - D"), "A.JPG");  // "/" first, then "&"
    EXPECT_EQ(ArtistImageFileName("- Song"), ".JPG");
    // Letters outside ASCII pass through as code page 1254 bytes.
    EXPECT_EQ(ArtistImageFileName("\xDE"
                                  "ebnem \xC7"
                                  "a - \xDD"
                                  "z"),
              "\xDE"
              "ebnem%20\xC7"
              "a.JPG");
}

TEST(CoverRules, ImageSearchUrlHasTheFixedTail) {
    const QString expected =
        QStringLiteral("http://h:1/images?q=Artist+-+Song&um=1&hl=tr&biw=1362&bih=585&uss=1");
    EXPECT_EQ(ImageSearchUrl(QStringLiteral("http://h:1/"), "Artist+-+Song"), expected);
    EXPECT_EQ(ImageSearchUrl(QStringLiteral("http://h:1"), "Artist+-+Song"), expected);
}

TEST(CoverRules, ScrapeTakesTheTextUpToTheNextMarkerWithinTheWindow) {
    EXPECT_EQ(
        ScrapeImageAddress("<a><img src=http://pics/x.jpg:http://page/1>src=http://no:http://"),
        "http://pics/x.jpg");
    // No ":http://" after the marker: "http://" alone is too short.
    EXPECT_EQ(ScrapeImageAddress("<img src=http://pics/x.jpg>"), "");
    // The next marker right after the first: nothing taken.
    EXPECT_EQ(ScrapeImageAddress("src=http://:http://abc"), "");
    // Ten bytes is enough, nine is not.
    EXPECT_EQ(ScrapeImageAddress("src=http://abc:http://"), "http://abc");
    EXPECT_EQ(ScrapeImageAddress("src=http://ab:http://"), "");
    EXPECT_EQ(ScrapeImageAddress(""), "");
}

TEST(CoverRules, ScrapeWindowIsFiveHundredBytes) {
    const std::string head = "xx src=http://";
    // ":http://" ending at the window's last byte is found; one byte later it is not.
    EXPECT_EQ(ScrapeImageAddress(head + std::string(492, 'a') + ":http://"),
              "http://" + std::string(492, 'a'));
    EXPECT_EQ(ScrapeImageAddress(head + std::string(493, 'a') + ":http://"), "");
}

TEST(CoverRules, WithoutTheMarkerTheWindowStartsAtTheEleventhByte) {
    EXPECT_EQ(ScrapeImageAddress("0123456789host/p.jpg:http://"), "http://host/p.jpg");
}

TEST(CoverRules, CoverSourceByMode) {
    using Kind = CoverSource::Kind;
    EXPECT_EQ(ChooseCoverSource("g", "A - B", "A+-+B").kind, Kind::WebSearch);
    for (const char* mode : {"G", "y", "Y", "", "x", "W-http://a/", "g ", "w"}) {
        EXPECT_EQ(ChooseCoverSource(mode, "A - B", "A+-+B").kind, Kind::None) << mode;
    }
    const CoverSource w = ChooseCoverSource("w-http://a/?t=", "A - B", "A+-+B");
    EXPECT_EQ(w.kind, Kind::Address);
    EXPECT_EQ(w.address, "http://a/?t=A+-+B");
    EXPECT_EQ(ChooseCoverSource("f-http://a/", "A - B", "A+-+B").address, "http://a/A.JPG");
    EXPECT_EQ(ChooseCoverSource("w-", "A", "A").address, "A");
}

TEST(CoverRules, PrefixCountsUpToOneHundredBytes) {
    const std::string hundred(100, 'p');
    EXPECT_EQ(ChooseCoverSource("w-" + hundred + "qq", "T", "T").address, hundred + "T");
    EXPECT_EQ(ChooseCoverSource("f-" + hundred.substr(1), "A - B", "x").address,
              hundred.substr(1) + "A.JPG");
    EXPECT_EQ(ChooseCoverSource("w-" + hundred, "T", "T").address, hundred + "T");
}
