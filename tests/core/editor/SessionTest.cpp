#include "PaintTestHelpers.h"

#include "core/app/EditorSession.h"

#include <gtest/gtest.h>

using namespace murelo;
using namespace murelo::test;

namespace {

struct Session : ::testing::Test {
    EditorSession session;
    Document& doc = session.mutableDocument();
    const EditorView& view = session.view();
    ToolState& tool = session.tool();

    void SetUp() override { tool.ForegroundColor = Letter('P'); }

    static PointerEvent Left(int x, int y) {
        PointerEvent e;
        e.x = x;
        e.y = y;
        e.left = true;
        return e;
    }
    static PointerEvent Right(int x, int y) {
        PointerEvent e = Left(x, y);
        e.left = false;
        e.right = true;
        return e;
    }
    static PointerEvent Shifted(PointerEvent e) {
        e.shift = true;
        return e;
    }
    static PointerEvent Ctrl(PointerEvent e) {
        e.ctrl = true;
        return e;
    }
    void click(const PointerEvent& e) {
        session.press(e);
        session.release(e);
    }
    void stroke(int x0, int y0, int x1, int y1) {
        session.press(Left(x0, y0));
        session.move(Left(x1, y1));
        session.release(Left(x1, y1));
    }
    void small(int width, int height, char letter = 'W') {
        session.newDocument(width, height, Letter(letter), false);
    }
    std::string row(int y) const { return RowText(doc.picture, y); }
};

} // namespace

TEST_F(Session, StartsWithTheBlankPictureAndNothingToUndo) {
    EXPECT_EQ(doc.PictureWidth, 256);
    EXPECT_EQ(doc.PictureHeight, 192);
    EXPECT_EQ(doc.picture, Picture(256, 192, 0xFFFFFF));
    EXPECT_EQ(session.title(), "Murelo 9918 ver.1.20");
    EXPECT_FALSE(session.canUndo());
    EXPECT_FALSE(session.canRedo());
    EXPECT_EQ(session.tool().ForegroundIndex, 1);
    EXPECT_EQ(session.tool().BackgroundIndex, 15);
    EXPECT_EQ(session.tool().BrushPattern, 0);
}

TEST_F(Session, PressPaintsMarksModifiedAndReleaseRecordsOneSnapshot) {
    const SessionChange pressed = session.press(Left(3, 0));
    EXPECT_TRUE(pressed.picture);
    EXPECT_TRUE(pressed.title);
    EXPECT_EQ(row(0).substr(0, 8), "WWWPWWWW");
    EXPECT_TRUE(doc.Modified);
    EXPECT_EQ(session.title(), "Murelo 9918 ver.1.20 : *");
    EXPECT_FALSE(session.canUndo());
    const SessionChange released = session.release(Left(3, 0));
    EXPECT_TRUE(released.undoState);
    EXPECT_TRUE(session.canUndo());
    session.undo();
    EXPECT_EQ(doc.picture, Picture(256, 192, 0xFFFFFF));
    EXPECT_FALSE(session.canUndo());
    EXPECT_TRUE(session.canRedo());
}

TEST_F(Session, PenKeepsTheTwoColourRuleOnThePicture) {
    small(16, 2);
    SetRow(doc.picture, 0, "PPPPQQQQWWWWWWWW");
    tool.ForegroundColor = Letter('R');
    click(Left(2, 0));
    EXPECT_EQ(row(0), "RRRRQQQQWWWWWWWW");
    SetRow(doc.picture, 1, "PPPPQQQQ");
    click(Left(5, 1));
    EXPECT_EQ(row(1), "PPPPRRRRWWWWWWWW");
}

TEST_F(Session, PenAtAPartialRunOnTheRightEdge) {
    small(13, 1);
    SetRow(doc.picture, 0, "WWWWWWWWPPPPP");
    tool.ForegroundColor = Letter('Q');
    click(Left(9, 0));
    EXPECT_EQ(row(0), "WWWWWWWWPQPPP");
}

TEST_F(Session, DisplayCoordinatesAreDividedByTheScale) {
    session.setScalePosition(2); // x4
    click(Left(21, 14));
    EXPECT_EQ(LetterOf(doc.picture.pixel(5, 3)), 'P');
    EXPECT_EQ(view.LastX, 5);
    EXPECT_EQ(view.LastY, 3);
}

