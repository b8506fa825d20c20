#include "core/dialogs/EditModeModel.h"

#include <gtest/gtest.h>

#include <string>

using namespace murelo;

TEST(ApplyEditMode, SquarePixelModeShowsTheChipPaletteAndFreesFreeDraw) {
    const PaletteLayout l = EditModeModel::LayoutFor(EditModeOfNumber(0));
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
        const PaletteLayout l = EditModeModel::LayoutFor(EditModeOfNumber(mode));
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
    const PaletteLayout l = EditModeModel::LayoutFor(EditModeOfNumber(3));
    EXPECT_FALSE(l.chipPanelShown);
    EXPECT_FALSE(l.colorModePanelShown);
    EXPECT_TRUE(l.freeDrawChecked);
    EXPECT_FALSE(l.freeDrawShown);
    EXPECT_FALSE(l.oddLineShown);
    EXPECT_TRUE(l.oddLineUnchecked);
    EXPECT_EQ(l.depthLabelLeft, 16);
    ASSERT_TRUE(l.switchToKind.has_value());
    EXPECT_EQ(KindNumber(*l.switchToKind), 6);
}

TEST(SetEditMode, ConfirmingReturnsToTheFamilysFirstKind) {
    EXPECT_EQ(KindNumber(EditModeModel::FamilyOf(EditModeOfNumber(0)).kind), 0);
    EXPECT_EQ(KindNumber(EditModeModel::FamilyOf(EditModeOfNumber(0)).checkedRadioKind), 0);
    EXPECT_TRUE(EditModeModel::FamilyOf(EditModeOfNumber(0)).recolorOnPaletteChange);
    EXPECT_EQ(KindNumber(EditModeModel::FamilyOf(EditModeOfNumber(1)).kind), 7);
    EXPECT_EQ(KindNumber(EditModeModel::FamilyOf(EditModeOfNumber(2)).kind), 7);
    EXPECT_EQ(KindNumber(EditModeModel::FamilyOf(EditModeOfNumber(2)).checkedRadioKind), 7);
    EXPECT_FALSE(EditModeModel::FamilyOf(EditModeOfNumber(2)).recolorOnPaletteChange);
    // The PC-8801 mode has no radio button of its own; "TMS9918" is checked behind the
    // hidden panel.
    EXPECT_EQ(KindNumber(EditModeModel::FamilyOf(EditModeOfNumber(3)).kind), 6);
    EXPECT_EQ(KindNumber(EditModeModel::FamilyOf(EditModeOfNumber(3)).checkedRadioKind), 0);
}

TEST(PixelAspect, LabelFollowsTheMode) {
    EXPECT_EQ(std::string(EditModeModel::PixelAspectText(EditModeOfNumber(0))), "Pixel 1:1");
    EXPECT_EQ(std::string(EditModeModel::PixelAspectText(EditModeOfNumber(1))), "Pixel 2:1");
    EXPECT_EQ(std::string(EditModeModel::PixelAspectText(EditModeOfNumber(2))), "Pixel 1:1");
    EXPECT_EQ(std::string(EditModeModel::PixelAspectText(EditModeOfNumber(3))), "Pixel 1:2");
}

TEST(SelectPaletteControls, EditModeChoiceOfEachKind) {
    for (int kind = 0; kind <= 5; ++kind)
        EXPECT_EQ(EditModeModel::ChoiceOfKind(kind), EditModeOfNumber(0)) << kind;
    EXPECT_EQ(EditModeModel::ChoiceOfKind(6), EditModeOfNumber(3));
    for (int kind = 7; kind <= 14; ++kind)
        EXPECT_EQ(EditModeModel::ChoiceOfKind(kind), EditModeOfNumber(2)) << kind;
    EXPECT_FALSE(EditModeModel::ChoiceOfKind(15));
    EXPECT_FALSE(EditModeModel::ChoiceOfKind(-1));
}

TEST(EditModeDialog, OpensWithTheLastConfirmedChoice) {
    EditModeModel model;
    EXPECT_EQ(model.remembered(), EditModeId::Tms99x8);
    for (EditModeId mode : {EditModeId::Pc8801Tall, EditModeId::Pc6001Wide, EditModeId::Tms99x8}) {
        model.remember(mode);
        EXPECT_EQ(model.remembered(), mode);
    }
}

TEST(EditModeNumbers, ItemIndicesOutsideTheDialogFallBackToTheFirstMode) {
    for (int n = 0; n <= 3; ++n)
        EXPECT_EQ(EditModeNumber(EditModeOfNumber(n)), n);
    EXPECT_EQ(EditModeOfNumber(-1), EditModeId::Tms99x8);
    EXPECT_EQ(EditModeOfNumber(4), EditModeId::Tms99x8);
}
