#include "Transport.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <system_error>
#include <thread>

#include "Audio.h"
#include "Codepage.h"
#include "StationDirectory.h"
#include "StationRecord.h"
#include "StationWebView.h"
#include "StatusBridge.h"
#include "StatusText.h"
#include "StreamWorkers.h"

namespace player {

namespace {

constexpr int kFadeTarget = 70;
constexpr int kClipPlaying = 5;
constexpr int kClipEnded = 1;
// Opening and buffering a live stream takes about half a second on a real server; begun this
// long before the clip's end, the stream is ready when the clip falls silent.
constexpr std::uint64_t kLiveAheadMs = 2500;

}  // namespace

Transport::Transport(TransportControls controls, StatusBridge* bridge, QObject* parent)
    : QObject(parent), controls_(std::move(controls)), bridge_(bridge) {}

Transport::~Transport() {
    closing_ = true;
    state_.setStopRequest(true);
    for (QTimer* timer : {controls_.Timer2, controls_.Timer3, controls_.Timer4}) {
        timer->stop();
    }
    QDeadlineTimer deadline(10'000);
    while (state_.runningWorkers() > 0 && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    // Messages the last workers queued may ask the state whether they are still wanted.
    QCoreApplication::processEvents();
    state_.setLiveChannel(0);
    liveAhead_.cancel();
    audio::StreamFree(state_.takeBridgeChannel());
    audio::StreamFree(state_.currentChannel());
}

void Transport::pelmoses(int volume) {
    audio::ChannelSetAttributes(state_.currentChannel(), 0, volume & 0xFF, 2);
}

void Transport::btn_baslaClick() {
    state_.setStopRequest(false);
    state_.setConnectUrl(controls_.CurrentStation->streamUrl);
    if (controls_.CurrentStation->streamUrl.empty()) {
        return;  // a clip alone is never played
    }
    if (!state_.prerollUrl().empty()) {
        startWorker(PrerollWorker);
    } else {
        timer4Tag_ = 0;
        startWorker(StreamWorker);
    }
}

void Transport::btn_durClick() {
    state_.setStopRequest(true);
    QCoreApplication::processEvents();
    stopOnPurpose();
    bridge_->setStatusText(QString::fromUtf8("Durduruldu..."));
    bridge_->setTitleText(QString());
    timer4Tag_ = 0;
    liveAhead_.cancel();
    controls_.Timer4->stop();
    controls_.Timer3->stop();
    // A retry that is still pending must not start the stream the listener has just stopped.
    controls_.Timer2->stop();
    controls_.setSliderValue(kFadeTarget);
}

void Transport::lbl_playMouseDown() {
    if (playTag_ == 0) {
        stopOnPurpose();
        controls_.showStopSymbol(true);
        setPlayTag(1);
        QCoreApplication::processEvents();
        state_.setConnectUrl(controls_.CurrentStation->streamUrl);
        if (!controls_.CurrentStation->streamUrl.empty()) {
            startWorker(StreamWorker);
        }
        return;
    }
    controls_.showStopSymbol(false);
    setPlayTag(0);
    QCoreApplication::processEvents();
    stopOnPurpose();
    liveAhead_.cancel();
    controls_.Timer2->stop();
}

void Transport::cb_radyosecCloseUp() {
    btn_durClick();
    const int index = controls_.cb_radyosec->currentIndex();
    *controls_.CurrentStation = controls_.directory->record(index);
    state_.setPrerollUrl(controls_.CurrentStation->prerollUrl);
    if (controls_.WebBrowser2 != nullptr) {
        controls_.WebBrowser2->navigate(app::FromCp1254(controls_.CurrentStation->webViewUrl));
    }
    controls_.showStopSymbol(true);
    setPlayTag(1);
    QCoreApplication::processEvents();
    btn_baslaClick();
    QCoreApplication::processEvents();
    QThread::msleep(100);
}

void Transport::Timer2Timer() {
    // A worker that was still connecting when the listener stopped can arm the retry after
    // the stop; with the play symbol showing, the retry ends instead of playing unseen.
    if (playTag_ == 0) {
        controls_.Timer2->stop();
        return;
    }
    startStreamWorker();
}

void Transport::Timer3Timer() {
    QCoreApplication::processEvents();
    const int value = controls_.sliderValue();
    if (value >= kFadeTarget) {
        controls_.Timer3->stop();
    } else {
        controls_.setSliderValue(value + 1);
    }
}

void Transport::Timer4Timer() {
    if (timer4Tag_ == kClipPlaying) {
        const audio::HSTREAM channel = state_.currentChannel();
        // An invalid handle gives all ones for both, which also counts as the end.
        if (audio::ChannelGetLength(channel) == audio::ChannelGetPosition(channel)) {
            timer4Tag_ = kClipEnded;
        } else {
            openLiveAhead(channel);
        }
    }
    if (timer4Tag_ == kClipEnded) {
        timer4Tag_ = 0;
        startStreamWorker();
    }
}

void Transport::Slider_volumeChange() {
    QCoreApplication::processEvents();
    const int value = controls_.sliderValue();
    pelmoses(value);
    controls_.lbl_ses->setText(QString::number(value));
    QCoreApplication::processEvents();
}

void Transport::FormShow(int ayar1) {
    const int count = controls_.cb_radyosec->count();
    if (count - 1 >= ayar1) {
        controls_.cb_radyosec->setCurrentIndex(ayar1 < 0 ? -1 : ayar1);
    }
    cb_radyosecCloseUp();
}

void Transport::startSilent() {
    controls_.setSliderValue(0);
    applySliderVolume();
}

void Transport::startFadeIn() {
    setChannelPlays(true);
    enable(controls_.Timer3);
}

void Transport::showChannelInfo(std::uint32_t freq, std::uint32_t chans) {
    controls_.lbl_khz->setText(KhzText(freq));
    controls_.lbl_mono_stereo->setText(ChannelModeText(chans));
}

void Transport::applySliderVolume() {
    pelmoses(controls_.sliderValue());
}

void Transport::showClipPlaying() {
    controls_.calan1->setText(QStringLiteral("Reklam"));
    controls_.FitTitleLabel(QString());
}

void Transport::watchClipEnd() {
    setChannelPlays(true);
    timer4Tag_ = kClipPlaying;
    enable(controls_.Timer4);
}

void Transport::startWorker(WorkerProc proc) {
    if (closing_) {
        return;
    }
    setChannelPlays(false);  // every worker first frees the stream it replaces
    const WorkerTicket ticket = state_.newWorker();
    startThread([this, proc, ticket] { proc(*this, ticket); });
}

void Transport::startThread(std::function<void()> body) {
    state_.workerStarted();
    try {
        std::thread([this, body = std::move(body)] {
            body();
            state_.workerEnded();
        }).detach();
    } catch (const std::system_error&) {
        state_.workerEnded();
    }
}

void Transport::startStreamWorker() {
    state_.setConnectUrl(controls_.CurrentStation->streamUrl);
    startWorker(StreamWorker);
}

void Transport::openLiveAhead(audio::HSTREAM clip) {
    if (playTag_ == 0) {
        return;  // stopped by the listener: the live stream waits for the next play
    }
    audio::ChannelInfo info;
    if (!audio::ChannelGetInfo(clip, &info)) {
        return;
    }
    const std::uint64_t length = audio::ChannelGetLength(clip);
    const std::uint64_t position = audio::ChannelGetPosition(clip);
    // A clip whose length is not known yet may end at any moment: open now.
    const std::uint64_t bytesPerSecond = std::uint64_t{info.freq} * info.chans * 2;
    const bool nearEnd = length == audio::POS_FAILURE64 || position >= length ||
                         (length - position) * 1000 < kLiveAheadMs * bytesPerSecond;
    const std::string& url = controls_.CurrentStation->streamUrl;
    if (nearEnd && !url.empty() && !closing_ && liveAhead_.begin(url)) {
        startThread([this] { LiveAheadWorker(*this); });
    }
}

void Transport::stopOnPurpose() {
    state_.setLiveChannel(0);
    const audio::HSTREAM bridge = state_.takeBridgeChannel();
    if (bridge != state_.currentChannel()) {
        audio::StreamFree(bridge);  // a retry's stream has replaced it but is not playing yet
    }
    audio::ChannelStop(state_.currentChannel());
    setChannelPlays(false);
}

void Transport::setPlayTag(int tag) {
    if (playTag_ != tag) {
        playTag_ = tag;
        Q_EMIT playbackChanged();
    }
}

void Transport::setChannelPlays(bool plays) {
    if (channelPlays_ != plays) {
        channelPlays_ = plays;
        Q_EMIT playbackChanged();
    }
}

void Transport::enable(QTimer* timer) {
    if (!timer->isActive()) {
        timer->start();  // enabling an enabled timer does not restart its interval
    }
}

}  // namespace player
