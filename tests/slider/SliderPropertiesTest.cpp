// Setter rules, change notification and the stored form.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDataStream>
#include <QSignalSpy>
#include <QTest>

#include "VolumeSlider.h"
#include "sliderthumb.h"

namespace {

QByteArray stored(const TSlider& slider) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    slider.writeSettings(out);
    return bytes;
}

bool load(TSlider& slider, const QByteArray& bytes) {
    QDataStream in(bytes);
    return slider.readSettings(in);
}

QImage rgb(const QImage& picture) {
    return picture.convertToFormat(QImage::Format_RGB32);
}

void expectSame(const TSlider& a, const TSlider& b) {
    EXPECT_EQ(a.userImages(), b.userImages());
    for (const char* name : {"ImageHThumb", "ImageHRuler", "ImageVThumb", "ImageVRuler"})
        EXPECT_EQ(rgb(a.property(name).value<QImage>()), rgb(b.property(name).value<QImage>()))
            << name;
    for (const char* name : {"EdgeSize", "NumThumbStates", "Orientation", "Options", "Increment",
                             "MinValue", "MaxValue", "Value"})
        EXPECT_EQ(a.property(name), b.property(name)) << name;
}

}  // namespace

TEST(SliderProperties, ValueIsClampedAndChangesAreNotifiedAfterTheThumbMoved) {
    VolumeSlider v;
    QList<int> thumbAtChange;
    QObject::connect(v.slider, &TSlider::OnChange,
                     [&](TSlider* s) { thumbAtChange << s->thumb()->x(); });
    v.slider->setValue(150);
    EXPECT_EQ(v.slider->value(), 100);
    EXPECT_EQ(thumbAtChange, QList<int>{211});
    v.slider->setValue(100);
    v.slider->setValue(101);
    EXPECT_EQ(thumbAtChange.size(), 1);
    v.slider->setValue(-5);
    EXPECT_EQ(v.slider->value(), 0);
    EXPECT_EQ(thumbAtChange.size(), 2);
}

TEST(SliderProperties, WithoutSmoothTheValueIsKeptButTheThumbSnaps) {
    VolumeSlider v;
    v.slider->setIncrement(10);
    v.slider->setValue(73);
    EXPECT_EQ(v.slider->value(), 73);
    EXPECT_EQ(v.slider->thumb()->x(), 148);  // where 70 is
    QTest::keyClick(v.slider, Qt::Key_Right);
    EXPECT_EQ(v.slider->value(), 80);
    v.slider->setValue(73);
    QTest::keyClick(v.slider, Qt::Key_Left);
    EXPECT_EQ(v.slider->value(), 60);

    v.slider->setOptions(TSlider::soSmooth);
    v.slider->setValue(73);
    EXPECT_EQ(v.slider->thumb()->x(), 154);  // 154.03
}

TEST(SliderProperties, StepsCountFromZeroNotFromTheMinimum) {
    VolumeSlider v;
    v.slider->setIncrement(10);
    v.slider->setMinValue(5);
    v.slider->setValue(5);
    QTest::keyClick(v.slider, Qt::Key_Right);
    EXPECT_EQ(v.slider->value(), 10);
    QTest::keyClick(v.slider, Qt::Key_Left);
    EXPECT_EQ(v.slider->value(), 5);  // 0, clamped
}

TEST(SliderProperties, RangeAndIncrementSettersRefuseImpossibleValues) {
    TSlider slider;  // 0..100, increment 10
    slider.setMinValue(95);
    EXPECT_EQ(slider.minValue(), 0);
    slider.setMinValue(91);
    EXPECT_EQ(slider.minValue(), 0);
    slider.setMinValue(90);
    EXPECT_EQ(slider.minValue(), 90);
    EXPECT_EQ(slider.value(), 0);  // the value is not touched
    slider.setMaxValue(99);
    EXPECT_EQ(slider.maxValue(), 100);
    slider.setMaxValue(150);
    EXPECT_EQ(slider.maxValue(), 150);

    slider.setIncrement(0);
    slider.setIncrement(-3);
    EXPECT_EQ(slider.increment(), 10);
}

TEST(SliderProperties, EdgeSizeMustLeaveARulerMiddle) {
    VolumeSlider v;  // ruler 44 long
    v.slider->setEdgeSize(22);
    v.slider->setEdgeSize(-1);
    EXPECT_EQ(v.slider->edgeSize(), 2);
    v.slider->setEdgeSize(21);
    EXPECT_EQ(v.slider->edgeSize(), 21);
    // Middle of 2 columns (21, 22) repeated after the first piece 0..22.
    const QImage& track = v.slider->trackPicture();
    EXPECT_EQ(qRed(track.pixel(23, 5)) / 5, 21);
    EXPECT_EQ(qRed(track.pixel(24, 5)) / 5, 22);
    EXPECT_EQ(qRed(track.pixel(223, 5)) / 5, 43);
}

