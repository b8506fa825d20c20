#include "core/convert/ScreenFileJobs.h"

#include "core/convert/ScreenExport.h"
#include "core/editor/FileNameRules.h"

#include <filesystem>

namespace murelo {

namespace {

bool Exists(const ScreenFileHooks& hooks, const std::string& name) {
    if (hooks.fileExists)
        return hooks.fileExists(name);
    std::error_code ec;
    return std::filesystem::exists(name, ec);
}

ScreenFileJobResult Failed(const ScreenFileHooks& hooks, const std::string& text) {
    if (hooks.reportFailure)
        hooks.reportFailure(text);
    return {ScreenFileOutcome::Failed, {}};
}

ScreenFileJobResult Write(const ScreenFileHooks& hooks, const std::vector<NamedBytes>& files) {
    ScreenFileJobResult result{ScreenFileOutcome::Written, WriteScreenFileSet(files)};
    if (hooks.reportWritten && !result.report.written.empty())
        hooks.reportWritten(WrittenText(result.report, files));
    if (!result.report.ok()) {
        result.outcome = ScreenFileOutcome::Failed;
        if (hooks.reportFailure)
            hooks.reportFailure(FailureText(result.report));
    }
    return result;
}

// A bitmap: the question comes after the dialog and the building, once.
ScreenFileJobResult WriteBitmap(const ScreenFileHooks& hooks, const ScreenFileBuild& build) {
    if (!build.ok())
        return Failed(hooks, build.error);
    const std::string& name = build.files.front().name;
    if (Exists(hooks, name) && !hooks.confirmOverwrite(name))
        return {ScreenFileOutcome::Declined, {}};
    return Write(hooks, build.files);
}

ScreenFileJobResult RunPc6001Export(const ConversionState& state, std::string_view pictureFileName,
                                    ScreenFileSession& session, const ScreenFileHooks& hooks) {
    std::string& dialogName = session.dialogName(ScreenDialog::SavePictureDialog1);
    dialogName = ProposedPc6001Name(session.remembered, pictureFileName, dialogName);
    const std::optional<std::string> chosen =
        hooks.chooseFile(ScreenDialog::SavePictureDialog1, dialogName);
    if (!chosen)
        return {ScreenFileOutcome::Cancelled, {}};
    const ScreenFileBuild build = ExportFiles(state, *chosen, false);
    if (build.ok())
        dialogName = build.files.front().name;
    return WriteBitmap(hooks, build);
}

} // namespace

ScreenFileJobResult RunExportButton(const ConversionState& state, bool connectPalette,
                                    std::string_view pictureFileName, ScreenFileSession& session,
                                    const ScreenFileHooks& hooks) {
    if (!ExportRefusal(state).empty())
        return {ScreenFileOutcome::Refused, {}};
    if (IsPc6001Bitmap(ExportKindOf(state)))
        return RunPc6001Export(state, pictureFileName, session, hooks);
    const ScreenDialog dialog = InfoOf(ExportKindOf(state)).dialog;
    // The dialog opens where the picture is, on its name, until it has a name of its own.
    const std::string& last = session.dialogName(dialog);
    const std::optional<std::string> chosen =
        hooks.chooseFile(dialog, last.empty() ? CutExtension(pictureFileName) : last);
    if (!chosen)
        return {ScreenFileOutcome::Cancelled, {}};
    session.dialogName(dialog) = *chosen;
    const ScreenFileBuild build = ExportFiles(state, *chosen, connectPalette);
    if (!build.ok())
        return Failed(hooks, build.error);
    return Write(hooks, build.files);
}

ScreenFileJobResult RunSaveButton(const ConversionState& state, std::string_view pictureFileName,
                                  ScreenFileSession& session, const ScreenFileHooks& hooks) {
    const CompanionKind kind = Describe(state.mode).companion;
    if (IsPc6001Bitmap(ExportKindOf(state)) || kind == CompanionKind::None ||
        !SaveRefusal(state).empty())
        return {ScreenFileOutcome::Refused, {}};
    const std::optional<std::string> chosen =
        hooks.chooseFile(ScreenDialog::SavePictureDialog1,
                         ProposedSaveName(session.remembered, kind, pictureFileName));
    if (!chosen)
        return {ScreenFileOutcome::Cancelled, {}};
    const ScreenFileBuild build = SaveFiles(state, *chosen);
    if (!build.ok())
        return Failed(hooks, build.error);
    const std::string& name = build.files.front().name;
    session.dialogName(ScreenDialog::SavePictureDialog1) = name;
    if (Exists(hooks, name) && !hooks.confirmOverwrite(name))
        return {ScreenFileOutcome::Declined, {}};
    session.remembered[kind] = name;
    return Write(hooks, build.files);
}

} // namespace murelo
