#include "BufferWait.h"

#include <chrono>
#include <thread>

#include "Audio.h"
#include "PlayerState.h"
#include "StatusBridge.h"

namespace player {

namespace {

constexpr auto kPollStep = std::chrono::milliseconds(5);
constexpr int kPollSteps = 4;

bool Cancelled(const PlayerState& state, const WorkerTicket& ticket) {
    return state.stopRequested(ticket) || state.superseded(ticket);
}

void WaitForProgress(const PlayerState& state, std::uint32_t download, const WorkerTicket& ticket) {
    for (int step = 0; step < kPollSteps && !Cancelled(state, ticket); ++step) {
        std::this_thread::sleep_for(kPollStep);
        if (audio::StreamGetFilePosition(state.currentChannel(), audio::FILEPOS_DOWNLOAD) !=
            download) {
            return;
        }
    }
}

}  // namespace

std::optional<std::uint32_t> BufferPercent(std::uint32_t download, std::uint32_t current,
                                           std::uint32_t end) {
    if (end == audio::POS_FAILURE32 || end == 0) {
        return std::nullopt;
    }
    return (download - current) * 100u / end;
}

bool WaitForBuffer(PlayerState& state, StatusBridge& bridge, std::uint32_t playAbove,
                   const WorkerTicket& ticket) {
    for (;;) {
        const audio::HSTREAM channel = state.currentChannel();
        const std::uint32_t end = audio::StreamGetFilePosition(channel, audio::FILEPOS_END);
        const std::uint32_t download =
            audio::StreamGetFilePosition(channel, audio::FILEPOS_DOWNLOAD);
        const auto percent = BufferPercent(
            download, audio::StreamGetFilePosition(channel, audio::FILEPOS_CURRENT), end);
        if (!percent) {
            return true;
        }
        // Dropped when it comes to the window after a stop or a newer start, so that it never
        // overwrites what they showed.
        bridge.sendStatus(StatusBuffering, static_cast<std::intptr_t>(static_cast<int>(*percent)),
                          [&state, ticket] { return !Cancelled(state, ticket); });
        if (Cancelled(state, ticket)) {
            return false;
        }
        if (*percent > playAbove) {
            return true;
        }
        WaitForProgress(state, download, ticket);
        if (Cancelled(state, ticket)) {
            return false;  // checked again so a stop is not followed by one more percentage
        }
    }
}

}  // namespace player
