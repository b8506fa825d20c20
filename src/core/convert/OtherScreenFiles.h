#pragma once

#include "core/convert/ConversionState.h"
#include "core/convert/ScreenFileSet.h"

#include <string>
#include <vector>

namespace murelo {

// Each for a finished conversion that fits (ExportRefusal is empty).

// V9958 SCREEN 10/11 and 12: one file of the YJK bytes the conversion stored, a row of
// 256 bytes for each picture row. `name` is the file name as written.
std::vector<NamedBytes> YjkExportFiles(const ConversionState& state, const std::string& name);

// TMS9918 Multi Color (SCREEN 3): NAME with the 1536-byte pattern generator table of the
// 64 x 48 blocks, then the ".NAM" name table loaded at 0x0800.
std::vector<NamedBytes> MultiColorExportFiles(const ConversionState& state,
                                              const std::string& name);

// The colour of the 4 x 4 block whose top-left pixel is (x, y): the index of the nearest
// converter palette colour within the kind's conversion range.
int BlockColorIndex(const ConversionState& state, int x, int y);

// PC-8801: BASE.R, BASE.G, BASE.B (one bit a pixel, 80 bytes a plane row, every second
// picture row, at most 200 rows) and, after a "1:2" conversion with "Analog Palette",
// BASE.PAL. BASE is `chosen` with its extension cut; each file is tried on its own.
std::vector<NamedBytes> Pc8801PlaneFiles(const ConversionState& state, const std::string& chosen);

// Whether the planes' eight colour codes are the quantizer palette's entries (a "1:2"
// conversion with "Analog Palette") rather than the PC-8801 digital palette.
bool UsesAnalogPalette(const ConversionState& state);

} // namespace murelo
