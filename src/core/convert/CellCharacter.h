#pragma once

#include "core/convert/CellLook.h"

#include <vector>

namespace murelo {

using CellLight = std::array<Light, CellArea>;
using CellWeights = std::array<LightWeight, CellArea>;

// What one cell of the source asks of the character drawn in it: its light (balanced,
// linear), the same blurred as the eye sees it, and how much an error costs at each pixel.
struct CellTarget {
    int width = CellSide; // the visible part of the cell
    int height = CellSide;
    CellLight plain{};
    CellLight seen{};
    CellWeights weight{};
    float constant = 0; // seen' W seen over the cell, so that errors come out whole
};

// `plain` holds the cell's points in `space`.
CellTarget MakeCellTarget(const CellLight& plain, int width, int height, const CellBlur& blur,
                          CellSpace space);

// The summed error of a character (given as the eye sees it, `blur` applied) against a
// cell: the weighted squared difference of light, close to the squared CIEDE2000.
float CellError(const CellTarget& cell, const CellLight& seenCharacter);

// The same difference added up as the eye judges a picture, pixel by pixel (the sum of the
// differences, not of their squares): a sparse dither that keeps a dark cell's light costs
// less here than a flat colour that misses it, as CIEDE2000's mean says.
float CellDistance(const CellTarget& cell, const CellLight& seenCharacter);

// The cells that share one character, summed: since each cell's error is quadratic in the
// character's light, the sum over the cells is one quadratic with summed weights.
struct CharacterTarget {
    int width = CellSide;
    int height = CellSide;
    int cells = 0;
    CellLight plainSum{};
    CellWeights weight{};
    CellLight pull{}; // the sum of W seen
    float constant = 0;

    void add(const CellTarget& cell);
};

// The summed error of a character over the target's cells (CellError of each, added).
float TargetError(const CharacterTarget& target, const CellLight& seenCharacter);

// The colours a character may take, with their points in the space the cells are in.
struct CharacterPalette {
    std::vector<ColorValue> colors;
    std::vector<Light> light;
};

// One character for all the target's cells, every line of it two colours of the palette
// (or one): each line's pair and pattern are chosen by error diffusion over the cells'
// summed light (`spread` of each pixel's error passed on, 0..1), then pixels and line
// colours are changed while that lowers the summed error as the eye sees it.
CellPixels DeriveCharacter(const CharacterTarget& target, const CharacterPalette& palette,
                           const CellBlur& blur, float spread);

// The points of a cell's pixels (NoColor pixels are never seen and count as zero).
CellLight PointsOfCell(CellSpace space, const CellPixels& pixels);

} // namespace murelo
