#include "CurlGet.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "HttpClient.h"

namespace app {
namespace {

// Status line and headers together; libcurl keeps them all while the reply lasts.
constexpr std::size_t kMaxHeadBytes = 64 * 1024;

}  // namespace

CurlGet::CurlGet(const HttpSettings& settings, CURLSH* cookies, std::function<void()> onDone)
    : settings_(settings),
      onDone_(std::move(onDone)),
      multi_(curl_multi_init()),
      easy_(curl_easy_init()) {
    curlTimer_.setSingleShot(true);
    QObject::connect(&curlTimer_, &QTimer::timeout, [this] { act(CURL_SOCKET_TIMEOUT, 0); });
    idle_.setSingleShot(true);
    idle_.setInterval(settings_.idleTimeoutMs);
    QObject::connect(&idle_, &QTimer::timeout, [this] {
        failure_ = QStringLiteral("Read timed out");
        finish(CURLE_OPERATION_TIMEDOUT);
    });
    if (!multi_ || !easy_) {
        return;
    }
    curl_multi_setopt(multi_.get(), CURLMOPT_SOCKETFUNCTION, &CurlGet::onSocket);
    curl_multi_setopt(multi_.get(), CURLMOPT_SOCKETDATA, this);
    curl_multi_setopt(multi_.get(), CURLMOPT_TIMERFUNCTION, &CurlGet::onTimer);
    curl_multi_setopt(multi_.get(), CURLMOPT_TIMERDATA, this);

    // Exactly these headers go out, besides Host and the cookies: the ones given replace
    // libcurl's own "Accept: */*".
    const auto add = [this](const char* name, const QByteArray& value) {
        const QByteArray line = name + QByteArrayLiteral(": ") + value;
        // On failure the list is left as it was; on success it keeps its head.
        curl_slist* longer = curl_slist_append(headers_.get(), line.constData());
        if (longer) {
            static_cast<void>(headers_.release());
            headers_.reset(longer);
        }
        return longer != nullptr;
    };
    const bool listed =
        add("User-Agent", settings_.userAgent) && add("Accept", settings_.accept) &&
        add("Accept-Encoding", settings_.acceptEncoding) &&
        (settings_.contentType.isEmpty() || add("Content-Type", settings_.contentType));
    if (!listed) {
        headers_.reset();  // start() fails rather than send a part of them
        return;
    }

    CURL* c = easy_.get();
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers_.get());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    // The status line is part of error texts ("HTTP/1.1 404 Not Found"); a second protocol
    // would bring replies without a reason phrase.
    curl_easy_setopt(c, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    // A larger announced length fails before the body is read.
    curl_easy_setopt(c, CURLOPT_MAXFILESIZE_LARGE,
                     static_cast<curl_off_t>(settings_.maxReplyBytes));
    curl_easy_setopt(c, CURLOPT_SHARE, cookies);
    curl_easy_setopt(c, CURLOPT_COOKIEFILE, "");  // the cookie engine, in memory only
    curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, &CurlGet::onHeader);
    curl_easy_setopt(c, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &CurlGet::onBody);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, this);
}

CurlGet::~CurlGet() {
    if (added_) {
        curl_multi_remove_handle(multi_.get(), easy_.get());
    }
}

void CurlGet::start(const QByteArray& address) {
    if (!multi_ || !easy_ || !headers_) {
        finish(CURLE_OUT_OF_MEMORY);
        return;
    }
    const CURLcode set = curl_easy_setopt(easy_.get(), CURLOPT_URL, address.constData());
    if (set != CURLE_OK) {
        finish(set);
        return;
    }
    if (curl_multi_add_handle(multi_.get(), easy_.get()) != CURLM_OK) {
        finish(CURLE_FAILED_INIT);
        return;
    }
    added_ = true;
    idle_.start();
}

int CurlGet::onSocket(CURL*, curl_socket_t socket, int what, void* self, void*) {
    static_cast<CurlGet*>(self)->watch(socket, what);
    return 0;
}

int CurlGet::onTimer(CURLM*, long timeoutMs, void* self) {
    auto* get = static_cast<CurlGet*>(self);
    if (timeoutMs < 0 || get->done_) {
        get->curlTimer_.stop();
    } else {
        get->curlTimer_.start(static_cast<int>(std::min<long>(timeoutMs, INT_MAX)));
    }
    return 0;
}

