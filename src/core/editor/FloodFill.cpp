#include "core/editor/FloodFill.h"

#include "core/editor/BrushPixel.h"

#include <vector>

namespace murelo {

namespace {

struct Segment {
    int left;
    int right;
    int row;
    int parentRow;
};

// A first-in first-out ring of pending segments that doubles its storage when full,
// so no segment is ever dropped or written past the storage.
class SegmentQueue {
  public:
    explicit SegmentQueue(std::size_t capacity) : slots_(capacity < 1 ? 1 : capacity) {}

    bool empty() const { return count_ == 0; }
    std::size_t size() const { return count_; }
    std::size_t capacity() const { return slots_.size(); }

    void push(const Segment& segment) {
        if (count_ == slots_.size())
            grow();
        slots_[(read_ + count_) % slots_.size()] = segment;
        ++count_;
    }

    Segment pop() {
        const Segment segment = slots_[read_];
        read_ = (read_ + 1) % slots_.size();
        --count_;
        return segment;
    }

  private:
    void grow() {
        std::vector<Segment> larger(slots_.size() * 2);
        for (std::size_t i = 0; i < count_; ++i)
            larger[i] = slots_[(read_ + i) % slots_.size()];
        slots_.swap(larger);
        read_ = 0;
    }

    std::vector<Segment> slots_;
    std::size_t read_ = 0;
    std::size_t count_ = 0;
};

class ScanLineFill {
  public:
    ScanLineFill(Picture& image, Picture& reference, const PaintContext& context, ColorValue fg,
                 ColorValue bg, int pattern, int rowStep, std::size_t queueCapacity)
        : image_(image), reference_(reference), context_(context), fg_(fg), bg_(bg),
          pattern_(pattern), rowStep_(rowStep), queue_(queueCapacity) {}

    FillStatistics run(int x, int y) {
        target_ = reference_.pixel(x, y);
        push({x, x, y, y});
        while (!queue_.empty())
            fillSegment(queue_.pop());
        statistics_.finalQueueCapacity = queue_.capacity();
        return statistics_;
    }

  private:
    bool isTarget(int x, int row) const { return reference_.pixel(x, row) == target_; }

    void fillSegment(const Segment& segment) {
        const int row = segment.row;
        if (!isTarget(segment.left, row))
            return;
        int right = segment.right;
        while (isTarget(right + 1, row))
            ++right;
        int left = segment.left;
        while (isTarget(left - 1, row))
            --left;
        for (int x = left; x <= right; ++x) {
            PutBrushPixel(image_, context_, x, row, fg_, bg_, pattern_, true);
            PutModePixel(reference_, context_.editMode, x, row, fg_);
        }
        queueNeighbour(segment, left, right, row - rowStep_);
        queueNeighbour(segment, left, right, row + rowStep_);
    }

    void queueNeighbour(const Segment& segment, int left, int right, int row) {
        if (row < 0 || row >= reference_.height())
            return;
        if (row == segment.parentRow) {
            // The parent's own span was scanned already; only the overhangs are new.
            queueRuns(left, segment.left - 1, row, segment.row);
            queueRuns(segment.right + 1, right, row, segment.row);
        } else {
            queueRuns(left, right, row, segment.row);
        }
    }

    // Every maximal run of target pixels in columns a..b of the row.
    void queueRuns(int a, int b, int row, int parentRow) {
        while (a <= b) {
            while (a < b && !isTarget(a, row))
                ++a;
            if (!isTarget(a, row))
                return;
            const int start = a;
            while (a <= b && isTarget(a, row))
                ++a;
            push({start, a - 1, row, parentRow});
        }
    }

    void push(const Segment& segment) {
        queue_.push(segment);
        ++statistics_.segmentsQueued;
        if (queue_.size() > statistics_.maxPending)
            statistics_.maxPending = queue_.size();
    }

    Picture& image_;
    Picture& reference_;
    const PaintContext& context_;
    ColorValue fg_;
    ColorValue bg_;
    int pattern_;
    int rowStep_;
    ColorValue target_ = NoColor;
    SegmentQueue queue_;
    FillStatistics statistics_;
};

} // namespace

bool FloodFill(Picture& image, Picture& reference, const PaintContext& context, int x, int y,
               ColorValue fg, ColorValue bg, int pattern, int rowStep, FillStatistics* statistics,
               std::size_t initialQueueCapacity) {
    reference = image;
    if (!reference.contains(x, y) || fg == reference.pixel(x, y)) {
        if (statistics)
            *statistics = {};
        return false;
    }
    const FillStatistics figures =
        ScanLineFill(image, reference, context, fg, bg, pattern, rowStep, initialQueueCapacity)
            .run(x, y);
    if (statistics)
        *statistics = figures;
    return true;
}

} // namespace murelo
