#include "gui/app/TForm1.h"

#include "core/app/PictureFiles.h"
#include "core/editor/FileNameRules.h"
#include "gui/app/Windows.h"
#include "gui/dialogs/TForm8.h"
#include "gui/editor/FileDialogs.h"
#include "gui/editor/MessageBoxes.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace murelo::gui {

namespace {

std::string Local(const QString& path) {
    return path.toLocal8Bit().toStdString();
}
QString FromLocal(const std::string& path) {
    return QString::fromLocal8Bit(path);
}

} // namespace

void TForm1::connectFiles() {
    connect(Open1, &QAction::triggered, this, &TForm1::Open1Click);
    connect(Save1, &QAction::triggered, this, &TForm1::Save1Click);
    connect(SaveAs1, &QAction::triggered, this, &TForm1::SaveAs1Click);
    connect(SaveCons1, &QAction::triggered, this, &TForm1::SaveCons1Click);
    connect(Copy1, &QAction::triggered, this, &TForm1::Copy1Click);
    for (QAction* item : {Open1, Save1, SaveAs1, SaveCons1, Copy1})
        item->setEnabled(true);
    connectImport();
}

bool TForm1::openFile(const QString& path) {
    return loadPicture(path);
}

bool TForm1::loadPicture(const QString& path) {
    // A changed picture is not replaced without the question New asks too.
    if (doc_.Modified && !AskOkCancel(this, QStringLiteral("OK?"), QStringLiteral("Open")))
        return false;
    FileReport report;
    const SessionChange change = session_.openPicture(Local(path), report);
    if (!report.ok()) {
        ShowReport(this, QString::fromStdString(report.text),
                   QString::fromStdString(report.caption));
        return false;
    }
    openDialogName = saveDialogName = path;
    Image7->hide();
    applyChange(change);
    fitWindowToPicture();
    emit pictureLoaded();
    return true;
}

void TForm1::Open1Click() {
    if (colorCheckRunning())
        return;
    if (!doc_.FileName.empty())
        openDialogName = saveDialogName = FromLocal(doc_.FileName);
    const auto chosen = RunPictureDialog(this, FileDialogKind::Open, openDialogName);
    session_.disarmInput();
    if (!chosen)
        return;
    loadPicture(*chosen);
}

void TForm1::dropFiles(const QStringList& paths) {
    if (!Image1->isEnabled() || paths.isEmpty() || colorCheckRunning())
        return;
    activateWindow();
    raise();
    // The name and the dialogs change only when the file loads: a refused drop must not
    // become the target of the next Save.
    loadPicture(paths.last());
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    dropFiles(paths);
}

bool TForm1::saveBlocked() const {
    // The Pixel Converter hides the picture while it shows its preview.
    return Image1->isHidden();
}

bool TForm1::writePicture(const std::string& target) {
    FileReport report;
    session_.savePicture(target, target, report);
    if (!report.ok()) {
        ShowReport(this, QString::fromStdString(report.text),
                   QString::fromStdString(report.caption));
        return false;
    }
    saveDialogName = FromLocal(target);
    updateTitle();
    return true;
}

void TForm1::Save1Click() {
    if (saveBlocked())
        return;
    if (doc_.FileName.empty() || saveDialogName.isEmpty()) {
        SaveAs1Click();
        return;
    }
    if (!AskOkCancel(this, QStringLiteral("File Exists.\nOverwrite?"), QStringLiteral("Save"))) {
        session_.disarmInput();
        return;
    }
    writePicture(PictureSaveName(doc_.FileName));
}

void TForm1::SaveAs1Click() {
    if (saveBlocked())
        return;
    if (!doc_.FileName.empty())
        saveDialogName = FromLocal(doc_.FileName);
    const auto chosen = RunPictureDialog(this, FileDialogKind::Save, saveDialogName);
    session_.disarmInput();
    if (!chosen)
        return;
    const QString target = FromLocal(PictureSaveName(Local(*chosen)));
    // Refusing here leaves FileName and the save dialog's name as they were, so the next
    // Save does not write over the file the user just chose to keep.
    if (QFileInfo::exists(target) &&
        !AskOkCancel(this, QStringLiteral("File Exists.\nOverwrite?"), QStringLiteral("Save")))
        return;
    pendingSaveAs_ = target;
    // The colour depth dialog writes on its OK; without it the current depth is used. A PNG
    // has no depth to choose: it is indexed exactly when the palette holds every pixel.
    QWidget* depthDialog = AllWindows().Form8;
    if (!IsPngFileName(Local(target)) && depthDialog &&
        depthDialog->metaObject()->indexOfSignal("writePictureRequested()") >= 0) {
        connect(depthDialog, SIGNAL(writePictureRequested()), this, SLOT(saveAsDepthChosen()),
                Qt::UniqueConnection);
        depthDialog->show();
        return;
    }
    saveAsDepthChosen();
}

void TForm1::saveAsDepthChosen() {
    if (pendingSaveAs_.isEmpty())
        return;
    const std::string target = Local(pendingSaveAs_);
    pendingSaveAs_.clear();
    writePicture(target);
}

void TForm1::SaveCons1Click() {
    if (saveBlocked())
        return;
    if (doc_.FileName.empty() || saveDialogName.isEmpty()) {
        SaveAs1Click();
        return;
    }
    FileReport report;
    session_.saveConsecutive(Local(saveDialogName), CurrentTimeStamp(), report);
    if (!report.ok())
        ShowReport(this, QString::fromStdString(report.text),
                   QString::fromStdString(report.caption));
    updateTitle();
}

void TForm1::Copy1Click() {
    const Picture& picture = doc_.picture;
    // A deep copy: the clipboard outlives any change of the picture.
    const QImage image =
        PictureView::WrapPixels(picture, QRect(0, 0, picture.width(), picture.height()))
            .convertToFormat(QImage::Format_RGB32);
    QApplication::clipboard()->setImage(image);
}

} // namespace murelo::gui
