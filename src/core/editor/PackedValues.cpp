#include "core/editor/PackedValues.h"

#include <array>

namespace murelo {

namespace {

constexpr std::uint32_t RawBits = 32;
constexpr int MaxPaletteSize = 16;

std::uint32_t BitsFor(int paletteSize) {
    return paletteSize <= 2 ? 1 : paletteSize <= 4 ? 2 : 4;
}

} // namespace

std::uint32_t PackValues(const std::uint32_t* values, std::size_t count,
                         std::vector<std::uint32_t>& words) {
    std::array<std::uint32_t, MaxPaletteSize> palette{};
    int size = 0;
    std::vector<std::uint8_t> indices(count);
    for (std::size_t i = 0; i < count; ++i) {
        int index = 0;
        while (index < size && palette[index] != values[i])
            ++index;
        if (index == size) {
            if (size == MaxPaletteSize) {
                words.insert(words.end(), values, values + count);
                return RawBits;
            }
            palette[size++] = values[i];
        }
        indices[i] = std::uint8_t(index);
    }
    const std::uint32_t bits = BitsFor(size);
    const std::size_t perWord = 32 / bits;
    if (size + (count + perWord - 1) / perWord >= count) { // short runs: packing gains nothing
        words.insert(words.end(), values, values + count);
        return RawBits;
    }
    words.insert(words.end(), palette.begin(), palette.begin() + size);
    for (std::size_t i = 0; i < count; i += perWord) {
        std::uint32_t word = 0;
        for (std::size_t j = 0; j < perWord && i + j < count; ++j)
            word |= std::uint32_t(indices[i + j]) << (j * bits);
        words.push_back(word);
    }
    return bits | std::uint32_t(size) << 6;
}

void UnpackXorInto(std::uint32_t header, const std::vector<std::uint32_t>& words,
                   std::size_t& offset, std::uint32_t* target, std::size_t count) {
    const std::uint32_t bits = header & 0x3F;
    if (bits == RawBits) {
        for (std::size_t i = 0; i < count; ++i)
            target[i] ^= words[offset + i];
        offset += count;
        return;
    }
    const std::size_t size = header >> 6;
    const std::uint32_t* palette = words.data() + offset;
    offset += size;
    const std::size_t perWord = 32 / bits;
    const std::uint32_t mask = (1u << bits) - 1;
    for (std::size_t i = 0; i < count; i += perWord) {
        const std::uint32_t word = words[offset++];
        for (std::size_t j = 0; j < perWord && i + j < count; ++j)
            target[i + j] ^= palette[(word >> (j * bits)) & mask];
    }
}

} // namespace murelo
