#include "core/convert/CellCharacter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace murelo {

namespace {

constexpr std::size_t At(int x, int y) {
    return std::size_t(y * CellSide + x);
}

// Lines keep this many pairs, the closest to the line's mean, for the diffusion to try.
constexpr int ShortlistSize = 8;
// Past this many rounds of changes the gains are too small to be worth the time.
constexpr int RefineRounds = 4;

struct Pair {
    int first;
    int second;
};

// How a character is being drawn: a palette slot per line and colour, which of the two
// each pixel takes, and what the eye sees of it against the target.
struct Drawing {
    std::array<Pair, CellSide> lines{};
    std::array<bool, CellArea> second{};
    CellLight seen{};
    CellLight residual{}; // W seen - pull: half the gradient of the error by seen light
};

// Errors carried along (in linear light: only dithered characters diffuse) stay near the
// colours a screen can show.
float Clamp(float v) {
    return std::clamp(v, -0.1f, 1.1f);
}

std::vector<Pair> AllPairs(int colours) {
    std::vector<Pair> pairs;
    for (int a = 0; a < colours; ++a)
        for (int b = a; b < colours; ++b)
            pairs.push_back({a, b});
    return pairs;
}

// How well the pair can make the line's mean colour with whole pixels.
float MeanFit(const Light& mean, const LightWeight& w, const Light& a, const Light& b, int count) {
    const Light d = b - a;
    const float span = Cost(w, d);
    float t = span > 0 ? Dot(mean - a, Times(w, d)) / span : 0;
    t = std::clamp(t, 0.0f, 1.0f);
    t = std::round(t * float(count)) / float(count);
    return Cost(w, mean - (a + t * d));
}

// The error diffusion of one line with one pair: the cost, and with `out` the pixels and
// the error each left.
float TraceLine(const std::array<Light, CellSide>& values,
                const std::array<LightWeight, CellSide>& w, int count, const Light& a,
                const Light& b, float ahead, bool* second, Light* error) {
    Light carry{};
    float cost = 0;
    for (int x = 0; x < count; ++x) {
        const Light v = values[std::size_t(x)] + carry;
        // The choice aims past the value by the carry it took, as the cost counts the
        // error seen across this pixel and the one before it.
        const Light aim = v + carry;
        const bool useB = Cost(w[std::size_t(x)], aim - b) < Cost(w[std::size_t(x)], aim - a);
        const Light e = v - (useB ? b : a);
        cost += Cost(w[std::size_t(x)], e + carry);
        carry = ahead * e;
        if (second) {
            second[x] = useB;
            error[x] = e;
        }
    }
    return cost;
}

int NearestSlot(const Light& v, const LightWeight& w, const CharacterPalette& palette) {
    int best = 0;
    float bestCost = Cost(w, v - palette.light[0]);
    for (int s = 1; s < int(palette.light.size()); ++s) {
        const float c = Cost(w, v - palette.light[std::size_t(s)]);
        if (c < bestCost) {
            bestCost = c;
            best = s;
        }
    }
    return best;
}

// The two colours most of the line's pixels are nearest to.
Pair MostFrequentPair(const std::array<Light, CellSide>& values,
                      const std::array<LightWeight, CellSide>& w, int count,
                      const CharacterPalette& palette) {
    std::vector<int> votes(palette.light.size(), 0);
    for (int x = 0; x < count; ++x)
        ++votes[std::size_t(NearestSlot(values[std::size_t(x)], w[std::size_t(x)], palette))];
    int first = int(std::max_element(votes.begin(), votes.end()) - votes.begin());
    int second = first;
    for (int s = 0; s < int(votes.size()); ++s)
        if (s != first && votes[std::size_t(s)] > 0 &&
            (second == first || votes[std::size_t(s)] > votes[std::size_t(second)]))
            second = s;
    return {std::min(first, second), std::max(first, second)};
}

Drawing Diffuse(const CharacterTarget& target, const CharacterPalette& palette, float spread) {
    Drawing drawing;
    const std::vector<Pair> pairs = AllPairs(int(palette.light.size()));
    const float cells = float(std::max(target.cells, 1));
    const float ahead = spread * 7 / 16;
    std::array<Light, CellSide + 2> below{};
    for (int y = 0; y < target.height; ++y) {
        std::array<Light, CellSide + 2> above = below;
        below = {};
        std::array<Light, CellSide> values{};
        std::array<LightWeight, CellSide> w{};
        Light mean{};
        LightWeight meanWeight;
        const int count = target.width;
        for (int x = 0; x < count; ++x) {
            const Light v = (1 / cells) * target.plainSum[At(x, y)] + above[std::size_t(x + 1)];
            values[std::size_t(x)] = spread > 0 ? Light{Clamp(v[0]), Clamp(v[1]), Clamp(v[2])} : v;
            w[std::size_t(x)] = Scaled(target.weight[At(x, y)], 1 / cells);
            mean = mean + (1.0f / float(count)) * values[std::size_t(x)];
            meanWeight += Scaled(w[std::size_t(x)], 1.0f / float(count));
        }
        // The pairs that can make the line's mean, and the pair its pixels lean to.
        std::vector<std::pair<float, int>> fits;
        for (int p = 0; p < int(pairs.size()); ++p)
            fits.push_back(
                {MeanFit(mean, meanWeight, palette.light[std::size_t(pairs[std::size_t(p)].first)],
                         palette.light[std::size_t(pairs[std::size_t(p)].second)], count),
                 p});
        const int kept = std::min(int(fits.size()), ShortlistSize);
        std::partial_sort(fits.begin(), fits.begin() + kept, fits.end());
        std::vector<Pair> tried;
        for (int i = 0; i < kept; ++i)
            tried.push_back(pairs[std::size_t(fits[std::size_t(i)].second)]);
        tried.push_back(MostFrequentPair(values, w, count, palette));
        Pair best = tried.front();
        float bestCost = -1;
        for (const Pair& pair : tried) {
            const float cost =
                TraceLine(values, w, count, palette.light[std::size_t(pair.first)],
                          palette.light[std::size_t(pair.second)], ahead, nullptr, nullptr);
            if (bestCost < 0 || cost < bestCost) {
                bestCost = cost;
                best = pair;
            }
        }
        bool second[CellSide] = {};
        Light error[CellSide] = {};
        TraceLine(values, w, count, palette.light[std::size_t(best.first)],
                  palette.light[std::size_t(best.second)], ahead, second, error);
        drawing.lines[std::size_t(y)] = best;
        for (int x = 0; x < count; ++x) {
            drawing.second[At(x, y)] = second[x];
            const Light& e = error[x];
            below[std::size_t(x)] = below[std::size_t(x)] + (spread * 3 / 16) * e;
            below[std::size_t(x + 1)] = below[std::size_t(x + 1)] + (spread * 5 / 16) * e;
            below[std::size_t(x + 2)] = below[std::size_t(x + 2)] + (spread * 1 / 16) * e;
        }
    }
    return drawing;
}

Light LightAt(const Drawing& d, const CharacterPalette& palette, int x, int y) {
    const Pair& line = d.lines[std::size_t(y)];
    return palette.light[std::size_t(d.second[At(x, y)] ? line.second : line.first)];
}

void See(Drawing& d, const CharacterTarget& target, const CharacterPalette& palette,
         const CellBlur& blur) {
    CellLight light{};
    for (int y = 0; y < target.height; ++y)
        for (int x = 0; x < target.width; ++x)
            light[At(x, y)] = LightAt(d, palette, x, y);
    d.seen = blur.apply(light, target.width, target.height);
    for (int y = 0; y < target.height; ++y)
        for (int x = 0; x < target.width; ++x)
            d.residual[At(x, y)] =
                Times(target.weight[At(x, y)], d.seen[At(x, y)]) - target.pull[At(x, y)];
}

// A change of light `delta` at some pixels, felt at each seen pixel with the share `s`:
// the error changes by 2 R.delta + delta' S delta, with R and S summed over the seen pixels.
struct Influence {
    Light r{};
    LightWeight s;
};

void Apply(Drawing& d, const CharacterTarget& target, const std::array<float, CellArea>& share,
           int y0, int y1, const Light& delta) {
    for (int y = y0; y <= y1; ++y)
        for (int x = 0; x < target.width; ++x) {
            const float s = share[At(x, y)];
            if (s == 0)
                continue;
            d.seen[At(x, y)] = d.seen[At(x, y)] + s * delta;
            d.residual[At(x, y)] = d.residual[At(x, y)] + s * Times(target.weight[At(x, y)], delta);
        }
}

Influence InfluenceOf(const Drawing& d, const CharacterTarget& target,
                      const std::array<float, CellArea>& share, int y0, int y1) {
    Influence in;
    for (int y = y0; y <= y1; ++y)
        for (int x = 0; x < target.width; ++x) {
            const float s = share[At(x, y)];
            if (s == 0)
                continue;
            in.r = in.r + s * d.residual[At(x, y)];
            in.s += Scaled(target.weight[At(x, y)], s * s);
        }
    return in;
}

float Change(const Influence& in, const Light& delta) {
    return 2 * Dot(in.r, delta) + Cost(in.s, delta);
}

// The share of every seen pixel in the pixels of line y whose `second` flag is `which`
// (or only in pixel x of it when `only` is set).
std::array<float, CellArea> SharesOf(const Drawing& d, const CharacterTarget& target,
                                     const CellBlur& blur, int y, bool which, int only) {
    std::array<float, CellArea> share{};
    const int r = blur.reach();
    const int w = target.width;
    const int h = target.height;
    for (int qx = 0; qx < w; ++qx) {
        if (only >= 0 ? qx != only : d.second[At(qx, y)] != which)
            continue;
        for (int py = std::max(0, y - r); py <= std::min(h - 1, y + r); ++py)
            for (int px = std::max(0, qx - r); px <= std::min(w - 1, qx + r); ++px)
                share[At(px, py)] += blur.weight(w, px, qx) * blur.weight(h, py, y);
    }
    return share;
}

constexpr float Gain = -1e-4f; // a change must lower the error by more than rounding noise

bool FlipPixels(Drawing& d, const CharacterTarget& target, const CharacterPalette& palette,
                const CellBlur& blur) {
    bool changed = false;
    const int r = blur.reach();
    for (int y = 0; y < target.height; ++y) {
        const Pair& line = d.lines[std::size_t(y)];
        if (line.first == line.second)
            continue;
        const int y0 = std::max(0, y - r);
        const int y1 = std::min(target.height - 1, y + r);
        for (int x = 0; x < target.width; ++x) {
            const bool now = d.second[At(x, y)];
            const Light delta = palette.light[std::size_t(now ? line.first : line.second)] -
                                palette.light[std::size_t(now ? line.second : line.first)];
            const std::array<float, CellArea> share = SharesOf(d, target, blur, y, now, x);
            if (Change(InfluenceOf(d, target, share, y0, y1), delta) < Gain) {
                Apply(d, target, share, y0, y1, delta);
                d.second[At(x, y)] = !now;
                changed = true;
            }
        }
    }
    return changed;
}

bool RecolourLines(Drawing& d, const CharacterTarget& target, const CharacterPalette& palette,
                   const CellBlur& blur) {
    bool changed = false;
    const int r = blur.reach();
    for (int y = 0; y < target.height; ++y) {
        const int y0 = std::max(0, y - r);
        const int y1 = std::min(target.height - 1, y + r);
        for (bool which : {false, true}) {
            const std::array<float, CellArea> share = SharesOf(d, target, blur, y, which, -1);
            if (std::all_of(share.begin(), share.end(), [](float s) { return s == 0; }))
                continue;
            Pair& line = d.lines[std::size_t(y)];
            int& slot = which ? line.second : line.first;
            const Influence in = InfluenceOf(d, target, share, y0, y1);
            const Light now = palette.light[std::size_t(slot)];
            int best = slot;
            float bestChange = Gain;
            for (int s = 0; s < int(palette.light.size()); ++s) {
                const float c = Change(in, palette.light[std::size_t(s)] - now);
                if (c < bestChange) {
                    bestChange = c;
                    best = s;
                }
            }
            if (best != slot) {
                Apply(d, target, share, y0, y1, palette.light[std::size_t(best)] - now);
                slot = best;
                changed = true;
            }
        }
    }
    return changed;
}

} // namespace

