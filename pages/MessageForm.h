#pragma once
// The listener message form: name, e-mail address and message go to the directory server as
// the query of one GET. All three must be filled (a single space counts); the fields are
// cleared only after the server has answered without error. A failed send shows the HTTP
// client's error text and keeps the fields.
//
// The window's HTTP client serves one request at a time and keeps the window running while it
// waits, so the send picture can be pressed again during a send. That press is refused: one
// click, one message. A send that comes in while a feed is being fetched waits its turn.

#include <QString>
#include <functional>
#include <string>

class QLineEdit;
class QPlainTextEdit;

namespace app {
class HttpClient;
}

namespace pages {

struct MessageControls {
    QLineEdit* name = nullptr;          // Edit1
    QLineEdit* mail = nullptr;          // Edit2
    QPlainTextEdit* message = nullptr;  // Memo2, at most 300 characters
    QLineEdit* version = nullptr;       // versiyon, the player's version number
};

class MessageForm {
public:
    using ShowMessage = std::function<void(const QString&)>;

    // Nothing is owned. directoryBase is the directory server's address ending in "/".
    MessageForm(const MessageControls& controls, app::HttpClient& http, QString directoryBase,
                ShowMessage showMessage);

    // Image17Click.
    void send();

    // "?i=zelkorfm_mesaj_gonder&x_adsoyad=...&x_mail=...&x_mesaj=...&x_name=...&x_sysver=...
    // &x_uuid=..." with every value encoded.
    static QString messageQuery(const QString& name, const QString& mail, const QString& message,
                                const QString& version, const std::string& deviceId);

private:
    // Owned by the GUI thread, like the controls.
    MessageControls controls_;
    app::HttpClient& http_;
    QString directoryBase_;
    ShowMessage showMessage_;
    bool sending_ = false;
};

}  // namespace pages
