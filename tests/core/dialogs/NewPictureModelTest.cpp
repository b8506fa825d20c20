#include "core/dialogs/NewPictureModel.h"

#include <gtest/gtest.h>

#include <string>

using namespace murelo;

TEST(CustomWidth, RoundsUpToWholeCellsWithinLimits) {
    EXPECT_EQ(NewPictureModel::ValidateCustomWidth(1, EditModeOfNumber(0)), 8);
    EXPECT_EQ(NewPictureModel::ValidateCustomWidth(0, EditModeOfNumber(0)), 8); // an empty edit
    EXPECT_EQ(NewPictureModel::ValidateCustomWidth(8, EditModeOfNumber(0)), 8);
    EXPECT_EQ(NewPictureModel::ValidateCustomWidth(9, EditModeOfNumber(0)), 16);
    EXPECT_EQ(NewPictureModel::ValidateCustomWidth(250, EditModeOfNumber(0)), 256);
    EXPECT_EQ(NewPictureModel::ValidateCustomWidth(700, EditModeOfNumber(2)), 640);
    EXPECT_EQ(NewPictureModel::ValidateCustomWidth(640, EditModeOfNumber(3)), 640);
}

TEST(CustomWidth, WidePixelModeStopsAtHalfThePictureLimit) {
    EXPECT_EQ(NewPictureModel::ValidateCustomWidth(400, EditModeOfNumber(1)), 320);
    EXPECT_EQ(NewPictureModel::ValidateCustomWidth(320, EditModeOfNumber(1)), 320);
    EXPECT_EQ(NewPictureModel::ValidateCustomWidth(313, EditModeOfNumber(1)), 320);
    EXPECT_EQ(NewPictureModel::PhysicalSize(320, 100, EditModeOfNumber(1)).width, 640);
    EXPECT_EQ(NewPictureModel::PhysicalSize(320, 100, EditModeOfNumber(1)).height, 100);
}

TEST(CustomHeight, RoundsUpToFourRowsAndNeverBelowEight) {
    EXPECT_EQ(NewPictureModel::ValidateCustomHeight(3, EditModeOfNumber(0)), 8); // 4 is below 5
    EXPECT_EQ(NewPictureModel::ValidateCustomHeight(4, EditModeOfNumber(0)), 8);
    EXPECT_EQ(NewPictureModel::ValidateCustomHeight(5, EditModeOfNumber(0)), 8);
    EXPECT_EQ(NewPictureModel::ValidateCustomHeight(0, EditModeOfNumber(0)), 8);
    EXPECT_EQ(NewPictureModel::ValidateCustomHeight(9, EditModeOfNumber(0)), 12);
    EXPECT_EQ(NewPictureModel::ValidateCustomHeight(212, EditModeOfNumber(0)), 212);
    EXPECT_EQ(NewPictureModel::ValidateCustomHeight(999, EditModeOfNumber(1)), 640);
}

TEST(CustomHeight, TallPixelModeStopsAtHalfThePictureLimit) {
    EXPECT_EQ(NewPictureModel::ValidateCustomHeight(330, EditModeOfNumber(3)), 320);
    EXPECT_EQ(NewPictureModel::ValidateCustomHeight(330, EditModeOfNumber(0)), 332);
    EXPECT_EQ(NewPictureModel::PhysicalSize(256, 320, EditModeOfNumber(3)).height, 640);
    EXPECT_EQ(NewPictureModel::PhysicalSize(256, 320, EditModeOfNumber(3)).width, 256);
    EXPECT_EQ(NewPictureModel::PhysicalSize(256, 320, EditModeOfNumber(0)).height, 320);
}

TEST(SizeEdit, EmptyOrGarbageCountsAsZero) {
    EXPECT_EQ(NewPictureModel::ParseSizeEdit(""), 0);
    EXPECT_EQ(NewPictureModel::ParseSizeEdit("abc"), 0);
    EXPECT_EQ(NewPictureModel::ParseSizeEdit("-5"), 0);
    EXPECT_EQ(NewPictureModel::ParseSizeEdit("250"), 250);
    EXPECT_EQ(NewPictureModel::ValidateCustomWidth(NewPictureModel::ParseSizeEdit(""),
                                                   EditModeOfNumber(0)),
              8);
}

