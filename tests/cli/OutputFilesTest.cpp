// What the commands do to the files they write: replaced together or not at all, permission
// bits kept, links kept, no temporary left.
#include "core/editor/BitmapCodec.h"
#include "core/palette/Palettes.h"
#include "support/CliRunner.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>

namespace murelo {
namespace {

using test::RunCli;
namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

const Bytes OldBytes(40, 0x5A);

unsigned ModeOf(const fs::path& file) {
    struct stat st {};
    return ::stat(file.c_str(), &st) == 0 ? unsigned(st.st_mode & 0777) : ~0u;
}

struct OutputFiles : ::testing::Test {
    test::TempDir dir;

    std::string Path(const std::string& name) const { return (dir / name).string(); }
    std::string WhitePicture(int width = 256, int height = 192) {
        const std::vector<std::uint8_t> bytes =
            EncodeBitmap24(Picture(width, height, PaletteColor(KindTms9918, 15)));
        test::WriteBytes(dir / "in.bmp", {bytes.begin(), bytes.end()});
        return Path("in.bmp");
    }
    // An older file under the name, readable by its owner only.
    void Old(const std::string& name) {
        test::WriteBytes(dir / name, OldBytes);
        ::chmod((dir / name).c_str(), 0600);
    }
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir.path()))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

// Every job with several outputs, failing at its last one: nothing of it changes.
TEST_F(OutputFiles, AJobFailingAtItsLastFileChangesNone) {
    const std::string in = WhitePicture();
    fs::create_directory(dir / "TAB.COL");
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> olds; // written before, must stay as they are
        std::string failing;
        std::string error;
    };
    const Case cases[] = {
        {{"check", in, "--overlay", Path("a.bmp"), "--tables", Path("missing/b.bin")},
         {"a.bmp"},
         "missing/b.bin",
         "murelo9918-cli check: cannot write " + Path("missing/b.bin") +
             ": No such file or directory\n"},
        {{"check", in, "--overlay", Path("a.bmp"), "--tables", Path("TAB.COL")},
         {"a.bmp"},
         "TAB.COL",
         "murelo9918-cli check: cannot write " + Path("TAB.COL") + ": Is a directory\n"},
        {{"convert", in, "--page", "v9938", "--mode", "3", "-o", Path("a.bmp"), "--screen-bytes",
          Path("missing/b.bin")},
         {"a.bmp"},
         "missing/b.bin",
         "murelo9918-cli convert: cannot write " + Path("missing/b.bin") +
             ": No such file or directory\n"},
        {{"export", in, "--format", "bin", "-o", Path("tab")},
         {"TAB.GEN", "TAB.NAM"},
         "TAB.COL",
         "murelo9918-cli export: Write Error : " + Path("TAB.COL") + " (Is a directory)\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.failing);
        for (const std::string& name : c.olds)
            Old(name);
        const std::vector<std::string> before = Files();
        const auto r = RunCli(c.args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_EQ(r.err, c.error);
        for (const std::string& name : c.olds) {
            EXPECT_EQ(test::ReadBytes(dir / name), OldBytes) << name;
            EXPECT_EQ(ModeOf(dir / name), 0600u) << name;
        }
        EXPECT_EQ(Files(), before) << "a temporary was left, or a file appeared";
        EXPECT_TRUE(fs::is_empty(dir / "TAB.COL"));
    }
}

// Replacing a file keeps who may read it (these used to turn 0600 into 0644).
TEST_F(OutputFiles, ReplacedOutputsKeepTheirPermissionBits) {
    const std::string in = WhitePicture();
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> outputs;
    };
    const Case cases[] = {
        {{"check", in, "--overlay", Path("o.bmp"), "--tables", Path("t.bin")}, {"o.bmp", "t.bin"}},
        {{"export", in, "--format", "bin", "-o", Path("p")}, {"P.GEN", "P.NAM", "P.COL"}},
        {{"export", in, "--format", "cas", "-o", Path("t.cas")}, {"t.cas"}},
        {{"export", in, "--format", "wav", "-o", Path("t.wav")}, {"t.wav"}},
        {{"save", in, "-o", Path("s.bmp")}, {"s.bmp"}},
        {{"recolor", in, "--palette", "1", "-o", Path("r.bmp")}, {"r.bmp"}},
        {{"convert", in, "--page", "v9938", "--mode", "3", "-o", Path("c.bmp"), "--screen-bytes",
          Path("c.bin")},
         {"c.bmp", "c.bin"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[0]);
        for (const std::string& name : c.outputs)
            Old(name);
        const auto r = RunCli(c.args);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        for (const std::string& name : c.outputs) {
            EXPECT_NE(test::ReadBytes(dir / name), OldBytes) << name << " was not replaced";
            EXPECT_EQ(ModeOf(dir / name), 0600u) << name;
        }
    }
}

TEST_F(OutputFiles, ALinkedOutputReplacesTheFileBehindTheLink) {
    const std::string in = WhitePicture();
    fs::create_directory(dir / "store");
    Old("store/t.cas");
    Old("store/s.bmp");
    fs::create_symlink("store/t.cas", dir / "t.cas");
    fs::create_symlink(dir / "store" / "s.bmp", dir / "s.bmp");
    EXPECT_EQ(RunCli({"export", in, "--format", "cas", "-o", Path("t.cas")}).exitCode, 0);
    EXPECT_EQ(RunCli({"save", in, "-o", Path("s.bmp")}).exitCode, 0);
    for (const char* name : {"t.cas", "s.bmp"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(fs::is_symlink(dir / name));
        EXPECT_NE(test::ReadBytes(dir / "store" / name), OldBytes);
        EXPECT_EQ(ModeOf(dir / "store" / name), 0600u);
    }
    EXPECT_EQ(test::ReadBytes(dir / "store" / "s.bmp"), test::ReadBytes(dir / "in.bmp"));
}

} // namespace
} // namespace murelo
