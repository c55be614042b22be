// skindiff: exits 0 when every picture under the first folder matches the one of the same
// path under the second within the raster engine's rounding, and both hold the same files.

#include <QDir>
#include <QDirIterator>
#include <QGuiApplication>
#include <QImage>
#include <QSet>
#include <cstdio>

#include "PictureDiff.h"

namespace {

QSet<QString> picturesUnder(const QDir& root) {
    QSet<QString> paths;
    QDirIterator it(root.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        paths.insert(root.relativeFilePath(it.next()));
    return paths;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: skindiff DRAWN_DIR COMMITTED_DIR\n");
        return 2;
    }
    const QDir drawn(QString::fromLocal8Bit(argv[1]));
    const QDir committed(QString::fromLocal8Bit(argv[2]));
    const QSet<QString> drawnPaths = picturesUnder(drawn);
    const QSet<QString> committedPaths = picturesUnder(committed);
    int failures = 0;
    for (const QString& path : drawnPaths + committedPaths) {
        if (!drawnPaths.contains(path) || !committedPaths.contains(path)) {
            std::printf("%s: only in %s\n", qPrintable(path),
                        drawnPaths.contains(path) ? argv[1] : argv[2]);
            ++failures;
            continue;
        }
        const PictureDiff diff =
            comparePictures(QImage(drawn.filePath(path)), QImage(committed.filePath(path)));
        if (!diff.comparable) {
            std::printf("%s: size or format differs, or does not decode\n", qPrintable(path));
            ++failures;
        } else if (!samePicture(diff)) {
            std::printf("%s: %d pixels differ, by up to %d levels\n", qPrintable(path),
                        diff.pixelsOff, diff.largestStep);
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
