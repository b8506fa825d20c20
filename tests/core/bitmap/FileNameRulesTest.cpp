// The naming rules of the save commands: extensions, the ".bmp" rule and the time stamps.
#include "core/editor/FileNameRules.h"

#include <gtest/gtest.h>

using namespace murelo;

TEST(CutExtension, CutsOnlyInTheFileNamePart) {
    EXPECT_EQ(CutExtension("picture.png"), "picture");
    EXPECT_EQ(CutExtension("archive.tar.gz"), "archive.tar");
    EXPECT_EQ(CutExtension("noext"), "noext");
    EXPECT_EQ(CutExtension("/home/v1.2/photo"), "/home/v1.2/photo");
    EXPECT_EQ(CutExtension("/home/v1.2/photo.bmp"), "/home/v1.2/photo");
    EXPECT_EQ(CutExtension("dir/trailing."), "dir/trailing");
}

TEST(CutExtension, ALeadingDotIsNoExtension) {
    EXPECT_EQ(CutExtension(".name"), ".name");
    EXPECT_EQ(CutExtension("/home/a.b/.name"), "/home/a.b/.name");
    EXPECT_EQ(CutExtension("/home/a.b/.name.png"), "/home/a.b/.name");
}

TEST(BitmapFileNameRule, ReplacesOtherExtensionsAndKeepsBmpInAnyCase) {
    EXPECT_EQ(BitmapFileName("picture.png"), "picture.bmp");
    EXPECT_EQ(BitmapFileName("/tmp/shots/picture.png"), "/tmp/shots/picture.bmp");
    EXPECT_EQ(BitmapFileName("PHOTO.BMP"), "PHOTO.BMP");
    EXPECT_EQ(BitmapFileName("photo.Bmp"), "photo.Bmp");
    EXPECT_EQ(BitmapFileName("photo.bmp"), "photo.bmp");
    EXPECT_EQ(BitmapFileName("photo.bmpx"), "photo.bmp");
    EXPECT_EQ(BitmapFileName("a.bmp.png"), "a.bmp.bmp");
    EXPECT_EQ(BitmapFileName("/tmp/v1.2/shot"), "/tmp/v1.2/shot.bmp");
    EXPECT_EQ(BitmapFileName(".name"), ".name.bmp");
}

TEST(StripTimeStampRule, RemovesAValidStamp) {
    std::string name = "girl_20140105_123000";
    EXPECT_TRUE(StripTimeStamp(name));
    EXPECT_EQ(name, "girl");
    name = "/my_pics/girl_19991231_235959";
    EXPECT_TRUE(StripTimeStamp(name));
    EXPECT_EQ(name, "/my_pics/girl");
    name = "a_b_00000101_000000"; // the year is not checked beyond being digits
    EXPECT_TRUE(StripTimeStamp(name));
    EXPECT_EQ(name, "a_b");
}

TEST(StripTimeStampRule, KeepsNamesWhoseStampIsOutOfRange) {
    for (const char* kept : {"girl_20141305_123000", // month 13
                             "girl_20140005_123000", // month 0
                             "girl_20140100_123000", // day 0
                             "girl_20140132_123000", // day 32
                             "girl_20140105_243000", // hour 24
                             "girl_20140105_126000", // minute 60
                             "girl_20140105_123060", // second 60
                             "girl_20140105_1230001", "girl_2014010_123000"}) {
        std::string name = kept;
        EXPECT_FALSE(StripTimeStamp(name)) << kept;
        EXPECT_EQ(name, kept);
    }
}

TEST(StripTimeStampRule, EveryNumberMustBeTwoDecimalDigits) {
    for (const char* kept :
         {"girl_2014 105_123000", "girl_2014+1+5_123000", "girl_201401 5_123000",
          "girl_20140105_12300x", "girl_abcd0105_123000", "girl_20140105-123000"}) {
        std::string name = kept;
        EXPECT_FALSE(StripTimeStamp(name)) << kept;
        EXPECT_EQ(name, kept);
    }
}

TEST(StripTimeStampRule, NeedsTwoUnderscoresNeitherAtTheStart) {
    for (const char* kept : {"20140105_123000", "_20140105_123000", "girl", ""}) {
        std::string name = kept;
        EXPECT_FALSE(StripTimeStamp(name)) << kept;
        EXPECT_EQ(name, kept);
    }
}

TEST(TimeStamp, FormatsFourDigitYearAndTwoDigitFields) {
    std::tm t{};
    t.tm_year = 2014 - 1900;
    t.tm_mon = 0;
    t.tm_mday = 5;
    t.tm_hour = 9;
    t.tm_min = 5;
    t.tm_sec = 7;
    EXPECT_EQ(FormatTimeStamp(t), "20140105_090507");
    t.tm_mon = 11;
    t.tm_mday = 31;
    t.tm_hour = 23;
    t.tm_min = 59;
    t.tm_sec = 59;
    EXPECT_EQ(FormatTimeStamp(t), "20141231_235959");
}

TEST(TimeStamp, CurrentStampIsOneTheStripperRecognises) {
    std::string name = "x_" + CurrentTimeStamp();
    EXPECT_EQ(name.size(), 17u);
    EXPECT_TRUE(StripTimeStamp(name));
    EXPECT_EQ(name, "x");
}

TEST(ConsecutiveName, ReplacesAnEarlierStampInsteadOfAddingOne) {
    EXPECT_EQ(ConsecutiveFileName("/p/girl_20140105_123000.bmp", "20260102_030405"),
              "/p/girl_20260102_030405.bmp");
    EXPECT_EQ(ConsecutiveFileName("/p/girl.bmp", "20260102_030405"), "/p/girl_20260102_030405.bmp");
    EXPECT_EQ(ConsecutiveFileName("/p/pic_20141305_123000.bmp", "20260102_030405"),
              "/p/pic_20141305_123000_20260102_030405.bmp");
    EXPECT_EQ(ConsecutiveFileName("/v1.2/shot", "20260102_030405"),
              "/v1.2/shot_20260102_030405.bmp");
}
