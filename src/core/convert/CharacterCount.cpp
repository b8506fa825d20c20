#include "core/convert/CharacterCount.h"

#include <algorithm>
#include <vector>

namespace murelo {

int CellGrid::visibleWidth(int cell) const {
    return std::min(CellSide, width - left(cell));
}

int CellGrid::visibleHeight(int cell) const {
    return std::min(CellSide, height - top(cell));
}

CellPixels CellOf(const Picture& picture, const CellGrid& grid, int cell) {
    return CopyCell(picture, grid.left(cell), grid.top(cell));
}

void PutCell(Picture& picture, const CellGrid& grid, int cell, const CellPixels& pixels) {
    const int x0 = grid.left(cell);
    const int y0 = grid.top(cell);
    const int w = grid.visibleWidth(cell);
    const int h = grid.visibleHeight(cell);
    for (int y = 0; y < h; ++y) {
        ColorValue* row = picture.row(y0 + y) + x0;
        for (int x = 0; x < w; ++x)
            row[x] = pixels[std::size_t(y * CellSide + x)];
    }
}

int CountCharacters(const Picture& picture) {
    const CellGrid grid(picture);
    std::vector<CellPixels> cells;
    cells.reserve(std::size_t(grid.count()));
    for (int cell = 0; cell < grid.count(); ++cell)
        cells.push_back(CellOf(picture, grid, cell));
    std::sort(cells.begin(), cells.end());
    return int(std::unique(cells.begin(), cells.end()) - cells.begin());
}

std::string CharacterCountText(int count) {
    return "Characters " + std::to_string(count);
}

} // namespace murelo
