#pragma once

#include "core/app/EditorSession.h"
#include "core/app/HeldKeys.h"
#include "gui/editor/PictureView.h"

#include <QMainWindow>
#include <QStringList>

class QAction;
class QMenu;
class QScrollArea;
class QWheelEvent;

namespace murelo::gui {

class CellFrame;

// The editor: menu, magnified picture and the document it owns.
class TForm1 : public QMainWindow {
    Q_OBJECT
  public:
    TForm1();

    // The document, the tool state, the view state and the undo ring. Windows change the
    // document only through the session; the tool palette edits tool().
    EditorSession& session() { return session_; }
    const Document& document() const { return session_.document(); }

    // Called once all ten windows exist: each subsystem wires its menu items and the
    // windows it shows (each defined in the TForm1<Subsystem>.cpp beside this file).
    void windowsCreated();
    void connectDialogs(); // TForm1Dialogs.cpp: tool palette, New, Edit Mode, depth, message, about
    void connectExport();  // TForm1Export.cpp: File > Export

    // --- declarations of TForm1Dialogs.cpp / TForm1Export.cpp (kept by the dialogs' owner) ---
    void New1Click();
    void EditMode1Click();
    void Settings1Click();
    void Palet1Click();
    void Message1Click();
    void About1Click();
    // The new picture dialog's NewDocument: a fresh picture that keeps the quick slot.
    void newPicture(int width, int height, ColorValue fillColor);
    // Tool > Color Check and Ctrl+Tab: the check with its progress window and result box.
    void ColorCheck1Click();
    // True while a colour check runs (it dispatches events meanwhile): commands that would
    // start another check, an export, an open, a new picture, a quick load or an undo, and
    // closing the editor, must wait for it.
    static bool colorCheckRunning();
    // --- end of the dialogs' declarations ---

    // --- for the other windows ---
    // Repaints the picture (and the overlays over it) after its pixels changed.
    void refreshPicture();
    // The caption from FileName and Modified.
    void updateTitle();
    // Any change of the picture's pixels: Modified = true and the title shows it.
    void markModified();
    // After Scale or the picture's size changed: sizes Image1, Image4 and Image7 to their
    // pictures times Scale and rebuilds the cell frame.
    void resizeImages();
    // The main window's part of a scale change (the scale track bar): resize the images,
    // centre the scroll positions and rebuild the cell frame.
    void scaleChanged();
    // Moves the scale one step (Page Up/Down, Ctrl+keypad +/-) through the tool palette's
    // scale track bar when it exists, so its change handler runs.
    void stepScale(int delta);
    // --- TForm1View.cpp: View > Zoom In, Zoom Out, Zoom to Fit, Ctrl + wheel, window size ---
    void ZoomIn1Click();
    void ZoomOut1Click();
    // The largest scale step at which the whole picture fits the screen's available area,
    // then the window sized to it.
    void ZoomFit1Click();
    // Sizes the window to show the whole picture at the current scale, as far as the
    // screen's available area allows, and keeps it on that area (at start and after New,
    // Open, a drop or Import; a maximised or full-screen window keeps its size).
    void fitWindowToPicture();
    // --- end of TForm1View.cpp ---
    // Export1 enabled exactly for a 256 x 192 picture, once File > Export is wired.
    void updateExportAvailability();
    // Off while a fill or a modal dialog runs: the window and its File, Edit, Tool menus.
    void setEditingEnabled(bool enabled);

    void ShowCellFrame(bool show);
    // Shows what a session operation changed (repaint, sizes, title, menu states, frame)
    // and tells the tool palette through sessionChanged.
    void applyChange(const SessionChange& change);
    // Re-reads Undo1/Redo1 from the undo ring.
    void updateUndoItems();

    // Mouse handlers of the picture and of the cell frame over it.
    void Image1MouseDown(const MouseInput& input);
    void Image1MouseMove(const MouseInput& input);
    void Image1MouseUp(const MouseInput& input);
    void Image8MouseDown(const MouseInput& input);
    void Image8MouseMove(const MouseInput& input);
    void Image8MouseUp(const MouseInput& input);

    void Undo1Click();
    void Redo1Click();
    void QuickSave1Click();
    void QuickLoad1Click();

    void Open1Click();
    void Save1Click();
    void SaveAs1Click();
    void SaveCons1Click();
    void Copy1Click();
    // A key-up that reached the tool palette while the key was held on the editor.
    void heldKeyReleased(QKeyEvent* event);
    // Files dropped on the window: the last one is loaded.
    void dropFiles(const QStringList& paths);
    // The file named on the command line, opened as File > Open opens it.
    bool openFile(const QString& path);
    // The file named on the command line: opened once the tool palette has come up, so that
    // a refusal's message lies above the palette and over the blank picture.
    void openAtStart(const QString& path);
    // File > Import Picture...: any picture scaled to a chosen size (TForm1Import.cpp).
    void Import1Click();
    // The names the open and save dialogs start with; a save writes the save dialog's name.
    QString openDialogName;
    QString saveDialogName;

