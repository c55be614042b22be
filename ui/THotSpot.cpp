#include "THotSpot.h"

#include <QMouseEvent>

#include "AccessibleHotSpot.h"

THotSpot::THotSpot(QWidget* parent) : QWidget(parent) {
    static const bool installed = [] {
        QAccessible::installFactory(&AccessibleHotSpot::create);
        return true;
    }();
    Q_UNUSED(installed);
}

QRect THotSpot::partRect(int index) const {
    const int count = static_cast<int>(accessibleParts_.size());
    if (count == 0 || index < 0 || index >= count) {
        return rect();
    }
    const int left = width() * index / count;
    return QRect(left, 0, width() * (index + 1) / count - left, height());
}

void THotSpot::press(QPoint pos) {
    Q_EMIT pressed(Qt::LeftButton, Qt::NoModifier, pos);
    Q_EMIT clicked();
}

void THotSpot::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        leftDown_ = true;
    Q_EMIT pressed(event->button(), event->modifiers(), event->position().toPoint());
}

void THotSpot::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !leftDown_)
        return;
    leftDown_ = false;
    if (rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}
