// save: open a bitmap as the editor does and write it as its Save would.
#include "Command.h"
#include "PictureFileLoading.h"

#include "core/app/PictureFiles.h"

#include <optional>

namespace murelo::cli {
namespace {

constexpr const char* Usage =
    "usage: save FILE.bmp -o OUT.bmp|OUT.png [--depth 4|8|24] [--palette KIND]";

PixelFormat SaveDepthOf(const std::string& bits) {
    if (bits == "4")
        return PixelFormat::Bits4;
    if (bits == "8")
        return PixelFormat::Bits8;
    if (bits == "24")
        return PixelFormat::Bits24;
    throw UsageError("--depth must be 4, 8 or 24, not '" + bits + "'");
}

int RunSave(Args args) {
    std::string file, out;
    std::optional<PixelFormat> depth;
    std::optional<int> kind;
    ArgReader reader(args);
    while (!reader.done()) {
        const std::string& arg = reader.next();
        if (arg == "-o")
            out = reader.value(arg);
        else if (arg == "--depth")
            depth = SaveDepthOf(reader.value(arg));
        else if (arg == "--palette")
            kind = ParsePaletteKindArg(reader.value(arg));
        else if (arg.starts_with("-") || !file.empty())
            throw UsageError("unexpected '" + arg + "' (" + Usage + ")");
        else
            file = arg;
    }
    if (file.empty() || out.empty())
        throw UsageError(Usage);
    Document doc = LoadPictureOrThrow(file);
    if (kind)
        doc.PaletteKind = static_cast<PaletteKindId>(*kind); // the palette the colour table is made of; no recolouring
    if (depth)
        doc.SaveDepth = *depth;
    const FileReport report = WritePictureFile(doc, out, out);
    if (!report.ok())
        throw UsageError(report.text);
    return ExitOk;
}

const Registration registration({
    "save",
    "save FILE.bmp -o OUT.bmp|OUT.png [--depth 4|8|24] [--palette KIND]  write as the editor "
    "saves",
    RunSave,
});

} // namespace
} // namespace murelo::cli