CellTarget MakeCellTarget(const CellLight& plain, int width, int height, const CellBlur& blur,
                          CellSpace space) {
    CellTarget cell;
    cell.width = width;
    cell.height = height;
    cell.plain = plain;
    cell.seen = blur.apply(plain, width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::size_t p = At(x, y);
            cell.weight[p] = LocalWeight(space, cell.seen[p]);
            cell.constant += Cost(cell.weight[p], cell.seen[p]);
        }
    return cell;
}

float CellError(const CellTarget& cell, const CellLight& seenCharacter) {
    float sum = 0;
    for (int y = 0; y < cell.height; ++y)
        for (int x = 0; x < cell.width; ++x)
            sum += Cost(cell.weight[At(x, y)], seenCharacter[At(x, y)] - cell.seen[At(x, y)]);
    return sum;
}

float CellDistance(const CellTarget& cell, const CellLight& seenCharacter) {
    float sum = 0;
    for (int y = 0; y < cell.height; ++y)
        for (int x = 0; x < cell.width; ++x)
            sum += std::sqrt(
                Cost(cell.weight[At(x, y)], seenCharacter[At(x, y)] - cell.seen[At(x, y)]));
    return sum;
}

void CharacterTarget::add(const CellTarget& cell) {
    width = cell.width;
    height = cell.height;
    ++cells;
    for (int y = 0; y < cell.height; ++y)
        for (int x = 0; x < cell.width; ++x) {
            const std::size_t p = At(x, y);
            plainSum[p] = plainSum[p] + cell.plain[p];
            weight[p] += cell.weight[p];
            pull[p] = pull[p] + Times(cell.weight[p], cell.seen[p]);
        }
    constant += cell.constant;
}

