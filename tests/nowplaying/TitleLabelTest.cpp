#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPixmap>

#include "NowPlayingRig.h"

using nowplaying::NowPlayingDisplay;

namespace {

// The real Tahoma bold, as the window uses it; fails loudly rather than measuring a fallback.
QFont tahomaBold() {
    static const bool loaded = [] {
        return QFontDatabase::addApplicationFont(
                   QStringLiteral("/usr/share/wine/fonts/tahoma.ttf")) >= 0 &&
               QFontDatabase::addApplicationFont(
                   QStringLiteral("/usr/share/wine/fonts/tahomabd.ttf")) >= 0;
    }();
    EXPECT_TRUE(loaded);
    QFont font(QStringLiteral("Tahoma"));
    font.setBold(true);
    font.setPixelSize(NowPlayingDisplay::kLargePixels);
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("Tahoma"));
    return font;
}

// A text of exactly the given width in the font, built from wide and narrow letters.
QString textOfWidth(const QFont& font, int width) {
    const QFontMetrics metrics(font);
    for (int wide = 0; wide < 40; ++wide) {
        for (int narrow = 0; narrow < 60; ++narrow) {
            const QString text = QString(wide, u'W') + QString(narrow, u'i');
            if (metrics.horizontalAdvance(text) == width) {
                return text;
            }
        }
    }
    ADD_FAILURE() << "no text " << width << " pixels wide";
    return {};
}

}  // namespace

TEST(TitleLabel, BoundaryAtTheLabelWidthWithTheRealFont) {
    NowPlayingRig rig;
    rig.calan2->setFont(tahomaBold());
    const QString exact = textOfWidth(rig.calan2->font(), NowPlayingDisplay::kTitleWidth);
    const QString wider = textOfWidth(rig.calan2->font(), NowPlayingDisplay::kTitleWidth + 1);

    rig.display.FitTitleLabel(exact);
    EXPECT_EQ(rig.calan2->font().pixelSize(), NowPlayingDisplay::kLargePixels);
    EXPECT_EQ(rig.calan2->text(), exact);

    rig.display.FitTitleLabel(wider);
    EXPECT_EQ(rig.calan2->font().pixelSize(), NowPlayingDisplay::kSmallPixels);
    EXPECT_TRUE(rig.calan2->font().bold());
    EXPECT_EQ(rig.calan2->font().family(), QStringLiteral("Tahoma"));

    // Far too wide even when small: still the small size, no third one, and the text is kept.
    const QString huge = QString(80, u'W');
    rig.display.FitTitleLabel(huge);
    EXPECT_EQ(rig.calan2->font().pixelSize(), NowPlayingDisplay::kSmallPixels);
    EXPECT_EQ(rig.calan2->text(), huge);
    EXPECT_EQ(rig.calan2->width(), NowPlayingDisplay::kTitleWidth);

    // Back to a short text: large again.
    rig.display.FitTitleLabel(QString());
    EXPECT_EQ(rig.calan2->font().pixelSize(), NowPlayingDisplay::kLargePixels);
    EXPECT_EQ(rig.calan2->text(), QString());
}

TEST(TitleLabel, EscapedAmpersandIsMeasuredAsTwoCharacters) {
    NowPlayingRig rig;
    rig.calan2->setFont(tahomaBold());
    // Exactly the label's width only when "&&" counts twice.
    const QFontMetrics metrics(rig.calan2->font());
    const int ampersands = metrics.horizontalAdvance(QStringLiteral("&&"));
    QString rest = textOfWidth(rig.calan2->font(), NowPlayingDisplay::kTitleWidth - ampersands + 1);
    rig.display.FitTitleLabel(QStringLiteral("&&") + rest);
    EXPECT_EQ(rig.calan2->font().pixelSize(), NowPlayingDisplay::kSmallPixels);
}

TEST(TitleLabel, RockAndRollIsEscapedAndShownLiterally) {
    NowPlayingRig rig;
    rig.calan2->setFont(tahomaBold());
    rig.CurrentStation.coverArtMode = "y";
    rig.edt_1->setText(QStringLiteral("Ses & Işık"));
    rig.edt_2->setText(QStringLiteral("Rock & Roll"));
    EXPECT_EQ(rig.calan2->text(), QStringLiteral("Rock && Roll"));
    EXPECT_EQ(rig.calan1->text(), QStringLiteral("Ses && Işık"));
    // The search compares and records the slot's text, not the escaped one.
    EXPECT_EQ(rig.lastTitle(), "Rock & Roll");

    // On screen the label shows one "&": it draws like a plain label holding "Rock & Roll".
    QLabel plain;
    plain.setFont(rig.calan2->font());
    plain.setText(QStringLiteral("Rock & Roll"));
    for (QLabel* label : {rig.calan2, &plain}) {
        label->setFixedSize(NowPlayingDisplay::kTitleWidth, 21);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    const auto shown = [](QLabel* label) {
        return label->grab().toImage().convertToFormat(QImage::Format_RGB32);
    };
    EXPECT_EQ(shown(rig.calan2), shown(&plain));
}

TEST(TitleLabel, StatusChangeRefreshesBothLabelsAndStartsNoSearch) {
    NowPlayingRig rig;
    rig.CurrentStation.coverArtMode = "g";
    rig.edt_2->setText(QStringLiteral("Song"));
    ASSERT_EQ(rig.server.requestCount("/images"), 1u);

    rig.calan2->setText(QStringLiteral("stale"));
    rig.edt_1->setText(QStringLiteral("Bağlanıyor..."));
    EXPECT_EQ(rig.calan1->text(), QStringLiteral("Bağlanıyor..."));
    EXPECT_EQ(rig.calan2->text(), QStringLiteral("Song"));
    EXPECT_EQ(rig.server.requestCount("/images"), 1u);
}

TEST(TitleLabel, EmptyingAndTrailingBlanksRunTheSearchAgain) {
    NowPlayingRig rig;
    rig.CurrentStation.coverArtMode = "g";
    rig.edt_2->setText(QStringLiteral("Song"));
    EXPECT_EQ(rig.lastTitle(), "Song");

    // The untrimmed slot differs from the recorded "Song": searched again, as "Song".
    rig.edt_2->setText(QStringLiteral("Song "));
    EXPECT_EQ(rig.server.requestCount("/images"), 2u);
    EXPECT_EQ(rig.lastTitle(), "Song");
    const auto requests = rig.server.requests();
    EXPECT_EQ(requests.back().query.substr(0, 7), "q=Song&");

    rig.edt_2->setText(QString());
    EXPECT_EQ(rig.lastTitle(), "");
    EXPECT_EQ(rig.calan2->text(), QString());
    EXPECT_EQ(rig.calan2->font().pixelSize(), NowPlayingDisplay::kLargePixels);
    EXPECT_EQ(rig.server.requestCount("/images"), 2u);

    rig.edt_2->setText(QStringLiteral("Song"));
    EXPECT_EQ(rig.server.requestCount("/images"), 3u);
}
