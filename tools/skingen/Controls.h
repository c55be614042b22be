#pragma once
// The skin's small pictures: the play and stop buttons, the send button, the volume track's end
// caps, the slider's thumb and ruler and the grid row backgrounds.

#include <QImage>

namespace Controls {

enum class Transport { Play, Stop };

QImage transportButton(Transport kind);  // 105 x 105, straight alpha
QImage sendButton();                     // 145 x 58, straight alpha
QImage trackCapLeft();                   // 12 x 24
QImage trackCapRight();                  // 8 x 23
QImage sliderThumb();                    // 26 x 13: two identical 13 x 13 cells
QImage sliderRuler();                    // 44 x 13
QImage rowBackground(int height);        // 320 wide

// Where the track's orange bar lies: the cap and the ruler rows must line up with the slider,
// whose top is 5 rows below the left cap's and 6 below the right cap's.
inline constexpr int kBarTop = 4;     // first orange row of the ruler
inline constexpr int kBarHeight = 5;  // orange rows

}  // namespace Controls
