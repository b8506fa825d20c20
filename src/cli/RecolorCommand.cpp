// recolor: the palette switch's recolouring, from the detected palette to another one.
#include "Command.h"
#include "CommandLine.h"
#include "PictureFileLoading.h"

#include "core/editor/BitmapCodec.h"

namespace murelo::cli {
namespace {

constexpr const char* Usage = "usage: recolor FILE.bmp --palette KIND -o OUT.bmp";

int RunRecolor(Args args) {
    std::string file, out, kindText;
    CommandLine line("recolor",
                     "Recolours FILE index for index from its detected palette to KIND, as the "
                     "tool palette's palette switch does, and writes a 24-bit bitmap.",
                     Usage, StrayStyle::Unexpected);
    line.file("FILE", file, "the picture to recolour");
    const CLI::Option* palette =
        line.value("--palette", kindText, "KIND", "the palette to switch to: 0..14 or its name");
    line.value("-o", out, "OUT.bmp", "the bitmap to write");
    if (!line.parse(args))
        return ExitOk;
    const int kind = line.given(palette) ? ParsePaletteKindArg(kindText) : -1;
    if (file.empty() || out.empty() || kind < 0)
        throw UsageError(Usage);
    Document doc = LoadPictureOrThrow(file);
    RecolorPicture(doc.picture, doc.PaletteKind, static_cast<PaletteKindId>(kind));
    WriteFileOrThrow(out, EncodeBitmap24(doc.picture));
    return ExitOk;
}

const Registration registration({
    "recolor",
    "recolor FILE.bmp --palette KIND -o OUT.bmp  recolour from the detected palette, 24-bit",
    RunRecolor,
});

} // namespace
} // namespace murelo::cli
