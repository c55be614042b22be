#include "MessageBox.h"

#include "FramePlacement.h"

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
    // On the screen, not on the owner: at start-up the owner is the hidden window at 0, 0.
    PlaceByFrame(&box, &CentredOnScreen);
    box.exec();
}

}  // namespace app
