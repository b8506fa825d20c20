#include "core/export/BinaryExport.h"
#include "core/editor/ColorCheck.h"
#include "core/editor/ScreenBuffer.h"
#include "core/export/VramTables.h"
#include "core/palette/Palettes.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace murelo {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;
using test::ReadBytes;

Bytes Header(unsigned start, unsigned end) {
    return {0xFE,
            Bytes::value_type(start),
            Bytes::value_type(start >> 8),
            Bytes::value_type(end),
            Bytes::value_type(end >> 8),
            Bytes::value_type(start),
            Bytes::value_type(start >> 8)};
}

Bytes Concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<std::string> FileNamesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

struct BinaryExportFixture : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<ScreenBuffer> buffer = std::make_unique<ScreenBuffer>();
    std::string message;
    int asked = 0;

    BinaryExportFixture() { ResetVramImage(buffer->vramImage()); }
    ConstVramImage vram() const { return std::as_const(*buffer).vramImage(); }

    // The export button's way to the tables: a check with table generation.
    void CheckPicture(const Picture& picture) {
        Picture overlay;
        ASSERT_EQ(ColorCheck(picture, KindTms9918, true, overlay, buffer->bytes).result, 0);
    }
    // Gives every cell of bank 0 its own character and repeats them in banks 1 and 2.
    void DistinctCharacters(int count) {
        for (int cell = 0; cell < 768; ++cell) {
            const int n = cell < count ? cell : cell % 256;
            buffer->bytes[8 * cell] = std::uint8_t(n);
            buffer->bytes[8 * cell + 1] = std::uint8_t(n >> 8);
            buffer->bytes[0x2000 + 8 * cell] = 0xF1;
        }
    }
    BinaryExportResult Export(const BinaryExportOptions& options, const std::string& name) {
        return ExportBinary(
            vram(), options,
            [&]() -> std::optional<fs::path> {
                ++asked;
                return dir / name;
            },
            message);
    }
};

TEST_F(BinaryExportFixture, PlainFilesWithoutHeader) {
    CheckPicture(Picture(256, 192, PaletteColor(KindTms9918, 6)));
    BinaryExportOptions options;
    options.addHeader = false;
    const BinaryExportResult r = Export(options, "pic.bin");
    EXPECT_EQ(r.status, BinaryExportStatus::Written);
    EXPECT_EQ(r.boxText, "OK!");
    EXPECT_EQ(r.boxCaption, "Export");
    EXPECT_EQ(FileNamesIn(dir.path()),
              (std::vector<std::string>{"PIC.BIN.COL", "PIC.BIN.GEN", "PIC.BIN.NAM"}));
    EXPECT_EQ(ReadBytes(dir / "PIC.BIN.GEN"), Bytes(6144, 0xFF));
    EXPECT_EQ(ReadBytes(dir / "PIC.BIN.COL"), Bytes(6144, 0x60));
    Bytes names;
    for (int i = 0; i < 768; ++i)
        names.push_back(Bytes::value_type(i));
    EXPECT_EQ(ReadBytes(dir / "PIC.BIN.NAM"), names);
    EXPECT_EQ(message, ""); // no counting without "Compress"
}

TEST_F(BinaryExportFixture, PlainFilesWithHeader) {
    CheckPicture(Picture(256, 192, PaletteColor(KindTms9918, 6)));
    Export(BinaryExportOptions{}, "pic");
    const Bytes gen = ReadBytes(dir / "PIC.GEN");
    ASSERT_EQ(gen.size(), 7u + 6144);
    EXPECT_EQ(Bytes(gen.begin(), gen.begin() + 7), Header(0x0000, 0x17FF));
    const Bytes nam = ReadBytes(dir / "PIC.NAM");
    ASSERT_EQ(nam.size(), 7u + 768);
    EXPECT_EQ(Bytes(nam.begin(), nam.begin() + 7), Header(0x1800, 0x1AFF));
    EXPECT_EQ(nam[7 + 257], 1);
    const Bytes col = ReadBytes(dir / "PIC.COL");
    ASSERT_EQ(col.size(), 7u + 6144);
    EXPECT_EQ(Bytes(col.begin(), col.begin() + 7), Header(0x2000, 0x37FF));
    EXPECT_EQ(col[7], 0x60);
}

TEST_F(BinaryExportFixture, OneColourPerBankGivesThreeOneCharacterBanks) {
    CheckPicture(Picture(256, 192, PaletteColor(KindTms9918, 4)));
    BinaryExportOptions options;
    options.compress = true;
    EXPECT_EQ(Export(options, "one").status, BinaryExportStatus::Written);
    const unsigned starts[3] = {0x0000, 0x0800, 0x1000};
    for (int b = 0; b < 3; ++b) {
        const std::string digit = std::to_string(b);
        EXPECT_EQ(ReadBytes(dir / ("ONE.GN" + digit)),
                  Concat(Header(starts[b], starts[b] + 7), Bytes(8, 0xFF)));
        EXPECT_EQ(ReadBytes(dir / ("ONE.CL" + digit)),
                  Concat(Header(0x2000 + starts[b], 0x2000 + starts[b] + 7), Bytes(8, 0x40)));
    }
    EXPECT_EQ(ReadBytes(dir / "ONE.NM"), Concat(Header(0x1800, 0x1AFF), Bytes(768, 0)));
    EXPECT_EQ(FileNamesIn(dir.path()).size(), 7u);
}

