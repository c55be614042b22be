// Handles, freeing and callbacks: nothing waits for a callback, nothing outlives its stream.

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

#include "EngineFixture.h"
#include "IcyFeed.h"
#include "TestMedia.h"

namespace {

using namespace std::chrono_literals;
using enginetest::EngineTest;
using enginetest::Recorder;

fixture::Reply endlessLive(std::uint32_t interval = 0, std::vector<std::string> titles = {}) {
    icyfeed::Feed feed = icyfeed::toneFeed(1.0, 32000);
    feed.interval = interval;
    feed.titles = std::move(titles);
    feed.titleEvery = 200ms;
    std::vector<std::pair<std::string, std::string>> headers;
    if (interval > 0) {
        headers.emplace_back("icy-metaint", std::to_string(interval));
    }
    return icyfeed::icyReply(feed, headers);
}

TEST_F(EngineTest, InvalidHandlesFailWithAllBitsSet) {
    for (const audio::HSTREAM h : {0u, 987654u}) {
        EXPECT_EQ(audio::StreamGetFilePosition(h, audio::FILEPOS_END), audio::POS_FAILURE32);
        EXPECT_EQ(audio::ErrorGetCode(), audio::ERROR_HANDLE);
        EXPECT_EQ(audio::ChannelGetLength(h), audio::POS_FAILURE64);
        EXPECT_EQ(audio::ChannelGetPosition(h), audio::POS_FAILURE64);
        EXPECT_EQ(audio::ChannelGetTags(h, audio::TAG_META), nullptr);
        EXPECT_FALSE(audio::ChannelPlay(h, false));
        EXPECT_FALSE(audio::ChannelStop(h));
        EXPECT_FALSE(audio::ChannelSetAttributes(h, 0, 50, 0));
        EXPECT_FALSE(audio::StreamFree(h));
        EXPECT_EQ(audio::ErrorGetCode(), audio::ERROR_HANDLE);
    }
}

TEST_F(EngineTest, FreedHandleIsDeadAndNeverReused) {
    server.route("/clip", fixture::Reply::text(testmedia::mp3(), "audio/mpeg"));
    const audio::HSTREAM first = open("/clip");
    ASSERT_NE(first, 0u);
    EXPECT_NE(audio::StreamGetFilePosition(first, audio::FILEPOS_END), audio::POS_FAILURE32);
    EXPECT_EQ(audio::StreamGetFilePosition(first, 7), audio::POS_FAILURE32);
    EXPECT_EQ(audio::ErrorGetCode(), audio::ERROR_ILLTYPE);
    ASSERT_TRUE(audio::StreamFree(first));
    EXPECT_FALSE(audio::StreamFree(first));
    EXPECT_EQ(audio::StreamGetFilePosition(first, audio::FILEPOS_END), audio::POS_FAILURE32);
    // A freed clip counts as ended for the clip watch: both sides all ones.
    EXPECT_EQ(audio::ChannelGetLength(first), audio::ChannelGetPosition(first));

    const audio::HSTREAM second = open("/clip");
    ASSERT_NE(second, 0u);
    EXPECT_GT(second, first);
}

TEST_F(EngineTest, ErrorCodesBelongToTheCallingThread) {
    EXPECT_FALSE(audio::StreamFree(424242));
    ASSERT_EQ(audio::ErrorGetCode(), audio::ERROR_HANDLE);
    int other = -2;
    std::thread([&] {
        audio::SetConfig(audio::CONFIG_NET_BUFFER, 5000);
        other = audio::ErrorGetCode();
    }).join();
    EXPECT_EQ(other, audio::ERROR_OK);
    EXPECT_EQ(audio::ErrorGetCode(), audio::ERROR_HANDLE);
}

TEST_F(EngineTest, FreeWhileDownloadingReturnsAtOnceAndDropsTheConnection) {
    server.route("/live", endlessLive());
    const audio::HSTREAM h = open("/live");
    ASSERT_NE(h, 0u);
    ASSERT_TRUE(audio::ChannelPlay(h, false));
    std::this_thread::sleep_for(300ms);
    const auto before = std::chrono::steady_clock::now();
    ASSERT_TRUE(audio::StreamFree(h));
    EXPECT_LT(std::chrono::steady_clock::now() - before, 100ms);
    handles.clear();
    // The server notices: a second connection is served while the first is gone.
    const audio::HSTREAM again = open("/live");
    EXPECT_NE(again, 0u);
}

// Blocks inside the metadata callback until released, as the window's thread can make it.
struct BlockingSync {
    std::promise<void> entered;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::atomic<int> calls{0};
    std::atomic<bool> left{false};  // the blocked call has returned from its wait

