#include "RootAdaptor.h"

#include "MprisService.h"

namespace mpris {

RootAdaptor::RootAdaptor(MprisService* service)
    : QDBusAbstractAdaptor(service), service_(service) {}

QString RootAdaptor::identity() const {
    return QStringLiteral("Zelkor FM");
}

QString RootAdaptor::desktopEntry() const {
    return QStringLiteral("zelkorfm");
}

void RootAdaptor::Raise() {
    service_->raise();
}

void RootAdaptor::Quit() {
    service_->quit();
}

}  // namespace mpris