TEST_F(Session, FreeDrawStrokeIsConnected) {
    tool.FreeDraw = true;
    session.press(Left(2, 4));
    session.move(Left(12, 4));
    session.move(Left(12, 9));
    session.release(Left(12, 9));
    EXPECT_EQ(row(4).substr(0, 14), "WWPPPPPPPPPPPW");
    for (int y = 5; y <= 9; ++y)
        EXPECT_EQ(LetterOf(doc.picture.pixel(12, y)), 'P') << y;
    EXPECT_EQ(LetterOf(doc.picture.pixel(11, 5)), 'W');
    // One press-drag-release is one undo step.
    session.undo();
    EXPECT_EQ(doc.picture, Picture(256, 192, 0xFFFFFF));
}

TEST_F(Session, ShiftKeepsTheStrokeOnItsFirstRowUntilRelease) {
    tool.FreeDraw = true;
    session.press(Shifted(Left(2, 5)));
    session.move(Shifted(Left(6, 9)));
    session.move(Shifted(Left(9, 1)));
    session.release(Shifted(Left(9, 1)));
    EXPECT_EQ(row(5).substr(0, 11), "WWPPPPPPPPW");
    for (int y = 0; y < 12; ++y) {
        if (y != 5) {
            EXPECT_EQ(row(y).substr(0, 11), "WWWWWWWWWWW") << y;
        }
    }
    EXPECT_EQ(view.ShiftLockRow, -1);
    session.press(Shifted(Left(3, 8)));
    EXPECT_EQ(view.ShiftLockRow, 8);
    session.endStroke(); // a key-up ends the lock too
    EXPECT_EQ(view.ShiftLockRow, -1);
}

TEST_F(Session, MoveWithoutShiftHeldIsNotLocked) {
    tool.FreeDraw = true;
    session.press(Shifted(Left(2, 5)));
    session.move(Left(2, 8)); // Shift let go during the drag
    EXPECT_EQ(LetterOf(doc.picture.pixel(2, 8)), 'P');
}

TEST_F(Session, ColourPickSetsTheForegroundAndItsIndex) {
    doc.picture.setPixel(4, 4, Letter('R'));
    click(Right(4, 4));
    EXPECT_EQ(tool.ForegroundColor, Letter('R'));
    EXPECT_EQ(tool.ForegroundIndex, RIndex);
    doc.picture.setPixel(5, 4, 0x123456); // in no palette
    const SessionChange change = session.press(Right(5, 4));
    EXPECT_TRUE(change.colors);
    EXPECT_EQ(tool.ForegroundColor, 0x123456);
    EXPECT_EQ(tool.ForegroundIndex, 0);
}

TEST_F(Session, ColourPickOutsideThePictureKeepsTheForeground) {
    session.press(Right(300, 10));
    EXPECT_EQ(tool.ForegroundColor, Letter('P'));
    session.release(Right(300, 10));
    // Shift picks the background: outside the picture that is "none".
    session.press(Shifted(Right(10, 200)));
    EXPECT_EQ(tool.BackgroundColor, NoColor);
    session.release(Shifted(Right(10, 200)));
    doc.picture.setPixel(1, 1, Letter('Q'));
    click(Shifted(Right(1, 1)));
    EXPECT_EQ(tool.BackgroundColor, Letter('Q'));
    EXPECT_EQ(tool.ForegroundColor, Letter('P'));
}

TEST_F(Session, DisarmedPressDoesNothingButItsReleaseStillRecords) {
    session.disarmInput();
    const SessionChange change = session.press(Left(3, 3));
    EXPECT_FALSE(change.picture);
    EXPECT_FALSE(doc.Modified);
    EXPECT_EQ(doc.picture.pixel(3, 3), 0xFFFFFF);
    session.move(Left(4, 3));
    EXPECT_EQ(doc.picture.pixel(4, 3), 0xFFFFFF);
    session.release(Left(4, 3));
    EXPECT_TRUE(view.InputArmed);
    EXPECT_TRUE(session.canUndo());
}

