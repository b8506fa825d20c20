#include "core/export/Packer.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace murelo {

namespace {

constexpr std::size_t MaxLiteral = 128;
constexpr std::size_t MaxByteRun = 64;
constexpr std::size_t MaxPairRun = 63;
// A pair run of equal bytes is shorter as a byte run while it fits one (64 bytes).
constexpr std::size_t MaxPairsAsByteRun = 31;

// Appends codes to a caller's buffer that was checked against the bound beforehand.
class StreamWriter {
  public:
    explicit StreamWriter(std::span<std::uint8_t> out) : out_(out) {}

    void put(std::uint8_t b) { out_[size_++] = b; }

    void literal(std::uint8_t b) { pending_[pendingSize_++] = b; }
    std::size_t pendingSize() const { return pendingSize_; }

    void flushLiteral() {
        if (pendingSize_ == 0)
            return;
        put(std::uint8_t(pendingSize_ - 1));
        for (std::size_t i = 0; i < pendingSize_; ++i)
            put(pending_[i]);
        pendingSize_ = 0;
    }

    std::size_t finish() {
        flushLiteral();
        put(PackEndCode);
        return size_;
    }

  private:
    std::span<std::uint8_t> out_;
    std::size_t size_ = 0;
    std::array<std::uint8_t, MaxLiteral> pending_{};
    std::size_t pendingSize_ = 0;
};

void RequireRoom(std::size_t inLength, std::span<std::uint8_t> out) {
    if (out.size() < PackedSizeBound(inLength))
        throw std::length_error("packer output buffer is smaller than the worst case");
}

std::size_t ByteRunLength(std::span<const std::uint8_t> in, std::size_t i) {
    std::size_t n = 1;
    while (n < MaxByteRun && i + n < in.size() && in[i + n] == in[i])
        ++n;
    return n;
}

std::size_t PairRunLength(std::span<const std::uint8_t> in, std::size_t k) {
    const std::size_t pairs = in.size() / 2;
    std::size_t r = 1;
    while (r < MaxPairRun && k + r < pairs && in[2 * (k + r)] == in[2 * k] &&
           in[2 * (k + r) + 1] == in[2 * k + 1])
        ++r;
    return r;
}

std::span<const std::uint8_t> TableOf(std::span<const std::uint8_t> vram, std::size_t address) {
    return vram.subspan(address, ScreenTableSize);
}

// Packs one table into `block`; returns whether it had to be stored raw.
bool PackTable(std::span<const std::uint8_t> table, std::vector<std::uint8_t>& block) {
    static thread_local std::array<std::uint8_t, PackedSizeBound(ScreenTableSize)> bytes, pairs;
    const std::size_t a = PackBytes(table, bytes);
    const std::size_t b = PackPairs(table, pairs);
    const bool usePairs = b <= a;
    const std::size_t size = usePairs ? b : a;
    if (size >= ScreenTableSize) {
        block.assign(table.begin(), table.end());
        return true;
    }
    const auto& chosen = usePairs ? pairs : bytes;
    block.assign(chosen.begin(), chosen.begin() + std::ptrdiff_t(size));
    return false;
}

void PutWord(std::vector<std::uint8_t>& out, std::size_t at, std::size_t value) {
    out[at] = std::uint8_t(value & 0xFF);
    out[at + 1] = std::uint8_t(value >> 8);
}

} // namespace

std::size_t PackBytes(std::span<const std::uint8_t> in, std::span<std::uint8_t> out) {
    RequireRoom(in.size(), out);
    StreamWriter w(out);
    std::size_t i = 0;
    while (i < in.size()) {
        const std::size_t n = ByteRunLength(in, i);
        if (n >= 3) {
            w.flushLiteral();
            w.put(std::uint8_t(PackByteRunCode + (n - 1)));
            w.put(in[i]);
        } else {
            if (w.pendingSize() + n > MaxLiteral)
                w.flushLiteral();
            for (std::size_t j = 0; j < n; ++j)
                w.literal(in[i]);
        }
        i += n;
    }
    return w.finish();
}

std::size_t PackPairs(std::span<const std::uint8_t> in, std::span<std::uint8_t> out) {
    if (in.size() % 2 != 0)
        throw std::invalid_argument("PackPairs needs an even number of bytes");
    RequireRoom(in.size(), out);
    StreamWriter w(out);
    const std::size_t pairs = in.size() / 2;
    std::size_t k = 0;
    while (k < pairs) {
        const std::size_t r = PairRunLength(in, k);
        const std::uint8_t first = in[2 * k];
        const std::uint8_t second = in[2 * k + 1];
        if (r >= 2) {
            w.flushLiteral();
            if (first == second && r <= MaxPairsAsByteRun) {
                w.put(std::uint8_t(PackByteRunCode + (2 * r - 1)));
                w.put(first);
            } else {
                w.put(std::uint8_t(PackPairRunCode + (r - 1)));
                w.put(first);
                w.put(second);
            }
        } else {
            if (w.pendingSize() >= MaxLiteral)
                w.flushLiteral();
            w.literal(first);
            w.literal(second);
        }
        k += r;
    }
    return w.finish();
}

PackedScreen PackScreen(std::span<const std::uint8_t> vram) {
    if (vram.size() < ColorTableAddress + ScreenTableSize)
        throw std::invalid_argument("the video-memory image is too small to hold both tables");
    std::vector<std::uint8_t> pattern, color;
    std::uint8_t flags = 0;
    if (PackTable(TableOf(vram, PatternTableAddress), pattern))
        flags |= PatternStoredRaw;
    if (PackTable(TableOf(vram, ColorTableAddress), color))
        flags |= ColorStoredRaw;

    PackedScreen packed;
    packed.bytes.resize(5);
    packed.bytes[0] = flags;
    PutWord(packed.bytes, 1, 4);
    PutWord(packed.bytes, 3, 4 + pattern.size());
    packed.bytes.insert(packed.bytes.end(), pattern.begin(), pattern.end());
    packed.bytes.insert(packed.bytes.end(), color.begin(), color.end());
    return packed;
}

} // namespace murelo
