#pragma once
// The player's blocking HTTP client. Every request runs on the window's thread and waits in a
// local event loop, so paint, input, timers and worker status messages keep being handled
// while it waits, and handlers can run nested inside a waiting handler.
//
// One request at a time per client: a request asked for while another of the same client is
// under way (from a nested handler) waits its turn in its own event loop, then runs. Nothing
// is refused, so a cover search that arrives during a feed download is not lost.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>
#include <stdexcept>

namespace app {

// A transport failure or an error status; what() is a readable text for a message box.
class HttpError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct HttpSettings {
    QByteArray userAgent = "Mozilla/3.0 (compatible; Indy Library)";
    QByteArray accept = "text/html, */*";
    // Sent as it stands, and the body comes back as it came, never decompressed: "identity"
    // asks for the body as it is, which is what a client without this header gets.
    QByteArray acceptEncoding = "identity";
    QByteArray contentType;                   // empty: not sent
    qint64 maxReplyBytes = 16 * 1024 * 1024;  // a larger reply fails without being read whole
    int idleTimeoutMs = 60'000;               // no byte for this long fails the request

    // The window's clients IdHTTP1 and IdHTTP2.
    static HttpSettings windowClient();
    // A client created with the library's defaults (the cover picture download).
    static HttpSettings libraryDefaults();
};

class HttpClient : public QObject {
    Q_OBJECT
public:
    explicit HttpClient(HttpSettings settings = HttpSettings::windowClient(),
                        QObject* parent = nullptr);
    ~HttpClient() override;

    // GET; returns the raw body bytes. Throws HttpError on a transport failure, a status
    // outside 2xx (redirects are not followed), a reply over the size bound, a timeout, a body
    // cut short, an address that is not http or https, and when the program quits during the
    // wait.
    QByteArray get(const QString& url);

    bool busy() const { return busy_; }
    const HttpSettings& settings() const { return settings_; }

Q_SIGNALS:
    // The request under way has finished; a request waiting for its turn may start.
    void becameIdle();

private:
    // Returns when no request of this client is under way; throws HttpError when the program
    // quits first.
    void waitForTurn();

    HttpSettings settings_;
    // The client's cookies, kept in memory for the run: a session cookie the station sets on
    // one request goes back with the next.
    struct CookieStore;
    std::unique_ptr<CookieStore> cookies_;
    bool busy_ = false;
};

}  // namespace app
