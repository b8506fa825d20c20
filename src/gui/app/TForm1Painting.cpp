#include "gui/app/TForm1.h"

#include "gui/app/Windows.h"
#include "gui/editor/CellFrame.h"
#include "gui/editor/MessageBoxes.h"
#include "gui/palette/TForm2.h"

#include <QAction>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>

namespace murelo::gui {

void TForm1::connectPainting() {
    connect(Image1, &PictureView::pressed, this, &TForm1::Image1MouseDown);
    connect(Image1, &PictureView::moved, this, &TForm1::Image1MouseMove);
    connect(Image1, &PictureView::released, this, &TForm1::Image1MouseUp);
    connect(Image8, &CellFrame::pressed, this, &TForm1::Image8MouseDown);
    connect(Image8, &CellFrame::moved, this, &TForm1::Image8MouseMove);
    connect(Image8, &CellFrame::released, this, &TForm1::Image8MouseUp);

    connect(Undo1, &QAction::triggered, this, &TForm1::Undo1Click);
    connect(Redo1, &QAction::triggered, this, &TForm1::Redo1Click);
    connect(QuickSave1, &QAction::triggered, this, &TForm1::QuickSave1Click);
    connect(QuickLoad1, &QAction::triggered, this, &TForm1::QuickLoad1Click);
    QuickSave1->setEnabled(true);
    QuickLoad1->setEnabled(true);
}

PointerEvent TForm1::pointerEvent(const MouseInput& input, bool fromCellFrame) const {
    PointerEvent event;
    event.x = input.x;
    event.y = input.y;
    event.left = input.left;
    event.right = input.right;
    event.shift = input.shift;
    event.ctrl = input.ctrl;
    event.fromCellFrame = fromCellFrame;
    event.hScroll = scrollArea_->horizontalScrollBar()->value();
    event.vScroll = scrollArea_->verticalScrollBar()->value();
    return event;
}

void TForm1::forwardPress(const MouseInput& input, bool fromCellFrame) {
    const PointerEvent event = pointerEvent(input, fromCellFrame);
    // The fill runs to its end inside press(); nothing else may start meanwhile.
    const bool filling = session_.pressStartsFill(event);
    if (filling) {
        setEditingEnabled(false);
        emit fillRunning(true);
    }
    const SessionChange change = session_.press(event);
    if (filling) {
        setEditingEnabled(true);
        emit fillRunning(false);
    }
    applyChange(change);
}

void TForm1::Image1MouseDown(const MouseInput& input) {
    forwardPress(input, false);
}

void TForm1::Image1MouseMove(const MouseInput& input) {
    applyChange(session_.move(pointerEvent(input, false)));
}

void TForm1::Image1MouseUp(const MouseInput& input) {
    applyChange(session_.release(pointerEvent(input, false)));
}

void TForm1::Image8MouseDown(const MouseInput& input) {
    forwardPress(input, true);
}

void TForm1::Image8MouseMove(const MouseInput& input) {
    applyChange(session_.move(pointerEvent(input, true)));
}

void TForm1::Image8MouseUp(const MouseInput& input) {
    applyChange(session_.release(pointerEvent(input, true)));
}

void TForm1::applyChange(const SessionChange& change) {
    if (change.pictureSize)
        resizeImages();
    if (change.picture)
        refreshPicture();
    if (change.overlay) {
        Image4->refresh();
        Image4->hide();
    }
    if (change.title)
        updateTitle();
    if (change.undoState)
        updateUndoItems();
    if (change.exportAvailability)
        updateExportAvailability();
    if (change.cellFrame) {
        const CellFramePlace& place = session_.cellFrame();
        // The place is relative to the visible part of the scrolled picture.
        Image8->move(Image1->x() + place.left + scrollArea_->horizontalScrollBar()->value(),
                     Image1->y() + place.top + scrollArea_->verticalScrollBar()->value());
        Image8->setVisible(place.visible);
    }
    if (change.position)
        showPosition();
    emit sessionChanged(change);
}

void TForm1::showPosition() {
    Windows& windows = AllWindows();
    if (!windows.Form2)
        return;
    if (auto* label = windows.Form2->findChild<QLabel*>("Label5"))
        label->setText(QString::fromStdString(session_.positionText()));
}

void TForm1::updateUndoItems() {
    Undo1->setEnabled(session_.canUndo());
    Redo1->setEnabled(session_.canRedo());
}

void TForm1::Undo1Click() {
    if (colorCheckRunning())
        return;
    applyChange(session_.undo());
}

void TForm1::Redo1Click() {
    if (colorCheckRunning())
        return;
    applyChange(session_.redo());
}

void TForm1::QuickSave1Click() {
    if (!AskOkCancel(this, QStringLiteral("OK?"), QStringLiteral("Quick Save")))
        return;
    session_.quickSave();
    Image7->refresh();
}

void TForm1::QuickLoad1Click() {
    if (colorCheckRunning())
        return;
    if (!AskOkCancel(this, QStringLiteral("OK?"), QStringLiteral("Quick Load")))
        return;
    applyChange(session_.quickLoad());
}

} // namespace murelo::gui
