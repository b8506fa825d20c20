// info: size, stored pixel format and detected palette of a bitmap.
#include "Command.h"

#include "core/app/PictureFiles.h"

#include <algorithm>
#include <iostream>

namespace murelo::cli {
namespace {

int RunInfo(Args args) {
    if (args.size() != 1 || args[0].starts_with("--"))
        throw UsageError("usage: info FILE.bmp");
    const PictureFileContents contents = ReadPictureFile(args[0]);
    if (!contents.report.ok()) {
        std::string text = contents.report.text;
        std::replace(text.begin(), text.end(), '\n', ' ');
        throw UsageError(args[0] + ": " + text);
    }
    const Picture& p = contents.bitmap.picture;
    std::cout << p.width() << " " << p.height() << " " << int(contents.bitmap.formatCode) << " "
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
