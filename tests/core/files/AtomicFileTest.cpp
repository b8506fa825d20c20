#include "core/editor/AtomicFile.h"
#include "FileTestSupport.h"
#include "core/editor/LiveTemporaries.h"
#include "core/editor/ProcessUmask.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <regex>
#include <sys/stat.h>
#include <unistd.h>

namespace murelo {
namespace {

namespace fs = std::filesystem;
using test::Bytes;
using test::Entries;
using test::ModeOf;
using test::Pattern;
using test::Read;

Bytes Written(const fs::path& target, const Bytes& bytes) {
    WriteFileAtomically(target, bytes);
    return test::Read(target);
}

TEST(AtomicFile, ANewFileGetsTheBytesAndTheUsualPermissions) {
    for (mode_t mask : {mode_t(022), mode_t(027), mode_t(077), mode_t(0)}) {
        SCOPED_TRACE(mask);
        test::ScopedUmask umask(mask);
        test::TempDir dir;
        // Sizes around the writer's 64 KiB buffer, so buffered and direct writes both count.
        for (std::size_t size : {std::size_t(0), std::size_t(1), std::size_t(65535),
                                 std::size_t(65536), std::size_t(200001)}) {
            const Bytes bytes = Pattern(size, unsigned(size));
            EXPECT_EQ(Written(dir / "f", bytes), bytes) << size;
        }
        EXPECT_EQ(ModeOf(dir / "f"), 0666u & ~unsigned(mask));
        EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"f"});
    }
}

TEST(AtomicFile, AReplacedFileKeepsItsPermissionBits) {
    test::ScopedUmask umask(022);
    for (unsigned mode : {0600u, 0640u, 0444u, 0755u, 0707u}) {
        SCOPED_TRACE(mode);
        test::TempDir dir;
        test::Write(dir / "f", Bytes(10, 1));
        ASSERT_EQ(::chmod((dir / "f").c_str(), mode_t(mode)), 0);
        EXPECT_EQ(Written(dir / "f", Bytes(3, 2)), Bytes(3, 2));
        EXPECT_EQ(ModeOf(dir / "f"), mode);
    }
}

TEST(AtomicFile, SetIdBitsAreNotCarriedOver) {
    test::TempDir dir;
    test::Write(dir / "f", Bytes(10, 1));
    ASSERT_EQ(::chmod((dir / "f").c_str(), 04755), 0);
    WriteFileAtomically(dir / "f", Bytes(3, 2));
    EXPECT_EQ(ModeOf(dir / "f"), 0755u);
}

TEST(AtomicFile, TheTemporaryLiesBesideTheTargetUnderItsOwnName) {
    test::TempDir dir;
    test::Write(dir / "T.CAS", Bytes(4, 9));
    AtomicFile a(dir / "T.CAS");
    AtomicFile b(dir / "T.CAS");
    EXPECT_NE(a.temporary(), b.temporary());
    for (const AtomicFile* file : {&a, &b}) {
        EXPECT_EQ(file->temporary().parent_path(), dir.path());
        EXPECT_TRUE(std::regex_match(file->temporary().filename().string(),
                                     std::regex(R"(\.T\.CAS-[A-Za-z0-9]{6}\.tmp)")))
            << file->temporary();
        EXPECT_TRUE(fs::exists(file->temporary()));
        // Private while it is being written; the target's bits come when it is finished.
        EXPECT_EQ(ModeOf(file->temporary()), 0600u);
    }
    a.write(Bytes(100, 1));
    EXPECT_EQ(Read(dir / "T.CAS"), Bytes(4, 9)) << "the target changed before the rename";
}

TEST(AtomicFile, ALongNameIsCutInTheTemporaryNotInTheTarget) {
    test::TempDir dir;
    // 254 bytes, the last ones two-byte characters, so the cut must fall between characters.
    std::string name(240, 'n');
    for (int i = 0; i < 7; ++i)
        name += "\xC3\xA9";
    AtomicFile file(dir / name);
    const std::string temporary = file.temporary().filename().string();
    EXPECT_LE(temporary.size(), 255u);
    EXPECT_TRUE(temporary.ends_with(".tmp"));
    const std::string kept = temporary.substr(1, temporary.size() - 12);
    EXPECT_TRUE(name.starts_with(kept));
    EXPECT_NE((static_cast<unsigned char>(name[kept.size()]) & 0xC0), 0x80u)
        << "cut inside a character";
    file.write(Bytes(5, 5));
    file.commit();
    EXPECT_EQ(Read(dir / name), Bytes(5, 5));
}

