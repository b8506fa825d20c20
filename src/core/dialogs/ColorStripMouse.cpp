#include "core/dialogs/ColorStripMouse.h"

#include "core/dialogs/StripGeometry.h"
#include "core/palette/Palettes.h"

#include <cstdlib>

namespace murelo {

bool IsUsableSwatch(int swatch, int paletteKind) {
    if (swatch < 0 || swatch >= PaletteEntries)
        return false;
    return IsUsableColor(PaletteColor(paletteKind, swatch), paletteKind);
}

StripAction ColorStripMouse::press(int x, int y, bool rightButton, int paletteKind,
                                   ProtectedColorSet set) {
    toggled_ = false;
    pickingSecond_ = false;
    if (const auto swatch = SwatchAt(x, y)) {
        if (!IsProtectedIndex(set, *swatch) && IsUsableSwatch(*swatch, paletteKind) && rightButton)
            pickingSecond_ = true;
        pressed_ = true;
        pressX_ = x;
        pressY_ = y;
        return {};
    }
    if (const auto pattern = BrushPatternAt(x, y))
        return {StripAction::SelectBrush, *pattern};
    return {};
}

StripAction ColorStripMouse::move(int x, int y, int paletteKind, ProtectedColorSet& set) {
    const auto swatch = SwatchAt(x, y);
    if (!swatch || !pressed_ || pressX_ < 0 || !IsUsableSwatch(*swatch, paletteKind))
        return {};
    if (std::abs(y - pressY_) < ToggleDistance)
        return {};
    set = ToggleProtection(set, *swatch);
    pressed_ = false;
    toggled_ = true;
    return {StripAction::ToggleProtection, *swatch};
}

StripAction ColorStripMouse::release(int x, int y, int paletteKind, ProtectedColorSet set) {
    pressed_ = false;
    const auto swatch = SwatchAt(x, y);
    if (!swatch || toggled_ || IsProtectedIndex(set, *swatch) ||
        !IsUsableSwatch(*swatch, paletteKind))
        return {};
    return {pickingSecond_ ? StripAction::SelectBackground : StripAction::SelectForeground,
            *swatch};
}

} // namespace murelo