TEST_F(BinaryExportFixture, DividedNameTablePerBank) {
    DistinctCharacters(300); // bank 0: 256 characters, bank 1: 44 new + repeats
    BinaryExportOptions options;
    options.compress = true;
    options.divideNameTable = true;
    options.addHeader = false;
    Export(options, "d");
    EXPECT_FALSE(fs::exists(dir / "D.NM"));
    const Bytes nm0 = ReadBytes(dir / "D.NM0");
    ASSERT_EQ(nm0.size(), 256u);
    EXPECT_EQ(nm0[200], 200);
    // Bank 1: cells 256..299 are new characters (0..43), then cells 300..511 repeat
    // cells 44..255, each new to this bank: numbers 44..255.
    const Bytes nm1 = ReadBytes(dir / "D.NM1");
    ASSERT_EQ(nm1.size(), 256u);
    EXPECT_EQ(nm1[0], 0);
    EXPECT_EQ(nm1[43], 43);
    EXPECT_EQ(nm1[44], 44);
    EXPECT_EQ(ReadBytes(dir / "D.GN1").size(), 8u * 256);
    EXPECT_EQ(ReadBytes(dir / "D.GN1")[0], 0x00); // cell 256: n = 256, low byte 0
    EXPECT_EQ(ReadBytes(dir / "D.GN1")[1], 0x01);
}

TEST_F(BinaryExportFixture, DividedNameHeadersPerThird) {
    CheckPicture(Picture(256, 192, PaletteColor(KindTms9918, 4)));
    BinaryExportOptions options;
    options.compress = true;
    options.divideNameTable = true;
    Export(options, "h");
    EXPECT_EQ(ReadBytes(dir / "H.NM0"), Concat(Header(0x1800, 0x18FF), Bytes(256, 0)));
    EXPECT_EQ(ReadBytes(dir / "H.NM1"), Concat(Header(0x1900, 0x19FF), Bytes(256, 0)));
    EXPECT_EQ(ReadBytes(dir / "H.NM2"), Concat(Header(0x1A00, 0x1AFF), Bytes(256, 0)));
}

TEST_F(BinaryExportFixture, ExactlyTwoHundredFiftySixCharactersFitOneBank) {
    DistinctCharacters(256);
    BinaryExportOptions options;
    options.compress = true;
    options.oneBank = true;
    const BinaryExportResult r = Export(options, "all");
    EXPECT_EQ(r.status, BinaryExportStatus::Written);
    EXPECT_EQ(message, "\nNumber of Character Pattern(s): 256");
    const Bytes gn = ReadBytes(dir / "ALL.GN");
    ASSERT_EQ(gn.size(), 7u + 2048);
    EXPECT_EQ(Bytes(gn.begin(), gn.begin() + 7), Header(0x0000, 0x07FF));
    EXPECT_EQ(gn[7 + 8 * 255], 255);
    const Bytes cl = ReadBytes(dir / "ALL.CL");
    ASSERT_EQ(cl.size(), 7u + 2048);
    EXPECT_EQ(Bytes(cl.begin(), cl.begin() + 7), Header(0x2000, 0x27FF));
    const Bytes nm = ReadBytes(dir / "ALL.NM");
    ASSERT_EQ(nm.size(), 7u + 768);
    EXPECT_EQ(Bytes(nm.begin(), nm.begin() + 7), Header(0x1800, 0x1AFF));
    EXPECT_EQ(nm[7 + 3], 3);
    EXPECT_EQ(nm[7 + 256 + 3], 3); // the thirds share the one set
    EXPECT_EQ(nm[7 + 767], 255);
}

TEST_F(BinaryExportFixture, OneBankDividedNames) {
    DistinctCharacters(256);
    BinaryExportOptions options;
    options.compress = true;
    options.oneBank = true;
    options.divideNameTable = true;
    Export(options, "s");
    EXPECT_FALSE(fs::exists(dir / "S.NM"));
    const Bytes nm2 = ReadBytes(dir / "S.NM2");
    ASSERT_EQ(nm2.size(), 7u + 256);
    EXPECT_EQ(Bytes(nm2.begin(), nm2.begin() + 7), Header(0x1A00, 0x1AFF));
    EXPECT_EQ(nm2[7 + 9], 9);
}

