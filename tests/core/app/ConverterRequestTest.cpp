#include "ConverterModelSupport.h"

#include "core/app/ConverterRequest.h"
#include "core/convert/ConversionDriver.h"

#include <functional>
#include <vector>

using namespace murelo;
using namespace murelo::test;

namespace {

struct Variant {
    const char* name;
    std::function<void(ConversionParameters&)> set;
};

// Parameters as the command line builds them: the page's default palette and the tool
// palette's start colours, with one variation.
ConversionParameters Parameters(ConverterPage page, const Variant& variant) {
    ConversionParameters p;
    p.PaletteKind = page == ConverterPage::Pc6001   ? KindColor15
                    : page == ConverterPage::Pc8801 ? KindPc8801
                                                    : KindTms9918;
    variant.set(p);
    const IndexRange& range = PaletteRange(p.PaletteKind);
    p.ForegroundColor = PaletteColor(p.PaletteKind, std::min(1, range.last));
    p.BackgroundColor = PaletteColor(p.PaletteKind, 15 > range.last ? range.first : 15);
    return p;
}

const std::vector<Variant>& Variants() {
    static const std::vector<Variant> variants = {
        {"defaults", [](ConversionParameters&) {}},
        {"balance",
         [](ConversionParameters& p) {
             p.Balance = {30, -20, 10, -15, 140};
             p.HalfToneLevel = 1;
             p.NtscWeighting = true;
             p.DitherStrength = 40;
         }},
        {"options",
         [](ConversionParameters& p) {
             p.Rules9918 = false;
             p.Interlace = true;
             p.OddLine = true;
             p.P6Rules = true;
             p.AnalogPalette = true;
             p.ConvertType = 2;
             p.Yjk = {20, -30, 15};
             if (p.PaletteKind == KindColor15)
                 p.PaletteKind = KindColor8;
         }},
    };
    return variants;
}

// The command line's conversions run through the window give what the engine gives for
// the same parameters: result, screen bytes, quantizer palette and pixel mode.
TEST(ConverterRequestTest, EveryModeAndVariantMatchesTheEngine) {
    const Picture picture = PhotoLike(256, 48);
    for (int page = 0; page < ConverterPageCount; ++page) {
        for (const Variant& variant : Variants()) {
            for (int mode = 0; mode < ModeCount(ConverterPage(page)); ++mode) {
                SCOPED_TRACE(testing::Message()
                             << "page " << page << " mode " << mode << " " << variant.name);
                ConverterRequest request{ConverterPage(page), mode,
                                         Parameters(ConverterPage(page), variant)};
                auto engine = std::make_unique<ConversionState>();
                engine->source = picture;
                engine->params = request.params;
                RunConversion(*engine, request.page, mode);
                const std::vector<std::uint8_t> engineBytes(engine->screenBytes.begin(),
                                                            engine->screenBytes.end());
                // Both write the one screen buffer: the window's run starts from a filler.
                SharedScreenBuffer().bytes.fill(0x5A);

                auto rig = MakeRig(picture);
                RunConverterRequest(rig->model, rig->session, request);
                const ConversionState& run = rig->model.conversion();
                EXPECT_FALSE(rig->model.controls().timerRunning);
                EXPECT_TRUE(run.result == engine->result);
                // What the command line writes: the bytes of the modes that store them, the
                // palette of the modes that reduce to one.
                const bool stores = (page == 1 && mode >= 3) || page == 2;
                const bool quantizes = (page == 1 && mode <= 2) ||
                                       (page == 4 && mode == 0 && request.params.AnalogPalette);
                if (stores) {
                    EXPECT_TRUE(std::equal(engineBytes.begin(), engineBytes.end(),
                                           run.screenBytes.begin()));
                }
                if (quantizes) {
                    EXPECT_TRUE(run.quantizerPalette == engine->quantizerPalette);
                }
                EXPECT_EQ(EditModeNumber(rig->doc().EditMode), engine->EditMode);
                EXPECT_EQ(run.params.PaletteKind, request.params.PaletteKind);
                rig->model.Button2Click();
                EXPECT_TRUE(rig->doc().picture == picture);
            }
        }
    }
}

TEST(ConverterRequestTest, ModeOutsideThePageIsRefusedBeforeOpening) {
    auto rig = MakeRig(PhotoLike(16, 16));
    EXPECT_THROW(RunConverterRequest(rig->model, rig->session, {ConverterPage::V9958, 2, {}}),
                 std::out_of_range);
    EXPECT_FALSE(rig->model.shown());
}

} // namespace
