#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <functional>

#include "slider.h"

// A shown window holding one slider set up like the player's volume control: 224 x 13,
// a 26 x 13 two-cell thumb, a 44 x 13 ruler, 0..100, increment 1, no options, value 70.
// The thumb's cells differ in colour so a test can tell which one is drawn.
struct VolumeSlider {
    static constexpr QPoint kOrigin{20, 20};
    static const QRgb kThumbColour;
    static const QRgb kPressedThumbColour;

    explicit VolumeSlider(TSlider::TSliderOrientation orientation = TSlider::soHorizontal);

    // A point of the slider in the window's coordinates.
    QPoint at(int x, int y) const { return kOrigin + QPoint(x, y); }
    QImage grabWindow() { return window.grab().toImage(); }

    QWidget window;
    TSlider* slider;
};

// 44 x 13: every column its own colour (red = column * 5), except olive at row 0 of column 10.
QImage rulerPicture();
// 26 x 13: two 13 x 13 cells, olive at each cell's top-left pixel.
QImage thumbPicture();

// Processes events until the condition holds or the time is up.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs);
