// Open and save on the document: the editor's messages, what a load sets, and that every
// failure leaves the document and the files on disk as they were.
#include "core/app/PictureFiles.h"
#include "BitmapTestFiles.h"
#include "core/editor/BitmapCodec.h"
#include "core/editor/FileNameRules.h"
#include "core/editor/IndexedCopy.h"
#include "core/editor/PngEncode.h"
#include "core/palette/Palettes.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace murelo;
using namespace murelo::test;
namespace fs = std::filesystem;

namespace {

void Write(const fs::path& file, const std::vector<std::uint8_t>& bytes) {
    WriteBytes(file, std::vector<unsigned char>(bytes.begin(), bytes.end()));
}

// A document in a state a failed operation must not disturb.
Document EditedDocument() {
    Document doc;
    NewDocument(doc, 32, 16, 0x00FF00, true);
    doc.picture.setPixel(3, 4, 0x123456);
    doc.FileName = "/somewhere/old.bmp";
    doc.Modified = true;
    doc.PaletteKind = static_cast<PaletteKindId>(3);
    doc.EditMode = EditModeId::Pc6001;
    doc.SaveDepth = PixelFormat::Bits8;
    doc.ErrorsShown = true;
    return doc;
}

void ExpectSameDocument(const Document& a, const Document& b) {
    EXPECT_EQ(a.picture, b.picture);
    EXPECT_EQ(a.errorOverlay, b.errorOverlay);
    EXPECT_EQ(a.scratch, b.scratch);
    EXPECT_EQ(a.quickSlot, b.quickSlot);
    EXPECT_EQ(a.PictureWidth, b.PictureWidth);
    EXPECT_EQ(a.PictureHeight, b.PictureHeight);
    EXPECT_EQ(a.FileName, b.FileName);
    EXPECT_EQ(a.ConsecutiveName, b.ConsecutiveName);
    EXPECT_EQ(a.Modified, b.Modified);
    EXPECT_EQ(a.PaletteKind, b.PaletteKind);
    EXPECT_EQ(a.EditMode, b.EditMode);
    EXPECT_EQ(a.SaveDepth, b.SaveDepth);
    EXPECT_EQ(a.ErrorsShown, b.ErrorsShown);
}

// A 4-bit file of TMS9918 colours, 6 x 3, index (x + 2y) % 16.
std::vector<std::uint8_t> TmsFile4() {
    Picture p(6, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x)
            p.setPixel(x, y, PaletteColor(KindTms9918, (x + 2 * y) % 16));
    return EncodeIndexedBitmap(*BuildIndexedCopy(p, KindTms9918, 2), 4);
}

FileReport Load(Document& doc, const fs::path& file) {
    return LoadPictureFile(doc, file.string());
}

} // namespace

TEST(OpenPicture, LargestPictureOpensAndSetsTheDocument) {
    TempDir dir;
    Write(dir / "big.bmp", EncodeBitmap24(Picture(640, 640, 0xFFFFFF)));
    Document doc = EditedDocument();
    const FileReport r = Load(doc, dir / "big.bmp");
    ASSERT_TRUE(r.ok()) << r.text;
    EXPECT_EQ(doc.PictureWidth, 640);
    EXPECT_EQ(doc.PictureHeight, 640);
    EXPECT_EQ(doc.picture, Picture(640, 640, 0xFFFFFF));
    EXPECT_EQ(doc.errorOverlay, Picture(640, 640, 0x202020));
    EXPECT_EQ(doc.scratch, Picture(640, 640, 0x202020));
    EXPECT_EQ(doc.FileName, (dir / "big.bmp").string());
    EXPECT_FALSE(doc.Modified);
    EXPECT_FALSE(doc.ErrorsShown);
    EXPECT_EQ(KindNumber(doc.PaletteKind), KindTms9918); // white is entry 15 of the first kind
    EXPECT_EQ(doc.EditMode, EditModeId::Tms99x8);
    EXPECT_EQ(doc.SaveDepth, PixelFormat::Bits24);
    EXPECT_EQ(doc.quickSlot, EditedDocument().quickSlot); // the quick slot survives loads
}

