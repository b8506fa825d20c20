#pragma once

#include "core/convert/ColorMath.h"
#include "core/convert/Conversion.h"
#include "core/convert/ConversionState.h"
#include "core/palette/Palettes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <ostream>
#include <random>
#include <vector>

namespace murelo {

// How a failing check shows the table's enums.
inline std::ostream& operator<<(std::ostream& os, ConverterPage page) {
    return os << Describe(page).name;
}
inline std::ostream& operator<<(std::ostream& os, ModeId mode) {
    return os << Describe(mode).caption;
}

} // namespace murelo

namespace murelo::test {

// A conversion state of its own on the heap (its buffers are large) holding `source`.
inline std::unique_ptr<ConversionState> StateFor(const Picture& source, int paletteKind = 0) {
    auto state = std::make_unique<ConversionState>();
    state->source = source;
    state->params.PaletteKind = paletteKind;
    return state;
}

// A state for running a mode's passes directly: the result starts as the source and the
// converter palette of `kind` is loaded, as a start would leave them, without the coarse
// preview, so a test sees only what the passes draw.
inline std::unique_ptr<ConversionState> PcStateFor(const Picture& source, int kind, ModeId mode) {
    auto state = std::make_unique<ConversionState>();
    state->source = source;
    state->result = source;
    state->params.PaletteKind = kind;
    state->mode = mode;
    LoadConverterPalette(state->palette, kind);
    return state;
}

// Makes the state's mode (its working state kept in state.work for a look afterwards) and
// runs its passes, each of at most `units` units when given, up to its end, then its finish.
inline ModeConversion& RunModeToEnd(ConversionState& state, int units = 0) {
    state.work = Describe(state.mode).start(state);
    if (units > 0)
        state.budget = PassBudget(60000, units);
    int i = 0;
    while (i < state.work->end())
        i = state.work->pass(state, i);
    EXPECT_EQ(i, state.work->end());
    state.work->finish(state);
    return *state.work;
}

// The working state of the state's mode, as the mode's own class.
template <class Mode> const Mode& WorkOf(const ConversionState& state) {
    return dynamic_cast<const Mode&>(*state.work);
}

// The colour of palette entry `index` of `kind`.
inline ColorValue Entry(int kind, int index) {
    return PaletteColor(kind, index);
}

// One row of pixels given as palette indices of `kind`.
inline Picture RowOfIndices(int kind, const std::vector<int>& indices, int height = 1) {
    Picture picture(int(indices.size()), height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < int(indices.size()); ++x)
            picture.setPixel(x, y, PaletteColor(kind, indices[std::size_t(x)]));
    return picture;
}

// The palette indices of row y of a picture in `kind` (-1 for a colour outside it).
inline std::vector<int> IndicesOfRow(const Picture& picture, int kind, int y) {
    std::vector<int> out;
    for (int x = 0; x < picture.width(); ++x)
        out.push_back(PaletteIndexOf(picture.pixel(x, y), kind));
    return out;
}

// Every pixel a random colour, the same for the same seed.
inline Picture NoisePicture(int width, int height, unsigned seed) {
    std::mt19937 random(seed);
    Picture picture(width, height);
    for (ColorValue& c : picture.pixels())
        c = random() & 0xFFFFFF;
    return picture;
}

// A deterministic picture with gradients, noise and hard edges.
inline Picture NaturalPicture(int width, int height, unsigned seed = 1) {
    Picture picture(width, height);
    unsigned s = seed * 2654435761u + 12345u;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            s = s * 1103515245u + 12345u;
            const int noise = int((s >> 16) % 41) - 20;
            int r = (x * 255) / (width > 1 ? width - 1 : 1) + noise;
            int g = (y * 255) / (height > 1 ? height - 1 : 1) - noise;
            int b = ((x + y) * 4) % 256 + noise / 2;
            if ((x / 13 + y / 11) % 5 == 0) // blocks of flat colour with hard edges
                r = g = b = ((x / 13) * 50) % 256;
            picture.setPixel(
                x, y,
                RgbColor(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255)));
        }
    }
    return picture;
}

} // namespace murelo::test
