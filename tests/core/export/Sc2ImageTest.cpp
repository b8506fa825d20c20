#include "core/export/Sc2Image.h"
#include "core/editor/PictureDecoding.h"
#include "core/editor/PictureFormat.h"
#include "core/editor/Sc2Decode.h"
#include "core/export/ExportJob.h"
#include "core/export/VramTables.h"
#include "core/palette/Palettes.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <memory>
#include <numeric>
#include <random>

namespace murelo {
namespace {

using Bytes = std::vector<unsigned char>;

ColorValue Tms(int index) {
    return PaletteColor(KindTms9918, index);
}

// A picture that passes the colour check: every 8 x 1 line two colours of the TMS9918
// palette, varied from line to line, colour 0 included.
Picture CheckablePicture() {
    Picture p(256, 192);
    std::mt19937 random(7);
    for (int y = 0; y < 192; ++y)
        for (int c = 0; c < 32; ++c) {
            const int a = int(random() % 16), b = int(random() % 15) + 1;
            const unsigned bits = random() % 256;
            for (int x = 0; x < 8; ++x)
                p.setPixel(c * 8 + x, y, Tms((bits >> x) & 1 ? b : a));
        }
    return p;
}

struct Sc2Export : testing::Test {
    test::TempDir dir;
    std::unique_ptr<ScreenBuffer> screen = std::make_unique<ScreenBuffer>();

    ExportJobResult Run(const Picture& picture, const std::filesystem::path& chosen) {
        ExportOptions options;
        options.dataType = ExportSc2Data;
        ExportJobHooks hooks;
        hooks.sc2Path = [chosen] { return std::optional<std::filesystem::path>(chosen); };
        Picture overlay;
        return RunExportJob(picture, KindTms9918, options, overlay, screen->vramImage(), hooks);
    }
};

TEST_F(Sc2Export, WritesOneBloadableFileOfTheThreeTables) {
    const ExportJobResult result = Run(Picture(256, 192, Tms(12)), dir / "pic");
    ASSERT_EQ(result.outcome, ExportOutcome::Written) << result.boxText;
    EXPECT_EQ(result.boxText, "OK!\n\nWritten:\n  " + (dir / "pic.SC2").string());
    ASSERT_EQ(result.written.size(), 1u);
    EXPECT_EQ(result.written[0], dir / "pic.SC2");
    const Bytes file = test::ReadBytes(dir / "pic.SC2");
    ASSERT_EQ(file.size(), 7u + 0x3800);
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 7), (Bytes{0xFE, 0, 0, 0xFF, 0x37, 0, 0}));
    const unsigned char* vram = file.data() + 7;
    EXPECT_EQ(vram[0x0000], 0xFF);
    EXPECT_EQ(vram[0x17FF], 0xFF);
    EXPECT_EQ(vram[0x2000], 0xC0);
    EXPECT_EQ(vram[0x37FF], 0xC0);
    for (int i = 0; i < 768; ++i)
        ASSERT_EQ(vram[0x1800 + i], i % 256) << i;
    EXPECT_EQ(vram[0x1B00], SpriteListEnd);
}

TEST_F(Sc2Export, ANameWithAnExtensionIsWrittenAsChosen) {
    ASSERT_EQ(Run(Picture(256, 192, Tms(1)), dir / "title.sc2").outcome, ExportOutcome::Written);
    EXPECT_TRUE(std::filesystem::exists(dir / "title.sc2"));
}

TEST_F(Sc2Export, APictureThatFailsTheCheckWritesNothing) {
    Picture p(256, 192, Tms(1));
    p.setPixel(1, 0, Tms(2));
    p.setPixel(2, 0, Tms(3));
    const ExportJobResult result = Run(p, dir / "bad");
    EXPECT_EQ(result.outcome, ExportOutcome::Offences);
    EXPECT_FALSE(std::filesystem::exists(dir / "bad.SC2"));
}

TEST_F(Sc2Export, OpeningTheExportGivesThePictureBack) {
    const Picture picture = CheckablePicture();
    ASSERT_EQ(Run(picture, dir / "round").outcome, ExportOutcome::Written);
    const Bytes file = test::ReadBytes(dir / "round.SC2");
    EXPECT_EQ(DetectPictureFormat(file), PictureFormat::Sc2);
    const DecodedBitmap back = DecodeAnyPicture(file);
    ASSERT_TRUE(back.ok()) << back.message;
    EXPECT_EQ(back.formatCode, 2);
    EXPECT_EQ(back.picture, picture);
}

