#include "Icons.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "SkinStyle.h"

namespace Icons {

namespace {

QImage roundedSquare(int size, const QColor& top, const QColor& bottom, qreal radius) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const QRectF body(0.5, 0.5, size - 1, size - 1.5);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawRoundedRect(body.translated(0, 1), radius, radius);
    QLinearGradient fill(0, 0, 0, size);
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    p.setBrush(fill);
    p.drawRoundedRect(body, radius, radius);
    QLinearGradient gloss(0, 0, 0, size / 2.0);
    gloss.setColorAt(0, QColor(255, 255, 255, 80));
    gloss.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(gloss);
    p.drawRoundedRect(QRectF(body.left() + 1, body.top() + 1, body.width() - 2, size / 2.0),
                      radius - 1, radius - 1);
    return image;
}

QImage social(const QColor& top, const QColor& bottom, const char* letter, qreal pixelSize,
              qreal dx) {
    QImage image = roundedSquare(30, top, bottom, 7);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QFont font = SkinStyle::font("Liberation Sans", pixelSize, true);
    QPainterPath glyph;
    glyph.addText(0, 0, font, QString::fromUtf8(letter));
    const QRectF box = glyph.boundingRect();
    glyph.translate(15 + dx - box.center().x(), 15 - box.center().y());
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(glyph);
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

QImage socialF() {
    return social(QColor(84, 116, 186), QColor(44, 70, 132), "f", 24, 1.5);
}

QImage socialT() {
    return social(QColor(96, 196, 248), QColor(24, 140, 214), "t", 22, 0);
}

// At 16 pixels the mark's detail blurs into a blob: the small icon shows the station's
// initial instead, drawn with straight strokes on whole pixels so it stays sharp.
static QImage smallIcon(int size) {
    QImage image = roundedSquare(size, SkinStyle::kBlueLight, SkinStyle::kBlueDark, size * 0.2);
    QPainter p(&image);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    const int left = 4;
    const int right = size - 4;
    const int top = 3;
    const int bottom = size - 4;
    p.drawRect(left, top, right - left, 2);
    p.drawRect(left, bottom - 2, right - left, 2);
    p.setRenderHint(QPainter::Antialiasing);
    const QPolygonF diagonal{QPointF(right - 2.5, top + 2), QPointF(right, top + 2),
                             QPointF(left + 2.5, bottom - 2), QPointF(left, bottom - 2)};
    p.drawPolygon(diagonal);
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QImage appIcon(int size) {
    if (size <= 16) {
        return smallIcon(size);
    }
    QImage image = roundedSquare(size, SkinStyle::kBlueLight, SkinStyle::kBlueDark, size * 0.2);
    QPainter p(&image);
    const qreal inset = size * 0.12;
    SkinStyle::paintMark(p, QRectF(inset, inset * 0.9, size - 2 * inset, size - 2 * inset));
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace Icons
