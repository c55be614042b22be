#include "THotSpot.h"

#include <QMouseEvent>

THotSpot::THotSpot(QWidget* parent) : QWidget(parent) {}

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
