// Palette tables of the screen files and the quantizer index of a result pixel.
#include "ScreenFileTestSupport.h"

#include "core/convert/ScreenPalette.h"

using namespace murelo;
using namespace murelo::test;

namespace {

TEST(ScreenPalette, EntriesKeepTheTopThreeBitsOfEachChannel) {
    QuantizerPalette p{};
    p[0] = {/*B*/ 0, /*G*/ 0, /*R*/ 0, 0};
    p[1] = {247, 247, 247, 0};
    p[2] = {144, 6, 247, 0};   // r3 7, g3 0, b3 4
    p[3] = {31, 223, 32, 0};   // r3 1, g3 6, b3 0
    p[15] = {255, 128, 96, 0}; // r3 3, g3 4, b3 7
    const PaletteTableBytes t = PaletteTable(p);
    const std::vector<std::uint8_t> head(t.begin(), t.begin() + 8);
    EXPECT_EQ(head, (std::vector<std::uint8_t>{0x00, 0x00, 0x77, 0x07, 0x74, 0x00, 0x10, 0x06}));
    EXPECT_EQ(t[30], 0x37);
    EXPECT_EQ(t[31], 0x04);
}

TEST(ScreenPalette, WritePaletteTableStoresAtTheAddressOnly) {
    std::vector<std::uint8_t> memory(0x10000, 0x55);
    const QuantizerPalette p = RampPalette();
    WritePaletteTable(memory, Screen7PaletteAddress, p);
    const PaletteTableBytes t = PaletteTable(p);
    EXPECT_TRUE(std::equal(t.begin(), t.end(), memory.begin() + 0xFA80));
    EXPECT_EQ(memory[0xFA7F], 0x55);
    EXPECT_EQ(memory[0xFAA0], 0x55);
}

TEST(ScreenPalette, Pc8801AnalogEntriesAreRedBlueThenGreenWithItsFlag) {
    QuantizerPalette p = RampPalette();
    p[0] = {144, 6, 247, 0}; // (r, g, b) = (247, 6, 144)
    p[7] = {0, 255, 0, 0};
    p[8] = {255, 255, 255, 0}; // beyond the eight colours: not written
    const auto bytes = Pc8801PaletteBytes(p);
    EXPECT_EQ(bytes[0], 0x3C);
    EXPECT_EQ(bytes[1], 0x40);
    EXPECT_EQ(bytes[14], 0x00);
    EXPECT_EQ(bytes[15], 0x47);
    // Entry 3 of the ramp: (63, 24, 207) -> r3 1, g3 0, b3 6.
    EXPECT_EQ(bytes[6], 0x0E);
    EXPECT_EQ(bytes[7], 0x40);
}

TEST(ScreenPalette, IndexIsTheFirstMatchingEntryWithinTheCount) {
    QuantizerPalette p = RampPalette();
    p[6] = p[2]; // a colour twice: the first entry wins
    QuantizerIndexScan scan16(p, 16);
    EXPECT_EQ(scan16.QuantizerIndexOf(EntryColor(p, 2)), 2);
    EXPECT_EQ(scan16.QuantizerIndexOf(EntryColor(p, 15)), 15);
    // Only the colour counts, not what the byte above it holds.
    EXPECT_EQ(scan16.QuantizerIndexOf(EntryColor(p, 11) | 0x7F000000), 11);
    QuantizerIndexScan scan4(p, 4);
    EXPECT_EQ(scan4.QuantizerIndexOf(EntryColor(p, 3)), 3);
    EXPECT_EQ(scan4.QuantizerIndexOf(EntryColor(p, 9)), 3); // entry 9 lies beyond 4: carried
}

TEST(ScreenPalette, UnmatchedPixelsCarryTheLastIndexAndAFreshScanStartsAtZero) {
    const QuantizerPalette p = RampPalette();
    const ColorValue stranger = RgbColor(1, 2, 3);
    QuantizerIndexScan scan(p, 16);
    EXPECT_EQ(scan.QuantizerIndexOf(stranger), 0);
    EXPECT_EQ(scan.QuantizerIndexOf(EntryColor(p, 12)), 12);
    EXPECT_EQ(scan.QuantizerIndexOf(stranger), 12);
    EXPECT_EQ(scan.QuantizerIndexOf(EntryColor(p, 5)), 5);
    EXPECT_EQ(scan.QuantizerIndexOf(stranger), 5);
    QuantizerIndexScan next(p, 16);
    EXPECT_EQ(next.QuantizerIndexOf(stranger), 0);
}

} // namespace
