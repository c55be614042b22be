// Dragging the thumb, holding a button on the ruler, and the keyboard.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>

#include "VolumeSlider.h"
#include "sliderthumb.h"

namespace {

// Records the key presses that reach a widget.
class KeyRecorder : public QObject {
public:
    QList<int> presses;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress)
            presses << static_cast<QKeyEvent*>(event)->key();
        return false;
    }
};

}  // namespace

TEST(SliderInput, DragMovesThumbByTheGrabOffsetAndClampsAtBothEnds) {
    VolumeSlider v;
    QWindow* w = v.window.windowHandle();
    QSignalSpy starts(v.slider, &TSlider::OnStartTracking);
    QSignalSpy stops(v.slider, &TSlider::OnStopTracking);
    QSignalSpy changes(v.slider, &TSlider::OnChange);

    QTest::mousePress(w, Qt::LeftButton, {}, v.at(148 + 5, 6));
    EXPECT_EQ(starts.count(), 1);
    EXPECT_TRUE(v.slider->thumb()->pressed());
    EXPECT_TRUE(v.slider->hasFocus());
    QTest::qWait(20);
    EXPECT_EQ(v.grabWindow().pixel(v.at(150, 6)), VolumeSlider::kPressedThumbColour);

    QTest::mouseMove(w, v.at(105 + 5, 6));
    EXPECT_EQ(v.slider->value(), 50);  // 49.76
    EXPECT_EQ(v.slider->thumb()->x(), 106);
    EXPECT_EQ(changes.count(), 1);

    QTest::mouseMove(w, v.at(270, 40));  // past the right end and below the slider
    EXPECT_EQ(v.slider->thumb()->x(), 211);
    EXPECT_EQ(v.slider->value(), 100);
    QTest::mouseMove(w, v.at(-15, 6));
    EXPECT_EQ(v.slider->thumb()->x(), 0);
    EXPECT_EQ(v.slider->value(), 0);
    EXPECT_EQ(changes.count(), 3);

    QTest::mouseRelease(w, Qt::LeftButton, {}, v.at(-15, 6));
    EXPECT_EQ(stops.count(), 1);
    EXPECT_FALSE(v.slider->thumb()->pressed());
    QTest::mouseMove(w, v.at(100, 6));
    EXPECT_EQ(v.slider->value(), 0);
}

TEST(SliderInput, OnlyTheLeftButtonDragsTheThumb) {
    VolumeSlider v;
    QWindow* w = v.window.windowHandle();
    QSignalSpy starts(v.slider, &TSlider::OnStartTracking);
    QTest::mousePress(w, Qt::RightButton, {}, v.at(150, 6));
    QTest::mouseMove(w, v.at(50, 6));
    QTest::mouseRelease(w, Qt::RightButton, {}, v.at(50, 6));
    EXPECT_EQ(starts.count(), 0);
    EXPECT_TRUE(v.slider->hasFocus());
    EXPECT_EQ(v.slider->value(), 70);
    EXPECT_EQ(v.slider->thumb()->x(), 148);
}

TEST(SliderInput, DraggingSnapsToTheIncrementWithoutSmooth) {
    VolumeSlider v;
    v.slider->setIncrement(10);
    QWindow* w = v.window.windowHandle();
    QTest::mousePress(w, Qt::LeftButton, {}, v.at(148, 6));
    QTest::mouseMove(w, v.at(148 - 20, 6));  // 128 -> 60.66 -> 60
    EXPECT_EQ(v.slider->value(), 60);
    EXPECT_EQ(v.slider->thumb()->x(), 127);  // 126.6
    QTest::mouseRelease(w, Qt::LeftButton, {}, v.at(128, 6));
}

TEST(SliderInput, RulerPressStepsTowardsThePointerEvery400ms) {
    VolumeSlider v;
    QWindow* w = v.window.windowHandle();
    QList<qint64> times;
    QList<int> values;
    QElapsedTimer clock;
    QObject::connect(v.slider, &TSlider::OnChange, [&](TSlider* s) {
        times << clock.elapsed();
        values << s->value();
    });
    clock.start();
    QTest::mousePress(w, Qt::LeftButton, {}, v.at(140, 6));
    EXPECT_TRUE(v.slider->hasFocus());
    ASSERT_EQ(values, QList<int>{69});
    // The thumb reaches the pointer at 66 (left edge 139), then the ticks do nothing.
    ASSERT_TRUE(waitUntil([&] { return values.size() == 4; }, 5000));
    EXPECT_EQ(values, (QList<int>{69, 68, 67, 66}));
    for (int i = 1; i < times.size(); ++i) {
        EXPECT_GE(times[i] - times[i - 1], 370);
        EXPECT_LT(times[i] - times[i - 1], 1500);
    }
    QTest::qWait(900);
    EXPECT_EQ(v.slider->value(), 66);
    QTest::mouseRelease(w, Qt::LeftButton, {}, v.at(140, 6));
}

