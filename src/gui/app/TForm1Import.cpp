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
    FileReport report;
    const SessionChange change = session_.importPicture(
        chosen->toLocal8Bit().toStdString(), choice->width, choice->height, choice->fit, report);
    if (!report.ok()) {
        ShowReport(this, QString::fromStdString(report.text),
                   QString::fromStdString(report.caption));
        return;
    }
    // A new picture without a name: Save asks for one.
    saveDialogName.clear();
    Image7->hide();
    applyChange(change);
    emit pictureLoaded();
}

} // namespace murelo::gui
