#include "PaintTestHelpers.h"

#include "core/editor/FloodFill.h"

#include <gtest/gtest.h>

using namespace murelo;
using namespace murelo::test;

namespace {

struct Fill : ::testing::Test {
    Picture picture;
    Picture reference;
    ToolState tool;
    int editMode = 0;

    void draw(const std::vector<std::string>& rows) {
        picture = Blank(int(rows[0].size()), int(rows.size()));
        for (int y = 0; y < int(rows.size()); ++y)
            SetRow(picture, y, rows[y]);
    }
    bool fill(int x, int y, char fg, char bg = 'Q', int pattern = 0, int rowStep = 1) {
        PaintContext context{picture, tool, editMode, KindTms9918};
        return FloodFill(picture, reference, context, x, y, Letter(fg), Letter(bg), pattern,
                         rowStep);
    }
    std::vector<std::string> rows() const {
        std::vector<std::string> result;
        for (int y = 0; y < picture.height(); ++y)
            result.push_back(RowText(picture, y));
        return result;
    }
};

using Rows = std::vector<std::string>;

} // namespace

// The pictures below are laid out row under row.
// clang-format off

TEST_F(Fill, FillsTheFourConnectedRegionOnly) {
    draw({"WWKWW",
          "WKWKW",
          "KWWWK",
          "WKWKW",
          "WWKWW"});
    EXPECT_TRUE(fill(2, 2, 'P'));
    EXPECT_EQ(rows(), (Rows{"WWKWW",
                            "WKPKW",
                            "KPPPK",
                            "WKPKW",
                            "WWKWW"}));
}

TEST_F(Fill, FlowsAroundObstaclesUpAndDown) {
    // A U-shaped region: the fill must go down one arm, along the bottom and up the other.
    draw({"WKKKW",
          "WKWKW",
          "WKWKW",
          "WKKKW",
          "WWWWW"});
    EXPECT_TRUE(fill(0, 0, 'R'));
    EXPECT_EQ(rows(), (Rows{"RKKKR",
                            "RKWKR",
                            "RKWKR",
                            "RKKKR",
                            "RRRRR"}));
}

TEST_F(Fill, ForegroundEqualToTargetChangesNothing) {
    draw({"WWKW", "WKWW"});
    const Picture before = picture;
    EXPECT_FALSE(fill(0, 0, 'W'));
    EXPECT_EQ(picture, before);
}

TEST_F(Fill, StartOutsideThePictureChangesNothing) {
    draw({"WWW", "WWW"});
    const Picture before = picture;
    EXPECT_FALSE(fill(3, 0, 'P'));
    EXPECT_FALSE(fill(-1, 1, 'P'));
    EXPECT_EQ(picture, before);
}

TEST_F(Fill, PatternedFillPaintsTheDitherAndDoesNotLeakThroughIt) {
    draw({"WWWWWK",
          "WWWWWK",
          "KKKKKK",
          "WWWWWW"});
    EXPECT_TRUE(fill(1, 1, 'P', 'Q', 4));
    EXPECT_EQ(rows(), (Rows{"PQPQPK",
                            "QPQPQK",
                            "KKKKKK",
                            "WWWWWW"}));
}

TEST_F(Fill, NoBackgroundLeavesTheGapsButFillsTheWholeRegion) {
    draw({"WWWW", "WWWW"});
    EXPECT_TRUE(fill(0, 0, 'P', '-', 4));
    EXPECT_EQ(rows(), (Rows{"PWPW", "WPWP"}));
}

TEST_F(Fill, ProtectedPixelsKeepTheirColourButTheFillFlowsThrough) {
    tool.ProtectedColors = ProtectBit(RIndex);
    draw({"RRRK",
          "KKRK",
          "RRRK"});
    // Every R is protected and stays R, yet the fill still walks the whole region.
    EXPECT_TRUE(fill(0, 0, 'P'));
    EXPECT_EQ(rows(), (Rows{"RRRK", "KKRK", "RRRK"}));
    EXPECT_EQ(RowText(reference, 0), "PPPK");
    EXPECT_EQ(RowText(reference, 1), "KKPK");
    EXPECT_EQ(RowText(reference, 2), "PPPK");
}

TEST_F(Fill, OddLineLeavesOddRowsButTheFillStillCrossesThem) {
    tool.OddLine = true;
    draw({"WWKK",
          "KWKK",
          "KWWW",
          "KKKW",
          "WWWW"});
    EXPECT_TRUE(fill(0, 0, 'P'));
    EXPECT_EQ(rows(), (Rows{"PPKK",
                            "KWKK",
                            "KPPP",
                            "KKKW",
                            "PPPP"}));
}

