#include "VolumeSlider.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>

const QRgb VolumeSlider::kThumbColour = qRgb(255, 255, 255);
const QRgb VolumeSlider::kPressedThumbColour = qRgb(0, 0, 255);

VolumeSlider::VolumeSlider(TSlider::TSliderOrientation orientation) {
    window.resize(300, 300);
    slider = new TSlider(&window);
    if (orientation == TSlider::soHorizontal) {
        slider->setGeometry(QRect(kOrigin, QSize(224, 13)));
        slider->setImageHThumb(thumbPicture());
        slider->setImageHRuler(rulerPicture());
    } else {
        slider->setGeometry(QRect(kOrigin, QSize(13, 224)));
        slider->setOrientation(TSlider::soVertical);
        slider->setImageVThumb(thumbPicture());
        slider->setImageVRuler(rulerPicture().transformed(QTransform().rotate(90)));
    }
    slider->setOptions({});
    slider->setIncrement(1);
    slider->setValue(70);
    window.show();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
}

QImage rulerPicture() {
    QImage picture(44, 13, QImage::Format_RGB32);
    for (int x = 0; x < 44; ++x) {
        for (int y = 0; y < 13; ++y)
            picture.setPixel(x, y, qRgb(x * 5, 10, 200));
    }
    picture.setPixel(10, 0, qRgb(128, 128, 0));
    return picture;
}

QImage thumbPicture() {
    QImage picture(26, 13, QImage::Format_RGB32);
    picture.fill(VolumeSlider::kThumbColour);
    for (int x = 13; x < 26; ++x) {
        for (int y = 0; y < 13; ++y)
            picture.setPixel(x, y, VolumeSlider::kPressedThumbColour);
    }
    picture.setPixel(0, 0, qRgb(128, 128, 0));
    picture.setPixel(13, 0, qRgb(128, 128, 0));
    return picture;
}

bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QTest::qWait(5);
    }
    return true;
}
