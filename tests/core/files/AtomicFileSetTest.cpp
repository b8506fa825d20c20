#include "core/editor/AtomicFileSet.h"
#include "FileTestSupport.h"
#include "core/editor/LiveTemporaries.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace murelo {
namespace {

namespace fs = std::filesystem;
using test::Bytes;
using test::Entries;
using test::Pattern;
using test::Read;

// Three old files, "a", "b" and "c", that a job means to replace.
struct ThreeFiles {
    test::TempDir dir;
    test::FaultsCleared cleared;

    ThreeFiles() {
        for (const char* name : {"a", "b", "c"})
            test::Write(dir / name, Old(name));
    }
    static Bytes Old(const std::string& name) { return Bytes(50, std::uint8_t(name[0])); }
    static Bytes New(const std::string& name) { return Pattern(70000, unsigned(name[0])); }

    void Write() {
        AtomicFileSet set;
        for (const char* name : {"a", "b", "c"})
            set.add(dir / name).write(New(name));
        set.commit();
    }
    // Which of a, b, c now hold the new bytes; the others must hold the old ones.
    std::string Replaced() const {
        std::string replaced;
        for (const char* name : {"a", "b", "c"}) {
            const Bytes now = Read(dir / name);
            if (now == New(name))
                replaced += name;
            else
                EXPECT_EQ(now, Old(name)) << name << " is neither old nor new";
        }
        return replaced;
    }
};

TEST(AtomicFileSet, EveryFileIsReplaced) {
    ThreeFiles files;
    files.Write();
    EXPECT_EQ(files.Replaced(), "abc");
    EXPECT_EQ(Entries(files.dir.path()), (std::vector<std::string>{"a", "b", "c"}));
}

// A failure at the last file, before any rename: no target changes, no temporary stays.
TEST(AtomicFileSet, AFailureAtTheLastFileChangesNoTarget) {
    struct Case {
        FileStep step;
        int skip; // how many times the step goes through before it fails
    };
    // Each file is created, written once and finished (flush, sync) before any rename.
    const Case cases[] = {{FileStep::Create, 2},
                          {FileStep::Write, 2},
                          {FileStep::Flush, 2},
                          {FileStep::Sync, 2},
                          {FileStep::Rename, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.step));
        ThreeFiles files;
        InjectFileFault(c.step, ENOSPC, c.skip);
        try {
            files.Write();
            ADD_FAILURE() << "no error";
        } catch (const FileWriteError& e) {
            EXPECT_EQ(e.file, files.dir / (c.step == FileStep::Rename ? "a" : "c"));
            EXPECT_EQ(e.reason, "No space left on device");
        }
        EXPECT_EQ(files.Replaced(), "");
        EXPECT_EQ(Entries(files.dir.path()), (std::vector<std::string>{"a", "b", "c"}));
        EXPECT_EQ(LiveTemporaryCount(), 0u);
    }
}

TEST(AtomicFileSet, AFolderNamedLikeTheLastFileChangesNoTarget) {
    ThreeFiles files;
    fs::remove(files.dir / "c");
    fs::create_directory(files.dir / "c");
    AtomicFileSet set;
    for (const char* name : {"a", "b", "c"})
        set.add(files.dir / name).write(Bytes(10, 1));
    EXPECT_THROW(set.commit(), FileWriteError);
    EXPECT_EQ(set.replacedCount(), 0u);
    EXPECT_EQ(Read(files.dir / "a"), ThreeFiles::Old("a"));
    EXPECT_EQ(Read(files.dir / "b"), ThreeFiles::Old("b"));
    EXPECT_TRUE(fs::is_empty(files.dir / "c"));
    EXPECT_EQ(Entries(files.dir.path()), (std::vector<std::string>{"a", "b", "c"}));
}

// The one window that is left: a rename that fails after others succeeded. The files before
// it are new, the ones from it on are old, and no temporary stays.
TEST(AtomicFileSet, ARenameFailingLaterKeepsWhatWasRenamedAndNoTemporary) {
    for (int skip : {1, 2}) {
        SCOPED_TRACE(skip);
        ThreeFiles files;
        AtomicFileSet set;
        for (const char* name : {"a", "b", "c"})
            set.add(files.dir / name).write(ThreeFiles::New(name));
        InjectFileFault(FileStep::Rename, EIO, skip);
        EXPECT_THROW(set.commit(), FileWriteError);
        EXPECT_EQ(set.replacedCount(), std::size_t(skip));
        EXPECT_EQ(files.Replaced(), skip == 1 ? "a" : "ab");
        EXPECT_EQ(Entries(files.dir.path()), (std::vector<std::string>{"a", "b", "c"}));
    }
}

TEST(AtomicFileSet, AnAbandonedSetLeavesEveryTargetAsItWas) {
    ThreeFiles files;
    {
        AtomicFileSet set;
        for (const char* name : {"a", "b", "c", "d"}) {
            AtomicFile& file = set.add(files.dir / name);
            file.write(Bytes(9, 9));
            file.finish();
        }
    }
    EXPECT_EQ(files.Replaced(), "");
    EXPECT_EQ(Entries(files.dir.path()), (std::vector<std::string>{"a", "b", "c"}));
}

} // namespace
} // namespace murelo
