#include "Decoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/mem.h>
#include <libswresample/swresample.h>
}

#include <algorithm>

#include "Audio.h"
#include "FormatProbe.h"

namespace audio {

namespace {
constexpr int kIoBufferSize = 4096;  // small, so the consumed position stays close to the truth
constexpr std::int64_t kProbeBytes = 64 * 1024;
constexpr std::int64_t kAnalyzeMicroseconds = 500000;
constexpr int kMaxErrorsInARow = 200;  // then the input is garbage, not a damaged frame
// A parser fed garbage finds no frame and reads on for ever; past this much input without one,
// the stream cannot go on.
constexpr std::uint64_t kMaxBytesWithoutFrame = 64 * 1024;
}  // namespace

void Decoder::FormatCloser::operator()(AVFormatContext* p) const {
    avformat_close_input(&p);
}

void Decoder::IoFree::operator()(AVIOContext* p) const {
    av_freep(&p->buffer);
    avio_context_free(&p);
}

void Decoder::CodecFree::operator()(AVCodecContext* p) const {
    avcodec_free_context(&p);
}

void Decoder::SwrFree::operator()(SwrContext* p) const {
    swr_free(&p);
}

void Decoder::PacketFree::operator()(AVPacket* p) const {
    av_packet_free(&p);
}

void Decoder::FrameFree::operator()(AVFrame* p) const {
    av_frame_free(&p);
}

Decoder::Decoder(ByteRing& ring) : ring_(ring) {}

Decoder::~Decoder() = default;

int Decoder::readPacket(void* opaque, std::uint8_t* buffer, int size) {
    auto* self = static_cast<Decoder*>(opaque);
    std::size_t got = 0;
    switch (self->ring_.read(buffer, static_cast<std::size_t>(size), got, self->deadline_)) {
        case ByteRing::ReadStatus::Data:
            self->bytesSinceFrame_ += got;
            if (self->guardInput_ && self->bytesSinceFrame_ > kMaxBytesWithoutFrame) {
                return AVERROR_INVALIDDATA;
            }
            return static_cast<int>(got);
        case ByteRing::ReadStatus::Ended:
            return AVERROR_EOF;
        case ByteRing::ReadStatus::Closed:
            return AVERROR_EXIT;
        case ByteRing::ReadStatus::TimedOut:
            self->timedOut_ = true;
            return AVERROR(ETIMEDOUT);
    }
    return AVERROR_EXIT;
}

int Decoder::open(ByteRing::Clock::time_point deadline, bool aacOnly) {
    deadline_ = deadline;
    const AVInputFormat* guess = ProbeAtHand(ring_, deadline);
    if (aacOnly && !IsAacFormat(guess)) {
        return ERROR_FILEFORM;
    }
    auto* buffer = static_cast<std::uint8_t*>(av_malloc(kIoBufferSize));
    if (buffer == nullptr) {
        return ERROR_MEM;
    }
    io_.reset(
        avio_alloc_context(buffer, kIoBufferSize, 0, this, &Decoder::readPacket, nullptr, nullptr));
    if (!io_) {
        av_free(buffer);
        return ERROR_MEM;
    }
    io_->seekable = 0;

    AVFormatContext* format = avformat_alloc_context();
    if (format == nullptr) {
        return ERROR_MEM;
    }
    format->pb = io_.get();
    format->flags |= AVFMT_FLAG_CUSTOM_IO;
    format->probesize = kProbeBytes;
    format->max_analyze_duration = kAnalyzeMicroseconds;
    // On failure avformat_open_input frees the context itself.
    if (avformat_open_input(&format, nullptr, guess, nullptr) < 0) {
        return timedOut_ ? ERROR_TIMEOUT : ERROR_FILEFORM;
    }
    format_.reset(format);
    if (avformat_find_stream_info(format_.get(), nullptr) < 0 && timedOut_) {
        return ERROR_TIMEOUT;
    }
    const AVCodec* codec = nullptr;
    streamIndex_ = av_find_best_stream(format_.get(), AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
    if (streamIndex_ < 0 || codec == nullptr) {
        return timedOut_ ? ERROR_TIMEOUT : ERROR_FILEFORM;
    }
    for (unsigned i = 0; i < format_->nb_streams; ++i) {
        if (static_cast<int>(i) != streamIndex_) {
            format_->streams[i]->discard = AVDISCARD_ALL;
        }
    }
    codec_.reset(avcodec_alloc_context3(codec));
    packet_.reset(av_packet_alloc());
    frame_.reset(av_frame_alloc());
    if (!codec_ || !packet_ || !frame_) {
        return ERROR_MEM;
    }
    if (avcodec_parameters_to_context(codec_.get(), format_->streams[streamIndex_]->codecpar) < 0 ||
        avcodec_open2(codec_.get(), codec, nullptr) < 0) {
        return ERROR_FILEFORM;
    }
    if (codec_->sample_rate <= 0 || codec_->ch_layout.nb_channels <= 0) {
        return timedOut_ ? ERROR_TIMEOUT : ERROR_FILEFORM;
    }
    // From here on a read waits as long as it takes: an underrun is silence, not an error.
    deadline_ = ByteRing::Clock::time_point::max();
    guardInput_ = true;
    bytesSinceFrame_ = 0;
    return ERROR_OK;
}

bool Decoder::isAac() const {
    return codec_ &&
           (codec_->codec_id == AV_CODEC_ID_AAC || codec_->codec_id == AV_CODEC_ID_AAC_LATM);
}

std::uint32_t Decoder::sampleRate() const {
    return codec_ ? static_cast<std::uint32_t>(codec_->sample_rate) : 0;
}

std::uint32_t Decoder::channels() const {
    return codec_ ? static_cast<std::uint32_t>(codec_->ch_layout.nb_channels) : 0;
}

std::int64_t Decoder::bitRate() const {
    if (codec_ && codec_->bit_rate > 0) {
        return codec_->bit_rate;
    }
    if (format_ && format_->bit_rate > 0) {
        return format_->bit_rate;
    }
    return 0;
}

double Decoder::durationSeconds() const {
    if (!format_ || format_->duration == AV_NOPTS_VALUE || format_->duration <= 0) {
        return -1.0;
    }
    return static_cast<double>(format_->duration) / AV_TIME_BASE;
}

bool Decoder::configureResampler(const AVFrame& frame) {
    if (swr_ && frame.sample_rate == swrRate_ && frame.format == swrFormat_ &&
        frame.ch_layout.nb_channels == swrChannels_) {
        return true;
    }
    AVChannelLayout in{};
    if (frame.ch_layout.order == AV_CHANNEL_ORDER_UNSPEC) {
        av_channel_layout_default(&in, frame.ch_layout.nb_channels);
    } else if (av_channel_layout_copy(&in, &frame.ch_layout) < 0) {
        return false;
    }
    AVChannelLayout out = AV_CHANNEL_LAYOUT_STEREO;
    SwrContext* raw = nullptr;
    const int rc = swr_alloc_set_opts2(&raw, &out, AV_SAMPLE_FMT_FLT, kOutputRate, &in,
                                       static_cast<AVSampleFormat>(frame.format), frame.sample_rate,
                                       0, nullptr);
    av_channel_layout_uninit(&in);
    swr_.reset(raw);
    if (rc < 0 || swr_init(swr_.get()) < 0) {
        swr_.reset();
        return false;
    }
    swrRate_ = frame.sample_rate;
    swrFormat_ = frame.format;
    swrChannels_ = frame.ch_layout.nb_channels;
    return true;
}

void Decoder::appendConverted(const AVFrame* frame, std::vector<float>& out) {
    const int inSamples = frame != nullptr ? frame->nb_samples : 0;
    const int room = swr_get_out_samples(swr_.get(), inSamples);
    if (room <= 0) {
        return;
    }
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(room) * 2);
    auto* dest = reinterpret_cast<std::uint8_t*>(out.data() + start);
    const int made = swr_convert(
        swr_.get(), &dest, room,
        frame != nullptr ? const_cast<const std::uint8_t**>(frame->extended_data) : nullptr,
        inSamples);
    out.resize(start + static_cast<std::size_t>(made > 0 ? made : 0) * 2);
}

void Decoder::notePacketEnd(const AVPacket& packet) {
    if (packet.pos < 0) {
        bytesDecoded_.store(UINT64_MAX);
    } else if (bytesDecoded_.load() != UINT64_MAX) {
        const auto end =
            static_cast<std::uint64_t>(packet.pos) + static_cast<std::uint64_t>(packet.size);
        bytesDecoded_.store(std::max(bytesDecoded_.load(), end));
    }
}

bool Decoder::decodeNext(std::vector<float>& out) {
    if (!codec_) {
        return false;
    }
    int errors = 0;
    while (errors < kMaxErrorsInARow) {
        const int received = avcodec_receive_frame(codec_.get(), frame_.get());
        if (received == 0) {
            const bool ok = configureResampler(*frame_);
            if (ok) {
                appendConverted(frame_.get(), out);
                framesDecoded_ += static_cast<std::uint64_t>(frame_->nb_samples);
                bytesSinceFrame_ = 0;
            }
            av_frame_unref(frame_.get());
            if (ok) {
                return true;
            }
            ++errors;
            continue;
        }
        if (received == AVERROR_EOF) {
            if (swr_) {
                appendConverted(nullptr, out);
            }
            return false;
        }
        if (received != AVERROR(EAGAIN)) {
            ++errors;  // a damaged frame: skip it
            continue;
        }
        if (flushing_) {
            return false;
        }
        const int read = av_read_frame(format_.get(), packet_.get());
        if (read < 0) {
            if (read == AVERROR_EXIT) {
                return false;
            }
            flushing_ = true;
            avcodec_send_packet(codec_.get(), nullptr);
            continue;
        }
        if (packet_->stream_index == streamIndex_) {
            notePacketEnd(*packet_);
            if (avcodec_send_packet(codec_.get(), packet_.get()) < 0) {
                ++errors;
            }
        }
        av_packet_unref(packet_.get());
    }
    return false;
}

}  // namespace audio
