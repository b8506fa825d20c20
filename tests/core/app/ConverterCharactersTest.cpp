// The TMS9918 page's "Characters" bar, the count beside the readout, and the applied result
// through the Export dialog's one-bank export.
#include "ConverterModelSupport.h"

#include "core/convert/CharacterCount.h"
#include "core/dialogs/ExportDialogModel.h"
#include "core/editor/ScreenBuffer.h"
#include "support/TestData.h"

#include <filesystem>
#include <string>

using namespace murelo;
using namespace murelo::test;

namespace {

TEST(ConverterCharactersBar, StartsWithoutALimitAndIsOnlyForTheGraphic2Modes) {
    auto rig = MakeRig(PhotoLike(32, 16));
    EXPECT_EQ(rig->model.parameters().Characters, 768);
    EXPECT_EQ(InfoOf(Parameter::Characters).min, 1);
    EXPECT_EQ(InfoOf(Parameter::Characters).max, 768);
    EXPECT_EQ(InfoOf(Parameter::Characters).caption, "Characters");
    rig->open();
    for (const ModeDescriptor& mode : ModesOf(Tms)) {
        rig->model.chooseMode(mode.id);
        rig->model.runToFinish();
        const bool graphic2 = mode.id == ModeId::Graphic2 || mode.id == ModeId::Graphic2Dithered;
        EXPECT_EQ(rig->model.enabled(Tms, Parameter::Characters), graphic2) << mode.caption;
        EXPECT_EQ(rig->model.controls().characters.empty(), !graphic2) << mode.caption;
    }
}

TEST(ConverterCharactersBar, EveryStepRestartsAndTheCountFollowsAtTheFinish) {
    auto rig = MakeRig(PhotoLike(128, 96));
    rig->open();
    rig->model.chooseMode(ModeId::Graphic2Dithered);
    rig->model.runToFinish();
    const ConverterControls& k = rig->model.controls();
    const int free = CountCharacters(rig->model.result());
    ASSERT_GT(free, 40);
    EXPECT_EQ(k.characters, CharacterCountText(free));
    for (int budget : {40, 39, 12, 768}) {
        SCOPED_TRACE(budget);
        // A few units a pass, so that the first pass leaves the conversion running.
        rig->model.setPassBudget(PassBudget(60000, 2));
        const int starts = rig->model.startCount();
        rig->model.setParameter(Parameter::Characters, budget);
        EXPECT_EQ(rig->model.startCount(), starts + 1);
        EXPECT_TRUE(k.timerRunning);
        EXPECT_EQ(k.characters, "") << "nothing counted while the conversion runs";
        rig->model.runToFinish();
        const int count = CountCharacters(rig->model.result());
        EXPECT_LE(count, budget);
        EXPECT_EQ(k.characters, CharacterCountText(count));
    }
    EXPECT_EQ(CountCharacters(rig->model.result()), free) << "768 sets no limit";
}

TEST(ConverterCharactersBar, TheAppliedResultExportsAsOneBank) {
    for (ModeId mode : {ModeId::Graphic2, ModeId::Graphic2Dithered})
        for (int budget : {200, 60}) {
            SCOPED_TRACE(testing::Message() << Describe(mode).caption << ", " << budget);
            auto rig = MakeRig(PhotoLike(256, 192));
            rig->open();
            rig->model.chooseMode(mode);
            rig->model.runToFinish();
            ASSERT_GT(CountCharacters(rig->model.result()), budget) << "a budget to keep";
            rig->model.setParameter(Parameter::Characters, budget);
            rig->model.runToFinish();
            rig->model.apply();
            ASSERT_TRUE(rig->model.state().Applied || !rig->model.shown());
            const Picture& picture = rig->session.document().picture;
            ASSERT_TRUE(picture == rig->model.result());
            // The Export dialog: "Binary Data", "Compress", "Store 1 BANK if possible".
            ExportDialogModel dialog;
            dialog.chooseDataType(ExportBinaryData);
            ASSERT_TRUE(dialog.chooseCompress(true).compressOptions);
            ExportOptions options;
            options.dataType = dialog.dataType();
            options.binary.compress = dialog.compress();
            options.binary.oneBank = true;
            TempDir dir;
            ExportJobHooks hooks;
            hooks.binaryPath = [&] { return std::optional(dir / "pic"); };
            ScreenBuffer screen;
            Picture overlay;
            const ExportJobResult r =
                RunExportJob(picture, KindNumber(rig->session.document().PaletteKind), options,
                             overlay, screen.vramImage(), hooks);
            EXPECT_EQ(r.outcome, ExportOutcome::Written) << r.messageText << r.boxText;
            const int count = CountCharacters(picture);
            EXPECT_LE(count, budget);
            EXPECT_NE(
                r.messageText.find("Number of Character Pattern(s): " + std::to_string(count)),
                std::string::npos);
            EXPECT_EQ(std::filesystem::file_size(dir / "PIC.GN"), 7u + 8u * unsigned(count));
        }
}

} // namespace
