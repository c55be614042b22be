#pragma once
// What a listener hears: a null sink of our own on the running PulseAudio server, so sound from
// other tests does not mix in, and a recorder of its monitor. Qt processes, no engine.

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <string>
#include <vector>

namespace playertest {

class PrivateSink {
public:
    PrivateSink();
    ~PrivateSink();
    bool ready() const { return !module_.isEmpty(); }
    const std::string& name() const { return name_; }

private:
    std::string name_;
    QString module_;
};

// Records the sink's monitor as 16-bit stereo at 44100 Hz from construction on.
class SinkRecorder {
public:
    explicit SinkRecorder(const PrivateSink& sink);
    ~SinkRecorder();
    bool started() const { return started_; }
    // Everything recorded so far, from the start.
    const QByteArray& pcm();

private:
    QProcess parec_;
    QByteArray pcm_;
    bool started_ = false;
};

constexpr int kWindowFrames = 2205;  // 50 ms

// Whole 50 ms windows in a recording.
std::size_t WindowCount(const QByteArray& pcm);
// RMS of the left channel in 50 ms windows.
std::vector<double> Levels(const QByteArray& pcm);
// Sign changes of the left channel in each 50 ms window: twice the frequency over 20.
std::vector<int> Crossings(const QByteArray& pcm);

}  // namespace playertest
