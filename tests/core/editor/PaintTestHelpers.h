#pragma once

#include "core/editor/PaintContext.h"
#include "core/editor/Picture.h"
#include "core/editor/RunRule.h"
#include "core/palette/Palettes.h"

#include <string>

namespace murelo::test {

// Pictures written as letters, one string per row, so expected results read like the rules:
// P, Q, R, S, K, W stand for entries 2, 4, 6, 8, 1 and 15 of the TMS9918 palette.
inline ColorValue Letter(char c) {
    switch (c) {
    case 'P':
        return PaletteColor(KindTms9918, 2);
    case 'Q':
        return PaletteColor(KindTms9918, 4);
    case 'R':
        return PaletteColor(KindTms9918, 6);
    case 'S':
        return PaletteColor(KindTms9918, 8);
    case 'K':
        return PaletteColor(KindTms9918, 1);
    case 'W':
        return PaletteColor(KindTms9918, 15);
    default:
        return NoColor;
    }
}

inline char LetterOf(ColorValue color) {
    for (char c : std::string("PQRSKW"))
        if (Letter(c) == color)
            return c;
    return color == NoColor ? '-' : '?';
}

inline constexpr int PIndex = 2;
inline constexpr int QIndex = 4;
inline constexpr int RIndex = 6;

inline std::string RowText(const Picture& picture, int y) {
    std::string text;
    for (int x = 0; x < picture.width(); ++x)
        text += LetterOf(picture.pixel(x, y));
    return text;
}

inline std::string RunText(const RowBuffer& run) {
    std::string text;
    for (ColorValue c : run)
        text += LetterOf(c);
    return text;
}

inline RowBuffer RunOf(const std::string& letters) {
    RowBuffer run;
    for (int i = 0; i < 8; ++i)
        run[i] = Letter(letters[i]);
    return run;
}

// A picture of `width` columns with every row filled with one letter.
inline Picture Blank(int width, int height, char letter = 'W') {
    return Picture(width, height, Letter(letter));
}

inline void SetRow(Picture& picture, int y, const std::string& letters) {
    for (int x = 0; x < int(letters.size()); ++x)
        picture.setPixel(x, y, Letter(letters[x]));
}

inline std::uint16_t ProtectBit(int index) {
    return std::uint16_t(1u << index);
}

} // namespace murelo::test