TEST(OpenPicture, OversizedAndTopDownFilesGetTheSizeMessage) {
    TempDir dir;
    Write(dir / "wide.bmp", BitmapBytes::Info(641, 10, 24).zeros(1924 * 10).data());
    Write(dir / "down.bmp", BitmapBytes::Info(8, -8, 24).zeros(24 * 8).data());
    Document doc = EditedDocument();
    FileReport r = Load(doc, dir / "wide.bmp");
    EXPECT_EQ(r.caption, "Open Error");
    EXPECT_EQ(r.text,
              "The Image of 640 pixels or more can't be read!\n  ->Image Size : ( 641, 10 )");
    ExpectSameDocument(doc, EditedDocument());
    r = Load(doc, dir / "down.bmp");
    EXPECT_EQ(r.caption, "Open Error");
    EXPECT_EQ(r.text, "The Image of 640 pixels or more can't be read!\n  ->Image Size : ( 8, -8 )");
    ExpectSameDocument(doc, EditedDocument());
}

TEST(OpenPicture, ShortAndForeignFilesAreNotBmp) {
    TempDir dir;
    Write(dir / "short.bmp", {'B', 'M', 0, 0, 0, 0});
    Write(dir / "text.bmp", {'h', 'e', 'l', 'l', 'o'});
    Document doc = EditedDocument();
    for (const char* name : {"short.bmp", "text.bmp"}) {
        const FileReport r = Load(doc, dir / name);
        EXPECT_EQ(r.caption, "Open Error") << name;
        EXPECT_EQ(r.text, "Not BMP File!") << name;
        ExpectSameDocument(doc, EditedDocument());
    }
}

// The file's bytes decide its kind: a PNG named .bmp is read as a PNG, and a damaged one is a
// read error of the PNG reader, not a bitmap refusal.
TEST(OpenPicture, APngNamedBmpIsReadAsAPng) {
    TempDir dir;
    Write(dir / "photo.bmp",
          {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D',
           'R',  0,   0,   0,   1,    0,    0,    0,    1, 8, 2, 0,  0,   0,   0x90});
    Document doc = EditedDocument();
    FileReport r = Load(doc, dir / "photo.bmp");
    EXPECT_EQ(r.caption, "Open");
    EXPECT_EQ(r.text.rfind("ReadError : PNG: ", 0), 0u) << r.text;
    ExpectSameDocument(doc, EditedDocument());
    Picture p(3, 2, PaletteColor(KindTms9918, 9));
    Write(dir / "photo.bmp", EncodePng(p, KindTms9918));
    r = Load(doc, dir / "photo.bmp");
    ASSERT_TRUE(r.ok()) << r.text;
    EXPECT_EQ(doc.picture, p);
    EXPECT_EQ(doc.SaveDepth, PixelFormat::Bits8);
}

TEST(OpenPicture, FoldersPipesAndMissingFilesAreReadErrors) {
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "pipe.bmp").c_str(), 0600), 0);
    fs::create_directory(dir / "folder.bmp");
    Document doc = EditedDocument();
    for (const char* name : {"folder.bmp", "pipe.bmp", "missing.bmp"}) {
        const FileReport r = Load(doc, dir / name);
        EXPECT_EQ(r.caption, "Open") << name;
        EXPECT_EQ(r.text.rfind("ReadError : ", 0), 0u) << r.text;
        EXPECT_NE(r.text.find(name), std::string::npos) << r.text;
        ExpectSameDocument(doc, EditedDocument());
    }
}

TEST(OpenPicture, DecodingFailuresAreReadErrorsAndChangeNothing) {
    TempDir dir;
    Write(dir / "empty.bmp", BitmapBytes::Info(0, 10, 24).zeros(16).data());
    std::vector<std::uint8_t> cut = EncodeBitmap24(Picture(20, 20));
    cut.resize(cut.size() / 2);
    Write(dir / "cut.bmp", cut);
    Document doc = EditedDocument();
    for (const char* name : {"empty.bmp", "cut.bmp"}) {
        const FileReport r = Load(doc, dir / name);
        EXPECT_EQ(r.caption, "Open") << name;
        EXPECT_EQ(r.text.rfind("ReadError : ", 0), 0u) << r.text;
        EXPECT_GT(r.text.size(), 12u) << "the reason is missing";
        ExpectSameDocument(doc, EditedDocument());
    }
}

