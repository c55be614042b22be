#pragma once
// One stream from an address: its download (transfer thread), its buffer, its decoder (decoder
// thread) and what the callers read of it. Shared by the handle table, its two threads and the
// mixer; whoever lets go last destroys it, without waiting for anything.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "Audio.h"
#include "ByteRing.h"
#include "Decoder.h"
#include "IcyDemux.h"
#include "MixSource.h"
#include "PcmQueue.h"
#include "TagStore.h"
#include "ThreadCount.h"
#include "Transfer.h"

namespace audio {

struct StreamOptions {
    TransferRequest request;
    std::uint32_t bufferMs = 5000;  // END of a live stream, in ms of audio
    std::chrono::milliseconds timeout{10000};
    bool aacOnly = false;
};

class Stream : public TransferListener,
               public MixSource,
               public std::enable_shared_from_this<Stream> {
public:
    Stream(StreamOptions options, TagStore& tags);
    // Gives its tag texts back to the store, which keeps them a while longer for late readers.
    ~Stream() override;

    // The create call, on the caller's thread: connects, hands the reply head to proc, probes
    // the format. Returns an engine error code; on failure the stream is already released.
    int open(ThreadCount& threads, std::uint32_t flags, DownloadProc proc, void* user);
    // After a successful open(): the handle that callbacks name, and the decoder thread.
    void start(HSTREAM handle, ThreadCount::Token token);
    // Its threads stop on their own and no callback runs any more. Never waits.
    void release();

    // All bits set (and the thread's error) for an unknown kind.
    std::uint32_t filePosition(std::uint32_t mode) const;
    // nullptr (and the thread's error) when there is no such tag.
    const char* tags(std::uint32_t kind) const;
    void addSync(HSYNC id, std::uint32_t type, SyncProc proc, void* user);
    // false once a finite stream has played to its end.
    bool setPlaying(bool playing);
    void setVolume(int volume) { volume_.store(volume); }
    void setPan(int pan) { pan_.store(pan); }
    ChannelInfo info() const;
    // Bytes of 16-bit audio at the stream's own rate and channel count.
    std::uint64_t length() const;
    std::uint64_t position() const;

    // TransferListener: called on the transfer thread.
    bool onHead(const ReplyHead& head) override;
    bool onBody(const std::uint8_t* data, std::size_t length) override;
    bool keepGoing(std::chrono::steady_clock::duration sinceLastData) override;
    void onEnd() override;

    // MixSource: called on the mixer thread.
    std::size_t pull(float* frames, std::size_t count) override;
    float leftGain() const override;
    float rightGain() const override;
    bool drained() const override;
    void playedToEnd() override;

private:
    enum class Phase { Connecting, HeadReady, Failed, TimedOut };
    struct SyncEntry {
        HSYNC id;
        std::uint32_t type;
        SyncProc proc;
        void* user;
    };

    void decodeLoop();
    void onMeta(const std::string& text);
    // Under mutex_.
    std::vector<SyncEntry> syncsOf(std::uint32_t type) const;
    // With no lock held, on the thread that noticed the event.
    void callSyncs(const std::vector<SyncEntry>& due, const char* data);
    std::uint32_t liveBufferBytes() const;
    // FILEPOS_CURRENT: input the decoder has really taken, from any thread.
    std::uint64_t bytesTaken(const ByteRing::Levels& levels) const;
    std::uint32_t bytesPerFrame() const { return channels_ * 2; }

    const StreamOptions options_;
    TagStore& tags_;
    ByteRing ring_;
    // Reads ring_; used by the create call, then only by the decoder thread (bytesDecoded() is
    // safe from any).
    Decoder decoder_;
    PcmQueue pcm_;

    mutable std::mutex mutex_;  // guards the members up to syncs_
    std::condition_variable headArrived_;
    Phase phase_ = Phase::Connecting;
    std::string headBlock_;
    std::string contentType_;
    const char* icyTags_ = nullptr;
    const char* meta_ = nullptr;
    std::int64_t contentLength_ = -1;  // -1: a live stream
    std::uint32_t icyBitRate_ = 0;     // kbit/s from "icy-br", 0 when absent
    std::vector<SyncEntry> syncs_;
    bool downloadEnded_ = false;

    // Set by open() before the handle is published; read-only afterwards.
    std::uint32_t end_ = 0;
    std::uint32_t sampleRate_ = 0;
    std::uint32_t channels_ = 0;
    std::uint64_t durationFrames_ = 0;  // 0: unknown

    // Transfer thread only.
    std::unique_ptr<IcyDemux> demux_;
    std::string lastMeta_;
    bool ringOpen_ = true;

    std::atomic<HSTREAM> handle_{0};
    std::atomic<bool> released_{false};
    std::atomic<bool> stalled_{false};  // the transfer was given up for lack of data
    std::atomic<bool> playing_{false};
    std::atomic<bool> ended_{false};        // played to its end (mixer thread sets it)
    std::atomic<bool> decodeEnded_{false};  // decoder thread sets it
    std::atomic<int> volume_{100};
    std::atomic<int> pan_{0};
    std::atomic<std::uint64_t> framesDecoded_{0};  // at the stream's own rate
};

}  // namespace audio
