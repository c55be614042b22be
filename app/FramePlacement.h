#pragma once
// Places a top-level window by its outer frame. A window manager frames a window only once it
// is mapped, so at the first show the frame is not known yet and the window would be placed
// off by the frame's size: it is placed at once from what is known, and again whenever the
// known outer size changes (a box also settles its size late) during the first seconds.

#include <QPoint>
#include <QSize>
#include <functional>

class QWidget;

namespace app {

// place gives the frame's top-left corner for an outer size. Call before or at the first show.
void PlaceByFrame(QWidget* window, std::function<QPoint(QSize outerSize)> place);

// The top-left corner that centres an outer size on the primary screen.
QPoint CentredOnScreen(QSize outerSize);

}  // namespace app
