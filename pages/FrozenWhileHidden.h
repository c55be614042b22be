#pragma once
// Keeps a web view's loaded page frozen while the view is hidden, and active again once it is
// shown: a page nobody sees runs no timers and costs its renderer nothing.

#include <QObject>

class QEvent;
class QWebEngineView;

namespace pages {

class FrozenWhileHidden : public QObject {
    Q_OBJECT
public:
    // Lives as long as the view, as its child.
    explicit FrozenWhileHidden(QWebEngineView* view);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow(bool hidden);

    QWebEngineView* view_;
    bool loaded_ = false;
};

}  // namespace pages
