#pragma once

#include "core/convert/ConversionState.h"
#include "core/convert/ScreenFileDialogs.h"

#include <string>

namespace murelo {

// What a page's "Export" button writes, chosen by the page, the mode list and "Interlace".
enum class ExportKind {
    None, // the TMS9918 page's Graphic 2 and Half Tone, PC-6x01 "4:4" and "4:6"
    Screen5,
    Screen5Interlaced,
    Screen6,
    Screen6Interlaced,
    Screen7,
    Screen7Interlaced,
    Screen8,
    Screen10, // SCREEN 10/11
    Screen12,
    Screen3,
    ColorPlanes,  // PC-8801
    Pc6001Bitmap, // the PC-6x01 page's export is a bitmap
};

ExportKind ExportKindOf(ConverterPage page, int mode, bool interlace);
// Of the conversion the state holds (its latched page, mode and "Interlace").
ExportKind ExportKindOf(const ConversionState& state);

// The dialog the kind's Export shows.
ScreenDialog ExportDialogOf(ExportKind kind);

// Whether the kind's files can hold a picture of this size (for PC-6x01, in this mode).
bool ExportFits(ExportKind kind, int width, int height, int mode);

// Why the page's Export cannot write files of a picture of this size in that mode ("" when
// it can), known before any conversion runs.
std::string ExportRefusal(ConverterPage page, int mode, bool interlace, int width, int height);
// The same for the V9938 and V9958 "Save" (and the PC-6x01 bitmap).
std::string SaveRefusal(ConverterPage page, int mode, int width, int height);

// Why the page's Export cannot write the finished conversion (an unfinished one, a mode
// with no files, a size the files cannot hold); empty when it can.
std::string ExportRefusal(const ConversionState& state);

// Why the V9938 and V9958 pages' "Save" cannot write the bitmap (for the PC-6x01 page,
// whose Export is its bitmap, why that cannot be written; other pages have none); empty
// when it can.
std::string SaveRefusal(const ConversionState& state);

} // namespace murelo
