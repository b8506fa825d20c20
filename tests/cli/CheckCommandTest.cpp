#include "core/editor/BitmapCodec.h"
#include "core/palette/Palettes.h"
#include "support/CliRunner.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <vector>

namespace murelo {
namespace {

using test::RunCli;

ColorValue Tms9918(int index) {
    return PaletteColor(KindTms9918, index);
}

struct CheckCli : ::testing::Test {
    test::TempDir dir;

    std::string Save(const Picture& picture, const std::string& name = "pic.bmp") {
        return test::SaveBitmap(dir, name, picture);
    }
};

TEST_F(CheckCli, BlankPicturePasses) {
    const auto r = RunCli({"check", Save(Picture(256, 192, Tms9918(15)))});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "Error(s):\n\n\nError Total: 0\nOK!\n");
    EXPECT_EQ(r.err, "");
}

TEST_F(CheckCli, OffencesAreListedAndExitOne) {
    Picture picture(256, 192, Tms9918(15));
    picture.setPixel(17, 5, Tms9918(2));
    picture.setPixel(18, 5, Tms9918(4)); // third colour of the run at 16
    const auto r = RunCli({"check", Save(picture)});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "Error(s):\n\nLine : (  18,   5 )\n\nError Total: 1\n"
                     "Some errors were found!\n");
}

TEST_F(CheckCli, TablesHoldTheVideoMemoryImage) {
    Picture picture(256, 192, Tms9918(15));
    for (int x = 8; x < 12; ++x)
        picture.setPixel(x, 0, Tms9918(3)); // cell 1, line 0: 3 3 3 3 15 15 15 15
    const std::string tables = (dir / "vram.bin").string();
    const auto r = RunCli({"check", Save(picture), "--tables", tables});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto vram = test::ReadBytes(tables);
    ASSERT_EQ(vram.size(), 16384u);
    EXPECT_EQ(vram[0], 0xFF);
    EXPECT_EQ(vram[0x2000], 0xF0);
    EXPECT_EQ(vram[8], 0x0F);
    EXPECT_EQ(vram[0x2008], 0xF3);
    EXPECT_EQ(vram[0x1800 + 511], 255); // the reset name table
    EXPECT_EQ(vram[0x1B00], 0xD1);
}

TEST_F(CheckCli, OverlayIsWrittenAsABitmap) {
    Picture picture(64, 16, Tms9918(15));
    picture.setPixel(3, 9, 0x123456);
    const std::string overlay = (dir / "marks.bmp").string();
    const auto r = RunCli({"check", Save(picture), "--overlay", overlay});
    EXPECT_EQ(r.exitCode, 1);
    const auto bytes = test::ReadBytes(overlay);
    const DecodedBitmap decoded = DecodeBitmap({bytes.data(), bytes.size()});
    ASSERT_TRUE(decoded.ok()) << decoded.message;
    EXPECT_EQ(decoded.formatCode, 6); // 24 bits
    ASSERT_EQ(decoded.picture.width(), 64);
    ASSERT_EQ(decoded.picture.height(), 16);
    EXPECT_EQ(decoded.picture.pixel(3, 9), 0xFF00FF);
    EXPECT_EQ(decoded.picture.pixel(4, 9), 0x202020);
}

TEST_F(CheckCli, PaletteOptionOverridesDetection) {
    Picture picture(16, 8, Tms9918(15));
    picture.setPixel(1, 1, Tms9918(3)); // 7CCF6C: TMS9918 only
    picture.setPixel(9, 2, Tms9918(3));
    const std::string file = Save(picture);
    EXPECT_EQ(RunCli({"check", file}).exitCode, 0);
    const auto r = RunCli({"check", file, "--palette", "315-5124"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "Error(s):\n\nColor: (   1,   1 )\nColor: (   9,   2 )\n\n"
                     "Error Total: 2\nSome errors were found!\n");
}

TEST_F(CheckCli, BadInputIsExitTwo) {
    EXPECT_EQ(RunCli({"check"}).exitCode, 2);
    const auto missing = RunCli({"check", (dir / "none.bmp").string()});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.err.find("none.bmp"), std::string::npos);
    test::WriteBytes(dir / "fake.bmp", {'P', 'K', 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                        0,   0,   0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    const auto fake = RunCli({"check", (dir / "fake.bmp").string()});
    EXPECT_EQ(fake.exitCode, 2);
    EXPECT_NE(fake.err.find("Not BMP File!"), std::string::npos);
    const std::string good = Save(Picture(256, 192, Tms9918(15)));
    EXPECT_EQ(RunCli({"check", good, "--palette", "nope"}).exitCode, 2);
    EXPECT_EQ(RunCli({"check", good, "--frobnicate"}).exitCode, 2);
    EXPECT_EQ(RunCli({"check", good, "--tables"}).exitCode, 2);
}

TEST_F(CheckCli, TablesNeedTheScreenSize) {
    const std::string file = Save(Picture(250, 192, Tms9918(15)));
    const auto r = RunCli({"check", file, "--tables", (dir / "t.bin").string()});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("256 x 192"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "t.bin"));
    EXPECT_EQ(RunCli({"check", file}).exitCode, 0);
}

TEST_F(CheckCli, UnwritableOutputIsReported) {
    const std::string file = Save(Picture(256, 192, Tms9918(15)));
    const std::string target = (dir / "no/such/dir/vram.bin").string();
    const auto r = RunCli({"check", file, "--tables", target});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find(target), std::string::npos);
}

} // namespace
} // namespace murelo
