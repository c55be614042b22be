#include "SkinStyle.h"

#include <QImageWriter>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <random>
#include <vector>

#include "AppFonts.h"
#include "Glyphs.h"

namespace SkinStyle {

QFont font(const char* family, qreal pixelSize, bool bold, bool italic) {
    QFont f = AppFonts::pixelFont(QString::fromUtf8(family), qRound(pixelSize), bold, italic);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

QImage brushedMetal(QSize size, unsigned seed) {
    // minstd_rand is fully specified by the standard, unlike the distributions: use its raw
    // output so the grain is the same with every library.
    std::minstd_rand rng(seed);
    const int w = size.width();
    const int h = size.height();
    std::vector<double> grain(static_cast<size_t>(w) * h);
    for (double& g : grain)
        g = static_cast<double>(rng() % 2001) / 1000.0 - 1.0;
    // Streaks: each pixel takes the mean of the noise along its row, as the brush drags it.
    const int reach = 24;
    std::vector<double> streak(grain.size());
    std::vector<double> prefix(static_cast<size_t>(w) + 1);
    for (int y = 0; y < h; ++y) {
        const double* row = &grain[static_cast<size_t>(y) * w];
        for (int x = 0; x < w; ++x)
            prefix[x + 1] = prefix[x] + row[x];
        for (int x = 0; x < w; ++x) {
            const int lo = std::max(0, x - reach);
            const int hi = std::min(w, x + reach + 1);
            streak[static_cast<size_t>(y) * w + x] = (prefix[hi] - prefix[lo]) / (hi - lo);
        }
    }
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        // A soft sheen: lighter near the top third, darker towards the bottom.
        const double t = static_cast<double>(y) / std::max(1, h - 1);
        const double sheen = 214 - 26 * (t - 0.3) * (t - 0.3) * 2.2 - 10 * t;
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const size_t i = static_cast<size_t>(y) * w + x;
            const double v = sheen + streak[i] * 46 + grain[i] * 3;
            const int g = std::clamp(static_cast<int>(v), 0, 255);
            line[x] = qRgb(std::clamp(g - 4, 0, 255), std::clamp(g - 1, 0, 255),
                           std::clamp(g + 3, 0, 255));
        }
    }
    return image;
}

void paintBlueBand(QPainter& p, const QRectF& rect) {
    p.save();
    QLinearGradient base(rect.topLeft(), rect.bottomLeft());
    base.setColorAt(0, kBlueLight);
    base.setColorAt(0.5, kBlue);
    base.setColorAt(1, kBlueDark);
    p.fillRect(rect, base);
    QLinearGradient gloss(rect.topLeft(), QPointF(rect.left(), rect.center().y()));
    gloss.setColorAt(0, QColor(255, 255, 255, 90));
    gloss.setColorAt(1, QColor(255, 255, 255, 16));
    p.fillRect(QRectF(rect.left(), rect.top(), rect.width(), rect.height() / 2), gloss);
    p.fillRect(QRectF(rect.left(), rect.bottom() - 2, rect.width(), 1), QColor(4, 24, 64));
    p.fillRect(QRectF(rect.left(), rect.bottom() - 1, rect.width(), 1), QColor(150, 196, 255));
    p.restore();
}

qreal logoWidth(qreal height) {
    const QFontMetricsF name(font("Liberation Sans", height * 0.78, true, true));
    const QFontMetricsF fm(font("Liberation Sans", height * 0.5, true, false));
    return height * 1.18 + name.horizontalAdvance(QString::fromUtf8(kStationName)) +
           fm.horizontalAdvance(QStringLiteral("FM")) + height * 0.12;
}

void paintMark(QPainter& p, const QRectF& mark) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const qreal height = mark.height();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawEllipse(mark.translated(0, std::max(0.6, height * 0.03)));
    p.setBrush(Qt::white);
    p.drawEllipse(mark);
    QRadialGradient fill(mark.center() - QPointF(height * 0.15, height * 0.2), height * 0.7);
    fill.setColorAt(0, kOrangeLight);
    fill.setColorAt(1, kOrangeDark);
    p.setBrush(fill);
    const qreal ring = std::max(1.0, height * 0.07);
    p.drawEllipse(mark.adjusted(ring, ring, -ring, -ring));
    p.setBrush(Qt::white);
    const qreal inset = height * 0.2;
    p.drawPath(Glyphs::radioWaves(mark.adjusted(inset, inset * 0.9, -inset, -inset * 1.1)));
    p.restore();
}

void paintLogo(QPainter& p, QPointF topLeft, qreal height) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF mark(topLeft, QSizeF(height, height));
    paintMark(p, mark);
    p.setPen(Qt::NoPen);
    const QFont nameFont = font("Liberation Sans", height * 0.78, true, true);
    const QFontMetricsF nameMetrics(nameFont);
    const QString name = QString::fromUtf8(kStationName);
    const qreal baseline = topLeft.y() + height * 0.5 + nameMetrics.capHeight() * 0.5;
    QPointF pen(mark.right() + height * 0.18, baseline);
    QPainterPath word;
    word.addText(pen, nameFont, name);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawPath(word.translated(0, 1));
    p.setBrush(Qt::white);
    p.drawPath(word);

    const QFont fmFont = font("Liberation Sans", height * 0.5, true, false);
    pen.rx() += nameMetrics.horizontalAdvance(name) + height * 0.1;
    QPainterPath fm;
    fm.addText(pen, fmFont, QStringLiteral("FM"));
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawPath(fm.translated(0, 1));
    p.setBrush(kOrangeLight);
    p.drawPath(fm);
    p.restore();
}

void paintEmbossedText(QPainter& p, const QRectF& rect, int flags, const QString& text,
                       const QColor& color, const QColor& shadow) {
    p.save();
    p.setPen(shadow);
    p.drawText(rect.translated(0, 1), flags, text);
    p.setPen(color);
    p.drawText(rect, flags, text);
    p.restore();
}

namespace {

// The resolution written into the files is fixed, so a rerun on another screen writes the
// same bytes.
QImage at96Dpi(const QImage& image, QImage::Format format) {
    QImage out = image.convertToFormat(format);
    out.setDotsPerMeterX(3780);
    out.setDotsPerMeterY(3780);
    return out;
}

}  // namespace

bool save24(const QImage& image, const QString& path) {
    return at96Dpi(image, QImage::Format_RGB888).save(path, "PNG");
}

bool save32(const QImage& image, const QString& path) {
    return at96Dpi(image, QImage::Format_ARGB32).save(path, "PNG");
}

bool saveJpeg(const QImage& image, const QString& path) {
    QImageWriter writer(path, "JPEG");
    writer.setQuality(95);
    writer.setOptimizedWrite(true);
    return writer.write(at96Dpi(image, QImage::Format_RGB888));
}

}  // namespace SkinStyle
