#pragma once
// The controls the window hands to the now-playing classes, wired as the window wires them,
// with a loopback server standing in for the image search and the picture hosts.

#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <memory>
#include <string>

#include "CoverSearch.h"
#include "FixtureServer.h"
#include "HttpClient.h"
#include "NowPlayingDisplay.h"
#include "StationRecord.h"
#include "TImage.h"

struct NowPlayingRig {
    fixture::FixtureServer server;
    QWidget window;
    QLabel* calan1 = new QLabel(&window);
    QLabel* calan2 = new QLabel(&window);
    QLineEdit* edt_1 = new QLineEdit(&window);
    QLineEdit* edt_2 = new QLineEdit(&window);
    QPushButton* Button1 = new QPushButton(&window);
    TImage* Image3 = new TImage(&window);
    app::StationRecord CurrentStation;
    app::HttpClient IdHTTP1{app::HttpSettings::windowClient()};
    nowplaying::CoverSearch covers{edt_2, Image3, &CurrentStation, &IdHTTP1,
                                   QString::fromStdString(server.baseUrl())};
    nowplaying::NowPlayingDisplay display{{calan1, calan2, edt_1, edt_2, Button1}, covers};

    NowPlayingRig() {
        calan2->setFixedWidth(nowplaying::NowPlayingDisplay::kTitleWidth);
        Image3->setFixedSize(70, 70);
        Image3->setStretch(true);
        QObject::connect(edt_1, &QLineEdit::textChanged, [this] { display.edt_1Change(); });
        QObject::connect(edt_2, &QLineEdit::textChanged, [this] { display.edt_2Change(); });
        QObject::connect(Button1, &QPushButton::clicked, [this] { covers.Button1Click(); });
    }

    std::string lastTitle() const { return covers.LastCoverTitle(); }
    std::size_t requestTotal() const { return server.requests().size(); }
};

// A picture of two colours side by side (left red, right blue) in a Qt-written file format.
inline std::string encodePicture(int width, int height, const char* format, QColor left = Qt::red,
                                 QColor right = Qt::blue,
                                 QImage::Format pixels = QImage::Format_RGB888) {
    QImage image(width, height, pixels);
    image.fill(left);
    for (int y = 0; y < height; ++y) {
        for (int x = width / 2; x < width; ++x) {
            image.setPixelColor(x, y, right);
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 95);
    return bytes.toStdString();
}
