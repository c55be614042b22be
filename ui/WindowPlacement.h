#pragma once
// Where the window goes when it is first shown: centred on the virtual desktop (the rectangle
// spanning every monitor), in the primary screen's coordinates, never at a negative position.

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Left = (desktop width - frame width) div 2, top likewise, each raised to 0 when negative.
QPoint centredOnDesktop(QSize frameSize, QRect virtualDesktop);

// Moves the window there; frame size includes the window frame where the desktop reports it.
void centreOnVirtualDesktop(QWidget* window);
