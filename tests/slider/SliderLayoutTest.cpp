// Positions, the track built from the ruler, ticks and painting.
#include <gtest/gtest.h>

#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include "VolumeSlider.h"
#include "sliderthumb.h"

namespace {

bool isBlack(QRgb pixel) {
    return qRed(pixel) == 0 && qGreen(pixel) == 0 && qBlue(pixel) == 0;
}

// Length of the black run going down from the top of the tick area at slider column x.
int tickLength(const QImage& shot, int x, int top) {
    int length = 0;
    while (isBlack(
        shot.pixel(VolumeSlider::kOrigin.x() + x, VolumeSlider::kOrigin.y() + top + length)))
        ++length;
    return length;
}

}  // namespace

TEST(SliderLayout, ValueToThumbPositionRoundsHalfToEven) {
    VolumeSlider v;
    TSliderThumb* thumb = v.slider->thumb();
    EXPECT_EQ(thumb->size(), QSize(13, 13));
    EXPECT_EQ(thumb->x(), 148);  // 147.7
    v.slider->setValue(50);
    EXPECT_EQ(thumb->x(), 106);  // 105.5
    v.slider->setValue(100);
    EXPECT_EQ(thumb->x(), 211);
    v.slider->setValue(0);
    EXPECT_EQ(thumb->pos(), QPoint(0, 0));
    v.slider->setValue(1);
    EXPECT_EQ(thumb->x(), 2);  // 2.11
}

TEST(SliderLayout, HalvesRoundToTheEvenNeighbourBothWays) {
    VolumeSlider v;
    TSliderThumb* thumb = v.slider->thumb();
    v.slider->resize(18, 13);  // travel 5
    v.slider->setValue(10);    // 0.5
    EXPECT_EQ(thumb->x(), 0);
    v.slider->setValue(30);  // 1.5
    EXPECT_EQ(thumb->x(), 2);
    v.slider->setValue(50);  // 2.5
    EXPECT_EQ(thumb->x(), 2);

    v.slider->resize(21, 13);  // travel 8: one pixel is 12.5
    v.slider->setOptions(TSlider::soSmooth);
    v.slider->setValue(0);
    QWindow* w = v.window.windowHandle();
    QTest::mousePress(w, Qt::LeftButton, {}, v.at(4, 6));
    QTest::mouseMove(w, v.at(5, 6));
    EXPECT_EQ(v.slider->value(), 12);
    QTest::mouseMove(w, v.at(7, 6));
    EXPECT_EQ(v.slider->value(), 38);  // 37.5
    QTest::mouseRelease(w, Qt::LeftButton, {}, v.at(7, 6));
}

TEST(SliderLayout, TrackRepeatsTheRulerMiddleBetweenItsCaps) {
    VolumeSlider v;
    const QImage& track = v.slider->trackPicture();
    ASSERT_EQ(track.size(), QSize(224, 13));
    const auto sourceColumn = [&](int x) { return qRed(track.pixel(x, 5)) / 5; };
    // Six pieces: 0-41 from 0-41; 42-81, 82-121, 122-161, 162-201 from 2-41; 202-223 from 22-43.
    for (int x = 0; x <= 41; ++x)
        EXPECT_EQ(sourceColumn(x), x) << x;
    for (int x = 42; x <= 201; ++x)
        EXPECT_EQ(sourceColumn(x), 2 + (x - 42) % 40) << x;
    for (int x = 202; x <= 223; ++x)
        EXPECT_EQ(sourceColumn(x), 22 + x - 202) << x;

    // Olive pixels are not drawn: the window's background shows through.
    const QImage shot = v.grabWindow();
    const QRgb background = shot.pixel(5, 5);
    EXPECT_EQ(shot.pixel(v.at(10, 0)), background);
    EXPECT_EQ(shot.pixel(v.at(11, 0)), track.pixel(11, 0));
    EXPECT_EQ(shot.pixel(v.at(50, 0)), background);  // column 10 repeats in the middle
}

TEST(SliderLayout, ShortTrackGetsOnlyTheFirstPieceAndResizeRelaysOut) {
    VolumeSlider v;
    QSignalSpy changes(v.slider, &TSlider::OnChange);
    v.slider->resize(30, 13);
    QTest::qWait(20);
    const QImage& track = v.slider->trackPicture();
    ASSERT_EQ(track.width(), 30);
    for (int x = 0; x < 30; ++x)
        EXPECT_EQ(qRed(track.pixel(x, 5)) / 5, x);
    // L = 17: 70 -> 11.9
    EXPECT_EQ(v.slider->thumb()->x(), 12);
    EXPECT_EQ(v.slider->value(), 70);
    EXPECT_EQ(changes.count(), 0);
}

