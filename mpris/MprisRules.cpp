#include "MprisRules.h"

#include <QStringDecoder>
#include <QUrl>
#include <algorithm>
#include <cmath>

#include "Codepage.h"

namespace mpris {

namespace {

constexpr int kSliderMaximum = 100;

constexpr const char* kBlanks = " \t\r\n";

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

}  // namespace

TrackText SplitTitle(const std::string& bytes) {
    const auto dash = bytes.find(" - ");
    if (dash == std::string::npos) {
        return {QString(), DesktopText(Trimmed(bytes))};
    }
    return {DesktopText(Trimmed(bytes.substr(0, dash))),
            DesktopText(Trimmed(bytes.substr(dash + 3)))};
}

QString DesktopText(const std::string& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!utf8.hasError()) {
        return text;
    }
    return app::FromCp1254(bytes);
}

QString PlaybackStatus(int playTag, bool channelPlays) {
    return playTag == 1 && channelPlays ? QStringLiteral("Playing") : QStringLiteral("Stopped");
}

int WrappedIndex(int current, int count, int step) {
    if (count <= 0) {
        return -1;
    }
    if (current < 0) {
        return step > 0 ? 0 : count - 1;
    }
    return ((current + step) % count + count) % count;
}

double DesktopVolume(int sliderValue) {
    return std::clamp(sliderValue, 0, kSliderMaximum) / double(kSliderMaximum);
}

int SliderVolume(double desktopVolume) {
    if (std::isnan(desktopVolume)) {
        return 0;
    }
    return static_cast<int>(std::lround(std::clamp(desktopVolume, 0.0, 1.0) * kSliderMaximum));
}

QString ArtUrl(const QString& coverAddress) {
    const QString scheme = QUrl(coverAddress).scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") ? coverAddress
                                                                               : QString();
}

}  // namespace mpris