TEST(SliderProperties, PictureSlotsAndThumbStates) {
    TSlider slider;
    EXPECT_EQ(slider.userImages(), 0);
    const QImage thumb = thumbPicture();
    slider.setImageVThumb(thumb);
    EXPECT_EQ(slider.userImages(), 0x04);
    EXPECT_EQ(slider.thumb()->size(), QSize(9, 17));  // still the horizontal one
    slider.setOrientation(TSlider::soVertical);
    EXPECT_EQ(slider.thumb()->size(), QSize(13, 13));
    slider.setNumThumbStates(1);
    EXPECT_EQ(slider.thumb()->size(), QSize(26, 13));
    slider.setNumThumbStates(3);
    EXPECT_EQ(slider.numThumbStates(), 1);
    slider.setImageVThumb(QImage());
    EXPECT_EQ(slider.userImages(), 0);
    EXPECT_EQ(slider.imageVThumb().size(), QSize(34, 9));
}

TEST(SliderProperties, StoredFormRoundTrips) {
    VolumeSlider v;
    QSignalSpy changes(v.slider, &TSlider::OnChange);
    const QByteArray bytes = stored(*v.slider);
    EXPECT_EQ(v.slider->userImages(), 0x03);
    EXPECT_EQ(changes.count(), 0);

    TSlider copy;
    copy.resize(224, 13);
    ASSERT_TRUE(load(copy, bytes));
    expectSame(*v.slider, copy);
    EXPECT_EQ(copy.thumb()->geometry(), v.slider->thumb()->geometry());
    EXPECT_EQ(stored(copy), bytes);

    // A range above the default maximum and every property away from its default.
    TSlider odd;
    odd.setOrientation(TSlider::soVertical);
    odd.setIncrement(7);
    odd.setMaxValue(300);
    odd.setMinValue(150);
    odd.setValue(222);
    odd.setEdgeSize(3);
    odd.setNumThumbStates(1);
    odd.setOptions(TSlider::soSmooth | TSlider::soShowFocus);
    odd.setImageVRuler(rulerPicture().transformed(QTransform().rotate(90)));
    TSlider oddCopy;
    ASSERT_TRUE(load(oddCopy, stored(odd)));
    expectSame(odd, oddCopy);
}

TEST(SliderProperties, UserImagesItemOnlyWhenPicturesWereSupplied) {
    const auto item = [](const QString& name) {
        QByteArray bytes;
        QDataStream out(&bytes, QIODevice::WriteOnly);
        out << name;
        return bytes;
    };
    TSlider plain;
    EXPECT_FALSE(stored(plain).contains(item(QStringLiteral("UserImages"))));
    EXPECT_FALSE(stored(plain).contains(item(QStringLiteral("EdgeSize"))));  // default
    EXPECT_TRUE(stored(plain).contains(item(QStringLiteral("NumThumbStates"))));

    // Exactly one byte after the name, then the end marker.
    VolumeSlider v;
    QByteArray expectedTail;
    QDataStream tail(&expectedTail, QIODevice::WriteOnly);
    tail << QStringLiteral("UserImages") << quint8(0x03) << QString();
    EXPECT_TRUE(stored(*v.slider).endsWith(expectedTail));
}

TEST(SliderProperties, DamagedStoredFormChangesNothing) {
    VolumeSlider v;
    const QByteArray bytes = stored(*v.slider);
    TSlider target;
    const QByteArray before = stored(target);

    EXPECT_FALSE(load(target, bytes.left(bytes.size() - 5)));
    EXPECT_FALSE(load(target, QByteArray()));
    QByteArray unknown;
    QDataStream out(&unknown, QIODevice::WriteOnly);
    out << QStringLiteral("Colour") << qint32(3) << QString();
    EXPECT_FALSE(load(target, unknown));
    QByteArray badRange;
    QDataStream out2(&badRange, QIODevice::WriteOnly);
    out2 << QStringLiteral("MinValue") << qint32(100) << QStringLiteral("MaxValue") << qint32(100)
         << QString();
    EXPECT_FALSE(load(target, badRange));
    QByteArray missingPicture;
    QDataStream out3(&missingPicture, QIODevice::WriteOnly);
    out3 << QStringLiteral("UserImages") << quint8(0x01) << QString();
    EXPECT_FALSE(load(target, missingPicture));

    EXPECT_EQ(stored(target), before);
}
