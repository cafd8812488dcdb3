// The four kinds of pass source: what each writes, byte by byte and buffer by buffer.
#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "shred/CharGenerators.h"
#include "shred/KISSRandomGenerator.h"

namespace dovrel {
namespace {

using Bytes = std::vector<std::uint8_t>;

THexGenerator MakeHex(const Bytes& pattern) {
    THexGenerator hex(pattern[0]);
    for (std::size_t i = 1; i < pattern.size(); ++i)
        hex.AddByte(pattern[i]);
    return hex;
}

// Runs the generator over a pass of the given piece sizes, one Apply per piece.
Bytes ApplyInPieces(TCharGenerator& generator, const std::vector<std::size_t>& pieces) {
    Bytes out(std::accumulate(pieces.begin(), pieces.end(), std::size_t{0}), 0x5A);
    std::size_t at = 0;
    for (const std::size_t piece : pieces) {
        generator.Apply(out.data() + at, piece);
        at += piece;
    }
    return out;
}

TEST(CharGenerators, HexPatternRepeatsWithoutGapAcrossBuffersAndSingleCalls) {
    const std::vector<Bytes> patterns = {{0x00}, {0x92, 0x49, 0x24}, {0xFF, 0xFF, 0xFF, 0xFD}};
    const std::vector<std::vector<std::size_t>> splits = {
        {7}, {1, 1, 5}, {2, 4, 1}, {65536, 34464}, {5, 65536, 3}};
    for (const Bytes& pattern : patterns) {
        for (const auto& pieces : splits) {
            SCOPED_TRACE(testing::Message()
                         << "pattern length " << pattern.size() << ", first piece " << pieces[0]);
            THexGenerator buffered = MakeHex(pattern);
            THexGenerator single = MakeHex(pattern);
            const Bytes out = ApplyInPieces(buffered, pieces);
            for (std::size_t i = 0; i < out.size(); ++i) {
                ASSERT_EQ(out[i], pattern[i % pattern.size()]) << "byte " << i;
                ASSERT_EQ(single.NextByte(0x5A), out[i]) << "byte " << i;
            }
            // Both forms leave the same position for what follows.
            EXPECT_EQ(buffered.NextByte(0), single.NextByte(0));
        }
    }
}

TEST(CharGenerators, HexPatternOfThreeBytesOverSevenBytes) {
    THexGenerator hex = MakeHex({0x92, 0x49, 0x24});
    Bytes out;
    for (int i = 0; i < 7; ++i)
        out.push_back(hex.NextByte(0));
    EXPECT_EQ(out, (Bytes{0x92, 0x49, 0x24, 0x92, 0x49, 0x24, 0x92}));
}

TEST(CharGenerators, InvertWritesTheComplementOfWhatIsOnDisk) {
    TInvertGenerator invert;
    EXPECT_EQ(invert.NextByte(0x3C), 0xC3);
    Bytes all(256);
    std::iota(all.begin(), all.end(), std::uint8_t{0});
    invert.Apply(all.data(), 3);  // shorter than a word, then words and a tail
    invert.Apply(all.data() + 3, all.size() - 3);
    for (int v = 0; v < 256; ++v)
        ASSERT_EQ(all[v], 255 - v);
}

TEST(CharGenerators, RandomCharDrawsOnceAtCreationAndRepeatsThatValue) {
    TKissState expected = KissStateNow();
    TRandomCharGenerator first(0, 255);
    TRandomCharGenerator second(0, 255);
    EXPECT_EQ(first.Value(), expected.Next() % 255);
    EXPECT_EQ(second.Value(), expected.Next() % 255);

    const Bytes out = ApplyInPieces(first, {3, 65536});
    EXPECT_EQ(out, Bytes(out.size(), first.Value()));
    EXPECT_EQ(first.NextByte(0x00), first.Value());
    EXPECT_EQ(KissStateNow(), expected) << "writing must not draw";
}

TEST(CharGenerators, RandomDrawsAFreshByteBelow255AtEveryPosition) {
    TKissState expected = KissStateNow();
    TRandomGenerator random(0, 255);
    EXPECT_EQ(KissStateNow(), expected) << "creation must not draw";

    const Bytes out = ApplyInPieces(random, {1, 65536, 34463});
    for (std::size_t i = 0; i < out.size(); ++i)
        ASSERT_EQ(out[i], expected.Next() % 255) << "byte " << i;
    EXPECT_EQ(random.NextByte(0x00), expected.Next() % 255);
    EXPECT_EQ(KissStateNow(), expected);
}

}  // namespace
}  // namespace dovrel
