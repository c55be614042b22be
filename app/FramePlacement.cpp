#include "FramePlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace app {
namespace {

constexpr int kFrameWaitMs = 3000;
// The frame's size can become known after the last event the window gets (the window manager
// answers the map and the frame query on its own time): it is looked at again this often.
constexpr int kFrameCheckMs = 50;

class FramePlacer : public QObject {
public:
    FramePlacer(QWidget* window, std::function<QPoint(QSize)> place)
        : QObject(window), window_(window), place_(std::move(place)) {
        window_->installEventFilter(this);
        watchNativeWindow();
        QTimer::singleShot(kFrameWaitMs, this, &QObject::deleteLater);
        auto* check = new QTimer(this);
        connect(check, &QTimer::timeout, this, [this] {
            if (window_->isVisible()) {
                placeAgain();
            }
        });
        check->start(kFrameCheckMs);
        if (window_->isVisible()) {
            placeAgain();
        }
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::Show:
                watchNativeWindow();
                [[fallthrough]];
            case QEvent::Expose:
            case QEvent::Move:
            case QEvent::Resize:
                placeAgain();
                break;
            default:
                break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    // Exposure comes to the native window, not the widget: it tells that the window manager
    // has mapped (and so framed) the window.
    void watchNativeWindow() {
        if (window_->windowHandle() && !watchingNative_) {
            watchingNative_ = true;
            window_->windowHandle()->installEventFilter(this);
        }
    }

    void placeAgain() {
        // The native window asks the window system for its frame each time. The widget's copy
        // of the frame is brought up to date only by the window's own events, and a move goes
        // by that copy: the client area is placed instead, by the frame just read.
        const QWindow* native = window_->windowHandle();
        const QMargins frame = native ? native->frameMargins() : QMargins();
        const QSize outer = window_->size().grownBy(frame);
        const QPoint corner = place_(outer);
        // A move made while Qt still took the frame for none leaves the client area where the
        // frame belongs; a listener's drag never lands exactly there, so it is left alone.
        const bool clientOnCorner =
            window_->isVisible() && !frame.isNull() && window_->geometry().topLeft() == corner;
        if (outer == placedFor_ && !clientOnCorner) {
            return;
        }
        placedFor_ = outer;
        if (window_->isVisible()) {
            window_->setGeometry(
                QRect(corner + QPoint(frame.left(), frame.top()), window_->size()));
        } else {
            window_->move(corner);
        }
    }

    QWidget* window_;
    std::function<QPoint(QSize)> place_;
    QSize placedFor_;
    bool watchingNative_ = false;
};

}  // namespace

void PlaceByFrame(QWidget* window, std::function<QPoint(QSize)> place) {
    new FramePlacer(window, std::move(place));
}

QPoint CentredOnScreen(QSize outerSize) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        return {};
    }
    const QRect area = screen->geometry();
    return {area.x() + std::max(0, (area.width() - outerSize.width()) / 2),
            area.y() + std::max(0, (area.height() - outerSize.height()) / 2)};
}

}  // namespace app
