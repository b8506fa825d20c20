#pragma once

#include "core/convert/ConverterPage.h"
#include "core/convert/ScreenFileDialogs.h"

#include <span>
#include <string>
#include <string_view>

namespace murelo {

// What a mode's "Export" button writes.
enum class ScreenFileKind {
    None, // no export: TMS9918 Graphic 2 and Half Tone, PC-6x01 "4:4" and "4:6"
    Screen5,
    Screen5Interlaced,
    Screen6,
    Screen6Interlaced,
    Screen7,
    Screen7Interlaced,
    Screen8,
    Screen10,            // SCREEN 10/11
    Screen10WithPalette, // SCREEN 10/11 whose pixels may show palette colours: and NAME.PAL
    Screen12,
    Screen3,
    ColorPlanes,      // PC-8801
    Pc6001Bitmap,     // the PC-6x01 page's export is a bitmap: 256 x 192 or 320 x 200 ...
    Pc6001BitmapTall, // ... or, for "1:2", 640 x 400
};

// The picture sizes a kind's files hold: `width` wide (0: any width) and minHeight ..
// maxHeight high.
struct SizeRule {
    int width;
    int minHeight;
    int maxHeight;
    bool fits(int w, int h) const {
        return (width == 0 || w == width) && h >= minHeight && h <= maxHeight;
    }
};

struct ScreenFileKindInfo {
    ScreenFileKind kind;
    std::string_view files; // what a refusal calls them ("SCREEN 5 files")
    ScreenDialog dialog;    // the save dialog of the Export button
    SizeRule sizes[2];      // a picture fits when it fits one of them
    bool msxNames;          // the chosen name's file-name part is upper-cased
    bool palettePlace;      // "Connect Palette" can put the palette in the screen files
    bool palette;           // the files carry the conversion's quantizer palette
    bool screenBytes;       // the files carry the screen bytes the conversion stored
};

const ScreenFileKindInfo& InfoOf(ScreenFileKind kind);

// The PC-6x01 page's Export writes a bitmap, not screen files.
bool IsPc6001Bitmap(ScreenFileKind kind);

// Whether the kind's files can hold a picture of this size.
bool FilesFit(ScreenFileKind kind, int width, int height);
// Why they cannot ("SCREEN 5 files need a picture 256 wide and 1 to 212 high; this one is
// 320 x 200"); empty when they can.
std::string SizeRefusal(ScreenFileKind kind, int width, int height);

// The bitmaps written beside the screen files, each with a name remembered on its own.
enum class CompanionKind : int { Sc5, Sc6, Sc7, Sc8, S10, S12, P6, None };
inline constexpr int CompanionKindCount = 7; // the named kinds, without None

// "_SC5.bmp" ... "_P6.bmp"; empty for None.
std::string_view CompanionSuffix(CompanionKind kind);
// Whether the "Save" bitmap holds the quantizer palette's indices (SCREEN 5, 6 and 7)
// rather than the result's own colours.
bool CompanionIsIndexed(CompanionKind kind);

} // namespace murelo
