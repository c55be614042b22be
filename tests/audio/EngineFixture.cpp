#include "EngineFixture.h"

#include <thread>

namespace enginetest {

void Recorder::onDownload(const void* data, std::uint32_t length, void* user) {
    auto* r = static_cast<Recorder*>(user);
    if (data == nullptr || length != 0) {
        return;
    }
    // The block ends at the first empty line.
    const char* p = static_cast<const char*>(data);
    std::string block;
    while (*p != '\0') {
        const std::string line(p);
        block += line;
        block += '\0';
        p += line.size() + 1;
    }
    std::lock_guard lock(r->mutex);
    r->heads.push_back(block);
    r->changed.notify_all();
}

void Recorder::onSync(audio::HSYNC, audio::HCHANNEL, const char* data, void* user) {
    auto* r = static_cast<Recorder*>(user);
    std::lock_guard lock(r->mutex);
    if (data != nullptr) {
        r->metas.emplace_back(data);
    } else {
        ++r->downloadEnds;
    }
    r->changed.notify_all();
}

bool Recorder::waitUntil(const std::function<bool()>& pred, std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex);
    return changed.wait_for(lock, timeout, pred);
}

std::uint32_t bufferedPercent(audio::HSTREAM h) {
    const std::uint32_t end = audio::StreamGetFilePosition(h, audio::FILEPOS_END);
    const std::uint32_t down = audio::StreamGetFilePosition(h, audio::FILEPOS_DOWNLOAD);
    const std::uint32_t current = audio::StreamGetFilePosition(h, audio::FILEPOS_CURRENT);
    return end == 0 ? 0 : (down - current) * 100u / end;
}

bool eventually(const std::function<bool()>& pred, std::chrono::milliseconds timeout) {
    const auto until = std::chrono::steady_clock::now() + timeout;
    while (!pred()) {
        if (std::chrono::steady_clock::now() > until) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

void EngineTest::SetUp() {
    // Once per program: the engine is opened on the silent device, with the real clock.
    static const bool initialised = audio::Init(0, 44100, 0, nullptr);
    ASSERT_TRUE(initialised);
    audio::SetConfig(audio::CONFIG_NET_BUFFER, 5000);
    audio::SetConfig(audio::CONFIG_NET_TIMEOUT, 2000);
    audio::SetConfigPtr(audio::CONFIG_NET_AGENT, nullptr);
}

void EngineTest::TearDown() {
    for (audio::HSTREAM h : handles) {
        audio::StreamFree(h);
    }
}

audio::HSTREAM EngineTest::open(const std::string& path, Recorder* recorder) {
    const audio::HSTREAM h =
        audio::StreamCreateURL(server.url(path).c_str(), 0, audio::STREAM_STATUS,
                               recorder != nullptr ? &Recorder::onDownload : nullptr, recorder);
    if (h != 0) {
        handles.push_back(h);
    }
    return h;
}

}  // namespace enginetest
