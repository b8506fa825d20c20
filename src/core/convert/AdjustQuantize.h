#pragma once

#include "core/convert/ConversionState.h"

namespace murelo {

// What AdjustQuantize snaps the balanced channels to.
enum QuantizeKind : int {
    QuantizeNone = 0,
    Quantize512 = 1,     // 3 bits per channel (the V9938 palette grid)
    QuantizeScreen8 = 2, // 3-3-2 bits (the SCREEN 8 colours)
};

// The SCREEN 8 byte of three levels: green 7-5, red 4-2, blue 1-0.
constexpr std::uint8_t Screen8Byte(int redLevel, int greenLevel, int blueLevel) {
    return std::uint8_t(greenLevel << 5 | redLevel << 2 | blueLevel);
}

// Balances a colour and snaps it to the grid of `kind`; with `store` the SCREEN 8 byte of
// the levels goes to screen byte `index`. Returns the snapped colour.
ColorValue AdjustQuantize(ConversionState& state, ColorValue color, int kind, bool store,
                          int index);

// As AdjustQuantize with a carried error added to the channels first; `outError` receives
// per channel the balanced, clamped value minus its snapped display value.
ColorValue AdjustQuantizeDiffuse(ConversionState& state, ColorValue color, int kind, bool store,
                                 int index, const ErrorTriple& carried, ErrorTriple& outError);

} // namespace murelo
