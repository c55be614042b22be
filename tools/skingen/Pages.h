#pragma once
// The five 320 x 480 page backgrounds.

#include <QImage>

namespace Pages {

QImage player();
QImage schedule();
QImage announcements();
QImage message();
QImage contact();

}  // namespace Pages