TEST(OpenPicture, FourBitTmsFileSavesBackAtFourBitsWithThePaletteInOrder) {
    TempDir dir;
    Write(dir / "tms.bmp", TmsFile4());
    Document doc = EditedDocument();
    ASSERT_TRUE(Load(doc, dir / "tms.bmp").ok());
    EXPECT_EQ(doc.SaveDepth, PixelFormat::Bits4);
    EXPECT_EQ(KindNumber(doc.PaletteKind), KindTms9918);
    const Picture loaded = doc.picture;

    const std::string target = BitmapFileName(doc.FileName);
    EXPECT_EQ(target, doc.FileName);
    doc.Modified = true;
    ASSERT_TRUE(WritePictureFile(doc, target, target).ok());
    EXPECT_FALSE(doc.Modified);
    const std::vector<unsigned char> saved = ReadBytes(dir / "tms.bmp");
    EXPECT_EQ(saved[28], 4);
    const std::uint32_t tms9918[16] = {0x202020, 0x000000, 0x46B73E, 0x7CCF6C, 0x625BA8, 0x7F70FF,
                                       0xB66148, 0x5BC7EF, 0xD96A48, 0xFC8E6C, 0xC2CE41, 0xD3DA74,
                                       0x3CA02F, 0xB763C6, 0xCCCCCC, 0xFFFFFF};
    for (int i = 0; i < 16; ++i) {
        const std::size_t at = 54 + 4 * i;
        EXPECT_EQ(std::uint32_t(saved[at + 2] << 16 | saved[at + 1] << 8 | saved[at]), tms9918[i])
            << i;
    }
    Document again;
    ASSERT_TRUE(Load(again, dir / "tms.bmp").ok());
    EXPECT_EQ(again.picture, loaded);
}

TEST(OpenPicture, ColoursOutsideThePaletteSaveAtTwentyFourBits) {
    TempDir dir;
    Picture p(4, 4, FromRrggbb(0x7CCF6C));
    p.setPixel(2, 2, FromRrggbb(0x7CCF6D)); // in no palette
    std::vector<std::uint8_t> file = EncodeBitmap24(p);
    Write(dir / "odd.bmp", file);
    Document doc;
    ASSERT_TRUE(Load(doc, dir / "odd.bmp").ok());
    EXPECT_EQ(doc.SaveDepth, PixelFormat::Bits24);
    doc.SaveDepth = PixelFormat::Bits4; // as if chosen in the depth dialog
    ASSERT_TRUE(WritePictureFile(doc, (dir / "out.bmp").string(), doc.FileName).ok());
    EXPECT_EQ(ReadBytes(dir / "out.bmp")[28], 24);
}

TEST(OpenPicture, DetectedPaletteChoosesTheEditMode) {
    TempDir dir;
    Picture pc88(2, 1, FromRrggbb(0x0000FF)); // pure blue and red: only the PC-8801 set
    pc88.setPixel(1, 0, FromRrggbb(0xFF0000));
    Write(dir / "pc88.bmp", EncodeBitmap24(pc88));
    Picture pc6001(2, 1, FromRrggbb(0xAD00FF)); // a "Color 15" colour
    Write(dir / "pc6001.bmp", EncodeBitmap24(pc6001));
    Document doc;
    ASSERT_TRUE(Load(doc, dir / "pc88.bmp").ok());
    EXPECT_EQ(KindNumber(doc.PaletteKind), KindPc8801);
    EXPECT_EQ(doc.EditMode, EditModeId::Pc8801Tall);
    ASSERT_TRUE(Load(doc, dir / "pc6001.bmp").ok());
    EXPECT_EQ(KindNumber(doc.PaletteKind), KindColor15);
    EXPECT_EQ(doc.EditMode, EditModeId::Pc6001);
}

TEST(SavePicture, SaveAsOfAPngNameWritesTheBmpName) {
    TempDir dir;
    Document doc;
    NewDocument(doc, 8, 8, 0xFFFFFF, true);
    doc.Modified = true;
    const std::string target = BitmapFileName((dir / "picture.png").string());
    ASSERT_TRUE(WritePictureFile(doc, target, target).ok());
    EXPECT_TRUE(fs::exists(dir / "picture.bmp"));
    EXPECT_FALSE(fs::exists(dir / "picture.png"));
    EXPECT_EQ(doc.FileName, (dir / "picture.bmp").string());
    EXPECT_FALSE(doc.Modified);
    EXPECT_EQ(WindowTitle(doc), "Murelo 9918 ver.1.20 : " + (dir / "picture.bmp").string());
}

