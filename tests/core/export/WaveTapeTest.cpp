#include "core/export/WaveTape.h"

#include "support/TestData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace murelo {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Decodes MSX cassette bytes from samples that hold nothing else.
Bytes Decode(const Bytes& s, std::size_t from, std::size_t to, int longCycle) {
    Bytes out;
    std::size_t i = from;
    auto cycle = [&]() {
        std::size_t start = i;
        while (i < to && s[i] > 128)
            ++i;
        while (i < to && s[i] < 128)
            ++i;
        return int(i - start);
    };
    auto bit = [&]() {
        const int first = cycle();
        if (first == longCycle)
            return 0;
        EXPECT_EQ(first, longCycle / 2);
        EXPECT_EQ(cycle(), longCycle / 2);
        return 1;
    };
    while (i < to) {
        EXPECT_EQ(bit(), 0);
        int value = 0;
        for (int b = 0; b < 8; ++b)
            value |= bit() << b;
        EXPECT_EQ(bit(), 1);
        EXPECT_EQ(bit(), 1);
        out.push_back(std::uint8_t(value));
    }
    return out;
}

bool AllSilent(const Bytes& s, std::size_t from, std::size_t count) {
    return std::all_of(s.begin() + std::ptrdiff_t(from), s.begin() + std::ptrdiff_t(from + count),
                       [](std::uint8_t v) { return v == 128; });
}

struct Tape {
    Bytes loader = Bytes(496, 0x3C);
    Bytes packed = Bytes(301, 0xA5);
    TapeFile file;
    Tape() {
        file.name = TapeName("AB", "/x/y.wav");
        file.header = {0x9000, 0x9000 + 495 + 301, 0x9000};
        file.loader = loader;
        file.packed = packed;
    }
};

void CheckTape(int multiplier) {
    SCOPED_TRACE(multiplier == 1 ? "1200 baud" : "2400 baud");
    test::TempDir dir;
    const Tape tape;
    WriteWavTape(dir / "T.wav", tape.file, multiplier, 64);
    const Bytes file = test::ReadBytes(dir / "T.wav");
    const Bytes s(file.begin() + 44, file.end());

    const std::size_t byteSamples = 440 / std::size_t(multiplier);
    const std::size_t headerBlock = 24000 + 320000;
    const std::size_t dataBlock = headerBlock + 16 * byteSamples + 48000 + 80000;
    const std::size_t dataBytes = 6 + 496 + 301;
    ASSERT_EQ(s.size(), dataBlock + dataBytes * byteSamples + 24000);
    EXPECT_EQ(file[40] | file[41] << 8 | file[42] << 16, int(s.size()));

    EXPECT_TRUE(AllSilent(s, 0, 24000));
    // The long tone: high-tone cycles only.
    EXPECT_EQ(s[24000], 160);
    EXPECT_EQ(s[24000 + 10 / multiplier], 96);
    Bytes header = Decode(s, headerBlock, headerBlock + 16 * byteSamples, 40 / multiplier);
    const Bytes expectedHeader = {0xD0, 0xD0, 0xD0, 0xD0, 0xD0, 0xD0, 0xD0, 0xD0,
                                  0xD0, 0xD0, 0x41, 0x42, 0x20, 0x20, 0x20, 0x20};
    EXPECT_EQ(header, expectedHeader);
    EXPECT_TRUE(AllSilent(s, headerBlock + 16 * byteSamples, 48000));

    Bytes data = Decode(s, dataBlock, dataBlock + dataBytes * byteSamples, 40 / multiplier);
    Bytes expected = {0x00, 0x90, 0x1C, 0x93, 0x00, 0x90}; // end 0x9000 + 495 + 301
    expected.insert(expected.end(), tape.loader.begin(), tape.loader.end());
    expected.insert(expected.end(), tape.packed.begin(), tape.packed.end());
    EXPECT_EQ(data, expected);
    EXPECT_TRUE(AllSilent(s, s.size() - 24000, 24000));
}

TEST(WriteWavTape, SampleForSampleAt1200Baud) {
    CheckTape(1);
}
TEST(WriteWavTape, SampleForSampleAt2400Baud) {
    CheckTape(2);
}

TEST(WriteWavTape, TheToneBeforeTheDataIsOnlyHighCycles) {
    test::TempDir dir;
    const Tape tape;
    WriteWavTape(dir / "T.wav", tape.file, 1, 127);
    const Bytes file = test::ReadBytes(dir / "T.wav");
    const Bytes s(file.begin() + 44, file.end());
    const std::size_t shortTone = 24000 + 320000 + 16 * 440 + 48000;
    for (std::size_t k = 0; k < 4000; ++k) {
        ASSERT_EQ(s[shortTone + 20 * k], 191) << k;
        ASSERT_EQ(s[shortTone + 20 * k + 10], 65) << k;
    }
}

TEST(WriteWavTape, AFailedWriteLeavesTheOldFileAndNoTemporary) {
    test::TempDir dir;
    std::filesystem::create_directory(dir / "T.wav");
    EXPECT_THROW(WriteWavTape(dir / "T.wav", Tape().file, 1, 64), FileWriteError);
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
        names.push_back(e.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"T.wav"});
}

TEST(WriteWavTape, RefusesAVolumeOutsideTheTrackBar) {
    test::TempDir dir;
    EXPECT_THROW(WriteWavTape(dir / "T.wav", Tape().file, 1, 0), std::invalid_argument);
    EXPECT_THROW(WriteWavTape(dir / "T.wav", Tape().file, 1, 128), std::invalid_argument);
    EXPECT_FALSE(std::filesystem::exists(dir / "T.wav"));
}

} // namespace
} // namespace murelo
