#include "core/palette/Palettes.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace murelo {
namespace {

constexpr std::uint32_t F = 0x080808; // filler past a short palette's used entries

// Written as RRGGBB and turned into colour values once; every entry is part of the
// file format of pictures drawn in that palette, so none may be retuned.
constexpr std::uint32_t Rrggbb[PaletteKindCount][PaletteEntries] = {
    {0x202020, 0x000000, 0x46B73E, 0x7CCF6C, 0x625BA8, 0x7F70FF, 0xB66148, 0x5BC7EF, 0xD96A48,
     0xFC8E6C, 0xC2CE41, 0xD3DA74, 0x3CA02F, 0xB763C6, 0xCCCCCC, 0xFFFFFF},
    {0x202020, 0x000000, 0x3FB84A, 0x75CF7E, 0x5955DE, 0x8077F0, 0xB85E51, 0x66DBEF, 0xDA665A,
     0xFE8A7E, 0xCCC360, 0xDED088, 0x3BA141, 0xB667B5, 0xCCCCCC, 0xFFFFFF},
    {0x202020, 0x000000, 0x48B151, 0x75C47C, 0x5E5AD3, 0x8078E0, 0xBB5863, 0x5AC1D2, 0xCB6873,
     0xE08590, 0xBDB655, 0xCAC463, 0x419C47, 0xB06AAF, 0xB4B4B4, 0xFFFFFF},
    {0x202020, 0x000000, 0x20C840, 0x58D878, 0x5050E8, 0x7870F7, 0xD05048, 0x40E8F0, 0xF75050,
     0xF77878, 0xD0C050, 0xE0C880, 0x20B038, 0xC858B8, 0xC8C8C8, 0xFFFFFF},
    {0x202020, 0x010101, 0x00BB00, 0x01FF01, 0x000051, 0x0101FF, 0x510000, 0x01FFFF, 0xBB0000,
     0xFF0101, 0x515100, 0xFFFF01, 0x005100, 0xFF01FF, 0x515151, 0xFFFFFF},
    {0x202020, 0x000000, 0x24DB24, 0x6DFF6D, 0x2424FF, 0x496DFF, 0xB62424, 0x49DBFF, 0xFF2424,
     0xFF6D6D, 0xDBDB24, 0xDBDB92, 0x249224, 0xDB49B6, 0xB6B6B6, 0xFFFFFF},
    {0x000000, 0x0000FF, 0xFF0000, 0xFF00FF, 0x00FF00, 0x00FFFF, 0xFFFF00, 0xFFFFFF, F, F, F, F, F,
     F, F, F},
    {0x202020, 0xAD00FF, 0xFFAD00, 0xFF00AD, 0x00FFAD, 0x00ADFF, 0xADFF00, 0xADADAD, 0x000000,
     0x0000FF, 0xFF0000, 0xFF00FF, 0x00FF00, 0x00FFFF, 0xFFFF00, 0xFFFFFF},
    {0x00FF00, 0xFFFF00, 0x0000FF, 0xFF0000, 0xFFFFFF, 0x00FFFF, 0xFF00FF, 0xFFAD00, F, F, F, F, F,
     F, F, F},
    {0x000000, 0x0000FF, 0xFF0000, 0xFF00FF, F, F, F, F, F, F, F, F, F, F, F, F},
    {0x00FF00, 0x00FFFF, 0xFFFF00, 0xFFFFFF, F, F, F, F, F, F, F, F, F, F, F, F},
    {0x000000, 0xAD00FF, 0xFFAD00, 0xFF00AD, F, F, F, F, F, F, F, F, F, F, F, F},
    {0x00FFAD, 0x00ADFF, 0xADFF00, 0xADADAD, F, F, F, F, F, F, F, F, F, F, F, F},
    {0x00FF00, 0xFFFF00, 0x0000FF, 0xFF0000, F, F, F, F, F, F, F, F, F, F, F, F},
    {0xFFFFFF, 0x00FFFF, 0xFF00FF, 0xFFAD00, F, F, F, F, F, F, F, F, F, F, F, F},
};

using Table = std::array<std::array<ColorValue, PaletteEntries>, PaletteKindCount>;

constexpr Table BuildTable() {
    Table t{};
    for (int k = 0; k < PaletteKindCount; ++k)
        for (int i = 0; i < PaletteEntries; ++i)
            t[k][i] = FromRrggbb(Rrggbb[k][i]);
    return t;
}

constexpr Table Palettes = BuildTable();

constexpr IndexRange PaletteRanges[PaletteKindCount] = {
    {0, 15, true}, {0, 15, true}, {0, 15, true}, {0, 15, true}, {0, 15, true},
    {0, 15, true}, {0, 7, true},  {0, 15, true}, {0, 7, true},  {0, 3, false},
    {0, 3, true},  {0, 3, false}, {0, 3, false}, {0, 3, false}, {0, 3, true},
};

constexpr IndexRange ConversionRanges[PaletteKindCount] = {
    {1, 15, false}, {1, 15, false}, {1, 15, false}, {1, 15, false}, {1, 15, false},
    {1, 15, false}, {0, 7, false},  {1, 15, false}, {0, 7, false},  {0, 3, false},
    {0, 3, false},  {0, 3, false},  {0, 3, false},  {0, 3, false},  {0, 3, false},
};

constexpr std::string_view Names[PaletteKindCount] = {
    "TMS9918",   "TMS9928",   "TMS9929",   "blueMSX1",  "315-5124",
    "V9938/58",  "PC-8801",   "Color 15",  "Color 8",   "Color 4-1",
    "Color 4-2", "Color 4-3", "Color 4-4", "Color 4-5", "Color 4-6",
};

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

bool IsPaletteKind(int kind) {
    return kind >= 0 && kind < PaletteKindCount;
}

std::optional<PaletteKindId> PaletteKindOfNumber(int number) {
    if (!IsPaletteKind(number))
        return std::nullopt;
    return static_cast<PaletteKindId>(number);
}

ColorValue PaletteColor(int kind, int index) {
    return Palettes[kind][index];
}

const std::array<ColorValue, PaletteEntries>& PaletteTable(int kind) {
    return Palettes[kind];
}

int PaletteIndexOf(ColorValue color, int kind) {
    const auto& row = Palettes[kind];
    for (int i = 0; i < PaletteEntries; ++i)
        if (row[i] == color)
            return i;
    return -1;
}

bool IsUsableColor(ColorValue color, int kind) {
    const int i = PaletteIndexOf(color, kind);
    const IndexRange& r = PaletteRanges[kind];
    return i >= r.first && i <= r.last;
}

const IndexRange& PaletteRange(int kind) {
    return PaletteRanges[kind];
}
const IndexRange& ConversionRange(int kind) {
    return ConversionRanges[kind];
}

std::string_view PaletteName(int kind) {
    return Names[kind];
}

std::optional<int> ParsePaletteKind(std::string_view text) {
    int number = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (ec == std::errc() && end == text.data() + text.size())
        return IsPaletteKind(number) ? std::optional<int>(number) : std::nullopt;
    for (int k = 0; k < PaletteKindCount; ++k)
        if (EqualsIgnoringCase(text, Names[k]))
            return k;
    return std::nullopt;
}

} // namespace murelo
