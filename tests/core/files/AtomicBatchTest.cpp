#include "core/editor/AtomicBatch.h"
#include "FileTestSupport.h"
#include "core/editor/LiveTemporaries.h"

#include <gtest/gtest.h>

namespace murelo {
namespace {

namespace fs = std::filesystem;
using test::Bytes;
using test::Entries;
using test::Read;

// A batch's targets stay as they were until the commit, then all change at once; a file that
// cannot be written costs only itself.
TEST(AtomicBatch, TargetsChangeOnlyAtTheCommitAndAFailedFileCostsOnlyItself) {
    test::TempDir dir;
    test::Write(dir / "old.bin", {1, 2, 3});
    fs::create_directory(dir / "folder.bin"); // a folder where a file would go
    const std::size_t live = LiveTemporaryCount();
    AtomicBatch batch;
    batch.write(dir / "new.bin", Bytes{7, 8});
    batch.write(dir / "old.bin", Bytes{9});
    EXPECT_THROW(batch.write(dir / "folder.bin", Bytes{4}), FileWriteError);
    EXPECT_THROW(batch.write(dir / "missing" / "x.bin", Bytes{5}), FileWriteError);
    EXPECT_EQ(batch.size(), 2u);
    // Before the commit: the old file as it was, the new one only under its temporary name.
    EXPECT_EQ(Read(dir / "old.bin"), (Bytes{1, 2, 3}));
    EXPECT_FALSE(fs::exists(dir / "new.bin"));
    EXPECT_EQ(LiveTemporaryCount(), live + 2);

    EXPECT_TRUE(batch.commit().empty());
    EXPECT_EQ(Read(dir / "new.bin"), (Bytes{7, 8}));
    EXPECT_EQ(Read(dir / "old.bin"), (Bytes{9}));
    EXPECT_EQ(Entries(dir.path()), (std::vector<std::string>{"folder.bin", "new.bin", "old.bin"}))
        << "no temporary stays behind";
    EXPECT_EQ(LiveTemporaryCount(), live);
}

TEST(AtomicBatch, AnAbandonedBatchChangesNoTargetAndLeavesNothing) {
    test::TempDir dir;
    test::Write(dir / "kept.bin", {1});
    {
        AtomicBatch batch;
        batch.write(dir / "kept.bin", Bytes{2});
        batch.write(dir / "other.bin", Bytes{3});
    } // dropped without a commit
    EXPECT_EQ(Read(dir / "kept.bin"), (Bytes{1}));
    EXPECT_EQ(Entries(dir.path()), (std::vector<std::string>{"kept.bin"}));
}

TEST(AtomicBatch, ARenameThatFailsAtTheCommitIsReportedAndTheOthersStand) {
    test::TempDir dir;
    AtomicBatch batch;
    batch.write(dir / "a.bin", Bytes{1});
    batch.write(dir / "b.bin", Bytes{2});
    // Between the write and the commit a folder takes b.bin's name.
    fs::create_directory(dir / "b.bin");
    fs::create_directory(dir / "b.bin" / "inside");
    const std::vector<FileWriteError> failures = batch.commit();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].file, dir / "b.bin");
    EXPECT_EQ(Read(dir / "a.bin"), (Bytes{1}));
    EXPECT_TRUE(fs::is_directory(dir / "b.bin"));
}

} // namespace
} // namespace murelo
