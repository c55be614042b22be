#pragma once
// The player on the session bus as an MPRIS 2 media player, so that media keys and the
// desktop's media controls reach it. It drives the window's own controls and handlers, exactly
// as a listener's clicks would, and tells the desktop of every change it can see. Everything
// here runs on the GUI thread (QtDBus delivers calls there).

#include <QObject>
#include <QString>
#include <QVariantMap>
#include <functional>

class QComboBox;
class QLineEdit;
class QWidget;
class TSlider;

namespace player {
class Transport;
}

namespace mpris {

// What the service drives; everything belongs to the window and outlives the service.
struct MprisControls {
    QWidget* window = nullptr;                 // raised by Raise, closed by Quit
    QComboBox* cb_radyosec = nullptr;          // the station selector: Next, Previous, the album
    TSlider* Slider_volume = nullptr;          // Volume, both ways
    QLineEdit* edt_2 = nullptr;                // the title slot
    player::Transport* transport = nullptr;    // lbl_play's Tag and whether a channel plays
    std::function<void()> lbl_playMouseDown;   // the play/stop toggle
    std::function<void()> cb_radyosecCloseUp;  // the station switch
};

class MprisService : public QObject {
    Q_OBJECT
public:
    explicit MprisService(MprisControls controls, QObject* parent = nullptr);
    // Gives the bus name back (only tests end the service; the player ends with its process).
    ~MprisService() override;

    // Takes the bus name and exports the object. Without a session bus, or when the name is
    // taken, it stays off the bus and says nothing; the player works as before either way.
    bool registerOnSessionBus();

    // The cover search has shown a picture fetched from this address.
    void coverShown(const QString& address);

    // org.mpris.MediaPlayer2
    void raise();
    void quit();

    // org.mpris.MediaPlayer2.Player
    void playPause();
    void play();
    void pause();
    void stop();
    void next();
    void previous();
    QString playbackStatus() const;
    QVariantMap metadata() const;
    double volume() const;
    void setVolume(double volume);
    bool canGoNext() const;

private:
    void switchStation(int step);
    // Compares what the desktop would now read with what it was last told, and sends one
    // PropertiesChanged signal with whatever differs.
    void refresh();
    QVariantMap playerProperties() const;

    MprisControls c_;
    QString coverAddress_;
    QVariantMap told_;  // the player's properties as last announced
    bool onBus_ = false;
};

}  // namespace mpris
