#pragma once

#include "core/convert/ConversionParameters.h"
#include "core/convert/ModeConversion.h"
#include "core/convert/ScreenFileKinds.h"
#include "core/editor/EditMode.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace murelo {

// Every conversion mode of the Pixel Converter, page by page in the order of the pages'
// mode lists.
enum class ModeId : int {
    // TMS9918
    Graphic2,
    MultiColor,
    HalfTone,
    Graphic2Dithered,
    // V9938
    Screen5,
    Screen6,
    Screen7,
    Screen8,
    Screen8Diffusion1D,
    Screen8Diffusion2D,
    Screen8FloydSteinberg,
    Screen5Dithered,
    Screen6Dithered,
    Screen7Dithered,
    Screen8Dithered,
    // V9958
    Yjk10,
    Yjk12,
    Yjk10Dithered,
    Yjk12Dithered,
    // PC-6x01
    Pc6001Square,
    Pc6001Wide,
    Pc6001Tall,
    Pc6001Blocks4x4,
    Pc6001Blocks4x6,
    Pc6001HalfTone,
    Pc6001WideHalfTone,
    // PC-8801
    Pc8801Tall,
    Pc8801Diffusion1D,
    Pc8801Diffusion2D,
    Pc8801FloydSteinberg,
    Pc8801ColorTone1,
    Pc8801ColorTone2,
    Pc8801HalfTone,
};

// The palette kinds a mode may draw in: the ones the tool palette offers in its pixel mode.
enum class PaletteFamily {
    Chip,   // the chip palettes, kinds 0..5 (TMS9918 by default)
    Pc6001, // the PC-6x01 colour modes, kinds 7..14 ("Color 15" by default)
    Pc8801, // the PC-8801 colours, kind 6
    Own,    // no palette kind: the mode makes its colours (V9938 grid, YJK)
};

// Which pixels the PC-6x01 bitmap takes: every stepX-th column of every stepY-th row.
struct Sampling {
    int stepX = 1;
    int stepY = 1;
};

// One mode of the Pixel Converter: where it is listed, what it converts for, how it starts,
// what it reads and what its buttons write.
struct ModeDescriptor {
    ModeId id;
    ConverterPage page;
    std::string_view caption; // the item of the page's mode list
    EditModeId editMode;      // the pixel mode the conversion makes the picture's
    PaletteFamily palettes;
    ModeFactory start;         // the mode's conversion
    bool coarsePreview;        // 8 x 8 blocks drawn before the first pass
    bool runsWhole;            // converted inside the start, not pass by pass
    ParameterSet reads;        // what changes the finished result
    ScreenFileKind files;      // what "Export" writes ...
    ScreenFileKind interlaced; // ... with "Interlace" ticked
    CompanionKind companion;   // the "Save" bitmap (V9938, V9958) or the PC-6x01 bitmap
    Sampling exportSampling;   // the PC-6x01 bitmap's pixels
};

// A page of the window: its tab, the command line's name and what choosing it brings.
struct PageDescriptor {
    ConverterPage page;
    std::string_view name;    // on the command line: "tms9918"
    std::string_view caption; // the tab: "TMS9918"
    PaletteKindId kind;       // the palette a page change switches to
    bool saves;               // a "Save" button (the direct-colour pages) instead of "Apply"
};

std::span<const ModeDescriptor> AllModes();
const ModeDescriptor& Describe(ModeId id);
// The modes of a page, in the order of its list.
std::span<const ModeDescriptor> ModesOf(ConverterPage page);
// The index of a mode in its page's list.
int IndexInPage(ModeId id);
// The mode at `index` of the page's list; nothing for an index the list does not have.
std::optional<ModeId> ModeAt(ConverterPage page, int index);
// A mode named by its index in the page's list or by its caption (letter case ignored).
std::optional<ModeId> FindMode(ConverterPage page, std::string_view text);

std::span<const PageDescriptor> AllPages();
const PageDescriptor& Describe(ConverterPage page);
// A page by its command-line name.
std::optional<ConverterPage> FindPage(std::string_view name);

// Whether a mode reads a parameter.
inline bool Reads(ModeId id, Parameter parameter) {
    return Describe(id).reads.contains(parameter);
}
// What the mode's Export writes with or without "Interlace".
ScreenFileKind FilesOf(ModeId id, bool interlace);

// The one-line listing of every mode, "PAGE INDEX CAPTION", as `convert --list-modes` prints.
std::string ModeListing();

} // namespace murelo
