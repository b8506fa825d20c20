#pragma once

#include "core/palette/ColorValue.h"

#include <array>
#include <optional>
#include <string_view>

namespace murelo {

// Palette kinds: 0..5 the chip palettes, 6 the PC-8801 eight colours, 7..14 the PC-6x01 modes.
constexpr int PaletteKindCount = 15;
constexpr int PaletteEntries = 16;

// The kinds by name; the number of a kind (as files, the command line and the converter
// tables carry it) is its position, see KindNumber / PaletteKindOfNumber.
enum class PaletteKindId : int {
    Tms9918,
    Tms9928,
    Tms9929,
    BlueMsx1,
    Sega315_5124,
    V9938,
    Pc8801,
    Color15,
    Color8,
    Color4_1,
    Color4_2,
    Color4_3,
    Color4_4,
    Color4_5,
    Color4_6,
};

constexpr int KindNumber(PaletteKindId kind) {
    return static_cast<int>(kind);
}
// The kind of a number 0..14; none for any other number.
std::optional<PaletteKindId> PaletteKindOfNumber(int number);

// Kind numbers for the code that works on numbers (converters, exports, the command line).
constexpr int KindTms9918 = KindNumber(PaletteKindId::Tms9918);
constexpr int KindTms9928 = KindNumber(PaletteKindId::Tms9928);
constexpr int KindTms9929 = KindNumber(PaletteKindId::Tms9929);
constexpr int KindBlueMsx1 = KindNumber(PaletteKindId::BlueMsx1);
constexpr int Kind315_5124 = KindNumber(PaletteKindId::Sega315_5124);
constexpr int KindV9938 = KindNumber(PaletteKindId::V9938);
constexpr int KindPc8801 = KindNumber(PaletteKindId::Pc8801);
constexpr int KindColor15 = KindNumber(PaletteKindId::Color15);
constexpr int KindColor8 = KindNumber(PaletteKindId::Color8);
constexpr int KindColor4_1 = KindNumber(PaletteKindId::Color4_1);
constexpr int KindColor4_6 = KindNumber(PaletteKindId::Color4_6);

// The chip palettes 0..5, whose entries correspond index for index.
constexpr bool IsChipPalette(PaletteKindId kind) {
    return kind <= PaletteKindId::V9938;
}
// The PC-6x01 colour modes 7..14.
constexpr bool IsColorModePalette(PaletteKindId kind) {
    return kind >= PaletteKindId::Color15;
}

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

// The same, for a kind by name.
inline ColorValue PaletteColor(PaletteKindId kind, int index) {
    return PaletteColor(KindNumber(kind), index);
}
inline int PaletteIndexOf(ColorValue color, PaletteKindId kind) {
    return PaletteIndexOf(color, KindNumber(kind));
}
inline bool IsUsableColor(ColorValue color, PaletteKindId kind) {
    return IsUsableColor(color, KindNumber(kind));
}
inline const IndexRange& PaletteRange(PaletteKindId kind) {
    return PaletteRange(KindNumber(kind));
}
inline std::string_view PaletteName(PaletteKindId kind) {
    return PaletteName(KindNumber(kind));
}

} // namespace murelo
