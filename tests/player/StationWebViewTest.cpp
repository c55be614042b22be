#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "FixtureServer.h"
#include "StationWebView.h"

namespace player {
namespace {

std::string RunScript(QWebEngineView& view, const QString& script) {
    QString result;
    bool done = false;
    view.page()->runJavaScript(script, [&](const QVariant& value) {
        result = value.toString();
        done = true;
    });
    for (int i = 0; i < 3000 && !done; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    return done ? result.toStdString() : std::string("<no answer>");
}

const QString kBodyStyle = QStringLiteral(
    "var s = document.body.style; [s.overflowX, s.overflowY, s.borderStyle, s.margin].join('|')");

TEST(StationWebView, StylesTheBodyOfEveryCompletedPageWhileHidden) {
    fixture::FixtureServer server;
    server.route("/a.html",
                 fixture::Reply::text("<html><body style='margin:20px;border:3px solid red;"
                                      "overflow:scroll'><p>Zelkor</p></body></html>",
                                      "text/html"));
    server.route("/b.html",
                 fixture::Reply::text("<html><body><p>B</p></body></html>", "text/html"));
    QWebEngineView view;
    view.resize(400, 60);
    StationWebView web(&view);
    web.hideBrowser();
    EXPECT_TRUE(view.isHidden());

    QSignalSpy loaded(&view, &QWebEngineView::loadFinished);
    const auto waitFrozen = [&] {
        return QTest::qWaitFor(
            [&] { return view.page()->lifecycleState() == QWebEnginePage::LifecycleState::Frozen; },
            60000);
    };
    web.navigate(QString::fromStdString(server.url("/a.html")));
    ASSERT_TRUE(loaded.wait(60000));
    // Styled, the hidden page is frozen; thawed, it shows the style it was given.
    ASSERT_TRUE(waitFrozen());
    view.page()->setLifecycleState(QWebEnginePage::LifecycleState::Active);
    EXPECT_EQ(RunScript(view, kBodyStyle), "hidden|hidden|none|0px");

    // A frozen page still follows the next switch.
    view.page()->setLifecycleState(QWebEnginePage::LifecycleState::Frozen);
    web.navigate(QString::fromStdString(server.url("/b.html")));
    ASSERT_TRUE(loaded.wait(60000));
    ASSERT_TRUE(waitFrozen());
    view.page()->setLifecycleState(QWebEnginePage::LifecycleState::Active);
    EXPECT_EQ(RunScript(view, kBodyStyle), "hidden|hidden|none|0px");
    EXPECT_EQ(server.requestCount("/b.html"), 1u);
}

TEST(StationWebView, FailuresStaySilent) {
    fixture::FixtureServer server;
    server.route("/logo.svg", fixture::Reply::text("<svg xmlns='http://www.w3.org/2000/svg'/>",
                                                   "image/svg+xml"));
    QWebEngineView view;
    StationWebView web(&view);
    QSignalSpy loaded(&view, &QWebEngineView::loadFinished);
    // A document without a body: the styling stops at once, and the page stays usable.
    web.navigate(QString::fromStdString(server.url("/logo.svg")));
    ASSERT_TRUE(loaded.wait(60000));
    EXPECT_EQ(RunScript(view, QStringLiteral("String(document.body)")), "null");
    // An empty or malformed address is not navigated to.
    const QUrl before = view.url();
    web.navigate(QString());
    web.navigate(QStringLiteral("http://exa mple/%%"));
    EXPECT_EQ(view.url(), before);
}

}  // namespace
}  // namespace player
