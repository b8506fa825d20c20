// The TMS9918 page's "Dither" bar and the readout of a finished conversion.
#include "ConverterModelSupport.h"

#include <algorithm>
#include <string>
#include <vector>

using namespace murelo;
using namespace murelo::test;

namespace {

// The number after "ΔE ", or -1 when the text is not a readout.
double ReadoutValue(const std::string& text) {
    const std::string prefix = "ΔE ";
    if (text.rfind(prefix, 0) != 0)
        return -1;
    return std::stod(text.substr(prefix.size()));
}

TEST(ConverterDitherBar, StartsAtTheDefaultAndIsUsableOnlyInTheDitheredModes) {
    auto rig = MakeRig(PhotoLike(32, 16));
    const ConverterControls& k = rig->model.controls();
    EXPECT_EQ(rig->model.parameters().DitherStrength, 95);
    EXPECT_EQ(InfoOf(Parameter::Dither).min, 0);
    EXPECT_EQ(InfoOf(Parameter::Dither).max, 100);
    rig->open();
    const std::vector<ModeId> dithered = {ModeId::Graphic2Dithered, ModeId::Screen5Dithered,
                                          ModeId::Screen6Dithered,  ModeId::Screen7Dithered,
                                          ModeId::Screen8Dithered,  ModeId::Yjk10Dithered,
                                          ModeId::Yjk12Dithered};
    for (const PageDescriptor& page : AllPages()) {
        rig->model.choosePage(page.page);
        for (const ModeDescriptor& mode : ModesOf(page.page)) {
            rig->model.chooseMode(mode.id);
            const bool isDithered =
                std::find(dithered.begin(), dithered.end(), mode.id) != dithered.end();
            EXPECT_EQ(rig->model.enabled(page.page, Parameter::Dither), isDithered) << mode.caption;
        }
    }
    rig->model.choosePage(Tms);
    for (ModeId mode : {ModeId::Graphic2Dithered, ModeId::Graphic2})
        rig->model.chooseMode(mode);
    rig->model.chooseMode(ModeId::Graphic2Dithered);
    // A page change sets the TMS9918 list back to its first item.
    rig->model.choosePage(V38);
    rig->model.choosePage(Tms);
    EXPECT_EQ(k.mode[std::size_t(Tms)], ModeId::Graphic2);
    EXPECT_FALSE(rig->model.enabled(Tms, Parameter::Dither));
    // The other bars stay usable whatever the mode.
    EXPECT_TRUE(rig->model.enabled(Tms, Parameter::Red));
    EXPECT_TRUE(rig->model.enabled(Tms, Parameter::HalfTone));
}

TEST(ConverterDitherBar, MovingItStoresShowsAndRestartsOnceAStep) {
    const Picture picture = PhotoLike(64, 32);
    auto rig = MakeRig(picture);
    rig->open();
    rig->model.chooseMode(ModeId::Graphic2Dithered);
    rig->model.runToFinish();
    const Picture strong = rig->model.result();
    int starts = rig->model.startCount();
    rig->model.setParameter(Parameter::Dither, 95); // the stored value
    EXPECT_EQ(rig->model.startCount(), starts);
    rig->model.setParameter(Parameter::Dither, 7);
    EXPECT_EQ(rig->model.startCount(), starts + 1);
    EXPECT_EQ(rig->model.parameters().DitherStrength, 7);
    rig->model.setParameter(Parameter::Dither, 250); // beyond the bar: its end
    EXPECT_EQ(rig->model.parameters().DitherStrength, 100);
    rig->model.setParameter(Parameter::Dither, 0);
    rig->model.runToFinish();

    // The strength reaches the conversion: the engine with the same values agrees, and
    // no diffusion differs from the default's.
    auto engine = std::make_unique<ConversionState>();
    engine->source = picture;
    engine->params = rig->model.parameters();
    RunConversion(*engine, ModeId::Graphic2Dithered);
    EXPECT_TRUE(rig->model.result() == engine->result);
    EXPECT_FALSE(rig->model.result() == strong);

    // Reopening keeps it; Reset sets it back to its default with the page's other controls.
    rig->model.cancel();
    rig->open();
    EXPECT_EQ(rig->model.parameters().DitherStrength, 0);
    rig->model.reset();
    EXPECT_EQ(rig->model.parameters().DitherStrength, 95);
}

TEST(ConverterReadout, MeasuredOnceAfterAFinishAndClearedAtEveryStart) {
    auto rig = MakeRig(PhotoLike(64, 48));
    rig->model.setPassBudget(PassBudget(60000, 50));
    rig->model.open();
    const ConverterControls& k = rig->model.controls();
    ASSERT_TRUE(k.timerRunning);
    EXPECT_FALSE(rig->model.readoutPending());
    rig->model.measureReadout(); // nothing finished yet: nothing to measure
    EXPECT_EQ(k.readout, "");
    rig->model.runToFinish();
    EXPECT_TRUE(rig->model.readoutPending());
    EXPECT_EQ(k.readout, "") << "the finish itself does not wait for the measurement";
    rig->model.measureReadout();
    EXPECT_FALSE(rig->model.readoutPending());
    const double value = ReadoutValue(k.readout);
    EXPECT_GT(value, 0.5) << k.readout;
    EXPECT_LT(value, 60.0) << k.readout;

    rig->model.setParameter(Parameter::Red, 30); // a start clears it at once
    EXPECT_EQ(k.readout, "");
    EXPECT_FALSE(rig->model.readoutPending());
    rig->model.runToFinish();
    rig->model.setParameter(Parameter::Red, 31); // superseded before it was measured
    EXPECT_FALSE(rig->model.readoutPending());
    rig->model.runToFinish();
    rig->model.cancel(); // nothing is measured for a closed window
    EXPECT_FALSE(rig->model.readoutPending());
    rig->model.measureReadout();
    EXPECT_EQ(k.readout, "");
}

TEST(ConverterReadout, EveryPageMeasuresItsFinishedResult) {
    // A picture the TMS9918 Graphic 2 mode keeps exactly: palette colours, two per run.
    Picture kept(32, 8);
    for (int y = 0; y < kept.height(); ++y)
        for (int x = 0; x < kept.width(); ++x)
            kept.setPixel(x, y, PaletteColor(KindTms9918, (x / 8) % 2 ? (x % 2 ? 15 : 4) : 1));
    auto rig = MakeRig(kept);
    rig->open();
    rig->model.measureReadout();
    EXPECT_EQ(rig->model.controls().readout, "ΔE 0.0");

    const Picture photo = PhotoLike(64, 32);
    rig->model.cancel();
    rig->load(photo);
    for (const PageDescriptor& page : AllPages()) {
        SCOPED_TRACE(page.caption);
        rig->openOnPage(page.page);
        rig->model.measureReadout();
        EXPECT_GT(ReadoutValue(rig->model.controls().readout), 0.0)
            << rig->model.controls().readout;
        rig->model.cancel();
    }
}

} // namespace