TEST(Presets, EachModeHasItsCaptionSizeAndFamily) {
    const NewPicturePreset m0 = NewPictureModel::PresetFor(EditModeOfNumber(0));
    EXPECT_EQ(std::string(m0.caption), "256 x 192");
    EXPECT_EQ(m0.width, 256);
    EXPECT_EQ(m0.height, 192);
    EXPECT_EQ(KindNumber(m0.paletteKind), 0);

    const NewPicturePreset m1 = NewPictureModel::PresetFor(EditModeOfNumber(1));
    EXPECT_EQ(std::string(m1.caption), "128 x 192");
    EXPECT_EQ(m1.width, 256); // 128 logical pixels, each two wide
    EXPECT_EQ(m1.height, 192);
    EXPECT_EQ(KindNumber(m1.paletteKind), 7);

    const NewPicturePreset m2 = NewPictureModel::PresetFor(EditModeOfNumber(2));
    EXPECT_EQ(std::string(m2.caption), "256 x 192");
    EXPECT_EQ(KindNumber(m2.paletteKind), 7);

    const NewPicturePreset m3 = NewPictureModel::PresetFor(EditModeOfNumber(3));
    EXPECT_EQ(std::string(m3.caption), "640 x 200");
    EXPECT_EQ(m3.width, 640);
    EXPECT_EQ(m3.height, 400);
    EXPECT_EQ(KindNumber(m3.paletteKind), 6);
}

TEST(WhiteChoice, OfferedOnlyForKindsWithWhite) {
    for (int kind : {0, 5, 6, 7, 8, 10, 14}) {
        EXPECT_TRUE(NewPictureModel::WhiteChoiceFor(static_cast<PaletteKindId>(kind)).whiteEnabled)
            << kind;
        EXPECT_FALSE(NewPictureModel::WhiteChoiceFor(static_cast<PaletteKindId>(kind)).selectColor)
            << kind;
    }
    for (int kind : {9, 11, 12, 13}) {
        EXPECT_FALSE(NewPictureModel::WhiteChoiceFor(static_cast<PaletteKindId>(kind)).whiteEnabled)
            << kind;
        EXPECT_TRUE(NewPictureModel::WhiteChoiceFor(static_cast<PaletteKindId>(kind)).selectColor)
            << kind;
    }
}

TEST(NewDialog, CancelReturnsToTheModeAndPaletteItWasOpenedWith) {
    NewPictureModel model;
    model.open({EditModeId::Pc6001Wide, PaletteKindId::Color4_3});
    model.chooseMode(EditModeId::Pc8801Tall); // tried out, then Cancel
    const auto back = model.close();
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->editMode, EditModeId::Pc6001Wide);
    EXPECT_EQ(back->paletteKind, PaletteKindId::Color4_3);
}

TEST(NewDialog, OkKeepsTheTriedModeAndTheNextCancelReturnsAgain) {
    NewPictureModel model;
    model.open({EditModeId::Tms99x8, PaletteKindId::Tms9929});
    model.chooseMode(EditModeId::Pc6001);
    model.confirm();
    EXPECT_FALSE(model.close().has_value());
    // Closing again (the window manager after OK) or a later Cancel is not confirmed.
    model.open({EditModeId::Pc6001, PaletteKindId::Color15});
    const auto back = model.close();
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->editMode, EditModeId::Pc6001);
}

TEST(NewDialog, OkMakesThePresetOrTheCustomSizeOfTheChosenMode) {
    NewPictureModel model;
    model.chooseMode(EditModeId::Pc8801Tall);
    const struct {
        bool custom;
        int w, h;
        EditModeId mode;
        int expectedW, expectedH;
    } cases[] = {
        {false, 8, 8, EditModeId::Pc8801Tall, 640, 400}, // the preset, edits ignored
        {true, 64, 100, EditModeId::Pc8801Tall, 64, 200},
        {true, 64, 100, EditModeId::Pc6001Wide, 128, 100},
        {true, 64, 100, EditModeId::Tms99x8, 64, 100},
    };
    for (const auto& c : cases) {
        const PictureSize size = model.sizeToMake(c.custom, c.w, c.h, c.mode);
        EXPECT_EQ(size.width, c.expectedW) << c.w << "x" << c.h;
        EXPECT_EQ(size.height, c.expectedH) << c.w << "x" << c.h;
    }
    EXPECT_EQ(std::string(model.preset().caption), "640 x 200");
}
