#pragma once
// The contact page's lines: an icon and the station's address of each kind, on a transparent
// ground. The page's controls are 10 columns narrower than these pictures and cut 1, 4 and 5
// rows off the first three, so nothing is drawn there.

#include <QImage>

namespace Contact {

QImage mailLine();     // 267 x 50
QImage webLine();      // 267 x 57
QImage phoneLine();    // 267 x 54
QImage addressLine();  // 267 x 66, the postal address in four lines

// The station's invented addresses, shared with the demo station.
inline constexpr char kMail[] = "bilgi@zelkorfm.com.tr";
inline constexpr char kWeb[] = "www.zelkorfm.com.tr";
inline constexpr char kPhone[] = "+90 (232) 555 48 10";

}  // namespace Contact
