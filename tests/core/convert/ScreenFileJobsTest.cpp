// One press of a Save or Export button with the window's dialogs and boxes replaced.
#include "ScreenFileTestSupport.h"

#include "core/convert/ScreenFileJobs.h"
#include "support/TestData.h"

#include <filesystem>

using namespace murelo;
using namespace murelo::test;

namespace {

struct FakeWindow {
    std::optional<std::string> answer; // what the dialog returns
    bool overwrite = true;
    std::vector<std::pair<ScreenDialog, std::string>> dialogs; // shown, with their proposal
    std::vector<std::string> questions;
    std::vector<std::string> failures;
    std::vector<std::string> written;

    ScreenFileHooks hooks() {
        ScreenFileHooks h;
        h.chooseFile = [this](ScreenDialog d, const std::string& name) {
            dialogs.emplace_back(d, name);
            return answer;
        };
        h.confirmOverwrite = [this](const std::string& name) {
            questions.push_back(name);
            return overwrite;
        };
        h.reportFailure = [this](const std::string& text) { failures.push_back(text); };
        h.reportWritten = [this](const std::string& text) { written.push_back(text); };
        return h;
    }
};

FinishedConversion Screen5(int w = 256, int h = 4) {
    FinishedConversion c(ConverterPage::V9938, 0,
                         PictureOfEntries(RampPalette(), w, h, [](int x, int) { return x % 16; }));
    c->quantizerPalette = RampPalette();
    return c;
}

FinishedConversion Pc6001() {
    FinishedConversion c(ConverterPage::Pc6001, 1, Picture(256, 192, PaletteColor(KindColor15, 2)));
    c->params.PaletteKind = KindColor15;
    return c;
}

class ScreenFileJobs : public ::testing::Test {
  protected:
    TempDir dir;
    ScreenFileSession session;
    FakeWindow window;
    std::string at(const std::string& name) const { return (dir / name).string(); }
};

// The first Export proposes the picture's own name in its folder, later ones the last name
// chosen; what was written is listed with its sizes.
TEST_F(ScreenFileJobs, ExportWritesWithoutAskingListsTheFilesAndProposesItsLastNameNextTime) {
    auto c = Screen5();
    WriteBytes(dir / "PIC.SC5", {1});
    window.answer = at("pic");
    ScreenFileJobResult r = RunExportButton(*c, false, at("girl.bmp"), session, window.hooks());
    EXPECT_EQ(r.outcome, ScreenFileOutcome::Written);
    EXPECT_EQ(r.report.written, (std::vector<std::string>{at("PIC.SC5"), at("PIC.PAL")}));
    EXPECT_EQ(std::filesystem::file_size(dir / "PIC.SC5"), 7u + 512u);
    EXPECT_TRUE(window.questions.empty());
    EXPECT_EQ(window.written, (std::vector<std::string>{at("PIC.SC5") + "  519 bytes\n" +
                                                        at("PIC.PAL") + "  39 bytes\n"}));
    r = RunExportButton(*c, false, at("girl.bmp"), session, window.hooks());
    ASSERT_EQ(window.dialogs.size(), 2u);
    EXPECT_EQ(window.dialogs[0], std::make_pair(ScreenDialog::SaveDialog4, at("girl")));
    EXPECT_EQ(window.dialogs[1], std::make_pair(ScreenDialog::SaveDialog4, at("pic")));
}

TEST_F(ScreenFileJobs, ARefusedSizeShowsNoDialogAndCancelWritesNothing) {
    auto tall = Screen5(256, 213);
    window.answer = at("pic");
    EXPECT_EQ(RunExportButton(*tall, false, "", session, window.hooks()).outcome,
              ScreenFileOutcome::Refused);
    EXPECT_TRUE(window.dialogs.empty());
    auto c = Screen5();
    window.answer.reset();
    EXPECT_EQ(RunExportButton(*c, false, "", session, window.hooks()).outcome,
              ScreenFileOutcome::Cancelled);
    EXPECT_EQ(RunSaveButton(*c, "girl.bmp", session, window.hooks()).outcome,
              ScreenFileOutcome::Cancelled);
    EXPECT_TRUE(session.remembered[CompanionKind::Sc5].empty());
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST_F(ScreenFileJobs, AFailedWriteIsReportedOnceNamingTheFile) {
    auto c = Screen5();
    window.answer = at("missing/pic");
    const ScreenFileJobResult r = RunExportButton(*c, true, "", session, window.hooks());
    EXPECT_EQ(r.outcome, ScreenFileOutcome::Failed);
    ASSERT_EQ(window.failures.size(), 1u);
    EXPECT_NE(window.failures[0].find(at("missing/PIC.SC5")), std::string::npos);
}

TEST_F(ScreenFileJobs, SaveProposesRemembersAndAsksOnceBeforeReplacing) {
    auto c = Screen5();
    window.answer = at("out.png");
    EXPECT_EQ(RunSaveButton(*c, at("girl.bmp"), session, window.hooks()).outcome,
              ScreenFileOutcome::Written);
    EXPECT_EQ(window.dialogs.back(),
              std::make_pair(ScreenDialog::SavePictureDialog1, at("girl_SC5.bmp")));
    EXPECT_EQ(session.remembered[CompanionKind::Sc5], at("out.bmp"));
    EXPECT_TRUE(window.questions.empty());
    const auto written = ReadBytes(dir / "out.bmp");
    // The file exists now: declining keeps it and the remembered name.
    window.overwrite = false;
    window.answer = at("other.bmp");
    WriteBytes(dir / "other.bmp", {7});
    EXPECT_EQ(RunSaveButton(*c, at("girl.bmp"), session, window.hooks()).outcome,
              ScreenFileOutcome::Declined);
    EXPECT_EQ(window.dialogs.back().second, at("out.bmp"));
    EXPECT_EQ(window.questions, (std::vector<std::string>{at("other.bmp")}));
    EXPECT_EQ(ReadBytes(dir / "other.bmp"), (std::vector<unsigned char>{7}));
    EXPECT_EQ(session.remembered[CompanionKind::Sc5], at("out.bmp"));
    window.overwrite = true;
    EXPECT_EQ(RunSaveButton(*c, at("girl.bmp"), session, window.hooks()).outcome,
              ScreenFileOutcome::Written);
    EXPECT_EQ(window.questions.size(), 2u);
    EXPECT_EQ(ReadBytes(dir / "other.bmp"), written);
    EXPECT_EQ(session.remembered[CompanionKind::Sc5], at("other.bmp"));
    // Another mode has a name of its own; forgetting empties them all.
    c->mode = ModeId::Screen7;
    c->result = PictureOfEntries(RampPalette(), 512, 2, [](int, int) { return 1; });
    window.answer.reset();
    RunSaveButton(*c, at("girl.bmp"), session, window.hooks());
    EXPECT_EQ(window.dialogs.back().second, at("girl_SC7.bmp"));
    session.remembered.forget();
    c->mode = ModeId::Screen5;
    RunSaveButton(*c, at("girl.bmp"), session, window.hooks());
    EXPECT_EQ(window.dialogs.back().second, at("girl_SC5.bmp"));
}

TEST_F(ScreenFileJobs, Pc6001ExportProposesThePicturesNameFirstThenItsLastChoice) {
    auto c = Pc6001();
    window.answer = at("p6.png");
    EXPECT_EQ(RunExportButton(*c, false, at("girl.bmp"), session, window.hooks()).outcome,
              ScreenFileOutcome::Written);
    EXPECT_TRUE(std::filesystem::is_regular_file(dir / "p6.png")); // its extension kept
    window.answer = at("again");
    RunExportButton(*c, false, at("girl.bmp"), session, window.hooks());
    EXPECT_TRUE(std::filesystem::is_regular_file(dir / "again.bmp"));
    ASSERT_EQ(window.dialogs.size(), 2u);
    EXPECT_EQ(window.dialogs[0].second, at("girl_P6.bmp"));
    EXPECT_EQ(window.dialogs[1].second, at("p6.png"));
    EXPECT_TRUE(window.questions.empty());
}

TEST_F(ScreenFileJobs, Pc6001PixelOutsideThePaletteIsReportedAndNothingWritten) {
    auto c = Pc6001();
    c->result.setPixel(4, 4, RgbColor(1, 2, 3));
    window.answer = at("p6.bmp");
    WriteBytes(dir / "p6.bmp", {9});
    EXPECT_EQ(RunExportButton(*c, false, "", session, window.hooks()).outcome,
              ScreenFileOutcome::Failed);
    ASSERT_EQ(window.failures.size(), 1u);
    EXPECT_NE(window.failures[0].find("not a colour"), std::string::npos);
    EXPECT_TRUE(window.questions.empty());
    EXPECT_EQ(ReadBytes(dir / "p6.bmp"), (std::vector<unsigned char>{9}));
}

} // namespace
