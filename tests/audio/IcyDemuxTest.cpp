#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "IcyDemux.h"
#include "IcyFeed.h"

namespace {

using audio::IcyDemux;

struct Collected {
    std::string audio;
    std::vector<std::string> metas;
};

// Feeds input to a demux in pieces cut at the given offsets.
Collected demux(std::uint32_t interval, const std::string& input,
                const std::vector<std::size_t>& cuts) {
    Collected out;
    IcyDemux d(
        interval,
        [&](const std::uint8_t* data, std::size_t n) {
            out.audio.append(reinterpret_cast<const char*>(data), n);
        },
        [&](const std::string& text) { out.metas.push_back(text); });
    std::size_t at = 0;
    for (std::size_t cut : cuts) {
        d.feed(reinterpret_cast<const std::uint8_t*>(input.data()) + at, cut - at);
        at = cut;
    }
    d.feed(reinterpret_cast<const std::uint8_t*>(input.data()) + at, input.size() - at);
    return out;
}

using icyfeed::metaBlock;

TEST(IcyDemux, SplitAtEveryOffsetGivesTheSameResult) {
    const std::string title = "StreamTitle='Artist - Song';StreamUrl='';";
    // Two intervals of audio, a metadata block, an empty block, and more audio.
    const std::string input = std::string(8, 'a') + metaBlock(title) + std::string(8, 'b') +
                              std::string(1, '\0') + std::string(5, 'c');
    const std::string audioOnly = std::string(8, 'a') + std::string(8, 'b') + "ccccc";
    for (std::size_t cut1 = 0; cut1 <= input.size(); ++cut1) {
        for (std::size_t cut2 = cut1; cut2 <= input.size(); cut2 += 3) {
            const Collected c = demux(8, input, {cut1, cut2});
            ASSERT_EQ(c.audio, audioOnly) << "cut at " << cut1 << "," << cut2;
            ASSERT_EQ(c.metas, std::vector<std::string>{title}) << "cut at " << cut1;
        }
    }
}

TEST(IcyDemux, ByteByByteAcrossSeveralBlocks) {
    std::string input;
    std::string audioOnly;
    for (int i = 0; i < 4; ++i) {
        const std::string chunk(16, static_cast<char>('k' + i));
        input += chunk + metaBlock("StreamTitle='" + std::to_string(i) + "';");
        audioOnly += chunk;
    }
    std::vector<std::size_t> cuts;
    for (std::size_t i = 1; i < input.size(); ++i) {
        cuts.push_back(i);
    }
    const Collected c = demux(16, input, cuts);
    EXPECT_EQ(c.audio, audioOnly);
    ASSERT_EQ(c.metas.size(), 4u);
    EXPECT_EQ(c.metas[3], "StreamTitle='3';");
}

TEST(IcyDemux, NoIntervalPassesEverythingThrough) {
    const std::string input = std::string("\x02StreamTitle='x';", 17) + std::string(40, 'z');
    const Collected c = demux(0, input, {5});
    EXPECT_EQ(c.audio, input);
    EXPECT_TRUE(c.metas.empty());
}

TEST(IcyDemux, MetadataRunningPastTheDataIsNeverReported) {
    // The length byte promises 255 * 16 bytes, but the stream ends long before.
    const std::string input = std::string(4, 'a') + "\xff" + "StreamTitle='cut";
    const Collected c = demux(4, input, {});
    EXPECT_EQ(c.audio, "aaaa");
    EXPECT_TRUE(c.metas.empty());
}

TEST(IcyDemux, LargestBlockIsTakenWhole) {
    const std::string text(255 * 16, 'x');
    const Collected c = demux(2, "ab" + std::string(1, '\xff') + text + "cd", {100, 3000});
    EXPECT_EQ(c.audio, "abcd");
    ASSERT_EQ(c.metas.size(), 1u);
    EXPECT_EQ(c.metas[0].size(), text.size());
}

TEST(IcyDemux, IntervalHeaderValues) {
    EXPECT_EQ(IcyDemux::parseInterval("16000"), 16000u);
    EXPECT_EQ(IcyDemux::parseInterval(" 8192 "), 8192u);
    EXPECT_EQ(IcyDemux::parseInterval("2147483647"), 2147483647u);
    EXPECT_EQ(IcyDemux::parseInterval("2147483648"), 0u);
    EXPECT_EQ(IcyDemux::parseInterval("99999999999999999999"), 0u);
    EXPECT_EQ(IcyDemux::parseInterval("-1"), 0u);
    EXPECT_EQ(IcyDemux::parseInterval("0"), 0u);
    EXPECT_EQ(IcyDemux::parseInterval("12abc"), 0u);
    EXPECT_EQ(IcyDemux::parseInterval(""), 0u);
}

}  // namespace
