#pragma once

#include <cstdint>

namespace murelo {

// The three choices of the "Set Color Depth" dialog.
enum DepthChoiceId : int { Depth4Bit = 0, Depth8Bit = 1, Depth24Bit = 2 };

struct DepthOffer {
    bool indexedEnabled; // "4bit" and "8bit" can be chosen
    int checked;         // the choice checked when the dialog opens
};

// Indexed depths are offered only when every pixel is in the current palette; then the
// choice matching SaveDepth is checked, otherwise "24bit".
DepthOffer OfferedDepths(bool everyPixelInPalette, std::uint8_t saveDepth);

// The SaveDepth pixel-format code of a choice: 2, 3 or 6.
std::uint8_t SaveDepthOfChoice(int choice);

} // namespace murelo
