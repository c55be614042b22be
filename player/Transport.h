#pragma once
// Starting, stopping and switching playback, the clip-end watch, the connection retry and the
// volume with its fade-in. The window's handlers hand over to the methods named after them.
// Everything here runs on the window's thread except state() and bridge(), which the workers
// use from theirs.

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>

#include "LiveAhead.h"
#include "PlayerState.h"

class QComboBox;
class QLabel;
class QTimer;

namespace app {
class StationDirectory;
struct StationRecord;
}  // namespace app

namespace player {

class StationWebView;
class StatusBridge;

// The window's controls and records the transport drives; all belong to the window's thread.
struct TransportControls {
    QComboBox* cb_radyosec = nullptr;
    QTimer* Timer2 = nullptr;  // connection retry, 500 ms
    QTimer* Timer3 = nullptr;  // volume fade-in, 30 ms
    QTimer* Timer4 = nullptr;  // clip-end watch, 100 ms
    QLabel* lbl_ses = nullptr;
    QLabel* lbl_khz = nullptr;
    QLabel* lbl_mono_stereo = nullptr;
    QLabel* calan1 = nullptr;
    StationWebView* WebBrowser2 = nullptr;  // may be absent
    const app::StationDirectory* directory = nullptr;
    app::StationRecord* CurrentStation = nullptr;
    // Slider_volume: its value, and setting it (which raises Slider_volumeChange on a change).
    std::function<int()> sliderValue;
    std::function<void(int)> setSliderValue;
    // Copies the stop symbol (true) or the play symbol into img_play.
    std::function<void(bool stop)> showStopSymbol;
    std::function<void(const QString&)> FitTitleLabel;
};

class Transport : public QObject {
    Q_OBJECT
public:
    Transport(TransportControls controls, StatusBridge* bridge, QObject* parent = nullptr);
    // Only tests end a transport (the player ends with its process). Workers and the engine's
    // callbacks point at this object, so it stops them and waits, at most 10 s, for the workers
    // to end, then frees the stream. The bridge and the controls must still exist.
    ~Transport() override;

    PlayerState& state() { return state_; }
    StatusBridge& bridge() { return *bridge_; }
    LiveAhead& liveAhead() { return liveAhead_; }

    void pelmoses(int volume);
    void btn_baslaClick();
    void btn_durClick();
    void lbl_playMouseDown();
    void cb_radyosecCloseUp();
    void Timer2Timer();
    void Timer3Timer();
    void Timer4Timer();
    void Slider_volumeChange();
    // The first show: select the stored station when the list is long enough, then switch.
    void FormShow(int ayar1);

    int playTag() const { return playTag_; }  // 1 while the stop symbol shows
    // True from a worker's play until the channel is stopped or replaced.
    bool channelPlays() const { return channelPlays_; }
    int timer4Tag() const { return timer4Tag_; }

    // Called by the workers on the window's thread, in the order they play their part.
    void startSilent();  // slider to 0, then the channel's volume from the slider once more
    void startFadeIn();
    void showChannelInfo(std::uint32_t freq, std::uint32_t chans);
    void applySliderVolume();
    void showClipPlaying();  // "Reklam" and an empty title
    void watchClipEnd();

    using WorkerProc = void (*)(Transport&, WorkerTicket);
    // Window's thread. A thread that cannot be started is ignored.
    void startWorker(WorkerProc proc);

Q_SIGNALS:
    // playTag() or channelPlays() has changed; window's thread.
    void playbackChanged();

private:
    // A thread counted with the workers; only a worker's start takes a ticket, so a helper
    // thread supersedes no worker.
    void startThread(std::function<void()> body);
    void setPlayTag(int tag);
    void setChannelPlays(bool plays);
    void startStreamWorker();
    // Opens the live stream once the clip has little left to play.
    void openLiveAhead(audio::HSTREAM clip);
    void stopOnPurpose();
    void enable(QTimer* timer);

    TransportControls controls_;
    StatusBridge* bridge_;
    PlayerState state_;
    LiveAhead liveAhead_;
    int playTag_ = 0;            // lbl_play's Tag; window's thread only
    bool channelPlays_ = false;  // window's thread only
    int timer4Tag_ = 0;     // Timer4's Tag: 0 idle, 5 a clip plays, 1 it has ended; window's thread
    bool closing_ = false;  // window's thread: no new workers while the destructor waits
};

}  // namespace player
