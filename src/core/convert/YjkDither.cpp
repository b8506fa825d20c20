#include "core/convert/YjkDither.h"

#include "core/convert/Graphic2Dither.h"
#include "core/convert/PerceptualPoint.h"
#include "core/convert/YjkPaletteChoice.h"

#include <algorithm>
#include <climits>

namespace murelo {

namespace {

constexpr int StoredRows = 212;
constexpr std::int32_t MaxY8 = 1785;

std::int32_t ShareOf(int sixteenths, int strength) {
    return std::int32_t((std::int64_t(65536) * sixteenths * strength + 800) / 1600);
}

std::int32_t Share(std::int32_t error, std::int32_t share) {
    return std::int32_t((std::int64_t(error) * share + 32768) >> 16);
}

DitherPoint Sum(const DitherPoint& p, const DitherPoint& q) {
    return {p[0] + q[0], p[1] + q[1], p[2] + q[2]};
}

DitherPoint Difference(const DitherPoint& p, const DitherPoint& q) {
    return {p[0] - q[0], p[1] - q[1], p[2] - q[2]};
}

// The source colour moved by the "Y element", "J element" and "K element" bars, in the
// units the design's YJK items use for them.
ColorValue Balanced(ColorValue c, const YjkBalance& b) {
    if (b == YjkBalance{})
        return c & 0xFFFFFF;
    ColorRec rec = ColorRecFromColorYjk(c);
    rec.Y8 = std::clamp(rec.Y8 + b.YOffset * MaxY8 / 200, 0, MaxY8);
    rec.J8 += b.JOffset * 512 / 100;
    rec.K8 += b.KOffset * 512 / 100;
    return YjkToColor(rec);
}

// Where the group's chroma is likely to be: the mean J and K of its pixels, in the chip's
// 5-bit units.
Chroma EstimatedChroma(const std::array<ColorRec, YjkGroupSize>& rgb, int count) {
    std::int64_t j8 = 0;
    std::int64_t k8 = 0;
    for (int i = 0; i < count; ++i) {
        const ColorRec& r = rgb[std::size_t(i)];
        j8 += 6 * r.R - r.G - 4 * r.B;
        k8 += 7 * r.G - 2 * r.R - 4 * r.B;
    }
    const std::int64_t scale = std::int64_t(8) * 255 * count;
    auto level = [&](std::int64_t v) {
        const std::int64_t n = v * YjkMaxLevel;
        return int(n >= 0 ? (n + scale / 2) / scale : -((-n + scale / 2) / scale));
    };
    return {level(j8), level(k8)};
}

} // namespace

struct YjkDitherConversion::Group {
    int x0 = 0;
    int y = 0;
    int count = 0;
    int step = 1; // +1 left to right, -1 right to left
    std::array<ColorRec, YjkGroupSize> rgb{};
    std::array<DitherPoint, YjkGroupSize> raw{};
    std::array<YjkPixelTarget, YjkGroupSize> target{}; // with the errors from above
    // The index in the group of the n-th pixel visited.
    int visit(int n) const { return step > 0 ? n : count - 1 - n; }
};

YjkDitherConversion::YjkDitherConversion(ConversionState& state, YjkScreen screen)
    : screen_(screen), width_(state.source.width()), height_(state.source.height()) {
    groupsPerRow_ = (width_ + YjkGroupSize - 1) / YjkGroupSize;
    end_ = groupsPerRow_ * height_;
    store_ = width_ == ScreenByteWidth && height_ <= StoredRows &&
             state.screenBytes.size() >= std::size_t(ScreenByteWidth) * std::size_t(height_);
    balanced_.reserve(state.source.pixels().size());
    for (ColorValue c : state.source.pixels())
        balanced_.push_back(Balanced(c, state.params.Yjk));
    onGrid_.assign(256, false);
    for (int l = 0; l < YjkLevelCount; ++l)
        onGrid_[std::size_t(ChipValue5(l))] = true;
    if (screen_ == YjkScreen::Screen10) {
        palette_ = ChooseYjkPalette(balanced_, width_);
        paletteCount_ = int(palette_.size());
        for (std::size_t i = 0; i < palette_.size(); ++i) {
            palettePoints_[i] = TheYjkSpace().point(palette_[i]);
            const ColorValue c = ColorOfPaletteLevels(palette_[i]);
            state.quantizerPalette[i] = {std::uint8_t(BlueOf(c)), std::uint8_t(GreenOf(c)),
                                         std::uint8_t(RedOf(c)), 0};
        }
    }
    const int strength =
        std::clamp(state.params.DitherStrength, DitherStrengthMin, DitherStrengthMax);
    shares_ = {ShareOf(7, strength), ShareOf(3, strength), ShareOf(5, strength),
               ShareOf(1, strength)};
    low_ = {INT32_MAX, INT32_MAX, INT32_MAX};
    high_ = {INT32_MIN, INT32_MIN, INT32_MIN};
    for (int corner = 0; corner < 8; ++corner) {
        const DitherPoint p =
            DitherPointOf(RgbRec(corner & 1 ? 255 : 0, corner & 2 ? 255 : 0, corner & 4 ? 255 : 0));
        for (std::size_t k = 0; k < 3; ++k) {
            low_[k] = std::min(low_[k], p[k]);
            high_[k] = std::max(high_[k], p[k]);
        }
    }
    // A little room beyond the colours the chip shows lets a colour it cannot reach pull
    // its neighbours toward it; without a bound such errors would grow without end.
    const std::int32_t margin = (high_[0] - low_[0]) / 4;
    for (std::size_t k = 0; k < 3; ++k) {
        low_[k] -= margin;
        high_[k] += margin;
    }
    rowErrors_.assign(std::size_t(width_) + 2, DitherPoint{});
    nextErrors_.assign(std::size_t(width_) + 2, DitherPoint{});
}

int YjkDitherConversion::pass(ConversionState& state, int start) {
    return RunUnits(state, start, end_, [&](int unit) { convertGroup(state, unit); });
}

DitherPoint YjkDitherConversion::clamped(const DitherPoint& p) const {
    return {std::clamp(p[0], low_[0], high_[0]), std::clamp(p[1], low_[1], high_[1]),
            std::clamp(p[2], low_[2], high_[2])};
}

void YjkDitherConversion::startRow() {
    std::swap(rowErrors_, nextErrors_);
    std::fill(nextErrors_.begin(), nextErrors_.end(), DitherPoint{});
    carry_ = {};
}

YjkDitherConversion::Group YjkDitherConversion::groupOf(int unit) const {
    Group g;
    g.y = unit / groupsPerRow_;
    const int k = unit % groupsPerRow_;
    g.step = (g.y & 1) ? -1 : 1;
    const int column = g.step > 0 ? k : groupsPerRow_ - 1 - k;
    g.x0 = column * YjkGroupSize;
    g.count = std::min(YjkGroupSize, width_ - g.x0);
    const ColorValue* row = balanced_.data() + std::size_t(g.y) * std::size_t(width_);
    for (int i = 0; i < g.count; ++i) {
        const int x = g.x0 + i;
        const ColorRec rgb = ColorRecFromColor(row[x]);
        g.rgb[std::size_t(i)] = rgb;
        g.raw[std::size_t(i)] = DitherPointOf(rgb);
        YjkPixelTarget& t = g.target[std::size_t(i)];
        t.point = clamped(Sum(g.raw[std::size_t(i)], rowErrors_[std::size_t(x + 1)]));
        t.weight = DitherWeightOf(rgb);
        t.chroma = DitherChromaWeightOf(rgb);
    }
    return g;
}

void YjkDitherConversion::paletteCosts(YjkGroupProblem& problem) const {
    for (int i = 0; i < problem.count; ++i) {
        std::int64_t best = YjkCostUnreached;
        for (int p = 0; p < paletteCount_; ++p)
            best = std::min(best,
                            YjkCost(problem.pixel[std::size_t(i)], palettePoints_[std::size_t(p)]));
        problem.paletteCost[std::size_t(i)] = best;
    }
}

YjkGroupProblem YjkDitherConversion::problemOf(const Group& group, bool withErrors) const {
    YjkGroupProblem problem;
    problem.screen = screen_;
    problem.count = group.count;
    for (int i = 0; i < group.count; ++i) {
        YjkPixelTarget& t = problem.pixel[std::size_t(i)];
        t = group.target[std::size_t(i)];
        if (!withErrors)
            t.point = group.raw[std::size_t(i)];
    }
    if (withErrors) {
        YjkPixelTarget& first = problem.pixel[std::size_t(group.visit(0))];
        first.point = clamped(Sum(first.point, carry_));
    }
    paletteCosts(problem);
    return problem;
}

bool YjkDitherConversion::exactGroup(const Group& group) const {
    for (int i = 0; i < group.count; ++i) {
        const ColorRec& c = group.rgb[std::size_t(i)];
        if (!onGrid_[std::size_t(c.R)] || !onGrid_[std::size_t(c.G)] || !onGrid_[std::size_t(c.B)])
            return false;
    }
    return true;
}

void YjkDitherConversion::spread(int x, int step, const DitherPoint& e) {
    auto add = [&](int column, std::int32_t share) {
        DitherPoint& slot = nextErrors_[std::size_t(column + 1)];
        for (std::size_t k = 0; k < 3; ++k)
            slot[k] += Share(e[k], share);
    };
    add(x - step, shares_.belowBehind);
    add(x, shares_.below);
    add(x + step, shares_.belowAhead);
}

std::array<std::uint8_t, 4> YjkDitherConversion::draw(Group& group, const Chroma& c, bool diffuse) {
    const YjkSpace& space = TheYjkSpace();
    std::array<std::uint8_t, 4> bytes{};
    DitherPoint carry = diffuse ? carry_ : DitherPoint{};
    for (int n = 0; n < group.count; ++n) {
        const int i = group.visit(n);
        YjkPixelTarget t = group.target[std::size_t(i)];
        t.point = diffuse ? clamped(Sum(t.point, carry)) : group.raw[std::size_t(i)];
        const LumaChoice luma = BestLuma(t, c.j, c.k, screen_, YjkMaxLevel / 2);
        DitherPoint shown = space.point(luma.y, c.j, c.k);
        std::int64_t best = luma.cost;
        std::uint8_t byte = screen_ == YjkScreen::Screen12 ? std::uint8_t(luma.y << 3)
                                                           : std::uint8_t((luma.y >> 1) << 4);
        for (int p = 0; p < paletteCount_; ++p) {
            const std::int64_t cost = YjkCost(t, palettePoints_[std::size_t(p)]);
            if (cost < best) {
                best = cost;
                shown = palettePoints_[std::size_t(p)];
                byte = std::uint8_t((p << 4) | YjkAttributeBit);
            }
        }
        bytes[std::size_t(i)] = std::uint8_t(byte | ChromaBitsOf(i, c.j, c.k));
        if (diffuse) {
            const DitherPoint e = Difference(t.point, shown);
            carry = {Share(e[0], shares_.ahead), Share(e[1], shares_.ahead),
                     Share(e[2], shares_.ahead)};
            spread(group.x0 + i, group.step, e);
        }
    }
    // Errors end at a group drawn exactly: flat areas and pure black and white stay clean.
    carry_ = diffuse ? carry : DitherPoint{};
    return bytes;
}

void YjkDitherConversion::convertGroup(ConversionState& state, int unit) {
    if (unit % groupsPerRow_ == 0 && unit > 0)
        startRow();
    Group group = groupOf(unit);
    const std::array<Chroma, 2> starts = {EstimatedChroma(group.rgb, group.count), last_};
    bool diffuse = true;
    Chroma chroma;
    if (exactGroup(group)) {
        const ChromaChoice raw = SearchChroma(problemOf(group, false), starts, work_);
        if (raw.cost == 0) {
            diffuse = false;
            chroma = raw.chroma;
        }
    }
    if (diffuse)
        chroma = SearchChroma(problemOf(group, true), starts, work_).chroma;
    const std::array<std::uint8_t, 4> bytes = draw(group, chroma, diffuse);
    last_ = chroma;
    const std::array<ColorValue, YjkGroupSize> shown = DecodeYjkGroup(bytes, screen_, palette_);
    ColorValue* out = state.result.row(group.y);
    for (int i = 0; i < group.count; ++i) {
        out[group.x0 + i] = shown[std::size_t(i)];
        if (store_)
            state.screenBytes[std::size_t(group.y) * ScreenByteWidth + std::size_t(group.x0 + i)] =
                bytes[std::size_t(i)];
    }
}

std::unique_ptr<ModeConversion> StartYjk10Dithered(ConversionState& state) {
    return std::make_unique<YjkDitherConversion>(state, YjkScreen::Screen10);
}

std::unique_ptr<ModeConversion> StartYjk12Dithered(ConversionState& state) {
    return std::make_unique<YjkDitherConversion>(state, YjkScreen::Screen12);
}

} // namespace murelo
