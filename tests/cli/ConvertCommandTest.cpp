// convert on hand-made bitmaps: modes, options, outputs and refusals.
#include "core/editor/BitmapCodec.h"
#include "core/palette/Palettes.h"
#include "support/CliRunner.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace murelo;
using namespace murelo::test;

namespace {

class ConvertCommand : public ::testing::Test {
  protected:
    TempDir dir;
    std::string path(const std::string& name) const { return (dir / name).string(); }

    std::string write(const std::string& name, const Picture& picture) {
        return SaveBitmap(dir, name, picture);
    }

    Picture read(const std::string& name) {
        const auto bytes = ReadBytes(dir / name);
        return DecodeBitmap(std::vector<std::uint8_t>(bytes.begin(), bytes.end())).picture;
    }

    CliResult convert(std::vector<std::string> args) {
        args.insert(args.begin(), "convert");
        return RunCli(args);
    }
};

Picture RunOfIndices(const std::vector<int>& indices) {
    Picture p(int(indices.size()), 1);
    for (int x = 0; x < p.width(); ++x)
        p.setPixel(x, 0, PaletteColor(KindTms9918, indices[std::size_t(x)]));
    return p;
}

std::vector<int> Indices(const Picture& p) {
    std::vector<int> out;
    for (int x = 0; x < p.width(); ++x)
        out.push_back(PaletteIndexOf(p.pixel(x, 0), KindTms9918));
    return out;
}

TEST_F(ConvertCommand, Graphic2KeepsTheRulesUnlessTurnedOff) {
    const std::string in = write("run.bmp", RunOfIndices({5, 5, 5, 7, 7, 9, 9, 9}));
    CliResult r = convert({in, "--page", "tms9918", "--mode", "0", "-o", path("a.bmp")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Indices(read("a.bmp")), (std::vector<int>{5, 5, 5, 5, 5, 9, 9, 9}));
    r = convert({in, "--page", "tms9918", "--mode", "0", "--no-rules", "-o", path("b.bmp")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Indices(read("b.bmp")), (std::vector<int>{5, 5, 5, 7, 7, 9, 9, 9}));
}

TEST_F(ConvertCommand, Screen8WritesTheResultAndTheScreenBytes) {
    const std::string in = write("white.bmp", Picture(256, 4, 0xFFFFFF));
    CliResult r = convert({in, "--page", "v9938", "--mode", "6", "-o", path("out.bmp"),
                           "--screen-bytes", path("out.bin")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(read("out.bmp"), Picture(256, 4, RgbColor(247, 247, 247)));
    const auto bytes = ReadBytes(dir / "out.bin");
    ASSERT_EQ(bytes.size(), 256u * 4);
    for (unsigned char b : bytes)
        ASSERT_EQ(b, 0xFF);
}

TEST_F(ConvertCommand, HalfToneDrawsWithTheGivenColours) {
    const ColorValue grey = RgbColor(200, 200, 200); // level 7: foreground at (0,0), (2,2)
    const std::string in = write("grey.bmp", Picture(4, 4, grey));
    CliResult r = convert({in, "--page", "tms9918", "--mode", "2", "--fg", "#00FF00", "--bg",
                           "none", "-o", path("ht.bmp")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    Picture out = read("ht.bmp");
    EXPECT_EQ(out.pixel(0, 0), RgbColor(0, 255, 0));
    EXPECT_EQ(out.pixel(2, 2), RgbColor(0, 255, 0));
    EXPECT_EQ(out.pixel(1, 0), grey);
    r = convert({in, "--page", "tms9918", "--mode", "2", "--halftone", "0", "--bg", "4", "-o",
                 path("ht0.bmp")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(read("ht0.bmp"), Picture(4, 4, PaletteColor(KindTms9918, 1))); // level 0: fg 1
}

TEST_F(ConvertCommand, DefaultColoursAreClampedToThePagesPalette) {
    // PC-8801: foreground index 1 (blue); background 15 is past the range 0..7 and
    // becomes its first index 0 (black).
    const std::string white = write("w.bmp", Picture(2, 2, 0xFFFFFF));
    const std::string black = write("b.bmp", Picture(2, 2, 0x000000));
    ASSERT_EQ(convert({white, "--page", "pc8801", "--mode", "6", "-o", path("w8.bmp")}).exitCode,
              0);
    ASSERT_EQ(convert({black, "--page", "pc8801", "--mode", "6", "-o", path("b8.bmp")}).exitCode,
              0);
    EXPECT_EQ(read("w8.bmp"), Picture(2, 2, PaletteColor(KindPc8801, 0)));
    EXPECT_EQ(read("b8.bmp"), Picture(2, 2, PaletteColor(KindPc8801, 1)));
}

TEST_F(ConvertCommand, PaletteOptionChangesTheColours) {
    const std::string in = write("c.bmp", Picture(8, 1, RgbColor(0x24, 0xDB, 0x24)));
    ASSERT_EQ(convert({in, "--page", "tms9918", "--mode", "0", "--palette", "V9938/58", "-o",
                       path("v.bmp")})
                  .exitCode,
              0);
    EXPECT_EQ(read("v.bmp"), Picture(8, 1, RgbColor(0x24, 0xDB, 0x24)));
}

TEST_F(ConvertCommand, QuantizerPaletteHoldsTheSortedEntries) {
    Picture picture(4, 2, 0xFFFFFF);
    picture.setPixel(1, 1, 0x000000);
    const std::string in = write("bw.bmp", picture);
    CliResult r = convert({in, "--page", "v9938", "--mode", "1", "--interlace", "-o",
                           path("s6.bmp"), "--quantizer-palette", path("pal.bin")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto pal = ReadBytes(dir / "pal.bin");
    ASSERT_EQ(pal.size(), 64u);
    // 6 and 247 on the grid, two white fillers, then black for entries 4..15.
    const std::vector<unsigned char> head = {6,   6,   6,   0, 247, 247, 247, 0,
                                             255, 255, 255, 0, 255, 255, 255, 0};
    EXPECT_EQ(std::vector<unsigned char>(pal.begin(), pal.begin() + 16), head);
    for (std::size_t i = 16; i < 64; ++i)
        ASSERT_EQ(pal[i], 0) << i;
}

TEST_F(ConvertCommand, DitheredGraphic2FollowsTheStrength) {
    // A flat colour the palette lacks: one colour per run without diffusion, a mix with it.
    const std::string in = write("orange.bmp", Picture(32, 8, RgbColor(230, 140, 60)));
    CliResult r =
        convert({in, "--page", "tms9918", "--mode", "3", "--dither", "0", "-o", path("flat.bmp")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const Picture flat = read("flat.bmp");
    EXPECT_EQ(flat, Picture(32, 8, flat.pixel(0, 0)));
    EXPECT_GE(PaletteIndexOf(flat.pixel(0, 0), KindTms9918), 1);
    r = convert({in, "--page", "tms9918", "--mode", "3", "-o", path("mixed.bmp")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(read("mixed.bmp"), flat);
    r = RunCli({"check", path("mixed.bmp")});
    EXPECT_EQ(r.exitCode, 0) << r.out;
}

// Colours changing from pixel to pixel: far more characters than a bank holds.
Picture Speckled(int width, int height) {
    Picture p(width, height);
    unsigned s = 99;
    for (ColorValue& c : p.pixels()) {
        s = s * 1103515245u + 12345u;
        c = RgbColor(int(s >> 24), int(s >> 16) & 255, int(s >> 8) & 255);
    }
    return p;
}

int CountLine(const std::string& out) {
    const auto at = out.find("characters: ");
    return at == std::string::npos ? -1 : std::stoi(out.substr(at + 12));
}

TEST_F(ConvertCommand, ABudgetOfCharactersFitsTheOneBankExport) {
    const std::string in = write("speckled.bmp", Speckled(256, 192));
    const std::vector<std::string> oneBank = {"--format", "bin", "--compress", "--one-bank"};
    CliResult r = convert({in, "--page", "tms9918", "--mode", "3", "-o", path("free.bmp")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    r = RunCli({"export", path("free.bmp"), "--format", "bin", "--compress", "--one-bank", "-o",
                path("FREE")});
    EXPECT_EQ(r.exitCode, 1) << "more than a bank without a budget";
    for (const std::string mode : {"0", "3"})
        for (const int budget : {256, 96, 1}) {
            SCOPED_TRACE(mode + " " + std::to_string(budget));
            const std::string name = "B" + mode + "-" + std::to_string(budget); // names upper-cased
            r = convert({in, "--page", "tms9918", "--mode", mode, "--characters",
                         std::to_string(budget), "-o", path(name + ".bmp")});
            ASSERT_EQ(r.exitCode, 0) << r.err;
            EXPECT_EQ(r.err, "");
            r = RunCli({"compare", in, path(name + ".bmp")});
            ASSERT_EQ(r.exitCode, 0) << r.out;
            const int count = CountLine(r.out);
            EXPECT_GE(count, 1);
            EXPECT_LE(count, budget);
            r = RunCli({"export", path(name + ".bmp"), "--format", "bin", "--compress",
                        "--one-bank", "-o", path(name)});
            ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
            EXPECT_NE(r.out.find("Number of Character Pattern(s): " + std::to_string(count)),
                      std::string::npos)
                << r.out;
            // The BSAVE header, then 8 pattern bytes a character.
            EXPECT_EQ(std::filesystem::file_size(path(name) + ".GN"), 7u + 8u * unsigned(count));
        }
}

TEST_F(ConvertCommand, ValuesOutOfRangeAreRefused) {
    const std::string in = write("x.bmp", Picture(8, 8, 0x808080));
    const std::string out = path("never.bmp");
    const std::vector<std::vector<std::string>> bad = {
        {"--page", "tms9918", "--mode", "4"},
        {"--page", "tms9918", "--mode", "3", "--dither", "101"},
        {"--page", "tms9918", "--mode", "3", "--dither", "-1"},
        {"--page", "tms9918", "--mode", "3", "--characters", "0"},
        {"--page", "tms9918", "--mode", "0", "--characters", "769"},
        {"--page", "v9958", "--mode", "4"},
        {"--page", "msx2", "--mode", "0"},
        {"--page", "tms9918", "--mode", "0", "--contrast", "201"},
        {"--page", "tms9918", "--mode", "0", "--red", "-101"},
        {"--page", "tms9918", "--mode", "2", "--halftone", "4"},
        {"--page", "v9958", "--mode", "0", "--convert-type", "3"},
        {"--page", "v9958", "--mode", "0", "--k", "101"},
        {"--page", "tms9918", "--mode", "2", "--fg", "16"},
        {"--page", "tms9918", "--mode", "2", "--bg", "blue"},
        {"--page", "tms9918", "--mode", "2", "--fg", "none"},
        {"--page", "tms9918", "--mode", "0", "--palette", "15"},
        {"--page", "tms9918", "--mode", "0", "--screen-bytes", path("s.bin")},
        {"--page", "v9938", "--mode", "3", "--screen-bytes", path("s.bin")}, // 8 wide
        {"--page", "v9938", "--mode", "3", "--quantizer-palette", path("p.bin")},
        {"--page", "tms9918"},
        {"--mode", "0"},
    };
    for (auto args : bad) {
        args.insert(args.begin(), in);
        args.insert(args.end(), {"-o", out});
        const CliResult r = convert(args);
        std::string joined;
        for (const auto& a : args)
            joined += a + " ";
        EXPECT_EQ(r.exitCode, 2) << joined;
        EXPECT_FALSE(r.err.empty()) << joined;
        EXPECT_FALSE(std::filesystem::exists(out)) << joined;
    }
}

TEST_F(ConvertCommand, MissingSourceIsRefused) {
    const CliResult r =
        convert({path("absent.bmp"), "--page", "v9938", "--mode", "0", "-o", path("o.bmp")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("absent.bmp"), std::string::npos) << r.err;
}

} // namespace