TEST_F(Session, DragEnteringWithTheButtonDownMarksTheDocument) {
    tool.FreeDraw = true;
    const SessionChange change = session.move(Left(7, 7));
    EXPECT_TRUE(change.picture);
    EXPECT_EQ(LetterOf(doc.picture.pixel(7, 7)), 'P');
    EXPECT_TRUE(doc.Modified);
    EXPECT_TRUE(change.title);
}

TEST_F(Session, LineModeWithPatternFour) {
    tool.Mode = PaintMode::Line;
    tool.BrushPattern = 4;
    tool.BackgroundColor = Letter('Q');
    click(Left(5, 0));
    EXPECT_EQ(row(0).substr(0, 9), "PQPQPQPQW");
    click(Left(9, 1));
    EXPECT_EQ(row(1).substr(0, 17), "WWWWWWWWQPQPQPQPW");
}

TEST_F(Session, LineHonoursProtectionOnlyWithFreeDraw) {
    tool.Mode = PaintMode::Line;
    tool.ProtectedColors = ProtectBit(QIndex);
    SetRow(doc.picture, 0, "WQWQWQWQ");
    SetRow(doc.picture, 1, "WQWQWQWQ");
    click(Left(0, 0));
    EXPECT_EQ(row(0).substr(0, 8), "PPPPPPPP");
    tool.FreeDraw = true;
    click(Left(0, 1));
    EXPECT_EQ(row(1).substr(0, 8), "PQPQPQPQ");
}

TEST_F(Session, BackgroundPatternWithNoBackgroundPaintsNothing) {
    tool.Mode = PaintMode::Block8;
    tool.BrushPattern = 8;
    tool.BackgroundColor = NoColor;
    click(Left(3, 3));
    EXPECT_EQ(doc.picture, Picture(256, 192, 0xFFFFFF));
    tool.BrushPattern = 7;
    click(Left(3, 3));
    // Pattern 7 rows: 1000 / 0000 / 0010 / 0000, only those dots change.
    EXPECT_EQ(row(0).substr(0, 9), "PWWWPWWWW");
    EXPECT_EQ(row(1).substr(0, 9), "WWWWWWWWW");
    EXPECT_EQ(row(2).substr(0, 9), "WWPWWWPWW");
    EXPECT_EQ(row(6).substr(0, 9), "WWPWWWPWW");
    EXPECT_EQ(row(8).substr(0, 9), "WWWWWWWWW");
}

TEST_F(Session, Block4HalfRule) {
    small(16, 8);
    for (int y = 4; y < 8; ++y)
        SetRow(doc.picture, y, "PPQQRRRRWWWWWWWW");
    tool.Mode = PaintMode::Block4;
    tool.ForegroundColor = Letter('S');
    click(Left(5, 6));
    for (int y = 4; y < 8; ++y)
        EXPECT_EQ(row(y).substr(0, 8), "PPSSSSSS") << y;
    EXPECT_EQ(row(3).substr(0, 8), "WWWWWWWW");
}

TEST_F(Session, Block4LeftHalfKeepsTheRightHalfsFirstColour) {
    small(16, 4);
    SetRow(doc.picture, 0, "PPPPQRRQ");
    tool.Mode = PaintMode::Block4;
    tool.ForegroundColor = Letter('S');
    click(Left(1, 0));
    EXPECT_EQ(row(0).substr(0, 8), "SSSSQSSQ");
    EXPECT_EQ(row(3).substr(0, 8), "SSSSWWWW");
}

TEST_F(Session, Block4WithOddLineVisitsEvenRowsOnly) {
    small(8, 8);
    tool.Mode = PaintMode::Block4;
    tool.OddLine = true;
    click(Left(1, 5));
    EXPECT_EQ(row(4), "PPPPWWWW");
    EXPECT_EQ(row(5), "WWWWWWWW");
    EXPECT_EQ(row(6), "PPPPWWWW");
    EXPECT_EQ(row(7), "WWWWWWWW");
}

TEST_F(Session, Block4WithProtectedColoursPaintsDotByDotWithoutRuleOrProtection) {
    small(8, 4);
    SetRow(doc.picture, 0, "PPPPQQRR");
    SetRow(doc.picture, 1, "PPPPQQRR");
    tool.Mode = PaintMode::Block4;
    tool.ForegroundColor = Letter('S');
    tool.ProtectedColors = ProtectBit(QIndex);
    click(Left(6, 0)); // right half: the protected Q pixels are painted too
    EXPECT_EQ(row(0), "PPPPSSSS");
    SetRow(doc.picture, 2, "QQQQPPRR");
    tool.ProtectedColors = ProtectBit(1); // black, not in the run
    click(Left(0, 2));                    // left half: no run rule, so three colours remain
    EXPECT_EQ(row(2), "SSSSPPRR");
}

