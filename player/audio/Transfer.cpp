#include "Transfer.h"

#include <curl/curl.h>

#include <string>
#include <thread>
#include <utility>

namespace audio {

namespace {

constexpr int kMaxRedirects = 5;
constexpr std::size_t kMaxHeadBytes = 64 * 1024;

struct CurlFree {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
struct ListFree {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

// State of one download. Only touched by its transfer thread.
class Download {
public:
    Download(std::shared_ptr<TransferListener> listener) : listener_(std::move(listener)) {}

    void run(const TransferRequest& request);

private:
    // libcurl calls these on the transfer thread, inside curl_easy_perform().
    static std::size_t onHeader(char* data, std::size_t size, std::size_t count, void* self);
    static std::size_t onWrite(char* data, std::size_t size, std::size_t count, void* self);
    static int onProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t);
    bool deliverHead();
    bool takeIcyHead(const char* data, std::size_t length);

    std::shared_ptr<TransferListener> listener_;
    ReplyHead head_;
    std::string icyHead_;        // an ICY head that libcurl passed on as body, until its blank line
    std::size_t icyParsed_ = 0;  // bytes of icyHead_ already split into lines
    bool headDelivered_ = false;
    std::chrono::steady_clock::time_point lastData_ = std::chrono::steady_clock::now();
};

void Download::run(const TransferRequest& request) {
    std::unique_ptr<CURL, CurlFree> curl(curl_easy_init());
    std::unique_ptr<curl_slist, ListFree> headers(curl_slist_append(nullptr, "Icy-MetaData: 1"));
    if (curl && headers) {
        CURL* c = curl.get();
        curl_easy_setopt(c, CURLOPT_URL, request.url.c_str());
        curl_easy_setopt(c, CURLOPT_USERAGENT, request.userAgent.c_str());
        curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
        curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
        // libcurl knows no "ICY 200 OK" status line: it passes such a reply on whole, as
        // HTTP/0.9, and takeIcyHead() splits it.
        curl_easy_setopt(c, CURLOPT_HTTP09_ALLOWED, 1L);
        curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(c, CURLOPT_MAXREDIRS, static_cast<long>(kMaxRedirects));
        curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS,
                         static_cast<long>(request.connectTimeout.count()));
        curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, &Download::onHeader);
        curl_easy_setopt(c, CURLOPT_HEADERDATA, this);
        curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &Download::onWrite);
        curl_easy_setopt(c, CURLOPT_WRITEDATA, this);
        curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, &Download::onProgress);
        curl_easy_setopt(c, CURLOPT_XFERINFODATA, this);
        curl_easy_perform(c);
    }
    listener_->onEnd();
}

std::size_t Download::onHeader(char* data, std::size_t size, std::size_t count, void* self) {
    auto* d = static_cast<Download*>(self);
    const std::size_t length = size * count;
    if (d->headDelivered_) {
        return length;  // trailers of a chunked body
    }
    d->head_.addLine(std::string_view(data, length));
    if (d->head_.size() > kMaxHeadBytes) {
        return 0;
    }
    if (d->head_.complete() && !d->head_.isInterim() && !d->deliverHead()) {
        return 0;
    }
    return length;
}

bool Download::deliverHead() {
    headDelivered_ = true;
    return listener_->onHead(head_);
}

bool Download::takeIcyHead(const char* data, std::size_t length) {
    icyHead_.append(data, length);
    // Anything that does not begin like an ICY reply is not a stream.
    if (icyHead_.compare(0, 3, "ICY", 0, std::min<std::size_t>(icyHead_.size(), 3)) != 0 ||
        icyHead_.size() > kMaxHeadBytes) {
        return false;
    }
    for (std::size_t end = icyHead_.find('\n', icyParsed_); end != std::string::npos;
         end = icyHead_.find('\n', icyParsed_)) {
        head_.addLine(std::string_view(icyHead_).substr(icyParsed_, end + 1 - icyParsed_));
        icyParsed_ = end + 1;
        if (head_.complete()) {
            if (head_.statusCode() == 0 || !deliverHead()) {
                return false;
            }
            const std::string body = icyHead_.substr(icyParsed_);
            icyHead_.clear();
            return body.empty() ||
                   listener_->onBody(reinterpret_cast<const std::uint8_t*>(body.data()),
                                     body.size());
        }
    }
    return true;
}

std::size_t Download::onWrite(char* data, std::size_t size, std::size_t count, void* self) {
    auto* d = static_cast<Download*>(self);
    const std::size_t length = size * count;
    const bool taken = d->headDelivered_ ? d->listener_->onBody(
                                               reinterpret_cast<const std::uint8_t*>(data), length)
                                         : d->takeIcyHead(data, length);
    if (!taken) {
        return 0;
    }
    d->lastData_ = std::chrono::steady_clock::now();
    return length;
}

int Download::onProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    auto* d = static_cast<Download*>(self);
    return d->listener_->keepGoing(std::chrono::steady_clock::now() - d->lastData_) ? 0 : 1;
}

}  // namespace

void startTransfer(TransferRequest request, std::shared_ptr<TransferListener> listener,
                   ThreadCount::Token token) {
    std::thread([request = std::move(request), listener = std::move(listener),
                 token = std::move(token)]() mutable {
        Download(std::move(listener)).run(request);
    }).detach();
}

}  // namespace audio
