#pragma once
// The image slider's default pictures: a grey pointed thumb and a sunken groove for each
// orientation, in 16 colours with olive around the drawn shapes.

#include <QImage>
#include <QList>
#include <QPair>
#include <QString>

// Name and picture of each default: "W95_HTB", "W95_HRL", "W95_VTB", "W95_VRL". The same
// pixels on every run.
QList<QPair<QString, QImage>> sliderPictures();

// Writes each default as "<name>.bmp" into dir. False when one of them cannot be written.
bool writeSliderPictures(const QString& dir);
