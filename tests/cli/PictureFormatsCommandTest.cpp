// import, save to PNG, export --format sc2, and every reading command on other picture kinds.
#include "core/editor/BitmapCodec.h"
#include "core/editor/PictureDecoding.h"
#include "core/editor/PngEncode.h"
#include "core/palette/Palettes.h"
#include "support/CliRunner.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

using namespace murelo;
using namespace murelo::test;

namespace {

void Write(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
    WriteBytes(file, std::vector<unsigned char>(bytes.begin(), bytes.end()));
}

DecodedBitmap ReadBack(const std::filesystem::path& file) {
    const std::vector<unsigned char> bytes = ReadBytes(file);
    return DecodeAnyPicture(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

ColorValue Tms(int i) {
    return PaletteColor(KindTms9918, i);
}

// Stripes of TMS9918 colours 8 pixels wide: passes the colour check.
Picture Stripes(int width, int height) {
    Picture p(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p.setPixel(x, y, Tms((x / 8 + y) % 15 + 1));
    return p;
}

class PictureFormatsCommands : public ::testing::Test {
  protected:
    TempDir dir;
    std::string path(const std::string& name) const { return (dir / name).string(); }
};

} // namespace

TEST_F(PictureFormatsCommands, ReadingCommandsTakeAPngWhateverItsName) {
    Write(dir / "art.bmp", EncodePng(Stripes(256, 192), KindTms9918));
    CliResult r = RunCli({"info", path("art.bmp")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "256 192 3 0\n");
    r = RunCli({"detect", path("art.bmp")});
    EXPECT_EQ(r.out, "0 TMS9918\n");
    r = RunCli({"check", path("art.bmp")});
    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
}

TEST_F(PictureFormatsCommands, SaveWritesAPngForAPngName) {
    const Picture p = Stripes(16, 8);
    Write(dir / "in.bmp", EncodeBitmap24(p));
    const CliResult r = RunCli({"save", path("in.bmp"), "-o", path("out.png")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::vector<unsigned char> bytes = ReadBytes(dir / "out.png");
    ASSERT_GT(bytes.size(), 26u);
    EXPECT_EQ(bytes[1], 'P');
    EXPECT_EQ(bytes[25], 3); // indexed: every pixel is a palette colour
    const DecodedBitmap back = ReadBack(dir / "out.png");
    ASSERT_TRUE(back.ok()) << back.message;
    EXPECT_EQ(back.picture, p);
}

TEST_F(PictureFormatsCommands, ImportScalesToTheChosenSizeAndFit) {
    Picture wide(1000, 250, Tms(8));
    wide.fillRect(500, 0, 500, 250, Tms(4));
    Write(dir / "wide.png", EncodePng(wide, KindTms9918));
    CliResult r = RunCli({"import", path("wide.png"), "-o", path("box.bmp"), "--size", "256x192"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    DecodedBitmap d = ReadBack(dir / "box.bmp");
    ASSERT_TRUE(d.ok());
    EXPECT_EQ(d.picture.width(), 256);
    EXPECT_EQ(d.picture.pixel(10, 10), 0); // letterbox is the default: black bar
    EXPECT_EQ(d.picture.pixel(10, 96), Tms(8));
    r = RunCli(
        {"import", path("wide.png"), "-o", path("crop.png"), "--size", "256x192", "--fit", "crop"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    d = ReadBack(dir / "crop.png");
    EXPECT_EQ(d.picture.pixel(10, 10), Tms(8));
    EXPECT_EQ(d.picture.pixel(250, 10), Tms(4));
    r = RunCli(
        {"import", path("wide.png"), "-o", path("all.bmp"), "--size", "64x48", "--fit", "stretch"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    d = ReadBack(dir / "all.bmp");
    EXPECT_EQ(d.picture.height(), 48);
    EXPECT_EQ(d.picture.pixel(0, 0), Tms(8));
}

TEST_F(PictureFormatsCommands, ImportRefusesBadSizesFitsAndFilesOnOneLine) {
    Write(dir / "small.png", EncodePng(Picture(20, 20, 0), KindTms9918));
    Write(dir / "junk.png", {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 1, 2, 3});
    struct Case {
        std::vector<std::string> args;
        std::string err;
    };
    const std::string in = path("small.png"), out = path("o.bmp");
    const std::string sizeText = "--size must be WxH with a width of 8..640 in steps of 8 and a "
                                 "height of 8..640 in steps of 4, not '";
    const Case cases[] = {
        {{"import", in, "-o", out, "--size", "250x192"}, sizeText + "250x192'"},
        {{"import", in, "-o", out, "--size", "256x190"}, sizeText + "256x190'"},
        {{"import", in, "-o", out, "--size", "648x192"}, sizeText + "648x192'"},
        {{"import", in, "-o", out, "--size", "256"}, sizeText + "256'"},
        {{"import", in, "-o", out, "--size", "0256x192"}, sizeText + "0256x192'"},
        {{"import", in, "-o", out, "--size", "256x192", "--fit", "zoom"},
         "--fit must be letterbox, crop or stretch, not 'zoom'"},
        {{"import", in, "-o", out},
         "usage: import SRC -o OUT.bmp|OUT.png --size WxH "
         "[--fit letterbox|crop|stretch]"},
        {{"import", path("junk.png"), "-o", out, "--size", "256x192"},
         path("junk.png") + ": ReadError : PNG: "},
    };
    for (const Case& c : cases) {
        const CliResult r = RunCli(c.args);
        EXPECT_EQ(r.exitCode, 2) << c.err;
        EXPECT_EQ(r.err.rfind("murelo9918-cli import: " + c.err, 0), 0u) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "o.bmp"));
}

TEST_F(PictureFormatsCommands, ExportSc2WritesTheImageThatReadsBack) {
    const Picture p = Stripes(256, 192);
    Write(dir / "pic.bmp", EncodeBitmap24(p));
    CliResult r = RunCli({"export", path("pic.bmp"), "--format", "sc2", "-o", path("pic")});
    ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_NE(r.out.find("OK!"), std::string::npos);
    EXPECT_EQ(std::filesystem::file_size(dir / "pic.SC2"), 7u + 0x3800);
    r = RunCli({"info", path("pic.SC2")});
    EXPECT_EQ(r.out, "256 192 2 0\n");
    r = RunCli({"save", path("pic.SC2"), "-o", path("back.bmp"), "--depth", "24"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(ReadBack(dir / "back.bmp").picture, p);
}

TEST_F(PictureFormatsCommands, ExportSc2RefusesOptionsItHasNot) {
    Write(dir / "pic.bmp", EncodeBitmap24(Stripes(256, 192)));
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--compress"}, "--compress applies only to --format bin"},
        {{"--no-header"}, "--no-header applies only to --format bin"},
        {{"--start", "C000"}, "--start applies only to --format cas or wav"},
        {{"--volume", "9"}, "--volume applies only to --format wav"},
    };
    for (const auto& [extra, err] : cases) {
        std::vector<std::string> args = {"export", path("pic.bmp"), "--format", "sc2",
                                         "-o",     path("x")};
        args.insert(args.end(), extra.begin(), extra.end());
        const CliResult r = RunCli(args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_EQ(r.err, "murelo9918-cli export: " + err + "\n");
    }
    const CliResult r = RunCli({"export", path("pic.bmp"), "--format", "png", "-o", path("x")});
    EXPECT_EQ(r.err, "murelo9918-cli export: --format must be bin, cas, wav or sc2, not 'png'\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "x.SC2"));
}

TEST_F(PictureFormatsCommands, ATooShortScreen2ImageIsRefused) {
    std::vector<std::uint8_t> file = {0xFE, 0, 0, 0xFF, 0x37, 0, 0};
    file.resize(7 + 0x2000);
    Write(dir / "short.sc2", file);
    const CliResult r = RunCli({"info", path("short.sc2")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "murelo9918-cli info: " + path("short.sc2") +
                         ": ReadError : the SCREEN 2 image holds 8192 bytes of video memory; the "
                         "pattern, name and colour tables need 14336\n");
}
