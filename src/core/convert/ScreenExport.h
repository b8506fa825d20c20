#pragma once

#include "core/convert/ConversionState.h"
#include "core/convert/ScreenExportChecks.h"
#include "core/convert/ScreenFileSet.h"

#include <string>
#include <string_view>
#include <vector>

namespace murelo {

// The name the kind's Export writes for the name chosen in its dialog: the dialog's default
// extension when none was typed, and for the MSX files the file-name part in upper case.
// The colour planes' base and the PC-6x01 bitmap keep their letters.
std::string ExportFileName(ScreenFileKind kind, std::string_view chosen);

// The files of one button press, built whole before anything is written, or why none are.
struct ScreenFileBuild {
    std::vector<NamedBytes> files;
    std::string error;
    bool ok() const { return error.empty(); }
};

// What the page's Export writes for the finished conversion (ExportRefusal first; a set
// that would write one name twice, or a PC-6x01 pixel outside the palette, is refused).
ScreenFileBuild ExportFiles(const ConversionState& state, std::string_view chosen,
                            bool connectPalette);

// The bitmap the V9938 and V9958 "Save" writes (SaveFileName of the choice), or on the
// PC-6x01 page the bitmap of its Export.
ScreenFileBuild SaveFiles(const ConversionState& state, std::string_view chosen);

} // namespace murelo
