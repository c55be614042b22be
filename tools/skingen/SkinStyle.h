#pragma once
// The skin's palette, fonts and the surfaces every picture shares: brushed metal, the blue
// band, the station's logo.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>

namespace SkinStyle {

inline const QColor kBlueDark{8, 44, 112};
inline const QColor kBlue{18, 82, 176};
inline const QColor kBlueLight{64, 140, 230};
inline const QColor kOrange{247, 136, 24};
inline const QColor kOrangeLight{255, 184, 77};
inline const QColor kOrangeDark{196, 88, 6};
inline const QColor kInk{38, 44, 54};        // dark text on metal
inline const QColor kInkSoft{96, 104, 116};  // captions

// Text of the station's artwork.
inline const char kStationName[] = "zelkor";
inline const char kSlogan[] = "Şehrin ritmi, her an yanınızda";

QFont font(const char* family, qreal pixelSize, bool bold = false, bool italic = false);

// Brushed aluminium: fine horizontal grain over a soft vertical sheen. Deterministic: the grain
// comes from a fixed-seed generator, so every run gives the same pixels.
QImage brushedMetal(QSize size, unsigned seed);

// A glossy blue band across rect: a dark-to-light gradient, a highlight on the upper half and a
// thin light rim at the bottom.
void paintBlueBand(QPainter& p, const QRectF& rect);

// The station's mark alone: a mast sending waves, in a white-ringed orange disc.
void paintMark(QPainter& p, const QRectF& mark);

// The station's mark (a mast sending waves, in a white-ringed orange disc) and its wordmark
// "zelkor FM" in white and orange; height is the mark's diameter.
void paintLogo(QPainter& p, QPointF topLeft, qreal height);
qreal logoWidth(qreal height);

// Text with a one-pixel shadow beneath, for white captions on blue.
void paintEmbossedText(QPainter& p, const QRectF& rect, int flags, const QString& text,
                       const QColor& color, const QColor& shadow);

// Saves as 24-bit (no alpha channel) PNG, 32-bit straight-alpha PNG or JPEG; false on failure.
bool save24(const QImage& image, const QString& path);
bool save32(const QImage& image, const QString& path);
bool saveJpeg(const QImage& image, const QString& path);

}  // namespace SkinStyle
