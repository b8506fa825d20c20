#include "core/dialogs/NewPictureRules.h"

#include <gtest/gtest.h>

#include <string>

using namespace murelo;

TEST(CustomWidth, RoundsUpToWholeCellsWithinLimits) {
    EXPECT_EQ(ValidateCustomWidth(1, 0), 8);
    EXPECT_EQ(ValidateCustomWidth(0, 0), 8); // an empty edit
    EXPECT_EQ(ValidateCustomWidth(8, 0), 8);
    EXPECT_EQ(ValidateCustomWidth(9, 0), 16);
    EXPECT_EQ(ValidateCustomWidth(250, 0), 256);
    EXPECT_EQ(ValidateCustomWidth(700, 2), 640);
    EXPECT_EQ(ValidateCustomWidth(640, 3), 640);
}

TEST(CustomWidth, WidePixelModeStopsAtHalfThePictureLimit) {
    EXPECT_EQ(ValidateCustomWidth(400, 1), 320);
    EXPECT_EQ(ValidateCustomWidth(320, 1), 320);
    EXPECT_EQ(ValidateCustomWidth(313, 1), 320);
    EXPECT_EQ(PhysicalSize(320, 100, 1).width, 640);
    EXPECT_EQ(PhysicalSize(320, 100, 1).height, 100);
}

TEST(CustomHeight, RoundsUpToFourRowsAndNeverBelowEight) {
    EXPECT_EQ(ValidateCustomHeight(3, 0), 8); // 4 is below 5
    EXPECT_EQ(ValidateCustomHeight(4, 0), 8);
    EXPECT_EQ(ValidateCustomHeight(5, 0), 8);
    EXPECT_EQ(ValidateCustomHeight(0, 0), 8);
    EXPECT_EQ(ValidateCustomHeight(9, 0), 12);
    EXPECT_EQ(ValidateCustomHeight(212, 0), 212);
    EXPECT_EQ(ValidateCustomHeight(999, 1), 640);
}

TEST(CustomHeight, TallPixelModeStopsAtHalfThePictureLimit) {
    EXPECT_EQ(ValidateCustomHeight(330, 3), 320);
    EXPECT_EQ(ValidateCustomHeight(330, 0), 332);
    EXPECT_EQ(PhysicalSize(256, 320, 3).height, 640);
    EXPECT_EQ(PhysicalSize(256, 320, 3).width, 256);
    EXPECT_EQ(PhysicalSize(256, 320, 0).height, 320);
}

TEST(SizeEdit, EmptyOrGarbageCountsAsZero) {
    EXPECT_EQ(ParseSizeEdit(""), 0);
    EXPECT_EQ(ParseSizeEdit("abc"), 0);
    EXPECT_EQ(ParseSizeEdit("-5"), 0);
    EXPECT_EQ(ParseSizeEdit("250"), 250);
    EXPECT_EQ(ValidateCustomWidth(ParseSizeEdit(""), 0), 8);
}

TEST(Presets, EachModeHasItsCaptionSizeAndFamily) {
    const NewPicturePreset m0 = PresetForEditMode(0);
    EXPECT_EQ(std::string(m0.caption), "256 x 192");
    EXPECT_EQ(m0.width, 256);
    EXPECT_EQ(m0.height, 192);
    EXPECT_EQ(m0.paletteKind, 0);

    const NewPicturePreset m1 = PresetForEditMode(1);
    EXPECT_EQ(std::string(m1.caption), "128 x 192");
    EXPECT_EQ(m1.width, 256); // 128 logical pixels, each two wide
    EXPECT_EQ(m1.height, 192);
    EXPECT_EQ(m1.paletteKind, 7);

    const NewPicturePreset m2 = PresetForEditMode(2);
    EXPECT_EQ(std::string(m2.caption), "256 x 192");
    EXPECT_EQ(m2.paletteKind, 7);

    const NewPicturePreset m3 = PresetForEditMode(3);
    EXPECT_EQ(std::string(m3.caption), "640 x 200");
    EXPECT_EQ(m3.width, 640);
    EXPECT_EQ(m3.height, 400);
    EXPECT_EQ(m3.paletteKind, 6);
}
