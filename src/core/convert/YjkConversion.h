#pragma once

#include "core/convert/ModeConversion.h"

#include <array>
#include <cstdint>

namespace murelo {

// The "Convert Type" items of the V9958 page.
enum YjkConvertType : int {
    YjkNormal = 0,        // "Normal"
    YjkGrayScaleY = 1,    // "GrayScale (Y element Only)"
    YjkGrayScaleNtsc = 2, // "GrayScale (NTSC Coef. method)"
};

// One converted group of four pixels: the preview colours and the four screen bytes.
struct YjkGroup {
    std::array<ColorValue, 4> preview{};
    std::array<std::uint8_t, 4> bytes{};
};

// Converts the four colours of a group for SCREEN 10/11 (screenMode 10) or 12.
YjkGroup ConvertYjkGroup(const std::array<ColorValue, 4>& colors, int convertType,
                         const YjkBalance& balance, int screenMode);

// Whether a picture of this size fills the screen bytes (256 wide, at most 212 high).
bool YjkStores(int width, int height);

// The YJK pass over W*H units: unit i converts the group at x = 4 * (i mod (W/4)) of row
// i div W. A picture narrower than one group converts nothing.
int ConvertYjkPass(ConversionState& state, int start, int convertType, int screenMode);
int YjkEnd(const ConversionState& state);

// "YJK Video Mode (SCREEN 10/11)" and "YJK Video Mode (SCREEN 12)" with the state's
// "Convert Type".
std::unique_ptr<ModeConversion> StartYjk10(ConversionState& state);
std::unique_ptr<ModeConversion> StartYjk12(ConversionState& state);

} // namespace murelo
