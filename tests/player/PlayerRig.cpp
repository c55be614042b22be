#include "PlayerRig.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QThread>

#include "Audio.h"

namespace playertest {

namespace {

std::vector<std::string> DirectoryLines(const std::vector<Station>& stations) {
    std::vector<std::string> lines{"1002", "http://127.0.0.1/setup.exe"};
    int number = 0;
    for (const Station& s : stations) {
        const std::vector<std::string> record{"",           "Station " + std::to_string(number++),
                                              s.streamUrl,  s.prerollUrl,
                                              s.webViewUrl, "",
                                              "",           "g"};
        lines.insert(lines.end(), record.begin(), record.end());
    }
    return lines;
}

void InitEngineOnce(int device) {
    static const bool ready = [device] {
        const bool ok =
            audio::Init(device, 44100, 0, nullptr) || audio::ErrorGetCode() == audio::ERROR_ALREADY;
        audio::SetConfig(audio::CONFIG_NET_PREBUF, 0);
        return ok;
    }();
    if (!ready) {
        ADD_FAILURE() << "audio output could not be opened, error " << audio::ErrorGetCode();
    }
}

}  // namespace

QString Entry(char slot, const QString& text) {
    return QString(QLatin1Char(slot)) + QLatin1Char(':') + text;
}

PlayerRig::PlayerRig(const std::vector<Station>& stations, int device)
    : edt_1(new QLineEdit(&window)),
      edt_2(new QLineEdit(&window)),
      edt_3(new QLineEdit(&window)),
      lbl_kbit(new QLabel(&window)),
      lbl_ses(new QLabel(&window)),
      lbl_khz(new QLabel(&window)),
      lbl_mono_stereo(new QLabel(&window)),
      calan1(new QLabel(&window)),
      cb_radyosec(new QComboBox(&window)),
      Slider_volume(new QSlider(&window)),
      directory(DirectoryLines(stations)) {
    InitEngineOnce(device);
    Slider_volume->setRange(0, 100);
    Slider_volume->setValue(70);
    Timer2.setInterval(500);
    Timer3.setInterval(30);
    Timer4.setInterval(100);
    for (int i = 0; i < directory.stationCount(); ++i) {
        cb_radyosec->addItem(QString::fromStdString(directory.record(i).displayName));
    }
    cb_radyosec->setCurrentIndex(stations.empty() ? -1 : 0);

    bridge = std::make_unique<player::StatusBridge>(
        player::StatusSlots{edt_1, edt_2, edt_3, lbl_kbit, &Timer2});
    player::TransportControls controls;
    controls.cb_radyosec = cb_radyosec;
    controls.Timer2 = &Timer2;
    controls.Timer3 = &Timer3;
    controls.Timer4 = &Timer4;
    controls.lbl_ses = lbl_ses;
    controls.lbl_khz = lbl_khz;
    controls.lbl_mono_stereo = lbl_mono_stereo;
    controls.calan1 = calan1;
    controls.directory = &directory;
    controls.CurrentStation = &CurrentStation;
    controls.sliderValue = [this] { return Slider_volume->value(); };
    controls.setSliderValue = [this](int value) { Slider_volume->setValue(value); };
    controls.showStopSymbol = [this](bool stop) { stopSymbol = stop; };
    controls.FitTitleLabel = [this](const QString& title) { fittedTitles << title; };
    transport = std::make_unique<player::Transport>(controls, bridge.get());

    player::Transport* t = transport.get();
    QObject::connect(&Timer2, &QTimer::timeout, t, &player::Transport::Timer2Timer);
    QObject::connect(&Timer3, &QTimer::timeout, t, &player::Transport::Timer3Timer);
    QObject::connect(&Timer4, &QTimer::timeout, t, &player::Transport::Timer4Timer);
    QObject::connect(Slider_volume, &QSlider::valueChanged, t,
                     &player::Transport::Slider_volumeChange);
    for (auto [slot, edit] : {std::pair{'1', edt_1}, {'2', edt_2}, {'3', edt_3}}) {
        QObject::connect(edit, &QLineEdit::textChanged,
                         [this, slot = slot](const QString& text) { record(Entry(slot, text)); });
    }
    QObject::connect(Slider_volume, &QSlider::valueChanged,
                     [this](int value) { record(Entry('v', QString::number(value))); });
    Timer4.start();
}

PlayerRig::~PlayerRig() {
    if (::testing::Test::HasFailure()) {
        std::string all;
        for (const QString& entry : log) {
            all += entry.toStdString() + "\n";
        }
        ADD_FAILURE() << "slot log:\n" << all;
    }
    transport.reset();  // stops and waits for the workers
}

bool PlayerRig::waitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto until = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > until) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
    }
    return true;
}

bool PlayerRig::waitForLog(const QString& entry, std::chrono::milliseconds timeout) {
    return waitFor([this, &entry] { return log.contains(entry); }, timeout);
}

void PlayerRig::pump(std::chrono::milliseconds time) {
    waitFor([] { return false; }, time);
}

int PlayerRig::find(const QString& entry, int from) const {
    return static_cast<int>(log.indexOf(entry, from));
}

void PlayerRig::record(const QString& entry) {
    log << entry;
    logTimes.push_back(std::chrono::steady_clock::now());
}

}  // namespace playertest