std::size_t CurlGet::onHeader(char* data, std::size_t size, std::size_t count, void* self) {
    auto* get = static_cast<CurlGet*>(self);
    const std::size_t length = size * count;
    get->idle_.start();
    get->headBytes_ += length;
    if (get->headBytes_ > kMaxHeadBytes) {
        get->failure_ = QStringLiteral("Reply head larger than %1 bytes").arg(kMaxHeadBytes);
        return 0;  // libcurl ends the transfer with a write error
    }
    const std::string line(data, length);
    if (line.starts_with("HTTP/")) {
        get->statusLine_ = line.substr(0, line.find_first_of("\r\n"));
    }
    return length;
}

std::size_t CurlGet::onBody(char* data, std::size_t size, std::size_t count, void* self) {
    auto* get = static_cast<CurlGet*>(self);
    const auto length = static_cast<qsizetype>(size * count);
    get->idle_.start();
    if (get->body_.size() + length > get->settings_.maxReplyBytes) {
        get->failure_ = get->tooLarge();
        return 0;  // libcurl ends the transfer with a write error
    }
    get->body_.append(data, length);
    return static_cast<std::size_t>(length);
}

void CurlGet::watch(curl_socket_t socket, int what) {
    Watch& w = watches_[socket];
    if (what == CURL_POLL_REMOVE || done_) {
        retire(w);
        watches_.erase(socket);
        return;
    }
    setNotifier(w.read, socket, QSocketNotifier::Read,
                what == CURL_POLL_IN || what == CURL_POLL_INOUT);
    setNotifier(w.write, socket, QSocketNotifier::Write,
                what == CURL_POLL_OUT || what == CURL_POLL_INOUT);
}

void CurlGet::setNotifier(std::unique_ptr<QSocketNotifier>& notifier, curl_socket_t socket,
                          QSocketNotifier::Type type, bool wanted) {
    if (!notifier && wanted) {
        notifier = std::make_unique<QSocketNotifier>(socket, type);
        const int events = type == QSocketNotifier::Read ? CURL_CSELECT_IN : CURL_CSELECT_OUT;
        QObject::connect(notifier.get(), &QSocketNotifier::activated,
                         [this, socket, events] { act(socket, events); });
    }
    if (notifier) {
        notifier->setEnabled(wanted);
    }
}

void CurlGet::retire(Watch& watch) {
    for (auto* notifier : {&watch.read, &watch.write}) {
        if (*notifier) {
            (*notifier)->setEnabled(false);
            retired_.push_back(std::move(*notifier));
        }
    }
}

void CurlGet::act(curl_socket_t socket, int events) {
    if (done_) {
        return;
    }
    int running = 0;
    curl_multi_socket_action(multi_.get(), socket, events, &running);
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(multi_.get(), &left)) {
        if (message->msg == CURLMSG_DONE) {
            finish(message->data.result);
        }
    }
}

void CurlGet::finish(CURLcode result) {
    if (std::exchange(done_, true)) {
        return;
    }
    result_ = result;
    idle_.stop();
    curlTimer_.stop();
    // Nothing of this request may wake the loop again: a closed socket stays readable, and the
    // request that waited its turn runs while this one is still on the stack.
    for (auto& [socket, watch] : watches_) {
        retire(watch);
    }
    watches_.clear();
    onDone_();
}

QString CurlGet::tooLarge() const {
    return QStringLiteral("Reply larger than %1 bytes").arg(settings_.maxReplyBytes);
}

QString CurlGet::statusText(long status) const {
    // "HTTP/1.0 404 Not Found": the reason phrase is what follows the code.
    std::string reason;
    const std::size_t afterVersion = statusLine_.find(' ');
    const std::size_t afterCode =
        afterVersion == std::string::npos ? afterVersion : statusLine_.find(' ', afterVersion + 1);
    if (afterCode != std::string::npos) {
        reason = statusLine_.substr(afterCode + 1);
    }
    return QStringLiteral("HTTP/1.1 %1 %2")
        .arg(status)
        .arg(QString::fromLatin1(reason.data(), static_cast<qsizetype>(reason.size())))
        .trimmed();
}

QByteArray CurlGet::takeBody() {
    if (!failure_.isEmpty()) {
        throw HttpError(failure_.toStdString());
    }
    if (result_ == CURLE_FILESIZE_EXCEEDED) {
        throw HttpError(tooLarge().toStdString());
    }
    long status = 0;
    if (easy_) {
        curl_easy_getinfo(easy_.get(), CURLINFO_RESPONSE_CODE, &status);
    }
    if (status != 0 && (status < 200 || status > 299)) {
        throw HttpError(statusText(status).toStdString());
    }
    if (result_ != CURLE_OK) {
        throw HttpError(curl_easy_strerror(result_));
    }
    return std::move(body_);
}

}  // namespace app
