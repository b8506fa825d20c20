#pragma once

// Little-endian field access for the bitmap codec; reads outside the data yield 0 so that
// callers can check ranges once instead of at every field.

#include <cstdint>
#include <span>
#include <vector>

namespace murelo::bitmap {

inline std::uint32_t ReadU8(std::span<const std::uint8_t> data, std::uint64_t offset) {
    return offset < data.size() ? data[offset] : 0;
}

inline std::uint32_t ReadU16(std::span<const std::uint8_t> data, std::uint64_t offset) {
    return ReadU8(data, offset) | ReadU8(data, offset + 1) << 8;
}

inline std::uint32_t ReadU32(std::span<const std::uint8_t> data, std::uint64_t offset) {
    return ReadU16(data, offset) | ReadU16(data, offset + 2) << 16;
}

inline void PutU16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}

inline void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

} // namespace murelo::bitmap
