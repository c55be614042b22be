#pragma once

#include <QColor>
#include <QImage>

// Olive: pixels of exactly this colour are left undrawn, whatever picture they belong to.
inline constexpr QRgb kTransparentColour = qRgb(128, 128, 0);

// A copy of the picture ready to draw, with every pixel of the transparent colour see-through.
QImage withTransparentColour(const QImage& picture);
