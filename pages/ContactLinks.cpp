#include "ContactLinks.h"

#include "Codepage.h"
#include "DesktopOpener.h"
#include "ServerUrls.h"

namespace pages {
namespace {

// The studio's place, in decimal degrees.
constexpr double kLatitude = 41.036944;
constexpr double kLongitude = 28.985278;

void openIfSet(const std::string& address) {
    if (!address.empty()) {
        app::OpenWithDesktop(app::FromCp1254(address));
    }
}

}  // namespace

LinkAddresses LinkAddresses::station() {
    return {app::StationBaseUrl(), app::MapBaseUrl(), app::MakerUrl()};
}

ContactLinks::ContactLinks(LinkAddresses addresses, CurrentStation currentStation)
    : addresses_(std::move(addresses)), currentStation_(std::move(currentStation)) {}

QString ContactLinks::mapAddress() const {
    return addresses_.mapBase + QStringLiteral("maps?f=q&source=s_q&hl=tr&geocode=&q=") +
           QString::number(kLatitude, 'f', 6) + u',' + QString::number(kLongitude, 'f', 6) +
           QStringLiteral("&z=17");
}

void ContactLinks::openWebSite() {
    app::OpenWithDesktop(addresses_.webSite);
}

void ContactLinks::openMap() {
    app::OpenWithDesktop(mapAddress());
}

void ContactLinks::openSocial1() {
    openIfSet(currentStation_().socialUrl1);
}

void ContactLinks::openSocial2() {
    openIfSet(currentStation_().socialUrl2);
}

void ContactLinks::openMaker() {
    app::OpenWithDesktop(addresses_.maker);
}

}  // namespace pages
