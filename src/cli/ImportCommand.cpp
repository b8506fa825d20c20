// import: any picture of any size scaled to a picture size of the New dialog, as File > Import.
#include "Command.h"
#include "CommandLine.h"
#include "PictureFileLoading.h"

#include "core/app/PictureFiles.h"
#include "core/dialogs/NewPictureModel.h"

#include <optional>

namespace murelo::cli {
namespace {

constexpr const char* Usage =
    "usage: import SRC -o OUT.bmp|OUT.png --size WxH [--fit letterbox|crop|stretch]";

// A size the New dialog can make: width 8..640 in steps of 8, height 8..640 in steps of 4.
PictureSize ParseSize(const std::string& text) {
    const std::size_t x = text.find('x');
    const auto refuse = [&text]() -> UsageError {
        return UsageError("--size must be WxH with a width of 8..640 in steps of 8 and a height "
                          "of 8..640 in steps of 4, not '" +
                          text + "'");
    };
    if (x == std::string::npos)
        throw refuse();
    const int w = NewPictureModel::ParseSizeEdit(text.substr(0, x));
    const int h = NewPictureModel::ParseSizeEdit(text.substr(x + 1));
    if (w < 1 || h < 1 || std::to_string(w) + "x" + std::to_string(h) != text ||
        NewPictureModel::ValidateCustomWidth(w, EditModeId::Tms99x8) != w ||
        NewPictureModel::ValidateCustomHeight(h, EditModeId::Tms99x8) != h)
        throw refuse();
    return {w, h};
}

PictureFitMode ParseFit(const std::string& text) {
    if (auto mode = ParsePictureFitMode(text))
        return *mode;
    throw UsageError("--fit must be letterbox, crop or stretch, not '" + text + "'");
}

int RunImport(Args args) {
    std::string file, out, sizeText, fitText;
    CommandLine line("import",
                     "Scales any picture of any size to a size of the New dialog, as File > "
                     "Import Picture... does, and writes it.",
                     Usage, StrayStyle::Unexpected);
    line.file("SRC", file, "a BMP (any size), PNG, JPEG, GIF or SCREEN 2 image");
    line.value("-o", out, "OUT.bmp|OUT.png", "the file to write (24-bit bitmap or PNG)");
    const CLI::Option* sizeOption =
        line.value("--size", sizeText, "WxH",
                   "width 8..640 in steps of 8, height 8..640 in steps of 4, e.g. 256x192");
    const CLI::Option* fitOption =
        line.value("--fit", fitText, "letterbox|crop|stretch",
                   "black bars, cut overhang or each direction on its own (default: letterbox)");
    if (!line.parse(args))
        return ExitOk;
    std::optional<PictureSize> size;
    PictureFitMode fit = PictureFitMode::Letterbox;
    if (line.given(sizeOption))
        size = ParseSize(sizeText);
    if (line.given(fitOption))
        fit = ParseFit(fitText);
    if (file.empty() || out.empty() || !size)
        throw UsageError(Usage);
    Document doc = ImportPictureOrThrow(file, size->width, size->height, fit);
    const FileReport report = WritePictureFile(doc, out, out);
    if (!report.ok())
        throw UsageError(report.text);
    return ExitOk;
}

const Registration registration({
    "import",
    "import SRC -o OUT.bmp|OUT.png --size WxH [--fit letterbox|crop|stretch]  scale any picture",
    RunImport,
});

} // namespace
} // namespace murelo::cli
