#include "StatusBridge.h"

#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <string>
#include <utility>

#include "Codepage.h"
#include "GuiCall.h"
#include "StatusText.h"

namespace player {

namespace {

void WriteSlot(QLineEdit* slot, const QString& text) {
    if (slot->text() != text) {
        slot->setText(text);
    }
}

QString ParamText(std::intptr_t param) {
    const auto* text = reinterpret_cast<const char*>(param);
    return text == nullptr ? QString() : app::FromCp1254(std::string(text));
}

bool IsText(int code) {
    return code == StatusStreamName || code == StatusBitRate || code == StatusTitle ||
           code == StatusServerReply;
}

}  // namespace

StatusBridge::StatusBridge(StatusSlots slots, QObject* parent) : QObject(parent), slots_(slots) {}

void StatusBridge::sendStatus(int code, std::intptr_t param, Wanted wanted) {
    if (IsText(code)) {
        sendText(code, reinterpret_cast<const char*>(param));
        return;
    }
    PostToGui(this, [this, code, param, wanted = std::move(wanted)] {
        if (!wanted || wanted()) {
            handleMessage(WM_PLAYER_STATUS, code, param);
        }
    });
}

void StatusBridge::sendText(int code, const char* text) {
    PostToGui(this, [this, code, copy = std::string(text != nullptr ? text : "")] {
        handleMessage(WM_PLAYER_STATUS, code, reinterpret_cast<std::intptr_t>(copy.c_str()));
    });
}

void StatusBridge::handleMessage(unsigned message, int code, std::intptr_t param) {
    if (message == WM_PLAYER_STATUS) {
        applyStatus(code, param);
    }
    applyBitRateRule();
}

void StatusBridge::setStatusText(const QString& text) {
    WriteSlot(slots_.edt_1, text);
}

void StatusBridge::setTitleText(const QString& text) {
    WriteSlot(slots_.edt_2, text);
}

void StatusBridge::applyStatus(int code, std::intptr_t param) {
    switch (code) {
        case StatusConnecting:
            WriteSlot(slots_.edt_1, QString::fromUtf8("Bağlanıyor..."));
            WriteSlot(slots_.edt_2, QString());
            WriteSlot(slots_.edt_3, QString());
            slots_.Timer2->stop();
            break;
        case StatusNoConnection:
            if (!slots_.Timer2->isActive()) {
                slots_.Timer2->start();  // enabling an enabled timer does not restart it
            }
            WriteSlot(slots_.edt_1, QString::fromUtf8("Bağlantı Yok"));
            break;
        case StatusBuffering:
            WriteSlot(slots_.edt_1, BufferingText(static_cast<int>(param)));
            break;
        case StatusStreamName:
            WriteSlot(slots_.edt_1, ParamText(param));
            break;
        case StatusBitRate:
        case StatusServerReply:
            WriteSlot(slots_.edt_3, ParamText(param));
            break;
        case StatusTitle:
            WriteSlot(slots_.edt_2, ParamText(param));
            break;
        default:
            break;
    }
}

void StatusBridge::applyBitRateRule() {
    if (const auto label = BitRateLabel(slots_.edt_3->text())) {
        slots_.lbl_kbit->setText(*label);
    }
}

}  // namespace player
