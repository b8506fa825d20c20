#pragma once

#include "core/app/Document.h"
#include "core/palette/ColorValue.h"

#include <cstdint>
#include <optional>
#include <string>

namespace murelo {

// The tool palette's strip image: 16 colour swatches of 16 x 33 pixels on top (y 0..32),
// nine brush samples of 28 pixels below (y 33..63).
constexpr int StripWidth = 257;
constexpr int StripHeight = 65;
constexpr int ColorStripBottom = 32;
constexpr int SwatchWidth = 16;
constexpr int BrushSampleWidth = 28;
constexpr int BrushPatternCount = 9;

// Bit i set: palette index i of the current kind must not be painted over (the tool
// state's ProtectedColors; IsProtectedPixel beside the tool state reads the picture).
using ProtectedColorSet = std::uint16_t;

// What a mouse event on the strip image asks the window to do.
struct StripAction {
    enum Kind {
        None,
        SelectBrush,      // index = brush pattern
        ToggleProtection, // index = swatch; the set has already been flipped
        SelectForeground, // index = swatch
        SelectBackground, // index = swatch
    };
    Kind kind = None;
    int index = -1;
};

// The two drawing colours as the tool palette selects them: indices into the current
// palette and the entries they stand for.
struct PaletteSelection {
    int foregroundIndex = 1;
    int backgroundIndex = 15;
    ColorValue foreground = 0;
    ColorValue background = 0;
};

// "Fill" may be chosen only while "Free Draw" is checked; unchecking it moves a chosen
// "Fill" back to "Pen".
struct PaintModeEnabling {
    bool fillEnabled;
    bool selectPen;
};

// The tool palette's rules: the strip's press-drag-release (a click picks the first colour
// with the left button or the second with the right one, a vertical drag of 9 pixels or
// more over a swatch protects or unprotects its colour instead, a press on a brush sample
// chooses it), the colour selection a palette allows, Free Draw and Fill, and the texts
// of its labels.
class ToolPaletteModel {
  public:
    static constexpr int ToggleDistance = 9;

    StripAction press(int x, int y, bool rightButton, PaletteKindId kind, ProtectedColorSet set);
    StripAction move(int x, int y, PaletteKindId kind, ProtectedColorSet& set);
    StripAction release(int x, int y, PaletteKindId kind, ProtectedColorSet set);
    bool pressed() const { return pressed_; }
    bool pickingSecond() const { return pickingSecond_; }

    // The swatch under a colour-strip position, none outside the strip (a drag may leave
    // it). The one extra column at x 256 belongs to the last swatch.
    static std::optional<int> SwatchAt(int x, int y);
    // The brush pattern under a brush-strip position; the few columns right of the ninth
    // sample (x 252 and up) and anything outside the strip select none.
    static std::optional<int> BrushPatternAt(int x, int y);
    // Whether a swatch's colour may be drawn with in the kind (the transparent slot of the
    // 16-colour kinds may; the filler past a short palette may not).
    static bool IsUsableSwatch(int swatch, PaletteKindId kind);

    static bool IsProtectedIndex(ProtectedColorSet set, int index);
    // The set with the bit of one palette index flipped; an index outside 0..15 flips nothing.
    static ProtectedColorSet ToggleProtection(ProtectedColorSet set, int index);

    // Keeps both indices inside the kind's usable range (a first colour past the end moves
    // to the last usable index, a second colour to the first) and takes their entries.
    static PaletteSelection ClampSelection(int foregroundIndex, int backgroundIndex,
                                           PaletteKindId kind);
    static PaintModeEnabling FreeDrawChanged(bool freeDrawChecked, bool fillSelected);

    // "[ 4bit]", "[ 8bit]" or "[24bit]" for a SaveDepth.
    static const char* DepthLabelText(PixelFormat saveDepth);
    // Display scale of a scale track bar position 0..5: 1, 2, 4, 8, 16, 32.
    static int ScaleOfPosition(int position);
    // "x1" .. "x32" for the display scale.
    static std::string ScaleLabelText(int scale);
    // The number shown under the first-colour swatch, "**" for a colour in no palette entry.
    static std::string ForegroundIndexText(int paletteIndex);

  private:
    bool pressed_ = false;
    bool toggled_ = false;
    bool pickingSecond_ = false;
    int pressX_ = -1;
    int pressY_ = -1;
};

} // namespace murelo