TEST(SliderInput, ReleasingTheButtonStopsTheRepeat) {
    VolumeSlider v;
    QWindow* w = v.window.windowHandle();
    QTest::mousePress(w, Qt::LeftButton, {}, v.at(10, 6));
    ASSERT_TRUE(waitUntil([&] { return v.slider->value() == 68; }, 3000));
    QTest::mouseRelease(w, Qt::LeftButton, {}, v.at(10, 6));
    QTest::qWait(1000);
    EXPECT_EQ(v.slider->value(), 68);
}

TEST(SliderInput, PressRegionsAroundTheThumb) {
    VolumeSlider v;  // thumb covers 148..160
    QWindow* w = v.window.windowHandle();
    const auto pressAt = [&](int x) {
        v.slider->setValue(70);
        QTest::mouseClick(w, Qt::LeftButton, {}, v.at(x, 6));
        return v.slider->value();
    };
    EXPECT_EQ(pressAt(147), 69);
    EXPECT_EQ(pressAt(161), 70);  // one past the thumb still counts as level with it
    EXPECT_EQ(pressAt(162), 71);
}

TEST(SliderInput, SecondPressOfADoubleClickDoesNotStep) {
    VolumeSlider v;
    QTest::mouseDClick(v.window.windowHandle(), Qt::LeftButton, {}, v.at(10, 6));
    EXPECT_EQ(v.slider->value(), 69);
}

TEST(SliderInput, KeysStepWithoutModifiersAndPassTheRestOn) {
    VolumeSlider v;
    KeyRecorder owner;
    v.window.installEventFilter(&owner);

    QTest::keyClick(v.slider, Qt::Key_Right);
    EXPECT_EQ(v.slider->value(), 71);
    QTest::keyClick(v.slider, Qt::Key_Left);
    EXPECT_EQ(v.slider->value(), 70);
    EXPECT_TRUE(owner.presses.isEmpty());

    QTest::keyClick(v.slider, Qt::Key_Up);
    QTest::keyClick(v.slider, Qt::Key_Down);
    QTest::keyClick(v.slider, Qt::Key_Right, Qt::ControlModifier);
    QTest::keyClick(v.slider, Qt::Key_End, Qt::ShiftModifier);
    QTest::keyClick(v.slider, Qt::Key_PageUp);
    EXPECT_EQ(v.slider->value(), 70);
    const QList<int> passedOn = {Qt::Key_Up,    Qt::Key_Down, Qt::Key_Control, Qt::Key_Right,
                                 Qt::Key_Shift, Qt::Key_End,  Qt::Key_PageUp};
    EXPECT_EQ(owner.presses, passedOn);

    QTest::keyClick(v.slider, Qt::Key_Home);
    EXPECT_EQ(v.slider->value(), 0);
    QTest::keyClick(v.slider, Qt::Key_Left);
    EXPECT_EQ(v.slider->value(), 0);
    QTest::keyClick(v.slider, Qt::Key_End);
    EXPECT_EQ(v.slider->value(), 100);
    EXPECT_EQ(owner.presses, passedOn);
}

TEST(SliderInput, VerticalSliderGrowsUpwards) {
    VolumeSlider v(TSlider::soVertical);  // thumb covers rows 63..75
    QTest::keyClick(v.slider, Qt::Key_Up);
    EXPECT_EQ(v.slider->value(), 71);
    QTest::keyClick(v.slider, Qt::Key_Down);
    QTest::keyClick(v.slider, Qt::Key_Right);
    EXPECT_EQ(v.slider->value(), 70);

    QWindow* w = v.window.windowHandle();
    QTest::mouseClick(w, Qt::LeftButton, {}, v.at(6, 10));
    EXPECT_EQ(v.slider->value(), 71);
    QTest::mouseClick(w, Qt::LeftButton, {}, v.at(6, 200));
    EXPECT_EQ(v.slider->value(), 70);

    const int top = v.slider->thumb()->y();
    QTest::mousePress(w, Qt::LeftButton, {}, v.at(6, top + 4));
    QTest::mouseMove(w, v.at(6, top + 4 - 21));  // 21 pixels up: 10 more
    EXPECT_EQ(v.slider->value(), 80);
    QTest::mouseRelease(w, Qt::LeftButton, {}, v.at(6, top - 17));
}
