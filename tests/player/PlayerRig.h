#pragma once
// A player built from a few real widgets, the real engine (silent device) and a station list,
// wired the way the window wires it, with a log of every slot change in order.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "StationDirectory.h"
#include "StationRecord.h"
#include "StatusBridge.h"
#include "Transport.h"

namespace playertest {

struct Station {
    std::string streamUrl;
    std::string prerollUrl;
    std::string webViewUrl;
};

class PlayerRig {
public:
    // device: 0 plays silently; -1 is the default sound server. Init runs once per process.
    explicit PlayerRig(const std::vector<Station>& stations, int device = 0);
    ~PlayerRig();

    // Processes events until the condition holds or the time is up.
    bool waitFor(const std::function<bool()>& condition,
                 std::chrono::milliseconds timeout = std::chrono::seconds(10));
    bool waitForLog(const QString& entry,
                    std::chrono::milliseconds timeout = std::chrono::seconds(10));
    void pump(std::chrono::milliseconds time);
    // Index of the first entry equal to text at or after from; -1 when there is none.
    int find(const QString& entry, int from = 0) const;

    QWidget window;
    QLineEdit* edt_1;
    QLineEdit* edt_2;
    QLineEdit* edt_3;
    QLabel* lbl_kbit;
    QLabel* lbl_ses;
    QLabel* lbl_khz;
    QLabel* lbl_mono_stereo;
    QLabel* calan1;
    QComboBox* cb_radyosec;
    QSlider* Slider_volume;
    QTimer Timer2;
    QTimer Timer3;
    QTimer Timer4;
    app::StationDirectory directory;
    app::StationRecord CurrentStation;
    bool stopSymbol = false;
    QStringList fittedTitles;
    // "1:text" for edt_1, "2:text" for edt_2, "3:text" for edt_3, "v:n" for the slider.
    QStringList log;
    std::vector<std::chrono::steady_clock::time_point> logTimes;
    std::unique_ptr<player::StatusBridge> bridge;
    std::unique_ptr<player::Transport> transport;

private:
    void record(const QString& entry);
};

// "1:Bağlanıyor..." and the like, for the log.
QString Entry(char slot, const QString& text);

}  // namespace playertest
