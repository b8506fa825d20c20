#include "core/dialogs/ColorDepthChoice.h"
#include "core/dialogs/ColorStripMouse.h"
#include "core/dialogs/PaletteSelection.h"
#include "core/dialogs/ScaleRule.h"
#include "core/dialogs/StripGeometry.h"
#include "core/dialogs/ToolPaletteText.h"
#include "core/editor/IndexedCopy.h"
#include "core/palette/Palettes.h"

#include <gtest/gtest.h>

#include <string>

using namespace murelo;

TEST(ClampSelection, ShortPaletteMovesFirstToLastAndSecondToFirst) {
    const PaletteSelection s = ClampSelection(12, 9, KindColor4_1);
    EXPECT_EQ(s.foregroundIndex, 3);
    EXPECT_EQ(s.backgroundIndex, 0);
    EXPECT_EQ(s.foreground, FromRrggbb(0xFF00FF)); // magenta, entry 3 of "Color 4-1"
    EXPECT_EQ(s.background, FromRrggbb(0x000000));
}

TEST(ClampSelection, IndicesInsideTheRangeStay) {
    const PaletteSelection s = ClampSelection(7, 3, KindColor8);
    EXPECT_EQ(s.foregroundIndex, 7);
    EXPECT_EQ(s.backgroundIndex, 3);
    EXPECT_EQ(s.foreground, FromRrggbb(0xFFAD00));
    const PaletteSelection last = ClampSelection(15, 15, KindTms9918);
    EXPECT_EQ(last.foregroundIndex, 15);
    EXPECT_EQ(last.backgroundIndex, 15);
    const PaletteSelection past = ClampSelection(8, 8, KindPc8801);
    EXPECT_EQ(past.foregroundIndex, 7);
    EXPECT_EQ(past.backgroundIndex, 0);
}

TEST(StripGeometry, SwatchesAndTheExtraColumn) {
    EXPECT_EQ(SwatchAt(0, 0), 0);
    EXPECT_EQ(SwatchAt(15, 32), 0);
    EXPECT_EQ(SwatchAt(16, 10), 1);
    EXPECT_EQ(SwatchAt(255, 10), 15);
    EXPECT_EQ(SwatchAt(256, 10), 15);
}

TEST(StripGeometry, OutsideTheColourStripIsNoSwatch) {
    EXPECT_FALSE(SwatchAt(-1, 10));
    EXPECT_FALSE(SwatchAt(257, 10));
    EXPECT_FALSE(SwatchAt(300, 10));
    EXPECT_FALSE(SwatchAt(10, -1));
    EXPECT_FALSE(SwatchAt(10, 33));
}

TEST(StripGeometry, BrushSamplesAndTheDeadColumnsAtTheRight) {
    EXPECT_EQ(BrushPatternAt(0, 33), 0);
    EXPECT_EQ(BrushPatternAt(27, 40), 0);
    EXPECT_EQ(BrushPatternAt(28, 40), 1);
    EXPECT_EQ(BrushPatternAt(251, 64), 8);
    for (int x = 252; x <= 256; ++x)
        EXPECT_FALSE(BrushPatternAt(x, 40)) << x;
    EXPECT_FALSE(BrushPatternAt(10, 32)); // the colour strip
    EXPECT_FALSE(BrushPatternAt(-3, 40));
}

class ColorStripMouseTest : public ::testing::Test {
  protected:
    ColorStripMouse mouse;
    ProtectedColorSet set = 0;
};

TEST_F(ColorStripMouseTest, LeftClickSelectsTheFirstColour) {
    mouse.press(5 * 16 + 3, 10, false, KindTms9918, set);
    const StripAction a = mouse.release(5 * 16 + 3, 10, KindTms9918, set);
    EXPECT_EQ(a.kind, StripAction::SelectForeground);
    EXPECT_EQ(a.index, 5);
    EXPECT_FALSE(mouse.pressed());
}

TEST_F(ColorStripMouseTest, RightClickSelectsOnlyTheSecondColour) {
    mouse.press(40, 10, true, KindTms9918, set);
    EXPECT_TRUE(mouse.pickingSecond());
    const StripAction a = mouse.release(40, 10, KindTms9918, set);
    EXPECT_EQ(a.kind, StripAction::SelectBackground);
    EXPECT_EQ(a.index, 2);
}