TEST_F(Fill, TallPixelsFillEvenRowsWithStepTwo) {
    editMode = 3;
    draw({"WWWK",
          "WWWK",
          "WKKK",
          "WKKK",
          "WWWW",
          "WWWW"});
    EXPECT_TRUE(fill(2, 0, 'P', 'Q', 0, 2));
    EXPECT_EQ(rows(), (Rows{"PPPK",
                            "PPPK",
                            "PKKK",
                            "PKKK",
                            "PPPP",
                            "PPPP"}));
}

TEST_F(Fill, WidePixelsPaintPairs) {
    editMode = 1;
    draw({"WWWWKK", "WWKKKK"});
    EXPECT_TRUE(fill(0, 0, 'P'));
    EXPECT_EQ(rows(), (Rows{"PPPPKK", "PPKKKK"}));
}

// clang-format on

namespace {

// The 4-connected region of the start pixel's colour, pixel by pixel: what a fill with a
// solid brush must paint, worked out without any scan lines.
std::vector<bool> RegionOf(const Picture& picture, int x, int y) {
    const int w = picture.width();
    std::vector<bool> inside(std::size_t(w) * picture.height(), false);
    const ColorValue target = picture.pixel(x, y);
    std::vector<std::pair<int, int>> stack{{x, y}};
    while (!stack.empty()) {
        const auto [px, py] = stack.back();
        stack.pop_back();
        if (picture.pixel(px, py) != target || inside[std::size_t(py) * w + px])
            continue;
        inside[std::size_t(py) * w + px] = true;
        stack.insert(stack.end(), {{px + 1, py}, {px - 1, py}, {px, py + 1}, {px, py - 1}});
    }
    return inside;
}

// Draws the corridors of an H-tree fractal: every level doubles the number of branches
// reached at the same distance from the centre, so a fill has very many segments pending.
void DrawHTree(Picture& picture, int cx, int cy, int half, ColorValue color) {
    if (half < 1)
        return;
    for (int x = cx - half; x <= cx + half; ++x)
        picture.setPixel(x, cy, color);
    for (int y = cy - half; y <= cy + half; ++y) {
        picture.setPixel(cx - half, y, color);
        picture.setPixel(cx + half, y, color);
    }
    for (int dy : {-half, half})
        for (int dx : {-half, half})
            DrawHTree(picture, cx + dx, cy + dy, half / 2, color);
}

void ExpectPaintedExactly(const Picture& painted, const std::vector<bool>& region, ColorValue fg,
                          ColorValue untouched) {
    int wrong = 0;
    for (std::size_t i = 0; i < region.size(); ++i)
        wrong += painted.pixels()[i] != (region[i] ? fg : untouched);
    EXPECT_EQ(wrong, 0);
}

} // namespace

TEST_F(Fill, MoreThan16384PendingSegmentsAllGetFilled) {
    const ColorValue wall = Letter('K');
    const ColorValue corridor = Letter('W');
    picture = Picture(640, 640, wall);
    DrawHTree(picture, 320, 320, 200, corridor);
    const std::vector<bool> region = RegionOf(picture, 320, 320);

    FillStatistics statistics;
    PaintContext context{picture, tool, 0, KindTms9918};
    ASSERT_TRUE(FloodFill(picture, reference, context, 320, 320, Letter('P'), Letter('Q'), 0, 1,
                          &statistics));
    EXPECT_GT(statistics.maxPending, DefaultFillQueueCapacity); // the case this test is for
    EXPECT_GT(statistics.finalQueueCapacity, DefaultFillQueueCapacity);
    // Region pixels painted, corridors cut off by the picture's edge and walls untouched.
    for (std::size_t i = 0; i < region.size(); ++i)
        if (!region[i] && picture.pixels()[i] == corridor)
            picture.pixels()[i] = wall;
    ExpectPaintedExactly(picture, region, Letter('P'), wall);
}

TEST_F(Fill, TinyQueueGrowsAndFillsRandomShapesCompletely) {
    std::uint32_t seed = 12345;
    auto random = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    for (int round = 0; round < 20; ++round) {
        picture = Blank(97, 61);
        for (ColorValue& c : picture.pixels())
            if (random() % 100 < 35)
                c = Letter('K');
        const int x = int(random() % 97);
        const int y = int(random() % 61);
        picture.setPixel(x, y, Letter('W'));
        const Picture before = picture;
        const std::vector<bool> region = RegionOf(picture, x, y);

        FillStatistics statistics;
        PaintContext context{picture, tool, 0, KindTms9918};
        ASSERT_TRUE(FloodFill(picture, reference, context, x, y, Letter('P'), Letter('Q'), 0, 1,
                              &statistics, 1));
        for (std::size_t i = 0; i < region.size(); ++i) {
            const ColorValue expected = region[i] ? Letter('P') : before.pixels()[i];
            ASSERT_EQ(picture.pixels()[i], expected) << "round " << round << " pixel " << i;
        }
    }
}
