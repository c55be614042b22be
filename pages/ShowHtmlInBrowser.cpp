#include "ShowHtmlInBrowser.h"

#include <QByteArray>
#include <QUrl>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace pages {
namespace {

// Every line of the text, the last one included, ends in CR LF.
QByteArray asCrLfLines(const std::string& text) {
    QByteArray out;
    out.reserve(static_cast<qsizetype>(text.size()) + 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out.append("\r\n");
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            out.append(c);
        }
    }
    if (!out.endsWith("\r\n")) {
        out.append("\r\n");
    }
    return out;
}

}  // namespace

void ShowHtmlInBrowser(QWebEngineView* browser, const std::string& html) {
    QWebEngineSettings* settings = browser->settings();
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    browser->setContent(asCrLfLines(html), QStringLiteral("text/html;charset=windows-1254"),
                        QUrl(QStringLiteral("about:blank")));
}

}  // namespace pages
