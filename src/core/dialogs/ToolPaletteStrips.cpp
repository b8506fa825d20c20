#include "core/dialogs/ToolPaletteStrips.h"

#include "core/editor/BrushPixel.h"
#include "core/palette/Palettes.h"

namespace murelo {
namespace {

constexpr ColorValue White = 0xFFFFFF;
constexpr ColorValue Black = 0x000000;
constexpr int HatchSpacing = 8;

void HatchSwatch(Picture& strip, int left) {
    for (int y = 0; y <= ColorStripBottom; ++y)
        for (int x = left; x < left + SwatchWidth; ++x)
            // Lines rising to the right, on the strip's own 8-pixel grid like a hatch brush.
            strip.setPixel(x, y, (x + y) % HatchSpacing == HatchSpacing - 1 ? White : Black);
}

void DrawRectOutline(Picture& strip, int left, int top, int right, int bottom, ColorValue c) {
    for (int x = left; x <= right; ++x) {
        strip.setPixel(x, top, c);
        strip.setPixel(x, bottom, c);
    }
    for (int y = top; y <= bottom; ++y) {
        strip.setPixel(left, y, c);
        strip.setPixel(right, y, c);
    }
}

} // namespace

void DrawColorStrip(Picture& strip, PaletteKindId kind, ProtectedColorSet set) {
    for (int i = 0; i < PaletteEntries; ++i) {
        const int left = i * SwatchWidth;
        const ColorValue entry = PaletteColor(kind, i);
        if (!ToolPaletteModel::IsProtectedIndex(set, i)) {
            strip.fillRect(left, 0, SwatchWidth, ColorStripBottom + 1, entry);
            continue;
        }
        HatchSwatch(strip, left);
        strip.fillRect(left + 4, 4, 8, 25, entry);
    }
    // The extra last column belongs to swatch 15, as the mouse rules say.
    strip.fillRect(16 * SwatchWidth, 0, 1, ColorStripBottom + 1,
                   ToolPaletteModel::IsProtectedIndex(set, 15) ? Black : PaletteColor(kind, 15));
}

void DrawBrushStrip(Picture& strip, const ToolState& tool, EditModeId mode, PaletteKindId kind) {
    strip.fillRect(0, ColorStripBottom + 1, strip.width(), 31, Black);
    const PaintContext context{strip, tool, EditModeNumber(mode), KindNumber(kind)};
    for (int p = 0; p < BrushPatternCount; ++p) {
        const int left = 2 + BrushSampleWidth * p;
        for (int y = 34; y < 34 + BrushSampleWidth; ++y)
            for (int x = left; x < left + BrushSampleWidth; ++x)
                PutBrushPixel(strip, context, x, y, tool.ForegroundColor, tool.BackgroundColor, p,
                              false);
    }
    const int b = tool.BrushPattern;
    DrawRectOutline(strip, 28 * b + 2, 33, 28 * b + 30, 62, White);
}

} // namespace murelo
