#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include "EncodeQueryValue.h"
#include "FixtureServer.h"
#include "HttpClient.h"

using app::HttpClient;
using app::HttpError;
using fixture::FixtureServer;
using fixture::Reply;

namespace {

QString url(const FixtureServer& server, const std::string& path) {
    return QString::fromStdString(server.url(path));
}

std::string failureOf(HttpClient& client, const QString& address) {
    try {
        client.get(address);
    } catch (const HttpError& e) {
        return e.what();
    }
    return "no failure";
}

}  // namespace

TEST(HttpClient, SendsTheWindowClientsHeadersAndReturnsRawBytes) {
    FixtureServer server;
    server.route("/xml.aspx", Reply::text("1002\r\n\xFE", "text/plain; charset=utf-8"));
    HttpClient client;
    EXPECT_EQ(client.get(url(server, "/xml.aspx?i=zelkor&rid=0")), QByteArray("1002\r\n\xFE"));
    const auto request = server.requests().at(0);
    EXPECT_EQ(request.method, "GET");
    EXPECT_EQ(request.target, "/xml.aspx?i=zelkor&rid=0");
    EXPECT_EQ(request.header("user-agent"), "Mozilla/3.0 (compatible; Indy Library)");
    EXPECT_EQ(request.header("accept"), "text/html, */*");
    EXPECT_EQ(request.header("accept-encoding"), "UTF-8");
    EXPECT_EQ(request.header("content-type"), "text/html");
}

TEST(HttpClient, LibraryDefaultsSendNeitherEncodingNorContentType) {
    FixtureServer server;
    server.route("/p.jpg", Reply::text("x"));
    HttpClient client(app::HttpSettings::libraryDefaults());
    client.get(url(server, "/p.jpg"));
    const auto request = server.requests().at(0);
    EXPECT_EQ(request.header("user-agent"), "Mozilla/3.0 (compatible; Indy Library)");
    EXPECT_EQ(request.headers.count("content-type"), 0u);
    EXPECT_EQ(request.header("accept-encoding"), "identity");
}

TEST(HttpClient, ErrorStatusesRedirectsAndDeadServersFail) {
    FixtureServer server;
    server.route("/404", Reply::status(404, "Not Found"));
    server.route("/500", Reply::status(500, "Internal Server Error"));
    server.route("/moved", Reply::redirect("/target"));
    server.route("/target", Reply::text("target"));
    HttpClient client;
    EXPECT_EQ(failureOf(client, url(server, "/404")), "HTTP/1.1 404 Not Found");
    EXPECT_EQ(failureOf(client, url(server, "/500")), "HTTP/1.1 500 Internal Server Error");
    EXPECT_EQ(failureOf(client, url(server, "/moved")), "HTTP/1.1 302 Found");
    EXPECT_EQ(server.requestCount("/target"), 0u);

    server.setDown(true);
    EXPECT_NE(failureOf(client, url(server, "/target")), "no failure");
    EXPECT_NE(failureOf(client, QStringLiteral("http://127.0.0.1:1/")), "no failure");
}

TEST(HttpClient, CookiesGoBackToTheServerForTheRunOnly) {
    FixtureServer server;
    Reply first = Reply::text("one");
    first.headers.emplace_back("Set-Cookie", "session=abc; Path=/");
    server.route("/Stream.aspx", first);
    {
        HttpClient client;
        client.get(url(server, "/Stream.aspx"));
        client.get(url(server, "/Stream.aspx"));
        EXPECT_EQ(server.requests().at(0).header("cookie"), "");
        EXPECT_EQ(server.requests().at(1).header("cookie"), "session=abc");
    }
    HttpClient nextRun;
    nextRun.get(url(server, "/Stream.aspx"));
    EXPECT_EQ(server.requests().at(2).header("cookie"), "");
}

TEST(HttpClient, RepliesAreBoundedInSizeAndTime) {
    FixtureServer server;
    Reply big = Reply::text(std::string(2000, 'x'));
    server.route("/big", big);
    server.route("/limit", Reply::text(std::string(1000, 'x')));
    Reply stalled = Reply::text("never");
    stalled.delayBeforeHead = std::chrono::milliseconds(3000);
    server.route("/stall", stalled);

    app::HttpSettings settings = app::HttpSettings::windowClient();
    settings.maxReplyBytes = 1000;
    settings.idleTimeoutMs = 300;
    HttpClient client(settings);
    EXPECT_EQ(client.get(url(server, "/limit")).size(), 1000);
    EXPECT_EQ(failureOf(client, url(server, "/big")), "Reply larger than 1000 bytes");
    EXPECT_EQ(failureOf(client, url(server, "/stall")), "Read timed out");
}

