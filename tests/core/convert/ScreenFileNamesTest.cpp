// The names the screen-file writers derive and the converter window's save dialogs.
#include "core/convert/ScreenFileNames.h"
#include "core/convert/CompanionBitmaps.h"
#include "core/convert/ScreenExport.h"
#include "core/convert/ScreenFileDialogs.h"

#include <gtest/gtest.h>

using namespace murelo;

namespace {

struct NameCase {
    const char* name;
    const char* extension;
    const char* expected;
};

TEST(ScreenFileNames, ReplaceExtensionCutsOnlyInTheFileName) {
    const NameCase cases[] = {
        {"PIC.SC5", ".PAL", "PIC.PAL"},
        {"PIC", ".PAL", "PIC.PAL"},
        {"A.B.SC5", ".S15", "A.B.S15"},
        {"/home/u/my.dir/PIC", ".NAM", "/home/u/my.dir/PIC.NAM"},
        {"/home/u/my.dir/PIC.SC3", ".NAM", "/home/u/my.dir/PIC.NAM"},
        {".SC5", ".PAL", ".SC5.PAL"}, // a leading '.' is no extension
        {"d/.hidden", ".PAL", "d/.hidden.PAL"},
        {"pic.BMP", ".bmp", "pic.BMP"}, // the same extension in other letters stays
        {"pic.png", ".bmp", "pic.bmp"},
        {"pic.bmp", ".bmp", "pic.bmp"},
    };
    for (const NameCase& c : cases)
        EXPECT_EQ(ReplaceExtension(c.name, c.extension), c.expected) << c.name;
}

TEST(ScreenFileNames, UpperCaseTouchesOnlyTheFileName) {
    EXPECT_EQ(UpperCaseFileName("pic.sc5"), "PIC.SC5");
    EXPECT_EQ(UpperCaseFileName("/tmp/My.Dir/pic.sc5"), "/tmp/My.Dir/PIC.SC5");
    EXPECT_EQ(UpperCaseFileName("/tmp/dir/"), "/tmp/dir/");
}

TEST(ScreenFileNames, DefaultExtensionOnlyWhenNoneWasTyped) {
    EXPECT_EQ(WithDefaultExtension("pic", "SC5"), "pic.SC5");
    EXPECT_EQ(WithDefaultExtension("pic.sc5", "SC5"), "pic.sc5");
    EXPECT_EQ(WithDefaultExtension("pic.txt", "SC5"), "pic.txt");
    EXPECT_EQ(WithDefaultExtension("my.dir/pic", "S05"), "my.dir/pic.S05");
    EXPECT_EQ(WithDefaultExtension("my.dir/pic", ""), "my.dir/pic");
}

TEST(ScreenFileNames, ExportNamesAsTheDialogsGiveThem) {
    EXPECT_EQ(ExportFileName(ScreenFileKind::Screen5, "d/pic.sc5"), "d/PIC.SC5");
    EXPECT_EQ(ExportFileName(ScreenFileKind::Screen5Interlaced, "my.dir/pic"), "my.dir/PIC.S05");
    EXPECT_EQ(ExportFileName(ScreenFileKind::Screen12, "x/pic"), "x/PIC.S12");
    EXPECT_EQ(ExportFileName(ScreenFileKind::Screen3, "pic"), "PIC.SC3");
    // The planes and the PC-6x01 bitmap keep their letters.
    EXPECT_EQ(ExportFileName(ScreenFileKind::ColorPlanes, "my.dir/picture"), "my.dir/picture");
    EXPECT_EQ(ExportFileName(ScreenFileKind::Pc6001Bitmap, "d/pic"), "d/pic.bmp");
}

TEST(ScreenFileNames, ElevenSaveDialogsAndTheBitmapDialog) {
    struct DialogCase {
        ScreenDialog dialog;
        const char* objectName;
        const char* filter;
        const char* extension;
    };
    const DialogCase cases[] = {
        {ScreenDialog::SaveDialog4, "SaveDialog4", "SCREEN 5 IMAGE (*.SC5)|*.SC5", "SC5"},
        {ScreenDialog::SaveDialog11, "SaveDialog11", "Interlace SCREEN 5 IMAGE (*.S05)|*.S05",
         "S05"},
        {ScreenDialog::SaveDialog6, "SaveDialog6", "SCREEN 6 IMAGE (*.SC6)|*.SC6", "SC6"},
        {ScreenDialog::SaveDialog9, "SaveDialog9", "Interlace SCREEN 6 IMAGE (*.S06)|*.S06", "S06"},
        {ScreenDialog::SaveDialog3, "SaveDialog3", "SCREEN 7 IMAGE (*.SC7)|*.SC7", "SC7"},
        {ScreenDialog::SaveDialog8, "SaveDialog8", "Interlace SCREEN 7 IMAGE (*.S07)|*.S07", "S07"},
        {ScreenDialog::SaveDialog2, "SaveDialog2", "SCREEN 8 IMAGE (*.SC8)|*.SC8", "SC8"},
        {ScreenDialog::SaveDialog7, "SaveDialog7",
         "SCREEN 10 IMAGE (*.S10)|*.S10|SCREEN 10 IMAGE (*.SCA)|*.SCA", "S10"},
        {ScreenDialog::SaveDialog1, "SaveDialog1",
         "SCREEN 12 IMAGE (*.S12)|*.S12|SCREEN 12 IMAGE (*.SCC)|*.SCC", "S12"},
        {ScreenDialog::SaveDialog5, "SaveDialog5", "SCREEN 3 IMAGE (*.SC3)|*.SC3", "SC3"},
        {ScreenDialog::SaveDialog10, "SaveDialog10", "Color Plane Data|*.R;*.G;*.B", ""},
        {ScreenDialog::SavePictureDialog1, "SavePictureDialog1", "BITMAP IMAGE (*.bmp)|*.bmp",
         "bmp"},
    };
    for (const DialogCase& c : cases) {
        const ScreenDialogInfo& info = DialogInfo(c.dialog);
        EXPECT_EQ(info.objectName, c.objectName);
        EXPECT_EQ(FilterText(info), c.filter) << c.objectName;
        EXPECT_EQ(info.defaultExtension, c.extension) << c.objectName;
    }
    EXPECT_EQ(NameFilter(DialogInfo(ScreenDialog::SaveDialog10).filters[0]),
              "Color Plane Data (*.R *.G *.B)");
    EXPECT_EQ(NameFilter(DialogInfo(ScreenDialog::SaveDialog7).filters[1]),
              "SCREEN 10 IMAGE (*.SCA)");
}

TEST(ScreenFileNames, SaveProposesTheRememberedNameOrThePicturesWithTheSuffix) {
    ConverterFileNames names;
    EXPECT_EQ(ProposedSaveName(names, CompanionKind::Sc7, "/p/my.dir/girl.bmp"),
              "/p/my.dir/girl_SC7.bmp");
    EXPECT_EQ(ProposedSaveName(names, CompanionKind::S12, ""), "_S12.bmp");
    const std::string longName(3000, 'a'); // no limit on a remembered name
    names[CompanionKind::Sc7] = longName;
    EXPECT_EQ(ProposedSaveName(names, CompanionKind::Sc7, "girl.bmp"), longName);
    EXPECT_EQ(ProposedSaveName(names, CompanionKind::Sc8, "girl.bmp"), "girl_SC8.bmp");
    names.forget();
    EXPECT_EQ(ProposedSaveName(names, CompanionKind::Sc7, "girl.bmp"), "girl_SC7.bmp");
    EXPECT_EQ(SaveFileName("pic.png"), "pic.bmp");
    EXPECT_EQ(SaveFileName("pic.bmp"), "pic.bmp");
    EXPECT_EQ(SaveFileName("pic.BMP"), "pic.BMP");
}

TEST(ScreenFileNames, Pc6001ProposesThePicturesNameOnlyUntilItIsRemembered) {
    ConverterFileNames names;
    EXPECT_EQ(ProposedPc6001Name(names, "d/girl.bmp", "old.bmp"), "d/girl_P6.bmp");
    EXPECT_EQ(names[CompanionKind::P6], "d/girl_P6.bmp");
    EXPECT_EQ(ProposedPc6001Name(names, "d/girl.bmp", "chosen.bmp"), "chosen.bmp");
    names.forget();
    EXPECT_EQ(ProposedPc6001Name(names, "other.bmp", "chosen.bmp"), "other_P6.bmp");
}

} // namespace
