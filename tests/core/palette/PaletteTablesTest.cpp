// The palette entries are part of every stored picture's format; the expected rows are
// written out here as RRGGBB text, independently of the production table.
#include "core/palette/Palettes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

using namespace murelo;

namespace {

const char* ExpectedRows[PaletteKindCount] = {
    "202020 000000 46B73E 7CCF6C 625BA8 7F70FF B66148 5BC7EF D96A48 FC8E6C C2CE41 D3DA74 3CA02F "
    "B763C6 CCCCCC FFFFFF",
    "202020 000000 3FB84A 75CF7E 5955DE 8077F0 B85E51 66DBEF DA665A FE8A7E CCC360 DED088 3BA141 "
    "B667B5 CCCCCC FFFFFF",
    "202020 000000 48B151 75C47C 5E5AD3 8078E0 BB5863 5AC1D2 CB6873 E08590 BDB655 CAC463 419C47 "
    "B06AAF B4B4B4 FFFFFF",
    "202020 000000 20C840 58D878 5050E8 7870F7 D05048 40E8F0 F75050 F77878 D0C050 E0C880 20B038 "
    "C858B8 C8C8C8 FFFFFF",
    "202020 010101 00BB00 01FF01 000051 0101FF 510000 01FFFF BB0000 FF0101 515100 FFFF01 005100 "
    "FF01FF 515151 FFFFFF",
    "202020 000000 24DB24 6DFF6D 2424FF 496DFF B62424 49DBFF FF2424 FF6D6D DBDB24 DBDB92 249224 "
    "DB49B6 B6B6B6 FFFFFF",
    "000000 0000FF FF0000 FF00FF 00FF00 00FFFF FFFF00 FFFFFF 080808 080808 080808 080808 080808 "
    "080808 080808 080808",
    "202020 AD00FF FFAD00 FF00AD 00FFAD 00ADFF ADFF00 ADADAD 000000 0000FF FF0000 FF00FF 00FF00 "
    "00FFFF FFFF00 FFFFFF",
    "00FF00 FFFF00 0000FF FF0000 FFFFFF 00FFFF FF00FF FFAD00 080808 080808 080808 080808 080808 "
    "080808 080808 080808",
    "000000 0000FF FF0000 FF00FF 080808 080808 080808 080808 080808 080808 080808 080808 080808 "
    "080808 080808 080808",
    "00FF00 00FFFF FFFF00 FFFFFF 080808 080808 080808 080808 080808 080808 080808 080808 080808 "
    "080808 080808 080808",
    "000000 AD00FF FFAD00 FF00AD 080808 080808 080808 080808 080808 080808 080808 080808 080808 "
    "080808 080808 080808",
    "00FFAD 00ADFF ADFF00 ADADAD 080808 080808 080808 080808 080808 080808 080808 080808 080808 "
    "080808 080808 080808",
    "00FF00 FFFF00 0000FF FF0000 080808 080808 080808 080808 080808 080808 080808 080808 080808 "
    "080808 080808 080808",
    "FFFFFF 00FFFF FF00FF FFAD00 080808 080808 080808 080808 080808 080808 080808 080808 080808 "
    "080808 080808 080808",
};

// The colour value is 0x00BBGGRR: the text's first pair is the low byte.
ColorValue FromText(const std::string& rrggbb) {
    const unsigned v = std::stoul(rrggbb, nullptr, 16);
    return static_cast<ColorValue>(((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF));
}

std::vector<std::string> Split(const char* row) {
    std::istringstream in(row);
    std::vector<std::string> out;
    for (std::string w; in >> w;)
        out.push_back(w);
    return out;
}

} // namespace

TEST(PaletteTables, EveryEntryMatchesTheReferenceRows) {
    for (int kind = 0; kind < PaletteKindCount; ++kind) {
        const auto words = Split(ExpectedRows[kind]);
        ASSERT_EQ(words.size(), 16u);
        for (int i = 0; i < 16; ++i)
            EXPECT_EQ(PaletteColor(kind, i), FromText(words[i]))
                << "kind " << kind << " index " << i;
    }
}

TEST(PaletteTables, ColourValuesKeepRedInTheLowByte) {
    EXPECT_EQ(PaletteColor(KindTms9918, 2), 0x3EB746); // 46B73E
    EXPECT_EQ(PaletteColor(KindPc8801, 1), 0xFF0000);  // blue 0000FF
}

TEST(PaletteLookup, TransparentGreyIsIndexZeroOnlyInSixteenColourKinds) {
    const ColorValue grey = FromText("202020");
    for (int kind : {0, 1, 2, 3, 4, 5, 7}) {
        EXPECT_EQ(PaletteIndexOf(grey, kind), 0);
        EXPECT_TRUE(IsUsableColor(grey, kind));
    }
    for (int kind : {6, 8, 9, 10, 11, 12, 13, 14})
        EXPECT_EQ(PaletteIndexOf(grey, kind), -1) << kind;
}

TEST(PaletteLookup, FillerFindsFirstFillerIndexButIsNeverUsable) {
    const ColorValue filler = FromText("080808");
    EXPECT_EQ(PaletteIndexOf(filler, 6), 8);
    EXPECT_EQ(PaletteIndexOf(filler, 8), 8);
    for (int kind = 9; kind <= 14; ++kind)
        EXPECT_EQ(PaletteIndexOf(filler, kind), 4) << kind;
    for (int kind = 6; kind <= 14; ++kind)
        EXPECT_FALSE(IsUsableColor(filler, kind)) << kind;
}

TEST(PaletteLookup, UnknownColoursAndNoColourFindNothing) {
    EXPECT_EQ(PaletteIndexOf(0x123456, 0), -1);
    EXPECT_EQ(PaletteIndexOf(NoColor, 0), -1);
    EXPECT_FALSE(IsUsableColor(NoColor, 9));
}

TEST(PaletteRanges, WhiteAndIndexRanges) {
    for (int kind = 0; kind < PaletteKindCount; ++kind) {
        const bool noWhite = kind == 9 || kind == 11 || kind == 12 || kind == 13;
        EXPECT_EQ(PaletteRange(kind).hasWhite, !noWhite) << kind;
        EXPECT_EQ(PaletteRange(kind).first, 0);
    }
    EXPECT_EQ(PaletteRange(6).last, 7);
    EXPECT_EQ(PaletteRange(8).last, 7);
    EXPECT_EQ(PaletteRange(9).last, 3);
    EXPECT_EQ(PaletteRange(7).last, 15);
    EXPECT_EQ(ConversionRange(0).first, 1);
    EXPECT_EQ(ConversionRange(7).first, 1);
    EXPECT_EQ(ConversionRange(6).first, 0);
    EXPECT_EQ(ConversionRange(8).last, 7);
    EXPECT_EQ(ConversionRange(14).last, 3);
}

TEST(PaletteNames, ParseByNumberOrCaseInsensitiveName) {
    EXPECT_EQ(ParsePaletteKind("0"), 0);
    EXPECT_EQ(ParsePaletteKind("14"), 14);
    EXPECT_EQ(ParsePaletteKind("tms9929"), 2);
    EXPECT_EQ(ParsePaletteKind("COLOR 4-1"), 9);
    EXPECT_EQ(ParsePaletteKind("pc-8801"), 6);
    EXPECT_EQ(ParsePaletteKind("15"), std::nullopt);
    EXPECT_EQ(ParsePaletteKind("-1"), std::nullopt);
    EXPECT_EQ(ParsePaletteKind("Color 4"), std::nullopt);
    EXPECT_EQ(ParsePaletteKind(""), std::nullopt);
}
