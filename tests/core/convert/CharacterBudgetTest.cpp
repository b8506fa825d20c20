// The "Characters" budget of the Graphic 2 modes: the count it keeps, the rule, cells drawn
// alike, budgets already met, and the characters it derives.
#include "ConversionTestSupport.h"

#include "core/convert/CellCharacter.h"
#include "core/convert/CellClusters.h"
#include "core/convert/CharacterBudget.h"
#include "core/convert/CharacterCount.h"
#include "core/editor/ColorCheck.h"
#include "core/editor/ScreenBuffer.h"
#include "core/export/Dedupe.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

namespace murelo {
namespace {

unsigned Next(unsigned& s) {
    s = s * 1103515245u + 12345u;
    return s >> 8;
}

// Every pixel a colour of its own: the hardest picture to fit in few characters.
Picture RandomPicture(int width, int height, unsigned seed) {
    Picture picture(width, height);
    for (ColorValue& c : picture.pixels())
        c = RgbColor(int(Next(seed) & 255), int(Next(seed) & 255), int(Next(seed) & 255));
    return picture;
}

// Cells copied from `tiles` source tiles (random colours, or palette colours of `kind`
// two a line when `kind` >= 0), laid out at random.
Picture TiledPicture(int width, int height, int tiles, unsigned seed, int kind = -1) {
    std::vector<CellPixels> set(static_cast<std::size_t>(tiles), CellPixels{});
    for (CellPixels& tile : set)
        for (int y = 0; y < CellSide; ++y) {
            const int a = 1 + int(Next(seed) % 15);
            const int b = 1 + int(Next(seed) % 15);
            for (int x = 0; x < CellSide; ++x) {
                ColorValue& c = tile[std::size_t(y * CellSide + x)];
                if (kind >= 0)
                    c = PaletteColor(kind, (Next(seed) & 1) ? a : b);
                else
                    c = RgbColor(int(Next(seed) & 255), int(Next(seed) & 255),
                                 int(Next(seed) & 255));
            }
        }
    Picture picture(width, height);
    const CellGrid grid(picture);
    for (int cell = 0; cell < grid.count(); ++cell)
        PutCell(picture, grid, cell, set[Next(seed) % set.size()]);
    return picture;
}

Picture Converted(const Picture& source, ModeId mode, int characters, int kind = KindTms9918) {
    ConversionRequest request{source, mode, {}};
    request.params.PaletteKind = kind;
    request.params.Characters = characters;
    return Convert(request)->result;
}

int Offences(const Picture& picture, int kind) {
    Picture overlay;
    return ColorCheck(picture, kind, false, overlay, {}).errors;
}

struct BudgetCase {
    std::string name;
    Picture picture;
    ModeId mode;
    int characters;
};

TEST(CharacterBudget, NeverUsesMoreCharactersThanTheBudgetAndKeepsTheRule) {
    const Picture photo = test::NaturalPicture(256, 192, 5);
    const Picture noise = RandomPicture(256, 192, 9);
    const Picture small = RandomPicture(64, 48, 3);
    const std::vector<BudgetCase> cases = {
        {"photo, dithered, 256", photo, ModeId::Graphic2Dithered, 256},
        {"photo, dithered, 64", photo, ModeId::Graphic2Dithered, 64},
        {"photo, plain, 100", photo, ModeId::Graphic2, 100},
        {"noise, dithered, 200", noise, ModeId::Graphic2Dithered, 200},
        {"noise, plain, 31", noise, ModeId::Graphic2, 31},
        {"small noise, dithered, 1", small, ModeId::Graphic2Dithered, 1},
        {"small noise, dithered, 7", small, ModeId::Graphic2Dithered, 7},
        {"small noise, plain, 2", small, ModeId::Graphic2, 2},
        {"tiles, dithered, 12", TiledPicture(128, 64, 60, 4), ModeId::Graphic2Dithered, 12},
    };
    for (const BudgetCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_GT(CountCharacters(Converted(c.picture, c.mode, NoCharacterLimit)), c.characters);
        const Picture result = Converted(c.picture, c.mode, c.characters);
        const int count = CountCharacters(result);
        EXPECT_LE(count, c.characters);
        EXPECT_GE(count, 1);
        EXPECT_EQ(Offences(result, KindTms9918), 0);
    }
}

TEST(CharacterBudget, CellsOfOneSourceStayOneCharacter) {
    const Picture source = TiledPicture(128, 96, 40, 17);
    for (ModeId mode : {ModeId::Graphic2, ModeId::Graphic2Dithered}) {
        SCOPED_TRACE(Describe(mode).caption);
        // Without diffusion across cells, equal sources are drawn alike by the mode itself.
        ConversionRequest request{source, mode, {}};
        request.params.DitherStrength = 0;
        request.params.Characters = 9;
        const Picture result = Convert(request)->result;
        const CellGrid grid(source);
        std::map<CellPixels, CellPixels> drawnAs;
        for (int cell = 0; cell < grid.count(); ++cell) {
            const auto [at, added] =
                drawnAs.try_emplace(CellOf(source, grid, cell), CellOf(result, grid, cell));
            if (!added) {
                EXPECT_TRUE(at->second == CellOf(result, grid, cell)) << "cell " << cell;
            }
        }
        EXPECT_LE(CountCharacters(result), 9);
    }
}

TEST(CharacterBudget, ABudgetThePictureMeetsChangesNothing) {
    // Drawings in palette colours with repeated tiles, which the modes keep as they are.
    const std::vector<Picture> drawings = {TiledPicture(256, 192, 40, 21, KindTms9918),
                                           TiledPicture(256, 192, 150, 22, KindTms9918),
                                           TiledPicture(40, 36, 6, 23, KindTms9918)};
    for (const Picture& drawing : drawings)
        for (ModeId mode : {ModeId::Graphic2, ModeId::Graphic2Dithered}) {
            const Picture free = Converted(drawing, mode, NoCharacterLimit);
            ASSERT_TRUE(free == drawing) << "the mode keeps palette drawings";
            const int count = CountCharacters(free);
            for (int budget : {count, count + 1, 300, NoCharacterLimit - 1}) {
                SCOPED_TRACE(testing::Message() << Describe(mode).caption << ", " << budget);
                EXPECT_TRUE(Converted(drawing, mode, budget) == free);
            }
        }
}

TEST(CharacterCount, CountsWhatTheOneBankExportCounts) {
    const Picture photo = test::NaturalPicture(256, 192, 8);
    const std::vector<Picture> pictures = {
        Picture(256, 192, PaletteColor(KindTms9918, 4)),
        TiledPicture(256, 192, 90, 31, KindTms9918),
        Converted(photo, ModeId::Graphic2Dithered, 1),
        Converted(photo, ModeId::Graphic2Dithered, 100),
        Converted(photo, ModeId::Graphic2, 250),
        Converted(photo, ModeId::Graphic2Dithered, NoCharacterLimit),
    };
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        SCOPED_TRACE(i);
        ScreenBuffer screen;
        Picture overlay;
        ASSERT_EQ(ColorCheck(pictures[i], KindTms9918, true, overlay, screen.vramImage()).errors,
                  0);
        CharacterSet set;
        EXPECT_EQ(CountCharacters(pictures[i]), DedupeScreen(screen.vramImage(), set));
    }
}

TEST(CharacterCount, CellsCutByTheEdgeAreCharactersOfTheirOwn) {
    struct Case {
        int width, height, count;
    };
    for (const Case& c : {Case{8, 8, 1}, Case{16, 8, 1}, Case{12, 8, 2}, Case{12, 10, 4},
                          Case{3, 3, 1}, Case{0, 0, 0}}) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        EXPECT_EQ(CountCharacters(Picture(c.width, c.height, 0x123456)), c.count);
    }
    EXPECT_EQ(CharacterCountText(254), "Characters 254");
}

