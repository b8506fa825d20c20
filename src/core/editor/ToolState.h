#pragma once

#include "core/editor/Picture.h"
#include "core/palette/ColorValue.h"

#include <cstdint>

namespace murelo {

// The tool palette's radio buttons "Pen", "Block4", "Block8", "Line" and "Fill".
enum class PaintMode {
    Pen,    // RadioButton1
    Block4, // RadioButton3
    Block8, // RadioButton4
    Line,   // RadioButton2: the whole 8-pixel run under the pointer, not a geometric line
    Fill,   // RadioButton19: offered only while Free Draw is checked
};

// The drawing state the tool palette owns and the painting reads at every mouse event.
// The tool palette window edits these fields directly; nothing here redraws anything.
struct ToolState {
    PaintMode Mode = PaintMode::Pen;
    bool FreeDraw = false;             // CheckBox2 "Free Draw"
    bool OddLine = false;              // CheckBox1 "Odd Line": odd rows are never painted
    std::uint16_t ProtectedColors = 0; // bit i: palette index i of the current kind is protected
    int ForegroundIndex = 1;
    int BackgroundIndex = 15;
    // The drawing colours follow the indices in the start palette (TMS9918: 1 black, 15 white);
    // a right-click pick may set a colour that is in no palette.
    ColorValue ForegroundColor = 0x000000;
    ColorValue BackgroundColor = 0xFFFFFF; // NoColor (-1) means "none": those dots stay as they are
    int BrushPattern = 0;                  // 0 solid foreground, 1..7 dithers, 8 solid background
};

// The cell one press of a paint mode paints, as shifts of the picture coordinates: a pixel
// for the pen, the 8-pixel run for Line, the 4 x 4 and 8 x 8 blocks. A drag paints each cell
// its line crosses once.
struct StrokeCell {
    int widthShift = 0;
    int heightShift = 0;
};
StrokeCell StrokeCellOf(PaintMode mode);

// A colour is protected when its first index in the palette kind has its bit set.
bool IsProtectedColor(const ToolState& tool, ColorValue color, int paletteKind);

// IsProtectedPixel of the tool palette: the pixel of `picture` at (x, y) is of a protected
// colour (a position outside the picture never is).
bool IsProtectedPixel(const ToolState& tool, const Picture& picture, int x, int y, int paletteKind);

// After a picture in another palette was opened or dropped. A first colour the palette holds
// stays (at its index there); any other keeps its index, clamped to the palette's range as a
// palette switch clamps it, and takes that entry, so the pen never falls to an entry it
// never had (such as the transparent slot). The second colour keeps its index the same way
// (past the range: the first index).
void FitDrawingColorsToPalette(ToolState& tool, int paletteKind);

} // namespace murelo
