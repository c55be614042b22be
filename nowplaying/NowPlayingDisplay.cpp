#include "NowPlayingDisplay.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>

#include "Codepage.h"
#include "CoverSearch.h"
#include "ReplaceAll.h"

namespace nowplaying {

namespace {

QString escapeMnemonics(const QString& text) {
    return ReplaceAll(text, QStringLiteral("&"), QStringLiteral("&&"));
}

}  // namespace

NowPlayingDisplay::NowPlayingDisplay(Controls controls, const CoverSearch& covers)
    : c_(controls), covers_(covers) {
    c_.calan1->setBuddy(c_.edt_1);
    c_.calan2->setBuddy(c_.edt_2);
}

void NowPlayingDisplay::edt_1Change() {
    refreshLabels();
}

void NowPlayingDisplay::edt_2Change() {
    refreshLabels();
    if (app::ToCp1254(c_.edt_2->text()) != covers_.LastCoverTitle()) {
        c_.Button1->click();
    }
}

void NowPlayingDisplay::FitTitleLabel(const QString& text) {
    QFont font = c_.calan2->font();
    font.setPixelSize(kLargePixels);
    if (QFontMetrics(font).horizontalAdvance(text) > kTitleWidth) {
        font.setPixelSize(kSmallPixels);
    }
    c_.calan2->setFont(font);
    c_.calan2->setText(text);
}

void NowPlayingDisplay::refreshLabels() {
    c_.calan1->setText(escapeMnemonics(c_.edt_1->text()));
    FitTitleLabel(escapeMnemonics(c_.edt_2->text()));
}

}  // namespace nowplaying
