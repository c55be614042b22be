#pragma once
// Test audio made at test time with ffmpeg (sine tones), kept in a temporary folder for the
// run of the test program.

#include <cstddef>
#include <string>

namespace testmedia {

// Encodes `seconds` of a sine tone with the given ffmpeg output arguments (codec, rate,
// channels) into a file named `name` and returns its bytes; empty when ffmpeg failed.
std::string tone(const std::string& name, const std::string& ffmpegArgs, double seconds);

// The common cases.
std::string mp3(double seconds = 1.0);           // 44100 Hz stereo, 128 kbit/s
std::string mp3Mono22050(double seconds = 1.0);  // 22050 Hz mono
std::string aac(double seconds = 1.0);           // ADTS, 44100 Hz stereo

// Bytes per second of mp3().
constexpr std::size_t kMp3ByteRate = 128000 / 8;

}  // namespace testmedia
