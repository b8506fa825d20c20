#include "core/dialogs/ToolPaletteModel.h"
#include "core/app/EditorView.h"
#include "core/palette/Palettes.h"

#include <gtest/gtest.h>

#include <string>

using namespace murelo;

TEST(ClampSelection, ShortPaletteMovesFirstToLastAndSecondToFirst) {
    const PaletteSelection s = ToolPaletteModel::ClampSelection(12, 9, PaletteKindId::Color4_1);
    EXPECT_EQ(s.foregroundIndex, 3);
    EXPECT_EQ(s.backgroundIndex, 0);
    EXPECT_EQ(s.foreground, FromRrggbb(0xFF00FF)); // magenta, entry 3 of "Color 4-1"
    EXPECT_EQ(s.background, FromRrggbb(0x000000));
}

TEST(ClampSelection, IndicesInsideTheRangeStay) {
    const PaletteSelection s = ToolPaletteModel::ClampSelection(7, 3, PaletteKindId::Color8);
    EXPECT_EQ(s.foregroundIndex, 7);
    EXPECT_EQ(s.backgroundIndex, 3);
    EXPECT_EQ(s.foreground, FromRrggbb(0xFFAD00));
    const PaletteSelection last = ToolPaletteModel::ClampSelection(15, 15, PaletteKindId::Tms9918);
    EXPECT_EQ(last.foregroundIndex, 15);
    EXPECT_EQ(last.backgroundIndex, 15);
    const PaletteSelection past = ToolPaletteModel::ClampSelection(8, 8, PaletteKindId::Pc8801);
    EXPECT_EQ(past.foregroundIndex, 7);
    EXPECT_EQ(past.backgroundIndex, 0);
}

TEST(StripGeometry, SwatchesAndTheExtraColumn) {
    EXPECT_EQ(ToolPaletteModel::SwatchAt(0, 0), 0);
    EXPECT_EQ(ToolPaletteModel::SwatchAt(15, 32), 0);
    EXPECT_EQ(ToolPaletteModel::SwatchAt(16, 10), 1);
    EXPECT_EQ(ToolPaletteModel::SwatchAt(255, 10), 15);
    EXPECT_EQ(ToolPaletteModel::SwatchAt(256, 10), 15);
}

TEST(StripGeometry, OutsideTheColourStripIsNoSwatch) {
    EXPECT_FALSE(ToolPaletteModel::SwatchAt(-1, 10));
    EXPECT_FALSE(ToolPaletteModel::SwatchAt(257, 10));
    EXPECT_FALSE(ToolPaletteModel::SwatchAt(300, 10));
    EXPECT_FALSE(ToolPaletteModel::SwatchAt(10, -1));
    EXPECT_FALSE(ToolPaletteModel::SwatchAt(10, 33));
}

TEST(StripGeometry, BrushSamplesAndTheDeadColumnsAtTheRight) {
    EXPECT_EQ(ToolPaletteModel::BrushPatternAt(0, 33), 0);
    EXPECT_EQ(ToolPaletteModel::BrushPatternAt(27, 40), 0);
    EXPECT_EQ(ToolPaletteModel::BrushPatternAt(28, 40), 1);
    EXPECT_EQ(ToolPaletteModel::BrushPatternAt(251, 64), 8);
    for (int x = 252; x <= 256; ++x)
        EXPECT_FALSE(ToolPaletteModel::BrushPatternAt(x, 40)) << x;
    EXPECT_FALSE(ToolPaletteModel::BrushPatternAt(10, 32)); // the colour strip
    EXPECT_FALSE(ToolPaletteModel::BrushPatternAt(-3, 40));
}

class ToolPaletteStripMouseTest : public ::testing::Test {
  protected:
    ToolPaletteModel mouse;
    ProtectedColorSet set = 0;
};

