// The converter window's Save and Export buttons: the finished conversion of the page shown,
// through the window's dialogs, and the remembered names that New, Open and drops forget.
#include "ConverterModelSupport.h"

#include "support/TestData.h"

#include <algorithm>
#include <optional>
#include <vector>

using namespace murelo;
using namespace murelo::test;

namespace {

struct FakeDialogs {
    std::optional<std::string> answer;
    std::vector<std::pair<ScreenDialog, std::string>> shown; // dialog and its proposal
    int questions = 0;
    std::vector<std::string> failures;

    ScreenFileHooks hooks() {
        ScreenFileHooks h;
        h.chooseFile = [this](ScreenDialog d, const std::string& name) {
            shown.emplace_back(d, name);
            return answer;
        };
        h.confirmOverwrite = [this](const std::string&) {
            ++questions;
            return true;
        };
        h.reportFailure = [this](const std::string& text) { failures.push_back(text); };
        return h;
    }
};

std::vector<std::string> FilesIn(const TempDir& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(ConverterFileButtons, ExportWritesTheFilesOfThePagesFinishedConversion) {
    TempDir dir;
    auto rig = MakeRig(PhotoLike(256, 212));
    rig->openOnPage(V38);
    FakeDialogs dialogs;
    dialogs.answer = (dir / "pic.sc5").string();
    const ScreenFileJobResult result = rig->model.exportFiles(dialogs.hooks());
    EXPECT_EQ(result.outcome, ScreenFileOutcome::Written);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].first, ScreenDialog::SaveDialog4);
    EXPECT_EQ(FilesIn(dir), (std::vector<std::string>{"PIC.PAL", "PIC.SC5"}));
    EXPECT_EQ(ReadBytes(dir / "PIC.SC5").size(), 7u + 212u * 128u);
    EXPECT_EQ(dialogs.questions, 0) << "screen files are replaced without a question";

    // "Connect Palette" is read when the button is pressed: one file, the palette inside.
    rig->model.setConnectPalette(true);
    dialogs.answer = (dir / "one.sc5").string();
    rig->model.exportFiles(dialogs.hooks());
    EXPECT_EQ(ReadBytes(dir / "ONE.SC5").size(), 7u + 0x76A0u);
    EXPECT_FALSE(std::filesystem::exists(dir / "ONE.PAL"));
    // The dialog proposes what it held after its last use.
    EXPECT_EQ(dialogs.shown.back().second, (dir / "pic.sc5").string());
}

TEST(ConverterFileButtons, OnlyAnEnabledButtonOfThePageShownWrites) {
    TempDir dir;
    auto rig = MakeRig(PhotoLike(256, 192));
    FakeDialogs dialogs;
    dialogs.answer = (dir / "x.sc3").string();
    EXPECT_EQ(rig->model.exportFiles(dialogs.hooks()).outcome, ScreenFileOutcome::Refused)
        << "the window is not shown";
    rig->open();
    // Graphic 2 has no files: its Export is off.
    EXPECT_EQ(rig->model.exportFiles(dialogs.hooks()).outcome, ScreenFileOutcome::Refused);
    rig->model.chooseMode(ModeId::MultiColor);
    ASSERT_TRUE(rig->model.controls().exportEnabled[std::size_t(Tms)]);
    // The TMS9918 page has no Save.
    EXPECT_EQ(rig->model.saveBitmap(dialogs.hooks()).outcome, ScreenFileOutcome::Refused);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(rig->model.exportFiles(dialogs.hooks()).outcome, ScreenFileOutcome::Written);
    EXPECT_EQ(FilesIn(dir), (std::vector<std::string>{"X.NAM", "X.SC3"}));

    // While a conversion runs its buttons are off, and nothing is written from it.
    rig->model.setPassBudget(PassBudget(60000, 1));
    rig->model.setParameter(Parameter::Red, 20);
    rig->model.choosePage(V58);
    ASSERT_TRUE(rig->model.controls().timerRunning);
    EXPECT_EQ(rig->model.saveBitmap(dialogs.hooks()).outcome, ScreenFileOutcome::Refused);
    EXPECT_EQ(rig->model.exportFiles(dialogs.hooks()).outcome, ScreenFileOutcome::Refused);
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

TEST(ConverterFileButtons, SaveRemembersItsNameUntilTheNamesAreForgotten) {
    TempDir dir;
    auto rig = MakeRig(PhotoLike(64, 32));
    rig->doc().FileName = (dir / "photo.bmp").string();
    rig->openOnPage(V58);
    FakeDialogs dialogs;
    dialogs.answer = (dir / "mine.png").string();
    EXPECT_EQ(rig->model.saveBitmap(dialogs.hooks()).outcome, ScreenFileOutcome::Written);
    EXPECT_EQ(dialogs.shown.back().first, ScreenDialog::SavePictureDialog1);
    EXPECT_EQ(dialogs.shown.back().second, (dir / "photo_S10.bmp").string());
    EXPECT_TRUE(std::filesystem::exists(dir / "mine.bmp"));

    rig->model.saveBitmap(dialogs.hooks());
    EXPECT_EQ(dialogs.shown.back().second, (dir / "mine.bmp").string());
    EXPECT_EQ(dialogs.questions, 1) << "the bitmap asks before it replaces";

    // The names outlive closing the window, not a new picture.
    rig->model.cancel();
    rig->openOnPage(V58);
    rig->model.saveBitmap(dialogs.hooks());
    EXPECT_EQ(dialogs.shown.back().second, (dir / "mine.bmp").string());
    rig->model.forgetFileNames();
    rig->model.saveBitmap(dialogs.hooks());
    EXPECT_EQ(dialogs.shown.back().second, (dir / "photo_S10.bmp").string());
}

TEST(ConverterFileButtons, FailureIsReportedOnceNamingTheFile) {
    TempDir dir;
    auto rig = MakeRig(PhotoLike(256, 192));
    rig->open();
    rig->model.chooseMode(ModeId::MultiColor);
    FakeDialogs dialogs;
    dialogs.answer = (dir / "missing" / "pic.sc3").string();
    EXPECT_EQ(rig->model.exportFiles(dialogs.hooks()).outcome, ScreenFileOutcome::Failed);
    ASSERT_EQ(dialogs.failures.size(), 1u);
    EXPECT_NE(dialogs.failures[0].find("PIC.SC3"), std::string::npos) << dialogs.failures[0];
    EXPECT_TRUE(FilesIn(dir).empty());
}

} // namespace
