// info: size, stored pixel format and detected palette of a bitmap.
#include "Command.h"
#include "CommandLine.h"
#include "PictureFileLoading.h"

#include "core/app/PictureFiles.h"

#include <iostream>

namespace murelo::cli {
namespace {

int RunInfo(Args args) {
    std::string file;
    CommandLine line("info",
                     "Width, height, the pixel-format code FILE is stored in (1..7) and the "
                     "detected palette kind.",
                     "usage: info FILE.bmp", StrayStyle::UsageOnly);
    line.file("FILE", file, "a BMP, PNG, JPEG, GIF or SCREEN 2 image");
    if (!line.parse(args))
        return ExitOk;
    if (file.empty())
        throw UsageError("usage: info FILE.bmp");
    const DecodedBitmap bitmap = ReadPictureOrThrow(file);
    const Picture& p = bitmap.picture;
    std::cout << p.width() << " " << p.height() << " " << int(bitmap.formatCode) << " "
              << KindNumber(DetectPalette(p)) << "\n";
    return ExitOk;
}

const Registration registration({
    "info",
    "info FILE.bmp  width, height, pixel-format code (1..7) and detected palette kind",
    RunInfo,
});

} // namespace
} // namespace murelo::cli
