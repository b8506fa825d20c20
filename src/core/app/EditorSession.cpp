#include "core/app/EditorSession.h"

#include "core/editor/BrushPixel.h"
#include "core/editor/CellBuffer.h"
#include "core/editor/FloodFill.h"
#include "core/editor/LinePoints.h"
#include "core/editor/RunRule.h"
#include "core/palette/Palettes.h"

#include <algorithm>
#include <exception>
#include <utility>

namespace murelo {

SessionChange& SessionChange::operator|=(const SessionChange& other) {
    picture |= other.picture;
    pictureSize |= other.pictureSize;
    title |= other.title;
    undoState |= other.undoState;
    cellFrame |= other.cellFrame;
    position |= other.position;
    colors |= other.colors;
    cellBuffer |= other.cellBuffer;
    showColorNumber |= other.showColorNumber;
    exportAvailability |= other.exportAvailability;
    overlay |= other.overlay;
    saveDepth |= other.saveDepth;
    palette |= other.palette;
    editMode |= other.editMode;
    scale |= other.scale;
    return *this;
}

SessionChange SessionChange::all() {
    SessionChange c;
    c.picture = c.pictureSize = c.title = c.undoState = c.cellFrame = c.position = true;
    c.colors = c.cellBuffer = c.showColorNumber = c.exportAvailability = c.overlay = true;
    c.saveDepth = c.palette = c.editMode = c.scale = true;
    return c;
}

EditorSession::EditorSession() {
    newDocument(256, 192, 0xFFFFFF, true);
    doc_.CellBuffer = CopyCell(doc_.picture, 0, 0);
}

SessionChange EditorSession::newDocument(int width, int height, ColorValue fillColor,
                                         bool resetQuickSlot) {
    NewDocument(doc_, width, height, fillColor, resetQuickSlot);
    view_.InputArmed = true;
    view_.LastX = view_.LastY = 0;
    view_.ShiftLockRow = -1;
    ring_.clear();
    ring_.record(doc_.picture);
    SessionChange change;
    change.picture = change.pictureSize = change.title = change.undoState = true;
    change.exportAvailability = change.overlay = change.saveDepth = true;
    return change;
}

PaintContext EditorSession::paintContext() const {
    return PaintContext{doc_.picture, tool_, EditModeNumber(doc_.EditMode),
                        KindNumber(doc_.PaletteKind)};
}

EditorSession::Point EditorSession::enterEvent(const PointerEvent& event) {
    if (!event.fromCellFrame)
        return {event.x, event.y};
    // The frame covers one cell of the picture: its events belong to the picture under it.
    const int mask = CellMaskTable[view_.ScalePosition];
    view_.CursorX &= mask;
    view_.CursorY &= mask;
    view_.FromCellFrame = true;
    return {event.x + view_.CursorX, event.y + view_.CursorY};
}

EditorSession::Point EditorSession::pictureCoordinates(Point display) const {
    return {display.x / view_.Scale, display.y / view_.Scale};
}

SessionChange EditorSession::updateCellFrame(Point display, const PointerEvent& event) {
    const int width = displayWidth();
    const int height = displayHeight();
    if (display.x < 0 || display.y < 0 || display.x >= width || display.y >= height)
        return {};
    const int mask = CellMaskTable[view_.ScalePosition];
    if (!view_.FromCellFrame && tool_.FreeDraw) {
        view_.CursorX = display.x;
        view_.CursorY = display.y;
    } else {
        view_.CursorX = display.x & mask;
        view_.CursorY = display.y & mask;
    }
    cellFrame_.left = (display.x & mask) - event.hScroll;
    cellFrame_.top = (display.y & mask) - event.vScroll;
    cellFrame_.visible = gridShown && cellFrame_.left <= width && cellFrame_.top <= height &&
                         view_.CursorX <= width && view_.CursorY <= height;
    view_.FromCellFrame = false;
    SessionChange change;
    change.cellFrame = true;
    return change;
}

bool EditorSession::pressStartsFill(const PointerEvent& event) const {
    return view_.InputArmed && event.left && !event.ctrl && tool_.Mode == PaintMode::Fill;
}

SessionChange EditorSession::press(const PointerEvent& event) {
    const Point display = enterEvent(event);
    if (!view_.InputArmed)
        return {};
    SessionChange change = updateCellFrame(display, event);
    Point p = pictureCoordinates(display);
    if (event.shift) {
        if (view_.ShiftLockRow < 0)
            view_.ShiftLockRow = p.y;
        else
            p.y = view_.ShiftLockRow;
    }
    if (event.left)
        change |= paintLeft(event, p, true);
    else if (event.right)
        change |= pickColor(event, p);
    view_.LastX = p.x;
    view_.LastY = p.y;
    change |= markModified();
    return change;
}

SessionChange EditorSession::move(const PointerEvent& event) {
    const Point display = enterEvent(event);
    SessionChange change = updateCellFrame(display, event);
    Point p = pictureCoordinates(display);
    // A drag held beyond the left or top edge would otherwise read out negative positions.
    if (doc_.picture.contains(p.x, p.y) && display.x >= 0 && display.y >= 0) {
        int shownX = p.x;
        int shownY = p.y;
        if (doc_.EditMode == EditModeId::Pc6001Wide)
            shownX /= 2;
        else if (doc_.EditMode == EditModeId::Pc8801Tall)
            shownY /= 2;
        positionText_ = "X : " + std::to_string(shownX) + "\nY : " + std::to_string(shownY);
        change.position = true;
    }
    if (!view_.InputArmed)
        return change;
    if (event.shift && view_.ShiftLockRow >= 0)
        p.y = view_.ShiftLockRow;
    if (event.left) {
        const SessionChange painted = paintLeft(event, p, false);
        change |= painted;
        // A drag that entered the picture with the button already down had no press to
        // mark the document, yet its pixels must not be lost without the exit question.
        if (painted.picture)
            change |= markModified();
    }
    view_.LastX = p.x;
    view_.LastY = p.y;
    view_.InputArmed = true;
    return change;
}

SessionChange EditorSession::release(const PointerEvent& event) {
    enterEvent(event);
    if (fillBusy_)
        return {};
    if (skipNextRelease_) {
        skipNextRelease_ = false;
        return {};
    }
    SessionChange change = recordSnapshot();
    endStroke();
    return change;
}

void EditorSession::endStroke() {
    view_.InputArmed = true;
    view_.ShiftLockRow = -1;
}

SessionChange EditorSession::paintLeft(const PointerEvent& event, Point p, bool isPress) {
    SessionChange change;
    if (event.ctrl) {
        change.picture = PasteCell(doc_.picture, doc_.CellBuffer, view_.CursorX / view_.Scale,
                                   view_.CursorY / view_.Scale, paintContext());
        return change;
    }
    change.showColorNumber = true;
    if (tool_.Mode == PaintMode::Fill) {
        if (isPress)
            change |= fill(p);
        return change;
    }
    if (isPress || (tool_.Mode == PaintMode::Pen && tool_.FreeDraw))
        paintAt(p, isPress);
    else
        paintJoined({view_.LastX, view_.LastY}, p);
    change.picture = true;
    return change;
}

void EditorSession::paintAt(Point p, bool isPress) {
    switch (tool_.Mode) {
    case PaintMode::Pen:
        paintPen(p, isPress);
        break;
    case PaintMode::Line:
        paintLine(p);
        break;
    case PaintMode::Block4:
        paintBlock4(p);
        break;
    case PaintMode::Block8:
        paintBlock8(p);
        break;
    case PaintMode::Fill:
        break;
    }
}

void EditorSession::paintJoined(Point from, Point to) {
    // A quick drag reports positions far apart: every cell the line between them crosses is
    // painted as a press there would paint it, so the stroke has no gaps. The cell is what
    // one press paints (a pixel, a run, a block), so none is painted twice in a row.
    const StrokeCell cell = StrokeCellOf(tool_.Mode);
    const auto cellOf = [cell](int x, int y) {
        return std::pair{x >> cell.widthShift, y >> cell.heightShift};
    };
    auto last = cellOf(from.x, from.y);
    bool painted = false;
    ForEachLinePoint(from.x, from.y, to.x, to.y, [&](int x, int y) {
        const auto here = cellOf(x, y);
        if (here == last)
            return;
        last = here;
        paintAt({x, y}, false);
        painted = true;
    });
    // Still in the cell of the last position: painted there again, as every move did.
    if (!painted)
        paintAt(to, false);
}

void EditorSession::paintBrush(int x, int y, bool honourProtection) {
    PutBrushPixel(doc_.picture, paintContext(), x, y, tool_.ForegroundColor, tool_.BackgroundColor,
                  tool_.BrushPattern, honourProtection);
}

void EditorSession::paintPen(Point p, bool isPress) {
    if (!tool_.FreeDraw) {
        paintPenRun(p);
        return;
    }
    if (!isPress)
        DrawBrushLine(doc_.picture, paintContext(), view_.LastX, view_.LastY, p.x, p.y,
                      tool_.ForegroundColor, tool_.BackgroundColor, tool_.BrushPattern);
    paintBrush(p.x, p.y, true);
}

void EditorSession::paintPenRun(Point p) {
    if (tool_.OddLine && (p.y & 1) != 0)
        return;
    const int x8 = p.x & ~7;
    RowBuffer run = ReadRun(doc_.picture, x8, p.y);
    ApplyPenToRun(run, p.x & 7, tool_.ForegroundColor, paintContext());
    WriteRun(doc_.picture, x8, p.y, run);
}

void EditorSession::paintLine(Point p) {
    const int x8 = p.x & ~7;
    for (int i = 0; i < 8; ++i)
        paintBrush(x8 + i, p.y, tool_.FreeDraw);
}

void EditorSession::paintBlock4(Point p) {
    if (!tool_.FreeDraw && tool_.ProtectedColors == 0) {
        paintBlock4Halves(p);
        return;
    }
    // With colours protected but Free Draw off the block is painted dot by dot, without the
    // run rule and without protection, as the tool has always behaved.
    const int x4 = p.x & ~3;
    const int y4 = p.y & ~3;
    for (int j = 0; j < 4; ++j)
        for (int k = 0; k < 4; ++k)
            paintBrush(x4 + k, y4 + j, tool_.FreeDraw);
}

void EditorSession::paintBlock4Halves(Point p) {
    const int x8 = p.x & ~7;
    const int y4 = p.y & ~3;
    const int step = tool_.OddLine ? 2 : 1;
    const ColorValue color = tool_.ForegroundColor;
    const bool rightHalf = (p.x & 4) != 0;
    for (int r = 0; r < 4; r += step) {
        const int y = y4 + r;
        RowBuffer run = ReadRun(doc_.picture, x8, y);
        const int paintedFrom = rightHalf ? 4 : 0;
        for (int i = paintedFrom; i < paintedFrom + 4; ++i)
            run[i] = color;
        const ColorValue other = doc_.picture.pixel(rightHalf ? x8 : x8 + 4, y);
        ApplyHalfToRun(run, color, other);
        WriteRun(doc_.picture, x8, y, run);
    }
}

void EditorSession::paintBlock8(Point p) {
    const int x8 = p.x & ~7;
    const int y8 = p.y & ~7;
    for (int j = 0; j < 8; ++j)
        for (int k = 0; k < 8; ++k)
            paintBrush(x8 + k, y8 + j, tool_.FreeDraw);
}

SessionChange EditorSession::fill(Point p) {
    const bool tall = doc_.EditMode == EditModeId::Pc8801Tall;
    const int y = tall ? (p.y & ~1) : p.y;
    fillBusy_ = true;
    skipNextRelease_ = true;
    const bool filled =
        FloodFill(doc_.picture, doc_.scratch, paintContext(), p.x, y, tool_.ForegroundColor,
                  tool_.BackgroundColor, tool_.BrushPattern, tall ? 2 : 1);
    SessionChange change;
    if (filled) {
        change.picture = true;
        change |= recordSnapshot();
        endStroke();
    }
    fillBusy_ = false;
    return change;
}

SessionChange EditorSession::pickColor(const PointerEvent& event, Point p) {
    SessionChange change;
    change.colors = true;
    if (event.ctrl) {
        doc_.CellBuffer =
            CopyCell(doc_.picture, view_.CursorX / view_.Scale, view_.CursorY / view_.Scale);
        change.cellBuffer = true;
    } else if (event.shift) {
        tool_.BackgroundColor = doc_.picture.pixel(p.x, p.y); // outside: none
    } else {
        const ColorValue picked = doc_.picture.pixel(p.x, p.y);
        // Outside the picture there is no colour to pick; the pen keeps its colour.
        if (picked != NoColor) {
            tool_.ForegroundColor = picked;
            const int index = PaletteIndexOf(picked, doc_.PaletteKind);
            tool_.ForegroundIndex = index < 0 ? 0 : index;
        }
    }
    return change;
}

SessionChange EditorSession::markModified() {
    doc_.Modified = true;
    SessionChange change;
    change.title = true;
    return change;
}

SessionChange EditorSession::resetOverlay() {
    doc_.errorOverlay = Picture(doc_.PictureWidth, doc_.PictureHeight, OverlayBackground);
    doc_.ErrorsShown = false;
    SessionChange change;
    change.overlay = true;
    return change;
}

SessionChange EditorSession::recordSnapshot() {
    ring_.record(doc_.picture);
    SessionChange change;
    change.undoState = true;
    return change;
}

SessionChange EditorSession::adoptRestoredPicture() {
    SessionChange change;
    change.picture = true;
    const Picture& picture = doc_.picture;
    if (picture.width() != doc_.PictureWidth || picture.height() != doc_.PictureHeight) {
        doc_.PictureWidth = picture.width();
        doc_.PictureHeight = picture.height();
        change.pictureSize = change.exportAvailability = true;
        change |= resetOverlay();
    }
    change |= markModified();
    return change;
}

SessionChange EditorSession::undo() {
    if (!ring_.undo(doc_.picture))
        return {};
    SessionChange change = adoptRestoredPicture();
    change.undoState = true;
    return change;
}

SessionChange EditorSession::redo() {
    if (!ring_.redo(doc_.picture))
        return {};
    SessionChange change = adoptRestoredPicture();
    change.undoState = true;
    return change;
}

SessionChange EditorSession::restartUndo() {
    ring_.clear();
    return recordSnapshot();
}

SessionChange EditorSession::quickSave() {
    doc_.quickSlot = doc_.picture;
    doc_.QuickSlotFilled = true;
    return {};
}

SessionChange EditorSession::quickLoad() {
    doc_.picture = doc_.quickSlot;
    SessionChange change = adoptRestoredPicture();
    // The slot always holds a 24-bit picture.
    doc_.SaveDepth = PixelFormat::Bits24;
    change.saveDepth = true;
    // Marks of a check of the picture that was replaced no longer apply.
    change |= resetOverlay();
    change.exportAvailability = true;
    return change;
}

SessionChange EditorSession::disarmInput() {
    view_.InputArmed = false;
    return {};
}

SessionChange EditorSession::mirrorPicture() {
    MirrorPicture(doc_);
    SessionChange change = markModified();
    change.picture = true;
    return change;
}

SessionChange EditorSession::flipCellBuffer(bool leftToRight) {
    FlipCellBuffer(doc_.CellBuffer, leftToRight);
    SessionChange change;
    change.cellBuffer = true;
    return change;
}

SessionChange EditorSession::applyPicture(const Picture& result) {
    if (result.empty())
        return {};
    doc_.picture = result;
    SessionChange change = adoptRestoredPicture();
    // The marks of a check belong to the picture that was replaced.
    change |= resetOverlay();
    return change;
}

SessionChange EditorSession::switchPalette(PaletteKindId kind, bool recolour) {
    SessionChange change;
    change.picture = recolour && RecolorPicture(doc_.picture, doc_.PaletteKind, kind);
    change.palette = doc_.PaletteKind != kind;
    doc_.PaletteKind = kind;
    // The recoloured picture is a step of its own: joined to the next stroke, an Undo would
    // bring back the old palette's colours under the new palette.
    if (change.picture)
        change |= recordSnapshot();
    // The drawing colours stay inside the new kind's range, as the tool palette shows them.
    const IndexRange& range = PaletteRange(kind);
    if (tool_.ForegroundIndex > range.last)
        tool_.ForegroundIndex = range.last;
    if (tool_.BackgroundIndex > range.last)
        tool_.BackgroundIndex = range.first;
    tool_.ForegroundColor = PaletteColor(kind, tool_.ForegroundIndex);
    tool_.BackgroundColor = PaletteColor(kind, tool_.BackgroundIndex);
    change.colors = true;
    return change;
}

SessionChange EditorSession::setEditMode(EditModeId mode) {
    SessionChange change;
    change.editMode = doc_.EditMode != mode;
    // The brush strip's samples and the pixel aspect follow the mode.
    change.colors = change.editMode;
    doc_.EditMode = mode;
    return change;
}

SessionChange EditorSession::restoreModeAndPalette(EditModeId mode, PaletteKindId kind) {
    SessionChange change = setEditMode(mode);
    change.palette = doc_.PaletteKind != kind;
    doc_.PaletteKind = kind;
    return change;
}

SessionChange EditorSession::setRecolorOnPaletteChange(bool on) {
    doc_.RecolorOnPaletteChange = on;
    return {};
}

SessionChange EditorSession::setScalePosition(int position) {
    view_.ScalePosition = std::clamp(position, 0, 5);
    view_.Scale = 1 << view_.ScalePosition;
    SessionChange change;
    change.scale = true;
    return change;
}

SessionChange EditorSession::setSaveDepth(PixelFormat depth) {
    doc_.SaveDepth = depth;
    SessionChange change;
    change.saveDepth = true;
    return change;
}

SessionChange EditorSession::openPicture(const std::string& path, FileReport& report) {
    report = LoadPictureFile(doc_, path);
    report.text = RefusalTextNamingTheFile(report, path);
    disarmInput();
    if (!report.ok())
        return {};
    FitDrawingColorsToPalette(tool_, KindNumber(doc_.PaletteKind));
    SessionChange change = restartUndo();
    change.picture = change.pictureSize = change.title = true;
    change.exportAvailability = change.overlay = change.saveDepth = change.colors = true;
    change.palette = change.editMode = true;
    return change;
}

SessionChange EditorSession::importPicture(const std::string& path, int width, int height,
                                           PictureFitMode fit, FileReport& report) {
    report = ImportPictureFile(doc_, path, width, height, fit);
    report.text = RefusalTextNamingTheFile(report, path);
    disarmInput();
    if (!report.ok())
        return {};
    SessionChange change = restartUndo();
    change.picture = change.pictureSize = change.title = true;
    change.exportAvailability = change.overlay = change.saveDepth = true;
    return change;
}

SessionChange EditorSession::savePicture(const std::string& target,
                                         const std::string& saveDialogName, FileReport& report) {
    report = WritePictureFile(doc_, target, saveDialogName);
    disarmInput();
    SessionChange change;
    change.title = true;
    return change;
}

SessionChange EditorSession::saveConsecutive(const std::string& saveDialogName,
                                             const std::string& stamp, FileReport& report) {
    report = SaveConsecutive(doc_, saveDialogName, stamp);
    disarmInput();
    SessionChange change;
    change.title = true;
    return change;
}

SessionChange EditorSession::checkColors(bool fillTables, std::span<std::uint8_t> vramImage,
                                         const ColorCheckHooks& hooks, ColorCheckResult& result) {
    doc_.ErrorsShown = false;
    result = ColorCheck(doc_.picture, KindNumber(doc_.PaletteKind), fillTables, doc_.errorOverlay,
                        vramImage, hooks);
    doc_.ErrorsShown = result.errorsShown;
    // The overlay now holds the marks; the window decides when to show it.
    return {};
}

SessionChange EditorSession::exportPicture(const ExportOptions& options, VramImage vram,
                                           const ExportJobHooks& hooks, ExportJobResult& result) {
    try {
        result = RunExportJob(doc_.picture, KindNumber(doc_.PaletteKind), options,
                              doc_.errorOverlay, vram, hooks);
    } catch (const std::exception& e) {
        result = ExportJobResult{};
        result.outcome = ExportOutcome::WriteFailed;
        result.boxText = e.what();
        result.boxCaption = "Export";
    }
    doc_.ErrorsShown = result.errorsShown;
    // The overlay now holds the marks; the window decides when to show it.
    return {};
}

} // namespace murelo
