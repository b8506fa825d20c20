#include "core/convert/ColorMath.h"

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

std::int64_t WeightedDifference(std::int64_t d, std::int64_t weight) { return d * weight / 10000; }

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

std::int32_t AdjustChannel(std::int32_t channel, std::int32_t offset,
                           const ColorBalance& balance) {
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

int NearestPaletteIndex(const ConverterPalette& palette, const ColorRec& rec, int first, int last,
                        bool weighted) {
    // A later entry wins only when its truncated distance d is below the best one. For an
    // integer best, floor(sqrt(s)) < best exactly when s < best * best, so the root is
    // taken only when an entry actually wins.
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

void LoadConverterPalette(ConverterPalette& palette, int kind) {
    if (kind == -1)
        return;
    const auto& table = PaletteTable(kind);
    for (int i = 0; i < PaletteEntries; ++i)
        palette[i] = ColorRecFromColor(table[i]);
}

} // namespace murelo
