#include "Stream.h"

#include <algorithm>
#include <cctype>
#include <thread>
#include <utility>

#include "FormatProbe.h"
#include "LastError.h"

namespace audio {

namespace {

constexpr std::uint32_t kMinLiveBuffer = 4 * 1024;
// The probe reads through the buffer while the byte rate is still unknown. Kept no bigger than
// the smallest buffer, so what it leaves behind never fills the buffer past 100%.
constexpr std::size_t kProbeBufferBytes = kMinLiveBuffer;
constexpr std::uint32_t kMaxLiveBuffer = 8 * 1024 * 1024;
constexpr std::uint32_t kDefaultBitRate = 128000;
constexpr std::size_t kPcmFrames = 16384;  // about 370 ms decoded ahead of the mixer
// Taken beyond the buffer when a server sends faster than real time (an Icecast burst is 64 KiB
// by default), so the download keeps reading and a drop is told at once, not only after what
// was queued on the connection has played.
constexpr std::size_t kOverflowBytes = 512 * 1024;

// Leading decimal digits of a header value; 0 when there are none or too many.
std::uint64_t leadingNumber(const std::string& text) {
    std::uint64_t n = 0;
    std::size_t digits = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            break;
        }
        if (++digits > 18) {
            return 0;
        }
        n = n * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return n;
}

}  // namespace

Stream::Stream(StreamOptions options, TagStore& tags)
    : options_(std::move(options)),
      tags_(tags),
      ring_(kProbeBufferBytes),
      decoder_(ring_),
      pcm_(kPcmFrames) {}

Stream::~Stream() {
    tags_.release(icyTags_);
    tags_.release(meta_);
}

int Stream::open(ThreadCount& threads, std::uint32_t flags, DownloadProc proc, void* user) {
    const auto started = ByteRing::Clock::now();
    startTransfer(options_.request, shared_from_this(), threads.acquire());

    std::string block;
    std::string contentType;
    {
        std::unique_lock lock(mutex_);
        // The connect timeout, then as long again for the reply head.
        const bool answered = headArrived_.wait_until(lock, started + 2 * options_.timeout,
                                                      [&] { return phase_ != Phase::Connecting; });
        if (!answered || phase_ != Phase::HeadReady) {
            const bool failed = answered && phase_ == Phase::Failed;
            lock.unlock();
            release();
            return failed ? ERROR_FILEOPEN : ERROR_TIMEOUT;
        }
        block = headBlock_;
        contentType = contentType_;
    }
    // Inside the create call, on the caller's thread, with no lock held.
    if ((flags & STREAM_STATUS) != 0 && proc != nullptr) {
        proc(block.data(), 0, user);
    }

    if (options_.aacOnly && NamesOtherThanAac(MediaType(contentType))) {
        release();
        return ERROR_FILEFORM;
    }
    int rc = decoder_.open(ByteRing::Clock::now() + options_.timeout, options_.aacOnly);
    if (rc == ERROR_FILEFORM && stalled_.load()) {
        rc = ERROR_TIMEOUT;  // the probe saw the end of a download that was given up on
    }
    if (rc != ERROR_OK || (options_.aacOnly && !decoder_.isAac())) {
        release();
        return rc != ERROR_OK ? rc : ERROR_FILEFORM;
    }
    sampleRate_ = decoder_.sampleRate();
    channels_ = decoder_.channels();
    const double seconds = decoder_.durationSeconds();
    durationFrames_ = seconds > 0 ? static_cast<std::uint64_t>(seconds * sampleRate_) : 0;

    std::int64_t contentLength = 0;
    {
        std::lock_guard lock(mutex_);
        contentLength = contentLength_;
    }
    // A file is kept whole when it fits the buffer; a longer one (or a live server that claims
    // a length) is buffered like a live stream, so the wait before playing stays as short.
    const std::uint32_t live = liveBufferBytes();
    end_ =
        contentLength >= 0
            ? static_cast<std::uint32_t>(std::min<std::int64_t>(contentLength, std::int64_t{live}))
            : live;
    ring_.setLimit(end_, kOverflowBytes);
    return ERROR_OK;
}

std::uint32_t Stream::liveBufferBytes() const {
    std::int64_t bitRate = decoder_.bitRate();
    if (bitRate <= 0) {
        std::lock_guard lock(mutex_);
        bitRate = icyBitRate_ > 0 ? std::int64_t{icyBitRate_} * 1000 : kDefaultBitRate;
    }
    const std::int64_t bytes = bitRate / 8 * options_.bufferMs / 1000;
    return static_cast<std::uint32_t>(
        std::clamp<std::int64_t>(bytes, kMinLiveBuffer, kMaxLiveBuffer));
}