TEST_F(Session, Block8AndOddLine) {
    small(16, 16);
    tool.Mode = PaintMode::Block8;
    tool.OddLine = true;
    click(Left(12, 9));
    for (int y = 8; y < 16; ++y)
        EXPECT_EQ(row(y), y % 2 ? "WWWWWWWWWWWWWWWW" : "WWWWWWWWPPPPPPPP") << y;
    tool.Mode = PaintMode::Pen;
    click(Left(1, 1));
    EXPECT_EQ(row(1), "WWWWWWWWWWWWWWWW");
    tool.Mode = PaintMode::Line;
    click(Left(1, 3));
    EXPECT_EQ(row(3), "WWWWWWWWWWWWWWWW");
}

TEST_F(Session, WideAndTallPixelModes) {
    small(16, 8);
    tool.FreeDraw = true;
    doc.EditMode = EditModeId::Pc6001Wide;
    click(Left(5, 0));
    EXPECT_EQ(row(0), "WWWWPPWWWWWWWWWW");
    doc.EditMode = EditModeId::Pc8801Tall;
    click(Left(9, 7));
    EXPECT_EQ(LetterOf(doc.picture.pixel(9, 6)), 'P');
    EXPECT_EQ(LetterOf(doc.picture.pixel(9, 7)), 'P');
    EXPECT_EQ(LetterOf(doc.picture.pixel(9, 5)), 'W');
}

TEST_F(Session, PositionReadoutFollowsThePixelMode) {
    session.setScalePosition(1);
    SessionChange change = session.move(Left(23, 15));
    EXPECT_TRUE(change.position);
    EXPECT_EQ(session.positionText(), "X : 11\nY : 7");
    doc.EditMode = EditModeId::Pc6001Wide;
    session.move(Left(23, 15));
    EXPECT_EQ(session.positionText(), "X : 5\nY : 7");
    doc.EditMode = EditModeId::Pc8801Tall;
    session.move(Left(23, 15));
    EXPECT_EQ(session.positionText(), "X : 11\nY : 3");
    change = session.move(Left(600, 15)); // beyond the picture: the text stays
    EXPECT_FALSE(change.position);
    EXPECT_EQ(session.positionText(), "X : 11\nY : 3");
    change = session.move(Left(-5, 15)); // a drag held beyond the left edge
    EXPECT_FALSE(change.position);
    change = session.move(Left(4, -1));
    EXPECT_FALSE(change.position);
    EXPECT_EQ(session.positionText(), "X : 11\nY : 3");
}

TEST_F(Session, FillWithTheTargetColourRecordsNothingUntilTheNextStroke) {
    tool.FreeDraw = true;
    tool.Mode = PaintMode::Fill;
    tool.ForegroundColor = 0xFFFFFF;
    EXPECT_TRUE(session.pressStartsFill(Left(10, 10)));
    session.press(Left(10, 10));
    session.release(Left(10, 10));
    EXPECT_FALSE(session.canUndo());
    EXPECT_FALSE(session.skipNextRelease());
    EXPECT_EQ(doc.picture, Picture(256, 192, 0xFFFFFF));
    tool.Mode = PaintMode::Pen;
    tool.ForegroundColor = Letter('P');
    click(Left(1, 1));
    EXPECT_TRUE(session.canUndo());
    session.undo();
    EXPECT_FALSE(session.canUndo());
}

TEST_F(Session, FillRecordsItsOwnSnapshotAndItsReleaseNone) {
    small(8, 4);
    SetRow(doc.picture, 2, "KKKKKKKK");
    tool.FreeDraw = true;
    tool.Mode = PaintMode::Fill;
    const SessionChange change = session.press(Left(3, 0));
    EXPECT_TRUE(change.undoState);
    EXPECT_TRUE(session.canUndo());
    EXPECT_FALSE(session.fillBusy());
    EXPECT_EQ(row(0), "PPPPPPPP");
    EXPECT_EQ(row(1), "PPPPPPPP");
    EXPECT_EQ(row(3), "WWWWWWWW");
    session.release(Left(3, 0));
    session.undo();
    EXPECT_EQ(row(0), "WWWWWWWW");
    EXPECT_FALSE(session.canUndo()); // the release added no second step
}

