#include "sliderthumb.h"

#include <QMouseEvent>
#include <QPainter>

#include "transparentcolour.h"

TSliderThumb::TSliderThumb(QWidget* parent) : QWidget(parent) {}

void TSliderThumb::setPicture(const QImage& picture) {
    picture_ = picture.copy();
    drawn_ = withTransparentColour(picture_);
    fitToCell();
    update();
}

void TSliderThumb::setPressed(bool pressed) {
    if (pressed == pressed_)
        return;
    pressed_ = pressed;
    update();
}

void TSliderThumb::setNumCells(int cells) {
    if (cells == numCells_)
        return;
    numCells_ = cells;
    fitToCell();
    update();
}

void TSliderThumb::fitToCell() {
    resize(picture_.width() / numCells_, picture_.height());
}

void TSliderThumb::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (numCells_ == 1) {
        painter.drawImage(0, 0, drawn_);
        return;
    }
    const int half = drawn_.width() / 2;
    painter.drawImage(QPoint(0, 0), drawn_, QRect(pressed_ ? half : 0, 0, half, drawn_.height()));
}

void TSliderThumb::mousePressEvent(QMouseEvent* event) {
    Q_EMIT OnMouseDown(event->button(), event->modifiers(), event->position().toPoint());
}

void TSliderThumb::mouseMoveEvent(QMouseEvent* event) {
    Q_EMIT OnMouseMove(event->buttons(), event->modifiers(), event->position().toPoint());
}

void TSliderThumb::mouseReleaseEvent(QMouseEvent* event) {
    Q_EMIT OnMouseUp(event->button(), event->modifiers(), event->position().toPoint());
}