TEST(CharacterBudget, CutCellsShareOnlyWithCellsOfTheirSize) {
    // 37 x 21: whole cells, cut columns, cut rows and the corner; two characters each at most.
    const Picture source = RandomPicture(37, 21, 41);
    const Picture result = Converted(source, ModeId::Graphic2Dithered, 8);
    EXPECT_LE(CountCharacters(result), 8);
    EXPECT_EQ(Offences(result, KindTms9918), 0);
}

CharacterTarget TargetOf(const std::vector<CellLight>& cells, int w, int h, const CellBlur& blur,
                         CellSpace space) {
    CharacterTarget target;
    for (const CellLight& plain : cells)
        target.add(MakeCellTarget(plain, w, h, blur, space));
    return target;
}

CellLight RandomCell(unsigned& seed, CellSpace space) {
    CellLight cell{};
    for (Light& p : cell)
        p = PointOf(space, int(Next(seed) & 255), int(Next(seed) & 255), int(Next(seed) & 255));
    return cell;
}

CharacterPalette PaletteOfKind(int kind, CellSpace space) {
    CharacterPalette palette;
    const IndexRange& range = ConversionRange(kind);
    for (int i = range.first; i <= range.last; ++i) {
        palette.colors.push_back(PaletteColor(kind, i));
        palette.light.push_back(PointOf(space, palette.colors.back()));
    }
    return palette;
}

struct DeriveCase {
    int kind;
    bool dithered;
    float spread;
    int width, height;
};

const DeriveCase DeriveCases[] = {
    {KindTms9918, true, 0.95f, 8, 8}, {KindTms9918, false, 0, 8, 8},
    {KindTms9929, true, 0.5f, 5, 8},  {KindColor4_1, true, 1, 8, 3},
    {KindPc8801, false, 0, 2, 7},     {KindV9938, true, 0, 8, 8},
};

