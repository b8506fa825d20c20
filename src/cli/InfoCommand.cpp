// info: size, stored pixel format and detected palette of a bitmap.
#include "Command.h"
#include "PictureFileLoading.h"

#include "core/app/PictureFiles.h"

#include <iostream>

namespace murelo::cli {
namespace {

int RunInfo(Args args) {
    if (args.size() != 1 || args[0].starts_with("--"))
        throw UsageError("usage: info FILE.bmp");
    const DecodedBitmap bitmap = ReadPictureOrThrow(args[0]);
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
