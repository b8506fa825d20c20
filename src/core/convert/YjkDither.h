#pragma once

#include "core/convert/ModeConversion.h"
#include "core/convert/YjkSearch.h"

#include <memory>
#include <vector>

namespace murelo {

// "YJK Video Mode (SCREEN 10/11) Dithered" and "YJK Video Mode (SCREEN 12) Dithered".
// Every group of four pixels gets the chroma, and each of its pixels the luminance (or in
// SCREEN 10/11 the palette colour), that leaves the least perceptual error against what
// the V9958 decodes; the error is diffused Floyd-Steinberg fashion at the "Dither" strength,
// rows in alternating directions. The preview is the decoding of the stored bytes, so it is
// what an MSX shows. One unit is one group; the row errors live in the object.
class YjkDitherConversion final : public ModeConversion {
  public:
    YjkDitherConversion(ConversionState& state, YjkScreen screen);

    int end() const override { return end_; }
    int pass(ConversionState& state, int start) override;

    const YjkPalette& palette() const { return palette_; }

  private:
    struct Group; // where a unit's group lies and what it aims at

    Group groupOf(int unit) const;
    void startRow();
    void convertGroup(ConversionState& state, int unit);
    YjkGroupProblem problemOf(const Group& group, bool withErrors) const;
    void paletteCosts(YjkGroupProblem& problem) const;
    bool exactGroup(const Group& group) const;
    // Draws the group with chroma c: each pixel in visiting order takes its best choice for
    // its target plus the carried error, whose rest goes on. Returns the four bytes.
    std::array<std::uint8_t, 4> draw(Group& group, const Chroma& c, bool diffuse);
    void spread(int x, int step, const DitherPoint& e);
    DitherPoint clamped(const DitherPoint& p) const;

    YjkScreen screen_;
    int width_ = 0;
    int height_ = 0;
    int groupsPerRow_ = 0;
    int end_ = 0;
    bool store_ = false;
    std::vector<ColorValue> balanced_; // the source after the Y, J and K bars
    std::vector<bool> onGrid_;         // channel values the chip shows exactly
    YjkPalette palette_{};
    std::array<DitherPoint, 16> palettePoints_{};
    int paletteCount_ = 0; // 16 in SCREEN 10/11, none in 12
    DiffusionShares shares_;
    DitherPoint low_{};
    DitherPoint high_{};
    std::vector<DitherPoint> rowErrors_; // by column + 1 (a slot each side)
    std::vector<DitherPoint> nextErrors_;
    DitherPoint carry_{};
    Chroma last_{};
    ChromaSearchWork work_;
};

// Mode factories (ModeFactory).
std::unique_ptr<ModeConversion> StartYjk10Dithered(ConversionState& state);
std::unique_ptr<ModeConversion> StartYjk12Dithered(ConversionState& state);

} // namespace murelo
