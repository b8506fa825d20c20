#pragma once

#include "core/convert/ColorMath.h"
#include "core/convert/PerceptualPoint.h"

#include <cstdint>
#include <span>
#include <vector>

namespace murelo {

// The pixels the dithered V9938 modes diffuse over, one per pixel the screen keeps: its
// point in the dither space (linear light, so errors add up as light does), the weights of
// its colour and its balanced sRGB colour.
struct DiffusionPicture {
    int width = 0;
    int height = 0;
    std::vector<DitherPoint> point;
    std::vector<std::int32_t> chroma;    // DitherChromaWeightOf, in 1/256
    std::vector<std::int32_t> lightness; // DitherWeightOf, in 1/16
    std::vector<ColorRec> rgb;
    // The lattice colour (ChipLevels) within the clean tolerance of the pixel, or -1: the
    // pixel takes it undithered wherever the colours in use hold it.
    std::vector<std::int16_t> clean;

    void resize(int w, int h);
    void set(std::size_t i, const ColorRec& balanced);
    // The mean of two colours in linear light (a pair of pixels the screen shows as one).
    void setMean(std::size_t i, const ColorRec& first, const ColorRec& second);
};

// A target of the diffusion: a point with the errors carried to it, in floats.
using FloatPoint = std::array<float, 3>;

// The squared distance of the search: lightness squared plus the opponent axes weighed by
// `chroma`/256 (how much hue and chroma differences count at that colour).
inline std::int64_t SearchDistance(const DitherPoint& t, const DitherPoint& p,
                                   std::int32_t chroma) {
    const std::int64_t l = std::int64_t(t[0]) - p[0];
    const std::int64_t a = std::int64_t(t[1]) - p[1];
    const std::int64_t b = std::int64_t(t[2]) - p[2];
    return l * l * 256 + (a * a + b * b) * chroma;
}

// Nearest of a short list of colours (a chosen palette, at most 16), by SearchDistance
// (worked out in floats).
class PaletteChooser {
  public:
    // The lattice colours of the list, each once.
    explicit PaletteChooser(const std::vector<int>& lattice);
    int nearest(const FloatPoint& t, std::int32_t chroma) const;
    const DitherPoint& point(int k) const { return points_[std::size_t(k)]; }
    int size() const { return int(points_.size()); }
    // The index of a lattice colour in the list, or -1.
    int slotOf(int lattice) const { return slots_[std::size_t(lattice)]; }

    static constexpr int MaxColors = 16;

  private:
    std::vector<DitherPoint> points_;
    std::array<std::int16_t, 512> slots_{};
    // The points by axis in floats, unused lanes far away: the search runs over four lanes
    // at a time.
    alignas(16) std::array<float, MaxColors> lightness_{};
    alignas(16) std::array<float, MaxColors> red_{};
    alignas(16) std::array<float, MaxColors> yellow_{};
};

// Nearest of SCREEN 8's 256 colours at the chip's levels; an index is the SCREEN 8 byte.
// Only the two levels around the target on each channel (in linear light) are tried, so a
// dither moves between the colours around an area's colour rather than far from it.
class Screen8Chooser {
  public:
    Screen8Chooser();
    int nearest(const FloatPoint& t, std::int32_t chroma) const;
    const DitherPoint& point(int k) const { return points_[std::size_t(k)]; }
    int size() const { return 256; }
    int slotOf(int lattice) const;

  private:
    std::vector<DitherPoint> points_;
    std::array<std::array<double, 3>, 3> toLinear_{}; // dither space to linear red, green, blue
};

// Serpentine Floyd-Steinberg diffusion of one row at a time in the dither space, the
// errors waiting for the next row kept here. A pixel whose own colour is within the clean
// tolerance of a colour of the list takes that colour and neither takes nor passes on any
// error, so flat areas, pure black and white and drawn colours stay clean.
class RowDiffusion {
  public:
    // How the error is shared out: Floyd-Steinberg's 7, 3, 5, 1 sixteenths for square dots;
    // for rows shown twice (one row of each pair kept) the rows below lie twice as far on
    // the screen as the next dot of the row, so more goes along the row: 10, 1, 4, 1.
    enum class Kernel { Square, RowsShownTwice };

    // strength: the share of each error passed on, in percent (0..100).
    RowDiffusion(int width, int strength, const DitherPoint& low, const DitherPoint& high,
                 Kernel kernel = Kernel::Square);

    // Diffuses row y of the picture (left to right on even rows, right to left on odd
    // ones) and writes the chosen indices into `out` (width entries, by column).
    template <class Chooser>
    void row(const DiffusionPicture& picture, int y, const Chooser& chooser, std::span<int> out);

  private:
    struct Shares {
        float ahead = 0, behindBelow = 0, below = 0, aheadBelow = 0;
    };
    int width_;
    Shares shares_;
    FloatPoint low_;
    FloatPoint high_;
    std::vector<FloatPoint> current_; // by column + 1
    std::vector<FloatPoint> next_;
};

// How near (in ΔE, about) a colour of the list a pixel must be to take it without dither.
inline constexpr double CleanToleranceDeltaE = 1.0;

// The dither-space point of each of the 512 lattice colours.
const std::array<DitherPoint, 512>& LatticePointTable();

// Whether a pixel of lightness weight `lightness` at squared search distance `distance` from
// a colour lies within the clean tolerance.
bool WithinCleanTolerance(std::int64_t distance, std::int32_t lightness);

// The box of the points with a quarter of their lightness range added on every side: a
// colour the list cannot reach may pull its neighbours toward it, but its error stays bounded.
void ReachBox(std::span<const DitherPoint> points, DitherPoint& low, DitherPoint& high);

} // namespace murelo
