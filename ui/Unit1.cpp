#include "Unit1.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QDate>
#include <QGuiApplication>
#include <QIcon>
#include <QLocale>
#include <QScreen>
#include <QShowEvent>
#include <QStringList>
#include <QTime>

#include "AnnouncementsPage.h"
#include "AppFonts.h"
#include "Audio.h"
#include "AudioError.h"
#include "Codepage.h"
#include "ComboCloseUp.h"
#include "ContactLinks.h"
#include "CoverSearch.h"
#include "DesktopOpener.h"
#include "DeviceId.h"
#include "FramePlacement.h"
#include "MessageBox.h"
#include "MessageForm.h"
#include "MprisService.h"
#include "NowPlayingDisplay.h"
#include "SchedulePage.h"
#include "ScheduleTable.h"
#include "ServerUrls.h"
#include "Settings.h"
#include "SkinResources.h"
#include "StationWebView.h"
#include "StatusBridge.h"
#include "TabStrip.h"
#include "Transport.h"
#include "WindowMover.h"
#include "WindowPlacement.h"

namespace {

QString joinLines(const std::vector<std::string>& lines, std::size_t from) {
    QStringList out;
    for (std::size_t i = from; i < lines.size(); ++i) {
        out << app::FromCp1254(lines[i]);
    }
    return out.join(QLatin1Char('\n'));
}

// The locale's long time format less its time zone, which the toolkit's long format adds.
QString longTimeWithoutZone() {
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return format.simplified();
}

}  // namespace

TForm1::TForm1(TForm1Options options, QWidget* parent)
    : QWidget(parent),
      IdHTTP1(new app::HttpClient(app::HttpSettings::windowClient(), this)),
      IdHTTP2(new app::HttpClient(app::HttpSettings::windowClient(), this)),
      options_(std::move(options)) {
    if (!options_.openAudio) {
        options_.openAudio = [this] { return audio::Init(-1, 44100, 0, this); };
    }
    if (!options_.endProcess) {
        options_.endProcess = [] { ::_exit(0); };
    }
    initSkinResources();  // the form file loads its pictures from them
    setupUi(this);
    setUpWindow();
    setUpNowPlaying();
    setUpPages();
    setUpPlayback();
    FormCreate();
    setUpMediaControls();
    setUpAccessibility();
}

// Names and roles for screen readers: the clickable pictures carry no text of their own.
void TForm1::setUpAccessibility() {
    lbl_play->setAccessibleName(QStringLiteral("Çal / Durdur"));
    tab->setAccessibleName(QStringLiteral("Sayfalar"));
    tab->setAccessibleParts({QStringLiteral("Radyo"), QStringLiteral("Yayın Akışı"),
                             QStringLiteral("Duyurular"), QStringLiteral("Mesaj"),
                             QStringLiteral("İletişim")});
    Image17->setAccessibleName(QStringLiteral("Mesajı Gönder"));
    Image6->setAccessibleName(QStringLiteral("Web Sitesi"));
    Image8->setAccessibleName(QStringLiteral("Harita"));
    Label9->setAccessibleName(QStringLiteral("Sosyal Medya Sayfası 1"));
    Label10->setAccessibleName(QStringLiteral("Sosyal Medya Sayfası 2"));
    for (THotSpot* link : {static_cast<THotSpot*>(Image6), static_cast<THotSpot*>(Image8),
                           static_cast<THotSpot*>(Label9), static_cast<THotSpot*>(Label10)}) {
        link->setAccessibleRole(QAccessible::Link);
    }
}

// The frame, icon, default font, non-visual components and the background presses: what the
// form file cannot say.
void TForm1::setUpWindow() {
    // Fixed frame: minimise and close only; FormCreate fixes the size.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    QIcon icon;
    for (int size : {16, 32, 48, 64})
        icon.addFile(QStringLiteral(":/icons/icon%1.png").arg(size), QSize(size, size));
    setWindowIcon(icon);
    AppFonts::install();
    setFont(AppFonts::pixelFont(QStringLiteral("MS Sans Serif"), 11));

    Slider_volume->setImageHThumb(QImage(QStringLiteral(":/skin/thumb.png")));
    Slider_volume->setImageHRuler(QImage(QStringLiteral(":/skin/ruler.png")));
    Slider_volume->setNumThumbStates(2);
    Slider_volume->setOptions({});
    Slider_volume->setIncrement(1);
    Slider_volume->setMinValue(0);
    Slider_volume->setMaxValue(100);
    Slider_volume->setValue(70);

    Timer2 = new QTimer(this);
    Timer2->setInterval(500);
    Timer3 = new QTimer(this);
    Timer3->setInterval(30);
    Timer4 = new QTimer(this);
    Timer4->setInterval(100);
    Timer4->start();

    // Speed buttons take no keyboard focus, as the toolkit's flat buttons never do.
    for (QToolButton* speedButton :
         {SpeedButton1, SpeedButton2, SpeedButton3, SpeedButton4, SpeedButton5, SpeedButton6,
          SpeedButton7, SpeedButton8, SpeedButton9}) {
        speedButton->setFocusPolicy(Qt::NoFocus);
    }

    PopupMenu1 = new QMenu(this);
    PopupMenu1->addAction(YazlmBrenvik1);
    for (TImage* background : {Image1, Image2}) {
        background->setPopupMenu(PopupMenu1);
        connect(background, &TImage::pressed, this,
                [this](Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint at) {
                    Image1MouseDown(button, shift, at.x(), at.y());
                });
    }
}

