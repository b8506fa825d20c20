#include "core/dialogs/EditModeRules.h"
#include "core/dialogs/FreeDrawRule.h"
#include "core/dialogs/WhiteChoice.h"

#include <gtest/gtest.h>

#include <string>

using namespace murelo;

TEST(ApplyEditMode, SquarePixelModeShowsTheChipPaletteAndFreesFreeDraw) {
    const PaletteLayout l = ApplyEditModeToPalette(0);
    EXPECT_TRUE(l.chipPanelShown);
    EXPECT_FALSE(l.colorModePanelShown);
    EXPECT_FALSE(l.freeDrawChecked);
    EXPECT_TRUE(l.freeDrawShown);
    EXPECT_TRUE(l.oddLineShown);
    EXPECT_FALSE(l.oddLineUnchecked);
    EXPECT_EQ(l.depthLabelLeft, 192);
    EXPECT_TRUE(l.recolorOnPaletteChange);
    EXPECT_FALSE(l.switchToKind.has_value());
}

TEST(ApplyEditMode, Pc6001ModesShowColourModesAndForceFreeDraw) {
    for (int mode : {1, 2}) {
        const PaletteLayout l = ApplyEditModeToPalette(mode);
        EXPECT_FALSE(l.chipPanelShown) << mode;
        EXPECT_TRUE(l.colorModePanelShown) << mode;
        EXPECT_TRUE(l.freeDrawChecked) << mode;
        EXPECT_FALSE(l.freeDrawShown) << mode;
        EXPECT_TRUE(l.oddLineShown) << mode;
        EXPECT_EQ(l.depthLabelLeft, 16) << mode;
        EXPECT_FALSE(l.recolorOnPaletteChange) << mode;
        EXPECT_FALSE(l.switchToKind.has_value()) << mode;
    }
}

TEST(ApplyEditMode, Pc8801ModeHidesBothPanelsAndSwitchesToItsEightColours) {
    const PaletteLayout l = ApplyEditModeToPalette(3);
    EXPECT_FALSE(l.chipPanelShown);
    EXPECT_FALSE(l.colorModePanelShown);
    EXPECT_TRUE(l.freeDrawChecked);
    EXPECT_FALSE(l.freeDrawShown);
    EXPECT_FALSE(l.oddLineShown);
    EXPECT_TRUE(l.oddLineUnchecked);
    EXPECT_EQ(l.depthLabelLeft, 16);
    ASSERT_TRUE(l.switchToKind.has_value());
    EXPECT_EQ(*l.switchToKind, 6);
}

TEST(SetEditMode, ConfirmingReturnsToTheFamilysFirstKind) {
    EXPECT_EQ(PaletteFamilyOf(0).kind, 0);
    EXPECT_EQ(PaletteFamilyOf(0).checkedRadioKind, 0);
    EXPECT_TRUE(PaletteFamilyOf(0).recolorOnPaletteChange);
    EXPECT_EQ(PaletteFamilyOf(1).kind, 7);
    EXPECT_EQ(PaletteFamilyOf(2).kind, 7);
    EXPECT_EQ(PaletteFamilyOf(2).checkedRadioKind, 7);
    EXPECT_FALSE(PaletteFamilyOf(2).recolorOnPaletteChange);
    // The PC-8801 mode has no radio button of its own; "TMS9918" is checked behind the
    // hidden panel.
    EXPECT_EQ(PaletteFamilyOf(3).kind, 6);
    EXPECT_EQ(PaletteFamilyOf(3).checkedRadioKind, 0);
}

TEST(PixelAspect, LabelFollowsTheMode) {
    EXPECT_EQ(std::string(PixelAspectText(0)), "Pixel 1:1");
    EXPECT_EQ(std::string(PixelAspectText(1)), "Pixel 2:1");
    EXPECT_EQ(std::string(PixelAspectText(2)), "Pixel 1:1");
    EXPECT_EQ(std::string(PixelAspectText(3)), "Pixel 1:2");
}

TEST(WhiteChoice, OfferedOnlyForKindsWithWhite) {
    for (int kind : {0, 5, 6, 7, 8, 10, 14}) {
        EXPECT_TRUE(UpdateWhiteChoice(kind).whiteEnabled) << kind;
        EXPECT_FALSE(UpdateWhiteChoice(kind).selectColor) << kind;
    }
    for (int kind : {9, 11, 12, 13}) {
        EXPECT_FALSE(UpdateWhiteChoice(kind).whiteEnabled) << kind;
        EXPECT_TRUE(UpdateWhiteChoice(kind).selectColor) << kind;
    }
}

TEST(FreeDraw, FillFollowsTheCheckBox) {
    EXPECT_TRUE(FreeDrawChanged(true, false).fillEnabled);
    EXPECT_FALSE(FreeDrawChanged(true, true).selectPen);
    EXPECT_FALSE(FreeDrawChanged(false, false).fillEnabled);
    EXPECT_FALSE(FreeDrawChanged(false, false).selectPen);
    EXPECT_FALSE(FreeDrawChanged(false, true).fillEnabled);
    EXPECT_TRUE(FreeDrawChanged(false, true).selectPen);
}

TEST(SelectPaletteControls, EditModeChoiceOfEachKind) {
    for (int kind = 0; kind <= 5; ++kind)
        EXPECT_EQ(EditModeChoiceOfKind(kind), 0) << kind;
    EXPECT_EQ(EditModeChoiceOfKind(6), 3);
    for (int kind = 7; kind <= 14; ++kind)
        EXPECT_EQ(EditModeChoiceOfKind(kind), 2) << kind;
    EXPECT_FALSE(EditModeChoiceOfKind(15));
    EXPECT_FALSE(EditModeChoiceOfKind(-1));
}
