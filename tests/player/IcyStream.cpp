#include "IcyStream.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace playertest {

namespace {

constexpr auto kTick = std::chrono::milliseconds(25);

// One metadata block: a length byte in 16-byte units, then the text padded with NULs.
std::string MetaBlock(const std::string& title) {
    std::string text = "StreamTitle='" + title + "';StreamUrl='';";
    text.resize(std::min<std::size_t>((text.size() + 15) / 16 * 16, 255 * 16), '\0');
    return std::string(1, static_cast<char>(text.size() / 16)) + text;
}

}  // namespace

void OnAir::set(std::string title) {
    std::lock_guard lock(mutex_);
    title_ = std::move(title);
}

std::string OnAir::get() const {
    std::lock_guard lock(mutex_);
    return title_;
}

fixture::Reply IcyReply(const IcyStation& station) {
    fixture::Reply reply;
    reply.statusLine = station.head;
    if (station.metaInt > 0) {
        reply.statusLine += "\r\nicy-metaint:" + std::to_string(station.metaInt);
    }
    reply.stream = [station](fixture::Connection& connection) {
        const std::size_t perTick = std::max<std::size_t>(station.bytesPerSecond / 40, 1);
        std::size_t at = 0;
        std::size_t sinceMeta = 0;
        std::string lastTitle;
        bool firstBlock = true;
        while (!connection.stopping()) {
            std::string out;
            while (out.size() < perTick) {
                if (station.metaInt > 0 && sinceMeta == station.metaInt) {
                    const std::string title = station.onAir ? station.onAir->get() : std::string();
                    out +=
                        firstBlock || title != lastTitle ? MetaBlock(title) : std::string(1, '\0');
                    lastTitle = title;
                    firstBlock = false;
                    sinceMeta = 0;
                }
                std::size_t take = std::min(perTick - out.size(), station.audio.size() - at);
                if (station.metaInt > 0) {
                    take = std::min(take, station.metaInt - sinceMeta);
                }
                out.append(station.audio, at, take);
                at = (at + take) % station.audio.size();
                sinceMeta += take;
            }
            if (!connection.write(out) || !connection.sleepFor(kTick)) {
                return;
            }
        }
    };
    return reply;
}

fixture::Reply FileReply(const std::string& bytes) {
    fixture::Reply reply;
    reply.headers.emplace_back("Content-Type", "audio/mpeg");
    reply.body = bytes;
    return reply;
}

std::string ReadMedia(const std::string& name) {
    std::ifstream in(std::string(ZELKOR_PLAYER_MEDIA) + "/" + name, std::ios::binary);
    if (!in) {
        throw std::runtime_error("missing test media " + name);
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

fixture::FaultPlan LivePlan() {
    fixture::FaultPlan plan;
    plan.audio = ReadMedia("live.mp3");
    plan.bytesPerSecond = 16000;
    plan.burst = 64000;
    plan.faulty = 2;
    return plan;
}

}  // namespace playertest
