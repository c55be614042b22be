#include "WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

QPoint centredOnDesktop(QSize frameSize, QRect virtualDesktop) {
    return {std::max(0, (virtualDesktop.width() - frameSize.width()) / 2),
            std::max(0, (virtualDesktop.height() - frameSize.height()) / 2)};
}

void centreOnVirtualDesktop(QWidget* window) {
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary)
        return;
    window->move(centredOnDesktop(window->frameGeometry().size(), primary->virtualGeometry()));
}
