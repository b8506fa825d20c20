#include "core/app/EditorSession.h"
#include "core/editor/BitmapCodec.h"
#include "core/palette/Palettes.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <vector>

using namespace murelo;
using murelo::test::TempDir;

namespace {

struct SessionOperations : ::testing::Test {
    EditorSession session;
    const Document& doc = session.document();
};

// An overlay with a mark, as a check leaves it.
void MarkOverlay(EditorSession& session) {
    Document& d = session.mutableDocument();
    d.errorOverlay.setPixel(0, 0, OverlayMark);
    d.ErrorsShown = true;
}

} // namespace

TEST(SessionChangeAll, SetsEveryFlag) {
    const SessionChange all = SessionChange::all();
    for (bool flag :
         {all.picture, all.pictureSize, all.title, all.undoState, all.cellFrame, all.position,
          all.colors, all.cellBuffer, all.showColorNumber, all.exportAvailability, all.overlay,
          all.saveDepth, all.palette, all.editMode, all.scale})
        EXPECT_TRUE(flag);
    SessionChange none;
    none |= all;
    EXPECT_TRUE(none.scale && none.palette && none.editMode && none.picture);
}

TEST_F(SessionOperations, PaletteSwitchRecoloursChipPalettesOnlyWhenAskedAndKeepsModified) {
    const ColorValue green9918 = PaletteColor(PaletteKindId::Tms9918, 3);
    session.mutableDocument().picture.setPixel(1, 1, green9918);
    SessionChange c = session.switchPalette(PaletteKindId::Tms9929, false);
    EXPECT_FALSE(c.picture);
    EXPECT_TRUE(c.palette);
    EXPECT_EQ(doc.PaletteKind, PaletteKindId::Tms9929);
    EXPECT_EQ(doc.picture.pixel(1, 1), green9918);

    session.mutableDocument().PaletteKind = PaletteKindId::Tms9918;
    c = session.switchPalette(PaletteKindId::V9938, true);
    EXPECT_TRUE(c.picture);
    EXPECT_EQ(doc.picture.pixel(1, 1), PaletteColor(PaletteKindId::V9938, 3));
    // Recolouring has never asked the exit question.
    EXPECT_FALSE(doc.Modified);

    // Into a colour mode nothing is recoloured, and the same kind changes nothing.
    const Picture before = doc.picture;
    EXPECT_FALSE(session.switchPalette(PaletteKindId::Color8, true).picture);
    EXPECT_EQ(doc.picture, before);
    EXPECT_FALSE(session.switchPalette(PaletteKindId::Color8, true).palette);
}

TEST_F(SessionOperations, UndoAfterARecolouringSwitchKeepsThePicturesColoursInItsPalette) {
    session.mutableDocument().picture.setPixel(1, 1, PaletteColor(PaletteKindId::Tms9918, 3));
    session.recordSnapshot();
    EXPECT_TRUE(session.switchPalette(PaletteKindId::V9938, true).undoState);
    PointerEvent press;
    press.x = press.y = 5;
    press.left = true;
    session.press(press);
    session.release(press);
    session.undo(); // the stroke goes; the recoloured picture stays in the new palette
    EXPECT_EQ(doc.picture.pixel(1, 1), PaletteColor(PaletteKindId::V9938, 3));
    EXPECT_EQ(doc.picture.pixel(5, 5), PaletteColor(PaletteKindId::V9938, 15));
    EXPECT_FALSE(session.switchPalette(PaletteKindId::Color8, true).undoState); // no recolour
}

