#include "core/export/Packer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace murelo {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Packed(std::size_t (*packer)(std::span<const std::uint8_t>, std::span<std::uint8_t>),
             const Bytes& in) {
    Bytes out(PackedSizeBound(in.size()));
    out.resize(packer(in, out));
    return out;
}

Bytes PackedBytes(const Bytes& in) {
    return Packed(&PackBytes, in);
}
Bytes PackedPairs(const Bytes& in) {
    return Packed(&PackPairs, in);
}

// Reads a packed stream the way the tape loader does; fails the test on a malformed one.
Bytes Unpack(const Bytes& stream, std::size_t from = 0) {
    Bytes out;
    std::size_t i = from;
    while (true) {
        if (i >= stream.size()) {
            ADD_FAILURE() << "stream has no end code";
            return out;
        }
        const std::uint8_t code = stream[i++];
        if (code == 0xFF)
            return out;
        if (code < 0x80) {
            for (int k = 0; k <= code; ++k)
                out.push_back(stream.at(i++));
        } else if (code < 0xC0) {
            const std::uint8_t b = stream.at(i++);
            out.insert(out.end(), (code & 0x3F) + 1, b);
        } else {
            const std::uint8_t a = stream.at(i++), b = stream.at(i++);
            for (int k = 0; k <= (code & 0x3F); ++k) {
                out.push_back(a);
                out.push_back(b);
            }
        }
    }
}

// Bytes where no two neighbours are equal, and no pair repeats next to itself.
Bytes Incompressible(std::size_t n) {
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i)
        b[i] = std::uint8_t((i * 7 + i / 256) % 251);
    return b;
}

TEST(PackPairs, SixThousandZerosAre148Bytes) {
    Bytes expected;
    for (int i = 0; i < 48; ++i)
        expected.insert(expected.end(), {0xFE, 0x00, 0x00}); // 63 pairs each: 3024 pairs
    expected.insert(expected.end(), {0xEF, 0x00, 0x00});     // the last 48 pairs
    expected.push_back(0xFF);
    const Bytes packed = PackedPairs(Bytes(ScreenTableSize, 0));
    EXPECT_EQ(packed.size(), 148u);
    EXPECT_EQ(packed, expected);
}

TEST(PackBytes, SixThousandZerosAre193Bytes) {
    Bytes expected;
    for (int i = 0; i < 96; ++i)
        expected.insert(expected.end(), {0xBF, 0x00});
    expected.push_back(0xFF);
    const Bytes packed = PackedBytes(Bytes(ScreenTableSize, 0));
    EXPECT_EQ(packed.size(), 193u);
    EXPECT_EQ(packed, expected);
}

TEST(PackPairs, FourEqualBytesBecomeAByteRun) {
    EXPECT_EQ(PackedPairs({0x11, 0x11, 0x11, 0x11, 0x01, 0x02}),
              (Bytes{0x83, 0x11, 0x01, 0x01, 0x02, 0xFF}));
}

TEST(PackPairs, EqualBytePairsUseAByteRunOnlyUpTo31Pairs) {
    EXPECT_EQ(PackedPairs(Bytes(62, 7)), (Bytes{0xBD, 7, 0xFF}));    // 31 pairs: 62 bytes
    EXPECT_EQ(PackedPairs(Bytes(64, 7)), (Bytes{0xDF, 7, 7, 0xFF})); // 32 pairs
    // 64 pairs: one run is at most 63 pairs; the single pair left is a literal.
    EXPECT_EQ(PackedPairs(Bytes(128, 7)), (Bytes{0xFE, 7, 7, 0x01, 7, 7, 0xFF}));
}

TEST(PackPairs, UnequalPairRunAndLiteralLimit) {
    EXPECT_EQ(PackedPairs({1, 2, 1, 2, 1, 2}), (Bytes{0xC2, 1, 2, 0xFF}));
    // 70 different pairs: a literal of 64 pairs (128 bytes), then one of 6 pairs.
    const Bytes in = Incompressible(140);
    const Bytes packed = PackedPairs(in);
    ASSERT_EQ(packed.size(), 1 + 128 + 1 + 12 + 1u);
    EXPECT_EQ(packed[0], 0x7F);
    EXPECT_EQ(packed[129], 0x0B);
    EXPECT_EQ(packed.back(), 0xFF);
    EXPECT_EQ(Unpack(packed), in);
}

TEST(PackBytes, ShortRunsJoinTheLiteral) {
    EXPECT_EQ(PackedBytes({1, 2, 2, 3, 3, 3}), (Bytes{0x02, 1, 2, 2, 0x82, 3, 0xFF}));
    EXPECT_EQ(PackedBytes({5}), (Bytes{0x00, 5, 0xFF}));
    EXPECT_EQ(PackedBytes({}), (Bytes{0xFF}));
}

TEST(PackBytes, RunsStopAt64) {
    EXPECT_EQ(PackedBytes(Bytes(70, 0x55)), (Bytes{0xBF, 0x55, 0x85, 0x55, 0xFF}));
}

TEST(PackBytes, LiteralNeverExceeds128Bytes) {
    // 127 different bytes and then a pair: the pair would make 129, so the 127 go first.
    Bytes in = Incompressible(127);
    in.push_back(0xF0);
    in.push_back(0xF0);
    const Bytes packed = PackedBytes(in);
    ASSERT_EQ(packed.size(), 1 + 127 + 1 + 2 + 1u);
    EXPECT_EQ(packed[0], 0x7E);
    EXPECT_EQ(packed[128], 0x01);
    EXPECT_EQ(Unpack(packed), in);
}

