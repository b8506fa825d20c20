#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace murelo {

constexpr std::size_t BsaveHeaderSize = 7;
constexpr std::uint8_t BsaveFileType = 0xFE;

using BsaveHeaderBytes = std::array<std::uint8_t, BsaveHeaderSize>;

// The header MSX BASIC's BLOAD expects: type, start, end (the last byte, inclusive) and
// execution address as little-endian words.
constexpr BsaveHeaderBytes BsaveHeader(std::uint16_t start, std::uint16_t end,
                                       std::uint16_t execution) {
    return {BsaveFileType,
            std::uint8_t(start),
            std::uint8_t(start >> 8),
            std::uint8_t(end),
            std::uint8_t(end >> 8),
            std::uint8_t(execution),
            std::uint8_t(execution >> 8)};
}

// The exporters run nothing: execution = start.
constexpr BsaveHeaderBytes BsaveHeader(std::uint16_t start, std::uint16_t end) {
    return BsaveHeader(start, end, start);
}

} // namespace murelo
