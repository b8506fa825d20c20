#pragma once

#include "core/convert/ConversionModes.h"
#include "core/convert/ConversionState.h"

#include <string>

namespace murelo {

// What the Export of the conversion the state holds writes (its mode and "Interlace").
ScreenFileKind ExportKindOf(const ConversionState& state);

// Why the mode's Export cannot write files of a picture of this size ("" when it can), known
// before any conversion runs.
std::string ExportRefusal(ModeId mode, bool interlace, int width, int height);
// The same for the V9938 and V9958 "Save" (and the PC-6x01 bitmap).
std::string SaveRefusal(ModeId mode, int width, int height);

// Why the Export cannot write the finished conversion (an unfinished one, a mode with no
// files, a size the files cannot hold); empty when it can.
std::string ExportRefusal(const ConversionState& state);

// Why the V9938 and V9958 pages' "Save" cannot write the bitmap (for the PC-6x01 page, whose
// Export is its bitmap, why that cannot be written; other pages have none); empty when it can.
std::string SaveRefusal(const ConversionState& state);

} // namespace murelo
