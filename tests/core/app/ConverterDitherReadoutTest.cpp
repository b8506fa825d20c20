// The TMS9918 page's "Dither" bar and the readout of a finished conversion.
#include "ConverterModelSupport.h"

#include "core/convert/ConversionDriver.h"
#include "core/convert/Graphic2Dither.h"

#include <string>

using namespace murelo;
using namespace murelo::test;

namespace {

constexpr int Tms = 0, V38 = 1;

// The number after "ΔE ", or -1 when the text is not a readout.
double ReadoutValue(const std::string& text) {
    const std::string prefix = "ΔE ";
    if (text.rfind(prefix, 0) != 0)
        return -1;
    return std::stod(text.substr(prefix.size()));
}

TEST(ConverterDitherBar, StartsAtTheDefaultAndIsOnlyForTheDitheredMode) {
    auto rig = MakeRig(PhotoLike(32, 16));
    const ConverterControls& k = rig->model.controls();
    EXPECT_EQ(k.trackBar[DitherTrackBar], 95);
    EXPECT_EQ(rig->model.labelText(DitherLabel), "  95");
    EXPECT_EQ(TrackBarOf(DitherTrackBar).min, 0);
    EXPECT_EQ(TrackBarOf(DitherTrackBar).max, 100);
    rig->open();
    for (int item : {0, 1, 2, Graphic2DitheredMode, 0}) {
        rig->model.chooseMode(1, item);
        EXPECT_EQ(k.trackBarEnabled[DitherTrackBar], item == Graphic2DitheredMode) << item;
    }
    rig->model.chooseMode(1, Graphic2DitheredMode);
    // A page change sets the TMS9918 list back to its first item.
    rig->model.PageControl1Change(V38);
    rig->model.PageControl1Change(Tms);
    EXPECT_EQ(k.comboBox[1], 0);
    EXPECT_FALSE(k.trackBarEnabled[DitherTrackBar]);
    // The other bars stay usable whatever the mode.
    EXPECT_TRUE(k.trackBarEnabled[1]);
    EXPECT_TRUE(k.trackBarEnabled[19]);
}

TEST(ConverterDitherBar, MovingItStoresShowsAndRestartsOnceAStep) {
    const Picture picture = PhotoLike(64, 32);
    auto rig = MakeRig(picture);
    rig->open();
    rig->model.chooseMode(1, Graphic2DitheredMode);
    rig->model.runToFinish();
    const Picture strong = rig->model.result();
    int starts = rig->model.startCount();
    rig->model.setTrackBar(DitherTrackBar, 95); // the stored value
    EXPECT_EQ(rig->model.startCount(), starts);
    rig->model.setTrackBar(DitherTrackBar, 7);
    EXPECT_EQ(rig->model.startCount(), starts + 1);
    EXPECT_EQ(rig->model.parameters().DitherStrength, 7);
    EXPECT_EQ(rig->model.labelText(DitherLabel), "   7");
    rig->model.setTrackBar(DitherTrackBar, 250); // beyond the bar: its end
    EXPECT_EQ(rig->model.parameters().DitherStrength, 100);
    rig->model.setTrackBar(DitherTrackBar, 0);
    EXPECT_EQ(rig->model.labelText(DitherLabel), "   0");
    rig->model.runToFinish();

    // The strength reaches the conversion: the engine with the same values agrees, and
    // no diffusion differs from the default's.
    auto engine = std::make_unique<ConversionState>();
    engine->source = picture;
    engine->params = rig->model.parameters();
    RunConversion(*engine, ConverterPage::Tms9918, Graphic2DitheredMode);
    EXPECT_TRUE(rig->model.result() == engine->result);
    EXPECT_FALSE(rig->model.result() == strong);

    // Neither Reset nor reopening touches it; the page change rewrites it as it is.
    starts = rig->model.startCount();
    rig->model.clickButton(ResetButtonOf(Tms));
    EXPECT_EQ(rig->model.parameters().DitherStrength, 0);
    rig->model.Button2Click();
    rig->open();
    EXPECT_EQ(rig->model.parameters().DitherStrength, 0);
    EXPECT_EQ(rig->model.controls().trackBar[DitherTrackBar], 0);
    rig->model.PageControl1Change(V38);
    EXPECT_EQ(rig->model.controls().trackBar[DitherTrackBar], 0);
}

TEST(ConverterReadout, MeasuredOnceAfterAFinishAndClearedAtEveryStart) {
    auto rig = MakeRig(PhotoLike(64, 48));
    rig->model.setPassBudget(PassBudget(60000, 50));
    rig->model.FormShow();
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

    rig->model.setTrackBar(1, 30); // a start clears it at once
    EXPECT_EQ(k.readout, "");
    EXPECT_FALSE(rig->model.readoutPending());
    rig->model.runToFinish();
    rig->model.setTrackBar(1, 31); // superseded before it was measured
    EXPECT_FALSE(rig->model.readoutPending());
    rig->model.runToFinish();
    rig->model.Button2Click(); // nothing is measured for a closed window
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
    rig->model.Button2Click();
    rig->load(photo);
    for (int page = 0; page < ConverterPageCount; ++page) {
        SCOPED_TRACE(page);
        rig->openOnPage(page);
        rig->model.measureReadout();
        EXPECT_GT(ReadoutValue(rig->model.controls().readout), 0.0)
            << rig->model.controls().readout;
        rig->model.Button2Click();
    }
}

} // namespace