TEST(DeriveCharacter, EveryLineTakesAtMostTwoColoursOfThePalette) {
    unsigned seed = 77;
    for (const DeriveCase& c : DeriveCases) {
        SCOPED_TRACE(testing::Message()
                     << "kind " << c.kind << ", " << c.width << " x " << c.height);
        const CellSpace space = c.dithered ? CellSpace::Linear : CellSpace::Lab;
        const CellBlur blur(c.dithered);
        const CharacterPalette palette = PaletteOfKind(c.kind, space);
        const CharacterTarget target =
            TargetOf({RandomCell(seed, space), RandomCell(seed, space), RandomCell(seed, space)},
                     c.width, c.height, blur, space);
        const CellPixels pixels = DeriveCharacter(target, palette, blur, c.spread);
        for (int y = 0; y < CellSide; ++y) {
            std::vector<ColorValue> line;
            for (int x = 0; x < CellSide; ++x) {
                const ColorValue v = pixels[std::size_t(y * CellSide + x)];
                if (x >= c.width || y >= c.height) {
                    EXPECT_EQ(v, NoColor);
                    continue;
                }
                EXPECT_NE(std::find(palette.colors.begin(), palette.colors.end(), v),
                          palette.colors.end());
                if (std::find(line.begin(), line.end(), v) == line.end())
                    line.push_back(v);
            }
            EXPECT_LE(line.size(), 2u) << "line " << y;
        }
    }
}

TEST(DeriveCharacter, ThePaletteColourOfAFlatTargetIsDrawnFlat) {
    for (const DeriveCase& c : DeriveCases) {
        const CellSpace space = c.dithered ? CellSpace::Linear : CellSpace::Lab;
        const CellBlur blur(c.dithered);
        const CharacterPalette palette = PaletteOfKind(c.kind, space);
        const std::size_t pick = palette.colors.size() / 2;
        CellLight flat;
        flat.fill(palette.light[pick]);
        const CellPixels pixels = DeriveCharacter(
            TargetOf({flat, flat}, c.width, c.height, blur, space), palette, blur, c.spread);
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                EXPECT_EQ(pixels[std::size_t(y * CellSide + x)], palette.colors[pick])
                    << "kind " << c.kind << " at " << x << ", " << y;
    }
}

TEST(DeriveCharacter, TheSummedErrorIsTheSumOfTheCellsErrors) {
    unsigned seed = 5;
    for (const DeriveCase& c : DeriveCases) {
        const CellSpace space = c.dithered ? CellSpace::Linear : CellSpace::Lab;
        const CellBlur blur(c.dithered);
        std::vector<CellTarget> cells;
        CharacterTarget target;
        for (int i = 0; i < 4; ++i) {
            cells.push_back(
                MakeCellTarget(RandomCell(seed, space), c.width, c.height, blur, space));
            target.add(cells.back());
        }
        const CellLight seen = blur.apply(RandomCell(seed, space), c.width, c.height);
        float sum = 0;
        for (const CellTarget& cell : cells)
            sum += CellError(cell, seen);
        EXPECT_GT(sum, 0);
        EXPECT_NEAR(TargetError(target, seen), sum, 1e-3 * sum) << "kind " << c.kind;
    }
}

} // namespace
} // namespace murelo

namespace murelo {
namespace {

CellClusters::Unit UnitAt(float lightness, int cells = 1, int kind = 0) {
    CellClusters::Unit unit;
    unit.feature.fill(lightness);
    unit.cells = cells;
    unit.kind = kind;
    return unit;
}

TEST(CellClusters, TheNearestMergeFirstAndKindsNeverMix) {
    struct Case {
        std::string name;
        std::vector<CellClusters::Unit> units;
        int wanted;
        std::vector<int> groups;
    };
    const std::vector<Case> cases = {
        {"pairs", {UnitAt(0), UnitAt(50), UnitAt(1), UnitAt(52)}, 2, {0, 1, 0, 1}},
        {"all", {UnitAt(0), UnitAt(50), UnitAt(1)}, 1, {0, 0, 0}},
        {"enough already", {UnitAt(0), UnitAt(1)}, 2, {0, 1}},
        // Ward: 6 lies nearer to 0 than to 14, but merging with 40 cells there costs more.
        {"sizes weigh", {UnitAt(0, 40), UnitAt(6), UnitAt(14)}, 2, {0, 1, 1}},
        {"kinds apart", {UnitAt(0, 1, 0), UnitAt(0, 1, 1), UnitAt(5, 1, 0)}, 1, {0, 1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CellClusters clusters(c.units, c.wanted);
        int steps = 0;
        while (clusters.step())
            ASSERT_LT(++steps, 100);
        EXPECT_TRUE(clusters.done());
        EXPECT_EQ(clusters.groups(), c.groups);
    }
}

} // namespace
} // namespace murelo
