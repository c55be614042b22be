#pragma once
// The wait before playback: the workers fill the stream's download buffer themselves (the
// engine's own pre-buffering is off) and report the fill level as they go.

#include <cstdint>
#include <optional>

namespace player {

class PlayerState;
class StatusBridge;
struct WorkerTicket;

// (download - current) * 100 / end in unsigned 32-bit arithmetic. Nothing when the end
// position is unknown (all bits set) or 0, which ends the wait.
std::optional<std::uint32_t> BufferPercent(std::uint32_t download, std::uint32_t current,
                                           std::uint32_t end);

// Worker's thread. Sends status 2 with the fill level of the current stream at each pass
// until it is above playAbove or the end position cannot be read (true: go on and play), or
// a stop was requested or a newer worker started since ticket's (false: end the worker).
// Between passes it waits, at most about 20 ms, until the download has moved on or a stop.
bool WaitForBuffer(PlayerState& state, StatusBridge& bridge, std::uint32_t playAbove,
                   const WorkerTicket& ticket);

}  // namespace player
