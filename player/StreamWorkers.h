#pragma once
// The thread procedures that open and play a stream, and the engine callbacks they register.
// The callbacks get the Transport as their user pointer.

#include <cstdint>

#include "Audio.h"
#include "PlayerState.h"

namespace player {

class StatusBridge;
class Transport;

// Worker threads: the live stream (connectUrl) and the advertisement clip (prerollUrl). The
// ticket is the one the transport took when it started the thread.
void StreamWorker(Transport& transport, WorkerTicket ticket);
void PrerollWorker(Transport& transport, WorkerTicket ticket);
// Opens the live stream ahead of the clip's end, for StreamWorker to take over.
void LiveAheadWorker(Transport& transport);

// Called by the engine inside the create call, on the worker's thread, with the reply head.
void StreamDownloadProc(const void* data, std::uint32_t length, void* user);
// Called by the engine's stream thread with each new metadata text.
void StreamMetaSync(audio::HSYNC sync, audio::HCHANNEL channel, const char* data, void* user);
// Called by the engine's download thread when a download ends or breaks off.
void StreamDropSync(audio::HSYNC sync, audio::HCHANNEL channel, const char* data, void* user);

// Sends the title of a metadata text as status 7, also when it is empty; nothing without a
// text or without "StreamTitle=".
void PostPlayerStatus(StatusBridge& bridge, const char* metadata);

}  // namespace player
