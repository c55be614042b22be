#include "StreamWorkers.h"

#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "BufferWait.h"
#include "GuiCall.h"
#include "StatusBridge.h"
#include "StreamTitle.h"
#include "Transport.h"

namespace player {

namespace {

constexpr std::uint32_t kStreamPlayAbove = 75;
constexpr std::uint32_t kClipPlayAbove = 30;

constexpr char kAgent[] = "brenvikdesktop";

enum class Opened { Current, Failed, Superseded };

// The AAC reader first; any other stream is then opened again by the general reader.
audio::HSTREAM CreateEither(const std::string& url, audio::DownloadProc proc, void* user) {
    audio::HSTREAM handle =
        audio::AacStreamCreateURL(url.c_str(), 0, audio::STREAM_STATUS, proc, user);
    if (handle == 0) {
        handle = audio::StreamCreateURL(url.c_str(), 0, audio::STREAM_STATUS, proc, user);
    }
    return handle;
}

// A worker started meanwhile has freed what was current when it began, not what this one was
// still creating: a stream made for a superseded start is freed here, so none lives on unowned
// and only the newest start is heard. The superseded worker ends silently; the newer one
// reports.
Opened Adopt(Transport& transport, audio::HSTREAM handle, const WorkerTicket& ticket) {
    if (!transport.state().adopt(ticket, handle)) {
        audio::StreamFree(handle);
        return Opened::Superseded;
    }
    return handle != 0 ? Opened::Current : Opened::Failed;
}

Opened OpenStream(Transport& transport, const std::string& url, const WorkerTicket& ticket) {
    return Adopt(transport, CreateEither(url, StreamDownloadProc, &transport), ticket);
}

// The live stream opened ahead, when there is one for the address, with its connections'
// status lines reported now, where a connection of its own would have reported them.
Opened TakeOrOpenLive(Transport& transport, const std::string& url, const WorkerTicket& ticket) {
    auto ready = transport.liveAhead().take(url);
    if (!ready) {
        return OpenStream(transport, url, ticket);
    }
    for (const std::string& line : ready->heads) {
        StreamDownloadProc(line.c_str(), 0, &transport);
    }
    return Adopt(transport, ready->handle, ticket);
}

// Called inside the create calls of LiveAheadWorker: keeps each status line for later.
void KeepStatusLine(const void* data, std::uint32_t length, void* user) {
    if (data != nullptr && length == 0) {
        static_cast<std::vector<std::string>*>(user)->emplace_back(static_cast<const char*>(data));
    }
}

// Status 1 for a failed create; true when the worker may go on.
bool CanGoOn(StatusBridge& bridge, Opened opened) {
    if (opened == Opened::Failed) {
        bridge.sendStatus(StatusNoConnection);
    }
    return opened == Opened::Current;
}

// A bridge (a live stream that lost its connection) is left playing: the retry frees it once
// its own stream plays.
void FreeCurrent(PlayerState& state) {
    state.setLiveChannel(0);  // replacing a stream is not losing it
    const audio::HSTREAM current = state.currentChannel();
    if (current != state.bridgeChannel()) {
        audio::StreamFree(current);
    }
}

// The ICY name as status 3 and the bit rate as status 4, in the order the server sent them.
void SendIcyHeaders(StatusBridge& bridge, const char* tags) {
    if (tags == nullptr) {
        return;
    }
    for (const char* line = tags; *line != '\0'; line += std::strlen(line) + 1) {
        const std::string text(line);
        if (text.compare(0, 9, "icy-name:") == 0) {
            bridge.sendText(StatusStreamName, text.c_str() + 9);
        } else if (text.compare(0, 7, "icy-br:") == 0) {
            const std::string bitRate = "BitRate: " + text.substr(7);
            bridge.sendText(StatusBitRate, bitRate.c_str());
        }
    }
}

// A copy, so the text outlives a stream that another worker frees meanwhile.
std::optional<std::string> CopyTags(audio::HSTREAM handle, audio::Tag kind) {
    const char* tags = audio::ChannelGetTags(handle, kind);
    if (tags == nullptr) {
        return std::nullopt;
    }
    if (kind == audio::TAG_META) {
        return std::string(tags);
    }
    // Header lines: keep every NUL up to and including the empty line that ends them.
    std::size_t size = 0;
    while (tags[size] != '\0') {
        size += std::strlen(tags + size) + 1;
    }
    return std::string(tags, size + 1);
}

}  // namespace

void StreamWorker(Transport& transport, WorkerTicket ticket) {
    PlayerState& state = transport.state();
    StatusBridge& bridge = transport.bridge();
    FreeCurrent(state);
    audio::SetConfigPtr(audio::CONFIG_NET_AGENT, kAgent);
    bridge.sendStatus(StatusConnecting);
    if (!CanGoOn(bridge, TakeOrOpenLive(transport, state.connectUrl(), ticket))) {
        return;
    }
    if (!WaitForBuffer(state, bridge, kStreamPlayAbove, ticket)) {
        return;  // stopped: the next worker frees the stream
    }
    // From here on a newer worker may have replaced the stream: use whichever is current.
    const auto icy = CopyTags(state.currentChannel(), audio::TAG_ICY);
    SendIcyHeaders(bridge, icy ? icy->c_str() : nullptr);
    const auto meta = CopyTags(state.currentChannel(), audio::TAG_META);
    PostPlayerStatus(bridge, meta ? meta->c_str() : nullptr);
    audio::ChannelSetSync(state.currentChannel(), audio::SYNC_META, 0, StreamMetaSync, &transport);
    state.setLiveChannel(state.currentChannel());
    audio::ChannelSetSync(state.currentChannel(), audio::SYNC_DOWNLOAD, 0, StreamDropSync,
                          &transport);
    // Silent from its first sample even while the window is busy: the slider follows when the
    // window gets to it, and the fade-in starts from there.
    audio::ChannelSetAttributes(state.currentChannel(), 0, 0, 2);
    PostToGui(&transport, [&transport] { transport.startSilent(); });
    audio::StreamFree(state.takeBridgeChannel());
    audio::ChannelPlay(state.currentChannel(), false);
    PostToGui(&transport, [&transport] { transport.startFadeIn(); });
    audio::ChannelInfo info;
    if (audio::ChannelGetInfo(state.currentChannel(), &info)) {
        PostToGui(&transport,
                  [&transport, info] { transport.showChannelInfo(info.freq, info.chans); });
    }
}

void PrerollWorker(Transport& transport, WorkerTicket ticket) {
    PlayerState& state = transport.state();
    StatusBridge& bridge = transport.bridge();
    FreeCurrent(state);
    audio::StreamFree(state.takeBridgeChannel());
    if (!CanGoOn(bridge, OpenStream(transport, state.prerollUrl(), ticket))) {
        return;
    }
    if (!WaitForBuffer(state, bridge, kClipPlayAbove, ticket)) {
        return;
    }
    CallOnGui(&transport, [&transport] { transport.applySliderVolume(); });
    CallOnGui(&transport, [&transport] { transport.showClipPlaying(); });
    audio::ChannelPlay(state.currentChannel(), false);
    CallOnGui(&transport, [&transport] { transport.watchClipEnd(); });
}

void LiveAheadWorker(Transport& transport) {
    audio::SetConfigPtr(audio::CONFIG_NET_AGENT, kAgent);
    std::vector<std::string> heads;
    const audio::HSTREAM handle = CreateEither(transport.liveAhead().url(), KeepStatusLine, &heads);
    transport.liveAhead().finish(handle, std::move(heads));
}

void StreamDownloadProc(const void* data, std::uint32_t length, void* user) {
    if (data != nullptr && length == 0) {
        static_cast<Transport*>(user)->bridge().sendText(StatusServerReply,
                                                         static_cast<const char*>(data));
    }
}

void StreamMetaSync(audio::HSYNC, audio::HCHANNEL, const char* data, void* user) {
    PostPlayerStatus(static_cast<Transport*>(user)->bridge(), data);
}

void StreamDropSync(audio::HSYNC, audio::HCHANNEL channel, const char*, void* user) {
    auto* transport = static_cast<Transport*>(user);
    if (transport->state().dropLiveChannel(channel)) {
        transport->bridge().sendStatus(StatusNoConnection);
    }
}

void PostPlayerStatus(StatusBridge& bridge, const char* metadata) {
    if (const auto title = ExtractStreamTitle(metadata)) {
        bridge.sendText(StatusTitle, title->c_str());
    }
}

}  // namespace player
