#include "core/export/TapeName.h"

#include <gtest/gtest.h>

#include <string>

namespace murelo {
namespace {

std::string AsText(const TapeFileName& name) {
    return std::string(name.begin(), name.end());
}

TEST(TapeName, TypedNameIsPaddedWithSpaces) {
    const TapeFileName name = TapeName("AB", "/tmp/out/GAME.CAS");
    EXPECT_EQ(name, (TapeFileName{0x41, 0x42, 0x20, 0x20, 0x20, 0x20}));
}

TEST(TapeName, TypedNameIsCutToSixCharacters) {
    EXPECT_EQ(AsText(TapeName("ABCDEFGH", "/x/y.cas")), "ABCDEF");
    EXPECT_EQ(AsText(TapeName("ab cd!", "/x/y.cas")), "ab cd!");
}

TEST(TapeName, EmptyNameTakesTheFileNameWithoutExtension) {
    EXPECT_EQ(AsText(TapeName("", "/home/user/pictures/Castle.cas")), "Castle");
    EXPECT_EQ(AsText(TapeName("", "/home/user/pictures/Landscape.wav")), "Landsc");
    EXPECT_EQ(AsText(TapeName("", "/home/user/pic.tar.cas")), "pic.ta");
    EXPECT_EQ(AsText(TapeName("", "relative.cas")), "relati");
}

TEST(TapeName, DotsInFoldersAreNoExtension) {
    EXPECT_EQ(AsText(TapeName("", "/home/my.files/sky")), "sky   ");
    EXPECT_EQ(AsText(TapeName("", "/home/my.files/")), "      ");
}

TEST(TapeName, OtherCharactersBecomeUnderscores) {
    EXPECT_EQ(AsText(TapeName("A\tB", "/x.cas")), "A_B   ");
    // Two- and three-byte UTF-8 characters count as one character each.
    EXPECT_EQ(AsText(TapeName("\xC3\xA9t\xE2\x82\xAC", "/x.cas")), "_t_   ");
    EXPECT_EQ(
        AsText(TapeName("", "/pics/\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9.cas")),
        "______");
    EXPECT_EQ(AsText(TapeName("\x7F\x80Z", "/x.cas")), "__Z   ");
}

} // namespace
} // namespace murelo
