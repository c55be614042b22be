#include "MprisService.h"

#include <QComboBox>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QFileInfo>
#include <QLineEdit>
#include <QStringList>
#include <QWidget>
#include <utility>

#include "Codepage.h"
#include "MprisRules.h"
#include "PlayerAdaptor.h"
#include "RootAdaptor.h"
#include "Transport.h"
#include "slider.h"

namespace mpris {

namespace {

const QString kServiceName = QStringLiteral("org.mpris.MediaPlayer2.zelkorfm");
const QString kObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
// The live stream is one endless track, whatever its title.
const QString kTrackId = QStringLiteral("/org/zelkorfm/track/live");

// Only a bus that is already there: asking for the session bus without one would make the
// bus library launch a daemon of its own, which the player never did.
bool SessionBusAdvertised() {
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) {
        return true;
    }
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/bus"));
}

}  // namespace

MprisService::MprisService(MprisControls controls, QObject* parent)
    : QObject(parent), c_(std::move(controls)) {
    new RootAdaptor(this);
    new PlayerAdaptor(this);
    connect(c_.transport, &player::Transport::playbackChanged, this, &MprisService::refresh);
    connect(c_.Slider_volume, &TSlider::OnChange, this, &MprisService::refresh);
    connect(c_.edt_2, &QLineEdit::textChanged, this, &MprisService::refresh);
    connect(c_.cb_radyosec, &QComboBox::currentIndexChanged, this, &MprisService::refresh);
    told_ = playerProperties();
}

MprisService::~MprisService() {
    if (onBus_) {
        QDBusConnection bus = QDBusConnection::sessionBus();
        bus.unregisterService(kServiceName);
        bus.unregisterObject(kObjectPath);
    }
}

bool MprisService::registerOnSessionBus() {
    if (!SessionBusAdvertised()) {
        return false;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() ||
        !bus.registerObject(kObjectPath, this, QDBusConnection::ExportAdaptors)) {
        return false;
    }
    if (!bus.registerService(kServiceName)) {
        bus.unregisterObject(kObjectPath);
        return false;
    }
    onBus_ = true;
    told_ = playerProperties();
    return true;
}

void MprisService::coverShown(const QString& address) {
    coverAddress_ = ArtUrl(address);
    refresh();
}

void MprisService::raise() {
    c_.window->setWindowState(c_.window->windowState() & ~Qt::WindowMinimized);
    c_.window->show();
    c_.window->raise();
    c_.window->activateWindow();
}

// The window's own handlers block and process events: they run after the bus call has been
// answered, from the event loop, as a click would.
void MprisService::quit() {
    QMetaObject::invokeMethod(
        c_.window,
        [window = c_.window] {
            // The program ends without waiting for its bus connection to write what is
            // queued: a round trip to the bus daemon first lets Quit's answer leave, so the
            // caller is not told that the player vanished without replying.
            QDBusConnection::sessionBus().call(
                QDBusMessage::createMethodCall(
                    QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                    QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping")),
                QDBus::Block, 2000);
            window->close();
        },
        Qt::QueuedConnection);
}

void MprisService::playPause() {
    QMetaObject::invokeMethod(this, c_.lbl_playMouseDown, Qt::QueuedConnection);
}

void MprisService::play() {
    if (c_.transport->playTag() == 0) {
        playPause();
    }
}

// A live stream cannot be paused: pausing stops it, as the toggle does.
void MprisService::pause() {
    if (c_.transport->playTag() == 1) {
        playPause();
    }
}

void MprisService::stop() {
    pause();
}

void MprisService::next() {
    switchStation(1);
}

void MprisService::previous() {
    switchStation(-1);
}

void MprisService::switchStation(int step) {
    if (!canGoNext()) {
        return;
    }
    QMetaObject::invokeMethod(
        this,
        [this, step] {
            c_.cb_radyosec->setCurrentIndex(
                WrappedIndex(c_.cb_radyosec->currentIndex(), c_.cb_radyosec->count(), step));
            c_.cb_radyosecCloseUp();
        },
        Qt::QueuedConnection);
}

QString MprisService::playbackStatus() const {
    return PlaybackStatus(c_.transport->playTag(), c_.transport->channelPlays());
}

QVariantMap MprisService::metadata() const {
    QVariantMap map;
    map.insert(QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(kTrackId)));
    const TrackText track = SplitTitle(app::ToCp1254(c_.edt_2->text()));
    if (!track.title.isEmpty()) {
        map.insert(QStringLiteral("xesam:title"), track.title);
    }
    if (!track.artist.isEmpty()) {
        map.insert(QStringLiteral("xesam:artist"), QStringList{track.artist});
    }
    if (!c_.cb_radyosec->currentText().isEmpty()) {
        map.insert(QStringLiteral("xesam:album"), c_.cb_radyosec->currentText());
    }
    if (!coverAddress_.isEmpty()) {
        map.insert(QStringLiteral("mpris:artUrl"), coverAddress_);
    }
    return map;
}

double MprisService::volume() const {
    return DesktopVolume(c_.Slider_volume->value());
}

void MprisService::setVolume(double volume) {
    c_.Slider_volume->setValue(SliderVolume(volume));
}

bool MprisService::canGoNext() const {
    return c_.cb_radyosec->count() >= 2;
}

QVariantMap MprisService::playerProperties() const {
    return {{QStringLiteral("PlaybackStatus"), playbackStatus()},
            {QStringLiteral("Metadata"), metadata()},
            {QStringLiteral("Volume"), volume()},
            {QStringLiteral("CanGoNext"), canGoNext()},
            {QStringLiteral("CanGoPrevious"), canGoNext()}};
}

void MprisService::refresh() {
    const QVariantMap now = playerProperties();
    QVariantMap changed;
    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        if (told_.value(it.key()) != it.value()) {
            changed.insert(it.key(), it.value());
        }
    }
    told_ = now;
    if (!onBus_ || changed.isEmpty()) {
        return;
    }
    QDBusMessage signal =
        QDBusMessage::createSignal(kObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                   QStringLiteral("PropertiesChanged"));
    signal << kPlayerInterface << changed << QStringList();
    QDBusConnection::sessionBus().send(signal);
}

}  // namespace mpris
