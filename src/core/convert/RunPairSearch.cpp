#include "core/convert/RunPairSearch.h"

#include "core/convert/DitherField.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace murelo {

namespace {

// What changing a pixel fixed to its colour costs on top of its error: more than any error,
// so that it changes only when its run holds more fixed colours than the rule allows.
constexpr float FixedPenalty = 1e15f;
// Colours nearest a run's aim that the pairs are built from.
constexpr int NearColours = 4;
static_assert(std::tuple_size_v<RunCosts::value_type> == DitherRunLength);

// A run's pixels and the run seen as a group.
struct RunView {
    int count = 0;
    std::array<std::size_t, DitherRunLength> pixel{};
    std::array<LinearColor, DitherRunLength> now{};
    std::array<int, DitherRunLength> own{}; // the fixed colour, or NoIndex
    std::uint32_t fixedColours = 0;
    // What each pixel's turning to each colour costs on its own (ChangeCost, and the
    // penalty for pixels fixed to another colour), by colour, then pixel. Every entry is
    // written before use.
    RunCosts cost;
    // The group: its mean metric and the mean colour it would best move to on its own.
    Metric metric{};
    LinearColor aim{};
};

// Moving every pixel of the run by the same d changes the score by S d'Md + 2 d.G (G the
// field summed over the run), least at d = -M^-1 G / S: the run's aim is its mean value
// moved by that much.
LinearColor GroupAim(const Metric& m, const LinearColor& mean, const LinearColor& g, float s) {
    const float c00 = m[1] * m[2] - m[5] * m[5], c01 = m[4] * m[5] - m[3] * m[2];
    const float c02 = m[3] * m[5] - m[4] * m[1], c11 = m[0] * m[2] - m[4] * m[4];
    const float c12 = m[3] * m[4] - m[0] * m[5], c22 = m[0] * m[1] - m[3] * m[3];
    const float det = m[0] * c00 + m[3] * c01 + m[4] * c02;
    if (!(det > 0) || !(s > 0))
        return mean;
    const float k = 1.0f / (det * s);
    return {mean.r - k * (c00 * g.r + c01 * g.g + c02 * g.b),
            mean.g - k * (c01 * g.r + c11 * g.g + c12 * g.b),
            mean.b - k * (c02 * g.r + c12 * g.g + c22 * g.b)};
}

RunView ViewOf(const DitherWork& work, const RunSpot& run) {
    RunView v;
    v.count = run.count;
    const std::size_t p0 = std::size_t(run.y) * std::size_t(work.width) + std::size_t(run.x0);
    LinearColor mean{}, g{};
    for (int i = 0; i < run.count; ++i) {
        const std::size_t p = p0 + std::size_t(i);
        v.pixel[std::size_t(i)] = p;
        const LinearColor now = ValueOf(work, p);
        v.now[std::size_t(i)] = now;
        v.own[std::size_t(i)] = work.fixed[p] ? work.index[p] : NoIndex;
        if (work.fixed[p])
            v.fixedColours |= 1u << work.index[p];
        mean = {mean.r + now.r, mean.g + now.g, mean.b + now.b};
        const LinearColor& f = work.field[p];
        g = {g.r + f.r, g.g + f.g, g.b + f.b};
        for (int k = 0; k < 6; ++k)
            v.metric[std::size_t(k)] += work.metric[p][std::size_t(k)];
    }
    RunColourCosts(work, p0, run.count, v.now.data(), v.cost);
    for (int i = 0; i < run.count; ++i)
        if (v.own[std::size_t(i)] != NoIndex)
            for (int k = work.first; k <= work.last; ++k) {
                float& cost = v.cost[std::size_t(k)][std::size_t(i)];
                cost = k == v.own[std::size_t(i)] ? 0 : cost + FixedPenalty;
            }
    const float inv = 1.0f / float(run.count);
    mean = {mean.r * inv, mean.g * inv, mean.b * inv};
    for (float& x : v.metric)
        x *= inv;
    v.aim = GroupAim(v.metric, mean, g, work.groupReach[std::size_t(run.count)]);
    return v;
}

struct Ranked {
    float distance = 0;
    int a = 0;
    int b = 0;
};

// The pairs whose mixtures come nearest the run's aim (distance in the run's metric from
// the aim to the segment between the two colours), best first; ties keep palette order.
// With fixed pixels, also the pair nearest the aim among those holding their colours.
int RankPairs(const DitherWork& work, const RunView& v, std::array<Ranked, 5>& out) {
    // By palette index, so that the loop over the second colour runs in vector registers:
    // w = colour - aim, mw = M w, d = w'Mw.
    // Every entry is written below.
    alignas(16) std::array<std::array<float, 16>, 3> w, mw;
    alignas(16) std::array<float, 16> d;
    for (std::size_t k = 0; k < 16; ++k) {
        const float x = work.channel[0][k] - v.aim.r, y = work.channel[1][k] - v.aim.g,
                    z = work.channel[2][k] - v.aim.b;
        const LinearColor m = Times(v.metric, x, y, z);
        w[0][k] = x, w[1][k] = y, w[2][k] = z;
        mw[0][k] = m.r, mw[1][k] = m.g, mw[2][k] = m.b;
        d[k] = x * m.r + y * m.g + z * m.b;
    }
    constexpr int finalists = 2;
    int kept = 0;
    float worst = INFINITY; // the distance a pair must beat to be kept
    auto offer = [&](float distance, int a, int b) {
        int at = std::min(kept, finalists - 1);
        while (at > 0 && distance < out[std::size_t(at - 1)].distance) {
            out[std::size_t(at)] = out[std::size_t(at - 1)];
            --at;
        }
        out[std::size_t(at)] = {distance, a, b};
        kept = std::min(kept + 1, finalists);
        if (kept == finalists)
            worst = out[finalists - 1].distance;
    };
    // Pairs holding every fixed colour of the run, when it has some.
    Ranked holding{INFINITY, -1, -1};
    // One colour of a good pair is among the few nearest the aim: the segment to the aim
    // from the far side passes close to it only if the near end is near too.
    std::array<int, NearColours> order{};
    int nearest = 0;
    for (int k = work.first; k <= work.last; ++k) {
        const float dk = d[std::size_t(k)];
        if (nearest == NearColours && !(dk < d[std::size_t(order[NearColours - 1])]))
            continue;
        int at = std::min(nearest, NearColours - 1);
        while (at > 0 && dk < d[std::size_t(order[std::size_t(at - 1)])]) {
            order[std::size_t(at)] = order[std::size_t(at - 1)];
            --at;
        }
        order[std::size_t(at)] = k;
        nearest = std::min(nearest + 1, NearColours);
    }
    alignas(16) std::array<float, 16> row; // written whole for each colour a
    for (int n = 0; n < nearest; ++n) {
        const int a = order[std::size_t(n)];
        const std::size_t ia = std::size_t(a);
        const float xa = w[0][ia], ya = w[1][ia], za = w[2][ia], da = d[ia];
        int below = 0;
        for (std::size_t b = 0; b < 16; ++b) {
            const float cross = xa * mw[0][b] + ya * mw[1][b] + za * mw[2][b];
            const float span = da + d[b] - 2 * cross;
            const float lead = da - cross;
            // The aim's foot on the segment lies between the two colours.
            const bool between = (span > 0) & (lead > 0) & (lead < span);
            const float inside = da - lead * lead / std::max(span, 1e-30f);
            const float end = std::min(da, d[b]);
            row[b] = between ? inside : end;
            below |= int(row[b] < worst);
        }
        // Most rows hold no pair to keep: the loop below would do nothing.
        if (!below && !v.fixedColours)
            continue;
        // Pairs with a nearer colour were offered with that one first.
        for (int b = work.first; b <= work.last; ++b) {
            if (b != a && d[std::size_t(b)] < d[ia])
                continue;
            if (b != a && d[std::size_t(b)] == d[ia] && b < a)
                continue;
            const int lo = std::min(a, b), hi = std::max(a, b);
            if (row[std::size_t(b)] < worst)
                offer(row[std::size_t(b)], lo, hi);
            if (v.fixedColours) {
                const std::uint32_t pair = (1u << a) | (1u << b);
                if ((v.fixedColours & ~pair) == 0 && row[std::size_t(b)] < holding.distance)
                    holding = {row[std::size_t(b)], lo, hi};
            }
        }
    }
    if (holding.a >= 0) {
        bool listed = false;
        for (int i = 0; i < kept; ++i)
            listed = listed ||
                     (out[std::size_t(i)].a == holding.a && out[std::size_t(i)].b == holding.b);
        if (!listed)
            out[std::size_t(kept++)] = holding;
    }
    return kept;
}

// The pair scoring best when each pixel takes the cheaper of its two colours alone, among
// the pairs of the colours that are some pixel's cheapest or second cheapest.
// Four pixels' floats, or their indices or masks, in one vector register (a GCC and Clang
// extension): the compiler keeps the selects below in branches otherwise, and which way
// they go cannot be foretold.
using Floats4 = float __attribute__((vector_size(16)));
using Ints4 = std::int32_t __attribute__((vector_size(16)));

Floats4 Load4(const float* from) {
    Floats4 v;
    std::memcpy(&v, from, sizeof v);
    return v;
}

Ranked AloneBest(const DitherWork& work, const RunView& v) {
    // The cheapest and second cheapest colour of every pixel, four pixels at a time,
    // colour after colour. c1 <= c2 throughout, so a colour below c1 is below c2 too.
    std::uint32_t set = 0;
    for (int from = 0; from < v.count; from += 4) {
        Floats4 c1 = Load4(&v.cost[std::size_t(work.first)][std::size_t(from)]);
        Floats4 c2 = {INFINITY, INFINITY, INFINITY, INFINITY};
        Ints4 k1 = {work.first, work.first, work.first, work.first}, k2 = k1;
        for (int k = work.first + 1; k <= work.last; ++k) {
            const Floats4 c = Load4(&v.cost[std::size_t(k)][std::size_t(from)]);
            const Ints4 colour = {k, k, k, k};
            const Ints4 top = c < c1, second = c < c2;
            const Floats4 c2Kept = second ? c : c2;
            const Ints4 k2Kept = second ? colour : k2;
            c2 = top ? c1 : c2Kept;
            k2 = top ? k1 : k2Kept;
            c1 = top ? c : c1;
            k1 = top ? colour : k1;
        }
        for (int i = 0; i < std::min(4, v.count - from); ++i)
            set |= (1u << k1[i]) | (1u << k2[i]);
    }
    int colours[16] = {};
    int n = 0;
    while (set) {
        colours[n++] = std::countr_zero(set);
        set &= set - 1;
    }
    Ranked best{INFINITY, colours[0], colours[0]};
    for (int i = 0; i < n; ++i)
        for (int j = i; j < n; ++j) {
            const std::size_t a = std::size_t(colours[i]), b = std::size_t(colours[j]);
            float sum = 0;
            for (int p = 0; p < v.count; ++p)
                sum += std::min(v.cost[a][std::size_t(p)], v.cost[b][std::size_t(p)]);
            if (sum < best.distance)
                best = {sum, int(a), int(b)};
        }
    return best;
}

// Up to four pairs drawn pixel by pixel at once, one pair per vector lane (unused lanes
// repeat the first pair): each pixel takes the cheaper colour given the changes its run
// neighbours to the left made (they reach it through A(dx, 0)). Each lane takes the
// operations, in the order, a pair drawn on its own would; drawn together, one pair's
// wait for its previous pixel's choice overlaps the others'.
constexpr int PairLanes = 4;

struct DrawnPairs {
    std::array<Ints4, DitherRunLength> pick; // written for the run's pixels
    Floats4 cost{};                          // the change of the score each pair makes
};

DrawnPairs DrawPairs(const DitherWork& work, const RunView& v, const Ranked* pairs, int count) {
    Ints4 a, b;
    Floats4 ar, ag, ab, br, bg, bb; // the pairs' colours, channel by channel
    for (int l = 0; l < PairLanes; ++l) {
        const Ranked& r = pairs[l < count ? l : 0];
        const LinearColor& ca = work.colour[std::size_t(r.a)];
        const LinearColor& cb = work.colour[std::size_t(r.b)];
        a[l] = r.a, b[l] = r.b;
        ar[l] = ca.r, ag[l] = ca.g, ab[l] = ca.b;
        br[l] = cb.r, bg[l] = cb.g, bb[l] = cb.b;
    }
    // What either colour of each pair changes at a pixel, d = colour - now and u = M d, and
    // what it costs alone. None of it depends on the choices made before: worked out as
    // the pixel comes, it is done while those choices are still being made.
    struct Side {
        Floats4 dr, dg, db, ur, ug, ub, cost;
    };
    auto side = [&](const Floats4& r, const Floats4& g, const Floats4& bl, const Ints4& k, int i,
                    const Metric& m) {
        const LinearColor& now = v.now[std::size_t(i)];
        Side s;
        s.dr = r - now.r, s.dg = g - now.g, s.db = bl - now.b;
        s.ur = m[0] * s.dr + m[3] * s.dg + m[4] * s.db;
        s.ug = m[3] * s.dr + m[1] * s.dg + m[5] * s.db;
        s.ub = m[4] * s.dr + m[5] * s.dg + m[2] * s.db;
        for (int l = 0; l < PairLanes; ++l)
            s.cost[l] = v.cost[std::size_t(k[l])][std::size_t(i)];
        return s;
    };
    const float near = work.share * work.reach[0];
    std::array<float, FieldRadius + 1> reach;
    for (std::size_t t = 1; t <= FieldRadius; ++t)
        reach[t] = near * work.reach[t];
    DrawnPairs out;
    std::array<Floats4, DitherRunLength> ur, ug, ub; // the changes chosen, written before read
    for (int i = 0; i < v.count; ++i) {
        // The neighbours from the farthest (t = FieldRadius) to the nearest.
        Floats4 fr{}, fg{}, fb{};
#pragma GCC unroll 4
        for (int t = std::min(i, FieldRadius); t >= 1; --t) {
            const float r = reach[std::size_t(t)];
            const std::size_t j = std::size_t(i - t);
            fr += r * ur[j];
            fg += r * ug[j];
            fb += r * ub[j];
        }
        const Metric& m = work.metric[v.pixel[std::size_t(i)]];
        const Side pa = side(ar, ag, ab, a, i, m);
        const Side pb = side(br, bg, bb, b, i, m);
        const Floats4 ca = pa.cost + 2 * (pa.dr * fr + pa.dg * fg + pa.db * fb);
        const Floats4 cb = pb.cost + 2 * (pb.dr * fr + pb.dg * fg + pb.db * fb);
        const Ints4 second = cb < ca; // ties keep the first colour
        out.pick[std::size_t(i)] = second ? b : a;
        out.cost += second ? cb : ca;
        ur[std::size_t(i)] = second ? pb.ur : pa.ur;
        ug[std::size_t(i)] = second ? pb.ug : pa.ug;
        ub[std::size_t(i)] = second ? pb.ub : pa.ub;
    }
    return out;
}

// The run's pair now, as (first, second) in palette order.
std::pair<int, int> PairNow(const DitherWork& work, const RunView& v) {
    int a = work.index[v.pixel[0]], b = a;
    for (int i = 1; i < v.count; ++i) {
        const int k = work.index[v.pixel[std::size_t(i)]];
        if (k != a)
            b = k;
    }
    return {std::min(a, b), std::max(a, b)};
}

} // namespace

