#include "ConverterModelSupport.h"

#include "core/convert/ConversionDriver.h"

using namespace murelo;
using namespace murelo::test;

namespace {

constexpr int Tms = 0, V38 = 1, V58 = 2, P6 = 3, P88 = 4;

TEST(ConverterModeLists, EveryModeOfTheEngineHasItsItem) {
    for (int page = 0; page < ConverterPageCount; ++page)
        EXPECT_EQ(int(ModeCaptions(page).size()), ModeCount(ConverterPage(page))) << page;
    EXPECT_EQ(ModeCaptions(Tms).at(1), "Multi Color Mode (SCREEN 3)");
    EXPECT_EQ(ModeCaptions(P88).at(4), "Color Tone 1");
}

TEST(ConverterOpening, ChoosesThePageFromTheEditModeWhateverWasShownLast) {
    struct Case {
        int editMode;
        int lastPage;
        int expectedPage;
    };
    for (const Case c : {Case{0, V38, Tms}, Case{0, V58, Tms}, Case{1, Tms, P6}, Case{2, V58, P6},
                         Case{3, V38, P88}}) {
        SCOPED_TRACE(testing::Message() << "edit mode " << c.editMode);
        auto rig = MakeRig(PhotoLike(32, 16));
        rig->openOnPage(c.lastPage);
        rig->model.Button2Click();
        rig->session.setEditMode(EditModeOfNumber(c.editMode));
        rig->host.choice =
            EditModeOfNumber(1 - (c.editMode & 1)); // a stale choice of a cancelled dialog
        rig->model.FormShow();
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
    rig->model.PageControl1Change(P6);
    EXPECT_EQ(KindNumber(rig->doc().PaletteKind), KindColor15);
    rig->session.switchPalette(PaletteKindId::Color8, rig->doc().RecolorOnPaletteChange);
    rig->model.redoPreview();
    rig->model.runToFinish();
    rig->model.clickButton(CancelButtonOf(P6));

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
    rig->model.PageControl1Change(P88);
    EXPECT_TRUE(rig->model.FormShow().session.colors == false); // a restore: nothing again
    EXPECT_EQ(rig->model.state().SavedEditMode, EditModeId::Tms99x8);
    EXPECT_EQ(rig->model.controls().page, P88);
    EXPECT_TRUE(rig->model.Button2Click().closed);
    EXPECT_FALSE(rig->model.FormHide().closed);
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
    rig->model.Button2Click();
    rig->load(PhotoLike(320, 200));
    rig->open();
    EXPECT_EQ(rig->model.result().width(), 320);
    EXPECT_EQ(rig->model.result().height(), 200);
}

struct ApplyCase {
    int page;
    int mode;
    int editModeAfter;
    bool historyKept;
};

TEST(ConverterApply, ResultBecomesThePictureWithQuickSlotAndHistoryByPage) {
    for (const ApplyCase c : {ApplyCase{Tms, 0, 0, false}, ApplyCase{P6, 4, 1, true},
                              ApplyCase{P6, 2, 2, true}, ApplyCase{P88, 1, 3, false}}) {
        SCOPED_TRACE(testing::Message() << "page " << c.page << " mode " << c.mode);
        auto rig = MakeRig(PhotoLike(48, 32));
        // A stroke: the history holds two states.
        rig->doc().picture.setPixel(0, 0, 0x000000);
        rig->session.recordSnapshot();
        const Picture before = rig->doc().picture;
        rig->doc().ErrorsShown = true;
        rig->session.setRecolorOnPaletteChange(false);
        rig->openOnPage(c.page);
        rig->model.chooseMode(ComboOf(c.page), c.mode);
        rig->model.runToFinish();
        const Picture result = rig->model.result();
        ASSERT_FALSE(result == before);

        const ConverterChange change = rig->model.clickButton(ApplyButtonOf(c.page));
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
        EXPECT_EQ(rig->session.canUndo(), c.historyKept);
        EXPECT_FALSE(rig->session.canRedo());
        if (c.historyKept) {
            rig->session.undo();
            EXPECT_TRUE(rig->doc().picture == before);
        }
    }
}

TEST(ConverterApply, WithoutQuickSaveAskedPlainlyAndTheSlotStays) {
    auto rig = MakeRig(PhotoLike(24, 16));
    const Picture slot = rig->doc().quickSlot;
    rig->open();
    rig->model.setCheckBox(QuickSavePc6001, false); // mirrored onto the TMS9918 page
    EXPECT_FALSE(rig->model.controls().checkBox[QuickSaveTms9918]);
    EXPECT_FALSE(rig->model.controls().checkBox[QuickSavePc8801]);
    rig->model.clickButton(3);
    EXPECT_EQ(rig->host.lastQuestion, "OK?");
    EXPECT_EQ(rig->host.lastCaption, "Apply");
    EXPECT_TRUE(rig->doc().quickSlot == slot);
    EXPECT_FALSE(rig->doc().QuickSlotFilled);
}

TEST(ConverterApply, AnswerOtherThanOkOrAnIncompleteResultChangesNothing) {
    auto rig = MakeRig(PhotoLike(64, 64));
    const Picture before = rig->doc().picture;
    rig->model.setPassBudget(PassBudget(60000, 1));
    rig->model.FormShow();
    EXPECT_FALSE(rig->model.controls().buttonEnabled[3]);
    rig->model.clickButton(3); // disabled while converting
    EXPECT_EQ(rig->host.questions, 0);
    rig->model.runToFinish();
    rig->host.answer = false;
    EXPECT_FALSE(rig->model.clickButton(3).closed);
    EXPECT_EQ(rig->host.questions, 1);
    EXPECT_TRUE(rig->model.shown());
    EXPECT_TRUE(rig->doc().picture == before);
    EXPECT_FALSE(rig->doc().Modified);
}

TEST(ConverterApply, OddLineStaysOffAfterApplyingInTheTallPixelMode) {
    auto rig = MakeRig(PhotoLike(32, 32));
    rig->session.tool().OddLine = true;
    rig->openOnPage(P88);
    rig->model.clickButton(19);
    EXPECT_EQ(EditModeNumber(rig->doc().EditMode), 3);
    EXPECT_FALSE(rig->session.tool().OddLine);
    EXPECT_FALSE(rig->host.oddLineChecked);
    EXPECT_EQ(KindNumber(rig->doc().PaletteKind), KindPc8801);
}

TEST(ConverterControlsTest, ValueAlreadyStoredStartsNothing) {
    auto rig = MakeRig(PhotoLike(16, 16));
    rig->open();
    const int starts = rig->model.startCount();
    rig->model.setTrackBar(1, 0);
    rig->model.SyncBalanceControls();
    EXPECT_EQ(rig->model.startCount(), starts);
    // A page change starts exactly once, though it rewrites every balance bar.
    rig->model.setTrackBar(1, 40);
    EXPECT_EQ(rig->model.startCount(), starts + 1);
    rig->model.PageControl1Change(V38);
    EXPECT_EQ(rig->model.startCount(), starts + 2);
    EXPECT_EQ(rig->model.controls().trackBar[9], 40);
    EXPECT_EQ(rig->model.labelText(23), "  40");
    rig->model.setTrackBar(9, -35);
    EXPECT_EQ(rig->model.labelText(23), " -35");
    EXPECT_EQ(rig->model.labelText(5), "  40"); // rewritten at the next page change
    rig->model.PageControl1Change(Tms);
    EXPECT_EQ(rig->model.labelText(5), " -35");
    EXPECT_EQ(rig->model.labelText(10), " 100");
}

TEST(ConverterControlsTest, DragRestartsEveryStepAndOnlyTheLastRunsToTheEnd) {
    const Picture picture = PhotoLike(64, 48);
    auto rig = MakeRig(picture);
    rig->model.setPassBudget(PassBudget(60000, 7));
    rig->model.FormShow();
    const int starts = rig->model.startCount();
    for (int red = 1; red <= 10; ++red) {
        rig->model.setTrackBar(1, red * 5);
        EXPECT_EQ(rig->model.conversion().ConversionProgress, 7) << "a new first pass";
        EXPECT_TRUE(rig->model.controls().timerRunning);
    }
    EXPECT_EQ(rig->model.startCount(), starts + 10);
    rig->model.runToFinish();

    auto engine = std::make_unique<ConversionState>();
    engine->source = picture;
    engine->params = rig->model.parameters();
    ASSERT_EQ(engine->params.Balance.RedOffset, 50);
    RunConversion(*engine, ConverterPage::Tms9918, 0);
    EXPECT_TRUE(rig->model.result() == engine->result);
}

TEST(ConverterControlsTest, NtscOnOnePageTicksTheOthersAndStartsOnce) {
    auto rig = MakeRig(PhotoLike(16, 16));
    rig->open();
    const int starts = rig->model.startCount();
    rig->model.setCheckBox(NtscPc8801, true);
    EXPECT_TRUE(rig->model.parameters().NtscWeighting);
    EXPECT_TRUE(rig->model.controls().checkBox[NtscTms9918]);
    EXPECT_TRUE(rig->model.controls().checkBox[NtscPc6001]);
    EXPECT_EQ(rig->model.startCount(), starts + 1);
}

TEST(ConverterControlsTest, ConvertTypeStartsOnlyForAnotherItem) {
    auto rig = MakeRig(PhotoLike(16, 16));
    rig->openOnPage(V58);
    const int starts = rig->model.startCount();
    rig->model.RadioGroup1Click(0);
    EXPECT_EQ(rig->model.startCount(), starts);
    rig->model.RadioGroup1Click(2);
    EXPECT_EQ(rig->model.startCount(), starts + 1);
    EXPECT_EQ(rig->model.conversion().params.ConvertType, 2);
    EXPECT_EQ(rig->model.state().LastConvertType, 2);
}

TEST(ConverterControlsTest, ResetLeavesHalfToneAndReopeningSetsItBack) {
    auto rig = MakeRig(PhotoLike(16, 16));
    rig->open();
    rig->model.setTrackBar(19, 1);
    rig->model.setTrackBar(4, 30);
    rig->model.setTrackBar(5, 150);
    rig->model.clickButton(4);
    EXPECT_EQ(rig->model.parameters().HalfToneLevel, 1);
    EXPECT_TRUE(rig->model.parameters().Balance == ColorBalance{});
    EXPECT_EQ(rig->model.controls().trackBar[5], 100);
    rig->openOnPage(V58);
    rig->model.setTrackBar(6, 20);
    rig->model.clickButton(7);
    EXPECT_TRUE(rig->model.parameters().Yjk == YjkBalance{});
    rig->model.Button2Click();
    rig->open();
    EXPECT_EQ(rig->model.parameters().HalfToneLevel, 3);
    EXPECT_EQ(rig->model.controls().trackBar[19], 3);
}

TEST(ConverterControlsTest, PreviewBoxSwapsTheShownImageOnlyOnItsOwnPage) {
    auto rig = MakeRig(PhotoLike(16, 16));
    rig->open();
    rig->model.chooseMode(1, 2);                 // Half Tone: no coarse preview ticks the box again
    rig->model.setCheckBox(PreviewV9938, false); // another page's box
    EXPECT_TRUE(rig->model.controls().image6Shown);
    rig->model.setCheckBox(PreviewTms9918, false);
    EXPECT_FALSE(rig->model.controls().image6Shown);
    EXPECT_TRUE(rig->model.controls().image1Shown);
    rig->model.setTrackBar(2, 10); // the conversion goes on either way
    EXPECT_FALSE(rig->model.controls().image6Shown);
    rig->model.setCheckBox(PreviewTms9918, true);
    EXPECT_TRUE(rig->model.controls().image6Shown);
    // Graphic 2 draws its coarse preview, which ticks the box and shows the result.
    rig->model.setCheckBox(PreviewTms9918, false);
    rig->model.chooseMode(1, 0);
    EXPECT_TRUE(rig->model.controls().checkBox[PreviewTms9918]);
    EXPECT_TRUE(rig->model.controls().image6Shown);
}

TEST(ConverterControlsTest, PaletteSelectorOnlyOnTheIndexedPages) {
    auto rig = MakeRig(PhotoLike(16, 16));
    rig->open();
    for (const auto& [page, enabled] :
         {std::pair{V38, false}, std::pair{P6, true}, std::pair{V58, false}, std::pair{P88, true},
          std::pair{Tms, true}}) {
        rig->model.PageControl1Change(page);
        EXPECT_EQ(rig->model.controls().paletteSelectorEnabled, enabled) << page;
    }
}

TEST(ConverterDrivers, RedoPreviewRestartsTheActivePagesOwnDriver) {
    auto rig = MakeRig(PhotoLike(16, 16));
    for (const int page : {V38, V58, P6, P88, Tms}) {
        rig->openOnPage(page);
        const int starts = rig->model.startCount();
        rig->model.redoPreview();
        EXPECT_EQ(rig->model.startCount(), starts + 1);
        EXPECT_EQ(int(rig->model.conversion().page), page);
        rig->model.Button2Click();
    }
    EXPECT_EQ(rig->model.redoPreview().result, false) << "nothing while the window is closed";
}

TEST(ConverterDrivers, ModeWithoutUnitsFinishesAtItsStart) {
    auto rig = MakeRig(PhotoLike(3, 2)); // too narrow for a YJK group
    rig->openOnPage(V58);
    rig->model.chooseMode(2, 1);
    EXPECT_FALSE(rig->model.controls().timerRunning);
    EXPECT_TRUE(rig->model.controls().buttonEnabled[1]);
    const int starts = rig->model.startCount();
    EXPECT_FALSE(rig->model.Timer1Timer().result);
    EXPECT_EQ(rig->model.startCount(), starts);
}

// --- the start and finish table ---

struct StartCase {
    int page;
    int mode;
    int w;
    int h;
    bool interlace;
    int editMode;
    bool exportAtFinish;
};

class StartFinishTable : public testing::TestWithParam<StartCase> {};

TEST_P(StartFinishTable, ButtonsOptionsAndEditModeAtStartAndFinish) {
    const StartCase c = GetParam();
    auto rig = MakeRig(PhotoLike(c.w, c.h));
    rig->openOnPage(c.page);
    rig->model.setCheckBox(Interlace, c.interlace);
    rig->model.setPassBudget(PassBudget(60000, 1));
    const int apply = ApplyButtonOf(c.page);
    const int exportButton = ExportButtonOf(c.page);
    // Both buttons on beforehand, so the start must be what turns them off.
    rig->model.chooseMode(ComboOf(c.page), c.mode);
    rig->model.runToFinish();
    ASSERT_TRUE(rig->model.controls().buttonEnabled[std::size_t(apply)]);
    rig->model.chooseMode(ComboOf(c.page), c.mode);
    const ConverterControls& k = rig->model.controls();
    const bool runsWhole = ModeStartOf(ConverterPage(c.page), c.mode).runsWhole;
    EXPECT_EQ(k.timerRunning, !runsWhole);
    EXPECT_EQ(k.buttonEnabled[std::size_t(apply)], runsWhole);
    if (!runsWhole) {
        EXPECT_FALSE(k.buttonEnabled[std::size_t(exportButton)]);
    }
    EXPECT_EQ(EditModeNumber(rig->doc().EditMode), c.editMode);
    if (c.page == V38) {
        EXPECT_EQ(k.checkBoxEnabled[Interlace], c.mode <= 2);
        EXPECT_EQ(k.checkBoxEnabled[ConnectPalette], c.mode <= 2);
        EXPECT_EQ(k.checkBoxEnabled[OddLineV9938], (c.mode == 1 || c.mode == 2) && !c.interlace);
    }
    rig->model.setPassBudget(PassBudget(60000));
    rig->model.runToFinish();
    EXPECT_FALSE(k.timerRunning);
    EXPECT_TRUE(k.buttonEnabled[std::size_t(apply)]);
    EXPECT_EQ(k.buttonEnabled[std::size_t(exportButton)], c.exportAtFinish);
    EXPECT_EQ(rig->model.conversion().ConversionProgress, rig->model.conversion().plan.end);
}

INSTANTIATE_TEST_SUITE_P(
    EveryPage, StartFinishTable,
    testing::Values(
        StartCase{Tms, 0, 256, 192, false, 0, false}, StartCase{Tms, 1, 256, 192, false, 0, true},
        StartCase{Tms, 1, 320, 200, false, 0, false}, StartCase{Tms, 2, 64, 32, false, 0, false},
        StartCase{V38, 0, 256, 212, false, 0, true}, StartCase{V38, 0, 256, 212, true, 0, false},
        StartCase{V38, 0, 512, 424, true, 0, true}, StartCase{V38, 1, 512, 424, false, 0, true},
        // One row: the odd field would be empty, so the files' own check refuses it.
        StartCase{V38, 0, 512, 1, true, 0, false}, StartCase{V38, 2, 512, 1, true, 0, false},
        StartCase{V38, 1, 256, 192, true, 0, false}, StartCase{V38, 2, 512, 212, false, 0, true},
        StartCase{V38, 3, 256, 212, false, 0, true}, StartCase{V38, 5, 320, 200, false, 0, false},
        StartCase{V38, 6, 256, 192, false, 0, true}, StartCase{V58, 0, 256, 212, false, 0, true},
        StartCase{V58, 1, 256, 240, false, 0, false}, StartCase{P6, 0, 256, 192, false, 2, true},
        StartCase{P6, 1, 320, 200, false, 1, true}, StartCase{P6, 2, 256, 192, false, 2, false},
        StartCase{P6, 2, 640, 400, false, 2, true}, StartCase{P6, 3, 256, 192, false, 1, false},
        StartCase{P6, 4, 256, 192, false, 1, false}, StartCase{P6, 5, 320, 200, false, 2, true},
        StartCase{P6, 6, 256, 192, false, 1, true}, StartCase{P88, 0, 640, 400, false, 3, true},
        StartCase{P88, 3, 320, 200, false, 3, false}, StartCase{P88, 6, 640, 200, false, 3, true}));

TEST(ConverterDrivers, PcExportIsOffFromEveryStart) {
    auto rig = MakeRig(PhotoLike(256, 192));
    rig->openOnPage(P6);
    ASSERT_TRUE(rig->model.controls().buttonEnabled[15]);
    rig->model.chooseMode(4, 4); // runs whole: the finish decides at once
    EXPECT_FALSE(rig->model.controls().buttonEnabled[15]);
    EXPECT_TRUE(rig->model.controls().buttonEnabled[12]);
}

TEST(ConverterDrivers, P6RulesWithColour8EndsAtTheRulesRange) {
    auto rig = MakeRig(PhotoLike(256, 192));
    rig->openOnPage(P6);
    rig->model.setCheckBox(RulesP6, true);
    rig->model.chooseMode(4, 1);
    rig->session.switchPalette(PaletteKindId::Color8, false);
    rig->model.redoPreview();
    rig->model.runToFinish();
    EXPECT_EQ(rig->model.conversion().ConversionProgress, 2048);
    rig->session.switchPalette(PaletteKindId::Color15, false);
    rig->model.redoPreview();
    rig->model.runToFinish();
    EXPECT_EQ(rig->model.conversion().ConversionProgress, 128 * 192);
}

// The window's road and the engine's give the same result, screen bytes and palette for
// every mode, so the command line can go through the window model.
TEST(ConverterDrivers, EveryModeMatchesTheEngineRunDirectly) {
    const Picture picture = PhotoLike(256, 40);
    for (int page = 0; page < ConverterPageCount; ++page) {
        for (int mode = 0; mode < ModeCount(ConverterPage(page)); ++mode) {
            SCOPED_TRACE(testing::Message() << "page " << page << " mode " << mode);
            auto rig = MakeRig(picture);
            rig->openOnPage(page);
            rig->model.setTrackBar(ColourTrackBars(page == V58 ? Tms : page)[1], 25);
            rig->model.chooseMode(ComboOf(page), mode);
            rig->model.runToFinish();
            const std::vector<std::uint8_t> bytes(rig->model.conversion().screenBytes.begin(),
                                                  rig->model.conversion().screenBytes.end());

            auto engine = std::make_unique<ConversionState>();
            engine->source = picture;
            engine->params = rig->model.parameters();
            RunConversion(*engine, ConverterPage(page), mode);
            EXPECT_TRUE(rig->model.result() == engine->result);
            if ((page == V38 && mode <= 2) || page == P88) {
                EXPECT_TRUE(rig->model.conversion().quantizerPalette == engine->quantizerPalette);
            }
            EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), engine->screenBytes.begin()));
            EXPECT_EQ(EditModeNumber(rig->doc().EditMode), engine->EditMode);
        }
    }
}

} // namespace