TEST_F(ToolPaletteStripMouseTest, LeftClickSelectsTheFirstColour) {
    mouse.press(5 * 16 + 3, 10, false, PaletteKindId::Tms9918, set);
    const StripAction a = mouse.release(5 * 16 + 3, 10, PaletteKindId::Tms9918, set);
    EXPECT_EQ(a.kind, StripAction::SelectForeground);
    EXPECT_EQ(a.index, 5);
    EXPECT_FALSE(mouse.pressed());
}

TEST_F(ToolPaletteStripMouseTest, RightClickSelectsOnlyTheSecondColour) {
    mouse.press(40, 10, true, PaletteKindId::Tms9918, set);
    EXPECT_TRUE(mouse.pickingSecond());
    const StripAction a = mouse.release(40, 10, PaletteKindId::Tms9918, set);
    EXPECT_EQ(a.kind, StripAction::SelectBackground);
    EXPECT_EQ(a.index, 2);
}

TEST_F(ToolPaletteStripMouseTest, EightPixelDragStillSelects) {
    mouse.press(3 * 16, 2, false, PaletteKindId::Tms9918, set);
    EXPECT_EQ(mouse.move(3 * 16, 10, PaletteKindId::Tms9918, set).kind, StripAction::None);
    EXPECT_EQ(set, 0);
    const StripAction a = mouse.release(3 * 16, 10, PaletteKindId::Tms9918, set);
    EXPECT_EQ(a.kind, StripAction::SelectForeground);
    EXPECT_EQ(a.index, 3);
}

TEST_F(ToolPaletteStripMouseTest, NinePixelDragProtectsAndSelectsNothing) {
    mouse.press(3 * 16 + 8, 20, false, PaletteKindId::Tms9918, set);
    const StripAction t = mouse.move(3 * 16 + 8, 11, PaletteKindId::Tms9918, set);
    EXPECT_EQ(t.kind, StripAction::ToggleProtection);
    EXPECT_EQ(t.index, 3);
    EXPECT_EQ(set, 1u << 3);
    // Dragging on does not flip the bit back.
    EXPECT_EQ(mouse.move(3 * 16 + 8, 0, PaletteKindId::Tms9918, set).kind, StripAction::None);
    EXPECT_EQ(set, 1u << 3);
    EXPECT_EQ(mouse.release(3 * 16 + 8, 0, PaletteKindId::Tms9918, set).kind, StripAction::None);
}

TEST_F(ToolPaletteStripMouseTest, SecondDragUnprotectsAndProtectedSwatchCannotBePicked) {
    set = 1u << 4;
    mouse.press(4 * 16, 5, false, PaletteKindId::Tms9918, set);
    EXPECT_EQ(mouse.release(4 * 16, 5, PaletteKindId::Tms9918, set).kind, StripAction::None);
    mouse.press(4 * 16, 5, true, PaletteKindId::Tms9918, set);
    EXPECT_FALSE(mouse.pickingSecond());
    mouse.press(4 * 16, 0, false, PaletteKindId::Tms9918, set);
    mouse.move(4 * 16, 9, PaletteKindId::Tms9918, set);
    EXPECT_EQ(set, 0);
}

TEST_F(ToolPaletteStripMouseTest, ToggledBitIsTheSwatchUnderThePointer) {
    // Pressed over swatch 2, dragged down while drifting into swatch 3: the swatch that is
    // flipped is the one a release there would have selected.
    mouse.press(2 * 16 + 15, 0, false, PaletteKindId::Tms9918, set);
    const StripAction t = mouse.move(3 * 16 + 1, 9, PaletteKindId::Tms9918, set);
    EXPECT_EQ(t.index, 3);
    EXPECT_EQ(set, 1u << 3);
}

