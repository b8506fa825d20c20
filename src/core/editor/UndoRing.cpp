#include "core/editor/UndoRing.h"

#include "core/editor/PackedValues.h"

#include <cstring>

namespace murelo {

namespace {

// A run is at most 640 x 640 pixels long, which fits in 20 bits.
constexpr unsigned LengthBits = 20;
static_assert(MaxPictureSize * MaxPictureSize < (1 << LengthBits));

} // namespace

void UndoRing::Step::release() {
    std::vector<std::uint32_t>().swap(runs);
    std::vector<std::uint32_t>().swap(packed);
    resized = false;
    before = Picture();
    after = Picture();
}

UndoRing::UndoRing() : slots_(SlotCount) {}

void UndoRing::clear() {
    for (Step& step : slots_)
        step.release();
    shown_ = Picture();
    current_ = next_ = oldest_ = 0;
    detached_ = false;
    empty_ = true;
}

void UndoRing::record(const Picture& picture) {
    if (detached_) {
        // The snapshots after the current one can no longer be reached.
        for (int slot = wrap(current_ + 1); slot != next_; slot = wrap(slot + 1))
            slots_[slot].release();
        next_ = wrap(current_ + 1);
        detached_ = false;
    }
    Step& step = slots_[next_];
    if (empty_)
        step.release(); // the first snapshot has no predecessor to differ from
    else
        makeStep(step, shown_, picture);
    shown_ = picture;
    empty_ = false;
    current_ = next_;
    next_ = wrap(next_ + 1);
    if (next_ == oldest_) {
        oldest_ = wrap(oldest_ + 1);
        // The oldest snapshot is never left, so its way back is not needed.
        slots_[oldest_].release();
    }
}

bool UndoRing::undo(Picture& picture) {
    if (!canUndo())
        return false;
    const Step& step = slots_[current_];
    if (step.resized)
        shown_ = step.before;
    else
        applyXor(step, shown_);
    current_ = wrap(current_ - 1);
    picture = shown_;
    detached_ = true;
    return true;
}

bool UndoRing::redo(Picture& picture) {
    if (!canRedo())
        return false;
    const int slot = wrap(current_ + 1);
    const Step& step = slots_[slot];
    if (step.resized)
        shown_ = step.after;
    else
        applyXor(step, shown_);
    current_ = slot;
    picture = shown_;
    detached_ = true;
    return true;
}

bool UndoRing::canUndo() const {
    return !empty_ && current_ != oldest_;
}

bool UndoRing::canRedo() const {
    return !empty_ && wrap(current_ + 1) != next_;
}

int UndoRing::snapshotCount() const {
    return empty_ ? 0 : wrap(next_ - oldest_);
}

std::size_t UndoRing::storedBytes() const {
    std::size_t bytes = 0;
    for (const Step& step : slots_) {
        bytes += (step.runs.capacity() + step.packed.capacity()) * sizeof(std::uint32_t);
        bytes +=
            (step.before.pixels().capacity() + step.after.pixels().capacity()) * sizeof(ColorValue);
    }
    return bytes;
}

void UndoRing::makeStep(Step& step, const Picture& before, const Picture& after) {
    step.release();
    if (before.width() != after.width() || before.height() != after.height()) {
        step.resized = true;
        step.before = before;
        step.after = after;
        return;
    }
    const ColorValue* a = before.pixels().data();
    const ColorValue* b = after.pixels().data();
    const std::size_t count = before.pixels().size();
    std::vector<std::uint32_t> runs;
    std::vector<std::uint32_t> packed;
    std::vector<std::uint32_t> xorPixels;
    std::size_t i = 0;
    while (i < count) {
        // Skip equal stretches a block at a time; strokes change few pixels.
        constexpr std::size_t Block = 64;
        while (i + Block <= count && std::memcmp(a + i, b + i, Block * sizeof(ColorValue)) == 0)
            i += Block;
        while (i < count && a[i] == b[i])
            ++i;
        if (i == count)
            break;
        const std::size_t start = i;
        std::size_t end = i; // one past the last changed pixel of the run
        // Short equal gaps join the run, so a dither costs one run, not one per dot.
        constexpr std::size_t MaxGap = 8;
        while (i < count && i - end <= MaxGap) {
            if (a[i] != b[i])
                end = i + 1;
            ++i;
        }
        xorPixels.clear();
        for (std::size_t j = start; j < end; ++j)
            xorPixels.push_back(std::uint32_t(a[j]) ^ std::uint32_t(b[j]));
        i = end;
        runs.push_back(std::uint32_t(start));
        const std::uint32_t header = PackValues(xorPixels.data(), xorPixels.size(), packed);
        runs.push_back(std::uint32_t(end - start) | header << LengthBits);
    }
    // Exact-size copies: the ring keeps up to 257 of these.
    step.runs.assign(runs.begin(), runs.end());
    step.packed.assign(packed.begin(), packed.end());
}

void UndoRing::applyXor(const Step& step, Picture& picture) {
    auto* pixels = reinterpret_cast<std::uint32_t*>(picture.pixels().data());
    std::size_t offset = 0;
    for (std::size_t r = 0; r + 1 < step.runs.size(); r += 2) {
        const std::uint32_t length = step.runs[r + 1] & ((1u << LengthBits) - 1);
        UnpackXorInto(step.runs[r + 1] >> LengthBits, step.packed, offset, pixels + step.runs[r],
                      length);
    }
}

} // namespace murelo
