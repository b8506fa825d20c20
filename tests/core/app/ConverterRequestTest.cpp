// The window and the command line give the same conversion: every mode, with the settings
// made through the window's own controls, against the one call the command line makes.
#include "ConverterModelSupport.h"

#include <functional>
#include <vector>

using namespace murelo;
using namespace murelo::test;

namespace {

struct Variant {
    const char* name;
    std::function<void(ConversionParameters&)> set;
};

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
         }},
    };
    return variants;
}

// Sets every value and box through the window's controls, as a user would.
void SetThroughTheWindow(ConverterWindowModel& model, const ConversionParameters& p) {
    for (int i = 0; i < ParameterCount; ++i) {
        const Parameter parameter = Parameter(i);
        if (InfoOf(parameter).control != ParameterControl::Other)
            model.setParameter(parameter, ParameterValue(p, parameter));
    }
}

TEST(ConverterRequestTest, EveryModeAndVariantThroughTheWindowEqualsTheOneCall) {
    const Picture picture = PhotoLike(256, 48);
    for (const ModeDescriptor& d : AllModes()) {
        for (const Variant& variant : Variants()) {
            SCOPED_TRACE(testing::Message() << d.caption << ", " << variant.name);
            auto rig = MakeRig(picture);
            rig->openOnPage(d.page);
            ConversionParameters params;
            variant.set(params);
            // Color 8 takes the PC-6x01 page's rules down their own road.
            if (variant.name == std::string("options") && d.page == P6)
                rig->session.switchPalette(PaletteKindId::Color8, false);
            SetThroughTheWindow(rig->model, params);
            rig->model.chooseMode(d.id);
            rig->model.runToFinish();
            const ConversionState& window = rig->model.conversion();
            EXPECT_FALSE(rig->model.controls().timerRunning);

            params.PaletteKind = KindNumber(rig->doc().PaletteKind);
            params.ForegroundColor = rig->session.tool().ForegroundColor;
            params.BackgroundColor = rig->session.tool().BackgroundColor;
            const auto direct = Convert({picture, d.id, params});
            EXPECT_TRUE(window.result == direct->result);
            EXPECT_TRUE(window.screenBytes == direct->screenBytes);
            EXPECT_TRUE(window.quantizerPalette == direct->quantizerPalette);
            EXPECT_EQ(rig->doc().EditMode, d.editMode);
            rig->model.cancel();
            EXPECT_TRUE(rig->doc().picture == picture);
        }
    }
}

} // namespace
