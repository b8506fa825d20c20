// File > Save through the one writer: each failing step gives the Save box and keeps the
// old file and the document's name and modified mark.
#include "FileTestSupport.h"
#include "core/app/PictureFiles.h"
#include "core/editor/LiveTemporaries.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace murelo {
namespace {

using test::Bytes;
using test::Entries;

Document EditedPicture() {
    Document doc;
    NewDocument(doc, 64, 48, 0x00FF00, true);
    doc.picture.setPixel(3, 4, 0x123456); // not a palette colour: saved at 24 bits
    doc.FileName = "/somewhere/old.bmp";
    doc.Modified = true;
    return doc;
}

TEST(SavePictureFaults, EveryFailingStepGivesTheSaveBoxAndKeepsTheOldFile) {
    for (FileStep step :
         {FileStep::Create, FileStep::Write, FileStep::Flush, FileStep::Sync, FileStep::Rename}) {
        SCOPED_TRACE(int(step));
        test::FaultsCleared cleared;
        test::TempDir dir;
        const std::string target = (dir / "pic.bmp").string();
        test::Write(target, Bytes(20, 7));
        Document doc = EditedPicture();
        InjectFileFault(step, ENOSPC);
        const FileReport report = WritePictureFile(doc, target, target);
        EXPECT_EQ(report.caption, "Save");
        EXPECT_EQ(report.text, "WriteError : " + target + " : No space left on device");
        EXPECT_TRUE(doc.Modified);
        EXPECT_EQ(doc.FileName, "/somewhere/old.bmp");
        EXPECT_EQ(test::Read(target), Bytes(20, 7));
        EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"pic.bmp"});
        EXPECT_EQ(LiveTemporaryCount(), 0u);
    }
}

TEST(SavePictureFaults, AFileOfAnotherOwnerKeepsItsOwner) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can write a file that stays another user's";
    test::TempDir dir;
    const std::string target = (dir / "theirs.bmp").string();
    test::Write(target, Bytes(20, 7));
    ASSERT_EQ(::chown(target.c_str(), 4321, 4322), 0);
    Document doc = EditedPicture();
    ASSERT_TRUE(WritePictureFile(doc, target, target).ok());
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 4321u);
    EXPECT_EQ(st.st_gid, 4322u);
    EXPECT_NE(test::Read(target), Bytes(20, 7));
}

} // namespace
} // namespace murelo
