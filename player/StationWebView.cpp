#include "StationWebView.h"

#include <QPointer>
#include <QUrl>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace player {

namespace {

// Each property reached afresh through document.body.style; the first failure (no document
// or no body yet) leaves the rest unset, and nothing is reported.
const char kBodyStyle[] =
    "try {"
    " document.body.style.overflowX = 'hidden';"
    " document.body.style.overflowY = 'hidden';"
    " document.body.style.borderStyle = 'none';"
    " document.body.style.margin = 0;"
    "} catch (e) {}";

}  // namespace

StationWebView::StationWebView(QWebEngineView* view, QObject* parent)
    : QObject(parent), view_(view) {
    connect(view_, &QWebEngineView::loadFinished, this,
            &StationWebView::WebBrowser2DocumentComplete);
}

void StationWebView::hideBrowser() {
    view_->hide();
}

void StationWebView::navigate(const QString& url) {
    const QUrl address(url, QUrl::StrictMode);
    if (address.isValid() && !address.isEmpty()) {
        view_->page()->setLifecycleState(QWebEnginePage::LifecycleState::Active);
        view_->setUrl(address);
    }
}

void StationWebView::WebBrowser2DocumentComplete() {
    // Nobody sees the page once it is styled, so its scripts and timers need not run: a frozen
    // page costs the renderer nothing until the next navigation wakes it.
    QPointer<QWebEngineView> view(view_);
    view_->page()->runJavaScript(QString::fromLatin1(kBodyStyle), [view](const QVariant&) {
        if (view && !view->isVisible()) {
            view->page()->setLifecycleState(QWebEnginePage::LifecycleState::Frozen);
        }
    });
}

}  // namespace player
