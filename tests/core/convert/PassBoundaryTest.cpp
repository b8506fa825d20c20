#include "ConversionTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>

namespace murelo {
namespace {

using test::StateFor;

struct Variant {
    std::string name;
    int kind;
    std::function<void(ConversionParameters&)> set;
};

// Parameter sets that take each page's passes down their different roads.
std::vector<Variant> VariantsOf(ConverterPage page) {
    switch (page) {
    case ConverterPage::Tms9918:
        return {
            {"rules", KindTms9918, [](ConversionParameters&) {}},
            {"no rules, NTSC, contrast", KindTms9918,
             [](ConversionParameters& p) {
                 p.Rules9918 = false;
                 p.NtscWeighting = true;
                 p.Balance.Contrast = 160;
             }},
            {"half tone 1, no background", KindTms9918,
             [](ConversionParameters& p) {
                 p.HalfToneLevel = 1;
                 p.BackgroundColor = NoColor;
                 p.Balance.Brightness = 30;
             }},
            {"PC-8801 colours with index 0", KindPc8801, [](ConversionParameters&) {}},
            {"full dither, balance, TMS9929", KindTms9929,
             [](ConversionParameters& p) {
                 p.DitherStrength = 100;
                 p.Balance = {-30, 25, 0, 10, 150};
             }},
            {"four colours with a repeated entry, weak dither", KindColor4_1,
             [](ConversionParameters& p) { p.DitherStrength = 20; }},
            {"budget of 5 characters", KindTms9918,
             [](ConversionParameters& p) { p.Characters = 5; }},
            {"no rules, budget of 2 characters, weak dither", KindTms9929,
             [](ConversionParameters& p) {
                 p.Rules9918 = false;
                 p.DitherStrength = 30;
                 p.Characters = 2;
             }},
        };
    case ConverterPage::V9938:
        return {
            {"plain", KindTms9918, [](ConversionParameters&) {}},
            {"interlace", KindTms9918, [](ConversionParameters& p) { p.Interlace = true; }},
            {"odd line, balance", KindTms9918,
             [](ConversionParameters& p) {
                 p.OddLine = true;
                 p.Balance = {20, -40, 10, -15, 180};
             }},
        };
    case ConverterPage::V9958:
        return {
            {"normal", KindTms9918, [](ConversionParameters&) {}},
            {"grey Y, offsets", KindTms9918,
             [](ConversionParameters& p) {
                 p.ConvertType = 1;
                 p.Yjk = {30, -100, 100};
             }},
            {"grey NTSC", KindTms9918,
             [](ConversionParameters& p) {
                 p.ConvertType = 2;
                 p.Yjk = {-50, 20, 0};
             }},
        };
    case ConverterPage::Pc6001:
        return {
            {"Color 15", KindColor15, [](ConversionParameters& p) { p.P6Rules = true; }},
            {"Color 8, P6 Rules", KindColor8,
             [](ConversionParameters& p) {
                 p.P6Rules = true;
                 p.NtscWeighting = true;
                 p.HalfToneLevel = 2;
             }},
            {"Color 4-2", KindColor4_1 + 1, [](ConversionParameters&) {}},
        };
    case ConverterPage::Pc8801:
        return {
            {"digital", KindPc8801, [](ConversionParameters&) {}},
            {"analog, NTSC", KindPc8801,
             [](ConversionParameters& p) {
                 p.AnalogPalette = true;
                 p.NtscWeighting = true;
                 p.Balance.Contrast = 60;
             }},
            {"analog interlace", KindPc8801,
             [](ConversionParameters& p) {
                 p.AnalogPalette = true;
                 p.Interlace = true;
                 p.HalfToneLevel = 0;
             }},
        };
    }
    return {};
}

std::unique_ptr<ConversionState> Converted(const Picture& picture, const Variant& variant,
                                           ModeId mode, PassBudget budget) {
    auto state = StateFor(picture, variant.kind);
    variant.set(state->params);
    state->budget = budget;
    StartConversion(*state, mode);
    int passes = 1;
    // Every pass converts at least one unit, so the mode's end bounds the passes.
    while (!state->complete && passes <= state->work->end() + 1) {
        ContinueConversion(*state);
        ++passes;
    }
    return state;
}

void ExpectSameConversion(const Picture& picture) {
    for (const ModeDescriptor& d : AllModes()) {
        for (const Variant& variant : VariantsOf(d.page)) {
            SCOPED_TRACE(testing::Message() << d.caption << " (" << variant.name << ")");
            auto whole = Converted(picture, variant, d.id, PassBudget(60000));
            auto cut = Converted(picture, variant, d.id, PassBudget(60000, 1));
            ASSERT_TRUE(whole->complete);
            ASSERT_TRUE(cut->complete);
            EXPECT_EQ(cut->progress, whole->progress);
            EXPECT_EQ(whole->progress, whole->work->end());
            EXPECT_TRUE(cut->result == whole->result);
            EXPECT_TRUE(cut->screenBytes == whole->screenBytes);
            EXPECT_TRUE(cut->quantizerPalette == whole->quantizerPalette);
        }
    }
}

TEST(PassBoundaryTest, OddSizedPictureConvertsTheSameCutAfterEveryUnit) {
    ExpectSameConversion(test::NaturalPicture(37, 21, 7));
}

TEST(PassBoundaryTest, ScreenSizedPictureStoresTheSameBytesCutAfterEveryUnit) {
    // 256 wide: SCREEN 8 and the YJK modes fill the screen bytes.
    ExpectSameConversion(test::NaturalPicture(256, 18, 11));
}

TEST(PassBoundaryTest, APassEndsWhenItsTimeIsSpent) {
    auto state = StateFor(test::NaturalPicture(640, 640));
    state->budget = PassBudget(0); // spent at the first look at the clock
    EXPECT_FALSE(StartConversion(*state, ModeId::Graphic2));
    EXPECT_GT(state->progress, 0);
    EXPECT_LT(state->progress, 1000);
    const int before = state->progress;
    EXPECT_FALSE(ContinueConversion(*state));
    EXPECT_GT(state->progress, before);
}

TEST(PassBoundaryTest, TheDefaultBudgetFinishesASmallPictureInOnePass) {
    auto state = StateFor(test::NaturalPicture(64, 64));
    EXPECT_EQ(state->budget.budgetMs(), PassBudgetMs);
    EXPECT_TRUE(StartConversion(*state, ModeId::Screen8FloydSteinberg));
}

} // namespace
} // namespace murelo
