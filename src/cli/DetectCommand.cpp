// detect: the palette kind the editor picks when it opens a bitmap.
#include "Command.h"
#include "PictureFileLoading.h"

#include "core/palette/Palettes.h"

#include <iostream>

namespace murelo::cli {
namespace {

int RunDetect(Args args) {
    if (args.size() != 1 || args[0].starts_with("--"))
        throw UsageError("usage: detect FILE.bmp");
    const Document doc = LoadPictureOrThrow(args[0]);
    std::cout << KindNumber(doc.PaletteKind) << " " << PaletteName(doc.PaletteKind) << "\n";
    return ExitOk;
}

const Registration registration({
    "detect",
    "detect FILE.bmp  the detected palette kind, as number and name",
    RunDetect,
});

} // namespace
} // namespace murelo::cli
