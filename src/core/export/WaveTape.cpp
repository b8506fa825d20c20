#include "core/export/WaveTape.h"

#include "core/export/WaveWriter.h"

#include <stdexcept>

namespace murelo {

namespace {

constexpr std::size_t HalfSecond = TapeSampleRate / 2;
constexpr std::size_t OneSecond = TapeSampleRate;
constexpr int LongToneCycles = 16000; // times the baud multiplier: the same length at both speeds
constexpr int ShortToneCycles = 4000;
constexpr int HighTone = 2;

void PutTone(WaveWriter& wave, int cycles, int volume) {
    for (int i = 0; i < cycles; ++i)
        wave.putCycle(HighTone, volume);
}

} // namespace

void WriteWavTape(const std::filesystem::path& path, const TapeFile& tape, int baudMultiplier,
                  int volume) {
    if (volume < 1 || volume > 127)
        throw std::invalid_argument("the WAV volume must be 1..127");
    WaveWriter wave;
    wave.setBaud(TapeSampleRate, baudMultiplier);
    wave.open(path);
    wave.putSamples(SilenceSample, HalfSecond);
    PutTone(wave, LongToneCycles * baudMultiplier, volume);
    for (int i = 0; i < BinaryFileMarkCount; ++i)
        wave.putByte(BinaryFileMark, volume);
    wave.putText(tape.name, volume);
    wave.putSamples(SilenceSample, OneSecond);
    PutTone(wave, ShortToneCycles * baudMultiplier, volume);
    wave.putWord(tape.header.start, volume);
    wave.putWord(tape.header.end, volume);
    wave.putWord(tape.header.execution, volume);
    wave.putText(tape.loader, volume);
    wave.putText(tape.packed, volume);
    wave.putSamples(SilenceSample, HalfSecond);
    wave.close();
}

} // namespace murelo
