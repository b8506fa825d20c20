#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace murelo {

// Packs a sequence of 32-bit values that uses few distinct values (as the changes of a
// stroke or a dithered fill do) into a small palette plus 1, 2 or 4 bits per value; a
// sequence with more than 16 distinct values, or too short to gain, is stored as it is.
// The header fits in 11 bits.
// Appends to `words` and returns the header that UnpackXorInto needs.
std::uint32_t PackValues(const std::uint32_t* values, std::size_t count,
                         std::vector<std::uint32_t>& words);

// XORs the `count` values packed at words[offset...] into target[0..count-1] and moves
// `offset` past them.
void UnpackXorInto(std::uint32_t header, const std::vector<std::uint32_t>& words,
                   std::size_t& offset, std::uint32_t* target, std::size_t count);

} // namespace murelo