void TForm1::setUpNowPlaying() {
    // FitTitleLabel sizes calan2's font, and a style sheet's font would override it: the sheet
    // keeps only the colour, the font moves to the widget.
    calan2->setFont(AppFonts::pixelFont(QStringLiteral("Tahoma"), 12, true));
    calan2->setStyleSheet(QStringLiteral("color: #ff0000;"));
    // Titles and status texts come from servers: text, never markup.
    calan1->setTextFormat(Qt::PlainText);
    calan2->setTextFormat(Qt::PlainText);
    coverSearch_ = std::make_unique<nowplaying::CoverSearch>(edt_2, Image3, &CurrentStation,
                                                             IdHTTP1, app::ImageSearchBaseUrl());
    nowPlaying_ = std::make_unique<nowplaying::NowPlayingDisplay>(
        nowplaying::NowPlayingDisplay::Controls{calan1, calan2, edt_1, edt_2, Button1},
        *coverSearch_);
    connect(edt_1, &QLineEdit::textChanged, this, &TForm1::edt_1Change);
    connect(edt_2, &QLineEdit::textChanged, this, &TForm1::edt_2Change);
    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
}

void TForm1::edt_1Change() {
    nowPlaying_->edt_1Change();
}
void TForm1::edt_2Change() {
    nowPlaying_->edt_2Change();
}
void TForm1::Button1Click() {
    coverSearch_->Button1Click();
}
void TForm1::FitTitleLabel(const QString& text) {
    nowPlaying_->FitTitleLabel(text);
}
const std::string& TForm1::LastCoverTitle() const {
    return coverSearch_->LastCoverTitle();
}

void TForm1::setUpPlayback() {
    playerStatus_ = std::make_unique<player::StatusBridge>(
        player::StatusSlots{edt_1, edt_2, edt_3, lbl_kbit, Timer2});
    stationWebView_ = std::make_unique<player::StationWebView>(WebBrowser2);
    player::TransportControls controls;
    controls.cb_radyosec = cb_radyosec;
    controls.Timer2 = Timer2;
    controls.Timer3 = Timer3;
    controls.Timer4 = Timer4;
    controls.lbl_ses = lbl_ses;
    controls.lbl_khz = lbl_khz;
    controls.lbl_mono_stereo = lbl_mono_stereo;
    controls.calan1 = calan1;
    controls.WebBrowser2 = stationWebView_.get();
    controls.directory = &directory;
    controls.CurrentStation = &CurrentStation;
    controls.sliderValue = [this] { return Slider_volume->value(); };
    controls.setSliderValue = [this](int value) { Slider_volume->setValue(value); };
    controls.showStopSymbol = [this](bool stop) {
        img_play->setPicture((stop ? img_stop_ : img_play_)->picture());
    };
    controls.FitTitleLabel = [this](const QString& text) { FitTitleLabel(text); };
    transport_ = std::make_unique<player::Transport>(controls, playerStatus_.get());

    connect(btn_basla, &QPushButton::clicked, this, &TForm1::btn_baslaClick);
    connect(btn_dur, &QPushButton::clicked, this, &TForm1::btn_durClick);
    connect(lbl_play, &THotSpot::pressed, this, &TForm1::lbl_playMouseDown);
    new player::ComboCloseUp(cb_radyosec, [this] { cb_radyosecCloseUp(); });
    connect(Timer2, &QTimer::timeout, this, &TForm1::Timer2Timer);
    connect(Timer3, &QTimer::timeout, this, &TForm1::Timer3Timer);
    connect(Timer4, &QTimer::timeout, this, &TForm1::Timer4Timer);
    connect(Slider_volume, &TSlider::OnChange, this, &TForm1::Slider_volumeChange);
}

// After start-up, so the desktop first sees the filled station selector.
void TForm1::setUpMediaControls() {
    mpris::MprisControls controls;
    controls.window = this;
    controls.cb_radyosec = cb_radyosec;
    controls.Slider_volume = Slider_volume;
    controls.edt_2 = edt_2;
    controls.transport = transport_.get();
    controls.lbl_playMouseDown = [this] { lbl_playMouseDown(); };
    controls.cb_radyosecCloseUp = [this] { cb_radyosecCloseUp(); };
    mediaControls_ = std::make_unique<mpris::MprisService>(std::move(controls));
    coverSearch_->setShownHandler(
        [this](const QString& address) { mediaControls_->coverShown(address); });
    mediaControls_->registerOnSessionBus();
}

