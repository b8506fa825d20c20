#include "core/convert/ScreenExport.h"

#include "core/convert/CompanionBitmaps.h"
#include "core/convert/OtherScreenFiles.h"
#include "core/convert/ScreenFileNames.h"
#include "core/convert/V9938ScreenFiles.h"

#include <set>

namespace murelo {

namespace {

bool IsMsxKind(ExportKind kind) {
    return kind != ExportKind::ColorPlanes && kind != ExportKind::Pc6001Bitmap &&
           kind != ExportKind::None;
}

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

std::vector<NamedBytes> FilesOf(const ConversionState& state, const std::string& name,
                                bool connectPalette) {
    switch (state.page) {
    case ConverterPage::V9938:
        return V9938ExportFiles(state, name, connectPalette);
    case ConverterPage::V9958:
        return YjkExportFiles(state, name);
    case ConverterPage::Tms9918:
        return MultiColorExportFiles(state, name);
    default:
        return Pc8801PlaneFiles(state, name);
    }
}

} // namespace

std::string ExportFileName(ExportKind kind, std::string_view chosen) {
    const std::string named =
        WithDefaultExtension(chosen, DialogInfo(ExportDialogOf(kind)).defaultExtension);
    return IsMsxKind(kind) ? UpperCaseFileName(named) : named;
}

ScreenFileBuild ExportFiles(const ConversionState& state, std::string_view chosen,
                            bool connectPalette) {
    if (std::string refusal = ExportRefusal(state); !refusal.empty())
        return {{}, refusal};
    const ExportKind kind = ExportKindOf(state);
    const std::string name = ExportFileName(kind, chosen);
    if (kind == ExportKind::Pc6001Bitmap)
        return Pc6001Files(state, name);
    ScreenFileBuild build{FilesOf(state, name, connectPalette), {}};
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
    if (state.page == ConverterPage::Pc6001)
        return Pc6001Files(state, named);
    return {{{SaveFileName(named), CompanionBitmap(state)}}, {}};
}

} // namespace murelo
