#pragma once
// Where the player's servers are. Each has a built-in address that an environment variable
// overrides (tests and the demo station point the player at 127.0.0.1 this way).

#include <QString>

namespace app {

QString DirectoryBaseUrl();    // ZELKOR_DIRECTORY_URL: xml.aspx, iphonebilgi.aspx
QString StationBaseUrl();      // ZELKOR_STATION_URL: Stream.aspx, Announcement.aspx, web site
QString ImageSearchBaseUrl();  // ZELKOR_IMAGE_SEARCH_URL: scheme and host of the image search
QString MapBaseUrl();          // ZELKOR_MAP_URL
QString MakerUrl();            // ZELKOR_MAKER_URL

}  // namespace app
