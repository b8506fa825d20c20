#pragma once

#include "core/editor/BitmapCodec.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace murelo {

// A headerless SCREEN 2 dump: the video memory up to the end of the colour table, or all of it.
constexpr std::size_t Sc2DumpSize = 0x3800;
constexpr std::size_t VramDumpSize = 0x4000;

// Turns the pattern, name and colour tables of a SCREEN 2 image (BSAVE file or headerless
// dump) into a 256 x 192 picture in the TMS9918 palette, colour number for palette index.
// Format code 2: every pixel is one of the 16 palette colours.
DecodedBitmap DecodeSc2(std::span<const std::uint8_t> file);

} // namespace murelo
