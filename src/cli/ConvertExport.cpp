// convert --export / --save: the converter window's screen files without the window.
#include "ConvertExport.h"

#include "core/convert/ScreenExport.h"

#include <iostream>

namespace murelo::cli {

void CheckScreenFiles(const ScreenFileOptions& o, ModeId mode, bool interlace,
                      const Picture& picture) {
    const bool exports = !o.exportPath.empty() || o.exportEach;
    if (o.connectPalette && (!exports || !InfoOf(FilesOf(mode, interlace)).palettePlace))
        throw UsageError("--connect-palette needs --export on v9938 modes 0..2");
    if (exports) {
        const std::string refusal =
            ExportRefusal(mode, interlace, picture.width(), picture.height());
        if (!refusal.empty())
            throw UsageError("--export: " + refusal);
    }
    if (!o.savePath.empty() || o.saveEach) {
        const std::string refusal = SaveRefusal(mode, picture.width(), picture.height());
        if (!refusal.empty())
            throw UsageError("--save: " + refusal);
    }
}

namespace {

std::vector<NamedBytes> Built(ScreenFileBuild build, const char* option) {
    if (!build.ok())
        throw UsageError(std::string(option) + ": " + build.error);
    return std::move(build.files);
}

std::string OneLine(const std::string& text) {
    std::string line;
    for (char c : text)
        line += c == '\n' ? std::string("; ") : std::string(1, c);
    return line;
}

} // namespace

ScreenFileSets BuildScreenFiles(const ScreenFileOptions& o, const ConversionState& state) {
    ScreenFileSets sets;
    if (!o.exportPath.empty())
        sets.push_back(Built(ExportFiles(state, o.exportPath, o.connectPalette), "--export"));
    if (!o.savePath.empty())
        sets.push_back(Built(SaveFiles(state, o.savePath), "--save"));
    return sets;
}

void WriteScreenFiles(const ScreenFileSets& sets) {
    std::string failures;
    for (const std::vector<NamedBytes>& files : sets) {
        const ScreenFileReport report = WriteScreenFileSet(files);
        for (const std::string& name : report.written)
            std::cout << name << "\n";
        if (!report.ok())
            failures += (failures.empty() ? "" : "; ") + OneLine(FailureText(report));
    }
    if (!failures.empty())
        throw UsageError(failures);
}

} // namespace murelo::cli
