#pragma once

#include <QImage>
#include <QString>

// How far a freshly drawn picture is from the committed one. Qt's raster engine rounds
// differently on each CPU's SIMD path, so a redrawn picture may differ by a level or two in a
// few pixels; anything beyond that is a painter that changed.
struct PictureDiff {
    bool comparable = false;  // both decoded, same size and same pixel format
    int largestStep = 0;      // largest difference of one channel of one pixel, 0..255
    int pixelsOff = 0;        // pixels with any channel different at all
};

PictureDiff comparePictures(const QImage& drawn, const QImage& committed);

// Levels a channel may be off and still count as the same picture.
constexpr int kRoundingTolerance = 2;

bool samePicture(const PictureDiff& diff);
