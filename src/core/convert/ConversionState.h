#pragma once

#include "core/convert/ColorMath.h"
#include "core/convert/DitherWork.h"
#include "core/convert/PassBudget.h"
#include "core/editor/Picture.h"
#include "core/editor/ScreenBuffer.h"
#include "core/palette/Palettes.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace murelo {

// The five pages of the converter, in the order of the window's tabs.
enum class ConverterPage : int { Tms9918 = 0, V9938 = 1, V9958 = 2, Pc6001 = 3, Pc8801 = 4 };
inline constexpr int ConverterPageCount = 5;

// Everything the user can set for a conversion. One set serves every page: the colour
// balance, the weighting and the half-tone level are shared by all of them.
struct ConversionParameters {
    int PaletteKind = KindTms9918;
    ColorBalance Balance;
    bool NtscWeighting = false;
    int HalfToneLevel = 3; // 0..3
    YjkBalance Yjk;
    bool Rules9918 = true;      // TMS9918 "9918 Rules"
    bool Interlace = false;     // V9938 "Interlace" (also read by the PC-8801 analog palette)
    bool OddLine = false;       // V9938 "Odd Line"
    bool P6Rules = false;       // PC-6x01 "P6 Rules"
    bool AnalogPalette = false; // PC-8801 "Analog Palette"
    int ConvertType = 0;        // V9958 "Convert Type" 0..2
    int DitherStrength = 95;    // TMS9918 "Dither" 0..100 (%), the dithered Graphic 2 mode
    // The editor's drawing colours, used by the half-tone pens; NoColor = none.
    ColorValue ForegroundColor = 0x000000;
    ColorValue BackgroundColor = 0xFFFFFF;
    // The tool palette's protected colours (bit i: index i of PaletteKind); the half-tone
    // pens leave pixels of the source in those colours alone, as the painting pen does.
    std::uint16_t ProtectedColors = 0;
};

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

// The diffusion buffer covers the largest picture plus the column right of it, which the
// below-right share of the last column would reach.
inline constexpr int ErrorColumns = MaxPictureSize + 1;
inline constexpr int ErrorRows = MaxPictureSize;

// The direct-colour modes store one byte per pixel of a 256-wide screen (byte y * 256 + x)
// into the screen byte buffer, and only for pictures the screen holds (at most 212 rows).
inline constexpr int ScreenByteWidth = 256;

// AdjustChannel of every channel value 0..255 for one colour balance, rebuilt whenever the
// balance in force differs from the one it holds (so it can never be stale).
struct BalanceTable {
    bool built = false;
    ColorBalance balance;
    std::array<std::array<std::uint8_t, 256>, 3> channel{}; // red, green, blue
};

struct ConversionState;

// A time-sliced pass: converts units from `start` while the budget lasts and returns the
// index of the next unconverted unit. Passes never do set-up; PrepareConversion does.
using ConversionPass = int (*)(ConversionState& state, int start);
// Runs once when the pass reaches its end (the palette modes' colour reduction).
using ConversionFinish = void (*)(ConversionState& state);

// What a started mode runs: its pass, the index at which it is complete, its finish.
struct ConversionPlan {
    ConversionPass pass = nullptr;
    int end = 0;
    ConversionFinish finish = nullptr;
};

struct ConversionState {
    Picture source; // the picture being converted (never written)
    Picture result; // what the conversion draws; a copy of the source at each start
    ConversionParameters params;
    ConverterPalette palette{};

    // The running conversion.
    ConverterPage page = ConverterPage::Tms9918;
    int ConversionMode = 0;
    int ConversionProgress = 0;
    int EditMode = 0; // the picture's pixel mode the conversion set
    ConversionPlan plan;
    bool complete = false;
    PassBudget budget;

    // SCREEN 2 with "9918 Rules": palette indices chosen in the current 8-pixel run.
    std::array<int, PaletteEntries> runHistogram{};
    // The dithered Graphic 2 mode's candidates and waiting errors.
    DitherWork dither;

    // Diffusion errors by column and row; and the error the last pixel produced.
    std::vector<ErrorTriple> errors = std::vector<ErrorTriple>(ErrorColumns * ErrorRows);
    ErrorTriple currentError;

    // The program's one screen byte buffer, which the screen-file writers read; a test may
    // point a state at a buffer of its own.
    std::span<std::uint8_t> screenBytes = SharedScreenBuffer().bytes;
    QuantizerPalette quantizerPalette{};

    ErrorTriple& errorAt(int x, int y) { return errors[std::size_t(x) * ErrorRows + y]; }

    // A cache of the balance, filled on demand (see BalancedColor).
    mutable BalanceTable balanceTable;

    // --- fields of the YJK, PC and quantizer passes ---
    // The PC pages' per-channel tables, built when a conversion starts: the squared
    // (weighted) distance of every channel difference -255..255, and the balanced value of
    // every channel input -512..767 (red, green, blue one after another).
    std::vector<std::int32_t> channelSquares;
    std::vector<std::int32_t> channelAdjust;
    // The same squares by channel value 0..255 and palette entry (16 per value), so that a
    // search adds three rows instead of looking up every entry.
    std::vector<std::int32_t> paletteSquares;
    // "Color Tone": the search's candidates in search order (model red, green, blue and the
    // packed choice, four numbers each), and the choices made so far by target colour (an
    // exact cache: a hit needs the whole colour).
    std::vector<std::int32_t> toneCandidates;
    std::vector<std::uint64_t> toneCache;
    // --- end of the fields of the YJK, PC and quantizer passes ---
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
