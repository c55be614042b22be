#include "DesktopOpener.h"

#include <QDesktopServices>
#include <QUrl>

namespace app {

bool IsWebAddress(const QString& address) {
    const QUrl url(address, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && !url.host().isEmpty() &&
           (scheme == QStringLiteral("http") || scheme == QStringLiteral("https"));
}

bool OpenWithDesktop(const QString& address) {
    if (!IsWebAddress(address)) {
        return false;
    }
    QDesktopServices::openUrl(QUrl(address));
    return true;
}

}  // namespace app
