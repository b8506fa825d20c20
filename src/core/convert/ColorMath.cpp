#include "core/convert/ColorMath.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace murelo {

// Where a product could leave 32 bits for channels outside 0..255 (a carried diffusion
// error, a colour read outside the picture), it is formed in 64 bits and divided there.
// For every value the 32-bit form handles without overflow the truncated quotient is the
// same, so in-range results are exactly the 32-bit ones and out-of-range ones are the
// true quotients rather than wrapped garbage.

ColorRec ColorRecFromColor(ColorValue value) {
    ColorRec rec;
    rec.R = value & 0xFF;
    rec.G = (value >> 8) & 0xFF;
    rec.B = (value >> 16) & 0xFF;
    return rec;
}

void DeriveYjk(ColorRec& rec) {
    rec.Y8 = 2 * rec.R + rec.G + 4 * rec.B;
    rec.J8 = 6 * rec.R - rec.G - 4 * rec.B;
    rec.K8 = 7 * rec.G - 2 * rec.R - 4 * rec.B;
}

ColorRec ColorRecFromColorYjk(ColorValue value) {
    ColorRec rec = ColorRecFromColor(value);
    DeriveYjk(rec);
    return rec;
}

ColorValue YjkToColor(ColorRec& rec) {
    rec.R = ClampChannel((rec.Y8 + rec.J8) / 8);
    rec.G = ClampChannel((rec.Y8 + rec.K8) / 8);
    rec.B = ClampChannel((5 * rec.Y8 - 2 * rec.J8 - rec.K8) / 32);
    return ColorOfRec(rec);
}

void ClampY8(ColorRec& rec, std::int32_t low, std::int32_t high) {
    if (rec.Y8 < low)
        rec.Y8 = low;
    else if (rec.Y8 > high)
        rec.Y8 = high;
}

std::int32_t Luminance7(const ColorRec& rec) {
    const std::int64_t sum =
        std::int64_t(rec.R) * 34282 + std::int64_t(rec.G) * 67277 + std::int64_t(rec.B) * 13129;
    return std::int32_t(sum / 16384);
}

namespace {

std::int64_t WeightedDifference(std::int64_t d, std::int64_t weight) {
    return d * weight / 10000;
}

} // namespace

std::int64_t SquaredColorDistance(const ColorRec& a, const ColorRec& b, bool weighted) {
    std::int64_t dR = std::int64_t(a.R) - b.R;
    std::int64_t dG = std::int64_t(a.G) - b.G;
    std::int64_t dB = std::int64_t(a.B) - b.B;
    if (weighted) {
        dR = WeightedDifference(dR, 298912);
        dG = WeightedDifference(dG, 586611);
        dB = WeightedDifference(dB, 114478);
    }
    return dR * dR + dG * dG + dB * dB;
}

namespace {

// The square root truncated toward zero. Squared distances stay far below 2^52, where the
// double root of an integer never rounds up across the next integer.
std::int32_t TruncatedRoot(std::int64_t square) {
    return std::int32_t(std::sqrt(double(square)));
}

} // namespace

std::int32_t ColorDistance(const ColorRec& a, const ColorRec& b, bool weighted) {
    return TruncatedRoot(SquaredColorDistance(a, b, weighted));
}

std::int32_t AdjustChannel(std::int32_t channel, std::int32_t offset, const ColorBalance& balance) {
    std::int64_t v = std::int64_t(channel) + offset + balance.Brightness;
    if (balance.Contrast <= 100) {
        v = (v - 128) * balance.Contrast / 100 + 128;
    } else {
        const std::int64_t factor = std::int64_t(balance.Contrast - 86) * (balance.Contrast - 86);
        v = (v - 128) * factor / 200 + 128;
    }
    return v < 0 ? 0 : (v > 255 ? 255 : std::int32_t(v));
}

ColorRec AdjustColor(const ColorRec& rec, const ColorBalance& balance) {
    ColorRec out = rec;
    out.R = AdjustChannel(rec.R, balance.RedOffset, balance);
    out.G = AdjustChannel(rec.G, balance.GreenOffset, balance);
    out.B = AdjustChannel(rec.B, balance.BlueOffset, balance);
    return out;
}

