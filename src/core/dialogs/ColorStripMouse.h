#pragma once

#include "core/dialogs/ProtectedColors.h"

namespace murelo {

// What a mouse event on the tool palette's strip image asks the window to do.
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

// The press-drag-release rules of the strip: a click picks the first colour (left button)
// or the second one (right button), a vertical drag of 9 pixels or more over a swatch
// protects or unprotects its colour instead, a press on a brush sample chooses it.
class ColorStripMouse {
  public:
    static constexpr int ToggleDistance = 9;

    StripAction press(int x, int y, bool rightButton, int paletteKind, ProtectedColorSet set);
    StripAction move(int x, int y, int paletteKind, ProtectedColorSet& set);
    StripAction release(int x, int y, int paletteKind, ProtectedColorSet set);

    bool pressed() const { return pressed_; }
    bool pickingSecond() const { return pickingSecond_; }

  private:
    bool pressed_ = false;
    bool toggled_ = false;
    bool pickingSecond_ = false;
    int pressX_ = -1;
    int pressY_ = -1;
};

// Whether a swatch's colour may be drawn with in the kind (the transparent slot of the
// 16-colour kinds may; the filler past a short palette may not).
bool IsUsableSwatch(int swatch, int paletteKind);

} // namespace murelo
