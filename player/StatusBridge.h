#pragma once
// The player's status message: workers and engine callbacks report to the window with it,
// and the window turns it into the three hidden status slots and the retry timer.

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>

class QLabel;
class QLineEdit;
class QTimer;

namespace player {

inline constexpr unsigned WM_PLAYER_STATUS = 1125;  // WM_USER + 101

enum StatusCode : int {
    StatusConnecting = 0,
    StatusNoConnection = 1,
    StatusBuffering = 2,    // param: percent
    StatusStreamName = 3,   // param: const char*
    StatusBitRate = 4,      // param: const char*
    StatusTitle = 7,        // param: const char*
    StatusServerReply = 8,  // param: const char*
};

// The window's controls the bridge writes. All belong to the window's thread.
struct StatusSlots {
    QLineEdit* edt_1 = nullptr;  // status
    QLineEdit* edt_2 = nullptr;  // title
    QLineEdit* edt_3 = nullptr;  // info: bit-rate text or the server's status line
    QLabel* lbl_kbit = nullptr;
    QTimer* Timer2 = nullptr;  // connection retry
};

class StatusBridge : public QObject {
    Q_OBJECT
public:
    explicit StatusBridge(StatusSlots slots, QObject* parent = nullptr);

    // Asked on the window's thread just before a message is handled: false drops it.
    using Wanted = std::function<bool()>;

    // Any thread. The message is queued for the window's thread and the sender goes on at
    // once, so a window busy elsewhere (a web view starting) never holds up a stream; the
    // messages of one sender are handled in the order sent. Texts are code page 1254 bytes up
    // to the first NUL, copied before the call returns.
    void sendStatus(int code, std::intptr_t param = 0, Wanted wanted = {});
    void sendText(int code, const char* text);

    // Window's thread: the message procedure's part for one message of any kind. The status
    // effects apply to WM_PLAYER_STATUS only; the bit-rate rule runs after every message.
    void handleMessage(unsigned message, int code, std::intptr_t param);

    // Window's thread. A slot raises its change event only when its text really changes.
    void setStatusText(const QString& text);
    void setTitleText(const QString& text);

private:
    void applyStatus(int code, std::intptr_t param);
    void applyBitRateRule();

    StatusSlots slots_;
};

}  // namespace player
