// convert's modes as the table lists them, its help, its warnings and many pictures at once.
#include "core/convert/ConversionModes.h"
#include "core/editor/Picture.h"
#include "support/CliRunner.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

using namespace murelo;
using namespace murelo::test;

namespace {

class ConvertModesCommand : public ::testing::Test {
  protected:
    TempDir dir;
    std::string path(const std::string& name) const { return (dir / name).string(); }

    std::string write(const std::string& name, const Picture& picture) {
        return SaveBitmap(dir, name, picture);
    }

    static Picture Ramp(int width, int height, int seed) {
        Picture p(width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                p.setPixel(x, y, RgbColor((x * 7 + seed) % 256, (y * 13) % 256, (x + y) % 256));
        return p;
    }
};

TEST_F(ConvertModesCommand, ListModesPrintsEveryModeOfTheTable) {
    const CliResult r = RunCli({"convert", "--list-modes"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, ModeListing());
    EXPECT_NE(r.out.find("tms9918 3 Graphic 2 (SCREEN 2) Dithered\n"), std::string::npos);
    EXPECT_NE(r.out.find("pc8801 6 Half Tone\n"), std::string::npos);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), std::ptrdiff_t(AllModes().size()));
}

TEST_F(ConvertModesCommand, ModeByIndexOrCaptionInAnyLetterCase) {
    const std::string in = write("in.bmp", Ramp(32, 16, 3));
    struct Case {
        std::string page;
        std::string index;
        std::string caption;
    };
    for (const Case& c : {Case{"tms9918", "3", "graphic 2 (SCREEN 2) dithered"},
                          Case{"v9938", "6", "GRAPHIC 7 (SCREEN 8) FLOYD-STEINBERG"},
                          Case{"pc8801", "4", "Color Tone 1"}}) {
        const CliResult byIndex =
            RunCli({"convert", in, "--page", c.page, "--mode", c.index, "-o", path("a.bmp")});
        const CliResult byCaption =
            RunCli({"convert", in, "--page", c.page, "--mode", c.caption, "-o", path("b.bmp")});
        ASSERT_EQ(byIndex.exitCode, 0) << byIndex.err;
        ASSERT_EQ(byCaption.exitCode, 0) << byCaption.err;
        EXPECT_EQ(ReadBytes(dir / "a.bmp"), ReadBytes(dir / "b.bmp")) << c.caption;
    }
    const CliResult unknown =
        RunCli({"convert", in, "--page", "v9938", "--mode", "Graphic 9", "-o", path("c.bmp")});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_EQ(unknown.err, "murelo9918-cli convert: --mode 'Graphic 9' is no mode of page v9938 "
                           "(convert --list-modes lists them)\n");
}

TEST_F(ConvertModesCommand, OptionsTheModeDoesNotReadWarnOnceAndChangeNothing) {
    const std::string in = write("in.bmp", Ramp(24, 8, 5));
    const CliResult plain =
        RunCli({"convert", in, "--page", "tms9918", "--mode", "0", "-o", path("a.bmp")});
    const CliResult warned =
        RunCli({"convert", in, "--page", "tms9918", "--mode", "0", "--halftone", "1", "--dither",
                "20", "--dither", "30", "--k", "5", "--ntsc", "-o", path("b.bmp")});
    ASSERT_EQ(plain.exitCode, 0);
    EXPECT_EQ(warned.exitCode, 0) << "a warning leaves the exit status as it was";
    EXPECT_EQ(warned.out, plain.out);
    EXPECT_EQ(warned.err,
              "murelo9918-cli convert: warning: --halftone is not read by tms9918 mode 0 "
              "(Graphic 2 (SCREEN 2))\n"
              "murelo9918-cli convert: warning: --dither is not read by tms9918 mode 0 "
              "(Graphic 2 (SCREEN 2))\n"
              "murelo9918-cli convert: warning: --k is not read by tms9918 mode 0 "
              "(Graphic 2 (SCREEN 2))\n");
    // --ntsc is read: the result differs only by it.
    const CliResult ntsc =
        RunCli({"convert", in, "--page", "tms9918", "--mode", "0", "--ntsc", "-o", path("c.bmp")});
    EXPECT_EQ(ReadBytes(dir / "b.bmp"), ReadBytes(dir / "c.bmp"));
}

// The help's defaults are the parameters' own, and each option names the pages reading it.
TEST_F(ConvertModesCommand, HelpShowsTheRealDefaultsAndThePagesReadingEachOption) {
    const CliResult r = RunCli({"convert", "--help"});
    ASSERT_EQ(r.exitCode, 0);
    for (int i = 0; i < ParameterCount; ++i) {
        const ParameterInfo& info = InfoOf(Parameter(i));
        if (info.control != ParameterControl::Bar && info.control != ParameterControl::Choice)
            continue;
        const std::regex line(std::string(info.option) + "\\s+" + std::to_string(info.min) +
                              "\\.\\." + std::to_string(info.max) + "[^\\n]*\\(default: " +
                              std::to_string(DefaultValue(info.parameter)) + "\\)");
        EXPECT_TRUE(std::regex_search(r.out, line)) << info.option << "\n" << r.out;
    }
    EXPECT_TRUE(std::regex_search(r.out, std::regex("--halftone[^\\n]*default: 3")));
    EXPECT_TRUE(std::regex_search(r.out, std::regex("--convert-type[^\\n]*read on v9958\\n")))
        << "only the YJK page reads the convert type";
    EXPECT_TRUE(std::regex_search(
        r.out, std::regex("--halftone[^\\n]*read on tms9918, pc6001 and pc8801")));
}

TEST_F(ConvertModesCommand, SeveralPicturesGoToOneFolderEachAsItsOwnConversionWould) {
    const std::string a = write("a.bmp", Ramp(256, 32, 1));
    const std::string b = write("b.bmp", Ramp(256, 40, 9));
    WriteBytes(dir / "broken.bmp", {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c'});
    const std::string out = path("out");
    const CliResult batch =
        RunCli({"convert", a, path("broken.bmp"), b, "--page", "v9938", "--mode", "0", "-O", out,
                "--jobs", "2", "--export", "--save", "--red", "20"});
    EXPECT_EQ(batch.exitCode, 2) << "a bad input ends in 2, after the good ones were written";
    EXPECT_NE(batch.err.find("broken.bmp"), std::string::npos) << batch.err;
    EXPECT_EQ(std::count(batch.err.begin(), batch.err.end(), '\n'), 1) << batch.err;
    for (const char* stem : {"a", "b"}) {
        const std::string single = path(std::string(stem) + "1.bmp");
        const CliResult one = RunCli({"convert", path(std::string(stem) + ".bmp"), "--page",
                                      "v9938", "--mode", "0", "-o", single, "--red", "20"});
        ASSERT_EQ(one.exitCode, 0) << one.err;
        EXPECT_EQ(ReadBytes(dir / "out" / (std::string(stem) + ".bmp")), ReadBytes(single)) << stem;
        for (const std::string& file : {std::string(stem) + "_SC5.bmp"})
            EXPECT_TRUE(std::filesystem::exists(dir / "out" / file)) << file;
    }
    // The screen files are named after each picture, as the Export dialog would name them.
    EXPECT_TRUE(std::filesystem::exists(dir / "out" / "A.SC5"));
    EXPECT_TRUE(std::filesystem::exists(dir / "out" / "B.PAL"));
    EXPECT_NE(batch.out.find((dir / "out" / "A.SC5").string()), std::string::npos);

    // PNG results, and pictures that would be written under one name are refused first.
    const CliResult png = RunCli(
        {"convert", a, "--page", "tms9918", "--mode", "0", "-O", path("png"), "--format", "png"});
    EXPECT_EQ(png.exitCode, 0) << png.err;
    const auto bytes = ReadBytes(dir / "png" / "a.png");
    ASSERT_GE(bytes.size(), 8u);
    EXPECT_EQ(bytes[1], 'P');
    std::filesystem::create_directories(dir / "sub");
    WriteBytes(dir / "sub" / "a.bmp", ReadBytes(dir / "a.bmp"));
    const CliResult clash = RunCli(
        {"convert", a, path("sub/a.bmp"), "--page", "tms9918", "--mode", "0", "-O", path("clash")});
    EXPECT_EQ(clash.exitCode, 2);
    EXPECT_NE(clash.err.find("both be written as"), std::string::npos) << clash.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "clash" / "a.bmp"));
}

TEST_F(ConvertModesCommand, OutputsThatDoNotFitTheirCommandAreRefused) {
    const std::string a = write("a.bmp", Ramp(16, 8, 1));
    const std::string b = write("b.bmp", Ramp(16, 8, 2));
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{a, b, "-o", path("x.bmp")}, "unexpected '" + b},
        {{a, "-O", path("d"), "-o", path("x.bmp")}, "-O writes one result per picture"},
        {{a, "-O", path("d"), "--export", path("e")}, "with -O, --export and --save take no PATH"},
        {{a, "--export"}, "--export needs a PATH (or -O DIR for several pictures)"},
        {{a, "-O", path("d"), "--format", "gif"}, "--format must be bmp or png, not 'gif'"},
        {{a, "-O", path("d"), "--jobs", "0"}, "--jobs must be a whole number from 1 to 256"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"convert", "--page", "tms9918", "--mode", "0"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const CliResult r = RunCli(args);
        EXPECT_EQ(r.exitCode, 2) << c.message;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
}

// The README and the guide quote the command's listing: a mode added to the table and not to
// them, or a caption changed in one place only, fails here.
TEST_F(ConvertModesCommand, TheReadmeAndTheGuideQuoteTheListing) {
    std::string quoted;
    for (std::size_t start = 0, end; (end = ModeListing().find('\n', start)) != std::string::npos;
         start = end + 1)
        quoted += "    " + ModeListing().substr(start, end - start + 1);
    for (const char* doc : {"/../../README.md", "/../../docs/guide.md"}) {
        const auto bytes = ReadBytes(std::string(MURELO_TEST_DATA) + doc);
        const std::string text(bytes.begin(), bytes.end());
        EXPECT_NE(text.find(quoted), std::string::npos) << doc << " does not quote\n" << quoted;
    }
}

} // namespace
