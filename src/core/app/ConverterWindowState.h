#pragma once

#include "core/convert/ConversionModes.h"
#include "core/editor/EditMode.h"
#include "core/palette/Palettes.h"

#include <array>
#include <string>

namespace murelo {

// The two drawing colours of the tool palette, with their palette indices.
struct SavedDrawingColours {
    ColorValue foreground = 0x000000;
    ColorValue background = 0xFFFFFF;
    int foregroundIndex = 1;
    int backgroundIndex = 15;
};

// The Pixel Converter window's own record: what it saved of the editor when it opened.
struct ConverterWindowState {
    bool Applied = false;
    bool SavedRecolour = true;
    bool SavedGridMark = true;
    bool SavedOddLine = false;
    EditModeId SavedEditMode = EditModeId::Tms99x8;
    PaletteKindId SavedPaletteKind = PaletteKindId::Tms9918;
    int LastConvertType = -1; // the "Convert Type" item of the last V9958 start; -1 = none
    SavedDrawingColours SavedColours;
};

// What the window shows besides the parameters (which the model holds as a
// ConversionParameters): the page, each page's chosen mode, the boxes that are not
// parameters, which controls are usable, and what the main window shows. The model is the
// owner; the window only mirrors it.
struct ConverterControls {
    ConverterPage page = ConverterPage::Tms9918;
    // Each page's mode list, by page.
    std::array<ModeId, ConverterPageCount> mode = {ModeId::Graphic2, ModeId::Screen5, ModeId::Yjk10,
                                                   ModeId::Pc6001Square, ModeId::Pc8801Tall};
    // Each page's "Preview" box.
    std::array<bool, ConverterPageCount> preview = {true, true, true, true, true};
    bool quickSave = true;       // "Quick Save before Applying" (the same on every page)
    bool connectPalette = false; // V9938 "Connect Palette": read only by its Export
    bool connectPaletteEnabled = true;
    bool interlaceEnabled = true; // V9938 "Interlace"
    bool oddLineEnabled = true;   // V9938 "Odd Line"
    // Each page's "Apply" (the TMS9918 and PC pages) or "Save" (V9938, V9958), and "Export".
    std::array<bool, ConverterPageCount> applyEnabled = {true, true, true, true, true};
    std::array<bool, ConverterPageCount> exportEnabled = {true, true, true, true, true};
    bool image1Shown = true;            // the picture in the main window
    bool image6Shown = false;           // the result over it
    bool timerRunning = false;          // a conversion is under way
    bool editorLocked = false;          // File, Edit, Tool menus and the picture disabled
    bool paletteSelectorEnabled = true; // the tool palette's palette panels
    // The page's quality readout beside its buttons ("ΔE 5.3"): the error of the finished
    // conversion, empty from every start until it is measured.
    std::string readout;
    // Beside the readout, for the modes with a "Characters" budget: how many distinct
    // characters the finished result uses ("Characters 254"); empty while one runs.
    std::string characters;
};

// The value labels' text: a value right-aligned in four characters ("%4d").
std::string ValueLabelText(int value);

} // namespace murelo