TEST_F(ToolPaletteStripMouseTest, PositionsOutsideTheStripSelectAndToggleNothing) {
    mouse.press(16, 16, false, PaletteKindId::Tms9918, set);
    EXPECT_EQ(mouse.move(-20, 30, PaletteKindId::Tms9918, set).kind, StripAction::None);
    EXPECT_EQ(mouse.move(300, 0, PaletteKindId::Tms9918, set).kind, StripAction::None);
    EXPECT_EQ(mouse.move(16, -40, PaletteKindId::Tms9918, set).kind, StripAction::None);
    EXPECT_EQ(mouse.move(16, 60, PaletteKindId::Tms9918, set).kind, StripAction::None);
    EXPECT_EQ(set, 0);
    EXPECT_EQ(mouse.release(-1, 16, PaletteKindId::Tms9918, set).kind, StripAction::None);
    mouse.press(16, 16, false, PaletteKindId::Tms9918, set);
    EXPECT_EQ(mouse.release(16, 40, PaletteKindId::Tms9918, set).kind, StripAction::None);
    mouse.press(16, 16, false, PaletteKindId::Tms9918, set);
    EXPECT_EQ(mouse.release(400, 16, PaletteKindId::Tms9918, set).kind, StripAction::None);
}

TEST_F(ToolPaletteStripMouseTest, SwatchesOutsideTheKindsRangeDoNothing) {
    // "Color 4-1" uses indices 0..3; swatch 4 holds the filler.
    mouse.press(4 * 16, 5, false, PaletteKindId::Color4_1, set);
    EXPECT_EQ(mouse.move(4 * 16, 20, PaletteKindId::Color4_1, set).kind, StripAction::None);
    EXPECT_EQ(set, 0);
    EXPECT_EQ(mouse.release(4 * 16, 20, PaletteKindId::Color4_1, set).kind, StripAction::None);
    mouse.press(3 * 16, 5, false, PaletteKindId::Color4_1, set);
    EXPECT_EQ(mouse.release(3 * 16, 5, PaletteKindId::Color4_1, set).index, 3);
    // The transparent slot of a 16-colour kind can be chosen.
    mouse.press(0, 5, false, PaletteKindId::Tms9918, set);
    EXPECT_EQ(mouse.release(0, 5, PaletteKindId::Tms9918, set).index, 0);
}

TEST_F(ToolPaletteStripMouseTest, PressOnTheBrushStripChoosesAPattern) {
    const StripAction a = mouse.press(2 * 28 + 5, 50, false, PaletteKindId::Tms9918, set);
    EXPECT_EQ(a.kind, StripAction::SelectBrush);
    EXPECT_EQ(a.index, 2);
    EXPECT_EQ(mouse.press(253, 50, false, PaletteKindId::Tms9918, set).kind, StripAction::None);
    EXPECT_EQ(mouse.release(253, 50, PaletteKindId::Tms9918, set).kind, StripAction::None);
}

TEST(ToolPaletteText, DepthLabelOfEachCode) {
    EXPECT_EQ(std::string(ToolPaletteModel::DepthLabelText(static_cast<PixelFormat>(2))),
              "[ 4bit]");
    EXPECT_EQ(std::string(ToolPaletteModel::DepthLabelText(static_cast<PixelFormat>(3))),
              "[ 8bit]");
    EXPECT_EQ(std::string(ToolPaletteModel::DepthLabelText(static_cast<PixelFormat>(6))),
              "[24bit]");
    EXPECT_EQ(std::string(ToolPaletteModel::DepthLabelText(static_cast<PixelFormat>(1))),
              "[24bit]");
    EXPECT_EQ(std::string(ToolPaletteModel::DepthLabelText(static_cast<PixelFormat>(7))),
              "[24bit]");
}

TEST(ToolPaletteText, ScaleAndColourNumber) {
    EXPECT_EQ(ToolPaletteModel::ScaleLabelText(ToolPaletteModel::ScaleOfPosition(5)), "x32");
    EXPECT_EQ(ToolPaletteModel::ScaleLabelText(ToolPaletteModel::ScaleOfPosition(0)), "x1");
    EXPECT_EQ(ToolPaletteModel::ForegroundIndexText(-1), "**");
    EXPECT_EQ(ToolPaletteModel::ForegroundIndexText(12), "12");
}

