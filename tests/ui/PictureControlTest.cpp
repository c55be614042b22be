#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include "SkinResources.h"
#include "THotSpot.h"
#include "TImage.h"

namespace {

const QRgb kGround = qRgb(200, 0, 0);

// A picture whose every pixel says where it is, so a probe tells which source pixel landed.
QImage coordinatePicture(int w, int h) {
    QImage picture(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            picture.setPixel(x, y, qRgb(x, y, 255));
    }
    return picture;
}

// A parent painted in one colour with the control on it, as the skin lays pictures on pages.
struct Stage {
    QWidget ground;
    TImage* image;

    explicit Stage(QRect geometry) {
        ground.resize(400, 400);
        ground.setAutoFillBackground(true);
        QPalette palette;
        palette.setColor(QPalette::Window, QColor(kGround));
        ground.setPalette(palette);
        image = new TImage(&ground);
        image->setGeometry(geometry);
    }
    QImage grab() { return ground.grab().toImage(); }
};

}  // namespace

TEST(PictureControl, DrawsAtNaturalSizeFromTheTopLeftAndCutsAtTheEdges) {
    Stage stage(QRect(10, 20, 50, 40));
    stage.image->setPicture(coordinatePicture(80, 30));
    const QImage shot = stage.grab();
    EXPECT_EQ(shot.pixel(10, 20), qRgb(0, 0, 255));
    EXPECT_EQ(shot.pixel(59, 49), qRgb(49, 29, 255));
    EXPECT_EQ(shot.pixel(60, 20), kGround) << "columns beyond the control are cut";
    EXPECT_EQ(shot.pixel(20, 50), kGround) << "below the picture the ground shows through";
    EXPECT_EQ(stage.image->size(), QSize(50, 40));
}

TEST(PictureControl, AutoSizeTakesThePictureSizeOnEveryAssignment) {
    Stage stage(QRect(0, 0, 320, 480));
    stage.image->setAutoSize(true);
    stage.image->setPicture(coordinatePicture(30, 30));
    EXPECT_EQ(stage.image->size(), QSize(30, 30));
    stage.image->setPicture(coordinatePicture(12, 24));
    EXPECT_EQ(stage.image->size(), QSize(12, 24));
    stage.image->setPicture(QImage());
    EXPECT_EQ(stage.image->size(), QSize(12, 24)) << "no picture leaves the size alone";
}

TEST(PictureControl, CentredPictureUsesIntegerHalves) {
    // The play button's box: 122 x 121 with a 105 x 105 picture, drawn 8 in from both edges.
    Stage stage(QRect(100, 191, 122, 121));
    stage.image->setCenter(true);
    stage.image->setPicture(coordinatePicture(105, 105));
    const QImage shot = stage.grab();
    EXPECT_EQ(shot.pixel(108, 199), qRgb(0, 0, 255));
    EXPECT_EQ(shot.pixel(107, 199), kGround);
    EXPECT_EQ(shot.pixel(108, 198), kGround);
    EXPECT_EQ(shot.pixel(212, 303), qRgb(104, 104, 255));
    EXPECT_EQ(shot.pixel(213, 303), kGround);
}

TEST(PictureControl, StretchedPictureFillsTheControl) {
    Stage stage(QRect(0, 0, 70, 70));
    stage.image->setStretch(true);
    QImage small(2, 2, QImage::Format_RGB32);
    small.fill(qRgb(0, 128, 0));
    stage.image->setPicture(small);
    const QImage shot = stage.grab();
    EXPECT_EQ(shot.pixel(0, 0), qRgb(0, 128, 0));
    EXPECT_EQ(shot.pixel(69, 69), qRgb(0, 128, 0));
    EXPECT_EQ(shot.pixel(70, 70), kGround);
}

