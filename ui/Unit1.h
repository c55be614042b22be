#pragma once
// The player's one window. It owns every control (laid out in Unit1.ui on a large canvas, most
// of which lies outside the 320 x 480 client area) and hands its events to the subsystems.
// Everything here runs on the GUI thread.

#include <QWidget>
#include <functional>

#include "HttpClient.h"
#include "StationDirectory.h"
#include "StationRecord.h"
#include "ui_Unit1.h"

struct TForm1Options {
    // Opens the audio output; by default on the default sound server. Tests open the silent one.
    std::function<bool()> openAudio;
    // Ends the process at once (the audio output could not be opened). Tests replace it.
    std::function<void()> endProcess;
};

class TForm1 : public QWidget, public Ui::TForm1 {
    Q_OBJECT
public:
    explicit TForm1(TForm1Options options = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    // Start-up: layout, the setting, the station directory, the version check, the selector,
    // the audio output. Runs once, from the constructor.
    void FormCreate();

    // Asks the event loop to end as soon as it runs (start-up happens before it does).
    void requestTerminate();
    bool terminationRequested() const { return terminationRequested_; }

    app::HttpClient* IdHTTP1;
    app::HttpClient* IdHTTP2;

    app::StationDirectory directory;  // the directory line list, header lines included
    int stationCount = 0;
    int ayar1 = 0;
    app::StationRecord CurrentStation;  // the record chosen at the last station switch

private:
    void requestDirectory();
    void fillStations();

    TForm1Options options_;
    bool terminationRequested_ = false;
};
