// The directory reply as the start-up reads it: decoded to lines, then every record.
#include <QByteArray>
#include <cstddef>
#include <cstdint>

#include "StationDirectory.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray body(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const app::StationDirectory directory(app::StationDirectory::DecodeReply(body));
    directory.latestVersion();
    directory.downloadAddress();
    for (int i = 0; i < directory.stationCount(); ++i) {
        directory.record(i);
    }
    return 0;
}
