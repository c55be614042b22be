#pragma once
// The station directory: the reply of xml.aspx as a list of lines. Line 0 is the latest player
// version, line 1 its download address, then eight lines per StationRecord.

#include <QByteArray>
#include <QString>
#include <string>
#include <vector>

#include "StationRecord.h"

namespace app {

class StationDirectory {
public:
    // Raw reply bytes to lines: CR LF becomes "__", UTF-8 becomes code page 1254 (ill-formed
    // UTF-8 gives no lines), then CR, LF and every "__" end a line.
    static std::vector<std::string> DecodeReply(const QByteArray& body);
    // "xml.aspx?i=<firma>&mac=<id>&v=<versiyon>&rid=<ayar1>" on the base, values not encoded.
    static QString RequestUrl(const QString& base, const QString& firma, const QString& deviceId,
                              const QString& versiyon, int ayar1);

    explicit StationDirectory(std::vector<std::string> lines = {});

    const std::vector<std::string>& lines() const { return lines_; }
    // Outside the list: empty text.
    std::string line(std::size_t index) const;
    // Line 0 as a decimal integer, 0 when it is not one.
    int latestVersion() const;
    std::string downloadAddress() const { return line(1); }
    int stationCount() const;
    StationRecord record(int index) const;

private:
    std::vector<std::string> lines_;
};

}  // namespace app