TEST_F(SessionOperations, EditModeRecolourFlagAndCancelledNewDialog) {
    EXPECT_TRUE(session.setEditMode(EditModeId::Pc8801Tall).editMode);
    EXPECT_FALSE(session.setEditMode(EditModeId::Pc8801Tall).editMode);
    EXPECT_EQ(doc.EditMode, EditModeId::Pc8801Tall);
    session.setRecolorOnPaletteChange(false);
    EXPECT_FALSE(doc.RecolorOnPaletteChange);

    session.switchPalette(PaletteKindId::Color4_2, true);
    const SessionChange c =
        session.restoreModeAndPalette(EditModeId::Pc6001Wide, PaletteKindId::Tms9928);
    EXPECT_TRUE(c.editMode && c.palette);
    EXPECT_FALSE(c.picture);
    EXPECT_EQ(doc.EditMode, EditModeId::Pc6001Wide);
    EXPECT_EQ(doc.PaletteKind, PaletteKindId::Tms9928);
}

TEST_F(SessionOperations, ApplyingAResultMarksItModifiedResetsTheOverlayAndRecordsNothing) {
    MarkOverlay(session);
    const int stepsBefore = session.undoRing().snapshotCount();
    Picture result(256, 192, PaletteColor(PaletteKindId::Tms9918, 4));
    const SessionChange c = session.applyPicture(result);
    EXPECT_TRUE(c.picture && c.title && c.overlay);
    EXPECT_FALSE(c.pictureSize);
    EXPECT_EQ(doc.picture, result);
    EXPECT_TRUE(doc.Modified);
    EXPECT_FALSE(doc.ErrorsShown);
    EXPECT_EQ(doc.errorOverlay, Picture(256, 192, OverlayBackground));
    EXPECT_EQ(session.undoRing().snapshotCount(), stepsBefore);
    EXPECT_FALSE(session.canUndo());
    session.recordSnapshot();
    EXPECT_TRUE(session.canUndo());
}

TEST_F(SessionOperations, ApplyingAResultOfAnotherSizeAdoptsIt) {
    const SessionChange c = session.applyPicture(Picture(64, 40, 0xFFFFFF));
    EXPECT_TRUE(c.pictureSize && c.exportAvailability);
    EXPECT_EQ(doc.PictureWidth, 64);
    EXPECT_EQ(doc.PictureHeight, 40);
    EXPECT_EQ(doc.errorOverlay.width(), 64);
    EXPECT_FALSE(doc.exportAvailable());
}

TEST_F(SessionOperations, ScaleIsClampedAndSizesTheDisplay) {
    const struct { int position, scale; } cases[] = {{0, 1}, {3, 8}, {5, 32}, {9, 32}, {-2, 1}};
    for (const auto& c : cases) {
        EXPECT_TRUE(session.setScalePosition(c.position).scale);
        EXPECT_EQ(session.view().Scale, c.scale) << c.position;
        EXPECT_EQ(session.displayWidth(), 256 * c.scale) << c.position;
        EXPECT_EQ(session.displayHeight(), 192 * c.scale) << c.position;
    }
}

TEST_F(SessionOperations, MirrorAndCellBufferFlip) {
    session.mutableDocument().picture.setPixel(0, 5, 0x000000);
    const SessionChange m = session.mirrorPicture();
    EXPECT_TRUE(m.picture && m.title);
    EXPECT_TRUE(doc.Modified);
    EXPECT_EQ(doc.picture.pixel(255, 5), 0x000000);
    EXPECT_EQ(doc.picture.pixel(0, 5), 0xFFFFFF);

    session.mutableDocument().CellBuffer[0] = 0x123456; // top-left of the cell
    EXPECT_TRUE(session.flipCellBuffer(true).cellBuffer);
    EXPECT_EQ(doc.CellBuffer[7], 0x123456);
    session.flipCellBuffer(false);
    EXPECT_EQ(doc.CellBuffer[7 * 8 + 7], 0x123456);
}

TEST_F(SessionOperations, SaveDepthAndQuickSave) {
    EXPECT_TRUE(session.setSaveDepth(PixelFormat::Bits8).saveDepth);
    EXPECT_EQ(doc.SaveDepth, PixelFormat::Bits8);
    session.mutableDocument().picture.setPixel(2, 2, 0x000000);
    session.quickSave();
    EXPECT_TRUE(doc.QuickSlotFilled);
    EXPECT_EQ(doc.quickSlot, doc.picture);
}

