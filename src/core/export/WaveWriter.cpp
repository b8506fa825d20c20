#include "core/export/WaveWriter.h"

#include <stdexcept>

namespace murelo {

namespace {

constexpr std::size_t BufferBytes = 1 << 16;

void PutLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(std::uint8_t(value >> (8 * i)));
}

void PutTag(std::vector<std::uint8_t>& out, const char (&tag)[5]) {
    out.insert(out.end(), tag, tag + 4);
}

} // namespace

WaveWriter::WaveWriter() = default;
WaveWriter::~WaveWriter() = default;

void WaveWriter::open(const std::filesystem::path& path, int bitsPerSample, int samplesPerSecond,
                      bool stereo) {
    if (bitsPerSample != 8 && bitsPerSample != 16)
        throw std::invalid_argument("a wave file has 8 or 16 bits per sample");
    bytesPerSample_ = bitsPerSample / 8;
    channels_ = stereo ? 2 : 1;
    rate_ = samplesPerSecond;
    samples_ = 0;
    buffer_.clear();
    buffer_.reserve(BufferBytes);
    file_ = std::make_unique<AtomicFile>(path);
    // The header is written again with the real sizes once the count is known.
    file_->write(header());
}

void WaveWriter::putSample(int value) {
    for (int c = 0; c < channels_; ++c) {
        buffer_.push_back(std::uint8_t(value));
        if (bytesPerSample_ == 2)
            buffer_.push_back(std::uint8_t(value >> 8));
    }
    ++samples_;
    if (buffer_.size() >= BufferBytes)
        flushBuffer();
}

void WaveWriter::putSamples(int value, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        putSample(value);
}

void WaveWriter::setBaud(int samplesPerSecond, int multiplier) {
    if (multiplier != 1 && multiplier != 2)
        throw std::invalid_argument("the baud multiplier is 1 (1200 baud) or 2 (2400 baud)");
    // The high tone's half wave must keep at least one sample.
    if (samplesPerSecond / 2400 / (2 * multiplier) < 1)
        throw std::invalid_argument("the sample rate is too low for the cassette tones");
    unit_ = samplesPerSecond / 2400;
    multiplier_ = multiplier;
}

void WaveWriter::putCycle(int divisor, int volume) {
    const int half = unit_ / (divisor * multiplier_);
    putSample(SilenceSample + volume / 2);
    putSamples(SilenceSample + volume, std::size_t(half - 1));
    putSample(SilenceSample - volume / 2);
    putSamples(SilenceSample - volume, std::size_t(half - 1));
}

void WaveWriter::putByte(std::uint8_t value, int volume) {
    putCycle(1, volume);
    for (int bit = 0; bit < 8; ++bit) {
        if (value >> bit & 1) {
            putCycle(2, volume);
            putCycle(2, volume);
        } else {
            putCycle(1, volume);
        }
    }
    for (int i = 0; i < 4; ++i)
        putCycle(2, volume);
}

void WaveWriter::putWord(std::uint16_t value, int volume) {
    putByte(std::uint8_t(value & 0xFF), volume);
    putByte(std::uint8_t(value >> 8), volume);
}

void WaveWriter::putText(std::span<const std::uint8_t> bytes, int volume) {
    for (std::uint8_t b : bytes)
        putByte(b, volume);
}

void WaveWriter::close() {
    if (!file_)
        throw std::logic_error("WaveWriter::close without open");
    flushBuffer();
    file_->seek(0);
    file_->write(header());
    file_->commit();
    file_.reset();
}

void WaveWriter::flushBuffer() {
    if (!file_)
        throw std::logic_error("WaveWriter used without open");
    file_->write(buffer_);
    buffer_.clear();
}

std::vector<std::uint8_t> WaveWriter::header() const {
    const std::uint32_t blockAlign = std::uint32_t(channels_ * bytesPerSample_);
    const std::uint32_t dataSize = std::uint32_t(samples_) * blockAlign;
    std::vector<std::uint8_t> h;
    h.reserve(WavHeaderSize);
    PutTag(h, "RIFF");
    PutLe(h, dataSize + 36, 4);
    PutTag(h, "WAVE");
    PutTag(h, "fmt ");
    PutLe(h, 16, 4);
    PutLe(h, 1, 2); // PCM
    PutLe(h, std::uint32_t(channels_), 2);
    PutLe(h, std::uint32_t(rate_), 4);
    PutLe(h, std::uint32_t(rate_) * blockAlign, 4);
    PutLe(h, blockAlign, 2);
    PutLe(h, std::uint32_t(bytesPerSample_ * 8), 2);
    PutTag(h, "data");
    PutLe(h, dataSize, 4);
    return h;
}

} // namespace murelo
