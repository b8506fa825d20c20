#pragma once

#include "core/convert/ColorMath.h"
#include "core/convert/ConversionDriver.h"
#include "core/convert/ConversionState.h"
#include "core/palette/Palettes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace murelo::test {

// A conversion state of its own on the heap (its buffers are large) holding `source`.
inline std::unique_ptr<ConversionState> StateFor(const Picture& source, int paletteKind = 0) {
    auto state = std::make_unique<ConversionState>();
    state->source = source;
    state->params.PaletteKind = paletteKind;
    return state;
}

// A state for calling a page's passes directly: the result starts as the source and the
// converter palette of `kind` is loaded, as a start through the driver would leave them.
inline std::unique_ptr<ConversionState> PcStateFor(const Picture& source, int kind, int editMode) {
    auto state = std::make_unique<ConversionState>();
    state->source = source;
    state->result = source;
    state->params.PaletteKind = kind;
    state->EditMode = editMode;
    LoadConverterPalette(state->palette, kind);
    return state;
}

// Runs a plan's passes up to its end index, then its finish if it has one.
inline void RunPlanToEnd(ConversionState& state, const ConversionPlan& plan) {
    int i = 0;
    while (i < plan.end)
        i = plan.pass(state, i);
    EXPECT_EQ(i, plan.end);
    if (plan.finish)
        plan.finish(state);
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
