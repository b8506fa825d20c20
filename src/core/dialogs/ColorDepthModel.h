#pragma once

#include "core/app/Document.h"

namespace murelo {

// The three choices of the "Set Color Depth" dialog, in the order of its radio buttons.
enum class DepthChoice : int { Bits4 = 0, Bits8 = 1, Bits24 = 2 };

// The colour depth dialog: what it offers for the picture, what is chosen, and the
// SaveDepth its OK sets.
class ColorDepthModel {
  public:
    // Opening the dialog: the indexed depths are offered only when every pixel is in the
    // current palette; then the choice matching SaveDepth is checked, otherwise "24bit".
    void open(bool everyPixelInPalette, PixelFormat saveDepth);
    // The choice checked at OK (the window disables the depths not offered).
    void choose(DepthChoice choice) { chosen_ = choice; }

    bool indexedEnabled() const { return indexedEnabled_; }
    DepthChoice chosen() const { return chosen_; }
    // The SaveDepth of the chosen depth (what OK sets).
    PixelFormat depth() const { return DepthOfChoice(chosen_); }

    // Pixel format codes 2, 3 or 6.
    static PixelFormat DepthOfChoice(DepthChoice choice);

  private:
    bool indexedEnabled_ = true;
    DepthChoice chosen_ = DepthChoice::Bits4;
};

} // namespace murelo