TEST_F(BinaryExportFixture, TwoHundredFiftySevenCharactersAreRefusedBeforeTheDialog) {
    DistinctCharacters(257);
    BinaryExportOptions options;
    options.compress = true;
    options.oneBank = true;
    const BinaryExportResult r = Export(options, "over");
    EXPECT_EQ(r.status, BinaryExportStatus::BankOver);
    EXPECT_EQ(r.boxText, "BANK OVER : 257");
    EXPECT_EQ(r.boxCaption, "Export Error");
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(message, "\nNumber of Character Pattern(s): 257");
    EXPECT_TRUE(FileNamesIn(dir.path()).empty());
    EXPECT_THROW(WriteOneBankFiles(vram(), dir / "X", options), std::invalid_argument);
}

TEST_F(BinaryExportFixture, OneBankWithoutCompressIsANormalExport) {
    BinaryExportOptions options;
    options.oneBank = true;
    Export(options, "n");
    EXPECT_EQ(FileNamesIn(dir.path()), (std::vector<std::string>{"N.COL", "N.GEN", "N.NAM"}));
    EXPECT_EQ(message, "");
}

TEST_F(BinaryExportFixture, CancelledDialogWritesNothing) {
    const BinaryExportResult r = ExportBinary(
        vram(), BinaryExportOptions{}, [] { return std::optional<fs::path>(); }, message);
    EXPECT_EQ(r.status, BinaryExportStatus::Canceled);
    EXPECT_EQ(r.boxText, "");
    EXPECT_TRUE(FileNamesIn(dir.path()).empty());
}

TEST_F(BinaryExportFixture, FoldersKeepTheirCase) {
    fs::create_directory(dir / "My.Work");
    Export(BinaryExportOptions{}, "My.Work/title");
    EXPECT_EQ(FileNamesIn(dir / "My.Work"),
              (std::vector<std::string>{"TITLE.COL", "TITLE.GEN", "TITLE.NAM"}));
}

TEST_F(BinaryExportFixture, ExistingFilesAreReplaced) {
    test::WriteBytes(dir / "R.GEN", Bytes(10000, 0x77));
    Export(BinaryExportOptions{}, "r");
    EXPECT_EQ(ReadBytes(dir / "R.GEN").size(), 7u + 6144);
}

TEST_F(BinaryExportFixture, MissingFolderIsReportedForEveryFile) {
    const BinaryExportResult r = Export(BinaryExportOptions{}, "nowhere/pic");
    EXPECT_EQ(r.status, BinaryExportStatus::WriteFailed);
    EXPECT_EQ(r.boxCaption, "Export Error");
    ASSERT_EQ(r.files.failures.size(), 3u);
    EXPECT_TRUE(r.files.written.empty());
    const std::string expected =
        "Write Error : " + (dir / "nowhere/PIC.GEN").string() + " (No such file or directory)";
    EXPECT_EQ(r.boxText.substr(0, r.boxText.find('\n')), expected);
    EXPECT_NE(r.boxText.find("PIC.COL"), std::string::npos);
}

TEST_F(BinaryExportFixture, OneUnwritableFileLeavesTheWholeSetAsItWas) {
    const Bytes old(100, 0x77);
    test::WriteBytes(dir / "P.GEN", old);
    fs::create_directory(dir / "P.NAM"); // a folder where the name table should go
    const BinaryExportResult r = Export(BinaryExportOptions{}, "p");
    EXPECT_EQ(r.status, BinaryExportStatus::WriteFailed);
    ASSERT_EQ(r.files.failures.size(), 1u);
    EXPECT_EQ(r.files.failures[0].file, dir / "P.NAM");
    EXPECT_EQ(r.files.failures[0].reason, "Is a directory");
    EXPECT_EQ(r.boxText, "Write Error : " + (dir / "P.NAM").string() + " (Is a directory)");
    EXPECT_TRUE(r.files.written.empty());
    // The set is replaced as one: the old GEN stays, no COL appears, no temporary is left.
    EXPECT_EQ(ReadBytes(dir / "P.GEN"), old);
    EXPECT_EQ(FileNamesIn(dir.path()), (std::vector<std::string>{"P.GEN", "P.NAM"}));
}

TEST_F(BinaryExportFixture, UnwritableNameTableIsReportedOnceAndNoBankIsWritten) {
    fs::create_directory(dir / "B.NM");
    BinaryExportOptions options;
    options.compress = true;
    const BinaryExportResult r = Export(options, "b");
    EXPECT_EQ(r.status, BinaryExportStatus::WriteFailed);
    ASSERT_EQ(r.files.failures.size(), 1u);
    EXPECT_EQ(r.files.failures[0].file, dir / "B.NM");
    EXPECT_TRUE(r.files.written.empty());
    EXPECT_TRUE(fs::is_empty(dir / "B.NM"));
    EXPECT_EQ(FileNamesIn(dir.path()), std::vector<std::string>{"B.NM"});
}

} // namespace
} // namespace murelo
