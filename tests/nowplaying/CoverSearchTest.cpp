#include <gtest/gtest.h>

#include <QTimer>
#include <string>

#include "NowPlayingRig.h"

namespace {

bool isRed(QColor c) {
    return c.red() > 200 && c.green() < 60 && c.blue() < 60;
}
bool isBlue(QColor c) {
    return c.blue() > 200 && c.red() < 60 && c.green() < 60;
}
bool isGreen(QColor c) {
    return c.green() > 100 && c.red() < 60 && c.blue() < 60;
}

// Shows a known picture first, so that a failure can be seen to keep it.
QImage showGreenCover(NowPlayingRig& rig) {
    rig.server.route("/green.jpg",
                     fixture::Reply::text(
                         encodePicture(30, 30, "JPG", Qt::darkGreen, Qt::darkGreen), "image/jpeg"));
    rig.CurrentStation.coverArtMode = "w-" + rig.server.url("/green.jpg?t=");
    rig.edt_2->setText(QStringLiteral("Green"));
    EXPECT_TRUE(isGreen(rig.Image3->picture().pixelColor(35, 35)));
    return rig.Image3->picture();
}

}  // namespace

TEST(CoverSearch, WebImageSearchFindsTheAddressAndSqueezesThePicture) {
    NowPlayingRig rig;
    const std::string pictureUrl = rig.server.url("/pics/wide.jpg");
    rig.server.route("/images", fixture::Reply::text("<html><b>x</b><img src=" + pictureUrl +
                                                         ":http://page.example/a>" +
                                                         "<img src=http://second:http://x>",
                                                     "text/html"));
    rig.server.route("/pics/wide.jpg",
                     fixture::Reply::text(encodePicture(1000, 500, "JPG"), "image/jpeg"));
    rig.CurrentStation.coverArtMode = "g";
    rig.edt_2->setText(QStringLiteral("Artist - Song"));

    const auto requests = rig.server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].target, "/images?q=Artist+-+Song&um=1&hl=tr&biw=1362&bih=585&uss=1");
    // The search goes through the window's client, the download through a default one.
    EXPECT_EQ(requests[0].header("content-type"), "text/html");
    EXPECT_EQ(requests[1].path, "/pics/wide.jpg");
    EXPECT_EQ(requests[1].header("accept"), "text/html, */*");
    EXPECT_EQ(requests[1].header("user-agent"), "Mozilla/3.0 (compatible; Indy Library)");
    EXPECT_EQ(requests[1].headers.count("content-type"), 0u);

    const QImage cover = rig.Image3->picture();
    ASSERT_EQ(cover.size(), QSize(70, 70));
    // Squeezed, not cropped: red fills the left half and blue the right, top to bottom.
    for (int y : {0, 35, 69}) {
        EXPECT_TRUE(isRed(cover.pixelColor(2, y))) << y;
        EXPECT_TRUE(isRed(cover.pixelColor(30, y))) << y;
        EXPECT_TRUE(isBlue(cover.pixelColor(40, y))) << y;
        EXPECT_TRUE(isBlue(cover.pixelColor(67, y))) << y;
    }
}

TEST(CoverSearch, ReplyWithoutAnAddressFetchesNothing) {
    NowPlayingRig rig;
    rig.server.route("/images", fixture::Reply::text("<img src=http://a.example/x.jpg>" +
                                                     std::string(600, ' ') + ":http://b"));
    rig.CurrentStation.coverArtMode = "g";
    rig.edt_2->setText(QStringLiteral("Artist - Song"));
    EXPECT_EQ(rig.requestTotal(), 1u);
    EXPECT_TRUE(rig.Image3->picture().isNull());
}