TEST_F(Session, FillInTallModeFromAnOddRowStartsOnTheEvenRowAbove) {
    small(8, 10);
    SetRow(doc.picture, 0, "KKKKKKKK");
    SetRow(doc.picture, 1, "KKKKKKKK");
    SetRow(doc.picture, 6, "WWWWWWWK");
    SetRow(doc.picture, 7, "KKKKKKKK");
    doc.EditMode = EditModeId::Pc8801Tall;
    tool.FreeDraw = true;
    tool.Mode = PaintMode::Fill;
    session.press(Left(2, 5));
    // Start row 4: the even rows 2, 4, 6, 8 are compared, each painted with the row below.
    EXPECT_EQ(row(0), "KKKKKKKK");
    EXPECT_EQ(row(2), "PPPPPPPP");
    EXPECT_EQ(row(5), "PPPPPPPP");
    EXPECT_EQ(row(6), "PPPPPPPK");
    EXPECT_EQ(row(7), "PPPPPPPK"); // the tall pixel's lower half goes with its even row
    EXPECT_EQ(row(8), "PPPPPPPP");
    EXPECT_EQ(row(9), "PPPPPPPP");
}

TEST_F(Session, CellCopyAndPasteSnapToTheCellWithoutFreeDraw) {
    small(32, 16);
    doc.picture.fillRect(8, 0, 8, 8, Letter('R'));
    doc.picture.setPixel(9, 1, Letter('Q'));
    const SessionChange copied = session.press(Ctrl(Right(13, 5)));
    session.release(Ctrl(Right(13, 5)));
    EXPECT_TRUE(copied.cellBuffer);
    EXPECT_EQ(CellAt(doc.CellBuffer, 1, 1), Letter('Q'));
    EXPECT_EQ(CellAt(doc.CellBuffer, 0, 0), Letter('R'));
    click(Ctrl(Left(20, 10)));
    EXPECT_EQ(LetterOf(doc.picture.pixel(17, 9)), 'Q');
    EXPECT_EQ(LetterOf(doc.picture.pixel(16, 8)), 'R');
    EXPECT_EQ(LetterOf(doc.picture.pixel(23, 15)), 'R');
    EXPECT_EQ(LetterOf(doc.picture.pixel(24, 15)), 'W');
    EXPECT_EQ(LetterOf(doc.picture.pixel(15, 8)), 'W');
}

TEST_F(Session, CellPasteFollowsThePointerWithFreeDraw) {
    small(32, 16);
    doc.picture.fillRect(0, 0, 8, 8, Letter('R'));
    tool.FreeDraw = true;
    click(Ctrl(Right(2, 2))); // copies the block at (2, 2): six columns of R, two of W
    click(Ctrl(Left(19, 5)));
    EXPECT_EQ(row(5).substr(16, 16), "WWWRRRRRRWWWWWWW");
}

TEST_F(Session, CellCopyAtTheEdgeDoesNotPasteOutsidePixels) {
    small(20, 20);
    doc.picture.fillRect(16, 16, 4, 4, Letter('R'));
    click(Ctrl(Right(17, 17))); // cell 16..23 x 16..23: only 4 x 4 inside
    doc.picture.fill(Letter('Q'));
    click(Ctrl(Left(1, 1)));
    EXPECT_EQ(row(0), "RRRRQQQQQQQQQQQQQQQQ");
    EXPECT_EQ(row(3), "RRRRQQQQQQQQQQQQQQQQ");
    EXPECT_EQ(row(4), "QQQQQQQQQQQQQQQQQQQQ");
}

