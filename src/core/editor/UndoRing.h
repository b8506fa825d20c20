#pragma once

#include "core/editor/Picture.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace murelo {

// The ring of picture snapshots behind Undo and Redo: 258 slots, so up to 257 snapshots
// are kept and up to 256 steps can be undone; a full ring drops its oldest snapshot.
//
// Slots are filled on demand and hold only what differs from the previous snapshot, while
// the ring keeps one full copy of the snapshot the picture currently shows. Undo and redo
// walk one step at a time, so each step replays a single difference.
class UndoRing {
  public:
    static constexpr int SlotCount = 258;

    UndoRing();

    // Forgets every snapshot. The caller records the new picture right after.
    void clear();
    // Stores a copy of the picture as the newest snapshot. After an undo or redo the
    // snapshots past the current one are dropped first, so redo is no longer possible.
    void record(const Picture& picture);
    // Restores the previous snapshot into `picture`; false (and nothing changes) at the oldest.
    bool undo(Picture& picture);
    // Restores the next snapshot into `picture`; false (and nothing changes) at the newest.
    bool redo(Picture& picture);

    bool canUndo() const;
    bool canRedo() const;

    // Bookkeeping, as slot numbers 0..257.
    int current() const { return current_; }
    int next() const { return next_; }
    int oldest() const { return oldest_; }
    bool detached() const { return detached_; }
    // Snapshots available (0 only before the first record after construction or clear).
    int snapshotCount() const;
    // Bytes held by the stored differences (not counting the current full copy).
    std::size_t storedBytes() const;

  private:
    // How to get from the previous snapshot to this slot's snapshot and back.
    struct Step {
        // Same size: runs of changed pixels, each pixel as old XOR new, packed (PackValues).
        // Per run: the start offset, then the length with the packing header in bits 20..31.
        std::vector<std::uint32_t> runs;
        std::vector<std::uint32_t> packed;
        // Size changed: both pictures in full.
        bool resized = false;
        Picture before;
        Picture after;

        void release();
    };

    static int wrap(int slot) { return (slot % SlotCount + SlotCount) % SlotCount; }
    static void makeStep(Step& step, const Picture& before, const Picture& after);
    static void applyXor(const Step& step, Picture& picture);

    std::vector<Step> slots_; // grows on demand up to SlotCount entries
    Picture shown_;           // the snapshot in slot current_, in full
    int current_ = 0;
    int next_ = 0;
    int oldest_ = 0;
    bool detached_ = false;
    bool empty_ = true;
};

} // namespace murelo
