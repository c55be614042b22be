#include "DesktopOpener.h"

#include <QDesktopServices>
#include <QUrl>

namespace app {

bool IsWebAddress(const QString& address) {
    // Addresses typed into the directory by hand carry spaces and "|" now and then; the
    // browser takes them escaped, so they are read as leniently as the opener will read them.
    const QUrl url(address, QUrl::TolerantMode);
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
