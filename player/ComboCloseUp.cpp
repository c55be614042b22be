#include "ComboCloseUp.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QMetaObject>

namespace player {

ComboCloseUp::ComboCloseUp(QComboBox* combo, std::function<void()> handler)
    : QObject(combo), handler_(std::move(handler)) {
    // The list view lives in a popup container; hiding the popup hides the view with it.
    combo->view()->installEventFilter(this);
}

bool ComboCloseUp::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Hide) {
        // The combo box commits a choice only after it has hidden the list.
        QMetaObject::invokeMethod(this, handler_, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace player
