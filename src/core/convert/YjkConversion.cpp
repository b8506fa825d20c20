#include "core/convert/YjkConversion.h"

namespace murelo {

namespace {

constexpr std::int32_t MaxY8 = 1785;

// Chroma offsets of the track bars in Y8 units (at most +-512).
std::int32_t ChromaOffset(std::int32_t offset) {
    return offset * 512 / 100;
}

// J or K in V9958 units as six stored bits (a quotient beyond -32..31 wraps).
int SixBits(std::int32_t term8) {
    return (term8 / 56) & 0x3F;
}

void SetChroma(std::array<ColorRec, 4>& group, const YjkBalance& balance, int convertType) {
    std::int32_t j = ChromaOffset(balance.JOffset);
    std::int32_t k = ChromaOffset(balance.KOffset);
    if (convertType == YjkNormal) {
        j += (group[0].J8 + group[1].J8 + group[2].J8 + group[3].J8) / 4;
        k += (group[0].K8 + group[1].K8 + group[2].K8 + group[3].K8) / 4;
    }
    for (ColorRec& rec : group) {
        rec.J8 = j;
        rec.K8 = k;
        if (convertType == YjkGrayScaleNtsc)
            rec.Y8 = Luminance7(rec);
    }
}

} // namespace

YjkGroup ConvertYjkGroup(const std::array<ColorValue, 4>& colors, int convertType,
                         const YjkBalance& balance, int screenMode) {
    std::array<ColorRec, 4> group;
    for (int k = 0; k < 4; ++k)
        group[std::size_t(k)] = ColorRecFromColorYjk(colors[std::size_t(k)]);
    SetChroma(group, balance, convertType);

    const int kc = SixBits(group[0].K8);
    const int jc = SixBits(group[0].J8);
    const std::array<int, 4> chromaBits = {kc & 7, (kc >> 3) & 7, jc & 7, (jc >> 3) & 7};
    YjkGroup out;
    for (int k = 0; k < 4; ++k) {
        ColorRec& rec = group[std::size_t(k)];
        rec.Y8 += balance.YOffset * MaxY8 / 200;
        ClampY8(rec, 0, MaxY8);
        const std::int32_t yq = rec.Y8;
        // 0..1785 stretched to 0..2040, so that white decodes to white.
        rec.Y8 += rec.Y8 / 7;
        out.preview[std::size_t(k)] = YjkToColor(rec);
        const int luma = screenMode == 12 ? (yq / 56) << 3 : (yq / 112) << 4;
        out.bytes[std::size_t(k)] = std::uint8_t(luma | chromaBits[std::size_t(k)]);
    }
    return out;
}

bool YjkStores(int width, int height) {
    return width == ScreenByteWidth && height <= ScreenByteRows;
}

int YjkEnd(const ConversionState& state) {
    const int w = state.source.width();
    return w < 4 ? 0 : w * state.source.height();
}

int ConvertYjkPass(ConversionState& state, int start, int convertType, int screenMode) {
    const int w = state.source.width();
    const int groups = w / 4;
    if (groups == 0)
        return start;
    const bool store = YjkStores(w, state.source.height());
    const YjkBalance balance = state.params.Yjk;
    return RunUnits(state, start, YjkEnd(state), [&](int i) {
        const int y = i / w;
        // Each row's units meet its groups W/4 at a time; the first round converts every
        // group once and the later rounds would only write the same pixels and bytes again.
        if (i - y * w >= groups)
            return;
        const int x0 = 4 * (i % groups);
        std::array<ColorValue, 4> colors;
        for (int k = 0; k < 4; ++k)
            colors[std::size_t(k)] = state.source.pixel(x0 + k, y);
        const YjkGroup group = ConvertYjkGroup(colors, convertType, balance, screenMode);
        for (int k = 0; k < 4; ++k) {
            state.result.setPixel(x0 + k, y, group.preview[std::size_t(k)]);
            if (store)
                state.screenBytes[std::size_t(y) * ScreenByteWidth + x0 + k] =
                    group.bytes[std::size_t(k)];
        }
    });
}

namespace {

int Yjk10Pass(ConversionState& state, int start) {
    return ConvertYjkPass(state, start, state.params.ConvertType, 10);
}

int Yjk12Pass(ConversionState& state, int start) {
    return ConvertYjkPass(state, start, state.params.ConvertType, 12);
}

} // namespace

std::unique_ptr<ModeConversion> StartYjk10(ConversionState& state) {
    return std::make_unique<PassMode>(Yjk10Pass, YjkEnd(state));
}

std::unique_ptr<ModeConversion> StartYjk12(ConversionState& state) {
    return std::make_unique<PassMode>(Yjk12Pass, YjkEnd(state));
}

} // namespace murelo