void Stream::start(HSTREAM handle, ThreadCount::Token token) {
    handle_.store(handle);
    std::thread([self = shared_from_this(), token = std::move(token)] {
        self->decodeLoop();
    }).detach();
}

void Stream::release() {
    released_.store(true);
    playing_.store(false);
    ring_.close();
    pcm_.close();
}

void Stream::decodeLoop() {
    std::vector<float> pending;
    std::size_t offset = 0;  // frames of pending already queued
    bool more = true;
    while (pcm_.waitWritable()) {
        if (offset * 2 == pending.size()) {
            if (!more) {
                decodeEnded_.store(true);
                pcm_.finish();
                // A decoder that gave up mid-stream must not leave the download blocked on a
                // full buffer: closing it ends the transfer, which reports the end.
                ring_.close();
                return;
            }
            pending.clear();
            offset = 0;
            more = decoder_.decodeNext(pending);
            framesDecoded_.store(decoder_.framesDecoded());
            continue;
        }
        offset += pcm_.push(pending.data() + offset * 2, pending.size() / 2 - offset);
    }
}

std::uint64_t Stream::bytesTaken(const ByteRing::Levels& levels) const {
    if (decodeEnded_.load()) {
        return levels.consumed;
    }
    // The format's probe reads a burst's first frames ahead of the decoder: they are still to
    // be played, so they count as buffered, as long as the fill never reads above the buffer.
    const std::uint64_t taken = std::min(levels.consumed, decoder_.bytesDecoded());
    return levels.finished || levels.written - taken <= end_ ? taken : levels.written - end_;
}

std::uint32_t Stream::filePosition(std::uint32_t mode) const {
    const ByteRing::Levels levels = ring_.levels();
    switch (mode) {
        case FILEPOS_CURRENT:
            return static_cast<std::uint32_t>(bytesTaken(levels));
        case FILEPOS_DOWNLOAD:
            return static_cast<std::uint32_t>(levels.written);
        case FILEPOS_END:
            // Once the download is over, what is buffered is all there will be: the buffer
            // counts as full (and as nothing to wait for once it is empty).
            return levels.finished ? static_cast<std::uint32_t>(levels.written - bytesTaken(levels))
                                   : end_;
        default:
            return fail(ERROR_ILLTYPE, POS_FAILURE32);
    }
}

const char* Stream::tags(std::uint32_t kind) const {
    const char* text = nullptr;
    {
        std::lock_guard lock(mutex_);
        if (kind == TAG_ICY) {
            text = icyTags_;
        } else if (kind == TAG_META) {
            text = meta_;
        }
    }
    return text != nullptr ? text : fail(ERROR_NOTAVAIL, static_cast<const char*>(nullptr));
}

void Stream::addSync(HSYNC id, std::uint32_t type, SyncProc proc, void* user) {
    const SyncEntry entry{id, type, proc, user};
    {
        std::lock_guard lock(mutex_);
        syncs_.push_back(entry);
        if (type != SYNC_DOWNLOAD || !downloadEnded_) {
            return;
        }
    }
    // The end came before anyone asked: tell this caller now, once.
    callSyncs({entry}, nullptr);
}

bool Stream::setPlaying(bool playing) {
    if (playing && ended_.load()) {
        return false;
    }
    playing_.store(playing);
    pcm_.setGate(playing);
    return true;
}

ChannelInfo Stream::info() const {
    ChannelInfo info;
    info.freq = sampleRate_;
    info.chans = channels_;
    return info;
}

std::uint64_t Stream::length() const {
    const std::uint64_t decoded = framesDecoded_.load();
    if (decodeEnded_.load()) {
        return decoded * bytesPerFrame();
    }
    if (durationFrames_ == 0) {
        return fail(ERROR_NOTAVAIL, POS_FAILURE64);
    }
    // Until the decoder has seen the end, the length stays ahead of what has played.
    return std::max(durationFrames_, decoded + 1) * bytesPerFrame();
}

std::uint64_t Stream::position() const {
    const std::uint64_t decoded = framesDecoded_.load();
    if (ended_.load()) {
        return decoded * bytesPerFrame();
    }
    const std::uint64_t played = pcm_.popped() * sampleRate_ / Decoder::kOutputRate;
    return std::min(played, decoded) * bytesPerFrame();
}

