#include "gui/app/TForm1.h"

#include "core/app/PictureFiles.h"
#include "gui/app/ImportChoice.h"
#include "gui/editor/FileDialogs.h"
#include "gui/editor/MessageBoxes.h"

#include <QAction>

namespace murelo::gui {

void TForm1::connectImport() {
    connect(Import1, &QAction::triggered, this, &TForm1::Import1Click);
    Import1->setEnabled(true);
}

void TForm1::Import1Click() {
    if (colorCheckRunning())
        return;
    const auto chosen = RunPictureDialog(this, FileDialogKind::Import, openDialogName);
    session_.disarmInput();
    if (!chosen)
        return;
    const auto choice = RunImportChoice(this);
    session_.disarmInput();
    if (!choice)
        return;
    if (doc_.Modified && !AskOkCancel(this, QStringLiteral("OK?"), QStringLiteral("Import")))
        return;
    const FileReport report = ImportPictureFile(doc_, chosen->toLocal8Bit().toStdString(),
                                                choice->width, choice->height, choice->fit);
    session_.disarmInput();
    if (!report.ok()) {
        ShowReport(this, QString::fromStdString(report.text),
                   QString::fromStdString(report.caption));
        return;
    }
    // A new picture without a name: Save asks for one.
    saveDialogName.clear();
    SessionChange change = session_.restartUndo();
    change.picture = change.pictureSize = change.title = true;
    change.exportAvailability = change.overlay = change.saveDepth = change.colors = true;
    Image7->hide();
    applyChange(change);
    emit pictureLoaded();
}

} // namespace murelo::gui
