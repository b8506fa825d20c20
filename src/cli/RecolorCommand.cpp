// recolor: the palette switch's recolouring, from the detected palette to another one.
#include "Command.h"
#include "PictureFileLoading.h"

#include "core/editor/BitmapCodec.h"

namespace murelo::cli {
namespace {

constexpr const char* Usage = "usage: recolor FILE.bmp --palette KIND -o OUT.bmp";

int RunRecolor(Args args) {
    std::string file, out;
    int kind = -1;
    ArgReader reader(args);
    while (!reader.done()) {
        const std::string& arg = reader.next();
        if (arg == "--palette")
            kind = ParsePaletteKindArg(reader.value(arg));
        else if (arg == "-o")
            out = reader.value(arg);
        else if (arg.starts_with("-") || !file.empty())
            throw UsageError("unexpected '" + arg + "' (" + Usage + ")");
        else
            file = arg;
    }
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
