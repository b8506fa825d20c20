#include "gui/editor/FileDialogs.h"

#include <QFileDialog>

namespace murelo::gui {

namespace {
FileDialogHandler& Handler() {
    static FileDialogHandler handler;
    return handler;
}
} // namespace

void SetFileDialogHandler(FileDialogHandler handler) {
    Handler() = std::move(handler);
}

std::optional<QString> RunPictureDialog(QWidget* parent, FileDialogKind kind,
                                        const QString& fileName) {
    if (Handler())
        return Handler()(kind, fileName);
    QFileDialog dialog(parent);
    const bool save = kind == FileDialogKind::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    // Qt's own dialog, so the filter's letter case can be switched off.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
    dialog.setNameFilter(QStringLiteral("BITMAP IMAGE (*.bmp)"));
    dialog.setDefaultSuffix(save ? QStringLiteral("bmo") : QStringLiteral("bmp"));
    if (!fileName.isEmpty())
        dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

} // namespace murelo::gui
