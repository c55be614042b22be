#pragma once
// The content pages built on a few real widgets laid out like the window's, wired the way the
// window wires them, with a fixture server behind the feeds and a clock the test sets.

#include <QDate>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStringList>
#include <QToolButton>
#include <QWebEngineView>
#include <QWidget>
#include <array>
#include <memory>

#include "AnnouncementsPage.h"
#include "FixtureServer.h"
#include "HttpClient.h"
#include "RecordGrid.h"
#include "SchedulePage.h"
#include "TImage.h"
#include "TabStrip.h"

struct PagesRig {
    PagesRig();

    void pressTab(int x, Qt::MouseButton button = Qt::LeftButton);
    int visiblePage() const;  // 1..5, 0 when not exactly one is visible
    int checkedDay() const;   // 0..6, -1 when none
    void routeSchedule(const QByteArray& xml);
    void routeAnnouncements(const QByteArray& xml);
    static QImage solid(QColor color, QSize size);

    fixture::FixtureServer server;
    app::HttpClient http;
    QDate today{2026, 12, 7};  // a Monday
    QStringList messages;

    QWidget window;
    TImage* strip;
    std::array<TImage*, 5> stores{};
    std::array<QWidget*, 5> pages{};
    std::array<QAbstractButton*, 7> dayButtons{};
    RecordGrid* grid1;
    QFrame* panel1;
    QLabel* label11;
    QPlainTextEdit* memo3;
    TImage* image15;
    RecordGrid* grid2;
    QFrame* panel2;
    QWebEngineView* browser;

    std::unique_ptr<pages::SchedulePage> schedule;
    std::unique_ptr<pages::AnnouncementsPage> announcements;
    std::unique_ptr<pages::TabStrip> tabs;
};

// Four schedule entries: two on Monday (the later one earlier in the day), one on Sunday, one
// on Tuesday written "Salı".
QByteArray WeekFeed();