TEST(AtomicFile, AnAbandonedFileLeavesNothingAndTheTargetAsItWas) {
    test::TempDir dir;
    test::Write(dir / "keep", Bytes(7, 7));
    {
        AtomicFile file(dir / "keep");
        file.write(Pattern(300000, 1));
        file.finish(); // complete on the disk, yet never renamed
    }
    {
        AtomicFile file(dir / "new");
        file.write(Bytes(10, 1));
    }
    EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"keep"});
    EXPECT_EQ(Read(dir / "keep"), Bytes(7, 7));
    EXPECT_EQ(LiveTemporaryCount(), 0u);
}

TEST(AtomicFile, SeekRewritesAPartAndKeepsTheRest) {
    test::TempDir dir;
    AtomicFile file(dir / "w");
    file.write(Bytes(4, 0));
    file.write(Pattern(100000, 3));
    file.seek(0);
    file.write(Bytes{1, 2, 3, 4});
    file.commit();
    Bytes expected = Pattern(100000, 3);
    expected.insert(expected.begin(), {1, 2, 3, 4});
    EXPECT_EQ(Read(dir / "w"), expected);
}

// The fault, what the caller sees, and that nothing changed: the old target is intact, the
// folder holds nothing else, and no temporary is remembered any more.
struct StepCase {
    FileStep step;
    int error;
};

TEST(AtomicFile, AFailureAtAnyStepLeavesTheTargetAndNoTemporary) {
    const StepCase cases[] = {{FileStep::Create, EACCES},
                              {FileStep::Write, ENOSPC},
                              {FileStep::Flush, EDQUOT},
                              {FileStep::Sync, EIO},
                              {FileStep::Rename, EROFS}};
    for (const StepCase& c : cases) {
        SCOPED_TRACE(int(c.step));
        test::FaultsCleared cleared;
        test::TempDir dir;
        const Bytes old = Pattern(5000, 1);
        test::Write(dir / "t.bin", old);
        ::chmod((dir / "t.bin").c_str(), 0640);
        InjectFileFault(c.step, c.error);
        try {
            WriteFileAtomically(dir / "t.bin", Pattern(100000, 2));
            ADD_FAILURE() << "no error";
        } catch (const FileWriteError& e) {
            EXPECT_EQ(e.file, dir / "t.bin");
            EXPECT_EQ(e.reason, std::strerror(c.error));
            EXPECT_EQ(std::string(e.what()),
                      "cannot write " + (dir / "t.bin").string() + ": " + std::strerror(c.error));
        }
        EXPECT_EQ(Read(dir / "t.bin"), old);
        EXPECT_EQ(ModeOf(dir / "t.bin"), 0640u);
        EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"t.bin"});
        EXPECT_EQ(LiveTemporaryCount(), 0u);
        // The fault struck once: the next write goes through.
        WriteFileAtomically(dir / "t.bin", Bytes(3, 3));
        EXPECT_EQ(Read(dir / "t.bin"), Bytes(3, 3));
    }
}

TEST(AtomicFile, AFailedFileTakesNoMoreWrites) {
    test::FaultsCleared cleared;
    test::TempDir dir;
    AtomicFile file(dir / "x");
    InjectFileFault(FileStep::Write, EIO);
    EXPECT_THROW(file.write(Bytes(1, 1)), FileWriteError);
    EXPECT_THROW(file.write(Bytes(1, 1)), FileWriteError);
    EXPECT_THROW(file.commit(), FileWriteError);
    EXPECT_TRUE(Entries(dir.path()).empty());
}

TEST(AtomicFile, AFolderOrADeviceAsTargetIsRefusedAndKept) {
    test::TempDir dir;
    fs::create_directory(dir / "folder");
    test::Write(dir / "folder" / "inside", Bytes(1, 1));
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    const std::pair<std::string, std::string> cases[] = {{"folder", "Is a directory"},
                                                         {"pipe", "not a regular file"}};
    for (const auto& [name, reason] : cases) {
        SCOPED_TRACE(name);
        try {
            WriteFileAtomically(dir / name, Bytes(10, 1));
            ADD_FAILURE() << "no error";
        } catch (const FileWriteError& e) {
            EXPECT_EQ(e.reason, reason);
        }
    }
    EXPECT_TRUE(fs::is_directory(dir / "folder"));
    EXPECT_EQ(Entries(dir / "folder"), std::vector<std::string>{"inside"});
    EXPECT_TRUE(fs::is_fifo(dir / "pipe"));
    EXPECT_EQ(Entries(dir.path()), (std::vector<std::string>{"folder", "pipe"}));
}

