#pragma once
// The texts the player shows for its status codes and stream properties.

#include <QString>
#include <cstdint>
#include <optional>

namespace player {

// Status code 2: "Arabelleğe Alınıyor... 31%".
QString BufferingText(int percent);

// The bit-rate label for an info slot text: "BitRate: 128" gives "128 KBit". Characters 9 to
// 13 are taken (at most five), stripped of characters with codes up to 32 at both ends.
// Nothing when the text does not start with "BitRate:" (the label then keeps its text).
std::optional<QString> BitRateLabel(const QString& info);

// "44 KHZ" for 44100 Hz: kHz rounded to a whole number, thousands grouped.
QString KhzText(std::uint32_t freq);
// "MONO" for one channel, "STEREO" otherwise.
QString ChannelModeText(std::uint32_t chans);

}  // namespace player