TEST(SavePicture, ConsecutiveSaveWritesOneStampAndKeepsTheOpenedName) {
    TempDir dir;
    Write(dir / "girl_20140105_123000.bmp", TmsFile4());
    Document doc;
    ASSERT_TRUE(Load(doc, dir / "girl_20140105_123000.bmp").ok());
    const std::string opened = doc.FileName;
    ASSERT_TRUE(SaveConsecutive(doc, opened, "20260102_030405").ok());
    EXPECT_TRUE(fs::exists(dir / "girl_20260102_030405.bmp"));
    EXPECT_EQ(doc.ConsecutiveName, (dir / "girl_20260102_030405.bmp").string());
    EXPECT_EQ(doc.FileName, opened);
    ASSERT_TRUE(SaveConsecutive(doc, opened, "20260102_030406").ok());
    EXPECT_TRUE(fs::exists(dir / "girl_20260102_030406.bmp"));
    // Month 13 is no stamp: the name keeps it and gets a real one behind.
    Write(dir / "pic_20141305_123000.bmp", TmsFile4());
    ASSERT_TRUE(Load(doc, dir / "pic_20141305_123000.bmp").ok());
    ASSERT_TRUE(SaveConsecutive(doc, doc.FileName, "20260102_030405").ok());
    EXPECT_TRUE(fs::exists(dir / "pic_20141305_123000_20260102_030405.bmp"));
}

TEST(SavePicture, FailingSaveReportsTheReasonAndChangesNothing) {
    TempDir dir;
    fs::create_directory(dir / "taken.bmp");
    Document doc = EditedDocument();
    for (const fs::path& target : {dir / "taken.bmp", dir / "no-such-folder" / "x.bmp",
                                   dir / (std::string(300, 'n') + ".bmp")}) {
        const FileReport r = WritePictureFile(doc, target.string(), target.string());
        EXPECT_EQ(r.caption, "Save");
        EXPECT_NE(r.text.find(target.string()), std::string::npos) << r.text;
        EXPECT_GT(r.text.size(), target.string().size() + 16) << "no reason given: " << r.text;
        ExpectSameDocument(doc, EditedDocument());
    }
    EXPECT_TRUE(fs::is_directory(dir / "taken.bmp"));
    EXPECT_TRUE(fs::is_empty(dir / "taken.bmp"));
    // Only the directory: no temporary file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(SavePicture, InterruptedWriteLeavesTheOldFileIntact) {
    TempDir dir;
    const std::vector<std::uint8_t> old = TmsFile4();
    Write(dir / "keep.bmp", old);
    Document doc = EditedDocument();
    doc.picture = Picture(200, 200, 0x123456); // 120 KB at 24 bits
    // A file size limit makes the write fail part-way, as a full disk would.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved;
    limit.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    const std::string target = (dir / "keep.bmp").string();
    const FileReport r = WritePictureFile(doc, target, target);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.caption, "Save");
    EXPECT_TRUE(doc.Modified);
    EXPECT_EQ(doc.FileName, "/somewhere/old.bmp");
    const std::vector<unsigned char> now = ReadBytes(dir / "keep.bmp");
    EXPECT_EQ(std::vector<std::uint8_t>(now.begin(), now.end()), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(SavePicture, ReplacingAFileKeepsItsPermissions) {
    TempDir dir;
    const fs::path file = dir / "shared.bmp";
    Write(file, TmsFile4());
    fs::permissions(file, fs::perms(0640));
    Document doc;
    NewDocument(doc, 8, 8, 0xFFFFFF, true); // a new picture saves at 4 bits
    ASSERT_TRUE(WritePictureFile(doc, file.string(), file.string()).ok());
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, fs::perms(0640));
    const std::vector<unsigned char> written = ReadBytes(file);
    EXPECT_EQ(written[28], 4);
    EXPECT_EQ(written[18], 8); // the new picture's width, not the old file's 6
}