TEST(Packers, IncompressibleTablesGrowButStayWithinTheBound) {
    const Bytes in = Incompressible(ScreenTableSize);
    const Bytes bytes = PackedBytes(in);
    const Bytes pairs = PackedPairs(in);
    EXPECT_GT(bytes.size(), ScreenTableSize);
    EXPECT_GT(pairs.size(), ScreenTableSize);
    EXPECT_LE(bytes.size(), PackedSizeBound(ScreenTableSize));
    EXPECT_EQ(Unpack(bytes), in);
    EXPECT_EQ(Unpack(pairs), in);
}

TEST(Packers, BothStreamsDecodeToTheInput) {
    Bytes in;
    for (int block = 0; block < 40; ++block) {
        in.insert(in.end(), std::size_t(block % 9 + 1), std::uint8_t(block * 3));
        for (int k = 0; k < block % 5; ++k)
            in.insert(in.end(), {std::uint8_t(block), std::uint8_t(block + 1)});
        in.insert(in.end(), std::size_t(block * 4), 0xAA);
    }
    if (in.size() % 2)
        in.push_back(9);
    EXPECT_EQ(Unpack(PackedBytes(in)), in);
    EXPECT_EQ(Unpack(PackedPairs(in)), in);
}

TEST(Packers, RefuseABufferBelowTheWorstCase) {
    const Bytes in(100, 0);
    Bytes out(PackedSizeBound(100) - 1);
    EXPECT_THROW(PackBytes(in, out), std::length_error);
    EXPECT_THROW(PackPairs(in, out), std::length_error);
    Bytes odd(3, 0), room(PackedSizeBound(3));
    EXPECT_THROW(PackPairs(odd, room), std::invalid_argument);
}

std::vector<std::uint8_t> Vram() {
    return std::vector<std::uint8_t>(0x4000, 0);
}

TEST(PackScreen, ZeroTablesTakeThePairStreams) {
    const PackedScreen packed = PackScreen(Vram());
    ASSERT_EQ(packed.size(), 5 + 148 + 148u);
    EXPECT_EQ(packed.flags(), 0);
    EXPECT_EQ(packed.patternOffset(), 4u);
    EXPECT_EQ(packed.colorOffset(), 4 + 148u);
    EXPECT_EQ(packed.bytes[5], 0xFE);
    EXPECT_EQ(packed.bytes[5 + 147], 0xFF);
    EXPECT_EQ(packed.bytes.back(), 0xFF);
}

TEST(PackScreen, ARawPatternBlockMovesTheColourBlockBehindIt) {
    auto vram = Vram();
    const Bytes pattern = Incompressible(ScreenTableSize);
    std::copy(pattern.begin(), pattern.end(), vram.begin());
    const PackedScreen packed = PackScreen(vram);
    EXPECT_EQ(packed.flags(), PatternStoredRaw);
    EXPECT_EQ(packed.patternOffset(), 4u);
    EXPECT_EQ(packed.colorOffset(), 4 + ScreenTableSize);
    EXPECT_TRUE(std::equal(pattern.begin(), pattern.end(), packed.bytes.begin() + 5));
    EXPECT_EQ(packed.bytes[5 + ScreenTableSize], 0xFE); // the zero colour table, packed
    EXPECT_EQ(packed.size(), 5 + ScreenTableSize + 148);
}

TEST(PackScreen, ARawColourBlock) {
    auto vram = Vram();
    const Bytes color = Incompressible(ScreenTableSize);
    std::copy(color.begin(), color.end(), vram.begin() + 0x2000);
    const PackedScreen packed = PackScreen(vram);
    EXPECT_EQ(packed.flags(), ColorStoredRaw);
    EXPECT_EQ(packed.colorOffset(), 4 + 148u);
    EXPECT_TRUE(std::equal(color.begin(), color.end(), packed.bytes.begin() + 5 + 148));
    EXPECT_EQ(packed.size(), 5 + 148 + ScreenTableSize);
}

TEST(PackScreen, TakesTheByteStreamWhenItIsShorter) {
    // Runs of three: 2 bytes per run as single bytes, while almost no pair repeats.
    auto vram = Vram();
    for (std::size_t i = 0; i < ScreenTableSize; ++i)
        vram[i] = std::uint8_t(i / 3 % 200);
    const PackedScreen packed = PackScreen(vram);
    EXPECT_EQ(packed.flags(), 0);
    EXPECT_EQ(packed.colorOffset(), 4 + 2048 * 2 + 1u);
    EXPECT_EQ(packed.bytes[5], 0x82);
    EXPECT_EQ(packed.bytes[6], 0);
    EXPECT_EQ(packed.bytes[7], 0x82);
    EXPECT_EQ(packed.bytes[8], 1);
    const Bytes stream(packed.bytes.begin() + 5, packed.bytes.end());
    EXPECT_EQ(Unpack(stream), Bytes(vram.begin(), vram.begin() + ScreenTableSize));
}

TEST(PackScreen, RefusesATooSmallImage) {
    EXPECT_THROW(PackScreen(std::vector<std::uint8_t>(0x37FF)), std::invalid_argument);
}

} // namespace
} // namespace murelo
