#include "gui/app/TForm1.h"

#include "gui/app/Windows.h"
#include "gui/editor/CellFrame.h"
#include "gui/palette/TForm2.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QWheelEvent>

namespace murelo::gui {

namespace {

bool IsKeyEvent(const QEvent* event) {
    return event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
}

bool IsTab(int key) {
    return key == Qt::Key_Tab || key == Qt::Key_Backtab;
}

} // namespace

bool TForm1::event(QEvent* event) {
    // Tab would move the focus before keyPressEvent sees it; here it shows the overlay.
    if (event->type() == QEvent::KeyPress && IsTab(static_cast<QKeyEvent*>(event)->key())) {
        FormKeyDown(static_cast<QKeyEvent*>(event));
        return true;
    }
    return QMainWindow::event(event);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    // The keys belong to the window, not to the scroll area (Page Up/Down zoom, not scroll).
    if (IsKeyEvent(event)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (event->type() == QEvent::KeyPress)
            FormKeyDown(key);
        else
            FormKeyUp(key);
        return true;
    }
    // A release on the window around the picture.
    if (event->type() == QEvent::MouseButtonRelease)
        FormMouseUp();
    // Ctrl + wheel over the picture zooms instead of scrolling.
    if (event->type() == QEvent::Wheel && wheelZoom(static_cast<QWheelEvent*>(event)))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::keyPressEvent(QKeyEvent* event) {
    FormKeyDown(event);
}

void TForm1::keyReleaseEvent(QKeyEvent* event) {
    FormKeyUp(event);
}

void TForm1::FormKeyDown(QKeyEvent* event) {
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (IsTab(key) && doc_.ErrorsShown) {
        heldKeys_.press(HeldKey::Tab);
        Image4->refresh();
        Image4->show();
        Image4->stackUnder(Image8);
    } else if (key == Qt::Key_Control) {
        heldKeys_.press(HeldKey::Ctrl);
        emit ctrlKeyChanged(true);
    } else if (key == Qt::Key_PageUp) {
        stepScale(-1);
    } else if (key == Qt::Key_PageDown) {
        stepScale(+1);
    } else if (key == Qt::Key_R) {
        MirrorKey();
    } else if (key == Qt::Key_F1 && doc_.QuickSlotFilled) {
        heldKeys_.press(HeldKey::F1);
        Image7->refresh();
        Image7->show();
        Image7->stackUnder(Image8);
        fitCanvas();
    }
    if (!(mods & Qt::ControlModifier))
        return;
    const bool keypad = mods & Qt::KeypadModifier;
    if (IsTab(key)) {
        if (ColorCheck1->isEnabled())
            ColorCheck1->trigger();
    } else if (keypad && key == Qt::Key_Plus) {
        stepScale(+1);
    } else if (keypad && key == Qt::Key_Minus) {
        stepScale(-1);
    }
}

void TForm1::FormKeyUp(QKeyEvent* event) {
    const int key = event->key();
    // A held key repeats its key-up; the overlays stay until the key is really let go.
    if (!event->isAutoRepeat()) {
        if (IsTab(key)) {
            heldKeys_.release(HeldKey::Tab);
            Image4->hide();
        } else if (key == Qt::Key_Control) {
            heldKeys_.release(HeldKey::Ctrl);
            emit ctrlKeyChanged(false);
        } else if (key == Qt::Key_F1) {
            heldKeys_.release(HeldKey::F1);
            Image7->hide();
            fitCanvas();
        }
    }
    session_.endStroke();
}

void TForm1::keysLeftTheEditor() {
    // The tool palette may take the focus while Ctrl is held: a click on its cell preview
    // flips the cell, and its key-ups come back through heldKeyReleased. Any other window
    // (a dialog opened by Ctrl+N, Ctrl+O or Ctrl+Shift+S, another program) keeps them.
    const QWidget* palette = AllWindows().Form2;
    if (palette && QApplication::activeWindow() == palette)
        return;
    releaseHeldKeys();
}

void TForm1::heldKeyReleased(QKeyEvent* event) {
    FormKeyUp(event);
}

void TForm1::releaseHeldKeys() {
    // As if their key-ups had come. The check's marks shown under its report box were not
    // shown for a held Tab and stay.
    for (HeldKey key : heldKeys_.releaseAll()) {
        if (key == HeldKey::Tab)
            Image4->hide();
        else if (key == HeldKey::Ctrl)
            emit ctrlKeyChanged(false);
        else
            Image7->hide();
    }
    fitCanvas();
}

void TForm1::focusOutEvent(QFocusEvent* event) {
    keysLeftTheEditor();
    QMainWindow::focusOutEvent(event);
}

void TForm1::MirrorKey() {
    // Mirroring changes pixels like any edit: the title says so. Its snapshot comes with the
    // next stroke.
    applyChange(session_.mirrorPicture());
}

} // namespace murelo::gui
