#pragma once

#include "core/convert/ColorMath.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace murelo {

// A colour in linear light, each channel 0..1.
struct LinearColor {
    float r = 0;
    float g = 0;
    float b = 0;
    friend bool operator==(const LinearColor&, const LinearColor&) = default;
};

// What mixtures of a palette's colours can show. Dots of palette colours blur, in the eye,
// into mixtures of their light: every colour inside the hull of the palette's colours (in
// linear light) can be shown, none outside it. A colour outside is aimed at the mixture
// CIEDE2000 finds closest; aiming at it outright, instead of letting the diffused error pull
// ever harder toward what no mixture reaches, keeps hues true (a saturated yellow stays a
// paler yellow rather than drifting to orange) and keeps the error from running away.
class GamutMap {
  public:
    GamutMap() = default;
    // For the palette colours given (repeated colours are fine); `threads` share the table.
    explicit GamutMap(const std::vector<ColorRec>& colours, int threads = 1);

    // The colours it was made for, in the order given.
    const std::vector<ColorRec>& colours() const { return colours_; }
    // Whether it was made for these colours (their red, green and blue), in this order.
    bool MadeFor(const std::vector<ColorRec>& colours) const;

    // An sRGB colour (channels 0..255) as the mixture to aim at, in linear light: the colour
    // itself when the palette's mixtures hold it, else the closest mixture (from a table
    // over a 17-level grid, interpolated).
    LinearColor Map(const ColorRec& rgb) const;

    // Whether the mixtures hold this linear colour (a little tolerance for rounding).
    bool Holds(const LinearColor& c) const;
    // Holds of an sRGB colour's linear light, answered from its grid cell: only the faces
    // whose planes pass near the cell can tell.
    bool Shows(const ColorRec& rgb) const;

    // The mixture closest to a linear colour by CIEDE2000, searched over the hull's faces:
    // what the table holds at its grid points.
    LinearColor Closest(const LinearColor& c) const;

    static constexpr int GridLevels = 17;

  private:
    struct Face {
        float nx = 0, ny = 0, nz = 0, d = 0; // outward normal; inside when n.c <= d
    };

    void BuildHull(const std::vector<LinearColor>& points);
    void BuildSamples(const std::vector<LinearColor>& points);
    void BuildCellFaces();

    std::vector<ColorRec> colours_;
    std::vector<Face> faces_;
    std::vector<std::array<int, 3>> faceCorners_;
    // Mixtures sampled over the faces, and their CIELAB by axis (for a quick first look).
    std::vector<LinearColor> samples_;
    std::vector<float> sampleL_, sampleA_, sampleB_;
    // Per grid point, the shift from the grid colour to its mixture (zero inside).
    std::vector<LinearColor> shift_;
    // Per grid cell (16 levels a side), whether all its corners lie inside: the hull being
    // convex, so does every colour of the cell.
    std::vector<std::uint8_t> cellInside_;
    // Per grid cell, the faces Holds must test there (cellFaces_[cellStart_[cell] ..
    // cellStart_[cell + 1]]), or none and cellOutside_ when one face leaves the whole cell
    // outside.
    std::vector<std::uint32_t> cellStart_;
    std::vector<std::uint16_t> cellFaces_;
    std::vector<std::uint8_t> cellOutside_;
};

// The map for these colours, shared: building one takes tens of milliseconds, and a batch
// converts picture after picture with the same palette, each in a conversion of its own.
// The maps of the last few palettes asked for are kept for the process (they never change
// once built); asking from several threads at once is safe.
std::shared_ptr<const GamutMap> SharedGamutMap(const std::vector<ColorRec>& colours,
                                               int threads = 1);

} // namespace murelo
