#pragma once

#include "core/palette/ColorValue.h"
#include "core/palette/Palettes.h"

#include <array>
#include <cstdint>

// The converters' integer colour operations. Everything is signed 32-bit arithmetic with
// divisions that truncate toward zero (C++ `/`), so results match the hardware tools that
// people compare the converted pictures with, bit for bit.
namespace murelo {

// R, G, B and eight times the V9958 terms Y, J and K.
struct ColorRec {
    std::int32_t R = 0;
    std::int32_t G = 0;
    std::int32_t B = 0;
    std::int32_t Y8 = 0; // 2R + G + 4B
    std::int32_t J8 = 0; // 6R - G - 4B
    std::int32_t K8 = 0; // 7G - 2R - 4B

    friend bool operator==(const ColorRec&, const ColorRec&) = default;
};

// The colour balance shared by every page of the converter.
struct ColorBalance {
    std::int32_t RedOffset = 0;   // -100..100
    std::int32_t GreenOffset = 0; // -100..100
    std::int32_t BlueOffset = 0;  // -100..100
    std::int32_t Brightness = 0;  // -100..100
    std::int32_t Contrast = 100;  // 0..200

    friend bool operator==(const ColorBalance&, const ColorBalance&) = default;
};

// Shifts of the V9958 components, each -100..100.
struct YjkBalance {
    std::int32_t YOffset = 0;
    std::int32_t JOffset = 0;
    std::int32_t KOffset = 0;

    friend bool operator==(const YjkBalance&, const YjkBalance&) = default;
};

// A record of R, G, B alone; the YJK terms stay zero.
constexpr ColorRec RgbRec(std::int32_t r, std::int32_t g, std::int32_t b) {
    ColorRec rec;
    rec.R = r;
    rec.G = g;
    rec.B = b;
    return rec;
}

// The 16 colours of the palette kind a conversion runs in, as records.
using ConverterPalette = std::array<ColorRec, PaletteEntries>;

// Display values of 3-bit and 2-bit colour levels (level 0 shows as 6, the top as 247).
inline constexpr std::array<std::int32_t, 8> Level3Table = {6, 32, 72, 104, 144, 176, 216, 247};
inline constexpr std::array<std::int32_t, 4> Level2Table = {6, 72, 144, 247};

// Largest distance value; every real distance is smaller, so a search starting here finds one.
inline constexpr std::int32_t DistanceUnreached = 65536;

ColorRec ColorRecFromColor(ColorValue value);
void DeriveYjk(ColorRec& rec);
ColorRec ColorRecFromColorYjk(ColorValue value);

// Rebuilds R, G, B (clamped) from Y8, J8, K8 and returns the colour value.
ColorValue YjkToColor(ColorRec& rec);

// The colour value of the record's R, G, B (each must already be 0..255).
constexpr ColorValue ColorOfRec(const ColorRec& rec) {
    return RgbColor(rec.R, rec.G, rec.B);
}

constexpr std::int32_t ClampChannel(std::int32_t channel) {
    return channel < 0 ? 0 : (channel > 255 ? 255 : channel);
}
void ClampY8(ColorRec& rec, std::int32_t low, std::int32_t high);

// Seven times the NTSC luminance, 0..1785.
std::int32_t Luminance7(const ColorRec& rec);

// Squared (optionally NTSC-weighted) distance before the square root; the search compares
// these against squares of truncated distances instead of taking a root per entry.
std::int64_t SquaredColorDistance(const ColorRec& a, const ColorRec& b, bool weighted);

// The truncated Euclidean distance of R, G, B, optionally NTSC-weighted.
std::int32_t ColorDistance(const ColorRec& a, const ColorRec& b, bool weighted);

// The channel moved by its offset, the brightness and the contrast, clamped to 0..255.
std::int32_t AdjustChannel(std::int32_t channel, std::int32_t offset, const ColorBalance& balance);

// AdjustChannel on red, green and blue of a record (Y8, J8, K8 are left as they were).
ColorRec AdjustColor(const ColorRec& rec, const ColorBalance& balance);

// The index first..last of the nearest palette entry; ties go to the lowest index.
int NearestPaletteIndex(const ConverterPalette& palette, const ColorRec& rec, int first, int last,
                        bool weighted);

// The 16 entries of a palette kind; a kind of -1 leaves the palette as it is.
void LoadConverterPalette(ConverterPalette& palette, int kind);

} // namespace murelo
