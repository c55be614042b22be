#pragma once
// What the desktop's media controls are told, worked out from the player's own state: no bus,
// no widgets, so a test reaches every rule directly.

#include <QString>
#include <string>

namespace mpris {

// A song title as the desktop shows it: the artist before the first " - ", the song after it
// (all of it when there is no " - "). Both trimmed and decoded with DesktopText.
struct TrackText {
    QString artist;
    QString title;
};
TrackText SplitTitle(const std::string& bytes);

// Stations send their titles in whatever encoding they like: valid UTF-8 is read as UTF-8,
// anything else as code page 1254.
QString DesktopText(const std::string& bytes);

// "Playing" only while the stop symbol shows (lbl_play's Tag is 1) and a channel really plays.
QString PlaybackStatus(int playTag, bool channelPlays);

// The selector entry step places away from current (-1: none selected), wrapping round at
// either end; -1 when there are no entries.
int WrappedIndex(int current, int count, int step);

// The desktop's volume (0.0 to 1.0) against the slider's (0 to 100). Out-of-range volumes are
// clamped, so a client asking for 1.5 gets the loudest the slider has.
double DesktopVolume(int sliderValue);
int SliderVolume(double desktopVolume);

// Only http and https addresses are handed to the desktop as cover art; anything else: empty.
QString ArtUrl(const QString& coverAddress);

}  // namespace mpris
