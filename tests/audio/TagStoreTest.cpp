// The tag store: texts live while held and for the grace time after, and no longer.

#include <gtest/gtest.h>

#include <string>

#include "TagStore.h"

namespace {

using audio::TagStore;

TEST(TagStore, KeepsOnlyWhatCallersMayStillRead) {
    TagStore store;
    const auto t0 = TagStore::Clock::now();
    const char* station = store.keep("icy-name: Radio One", t0);
    // A title a minute for a day: each replaced one is let go at once.
    for (int minute = 0; minute < 24 * 60; ++minute) {
        const auto at = t0 + std::chrono::minutes(minute);
        const char* title = store.keep("StreamTitle='Song " + std::to_string(minute) + "';", at);
        store.release(title, at + std::chrono::seconds(1));
    }
    EXPECT_LE(store.size(), 2u);
    EXPECT_STREQ(station, "icy-name: Radio One");  // still held

    // Just inside the grace time a released text is still readable; just past it, gone.
    const auto later = t0 + std::chrono::hours(30);
    const char* last = store.keep("StreamTitle='Last';", later);
    store.release(last, later);
    store.keep("other", later + TagStore::kGrace - std::chrono::milliseconds(1));
    EXPECT_STREQ(last, "StreamTitle='Last';");
    EXPECT_EQ(store.size(), 3u);
    store.keep("other", later + TagStore::kGrace);
    EXPECT_EQ(store.size(), 2u);

    // Equal texts are one entry with two holders: gone only after both let go.
    const char* a = store.keep("same", later);
    const char* b = store.keep("same", later);
    EXPECT_EQ(a, b);
    store.release(a, later);
    store.release(station, later + TagStore::kGrace * 3);
    EXPECT_STREQ(b, "same");
    store.release(b, later + TagStore::kGrace * 3);
    store.release(nullptr);
    EXPECT_EQ(store.size(), 3u);
    store.keep("other", later + TagStore::kGrace * 5);
    EXPECT_EQ(store.size(), 1u);  // "other", still held
}

}  // namespace