// A video memory whose character n of each bank draws n as its pattern in colours
// (n % 15 + 1) on (n % 7), and whose name table is shuffled.
Bytes ShuffledVram(std::vector<std::uint8_t>& names) {
    Bytes vram(0x4000, 0);
    for (int bank = 0; bank < 3; ++bank)
        for (int n = 0; n < 256; ++n)
            for (int line = 0; line < 8; ++line) {
                const std::size_t at = std::size_t(bank * 2048 + n * 8 + line);
                vram[at] = std::uint8_t(n ^ line ^ bank);
                vram[0x2000 + at] = std::uint8_t((n % 15 + 1) << 4 | (n % 7));
            }
    names.resize(768);
    std::iota(names.begin(), names.end(), 0);
    std::shuffle(names.begin(), names.end(), std::mt19937(3));
    for (int i = 0; i < 768; ++i)
        vram[0x1800 + std::size_t(i)] = names[std::size_t(i)];
    return vram;
}

TEST(Sc2Read, EveryCellShowsTheCharacterItsNameTableEntryNames) {
    std::vector<std::uint8_t> names;
    const Bytes vram = ShuffledVram(names);
    Bytes headed = {0xFE, 0, 0, 0xFF, 0x3F, 0, 0};
    headed.insert(headed.end(), vram.begin(), vram.end());
    for (const Bytes& file : {headed, vram, Bytes(vram.begin(), vram.begin() + 0x3800)}) {
        const DecodedBitmap d = DecodeAnyPicture(file);
        ASSERT_TRUE(d.ok()) << d.message;
        ASSERT_EQ(d.picture.width(), 256);
        ASSERT_EQ(d.picture.height(), 192);
        for (int cell = 0; cell < 768; ++cell) {
            const int n = names[std::size_t(cell)], bank = cell / 256;
            const int x0 = cell % 32 * 8, y0 = cell / 32 * 8;
            for (int line = 0; line < 8; ++line)
                for (int x = 0; x < 8; ++x) {
                    const bool set = ((n ^ line ^ bank) & (0x80 >> x)) != 0;
                    ASSERT_EQ(d.picture.pixel(x0 + x, y0 + line), Tms(set ? n % 15 + 1 : n % 7))
                        << "cell " << cell << " line " << line << " x " << x;
                }
        }
    }
}

TEST(Sc2Read, ColourZeroIsPaletteEntryZero) {
    Bytes vram(0x3800, 0); // pattern 0, colour 0 everywhere
    const DecodedBitmap d = DecodeAnyPicture(vram);
    ASSERT_TRUE(d.ok());
    EXPECT_EQ(d.picture, Picture(256, 192, Tms(0)));
}

TEST(Sc2Read, AFileTooShortForTheTablesIsRefused) {
    const Bytes vram(0x3800, 0x11);
    struct Case {
        const char* what;
        Bytes file;
    };
    Bytes shortEnd = {0xFE, 0, 0, 0xFF, 0x1F, 0, 0};
    shortEnd.insert(shortEnd.end(), vram.begin(), vram.begin() + 0x2000);
    Bytes cut = {0xFE, 0, 0, 0xFF, 0x37, 0, 0};
    cut.insert(cut.end(), vram.begin(), vram.end() - 1);
    Bytes lying = {0xFE, 0, 0, 0xFF, 0x1F, 0, 0}; // enough bytes, but the header ends early
    lying.insert(lying.end(), vram.begin(), vram.end());
    for (const Case& c : {Case{"end 1FFFh", shortEnd}, Case{"one byte short", cut},
                          Case{"header ends at 1FFFh", lying}}) {
        const DecodedBitmap d = DecodeAnyPicture(c.file);
        EXPECT_EQ(d.fault, BitmapFault::Unreadable) << c.what;
        EXPECT_NE(d.message.find("SCREEN 2 image"), std::string::npos) << c.what;
    }
}

} // namespace
} // namespace murelo
