#include "core/dialogs/ToolPaletteModel.h"

#include "core/palette/Palettes.h"

#include <algorithm>
#include <cstdlib>

namespace murelo {

StripAction ToolPaletteModel::press(int x, int y, bool rightButton, PaletteKindId kind,
                                    ProtectedColorSet set) {
    toggled_ = false;
    pickingSecond_ = false;
    if (const auto swatch = SwatchAt(x, y)) {
        if (!IsProtectedIndex(set, *swatch) && IsUsableSwatch(*swatch, kind) && rightButton)
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

StripAction ToolPaletteModel::move(int x, int y, PaletteKindId kind, ProtectedColorSet& set) {
    const auto swatch = SwatchAt(x, y);
    if (!swatch || !pressed_ || pressX_ < 0 || !IsUsableSwatch(*swatch, kind))
        return {};
    if (std::abs(y - pressY_) < ToggleDistance)
        return {};
    set = ToggleProtection(set, *swatch);
    pressed_ = false;
    toggled_ = true;
    return {StripAction::ToggleProtection, *swatch};
}

StripAction ToolPaletteModel::release(int x, int y, PaletteKindId kind, ProtectedColorSet set) {
    pressed_ = false;
    const auto swatch = SwatchAt(x, y);
    if (!swatch || toggled_ || IsProtectedIndex(set, *swatch) || !IsUsableSwatch(*swatch, kind))
        return {};
    return {pickingSecond_ ? StripAction::SelectBackground : StripAction::SelectForeground,
            *swatch};
}

std::optional<int> ToolPaletteModel::SwatchAt(int x, int y) {
    if (x < 0 || x >= StripWidth || y < 0 || y > ColorStripBottom)
        return std::nullopt;
    return x >= 16 * SwatchWidth ? 15 : x / SwatchWidth;
}

std::optional<int> ToolPaletteModel::BrushPatternAt(int x, int y) {
    if (x < 0 || x >= StripWidth || y <= ColorStripBottom || y >= StripHeight)
        return std::nullopt;
    const int p = x / BrushSampleWidth;
    if (p >= BrushPatternCount)
        return std::nullopt;
    return p;
}

bool ToolPaletteModel::IsUsableSwatch(int swatch, PaletteKindId kind) {
    if (swatch < 0 || swatch >= PaletteEntries)
        return false;
    return IsUsableColor(PaletteColor(kind, swatch), kind);
}

bool ToolPaletteModel::IsProtectedIndex(ProtectedColorSet set, int index) {
    return index >= 0 && index < PaletteEntries && (set >> index & 1u) != 0;
}

ProtectedColorSet ToolPaletteModel::ToggleProtection(ProtectedColorSet set, int index) {
    if (index < 0 || index >= PaletteEntries)
        return set;
    return static_cast<ProtectedColorSet>(set ^ (1u << index));
}

PaletteSelection ToolPaletteModel::ClampSelection(int foregroundIndex, int backgroundIndex,
                                                  PaletteKindId kind) {
    const IndexRange& r = PaletteRange(kind);
    PaletteSelection s;
    s.foregroundIndex = foregroundIndex > r.last ? r.last : foregroundIndex;
    s.backgroundIndex = backgroundIndex > r.last ? r.first : backgroundIndex;
    s.foreground = PaletteColor(kind, s.foregroundIndex);
    s.background = PaletteColor(kind, s.backgroundIndex);
    return s;
}

PaintModeEnabling ToolPaletteModel::FreeDrawChanged(bool freeDrawChecked, bool fillSelected) {
    return {freeDrawChecked, !freeDrawChecked && fillSelected};
}

const char* ToolPaletteModel::DepthLabelText(PixelFormat saveDepth) {
    if (saveDepth == PixelFormat::Bits4)
        return "[ 4bit]";
    if (saveDepth == PixelFormat::Bits8)
        return "[ 8bit]";
    return "[24bit]";
}

int ToolPaletteModel::ScaleOfPosition(int position) {
    return 1 << std::clamp(position, 0, 5);
}

std::string ToolPaletteModel::ScaleLabelText(int scale) {
    return "x" + std::to_string(scale);
}

std::string ToolPaletteModel::ForegroundIndexText(int paletteIndex) {
    return paletteIndex < 0 ? "**" : std::to_string(paletteIndex);
}

} // namespace murelo
