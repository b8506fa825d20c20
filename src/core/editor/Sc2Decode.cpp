#include "core/editor/Sc2Decode.h"

#include "core/palette/Palettes.h"

#include <cstdio>

namespace murelo {

namespace {

constexpr std::size_t HeaderSize = 7;
constexpr std::size_t NameTable = 0x1800;
constexpr std::size_t ColorTable = 0x2000;
constexpr std::size_t BankSize = 0x800;
constexpr int Columns = 32, Rows = 24;

DecodedBitmap Refused(std::string message) {
    DecodedBitmap result;
    result.fault = BitmapFault::Unreadable;
    result.message = std::move(message);
    return result;
}

std::string TooShort(std::size_t got) {
    char text[160];
    std::snprintf(text, sizeof text,
                  "the SCREEN 2 image holds %zu bytes of video memory; the pattern, name and "
                  "colour tables need %zu",
                  got, Sc2DumpSize);
    return text;
}

void DecodeCell(std::span<const std::uint8_t> vram, int row, int column, Picture& picture) {
    const std::size_t name = vram[NameTable + std::size_t(row * Columns + column)];
    const std::size_t at = std::size_t(row / 8) * BankSize + name * 8;
    for (int line = 0; line < 8; ++line) {
        const std::uint8_t pattern = vram[at + std::size_t(line)];
        const std::uint8_t colors = vram[ColorTable + at + std::size_t(line)];
        const ColorValue fore = PaletteColor(KindTms9918, colors >> 4);
        const ColorValue back = PaletteColor(KindTms9918, colors & 0x0F);
        ColorValue* out = picture.row(row * 8 + line) + column * 8;
        for (int x = 0; x < 8; ++x)
            out[x] = (pattern & (0x80 >> x)) ? fore : back;
    }
}

} // namespace

DecodedBitmap DecodeSc2(std::span<const std::uint8_t> file) {
    std::span<const std::uint8_t> vram = file;
    const bool headed =
        file.size() >= HeaderSize && file[0] == 0xFE && file[1] == 0 && file[2] == 0;
    if (headed) {
        const std::size_t end = std::size_t(file[3]) | std::size_t(file[4]) << 8;
        // The header's end address is inclusive; what the file really holds is what counts.
        const std::size_t declared = end + 1;
        vram = file.subspan(HeaderSize);
        if (declared < Sc2DumpSize)
            return Refused(TooShort(declared));
    }
    if (vram.size() < Sc2DumpSize)
        return Refused(TooShort(vram.size()));
    DecodedBitmap result;
    result.picture = Picture(Columns * 8, Rows * 8);
    for (int row = 0; row < Rows; ++row)
        for (int column = 0; column < Columns; ++column)
            DecodeCell(vram, row, column, result.picture);
    result.formatCode = 2;
    return result;
}

} // namespace murelo
