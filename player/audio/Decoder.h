#pragma once
// FFmpeg over a stream's download buffer: probes the format, decodes packet by packet and
// converts everything to the mixer's format (float, stereo, 44100 Hz).

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "ByteRing.h"

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVIOContext;
struct AVPacket;
struct SwrContext;

namespace audio {

class Decoder {
public:
    static constexpr int kOutputRate = 44100;

    explicit Decoder(ByteRing& ring);
    ~Decoder();
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;

    // Reads the format's headers and first packets; gives up at the deadline. With aacOnly it
    // refuses, before reading a header, bytes that do not look like AAC. Returns an engine
    // error code, ERROR_OK on success.
    int open(ByteRing::Clock::time_point deadline, bool aacOnly = false);

    bool isAac() const;
    std::uint32_t sampleRate() const;
    std::uint32_t channels() const;
    std::int64_t bitRate() const;    // bits per second, 0 when unknown
    double durationSeconds() const;  // negative when unknown (live streams)

    // Appends the frames of the next packet to out (interleaved stereo); false at the end.
    bool decodeNext(std::vector<float>& out);
    // Sample frames decoded so far, at the stream's own rate.
    std::uint64_t framesDecoded() const { return framesDecoded_; }
    // Input bytes up to the end of the last packet handed to the codec; all ones once a packet
    // came without a position. What the format's probe read stays FFmpeg's until it is
    // decoded, so it still counts as buffered. Any thread may ask.
    std::uint64_t bytesDecoded() const { return bytesDecoded_.load(); }

private:
    struct FormatCloser {
        void operator()(AVFormatContext* p) const;
    };
    struct IoFree {
        void operator()(AVIOContext* p) const;
    };
    struct CodecFree {
        void operator()(AVCodecContext* p) const;
    };
    struct SwrFree {
        void operator()(SwrContext* p) const;
    };
    struct PacketFree {
        void operator()(AVPacket* p) const;
    };
    struct FrameFree {
        void operator()(AVFrame* p) const;
    };

    // Called by FFmpeg on the thread that runs open() or decodeNext().
    static int readPacket(void* opaque, std::uint8_t* buffer, int size);
    bool configureResampler(const AVFrame& frame);
    void appendConverted(const AVFrame* frame, std::vector<float>& out);
    void notePacketEnd(const AVPacket& packet);

    ByteRing& ring_;
    ByteRing::Clock::time_point deadline_ = ByteRing::Clock::time_point::max();
    bool timedOut_ = false;
    bool flushing_ = false;
    int streamIndex_ = -1;
    std::uint64_t framesDecoded_ = 0;
    std::atomic<std::uint64_t> bytesDecoded_{0};
    // After open(): input read since the last decoded frame, to tell garbage from damage.
    bool guardInput_ = false;
    std::uint64_t bytesSinceFrame_ = 0;
    int swrRate_ = 0;
    int swrFormat_ = -1;
    int swrChannels_ = 0;
    // Declared before format_: the format context must be closed before its I/O goes away.
    std::unique_ptr<AVIOContext, IoFree> io_;
    std::unique_ptr<AVFormatContext, FormatCloser> format_;
    std::unique_ptr<AVCodecContext, CodecFree> codec_;
    std::unique_ptr<SwrContext, SwrFree> swr_;
    std::unique_ptr<AVPacket, PacketFree> packet_;
    std::unique_ptr<AVFrame, FrameFree> frame_;
};

}  // namespace audio
