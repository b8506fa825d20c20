#include "core/convert/HalfTone.h"

#include "core/convert/BalancedColor.h"
#include "core/convert/ConversionModes.h"

#include "core/editor/BrushPixel.h"

#include <array>

namespace murelo {

int HalfToneMask(int halfToneLevel) {
    static constexpr std::array<int, 4> Masks = {8, 12, 14, 15};
    return Masks[std::size_t(halfToneLevel & 3)];
}

int HalfToneTone(const ColorRec& adjusted, bool ntscWeighting) {
    const int tone =
        ntscWeighting ? Luminance7(adjusted) / 7 : (adjusted.R + adjusted.G + adjusted.B) / 3;
    return tone * 35294 / 1000000;
}

void DrawPatternPixel(ConversionState& state, int x, int y, ColorValue colorA, ColorValue colorB,
                      int pattern) {
    // The converter window unticks the tool palette's "Odd Line" while it is open, so only
    // the protected colours of the tool state reach the pen.
    ToolState tool;
    tool.ProtectedColors = state.params.ProtectedColors;
    const PaintContext context{state.source, tool, EditModeNumber(Describe(state.mode).editMode),
                               state.params.PaletteKind};
    PutBrushPixel(state.result, context, x, y, colorA, colorB, pattern, true);
}

void DrawHalfTonePixel(ConversionState& state, int sx, int sy, int x, int y) {
    const ConversionParameters& p = state.params;
    const ColorRec adjusted = BalancedColor(state, state.source.pixel(sx, sy));
    const int level = HalfToneTone(adjusted, p.NtscWeighting) & HalfToneMask(p.HalfToneLevel);
    DrawPatternPixel(state, x, y, p.ForegroundColor, p.BackgroundColor, level);
}

} // namespace murelo
