#include "StationDirectory.h"

#include "Codepage.h"
#include "ReplaceAll.h"

namespace app {
namespace {

constexpr std::size_t kHeaderLines = 2;
constexpr std::size_t kRecordLines = 8;

std::vector<std::string> splitCrLf(const std::string& text) {
    std::vector<std::string> out;
    std::size_t from = 0;
    for (;;) {
        const auto at = text.find("\r\n", from);
        if (at == std::string::npos) {
            break;
        }
        out.push_back(text.substr(from, at - from));
        from = at + 2;
    }
    // A trailing line break ends the last line; it does not start an empty one.
    if (from < text.size()) {
        out.push_back(text.substr(from));
    }
    return out;
}

}  // namespace

std::vector<std::string> StationDirectory::DecodeReply(const QByteArray& body) {
    const std::string joined = ReplaceAll(body.toStdString(), "\r\n", "__");
    std::string text = Utf8ToCp1254(QByteArray::fromStdString(joined));
    text = ReplaceAll(text, "\r", "__");
    text = ReplaceAll(text, "\n", "__");
    text = ReplaceAll(text, "__", "\r\n");
    return splitCrLf(text);
}

QString StationDirectory::RequestUrl(const QString& base, const QString& firma,
                                     const QString& deviceId, const QString& versiyon, int ayar1) {
    return base + QStringLiteral("xml.aspx?i=") + firma + QStringLiteral("&mac=") + deviceId +
           QStringLiteral("&v=") + versiyon + QStringLiteral("&rid=") + QString::number(ayar1);
}

StationDirectory::StationDirectory(std::vector<std::string> lines) : lines_(std::move(lines)) {}

std::string StationDirectory::line(std::size_t index) const {
    return index < lines_.size() ? lines_[index] : std::string{};
}

int StationDirectory::latestVersion() const {
    bool ok = false;
    const int value = QString::fromStdString(line(0)).toInt(&ok, 10);
    return ok ? value : 0;
}

int StationDirectory::stationCount() const {
    if (lines_.size() <= kHeaderLines) {
        return 0;
    }
    return static_cast<int>((lines_.size() - kHeaderLines) / kRecordLines);
}

StationRecord StationDirectory::record(int index) const {
    if (index < 0 || index >= stationCount()) {
        return {};
    }
    const std::size_t base = kHeaderLines + kRecordLines * static_cast<std::size_t>(index);
    return {line(base + 1), line(base + 2), line(base + 3), line(base + 4),
            line(base + 5), line(base + 6), line(base + 7)};
}

}  // namespace app