    // Called on the stream's transfer thread.
    static void onSync(audio::HSYNC, audio::HCHANNEL, const char*, void* user) {
        auto* self = static_cast<BlockingSync*>(user);
        if (self->calls.fetch_add(1) == 0) {
            self->entered.set_value();
            self->released.wait();
            self->left.store(true);
        }
    }
};

TEST_F(EngineTest, FreeWhileACallbackBlocksDoesNotWaitForIt) {
    server.route("/live", endlessLive(2000, {"StreamTitle='A';", "StreamTitle='B';",
                                             "StreamTitle='C';", "StreamTitle='D';"}));
    const audio::HSTREAM h = open("/live");
    ASSERT_NE(h, 0u);
    auto sync = std::make_shared<BlockingSync>();
    ASSERT_NE(audio::ChannelSetSync(h, audio::SYNC_META, 0, &BlockingSync::onSync, sync.get()), 0u);
    ASSERT_TRUE(audio::ChannelPlay(h, false));
    ASSERT_EQ(sync->entered.get_future().wait_for(5s), std::future_status::ready);

    // Everything the window's thread calls still answers while the callback is blocked.
    auto freed = std::async(std::launch::async, [h] {
        audio::ChannelStop(h);
        audio::ChannelGetTags(h, audio::TAG_META);
        return audio::StreamFree(h);
    });
    EXPECT_EQ(freed.wait_for(2s), std::future_status::ready);
    handles.clear();
    sync->release.set_value();
    EXPECT_TRUE(freed.get());
    ASSERT_TRUE(enginetest::eventually([&] { return sync->left.load(); }, 2s));
    // No callback after the free has come back.
    std::this_thread::sleep_for(600ms);
    EXPECT_EQ(sync->calls.load(), 1);
}

TEST_F(EngineTest, DownloadSyncFiresWhenTheServerClosesNotWhenFreed) {
    icyfeed::Feed feed = icyfeed::toneFeed(4.0, 24000);
    feed.stopAfter = 40000;
    server.route("/closing", icyfeed::icyReply(feed, {}));
    server.route("/endless", endlessLive());

    Recorder closing;
    const audio::HSTREAM h = open("/closing");
    ASSERT_NE(h, 0u);
    ASSERT_NE(audio::ChannelSetSync(h, audio::SYNC_DOWNLOAD, 0, &Recorder::onSync, &closing), 0u);
    ASSERT_TRUE(audio::ChannelPlay(h, false));
    EXPECT_TRUE(closing.waitUntil([&] { return closing.downloadEnds == 1; }, 5s));
    // Playback goes on from the buffer after the download has ended.
    const std::uint64_t pos = audio::ChannelGetPosition(h);
    std::this_thread::sleep_for(300ms);
    EXPECT_GT(audio::ChannelGetPosition(h), pos);

    Recorder freed;
    const audio::HSTREAM e = open("/endless");
    ASSERT_NE(e, 0u);
    ASSERT_NE(audio::ChannelSetSync(e, audio::SYNC_DOWNLOAD, 0, &Recorder::onSync, &freed), 0u);
    ASSERT_TRUE(audio::StreamFree(e));
    EXPECT_FALSE(freed.waitUntil([&] { return freed.downloadEnds > 0; }, 1500ms));
}

TEST_F(EngineTest, StopHoldsPositionAndPlayResumes) {
    server.route("/clip", fixture::Reply::text(testmedia::mp3(2.0), "audio/mpeg"));
    const audio::HSTREAM h = open("/clip");
    ASSERT_NE(h, 0u);
    ASSERT_TRUE(audio::ChannelPlay(h, false));
    ASSERT_TRUE(enginetest::eventually([&] { return audio::ChannelGetPosition(h) > 0; }, 2s));
    ASSERT_TRUE(audio::ChannelStop(h));
    const std::uint64_t stopped = audio::ChannelGetPosition(h);
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(audio::ChannelGetPosition(h), stopped);
    ASSERT_TRUE(audio::ChannelPlay(h, false));
    EXPECT_TRUE(enginetest::eventually([&] { return audio::ChannelGetPosition(h) > stopped; }, 2s));
}

}  // namespace
