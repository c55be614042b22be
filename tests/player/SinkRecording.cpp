#include "SinkRecording.h"

#include <unistd.h>

#include <cmath>
#include <cstdint>

namespace playertest {

std::size_t WindowCount(const QByteArray& pcm) {
    return static_cast<std::size_t>(pcm.size()) / 4 / kWindowFrames;
}

namespace {

// The left channel of whole windows, little-endian 16-bit.
std::vector<std::int16_t> LeftChannel(const QByteArray& pcm) {
    std::vector<std::int16_t> left(WindowCount(pcm) * kWindowFrames);
    const auto* bytes = reinterpret_cast<const unsigned char*>(pcm.constData());
    for (std::size_t f = 0; f < left.size(); ++f) {
        left[f] = static_cast<std::int16_t>(bytes[f * 4] | (bytes[f * 4 + 1] << 8));
    }
    return left;
}

}  // namespace

PrivateSink::PrivateSink() : name_("zelkor_test_" + std::to_string(::getpid())) {
    QProcess pactl;
    pactl.start(QStringLiteral("pactl"),
                {QStringLiteral("load-module"), QStringLiteral("module-null-sink"),
                 QStringLiteral("sink_name=") + QString::fromStdString(name_)});
    if (pactl.waitForFinished(5000) && pactl.exitCode() == 0) {
        module_ = QString::fromUtf8(pactl.readAllStandardOutput()).trimmed();
    }
}

PrivateSink::~PrivateSink() {
    if (!module_.isEmpty()) {
        QProcess::execute(QStringLiteral("pactl"), {QStringLiteral("unload-module"), module_});
    }
}

SinkRecorder::SinkRecorder(const PrivateSink& sink) {
    parec_.start(QStringLiteral("parec"),
                 {QStringLiteral("-d"), QString::fromStdString(sink.name() + ".monitor"),
                  QStringLiteral("--format=s16le"), QStringLiteral("--rate=44100"),
                  QStringLiteral("--channels=2"), QStringLiteral("--raw"),
                  QStringLiteral("--latency-msec=20")});
    started_ = parec_.waitForStarted(5000);
}

SinkRecorder::~SinkRecorder() {
    parec_.kill();
    parec_.waitForFinished(2000);
}

const QByteArray& SinkRecorder::pcm() {
    pcm_ += parec_.readAllStandardOutput();
    return pcm_;
}

std::vector<double> Levels(const QByteArray& pcm) {
    const std::vector<std::int16_t> left = LeftChannel(pcm);
    std::vector<double> levels;
    for (std::size_t w = 0; w < WindowCount(pcm); ++w) {
        double sum = 0;
        for (std::size_t f = w * kWindowFrames; f < (w + 1) * kWindowFrames; ++f) {
            const double sample = left[f];
            sum += sample * sample;
        }
        levels.push_back(std::sqrt(sum / kWindowFrames));
    }
    return levels;
}

std::vector<int> Crossings(const QByteArray& pcm) {
    const std::vector<std::int16_t> left = LeftChannel(pcm);
    std::vector<int> crossings;
    for (std::size_t w = 0; w < WindowCount(pcm); ++w) {
        int n = 0;
        for (std::size_t f = w * kWindowFrames + 1; f < (w + 1) * kWindowFrames; ++f) {
            n += (left[f - 1] < 0) != (left[f] < 0) ? 1 : 0;
        }
        crossings.push_back(n);
    }
    return crossings;
}

}  // namespace playertest
