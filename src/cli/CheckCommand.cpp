// check: the editor's Tool > Color Check on a bitmap file.
#include "Command.h"
#include "PictureFileLoading.h"

#include "core/app/Document.h"
#include "core/app/PictureFiles.h"
#include "core/editor/AtomicFileSet.h"
#include "core/editor/BitmapCodec.h"
#include "core/editor/ColorCheck.h"
#include "core/editor/ScreenBuffer.h"
#include "core/export/VramTables.h"

#include <algorithm>
#include <iostream>
#include <memory>
#include <optional>

namespace murelo::cli {
namespace {

struct CheckArgs {
    std::string file;
    std::optional<int> paletteKind;
    std::string overlayFile;
    std::string tablesFile;
};

CheckArgs ParseCheckArgs(Args args) {
    CheckArgs parsed;
    ArgReader reader(args);
    while (!reader.done()) {
        const std::string& arg = reader.next();
        if (arg == "--palette")
            parsed.paletteKind = ParsePaletteKindArg(reader.value(arg));
        else if (arg == "--overlay")
            parsed.overlayFile = reader.value(arg);
        else if (arg == "--tables")
            parsed.tablesFile = reader.value(arg);
        else if (arg.starts_with("--"))
            throw UsageError("unknown option '" + arg + "'");
        else if (parsed.file.empty())
            parsed.file = arg;
        else
            throw UsageError("only one FILE.bmp, not also '" + arg + "'");
    }
    if (parsed.file.empty())
        throw UsageError("which file? usage: check FILE.bmp [--palette KIND] "
                         "[--overlay OUT.bmp] [--tables OUT.bin]");
    return parsed;
}

void LoadAsOpenDoes(Document& doc, const CheckArgs& args) {
    doc = LoadPictureOrThrow(args.file);
    if (args.paletteKind)
        doc.PaletteKind = static_cast<PaletteKindId>(*args.paletteKind);
}

// The overlay and the tables are one job's outputs: both are replaced, or neither.
void WriteOutputs(const CheckArgs& args, const Document& doc, const ScreenBuffer& buffer) {
    AtomicFileSet outputs;
    if (!args.overlayFile.empty())
        outputs.add(args.overlayFile).write(EncodeBitmap24(doc.errorOverlay));
    if (!args.tablesFile.empty())
        outputs.add(args.tablesFile).write(buffer.vramImage());
    outputs.commit();
}

int RunCheck(Args argList) {
    const CheckArgs args = ParseCheckArgs(argList);
    Document doc;
    LoadAsOpenDoes(doc, args);
    const bool fillTables = doc.exportAvailable();
    if (!args.tablesFile.empty() && !fillTables)
        throw UsageError("--tables needs a 256 x 192 picture, not " +
                         std::to_string(doc.PictureWidth) + " x " +
                         std::to_string(doc.PictureHeight));

    auto buffer = std::make_unique<ScreenBuffer>();
    ResetVramImage(buffer->vramImage());
    const ColorCheckResult result =
        ColorCheck(doc.picture, KindNumber(doc.PaletteKind), fillTables, doc.errorOverlay, buffer->bytes);
    std::cout << result.messageText << ColorCheckBoxText(result.result) << "\n";
    std::cout.flush();

    WriteOutputs(args, doc, *buffer);
    return result.result == 0 ? ExitOk : ExitOffences;
}

const Registration registration({
    "check",
    "check FILE.bmp [--palette KIND] [--overlay OUT.bmp] [--tables OUT.bin]  the colour check",
    RunCheck,
});

} // namespace
} // namespace murelo::cli
