#pragma once

#include <QString>

class QWidget;

namespace app {

// The executable's file name up to its first ".", every letter after the first in lower case.
QString ApplicationTitle();
QString ApplicationTitleFor(const QString& fileName);
// The player's message dialog: modal, no icon, one OK button, captioned with the application's
// title, centred on the screen. Returns when it is closed.
void ShowMessage(QWidget* parent, const QString& text);

}  // namespace app
