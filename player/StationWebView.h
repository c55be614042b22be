#pragma once
// The station web view (WebBrowser2): a small page of the chosen station, loaded at each
// switch, its body styled to show no scroll bars, border or margin. Failures stay silent.

#include <QObject>
#include <QString>

class QWebEngineView;

namespace player {

class StationWebView : public QObject {
    Q_OBJECT
public:
    // The view belongs to the window; everything here runs on the window's thread.
    explicit StationWebView(QWebEngineView* view, QObject* parent = nullptr);

    // Start-up: the browser is hidden; it still loads and styles its pages.
    void hideBrowser();
    void navigate(const QString& url);
    // Runs whenever the view reports a completed document.
    void WebBrowser2DocumentComplete();

private:
    QWebEngineView* view_;
};

}  // namespace player
