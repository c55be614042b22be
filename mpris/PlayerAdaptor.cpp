#include "PlayerAdaptor.h"

#include "MprisService.h"

namespace mpris {

PlayerAdaptor::PlayerAdaptor(MprisService* service)
    : QDBusAbstractAdaptor(service), service_(service) {}

QString PlayerAdaptor::playbackStatus() const {
    return service_->playbackStatus();
}

QVariantMap PlayerAdaptor::metadata() const {
    return service_->metadata();
}

double PlayerAdaptor::volume() const {
    return service_->volume();
}

void PlayerAdaptor::setVolume(double volume) {
    service_->setVolume(volume);
}

bool PlayerAdaptor::canGoNext() const {
    return service_->canGoNext();
}

void PlayerAdaptor::Next() {
    service_->next();
}

void PlayerAdaptor::Previous() {
    service_->previous();
}

void PlayerAdaptor::Pause() {
    service_->pause();
}

void PlayerAdaptor::PlayPause() {
    service_->playPause();
}

void PlayerAdaptor::Stop() {
    service_->stop();
}

void PlayerAdaptor::Play() {
    service_->play();
}

}  // namespace mpris
