#include "core/export/WaveWriter.h"

#include "support/TestData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

namespace murelo {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t Le32(const Bytes& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
}
std::uint16_t Le16(const Bytes& b, std::size_t at) {
    return std::uint16_t(b[at] | b[at + 1] << 8);
}

// Writes a wave of the given bytes and returns its samples (after the 44-byte header).
Bytes WaveOfBytes(const Bytes& data, int multiplier, int volume) {
    test::TempDir dir;
    WaveWriter wave;
    wave.setBaud(48000, multiplier);
    wave.open(dir / "t.wav");
    wave.putText(data, volume);
    wave.close();
    const Bytes file = test::ReadBytes(dir / "t.wav");
    return Bytes(file.begin() + 44, file.end());
}

TEST(WaveWriter, HeaderOfAnEightBitMonoFile) {
    test::TempDir dir;
    WaveWriter wave;
    wave.open(dir / "t.wav");
    wave.putSamples(128, 1000);
    wave.putSample(7);
    wave.close();
    const Bytes file = test::ReadBytes(dir / "t.wav");
    ASSERT_EQ(file.size(), 44 + 1001u);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "RIFF");
    EXPECT_EQ(Le32(file, 4), 1001u + 36);
    EXPECT_EQ(std::string(file.begin() + 8, file.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(Le32(file, 16), 16u);
    EXPECT_EQ(Le16(file, 20), 1); // PCM
    EXPECT_EQ(Le16(file, 22), 1); // mono
    EXPECT_EQ(Le32(file, 24), 48000u);
    EXPECT_EQ(Le32(file, 28), 48000u);
    EXPECT_EQ(Le16(file, 32), 1);
    EXPECT_EQ(Le16(file, 34), 8);
    EXPECT_EQ(std::string(file.begin() + 36, file.begin() + 40), "data");
    EXPECT_EQ(Le32(file, 40), 1001u);
    EXPECT_EQ(file[44], 128);
    EXPECT_EQ(file.back(), 7);
}

TEST(WaveWriter, StereoWritesEachSampleTwice) {
    test::TempDir dir;
    WaveWriter wave;
    wave.open(dir / "t.wav", 8, 48000, true);
    wave.putSample(5);
    wave.putSample(9);
    wave.close();
    const Bytes file = test::ReadBytes(dir / "t.wav");
    EXPECT_EQ(Le16(file, 22), 2);
    EXPECT_EQ(Le32(file, 28), 96000u);
    EXPECT_EQ(Le16(file, 32), 2);
    EXPECT_EQ(Le32(file, 40), 4u);
    EXPECT_EQ(Bytes(file.begin() + 44, file.end()), (Bytes{5, 5, 9, 9}));
}

TEST(WaveWriter, OneLowCycleAtVolume127) {
    const Bytes samples = WaveOfBytes({}, 1, 127);
    EXPECT_TRUE(samples.empty());
    test::TempDir dir;
    WaveWriter wave;
    wave.setBaud(48000, 1);
    wave.open(dir / "t.wav");
    wave.putCycle(1, 127);
    wave.putCycle(2, 127);
    wave.close();
    const Bytes file = test::ReadBytes(dir / "t.wav");
    Bytes expected;
    expected.push_back(191);                  // 128 + 127 / 2
    expected.insert(expected.end(), 19, 255); // 128 + 127
    expected.push_back(65);                   // 128 - 127 / 2
    expected.insert(expected.end(), 19, 1);   // 128 - 127
    expected.push_back(191);
    expected.insert(expected.end(), 9, 255);
    expected.push_back(65);
    expected.insert(expected.end(), 9, 1);
    EXPECT_EQ(Bytes(file.begin() + 44, file.end()), expected);
}

// The length of each half wave: runs of samples above 128, then below.
std::vector<int> HalfWaves(const Bytes& samples) {
    std::vector<int> halves;
    std::size_t i = 0;
    while (i < samples.size()) {
        const bool high = samples[i] > 128;
        std::size_t j = i;
        while (j < samples.size() && samples[j] != 128 && (samples[j] > 128) == high)
            ++j;
        if (j == i) {
            ++i; // silence
            continue;
        }
        halves.push_back(int(j - i));
        i = j;
    }
    return halves;
}

// Decodes the MSX cassette bit stream: a bit is one long cycle (0) or two short ones (1).
Bytes DecodeBytes(const Bytes& samples, int longCycle) {
    const std::vector<int> halves = HalfWaves(samples);
    std::vector<int> cycles;
    for (std::size_t k = 0; k + 1 < halves.size(); k += 2)
        cycles.push_back(halves[k] + halves[k + 1]);
    Bytes out;
    std::size_t c = 0;
    auto bit = [&]() {
        if (cycles.at(c) == longCycle) {
            ++c;
            return 0;
        }
        EXPECT_EQ(cycles.at(c), longCycle / 2);
        EXPECT_EQ(cycles.at(c + 1), longCycle / 2);
        c += 2;
        return 1;
    };
    while (c < cycles.size()) {
        EXPECT_EQ(bit(), 0) << "start bit";
        int value = 0;
        for (int b = 0; b < 8; ++b)
            value |= bit() << b;
        EXPECT_EQ(bit(), 1) << "stop bit";
        EXPECT_EQ(bit(), 1) << "stop bit";
        out.push_back(std::uint8_t(value));
    }
    return out;
}

TEST(WaveWriter, BitLengthsAt1200Baud) {
    // A zero bit is one 40-sample cycle, a one bit two 20-sample cycles: 11 bits of 40.
    EXPECT_EQ(WaveOfBytes({0x00}, 1, 64).size(), 40u + 8 * 40 + 80);
    EXPECT_EQ(WaveOfBytes({0xFF}, 1, 64).size(), 440u);
    const Bytes data = {0x00, 0xFF, 0x41, 0x42, 0x20, 0xD0, 0x80, 0x01};
    EXPECT_EQ(DecodeBytes(WaveOfBytes(data, 1, 64), 40), data);
}

TEST(WaveWriter, BitLengthsAt2400Baud) {
    EXPECT_EQ(WaveOfBytes({0x00}, 2, 64).size(), 220u);
    EXPECT_EQ(WaveOfBytes({0xFF}, 2, 64).size(), 220u);
    const Bytes data = {0x00, 0xFF, 0x41, 0x42, 0x20, 0xD0, 0x80, 0x01};
    EXPECT_EQ(DecodeBytes(WaveOfBytes(data, 2, 64), 20), data);
}

TEST(WaveWriter, WordsGoLowByteFirst) {
    test::TempDir dir;
    WaveWriter wave;
    wave.setBaud(48000, 1);
    wave.open(dir / "t.wav");
    wave.putWord(0xC812, 64);
    wave.close();
    const Bytes file = test::ReadBytes(dir / "t.wav");
    EXPECT_EQ(DecodeBytes(Bytes(file.begin() + 44, file.end()), 40), (Bytes{0x12, 0xC8}));
}

std::set<int> SampleValues(const Bytes& samples) {
    return {samples.begin(), samples.end()};
}

TEST(WaveWriter, VolumeSetsTheSwing) {
    const Bytes data = {0x00, 0xFF, 0x5A};
    EXPECT_EQ(SampleValues(WaveOfBytes(data, 1, 127)), (std::set<int>{1, 65, 191, 255}));
    EXPECT_EQ(SampleValues(WaveOfBytes(data, 1, 1)), (std::set<int>{127, 128, 129}));
    EXPECT_EQ(SampleValues(WaveOfBytes(data, 2, 64)), (std::set<int>{64, 96, 160, 192}));
}

TEST(WaveWriter, RefusesARateTooLowForTheHighTone) {
    WaveWriter wave;
    EXPECT_THROW(wave.setBaud(8000, 2), std::invalid_argument); // 3 samples per cycle unit
    EXPECT_THROW(wave.setBaud(48000, 3), std::invalid_argument);
    EXPECT_NO_THROW(wave.setBaud(9600, 2)); // a one-sample half wave
}

TEST(WaveWriter, AMissingFolderIsReportedWithTheFile) {
    test::TempDir dir;
    WaveWriter wave;
    const auto target = dir / "gone" / "t.wav";
    try {
        wave.open(target);
        FAIL() << "no error for a missing folder";
    } catch (const FileWriteError& e) {
        EXPECT_NE(std::string(e.what()).find(target.string()), std::string::npos) << e.what();
    }
}

TEST(WaveWriter, NoTemporaryFileIsLeftOnSuccessOrFailure) {
    test::TempDir dir;
    {
        WaveWriter wave;
        wave.open(dir / "ok.wav");
        wave.putSamples(128, 100000);
        wave.close();
    }
    std::filesystem::create_directory(dir / "busy.wav");
    {
        WaveWriter wave;
        wave.open(dir / "busy.wav");
        wave.putSamples(128, 100000);
        EXPECT_THROW(wave.close(), FileWriteError);
    }
    {
        WaveWriter wave; // given up half way, never closed
        wave.open(dir / "half.wav");
        wave.putSamples(128, 100000);
    }
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"busy.wav", "ok.wav"}));
    EXPECT_EQ(std::filesystem::file_size(dir / "ok.wav"), 44 + 100000u);
}

} // namespace
} // namespace murelo