TEST(AtomicFile, AMissingFolderOrAnOverlongNameIsReported) {
    test::TempDir dir;
    const std::pair<fs::path, std::string> cases[] = {
        {dir / "gone" / "x", "No such file or directory"},
        {dir / std::string(300, 'n'), "File name too long"},
    };
    for (const auto& [target, reason] : cases) {
        try {
            WriteFileAtomically(target, Bytes(10, 1));
            ADD_FAILURE() << "no error for " << target;
        } catch (const FileWriteError& e) {
            EXPECT_EQ(e.file, target);
            EXPECT_EQ(e.reason, reason);
        }
    }
    EXPECT_TRUE(Entries(dir.path()).empty());
}

TEST(AtomicFile, ALinkStaysALinkAndTheFileItPointsToIsReplaced) {
    test::TempDir dir;
    fs::create_directory(dir / "real");
    test::Write(dir / "real" / "pic.bmp", Bytes(8, 8));
    ASSERT_EQ(::chmod((dir / "real" / "pic.bmp").c_str(), 0600), 0);
    fs::create_symlink("real/pic.bmp", dir / "relative");
    fs::create_symlink(dir / "relative", dir / "chain"); // a link to a link, absolute
    for (const char* link : {"relative", "chain"}) {
        SCOPED_TRACE(link);
        const Bytes bytes = Pattern(1000, unsigned(link[0]));
        WriteFileAtomically(dir / link, bytes);
        EXPECT_TRUE(fs::is_symlink(dir / link));
        EXPECT_EQ(Read(dir / "real" / "pic.bmp"), bytes);
        EXPECT_EQ(ModeOf(dir / "real" / "pic.bmp"), 0600u);
    }
    EXPECT_EQ(fs::read_symlink(dir / "relative"), "real/pic.bmp");
    EXPECT_EQ(fs::read_symlink(dir / "chain"), dir / "relative");
    EXPECT_EQ(Entries(dir / "real"), std::vector<std::string>{"pic.bmp"});
    EXPECT_EQ(Entries(dir.path()), (std::vector<std::string>{"chain", "real", "relative"}));
}

TEST(AtomicFile, ADanglingLinkGetsItsFileAndALoopIsRefused) {
    test::TempDir dir;
    fs::create_symlink("made.bin", dir / "dangling");
    WriteFileAtomically(dir / "dangling", Bytes(4, 4));
    EXPECT_TRUE(fs::is_symlink(dir / "dangling"));
    EXPECT_EQ(Read(dir / "made.bin"), Bytes(4, 4));

    fs::create_symlink("b", dir / "a");
    fs::create_symlink("a", dir / "b");
    try {
        WriteFileAtomically(dir / "a", Bytes(4, 4));
        ADD_FAILURE() << "no error for a loop";
    } catch (const FileWriteError& e) {
        EXPECT_EQ(e.reason, std::strerror(ELOOP));
    }
    EXPECT_TRUE(fs::is_symlink(dir / "a"));
    EXPECT_TRUE(fs::is_symlink(dir / "b"));
}

// The umask of a new file is read from the process status, never set to 0 and back.
TEST(ProcessUmask, TheStatusTextsUmaskLine) {
    const std::pair<const char*, std::optional<mode_t>> cases[] = {
        {"Name:\tx\nUmask:\t0022\nState:\tR (running)\n", mode_t(022)},
        {"Umask: 077", mode_t(077)},
        {"Name:\tx\nState:\tS\n", std::nullopt}, // an older kernel without the line
        {"Umask:\t\n", std::nullopt},
        {"Umask:\t0o22\n", std::nullopt},
        {"Umask:\t01777\n", std::nullopt}, // beyond the permission bits
    };
    for (const auto& [status, mask] : cases)
        EXPECT_EQ(ParseStatusUmask(status), mask) << status;
}

TEST(ProcessUmask, IsReadWithoutChangingItAndCountsAsStrictWhereUnknown) {
    for (const mode_t mask : {mode_t(027), mode_t(0)}) {
        test::ScopedUmask scoped(mask);
        EXPECT_EQ(ReadUmask(), mask);
        EXPECT_EQ(::umask(mask), mask); // still what it was set to
    }
    test::TempDir dir;
    EXPECT_EQ(ReadUmask(dir / "missing"), mode_t(077));
}

} // namespace
} // namespace murelo
