// save: open a bitmap as the editor does and write it as its Save would.
#include "Command.h"
#include "CommandLine.h"
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
    std::string file, out, depthText, kindText;
    CommandLine line("save",
                     "Opens FILE as the editor does and writes it as its Save would; an OUT "
                     "ending in .png is written as a PNG.",
                     Usage, StrayStyle::Unexpected);
    line.file("FILE", file, "the picture to open");
    line.value("-o", out, "OUT.bmp|OUT.png", "the file to write");
    const CLI::Option* depthOption = line.value("--depth", depthText, "4|8|24",
                                                "bits per pixel of a bitmap (default: as loaded)");
    const CLI::Option* palette = line.value(
        "--palette", kindText, "KIND",
        "the palette of the colour table: 0..14 or its name (default: the detected one)");
    if (!line.parse(args))
        return ExitOk;
    std::optional<PixelFormat> depth;
    std::optional<int> kind;
    if (line.given(depthOption))
        depth = SaveDepthOf(depthText);
    if (line.given(palette))
        kind = ParsePaletteKindArg(kindText);
    if (file.empty() || out.empty())
        throw UsageError(Usage);
    Document doc = LoadPictureOrThrow(file);
    if (kind)
        doc.PaletteKind = static_cast<PaletteKindId>(
            *kind); // the palette the colour table is made of; no recolouring
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
