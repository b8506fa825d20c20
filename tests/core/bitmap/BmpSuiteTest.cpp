// The bitmap test suite: every good file decodes to its reference rendering (or is refused
// by the editor's size rule), questionable and bad files decode sensibly or are refused with
// a reason, and nothing reads outside the file.
#include "BitmapTestFiles.h"
#include "core/editor/BitmapCodec.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

using namespace murelo;
using namespace murelo::test;

namespace {

struct SuiteFile {
    std::string name; // "g/pal8.bmp"
    std::vector<std::string> references;
};

std::vector<SuiteFile> SuiteFiles() {
    std::ifstream in(DataPath("bmp/references.txt"));
    std::vector<SuiteFile> files;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream words(line);
        SuiteFile f;
        words >> f.name;
        for (std::string ref; words >> ref;)
            f.references.push_back(ref);
        files.push_back(f);
    }
    return files;
}

DecodedBitmap DecodeSuiteFile(const std::string& name) {
    const std::vector<unsigned char> bytes = ReadBytes(DataPath("bmp/" + name));
    return DecodeBitmap(bytes);
}

bool MatchesAReference(const Picture& decoded, const SuiteFile& f) {
    for (const std::string& ref : f.references)
        if (decoded == ReadPpm(DataPath("bmp/reference/" + ref)))
            return true;
    return false;
}

// Files stored top-down or larger than 640: the editor refuses them by size.
const std::set<std::string> RefusedBySize = {"g/pal8topdown.bmp", "b/reallybig.bmp",
                                             "b/rletopdown.bmp", "b/badwidth.bmp"};

// Questionable and bad files of kinds the decoder does not take, or whose damage leaves no
// sensible picture.
const std::set<std::string> Refused = {
    "q/pal1huffmsb.bmp", // OS/2 Huffman compression
    "q/pal2.bmp",        // 2 bits per pixel
    "q/pal2color.bmp",
    "q/rgb24jpeg.bmp",  // embedded JPEG
    "q/rgb24png.bmp",   // embedded PNG
    "q/rgb24rle24.bmp", // OS/2 RLE24
    "q/rgba64.bmp",     // 64 bits per pixel
    "b/badbitcount.bmp", "b/badheadersize.bmp", "b/badpalettesize.bmp",
    "b/badplanes.bmp",   "b/shortfile.bmp",
};

// Decoded, but with no reference to compare with (alpha renderings) or a damaged file.
const std::set<std::string> DecodedWithoutReference = {
    "q/rgba16-1924.bmp",    "q/rgba16-4444.bmp", "q/rgba16-5551.bmp",  "q/rgba32-1.bmp",
    "q/rgba32-1010102.bmp", "q/rgba32-2.bmp",    "q/rgba32-61754.bmp", "q/rgba32-81284.bmp",
    "q/rgba32abf.bmp",      "q/rgba32h56.bmp",   "b/badbitssize.bmp",  "b/baddens1.bmp",
    "b/baddens2.bmp",       "b/badfilesize.bmp", "b/badrle.bmp",       "b/badrle4.bmp",
    "b/badrle4bis.bmp",     "b/badrle4ter.bmp",  "b/badrlebis.bmp",    "b/badrleter.bmp",
    "b/pal8badindex.bmp",
    "q/rgb24prof2.bmp", // its embedded colour profile (ignored) swaps red and green back
};

// Files whose wide channels are no exact expansion of the reference's 8-bit values.
const std::set<std::string> NearReference = {"q/rgb32-111110.bmp", "q/rgb32-7187.bmp"};

int MaxChannelDifference(const Picture& a, const Picture& b) {
    if (a.width() != b.width() || a.height() != b.height())
        return 256;
    int worst = 0;
    for (std::size_t i = 0; i < a.pixels().size(); ++i) {
        const ColorValue p = a.pixels()[i], q = b.pixels()[i];
        worst = std::max({worst, std::abs(RedOf(p) - RedOf(q)), std::abs(GreenOf(p) - GreenOf(q)),
                          std::abs(BlueOf(p) - BlueOf(q))});
    }
    return worst;
}

} // namespace

TEST(BmpSuite, GoodFilesMatchTheirReferenceOrAreRefusedBySize) {
    int checked = 0;
    for (const SuiteFile& f : SuiteFiles()) {
        if (f.name.rfind("g/", 0) != 0)
            continue;
        SCOPED_TRACE(f.name);
        ++checked;
        const DecodedBitmap d = DecodeSuiteFile(f.name);
        if (RefusedBySize.count(f.name)) {
            EXPECT_EQ(d.fault, BitmapFault::TooLarge);
            continue;
        }
        ASSERT_TRUE(d.ok()) << d.message;
        EXPECT_TRUE(MatchesAReference(d.picture, f));
    }
    EXPECT_EQ(checked, 27);
}

TEST(BmpSuite, TopDownGoodFileGetsTheSizeMessageWithItsNegativeHeight) {
    const DecodedBitmap d = DecodeSuiteFile("g/pal8topdown.bmp");
    EXPECT_EQ(d.fault, BitmapFault::TooLarge);
    EXPECT_EQ(d.message,
              "The Image of 640 pixels or more can't be read!\n  ->Image Size : ( 127, -64 )");
}

TEST(BmpSuite, QuestionableAndBadFilesDecodeSensiblyOrAreRefusedWithAReason) {
    int checked = 0;
    for (const SuiteFile& f : SuiteFiles()) {
        if (f.name.rfind("g/", 0) == 0)
            continue;
        SCOPED_TRACE(f.name);
        ++checked;
        const DecodedBitmap d = DecodeSuiteFile(f.name);
        if (RefusedBySize.count(f.name)) {
            EXPECT_EQ(d.fault, BitmapFault::TooLarge);
        } else if (Refused.count(f.name)) {
            EXPECT_EQ(d.fault, BitmapFault::Unreadable);
            EXPECT_FALSE(d.message.empty());
        } else {
            ASSERT_TRUE(d.ok()) << d.message;
            EXPECT_GT(d.formatCode, 0);
            EXPECT_LE(d.formatCode, 7);
            if (NearReference.count(f.name)) {
                const Picture ref = ReadPpm(DataPath("bmp/reference/" + f.references.at(0)));
                EXPECT_LE(MaxChannelDifference(d.picture, ref), 1);
            } else if (DecodedWithoutReference.count(f.name) == 0) {
                EXPECT_TRUE(MatchesAReference(d.picture, f));
            }
        }
    }
    EXPECT_EQ(checked, 63);
}

TEST(BmpSuite, FormatCodesFollowTheStoredPixelFormat) {
    const std::map<std::string, int> expected = {
        {"g/pal1.bmp", 1},      {"g/pal4.bmp", 2},    {"g/pal4rle.bmp", 2}, {"g/pal8.bmp", 3},
        {"g/pal8rle.bmp", 3},   {"g/pal8os2.bmp", 3}, {"g/rgb16.bmp", 4},   {"g/rgb16bfdef.bmp", 4},
        {"g/rgb16-565.bmp", 5}, {"g/rgb24.bmp", 6},   {"g/rgb32.bmp", 7},   {"g/rgb32bf.bmp", 7}};
    for (const auto& [name, code] : expected) {
        SCOPED_TRACE(name);
        const DecodedBitmap d = DecodeSuiteFile(name);
        ASSERT_TRUE(d.ok()) << d.message;
        EXPECT_EQ(d.formatCode, code);
    }
}
