#include "WindowMover.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

bool WindowMover::start(QWidget* pressed, QPoint globalPress) {
    QWidget* window = pressed->window();
    if (QWindow* handle = window->windowHandle(); handle && handle->startSystemMove())
        return true;
    // Owned by the window, so a window that goes away takes a follow in progress with it.
    auto* mover = new WindowMover(window, globalPress);
    mover->setParent(window);
    return false;
}

WindowMover::WindowMover(QWidget* window, QPoint globalPress)
    : window_(window), grabOffset_(globalPress - window->pos()) {
    qApp->installEventFilter(this);
}

bool WindowMover::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseMove: {
            const auto* move = static_cast<QMouseEvent*>(event);
            if (move->buttons() == Qt::NoButton) {
                finish();  // the release happened where we could not see it
                return false;
            }
            if (window_)
                window_->move(move->globalPosition().toPoint() - grabOffset_);
            return false;
        }
        case QEvent::MouseButtonRelease:
            finish();
            return false;
        default:
            return false;
    }
}

void WindowMover::finish() {
    qApp->removeEventFilter(this);
    deleteLater();
}
