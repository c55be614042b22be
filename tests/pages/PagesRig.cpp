#include "PagesRig.h"

#include <QTest>

#include "ScheduleTable.h"

PagesRig::PagesRig()
    : strip(new TImage(&window)),
      grid1(nullptr),
      panel1(nullptr),
      label11(nullptr),
      memo3(nullptr),
      image15(nullptr),
      grid2(nullptr),
      panel2(nullptr),
      browser(nullptr) {
    window.resize(320, 480);
    strip->setGeometry(0, 423, 320, 57);
    const std::array<QColor, 5> colors = {Qt::red, Qt::green, Qt::blue, Qt::cyan, Qt::magenta};
    for (std::size_t i = 0; i < 5; ++i) {
        stores[i] = new TImage(&window);
        stores[i]->setGeometry(400, 0, 320, 57);
        stores[i]->setPicture(solid(colors[i], QSize(320, 57)));
        pages[i] = new QWidget(&window);
        pages[i]->setGeometry(0, 0, 320, 424);
        pages[i]->setVisible(i == 0);
    }
    strip->setPicture(stores[0]->picture());

    QWidget* schedulePage = pages[1];
    for (std::size_t i = 0; i < 7; ++i) {
        dayButtons[i] = new QToolButton(schedulePage);
        dayButtons[i]->setGeometry(1 + static_cast<int>(i) * 46, 46, 46, 27);
        dayButtons[i]->setCheckable(true);
        dayButtons[i]->setAutoExclusive(true);
        dayButtons[i]->setText(pages::ScheduleDays().at(i).caption);
    }
    dayButtons[0]->setChecked(true);
    grid1 = new RecordGrid(schedulePage);
    grid1->setGeometry(0, 73, 321, 351);
    panel1 = new QFrame(schedulePage);
    panel1->setGeometry(42, 152, 233, 233);
    panel1->setVisible(false);
    label11 = new QLabel(panel1);
    memo3 = new QPlainTextEdit(panel1);

    QWidget* announcementPage = pages[2];
    image15 = new TImage(announcementPage);
    image15->setGeometry(0, 0, 320, 480);
    grid2 = new RecordGrid(announcementPage);
    grid2->setGeometry(0, 46, 321, 380);
    panel2 = new QFrame(announcementPage);
    panel2->setGeometry(0, 46, 320, 403);
    panel2->setVisible(false);
    browser = new QWebEngineView(panel2);
    browser->setGeometry(0, 24, 320, 150);

    const auto record = [this](const QString& text) { messages.append(text); };
    schedule = std::make_unique<pages::SchedulePage>(
        pages::ScheduleControls{dayButtons, grid1, panel1, label11, memo3,
                                solid(QColor(230, 230, 230), QSize(320, 39))},
        record);
    announcements = std::make_unique<pages::AnnouncementsPage>(
        pages::AnnouncementControls{grid2, panel2, browser,
                                    solid(QColor(230, 230, 230), QSize(320, 77))},
        record);
    tabs = std::make_unique<pages::TabStrip>(
        pages::TabStripControls{strip, stores, pages}, http,
        pages::FeedAddresses{QString::fromStdString(server.url("/Stream.aspx")),
                             QString::fromStdString(server.url("/Announcement.aspx"))},
        *schedule, *announcements, [this] { return today; });

    // Wired as the window wires its handlers.
    QObject::connect(
        strip, &TImage::pressed, strip,
        [this](Qt::MouseButton, Qt::KeyboardModifiers, QPoint pos) { tabs->mouseDown(pos.x()); });
    for (std::size_t i = 0; i < 7; ++i) {
        QObject::connect(dayButtons[i], &QAbstractButton::clicked, dayButtons[i],
                         [this, i] { schedule->dayButtonClick(static_cast<int>(i)); });
    }
    QObject::connect(grid1, &RecordGrid::clicked, grid1, [this] { schedule->gridClick(); });
    QObject::connect(grid2, &RecordGrid::clicked, grid2, [this] { announcements->gridClick(); });
    QObject::connect(image15, &TImage::clicked, image15, [this] { announcements->gridClick(); });

    window.show();
    [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(&window);
}

void PagesRig::pressTab(int x, Qt::MouseButton button) {
    QTest::mousePress(strip, button, {}, QPoint(x, 20));
    QTest::mouseRelease(strip, button, {}, QPoint(x, 20));
}

int PagesRig::visiblePage() const {
    int shown = 0;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (pages[i]->isVisible()) {
            if (shown != 0) {
                return 0;
            }
            shown = static_cast<int>(i) + 1;
        }
    }
    return shown;
}

int PagesRig::checkedDay() const {
    for (std::size_t i = 0; i < dayButtons.size(); ++i) {
        if (dayButtons[i]->isChecked()) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void PagesRig::routeSchedule(const QByteArray& xml) {
    server.route("/Stream.aspx", fixture::Reply::text(xml.toStdString(), "text/xml"));
}

void PagesRig::routeAnnouncements(const QByteArray& xml) {
    server.route("/Announcement.aspx", fixture::Reply::text(xml.toStdString(), "text/xml"));
}

QImage PagesRig::solid(QColor color, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

QByteArray WeekFeed() {
    return QString::fromUtf8(
               "<?xml version=\"1.0\" encoding=\"utf-8\"?><rss><streaming>"
               "<s><Day>Pazartesi</Day><Hour>22:00</Hour><Name>Gece</Name>"
               "<Description>Gece yayını</Description></s>"
               "<s><Day>Pazar</Day><Hour>10:00</Hour><Name>Pazar Keyfi</Name></s>"
               "<s><Day>Pazartesi</Day><Hour>08:00</Hour><Name>Sabah</Name></s>"
               "<s><Day>Salı</Day><Hour>09:00</Hour><Name>Salı Sabahı</Name></s>"
               "</streaming></rss>")
        .toUtf8();
}