TEST_F(SessionOperations, OpenDisarmsInputAfterEitherOutcomeAndRestartsUndoOnlyOnSuccess) {
    TempDir dir;
    const Picture picture(16, 8, PaletteColor(PaletteKindId::Pc8801, 2));
    murelo::test::WriteBytes(dir / "a.bmp", EncodeBitmap24(picture));
    murelo::test::WriteBytes(dir / "bad.bmp", {'n', 'o'});
    session.mutableDocument().picture.setPixel(0, 0, 0);
    session.recordSnapshot();
    ASSERT_TRUE(session.canUndo());

    FileReport report;
    SessionChange c = session.openPicture((dir / "bad.bmp").string(), report);
    EXPECT_FALSE(report.ok());
    EXPECT_FALSE(c.picture);
    EXPECT_FALSE(session.view().InputArmed);
    EXPECT_TRUE(session.canUndo());
    EXPECT_EQ(doc.PictureWidth, 256);

    session.endStroke();
    c = session.openPicture((dir / "a.bmp").string(), report);
    ASSERT_TRUE(report.ok()) << report.text;
    EXPECT_TRUE(c.picture && c.pictureSize && c.palette && c.editMode && c.saveDepth);
    EXPECT_FALSE(session.view().InputArmed);
    EXPECT_FALSE(session.canUndo());
    EXPECT_EQ(doc.PaletteKind, PaletteKindId::Pc8801);
    EXPECT_EQ(doc.EditMode, EditModeId::Pc8801Tall);
    EXPECT_EQ(doc.picture, picture);
}

TEST_F(SessionOperations, ARefusedFileIsNamedAndALargePicturePointsToImport) {
    TempDir dir;
    murelo::test::WriteBytes(dir / "notes.png", {'h', 'e', 'l', 'l', 'o'});
    murelo::test::WriteBytes(dir / "wide.bmp", EncodeBitmap24(Picture(641, 2, 0)));
    const std::string size = "The Image of 640 pixels or more can't be read!\n  ->Image Size : ";
    for (const auto& [file, text] :
         {std::pair{"notes.png", std::string("Not BMP File!\n  ->File : notes.png (not a BMP, "
                                             "PNG, JPEG, GIF or SCREEN 2 image)")},
          std::pair{"wide.bmp", size + "( 641, 2 )\n  ->File : wide.bmp\n  ->File > Import "
                                       "Picture... scales it to fit"}}) {
        FileReport report;
        session.openPicture((dir / file).string(), report);
        EXPECT_EQ(report.text, text);
    }
}

