#include "W95Pictures.h"

#include <QDir>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

// Palette indices of the 16 standard colours.
enum Colour : uchar { Black = 0, Olive = 3, Grey = 8, Silver = 7, White = 15 };

const QList<QRgb> kSixteenColours = {
    qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};

QImage blank(int width, int height) {
    QImage picture(width, height, QImage::Format_Indexed8);
    picture.setColorTable(kSixteenColours);
    picture.fill(Olive);
    return picture;
}

// One thumb cell 9 wide and 17 long, pointing down: a 13-row body, then a point narrowing by
// one pixel a side per row.
bool insideThumb(int x, int y) {
    if (x < 0 || x > 8 || y < 0 || y > 16)
        return false;
    if (y <= 12)
        return true;
    const int k = y - 13;
    return x >= k + 1 && x <= 7 - k;
}

// Lit from the top left: white where the shape begins, black where it ends, grey just inside
// the black; the point's left flank is lit and its right flank shaded. The face is plain
// silver or, in the pressed cell, dithered with white.
uchar thumbColour(int x, int y, bool dithered) {
    if (!insideThumb(x, y))
        return Olive;
    if (!insideThumb(x - 1, y) || !insideThumb(x, y - 1))
        return White;
    const bool shadedSide = x >= 4;
    if (!insideThumb(x + 1, y) || (shadedSide && !insideThumb(x, y + 1)))
        return Black;
    if (!insideThumb(x + 2, y) || (shadedSide && !insideThumb(x, y + 2)))
        return Grey;
    return dithered && (x + y) % 2 == 0 ? White : Silver;
}

// The groove along a ruler 10 long, 4 pixels thick at 2..5 across: grey and black above,
// silver and white below, with rounded-off ends two pixels long.
uchar grooveColour(int along, int across) {
    if (across < 2 || across > 5)
        return Olive;
    const int row = across - 2;
    if (along == 0)
        return row == 3 ? White : Grey;
    if (along == 9)
        return White;
    if (row == 0)
        return Grey;
    if (row == 3)
        return White;
    if (along == 8)
        return Silver;
    return row == 1 || along == 1 ? Black : Silver;
}

// A picture of two cells laid side by side; cell(x, y, dithered) colours one cell.
QImage twoCells(int cellWidth, int height, const std::function<uchar(int, int, bool)>& cell) {
    QImage picture = blank(2 * cellWidth, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < 2 * cellWidth; ++x)
            picture.setPixel(x, y, cell(x % cellWidth, y, x >= cellWidth));
    }
    return picture;
}

QImage ruler(int width, int height, bool horizontal) {
    QImage picture = blank(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, horizontal ? grooveColour(x, y) : grooveColour(y, x));
    }
    return picture;
}

}  // namespace

QList<QPair<QString, QImage>> sliderPictures() {
    // The vertical thumb is the horizontal one mirrored on its diagonal: it points right.
    return {
        {u"W95_HTB"_s, twoCells(9, 17, thumbColour)},
        {u"W95_HRL"_s, ruler(10, 10, true)},
        {u"W95_VTB"_s,
         twoCells(17, 9, [](int x, int y, bool dithered) { return thumbColour(y, x, dithered); })},
        {u"W95_VRL"_s, ruler(8, 10, false)}};
}

bool writeSliderPictures(const QString& dir) {
    if (!QDir().mkpath(dir))
        return false;
    for (const auto& [name, picture] : sliderPictures()) {
        if (!picture.save(QDir(dir).filePath(name + u".bmp"_s), "BMP"))
            return false;
    }
    return true;
}