TEST(ScaleRule, FactorsAndCentredScroll) {
    EXPECT_EQ(ToolPaletteModel::ScaleOfPosition(0), 1);
    EXPECT_EQ(ToolPaletteModel::ScaleOfPosition(3), 8);
    EXPECT_EQ(ToolPaletteModel::ScaleOfPosition(5), 32);
    EXPECT_EQ(256 * ToolPaletteModel::ScaleOfPosition(5), 8192);
    EXPECT_EQ(192 * ToolPaletteModel::ScaleOfPosition(5), 6144);
    EXPECT_EQ(CentredScrollPosition(8192, 300), (8192 - 300 + 71) / 2);
    EXPECT_EQ(CentredScrollPosition(512, 400), 91);   // (512 - 400 + 71) / 2 = 91.5
    EXPECT_EQ(CentredScrollPosition(100, 400), -114); // (-229) / 2 truncates toward zero
}

TEST(FreeDraw, FillFollowsTheCheckBox) {
    EXPECT_TRUE(ToolPaletteModel::FreeDrawChanged(true, false).fillEnabled);
    EXPECT_FALSE(ToolPaletteModel::FreeDrawChanged(true, true).selectPen);
    EXPECT_FALSE(ToolPaletteModel::FreeDrawChanged(false, false).fillEnabled);
    EXPECT_FALSE(ToolPaletteModel::FreeDrawChanged(false, false).selectPen);
    EXPECT_FALSE(ToolPaletteModel::FreeDrawChanged(false, true).fillEnabled);
    EXPECT_TRUE(ToolPaletteModel::FreeDrawChanged(false, true).selectPen);
}

TEST(ProtectedColors, ToggleFlipsOneIndexAndIgnoresIndicesOutsideThePalette) {
    ProtectedColorSet set = 0;
    set = ToolPaletteModel::ToggleProtection(set, 0);
    set = ToolPaletteModel::ToggleProtection(set, 15);
    EXPECT_EQ(set, 0x8001);
    for (int outside : {-1, 16, 40})
        EXPECT_EQ(ToolPaletteModel::ToggleProtection(set, outside), set) << outside;
    EXPECT_TRUE(ToolPaletteModel::IsProtectedIndex(set, 15));
    EXPECT_FALSE(ToolPaletteModel::IsProtectedIndex(set, 14));
    EXPECT_FALSE(ToolPaletteModel::IsProtectedIndex(0xFFFF, 16));
    EXPECT_FALSE(ToolPaletteModel::IsProtectedIndex(0xFFFF, -1));
    EXPECT_EQ(ToolPaletteModel::ToggleProtection(set, 15), 0x0001);
}

TEST_F(ToolPaletteStripMouseTest, AUserProtectsAColourThenCanPickOnlyTheOthers) {
    // Drag down over swatch 6, then try to pick it and its neighbour with either button.
    mouse.press(6 * 16 + 2, 1, false, PaletteKindId::V9938, set);
    EXPECT_EQ(mouse.move(6 * 16 + 2, 12, PaletteKindId::V9938, set).kind,
              StripAction::ToggleProtection);
    EXPECT_EQ(mouse.release(6 * 16 + 2, 12, PaletteKindId::V9938, set).kind, StripAction::None);
    const struct {
        int swatch;
        bool right;
        StripAction::Kind expected;
    } clicks[] = {{6, false, StripAction::None},
                  {6, true, StripAction::None},
                  {7, false, StripAction::SelectForeground},
                  {7, true, StripAction::SelectBackground}};
    for (const auto& c : clicks) {
        mouse.press(c.swatch * 16 + 5, 20, c.right, PaletteKindId::V9938, set);
        const StripAction a = mouse.release(c.swatch * 16 + 5, 20, PaletteKindId::V9938, set);
        EXPECT_EQ(a.kind, c.expected) << c.swatch << " right " << c.right;
    }
    EXPECT_EQ(set, 1u << 6);
}
