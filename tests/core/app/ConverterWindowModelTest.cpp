#include "ConverterModelSupport.h"

using namespace murelo;
using namespace murelo::test;

namespace {

TEST(ConverterOpening, ChoosesThePageFromTheEditModeWhateverWasShownLast) {
    struct Case {
        int editMode;
        ConverterPage lastPage;
        ConverterPage expectedPage;
    };
    for (const Case c : {Case{0, V38, Tms}, Case{0, V58, Tms}, Case{1, Tms, P6}, Case{2, V58, P6},
                         Case{3, V38, P88}}) {
        SCOPED_TRACE(testing::Message() << "edit mode " << c.editMode);
        auto rig = MakeRig(PhotoLike(32, 16));
        rig->openOnPage(c.lastPage);
        rig->model.cancel();
        rig->session.setEditMode(EditModeOfNumber(c.editMode));
        rig->host.choice =
            EditModeOfNumber(1 - (c.editMode & 1)); // a stale choice of a cancelled dialog
        rig->model.open();
        EXPECT_EQ(rig->model.controls().page, c.expectedPage);
        // The dialog's choice is set for every mode, so the stale one never applies.
        EXPECT_EQ(EditModeNumber(rig->doc().EditMode), c.editMode == 1 ? 2 : c.editMode);
        EXPECT_EQ(rig->host.positionLabel, "X :\nY :");
    }
}

TEST(ConverterOpening, LocksTheEditorAndSavesWhatClosingRestores) {
    auto rig = MakeRig(PhotoLike(40, 24));
    const Picture original = rig->doc().picture;
    rig->session.switchPalette(PaletteKindId::Tms9929, false);
    rig->session.tool().OddLine = true;
    rig->doc().ErrorsShown = true;
    rig->open();
    EXPECT_TRUE(rig->model.shown());
    EXPECT_TRUE(rig->model.controls().editorLocked);
    EXPECT_FALSE(rig->doc().RecolorOnPaletteChange);
    EXPECT_FALSE(rig->session.gridShown);
    EXPECT_FALSE(rig->session.tool().OddLine);
    EXPECT_FALSE(rig->host.oddLineEnabled);
    EXPECT_TRUE(rig->model.controls().image6Shown);
    EXPECT_FALSE(rig->model.controls().image1Shown);

    // The user goes to the PC-6x01 page and picks another colour mode there.
    rig->model.choosePage(P6);
    EXPECT_EQ(KindNumber(rig->doc().PaletteKind), KindColor15);
    rig->session.switchPalette(PaletteKindId::Color8, rig->doc().RecolorOnPaletteChange);
    rig->model.redoPreview();
    rig->model.runToFinish();
    rig->model.cancel();

    EXPECT_FALSE(rig->model.shown());
    EXPECT_FALSE(rig->model.controls().editorLocked);
    EXPECT_EQ(EditModeNumber(rig->doc().EditMode), 0);
    EXPECT_EQ(KindNumber(rig->doc().PaletteKind), KindTms9929);
    EXPECT_TRUE(rig->doc().RecolorOnPaletteChange);
    EXPECT_TRUE(rig->session.gridShown);
    EXPECT_TRUE(rig->session.tool().OddLine);
    EXPECT_TRUE(rig->host.oddLineChecked);
    EXPECT_TRUE(rig->host.oddLineEnabled);
    EXPECT_TRUE(rig->doc().picture == original);
    EXPECT_FALSE(rig->doc().Modified);
    EXPECT_TRUE(rig->doc().ErrorsShown);
    EXPECT_FALSE(rig->session.canUndo());
    EXPECT_EQ(rig->model.state().LastConvertType, -1);
    EXPECT_TRUE(rig->model.controls().image1Shown);
    EXPECT_FALSE(rig->model.controls().image6Shown);
}

TEST(ConverterOpening, OpeningOrClosingTwiceRunsTheStepsOnce) {
    auto rig = MakeRig(PhotoLike(16, 16));
    rig->open();
    rig->model.choosePage(P88);
    EXPECT_TRUE(rig->model.open().session.colors == false); // a restore: nothing again
    EXPECT_EQ(rig->model.state().SavedEditMode, EditModeId::Tms99x8);
    EXPECT_EQ(rig->model.controls().page, P88);
    EXPECT_TRUE(rig->model.cancel().closed);
    EXPECT_FALSE(rig->model.cancel().closed);
    EXPECT_EQ(EditModeNumber(rig->doc().EditMode), 0);
}

TEST(ConverterOpening, DrawingColourOutsideThePaletteBecomesTheConversionRange) {
    auto rig = MakeRig(PhotoLike(16, 16));
    rig->session.tool().ForegroundColor = 0x123456;
    rig->open();
    EXPECT_EQ(rig->session.tool().ForegroundColor, PaletteColor(KindTms9918, 1));
    EXPECT_EQ(rig->session.tool().BackgroundColor, PaletteColor(KindTms9918, 15));
}

TEST(ConverterOpening, EveryStartSizesTheResultToThePictureOfTheMoment) {
    auto rig = MakeRig(PhotoLike(256, 192));
    rig->open();
    rig->model.cancel();
    rig->load(PhotoLike(320, 200));
    rig->open();
    EXPECT_EQ(rig->model.result().width(), 320);
    EXPECT_EQ(rig->model.result().height(), 200);
}

struct ApplyCase {
    ConverterPage page;
    int mode;
    int editModeAfter;
};

// Every page's Apply is one undo step: Undo goes back to the picture before it.
TEST(ConverterApply, ResultBecomesThePictureWithQuickSlotAndOneUndoStep) {
    for (const ApplyCase c :
         {ApplyCase{Tms, 0, 0}, ApplyCase{P6, 4, 1}, ApplyCase{P6, 2, 2}, ApplyCase{P88, 1, 3}}) {
        SCOPED_TRACE(testing::Message() << "page " << c.page << " mode " << c.mode);
        auto rig = MakeRig(PhotoLike(48, 32));
        // A stroke: the history holds two states.
        rig->doc().picture.setPixel(0, 0, 0x000000);
        rig->session.recordSnapshot();
        const Picture before = rig->doc().picture;
        rig->doc().ErrorsShown = true;
        rig->session.setRecolorOnPaletteChange(false);
        rig->openOnPage(c.page);
        rig->model.chooseMode(ModeOn(c.page, c.mode));
        rig->model.runToFinish();
        const Picture result = rig->model.result();
        ASSERT_FALSE(result == before);

        const ConverterChange change = rig->model.apply();
        EXPECT_TRUE(change.closed);
        EXPECT_EQ(rig->host.lastCaption, "Quick Save & Apply");
        EXPECT_TRUE(rig->doc().picture == result);
        EXPECT_TRUE(rig->doc().quickSlot == before);
        EXPECT_TRUE(rig->doc().QuickSlotFilled);
        EXPECT_TRUE(rig->doc().Modified);
        EXPECT_FALSE(rig->doc().ErrorsShown);
        EXPECT_EQ(EditModeNumber(rig->doc().EditMode),
                  c.editModeAfter); // the conversion's own pixel mode
        EXPECT_EQ(EditModeNumber(rig->host.remembered), c.editModeAfter);
        // After an Apply the pixel mode's own recolouring rule holds, not the saved flag.
        EXPECT_EQ(rig->doc().RecolorOnPaletteChange, c.editModeAfter == 0);
        EXPECT_TRUE(rig->session.canUndo());
        EXPECT_FALSE(rig->session.canRedo());
        rig->session.undo();
        EXPECT_TRUE(rig->doc().picture == before);
        rig->session.undo(); // and the stroke before that is still in the history
        EXPECT_FALSE(rig->doc().picture == before);
    }
}

TEST(ConverterApply, WithoutQuickSaveAskedPlainlyAndTheSlotStays) {
    auto rig = MakeRig(PhotoLike(24, 16));
    const Picture slot = rig->doc().quickSlot;
    rig->open();
    rig->model.setQuickSave(false); // one setting behind the three pages' boxes
    EXPECT_FALSE(rig->model.controls().quickSave);
    rig->model.apply();
    EXPECT_EQ(rig->host.lastQuestion, "OK?");
    EXPECT_EQ(rig->host.lastCaption, "Apply");
    EXPECT_TRUE(rig->doc().quickSlot == slot);
    EXPECT_FALSE(rig->doc().QuickSlotFilled);
}

TEST(ConverterApply, AnswerOtherThanOkOrAnIncompleteResultChangesNothing) {
    auto rig = MakeRig(PhotoLike(64, 64));
    const Picture before = rig->doc().picture;
    rig->model.setPassBudget(PassBudget(60000, 1));
    rig->model.open();
    EXPECT_FALSE(rig->model.controls().applyEnabled[std::size_t(Tms)]);
    rig->model.apply(); // disabled while converting
    EXPECT_EQ(rig->host.questions, 0);
    rig->model.runToFinish();
    rig->host.answer = false;
    EXPECT_FALSE(rig->model.apply().closed);
    EXPECT_EQ(rig->host.questions, 1);
    EXPECT_TRUE(rig->model.shown());
    EXPECT_TRUE(rig->doc().picture == before);
    EXPECT_FALSE(rig->doc().Modified);
}

TEST(ConverterApply, OddLineStaysOffAfterApplyingInTheTallPixelMode) {
    auto rig = MakeRig(PhotoLike(32, 32));
    rig->session.tool().OddLine = true;
    rig->openOnPage(P88);
    rig->model.apply();
    EXPECT_EQ(EditModeNumber(rig->doc().EditMode), 3);
    EXPECT_FALSE(rig->session.tool().OddLine);
    EXPECT_FALSE(rig->host.oddLineChecked);
    EXPECT_EQ(KindNumber(rig->doc().PaletteKind), KindPc8801);
}

TEST(ConverterControlsTest, ValueAlreadyStoredStartsNothing) {
    auto rig = MakeRig(PhotoLike(16, 16));
    rig->open();
    const int starts = rig->model.startCount();
    rig->model.setParameter(Parameter::Red, 0);
    EXPECT_EQ(rig->model.startCount(), starts);
    // A page change starts exactly once; the pages show the one shared value.
    rig->model.setParameter(Parameter::Red, 40);
    EXPECT_EQ(rig->model.startCount(), starts + 1);
    rig->model.choosePage(V38);
    EXPECT_EQ(rig->model.startCount(), starts + 2);
    EXPECT_EQ(rig->model.parameters().Balance.RedOffset, 40);
    rig->model.setParameter(Parameter::Red, -35);
    EXPECT_EQ(ValueLabelText(rig->model.parameters().Balance.RedOffset), " -35");
    EXPECT_EQ(ValueLabelText(rig->model.parameters().Balance.Contrast), " 100");
    // Beyond its range a value is the range's end.
    rig->model.setParameter(Parameter::Contrast, 999);
    EXPECT_EQ(rig->model.parameters().Balance.Contrast, 200);
}

TEST(ConverterControlsTest, DragRestartsEveryStepAndOnlyTheLastRunsToTheEnd) {
    const Picture picture = PhotoLike(64, 48);
    auto rig = MakeRig(picture);
    rig->model.setPassBudget(PassBudget(60000, 7));
    rig->model.open();
    const int starts = rig->model.startCount();
    for (int red = 1; red <= 10; ++red) {
        rig->model.setParameter(Parameter::Red, red * 5);
        EXPECT_EQ(rig->model.conversion().progress, 7) << "a new first pass";
        EXPECT_TRUE(rig->model.controls().timerRunning);
    }
    EXPECT_EQ(rig->model.startCount(), starts + 10);
    rig->model.runToFinish();

    auto engine = std::make_unique<ConversionState>();
    engine->source = picture;
    engine->params = rig->model.parameters();
    ASSERT_EQ(engine->params.Balance.RedOffset, 50);
    RunConversion(*engine, ModeId::Graphic2);
    EXPECT_TRUE(rig->model.result() == engine->result);
}

TEST(ConverterControlsTest, NtscIsOneSettingAndStartsOnce) {
    auto rig = MakeRig(PhotoLike(16, 16));
    rig->open();
    const int starts = rig->model.startCount();
    rig->model.setParameter(Parameter::NtscWeighting, 1);
    EXPECT_TRUE(rig->model.parameters().NtscWeighting);
    EXPECT_EQ(rig->model.startCount(), starts + 1);
}

TEST(ConverterControlsTest, ConvertTypeStartsOnlyForAnotherItem) {
    auto rig = MakeRig(PhotoLike(16, 16));
    rig->openOnPage(V58);
    const int starts = rig->model.startCount();
    rig->model.setParameter(Parameter::ConvertType, 0);
    EXPECT_EQ(rig->model.startCount(), starts);
    rig->model.setParameter(Parameter::ConvertType, 2);
    EXPECT_EQ(rig->model.startCount(), starts + 1);
    EXPECT_EQ(rig->model.conversion().params.ConvertType, 2);
    EXPECT_EQ(rig->model.state().LastConvertType, 2);
}

TEST(ConverterControlsTest, ResetRestoresBalanceAndDitherLeavesHalfToneAndReopeningSetsItBack) {
    auto rig = MakeRig(PhotoLike(16, 16));
    rig->open();
    rig->model.setParameter(Parameter::HalfTone, 1);
    rig->model.setParameter(Parameter::Brightness, 30);
    rig->model.setParameter(Parameter::Contrast, 150);
    rig->model.setParameter(Parameter::Dither, 4);
    rig->model.reset();
    EXPECT_EQ(rig->model.parameters().HalfToneLevel, 1);
    EXPECT_TRUE(rig->model.parameters().Balance == ColorBalance{});
    EXPECT_EQ(rig->model.parameters().DitherStrength, DefaultValue(Parameter::Dither));
    rig->openOnPage(V58);
    rig->model.setParameter(Parameter::JElement, 20);
    rig->model.reset();
    EXPECT_TRUE(rig->model.parameters().Yjk == YjkBalance{});
    rig->model.cancel();
    rig->open();
    EXPECT_EQ(rig->model.parameters().HalfToneLevel, 3);
}

TEST(ConverterControlsTest, PreviewBoxSwapsTheShownImageOnlyOnItsOwnPage) {
    auto rig = MakeRig(PhotoLike(16, 16));
    rig->open();
    rig->model.chooseMode(ModeId::HalfTone); // no coarse preview ticks the box again
    rig->model.setPreview(V38, false);       // another page's box
    EXPECT_TRUE(rig->model.controls().image6Shown);
    rig->model.setPreview(Tms, false);
    EXPECT_FALSE(rig->model.controls().image6Shown);
    EXPECT_TRUE(rig->model.controls().image1Shown);
    rig->model.setParameter(Parameter::Green, 10); // the conversion goes on either way
    EXPECT_FALSE(rig->model.controls().image6Shown);
    rig->model.setPreview(Tms, true);
    EXPECT_TRUE(rig->model.controls().image6Shown);
    // Graphic 2 draws its coarse preview, which ticks the box and shows the result.
    rig->model.setPreview(Tms, false);
    rig->model.chooseMode(ModeId::Graphic2);
    EXPECT_TRUE(rig->model.controls().preview[std::size_t(Tms)]);
    EXPECT_TRUE(rig->model.controls().image6Shown);
}

TEST(ConverterControlsTest, PaletteSelectorOnlyOnTheIndexedPages) {
    auto rig = MakeRig(PhotoLike(16, 16));
    rig->open();
    for (const auto& [page, enabled] :
         {std::pair{V38, false}, std::pair{P6, true}, std::pair{V58, false}, std::pair{P88, true},
          std::pair{Tms, true}}) {
        rig->model.choosePage(page);
        EXPECT_EQ(rig->model.controls().paletteSelectorEnabled, enabled) << int(page);
    }
}

TEST(ConverterDrivers, RedoPreviewRestartsTheActivePagesOwnDriver) {
    auto rig = MakeRig(PhotoLike(16, 16));
    for (const ConverterPage page : {V38, V58, P6, P88, Tms}) {
        rig->openOnPage(page);
        const int starts = rig->model.startCount();
        rig->model.redoPreview();
        EXPECT_EQ(rig->model.startCount(), starts + 1);
        EXPECT_EQ(Describe(rig->model.conversion().mode).page, page);
        rig->model.cancel();
    }
    EXPECT_EQ(rig->model.redoPreview().result, false) << "nothing while the window is closed";
}

TEST(ConverterDrivers, ModeWithoutUnitsFinishesAtItsStart) {
    auto rig = MakeRig(PhotoLike(3, 2)); // too narrow for a YJK group
    rig->openOnPage(V58);
    rig->model.chooseMode(ModeId::Yjk12);
    EXPECT_FALSE(rig->model.controls().timerRunning);
    EXPECT_TRUE(rig->model.controls().applyEnabled[std::size_t(V58)]);
    const int starts = rig->model.startCount();
    EXPECT_FALSE(rig->model.tick().result);
    EXPECT_EQ(rig->model.startCount(), starts);
}

// --- the start and finish table ---

struct StartCase {
    ModeId mode;
    int w;
    int h;
    bool interlace;
    int editMode;
    bool exportAtFinish;
};

class StartFinishTable : public testing::TestWithParam<StartCase> {};

TEST_P(StartFinishTable, ButtonsOptionsAndEditModeAtStartAndFinish) {
    const StartCase c = GetParam();
    const ModeDescriptor& d = Describe(c.mode);
    const std::size_t page = std::size_t(d.page);
    auto rig = MakeRig(PhotoLike(c.w, c.h));
    rig->openOnPage(d.page);
    rig->model.setParameter(Parameter::Interlace, c.interlace);
    rig->model.setPassBudget(PassBudget(60000, 1));
    // Both buttons on beforehand, so the start must be what turns them off.
    rig->model.chooseMode(c.mode);
    rig->model.runToFinish();
    ASSERT_TRUE(rig->model.controls().applyEnabled[page]);
    rig->model.chooseMode(c.mode);
    const ConverterControls& k = rig->model.controls();
    EXPECT_EQ(k.timerRunning, !d.runsWhole);
    EXPECT_EQ(k.applyEnabled[page], d.runsWhole);
    if (!d.runsWhole) {
        EXPECT_FALSE(k.exportEnabled[page]);
    }
    EXPECT_EQ(EditModeNumber(rig->doc().EditMode), c.editMode);
    if (d.page == V38) {
        const bool palette = IndexInPage(c.mode) <= 2;
        EXPECT_EQ(rig->model.enabled(V38, Parameter::Interlace), palette);
        EXPECT_EQ(k.connectPaletteEnabled, palette);
        EXPECT_EQ(rig->model.enabled(V38, Parameter::OddLine),
                  (c.mode == ModeId::Screen6 || c.mode == ModeId::Screen7) && !c.interlace);
    }
    rig->model.setPassBudget(PassBudget(60000));
    rig->model.runToFinish();
    EXPECT_FALSE(k.timerRunning);
    EXPECT_TRUE(k.applyEnabled[page]);
    EXPECT_EQ(k.exportEnabled[page], c.exportAtFinish);
    EXPECT_EQ(rig->model.conversion().progress, rig->model.conversion().work->end());
}

using M = ModeId;
INSTANTIATE_TEST_SUITE_P(
    EveryPage, StartFinishTable,
    testing::Values(StartCase{M::Graphic2, 256, 192, false, 0, false},
                    StartCase{M::MultiColor, 256, 192, false, 0, true},
                    StartCase{M::MultiColor, 320, 200, false, 0, false},
                    StartCase{M::HalfTone, 64, 32, false, 0, false},
                    StartCase{M::Screen5, 256, 212, false, 0, true},
                    StartCase{M::Screen5, 256, 212, true, 0, false},
                    StartCase{M::Screen5, 512, 424, true, 0, true},
                    StartCase{M::Screen6, 512, 424, false, 0, true},
                    // One row: the odd field would be empty, so the files' own check refuses it.
                    StartCase{M::Screen5, 512, 1, true, 0, false},
                    StartCase{M::Screen7, 512, 1, true, 0, false},
                    StartCase{M::Screen6, 256, 192, true, 0, false},
                    StartCase{M::Screen7, 512, 212, false, 0, true},
                    StartCase{M::Screen8, 256, 212, false, 0, true},
                    StartCase{M::Screen8Diffusion2D, 320, 200, false, 0, false},
                    StartCase{M::Screen8FloydSteinberg, 256, 192, false, 0, true},
                    StartCase{M::Yjk10, 256, 212, false, 0, true},
                    StartCase{M::Yjk12, 256, 240, false, 0, false},
                    StartCase{M::Pc6001Square, 256, 192, false, 2, true},
                    StartCase{M::Pc6001Wide, 320, 200, false, 1, true},
                    StartCase{M::Pc6001Tall, 256, 192, false, 2, false},
                    StartCase{M::Pc6001Tall, 640, 400, false, 2, true},
                    StartCase{M::Pc6001Blocks4x4, 256, 192, false, 1, false},
                    StartCase{M::Pc6001Blocks4x6, 256, 192, false, 1, false},
                    StartCase{M::Pc6001HalfTone, 320, 200, false, 2, true},
                    StartCase{M::Pc6001WideHalfTone, 256, 192, false, 1, true},
                    StartCase{M::Pc8801Tall, 640, 400, false, 3, true},
                    StartCase{M::Pc8801FloydSteinberg, 320, 200, false, 3, false},
                    StartCase{M::Pc8801HalfTone, 640, 200, false, 3, true}));

TEST(ConverterDrivers, PcExportIsOffFromEveryStart) {
    auto rig = MakeRig(PhotoLike(256, 192));
    rig->openOnPage(P6);
    ASSERT_TRUE(rig->model.controls().exportEnabled[std::size_t(P6)]);
    rig->model.chooseMode(ModeId::Pc6001Blocks4x6); // runs whole: the finish decides at once
    EXPECT_FALSE(rig->model.controls().exportEnabled[std::size_t(P6)]);
    EXPECT_TRUE(rig->model.controls().applyEnabled[std::size_t(P6)]);
}

TEST(ConverterDrivers, P6RulesWithColour8EndsAtTheRulesRange) {
    auto rig = MakeRig(PhotoLike(256, 192));
    rig->openOnPage(P6);
    rig->model.setParameter(Parameter::P6Rules, 1);
    rig->model.chooseMode(ModeId::Pc6001Wide);
    rig->session.switchPalette(PaletteKindId::Color8, false);
    rig->model.redoPreview();
    rig->model.runToFinish();
    EXPECT_EQ(rig->model.conversion().progress, 2048);
    rig->session.switchPalette(PaletteKindId::Color15, false);
    rig->model.redoPreview();
    rig->model.runToFinish();
    EXPECT_EQ(rig->model.conversion().progress, 128 * 192);
}

} // namespace
