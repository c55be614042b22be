#include "HttpClient.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkCookieJar>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>
#include <memory>

namespace app {
namespace {

struct ReplyDeleter {
    void operator()(QNetworkReply* reply) const { reply->deleteLater(); }
};

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

QByteArray HttpClient::get(const QString& url) {
    while (busy_) {
        QEventLoop wait;
        connect(this, &HttpClient::becameIdle, &wait, &QEventLoop::quit);
        wait.exec();
    }
    busy_ = true;

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
        busy_ = false;
        loop.quit();
        Q_EMIT becameIdle();
    });
    idle.start();
    if (!reply->isFinished()) {
        loop.exec();
    } else {
        busy_ = false;
        Q_EMIT becameIdle();
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
