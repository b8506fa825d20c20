// convert --export / --save: the screen files of the converter's Save and Export buttons.
#include "core/editor/BitmapCodec.h"
#include "core/palette/Palettes.h"
#include "support/CliRunner.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace murelo;
using namespace murelo::test;

namespace {

class ConvertExport : public ::testing::Test {
  protected:
    TempDir dir;
    std::string path(const std::string& name) const { return (dir / name).string(); }

    std::string write(const std::string& name, const Picture& picture) {
        return SaveBitmap(dir, name, picture);
    }

    std::string gradient(int w, int h) {
        Picture p(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                p.setPixel(x, y, RgbColor(x % 256, (y * 40) % 256, (x / 2 + y) % 256));
        return write("in.bmp", p);
    }

    CliResult convert(std::vector<std::string> args) {
        args.insert(args.begin(), "convert");
        return RunCli(args);
    }

    std::vector<unsigned char> bytes(const std::string& name) const {
        return ReadBytes(dir / name);
    }
    std::vector<std::string> files() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(dir.path()))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

std::vector<unsigned char> Head(const std::vector<unsigned char>& b) {
    return {b.begin(), b.begin() + std::min<std::size_t>(7, b.size())};
}

TEST_F(ConvertExport, Screen5WritesTheScreenAndPaletteFilesAndPrintsTheirNames) {
    const std::string in = gradient(256, 10);
    const CliResult r =
        convert({in, "--page", "v9938", "--mode", "0", "--export", path("pic.sc5")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, path("PIC.SC5") + "\n" + path("PIC.PAL") + "\n");
    const auto sc5 = bytes("PIC.SC5");
    ASSERT_EQ(sc5.size(), 7u + 1280u);
    EXPECT_EQ(Head(sc5), (std::vector<unsigned char>{0xFE, 0, 0, 0xFF, 0x04, 0, 0}));
    EXPECT_EQ(Head(bytes("PIC.PAL")),
              (std::vector<unsigned char>{0xFE, 0x80, 0x76, 0x9F, 0x76, 0x80, 0x76}));
}

TEST_F(ConvertExport, ConnectPaletteWritesOneFileHoldingThePalette) {
    const std::string in = gradient(256, 10);
    const CliResult r = convert({in, "--page", "v9938", "--mode", "0", "--export", path("pic"),
                                 "--connect-palette", "-o", path("result.bmp")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(files(), (std::vector<std::string>{"PIC.SC5", "in.bmp", "result.bmp"}));
    const auto sc5 = bytes("PIC.SC5");
    ASSERT_EQ(sc5.size(), 7u + 0x76A0u);
    EXPECT_TRUE(std::all_of(sc5.begin() + 7 + 1280, sc5.begin() + 7 + 0x7680,
                            [](unsigned char b) { return b == 0; }));
    EXPECT_FALSE(std::all_of(sc5.end() - 32, sc5.end(), [](unsigned char b) { return b == 0; }));
}

TEST_F(ConvertExport, InterlaceTakesTheFieldNamesFromThePath) {
    const std::string in = gradient(512, 5);
    const CliResult r =
        convert({in, "--page", "v9938", "--mode", "0", "--interlace", "--export", path("pic")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, path("PIC.S05") + "\n" + path("PIC.S15") + "\n" + path("PIC.PAL") + "\n");
    EXPECT_EQ(bytes("PIC.S05").size(), 7u + 3u * 128u);
    EXPECT_EQ(bytes("PIC.S15").size(), 7u + 2u * 128u);
}

TEST_F(ConvertExport, SizesAndModesTheFilesCannotHoldAreRefusedBeforeWriting) {
    const std::string in = gradient(256, 10);
    const std::vector<std::vector<std::string>> cases = {
        {"--page", "v9938", "--mode", "0", "--interlace", "--export", path("a")},
        {"--page", "v9938", "--mode", "1", "--export", path("a")},
        {"--page", "tms9918", "--mode", "1", "--export", path("a")},
        {"--page", "tms9918", "--mode", "0", "--export", path("a")},
        {"--page", "pc8801", "--mode", "0", "--export", path("a")},
        {"--page", "pc6001", "--mode", "3", "--export", path("a")},
        {"--page", "tms9918", "--mode", "2", "--save", path("a")},
        {"--page", "v9938", "--mode", "3", "--connect-palette", "--export", path("a")},
    };
    for (auto args : cases) {
        args.insert(args.begin(), in);
        args.insert(args.end(), {"-o", path("result.bmp")});
        const CliResult r = convert(args);
        EXPECT_EQ(r.exitCode, 2) << args[2] << " " << args[4];
        EXPECT_FALSE(r.err.empty());
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err; // one line
        EXPECT_EQ(files(), (std::vector<std::string>{"in.bmp"})) << r.err;
    }
}

TEST_F(ConvertExport, AFileThatCannotBeWrittenIsNamedWithExit2) {
    const std::string in = gradient(256, 4);
    const CliResult r =
        convert({in, "--page", "v9938", "--mode", "3", "--export", path("missing/pic")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("Cannot write " + path("missing/PIC.SC8") + ": "), std::string::npos)
        << r.err;
}

TEST_F(ConvertExport, SaveWritesTheCompanionBitmap) {
    const std::string in = gradient(256, 6);
    CliResult r = convert({in, "--page", "v9938", "--mode", "0", "--save", path("pic.png")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, path("pic.bmp") + "\n");
    const auto bmp = bytes("pic.bmp");
    ASSERT_GT(bmp.size(), 30u);
    EXPECT_EQ(bmp[28], 4); // 4 bits per pixel over the quantizer palette
    r = convert({in, "--page", "v9958", "--mode", "1", "--save", path("yjk")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(bytes("yjk.bmp")[28], 24);
}

TEST_F(ConvertExport, OtherPagesWriteTheirFiles) {
    {
        const std::string in = gradient(256, 192);
        const CliResult r =
            convert({in, "--page", "tms9918", "--mode", "1", "--export", path("m")});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(bytes("M.SC3").size(), 7u + 1536u);
        EXPECT_EQ(bytes("M.NAM").size(), 7u + 768u);
        const CliResult p6 =
            convert({in, "--page", "pc6001", "--mode", "1", "--export", path("p6")});
        ASSERT_EQ(p6.exitCode, 0) << p6.err;
        const auto bmp = bytes("p6.bmp");
        EXPECT_EQ(DecodeBitmap(std::vector<std::uint8_t>(bmp.begin(), bmp.end())).picture.width(),
                  128);
    }
    {
        const std::string in = gradient(256, 3);
        const CliResult r = convert({in, "--page", "v9958", "--mode", "0", "--export", path("y")});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(Head(bytes("Y.S10")), (std::vector<unsigned char>{0xFE, 0, 0, 0xFF, 0x02, 0, 0}));
    }
    {
        const std::string in = gradient(640, 6);
        const CliResult r = convert({in, "--page", "pc8801", "--mode", "0", "--analog-palette",
                                     "--export", path("planes.R")});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out, path("planes.R") + "\n" + path("planes.G") + "\n" + path("planes.B") +
                             "\n" + path("planes.PAL") + "\n");
        EXPECT_EQ(bytes("planes.G").size(), 240u);
        EXPECT_EQ(bytes("planes.PAL").size(), 16u);
    }
}

} // namespace
