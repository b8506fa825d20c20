#pragma once

#include "core/palette/ColorValue.h"

#include <array>
#include <cstdint>

namespace murelo {

// Nearest palette indices of balanced colours met so far, for one pass: within a pass
// the palette, the range and the weighting cannot change, so a hit is always exact.
// Direct-mapped; a colour that misses is searched again and replaces the slot.
class NearestCache {
  public:
    NearestCache() { keys_.fill(Empty); }

    // The cached index of the colour, or -1.
    int find(ColorValue color) const {
        const std::size_t slot = Slot(color);
        return keys_[slot] == std::uint32_t(color) ? values_[slot] : -1;
    }
    void store(ColorValue color, int index) {
        const std::size_t slot = Slot(color);
        keys_[slot] = std::uint32_t(color);
        values_[slot] = std::uint8_t(index);
    }

  private:
    static constexpr int Bits = 12;
    static constexpr std::uint32_t Empty = 0xFFFFFFFFu; // no colour value 0x00BBGGRR has it
    static std::size_t Slot(ColorValue color) {
        const std::uint32_t c = std::uint32_t(color);
        return ((c * 2654435761u) >> (32 - Bits));
    }

    std::array<std::uint32_t, 1 << Bits> keys_;
    std::array<std::uint8_t, 1 << Bits> values_{};
};

} // namespace murelo
