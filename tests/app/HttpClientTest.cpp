#include <gtest/gtest.h>

#include <time.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <set>

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

// Processor time the calling thread has used.
std::chrono::milliseconds threadCpuTime() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return std::chrono::milliseconds(now.tv_sec * 1000 + now.tv_nsec / 1'000'000);
}

Reply late(const std::string& body, std::chrono::milliseconds delayBeforeHead) {
    Reply reply = Reply::text(body);
    reply.delayBeforeHead = delayBeforeHead;
    return reply;
}

// A reply whose body bytes, framing included, are sent as given, after which the server closes.
Reply raw(const std::string& header, const std::string& value, std::string bytes,
          std::chrono::milliseconds pauseBeforeClose = std::chrono::milliseconds(0)) {
    Reply reply;
    reply.headers.emplace_back(header, value);
    reply.stream = [bytes = std::move(bytes), pauseBeforeClose](fixture::Connection& c) {
        if (c.write(bytes)) {
            c.sleepFor(pauseBeforeClose);
        }
    };
    return reply;
}

std::set<std::string> headerNames(const fixture::Request& request) {
    std::set<std::string> names;
    for (const auto& [name, value] : request.headers) {
        names.insert(name);
    }
    return names;
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
    // Nothing that the transport would add by itself.
    EXPECT_EQ(headerNames(request), (std::set<std::string>{"host", "user-agent", "accept",
                                                           "accept-encoding", "content-type"}));
    EXPECT_EQ(request.head.find("*/*"), request.head.rfind("*/*"));
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

TEST(HttpClient, ACompressedBodyComesBackAsItCame) {
    FixtureServer server;
    using namespace std::string_literals;
    const std::string packed = "\x1F\x8B\x08\x00not really deflated\xFF"s;
    Reply reply = Reply::text(packed, "text/html");
    reply.headers.emplace_back("Content-Encoding", "gzip");
    server.route("/packed", reply);
    app::HttpSettings settings = app::HttpSettings::windowClient();
    settings.acceptEncoding = "gzip";
    HttpClient client(settings);
    EXPECT_EQ(client.get(url(server, "/packed")).toStdString(), packed);
    EXPECT_EQ(server.requests().at(0).header("accept-encoding"), "gzip");
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
    first.headers.emplace_back("Set-Cookie", "ASP.NET_SessionId=k2v0lq55; path=/; HttpOnly");
    server.route("/Stream.aspx", first);
    {
        HttpClient client;
        client.get(url(server, "/Stream.aspx"));
        client.get(url(server, "/Stream.aspx"));
        EXPECT_EQ(server.requests().at(0).header("cookie"), "");
        EXPECT_EQ(server.requests().at(1).header("cookie"), "ASP.NET_SessionId=k2v0lq55");
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
    server.route("/stall", late("never", std::chrono::milliseconds(3000)));
    // Header lines of about 115 bytes: 400 of them stay below 64 KiB, 700 do not.
    const auto headOf = [](int lines) {
        Reply reply = Reply::text("x");
        for (int i = 0; i < lines; ++i) {
            reply.headers.emplace_back("X-Filler-" + std::to_string(i), std::string(100, 'h'));
        }
        return reply;
    };
    server.route("/long-head", headOf(700));
    server.route("/head", headOf(400));

    app::HttpSettings settings = app::HttpSettings::windowClient();
    settings.maxReplyBytes = 1000;
    settings.idleTimeoutMs = 300;
    HttpClient client(settings);
    EXPECT_EQ(client.get(url(server, "/limit")).size(), 1000);
    EXPECT_EQ(failureOf(client, url(server, "/big")), "Reply larger than 1000 bytes");
    EXPECT_EQ(failureOf(client, url(server, "/long-head")), "Reply head larger than 65536 bytes");
    EXPECT_EQ(client.get(url(server, "/head")), QByteArray("x"));
    EXPECT_EQ(failureOf(client, url(server, "/stall")), "Read timed out");
}

TEST(HttpClient, ARequestFromANestedHandlerWaitsItsTurnAndTheWindowKeepsRunning) {
    FixtureServer server;
    server.route("/slow", late("slow", std::chrono::milliseconds(400)));
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

TEST(HttpClient, EncodedQueryValuesArriveByteForByte) {
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
    // What may not stand in a request line is escaped; the rest goes out untouched.
    client.get(url(server, "/q?v=a b") + QString::fromUtf8("\u00E7\t%7e"));
    EXPECT_EQ(server.requests().at(0).query, "v=" + encoded);
    EXPECT_EQ(server.requests().at(1).query, "v=a%20b%C3%A7%09%7e");
}

TEST(HttpClient, ABodyCutShortIsAFailureWhereverTheCutFalls) {
    FixtureServer server;
    Reply cut = Reply::text(std::string(1000, 'x'));
    cut.truncateAfter = 400;
    server.route("/length", cut);
    Reply chunks = Reply::text(std::string(1000, 'x'));
    chunks.chunked = true;
    chunks.chunkSize = 100;
    chunks.truncateAfter = 300;
    server.route("/chunks", chunks);
    server.route("/boundary", raw("Transfer-Encoding", "chunked", "5\r\nhello\r\n5\r\nworld\r\n"));
    server.route("/boundary-late", raw("Transfer-Encoding", "chunked", "5\r\nhello\r\n",
                                       std::chrono::milliseconds(50)));
    server.route("/inside", raw("Transfer-Encoding", "chunked", "5\r\nhello\r\n8\r\nwor"));
    server.route("/size-line", raw("Transfer-Encoding", "chunked", "5\r\nhello\r\n1"));
    server.route("/short", raw("Content-Length", "10", "hello"));
    HttpClient client;
    for (const char* path :
         {"/length", "/chunks", "/boundary", "/boundary-late", "/inside", "/size-line", "/short"}) {
        EXPECT_NE(failureOf(client, url(server, path)), "no failure") << path;
        EXPECT_FALSE(client.busy()) << path;
    }

    server.route("/whole",
                 raw("Transfer-Encoding", "chunked", "5\r\nhello\r\n6\r\n world\r\n0\r\n\r\n"));
    chunks.truncateAfter = SIZE_MAX;
    server.route("/chunks", chunks);
    EXPECT_EQ(client.get(url(server, "/whole")), QByteArray("hello world"));
    EXPECT_EQ(client.get(url(server, "/chunks")), QByteArray(1000, 'x'));
    // A body without a length ends where the server closes, and that is the whole body.
    Reply unsized = Reply::text("whole");
    unsized.contentLength = false;
    server.route("/unsized", unsized);
    EXPECT_EQ(client.get(url(server, "/unsized")), QByteArray("whole"));
}

TEST(HttpClient, WaitingOnASlowServerCostsNoProcessorTime) {
    FixtureServer server;
    server.route("/slow", late("late", std::chrono::milliseconds(1500)));
    HttpClient client;
    const auto before = threadCpuTime();
    EXPECT_EQ(client.get(url(server, "/slow")), QByteArray("late"));
    // A loop that polled would burn most of the 1.5 s.
    EXPECT_LT((threadCpuTime() - before).count(), 60);
}

TEST(HttpClient, QuittingFailsEveryWaitingRequestAtOnce) {
    FixtureServer server;
    server.route("/stall", late("late", std::chrono::milliseconds(5000)));
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
