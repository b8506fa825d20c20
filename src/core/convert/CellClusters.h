#pragma once

#include "core/convert/CellCharacter.h"

#include <array>
#include <vector>

namespace murelo {

// How a cell looks from a little away: its blurred light in 4 x 4 patches of 2 x 2 pixels,
// each as LookOf, so that the distance of two features is close to their CIEDE2000.
inline constexpr int FeatureSize = 4 * 4 * 3;
using CellFeature = std::array<float, FeatureSize>;

CellFeature FeatureOf(CellSpace space, const CellTarget& cell);

float FeatureDistance(const CellFeature& a, const CellFeature& b);

// Groups of cells alike, found bottom-up: every group starts as one unit (cells drawn the
// same already), and the two groups whose merging adds the least spread of features
// (Ward's criterion: the sizes weigh in, so big groups do not swallow everything) merge
// until few enough remain. Only units of one kind (the visible size of their cells) merge.
// The work goes one step at a time, so that it can be cut anywhere and go on alike.
class CellClusters {
  public:
    struct Unit {
        CellFeature feature{};
        int cells = 1;
        int kind = 0;
    };
    CellClusters(std::vector<Unit> units, int wanted);

    // One step of the work (a unit's nearest neighbour, or one merge); false once done.
    bool step();
    bool done() const { return done_; }
    // The group of every unit, numbered 0.. in the order of each group's first unit.
    std::vector<int> groups() const;
    int groupCount() const { return active_; }

  private:
    float mergeCost(int i, int j) const;
    void findNearest(int i);
    void merge();

    std::vector<Unit> units_;
    std::vector<bool> alive_;
    std::vector<int> parent_;
    std::vector<int> nearest_;
    std::vector<float> nearestCost_;
    int wanted_;
    int active_;
    int initialised_ = 0;
    bool done_ = false;
};

} // namespace murelo
