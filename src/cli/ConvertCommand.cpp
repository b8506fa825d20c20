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

bool StoresScreenBytes(ModeId mode) {
    return InfoOf(Describe(mode).files).screenBytes;
}

bool HasPaletteFile(ModeId mode) {
    return InfoOf(Describe(mode).files).palette;
}

bool ReadsAnalogPalette(ModeId mode) {
    return Reads(mode, Parameter::AnalogPalette);
}

// The modes for which `holds` is true, page by page: "v9938 modes 3, 4 and 5, v9958 mode 2".
std::string ModesWhere(bool (*holds)(ModeId)) {
    std::vector<std::string> pages;
    for (const PageDescriptor& page : AllPages()) {
        std::vector<std::string> indices;
        for (const ModeDescriptor& d : ModesOf(page.page))
            if (holds(d.id))
                indices.push_back(std::to_string(IndexInPage(d.id)));
        if (indices.empty())
            continue;
        std::string list;
        for (std::size_t i = 0; i < indices.size(); ++i)
            list += (i == 0 ? "" : i + 1 == indices.size() ? " and " : ", ") + indices[i];
        pages.push_back(std::string(page.name) + (indices.size() > 1 ? " modes " : " mode ") +
                        list);
    }
    std::string text;
    for (std::size_t i = 0; i < pages.size(); ++i)
        text += (i == 0 ? "" : i + 1 == pages.size() ? " or " : ", ") + pages[i];
    return text;
}

// Refuses outputs the conversion cannot fill before anything is converted or written.
void CheckOutputs(const ConvertOptions& o, const Picture& picture) {
    const bool screenSized =
        picture.width() == ScreenByteWidth && picture.height() <= ScreenByteRows;
    if (!o.screenBytes.empty() && !(StoresScreenBytes(o.mode) && screenSized))
        throw UsageError("--screen-bytes needs " + ModesWhere(StoresScreenBytes) +
                         " on a picture 256 wide and at most 212 high");
    const bool analog = ReadsAnalogPalette(o.mode) && o.params.AnalogPalette;
    if (!o.quantizerPalette.empty() && !HasPaletteFile(o.mode) && !analog)
        throw UsageError("--quantizer-palette needs " + ModesWhere(HasPaletteFile) + ", or " +
                         ModesWhere(ReadsAnalogPalette) + " with --analog-palette");
}

std::vector<std::uint8_t> PaletteBytes(const QuantizerPalette& palette) {
    std::vector<std::uint8_t> bytes;
    for (const QuantizerEntry& e : palette)
        bytes.insert(bytes.end(), {e.Blue, e.Green, e.Red, e.Zero});
    return bytes;
}

int RunOne(const ConvertOptions& o) {
    const std::string& file = o.files.front();
    // The picture as Open reads it; its palette is the one the options give, so nothing is
    // detected.
    Picture picture = ReadPictureOrThrow(file).picture;
    CheckOutputs(o, picture);
    CheckScreenFiles(o.screenFiles, o.mode, o.params.Interlace, picture);
    const auto state = Convert({std::move(picture), o.mode, o.params});
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
