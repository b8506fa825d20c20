// convert: Pixel Converter modes run to their end on pictures, through the same one call
// the window's conversions make.
#include "Command.h"
#include "ConvertBatch.h"
#include "ConvertExport.h"
#include "ConvertOptions.h"
#include "ConvertResult.h"
#include "PictureFileLoading.h"

#include "core/convert/Conversion.h"
#include "core/editor/AtomicFileSet.h"

#include <iostream>

namespace murelo::cli {
namespace {

bool StoresScreenBytes(ModeId mode, const Picture& picture) {
    const ScreenFileKind files = Describe(mode).files;
    const bool stores = files == ScreenFileKind::Screen8 || files == ScreenFileKind::Screen10 ||
                        files == ScreenFileKind::Screen12;
    return stores && picture.width() == ScreenByteWidth && picture.height() <= ScreenByteRows;
}

bool QuantizesPalette(const ConvertOptions& o) {
    return CompanionIsIndexed(Describe(o.mode).companion) ||
           (Reads(o.mode, Parameter::AnalogPalette) && o.params.AnalogPalette);
}

// Refuses outputs the conversion cannot fill before anything is converted or written.
void CheckOutputs(const ConvertOptions& o, const Picture& picture) {
    if (!o.screenBytes.empty() && !StoresScreenBytes(o.mode, picture))
        throw UsageError("--screen-bytes needs SCREEN 8 (v9938 modes 3..6) or a v9958 mode on a "
                         "picture 256 wide and at most 212 high");
    if (!o.quantizerPalette.empty() && !QuantizesPalette(o))
        throw UsageError("--quantizer-palette needs v9938 modes 0..2 or pc8801 mode 0 with "
                         "--analog-palette");
}

std::vector<std::uint8_t> PaletteBytes(const QuantizerPalette& palette) {
    std::vector<std::uint8_t> bytes;
    for (const QuantizerEntry& e : palette)
        bytes.insert(bytes.end(), {e.Blue, e.Green, e.Red, e.Zero});
    return bytes;
}

int RunOne(const ConvertOptions& o) {
    const std::string& file = o.files.front();
    Document doc = LoadPictureOrThrow(file);
    CheckOutputs(o, doc.picture);
    CheckScreenFiles(o.screenFiles, o.mode, o.params.Interlace, doc.picture);
    const auto state = Convert({std::move(doc.picture), o.mode, o.params});
    const ScreenFileSets files = BuildScreenFiles(o.screenFiles, *state);
    // The result and its companions are replaced together or not at all.
    AtomicFileSet outputs;
    if (!o.out.empty())
        outputs.add(o.out).write(EncodeResult(state->result, o.format, o.params.PaletteKind));
    if (!o.screenBytes.empty())
        outputs.add(o.screenBytes)
            .write(std::span(state->screenBytes)
                       .first(std::size_t(ScreenByteWidth) * std::size_t(state->result.height())));
    if (!o.quantizerPalette.empty())
        outputs.add(o.quantizerPalette).write(PaletteBytes(state->quantizerPalette));
    outputs.commit();
    WriteScreenFiles(files);
    return ExitOk;
}

int RunConvert(Args args) {
    const ConvertOptions o = ParseConvertOptions(args);
    if (o.helpShown)
        return ExitOk;
    if (o.listModes) {
        std::cout << ModeListing();
        return ExitOk;
    }
    for (const std::string& line : o.warnings)
        std::cerr << "murelo9918-cli convert: " << line << "\n";
    return o.batch() ? RunBatch(o) : RunOne(o);
}

const Registration registration({
    "convert",
    "convert FILE... --page PAGE --mode N|CAPTION -o OUT.bmp|-O DIR|--export PATH|--save PATH "
    "[options]  run a Pixel Converter mode",
    RunConvert,
});

} // namespace
} // namespace murelo::cli
