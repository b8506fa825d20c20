#include "core/convert/ScreenExport.h"

#include "core/convert/CompanionBitmaps.h"
#include "core/convert/OtherScreenFiles.h"
#include "core/convert/ScreenFileNames.h"
#include "core/convert/V9938ScreenFiles.h"
#include "core/convert/YjkPaletteFile.h"

#include <set>

namespace murelo {

namespace {

// A typed name equal to a companion's ("PIC.PAL" for SCREEN 5) would have the companion
// replace the screen file just written.
std::string DuplicateName(const std::vector<NamedBytes>& files) {
    std::set<std::string> seen;
    for (const NamedBytes& f : files)
        if (!seen.insert(f.name).second)
            return f.name + " would be written twice; choose another name";
    return {};
}

ScreenFileBuild Pc6001Files(const ConversionState& state, const std::string& name) {
    Pc6001Bitmap bitmap = Pc6001ExportBitmap(state);
    if (!bitmap.ok())
        return {{}, bitmap.error};
    return {{{name, std::move(bitmap.bytes)}}, {}};
}

std::vector<NamedBytes> FilesOf(const ConversionState& state, ScreenFileKind kind,
                                const std::string& name, bool connectPalette) {
    switch (kind) {
    case ScreenFileKind::Screen10:
    case ScreenFileKind::Screen12:
        return YjkExportFiles(state, name);
    case ScreenFileKind::Screen10WithPalette: {
        std::vector<NamedBytes> files = YjkExportFiles(state, name);
        files.push_back(YjkPaletteFile(state.quantizerPalette, name));
        return files;
    }
    case ScreenFileKind::Screen3:
        return MultiColorExportFiles(state, name);
    case ScreenFileKind::ColorPlanes:
        return Pc8801PlaneFiles(state, name);
    case ScreenFileKind::None:
    case ScreenFileKind::Pc6001Bitmap:
    case ScreenFileKind::Pc6001BitmapTall:
        return {};
    default:
        return V9938ExportFiles(state, kind, name, connectPalette);
    }
}

} // namespace

std::string ExportFileName(ScreenFileKind kind, std::string_view chosen) {
    const ScreenFileKindInfo& info = InfoOf(kind);
    const std::string named =
        WithDefaultExtension(chosen, DialogInfo(info.dialog).defaultExtension);
    return info.msxNames ? UpperCaseFileName(named) : named;
}

ScreenFileBuild ExportFiles(const ConversionState& state, std::string_view chosen,
                            bool connectPalette) {
    if (std::string refusal = ExportRefusal(state); !refusal.empty())
        return {{}, refusal};
    const ScreenFileKind kind = ExportKindOf(state);
    const std::string name = ExportFileName(kind, chosen);
    if (IsPc6001Bitmap(kind))
        return Pc6001Files(state, name);
    ScreenFileBuild build{FilesOf(state, kind, name, connectPalette), {}};
    build.error = DuplicateName(build.files);
    if (!build.ok())
        build.files.clear();
    return build;
}

ScreenFileBuild SaveFiles(const ConversionState& state, std::string_view chosen) {
    if (std::string refusal = SaveRefusal(state); !refusal.empty())
        return {{}, refusal};
    const std::string named =
        WithDefaultExtension(chosen, DialogInfo(ScreenDialog::SavePictureDialog1).defaultExtension);
    if (IsPc6001Bitmap(ExportKindOf(state)))
        return Pc6001Files(state, named);
    return {{{SaveFileName(named), CompanionBitmap(state)}}, {}};
}

} // namespace murelo
