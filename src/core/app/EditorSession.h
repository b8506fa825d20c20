#pragma once

#include "core/app/Document.h"
#include "core/app/EditorView.h"
#include "core/app/PictureFiles.h"
#include "core/editor/ColorCheck.h"
#include "core/editor/PaintContext.h"
#include "core/editor/ToolState.h"
#include "core/editor/UndoRing.h"
#include "core/export/ExportJob.h"

#include <cstdint>
#include <span>
#include <string>

namespace murelo {

// One mouse event on the picture (Image1) or on the cell frame (Image8).
struct PointerEvent {
    int x = 0; // display pixels, relative to the control the event arrived on
    int y = 0;
    bool left = false; // buttons held (for a release: the button released)
    bool right = false;
    bool shift = false;
    bool ctrl = false;
    // Set for Image8 events: (x, y) are then relative to the frame, and the session snaps
    // the cell cursor and adds it, as the frame lies over the picture.
    bool fromCellFrame = false;
    int hScroll = 0; // the window's scroll positions, for placing the cell frame
    int vScroll = 0;
};

// Where the dotted cell frame (Image8) goes after an event, relative to the viewport.
struct CellFramePlace {
    int left = 0;
    int top = 0;
    bool visible = true;
};

// What an operation changed, so the window redraws only that. Every flag means
// "re-read the state from the session and show it".
struct SessionChange {
    bool picture = false;            // pixels of document().picture changed: repaint Image1
    bool pictureSize = false;        // PictureWidth/PictureHeight changed: resize Image1, Image4,
                                     // Image6, Image7 to displayWidth() x displayHeight()
    bool title = false;              // setWindowTitle(title())
    bool undoState = false;          // Undo1/Redo1 enabled = canUndo()/canRedo()
    bool cellFrame = false;          // move Image8 to cellFrame() (hide it when not visible)
    bool position = false;           // tool palette Label5 = positionText()
    bool colors = false;             // tool palette: foreground swatch Image2, Label4 and the brush
                                     // strip from tool() (ShowForeground, DrawBrushStrip)
    bool cellBuffer = false;         // tool palette: redraw the preview Image3 from CellBuffer
    bool showColorNumber = false;    // tool palette: hide Image3, show Label4 (a left press)
    bool exportAvailability = false; // Export1 enabled = document().exportAvailable()
    bool overlay = false;            // the error overlay (Image4) was reset: repaint and hide it
    bool saveDepth = false;          // tool palette Label6 from SaveDepth (ShowDepthLabel)
    bool palette = false;            // PaletteKind changed: the tool palette redraws its strip
    bool editMode = false;           // EditMode changed: the tool palette fits its controls
    bool scale = false;              // Scale changed: resize the images, rebuild the cell frame

    // Every flag set: re-read and show everything.
    static SessionChange all();

    SessionChange& operator|=(const SessionChange& other);
};

// The document, the tool state, the view state and the undo ring, with the editor's mouse
// and menu logic. The session is the only writer of the document: windows ask it and show
// the SessionChange it returns. The tool palette edits tool(). Everything runs synchronously
// on the caller's thread.
class EditorSession {
  public:
    // Starts with the white 256 x 192 picture, the quick slot reset and one snapshot.
    EditorSession();

    const Document& document() const { return doc_; }
    // For core code that fills a document itself and for tests setting up a state;
    // windows go through the operations below.
    Document& mutableDocument() { return doc_; }
    const EditorView& view() const { return view_; }
    ToolState& tool() { return tool_; }
    const ToolState& tool() const { return tool_; }
    const UndoRing& undoRing() const { return ring_; }

    // The main window's Grid1 check mark; the cell frame shows only while it is set.
    bool gridShown = true;

    int displayWidth() const { return doc_.PictureWidth * view_.Scale; }
    int displayHeight() const { return doc_.PictureHeight * view_.Scale; }

    // NewDocument, then clears the undo ring and records the new picture as the first
    // snapshot. Input is armed and the stroke state reset. Everything changes: repaint,
    // resize, title, undo state, export availability.
    SessionChange newDocument(int width, int height, ColorValue fillColor, bool resetQuickSlot);

    // Image1MouseDown / Image8MouseDown. A left press with the Fill tool runs the whole fill
    // before returning (pressStartsFill tells the window beforehand, so it can disable its
    // menus around the call); the fill records its own snapshot.
    SessionChange press(const PointerEvent& event);
    // Image1MouseMove / Image8MouseMove.
    SessionChange move(const PointerEvent& event);
    // Image1MouseUp / Image8MouseUp: records the stroke's snapshot.
    SessionChange release(const PointerEvent& event);
    bool pressStartsFill(const PointerEvent& event) const;

    // A key-up, a release on the window outside the picture, or deactivating the window:
    // input is armed again and the Shift row lock ends.
    void endStroke();
    // After a file dialog or file operation, so the click that closed it does not paint.
    SessionChange disarmInput();

    // Edit > Undo / Redo. Nothing changes when there is no step to take.
    SessionChange undo();
    SessionChange redo();
    bool canUndo() const { return ring_.canUndo(); }
    bool canRedo() const { return ring_.canRedo(); }
    // After a load or the converter's apply replaced the picture: clear and record it.
    SessionChange restartUndo();
    // Records the picture as the newest undo step.
    SessionChange recordSnapshot();