TEST(SliderLayout, ThumbAndTrackCentreOnEachOther) {
    TSlider slider;  // default pictures: 9 x 17 thumb cells, 10 x 10 ruler
    EXPECT_EQ(slider.size(), QSize(140, 40));
    EXPECT_EQ(slider.thumb()->geometry(), QRect(0, 0, 9, 17));
    QImage tall(44, 25, QImage::Format_RGB32);
    tall.fill(Qt::gray);
    slider.setImageHRuler(tall);
    EXPECT_EQ(slider.thumb()->geometry(), QRect(0, 4, 9, 17));
}

TEST(SliderLayout, VerticalAxisHasTheMinimumAtTheBottom) {
    VolumeSlider v(TSlider::soVertical);
    TSliderThumb* thumb = v.slider->thumb();
    EXPECT_EQ(thumb->geometry(), QRect(0, 224 - 148 - 13, 13, 13));
    v.slider->setValue(0);
    EXPECT_EQ(thumb->y(), 211);
    v.slider->setValue(100);
    EXPECT_EQ(thumb->y(), 0);
    EXPECT_EQ(v.slider->trackPicture().size(), QSize(13, 224));
}

TEST(SliderLayout, TicksAreSpacedAtLeastThreePixelsApart) {
    VolumeSlider v;
    v.slider->resize(224, 30);
    v.slider->setOptions(TSlider::soShowPoints);
    const int top = 14;  // below the 13-pixel track
    QTest::qWait(20);

    // Increment 1 leaves 1 free pixel between ticks, so every second value gets one.
    QImage shot = v.grabWindow();
    EXPECT_EQ(tickLength(shot, 0 + 6, top), 4);    // minimum
    EXPECT_EQ(tickLength(shot, 2 + 6, top), 0);    // value 1
    EXPECT_EQ(tickLength(shot, 4 + 6, top), 3);    // value 2
    EXPECT_EQ(tickLength(shot, 211 + 6, top), 4);  // maximum

    // Increment 30: ticks at 0, 30, 60, 90 and none at the maximum.
    v.slider->setIncrement(30);
    QTest::qWait(20);
    shot = v.grabWindow();
    EXPECT_EQ(tickLength(shot, 63 + 6, top), 3);   // 63.3
    EXPECT_EQ(tickLength(shot, 190 + 6, top), 3);  // 189.9
    EXPECT_EQ(tickLength(shot, 211 + 6, top), 0);
}

TEST(SliderLayout, DrawPointsHandlerReplacesTheTicks) {
    VolumeSlider v;
    v.slider->resize(224, 30);
    v.slider->setOptions(TSlider::soShowPoints);
    int calls = 0;
    QObject::connect(v.slider, &TSlider::OnDrawPoints, [&](TSlider* sender, QPainter* painter) {
        EXPECT_EQ(sender, v.slider);
        ++calls;
        painter->fillRect(100, 20, 5, 5, Qt::red);
    });
    QTest::qWait(20);
    const QImage shot = v.grabWindow();
    EXPECT_GT(calls, 0);
    EXPECT_EQ(shot.pixel(v.at(102, 22)), qRgb(255, 0, 0));
    EXPECT_EQ(tickLength(shot, 6, 14), 0);
}

TEST(SliderLayout, FocusRectangleOnlyWithTheOptionAndFocus) {
    VolumeSlider v;
    v.slider->resize(224, 30);
    const auto rowAtInset = [&] {
        const QImage shot = v.grabWindow();
        int dark = 0;
        for (int x = 2; x < 222; ++x)
            dark += isBlack(shot.pixel(v.at(x, 27))) ? 1 : 0;
        return dark;
    };
    v.slider->setFocus();
    QTest::qWait(20);
    EXPECT_EQ(rowAtInset(), 0);
    v.slider->setOptions(TSlider::soShowFocus);
    QTest::qWait(20);
    const int dotted = rowAtInset();
    EXPECT_GT(dotted, 50);
    EXPECT_LT(dotted, 170);  // dotted, not solid
    v.slider->clearFocus();
    QTest::qWait(20);
    EXPECT_EQ(rowAtInset(), 0);
}
