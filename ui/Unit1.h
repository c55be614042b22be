#pragma once
// The player's one window. It owns every control (laid out in Unit1.ui on a large canvas, most
// of which lies outside the 320 x 480 client area) and hands its events to the subsystems.
// Everything here runs on the GUI thread.

#include <QDate>
#include <QMenu>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "HttpClient.h"
#include "StationDirectory.h"
#include "StationRecord.h"
#include "ui_Unit1.h"

namespace nowplaying {
class CoverSearch;
class NowPlayingDisplay;
}  // namespace nowplaying

namespace player {
class StationWebView;
class StatusBridge;
class Transport;
}  // namespace player

namespace mpris {
class MprisService;
}

namespace pages {
class AnnouncementsPage;
class ContactLinks;
class MessageForm;
class SchedulePage;
class TabStrip;
}  // namespace pages

struct TForm1Options {
    // Opens the audio output; by default on the default sound server. Tests open the silent one.
    std::function<bool()> openAudio;
    // Ends the process at once (the audio output could not be opened). Tests replace it.
    std::function<void()> endProcess;
    // Today's local date, whose weekday the schedule tab opens on. Tests pick the day.
    std::function<QDate()> today;
};

class TForm1 : public QWidget, public Ui::TForm1 {
    Q_OBJECT
public:
    explicit TForm1(TForm1Options options = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    // Start-up: layout, the setting, the station directory, the version check, the selector,
    // the audio output. Runs once, from the constructor.
    void FormCreate();

    // First show: selects the stored station and runs the station switch. Runs once, from the
    // first show event, before the window is centred and drawn.
    void FormShow();

    // A press on the player or message page background (Image1, Image2): moves the window
    // with the mouse while the button is held. The right button opens PopupMenu1 instead (the
    // pictures handle it themselves), so only the other buttons reach this handler.
    void Image1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);

    // Change handlers of the status slot edt_1 and the title slot edt_2: both refresh calan1 and
    // calan2; a title other than LastCoverTitle clicks Button1, whose handler is the cover search
    // (it runs to its end, the window's events flowing while it waits on the network).
    void edt_1Change();
    void edt_2Change();
    void Button1Click();
    // Sets calan2 to the text (already escaped), at 8 points or, when wider than the label,
    // 6 points. GUI thread only: workers call it through a blocking call to this thread.
    void FitTitleLabel(const QString& text);
    // The trimmed title, code page 1254, that the cover search last ran for.
    const std::string& LastCoverTitle() const;

    // Playback; each handler hands over to the transport. pelmoses sets the playing channel's
    // volume (0 to 100).
    void pelmoses(int volume);
    void btn_baslaClick();
    void btn_durClick();
    void lbl_playMouseDown();
    void cb_radyosecCloseUp();
    void Timer2Timer();
    void Timer3Timer();
    void Timer4Timer();
    void Slider_volumeChange();

    // The station content pages; each handler hands over to its page.
    // A press on the tab strip: only x counts.
    void tabMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void LoadSchedule(const QString& dayName);
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void SpeedButton5Click();
    void SpeedButton6Click();
    void SpeedButton7Click();
    void DBCtrlGrid1Click();
    void SpeedButton8Click();
    void DBCtrlGrid2Click();  // also the click of Image15's title strip
    void SpeedButton9Click();
    void Image17Click();
    void Image6Click();
    void Image8Click();
    void Label9Click();
    void Label10Click();
    void YazlmBrenvik1Click();

    // Asks the program to end instead of running its event loop (start-up happens before it
    // runs). A queued quit would not do: the first show processes events before the loop
    // starts, and Qt drops a quit that arrives outside a running loop.
    void requestTerminate();
    bool terminationRequested() const { return terminationRequested_; }

    // Non-visual components, owned by the window.
    QTimer* Timer2 = nullptr;     // 500 ms, off at start
    QTimer* Timer3 = nullptr;     // 30 ms, off at start
    QTimer* Timer4 = nullptr;     // 100 ms, on at start
    QMenu* PopupMenu1 = nullptr;  // context menu of Image1 and Image2, one item YazlmBrenvik1

    app::HttpClient* IdHTTP1;
    app::HttpClient* IdHTTP2;

    app::StationDirectory directory;  // the directory line list, header lines included
    int stationCount = 0;
    int ayar1 = 0;
    app::StationRecord CurrentStation;  // the record chosen at the last station switch

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setUpWindow();
    void setUpNowPlaying();
    void setUpPages();
    void setUpPlayback();
    void setUpMediaControls();
    void setUpAccessibility();
    void requestDirectory();
    void fillStations();

    TForm1Options options_;
    bool terminationRequested_ = false;
    bool shownOnce_ = false;
    std::unique_ptr<nowplaying::CoverSearch> coverSearch_;
    std::unique_ptr<nowplaying::NowPlayingDisplay> nowPlaying_;
    std::unique_ptr<pages::SchedulePage> schedule_;
    std::unique_ptr<pages::AnnouncementsPage> announcements_;
    std::unique_ptr<pages::TabStrip> tabStrip_;
    std::unique_ptr<pages::MessageForm> messageForm_;
    std::unique_ptr<pages::ContactLinks> contactLinks_;
    // The bridge outlives the transport, whose end waits for workers that still report.
    std::unique_ptr<player::StatusBridge> playerStatus_;
    std::unique_ptr<player::StationWebView> stationWebView_;
    std::unique_ptr<player::Transport> transport_;
    std::unique_ptr<mpris::MprisService> mediaControls_;  // the desktop's media controls
};
