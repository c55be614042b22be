#pragma once
// Shared pieces of the engine tests: the engine opened once per test program on the silent
// device, a fixture server per test, and callbacks that record what they are given.

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "Audio.h"
#include "FixtureServer.h"

namespace enginetest {

// Records every call of the download proc (inside the create call) and of a sync proc.
struct Recorder {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::string> heads;  // status blocks, NULs kept
    std::vector<std::string> metas;  // SYNC_META texts
    int downloadEnds = 0;            // SYNC_DOWNLOAD calls

    static void onDownload(const void* data, std::uint32_t length, void* user);
    static void onSync(audio::HSYNC, audio::HCHANNEL, const char* data, void* user);
    // Waits until pred (called under the lock) holds.
    bool waitUntil(const std::function<bool()>& pred, std::chrono::milliseconds timeout);
};

// (DOWNLOAD - CURRENT) * 100 / END in unsigned 32-bit arithmetic, as the players compute it.
std::uint32_t bufferedPercent(audio::HSTREAM h);

// Polls pred every 10 ms until it holds or the timeout passes.
bool eventually(const std::function<bool()>& pred, std::chrono::milliseconds timeout);

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    audio::HSTREAM open(const std::string& path, Recorder* recorder = nullptr);

    fixture::FixtureServer server;
    std::vector<audio::HSTREAM> handles;  // freed after each test
};

}  // namespace enginetest
