#pragma once

#include "core/convert/ConversionState.h"
#include "core/convert/ScreenFileKinds.h"
#include "core/convert/ScreenFileSet.h"

#include <string>
#include <vector>

namespace murelo {

// The V9938 page's Export of a finished conversion that fits (ExportRefusal is empty):
// SCREEN 5, 6 and 7 as one file or, interlaced, two field files, each with a BSAVE header,
// then NAME.PAL unless the palette travels inside them ("Connect Palette"); SCREEN 8 as
// one file of the screen bytes its conversion stored. `name` is the file name as written.
std::vector<NamedBytes> V9938ExportFiles(const ConversionState& state, ScreenFileKind kind,
                                         const std::string& name, bool connectPalette);

} // namespace murelo