    // File > Quick Save / Quick Load, after the window's "OK?" question was answered OK.
    // Quick Save stores a copy of the picture in the quick slot (Image7) and touches nothing
    // else. Quick Load brings the slot back (even before any Quick Save: it then holds the
    // start picture), marks the document modified, adopts the slot's size, saves at 24 bits
    // from now on, resets the error overlay and records no snapshot.
    SessionChange quickSave();
    SessionChange quickLoad();

    // Any change of the picture's pixels made outside the session's own tools.
    SessionChange markModified();
    // Key R: mirrors the picture left to right and marks it modified; its snapshot comes
    // with the next stroke.
    SessionChange mirrorPicture();
    // The cell buffer preview's clicks: left to right, or top to bottom.
    SessionChange flipCellBuffer(bool leftToRight);
    // The Pixel Converter's Apply: the result becomes the picture, marked modified, with a
    // fresh error overlay; no snapshot (the caller restarts or records the undo ring).
    SessionChange applyPicture(const Picture& result);

    // The palette switch of the palette buttons and the dialogs: with recolour the chip
    // palettes map index for index (the picture is not marked modified by that) and the
    // recoloured picture is recorded as an undo step; the kind becomes the current one
    // either way.
    SessionChange switchPalette(PaletteKindId kind, bool recolour);
    SessionChange setEditMode(EditModeId mode);
    // What the New dialog's Cancel goes back to: both as they were, nothing recoloured.
    SessionChange restoreModeAndPalette(EditModeId mode, PaletteKindId kind);
    SessionChange setRecolorOnPaletteChange(bool on);
    // The scale track bar: position clamped to 0..5, Scale = 1 << position.
    SessionChange setScalePosition(int position);
    // The colour depth dialog's OK.
    SessionChange setSaveDepth(PixelFormat depth);

    // Open and drop (see LoadPictureFile). On success the undo ring restarts and everything
    // that shows the picture, its palette or depth changes; on failure nothing changes and a
    // refusal's text names the file (RefusalTextNamingTheFile). Input is disarmed after
    // either outcome.
    SessionChange openPicture(const std::string& path, FileReport& report);
    // File > Import Picture... (see ImportPictureFile): a new, modified, unnamed picture in
    // the palette and pixel mode already chosen; on failure nothing changes.
    SessionChange importPicture(const std::string& path, int width, int height, PictureFitMode fit,
                                FileReport& report);
    // Save, Save As (see WritePictureFile) and Save Consecutive (see SaveConsecutive).
    SessionChange savePicture(const std::string& target, const std::string& saveDialogName,
                              FileReport& report);
    SessionChange saveConsecutive(const std::string& saveDialogName, const std::string& stamp,
                                  FileReport& report);

    // Tool > Color Check on the picture into the error overlay; ErrorsShown is false while
    // it runs and afterwards says whether it marked anything. The window shows the overlay
    // as it sees fit, so neither this nor exportPicture names a change.
    SessionChange checkColors(bool fillTables, std::span<std::uint8_t> vramImage,
                              const ColorCheckHooks& hooks, ColorCheckResult& result);
    // The export dialog's Export (see RunExportJob); a job that throws reports its message
    // as a write failure with caption "Export".
    SessionChange exportPicture(const ExportOptions& options, VramImage vram,
                                const ExportJobHooks& hooks, ExportJobResult& result);

    std::string title() const { return WindowTitle(doc_); }
    // "X : %d\nY : %d" of the last position over the picture (tool palette Label5).
    const std::string& positionText() const { return positionText_; }
    const CellFramePlace& cellFrame() const { return cellFrame_; }

    // True only while a fill runs (never seen from outside, as the fill is synchronous).
    bool fillBusy() const { return fillBusy_; }
    // The release that ends a fill click records no snapshot.
    bool skipNextRelease() const { return skipNextRelease_; }

  private:
    struct Point {
        int x;
        int y;
    };

    PaintContext paintContext() const;
    Point enterEvent(const PointerEvent& event);
    Point pictureCoordinates(Point display) const;
    SessionChange updateCellFrame(Point display, const PointerEvent& event);
    SessionChange paintLeft(const PointerEvent& event, Point p, bool isPress);
    void paintAt(Point p, bool isPress);
    void paintJoined(Point from, Point to);
    void paintPen(Point p, bool isPress);
    void paintPenRun(Point p);
    void paintLine(Point p);
    void paintBlock4(Point p);
    void paintBlock4Halves(Point p);
    void paintBlock8(Point p);
    void paintBrush(int x, int y, bool honourProtection);
    SessionChange fill(Point p);
    SessionChange pickColor(const PointerEvent& event, Point p);
    SessionChange adoptRestoredPicture();
    SessionChange resetOverlay();

    Document doc_;
    EditorView view_;
    ToolState tool_;
    UndoRing ring_;
    std::string positionText_ = "X : 0\nY : 0";
    CellFramePlace cellFrame_;
    bool fillBusy_ = false;
    bool skipNextRelease_ = false;
};

} // namespace murelo
