#pragma once

#include "core/convert/CharacterCount.h"
#include "core/palette/ColorValue.h"

#include <array>

namespace murelo {

// Linear-light red, green and blue, 0..1.
using Light = std::array<float, 3>;

// A symmetric 3 x 3 matrix: how much a difference of light costs at one pixel, as
// d' W d. Being quadratic, the costs of many cells against one character add up into one
// such matrix per pixel.
struct LightWeight {
    float rr = 0, rg = 0, rb = 0, gg = 0, gb = 0, bb = 0;
    LightWeight& operator+=(const LightWeight& w);
};

Light LightOf(ColorValue color);
Light LightOf(int red, int green, int blue);

inline Light operator+(const Light& p, const Light& q) {
    return {p[0] + q[0], p[1] + q[1], p[2] + q[2]};
}
inline Light operator-(const Light& p, const Light& q) {
    return {p[0] - q[0], p[1] - q[1], p[2] - q[2]};
}
inline Light operator*(float s, const Light& p) {
    return {s * p[0], s * p[1], s * p[2]};
}
inline float Dot(const Light& p, const Light& q) {
    return p[0] * q[0] + p[1] * q[1] + p[2] * q[2];
}
inline Light Times(const LightWeight& w, const Light& d) {
    return {w.rr * d[0] + w.rg * d[1] + w.rb * d[2], w.rg * d[0] + w.gg * d[1] + w.gb * d[2],
            w.rb * d[0] + w.gb * d[1] + w.bb * d[2]};
}
inline float Cost(const LightWeight& w, const Light& d) {
    return Dot(d, Times(w, d));
}
LightWeight Scaled(const LightWeight& w, float s);

// Where cells and characters are compared. Dithered characters are compared in linear
// light, where a blur mixes colours as the eye does, with CIEDE2000 taken as locally linear
// around each source colour; plain ones pixel by pixel in CIELAB, where the large
// differences between a pixel and its palette colour are measured without that
// approximation. A point is three coordinates of the space; LightWeight serves both.
enum class CellSpace { Linear, Lab };

// The point of an sRGB colour (channels 0..255) in the space.
Light PointOf(CellSpace space, int red, int green, int blue);
Light PointOf(CellSpace space, ColorValue color);

// The weight of a small difference around `point`: CIEDE2000's lightness, chroma and hue
// scales at that colour (in linear light through CIELAB's derivative there), squared.
LightWeight LocalWeight(CellSpace space, const Light& point);

// The look of a patch (the mean of points) as the cell grouping compares them: CIELAB
// lightness with the opponent axes shrunk as CIEDE2000 shrinks chroma at saturated colours.
std::array<float, 3> LookOf(CellSpace space, const Light& point);

// The blur the eye applies to a dither, kept inside one cell: every cell of a character
// must carry its own average, wherever it stands. A Gaussian of sigma 1 pixel (radius 2)
// for dithered characters; none for the plain ones, whose pixels are compared one by one.
// The weights of each output pixel add up to 1 over the visible part of the cell.
class CellBlur {
  public:
    explicit CellBlur(bool blurred);
    bool blurred() const { return blurred_; }
    // The weight of input q for output p along one axis of `visible` pixels (1..8).
    float weight(int visible, int p, int q) const {
        return taps_[std::size_t(visible)][std::size_t(p)][std::size_t(q)];
    }
    // How far an input reaches along one axis.
    int reach() const { return blurred_ ? 2 : 0; }
    // Blurs the cell's visible w x h pixels (outside them the result is zero).
    std::array<Light, CellArea> apply(const std::array<Light, CellArea>& in, int w, int h) const;

  private:
    bool blurred_;
    std::array<std::array<std::array<float, CellSide>, CellSide>, CellSide + 1> taps_{};
};

} // namespace murelo
