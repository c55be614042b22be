#include "Controls.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "Glyphs.h"
#include "SkinStyle.h"

namespace Controls {

namespace {

QImage transparent(int w, int h) {
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage opaqueWhite(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

QLinearGradient barGradient(qreal top, qreal height) {
    QLinearGradient g(0, top, 0, top + height);
    g.setColorAt(0, SkinStyle::kOrangeLight);
    g.setColorAt(0.5, SkinStyle::kOrange);
    g.setColorAt(1, SkinStyle::kOrangeDark);
    return g;
}

// The orange bar with its light grey rims, rows kBarTop-1 .. kBarTop+kBarHeight, from x0 to x1.
void paintBar(QPainter& p, qreal x0, qreal x1, qreal top) {
    p.fillRect(QRectF(x0, top - 1, x1 - x0, 1), QColor(206, 210, 216));
    p.fillRect(QRectF(x0, top, x1 - x0, kBarHeight), barGradient(top, kBarHeight));
    p.fillRect(QRectF(x0, top + kBarHeight, x1 - x0, 1), QColor(206, 210, 216));
}

// A rounded bar end: the rows of paintBar, closed by a half-disc 2 pixels in from the outer
// edge and running on past the inner edge, where the slider's ruler takes over.
QImage trackCap(int w, int h, int barTop, bool left) {
    QImage image = opaqueWhite(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal r = (kBarHeight + 2) / 2.0;
    const QRectF rim = left ? QRectF(2, barTop - 1, w + 2 * r, kBarHeight + 2)
                            : QRectF(-2 * r, barTop - 1, w - 2 + 2 * r, kBarHeight + 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(206, 210, 216));
    p.drawRoundedRect(rim, r, r);
    p.setBrush(barGradient(barTop, kBarHeight));
    p.drawRoundedRect(rim.adjusted(1, 1, -1, -1), r - 1, r - 1);
    return image;
}

}  // namespace

QImage transportButton(Transport kind) {
    QImage image = transparent(105, 105);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const QPointF c(52.5, 52.5);
    // Soft contact shadow under the ring.
    QRadialGradient shadow(c + QPointF(0, 2), 52.5);
    shadow.setColorAt(0.86, QColor(0, 0, 0, 90));
    shadow.setColorAt(1, QColor(0, 0, 0, 0));
    p.setBrush(shadow);
    p.drawEllipse(c + QPointF(0, 1.5), 52, 52);
    // Orange ring.
    QLinearGradient ring(0, 2, 0, 103);
    ring.setColorAt(0, SkinStyle::kOrangeLight);
    ring.setColorAt(0.5, SkinStyle::kOrange);
    ring.setColorAt(1, SkinStyle::kOrangeDark);
    p.setBrush(ring);
    p.drawEllipse(c, 50, 50);
    QLinearGradient bevel(0, 10, 0, 95);
    bevel.setColorAt(0, SkinStyle::kOrangeDark);
    bevel.setColorAt(1, SkinStyle::kOrangeLight);
    p.setBrush(bevel);
    p.drawEllipse(c, 43, 43);
    // Black disc with a glass highlight.
    QRadialGradient disc(c + QPointF(0, 10), 50);
    disc.setColorAt(0, QColor(52, 56, 62));
    disc.setColorAt(1, QColor(8, 9, 11));
    p.setBrush(disc);
    p.drawEllipse(c, 41, 41);
    // A crescent of light along the disc's upper edge.
    QPainterPath glassShape;
    glassShape.addEllipse(c, 39, 39);
    QPainterPath cut;
    cut.addEllipse(QRectF(c.x() - 48, c.y() - 30, 96, 96));
    QLinearGradient glass(0, 13, 0, 40);
    glass.setColorAt(0, QColor(255, 255, 255, 80));
    glass.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(glass);
    p.drawPath(glassShape.subtracted(cut));
    // The symbol, with a faint glow.
    QPainterPath symbol;
    if (kind == Transport::Play) {
        symbol.moveTo(43, 32);
        symbol.lineTo(76, 52.5);
        symbol.lineTo(43, 73);
        symbol.closeSubpath();
    } else {
        symbol.addRoundedRect(QRectF(36, 36, 33, 33), 3, 3);
    }
    p.setBrush(QColor(255, 140, 20, 70));
    p.drawPath(symbol.translated(1, 1));
    QLinearGradient symbolFill(0, 30, 0, 75);
    symbolFill.setColorAt(0, SkinStyle::kOrangeLight);
    symbolFill.setColorAt(1, SkinStyle::kOrange);
    p.setBrush(symbolFill);
    p.drawPath(symbol);
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QImage sendButton() {
    QImage image = transparent(145, 58);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const QRectF body(6, 5, 133, 44);
    for (int i = 4; i >= 1; --i) {
        p.setBrush(QColor(0, 0, 0, 14 + 6 * (4 - i)));
        p.drawRoundedRect(body.adjusted(-i + 1, -i + 3, i - 1, i + 1), 22 + i, 22 + i);
    }
    p.setBrush(QColor(150, 158, 170));
    p.drawRoundedRect(body, 22, 22);
    QLinearGradient fill(0, body.top(), 0, body.bottom());
    fill.setColorAt(0, Qt::white);
    fill.setColorAt(0.55, QColor(244, 246, 249));
    fill.setColorAt(1, QColor(214, 220, 228));
    p.setBrush(fill);
    p.drawRoundedRect(body.adjusted(1, 1, -1, -1), 21, 21);
    p.setFont(SkinStyle::font("Liberation Sans", 17, true));
    const QRectF textRect(body.left() + 12, body.top(), 88, body.height());
    p.setPen(QColor(255, 255, 255));
    p.drawText(textRect.translated(0, 1), Qt::AlignCenter, QStringLiteral("Gönder"));
    p.setPen(SkinStyle::kBlueDark);
    p.drawText(textRect, Qt::AlignCenter, QStringLiteral("Gönder"));
    // The arrow in an orange disc at the right end.
    const QRectF knob(body.right() - 38, body.top() + 7, 30, 30);
    QLinearGradient orange(0, knob.top(), 0, knob.bottom());
    orange.setColorAt(0, SkinStyle::kOrangeLight);
    orange.setColorAt(1, SkinStyle::kOrangeDark);
    p.setPen(Qt::NoPen);
    p.setBrush(orange);
    p.drawEllipse(knob);
    p.setBrush(Qt::white);
    p.drawPath(Glyphs::rightArrow(knob.adjusted(8, 8, -7, -8)));
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QImage trackCapLeft() {
    return trackCap(12, 24, 5 + kBarTop, true);
}

QImage trackCapRight() {
    return trackCap(8, 23, 6 + kBarTop, false);
}

QImage sliderThumb() {
    QImage image = opaqueWhite(26, 13);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    for (int cell = 0; cell < 2; ++cell) {
        const QPointF c(cell * 13 + 6.5, 6.5);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(120, 126, 136));
        p.drawEllipse(c, 6.4, 6.4);
        QLinearGradient knob(0, 0.5, 0, 12.5);
        knob.setColorAt(0, Qt::white);
        knob.setColorAt(1, QColor(212, 216, 222));
        p.setBrush(knob);
        p.drawEllipse(c, 5.4, 5.4);
        p.setBrush(QColor(40, 44, 52));
        p.drawEllipse(c, 2.2, 2.2);
    }
    return image;
}

QImage sliderRuler() {
    QImage image = opaqueWhite(44, 13);
    QPainter p(&image);
    paintBar(p, 0, 44, kBarTop);
    return image;
}

QImage rowBackground(int height) {
    QImage image(320, height, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, 0, height);
    g.setColorAt(0, QColor(252, 252, 253));
    g.setColorAt(1, QColor(222, 225, 230));
    p.fillRect(image.rect(), g);
    p.fillRect(QRect(0, 0, 320, 1), Qt::white);
    p.fillRect(QRect(0, height - 1, 320, 1), QColor(176, 182, 190));
    return image;
}

}  // namespace Controls
