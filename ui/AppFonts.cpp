#include "AppFonts.h"

#include <QApplication>
#include <QDir>
#include <QFontDatabase>

namespace AppFonts {

namespace {

// Debian's fonts-wine.
const char kWineFontDir[] = "/usr/share/wine/fonts";
const char* const kWineFiles[] = {"tahoma.ttf", "tahomabd.ttf", "ms_sans_serif.ttf"};

// Nearest installed families, best first; fontconfig picks the first one it has.
QStringList sansFallbacks() {
    return {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
}

void substituteIfMissing(const QString& family, const QStringList& substitutes) {
    if (!QFontDatabase::hasFamily(family))
        QFont::insertSubstitutions(family, substitutes);
}

}  // namespace

QStringList install() {
    // Once per process: a second registration would only add the same faces again.
    static bool installed = false;
    static QStringList loaded;
    if (installed)
        return loaded;
    installed = true;
    const QDir dir(QString::fromUtf8(kWineFontDir));
    for (const char* name : kWineFiles) {
        const int id = QFontDatabase::addApplicationFont(dir.filePath(QString::fromUtf8(name)));
        if (id >= 0)
            loaded += QFontDatabase::applicationFontFamilies(id);
    }
    loaded.removeDuplicates();

    substituteIfMissing(QStringLiteral("Arial"), sansFallbacks());
    substituteIfMissing(QStringLiteral("Tahoma"), sansFallbacks());
    substituteIfMissing(QStringLiteral("MS Sans Serif"),
                        QStringList{QStringLiteral("Tahoma")} + sansFallbacks());

    QApplication::setFont(pixelFont(QStringLiteral("MS Sans Serif"), 11));
    return loaded;
}

QFont pixelFont(const QString& family, int pixelSize, bool bold, bool italic) {
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

}  // namespace AppFonts
