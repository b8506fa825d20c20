#include "core/convert/AdjustQuantize.h"

#include "core/convert/BalancedColor.h"

namespace murelo {

namespace {

struct Snapped {
    ColorRec display; // the display values of the levels
    int redLevel = 0;
    int greenLevel = 0;
    int blueLevel = 0;
};

Snapped Snap(const ColorRec& balanced, int kind) {
    Snapped s;
    s.display = balanced;
    if (kind == Quantize512 || kind == QuantizeScreen8) {
        s.redLevel = balanced.R >> 5;
        s.greenLevel = balanced.G >> 5;
        s.blueLevel = kind == Quantize512 ? balanced.B >> 5 : balanced.B >> 6;
        s.display.R = Level3Table[s.redLevel];
        s.display.G = Level3Table[s.greenLevel];
        s.display.B = kind == Quantize512 ? Level3Table[s.blueLevel] : Level2Table[s.blueLevel];
    }
    return s;
}

ColorValue Finish(ConversionState& state, const Snapped& s, bool store, int index) {
    if (store && index >= 0 && std::size_t(index) < state.screenBytes.size())
        state.screenBytes[std::size_t(index)] = Screen8Byte(s.redLevel, s.greenLevel, s.blueLevel);
    return ColorOfRec(s.display);
}

} // namespace

ColorValue AdjustQuantize(ConversionState& state, ColorValue color, int kind, bool store,
                          int index) {
    const ColorRec balanced = BalancedColor(state, color);
    return Finish(state, Snap(balanced, kind), store, index);
}

ColorValue AdjustQuantizeDiffuse(ConversionState& state, ColorValue color, int kind, bool store,
                                 int index, const ErrorTriple& carried, ErrorTriple& outError) {
    ColorRec rec = ColorRecFromColor(color);
    rec.R += carried.R;
    rec.G += carried.G;
    rec.B += carried.B;
    const ColorRec balanced = BalancedRec(state, rec);
    const Snapped s = Snap(balanced, kind);
    outError = {balanced.R - s.display.R, balanced.G - s.display.G, balanced.B - s.display.B};
    return Finish(state, s, store, index);
}

} // namespace murelo
