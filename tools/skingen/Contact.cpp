#include "Contact.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "Glyphs.h"
#include "SkinStyle.h"

namespace Contact {

namespace {

constexpr int kWidth = 267;
constexpr int kVisibleWidth = 257;

using Glyph = QPainterPath (*)(const QRectF&);

// The icon: a glyph in a blue disc, vertically centred in the visible rows.
void paintBadge(QPainter& p, Glyph glyph, qreal centreY) {
    const QRectF disc(4, centreY - 17, 34, 34);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 50));
    p.drawEllipse(disc.translated(0, 1.5));
    QLinearGradient fill(0, disc.top(), 0, disc.bottom());
    fill.setColorAt(0, SkinStyle::kBlueLight);
    fill.setColorAt(1, SkinStyle::kBlueDark);
    p.setBrush(fill);
    p.drawEllipse(disc);
    p.setBrush(Qt::white);
    p.drawPath(glyph(disc.adjusted(8, 8, -8, -8)));
}

QImage line(int height, int visibleHeight, Glyph glyph, const char* caption, const char* value) {
    QImage image(kWidth, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setClipRect(QRect(0, 0, kVisibleWidth, visibleHeight));
    const qreal mid = visibleHeight / 2.0;
    paintBadge(p, glyph, mid);
    p.setFont(SkinStyle::font("Liberation Sans", 11, true));
    p.setPen(SkinStyle::kInkSoft);
    p.drawText(QRectF(48, mid - 18, 205, 14), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromUtf8(caption));
    p.setFont(SkinStyle::font("Liberation Sans", 15, true));
    SkinStyle::paintEmbossedText(p, QRectF(48, mid - 3, 205, 20), Qt::AlignLeft | Qt::AlignVCenter,
                                 QString::fromUtf8(value), SkinStyle::kBlueDark,
                                 QColor(255, 255, 255, 200));
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

QImage mailLine() {
    return line(50, 49, Glyphs::envelope, "E-Posta", kMail);
}

QImage webLine() {
    return line(57, 53, Glyphs::globe, "Web Sitemiz", kWeb);
}

QImage phoneLine() {
    return line(54, 49, Glyphs::handset, "Telefon", kPhone);
}

QImage addressLine() {
    QImage image(kWidth, 66, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setClipRect(QRect(0, 0, kVisibleWidth, 66));
    paintBadge(p, Glyphs::pin, 33);
    const char* const lines[] = {"Zelkor FM Radyo Yayıncılık A.Ş.",
                                 "Cumhuriyet Bulvarı No: 148 Kat: 5", "Alsancak 35220 Konak",
                                 "İzmir / TÜRKİYE"};
    for (int i = 0; i < 4; ++i) {
        p.setFont(SkinStyle::font("Liberation Sans", i == 0 ? 12 : 11, i == 0));
        SkinStyle::paintEmbossedText(p, QRectF(48, 3 + 15 * i, 207, 15),
                                     Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8(lines[i]),
                                     i == 0 ? SkinStyle::kBlueDark : SkinStyle::kInk,
                                     QColor(255, 255, 255, 190));
    }
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace Contact
