// import: any picture of any size scaled to a picture size of the New dialog, as File > Import.
#include "Command.h"
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
    std::string file, out;
    std::optional<PictureSize> size;
    PictureFitMode fit = PictureFitMode::Letterbox;
    ArgReader reader(args);
    while (!reader.done()) {
        const std::string& arg = reader.next();
        if (arg == "-o")
            out = reader.value(arg);
        else if (arg == "--size")
            size = ParseSize(reader.value(arg));
        else if (arg == "--fit")
            fit = ParseFit(reader.value(arg));
        else if (arg.starts_with("-") || !file.empty())
            throw UsageError("unexpected '" + arg + "' (" + Usage + ")");
        else
            file = arg;
    }
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
