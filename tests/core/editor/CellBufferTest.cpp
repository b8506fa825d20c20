#include "PaintTestHelpers.h"

#include "core/editor/CellBuffer.h"

#include <gtest/gtest.h>

using namespace murelo;
using namespace murelo::test;

namespace {

// A cell whose pixel (x, y) holds a colour unique to its position.
CellPixels NumberedCell() {
    CellPixels cell;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            cell[y * 8 + x] = RgbColor(x, y, 7);
    return cell;
}

} // namespace

TEST(CellBuffer, CopyReadsTheCellAtTheOrigin) {
    Picture picture(20, 20, 0);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            picture.setPixel(x, y, RgbColor(x, y, 1));
    const CellPixels cell = CopyCell(picture, 5, 9);
    EXPECT_EQ(CellAt(cell, 0, 0), RgbColor(5, 9, 1));
    EXPECT_EQ(CellAt(cell, 7, 0), RgbColor(12, 9, 1));
    EXPECT_EQ(CellAt(cell, 3, 6), RgbColor(8, 15, 1));
    EXPECT_EQ(CellAt(cell, 7, 7), RgbColor(12, 16, 1));
}

TEST(CellBuffer, CopyMarksPositionsOutsideThePictureAndPasteSkipsThem) {
    Picture source = Blank(10, 10, 'P');
    const CellPixels cell = CopyCell(source, 6, 4); // columns 6..9 and rows 4..9 inside
    EXPECT_EQ(CellAt(cell, 3, 5), Letter('P'));
    EXPECT_EQ(CellAt(cell, 4, 0), NoColor);
    EXPECT_EQ(CellAt(cell, 0, 6), NoColor);

    Picture target = Blank(16, 16, 'Q');
    ToolState tool;
    PaintContext context{target, tool, 0, KindTms9918};
    EXPECT_TRUE(PasteCell(target, cell, 2, 2, context));
    // Only the 4 x 6 part that was inside the source arrives; the rest keeps its colour.
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const bool copied = x >= 2 && x < 6 && y >= 2 && y < 8;
            EXPECT_EQ(LetterOf(target.pixel(x, y)), copied ? 'P' : 'Q') << x << "," << y;
        }
}

TEST(CellBuffer, PasteAtTheEdgeWritesOnlyInside) {
    Picture target = Blank(10, 10, 'Q');
    CellPixels cell;
    cell.fill(Letter('R'));
    ToolState tool;
    PaintContext context{target, tool, 0, KindTms9918};
    EXPECT_TRUE(PasteCell(target, cell, 7, 8, context));
    EXPECT_EQ(target.pixels().size(), 100u);
    EXPECT_EQ(RowText(target, 9), "QQQQQQQRRR");
    EXPECT_EQ(RowText(target, 7), "QQQQQQQQQQ");
    EXPECT_FALSE(PasteCell(target, cell, 10, 0, context));
}

TEST(CellBuffer, PasteKeepsProtectedPixelsOnlyWithFreeDraw) {
    CellPixels cell;
    cell.fill(Letter('R'));
    ToolState tool;
    tool.ProtectedColors = ProtectBit(QIndex);
    Picture target = Blank(8, 1, 'P');
    SetRow(target, 0, "PQPQPQPQ");
    PaintContext context{target, tool, 0, KindTms9918};

    Picture snapped = target;
    PaintContext snappedContext{snapped, tool, 0, KindTms9918};
    PasteCell(snapped, cell, 0, 0, snappedContext);
    EXPECT_EQ(RowText(snapped, 0), "RRRRRRRR");

    tool.FreeDraw = true;
    PasteCell(target, cell, 0, 0, context);
    EXPECT_EQ(RowText(target, 0), "RQRQRQRQ");
}

TEST(CellBuffer, PasteIgnoresThePixelModeAndOddLine) {
    CellPixels cell;
    cell.fill(Letter('R'));
    ToolState tool;
    tool.OddLine = true;
    Picture target = Blank(12, 12, 'P');
    PaintContext context{target, tool, 1, KindTms9918};
    PasteCell(target, cell, 3, 1, context);
    EXPECT_EQ(RowText(target, 1), "PPPRRRRRRRRP");
    EXPECT_EQ(RowText(target, 2), "PPPRRRRRRRRP");
    EXPECT_EQ(RowText(target, 9), "PPPPPPPPPPPP");
}

TEST(CellBuffer, FlipMirrorsEitherWay) {
    CellPixels cell = NumberedCell();
    FlipCellBuffer(cell, true);
    EXPECT_EQ(CellAt(cell, 0, 2), RgbColor(7, 2, 7));
    EXPECT_EQ(CellAt(cell, 7, 5), RgbColor(0, 5, 7));
    EXPECT_EQ(CellAt(cell, 3, 0), RgbColor(4, 0, 7));

    cell = NumberedCell();
    FlipCellBuffer(cell, false);
    EXPECT_EQ(CellAt(cell, 2, 0), RgbColor(2, 7, 7));
    EXPECT_EQ(CellAt(cell, 5, 7), RgbColor(5, 0, 7));
    EXPECT_EQ(CellAt(cell, 0, 4), RgbColor(0, 3, 7));

    FlipCellBuffer(cell, false);
    EXPECT_EQ(cell, NumberedCell());
}
