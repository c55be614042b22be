#include <gtest/gtest.h>

#include "StationDirectory.h"

using app::StationDirectory;

namespace {

std::string reply(int stations, int extraLines, const std::string& eol = "\r\n") {
    std::string text = "1002" + eol + "http://example.com/setup" + eol;
    for (int i = 0; i < stations; ++i) {
        for (int k = 0; k < 8; ++k) {
            text += "s" + std::to_string(i) + "f" + std::to_string(k) + eol;
        }
    }
    for (int i = 0; i < extraLines; ++i) {
        text += "extra" + eol;
    }
    return text;
}

StationDirectory decode(const std::string& body) {
    return StationDirectory(StationDirectory::DecodeReply(QByteArray::fromStdString(body)));
}

}  // namespace

TEST(StationDirectory, CompleteRecordsOnlyCount) {
    for (int n : {0, 1, 3}) {
        EXPECT_EQ(decode(reply(n, 0)).stationCount(), n);
        EXPECT_EQ(decode(reply(n, 7)).stationCount(), n);
        EXPECT_EQ(decode(reply(n, 8)).stationCount(), n + 1);
    }
    EXPECT_EQ(decode("1002\r\n").stationCount(), 0);
    EXPECT_EQ(decode("").stationCount(), 0);
}

TEST(StationDirectory, RecordFieldsComeFromTheirLines) {
    const auto dir = decode(reply(2, 0));
    const auto r = dir.record(1);
    EXPECT_EQ(r.displayName, "s1f1");
    EXPECT_EQ(r.streamUrl, "s1f2");
    EXPECT_EQ(r.prerollUrl, "s1f3");
    EXPECT_EQ(r.webViewUrl, "s1f4");
    EXPECT_EQ(r.socialUrl1, "s1f5");
    EXPECT_EQ(r.socialUrl2, "s1f6");
    EXPECT_EQ(r.coverArtMode, "s1f7");
    EXPECT_EQ(dir.record(2).streamUrl, "");
    EXPECT_EQ(dir.line(1000), "");
}

TEST(StationDirectory, LineBreaksOfEveryKindAndDoubleUnderscoresSplit) {
    const auto dir = decode("1\r\n2\n3\r4\r\n\r\n6__7 a_b\n");
    const std::vector<std::string> expected{"1", "2", "3", "4", "", "6", "7 a_b"};
    EXPECT_EQ(dir.lines(), expected);
    // A field holding "__" shifts every later field by one line.
    std::string shifted = reply(1, 0);
    shifted.replace(shifted.find("s0f1"), 4, "Radyo__Bir");
    const auto moved = decode(shifted);
    EXPECT_EQ(moved.record(0).displayName, "Radyo");
    EXPECT_EQ(moved.record(0).streamUrl, "Bir");
    EXPECT_EQ(moved.record(0).prerollUrl, "s0f2");
}

TEST(StationDirectory, Utf8IsDecodedAndASingleHighByteEmptiesTheReply) {
    EXPECT_EQ(decode("1002\r\nx\r\n\xC3\xBC").line(2), "\xFC");
    std::string latin = reply(2, 0);
    latin += "\xFC";
    EXPECT_TRUE(decode(latin).lines().empty());
}

TEST(StationDirectory, VersionLineIsADecimalOrZero) {
    EXPECT_EQ(decode("1003\r\n").latestVersion(), 1003);
    EXPECT_EQ(decode("abc\r\n").latestVersion(), 0);
    EXPECT_EQ(decode("").latestVersion(), 0);
    EXPECT_EQ(decode("12x\r\n").latestVersion(), 0);
}

TEST(StationDirectory, RequestIsPlainConcatenation) {
    EXPECT_EQ(StationDirectory::RequestUrl(QStringLiteral("http://h/"), QStringLiteral("zelkor"),
                                           QStringLiteral("0A-1B-2C-3D-4E-5F"),
                                           QStringLiteral("1002"), -1),
              QStringLiteral("http://h/xml.aspx?i=zelkor&mac=0A-1B-2C-3D-4E-5F&v=1002&rid=-1"));
}