TEST_F(Session, CellFrameEventsLandOnThePictureUnderTheFrame) {
    small(64, 64);
    session.setScalePosition(1); // x2, cells are 16 display pixels
    PointerEvent over;
    over.x = 37;
    over.y = 21;
    session.move(over);
    EXPECT_EQ(view.CursorX, 32);
    EXPECT_EQ(view.CursorY, 16);
    EXPECT_EQ(session.cellFrame().left, 32);
    EXPECT_EQ(session.cellFrame().top, 16);
    EXPECT_TRUE(session.cellFrame().visible);
    PointerEvent onFrame = Left(6, 4);
    onFrame.fromCellFrame = true;
    session.press(onFrame);
    session.release(onFrame);
    EXPECT_EQ(LetterOf(doc.picture.pixel(19, 10)), 'P');
}

TEST_F(Session, CellFrameHonoursGridAndScroll) {
    PointerEvent over;
    over.x = 77;
    over.y = 50;
    over.hScroll = 10;
    over.vScroll = 4;
    session.move(over);
    EXPECT_EQ(session.cellFrame().left, 62);
    EXPECT_EQ(session.cellFrame().top, 44);
    session.gridShown = false;
    session.move(over);
    EXPECT_FALSE(session.cellFrame().visible);
    // Outside the picture the frame and the cursor stay where they were.
    session.gridShown = true;
    over.x = 400;
    const SessionChange change = session.move(over);
    EXPECT_FALSE(change.cellFrame);
    EXPECT_EQ(view.CursorX, 72);
}

TEST_F(Session, UndoRedoMarkTheDocumentModified) {
    click(Left(1, 1));
    doc.Modified = false; // as after a save
    const SessionChange undone = session.undo();
    EXPECT_TRUE(undone.picture);
    EXPECT_TRUE(undone.title);
    EXPECT_TRUE(doc.Modified);
    doc.Modified = false;
    session.redo();
    EXPECT_TRUE(doc.Modified);
    EXPECT_EQ(LetterOf(doc.picture.pixel(1, 1)), 'P');
    EXPECT_FALSE(session.canRedo());
}

TEST_F(Session, UndoTwiceThenAStrokeDropsRedo) {
    for (int i = 0; i < 4; ++i)
        click(Left(i * 8, 0));
    session.undo();
    session.undo();
    EXPECT_TRUE(session.canRedo());
    click(Left(100, 100));
    EXPECT_FALSE(session.canRedo());
    session.undo();
    EXPECT_EQ(row(0).substr(0, 24), "PWWWWWWWPWWWWWWWWWWWWWWW");
}

TEST_F(Session, After300StrokesUndoCanBeChosen256Times) {
    session.newDocument(640, 640, 0xFFFFFF, false);
    tool.FreeDraw = true;
    for (int i = 0; i < 300; ++i)
        stroke(i * 2, i, i * 2 + 30, i + 5);
    int undos = 0;
    while (session.canUndo()) {
        session.undo();
        ++undos;
    }
    EXPECT_EQ(undos, 256);
    // The oldest kept state has the first 300 - 256 = 44 strokes.
    EXPECT_EQ(LetterOf(doc.picture.pixel(43 * 2, 43)), 'P');
    EXPECT_EQ(LetterOf(doc.picture.pixel(44 * 2, 44)), 'W');
}

TEST_F(Session, QuickLoadBeforeAnyQuickSaveBringsBackTheStartPicture) {
    click(Left(1, 1));
    session.newDocument(100, 50, Letter('Q'), false); // keeps the slot
    const SessionChange change = session.quickLoad();
    EXPECT_EQ(doc.picture, Picture(256, 192, 0xFFFFFF));
    EXPECT_EQ(doc.PictureWidth, 256);
    EXPECT_EQ(doc.PictureHeight, 192);
    EXPECT_TRUE(change.pictureSize);
    EXPECT_TRUE(change.exportAvailability);
    EXPECT_TRUE(doc.exportAvailable());
    EXPECT_TRUE(doc.Modified);
    EXPECT_EQ(doc.SaveDepth, PixelFormat::Bits24);
}

TEST_F(Session, QuickSaveEditsQuickLoadAndUndo) {
    click(Left(1, 1)); // A
    session.quickSave();
    EXPECT_TRUE(doc.QuickSlotFilled);
    click(Left(9, 1)); // B
    session.quickLoad();
    EXPECT_EQ(row(1).substr(0, 10), "WPWWWWWWWW");
    EXPECT_EQ(session.title(), "Murelo 9918 ver.1.20 : *");
    click(Left(17, 1)); // C on top of the loaded picture
    session.undo();
    EXPECT_EQ(row(1).substr(0, 18), "WPWWWWWWWPWWWWWWWW"); // before the Quick Load: A and B
    // The slot keeps its picture for another load.
    session.quickLoad();
    EXPECT_EQ(row(1).substr(0, 18), "WPWWWWWWWWWWWWWWWW");
}

