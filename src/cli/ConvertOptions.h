#pragma once

#include "Command.h"
#include "ConvertExport.h"

#include "core/convert/ConversionModes.h"

#include <optional>
#include <string>
#include <vector>

namespace murelo::cli {

// What `convert` writes a result as.
enum class ResultFormat { Bitmap, Png };

// Everything `convert` was asked for.
struct ConvertOptions {
    std::vector<std::string> files;
    ModeId mode = ModeId::Graphic2;
    ConversionParameters params;
    std::string out;    // -o: the one input's result
    std::string outDir; // -O: one result per input in that folder
    ResultFormat format = ResultFormat::Bitmap;
    std::string screenBytes, quantizerPalette;
    ScreenFileOptions screenFiles; // with -O, --export and --save name no path
    int jobs = 1;
    bool listModes = false; // --list-modes: print the modes and do nothing else
    bool helpShown = false;
    // One line for each option the chosen mode does not read.
    std::vector<std::string> warnings;

    bool batch() const { return !outDir.empty(); }
};

// Parses convert's arguments; a bad one throws UsageError with the command's message.
ConvertOptions ParseConvertOptions(Args args);

// The tool palette's start colours, indices 1 and 15, clamped to the kind as its palette
// view does: the drawing colours a conversion gets unless --fg and --bg say otherwise.
void DefaultDrawingColors(ConversionParameters& params);

} // namespace murelo::cli
