#pragma once
// The strip of five tabs under the pages: note YAYIN, disc YAYIN AKIŞI, microphone DUYURU,
// envelope MESAJ, handset İLETİŞİM. Tab n covers columns 64n-63 .. 64n; column 0 is the
// strip's left rim.

#include <QImage>

namespace TabStrip {

inline constexpr int kWidth = 320;
inline constexpr int kHeight = 57;

// lit: 1..5 lights that tab on a blue ground; 0 lights none (the copy under the player page).
QImage paint(int lit);

}  // namespace TabStrip
