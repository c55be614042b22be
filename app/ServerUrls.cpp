#include "ServerUrls.h"

#include <QByteArray>

namespace app {
namespace {

QString fromEnv(const char* name, const char* builtIn) {
    const QByteArray value = qgetenv(name);
    return QString::fromUtf8(value.isEmpty() ? QByteArray(builtIn) : value);
}

}  // namespace

QString DirectoryBaseUrl() {
    return fromEnv("ZELKOR_DIRECTORY_URL", "http://dizin.zelkorfm.com.tr/");
}
QString StationBaseUrl() {
    return fromEnv("ZELKOR_STATION_URL", "http://www.zelkorfm.com.tr/");
}
QString ImageSearchBaseUrl() {
    return fromEnv("ZELKOR_IMAGE_SEARCH_URL", "http://images.search.example.com");
}
QString MapBaseUrl() {
    return fromEnv("ZELKOR_MAP_URL", "http://maps.example.com/");
}
QString MakerUrl() {
    return fromEnv("ZELKOR_MAKER_URL", "http://www.brenvik.com.tr/");
}

}  // namespace app
