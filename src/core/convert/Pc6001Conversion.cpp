#include "core/convert/Pc6001Conversion.h"

#include "core/convert/CoarsePreview.h"
#include "core/convert/HalfTone.h"
#include "core/convert/PcConversion.h"

#include <vector>

namespace murelo {

namespace {

constexpr int P6RowResidues = 16;
constexpr int P6GroupWidth = 4;
constexpr int Color8SetB = 4; // set A is 0..3, set B 4..7

// Column groups of four wide pixels in a row (the last one may be short).
int P6GroupsPerRow(int width) {
    return (width / 2 + P6GroupWidth - 1) / P6GroupWidth;
}

struct P6Position {
    int u;
    int y;
    ColorRec adjusted;
};

void ConvertP6Group(ConversionState& state, int groupIndex) {
    const int w = state.source.width();
    const int h = state.source.height();
    const int wide = w / 2;
    const int perRow = P6GroupsPerRow(w);
    const int g = groupIndex / perRow;
    const int u0 = P6GroupWidth * (groupIndex % perRow);
    const IndexRange& range = ConversionRange(state.params.PaletteKind);

    // At most 4 wide pixels in each of the group's rows.
    std::vector<P6Position> positions;
    positions.reserve(std::size_t(P6GroupWidth * (h / P6RowResidues + 1)));
    int votesB = 0;
    for (int y = g; y < h; y += P6RowResidues) {
        for (int u = u0; u < u0 + P6GroupWidth && u < wide; ++u) {
            const ColorRec adjusted = AdjustedSource(state, 2 * u, y);
            if (NearestIndexIn(state, adjusted, range.first, range.last) / Color8SetB == 1)
                ++votesB;
            positions.push_back({u, y, adjusted});
        }
    }
    // A tie chooses set B.
    const int first = 2 * votesB >= int(positions.size()) ? Color8SetB : 0;
    for (const P6Position& pos : positions) {
        const int index = NearestIndexIn(state, pos.adjusted, first, first + Color8SetB - 1);
        PaintWidePixel(state, pos.u, pos.y, ConversionColor(state, index));
    }
}

int BlockConversion(ConversionState& state, int start, int height) {
    if (start == 0)
        FillSampledBlocks(state, 4, height);
    return 1;
}

} // namespace

int Pc6001SquarePass(ConversionState& state, int start) {
    const int w = state.source.width();
    return RunUnits(state, start, PixelCount(state), [&](int i) {
        const int x = i % w;
        const int y = i / w;
        const int index = NearestInRange(state, AdjustedSource(state, x, y));
        state.result.setPixel(x, y, ConversionColor(state, index));
    });
}

int WidePixelEnd(int width, int height) {
    return (width / 2) * height;
}

int Pc6001WidePass(ConversionState& state, int start) {
    const int wide = state.source.width() / 2;
    const int end = WidePixelEnd(state.source.width(), state.source.height());
    return RunUnits(state, start, end, [&](int i) {
        const int u = i % wide;
        const int y = i / wide;
        const int index = NearestInRange(state, AdjustedSource(state, 2 * u, y));
        PaintWidePixel(state, u, y, ConversionColor(state, index));
    });
}

bool UsesP6Rules(const ConversionState& state) {
    return state.params.P6Rules && state.params.PaletteKind == KindColor8 &&
           state.source.height() >= P6RowResidues && state.source.width() >= 2;
}

int P6RulesEnd(int width) {
    return P6RowResidues * P6GroupWidth * P6GroupsPerRow(width);
}

int P6RulesPass(ConversionState& state, int start) {
    const int end = P6RulesEnd(state.source.width());
    state.budget.begin();
    int a = start;
    while (a < end && !state.budget.spent()) {
        ConvertP6Group(state, a / P6GroupWidth);
        a += P6GroupWidth;
    }
    return a;
}

int Pc6001Blocks4x4Conversion(ConversionState& state, int start) {
    return BlockConversion(state, start, 4);
}

int Pc6001Blocks4x6Conversion(ConversionState& state, int start) {
    return BlockConversion(state, start, 6);
}

int Pc6001HalfTonePass(ConversionState& state, int start) {
    const int w = state.source.width();
    return RunUnits(state, start, PixelCount(state), [&](int i) {
        const int x = i % w;
        const int y = i / w;
        DrawHalfTonePixel(state, x, y, x, y);
    });
}

int Pc6001WideHalfTonePass(ConversionState& state, int start) {
    const int wide = state.source.width() / 2;
    const int end = WidePixelEnd(state.source.width(), state.source.height());
    return RunUnits(state, start, end, [&](int i) {
        const int x = 2 * (i % wide);
        const int y = i / wide;
        DrawHalfTonePixel(state, x, y, x, y);
    });
}

std::unique_ptr<ModeConversion> StartPc6001Square(ConversionState& state) {
    PreparePcTables(state);
    return std::make_unique<PassMode>(Pc6001SquarePass, PixelCount(state));
}

std::unique_ptr<ModeConversion> StartPc6001Wide(ConversionState& state) {
    PreparePcTables(state);
    if (UsesP6Rules(state))
        return std::make_unique<PassMode>(P6RulesPass, P6RulesEnd(state.source.width()));
    return std::make_unique<PassMode>(Pc6001WidePass,
                                      WidePixelEnd(state.source.width(), state.source.height()));
}

std::unique_ptr<ModeConversion> StartPc6001Tall(ConversionState& state) {
    PreparePcTables(state);
    return std::make_unique<PassMode>(RowPairPass, PixelCount(state));
}

std::unique_ptr<ModeConversion> StartPc6001Blocks4x4(ConversionState& state) {
    PreparePcTables(state);
    return std::make_unique<PassMode>(Pc6001Blocks4x4Conversion, 1);
}

std::unique_ptr<ModeConversion> StartPc6001Blocks4x6(ConversionState& state) {
    PreparePcTables(state);
    return std::make_unique<PassMode>(Pc6001Blocks4x6Conversion, 1);
}

std::unique_ptr<ModeConversion> StartPc6001HalfTone(ConversionState& state) {
    PreparePcTables(state);
    return std::make_unique<PassMode>(Pc6001HalfTonePass, PixelCount(state));
}

std::unique_ptr<ModeConversion> StartPc6001WideHalfTone(ConversionState& state) {
    PreparePcTables(state);
    return std::make_unique<PassMode>(Pc6001WideHalfTonePass,
                                      WidePixelEnd(state.source.width(), state.source.height()));
}

} // namespace murelo