namespace {

// Weighted channel differences for every difference -255..255, so the search of in-range
// colours needs no multiplications or divisions per entry.
struct WeightTables {
    std::array<std::array<std::int32_t, 511>, 3> weighted{};
    WeightTables() {
        static constexpr std::int64_t Weights[3] = {298912, 586611, 114478};
        for (int c = 0; c < 3; ++c)
            for (int d = -255; d <= 255; ++d)
                weighted[c][std::size_t(d + 255)] = std::int32_t(WeightedDifference(d, Weights[c]));
    }
};

const WeightTables& Weights() {
    static const WeightTables tables;
    return tables;
}

bool InRange(const ColorRec& rec) {
    return unsigned(rec.R) <= 255 && unsigned(rec.G) <= 255 && unsigned(rec.B) <= 255;
}

// The search as the rules state it: a later entry wins when its truncated distance is
// below the best one. For an integer best, floor(sqrt(s)) < best exactly when
// s < best * best, so the root is taken only when an entry actually wins.
int NearestByScan(const ConverterPalette& palette, const ColorRec& rec, int first, int last,
                  bool weighted) {
    std::int64_t best = DistanceUnreached;
    std::int64_t bestSquare = best * best;
    int result = 1;
    for (int i = first; i <= last; ++i) {
        const std::int64_t square = SquaredColorDistance(rec, palette[i], weighted);
        if (square < bestSquare) {
            best = TruncatedRoot(square);
            bestSquare = best * best;
            result = i;
        }
    }
    return result;
}

} // namespace

int NearestPaletteIndex(const ConverterPalette& palette, const ColorRec& rec, int first, int last,
                        bool weighted) {
    if (!InRange(rec) || first < 0 || last >= PaletteEntries || first > last)
        return NearestByScan(palette, rec, first, last, weighted);
    for (int i = first; i <= last; ++i)
        if (!InRange(palette[i]))
            return NearestByScan(palette, rec, first, last, weighted);
    // In range every square stays below 2^31 (at most 17039^2 weighted). The winner of the
    // scan is the first entry whose truncated distance equals the smallest one, that is the
    // first whose square is below (dmin + 1)^2: one root per search instead of one per win.
    std::array<std::int32_t, PaletteEntries> squares;
    std::int32_t smallest = INT32_MAX;
    if (weighted) {
        const auto& w = Weights().weighted;
        for (int i = first; i <= last; ++i) {
            const ColorRec& p = palette[i];
            const std::int32_t dR = w[0][std::size_t(rec.R - p.R + 255)];
            const std::int32_t dG = w[1][std::size_t(rec.G - p.G + 255)];
            const std::int32_t dB = w[2][std::size_t(rec.B - p.B + 255)];
            squares[std::size_t(i)] = dR * dR + dG * dG + dB * dB;
            smallest = std::min(smallest, squares[std::size_t(i)]);
        }
    } else {
        for (int i = first; i <= last; ++i) {
            const ColorRec& p = palette[i];
            const std::int32_t dR = rec.R - p.R;
            const std::int32_t dG = rec.G - p.G;
            const std::int32_t dB = rec.B - p.B;
            squares[std::size_t(i)] = dR * dR + dG * dG + dB * dB;
            smallest = std::min(smallest, squares[std::size_t(i)]);
        }
    }
    const std::int64_t bound =
        std::int64_t(TruncatedRoot(smallest) + 1) * (TruncatedRoot(smallest) + 1);
    for (int i = first; i <= last; ++i)
        if (squares[std::size_t(i)] < bound)
            return i;
    return first;
}

void LoadConverterPalette(ConverterPalette& palette, int kind) {
    if (kind == -1)
        return;
    const auto& table = PaletteTable(kind);
    for (int i = 0; i < PaletteEntries; ++i)
        palette[i] = ColorRecFromColor(table[i]);
}

} // namespace murelo
