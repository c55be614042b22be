#include "HttpClient.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkCookieJar>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QScopeGuard>
#include <QTimer>
#include <QUrl>
#include <memory>
#include <utility>

namespace app {
namespace {

struct ReplyDeleter {
    void operator()(QNetworkReply* reply) const { reply->deleteLater(); }
};

constexpr const char* kCancelled = "Request cancelled";

QString statusText(QNetworkReply* reply, int status) {
    const QString reason = reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
    return QStringLiteral("HTTP/1.1 %1 %2").arg(status).arg(reason).trimmed();
}

}  // namespace

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
    : QObject(parent), settings_(std::move(settings)), manager_(new QNetworkAccessManager(this)) {
    manager_->setCookieJar(new QNetworkCookieJar(manager_));
    manager_->setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
}

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
    // Addresses come from servers (the directory's cover-art prefixes, scraped pages): the
    // network layer would also read files, data and resources.
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

    // The address goes out as it stands, escapes included, with one exception: the URL parser
    // decodes escaped unreserved characters, so the "%7E" of an encoded query value is sent as
    // "~". Servers read both as the same character.
    QNetworkRequest request{QUrl(url)};
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    request.setRawHeader("User-Agent", settings_.userAgent);
    request.setRawHeader("Accept", settings_.accept);
    request.setRawHeader("Accept-Encoding", settings_.acceptEncoding);
    if (!settings_.contentType.isEmpty()) {
        request.setRawHeader("Content-Type", settings_.contentType);
    }

    std::unique_ptr<QNetworkReply, ReplyDeleter> reply(manager_->get(request));
    QByteArray body;
    QString failure;  // set when we abort the reply ourselves
    QEventLoop loop;
    QTimer idle;
    idle.setSingleShot(true);
    idle.setInterval(settings_.idleTimeoutMs);

    const auto take = [&] {
        body += reply->readAll();
        if (body.size() > settings_.maxReplyBytes && failure.isEmpty()) {
            failure = QStringLiteral("Reply larger than %1 bytes").arg(settings_.maxReplyBytes);
            reply->abort();
        }
        idle.start();
    };
    connect(reply.get(), &QNetworkReply::readyRead, &loop, take);
    connect(reply.get(), &QNetworkReply::downloadProgress, &idle, [&idle] { idle.start(); });
    connect(&idle, &QTimer::timeout, &loop, [&] {
        failure = QStringLiteral("Read timed out");
        reply->abort();
    });
    connect(reply.get(), &QNetworkReply::finished, &loop, [&] {
        release();
        loop.quit();
    });
    idle.start();
    if (!reply->isFinished()) {
        loop.exec();
    }
    if (!reply->isFinished() && failure.isEmpty()) {
        // The loop was ended from outside (the program quits): what came so far is not the
        // reply.
        failure = QString::fromLatin1(kCancelled);
        reply->abort();
    }
    if (failure.isEmpty()) {
        take();
    }

    if (!failure.isEmpty()) {
        throw HttpError(failure.toStdString());
    }
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && (status.toInt() < 200 || status.toInt() > 299)) {
        throw HttpError(statusText(reply.get(), status.toInt()).toStdString());
    }
    if (reply->error() != QNetworkReply::NoError) {
        throw HttpError(reply->errorString().toStdString());
    }
    return body;
}

}  // namespace app
