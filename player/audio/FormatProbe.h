#pragma once
// Which demuxer reads a stream, told from the reply's content type and the bytes already
// downloaded. FFmpeg's own probe may ask for up to a megabyte: on a live stream that starts in
// the middle of a frame, as an Icecast burst does, that is seconds of real-time data after the
// burst, paid by each reader that tries.

#include <string>
#include <string_view>

#include "ByteRing.h"

struct AVInputFormat;

namespace audio {

// The content type without its parameters, in lower case: "audio/mpeg" from "Audio/MPEG; x=1".
std::string MediaType(std::string_view contentType);
// A content type that names a format other than AAC, so the AAC reader need not look further.
bool NamesOtherThanAac(std::string_view mediaType);
bool IsAacFormat(const AVInputFormat* format);

// The demuxer for the bytes at hand, waiting for more only while they are too few to tell and
// more can come, at most until the deadline. nullptr when what can come for now does not
// tell: FFmpeg then probes the usual way.
const AVInputFormat* ProbeAtHand(ByteRing& ring, ByteRing::Clock::time_point deadline);

}  // namespace audio
