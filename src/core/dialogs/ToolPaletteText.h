#pragma once

#include <cstdint>
#include <string>

namespace murelo {

// "[ 4bit]", "[ 8bit]" or "[24bit]" for a SaveDepth pixel-format code.
const char* DepthLabelText(std::uint8_t saveDepth);

// "x1" .. "x32" for the display scale.
std::string ScaleLabelText(int scale);

// The number shown under the first-colour swatch, "**" for a colour in no palette entry.
std::string ForegroundIndexText(int paletteIndex);

} // namespace murelo
