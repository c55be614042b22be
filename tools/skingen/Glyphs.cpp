#include "Glyphs.h"

#include <QPainterPathStroker>
#include <QTransform>

namespace Glyphs {

namespace {

// Glyphs are designed on a 100 x 100 grid and mapped into the caller's box.
QPainterPath fit(const QPainterPath& design, const QRectF& box) {
    QTransform t;
    t.translate(box.left(), box.top());
    t.scale(box.width() / 100.0, box.height() / 100.0);
    return t.map(design);
}

QPainterPath stroke(const QPainterPath& path, qreal width, Qt::PenCapStyle cap = Qt::RoundCap) {
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(cap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(path);
}

QPainterPath arc(qreal cx, qreal cy, qreal r, qreal startDeg, qreal spanDeg) {
    QPainterPath p;
    const QRectF rect(cx - r, cy - r, 2 * r, 2 * r);
    p.arcMoveTo(rect, startDeg);
    p.arcTo(rect, startDeg, spanDeg);
    return p;
}

}  // namespace

QPainterPath note(const QRectF& box) {
    QPainterPath p;
    p.addEllipse(QRectF(14, 66, 28, 22));
    p.addEllipse(QRectF(58, 58, 28, 22));
    QPainterPath stems;
    stems.moveTo(39, 76);
    stems.lineTo(39, 20);
    stems.moveTo(83, 68);
    stems.lineTo(83, 12);
    p = p.united(stroke(stems, 7, Qt::FlatCap));
    QPainterPath beam;
    beam.moveTo(35.5, 18);
    beam.lineTo(86.5, 8);
    beam.lineTo(86.5, 24);
    beam.lineTo(35.5, 34);
    beam.closeSubpath();
    return fit(p.united(beam), box);
}

QPainterPath disc(const QRectF& box) {
    QPainterPath p;
    p.setFillRule(Qt::OddEvenFill);
    p.addEllipse(QRectF(4, 4, 92, 92));
    p.addEllipse(QRectF(38, 38, 24, 24));
    p.addEllipse(QRectF(45, 45, 10, 10));
    // Grooves as thin rings cut out of the record.
    QPainterPath grooves =
        stroke(arc(50, 50, 36, 100, 70), 3).united(stroke(arc(50, 50, 28, 280, 70), 3));
    return fit(p.subtracted(grooves), box);
}

QPainterPath microphone(const QRectF& box) {
    QPainterPath p;
    p.addRoundedRect(QRectF(34, 4, 32, 54), 16, 16);
    QPainterPath cradle = arc(50, 40, 26, 180, 180);
    cradle.moveTo(50, 66);
    cradle.lineTo(50, 84);
    cradle.moveTo(32, 92);
    cradle.lineTo(68, 92);
    p = p.united(stroke(cradle, 7));
    return fit(p, box);
}

QPainterPath envelope(const QRectF& box) {
    QPainterPath body;
    body.addRoundedRect(QRectF(6, 20, 88, 62), 6, 6);
    QPainterPath flap;
    flap.moveTo(10, 26);
    flap.lineTo(50, 58);
    flap.lineTo(90, 26);
    return fit(body.subtracted(stroke(flap, 6)), box);
}

QPainterPath handset(const QRectF& box) {
    QPainterPath p;
    // Ear piece, grip and mouth piece as one curved body.
    p.moveTo(20, 8);
    p.cubicTo(10, 10, 4, 22, 8, 40);
    p.cubicTo(14, 64, 36, 88, 60, 94);
    p.cubicTo(76, 97, 90, 90, 92, 80);
    p.lineTo(74, 62);
    p.cubicTo(68, 60, 62, 66, 58, 72);
    p.cubicTo(44, 66, 34, 56, 28, 42);
    p.cubicTo(34, 38, 40, 32, 38, 26);
    p.closeSubpath();
    return fit(p, box);
}

QPainterPath globe(const QRectF& box) {
    QPainterPath lines;
    lines.addEllipse(QRectF(6, 6, 88, 88));
    lines.addEllipse(QRectF(30, 6, 40, 88));
    lines.moveTo(50, 6);
    lines.lineTo(50, 94);
    lines.moveTo(6, 50);
    lines.lineTo(94, 50);
    lines.moveTo(14, 28);
    lines.lineTo(86, 28);
    lines.moveTo(14, 72);
    lines.lineTo(86, 72);
    return fit(stroke(lines, 6), box);
}

QPainterPath pin(const QRectF& box) {
    QPainterPath p;
    p.setFillRule(Qt::OddEvenFill);
    p.moveTo(50, 96);
    p.cubicTo(38, 72, 18, 56, 18, 36);
    p.cubicTo(18, 16, 33, 4, 50, 4);
    p.cubicTo(67, 4, 82, 16, 82, 36);
    p.cubicTo(82, 56, 62, 72, 50, 96);
    p.closeSubpath();
    p.addEllipse(QRectF(38, 24, 24, 24));
    return fit(p, box);
}

QPainterPath speaker(const QRectF& box, int waves) {
    QPainterPath p;
    p.moveTo(6, 36);
    p.lineTo(26, 36);
    p.lineTo(50, 14);
    p.lineTo(50, 86);
    p.lineTo(26, 64);
    p.lineTo(6, 64);
    p.closeSubpath();
    for (int i = 0; i < waves; ++i)
        p = p.united(stroke(arc(50, 50, 16 + 14 * i, -45, 90), 7));
    return fit(p, box);
}

QPainterPath rightArrow(const QRectF& box) {
    QPainterPath p;
    p.moveTo(30, 14);
    p.lineTo(68, 50);
    p.lineTo(30, 86);
    return fit(stroke(p, 20), box);
}

QPainterPath radioWaves(const QRectF& box) {
    QPainterPath p;
    p.addEllipse(QRectF(41, 30, 18, 18));
    QPainterPath mast;
    mast.moveTo(50, 44);
    mast.lineTo(36, 94);
    mast.moveTo(50, 44);
    mast.lineTo(64, 94);
    mast.moveTo(42, 76);
    mast.lineTo(58, 76);
    p = p.united(stroke(mast, 6));
    for (int i = 0; i < 2; ++i) {
        const qreal r = 20 + 14 * i;
        p = p.united(stroke(arc(50, 39, r, -40, 80), 6));
        p = p.united(stroke(arc(50, 39, r, 140, 80), 6));
    }
    return fit(p, box);
}

}  // namespace Glyphs
