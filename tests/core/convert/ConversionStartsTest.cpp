#include "ConversionTestSupport.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace murelo {
namespace {

using test::StateFor;

struct StartCase {
    ConverterPage page;
    int mode;
    int editMode;
    bool coarse;
};

// EditMode and coarse preview of every mode, as the starts table gives them.
const StartCase Starts[] = {
    {ConverterPage::Tms9918, 0, 0, true},  {ConverterPage::Tms9918, 1, 0, false},
    {ConverterPage::Tms9918, 2, 0, false}, {ConverterPage::Tms9918, 3, 0, true},
    {ConverterPage::V9938, 0, 0, false},   {ConverterPage::V9938, 1, 0, false},
    {ConverterPage::V9938, 2, 0, false},   {ConverterPage::V9938, 3, 0, false},
    {ConverterPage::V9938, 4, 0, false},   {ConverterPage::V9938, 5, 0, false},
    {ConverterPage::V9938, 6, 0, false},   {ConverterPage::V9958, 0, 0, false},
    {ConverterPage::V9958, 1, 0, false},   {ConverterPage::Pc6001, 0, 2, true},
    {ConverterPage::Pc6001, 1, 1, true},   {ConverterPage::Pc6001, 2, 2, true},
    {ConverterPage::Pc6001, 3, 1, false},  {ConverterPage::Pc6001, 4, 1, false},
    {ConverterPage::Pc6001, 5, 2, false},  {ConverterPage::Pc6001, 6, 1, false},
    {ConverterPage::Pc8801, 0, 3, true},   {ConverterPage::Pc8801, 1, 3, true},
    {ConverterPage::Pc8801, 2, 3, true},   {ConverterPage::Pc8801, 3, 3, true},
    {ConverterPage::Pc8801, 4, 3, false},  {ConverterPage::Pc8801, 5, 3, false},
    {ConverterPage::Pc8801, 6, 3, false},
};

int KindOfPage(ConverterPage page) {
    switch (page) {
    case ConverterPage::Pc6001:
        return KindColor15;
    case ConverterPage::Pc8801:
        return KindPc8801;
    default:
        return KindTms9918;
    }
}

// The source: white with one palette colour in the top-left pixel of the first block, so
// the coarse preview shows that colour where the source is white.
Picture StartPicture(int kind) {
    Picture picture(26, 18, 0xFFFFFF);
    picture.setPixel(0, 0, PaletteColor(kind, 2));
    return picture;
}

TEST(ConversionStartsTest, EveryModeSetsItsEditModeAndStartsFromTheSource) {
    for (const StartCase& c : Starts) {
        const int kind = KindOfPage(c.page);
        auto state = StateFor(StartPicture(kind), kind);
        state->result = Picture(26, 18, 0xFF00FF); // an earlier conversion's result
        state->EditMode = 3 - c.editMode;
        EXPECT_EQ(ModeStartOf(c.page, c.mode).coarsePreview, c.coarse);
        PrepareConversion(*state, c.page, c.mode);
        SCOPED_TRACE(testing::Message() << "page " << int(c.page) << " mode " << c.mode);
        EXPECT_EQ(state->EditMode, c.editMode);
        EXPECT_EQ(state->ConversionProgress, 0);
        EXPECT_EQ(state->ConversionMode, c.mode);
        EXPECT_EQ(state->page, c.page);
        EXPECT_FALSE(state->complete);
        EXPECT_EQ(state->result.pixel(5, 6),
                  c.coarse ? PaletteColor(kind, 2) : state->source.pixel(5, 6));
        // Outside the whole 8 x 8 blocks every start shows the source.
        EXPECT_EQ(state->result.pixel(25, 17), 0xFFFFFF);
        EXPECT_EQ(state->result.pixel(5, 17), 0xFFFFFF);
        if (!c.coarse) {
            EXPECT_EQ(state->result, state->source);
        }
    }
}

struct TotalCase {
    ConverterPage page;
    int mode;
    int kind;
    void (*set)(ConversionParameters&);
    int width, height;
    int total;
};

void NoChange(ConversionParameters&) {}
void NoRules(ConversionParameters& p) {
    p.Rules9918 = false;
}
void Interlace(ConversionParameters& p) {
    p.Interlace = true;
}
void P6Rules(ConversionParameters& p) {
    p.P6Rules = true;
}

const TotalCase Totals[] = {
    // Graphic 2 with "9918 Rules" includes index W*H, where the last run is settled.
    {ConverterPage::Tms9918, 0, KindTms9918, NoChange, 256, 192, 256 * 192 + 1},
    {ConverterPage::Tms9918, 0, KindTms9918, NoRules, 256, 192, 256 * 192},
    {ConverterPage::Tms9918, 1, KindTms9918, NoChange, 256, 192, 1},
    {ConverterPage::Tms9918, 2, KindTms9918, NoChange, 255, 191, 255 * 191},
    {ConverterPage::V9938, 0, KindTms9918, NoChange, 255, 3, 765},
    {ConverterPage::V9938, 0, KindTms9918, Interlace, 255, 3, 127 * 3}, // not 765 / 2 = 382
    {ConverterPage::V9938, 1, KindTms9918, Interlace, 255, 3, 765},
    {ConverterPage::V9938, 2, KindTms9918, NoChange, 255, 3, 765},
    {ConverterPage::V9938, 3, KindTms9918, NoChange, 256, 212, 256 * 212},
    {ConverterPage::V9938, 6, KindTms9918, NoChange, 256, 212, 256 * 212},
    {ConverterPage::V9958, 0, KindTms9918, NoChange, 256, 212, 256 * 212},
    {ConverterPage::V9958, 1, KindTms9918, NoChange, 250, 10, 2500},
    {ConverterPage::Pc6001, 0, KindColor15, NoChange, 256, 192, 256 * 192},
    {ConverterPage::Pc6001, 1, KindColor15, P6Rules, 255, 192, 127 * 192},
    {ConverterPage::Pc6001, 1, KindColor8, NoChange, 256, 192, 128 * 192},
    {ConverterPage::Pc6001, 1, KindColor8, P6Rules, 256, 192, 2048},
    {ConverterPage::Pc6001, 1, KindColor8, P6Rules, 320, 200, 16 * 160},
    {ConverterPage::Pc6001, 2, KindColor15, NoChange, 640, 400, 640 * 400},
    {ConverterPage::Pc6001, 3, KindColor15, NoChange, 256, 192, 1},
    {ConverterPage::Pc6001, 4, KindColor15, NoChange, 256, 192, 1},
    {ConverterPage::Pc6001, 5, KindColor15, NoChange, 256, 192, 256 * 192},
    {ConverterPage::Pc6001, 6, KindColor15, NoChange, 255, 192, 127 * 192},
    {ConverterPage::Pc8801, 0, KindPc8801, NoChange, 640, 400, 640 * 400},
    {ConverterPage::Pc8801, 3, KindPc8801, NoChange, 640, 201, 640 * 201},
    {ConverterPage::Pc8801, 6, KindPc8801, NoChange, 640, 400, 640 * 400},
};

TEST(ConversionStartsTest, TotalsAreThePassesOwnEnds) {
    for (const TotalCase& c : Totals) {
        auto state = StateFor(Picture(c.width, c.height, RgbColor(90, 160, 30)), c.kind);
        c.set(state->params);
        const ConversionPlan plan = PrepareConversion(*state, c.page, c.mode);
        SCOPED_TRACE(testing::Message() << "page " << int(c.page) << " mode " << c.mode << " "
                                        << c.width << "x" << c.height);
        EXPECT_EQ(plan.end, c.total);
        ASSERT_NE(plan.pass, nullptr);
    }
}

TEST(ConversionStartsTest, WholeModesFinishInsideTheStart) {
    for (auto [page, mode] :
         {std::pair{ConverterPage::Tms9918, 1}, std::pair{ConverterPage::Pc6001, 3},
          std::pair{ConverterPage::Pc6001, 4}}) {
        EXPECT_TRUE(ModeStartOf(page, mode).runsWhole);
        auto state = StateFor(test::NaturalPicture(64, 48), KindOfPage(page));
        state->budget = PassBudget(PassBudgetMs, 1);
        EXPECT_TRUE(StartConversion(*state, page, mode));
        EXPECT_TRUE(state->complete);
    }
    EXPECT_FALSE(ModeStartOf(ConverterPage::Tms9918, 0).runsWhole);
}

TEST(ConversionStartsTest, EveryConversionReachesItsEndAndFinishes) {
    for (const StartCase& c : Starts) {
        auto state = StateFor(test::NaturalPicture(33, 17), KindOfPage(c.page));
        state->budget = PassBudget(PassBudgetMs, 97);
        StartConversion(*state, c.page, c.mode);
        int passes = 1;
        while (!ContinueConversion(*state))
            ++passes;
        EXPECT_EQ(state->ConversionProgress, state->plan.end);
        EXPECT_LE(passes, state->plan.end / 97 + 2);
    }
}

TEST(ConversionStartsTest, AStartWhileConvertingBeginsAgainFromTheSource) {
    auto state = StateFor(test::NaturalPicture(40, 24));
    state->budget = PassBudget(PassBudgetMs, 100);
    EXPECT_FALSE(StartConversion(*state, ConverterPage::Tms9918, 0));
    EXPECT_EQ(state->ConversionProgress, 100);
    PrepareConversion(*state, ConverterPage::V9938, 3);
    EXPECT_EQ(state->ConversionProgress, 0);
    EXPECT_EQ(state->ConversionMode, 3);
    EXPECT_FALSE(state->complete);
    EXPECT_EQ(state->result, state->source);
}

TEST(ConversionStartsTest, ModesOutsideTheListsAreRefused) {
    auto state = StateFor(Picture(8, 8));
    EXPECT_THROW(PrepareConversion(*state, ConverterPage::Tms9918, 4), std::out_of_range);
    EXPECT_THROW(PrepareConversion(*state, ConverterPage::V9958, 2), std::out_of_range);
    EXPECT_THROW(PrepareConversion(*state, ConverterPage::Pc8801, -1), std::out_of_range);
    EXPECT_EQ(ModeCount(ConverterPage::Tms9918), 4);
    EXPECT_EQ(ModeCount(ConverterPage::V9938), 7);
    EXPECT_EQ(ModeCount(ConverterPage::V9958), 2);
    EXPECT_EQ(ModeCount(ConverterPage::Pc6001), 7);
    EXPECT_EQ(ModeCount(ConverterPage::Pc8801), 7);
}

} // namespace
} // namespace murelo
