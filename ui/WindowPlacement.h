#pragma once
// Where the window goes when it is first shown: centred on the virtual desktop (the rectangle
// spanning every monitor), in the primary screen's coordinates, never at a negative position.

#include <QPoint>
#include <QRect>
#include <QSize>

// Left = (desktop width - frame width) div 2, top likewise, each raised to 0 when negative.
QPoint centredOnDesktop(QSize frameSize, QRect virtualDesktop);