TEST_F(Session, QuickLoadResetsTheErrorOverlay) {
    doc.ErrorsShown = true;
    doc.errorOverlay.setPixel(3, 3, OverlayMark);
    const SessionChange change = session.quickLoad();
    EXPECT_TRUE(change.overlay);
    EXPECT_FALSE(doc.ErrorsShown);
    EXPECT_EQ(doc.errorOverlay, Picture(256, 192, OverlayBackground));
}

TEST_F(Session, UndoAcrossAQuickLoadOfAnotherSizeAdoptsTheSize) {
    session.quickSave(); // 256 x 192
    session.newDocument(100, 50, Letter('Q'), false);
    EXPECT_FALSE(doc.exportAvailable());
    session.quickLoad();
    click(Left(3, 3)); // snapshot of 256 x 192 after the 100 x 50 one
    const SessionChange change = session.undo();
    EXPECT_TRUE(change.pictureSize);
    EXPECT_TRUE(change.exportAvailability);
    EXPECT_EQ(doc.PictureWidth, 100);
    EXPECT_EQ(doc.PictureHeight, 50);
    EXPECT_EQ(doc.picture, Picture(100, 50, Letter('Q')));
    EXPECT_EQ(doc.errorOverlay.width(), 100);
    EXPECT_FALSE(doc.exportAvailable());
    session.redo();
    EXPECT_EQ(doc.PictureWidth, 256);
    EXPECT_EQ(session.displayHeight(), 192 * view.Scale);
    EXPECT_EQ(LetterOf(doc.picture.pixel(3, 3)), 'P');
}

TEST_F(Session, NewDocumentClearsTheRingAndRecordsTheFirstSnapshot) {
    click(Left(1, 1));
    click(Left(2, 2));
    const SessionChange change = session.newDocument(64, 32, Letter('R'), false);
    EXPECT_TRUE(change.undoState);
    EXPECT_FALSE(session.canUndo());
    EXPECT_FALSE(session.canRedo());
    EXPECT_EQ(session.undoRing().snapshotCount(), 1);
    click(Left(1, 1));
    session.undo();
    EXPECT_EQ(doc.picture, Picture(64, 32, Letter('R')));
}

// Fast equals plain: one move to the far end paints what a slow drag through every pixel of
// the line paints (each a press there), for every tool, with and without Odd Line.
TEST_F(Session, AQuickDragPaintsWhatASlowDragPaints) {
    const auto paint = [this](PaintMode mode, bool oddLine, bool quick, int dx, int dy) {
        small(40, 40);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x)
                doc.picture.setPixel(x, y, Letter("PQRSKW"[(x / 3 + y / 5) % 6]));
        tool.Mode = mode;
        tool.OddLine = oddLine;
        tool.ForegroundColor = Letter('K');
        session.press(Left(3, 3));
        for (int i = quick ? 30 : 1; i <= 30; ++i)
            session.move(Left(3 + i * dx, 3 + i * dy));
        session.release(Left(3 + 30 * dx, 3 + 30 * dy));
        return doc.picture;
    };
    for (const PaintMode mode :
         {PaintMode::Pen, PaintMode::Line, PaintMode::Block4, PaintMode::Block8})
        for (const bool oddLine : {false, true})
            for (const auto& [dx, dy] : {std::pair{1, 0}, std::pair{0, 1}, std::pair{1, 1}})
                EXPECT_EQ(paint(mode, oddLine, true, dx, dy), paint(mode, oddLine, false, dx, dy))
                    << int(mode) << (oddLine ? " odd line" : "") << " along " << dx << "," << dy;
}

TEST_F(Session, AQuickDragWithShiftIsJoinedOnTheFirstRow) {
    small(12, 3);
    session.press(Shifted(Left(1, 1)));
    session.move(Shifted(Left(10, 2)));
    EXPECT_EQ(row(1), "WPPPPPPPPPPW");
    EXPECT_EQ(row(2), "WWWWWWWWWWWW");
}
