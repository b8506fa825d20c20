#include "core/editor/ColorCheck.h"
#include "core/editor/ScreenBuffer.h"
#include "core/palette/Palettes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace murelo {
namespace {

constexpr int Tms = KindTms9918;
constexpr ColorValue Foreign = 0x123456; // in no palette

ColorValue Tms9918(int index) {
    return PaletteColor(Tms, index);
}

Picture Blank(int width = 256, int height = 192, int index = 15) {
    return Picture(width, height, Tms9918(index));
}

void SetRun(Picture& picture, int x0, int y, const std::vector<ColorValue>& colours) {
    for (std::size_t p = 0; p < colours.size(); ++p)
        picture.setPixel(x0 + int(p), y, colours[p]);
}

ColorCheckResult Check(const Picture& picture, int kind = Tms) {
    Picture overlay;
    return ColorCheck(picture, kind, false, overlay, {});
}

int MarksIn(const Picture& overlay) {
    return int(std::count(overlay.pixels().begin(), overlay.pixels().end(), CheckOverlayMark));
}

TEST(ColorCheckText, BlankPictureReportsNoError) {
    Picture overlay(3, 3, 0x112233);
    const ColorCheckResult r = ColorCheck(Blank(), Tms, false, overlay, {});
    EXPECT_EQ(r.result, 0);
    EXPECT_EQ(r.messageText, "Error(s):\n\n\nError Total: 0\n");
    EXPECT_FALSE(r.errorsShown);
    EXPECT_EQ(ColorCheckBoxText(r.result), "OK!");
    ASSERT_EQ(overlay.width(), 256);
    ASSERT_EQ(overlay.height(), 192);
    EXPECT_EQ(MarksIn(overlay), 0);
    EXPECT_TRUE(std::all_of(overlay.pixels().begin(), overlay.pixels().end(),
                            [](ColorValue c) { return c == 0x202020; }));
}

TEST(ColorCheckText, BoxTexts) {
    EXPECT_EQ(ColorCheckBoxText(-1), "Canceled..");
    EXPECT_EQ(ColorCheckBoxText(1), "Some errors were found!");
    EXPECT_EQ(ColorCheckBoxText(0), "OK!");
    EXPECT_EQ(ColorCheckCaption, "Color Check");
}

TEST(ColorCheckRuns, ThirdColourIsOneRunOffenceMarkingTheWholeRun) {
    Picture picture = Blank();
    const ColorValue p = Tms9918(2), q = Tms9918(4), r = Tms9918(6);
    SetRun(picture, 24, 10, {p, p, q, q, r, r, r, r});
    Picture overlay;
    const ColorCheckResult res = ColorCheck(picture, Tms, false, overlay, {});
    EXPECT_EQ(res.result, 1);
    EXPECT_EQ(res.messageText, "Error(s):\n\nLine : (  28,  10 )\n\nError Total: 1\n");
    EXPECT_TRUE(res.errorsShown);
    EXPECT_EQ(ColorCheckBoxText(res.result), "Some errors were found!");
    for (int x = 24; x < 32; ++x)
        EXPECT_EQ(overlay.pixel(x, 10), CheckOverlayMark) << x;
    EXPECT_EQ(overlay.pixel(23, 10), CheckOverlayBackground);
    EXPECT_EQ(overlay.pixel(32, 10), CheckOverlayBackground);
    EXPECT_EQ(MarksIn(overlay), 8);
}

TEST(ColorCheckRuns, PixelsAfterTheThirdColourAreNotExamined) {
    Picture picture = Blank();
    const ColorValue p = Tms9918(2), q = Tms9918(4), r = Tms9918(6);
    // Pixels 5..7 would be colour offences if they were looked at.
    SetRun(picture, 0, 0, {p, p, q, q, r, Foreign, Foreign, Foreign});
    const ColorCheckResult res = Check(picture);
    EXPECT_EQ(res.result, 1);
    EXPECT_EQ(res.messageText, "Error(s):\n\nLine : (   4,   0 )\n\nError Total: 1\n");
}

TEST(ColorCheckRuns, ThirdColourOutsideThePaletteCountsTwice) {
    Picture picture = Blank();
    const ColorValue p = Tms9918(2), q = Tms9918(4);
    SetRun(picture, 8, 1, {p, q, Foreign, Foreign, Foreign, Foreign, Foreign, Foreign});
    const ColorCheckResult res = Check(picture);
    EXPECT_EQ(res.result, 2);
    EXPECT_EQ(res.messageText,
              "Error(s):\n\nLine : (  10,   1 )\nColor: (  10,   1 )\n\nError Total: 2\n");
}

TEST(ColorCheckRuns, TwoColoursAreAllowed) {
    Picture picture = Blank();
    SetRun(picture, 0, 0,
           {Tms9918(3), Tms9918(9), Tms9918(3), Tms9918(9), Tms9918(9), Tms9918(3), Tms9918(3),
            Tms9918(3)});
    EXPECT_EQ(Check(picture).result, 0);
}

TEST(ColorCheckColours, FirstPixelOutsideThePaletteAndItsRepeats) {
    Picture picture = Blank();
    const ColorValue p = Tms9918(7);
    SetRun(picture, 0, 0, {Foreign, Foreign, p, Foreign, p, p, p, p});
    Picture overlay;
    const ColorCheckResult res = ColorCheck(picture, Tms, false, overlay, {});
    EXPECT_EQ(res.result, 3);
    EXPECT_EQ(res.messageText, "Error(s):\n\n"
                               "Color: (   0,   0 )\n"
                               "Color: (   1,   0 )\n"
                               "Color: (   3,   0 )\n"
                               "\nError Total: 3\n");
    EXPECT_EQ(overlay.pixel(0, 0), CheckOverlayMark);
    EXPECT_EQ(overlay.pixel(1, 0), CheckOverlayMark);
    EXPECT_EQ(overlay.pixel(2, 0), CheckOverlayBackground);
    EXPECT_EQ(overlay.pixel(3, 0), CheckOverlayMark);
    EXPECT_EQ(MarksIn(overlay), 3);
}

TEST(ColorCheckColours, FillerEntryOfAShortPaletteIsAnOffence) {
    // 080808 is entry 8 of the short palettes, past the usable indices.
    Picture picture(16, 8, FromRrggbb(0x0000FF));
    picture.setPixel(5, 2, FromRrggbb(0x080808));
    const ColorCheckResult fourColour = Check(picture, KindColor4_1);
    EXPECT_EQ(fourColour.result, 1);
    EXPECT_EQ(fourColour.messageText, "Error(s):\n\nColor: (   5,   2 )\n\nError Total: 1\n");
    EXPECT_EQ(Check(picture, KindPc8801).result, 1);
}

TEST(ColorCheckColours, TransparentGreyIsOutsideTheEightColourSet) {
    Picture picture(8, 8, FromRrggbb(0xFFFFFF));
    picture.setPixel(0, 0, FromRrggbb(0x202020));
    EXPECT_EQ(Check(picture, KindPc8801).result, 1);
    EXPECT_EQ(Check(picture, KindTms9918).result, 0);
}

std::string ListedColourLines(int count) {
    std::string lines;
    char line[32];
    for (int i = 0; i < count; ++i) {
        std::snprintf(line, sizeof line, "Color: ( %3d,   0 )\n", 8 * i);
        lines += line;
    }
    return lines;
}

Picture WithForeignRunStarts(int count) {
    Picture picture = Blank();
    for (int i = 0; i < count; ++i)
        picture.setPixel(8 * i, 0, Foreign);
    return picture;
}

TEST(ColorCheckList, TwentyFiveOffencesListTwentyAndCountAll) {
    Picture overlay;
    const ColorCheckResult res = ColorCheck(WithForeignRunStarts(25), Tms, false, overlay, {});
    EXPECT_EQ(res.result, 25);
    EXPECT_EQ(res.messageText, "Error(s):\n\n" + ListedColourLines(20) +
                                   "\nAn error is displayed to 20.\nError Total: 25\n");
    EXPECT_EQ(overlay.pixel(8 * 24, 0), CheckOverlayMark); // unlisted ones are still marked
    EXPECT_EQ(MarksIn(overlay), 25);
}

TEST(ColorCheckList, TwentyOffencesNeedNoNote) {
    EXPECT_EQ(Check(WithForeignRunStarts(20)).messageText,
              "Error(s):\n\n" + ListedColourLines(20) + "\nError Total: 20\n");
    EXPECT_EQ(Check(WithForeignRunStarts(21)).messageText,
              "Error(s):\n\n" + ListedColourLines(20) +
                  "\nAn error is displayed to 20.\nError Total: 21\n");
}

TEST(ColorCheckGeometry, PartialCellColumnIsNotExamined) {
    Picture picture = Blank(250, 16);
    SetRun(picture, 248, 3, {Foreign, Tms9918(4)}); // would be a colour offence
    SetRun(picture, 248, 4, {Tms9918(2), Tms9918(4)});
    SetRun(picture, 240, 4, {Tms9918(2), Tms9918(2), Tms9918(4), Tms9918(4), Tms9918(15)});
    Picture overlay;
    const ColorCheckResult res = ColorCheck(picture, Tms, false, overlay, {});
    EXPECT_EQ(res.result, 1); // only the three-colour run of column 30
    EXPECT_EQ(res.messageText, "Error(s):\n\nLine : ( 244,   4 )\n\nError Total: 1\n");
    EXPECT_EQ(overlay.width(), 250);
    EXPECT_EQ(overlay.pixel(248, 3), CheckOverlayBackground);
}

TEST(ColorCheckGeometry, RowsBelowAShortLastCellRowCountAsNoOffence) {
    Picture picture = Blank(16, 12);
    EXPECT_EQ(Check(picture).result, 0);
    picture.setPixel(9, 11, Foreign); // the last real row is still checked
    EXPECT_EQ(Check(picture).messageText, "Error(s):\n\nColor: (   9,  11 )\n\nError Total: 1\n");
}

TEST(ColorCheckGeometry, EmptyPicture) {
    Picture overlay(4, 4);
    const ColorCheckResult res = ColorCheck(Picture(), Tms, true, overlay, {});
    EXPECT_EQ(res.result, 0);
    EXPECT_TRUE(overlay.empty());
}

TEST(ColorCheckProgress, ReportsEachCellRowAndEachRun) {
    std::vector<int> percents;
    int runs = 0;
    ColorCheckHooks hooks;
    hooks.progress = [&](int percent) { percents.push_back(percent); };
    hooks.runChecked = [&] { ++runs; };
    Picture overlay;
    ColorCheck(Blank(256, 20), Tms, false, overlay, {}, hooks);
    EXPECT_EQ(percents, (std::vector<int>{0, 33, 66}));
    EXPECT_EQ(runs, 32 * 20);
}

TEST(ColorCheckCancel, StopsAfterTheCurrentCellRow) {
    Picture picture = Blank();
    for (int k = 0; k < 24; ++k)
        picture.setPixel(0, 8 * k, Foreign);
    int asked = 0;
    std::vector<int> percents;
    ColorCheckHooks hooks;
    hooks.progress = [&](int percent) { percents.push_back(percent); };
    hooks.cancelRequested = [&] { return ++asked == 2; };
    Picture overlay;
    const ColorCheckResult res = ColorCheck(picture, Tms, false, overlay, {}, hooks);
    EXPECT_EQ(res.result, ColorCheckCanceled);
    EXPECT_EQ(res.errors, 2);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(percents, (std::vector<int>{0, 4}));
    EXPECT_EQ(res.messageText, "Error(s):\n\nColor: (   0,   0 )\nColor: (   0,   8 )\n"
                               "\nColor Check was Canceled..\nError Total: 2\n");
    EXPECT_EQ(ColorCheckBoxText(res.result), "Canceled..");
    EXPECT_EQ(overlay.pixel(0, 16), CheckOverlayBackground); // third cell row never checked
}

TEST(ColorCheckCancel, CancelledWithMoreThanTwentyOffences) {
    ColorCheckHooks hooks;
    hooks.cancelRequested = [] { return true; };
    Picture overlay;
    const ColorCheckResult res =
        ColorCheck(WithForeignRunStarts(25), Tms, false, overlay, {}, hooks);
    EXPECT_EQ(res.result, ColorCheckCanceled);
    EXPECT_EQ(res.messageText, "Error(s):\n\n" + ListedColourLines(20) +
                                   "\nAn error is displayed to 20."
                                   "\nColor Check was Canceled..\nError Total: 25\n");
}

TEST(ColorCheckCancel, CancelOnTheLastRowStillCounts) {
    ColorCheckHooks hooks;
    int asked = 0;
    hooks.cancelRequested = [&] { return ++asked == 24; };
    Picture overlay;
    EXPECT_EQ(ColorCheck(Blank(), Tms, false, overlay, {}, hooks).result, ColorCheckCanceled);
}

} // namespace
} // namespace murelo
