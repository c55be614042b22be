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

class FramePlacer : public QObject {
public:
    FramePlacer(QWidget* window, std::function<QPoint(QSize)> place)
        : QObject(window), window_(window), place_(std::move(place)) {
        window_->installEventFilter(this);
        watchNativeWindow();
        QTimer::singleShot(kFrameWaitMs, this, &QObject::deleteLater);
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
        const QSize outer = window_->frameGeometry().size();
        if (outer == placedFor_) {
            return;
        }
        placedFor_ = outer;
        window_->move(place_(outer));
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
