#pragma once

#include "core/convert/ColorMath.h"
#include "core/convert/ConversionParameters.h"
#include "core/convert/ConverterPage.h"
#include "core/convert/DitherWork.h"
#include "core/convert/PassBudget.h"
#include "core/editor/Picture.h"
#include "core/palette/Palettes.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace murelo {

// One diffusion error per channel.
struct ErrorTriple {
    std::int32_t R = 0;
    std::int32_t G = 0;
    std::int32_t B = 0;
    friend bool operator==(const ErrorTriple&, const ErrorTriple&) = default;
};

// One entry of the quantizer's palette, in the byte order of a bitmap colour table.
struct QuantizerEntry {
    std::uint8_t Blue = 0;
    std::uint8_t Green = 0;
    std::uint8_t Red = 0;
    std::uint8_t Zero = 0;
    friend bool operator==(const QuantizerEntry&, const QuantizerEntry&) = default;
};
using QuantizerPalette = std::array<QuantizerEntry, PaletteEntries>;

// The direct-colour modes store one byte per pixel of a 256-wide screen (byte y * 256 + x),
// and only for pictures the screen holds (at most 212 rows).
inline constexpr int ScreenByteWidth = 256;
inline constexpr int ScreenByteRows = 212;
inline constexpr std::size_t ScreenBytesSize = std::size_t(ScreenByteWidth) * ScreenByteRows;

// AdjustChannel of every channel value 0..255 for one colour balance, rebuilt whenever the
// balance in force differs from the one it holds (so it can never be stale).
struct BalanceTable {
    bool built = false;
    ColorBalance balance;
    std::array<std::array<std::uint8_t, 256>, 3> channel{}; // red, green, blue
};

class ModeConversion;
enum class ModeId : int;

// Everything a running conversion shares with its mode: the source and the result, the
// parameters, the converter palette, the bytes of the screen files and the quantizer's
// palette. The mode's own working state lives in its ModeConversion (`work`).
struct ConversionState {
    ConversionState();
    ~ConversionState();
    ConversionState(const ConversionState&) = delete;
    ConversionState& operator=(const ConversionState&) = delete;

    Picture source; // the picture being converted (never written)
    Picture result; // what the conversion draws; a copy of the source at each start
    ConversionParameters params;
    ConverterPalette palette{};

    // The running conversion.
    ModeId mode{};
    int progress = 0; // the index of the next unit
    bool complete = false;
    PassBudget budget;
    std::unique_ptr<ModeConversion> work;

    // The dithered Graphic 2 mode's buffers and its palette's mixing table. Unlike the other
    // modes' work it outlives a conversion: a slider drag restarts the mode many times, and
    // the table (tens of milliseconds to build) is kept while the palette stays the same.
    DitherWork dither;

    // What the direct-colour modes store for their screen files: one byte per pixel of a
    // 256-wide screen (byte y * 256 + x), for pictures the screen holds (at most 212 rows).
    std::vector<std::uint8_t> screenBytes = std::vector<std::uint8_t>(ScreenBytesSize);
    QuantizerPalette quantizerPalette{};

    // A cache of the balance, filled on demand (see BalancedColor).
    mutable BalanceTable balanceTable;

    // The PC pages' per-channel tables, built when a conversion starts: the squared
    // (weighted) distance of every channel difference -255..255, and the balanced value of
    // every channel input -512..767 (red, green, blue one after another).
    std::vector<std::int32_t> channelSquares;
    std::vector<std::int32_t> channelAdjust;
    // The same squares by channel value 0..255 and palette entry (16 per value), so that a
    // search adds three rows instead of looking up every entry.
    std::vector<std::int32_t> paletteSquares;
};

// Runs the pass's units start, start + 1, ... below end while the state's budget lasts;
// returns the next index. `unit` converts one unit given its index.
template <class Unit> int RunUnits(ConversionState& state, int start, int end, Unit&& unit) {
    state.budget.begin();
    int i = start;
    while (i < end && !state.budget.spent()) {
        unit(i);
        ++i;
    }
    return i;
}

// RunUnits over pixel indices of a picture `width` wide: `unit` gets the index and its
// column and row, kept without a division per pixel.
template <class Unit>
int RunPixelUnits(ConversionState& state, int start, int end, int width, Unit&& unit) {
    state.budget.begin();
    if (start >= end || width <= 0)
        return start;
    int i = start;
    int x = start % width;
    int y = start / width;
    while (i < end && !state.budget.spent()) {
        unit(i, x, y);
        ++i;
        if (++x == width) {
            x = 0;
            ++y;
        }
    }
    return i;
}

// The palette colour value of index i of the conversion's kind.
inline ColorValue ConversionColor(const ConversionState& state, int index) {
    return PaletteColor(state.params.PaletteKind, index);
}

} // namespace murelo
