#pragma once

#include "core/palette/ColorValue.h"

#include <array>
#include <optional>
#include <string_view>

namespace murelo {

// Palette kinds: 0..5 the chip palettes, 6 the PC-8801 eight colours, 7..14 the PC-6x01 modes.
constexpr int PaletteKindCount = 15;
constexpr int PaletteEntries = 16;

enum PaletteKindId : int {
    KindTms9918 = 0,
    KindTms9928 = 1,
    KindTms9929 = 2,
    KindBlueMsx1 = 3,
    Kind315_5124 = 4,
    KindV9938 = 5,
    KindPc8801 = 6,
    KindColor15 = 7,
    KindColor8 = 8,
    KindColor4_1 = 9,
    KindColor4_6 = 14,
};

struct IndexRange {
    int first;
    int last;
    bool hasWhite;
};

bool IsPaletteKind(int kind);

// Entry `index` of palette `kind`; both must be in range.
ColorValue PaletteColor(int kind, int index);
const std::array<ColorValue, PaletteEntries>& PaletteTable(int kind);

// The first index whose entry equals the colour exactly, or -1.
int PaletteIndexOf(ColorValue color, int kind);

// True when the colour's index lies in the kind's usable range.
bool IsUsableColor(ColorValue color, int kind);

// Indices the editor may use, and indices a converter may produce.
const IndexRange& PaletteRange(int kind);
const IndexRange& ConversionRange(int kind);

// The tool palette caption of a kind ("PC-8801" for kind 6, which has none there).
std::string_view PaletteName(int kind);

// A kind given as its number 0..14 or its name, letter case ignored.
std::optional<int> ParsePaletteKind(std::string_view text);

} // namespace murelo
