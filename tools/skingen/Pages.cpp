#include "Pages.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <functional>

#include "Glyphs.h"
#include "SkinStyle.h"
#include "TabStrip.h"

namespace Pages {

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 480;
constexpr int kHeaderHeight = 46;

QImage metal(unsigned seed) {
    return SkinStyle::brushedMetal(QSize(kWidth, kHeight), seed);
}

void prepare(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
}

// The content pages' header: title at the left, the logo at the right.
void paintHeader(QPainter& p, const char* title) {
    SkinStyle::paintBlueBand(p, QRectF(0, 0, kWidth, kHeaderHeight));
    p.setFont(SkinStyle::font("Liberation Sans", 19, true));
    SkinStyle::paintEmbossedText(p, QRectF(14, 0, 200, kHeaderHeight - 2),
                                 Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8(title),
                                 Qt::white, QColor(0, 16, 50, 170));
    const qreal h = 22;
    SkinStyle::paintLogo(
        p, QPointF(kWidth - 12 - SkinStyle::logoWidth(h), (kHeaderHeight - 2 - h) / 2), h);
}

// A sunken white entry field with a caption above it.
void paintField(QPainter& p, const QRectF& field, const char* caption) {
    p.setFont(SkinStyle::font("Liberation Sans", 13, true));
    SkinStyle::paintEmbossedText(p, QRectF(field.left() + 2, field.top() - 19, field.width(), 16),
                                 Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8(caption),
                                 SkinStyle::kInk, QColor(255, 255, 255, 170));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 150));
    p.drawRoundedRect(field.adjusted(-1, 0, 1, 1.5), 6, 6);
    p.setBrush(QColor(132, 142, 156));
    p.drawRoundedRect(field, 5, 5);
    p.setBrush(Qt::white);
    p.drawRoundedRect(field.adjusted(1, 1, -1, -1), 4, 4);
    QLinearGradient inner(0, field.top() + 1, 0, field.top() + 5);
    inner.setColorAt(0, QColor(0, 0, 0, 40));
    inner.setColorAt(1, QColor(0, 0, 0, 0));
    p.setBrush(inner);
    p.drawRoundedRect(QRectF(field.left() + 1, field.top() + 1, field.width() - 2, 6), 4, 4);
}

// An engraved line across the metal.
void paintRule(QPainter& p, qreal x0, qreal x1, qreal y) {
    p.fillRect(QRectF(x0, y, x1 - x0, 1), QColor(140, 148, 160));
    p.fillRect(QRectF(x0, y + 1, x1 - x0, 1), QColor(255, 255, 255, 190));
}

void paintDisc(QPainter& p, QPointF c) {
    p.setPen(Qt::NoPen);
    QRadialGradient shadow(c + QPointF(0, 4), 96);
    shadow.setColorAt(0.86, QColor(0, 0, 0, 70));
    shadow.setColorAt(1, QColor(0, 0, 0, 0));
    p.setBrush(shadow);
    p.drawEllipse(c + QPointF(0, 4), 96, 96);
    QLinearGradient rim(0, c.y() - 90, 0, c.y() + 90);
    rim.setColorAt(0, QColor(150, 158, 170));
    rim.setColorAt(1, QColor(236, 238, 242));
    p.setBrush(rim);
    p.drawEllipse(c, 90, 90);
    QRadialGradient face(c - QPointF(18, 30), 120);
    face.setColorAt(0, Qt::white);
    face.setColorAt(1, QColor(228, 231, 236));
    p.setBrush(face);
    p.drawEllipse(c, 87, 87);
    // An engraved groove around the button and fine tick marks, like a tuning dial.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(200, 205, 212), 1.2));
    p.drawEllipse(c, 66, 66);
    p.setPen(QPen(QColor(255, 255, 255), 1.2));
    p.drawEllipse(c + QPointF(0, 1), 66, 66);
    for (int i = 0; i < 60; ++i) {
        const qreal len = i % 5 == 0 ? 7 : 3.5;
        p.save();
        p.translate(c);
        p.rotate(i * 6);
        p.setPen(
            QPen(i % 5 == 0 ? SkinStyle::kOrange : QColor(176, 182, 192), i % 5 == 0 ? 1.6 : 1.0));
        p.drawLine(QPointF(0, -82), QPointF(0, -82 + len));
        p.restore();
    }
}

