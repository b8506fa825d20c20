// detect, info, recolor and save on hand-made bitmaps.
#include "core/editor/BitmapCodec.h"
#include "core/editor/IndexedCopy.h"
#include "support/CliRunner.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

using namespace murelo;
using namespace murelo::test;

namespace {

void Write(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
    WriteBytes(file, std::vector<unsigned char>(bytes.begin(), bytes.end()));
}

// 6 x 3 of TMS9918 greens 46B73E and whites, the palette's entries 2 and 15.
Picture TmsGreenAndWhite() {
    Picture p(6, 3, FromRrggbb(0xFFFFFF));
    p.setPixel(0, 0, FromRrggbb(0x46B73E));
    p.setPixel(5, 2, FromRrggbb(0x46B73E));
    return p;
}

DecodedBitmap ReadBack(const std::filesystem::path& file) {
    const std::vector<unsigned char> bytes = ReadBytes(file);
    return DecodeBitmap(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

class BitmapCommands : public ::testing::Test {
  protected:
    TempDir dir;
    std::string path(const std::string& name) const { return (dir / name).string(); }
};

} // namespace

TEST_F(BitmapCommands, DetectPrintsKindNumberAndName) {
    Write(dir / "tms.bmp", EncodeBitmap24(TmsGreenAndWhite()));
    Picture pc88(2, 1, FromRrggbb(0x0000FF));
    pc88.setPixel(1, 0, FromRrggbb(0xFFFF00));
    Write(dir / "pc88.bmp", EncodeBitmap24(pc88));
    Write(dir / "v9938.bmp", EncodeBitmap24(Picture(3, 3, FromRrggbb(0x24DB24))));
    CliResult r = RunCli({"detect", path("tms.bmp")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "0 TMS9918\n");
    r = RunCli({"detect", path("pc88.bmp")});
    EXPECT_EQ(r.out, "6 PC-8801\n");
    r = RunCli({"detect", path("v9938.bmp")});
    EXPECT_EQ(r.out, "5 V9938/58\n");
}

TEST_F(BitmapCommands, InfoPrintsSizeStoredFormatAndKind) {
    const auto indexed = BuildIndexedCopy(TmsGreenAndWhite(), 0, 2);
    Write(dir / "four.bmp", EncodeIndexedBitmap(*indexed, 4));
    Write(dir / "eight.bmp", EncodeIndexedBitmap(*BuildIndexedCopy(TmsGreenAndWhite(), 0, 3), 8));
    Write(dir / "v9938.bmp", EncodeBitmap24(Picture(3, 5, FromRrggbb(0x24DB24))));
    EXPECT_EQ(RunCli({"info", path("four.bmp")}).out, "6 3 2 0\n");
    EXPECT_EQ(RunCli({"info", path("eight.bmp")}).out, "6 3 3 0\n");
    EXPECT_EQ(RunCli({"info", path("v9938.bmp")}).out, "3 5 6 5\n");
    // The stored format, even when the colours would not fit an indexed save.
    Write(dir / "odd.bmp", EncodeIndexedBitmap({1, 1, {FromRrggbb(0x123456)}, {0}}, 4));
    EXPECT_EQ(RunCli({"info", path("odd.bmp")}).out, "1 1 2 0\n");
}

TEST_F(BitmapCommands, RecolorMapsIndexForIndexBetweenChipPalettes) {
    Write(dir / "tms.bmp", EncodeBitmap24(TmsGreenAndWhite()));
    CliResult r = RunCli({"recolor", path("tms.bmp"), "--palette", "tms9929", "-o", path("o.bmp")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    DecodedBitmap out = ReadBack(dir / "o.bmp");
    ASSERT_TRUE(out.ok());
    EXPECT_EQ(out.formatCode, 6);
    EXPECT_EQ(out.picture.pixel(0, 0), FromRrggbb(0x48B151)); // TMS9929 entry 2
    EXPECT_EQ(out.picture.pixel(5, 2), FromRrggbb(0x48B151));
    EXPECT_EQ(out.picture.pixel(1, 0), FromRrggbb(0xFFFFFF));
    // The PC-6x01 modes do not recolour.
    r = RunCli({"recolor", path("tms.bmp"), "--palette", "Color 4-1", "-o", path("p.bmp")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(ReadBack(dir / "p.bmp").picture, TmsGreenAndWhite());
}

TEST_F(BitmapCommands, SaveWritesTheChosenDepthOrFallsBackTo24) {
    Write(dir / "tms.bmp", EncodeBitmap24(TmsGreenAndWhite()));
    ASSERT_EQ(RunCli({"save", path("tms.bmp"), "-o", path("as-loaded.bmp")}).exitCode, 0);
    EXPECT_EQ(ReadBytes(dir / "as-loaded.bmp")[28], 24);
    ASSERT_EQ(RunCli({"save", path("tms.bmp"), "-o", path("4.bmp"), "--depth", "4"}).exitCode, 0);
    const std::vector<unsigned char> four = ReadBytes(dir / "4.bmp");
    EXPECT_EQ(four[28], 4);
    EXPECT_EQ(four[54 + 8 + 2] << 16 | four[54 + 8 + 1] << 8 | four[54 + 8], 0x46B73E);
    EXPECT_EQ(ReadBack(dir / "4.bmp").picture, TmsGreenAndWhite());
    ASSERT_EQ(RunCli({"save", path("4.bmp"), "-o", path("again.bmp")}).exitCode, 0);
    EXPECT_EQ(ReadBytes(dir / "again.bmp")[28], 4); // a 4-bit file saves back at 4 bits
    ASSERT_EQ(RunCli({"save", path("tms.bmp"), "-o", path("8.bmp"), "--depth", "8"}).exitCode, 0);
    EXPECT_EQ(ReadBytes(dir / "8.bmp")[28], 8);
    // 46B73E is not a TMS9928 colour, so with that palette 4 bits cannot hold the picture.
    ASSERT_EQ(
        RunCli({"save", path("tms.bmp"), "-o", path("28.bmp"), "--depth", "4", "--palette", "1"})
            .exitCode,
        0);
    EXPECT_EQ(ReadBytes(dir / "28.bmp")[28], 24);
}

TEST_F(BitmapCommands, SaveTableComesFromTheGivenPalette) {
    Picture bw(2, 1, FromRrggbb(0x000000));
    bw.setPixel(1, 0, FromRrggbb(0xFFFFFF));
    Write(dir / "bw.bmp", EncodeBitmap24(bw));
    ASSERT_EQ(RunCli({"save", path("bw.bmp"), "-o", path("o.bmp"), "--depth", "4", "--palette",
                      "TMS9928"})
                  .exitCode,
              0);
    const std::vector<unsigned char> o = ReadBytes(dir / "o.bmp");
    EXPECT_EQ(o[28], 4);
    EXPECT_EQ(o[54 + 8 + 2] << 16 | o[54 + 8 + 1] << 8 | o[54 + 8], 0x3FB84A); // TMS9928 entry 2
    EXPECT_EQ(o[54 + 64], 0x1F); // black is entry 1, white entry 15
}

TEST_F(BitmapCommands, BadInputIsOneLineAndExitTwo) {
    // A damaged PNG is read as a PNG whatever its name; bytes of no picture kind are no bitmap.
    Write(dir / "photo.bmp", {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 0, 0, 0, 0,
                              0,    0,   0,   0,   0,    0,    0,    0,    0, 0, 0, 0, 0, 0, 0});
    Write(dir / "text.bmp", {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'});
    std::vector<std::uint8_t> wide = EncodeBitmap24(Picture(1, 10));
    wide[18] = 0x81; // width 641
    wide[19] = 0x02;
    Write(dir / "wide.bmp", wide);
    Write(dir / "tms.bmp", EncodeBitmap24(TmsGreenAndWhite()));
    for (const char* command : {"detect", "info"}) {
        CliResult r = RunCli({command, path("text.bmp")});
        EXPECT_EQ(r.exitCode, 2) << command;
        EXPECT_NE(r.err.find(path("text.bmp") + ": Not BMP File!"), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
        r = RunCli({command, path("photo.bmp")});
        EXPECT_EQ(r.exitCode, 2) << command;
        EXPECT_NE(r.err.find(path("photo.bmp") + ": ReadError : PNG: "), std::string::npos)
            << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
        r = RunCli({command, path("wide.bmp")});
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_NE(r.err.find("( 641, 10 )"), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    }
    EXPECT_EQ(RunCli({"detect"}).exitCode, 2);
    EXPECT_EQ(RunCli({"recolor", path("tms.bmp"), "-o", path("x.bmp")}).exitCode, 2);
    EXPECT_EQ(RunCli({"recolor", path("tms.bmp"), "--palette", "15", "-o", path("x.bmp")}).exitCode,
              2);
    EXPECT_EQ(RunCli({"save", path("tms.bmp"), "-o", path("x.bmp"), "--depth", "16"}).exitCode, 2);
    EXPECT_EQ(RunCli({"save", path("tms.bmp")}).exitCode, 2);
    EXPECT_FALSE(std::filesystem::exists(dir / "x.bmp"));
    const CliResult r = RunCli({"save", path("tms.bmp"), "-o", path("missing/x.bmp")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("missing/x.bmp"), std::string::npos) << r.err;
}