TEST_F(ColorStripMouseTest, EightPixelDragStillSelects) {
    mouse.press(3 * 16, 2, false, KindTms9918, set);
    EXPECT_EQ(mouse.move(3 * 16, 10, KindTms9918, set).kind, StripAction::None);
    EXPECT_EQ(set, 0);
    const StripAction a = mouse.release(3 * 16, 10, KindTms9918, set);
    EXPECT_EQ(a.kind, StripAction::SelectForeground);
    EXPECT_EQ(a.index, 3);
}

TEST_F(ColorStripMouseTest, NinePixelDragProtectsAndSelectsNothing) {
    mouse.press(3 * 16 + 8, 20, false, KindTms9918, set);
    const StripAction t = mouse.move(3 * 16 + 8, 11, KindTms9918, set);
    EXPECT_EQ(t.kind, StripAction::ToggleProtection);
    EXPECT_EQ(t.index, 3);
    EXPECT_EQ(set, 1u << 3);
    // Dragging on does not flip the bit back.
    EXPECT_EQ(mouse.move(3 * 16 + 8, 0, KindTms9918, set).kind, StripAction::None);
    EXPECT_EQ(set, 1u << 3);
    EXPECT_EQ(mouse.release(3 * 16 + 8, 0, KindTms9918, set).kind, StripAction::None);
}

TEST_F(ColorStripMouseTest, SecondDragUnprotectsAndProtectedSwatchCannotBePicked) {
    set = 1u << 4;
    mouse.press(4 * 16, 5, false, KindTms9918, set);
    EXPECT_EQ(mouse.release(4 * 16, 5, KindTms9918, set).kind, StripAction::None);
    mouse.press(4 * 16, 5, true, KindTms9918, set);
    EXPECT_FALSE(mouse.pickingSecond());
    mouse.press(4 * 16, 0, false, KindTms9918, set);
    mouse.move(4 * 16, 9, KindTms9918, set);
    EXPECT_EQ(set, 0);
}

TEST_F(ColorStripMouseTest, ToggledBitIsTheSwatchUnderThePointer) {
    // Pressed over swatch 2, dragged down while drifting into swatch 3: the swatch that is
    // flipped is the one a release there would have selected.
    mouse.press(2 * 16 + 15, 0, false, KindTms9918, set);
    const StripAction t = mouse.move(3 * 16 + 1, 9, KindTms9918, set);
    EXPECT_EQ(t.index, 3);
    EXPECT_EQ(set, 1u << 3);
}

TEST_F(ColorStripMouseTest, PositionsOutsideTheStripSelectAndToggleNothing) {
    mouse.press(16, 16, false, KindTms9918, set);
    EXPECT_EQ(mouse.move(-20, 30, KindTms9918, set).kind, StripAction::None);
    EXPECT_EQ(mouse.move(300, 0, KindTms9918, set).kind, StripAction::None);
    EXPECT_EQ(mouse.move(16, -40, KindTms9918, set).kind, StripAction::None);
    EXPECT_EQ(mouse.move(16, 60, KindTms9918, set).kind, StripAction::None);
    EXPECT_EQ(set, 0);
    EXPECT_EQ(mouse.release(-1, 16, KindTms9918, set).kind, StripAction::None);
    mouse.press(16, 16, false, KindTms9918, set);
    EXPECT_EQ(mouse.release(16, 40, KindTms9918, set).kind, StripAction::None);
    mouse.press(16, 16, false, KindTms9918, set);
    EXPECT_EQ(mouse.release(400, 16, KindTms9918, set).kind, StripAction::None);
}

TEST_F(ColorStripMouseTest, SwatchesOutsideTheKindsRangeDoNothing) {
    // "Color 4-1" uses indices 0..3; swatch 4 holds the filler.
    mouse.press(4 * 16, 5, false, KindColor4_1, set);
    EXPECT_EQ(mouse.move(4 * 16, 20, KindColor4_1, set).kind, StripAction::None);
    EXPECT_EQ(set, 0);
    EXPECT_EQ(mouse.release(4 * 16, 20, KindColor4_1, set).kind, StripAction::None);
    mouse.press(3 * 16, 5, false, KindColor4_1, set);
    EXPECT_EQ(mouse.release(3 * 16, 5, KindColor4_1, set).index, 3);
    // The transparent slot of a 16-colour kind can be chosen.
    mouse.press(0, 5, false, KindTms9918, set);
    EXPECT_EQ(mouse.release(0, 5, KindTms9918, set).index, 0);
}

