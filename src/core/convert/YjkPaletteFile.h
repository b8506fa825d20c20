#pragma once

#include "core/convert/ConversionState.h"
#include "core/convert/ScreenFileSet.h"

#include <cstdint>
#include <string>

namespace murelo {

// SCREEN 10/11 keeps its palette table where SCREEN 7 and 8 do, so BASIC's
// `BLOAD"PIC.PAL",S:COLOR=RESTORE` sets the colours its attribute pixels show.
inline constexpr std::uint16_t YjkPaletteAddress = 0xFA80;

// NAME.PAL of a SCREEN 10/11 picture with palette pixels: the 16 quantizer entries as a
// V9938 palette table (r3 * 16 + b3, then g3) behind a BSAVE header for 0xFA80..0xFA9F.
// `screenFileName` is the screen file's name as written; the palette file replaces its
// extension.
NamedBytes YjkPaletteFile(const QuantizerPalette& palette, const std::string& screenFileName);

} // namespace murelo
