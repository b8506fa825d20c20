#pragma once

#include "core/editor/CellBuffer.h"
#include "core/editor/Picture.h"

#include <array>
#include <cstdint>
#include <string>

namespace murelo {

inline constexpr const char* VersionString = "Murelo 9918 ver.1.20";

// Pixel modes of the picture (the edit mode dialog's item indices).
enum EditModeId : int {
    EditMode99x8 = 0,     // square pixels, two-colour rule tools available
    EditModePc6001Wide = 1, // a logical pixel is two physical pixels wide
    EditModePc6001 = 2,   // square pixels, Free Draw forced on
    EditModePc8801Tall = 3, // a logical pixel is two physical pixels high
};

// SaveDepth holds the bitmap pixel-format code.
enum PixelFormatCode : std::uint8_t {
    Format1Bit = 1,
    Format4Bit = 2,
    Format8Bit = 3,
    Format15Bit = 4,
    Format16Bit = 5,
    Format24Bit = 6,
    Format32Bit = 7,
};

// The one picture being edited and the state every window reads.
struct Document {
    Picture picture;      // Image1: the picture itself
    Picture errorOverlay; // Image4: 0x202020 with the colour check's marks
    Picture scratch;      // Image6: fill reference, mirror source, converter result
    Picture quickSlot;    // Image7: the quick slot

    int PictureWidth = 256;
    int PictureHeight = 192;
    int ScalePosition = 0; // the scale track bar position 0..5
    int Scale = 1;         // always 1 << ScalePosition
    int PaletteKind = 0;
    int EditMode = EditMode99x8;
    std::string FileName;
    std::string ConsecutiveName;
    bool Modified = false;
    bool InputArmed = true;
    int ShiftLockRow = -1;
    int CursorX = 0;
    int CursorY = 0;
    bool FromCellFrame = false;
    int LastX = 0;
    int LastY = 0;
    // ForegroundColor, BackgroundColor and BrushPattern live in ToolState (held by
    // EditorSession beside the document): the tool palette edits them, painting reads them.
    std::uint8_t SaveDepth = Format4Bit;
    bool ErrorsShown = false;
    CellPixels CellBuffer{};
    bool RecolorOnPaletteChange = true;
    bool QuickSlotFilled = false;

    // File > Export is offered only for the SCREEN 2 size.
    bool exportAvailable() const { return PictureWidth == 256 && PictureHeight == 192; }
    int displayWidth() const { return PictureWidth * Scale; }
    int displayHeight() const { return PictureHeight * Scale; }
};

constexpr std::uint32_t OverlayBackground = 0x202020;
constexpr std::uint32_t OverlayMark = 0xFF00FF;

// Masks that snap a display coordinate to its 8 x 8 cell, by scale position.
inline constexpr std::array<std::uint16_t, 6> CellMaskTable = {0xFFF8, 0xFFF0, 0xFFE0,
                                                               0xFFC0, 0xFF80, 0xFF00};

// A fresh picture of the given size filled with one colour. The caller clears the undo
// ring and records the first snapshot.
void NewDocument(Document& doc, int width, int height, ColorValue fillColor, bool resetQuickSlot);

// Sets ScalePosition (clamped to 0..5) and Scale = 1 << position.
void SetScalePosition(Document& doc, int position);

// The window title: the version string alone for a clean untitled document,
// "%s : %s" once named, "%s : *%s" while modified.
std::string WindowTitle(const Document& doc);

// The 8 x 8 pixels whose top-left corner is (x, y).
CellPixels ReadCell(const Picture& picture, int x, int y);

// The first of kinds 0..7 that holds every pixel, else the one whose set of found
// indices, read as a 16-bit number, is largest (scanning each kind up to its first miss).
int DetectPalette(const Picture& picture);

// Index-for-index recolouring between the chip palettes 0..5; any other switch leaves
// the pixels as they are. Returns whether a pixel changed.
bool RecolorPicture(Picture& picture, int oldKind, int newKind);

// Mirrors the picture left to right (key R), through the scratch copy.
void MirrorPicture(Document& doc);

} // namespace murelo
