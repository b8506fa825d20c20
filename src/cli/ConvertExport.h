#pragma once

#include "Command.h"

#include "core/convert/ConversionModes.h"
#include "core/convert/ConversionState.h"
#include "core/convert/ScreenFileSet.h"

#include <string>
#include <vector>

namespace murelo::cli {

// convert's screen-file outputs: what the page's Export and Save buttons write.
struct ScreenFileOptions {
    std::string exportPath; // --export PATH
    std::string savePath;   // --save PATH
    bool connectPalette = false;
    // With -O: --export and --save without a PATH, the files named after each picture.
    bool exportEach = false;
    bool saveEach = false;

    bool any() const { return !exportPath.empty() || !savePath.empty() || exportEach || saveEach; }
};

// Refuses a size or mode the files cannot hold before anything is converted or written.
void CheckScreenFiles(const ScreenFileOptions& o, ModeId mode, bool interlace,
                      const Picture& picture);

// One set per button (Export, then Save).
using ScreenFileSets = std::vector<std::vector<NamedBytes>>;

// The files of the finished conversion, built whole (a PC-6x01 pixel outside the palette
// refuses them) before any output is written.
ScreenFileSets BuildScreenFiles(const ScreenFileOptions& o, const ConversionState& state);

// Writes each set as its button does and prints each name written; a file that could not
// be written ends in a UsageError naming it and the reason.
void WriteScreenFiles(const ScreenFileSets& sets);

} // namespace murelo::cli
