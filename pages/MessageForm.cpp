#include "MessageForm.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <exception>

#include "DeviceId.h"
#include "EncodeQueryValue.h"
#include "HttpClient.h"
#include "MemoLimit.h"

namespace pages {

MessageForm::MessageForm(const MessageControls& controls, app::HttpClient& http,
                         QString directoryBase, ShowMessage showMessage)
    : controls_(controls),
      http_(http),
      directoryBase_(std::move(directoryBase)),
      showMessage_(std::move(showMessage)) {
    LimitMemoLength(controls_.message, 300);
}

QString MessageForm::messageQuery(const QString& name, const QString& mail, const QString& message,
                                  const QString& version, const std::string& deviceId) {
    return QStringLiteral("?i=zelkorfm_mesaj_gonder&x_adsoyad=") + app::EncodeQueryValue(name) +
           QStringLiteral("&x_mail=") + app::EncodeQueryValue(mail) + QStringLiteral("&x_mesaj=") +
           app::EncodeQueryValue(message) + QStringLiteral("&x_name=") +
           app::EncodeQueryValue(QStringLiteral("Desktop Player")) + QStringLiteral("&x_sysver=") +
           app::EncodeQueryValue(version) + QStringLiteral("&x_uuid=") +
           QString::fromLatin1(app::EncodeQueryValue(deviceId));
}

void MessageForm::send() {
    if (sending_) {
        return;
    }
    const QString message = MemoText(controls_.message);
    if (controls_.name->text().isEmpty() || controls_.mail->text().isEmpty() || message.isEmpty()) {
        showMessage_(QString::fromUtf8("Eksik Bilgileri Doldurunuz."));
        return;
    }
    const QString url = directoryBase_ + QStringLiteral("iphonebilgi.aspx") +
                        messageQuery(controls_.name->text(), controls_.mail->text(), message,
                                     controls_.version->text(), app::GetDeviceId());
    {
        const QScopedValueRollback<bool> sending(sending_, true);
        try {
            http_.get(url);
        } catch (const std::exception& error) {
            showMessage_(QString::fromUtf8(error.what()));
            return;
        }
    }
    controls_.name->clear();
    controls_.mail->clear();
    controls_.message->clear();
    showMessage_(QString::fromUtf8("Mesaj Gönderildi"));
}

}  // namespace pages
