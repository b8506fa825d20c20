#pragma once

#include "core/editor/AtomicFile.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <vector>

namespace murelo {

constexpr int TapeSampleRate = 48000;
constexpr int SilenceSample = 128;
constexpr int WavHeaderSize = 44;

// A RIFF PCM sample sink with the MSX cassette encoding on top: a bit is one low-tone
// cycle (0) or two high-tone cycles (1) of the same length. Every failure throws
// FileWriteError naming the file; nothing appears under the target's name before close().
class WaveWriter {
  public:
    WaveWriter();
    ~WaveWriter();

    void open(const std::filesystem::path& path, int bitsPerSample = 8,
              int samplesPerSecond = TapeSampleRate, bool stereo = false);
    // `value` is written in the sample's width, once per channel.
    void putSample(int value);
    void putSamples(int value, std::size_t count);
    // unit = samplesPerSecond / 2400 samples; multiplier 1 for 1200 baud, 2 for 2400 baud.
    void setBaud(int samplesPerSecond, int multiplier);
    // One square cycle; divisor 1 is the low tone, 2 the high tone.
    void putCycle(int divisor, int volume);
    // Start bit, bits 0..7 least significant first, two stop bits.
    void putByte(std::uint8_t value, int volume);
    void putWord(std::uint16_t value, int volume);
    void putText(std::span<const std::uint8_t> bytes, int volume);
    // Writes the header with the sample count and puts the file in place.
    void close();

    std::size_t sampleCount() const { return samples_; }

  private:
    void flushBuffer();
    std::vector<std::uint8_t> header() const;

    std::unique_ptr<AtomicFile> file_;
    std::vector<std::uint8_t> buffer_;
    std::size_t samples_ = 0;
    int bytesPerSample_ = 1;
    int channels_ = 1;
    int rate_ = TapeSampleRate;
    int unit_ = TapeSampleRate / 2400;
    int multiplier_ = 1;
};

} // namespace murelo
