// One press of a Save or Export button: the size and mode checks, the names, the writing
// order and what a file that cannot be written does to the rest.
#include "ConversionTestSupport.h"
#include "ScreenFileTestSupport.h"

#include "core/convert/ScreenExport.h"
#include "core/convert/ScreenPalette.h"
#include "support/TestData.h"

#include <filesystem>

using namespace murelo;
using namespace murelo::test;

namespace {

FinishedConversion Finished(ConverterPage page, int mode, int w, int h, bool interlace = false) {
    FinishedConversion c(page, mode,
                         PictureOfEntries(RampPalette(), w, h, [](int, int) { return 0; }));
    c->params.Interlace = interlace;
    c->quantizerPalette = RampPalette();
    c->params.PaletteKind = page == ConverterPage::Pc6001 ? KindColor15 : KindTms9918;
    if (page == ConverterPage::Pc6001)
        c->result.fill(PaletteColor(KindColor15, 3));
    LoadConverterPalette(c->palette, c->params.PaletteKind);
    return c;
}

TEST(ScreenExportChecks, SizesAndModesTheFilesCanHold) {
    using P = ConverterPage;
    const struct {
        P page;
        int mode;
        bool interlace;
        int w, h;
        bool fits;
    } cases[] = {
        {P::V9938, 0, false, 256, 212, true},    {P::V9938, 0, false, 256, 213, false},
        {P::V9938, 0, false, 512, 212, false},   {P::V9938, 0, true, 512, 424, true},
        {P::V9938, 0, true, 256, 212, false},    {P::V9938, 0, true, 512, 1, false},
        {P::V9938, 0, true, 512, 2, true},       {P::V9938, 1, false, 512, 424, true},
        {P::V9938, 1, false, 512, 1, true},      {P::V9938, 1, true, 512, 1, false},
        {P::V9938, 2, false, 512, 425, false},   {P::V9938, 2, true, 512, 3, true},
        {P::V9938, 2, true, 512, 1, false},      {P::V9938, 4, false, 256, 212, true},
        {P::V9938, 5, true, 256, 100, true},     {P::V9938, 6, false, 512, 100, false},
        {P::V9958, 0, false, 256, 212, true},    {P::V9958, 1, false, 256, 213, false},
        {P::Tms9918, 1, false, 256, 192, true},  {P::Tms9918, 1, false, 256, 191, false},
        {P::Tms9918, 0, false, 256, 192, false}, {P::Tms9918, 2, false, 256, 192, false},
        {P::Pc8801, 0, false, 640, 400, true},   {P::Pc8801, 6, false, 640, 7, true},
        {P::Pc8801, 1, false, 320, 200, false},  {P::Pc6001, 0, false, 256, 192, true},
        {P::Pc6001, 1, false, 320, 200, true},   {P::Pc6001, 2, false, 256, 192, false},
        {P::Pc6001, 2, false, 640, 400, true},   {P::Pc6001, 5, false, 640, 400, false},
        {P::Pc6001, 3, false, 256, 192, false},  {P::Pc6001, 4, false, 256, 192, false},
    };
    for (const auto& t : cases) {
        auto c = Finished(t.page, t.mode, t.w, t.h, t.interlace);
        const std::string refusal = ExportRefusal(*c);
        EXPECT_EQ(refusal.empty(), t.fits)
            << int(t.page) << " mode " << t.mode << " " << t.w << "x" << t.h << ": " << refusal;
        const ScreenFileBuild build = ExportFiles(*c, "x/pic", false);
        EXPECT_EQ(build.ok(), t.fits) << build.error;
        EXPECT_EQ(build.files.empty(), !t.fits);
    }
}

TEST(ScreenExportChecks, RefusalsSayWhatIsWrong) {
    auto tall = Finished(ConverterPage::V9938, 0, 256, 300);
    EXPECT_EQ(ExportRefusal(*tall),
              "SCREEN 5 files need a picture 256 wide and 1 to 212 high; this one is 256 x 300");
    auto flat = Finished(ConverterPage::V9938, 2, 512, 1, true);
    EXPECT_EQ(ExportRefusal(*flat), "interlaced SCREEN 7 files need a picture 512 wide and 2 to "
                                    "424 high; this one is 512 x 1");
    auto running = Finished(ConverterPage::V9938, 0, 256, 212);
    running->complete = false;
    EXPECT_EQ(ExportRefusal(*running), "the conversion has not finished");
    EXPECT_EQ(SaveRefusal(*running), "the conversion has not finished");
    auto tms = Finished(ConverterPage::Tms9918, 0, 256, 192);
    EXPECT_FALSE(SaveRefusal(*tms).empty());
    EXPECT_TRUE(SaveRefusal(*Finished(ConverterPage::V9958, 0, 300, 300)).empty());
}

TEST(ScreenExport, NamesAreUpperCasedInTheFileNameOnly) {
    TempDir dir;
    const std::string folder = (dir / "my.dir").string();
    auto c = Finished(ConverterPage::V9938, 0, 256, 4);
    EXPECT_EQ(NamesOf(ExportFiles(*c, folder + "/pic.sc5", false).files),
              (std::vector<std::string>{folder + "/PIC.SC5", folder + "/PIC.PAL"}));
    auto s = Finished(ConverterPage::V9938, 0, 512, 4, true);
    EXPECT_EQ(NamesOf(ExportFiles(*s, "my.dir/pic", false).files),
              (std::vector<std::string>{"my.dir/PIC.S05", "my.dir/PIC.S15", "my.dir/PIC.PAL"}));
    auto m = Finished(ConverterPage::Tms9918, 1, 256, 192);
    EXPECT_EQ(NamesOf(ExportFiles(*m, "a.b/scr", false).files),
              (std::vector<std::string>{"a.b/SCR.SC3", "a.b/SCR.NAM"}));
    auto y = Finished(ConverterPage::V9958, 1, 256, 4);
    EXPECT_EQ(NamesOf(ExportFiles(*y, "pic.scc", false).files),
              (std::vector<std::string>{"PIC.SCC"}));
}

TEST(ScreenExport, ANameThatACompanionWouldReplaceIsRefused) {
    auto c = Finished(ConverterPage::V9938, 0, 256, 4);
    const ScreenFileBuild build = ExportFiles(*c, "pic.pal", false);
    EXPECT_FALSE(build.ok());
    EXPECT_TRUE(build.files.empty());
    EXPECT_NE(build.error.find("PIC.PAL"), std::string::npos);
    EXPECT_TRUE(ExportFiles(*c, "pic.pal", true).ok()); // no palette file beside it
    auto s = Finished(ConverterPage::V9938, 1, 512, 4, true);
    EXPECT_FALSE(ExportFiles(*s, "pic.s16", false).ok());
}

TEST(ScreenExport, SaveNamesGetBmpExceptOnThePc6001Page) {
    auto v = Finished(ConverterPage::V9938, 2, 512, 4);
    EXPECT_EQ(NamesOf(SaveFiles(*v, "d/pic.png").files), (std::vector<std::string>{"d/pic.bmp"}));
    EXPECT_EQ(NamesOf(SaveFiles(*v, "d/pic").files), (std::vector<std::string>{"d/pic.bmp"}));
    EXPECT_EQ(NamesOf(SaveFiles(*v, "d/pic.BMP").files), (std::vector<std::string>{"d/pic.BMP"}));
    auto p = Finished(ConverterPage::Pc6001, 0, 256, 192);
    EXPECT_EQ(NamesOf(SaveFiles(*p, "d/pic.png").files), (std::vector<std::string>{"d/pic.png"}));
    EXPECT_EQ(NamesOf(ExportFiles(*p, "d/pic", false).files),
              (std::vector<std::string>{"d/pic.bmp"}));
    p->result.setPixel(0, 0, RgbColor(1, 2, 3));
    const ScreenFileBuild stopped = ExportFiles(*p, "d/pic", false);
    EXPECT_FALSE(stopped.ok());
    EXPECT_TRUE(stopped.files.empty());
}

std::vector<std::uint8_t> FileBytes(const std::filesystem::path& path) {
    const auto b = ReadBytes(path);
    return std::vector<std::uint8_t>(b.begin(), b.end());
}

TEST(ScreenFileSetWriting, WritesEveryFileAndReplacesOldOnes) {
    TempDir dir;
    WriteBytes(dir / "PIC.PAL", {1, 2, 3});
    auto c = Finished(ConverterPage::V9938, 0, 256, 4);
    const ScreenFileBuild build = ExportFiles(*c, (dir / "pic").string(), false);
    const ScreenFileReport report = WriteScreenFileSet(build.files);
    ASSERT_TRUE(report.ok()) << FailureText(report);
    EXPECT_EQ(report.written, NamesOf(build.files));
    for (const NamedBytes& f : build.files)
        EXPECT_EQ(FileBytes(f.name), f.bytes) << f.name;
    // Nothing but the two files is left behind in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

TEST(ScreenFileSetWriting, AScreenFileThatCannotBeWrittenStopsTheRest) {
    TempDir dir;
    std::filesystem::create_directory(dir / "PIC.SC5"); // stands where the file would go
    auto c = Finished(ConverterPage::V9938, 0, 256, 4);
    const ScreenFileReport report =
        WriteScreenFileSet(ExportFiles(*c, (dir / "pic.sc5").string(), false).files);
    ASSERT_EQ(report.failures.size(), 1u);
    EXPECT_EQ(report.failures[0].name, (dir / "PIC.SC5").string());
    EXPECT_FALSE(report.failures[0].reason.empty());
    EXPECT_TRUE(report.written.empty());
    EXPECT_FALSE(std::filesystem::exists(dir / "PIC.PAL"));
    const std::string text = FailureText(report);
    EXPECT_EQ(text.rfind("Cannot write " + (dir / "PIC.SC5").string() + ": ", 0), 0u) << text;
    EXPECT_NE(text.find("Not written: " + (dir / "PIC.PAL").string()), std::string::npos);
}

TEST(ScreenFileSetWriting, TheFirstScreen5FieldAloneLetsTheOthersGoOn) {
    TempDir dir;
    std::filesystem::create_directory(dir / "PIC.S05");
    auto c = Finished(ConverterPage::V9938, 0, 512, 4, true);
    ScreenFileReport report =
        WriteScreenFileSet(ExportFiles(*c, (dir / "pic").string(), false).files);
    EXPECT_EQ(report.failures.size(), 1u);
    EXPECT_TRUE(std::filesystem::is_regular_file(dir / "PIC.S15"));
    EXPECT_TRUE(std::filesystem::is_regular_file(dir / "PIC.PAL"));
    // The same for SCREEN 7: its first field stops the set.
    std::filesystem::create_directory(dir / "B.S07");
    auto s7 = Finished(ConverterPage::V9938, 2, 512, 4, true);
    report = WriteScreenFileSet(ExportFiles(*s7, (dir / "b").string(), false).files);
    EXPECT_FALSE(std::filesystem::exists(dir / "B.S17"));
    EXPECT_EQ(report.skipped.size(), 2u);
}

TEST(ScreenFileSetWriting, PlaneFilesAreTriedOneByOne) {
    TempDir dir;
    std::filesystem::create_directory(dir / "pic.G");
    auto c = Finished(ConverterPage::Pc8801, 0, 640, 4);
    c->params.AnalogPalette = true;
    const ScreenFileReport report =
        WriteScreenFileSet(ExportFiles(*c, (dir / "pic.R").string(), false).files);
    ASSERT_EQ(report.failures.size(), 1u);
    EXPECT_EQ(report.failures[0].name, (dir / "pic.G").string());
    EXPECT_EQ(report.written.size(), 3u);
    for (const char* name : {"pic.R", "pic.B", "pic.PAL"})
        EXPECT_TRUE(std::filesystem::is_regular_file(dir / name)) << name;
}

TEST(ScreenFileSetWriting, TwoPlaneExportsUnderTwoNamesWriteBothSets) {
    TempDir dir;
    auto c = Finished(ConverterPage::Pc8801, 2, 640, 400);
    for (const char* base : {"one", "two"})
        ASSERT_TRUE(WriteScreenFileSet(ExportFiles(*c, (dir / base).string(), false).files).ok());
    for (const char* name : {"one.R", "one.G", "one.B", "two.R", "two.G", "two.B"})
        EXPECT_EQ(std::filesystem::file_size(dir / name), 16000u) << name;
}

// After a real conversion every pixel is one of the quantizer colours, so the file shows
// exactly the result.
TEST(ScreenExport, Screen5FileOfARealConversionShowsTheResult) {
    auto state = StateFor(NaturalPicture(256, 21, 3));
    RunConversion(*state, ModeId::Screen5);
    const ScreenFileBuild build = ExportFiles(*state, "PIC.SC5", false);
    ASSERT_TRUE(build.ok()) << build.error;
    const auto& data = build.files[0].bytes;
    ASSERT_EQ(data.size(), 7u + 21u * 128u);
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 256; ++x) {
            const std::uint8_t byte = data[7 + std::size_t(y) * 128 + std::size_t(x / 2)];
            const int index = x % 2 ? byte & 0x0F : byte >> 4;
            ASSERT_EQ(EntryColor(state->quantizerPalette, index), state->result.pixel(x, y))
                << x << "," << y;
        }
    const auto table = PaletteTable(state->quantizerPalette);
    EXPECT_TRUE(std::equal(table.begin(), table.end(), build.files[1].bytes.begin() + 7));
}

TEST(ScreenExport, Screen8FileOfARealConversionCarriesItsStoredBytes) {
    auto state = StateFor(NaturalPicture(256, 10, 5));
    RunConversion(*state, ModeId::Screen8);
    const std::vector<std::uint8_t>& screen = state->screenBytes;
    const ScreenFileBuild build = ExportFiles(*state, "PIC", false);
    ASSERT_TRUE(build.ok()) << build.error;
    ASSERT_EQ(NamesOf(build.files), (std::vector<std::string>{"PIC.SC8"}));
    EXPECT_TRUE(
        std::equal(screen.begin(), screen.begin() + 2560, build.files[0].bytes.begin() + 7));
    EXPECT_GT(std::count_if(screen.begin(), screen.begin() + 2560, [](auto b) { return b != 0; }),
              1000);
}

} // namespace
