// compare: the rule check and the perceptual error of a result against its source.
#include "core/editor/Picture.h"
#include "core/palette/Palettes.h"
#include "support/CliRunner.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace murelo {
namespace {

using test::RunCli;

struct CompareCli : ::testing::Test {
    test::TempDir dir;

    std::string Save(const Picture& picture, const std::string& name) {
        return test::SaveBitmap(dir, name, picture);
    }
};

double DeltaEOf(const std::string& out) {
    double value = -1;
    const auto at = out.find("delta E: ");
    if (at != std::string::npos)
        std::sscanf(out.c_str() + at, "delta E: %lf", &value);
    return value;
}

TEST_F(CompareCli, IdenticalPicturesShowNoErrorAndFullSimilarity) {
    const std::string a = Save(Picture(16, 8, PaletteColor(KindTms9918, 7)), "a.bmp");
    const auto r = RunCli({"compare", a, a});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "offences: 0\ndelta E: 0.00\nSSIM: 1.0000\n");
    EXPECT_EQ(r.err, "");
}

TEST_F(CompareCli, AScreenSizedResultShowsItsCharacterCount) {
    // Three kinds of cell: plain 4, plain 6, and 4 with one dot of 6.
    Picture result(256, 192, PaletteColor(KindTms9918, 4));
    result.fillRect(0, 0, 64, 64, PaletteColor(KindTms9918, 6));
    result.setPixel(200, 100, PaletteColor(KindTms9918, 6));
    const auto r = RunCli({"compare", Save(result, "s.bmp"), Save(result, "r.bmp")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "offences: 0\ndelta E: 0.00\nSSIM: 1.0000\ncharacters: 3\n");
}

TEST_F(CompareCli, OffencesInTheGivenKindExitOne) {
    Picture result(16, 1, PaletteColor(KindTms9918, 15));
    result.setPixel(1, 0, PaletteColor(KindTms9918, 2));
    result.setPixel(2, 0, PaletteColor(KindTms9918, 4)); // a third colour in the first run
    const std::string source = Save(Picture(16, 1, PaletteColor(KindTms9918, 15)), "s.bmp");
    const auto r = RunCli({"compare", source, Save(result, "r.bmp"), "--palette", "0"});
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_EQ(r.out.substr(0, 12), "offences: 1\n");
    EXPECT_GT(DeltaEOf(r.out), 1.0);
}

TEST_F(CompareCli, ACloserResultScoresLower) {
    const std::string source = Save(Picture(16, 16, RgbColor(120, 120, 120)), "s.bmp");
    const std::string near = Save(Picture(16, 16, RgbColor(125, 125, 125)), "n.bmp");
    const std::string far = Save(Picture(16, 16, RgbColor(200, 120, 120)), "f.bmp");
    const double nearScore = DeltaEOf(RunCli({"compare", source, near}).out);
    const double farScore = DeltaEOf(RunCli({"compare", source, far}).out);
    EXPECT_GT(nearScore, 0.5);
    EXPECT_GT(farScore, nearScore + 10);
}

TEST_F(CompareCli, BadUsageIsRefusedWithOneLine) {
    const std::string a = Save(Picture(16, 8), "a.bmp");
    const std::string b = Save(Picture(16, 9), "b.bmp");
    const std::vector<std::vector<std::string>> bad = {
        {"compare", a, b},
        {"compare", a},
        {"compare", a, a, a},
        {"compare", a, a, "--palette", "99"},
        {"compare", a, a, "--blur", "2"},
        {"compare", a, (dir / "absent.bmp").string()},
    };
    for (const auto& args : bad) {
        const auto r = RunCli(args);
        EXPECT_EQ(r.exitCode, 2) << args.back();
        EXPECT_EQ(r.out, "") << args.back();
        ASSERT_FALSE(r.err.empty());
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    }
}

} // namespace
} // namespace murelo
