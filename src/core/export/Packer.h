#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace murelo {

// Bytes in each of the two tables a tape carries (pattern generator and colour table).
constexpr std::size_t ScreenTableSize = 6144;

// Offsets of the two tables inside the video-memory image.
constexpr std::size_t PatternTableAddress = 0x0000;
constexpr std::size_t ColorTableAddress = 0x2000;

// Control bytes of the packed stream the tape loader reads.
constexpr std::uint8_t PackEndCode = 0xFF;
constexpr std::uint8_t PackByteRunCode = 0x80; // + (count - 1), count 1..64
constexpr std::uint8_t PackPairRunCode = 0xC0; // + (pairs - 1), pairs 1..63

// The most bytes either encoder can produce for `length` input bytes: a literal code
// costs one control byte per 127 or 128 data bytes, plus the end byte. Incompressible
// tables come out longer than they went in, so scratch buffers must hold this much.
constexpr std::size_t PackedSizeBound(std::size_t length) {
    return length + length / 64 + 2;
}

// Run-length encoders of the packed stream; each returns the stream size including the
// end byte. `out` must hold at least PackedSizeBound(in.size()) bytes (else
// std::length_error). PackPairs works on byte pairs and needs an even input length.
std::size_t PackBytes(std::span<const std::uint8_t> in, std::span<std::uint8_t> out);
std::size_t PackPairs(std::span<const std::uint8_t> in, std::span<std::uint8_t> out);

// Flag bits of the packed screen: the block is stored as 6144 raw bytes.
constexpr std::uint8_t PatternStoredRaw = 0x01;
constexpr std::uint8_t ColorStoredRaw = 0x02;

// Flags, two block offsets counted from offset 1, then the pattern and colour blocks.
struct PackedScreen {
    std::vector<std::uint8_t> bytes;

    std::size_t size() const { return bytes.size(); }
    std::uint8_t flags() const { return bytes.at(0); }
    std::size_t patternOffset() const { return bytes.at(1) | bytes.at(2) << 8; }
    std::size_t colorOffset() const { return bytes.at(3) | bytes.at(4) << 8; }
};

// Packs the pattern table (0x0000..) and colour table (0x2000..) of a video-memory image
// of at least 0x3800 bytes (std::invalid_argument otherwise). Each table takes the
// shorter encoding (pairs on a tie) and falls back to raw bytes when packing does not
// get it below 6144 bytes.
PackedScreen PackScreen(std::span<const std::uint8_t> vram);

} // namespace murelo
