// detect: the palette kind the editor picks when it opens a bitmap.
#include "Command.h"
#include "CommandLine.h"
#include "PictureFileLoading.h"

#include "core/palette/Palettes.h"

#include <iostream>

namespace murelo::cli {
namespace {

int RunDetect(Args args) {
    std::string file;
    CommandLine line("detect", "The palette kind the editor detects when it opens FILE.",
                     "usage: detect FILE.bmp", StrayStyle::UsageOnly);
    line.file("FILE", file, "a BMP, PNG, JPEG, GIF or SCREEN 2 image");
    if (!line.parse(args))
        return ExitOk;
    if (file.empty())
        throw UsageError("usage: detect FILE.bmp");
    const Document doc = LoadPictureOrThrow(file);
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