void TForm1::pelmoses(int volume) {
    transport_->pelmoses(volume);
}
void TForm1::btn_baslaClick() {
    transport_->btn_baslaClick();
}
void TForm1::btn_durClick() {
    transport_->btn_durClick();
}
void TForm1::lbl_playMouseDown() {
    transport_->lbl_playMouseDown();
}
void TForm1::cb_radyosecCloseUp() {
    transport_->cb_radyosecCloseUp();
}
void TForm1::Timer2Timer() {
    transport_->Timer2Timer();
}
void TForm1::Timer3Timer() {
    transport_->Timer3Timer();
}
void TForm1::Timer4Timer() {
    transport_->Timer4Timer();
}
void TForm1::Slider_volumeChange() {
    transport_->Slider_volumeChange();
}

void TForm1::setUpPages() {
    const auto message = [this](const QString& text) { app::ShowMessage(this, text); };
    schedule_ = std::make_unique<pages::SchedulePage>(
        pages::ScheduleControls{{SpeedButton1, SpeedButton2, SpeedButton3, SpeedButton4,
                                 SpeedButton5, SpeedButton6, SpeedButton7},
                                DBCtrlGrid1,
                                Panel1,
                                Label11,
                                Memo3,
                                QImage(QStringLiteral(":/skin/row_schedule.png"))},
        message);
    announcements_ = std::make_unique<pages::AnnouncementsPage>(
        pages::AnnouncementControls{DBCtrlGrid2, Panel2, WebBrowser1,
                                    QImage(QStringLiteral(":/skin/row_announcement.png"))},
        message);
    tabStrip_ = std::make_unique<pages::TabStrip>(
        pages::TabStripControls{
            tab,
            {tab_1, tab_2, tab_3, tab_4, tab_5},
            {panel_yayin, Panel_yayinakisi, panel_duyurular, panel_mesaj, panel_iletisim}},
        *IdHTTP1, pages::FeedAddresses::station(), *schedule_, *announcements_,
        options_.today ? options_.today : &QDate::currentDate);
    messageForm_ =
        std::make_unique<pages::MessageForm>(pages::MessageControls{Edit1, Edit2, Memo2, versiyon},
                                             *IdHTTP1, app::DirectoryBaseUrl(), message);
    contactLinks_ = std::make_unique<pages::ContactLinks>(pages::LinkAddresses::station(),
                                                          [this] { return CurrentStation; });

    connect(tab, &TImage::pressed, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint at) {
                tabMouseDown(button, shift, at.x(), at.y());
            });
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm1::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TForm1::SpeedButton2Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &TForm1::SpeedButton3Click);
    connect(SpeedButton4, &QToolButton::clicked, this, &TForm1::SpeedButton4Click);
    connect(SpeedButton5, &QToolButton::clicked, this, &TForm1::SpeedButton5Click);
    connect(SpeedButton6, &QToolButton::clicked, this, &TForm1::SpeedButton6Click);
    connect(SpeedButton7, &QToolButton::clicked, this, &TForm1::SpeedButton7Click);
    connect(DBCtrlGrid1, &RecordGrid::clicked, this, &TForm1::DBCtrlGrid1Click);
    connect(SpeedButton8, &QToolButton::clicked, this, &TForm1::SpeedButton8Click);
    connect(DBCtrlGrid2, &RecordGrid::clicked, this, &TForm1::DBCtrlGrid2Click);
    connect(Image15, &TImage::clicked, this, &TForm1::DBCtrlGrid2Click);
    connect(SpeedButton9, &QToolButton::clicked, this, &TForm1::SpeedButton9Click);
    connect(Image17, &TImage::clicked, this, &TForm1::Image17Click);
    connect(Image6, &TImage::clicked, this, &TForm1::Image6Click);
    connect(Image8, &TImage::clicked, this, &TForm1::Image8Click);
    connect(Label9, &THotSpot::clicked, this, &TForm1::Label9Click);
    connect(Label10, &THotSpot::clicked, this, &TForm1::Label10Click);
    connect(YazlmBrenvik1, &QAction::triggered, this, &TForm1::YazlmBrenvik1Click);
}

