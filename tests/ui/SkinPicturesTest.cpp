#include <gtest/gtest.h>

#include <algorithm>

#include <QColor>
#include <QFile>
#include <QImage>

#include "JpegDecode.h"
#include "SkinResources.h"

namespace {

enum class Kind { Opaque, Alpha, Jpeg };

struct Picture {
    const char* name;
    int width;
    int height;
    Kind kind;
};

// Every picture of the window with its size and format class.
const Picture kPictures[] = {
    {"player.png", 320, 480, Kind::Opaque},
    {"schedule.png", 320, 480, Kind::Opaque},
    {"announcements.png", 320, 480, Kind::Opaque},
    {"message.png", 320, 480, Kind::Opaque},
    {"contact.png", 320, 480, Kind::Opaque},
    {"tab1.jpg", 320, 57, Kind::Jpeg},
    {"tab2.png", 320, 57, Kind::Opaque},
    {"tab3.png", 320, 57, Kind::Opaque},
    {"tab4.png", 320, 57, Kind::Opaque},
    {"tab5.png", 320, 57, Kind::Opaque},
    {"play.png", 105, 105, Kind::Alpha},
    {"stop.png", 105, 105, Kind::Alpha},
    {"capleft.png", 12, 24, Kind::Opaque},
    {"capright.png", 8, 23, Kind::Opaque},
    {"thumb.png", 26, 13, Kind::Opaque},
    {"ruler.png", 44, 13, Kind::Opaque},
    {"row_schedule.png", 320, 39, Kind::Opaque},
    {"row_announcement.png", 320, 77, Kind::Opaque},
    {"send.png", 145, 58, Kind::Alpha},
    {"contact_mail.png", 267, 50, Kind::Alpha},
    {"contact_web.png", 267, 57, Kind::Alpha},
    {"contact_phone.png", 267, 54, Kind::Alpha},
    {"contact_address.png", 267, 66, Kind::Alpha},
    {"social1.png", 30, 30, Kind::Alpha},
    {"social2.png", 30, 30, Kind::Alpha},
};

QImage load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return isJpeg(bytes) ? decodeJpeg(bytes) : QImage::fromData(bytes);
}

// The largest alpha outside the first `w` columns and `h` rows.
int maxAlphaOutside(const QImage& image, int w, int h) {
    int most = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (x >= w || y >= h)
                most = std::max(most, qAlpha(image.pixel(x, y)));
        }
    }
    return most;
}

}  // namespace

TEST(SkinPictures, EveryPictureHasItsSizeAndFormatClass) {
    initSkinResources();
    for (const Picture& p : kPictures) {
        const QString path = QStringLiteral(":/skin/") + QString::fromUtf8(p.name);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << p.name;
        EXPECT_EQ(isJpeg(file.readAll()), p.kind == Kind::Jpeg) << p.name;
        const QImage image = load(path);
        EXPECT_EQ(image.size(), QSize(p.width, p.height)) << p.name;
        EXPECT_EQ(image.hasAlphaChannel(), p.kind == Kind::Alpha) << p.name;
    }
}

TEST(SkinPictures, PicturesWithAlphaAreTransparentAtTheirCornersAndOpaqueInside) {
    initSkinResources();
    for (const char* name : {"play.png", "stop.png", "send.png", "social1.png", "social2.png"}) {
        const QImage image = load(QStringLiteral(":/skin/") + QString::fromUtf8(name));
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << name;
        EXPECT_EQ(qAlpha(image.pixel(image.width() / 2, image.height() / 2)), 255) << name;
    }
}

TEST(SkinPictures, ContactLinesDrawNothingWhereTheirControlsCutThem) {
    initSkinResources();
    // Controls of 257 x 49, 53, 49 and 66 show these pictures uncut at their top-left.
    const std::pair<const char*, int> lines[] = {{"contact_mail.png", 49},
                                                 {"contact_web.png", 53},
                                                 {"contact_phone.png", 49},
                                                 {"contact_address.png", 66}};
    for (const auto& [name, visibleRows] : lines) {
        const QImage image = load(QStringLiteral(":/skin/") + QString::fromUtf8(name));
        EXPECT_LE(maxAlphaOutside(image, 257, visibleRows), 1) << name;
        EXPECT_GT(maxAlphaOutside(image, 0, 0), 200) << name << " draws something";
    }
}

TEST(SkinPictures, SliderPicturesAvoidTheSlidersTransparentColour) {
    initSkinResources();
    for (const char* name : {"thumb.png", "ruler.png"}) {
        const QImage image = load(QStringLiteral(":/skin/") + QString::fromUtf8(name));
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                ASSERT_NE(image.pixel(x, y) & 0xFFFFFF, 0x808000u) << name << " " << x << "," << y;
        }
    }
    // Two identical thumb states side by side.
    const QImage thumb = load(QStringLiteral(":/skin/thumb.png"));
    EXPECT_EQ(thumb.copy(0, 0, 13, 13), thumb.copy(13, 0, 13, 13));
}

TEST(SkinPictures, TheStripsLightOneTabEach) {
    initSkinResources();
    const auto lit = [](const QImage& strip, int tab) {
        const QRgb p = strip.pixel(64 * tab - 32, 50);
        return qBlue(p) > qRed(p) + 60;
    };
    for (int n = 1; n <= 5; ++n) {
        const QImage strip = load(n == 1 ? QStringLiteral(":/skin/tab1.jpg")
                                         : QStringLiteral(":/skin/tab%1.png").arg(n));
        for (int tab = 1; tab <= 5; ++tab)
            EXPECT_EQ(lit(strip, tab), tab == n) << "strip " << n << " tab " << tab;
    }
    // The copy under the player page lights none.
    const QImage player = load(QStringLiteral(":/skin/player.png")).copy(0, 423, 320, 57);
    for (int tab = 1; tab <= 5; ++tab)
        EXPECT_FALSE(lit(player, tab)) << tab;
}

TEST(SkinPictures, ThePlayerBackgroundClaimsNoLiveBroadcast) {
    initSkinResources();
    const QImage player = load(QStringLiteral(":/skin/player.png"));
    // Between the blue band and the play picture the background is plain metal: the rows there
    // look the same in the middle, where a "live" badge would sit, as beside it.
    const QRect middle(112, 104, 97, 30);
    struct Range {
        int low = 255;
        int high = 0;
        long sum = 0;
        int count = 0;
        void add(int v) {
            low = std::min(low, v);
            high = std::max(high, v);
            sum += v;
            ++count;
        }
        int mean() const { return static_cast<int>(sum / count); }
    };
    Range besideGrey;
    Range middleGrey;
    int reddish = 0;
    for (int y = middle.top(); y <= middle.bottom(); ++y) {
        for (int x = 8; x < 312; ++x) {
            const QColor c = player.pixelColor(x, y);
            if (middle.contains(x, y)) {
                middleGrey.add(qGray(c.rgb()));
                reddish += c.red() > c.green() + 40 ? 1 : 0;
            } else if (x < middle.left() - 4 || x > middle.right() + 4) {
                besideGrey.add(qGray(c.rgb()));
            }
        }
    }
    EXPECT_EQ(reddish, 0);
    EXPECT_NEAR(middleGrey.mean(), besideGrey.mean(), 6);
    EXPECT_GE(middleGrey.low, besideGrey.low - 10);
    EXPECT_LE(middleGrey.high, besideGrey.high + 10);
}