RunChoice ChooseRun(const DitherWork& work, const RunSpot& run, bool current) {
    const RunView v = ViewOf(work, run);
    std::array<Ranked, 5> ranked{};
    const int count = RankPairs(work, v, ranked);
    RunChoice best;
    bool any = false;
    const std::pair<int, int> now = current ? PairNow(work, v) : std::pair<int, int>{-1, -1};
    // The pair its pixels would take choosing alone, which keeps an edge inside the run
    // that the group's mean does not see.
    const Ranked alone = AloneBest(work, v);
    bool listed = false;
    for (int i = 0; i < count; ++i)
        listed =
            listed || (ranked[std::size_t(i)].a == alone.a && ranked[std::size_t(i)].b == alone.b);
    int all = count;
    if (!listed)
        ranked[std::size_t(all++)] = alone;
    // At most three ranked pairs and the alone pair: one lane each.
    const DrawnPairs drawn = DrawPairs(work, v, ranked.data(), all);
    for (int i = 0; i < all; ++i) {
        const Ranked& r = ranked[std::size_t(i)];
        // Redrawing the pair the run has now is the pixel flips' job.
        if (current && r.a == now.first && r.b == now.second)
            continue;
        if (!any || drawn.cost[i] < best.cost) {
            best = RunChoice{r.a, r.b, {}, drawn.cost[i]};
            for (int p = 0; p < v.count; ++p)
                best.pick[std::size_t(p)] = drawn.pick[std::size_t(p)][i];
            any = true;
        }
    }
    if (!any) {
        best = RunChoice{now.first, now.second, {}, 0};
        for (int i = 0; i < v.count; ++i)
            best.pick[std::size_t(i)] = work.index[v.pixel[std::size_t(i)]];
    }
    return best;
}

void DrawRunChoice(DitherWork& work, const RunSpot& run, const RunChoice& choice) {
    std::array<LinearColor, DitherRunLength> u{};
    const std::size_t p0 = std::size_t(run.y) * std::size_t(work.width) + std::size_t(run.x0);
    for (int i = 0; i < run.count; ++i) {
        const std::size_t p = p0 + std::size_t(i);
        const int k = choice.pick[std::size_t(i)];
        if (work.index[p] == k)
            continue;
        const LinearColor d = Minus(work.colour[std::size_t(k)], ValueOf(work, p));
        u[std::size_t(i)] = Times(work.metric[p], d.r, d.g, d.b);
        work.index[p] = std::int8_t(k);
    }
    SpreadRunChanges(work, run.x0, run.y, run.count, u.data());
}

void SettleRun(DitherWork& work, const RunSpot& run) {
    DrawRunChoice(work, run, ChooseRun(work, run, false));
}

bool ImproveRun(DitherWork& work, const RunSpot& run) {
    const RunChoice choice = ChooseRun(work, run, true);
    if (!(choice.cost < 0))
        return false;
    DrawRunChoice(work, run, choice);
    return true;
}

} // namespace murelo