TEST_F(ColorStripMouseTest, PressOnTheBrushStripChoosesAPattern) {
    const StripAction a = mouse.press(2 * 28 + 5, 50, false, KindTms9918, set);
    EXPECT_EQ(a.kind, StripAction::SelectBrush);
    EXPECT_EQ(a.index, 2);
    EXPECT_EQ(mouse.press(253, 50, false, KindTms9918, set).kind, StripAction::None);
    EXPECT_EQ(mouse.release(253, 50, KindTms9918, set).kind, StripAction::None);
}

TEST(ToolPaletteText, DepthLabelOfEachCode) {
    EXPECT_EQ(std::string(DepthLabelText(2)), "[ 4bit]");
    EXPECT_EQ(std::string(DepthLabelText(3)), "[ 8bit]");
    EXPECT_EQ(std::string(DepthLabelText(6)), "[24bit]");
    EXPECT_EQ(std::string(DepthLabelText(1)), "[24bit]");
    EXPECT_EQ(std::string(DepthLabelText(7)), "[24bit]");
}

TEST(ToolPaletteText, ScaleAndColourNumber) {
    EXPECT_EQ(ScaleLabelText(ScaleOfPosition(5)), "x32");
    EXPECT_EQ(ScaleLabelText(ScaleOfPosition(0)), "x1");
    EXPECT_EQ(ForegroundIndexText(-1), "**");
    EXPECT_EQ(ForegroundIndexText(12), "12");
}

TEST(ScaleRule, FactorsAndCentredScroll) {
    EXPECT_EQ(ScaleOfPosition(0), 1);
    EXPECT_EQ(ScaleOfPosition(3), 8);
    EXPECT_EQ(ScaleOfPosition(5), 32);
    EXPECT_EQ(256 * ScaleOfPosition(5), 8192);
    EXPECT_EQ(192 * ScaleOfPosition(5), 6144);
    EXPECT_EQ(CentredScrollPosition(8192, 300), (8192 - 300 + 71) / 2);
    EXPECT_EQ(CentredScrollPosition(512, 400), 91);   // (512 - 400 + 71) / 2 = 91.5
    EXPECT_EQ(CentredScrollPosition(100, 400), -114); // (-229) / 2 truncates toward zero
}

TEST(ColorDepth, OnlyTwentyFourBitsForAPictureOutsideThePalette) {
    Picture picture(8, 8, FromRrggbb(0xFFFFFF));
    EXPECT_TRUE(PictureFitsPalette(picture, KindTms9918));
    picture.setPixel(7, 7, FromRrggbb(0x123456));
    EXPECT_FALSE(PictureFitsPalette(picture, KindTms9918));
    const DepthOffer offer = OfferedDepths(false, 2);
    EXPECT_FALSE(offer.indexedEnabled);
    EXPECT_EQ(offer.checked, Depth24Bit);
}

TEST(ColorDepth, IndexedPictureChecksItsSaveDepth) {
    EXPECT_EQ(OfferedDepths(true, 2).checked, Depth4Bit);
    EXPECT_EQ(OfferedDepths(true, 3).checked, Depth8Bit);
    EXPECT_EQ(OfferedDepths(true, 6).checked, Depth24Bit);
    EXPECT_EQ(OfferedDepths(true, 1).checked, Depth24Bit);
    EXPECT_TRUE(OfferedDepths(true, 6).indexedEnabled);
    EXPECT_EQ(SaveDepthOfChoice(Depth4Bit), 2);
    EXPECT_EQ(SaveDepthOfChoice(Depth8Bit), 3);
    EXPECT_EQ(SaveDepthOfChoice(Depth24Bit), 6);
}

TEST(ColorDepth, FillerColourOfAShortPaletteStillCountsAsInIt) {
    // The indexed copy only needs an entry; 080808 is entry 8 of "Color 4-1".
    Picture picture(2, 1, FromRrggbb(0x080808));
    EXPECT_TRUE(PictureFitsPalette(picture, KindColor4_1));
}
