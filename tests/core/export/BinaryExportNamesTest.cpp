#include "core/export/BinaryExport.h"
#include "core/export/ExportNames.h"

#include <gtest/gtest.h>

namespace murelo {
namespace {

using std::filesystem::path;

TEST(BinaryExportNames, OnlyTheFileNamePartIsUpperCased) {
    EXPECT_EQ(UpperCaseFileName("/home/ann/My.Pictures/pic.bin"),
              path("/home/ann/My.Pictures/PIC.BIN"));
    EXPECT_EQ(UpperCaseFileName("title"), path("TITLE"));
    EXPECT_EQ(UpperCaseFileName("a/b/Ünï-x"), path("a/b/ÜNï-X")); // only ASCII letters change
    EXPECT_EQ(BinaryExportBase("out/game.bin"), path("out/GAME.BIN"));
}

TEST(BinaryExportNames, BaseNeedsAFileName) {
    EXPECT_THROW(BinaryExportBase("out/"), std::invalid_argument);
    EXPECT_THROW(BinaryExportBase(""), std::invalid_argument);
}

TEST(BinaryExportNames, SuffixesKeepTheOwnExtension) {
    EXPECT_EQ(WithSuffix("dir/PIC.BIN", ".GEN"), path("dir/PIC.BIN.GEN"));
    EXPECT_EQ(WithSuffix("dir/PIC", ".NM0"), path("dir/PIC.NM0"));
}

TEST(BinaryExportNames, ExtensionsAreFoundInTheFileNameOnly) {
    EXPECT_EQ(FileExtension("/x/my.dir/name"), "");
    EXPECT_EQ(FileExtension("/x/my.dir/name.tar.gz"), ".gz");
    EXPECT_EQ(FileExtension(".profile"), "");
    EXPECT_EQ(FileExtension("/x/.profile"), "");
    EXPECT_EQ(FileExtension("GAME.CAS"), ".CAS");
    EXPECT_EQ(CutExtension("/x/my.dir/name"), path("/x/my.dir/name"));
    EXPECT_EQ(CutExtension("/x/my.dir/name.wav"), path("/x/my.dir/name"));
    EXPECT_EQ(CutExtension("/x/.profile"), path("/x/.profile"));
}

TEST(BinaryExportNames, ExtensionEqualApartFromCaseIsKept) {
    EXPECT_EQ(WithExtension("/x/GAME.CAS", ".cas"), path("/x/GAME.CAS"));
    EXPECT_EQ(WithExtension("/x/game.Cas", ".cas"), path("/x/game.Cas"));
    EXPECT_EQ(WithExtension("/x/game.wav", ".cas"), path("/x/game.cas"));
    EXPECT_EQ(WithExtension("/x/my.dir/game", ".cas"), path("/x/my.dir/game.cas"));
    EXPECT_EQ(WithExtension("/x/.hidden", ".wav"), path("/x/.hidden.wav"));
    EXPECT_EQ(WithExtension("/x/game.cass", ".cas"), path("/x/game.cas"));
}

} // namespace
} // namespace murelo
