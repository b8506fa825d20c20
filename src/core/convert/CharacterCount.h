#pragma once

#include "core/editor/CellBuffer.h"
#include "core/editor/Picture.h"

#include <string>

namespace murelo {

// A Graphic 2 character is one 8 x 8 cell of the picture: its 8 lines of two colours each.
inline constexpr int CellSide = 8;
inline constexpr int CellArea = CellSide * CellSide;

// The cells of a picture in reading order; the last column and row may be cut by the edge.
struct CellGrid {
    int width = 0;
    int height = 0;

    explicit CellGrid(const Picture& picture) : width(picture.width()), height(picture.height()) {}
    int columns() const { return (width + CellSide - 1) / CellSide; }
    int rows() const { return (height + CellSide - 1) / CellSide; }
    int count() const { return columns() * rows(); }
    int left(int cell) const { return (cell % columns()) * CellSide; }
    int top(int cell) const { return (cell / columns()) * CellSide; }
    // How many columns and rows of the cell lie inside the picture (1..8).
    int visibleWidth(int cell) const;
    int visibleHeight(int cell) const;
};

// The pixels of a cell, row after row; pixels beyond the picture's edge are NoColor.
CellPixels CellOf(const Picture& picture, const CellGrid& grid, int cell);

// Writes the cell's pixels that lie inside the picture.
void PutCell(Picture& picture, const CellGrid& grid, int cell, const CellPixels& pixels);

// How many different characters the picture's cells use. For a 256 x 192 picture that keeps
// the two-colour rule this is what the export's one-bank check counts: equal pixels give
// equal pattern and colour bytes and different pixels different ones.
int CountCharacters(const Picture& picture);

// The converter window's count beside its readout: "Characters 254".
std::string CharacterCountText(int count);

} // namespace murelo
