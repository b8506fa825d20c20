#include "core/editor/RunRule.h"

namespace murelo {

namespace {

// The first in-picture pixel of the run that differs from `color`, or NoColor.
ColorValue FirstOtherColor(const RowBuffer& run, ColorValue color) {
    for (ColorValue c : run)
        if (c != NoColor && c != color)
            return c;
    return NoColor;
}

} // namespace

RowBuffer ReadRun(const Picture& picture, int x8, int y) {
    RowBuffer run;
    for (int i = 0; i < 8; ++i)
        run[i] = picture.pixel(x8 + i, y);
    return run;
}

void WriteRun(Picture& picture, int x8, int y, const RowBuffer& run) {
    for (int i = 0; i < 8; ++i)
        if (run[i] != NoColor)
            picture.setPixel(x8 + i, y, run[i]);
}

void ApplyPenToRun(RowBuffer& run, int index, ColorValue color, const PaintContext& context) {
    const ColorValue old = run[index];
    // A pen outside the picture has nothing to paint; positions outside the picture are no
    // colour of the run, or a partial run at the right edge would count them as one.
    if (old == NoColor || IsProtectedColor(context.tool, old, context.paletteKind))
        return;
    const ColorValue a = FirstOtherColor(run, NoColor);
    ColorValue b = FirstOtherColor(run, a);
    if (b == NoColor)
        b = a;
    if (a == b || color == a || color == b) {
        run[index] = color;
        return;
    }
    // A third colour: the clicked pixel's colour gives way to it, the other one stays.
    const ColorValue keep = old == a ? b : old == b ? a : color;
    for (ColorValue& c : run) {
        if (c == NoColor)
            continue;
        c = c == old ? color : keep;
    }
}

void ApplyHalfToRun(RowBuffer& run, ColorValue color, ColorValue other) {
    ColorValue keep = other;
    if (other == color || other == NoColor) {
        keep = FirstOtherColor(run, color);
        if (keep == NoColor)
            return;
    }
    for (ColorValue& c : run)
        if (c != NoColor && c != color && c != keep)
            c = color;
}

} // namespace murelo
