#include "core/convert/PcConversion.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace murelo {

namespace {

constexpr int SquareSpan = 2 * 255 + 1; // differences -255..255
constexpr int AdjustLow = -512;         // inputs -512..767: a channel and any carried error
constexpr int AdjustSpan = 1280;

// The squared distance one channel contributes, taken from the shared distance so that the
// weighting and its truncation stay exactly as it has them.
void AppendChannelSquares(std::vector<std::int32_t>& squares, int channel, bool weighted) {
    for (int d = -255; d <= 255; ++d) {
        std::array<std::int32_t, 3> a{}, b{};
        a[std::size_t(channel)] = std::max(d, 0);
        b[std::size_t(channel)] = std::max(-d, 0);
        squares.push_back(std::int32_t(
            SquaredColorDistance(RgbRec(a[0], a[1], a[2]), RgbRec(b[0], b[1], b[2]), weighted)));
    }
}

void AppendChannelAdjust(std::vector<std::int32_t>& table, std::int32_t offset,
                         const ColorBalance& balance) {
    for (int c = AdjustLow; c < AdjustLow + AdjustSpan; ++c)
        table.push_back(AdjustChannel(c, offset, balance));
}

std::int32_t AdjustOne(const ConversionState& state, int channel, std::int32_t value,
                       std::int32_t offset) {
    const int slot = value - AdjustLow;
    if (slot < 0 || slot >= AdjustSpan || state.channelAdjust.empty())
        return AdjustChannel(value, offset, state.params.Balance);
    return state.channelAdjust[std::size_t(channel * AdjustSpan + slot)];
}

// The squares of channel value v against the 16 palette entries.
const std::int32_t* RowOf(const ConversionState& state, int channel, int v) {
    return state.paletteSquares.data() + (channel * 256 + v) * PaletteEntries;
}

} // namespace

void PreparePcTables(ConversionState& state) {
    state.channelSquares.clear();
    for (int channel = 0; channel < 3; ++channel)
        AppendChannelSquares(state.channelSquares, channel, state.params.NtscWeighting);
    state.paletteSquares.assign(std::size_t(3 * 256 * PaletteEntries), 0);
    for (int channel = 0; channel < 3; ++channel)
        for (int v = 0; v < 256; ++v)
            for (int i = 0; i < PaletteEntries; ++i) {
                const ColorRec& p = state.palette[std::size_t(i)];
                const int entry = channel == 0 ? p.R : channel == 1 ? p.G : p.B;
                state.paletteSquares[std::size_t((channel * 256 + v) * PaletteEntries + i)] =
                    state.channelSquares[std::size_t(channel * SquareSpan + 255 + v - entry)];
            }
    const ColorBalance& b = state.params.Balance;
    state.channelAdjust.clear();
    AppendChannelAdjust(state.channelAdjust, b.RedOffset, b);
    AppendChannelAdjust(state.channelAdjust, b.GreenOffset, b);
    AppendChannelAdjust(state.channelAdjust, b.BlueOffset, b);
}

ColorRec AdjustedOf(const ConversionState& state, std::int32_t r, std::int32_t g, std::int32_t b) {
    const ColorBalance& balance = state.params.Balance;
    return RgbRec(AdjustOne(state, 0, r, balance.RedOffset),
                  AdjustOne(state, 1, g, balance.GreenOffset),
                  AdjustOne(state, 2, b, balance.BlueOffset));
}

ColorRec AdjustedSource(const ConversionState& state, int x, int y) {
    const ColorValue c = state.source.pixel(x, y);
    return AdjustedOf(state, RedOf(c), GreenOf(c), BlueOf(c));
}

int NearestIndexIn(const ConversionState& state, const ColorRec& adjusted, int first, int last) {
    const auto inRange = [](std::int32_t c) { return c >= 0 && c <= 255; };
    if (state.paletteSquares.empty() || !inRange(adjusted.R) || !inRange(adjusted.G) ||
        !inRange(adjusted.B))
        return NearestPaletteIndex(state.palette, adjusted, first, last,
                                   state.params.NtscWeighting);
    // NearestPaletteIndex keeps the first entry whose truncated distance is the smallest
    // of all. So: find the smallest squared distance s, and then the first entry whose
    // square lies below (floor(sqrt(s)) + 1)^2, which is exactly the first entry with the
    // same truncated distance. Both loops run without data-dependent branches.
    if (first > last)
        return 1;
    const std::int32_t* sr = RowOf(state, 0, adjusted.R);
    const std::int32_t* sg = RowOf(state, 1, adjusted.G);
    const std::int32_t* sb = RowOf(state, 2, adjusted.B);
    std::array<std::int32_t, PaletteEntries> squares;
    for (int i = 0; i < PaletteEntries; ++i)
        squares[std::size_t(i)] = sr[i] + sg[i] + sb[i];
    std::int32_t smallest = std::numeric_limits<std::int32_t>::max();
    for (int i = first; i <= last; ++i)
        smallest = std::min(smallest, squares[std::size_t(i)]);
    const std::int64_t root = std::int64_t(std::sqrt(double(smallest)));
    const std::int64_t bound = (root + 1) * (root + 1);
    int i = first;
    while (squares[std::size_t(i)] >= bound)
        ++i;
    return i;
}

int NearestInRange(const ConversionState& state, const ColorRec& adjusted) {
    const IndexRange& range = ConversionRange(state.params.PaletteKind);
    return NearestIndexIn(state, adjusted, range.first, range.last);
}

void PaintWidePixel(ConversionState& state, int u, int y, ColorValue color) {
    state.result.setPixel(2 * u, y, color);
    state.result.setPixel(2 * u + 1, y, color);
}

void PaintTallPixel(ConversionState& state, int x, int p, ColorValue color) {
    state.result.setPixel(x, 2 * p, color);
    state.result.setPixel(x, 2 * p + 1, color);
}

int PixelCount(const ConversionState& state) {
    return state.source.width() * state.source.height();
}

int RowPairPass(ConversionState& state, int start) {
    const int w = state.source.width();
    return RunUnits(state, start, PixelCount(state), [&](int i) {
        const int y = i / w;
        // Both rows of a pair paint the same colours from the even row; the odd row's
        // units would only repeat them.
        if (y % 2 != 0)
            return;
        const int x = i % w;
        const int index = NearestInRange(state, AdjustedSource(state, x, y));
        PaintTallPixel(state, x, y / 2, ConversionColor(state, index));
    });
}

} // namespace murelo
