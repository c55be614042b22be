#pragma once
// One GET over libcurl, driven by the event loop of the thread that owns it: libcurl says which
// sockets to watch and when it wants to be called back, and is called only when one of those is
// due, so waiting on a slow server costs no processor time. Lives on one thread; every callback
// below runs on it, inside the loop that waits for the reply.

#include <curl/curl.h>

#include <QByteArray>
#include <QSocketNotifier>
#include <QString>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace app {

struct HttpSettings;

class CurlGet {
public:
    // cookies: the share handle whose cookie store the request reads and fills. onDone runs
    // once, when the reply has ended, failed or timed out.
    CurlGet(const HttpSettings& settings, CURLSH* cookies, std::function<void()> onDone);
    ~CurlGet();
    CurlGet(const CurlGet&) = delete;
    CurlGet& operator=(const CurlGet&) = delete;

    // address is sent as it stands.
    void start(const QByteArray& address);
    bool done() const { return done_; }
    // After done(): the body, or HttpError with a readable text.
    QByteArray takeBody();

private:
    struct EasyFree {
        void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
    };
    struct MultiFree {
        void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
    };
    struct ListFree {
        void operator()(curl_slist* list) const { curl_slist_free_all(list); }
    };
    struct Watch {
        std::unique_ptr<QSocketNotifier> read;
        std::unique_ptr<QSocketNotifier> write;
    };

    // libcurl calls these from inside curl_multi_socket_action() and curl_multi_add_handle().
    static int onSocket(CURL*, curl_socket_t socket, int what, void* self, void*);
    static int onTimer(CURLM*, long timeoutMs, void* self);
    static std::size_t onHeader(char* data, std::size_t size, std::size_t count, void* self);
    static std::size_t onBody(char* data, std::size_t size, std::size_t count, void* self);

    void watch(curl_socket_t socket, int what);
    void setNotifier(std::unique_ptr<QSocketNotifier>& notifier, curl_socket_t socket,
                     QSocketNotifier::Type type, bool wanted);
    void retire(Watch& watch);
    void act(curl_socket_t socket, int events);
    void finish(CURLcode result);
    QString tooLarge() const;
    QString statusText(long status) const;

    const HttpSettings& settings_;
    std::function<void()> onDone_;
    QByteArray body_;
    std::size_t headBytes_ = 0;
    std::string statusLine_;  // the last status line received, without its line break
    QString failure_;         // set when we end the transfer ourselves
    CURLcode result_ = CURLE_OK;
    bool done_ = false;
    QTimer curlTimer_;  // when libcurl wants to be called without a socket event
    QTimer idle_;       // no byte for the idle time ends the request
    std::map<curl_socket_t, Watch> watches_;
    // Notifiers of sockets libcurl has let go: one of them may be the sender of the signal being
    // handled, so they are disabled at once and deleted with the request.
    std::vector<std::unique_ptr<QSocketNotifier>> retired_;
    std::unique_ptr<curl_slist, ListFree> headers_;
    std::unique_ptr<CURLM, MultiFree> multi_;
    std::unique_ptr<CURL, EasyFree> easy_;
    bool added_ = false;  // easy_ is in multi_
};

}  // namespace app
