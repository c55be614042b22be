#include "MessageBox.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>

namespace app {

QString ApplicationTitleFor(const QString& fileName) {
    QString title = fileName.section(QLatin1Char('.'), 0, 0);
    if (title.size() > 1) {
        title = title.left(1) + title.mid(1).toLower();
    }
    return title;
}

QString ApplicationTitle() {
    return ApplicationTitleFor(QFileInfo(QCoreApplication::applicationFilePath()).fileName());
}

void ShowMessage(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, ApplicationTitle(), text, QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace app
