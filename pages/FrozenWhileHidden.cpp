#include "FrozenWhileHidden.h"

#include <QEvent>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace pages {

FrozenWhileHidden::FrozenWhileHidden(QWebEngineView* view) : QObject(view), view_(view) {
    view_->installEventFilter(this);
    connect(view_, &QWebEngineView::loadStarted, this, [this] { loaded_ = false; });
    connect(view_, &QWebEngineView::loadFinished, this, [this] {
        loaded_ = true;
        follow(!view_->isVisible());
    });
}

bool FrozenWhileHidden::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_ && event->type() == QEvent::Show) {
        follow(false);
    } else if (watched == view_ && event->type() == QEvent::Hide) {
        follow(true);
    }
    return QObject::eventFilter(watched, event);
}

void FrozenWhileHidden::follow(bool hidden) {
    // A page still loading is left to finish: it is frozen once its load is done.
    const bool freeze = loaded_ && hidden;
    view_->page()->setLifecycleState(freeze ? QWebEnginePage::LifecycleState::Frozen
                                            : QWebEnginePage::LifecycleState::Active);
}

}  // namespace pages
