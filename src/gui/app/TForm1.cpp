#include "gui/app/TForm1.h"

#include "gui/app/Windows.h"
#include "gui/dialogs/EditModeActions.h"
#include "gui/editor/CellFrame.h"
#include "gui/editor/MessageBoxes.h"
#include "gui/palette/TForm2.h"

#include <QAbstractSlider>
#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>

namespace murelo::gui {

namespace {
constexpr QRgb Silver = 0xFFC0C0C0;
}

TForm1::TForm1() {
    setObjectName("Form1");
    setFocusPolicy(Qt::StrongFocus);
    createImages();
    createMenu();
    connectMenu();

    // A fresh session already holds the start state: scale x1, TMS9918, recolouring on, an
    // empty quick slot, the cursor at 0, 0 and the top-left cell in the cell buffer.
    connectPainting();
    connectFiles();
    setAcceptDrops(true);
    applyChange(session_.newDocument(256, 192, 0xFFFFFF, true));

    // Room for the 256 x 192 picture at x1, as the window starts.
    fitWindowToPicture();

    ShowCellFrame(true);
    updateExportAvailability();
    updateTitle();
}

void TForm1::createImages() {
    scrollArea_ = new QScrollArea(this);
    scrollArea_->setObjectName("ScrollBox");
    scrollArea_->setFocusPolicy(Qt::NoFocus);
    scrollArea_->setWidgetResizable(false);
    scrollArea_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette silver = scrollArea_->palette();
    silver.setColor(QPalette::Window, QColor::fromRgb(Silver));
    scrollArea_->setPalette(silver);
    scrollArea_->setBackgroundRole(QPalette::Window);
    scrollArea_->viewport()->setPalette(silver);
    scrollArea_->viewport()->setBackgroundRole(QPalette::Window);
    scrollArea_->viewport()->setAutoFillBackground(true);
    for (QScrollBar* bar : {scrollArea_->horizontalScrollBar(), scrollArea_->verticalScrollBar()})
        bar->setFocusPolicy(Qt::NoFocus);

    canvas_ = new QWidget;
    canvas_->setObjectName("Canvas");
    canvas_->setPalette(silver);
    canvas_->setAutoFillBackground(true);
    canvas_->setMouseTracking(true);
    canvas_->setFocusPolicy(Qt::NoFocus);
    scrollArea_->setWidget(canvas_);
    setCentralWidget(scrollArea_);

    Image1 = new PictureView(canvas_, &doc_.picture);
    Image1->setObjectName("Image1");
    Image4 = new PictureView(canvas_, &doc_.errorOverlay);
    Image4->setObjectName("Image4");
    Image4->hide();
    Image7 = new PictureView(canvas_, &doc_.quickSlot);
    Image7->setObjectName("Image7");
    Image7->hide();
    // Overlays only show; the picture under them keeps its mouse events.
    Image4->setAttribute(Qt::WA_TransparentForMouseEvents);
    Image7->setAttribute(Qt::WA_TransparentForMouseEvents);
    Image8 = new CellFrame(canvas_);
    Image8->setObjectName("Image8");

    for (QObject* watched :
         {static_cast<QObject*>(scrollArea_), static_cast<QObject*>(scrollArea_->viewport()),
          static_cast<QObject*>(canvas_)})
        watched->installEventFilter(this);
}

void TForm1::windowsCreated() {
    connectDialogs();
    connectExport();
    // File > Export counts as wired once its subsystem has switched it on.
    exportWired_ = Export1->isEnabled();
    updateExportAvailability();
}

void TForm1::refreshPicture() {
    Image1->refresh();
    if (Image4->isVisible())
        Image4->refresh();
    if (Image7->isVisible())
        Image7->refresh();
}

void TForm1::updateTitle() {
    setWindowTitle(QString::fromStdString(WindowTitle(doc_)));
}

void TForm1::markModified() {
    if (session_.markModified().title)
        updateTitle();
}

void TForm1::resizeImages() {
    for (PictureView* view : {Image1, Image4, Image7})
        view->setScale(session_.view().Scale);
    fitCanvas();
    // The frame is rebuilt for the new cell size but shows only while Grid is checked.
    ShowCellFrame(Grid1->isChecked());
}

void TForm1::fitCanvas() {
    // The quick slot may hold a picture of another size: the canvas takes it in only while
    // F1 shows it, so the window's room is the picture's.
    QSize size = Image1->size();
    if (!Image7->isHidden())
        size = size.expandedTo(Image7->size());
    canvas_->resize(size);
}

void TForm1::scaleChanged() {
    resizeImages();
    updateZoomItems();
    QScrollBar* h = scrollArea_->horizontalScrollBar();
    QScrollBar* v = scrollArea_->verticalScrollBar();
    h->setValue(CentredScrollPosition(Image1->width(), width()));
    v->setValue(CentredScrollPosition(Image1->height(), height()));
}

void TForm1::stepScale(int delta) {
    const int wanted = session_.view().ScalePosition + delta;
    if (wanted < 0 || wanted > 5)
        return;
    Windows& windows = AllWindows();
    auto* trackBar =
        windows.Form2 ? windows.Form2->findChild<QAbstractSlider*>("TrackBar1") : nullptr;
    if (trackBar)
        trackBar->setValue(wanted); // its change handler sets Scale and calls scaleChanged()
    // Without the tool palette's track bar (or before its handler is wired) the scale
    // still follows the key.
    if (session_.view().ScalePosition != wanted || Image1->scale() != (1 << wanted)) {
        session_.setScalePosition(wanted);
        scaleChanged();
    }
}

void TForm1::updateExportAvailability() {
    Export1->setEnabled(exportWired_ && doc_.exportAvailable());
}

void TForm1::setEditingEnabled(bool enabled) {
    for (QMenu* menu : {File1, Edit1, Tool1})
        menu->menuAction()->setEnabled(enabled);
    setEnabled(enabled);
}

void TForm1::ShowCellFrame(bool show) {
    session_.gridShown = Grid1->isChecked();
    // The frame would forward clicks to the picture the converter is reading.
    if (!show || ConverterVisible()) {
        Image8->hide();
        return;
    }
    Image8->rebuild(8 * session_.view().Scale);
    Image8->move(Image1->pos());
    Image8->show();
    Image8->raise();
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (colorCheckRunning()) {
        closeAfterCheck_ = true;
        event->ignore();
        return;
    }
    if (doc_.Modified && !AskOkCancel(this, QStringLiteral("Data has been Modified.\nQuit?"),
                                      QStringLiteral("Exit"))) {
        event->ignore();
        return;
    }
    event->accept();
}

void TForm1::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow()) {
            Image4->hide(); // FormActivate
            if (AllWindows().Form2)
                showStartPalette();
        } else {
            keysLeftTheEditor();
            session_.endStroke(); // FormDeactivate
        }
    }
    QMainWindow::changeEvent(event);
}

void TForm1::FormMouseUp() {
    session_.endStroke();
}

} // namespace murelo::gui