    QScrollArea* scrollArea() const { return scrollArea_; }
    // The part of the picture the window shows, in global coordinates.
    QRect visiblePictureRect() const;
    QWidget* canvas() const { return canvas_; }

    // Images of the window (names of the window definition).
    PictureView* Image1 = nullptr; // the picture
    PictureView* Image4 = nullptr; // error overlay, shown while Tab is held
    PictureView* Image7 = nullptr; // the quick slot, shown while F1 is held
    CellFrame* Image8 = nullptr;   // dotted cell frame

    QMenu* File1 = nullptr;
    QMenu* Edit1 = nullptr;
    QMenu* View1 = nullptr;
    QMenu* Tool1 = nullptr;
    QMenu* Help1 = nullptr;
    QAction* New1 = nullptr;
    QAction* Open1 = nullptr;
    QAction* Import1 = nullptr;
    QAction* Save1 = nullptr;
    QAction* SaveAs1 = nullptr;
    QAction* SaveCons1 = nullptr;
    QAction* QuickSave1 = nullptr;
    QAction* QuickLoad1 = nullptr;
    QAction* Export1 = nullptr;
    QAction* Exit1 = nullptr;
    QAction* Undo1 = nullptr;
    QAction* Redo1 = nullptr;
    QAction* Copy1 = nullptr;
    QAction* Settings1 = nullptr;
    QAction* EditMode1 = nullptr;
    QAction* Palet1 = nullptr;
    QAction* Message1 = nullptr;
    QAction* Grid1 = nullptr;
    QAction* ZoomIn1 = nullptr;
    QAction* ZoomOut1 = nullptr;
    QAction* ZoomFit1 = nullptr;
    QAction* ColorCheck1 = nullptr;
    QAction* SC1Converter1 = nullptr;
    QAction* About1 = nullptr;
    QAction* Help2 = nullptr;

    // Where Help > Help looks for the user guide (see UserGuide.h); empty: the program's own
    // folder.
    QString programDir;

  signals:
    // The Ctrl key itself went down (true) or up: the tool palette swaps its cell
    // buffer preview and colour number.
    void ctrlKeyChanged(bool down);
    // After every session operation the window has shown: the tool palette updates what
    // the change names (position readout Label5, colours, cell buffer preview, depth label).
    void sessionChanged(const murelo::SessionChange& change);
    // A fill starts (true, the window and its File, Edit, Tool menus are already off) or
    // has ended: the tool palette greys its palette panels meanwhile.
    void fillRunning(bool running);
    // A bitmap was opened or dropped and is now the picture (PaletteKind, EditMode and
    // SaveDepth are the detected ones): the tool palette selects the palette, the message
    // window is emptied, the converter forgets its output names.
    void pictureLoaded();

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private slots:
    // The colour depth dialog's OK during Save As.
    void saveAsDepthChosen();

  private:
    void createImages();
    void createMenu();
    void connectMenu();
    void FormKeyDown(QKeyEvent* event);
    void FormKeyUp(QKeyEvent* event);
    // A window change or lost focus: every key still held counts as released, unless the
    // focus went to the tool palette.
    void keysLeftTheEditor();
    void releaseHeldKeys();
    // The tool palette's first show at the start, beside the placed editor.
    void showStartPalette();
    void FormMouseUp();
    void Grid1Click();
    void Help2Click();
    void MirrorKey();
    void fitCanvas();
    void connectPainting();
    PointerEvent pointerEvent(const MouseInput& input, bool fromCellFrame) const;
    void forwardPress(const MouseInput& input, bool fromCellFrame);
    void showPosition();
    void connectFiles();
    void connectView();
    // Ctrl + wheel over the picture steps the scale around the point under the pointer;
    // true when the event was a zoom.
    bool wheelZoom(QWheelEvent* event);
    // The client size that shows the whole picture at `scale`, scroll area frame and menu
    // bar included.
    QSize clientSizeFor(int scale) const;
    void updateZoomItems();
    int wheelSteps_ = 0; // eighths of a degree turned toward the next step
    void connectImport();
    bool loadPicture(const QString& path);
    bool writePicture(const std::string& target);
    bool saveBlocked() const;
    QString pendingSaveAs_;

    EditorSession session_;
    const Document& doc_ = session_.document();
    QScrollArea* scrollArea_ = nullptr;
    QWidget* canvas_ = nullptr;
    bool exportWired_ = false;
    HeldKeys heldKeys_;
    bool startPaletteShown_ = false;
    QString startFile_;
    // A close asked for while a colour check runs happens once the check has ended.
    bool closeAfterCheck_ = false;
};

} // namespace murelo::gui
