#pragma once
// Square icons with straight alpha: the two social network buttons and the program's icon.

#include <QImage>

namespace Icons {

// 30 x 30: a rounded square in the network's colour with its initial drawn in white.
QImage socialF();
QImage socialT();

// The station's mark on a blue rounded square, at any size (16, 32, 48 and 64 are shipped).
QImage appIcon(int size);

}  // namespace Icons
