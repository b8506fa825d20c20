#include "core/editor/Picture.h"
#include "core/palette/Palettes.h"
#include "support/CliRunner.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <vector>

namespace murelo {
namespace {

using test::RunCli;
namespace fs = std::filesystem;

ColorValue Tms(int index) {
    return PaletteColor(KindTms9918, index);
}

struct ExportCli : ::testing::Test {
    test::TempDir dir;

    std::string Save(const Picture& picture, const std::string& name = "pic.bmp") {
        return test::SaveBitmap(dir, name, picture);
    }
    std::string White() { return Save(Picture(256, 192, Tms(15))); }
    std::string Out(const std::string& name) const { return (dir / name).string(); }

    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir.path()))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(ExportCli, CasTapeWithTheDefaults) {
    const auto r = RunCli({"export", White(), "--format", "cas", "-o", Out("castle")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Address Check :\n\nStart : C800h\n End  : CB1Ch\nOK!\n\nWritten:\n  " +
                         Out("castle.cas") + "\n");
    const auto cas = test::ReadBytes(dir / "castle.cas");
    ASSERT_EQ(cas.size(), 848u);
    EXPECT_EQ(std::string(cas.begin() + 18, cas.begin() + 24), "castle");
    EXPECT_EQ(cas[33], 0xC8);
}

TEST_F(ExportCli, CasTapeAt9000WithATypedName) {
    const auto r = RunCli({"export", White(), "--format", "cas", "-o", Out("GAME.CAS"), "--start",
                           "9000", "--tape-name", "AB"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Address Check :\n\nStart : 9000h\n End  : 931Ch\nOK!\n\nWritten:\n  " +
                         Out("GAME.CAS") + "\n");
    const auto cas = test::ReadBytes(dir / "GAME.CAS");
    EXPECT_EQ(std::vector<std::uint8_t>(cas.begin() + 18, cas.begin() + 24),
              (std::vector<std::uint8_t>{0x41, 0x42, 0x20, 0x20, 0x20, 0x20}));
}

TEST_F(ExportCli, WavTapeAtVolume127And2400Baud) {
    const auto r = RunCli({"export", White(), "--format", "wav", "-o", Out("tape.wav"), "--baud",
                           "2400", "--volume", "127"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const auto wav = test::ReadBytes(dir / "tape.wav");
    EXPECT_EQ(wav.size(), 44 + 24000 + 320000 + 16 * 220 + 48000 + 80000 + 803 * 220 + 24000u);
    EXPECT_EQ(std::set<int>(wav.begin() + 44, wav.end()), (std::set<int>{1, 65, 128, 191, 255}));
    EXPECT_EQ(Files(), (std::vector<std::string>{"pic.bmp", "tape.wav"}));
}

TEST_F(ExportCli, BinaryFilesWithoutHeaders) {
    const auto r =
        RunCli({"export", White(), "--format", "bin", "-o", Out("pic.bin"), "--no-header"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Error(s):\n\n\nError Total: 0\nOK!\n\nWritten:\n  " + Out("PIC.BIN.GEN") +
                         "\n  " + Out("PIC.BIN.NAM") + "\n  " + Out("PIC.BIN.COL") + "\n");
    EXPECT_EQ(fs::file_size(dir / "PIC.BIN.GEN"), 6144u);
    EXPECT_EQ(fs::file_size(dir / "PIC.BIN.NAM"), 768u);
    EXPECT_EQ(fs::file_size(dir / "PIC.BIN.COL"), 6144u);
}

TEST_F(ExportCli, CompressedBanks) {
    const auto r = RunCli({"export", White(), "--format", "bin", "-o", Out("pic"), "--compress"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(fs::file_size(dir / "PIC.GN0"), 7 + 8u);
    EXPECT_EQ(fs::file_size(dir / "PIC.NM"), 7 + 768u);
}

TEST_F(ExportCli, AnOffenceWritesNothingAndExitsOne) {
    Picture picture(256, 192, Tms(15));
    picture.setPixel(1, 0, Tms(2));
    picture.setPixel(2, 0, Tms(4));
    const std::string file = Save(picture);
    const auto r = RunCli({"export", file, "--format", "cas", "-o", Out("t.cas")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.out.find("Line : (   2,   0 )"), std::string::npos) << r.out;
    EXPECT_TRUE(r.out.ends_with("Some errors were found!\n")) << r.out;
    EXPECT_EQ(Files(), std::vector<std::string>{"pic.bmp"});
}

TEST_F(ExportCli, DataOverflowExitsOne) {
    Picture picture(256, 192);
    std::uint32_t x = 99;
    for (int y = 0; y < 192; ++y)
        for (int c = 0; c < 32; ++c) {
            x = x * 1103515245u + 12345u;
            const int fg = 2 + int(x >> 16) % 14, bg = 2 + (fg - 2 + 1 + int(x >> 24) % 13) % 14;
            for (int p = 0; p < 8; ++p)
                picture.setPixel(8 * c + p, y, (x >> (4 + p)) & 1 ? Tms(fg) : Tms(bg));
        }
    const auto r = RunCli({"export", Save(picture), "--format", "wav", "-o", Out("t.wav")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.ends_with("Data Over Flow Error!\n\nC800h - F9F4h\n\nThe highest Start "
                                "Address that fits: C000H (16KB-32KB)\n"))
        << r.out;
    EXPECT_EQ(Files(), std::vector<std::string>{"pic.bmp"});
}

TEST_F(ExportCli, AWriteFailureExitsTwoNamingTheFile) {
    const std::string target = Out("missing/t.cas");
    const auto r = RunCli({"export", White(), "--format", "cas", "-o", target});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find(target), std::string::npos) << r.err;
    EXPECT_EQ(r.out.find("OK!"), std::string::npos) << r.out;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
}

TEST_F(ExportCli, BadUsageIsRefusedWithAClearMessage) {
    const std::string file = White();
    const std::vector<std::vector<std::string>> cases = {
        {"export", file, "-o", Out("x")},    // no format
        {"export", file, "--format", "cas"}, // no output
        {"export", file, "--format", "tap", "-o", Out("x")},
        {"export", file, "--format", "cas", "-o", Out("x"), "--start", "8000"},
        {"export", file, "--format", "wav", "-o", Out("x"), "--volume", "0"},
        {"export", file, "--format", "wav", "-o", Out("x"), "--volume", "128"},
        {"export", file, "--format", "wav", "-o", Out("x"), "--baud", "4800"},
        {"export", file, "--format", "cas", "-o", Out("x"), "--tape-name", "SEVENCH"},
        {"export", file, "--format", "cas", "-o", Out("x"), "--baud", "2400"},
        {"export", file, "--format", "cas", "-o", Out("x"), "--compress"},
        {"export", file, "--format", "bin", "-o", Out("x"), "--start", "C000"},
        {"export", file, "--format", "bin", "-o", Out("x"), "--one-bank"},
        {"export", file, "--format", "bin", "-o", Out("x"), "--frobnicate"},
        {"export", Out("nothing.bmp"), "--format", "bin", "-o", Out("x")},
    };
    for (const auto& args : cases) {
        const auto r = RunCli(args);
        EXPECT_EQ(r.exitCode, 2) << args.back();
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
    EXPECT_EQ(Files(), std::vector<std::string>{"pic.bmp"});
}

TEST_F(ExportCli, OnlyThe256By192SizeExports) {
    const auto r =
        RunCli({"export", Save(Picture(256, 200, Tms(15))), "--format", "bin", "-o", Out("x")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("256 x 200"), std::string::npos) << r.err;
}

TEST_F(ExportCli, StartAndPaletteSpellings) {
    const auto r = RunCli({"export", White(), "--format", "cas", "-o", Out("a"), "--start", "b000h",
                           "--palette", "TMS9918"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, 31), "Address Check :\n\nStart : B000h\n");
}

} // namespace
} // namespace murelo
