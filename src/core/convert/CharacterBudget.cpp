#include "core/convert/CharacterBudget.h"

#include "core/convert/BalancedColor.h"
#include "core/convert/CellClusters.h"
#include "core/convert/ConversionState.h"

#include <algorithm>
#include <map>
#include <optional>

namespace murelo {

namespace {

// Rounds of moving cells and deriving characters again; the error falls little after these.
constexpr int MaxRounds = 6;
// A round that lowers the error by less than this share is the last.
constexpr float SmallFall = 0.002f;
// A cell weighs moving to this many groups whose look is nearest to its own.
constexpr int MoveChoices = 6;
// The most characters of a group's own cells tried as its character.
constexpr int OwnChoices = 6;
// How many of the worst-served cells an empty group weighs before it stays empty.
constexpr int ReseedTries = 3;

enum class Phase { Count, Look, Cluster, Choose, Move, Settle, Reseed, Decide, Write, Done };

struct Group {
    std::vector<int> cells;
    int kind = 0;
    bool dirty = true;
    bool drawn = false; // it has a character
    CellPixels pixels{};
    CellLight seen{};
    CellFeature centre{};
};

CharacterPalette PaletteOf(const ConversionState& state, CellSpace space) {
    CharacterPalette palette;
    const IndexRange& range = ConversionRange(state.params.PaletteKind);
    for (int i = range.first; i <= range.last; ++i) {
        const ColorValue c = ConversionColor(state, i);
        if (std::find(palette.colors.begin(), palette.colors.end(), c) != palette.colors.end())
            continue;
        palette.colors.push_back(c);
        palette.light.push_back(PointOf(space, c));
    }
    return palette;
}

class CharacterBudget : public ModeConversion {
  public:
    CharacterBudget(std::unique_ptr<ModeConversion> inner, ConversionState& state,
                    BudgetStyle style)
        : inner_(std::move(inner)), innerEnd_(inner_->end()), grid_(state.source),
          limit_(state.params.Characters), blur_(style == BudgetStyle::Dithered),
          space_(style == BudgetStyle::Dithered ? CellSpace::Linear : CellSpace::Lab),
          spread_(style == BudgetStyle::Dithered ? float(state.params.DitherStrength) / 100 : 0),
          palette_(PaletteOf(state, space_)) {
        const int cells = grid_.count();
        // Counting, a look at every cell, a nearest neighbour and a merge for every unit, then
        // per round a step for every group (twice) and cell and three more.
        steps_ = 4 + 3 * cells + MaxRounds * (3 * cells + 3);
    }

    int end() const override { return innerEnd_ + steps_; }

    int pass(ConversionState& state, int start) override {
        if (start < innerEnd_) {
            const int next = inner_->pass(state, start);
            if (next >= innerEnd_)
                inner_->finish(state);
            return next;
        }
        state.budget.begin();
        int i = start;
        while (phase_ != Phase::Done && i < end() - 1 && !state.budget.spent()) {
            step(state);
            ++i;
        }
        // The step count is an upper bound; should it ever be reached, the rest runs here.
        if (i >= end() - 1)
            while (phase_ != Phase::Done)
                step(state);
        return phase_ == Phase::Done ? end() : i;
    }

  private:
    void step(ConversionState& state);
    void count(const ConversionState& state);
    void look(const ConversionState& state, int cell);
    void startClusters();
    void takeClusters();
    void choose(int group);
    void move(int cell);
    void settle();
    void joinEqualCharacters();
    void reseed(int group);
    void decide();
    bool seed(Group& group, int index, int cell);
    float errorOf(int cell, const Group& group) const {
        return CellDistance(targets_[std::size_t(cell)], group.seen);
    }
    CellLight seenOf(const CellPixels& pixels, int w, int h) const {
        return blur_.apply(PointsOfCell(space_, pixels), w, h);
    }

    std::unique_ptr<ModeConversion> inner_;
    int innerEnd_;
    int steps_ = 0;
    CellGrid grid_;
    int limit_;
    CellBlur blur_;
    CellSpace space_;
    float spread_;
    CharacterPalette palette_;