bool Stream::onHead(const ReplyHead& head) {
    if (!head.isSuccess()) {
        std::lock_guard lock(mutex_);
        phase_ = Phase::Failed;
        headArrived_.notify_all();
        return false;
    }
    const bool icy = head.hasIcy();
    // An ICY reply is a live stream whatever length it claims.
    const auto length = head.value("content-length");
    const std::int64_t contentLength =
        !icy && length && !length->empty() && std::isdigit(static_cast<unsigned char>((*length)[0]))
            ? static_cast<std::int64_t>(leadingNumber(*length))
            : -1;
    const std::uint32_t metaInterval =
        IcyDemux::parseInterval(head.value("icy-metaint").value_or(std::string()));
    demux_ = std::make_unique<IcyDemux>(
        metaInterval,
        [this](const std::uint8_t* data, std::size_t n) {
            ringOpen_ = ringOpen_ && ring_.write(data, n);
        },
        [this](const std::string& text) { onMeta(text); });

    const std::string block = head.block();
    const char* icyTags = icy ? tags_.keep(block) : nullptr;
    std::lock_guard lock(mutex_);
    headBlock_ = block;
    tags_.release(icyTags_);
    contentType_ = head.value("content-type").value_or(std::string());
    icyTags_ = icyTags;
    contentLength_ = contentLength;
    icyBitRate_ = static_cast<std::uint32_t>(std::min<std::uint64_t>(
        leadingNumber(head.value("icy-br").value_or(std::string())), 100000));
    phase_ = Phase::HeadReady;
    headArrived_.notify_all();
    return true;
}

bool Stream::onBody(const std::uint8_t* data, std::size_t length) {
    demux_->feed(data, length);
    return ringOpen_ && !released_.load();
}

bool Stream::keepGoing(std::chrono::steady_clock::duration sinceLastData) {
    // A server that keeps the connection open and sends nothing counts as gone.
    if (sinceLastData >= options_.timeout) {
        stalled_.store(true);
        return false;
    }
    return !released_.load();
}

void Stream::onEnd() {
    ring_.finish();
    std::vector<SyncEntry> due;
    {
        std::lock_guard lock(mutex_);
        if (phase_ == Phase::Connecting) {
            phase_ = stalled_.load() ? Phase::TimedOut : Phase::Failed;
        }
        headArrived_.notify_all();
        // Set together with taking the list, so a sync added meanwhile is called exactly once.
        downloadEnded_ = true;
        due = syncsOf(SYNC_DOWNLOAD);
    }
    callSyncs(due, nullptr);
}

void Stream::onMeta(const std::string& text) {
    if (text == lastMeta_) {
        return;
    }
    lastMeta_ = text;
    const char* kept = tags_.keep(text);
    std::vector<SyncEntry> due;
    const char* replaced = nullptr;
    {
        std::lock_guard lock(mutex_);
        replaced = meta_;
        meta_ = kept;
        due = syncsOf(SYNC_META);
    }
    tags_.release(replaced);
    callSyncs(due, kept);
}

std::vector<Stream::SyncEntry> Stream::syncsOf(std::uint32_t type) const {
    std::vector<SyncEntry> due;
    for (const SyncEntry& s : syncs_) {
        if (s.type == type) {
            due.push_back(s);
        }
    }
    return due;
}

void Stream::callSyncs(const std::vector<SyncEntry>& due, const char* data) {
    const HSTREAM handle = handle_.load();
    if (handle == 0) {
        return;  // still inside the create call: nobody can have asked yet
    }
    for (const SyncEntry& s : due) {
        if (released_.load()) {
            return;
        }
        s.proc(s.id, handle, data, s.user);
    }
}

std::size_t Stream::pull(float* frames, std::size_t count) {
    return pcm_.pop(frames, count);
}

float Stream::leftGain() const {
    const float volume = static_cast<float>(volume_.load()) / 100.0f;
    const int pan = pan_.load();
    return pan > 0 ? volume * static_cast<float>(100 - pan) / 100.0f : volume;
}

float Stream::rightGain() const {
    const float volume = static_cast<float>(volume_.load()) / 100.0f;
    const int pan = pan_.load();
    return pan < 0 ? volume * static_cast<float>(100 + pan) / 100.0f : volume;
}

bool Stream::drained() const {
    return pcm_.drained();
}

void Stream::playedToEnd() {
    ended_.store(true);
    setPlaying(false);
}

}  // namespace audio