TEST(PictureControl, StraightAlphaIsBlendedOverWhatLiesBeneath) {
    Stage stage(QRect(0, 0, 4, 1));
    QImage picture(4, 1, QImage::Format_ARGB32);  // straight, not premultiplied
    picture.setPixel(0, 0, qRgba(0, 0, 255, 0));
    picture.setPixel(1, 0, qRgba(0, 0, 255, 255));
    picture.setPixel(2, 0, qRgba(0, 0, 255, 128));
    picture.setPixel(3, 0, qRgba(255, 255, 255, 64));
    stage.image->setPicture(picture);
    const QImage shot = stage.grab();
    EXPECT_EQ(shot.pixel(0, 0), kGround);
    EXPECT_EQ(shot.pixel(1, 0), qRgb(0, 0, 255));
    const auto near = [](QRgb got, int r, int g, int b) {
        return std::abs(qRed(got) - r) <= 2 && std::abs(qGreen(got) - g) <= 2 &&
               std::abs(qBlue(got) - b) <= 2;
    };
    EXPECT_TRUE(near(shot.pixel(2, 0), 200 * 127 / 255, 0, 128)) << std::hex << shot.pixel(2, 0);
    EXPECT_TRUE(near(shot.pixel(3, 0), (255 * 64 + 200 * 191) / 255, 64, 64))
        << std::hex << shot.pixel(3, 0);
}

TEST(PictureControl, LoadsTheSkinsJpegAndPngResourcesAndRefusesUnreadableFiles) {
    initSkinResources();
    TImage image;
    image.setAutoSize(true);
    image.setPictureFile(QStringLiteral(":/skin/tab1.jpg"));
    EXPECT_EQ(image.picture().size(), QSize(320, 57));
    EXPECT_FALSE(image.picture().hasAlphaChannel());
    image.setPictureFile(QStringLiteral(":/skin/play.png"));
    EXPECT_EQ(image.picture().size(), QSize(105, 105));
    EXPECT_TRUE(image.picture().hasAlphaChannel());
    EXPECT_EQ(image.size(), QSize(105, 105));
    image.setPictureFile(QStringLiteral(":/skin/no-such-picture.png"));
    EXPECT_TRUE(image.picture().isNull());
    EXPECT_EQ(image.pictureFile(), QStringLiteral(":/skin/no-such-picture.png"));
}

TEST(HotSpot, PaintsNothingAndReportsPressesAndClicks) {
    QWidget ground;
    ground.resize(200, 200);
    ground.setAutoFillBackground(true);
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(kGround));
    ground.setPalette(palette);
    auto* spot = new THotSpot(&ground);
    spot->setGeometry(50, 50, 40, 40);
    ground.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&ground));
    EXPECT_EQ(ground.grab().toImage().pixel(70, 70), kGround);

    QSignalSpy presses(spot, &THotSpot::pressed);
    QSignalSpy clicks(spot, &THotSpot::clicked);
    QTest::mousePress(spot, Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 6));
    ASSERT_EQ(presses.size(), 1);
    EXPECT_EQ(presses[0][0].value<Qt::MouseButton>(), Qt::LeftButton);
    EXPECT_EQ(presses[0][1].value<Qt::KeyboardModifiers>(), Qt::ShiftModifier);
    EXPECT_EQ(presses[0][2].toPoint(), QPoint(5, 6));
    EXPECT_EQ(clicks.size(), 0) << "a click needs the release";
    QTest::mouseRelease(spot, Qt::LeftButton, {}, QPoint(5, 6));
    EXPECT_EQ(clicks.size(), 1);

    // Released outside: no click. Right button: a press but never a click.
    QTest::mousePress(spot, Qt::LeftButton, {}, QPoint(5, 6));
    QTest::mouseRelease(spot, Qt::LeftButton, {}, QPoint(45, 6));
    QTest::mouseClick(spot, Qt::RightButton, {}, QPoint(5, 6));
    EXPECT_EQ(clicks.size(), 1);
    EXPECT_EQ(presses.size(), 3);
}

TEST(PictureControl, RightPressOpensItsMenuInsteadOfReportingAPress) {
    QWidget ground;
    ground.resize(200, 200);
    auto* image = new TImage(&ground);
    image->setGeometry(0, 0, 100, 100);
    QMenu menu;
    menu.addAction(QStringLiteral("Yazılım"));
    ground.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&ground));
    QSignalSpy presses(image, &THotSpot::pressed);

    QTest::mousePress(image, Qt::RightButton, {}, QPoint(10, 10));
    EXPECT_EQ(presses.size(), 1) << "without a menu the right press is an ordinary press";
    QTest::mouseRelease(image, Qt::RightButton, {}, QPoint(10, 10));

    image->setPopupMenu(&menu);
    QTest::mousePress(image, Qt::RightButton, {}, QPoint(10, 10));
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(presses.size(), 1);
    menu.close();
    QTest::mousePress(image, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(presses.size(), 2);
    EXPECT_FALSE(menu.isVisible());
}
