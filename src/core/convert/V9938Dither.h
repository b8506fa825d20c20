#pragma once

#include "core/convert/ModeConversion.h"

#include <memory>
#include <string_view>

namespace murelo {

// The V9938 page's dithered modes, after the design's seven items.
inline constexpr std::string_view Screen5DitheredName = "Graphic 4 (SCREEN 5) Dithered";
inline constexpr std::string_view Screen6DitheredName = "Graphic 5 (SCREEN 6) Dithered";
inline constexpr std::string_view Screen7DitheredName = "Graphic 6 (SCREEN 7) Dithered";
inline constexpr std::string_view Screen8DitheredName = "Graphic 7 (SCREEN 8) Dithered";

// The "Dither" strength these modes start with, in percent, as measured on the picture set:
// the palette modes come closest at 95 (the TMS9918 page's default), SCREEN 8 at 100.
inline constexpr int PaletteDitherDefault = 95;
inline constexpr int Screen8DitherDefault = 100;

// SCREEN 5 and 7 choose 16 colours of the 512 for the dithered picture, SCREEN 6 four,
// SCREEN 8 draws its fixed 256; each diffuses the error in linear light, row by row in
// alternating directions, and draws only colours the chip shows, at the levels it shows
// them. The palette modes leave their palette in the state's quantizer palette (dark to
// bright, unused entries black); SCREEN 8 stores its bytes for pictures 256 wide and at most
// 212 high. Units are the rows the screen keeps.
std::unique_ptr<ModeConversion> StartScreen5Dithered(ConversionState& state);
std::unique_ptr<ModeConversion> StartScreen6Dithered(ConversionState& state);
std::unique_ptr<ModeConversion> StartScreen7Dithered(ConversionState& state);
std::unique_ptr<ModeConversion> StartScreen8Dithered(ConversionState& state);

} // namespace murelo