TEST(CoverSearch, ArtistFolderAndPrefixModes) {
    NowPlayingRig rig;
    rig.server.route("/art/Artist%20One.JPG",
                     fixture::Reply::text(encodePicture(64, 48, "JPG"), "image/jpeg"));
    rig.CurrentStation.coverArtMode = "f-" + rig.server.url("/art/");
    rig.edt_2->setText(QStringLiteral("  Artist One & Artist Two - Song  "));
    EXPECT_EQ(rig.lastTitle(), "Artist One & Artist Two - Song");
    ASSERT_EQ(rig.server.requestCount("/art/Artist%20One.JPG"), 1u);
    EXPECT_TRUE(isRed(rig.Image3->picture().pixelColor(5, 5)));

    // Turkish letters of the artist's name go out as their own code page bytes.
    rig.edt_2->setText(QStringLiteral("Aktaş - Şarkı"));
    EXPECT_EQ(rig.server.requestCount("/art/Akta%FE.JPG"), 1u);

    // 120 characters after "w-": the last 20 are not part of the address.
    std::string prefix = rig.server.url("/w/");
    prefix += std::string(100 - prefix.size(), 'a');
    rig.CurrentStation.coverArtMode = "w-" + prefix + std::string(20, 'b');
    rig.edt_2->setText(QStringLiteral("Şarkı 1"));
    const auto requests = rig.server.requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[2].path,
              "/w/" + std::string(100 - rig.server.url("/w/").size(), 'a') + "%DEark%FD+1");
}

TEST(CoverSearch, GuardsStopBeforeAnyRequestButRecordTheTitle) {
    NowPlayingRig rig;
    for (const char* mode : {"G", "y", "", "x-http://127.0.0.1:1/", "W-http://127.0.0.1:1/"}) {
        rig.CurrentStation.coverArtMode = mode;
        rig.edt_2->setText(QStringLiteral("Title ") + QString::fromLatin1(mode));
    }
    rig.CurrentStation.coverArtMode = "g";
    rig.edt_2->setText(QStringLiteral("REKLAM ARASI"));
    EXPECT_EQ(rig.lastTitle(), "REKLAM ARASI");
    rig.edt_2->setText(QStringLiteral("  "));
    EXPECT_EQ(rig.lastTitle(), "");
    EXPECT_EQ(rig.requestTotal(), 0u);
}

TEST(CoverSearch, BadDownloadsKeepTheOldPicture) {
    NowPlayingRig rig;
    const QImage green = showGreenCover(rig);

    rig.server.route("/png", fixture::Reply::text(encodePicture(20, 20, "PNG"), "image/png"));
    rig.server.route("/html", fixture::Reply::text("<html><body>no</body></html>", "text/html"));
    rig.server.route("/moved", fixture::Reply::redirect(rig.server.url("/green.jpg")));
    rig.server.route("/missing", fixture::Reply::status(404, "Not Found"));
    std::string corrupt = encodePicture(40, 40, "JPG");
    for (std::size_t i = corrupt.size() / 3; i < corrupt.size(); i += 7) {
        corrupt[i] = static_cast<char>(0xFF);
    }
    rig.server.route("/corrupt", fixture::Reply::text(corrupt.substr(0, 300), "image/jpeg"));
    rig.server.route("/truncated", fixture::Reply::text(std::string("\xFF\xD8\xFF", 3)));
    rig.server.route("/huge", fixture::Reply::text(std::string(17 * 1024 * 1024, 'x')));

    const std::size_t greenFetches = rig.server.requestCount("/green.jpg");
    int n = 0;
    for (const char* path :
         {"/png", "/html", "/moved", "/missing", "/corrupt", "/truncated", "/huge"}) {
        rig.CurrentStation.coverArtMode = "w-" + rig.server.url(path) + "?t=";
        rig.edt_2->setText(QStringLiteral("Title %1").arg(++n));
        EXPECT_EQ(rig.server.requestCount(path), 1u) << path;
        EXPECT_EQ(rig.Image3->picture(), green) << path;
    }
    EXPECT_EQ(rig.server.requestCount("/green.jpg"), greenFetches);  // redirect not followed

    // Nothing listening.
    rig.CurrentStation.coverArtMode = "w-http://127.0.0.1:1/x?t=";
    rig.edt_2->setText(QStringLiteral("Closed port"));
    EXPECT_EQ(rig.Image3->picture(), green);
}