    Phase phase_ = Phase::Count;
    int cursor_ = 0;
    int round_ = 0;
    float lastTotal_ = -1;
    std::vector<CellPixels> originals_; // what the mode drew in every cell
    std::vector<int> unitOf_;           // cells drawn alike share a unit
    std::vector<int> unitCount_;
    std::vector<int> kindOf_; // the visible size of every cell
    std::vector<CellTarget> targets_;
    std::vector<CellFeature> features_;
    std::vector<float> ownError_; // the error of each cell's own character
    std::vector<float> error_;    // the error of the character it has now
    std::optional<CellClusters> clusters_;
    std::vector<Group> groups_;
    std::vector<int> groupOf_;
    // The cells by how badly they are served, worst first, for the empty groups to take.
    std::vector<std::pair<float, int>> worst_; // (-error, cell)
    std::size_t nextWorst_ = 0;
};

void CharacterBudget::step(ConversionState& state) {
    switch (phase_) {
    case Phase::Count:
        count(state);
        return;
    case Phase::Look:
        look(state, cursor_++);
        if (cursor_ == grid_.count())
            startClusters();
        return;
    case Phase::Cluster:
        if (!clusters_->step())
            takeClusters();
        return;
    case Phase::Choose:
        choose(cursor_++);
        if (cursor_ == int(groups_.size())) {
            phase_ = Phase::Move;
            cursor_ = 0;
        }
        return;
    case Phase::Move:
        move(cursor_++);
        if (cursor_ == grid_.count())
            phase_ = Phase::Settle;
        return;
    case Phase::Settle:
        settle();
        return;
    case Phase::Reseed:
        reseed(cursor_++);
        if (cursor_ >= int(groups_.size()))
            phase_ = Phase::Decide;
        return;
    case Phase::Decide:
        decide();
        return;
    case Phase::Write:
        for (int cell = 0; cell < grid_.count(); ++cell)
            PutCell(state.result, grid_, cell,
                    groups_[std::size_t(groupOf_[std::size_t(cell)])].pixels);
        phase_ = Phase::Done;
        return;
    case Phase::Done:
        return;
    }
}

void CharacterBudget::count(const ConversionState& state) {
    const int cells = grid_.count();
    std::map<CellPixels, int> units;
    for (int cell = 0; cell < cells; ++cell) {
        originals_.push_back(CellOf(state.result, grid_, cell));
        const auto [at, added] = units.try_emplace(originals_.back(), int(units.size()));
        unitOf_.push_back(at->second);
        if (added)
            unitCount_.push_back(0);
        ++unitCount_[std::size_t(at->second)];
        kindOf_.push_back(grid_.visibleWidth(cell) * (CellSide + 1) + grid_.visibleHeight(cell));
    }
    if (int(units.size()) <= limit_ || palette_.colors.empty()) {
        phase_ = Phase::Done;
        return;
    }
    targets_.resize(std::size_t(cells));
    features_.resize(std::size_t(cells));
    ownError_.resize(std::size_t(cells));
    phase_ = Phase::Look;
    cursor_ = 0;
}

void CharacterBudget::look(const ConversionState& state, int cell) {
    const int w = grid_.visibleWidth(cell);
    const int h = grid_.visibleHeight(cell);
    CellLight plain{};
    for (int y = 0; y < h; ++y) {
        const ColorValue* row = state.source.row(grid_.top(cell) + y) + grid_.left(cell);
        for (int x = 0; x < w; ++x) {
            const ColorRec c = BalancedColor(state, row[x]);
            plain[std::size_t(y * CellSide + x)] = PointOf(space_, c.R, c.G, c.B);
        }
    }
    CellTarget& target = targets_[std::size_t(cell)];
    target = MakeCellTarget(plain, w, h, blur_, space_);
    features_[std::size_t(cell)] = FeatureOf(space_, target);
    ownError_[std::size_t(cell)] =
        CellDistance(target, seenOf(originals_[std::size_t(cell)], w, h));
}

void CharacterBudget::startClusters() {
    std::vector<CellClusters::Unit> units(unitCount_.size());
    for (std::size_t u = 0; u < units.size(); ++u)
        units[u].cells = unitCount_[u];
    for (int cell = 0; cell < grid_.count(); ++cell) {
        CellClusters::Unit& unit = units[std::size_t(unitOf_[std::size_t(cell)])];
        const float share = 1.0f / float(unit.cells);
        for (std::size_t k = 0; k < unit.feature.size(); ++k)
            unit.feature[k] += share * features_[std::size_t(cell)][k];
        unit.kind = kindOf_[std::size_t(cell)];
    }
    clusters_.emplace(std::move(units), limit_);
    phase_ = Phase::Cluster;
}

void CharacterBudget::takeClusters() {
    const std::vector<int> groupOfUnit = clusters_->groups();
    groups_.assign(std::size_t(clusters_->groupCount()), Group{});
    groupOf_.resize(std::size_t(grid_.count()));
    error_.assign(std::size_t(grid_.count()), 0);
    for (int cell = 0; cell < grid_.count(); ++cell) {
        const int g = groupOfUnit[std::size_t(unitOf_[std::size_t(cell)])];
        groupOf_[std::size_t(cell)] = g;
        groups_[std::size_t(g)].cells.push_back(cell);
        groups_[std::size_t(g)].kind = kindOf_[std::size_t(cell)];
    }
    clusters_.reset();
    phase_ = Phase::Choose;
    cursor_ = 0;
}

// The group's character: the best for its cells together of the one it has, the characters
// its own cells were drawn with and one derived for all of them.
void CharacterBudget::choose(int index) {
    Group& group = groups_[std::size_t(index)];
    if (!group.dirty || group.cells.empty())
        return;
    group.dirty = false;
    CharacterTarget target;
    group.centre = {};
    std::map<int, int> ownCount; // unit -> cells of the group drawn with it
    for (int cell : group.cells) {
        target.add(targets_[std::size_t(cell)]);
        ++ownCount[unitOf_[std::size_t(cell)]];
        for (std::size_t k = 0; k < group.centre.size(); ++k)
            group.centre[k] += features_[std::size_t(cell)][k] / float(group.cells.size());
    }
    std::vector<CellPixels> choices;
    if (group.drawn)
        choices.push_back(group.pixels);
    // The units most of its cells were drawn with (the earlier first among equals).
    std::vector<std::pair<int, int>> own; // (-cells, first cell)
    for (int cell : group.cells) {
        const int unit = unitOf_[std::size_t(cell)];
        if (ownCount[unit] > 0) {
            own.push_back({-ownCount[unit], cell});
            ownCount[unit] = 0;
        }
    }
    std::sort(own.begin(), own.end());
    for (std::size_t i = 0; i < own.size() && int(i) < OwnChoices; ++i)
        choices.push_back(originals_[std::size_t(own[i].second)]);
    if (own.size() > 1)
        choices.push_back(DeriveCharacter(target, palette_, blur_, spread_));
    float best = 0;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        const CellLight seen = seenOf(choices[i], target.width, target.height);
        float e = 0;
        for (int cell : group.cells)
            e += CellDistance(targets_[std::size_t(cell)], seen);
        if (i == 0 || e < best) {
            best = e;
            group.pixels = choices[i];
            group.seen = seen;
        }
    }
    group.drawn = true;
    for (int cell : group.cells)
        error_[std::size_t(cell)] = errorOf(cell, group);
}

// The cell goes to the group, among the few whose look is nearest to its own, whose
// character serves it best; it stays where it is unless another serves it better.
void CharacterBudget::move(int cell) {
    const int now = groupOf_[std::size_t(cell)];
    const int kind = kindOf_[std::size_t(cell)];
    std::vector<std::pair<float, int>> near;
    for (int g = 0; g < int(groups_.size()); ++g) {
        const Group& group = groups_[std::size_t(g)];
        if (g == now || group.kind != kind || !group.drawn || group.cells.empty())
            continue;
        near.push_back({FeatureDistance(features_[std::size_t(cell)], group.centre), g});
    }
    const int kept = std::min(int(near.size()), MoveChoices);
    std::partial_sort(near.begin(), near.begin() + kept, near.end());
    int best = now;
    float bestError = error_[std::size_t(cell)];
    for (int i = 0; i < kept; ++i) {
        const int g = near[std::size_t(i)].second;
        const float e = errorOf(cell, groups_[std::size_t(g)]);
        if (e < bestError) {
            bestError = e;
            best = g;
        }
    }
    if (best == now)
        return;
    groupOf_[std::size_t(cell)] = best;
    error_[std::size_t(cell)] = bestError;
    groups_[std::size_t(now)].dirty = true;
    groups_[std::size_t(best)].dirty = true;
}

// Groups that came to the same character are one: the later one's cells join the earlier,
// which frees a character of the budget for the cells served worst.
void CharacterBudget::joinEqualCharacters() {
    std::map<CellPixels, int> first;
    for (int g = 0; g < int(groups_.size()); ++g) {
        Group& group = groups_[std::size_t(g)];
        if (group.cells.empty() || !group.drawn)
            continue;
        const auto [at, added] = first.try_emplace(group.pixels, g);
        if (added)
            continue;
        Group& into = groups_[std::size_t(at->second)];
        for (int cell : group.cells)
            groupOf_[std::size_t(cell)] = at->second;
        into.cells.insert(into.cells.end(), group.cells.begin(), group.cells.end());
        std::sort(into.cells.begin(), into.cells.end());
        into.dirty = true;
        group.cells.clear();
    }
}

// A group left empty (or joined to an equal one) is a character of the budget to spend: it
// takes the cell served worst, drawn with its own character or one derived for it alone,
// whichever serves it better, when that is better than what the cell has.
void CharacterBudget::reseed(int index) {
    Group& empty = groups_[std::size_t(index)];
    if (!empty.cells.empty())
        return;
    for (int tries = 0; nextWorst_ < worst_.size() && tries < ReseedTries; ++nextWorst_) {
        const int cell = worst_[nextWorst_].second;
        if (groups_[std::size_t(groupOf_[std::size_t(cell)])].cells.size() < 2)
            continue;
        ++tries;
        if (seed(empty, index, cell)) {
            ++nextWorst_;
            return;
        }
    }
}

bool CharacterBudget::seed(Group& group, int index, int cell) {
    const int w = grid_.visibleWidth(cell);
    const int h = grid_.visibleHeight(cell);
    CharacterTarget alone;
    alone.add(targets_[std::size_t(cell)]);
    CellPixels pixels = DeriveCharacter(alone, palette_, blur_, spread_);
    CellLight seen = seenOf(pixels, w, h);
    float error = CellDistance(targets_[std::size_t(cell)], seen);
    if (ownError_[std::size_t(cell)] <= error) {
        pixels = originals_[std::size_t(cell)];
        seen = seenOf(pixels, w, h);
        error = ownError_[std::size_t(cell)];
    }
    if (error >= error_[std::size_t(cell)])
        return false;
    Group& from = groups_[std::size_t(groupOf_[std::size_t(cell)])];
    from.cells.erase(std::find(from.cells.begin(), from.cells.end(), cell));
    from.dirty = true;
    group.cells = {cell};
    group.kind = kindOf_[std::size_t(cell)];
    group.pixels = pixels;
    group.seen = seen;
    group.drawn = true;
    group.dirty = true;
    groupOf_[std::size_t(cell)] = index;
    error_[std::size_t(cell)] = error;
    return true;
}

void CharacterBudget::settle() {
    for (Group& group : groups_)
        group.cells.clear();
    for (int cell = 0; cell < grid_.count(); ++cell)
        groups_[std::size_t(groupOf_[std::size_t(cell)])].cells.push_back(cell);
    joinEqualCharacters();
    worst_.clear();
    for (int cell = 0; cell < grid_.count(); ++cell)
        worst_.push_back({-error_[std::size_t(cell)], cell});
    std::sort(worst_.begin(), worst_.end());
    nextWorst_ = 0;
    phase_ = Phase::Reseed;
    cursor_ = 0;
}

void CharacterBudget::decide() {
    float total = 0;
    for (float e : error_)
        total += e;
    ++round_;
    const bool fell = lastTotal_ < 0 || lastTotal_ - total > SmallFall * lastTotal_;
    lastTotal_ = total;
    const bool anyDirty = std::any_of(groups_.begin(), groups_.end(),
                                      [](const Group& g) { return g.dirty && !g.cells.empty(); });
    if (round_ >= MaxRounds || !fell || !anyDirty) {
        phase_ = Phase::Write;
        return;
    }
    phase_ = Phase::Choose;
    cursor_ = 0;
}

} // namespace

std::unique_ptr<ModeConversion> WithCharacterBudget(std::unique_ptr<ModeConversion> inner,
                                                    ConversionState& state, BudgetStyle style) {
    if (state.params.Characters >= NoCharacterLimit || state.source.empty())
        return inner;
    return std::make_unique<CharacterBudget>(std::move(inner), state, style);
}

} // namespace murelo
