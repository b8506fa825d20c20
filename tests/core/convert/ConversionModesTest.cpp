// The table of conversion modes: every descriptor's caption, pixel mode, start, files and
// refusals, and how every mode starts, runs and finishes.
#include "ConversionTestSupport.h"

#include "core/convert/ScreenExportChecks.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

namespace murelo {
namespace {

using test::StateFor;
using M = ModeId;
using E = EditModeId;
using F = ScreenFileKind;

// One row per mode, written out apart from the table it checks: where the mode is listed,
// what it converts for, how it starts, what its buttons write, a picture its Export takes
// and the refusal of one it does not.
struct ModeRow {
    M mode;
    const char* page;
    int index;
    const char* caption;
    E editMode;
    bool coarse;
    bool runsWhole;
    F files;
    const char* dialog; // the Export's save dialog; "" without files
    const char* companion;
    int fitW, fitH;       // a size the Export takes (0: none)
    int refuseW, refuseH; // one it refuses
    const char* refusal;
};

const char* const Sc5Refusal =
    "SCREEN 5 files need a picture 256 wide and 1 to 212 high; this one is 512 x 212";
const char* const Sc6Refusal =
    "SCREEN 6 files need a picture 512 wide and 1 to 424 high; this one is 256 x 212";
const char* const Sc7Refusal =
    "SCREEN 7 files need a picture 512 wide and 1 to 424 high; this one is 512 x 425";
const char* const Sc8Refusal =
    "SCREEN 8 files need a picture 256 wide and 1 to 212 high; this one is 256 x 213";
const char* const TmsRefusal = "the TMS9918 page exports only Multi Color Mode (SCREEN 3)";
const char* const P6Refusal = "the PC-6x01 export needs 256 x 192 or 320 x 200 in modes 0, 1, 5 "
                              "and 6, or 640 x 400 in mode 2; this is 640 x 400 in mode ";
const char* const NoP6Export = "Pixel Aspect Ratio 4:4 and 4:6 have no export";
const char* const PlanesRefusal =
    "PC-8801 colour planes need a picture 640 wide and any height; this one is 320 x 200";

// clang-format off
const ModeRow Rows[] = {
    {M::Graphic2, "tms9918", 0, "Graphic 2 (SCREEN 2)", E::Tms99x8, true, false, F::None, "", "", 0, 0, 256, 192, TmsRefusal},
    {M::MultiColor, "tms9918", 1, "Multi Color Mode (SCREEN 3)", E::Tms99x8, false, true, F::Screen3, "SaveDialog5", "", 256, 192, 256, 191, "SCREEN 3 files need a picture 256 wide and 192 high; this one is 256 x 191"},
    {M::HalfTone, "tms9918", 2, "Half Tone", E::Tms99x8, false, false, F::None, "", "", 0, 0, 256, 192, TmsRefusal},
    {M::Graphic2Dithered, "tms9918", 3, "Graphic 2 (SCREEN 2) Dithered", E::Tms99x8, true, false, F::None, "", "", 0, 0, 256, 192, TmsRefusal},
    {M::Screen5, "v9938", 0, "Graphic 4 (SCREEN 5)", E::Tms99x8, false, false, F::Screen5, "SaveDialog4", "_SC5.bmp", 256, 212, 512, 212, Sc5Refusal},
    {M::Screen6, "v9938", 1, "Graphic 5 (SCREEN 6)", E::Tms99x8, false, false, F::Screen6, "SaveDialog6", "_SC6.bmp", 512, 424, 256, 212, Sc6Refusal},
    {M::Screen7, "v9938", 2, "Graphic 6 (SCREEN 7)", E::Tms99x8, false, false, F::Screen7, "SaveDialog3", "_SC7.bmp", 512, 1, 512, 425, Sc7Refusal},
    {M::Screen8, "v9938", 3, "Graphic 7 (SCREEN 8)", E::Tms99x8, false, false, F::Screen8, "SaveDialog2", "_SC8.bmp", 256, 212, 256, 213, Sc8Refusal},
    {M::Screen8Diffusion1D, "v9938", 4, "Graphic 7 (SCREEN 8) 1D Error Diffusion", E::Tms99x8, false, false, F::Screen8, "SaveDialog2", "_SC8.bmp", 256, 1, 256, 213, Sc8Refusal},
    {M::Screen8Diffusion2D, "v9938", 5, "Graphic 7 (SCREEN 8) 2D Error Diffusion", E::Tms99x8, false, false, F::Screen8, "SaveDialog2", "_SC8.bmp", 256, 100, 256, 213, Sc8Refusal},
    {M::Screen8FloydSteinberg, "v9938", 6, "Graphic 7 (SCREEN 8) Floyd-Steinberg", E::Tms99x8, false, false, F::Screen8, "SaveDialog2", "_SC8.bmp", 256, 192, 256, 213, Sc8Refusal},
    {M::Screen5Dithered, "v9938", 7, "Graphic 4 (SCREEN 5) Dithered", E::Tms99x8, false, false, F::Screen5, "SaveDialog4", "_SC5.bmp", 256, 100, 512, 212, Sc5Refusal},
    {M::Screen6Dithered, "v9938", 8, "Graphic 5 (SCREEN 6) Dithered", E::Tms99x8, false, false, F::Screen6, "SaveDialog6", "_SC6.bmp", 512, 212, 256, 212, Sc6Refusal},
    {M::Screen7Dithered, "v9938", 9, "Graphic 6 (SCREEN 7) Dithered", E::Tms99x8, false, false, F::Screen7, "SaveDialog3", "_SC7.bmp", 512, 424, 512, 425, Sc7Refusal},
    {M::Screen8Dithered, "v9938", 10, "Graphic 7 (SCREEN 8) Dithered", E::Tms99x8, false, false, F::Screen8, "SaveDialog2", "_SC8.bmp", 256, 212, 256, 213, Sc8Refusal},
    {M::Yjk10, "v9958", 0, "YJK Video Mode (SCREEN 10/11)", E::Tms99x8, false, false, F::Screen10, "SaveDialog7", "_S10.bmp", 256, 212, 255, 212, "SCREEN 10/11 files need a picture 256 wide and 1 to 212 high; this one is 255 x 212"},
    {M::Yjk12, "v9958", 1, "YJK Video Mode (SCREEN 12)", E::Tms99x8, false, false, F::Screen12, "SaveDialog1", "_S12.bmp", 256, 2, 256, 240, "SCREEN 12 files need a picture 256 wide and 1 to 212 high; this one is 256 x 240"},
    {M::Yjk10Dithered, "v9958", 2, "YJK Video Mode (SCREEN 10/11) Dithered", E::Tms99x8, false, false, F::Screen10WithPalette, "SaveDialog7", "_S10.bmp", 256, 212, 256, 213, "SCREEN 10/11 files need a picture 256 wide and 1 to 212 high; this one is 256 x 213"},
    {M::Yjk12Dithered, "v9958", 3, "YJK Video Mode (SCREEN 12) Dithered", E::Tms99x8, false, false, F::Screen12, "SaveDialog1", "_S12.bmp", 256, 100, 640, 400, "SCREEN 12 files need a picture 256 wide and 1 to 212 high; this one is 640 x 400"},
    {M::Pc6001Square, "pc6001", 0, "Pixel Aspect Ratio 1:1", E::Pc6001, true, false, F::Pc6001Bitmap, "SavePictureDialog1", "_P6.bmp", 256, 192, 640, 400, ""},
    {M::Pc6001Wide, "pc6001", 1, "Pixel Aspect Ratio 2:1", E::Pc6001Wide, true, false, F::Pc6001Bitmap, "SavePictureDialog1", "_P6.bmp", 320, 200, 640, 400, ""},
    {M::Pc6001Tall, "pc6001", 2, "Pixel Aspect Ratio 1:2", E::Pc6001, true, false, F::Pc6001BitmapTall, "SavePictureDialog1", "_P6.bmp", 640, 400, 256, 192, "the PC-6x01 export needs 256 x 192 or 320 x 200 in modes 0, 1, 5 and 6, or 640 x 400 in mode 2; this is 256 x 192 in mode 2"},
    {M::Pc6001Blocks4x4, "pc6001", 3, "Pixel Aspect Ratio 4:4", E::Pc6001Wide, false, true, F::None, "", "", 0, 0, 256, 192, NoP6Export},
    {M::Pc6001Blocks4x6, "pc6001", 4, "Pixel Aspect Ratio 4:6", E::Pc6001Wide, false, true, F::None, "", "", 0, 0, 256, 192, NoP6Export},
    {M::Pc6001HalfTone, "pc6001", 5, "Half Tone 1:1", E::Pc6001, false, false, F::Pc6001Bitmap, "SavePictureDialog1", "_P6.bmp", 320, 200, 640, 400, ""},
    {M::Pc6001WideHalfTone, "pc6001", 6, "Half Tone 2:1", E::Pc6001Wide, false, false, F::Pc6001Bitmap, "SavePictureDialog1", "_P6.bmp", 256, 192, 640, 400, ""},
    {M::Pc8801Tall, "pc8801", 0, "Pixel Aspect Ratio 1:2", E::Pc8801Tall, true, false, F::ColorPlanes, "SaveDialog10", "", 640, 400, 320, 200, PlanesRefusal},
    {M::Pc8801Diffusion1D, "pc8801", 1, "1D Error Diffusion", E::Pc8801Tall, true, false, F::ColorPlanes, "SaveDialog10", "", 640, 7, 320, 200, PlanesRefusal},
    {M::Pc8801Diffusion2D, "pc8801", 2, "2D Error Diffusion", E::Pc8801Tall, true, false, F::ColorPlanes, "SaveDialog10", "", 640, 400, 320, 200, PlanesRefusal},
    {M::Pc8801FloydSteinberg, "pc8801", 3, "Floyd-Steinberg", E::Pc8801Tall, true, false, F::ColorPlanes, "SaveDialog10", "", 640, 201, 320, 200, PlanesRefusal},
    {M::Pc8801ColorTone1, "pc8801", 4, "Color Tone 1", E::Pc8801Tall, false, false, F::ColorPlanes, "SaveDialog10", "", 640, 400, 320, 200, PlanesRefusal},
    {M::Pc8801ColorTone2, "pc8801", 5, "Color Tone 2", E::Pc8801Tall, false, false, F::ColorPlanes, "SaveDialog10", "", 640, 400, 320, 200, PlanesRefusal},
    {M::Pc8801HalfTone, "pc8801", 6, "Half Tone", E::Pc8801Tall, false, false, F::ColorPlanes, "SaveDialog10", "", 640, 200, 320, 200, PlanesRefusal},
};
// clang-format on

std::string Lines(const std::string& text, std::size_t from, std::size_t count) {
    std::istringstream in(text);
    std::string line, out;
    for (std::size_t i = 0; std::getline(in, line); ++i)
        if (i >= from && i < from + count)
            out += line + "\n";
    return out;
}

TEST(ConversionModesTest, EveryDescriptorListsStartsAndWritesAsItsRowSays) {
    ASSERT_EQ(std::size(Rows), AllModes().size()) << "a mode without a row, or a row too many";
    std::size_t line = 0;
    for (const ModeRow& r : Rows) {
        const ModeDescriptor& d = Describe(r.mode);
        SCOPED_TRACE(r.caption);
        const ConverterPage page = FindPage(r.page).value();
        EXPECT_EQ(d.page, page);
        EXPECT_EQ(IndexInPage(r.mode), r.index);
        EXPECT_EQ(ModeAt(page, r.index), r.mode);
        EXPECT_EQ(d.caption, r.caption);
        EXPECT_EQ(FindMode(page, std::to_string(r.index)), r.mode);
        std::string shouted(r.caption);
        for (char& c : shouted)
            c = char(std::toupper(static_cast<unsigned char>(c)));
        EXPECT_EQ(FindMode(page, shouted), r.mode) << "captions are found in any letter case";
        EXPECT_EQ(Lines(ModeListing(), line++, 1),
                  std::string(r.page) + " " + std::to_string(r.index) + " " + r.caption + "\n");
        EXPECT_EQ(d.editMode, r.editMode);
        EXPECT_EQ(d.coarsePreview, r.coarse);
        EXPECT_EQ(d.runsWhole, r.runsWhole);
        EXPECT_EQ(d.files, r.files);
        EXPECT_EQ(DialogInfo(InfoOf(d.files).dialog).objectName,
                  d.files == F::None ? "SavePictureDialog1" : r.dialog);
        EXPECT_EQ(CompanionSuffix(d.companion), r.companion);
        if (r.fitW > 0) {
            EXPECT_EQ(ExportRefusal(r.mode, false, r.fitW, r.fitH), "");
        }
        const std::string refusal = ExportRefusal(r.mode, false, r.refuseW, r.refuseH);
        const std::string expected = std::string(r.refusal).empty()
                                         ? std::string(P6Refusal) + std::to_string(r.index)
                                         : r.refusal;
        EXPECT_EQ(refusal, expected);
    }
}

TEST(ConversionModesTest, ModesAndPagesOutsideTheTableAreRefused) {
    EXPECT_EQ(ModeAt(ConverterPage::Tms9918, 4), std::nullopt);
    EXPECT_EQ(ModeAt(ConverterPage::V9958, 4), std::nullopt);
    EXPECT_EQ(ModeAt(ConverterPage::Pc8801, -1), std::nullopt);
    EXPECT_EQ(FindMode(ConverterPage::V9938, "Graphic 4 (SCREEN 5) Dithered!"), std::nullopt);
    EXPECT_EQ(FindMode(ConverterPage::Tms9918, ""), std::nullopt);
    EXPECT_EQ(FindMode(ConverterPage::Tms9918, "1x"), std::nullopt);
    EXPECT_EQ(FindPage("msx"), std::nullopt);
    EXPECT_EQ(FindPage("TMS9918"), std::nullopt) << "page names are the command line's";
}

// The source: white with one palette colour in the top-left pixel of the first block, so
// the coarse preview shows that colour where the source is white.
Picture StartPicture(int kind) {
    Picture picture(26, 18, 0xFFFFFF);
    picture.setPixel(0, 0, PaletteColor(kind, 2));
    return picture;
}

int KindOf(ConverterPage page) {
    return KindNumber(Describe(page).kind);
}

TEST(ConversionModesTest, EveryModeStartsFromTheSourceAndDrawsItsCoarsePreview) {
    for (const ModeDescriptor& d : AllModes()) {
        const int kind = KindOf(d.page);
        auto state = StateFor(StartPicture(kind), kind);
        state->result = Picture(26, 18, 0xFF00FF); // an earlier conversion's result
        state->quantizerPalette[3].Red = 9;        // and its palette
        PrepareConversion(*state, d.id);
        SCOPED_TRACE(d.caption);
        EXPECT_EQ(state->progress, 0);
        EXPECT_EQ(state->mode, d.id);
        EXPECT_FALSE(state->complete);
        // A palette of the earlier conversion is gone; a mode may choose its own at its start.
        if (!InfoOf(d.files).palette) {
            EXPECT_TRUE(state->quantizerPalette == QuantizerPalette{});
        }
        EXPECT_EQ(state->result.pixel(5, 6),
                  d.coarsePreview ? PaletteColor(kind, 2) : state->source.pixel(5, 6));
        // Outside the whole 8 x 8 blocks every start shows the source.
        EXPECT_EQ(state->result.pixel(25, 17), 0xFFFFFF);
        EXPECT_EQ(state->result.pixel(5, 17), 0xFFFFFF);
        if (!d.coarsePreview) {
            EXPECT_EQ(state->result, state->source);
        }
    }
}

struct TotalCase {
    ModeId mode;
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
    {M::Graphic2, KindTms9918, NoChange, 256, 192, 256 * 192 + 1},
    {M::Graphic2, KindTms9918, NoRules, 256, 192, 256 * 192},
    {M::MultiColor, KindTms9918, NoChange, 256, 192, 1},
    {M::HalfTone, KindTms9918, NoChange, 255, 191, 255 * 191},
    {M::Screen5, KindTms9918, NoChange, 255, 3, 765},
    {M::Screen5, KindTms9918, Interlace, 255, 3, 127 * 3}, // not 765 / 2 = 382
    {M::Screen6, KindTms9918, Interlace, 255, 3, 765},
    {M::Screen7, KindTms9918, NoChange, 255, 3, 765},
    {M::Screen8, KindTms9918, NoChange, 256, 212, 256 * 212},
    {M::Screen8FloydSteinberg, KindTms9918, NoChange, 256, 212, 256 * 212},
    {M::Yjk10, KindTms9918, NoChange, 256, 212, 256 * 212},
    {M::Yjk12, KindTms9918, NoChange, 250, 10, 2500},
    {M::Pc6001Square, KindColor15, NoChange, 256, 192, 256 * 192},
    {M::Pc6001Wide, KindColor15, P6Rules, 255, 192, 127 * 192},
    {M::Pc6001Wide, KindColor8, NoChange, 256, 192, 128 * 192},
    {M::Pc6001Wide, KindColor8, P6Rules, 256, 192, 2048},
    {M::Pc6001Wide, KindColor8, P6Rules, 320, 200, 16 * 160},
    {M::Pc6001Tall, KindColor15, NoChange, 640, 400, 640 * 400},
    {M::Pc6001Blocks4x4, KindColor15, NoChange, 256, 192, 1},
    {M::Pc6001Blocks4x6, KindColor15, NoChange, 256, 192, 1},
    {M::Pc6001HalfTone, KindColor15, NoChange, 256, 192, 256 * 192},
    {M::Pc6001WideHalfTone, KindColor15, NoChange, 255, 192, 127 * 192},
    {M::Pc8801Tall, KindPc8801, NoChange, 640, 400, 640 * 400},
    {M::Pc8801FloydSteinberg, KindPc8801, NoChange, 640, 201, 640 * 201},
    {M::Pc8801HalfTone, KindPc8801, NoChange, 640, 400, 640 * 400},
};

TEST(ConversionModesTest, TotalsAreThePassesOwnEnds) {
    for (const TotalCase& c : Totals) {
        auto state = StateFor(Picture(c.width, c.height, RgbColor(90, 160, 30)), c.kind);
        c.set(state->params);
        PrepareConversion(*state, c.mode);
        SCOPED_TRACE(testing::Message()
                     << Describe(c.mode).caption << " " << c.width << "x" << c.height);
        ASSERT_NE(state->work, nullptr);
        EXPECT_EQ(state->work->end(), c.total);
    }
}

TEST(ConversionModesTest, WholeModesFinishInsideTheStart) {
    for (const ModeDescriptor& d : AllModes()) {
        if (!d.runsWhole)
            continue;
        auto state = StateFor(test::NaturalPicture(64, 48), KindOf(d.page));
        state->budget = PassBudget(PassBudgetMs, 1);
        EXPECT_TRUE(StartConversion(*state, d.id)) << d.caption;
        EXPECT_TRUE(state->complete);
    }
}

TEST(ConversionModesTest, EveryConversionReachesItsEndAndFinishes) {
    for (const ModeDescriptor& d : AllModes()) {
        auto state = StateFor(test::NaturalPicture(33, 17), KindOf(d.page));
        state->budget = PassBudget(PassBudgetMs, 97);
        StartConversion(*state, d.id);
        int passes = 1;
        while (!ContinueConversion(*state))
            ++passes;
        EXPECT_EQ(state->progress, state->work->end()) << d.caption;
        EXPECT_LE(passes, state->work->end() / 97 + 2);
    }
}

TEST(ConversionModesTest, AStartWhileConvertingBeginsAgainFromTheSource) {
    auto state = StateFor(test::NaturalPicture(40, 24));
    state->budget = PassBudget(PassBudgetMs, 100);
    EXPECT_FALSE(StartConversion(*state, ModeId::Graphic2));
    EXPECT_EQ(state->progress, 100);
    PrepareConversion(*state, ModeId::Screen8);
    EXPECT_EQ(state->progress, 0);
    EXPECT_EQ(state->mode, ModeId::Screen8);
    EXPECT_FALSE(state->complete);
    EXPECT_EQ(state->result, state->source);
}

} // namespace
} // namespace murelo