TEST(CoverSearch, GreyPictureBecomesThreeEqualChannels) {
    NowPlayingRig rig;
    rig.server.route(
        "/grey.jpg",
        fixture::Reply::text(encodePicture(50, 50, "JPG", QColor(90, 90, 90), QColor(200, 200, 200),
                                           QImage::Format_Grayscale8),
                             "image/jpeg"));
    rig.CurrentStation.coverArtMode = "w-" + rig.server.url("/grey.jpg?t=");
    rig.edt_2->setText(QStringLiteral("Grey"));
    const QImage cover = rig.Image3->picture();
    ASSERT_FALSE(cover.isNull());
    for (int x : {3, 66}) {
        const QColor c = cover.pixelColor(x, 30);
        EXPECT_EQ(c.red(), c.green());
        EXPECT_EQ(c.green(), c.blue());
    }
    EXPECT_LT(cover.pixelColor(3, 30).red(), 110);
    EXPECT_GT(cover.pixelColor(66, 30).red(), 180);
}

TEST(CoverSearch, DeclaredPictureSizeIsBoundedBeforeDecoding) {
    NowPlayingRig rig;
    const QImage green = showGreenCover(rig);
    // A small JPEG whose frame header claims a larger picture; libjpeg pads the missing scan.
    const auto declaring = [](int width, int height) {
        std::string bytes = encodePicture(16, 16, "JPG");
        const std::size_t sof = bytes.find("\xFF\xC0");
        EXPECT_NE(sof, std::string::npos);
        bytes[sof + 5] = static_cast<char>(height >> 8);
        bytes[sof + 6] = static_cast<char>(height & 0xFF);
        bytes[sof + 7] = static_cast<char>(width >> 8);
        bytes[sof + 8] = static_cast<char>(width & 0xFF);
        return bytes;
    };
    // 64 MiB of 24-bit pixels lies between 4096 x 5461 and 4096 x 5462.
    rig.server.route("/over.jpg", fixture::Reply::text(declaring(4096, 5462), "image/jpeg"));
    rig.server.route("/under.jpg", fixture::Reply::text(declaring(4096, 5461), "image/jpeg"));

    rig.CurrentStation.coverArtMode = "w-" + rig.server.url("/over.jpg?t=");
    rig.edt_2->setText(QStringLiteral("Over"));
    EXPECT_EQ(rig.server.requestCount("/over.jpg"), 1u);
    EXPECT_EQ(rig.Image3->picture(), green);

    rig.CurrentStation.coverArtMode = "w-" + rig.server.url("/under.jpg?t=");
    rig.edt_2->setText(QStringLiteral("Under"));
    EXPECT_NE(rig.Image3->picture(), green);
    EXPECT_EQ(rig.Image3->picture().size(), QSize(70, 70));
}

TEST(CoverSearch, LaterTitleWinsOverASearchStillWaiting) {
    NowPlayingRig rig;
    rig.server.route("/images", [&rig](const fixture::Request& request) {
        const bool first = request.query.rfind("q=First&", 0) == 0;
        fixture::Reply reply = fixture::Reply::text(
            "src=" + rig.server.url(first ? "/first.jpg" : "/second.jpg") + ":http://x");
        if (first) {
            reply.delayBeforeHead = std::chrono::milliseconds(400);
        }
        return reply;
    });
    rig.server.route("/first.jpg",
                     fixture::Reply::text(encodePicture(20, 20, "JPG", Qt::red, Qt::red)));
    rig.server.route("/second.jpg",
                     fixture::Reply::text(encodePicture(20, 20, "JPG", Qt::blue, Qt::blue)));
    rig.CurrentStation.coverArtMode = "g";

    // The second title arrives while the first search waits for its image search reply.
    QTimer::singleShot(100, rig.edt_2, [&rig] { rig.edt_2->setText(QStringLiteral("Second")); });
    rig.edt_2->setText(QStringLiteral("First"));

    EXPECT_EQ(rig.lastTitle(), "Second");
    EXPECT_EQ(rig.server.requestCount("/images"), 2u);
    EXPECT_EQ(rig.server.requestCount("/first.jpg"), 0u);
    EXPECT_TRUE(isBlue(rig.Image3->picture().pixelColor(35, 35)));

    // A later advertisement title also wins: the earlier search shows nothing.
    const QImage blue = rig.Image3->picture();
    QTimer::singleShot(100, rig.edt_2, [&rig] { rig.edt_2->setText(QStringLiteral("Reklam")); });
    rig.edt_2->setText(QStringLiteral("First"));
    EXPECT_EQ(rig.lastTitle(), "Reklam");
    EXPECT_EQ(rig.Image3->picture(), blue);
    EXPECT_EQ(rig.server.requestCount("/first.jpg"), 0u);
}
