#include "core/export/LoadAddressCheck.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <tuple>

namespace murelo {
namespace {

TEST(CheckLoadAddress, C800PassesUpTo10640Bytes) {
    const LoadAddressResult r = CheckLoadAddress(0, 10640);
    EXPECT_TRUE(r.fits);
    EXPECT_EQ(r.header, (TapeHeader{0xC800, 0xF37F, 0xC800}));
    EXPECT_EQ(r.messageText, "Address Check :\n\nStart : C800h\n End  : F37Fh\n");
    EXPECT_EQ(r.errorBox, "");
}

TEST(CheckLoadAddress, C800Refuses10641Bytes) {
    const LoadAddressResult r = CheckLoadAddress(0, 10641);
    EXPECT_FALSE(r.fits);
    EXPECT_EQ(r.messageText, "Address Check :\n\nStart : C800h\n End  : F380h\n\nError!\n\n"
                             "* Data Over Flow ( Exceeded the BASIC WorkArea F380h)\n"
                             "* The highest Start Address that fits: C000H (16KB-32KB)\n");
    EXPECT_EQ(r.errorBox, "Data Over Flow Error!\n\nC800h - F380h\n\n"
                          "The highest Start Address that fits: C000H (16KB-32KB)");
}

TEST(CheckLoadAddress, 9000HoldsWhatC800Refuses) {
    const LoadAddressResult r = CheckLoadAddress(4, 10641);
    EXPECT_TRUE(r.fits);
    EXPECT_EQ(r.header, (TapeHeader{0x9000, 0xBB80, 0x9000}));
    EXPECT_EQ(r.messageText, "Address Check :\n\nStart : 9000h\n End  : BB80h\n");
}

TEST(CheckLoadAddress, EveryItemStartsWhereItsCaptionSays) {
    const unsigned starts[] = {0xC800, 0xC000, 0xB000, 0xA000, 0x9000};
    for (int item = 0; item < 5; ++item) {
        const LoadAddressResult r = CheckLoadAddress(item, 301);
        ASSERT_TRUE(r.fits) << item;
        EXPECT_EQ(r.header.start, starts[item]);
        EXPECT_EQ(r.header.execution, starts[item]);
        EXPECT_EQ(r.header.end, starts[item] + 495 + 301);
        EXPECT_EQ(StartAddressCaptions[std::size_t(item)].substr(0, 4),
                  r.messageText.substr(25, 4));
    }
}

TEST(CheckLoadAddress, TheLargestScreenAtC000IsRefusedWithoutWrapping) {
    // 5 + 2 * 6144 bytes raw: ends at 0xF1F4 from C000, at 0xF9F4 from C800.
    EXPECT_TRUE(CheckLoadAddress(1, 12293).fits);
    const LoadAddressResult r = CheckLoadAddress(0, 12293);
    EXPECT_FALSE(r.fits);
    EXPECT_TRUE(r.errorBox.starts_with("Data Over Flow Error!\n\nC800h - F9F4h\n\n")) << r.errorBox;
}

// A tape that does not fit names the highest start address of the list that would hold it:
// the loader and screen must end at F37Fh at the latest.
TEST(CheckLoadAddress, ATapeThatDoesNotFitNamesTheHighestStartThatDoes) {
    const std::tuple<int, std::size_t, int, std::string> cases[] = {
        {0, 0xF380 - 0xC000 - 496, 1, "The highest Start Address that fits: C000H (16KB-32KB)"},
        {3, 0xF380 - 0x9000 - 496, 4, "The highest Start Address that fits: 9000H (32KB)"},
        {4, 0xF380 - 0x9000 - 495, -1, "No Start Address fits 25473 bytes."},
    };
    for (const auto& [choice, size, highest, advice] : cases) {
        const LoadAddressResult r = CheckLoadAddress(choice, size);
        EXPECT_EQ(r.highestFittingChoice, highest) << size;
        EXPECT_TRUE(r.errorBox.ends_with("\n\n" + advice)) << r.errorBox;
        EXPECT_TRUE(r.messageText.ends_with("* " + advice + "\n")) << r.messageText;
        EXPECT_TRUE(highest < 0 || CheckLoadAddress(highest, size).fits) << size;
    }
}

TEST(CheckLoadAddress, RefusesAnUnknownItem) {
    EXPECT_THROW(CheckLoadAddress(-1, 10), std::out_of_range);
    EXPECT_THROW(CheckLoadAddress(5, 10), std::out_of_range);
}

} // namespace
} // namespace murelo
