#include "Settings.h"

#include <QCoreApplication>
#include <QFile>

namespace app {

int ReadAyar1(const QString& iniPath) {
    QFile file(iniPath);
    if (!file.open(QIODevice::ReadOnly)) {
        return 0;
    }
    bool inSection = false;
    // A settings file is a few lines; a huge one is not ours, and we stop reading.
    constexpr qint64 kMaxBytes = 1 << 20;
    const QList<QByteArray> lines = file.read(kMaxBytes).split('\n');
    for (const QByteArray& raw : lines) {
        const QByteArray line = raw.trimmed();
        if (line.startsWith('[')) {
            const int close = line.indexOf(']');
            inSection = close > 0 && line.mid(1, close - 1).trimmed().toLower() == "ayar";
            continue;
        }
        const int eq = line.indexOf('=');
        if (!inSection || eq <= 0 || line.left(eq).trimmed().toLower() != "ayar1") {
            continue;
        }
        bool ok = false;
        const int value = line.mid(eq + 1).trimmed().toInt(&ok, 10);
        return ok ? value : 0;
    }
    return 0;
}

QString SettingsFilePath() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/ayar.ini");
}

}  // namespace app
