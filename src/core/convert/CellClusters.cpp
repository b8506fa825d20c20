#include "core/convert/CellClusters.h"

#include <limits>

namespace murelo {

namespace {

constexpr float Apart = std::numeric_limits<float>::infinity();

} // namespace

CellFeature FeatureOf(CellSpace space, const CellTarget& cell) {
    CellFeature feature{};
    for (int by = 0; by < 4; ++by)
        for (int bx = 0; bx < 4; ++bx) {
            Light sum{};
            int count = 0;
            for (int y = 2 * by; y < 2 * by + 2; ++y)
                for (int x = 2 * bx; x < 2 * bx + 2; ++x)
                    if (x < cell.width && y < cell.height) {
                        sum = sum + cell.seen[std::size_t(y * CellSide + x)];
                        ++count;
                    }
            if (count == 0)
                continue; // beyond the picture: the same for every cell of the kind
            const std::array<float, 3> look = LookOf(space, (1.0f / float(count)) * sum);
            for (int k = 0; k < 3; ++k)
                feature[std::size_t((by * 4 + bx) * 3 + k)] = look[std::size_t(k)];
        }
    return feature;
}

float FeatureDistance(const CellFeature& a, const CellFeature& b) {
    float sum = 0;
    for (std::size_t k = 0; k < a.size(); ++k) {
        const float d = a[k] - b[k];
        sum += d * d;
    }
    return sum;
}

CellClusters::CellClusters(std::vector<Unit> units, int wanted)
    : units_(std::move(units)), alive_(units_.size(), true), parent_(units_.size()),
      nearest_(units_.size(), -1), nearestCost_(units_.size(), Apart), wanted_(wanted),
      active_(int(units_.size())) {
    for (std::size_t i = 0; i < units_.size(); ++i)
        parent_[i] = int(i);
    done_ = active_ <= wanted_;
}

float CellClusters::mergeCost(int i, int j) const {
    const Unit& a = units_[std::size_t(i)];
    const Unit& b = units_[std::size_t(j)];
    if (a.kind != b.kind)
        return Apart;
    const float sizes = float(a.cells) * float(b.cells) / float(a.cells + b.cells);
    return sizes * FeatureDistance(a.feature, b.feature);
}

void CellClusters::findNearest(int i) {
    nearest_[std::size_t(i)] = -1;
    nearestCost_[std::size_t(i)] = Apart;
    for (int j = 0; j < int(units_.size()); ++j) {
        if (j == i || !alive_[std::size_t(j)])
            continue;
        const float c = mergeCost(i, j);
        if (c < nearestCost_[std::size_t(i)]) {
            nearestCost_[std::size_t(i)] = c;
            nearest_[std::size_t(i)] = j;
        }
    }
}

void CellClusters::merge() {
    int i = -1;
    for (int k = 0; k < int(units_.size()); ++k)
        if (alive_[std::size_t(k)] && nearest_[std::size_t(k)] >= 0 &&
            (i < 0 || nearestCost_[std::size_t(k)] < nearestCost_[std::size_t(i)]))
            i = k;
    if (i < 0) {
        done_ = true; // only units of different kinds are left
        return;
    }
    const int a = std::min(i, nearest_[std::size_t(i)]);
    const int b = std::max(i, nearest_[std::size_t(i)]);
    Unit& ua = units_[std::size_t(a)];
    const Unit& ub = units_[std::size_t(b)];
    const float total = float(ua.cells + ub.cells);
    for (std::size_t k = 0; k < ua.feature.size(); ++k)
        ua.feature[k] = (ua.feature[k] * float(ua.cells) + ub.feature[k] * float(ub.cells)) / total;
    ua.cells += ub.cells;
    alive_[std::size_t(b)] = false;
    parent_[std::size_t(b)] = a;
    --active_;
    findNearest(a);
    for (int k = 0; k < int(units_.size()); ++k) {
        if (!alive_[std::size_t(k)] || k == a)
            continue;
        if (nearest_[std::size_t(k)] == a || nearest_[std::size_t(k)] == b) {
            findNearest(k);
            continue;
        }
        const float c = mergeCost(k, a);
        if (c < nearestCost_[std::size_t(k)] ||
            (c == nearestCost_[std::size_t(k)] && a < nearest_[std::size_t(k)])) {
            nearestCost_[std::size_t(k)] = c;
            nearest_[std::size_t(k)] = a;
        }
    }
    done_ = active_ <= wanted_;
}

bool CellClusters::step() {
    if (done_)
        return false;
    if (initialised_ < int(units_.size())) {
        findNearest(initialised_++);
        return true;
    }
    merge();
    return !done_;
}

std::vector<int> CellClusters::groups() const {
    std::vector<int> root(units_.size());
    std::vector<int> number(units_.size(), -1);
    std::vector<int> out(units_.size());
    int next = 0;
    for (std::size_t i = 0; i < units_.size(); ++i) {
        int r = int(i);
        while (parent_[std::size_t(r)] != r)
            r = parent_[std::size_t(r)];
        if (number[std::size_t(r)] < 0)
            number[std::size_t(r)] = next++;
        out[i] = number[std::size_t(r)];
    }
    return out;
}

} // namespace murelo