float TargetError(const CharacterTarget& target, const CellLight& seenCharacter) {
    float sum = target.constant;
    for (int y = 0; y < target.height; ++y)
        for (int x = 0; x < target.width; ++x) {
            const Light& c = seenCharacter[At(x, y)];
            sum += Cost(target.weight[At(x, y)], c) - 2 * Dot(c, target.pull[At(x, y)]);
        }
    return sum;
}

CellPixels DeriveCharacter(const CharacterTarget& target, const CharacterPalette& palette,
                           const CellBlur& blur, float spread) {
    CellPixels pixels;
    pixels.fill(NoColor);
    if (palette.light.empty() || target.cells == 0)
        return pixels;
    Drawing d = Diffuse(target, palette, spread);
    See(d, target, palette, blur);
    for (int round = 0; round < RefineRounds; ++round) {
        const bool flipped = FlipPixels(d, target, palette, blur);
        const bool recoloured = RecolourLines(d, target, palette, blur);
        if (!flipped && !recoloured)
            break;
    }
    for (int y = 0; y < target.height; ++y)
        for (int x = 0; x < target.width; ++x) {
            const Pair& line = d.lines[std::size_t(y)];
            pixels[At(x, y)] =
                palette.colors[std::size_t(d.second[At(x, y)] ? line.second : line.first)];
        }
    return pixels;
}

CellLight PointsOfCell(CellSpace space, const CellPixels& pixels) {
    CellLight points{};
    for (int p = 0; p < CellArea; ++p)
        if (pixels[std::size_t(p)] != NoColor)
            points[std::size_t(p)] = PointOf(space, pixels[std::size_t(p)]);
    return points;
}

} // namespace murelo