TEST(HttpClient, ARequestFromANestedHandlerWaitsItsTurnAndTheWindowKeepsRunning) {
    FixtureServer server;
    Reply slow = Reply::text("slow");
    slow.delayBeforeHead = std::chrono::milliseconds(400);
    server.route("/slow", slow);
    server.route("/fast", Reply::text("fast"));
    HttpClient client;

    QByteArray nested;
    bool wasBusy = false;
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(20);
    // Runs inside the first request's wait, as a timer or status handler would.
    QTimer::singleShot(100, [&] {
        wasBusy = client.busy();
        nested = client.get(url(server, "/fast"));
    });
    EXPECT_EQ(client.get(url(server, "/slow")), QByteArray("slow"));
    EXPECT_TRUE(wasBusy);
    EXPECT_EQ(nested, QByteArray("fast"));
    EXPECT_GE(ticks, 5);
    // The nested request went out only after the first one had been answered.
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].path, "/slow");
    EXPECT_EQ(requests[1].path, "/fast");
}

TEST(HttpClient, OnlyHttpAndHttpsAreFetched) {
    HttpClient client;
    for (const char* address : {"file:///etc/hostname", "data:,abc", "qrc:/qt-project.org/",
                                "ftp://127.0.0.1:1/x", "/etc/hostname"}) {
        EXPECT_EQ(failureOf(client, QString::fromLatin1(address)),
                  "Only http and https addresses are fetched")
            << address;
    }
    EXPECT_FALSE(client.busy());
}

TEST(HttpClient, EncodedQueryValuesArriveByteForByteButTheTilde) {
    FixtureServer server;
    server.route("/q", Reply::text("ok"));
    std::string everyByte;
    for (int c = 1; c < 256; ++c) {
        everyByte += static_cast<char>(c);
    }
    const std::string encoded = app::EncodeQueryValue(everyByte);
    ASSERT_NE(encoded.find("%7E"), std::string::npos);
    HttpClient client;
    client.get(url(server, "/q?v=" + encoded));
    std::string expected = encoded;
    expected.replace(expected.find("%7E"), 3, "~");
    EXPECT_EQ(server.requests().at(0).query, "v=" + expected);
}

TEST(HttpClient, ABodyCutShortIsAFailure) {
    FixtureServer server;
    Reply cut = Reply::text(std::string(1000, 'x'));
    cut.truncateAfter = 400;
    server.route("/cut", cut);
    HttpClient client;
    EXPECT_NE(failureOf(client, url(server, "/cut")), "no failure");
    // A body without a length ends where the server closes, and that is the whole body.
    Reply unsized = Reply::text("whole");
    unsized.contentLength = false;
    server.route("/unsized", unsized);
    EXPECT_EQ(client.get(url(server, "/unsized")), QByteArray("whole"));
}

TEST(HttpClient, QuittingFailsEveryWaitingRequestAtOnce) {
    FixtureServer server;
    Reply stalled = Reply::text("late");
    stalled.delayBeforeHead = std::chrono::milliseconds(5000);
    server.route("/stall", stalled);
    HttpClient client;
    std::string nested = "not run";
    std::string outer;
    QElapsedTimer clock;
    // A request from a handler nested in the first one's wait, then the program quits while
    // both wait.
    QTimer::singleShot(100, [&] {
        QTimer::singleShot(100, [] { QCoreApplication::quit(); });
        nested = failureOf(client, url(server, "/stall"));
    });
    // Quitting ends only a running loop: run the request inside one, as the window does.
    QTimer::singleShot(0, [&] {
        clock.start();
        outer = failureOf(client, url(server, "/stall"));
        QCoreApplication::quit();
    });
    QCoreApplication::exec();
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_NE(outer, "no failure");
    EXPECT_NE(nested, "no failure");
    EXPECT_NE(nested, "not run");
    EXPECT_FALSE(client.busy());
    EXPECT_EQ(server.requestCount("/stall"), 1u);
}
