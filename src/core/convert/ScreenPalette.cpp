#include "core/convert/ScreenPalette.h"

#include <algorithm>

namespace murelo {

namespace {

std::uint8_t Level3(std::uint8_t channel) {
    return std::uint8_t(channel >> 5);
}

} // namespace

PaletteTableBytes PaletteTable(const QuantizerPalette& palette) {
    PaletteTableBytes table{};
    for (std::size_t k = 0; k < palette.size(); ++k) {
        const QuantizerEntry& e = palette[k];
        table[2 * k] = std::uint8_t(Level3(e.Red) * 16 + Level3(e.Blue));
        table[2 * k + 1] = Level3(e.Green);
    }
    return table;
}

void WritePaletteTable(std::span<std::uint8_t> memory, std::uint16_t address,
                       const QuantizerPalette& palette) {
    const PaletteTableBytes table = PaletteTable(palette);
    std::copy(table.begin(), table.end(), memory.subspan(address, table.size()).begin());
}

std::array<std::uint8_t, 16> Pc8801PaletteBytes(const QuantizerPalette& palette) {
    std::array<std::uint8_t, 16> bytes{};
    for (std::size_t k = 0; k < 8; ++k) {
        const QuantizerEntry& e = palette[k];
        bytes[2 * k] = std::uint8_t(Level3(e.Red) * 8 + Level3(e.Blue));
        bytes[2 * k + 1] = std::uint8_t(0x40 + Level3(e.Green));
    }
    return bytes;
}

int QuantizerEntryOf(const QuantizerPalette& palette, ColorValue color, int count) {
    for (int j = 0; j < count && j < int(palette.size()); ++j) {
        const QuantizerEntry& e = palette[std::size_t(j)];
        if (e.Red == RedOf(color) && e.Green == GreenOf(color) && e.Blue == BlueOf(color))
            return j;
    }
    return -1;
}

int QuantizerIndexScan::QuantizerIndexOf(ColorValue pixel) {
    const int j = QuantizerEntryOf(palette_, pixel, count_);
    if (j >= 0)
        carried_ = j;
    return carried_;
}

} // namespace murelo
