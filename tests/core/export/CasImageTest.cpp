#include "core/export/CasImage.h"
#include "core/editor/AtomicFile.h"

#include "support/TestData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace murelo {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct Fixture {
    Bytes loader = Bytes(496, 0x11);
    Bytes packed;
    TapeFile tape;

    explicit Fixture(std::size_t packedSize) : packed(packedSize, 0x22) {
        tape.name = TapeName("AB", "");
        tape.header = {0xC800, 0xD000, 0xC800};
        tape.loader = loader;
        tape.packed = packed;
    }
};

std::vector<std::string> FolderEntries(const std::filesystem::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(CasImage, LayoutOfTheTwoBlocks) {
    const Fixture f(1000);
    const Bytes cas = BuildCasImage(f.tape);
    const Bytes sync = {0x1F, 0xA6, 0xDE, 0xBA, 0xCC, 0x13, 0x7D, 0x74};
    EXPECT_EQ(Bytes(cas.begin(), cas.begin() + 8), sync);
    EXPECT_EQ(Bytes(cas.begin() + 8, cas.begin() + 18), Bytes(10, 0xD0));
    EXPECT_EQ(Bytes(cas.begin() + 18, cas.begin() + 24),
              (Bytes{0x41, 0x42, 0x20, 0x20, 0x20, 0x20}));
    EXPECT_EQ(Bytes(cas.begin() + 24, cas.begin() + 32), sync);
    EXPECT_EQ(Bytes(cas.begin() + 32, cas.begin() + 38),
              (Bytes{0x00, 0xC8, 0x00, 0xD0, 0x00, 0xC8}));
    EXPECT_EQ(Bytes(cas.begin() + 38, cas.begin() + 534), f.loader);
    EXPECT_EQ(Bytes(cas.begin() + 534, cas.begin() + 1534), f.packed);
}

TEST(CasImage, PaddedToTheNextMultipleOf16) {
    const Bytes cas = BuildCasImage(Fixture(1000).tape); // 1534 bytes of content
    ASSERT_EQ(cas.size(), 1536u);
    EXPECT_EQ(cas[1534], 0);
    EXPECT_EQ(cas[1535], 0);
    EXPECT_EQ(cas[1533], 0x22);
}

TEST(CasImage, AnAlignedLengthGetsSixteenZeros) {
    const Bytes cas = BuildCasImage(Fixture(1002).tape); // 1536 bytes of content
    ASSERT_EQ(cas.size(), 1552u);
    EXPECT_EQ(cas[1535], 0x22);
    EXPECT_EQ(Bytes(cas.begin() + 1536, cas.end()), Bytes(16, 0));
}

TEST(WriteCasImage, WritesTheImageAndNothingElse) {
    test::TempDir dir;
    const Fixture f(1000);
    WriteCasImage(dir / "GAME.CAS", f.tape);
    EXPECT_EQ(test::ReadBytes(dir / "GAME.CAS"), BuildCasImage(f.tape));
    EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"GAME.CAS"});
}

TEST(WriteCasImage, ReplacesAnOldFile) {
    test::TempDir dir;
    test::WriteBytes(dir / "GAME.CAS", Bytes(5000, 0xEE));
    const Fixture f(10);
    WriteCasImage(dir / "GAME.CAS", f.tape);
    EXPECT_EQ(test::ReadBytes(dir / "GAME.CAS"), BuildCasImage(f.tape));
}

TEST(WriteCasImage, AMissingFolderIsReportedWithTheFile) {
    test::TempDir dir;
    const auto target = dir / "no such folder" / "GAME.CAS";
    try {
        WriteCasImage(target, Fixture(10).tape);
        FAIL() << "no error for a missing folder";
    } catch (const FileWriteError& e) {
        const std::string text = e.what();
        EXPECT_NE(text.find(target.string()), std::string::npos) << text;
        EXPECT_NE(text.find("No such file or directory"), std::string::npos) << text;
    }
    EXPECT_TRUE(FolderEntries(dir.path()).empty());
}

TEST(WriteCasImage, AFailedRenameLeavesNoTemporaryFile) {
    test::TempDir dir;
    std::filesystem::create_directory(dir / "GAME.CAS"); // a folder cannot be replaced by a file
    EXPECT_THROW(WriteCasImage(dir / "GAME.CAS", Fixture(10).tape), FileWriteError);
    EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"GAME.CAS"});
    EXPECT_TRUE(std::filesystem::is_directory(dir / "GAME.CAS"));
}

} // namespace
} // namespace murelo
