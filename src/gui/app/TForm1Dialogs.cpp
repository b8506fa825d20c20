#include "gui/app/TForm1.h"

#include "core/editor/ColorCheckRunner.h"
#include "core/editor/ScreenBuffer.h"
#include "gui/app/Windows.h"
#include "gui/convert/TForm10.h"
#include "gui/dialogs/TForm3.h"
#include "gui/dialogs/TForm5.h"
#include "gui/dialogs/TForm6.h"
#include "gui/dialogs/TForm7.h"
#include "gui/dialogs/TForm8.h"
#include "gui/dialogs/TForm9.h"
#include "gui/editor/MessageBoxes.h"
#include "gui/editor/PictureView.h"
#include "gui/palette/TForm2.h"

#include <QAction>
#include <QCoreApplication>
#include <QProgressBar>
#include <QTimer>

#include <utility>

namespace murelo::gui {
namespace {
bool checkRunning = false;
} // namespace

void TForm1::connectDialogs() {
    for (QAction* item : {New1, EditMode1, Settings1, Palet1, Message1, About1, ColorCheck1})
        item->setEnabled(true);
    connect(ColorCheck1, &QAction::triggered, this, [this] { ColorCheck1Click(); });
    connect(New1, &QAction::triggered, this, [this] { New1Click(); });
    connect(EditMode1, &QAction::triggered, this, [this] { EditMode1Click(); });
    connect(Settings1, &QAction::triggered, this, [this] { Settings1Click(); });
    connect(Palet1, &QAction::triggered, this, [this] { Palet1Click(); });
    connect(Message1, &QAction::triggered, this, [this] { Message1Click(); });
    connect(About1, &QAction::triggered, this, [this] { About1Click(); });

    // "Tool Palette" is checked at start: the palette comes up beside the editor once the
    // editor has its place on the screen, at its first activation (a window manager has
    // placed and framed it by then), or a moment after the start where none comes.
    QTimer::singleShot(0, this, [this] {
        if (isActiveWindow())
            showStartPalette();
        else
            QTimer::singleShot(500, this, [this] { showStartPalette(); });
    });
}

void TForm1::showStartPalette() {
    if (startPaletteShown_ || !isVisible())
        return;
    startPaletteShown_ = true;
    TForm2* form2 = AllWindows().Form2;
    if (form2 && Palet1->isChecked())
        form2->show(); // its first show places it beside this window
    if (!startFile_.isEmpty())
        openFile(std::exchange(startFile_, QString()));
}

void TForm1::openAtStart(const QString& path) {
    if (startPaletteShown_) {
        openFile(path);
        return;
    }
    startFile_ = path;
}

void TForm1::New1Click() {
    if (checkRunning)
        return;
    if (TForm10* form10 = AllWindows().Form10)
        form10->model().forgetFileNames();
    AllWindows().Form2->show();
    AllWindows().Form7->show();
}

void TForm1::EditMode1Click() {
    AllWindows().Form9->show();
}

void TForm1::Settings1Click() {
    TForm8* form8 = AllWindows().Form8;
    form8->SaveAfterOk = false;
    form8->show();
}

void TForm1::Palet1Click() {
    // The action has already inverted its check mark; the palette's own show and hide
    // set it again either way.
    TForm2* form2 = AllWindows().Form2;
    if (Palet1->isChecked())
        form2->show();
    else
        form2->hide();
}

void TForm1::Message1Click() {
    TForm5* form5 = AllWindows().Form5;
    if (Message1->isChecked())
        form5->show();
    else
        form5->hide();
}

void TForm1::About1Click() {
    AllWindows().Form3->show();
}

void TForm1::newPicture(int width, int height, ColorValue fillColor) {
    applyChange(session().newDocument(width, height, fillColor, false));
    fitWindowToPicture();
}

bool TForm1::colorCheckRunning() {
    return checkRunning;
}

void TForm1::ColorCheck1Click() {
    if (checkRunning)
        return;
    checkRunning = true;
    Windows& w = AllWindows();
    Image4->hide();
    w.Form5->setText("Error(s):\n\n");
    w.Form5->show();
    TForm6* progress = w.Form6;
    progress->ProgressBar1->setValue(0);
    progress->show();

    // The check is not modal: the runner keeps Cancel and repainting alive.
    ColorCheckRunner runner(
        {.progress = [progress](int percent) { progress->ProgressBar1->setValue(percent); },
         .processEvents = [] { QCoreApplication::processEvents(); },
         .cancelRequested = [progress] { return progress->CancelRequested; }});
    ColorCheckResult result;
    session_.checkColors(Export1->isEnabled(), SharedScreenBuffer().vramImage(), runner.hooks(),
                         result);
    progress->hide();
    w.Form5->setText(result.messageText);
    if (document().ErrorsShown) {
        Image4->refresh();
        Image4->show();
        Image4->raise();
    }
    checkRunning = false;
    if (closeAfterCheck_) {
        closeAfterCheck_ = false;
        progress->hide();
        QTimer::singleShot(0, this, &QWidget::close);
        return;
    }
    ShowReport(this,
               QString::fromLatin1(ColorCheckBoxText(result.result).data(),
                                   int(ColorCheckBoxText(result.result).size())),
               "Color Check");
    Image4->hide();
    activateWindow();
}

} // namespace murelo::gui