void TForm1::tabMouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int x, int) {
    tabStrip_->mouseDown(x);
}
void TForm1::LoadSchedule(const QString& dayName) {
    schedule_->loadSchedule(dayName);
}
void TForm1::SpeedButton1Click() {
    LoadSchedule(pages::ScheduleDays()[0].name);
}
void TForm1::SpeedButton2Click() {
    LoadSchedule(pages::ScheduleDays()[1].name);
}
void TForm1::SpeedButton3Click() {
    LoadSchedule(pages::ScheduleDays()[2].name);
}
void TForm1::SpeedButton4Click() {
    LoadSchedule(pages::ScheduleDays()[3].name);
}
void TForm1::SpeedButton5Click() {
    LoadSchedule(pages::ScheduleDays()[4].name);
}
void TForm1::SpeedButton6Click() {
    LoadSchedule(pages::ScheduleDays()[5].name);
}
void TForm1::SpeedButton7Click() {
    LoadSchedule(pages::ScheduleDays()[6].name);
}
void TForm1::DBCtrlGrid1Click() {
    schedule_->gridClick();
}
void TForm1::SpeedButton8Click() {
    schedule_->closeDetail();
}
void TForm1::DBCtrlGrid2Click() {
    announcements_->gridClick();
}
void TForm1::SpeedButton9Click() {
    announcements_->closeDetail();
}
void TForm1::Image17Click() {
    messageForm_->send();
}
void TForm1::Image6Click() {
    contactLinks_->openWebSite();
}
void TForm1::Image8Click() {
    contactLinks_->openMap();
}
void TForm1::Label9Click() {
    contactLinks_->openSocial1();
}
void TForm1::Label10Click() {
    contactLinks_->openSocial2();
}
void TForm1::YazlmBrenvik1Click() {
    contactLinks_->openMaker();
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shownOnce_ || event->spontaneous())
        return;
    shownOnce_ = true;
    FormShow();
    app::PlaceByFrame(this, [](QSize outer) {
        const QScreen* primary = QGuiApplication::primaryScreen();
        return primary ? centredOnDesktop(outer, primary->virtualGeometry()) : QPoint();
    });
}

void TForm1::FormShow() {
    transport_->FormShow(ayar1);
}

void TForm1::Image1MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) {
    // Both backgrounds lie at the window's top-left corner, so their coordinates are the
    // window's.
    WindowMover::start(this, mapToGlobal(QPoint(x, y)));
}

TForm1::~TForm1() = default;

void TForm1::requestTerminate() {
    terminationRequested_ = true;
}

void TForm1::FormCreate() {
    for (QWidget* page : {panel_mesaj, panel_duyurular, Panel_yayinakisi, panel_iletisim}) {
        page->setGeometry(0, 0, panel_yayin->width(), panel_yayin->height());
    }
    setFixedSize(320, 480);
    QCoreApplication::processEvents();

    calan1->clear();
    FitTitleLabel(QString());
    lbl_tarih->setText(QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
    lbl_saat->setText(QLocale::system().toString(QTime::currentTime(), longTimeWithoutZone()));

    stationCount = 0;
    stationWebView_->hideBrowser();
    ayar1 = app::ReadAyar1(app::SettingsFilePath());

    try {
        requestDirectory();
    } catch (const std::exception&) {
        app::ShowMessage(this, QStringLiteral("İnternet bağlantınızı kontrol edip programı tekrar "
                                              "çalıştırınız..."));
        requestTerminate();
        return;
    }

    cb_radyosec->clear();
    fillStations();
    cb_radyosec->setCurrentIndex(0);
    if (stationCount == 1) {
        cb_radyosec->hide();
        Label6->hide();
    }

    lbl_sure->clear();
    lbl_kbit->clear();

    if (!options_.openAudio()) {
        app::ShowAudioError(this, QStringLiteral("Ses Kartı Açılamadı"));
        options_.endProcess();
        return;
    }
    audio::SetConfig(audio::CONFIG_NET_PREBUF, 0);
}

void TForm1::requestDirectory() {
    const QString url = app::StationDirectory::RequestUrl(
        app::DirectoryBaseUrl(), firma->text(), QString::fromStdString(app::GetDeviceId()),
        versiyon->text(), ayar1);
    directory = app::StationDirectory(app::StationDirectory::DecodeReply(IdHTTP1->get(url)));
    Memo1->setPlainText(joinLines(directory.lines(), 0));
}

void TForm1::fillStations() {
    if (directory.latestVersion() > versiyon->text().toInt()) {
        app::ShowMessage(this,
                         QStringLiteral("Programin Yeni Versiyonu Cikmistir.\nIndirip Kurunuz."));
        app::OpenWithDesktop(app::FromCp1254(directory.downloadAddress()));
        QCoreApplication::processEvents();
        requestTerminate();
    }
    if (directory.lines().size() > 2) {
        Memo1->setPlainText(joinLines(directory.lines(), 2));
        stationCount = directory.stationCount();
        for (int i = 0; i < stationCount; ++i) {
            cb_radyosec->addItem(app::FromCp1254(directory.record(i).displayName));
        }
    }
}