TEST_F(SessionOperations, OpeningAnotherPaletteKeepsThePenOffItsTransparentEntry) {
    // Pictures in PC-8801 and TMS9918 colours, opened in turn with a pen chosen in the other.
    TempDir dir;
    const Picture pc8801(16, 8, PaletteColor(PaletteKindId::Pc8801, 2));
    const Picture tms(16, 8, PaletteColor(KindTms9918, 4));
    murelo::test::WriteBytes(dir / "pc.bmp", EncodeBitmap24(pc8801));
    murelo::test::WriteBytes(dir / "tms.bmp", EncodeBitmap24(tms));
    struct Case {
        const char* file;
        PaletteKindId penKind; // the palette the pen was chosen in
        int pen;
        int second;
        PaletteKindId opened;
        int penAfter;
        int secondAfter;
    } cases[] = {
        // Dark green 12 is no PC-8801 colour: clamped to the last index 7, not 0.
        {"pc.bmp", PaletteKindId::Tms9918, 12, 15, PaletteKindId::Pc8801, 7, 0},
        // Index 5 (light blue) is no PC-8801 colour either: it keeps its index.
        {"pc.bmp", PaletteKindId::Tms9918, 5, 6, PaletteKindId::Pc8801, 5, 6},
        // Black is a colour of both: it stays black, at its PC-8801 index 0.
        {"pc.bmp", PaletteKindId::Tms9918, 1, 15, PaletteKindId::Pc8801, 0, 0},
        // PC-8801 magenta is no TMS9918 colour: index 3 stays (not the transparent 0).
        {"tms.bmp", PaletteKindId::Pc8801, 3, 2, PaletteKindId::Tms9918, 3, 2},
        // PC-8801 white is TMS9918 white: index 15.
        {"tms.bmp", PaletteKindId::Pc8801, 7, 0, PaletteKindId::Tms9918, 15, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " pen " + std::to_string(c.pen));
        ToolState& t = session.tool();
        t.ForegroundIndex = c.pen;
        t.ForegroundColor = PaletteColor(c.penKind, c.pen);
        t.BackgroundIndex = c.second;
        t.BackgroundColor = PaletteColor(c.penKind, c.second);
        FileReport report;
        const SessionChange change = session.openPicture((dir / c.file).string(), report);
        ASSERT_TRUE(report.ok()) << report.text;
        ASSERT_EQ(doc.PaletteKind, c.opened);
        EXPECT_TRUE(change.colors);
        EXPECT_EQ(t.ForegroundIndex, c.penAfter);
        EXPECT_EQ(t.ForegroundColor, PaletteColor(c.opened, c.penAfter));
        EXPECT_EQ(t.BackgroundIndex, c.secondAfter);
        EXPECT_EQ(t.BackgroundColor, PaletteColor(c.opened, c.secondAfter));
    }
}

TEST_F(SessionOperations, SavingNamesTheDocumentAndDisarmsInput) {
    TempDir dir;
    session.mutableDocument().Modified = true;
    FileReport report;
    const std::string target = (dir / "out.bmp").string();
    EXPECT_TRUE(session.savePicture(target, target, report).title);
    ASSERT_TRUE(report.ok()) << report.text;
    EXPECT_EQ(doc.FileName, target);
    EXPECT_FALSE(doc.Modified);
    EXPECT_FALSE(session.view().InputArmed);

    session.savePicture((dir / "missing" / "x.bmp").string(), "ignored", report);
    EXPECT_FALSE(report.ok());
    EXPECT_EQ(doc.FileName, target);
}

TEST_F(SessionOperations, ColorCheckSetsErrorsShownFromItsMarks) {
    std::vector<std::uint8_t> vram(VramImageSize);
    ColorCheckResult result;
    bool shownWhileRunning = true;
    ColorCheckHooks hooks;
    hooks.progress = [&](int) { shownWhileRunning = doc.ErrorsShown; };
    MarkOverlay(session);
    session.checkColors(false, vram, hooks, result);
    EXPECT_FALSE(shownWhileRunning);
    EXPECT_EQ(result.result, 0);
    EXPECT_FALSE(doc.ErrorsShown);

    session.mutableDocument().picture.setPixel(9, 9, 0x123456);
    session.checkColors(false, vram, {}, result);
    EXPECT_EQ(result.result, 1);
    EXPECT_TRUE(doc.ErrorsShown);
    EXPECT_EQ(doc.errorOverlay.pixel(9, 9), OverlayMark);
}

TEST_F(SessionOperations, ExportOfAWrongSizeReportsItsReasonAsAWriteFailure) {
    session.newDocument(8, 8, 0xFFFFFF, false);
    MarkOverlay(session);
    std::vector<std::uint8_t> vram(VramImageSize);
    ExportJobResult result;
    session.exportPicture(ExportOptions{}, VramImage(vram.data(), VramImageSize), ExportJobHooks{},
                          result);
    EXPECT_EQ(result.outcome, ExportOutcome::WriteFailed);
    EXPECT_FALSE(result.boxText.empty());
    EXPECT_EQ(result.boxCaption, "Export");
    EXPECT_FALSE(doc.ErrorsShown);
}
