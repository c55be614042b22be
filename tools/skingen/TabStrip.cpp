#include "TabStrip.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <array>

#include "Glyphs.h"
#include "SkinStyle.h"

namespace TabStrip {

namespace {

using Glyph = QPainterPath (*)(const QRectF&);

struct Tab {
    Glyph glyph;
    const char* caption;
};

const std::array<Tab, 5> kTabs{{{Glyphs::note, "YAYIN"},
                                {Glyphs::disc, "YAYIN AKIŞI"},
                                {Glyphs::microphone, "DUYURU"},
                                {Glyphs::envelope, "MESAJ"},
                                {Glyphs::handset, "İLETİŞİM"}}};

QRectF tabRect(int index) {
    return QRectF(1 + 64 * index, 0, 64, kHeight);
}

void paintGround(QPainter& p) {
    QLinearGradient ground(0, 0, 0, kHeight);
    ground.setColorAt(0, QColor(250, 251, 252));
    ground.setColorAt(0.45, QColor(228, 231, 235));
    ground.setColorAt(1, QColor(196, 201, 208));
    p.fillRect(QRect(0, 0, kWidth, kHeight), ground);
    p.fillRect(QRect(0, 0, kWidth, 1), QColor(120, 128, 140));
    p.fillRect(QRect(0, 1, kWidth, 1), Qt::white);
    p.fillRect(QRect(0, 0, 1, kHeight), QColor(150, 156, 166));
}

void paintLitGround(QPainter& p, const QRectF& r) {
    QLinearGradient lit(r.topLeft(), r.bottomLeft());
    lit.setColorAt(0, SkinStyle::kBlueLight);
    lit.setColorAt(0.5, SkinStyle::kBlue);
    lit.setColorAt(1, SkinStyle::kBlueDark);
    p.fillRect(r.adjusted(0, 1, 0, 0), lit);
    QLinearGradient gloss(r.topLeft(), QPointF(r.left(), r.top() + r.height() * 0.5));
    gloss.setColorAt(0, QColor(255, 255, 255, 80));
    gloss.setColorAt(1, QColor(255, 255, 255, 10));
    p.fillRect(QRectF(r.left(), r.top() + 1, r.width(), r.height() * 0.5), gloss);
    // An orange marker along the top edge ties the lit tab to the page above it.
    p.fillRect(QRectF(r.left(), r.top() + 1, r.width(), 3), SkinStyle::kOrange);
}

void paintSeparators(QPainter& p) {
    for (int i = 1; i < 5; ++i) {
        const int x = 1 + 64 * i;
        p.fillRect(QRect(x - 1, 6, 1, kHeight - 12), QColor(160, 166, 176));
        p.fillRect(QRect(x, 6, 1, kHeight - 12), QColor(255, 255, 255, 200));
    }
}

void paintTab(QPainter& p, int index, bool lit) {
    const QRectF r = tabRect(index);
    const QColor ink = lit ? QColor(Qt::white) : QColor(84, 92, 106);
    const QColor shadow = lit ? QColor(0, 20, 60, 160) : QColor(255, 255, 255, 220);
    const QRectF iconBox(r.center().x() - 12, 9, 24, 24);
    p.setPen(Qt::NoPen);
    p.setBrush(shadow);
    p.drawPath(kTabs[index].glyph(iconBox.translated(0, 1)));
    p.setBrush(ink);
    p.drawPath(kTabs[index].glyph(iconBox));
    p.setFont(SkinStyle::font("Liberation Sans", 9, true));
    SkinStyle::paintEmbossedText(p, QRectF(r.left(), 37, r.width(), 14),
                                 Qt::AlignHCenter | Qt::AlignTop,
                                 QString::fromUtf8(kTabs[index].caption), ink, shadow);
}

}  // namespace

QImage paint(int lit) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    paintGround(p);
    if (lit >= 1 && lit <= 5)
        paintLitGround(p, tabRect(lit - 1));
    paintSeparators(p);
    for (int i = 0; i < 5; ++i)
        paintTab(p, i, i == lit - 1);
    return image;
}

}  // namespace TabStrip
