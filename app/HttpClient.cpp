#include "HttpClient.h"

#include <curl/curl.h>

#include <QEventLoop>
#include <QScopeGuard>
#include <QUrl>
#include <utility>

#include "CurlGet.h"

namespace app {
namespace {

constexpr const char* kCancelled = "Request cancelled";

// The address goes out as it stands, escapes included ("%7E" stays "%7E"); only bytes that may
// not appear in a request line (controls, space, non-ASCII) are escaped.
QByteArray wireAddress(const QString& url) {
    QByteArray wire;
    for (const char c : url.toUtf8()) {
        const auto byte = static_cast<unsigned char>(c);
        wire += byte > ' ' && byte < 0x7F ? QByteArray(1, c) : QByteArray(1, c).toPercentEncoding();
    }
    return wire;
}

}  // namespace

struct HttpClient::CookieStore {
    struct ShareFree {
        void operator()(CURLSH* share) const { curl_share_cleanup(share); }
    };
    CookieStore() {
        // Once per process, before the first handle; libcurl counts the calls.
        static const CURLcode initialised = curl_global_init(CURL_GLOBAL_DEFAULT);
        static_cast<void>(initialised);
        share.reset(curl_share_init());
        curl_share_setopt(share.get(), CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
    }
    std::unique_ptr<CURLSH, ShareFree> share;
};

HttpSettings HttpSettings::windowClient() {
    HttpSettings s;
    s.acceptEncoding = "UTF-8";
    s.contentType = "text/html";
    return s;
}

HttpSettings HttpSettings::libraryDefaults() {
    return HttpSettings{};
}

HttpClient::HttpClient(HttpSettings settings, QObject* parent)
    : QObject(parent), settings_(std::move(settings)), cookies_(std::make_unique<CookieStore>()) {}

HttpClient::~HttpClient() = default;

void HttpClient::waitForTurn() {
    while (busy_) {
        bool becameFree = false;
        QEventLoop wait;
        connect(this, &HttpClient::becameIdle, &wait, [&] {
            becameFree = true;
            wait.quit();
        });
        wait.exec();
        // Quitting the program ends every loop at once and each new one at its start: the
        // request under way may never finish, so waiting again would spin.
        if (!becameFree) {
            throw HttpError(kCancelled);
        }
    }
}

QByteArray HttpClient::get(const QString& url) {
    // Addresses come from servers (the directory's cover-art prefixes, scraped pages): only
    // these two are fetched, whatever else the transport could read.
    const QString scheme = QUrl(url).scheme();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https")) {
        throw HttpError("Only http and https addresses are fetched");
    }
    waitForTurn();
    busy_ = true;
    // The client is free as soon as the reply has finished: a request that waits its turn in a
    // handler nested in this wait must run before this wait can return.
    bool released = false;
    const auto release = [this, &released] {
        if (!std::exchange(released, true)) {
            busy_ = false;
            Q_EMIT becameIdle();
        }
    };
    const auto releaseOnReturn = qScopeGuard(release);

    QEventLoop loop;
    CurlGet transfer(settings_, cookies_->share.get(), [&] {
        release();
        loop.quit();
    });
    transfer.start(wireAddress(url));
    if (!transfer.done()) {
        loop.exec();
    }
    if (!transfer.done()) {
        // The loop was ended from outside (the program quits): what came so far is not the
        // reply.
        throw HttpError(kCancelled);
    }
    return transfer.takeBody();
}

}  // namespace app
