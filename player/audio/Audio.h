#pragma once
// The audio engine: internet streams with ICY tags, decoding, mixing and output.
// No Qt in here. Every function may be called from any thread. Callbacks run on the
// engine's own threads (or inside the create call), never while an engine lock is held.

#include <cstdint>

namespace audio {

using HSTREAM = std::uint32_t;   // 0 = failure; never reused within a run
using HCHANNEL = std::uint32_t;  // a stream handle is also its channel handle
using HSYNC = std::uint32_t;

// Error codes, as returned by ErrorGetCode() for the calling thread's last call.
enum Error : int {
    ERROR_OK = 0,
    ERROR_MEM = 1,       // out of memory
    ERROR_FILEOPEN = 2,  // the address could not be opened (connection, status)
    ERROR_DRIVER = 3,    // no sound server / output could not be opened
    ERROR_HANDLE = 5,    // invalid or freed handle
    ERROR_FORMAT = 6,    // unsupported sample format
    ERROR_POSITION = 7,  // position not available
    ERROR_INIT = 8,      // Init has not been called successfully
    ERROR_ALREADY = 14,  // already initialised
    ERROR_DEVICE = 23,   // no such device (only -1 and 0 exist)
    ERROR_ILLTYPE = 19,  // illegal type (e.g. tags or position kind)
    ERROR_ILLPARAM = 20,
    ERROR_NOTAVAIL = 37,  // requested data is not available
    ERROR_TIMEOUT = 40,   // connection timed out
    ERROR_FILEFORM = 41,  // unsupported or unrecognised stream format
    ERROR_UNKNOWN = -1,
};

// Config options.
enum Config : int {
    CONFIG_NET_TIMEOUT = 11,  // ms to wait for a connection, a reply or data while opening (10000)
    CONFIG_NET_BUFFER = 12,   // ms of audio the download buffer holds (default 5000)
    CONFIG_NET_PREBUF = 15,   // percent of the buffer to fill before playing (we use 0)
    CONFIG_NET_AGENT = 16,    // User-Agent text for stream requests
};

// Stream creation flags.
constexpr std::uint32_t STREAM_STATUS = 0x800000;  // report the reply headers to the download proc

// File position kinds.
enum FilePos : std::uint32_t {
    FILEPOS_CURRENT = 0,   // bytes the decoder has decoded (read ahead by the probe: not yet)
    FILEPOS_DOWNLOAD = 1,  // bytes downloaded
    // The buffer's size (a file that fits: its length); once the download is over, what is
    // left in the buffer, so the fill reads 100% and an emptied buffer 0 (nothing to wait for).
    FILEPOS_END = 2,
};

// Tag kinds.
enum Tag : std::uint32_t {
    TAG_ICY = 4,   // header lines, each NUL-terminated, ended by an empty one
    TAG_META = 5,  // last metadata text, NUL-terminated ("StreamTitle='...';...")
};

// Sync kinds.
enum Sync : std::uint32_t {
    SYNC_META = 4,  // data = the new metadata text
    // The download ended, broke off, stalled for the net timeout, or the decoder could not go
    // on. Set after that has happened, it is called at once, inside ChannelSetSync.
    SYNC_DOWNLOAD = 18,
};

constexpr std::uint32_t POS_FAILURE32 = 0xFFFFFFFFu;
constexpr std::uint64_t POS_FAILURE64 = ~std::uint64_t{0};

// With STREAM_STATUS: called once per connection with length 0 and the reply's status line
// and header lines as consecutive NUL-terminated strings, ended by an empty one.
using DownloadProc = void (*)(const void* data, std::uint32_t length, void* user);
// Called with the new metadata text (SYNC_META) or nullptr (SYNC_DOWNLOAD).
using SyncProc = void (*)(HSYNC sync, HCHANNEL channel, const char* data, void* user);

struct ChannelInfo {
    std::uint32_t freq = 0;   // the stream's own sample rate in Hz
    std::uint32_t chans = 0;  // the stream's own channel count
    std::uint32_t flags = 0;
    std::uint32_t ctype = 0;
    std::uint32_t origres = 0;
    std::uint32_t plugin = 0;
};

// device -1: the default PulseAudio sink; 0: no sound (a silent clock drives playback).
bool Init(int device, std::uint32_t freq, std::uint32_t flags, void* win);
bool SetConfig(std::uint32_t option, std::uint32_t value);
bool SetConfigPtr(std::uint32_t option, const void* value);
int ErrorGetCode();

// offset is not used: a stream is always read from its start.
HSTREAM StreamCreateURL(const char* url, std::uint32_t offset, std::uint32_t flags,
                        DownloadProc proc, void* user);
// Returns 0 (and closes its connection) unless the stream is AAC.
HSTREAM AacStreamCreateURL(const char* url, std::uint32_t offset, std::uint32_t flags,
                           DownloadProc proc, void* user);
bool StreamFree(HSTREAM handle);
std::uint32_t StreamGetFilePosition(HSTREAM handle, std::uint32_t mode);

const char* ChannelGetTags(HCHANNEL handle, std::uint32_t tags);
HSYNC ChannelSetSync(HCHANNEL handle, std::uint32_t type, std::uint64_t param, SyncProc proc,
                     void* user);
bool ChannelPlay(HCHANNEL handle, bool restart);
bool ChannelStop(HCHANNEL handle);
// freq is not used (a stream always plays at its own rate); volume 0..100 linear (-1 keeps),
// pan -100..+100 (-101 keeps); values outside are clamped.
bool ChannelSetAttributes(HCHANNEL handle, int freq, int volume, int pan);
bool ChannelGetInfo(HCHANNEL handle, ChannelInfo* info);
std::uint64_t ChannelGetLength(HCHANNEL handle);
std::uint64_t ChannelGetPosition(HCHANNEL handle);

}  // namespace audio
