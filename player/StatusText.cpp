#include "StatusText.h"

#include <QLocale>
#include <cmath>

namespace player {

namespace {

bool IsControlOrSpace(QChar c) {
    return c.unicode() <= 32;
}

}  // namespace

QString BufferingText(int percent) {
    return QString::fromUtf8("Arabelleğe Alınıyor... %1%").arg(percent);
}

std::optional<QString> BitRateLabel(const QString& info) {
    if (!info.startsWith(u"BitRate:")) {
        return std::nullopt;
    }
    QString digits = info.mid(8, 5);
    qsizetype first = 0;
    qsizetype last = digits.size();
    while (first < last && IsControlOrSpace(digits[first])) {
        ++first;
    }
    while (last > first && IsControlOrSpace(digits[last - 1])) {
        --last;
    }
    return digits.mid(first, last - first) + QStringLiteral(" KBit");
}

QString KhzText(std::uint32_t freq) {
    const auto khz = static_cast<qlonglong>(std::llround(freq / 1000.0));
    QLocale locale;
    locale.setNumberOptions(QLocale::DefaultNumberOptions);
    return locale.toString(khz) + QStringLiteral(" KHZ");
}

QString ChannelModeText(std::uint32_t chans) {
    return chans == 1 ? QStringLiteral("MONO") : QStringLiteral("STEREO");
}

}  // namespace player
