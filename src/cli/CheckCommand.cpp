// check: the editor's Tool > Color Check on a bitmap file.
#include "Command.h"
#include "CommandLine.h"
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

constexpr const char* Usage =
    "which file? usage: check FILE.bmp [--palette KIND] [--overlay OUT.bmp] [--tables OUT.bin]";

// Empty file when --help was printed.
CheckArgs ParseCheckArgs(Args args, bool& helpShown) {
    CheckArgs parsed;
    std::string kindText;
    CommandLine line("check",
                     "Tool > Color Check on FILE opened as File > Open does: the message "
                     "window's text, then OK! or Some errors were found!",
                     Usage, StrayStyle::UnknownLongOption);
    line.file("FILE", parsed.file, "the picture to check");
    const CLI::Option* palette = line.value("--palette", kindText, "KIND",
                                            "0..14 or a name (default: the detected palette)");
    line.value("--overlay", parsed.overlayFile, "OUT.bmp",
               "write the check's overlay as a 24-bit bitmap");
    line.value("--tables", parsed.tablesFile, "OUT.bin",
               "write the 16384-byte SCREEN 2 video memory (256 x 192 pictures only)");
    helpShown = !line.parse(args);
    if (helpShown)
        return parsed;
    if (line.given(palette))
        parsed.paletteKind = ParsePaletteKindArg(kindText);
    if (parsed.file.empty())
        throw UsageError(Usage);
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
    bool helpShown = false;
    const CheckArgs args = ParseCheckArgs(argList, helpShown);
    if (helpShown)
        return ExitOk;
    Document doc;
    LoadAsOpenDoes(doc, args);
    const bool fillTables = doc.exportAvailable();
    if (!args.tablesFile.empty() && !fillTables)
        throw UsageError("--tables needs a 256 x 192 picture, not " +
                         std::to_string(doc.PictureWidth) + " x " +
                         std::to_string(doc.PictureHeight));

    auto buffer = std::make_unique<ScreenBuffer>();
    ResetVramImage(buffer->vramImage());
    const ColorCheckResult result = ColorCheck(doc.picture, KindNumber(doc.PaletteKind), fillTables,
                                               doc.errorOverlay, buffer->bytes);
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
