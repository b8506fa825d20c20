#include "gui/app/TForm1.h"

#include "core/app/PictureFiles.h"
#include "gui/app/ImportChoice.h"
#include "gui/app/Windows.h"
#include "gui/convert/TForm10.h"
#include "gui/dialogs/TForm5.h"
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
    // A new picture without a name: Save asks for one. It keeps the palette and pixel mode,
    // so the tool palette stays as it is; the reports and output names of the old picture go.
    saveDialogName.clear();
    Image7->hide();
    applyChange(change);
    fitWindowToPicture();
    Windows& windows = AllWindows();
    if (windows.Form10)
        windows.Form10->model().forgetFileNames();
    if (windows.Form5)
        windows.Form5->setText("");
}

} // namespace murelo::gui