void paintVolumeTrack(QPainter& p) {
    const QRectF track(10, 352, 300, 44);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 150));
    p.drawRoundedRect(track.adjusted(-1, 0, 1, 1.5), 22, 22);
    p.setBrush(QColor(150, 158, 170));
    p.drawRoundedRect(track, 22, 22);
    p.setBrush(Qt::white);
    p.drawRoundedRect(track.adjusted(1, 1, -1, -1), 21, 21);
    p.setBrush(QColor(96, 104, 116));
    p.drawPath(Glyphs::speaker(QRectF(15, 365, 18, 18), 0));
    p.drawPath(Glyphs::speaker(QRectF(283, 363, 22, 22), 2));
}

// A content page: brushed metal (its grain seeded per page), the header with its title, and
// what the page adds on top.
QImage contentPage(unsigned seed, const char* title, const std::function<void(QPainter&)>& extra) {
    QImage image = metal(seed);
    QPainter p(&image);
    prepare(p);
    paintHeader(p, title);
    extra(p);
    return image;
}

// A line of soft italic text under the header.
void paintIntro(QPainter& p, const QRectF& rect, const char* text) {
    p.setFont(SkinStyle::font("Liberation Sans", 11, false, true));
    p.setPen(SkinStyle::kInkSoft);
    p.drawText(rect, Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8(text));
}

}  // namespace

QImage player() {
    QImage image = metal(1);
    QPainter p(&image);
    prepare(p);
    const QRectF band(0, 0, kWidth, 86);
    SkinStyle::paintBlueBand(p, band);
    const qreal h = 36;
    SkinStyle::paintLogo(p, QPointF((kWidth - SkinStyle::logoWidth(h)) / 2, 12), h);
    p.setFont(SkinStyle::font("Liberation Sans", 12, false, true));
    SkinStyle::paintEmbossedText(p, QRectF(0, 56, kWidth, 20), Qt::AlignHCenter | Qt::AlignVCenter,
                                 QString::fromUtf8(SkinStyle::kSlogan), QColor(214, 232, 255),
                                 QColor(0, 16, 50, 160));
    // The play picture is drawn at (108, 199) and is 105 pixels across.
    paintDisc(p, QPointF(160.5, 251.5));
    paintVolumeTrack(p);
    p.drawImage(QPoint(0, 423), TabStrip::paint(0));
    return image;
}

QImage schedule() {
    return contentPage(2, "Programlar", [](QPainter& p) {
        // The day bar behind the flat day buttons.
        QLinearGradient bar(0, 46, 0, 73);
        bar.setColorAt(0, QColor(250, 251, 252));
        bar.setColorAt(1, QColor(208, 213, 220));
        p.fillRect(QRect(0, 46, kWidth, 27), bar);
        p.fillRect(QRect(0, 72, kWidth, 1), QColor(140, 148, 160));
        for (int x : {47, 93, 137, 181, 227, 273})
            p.fillRect(QRect(x - 1, 50, 1, 19), QColor(176, 182, 192));
    });
}

QImage announcements() {
    return contentPage(3, "Duyurular", [](QPainter&) {});
}

QImage message() {
    return contentPage(4, "Mesaj Gönderin", [](QPainter& p) {
        paintIntro(p, QRectF(22, 52, 280, 16), "İstek ve görüşlerinizi stüdyoya iletin.");
        // Each field frames the text control that lies over it with a few pixels to spare.
        paintField(p, QRectF(21, 97, 282, 31), "Adınız Soyadınız:");
        paintField(p, QRectF(21, 163, 282, 31), "E-Posta Adresiniz:");
        paintField(p, QRectF(16, 224, 287, 131), "Mesajınız:");
    });
}

QImage contact() {
    return contentPage(5, "Bize Ulaşın", [](QPainter& p) {
        paintIntro(p, QRectF(32, 56, 260, 24), "Her gün 24 saat yayındayız.");
        for (qreal y : {84.0, 142.0, 202.0, 259.0, 336.0})
            paintRule(p, 24, 296, y);
        p.setFont(SkinStyle::font("Liberation Sans", 13, true));
        SkinStyle::paintEmbossedText(p, QRectF(32, 352, 170, 30), Qt::AlignLeft | Qt::AlignVCenter,
                                     QStringLiteral("Bizi takip edin"), SkinStyle::kInk,
                                     QColor(255, 255, 255, 170));
    });
}

}  // namespace Pages
