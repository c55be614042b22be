#include "WindowPlacement.h"

#include <algorithm>

QPoint centredOnDesktop(QSize frameSize, QRect virtualDesktop) {
    return {std::max(0, (virtualDesktop.width() - frameSize.width()) / 2),
            std::max(0, (virtualDesktop.height() - frameSize.height()) / 2)};
}
