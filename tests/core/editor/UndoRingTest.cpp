#include "core/editor/UndoRing.h"

#include <gtest/gtest.h>

using namespace murelo;

namespace {

// Picture number n: one pixel per step set, so every state is different and checkable.
Picture State(int n, int width = 64, int height = 48) {
    Picture picture(width, height, 0xFFFFFF);
    picture.setPixel(n % width, (n / width) % height, n);
    picture.setPixel(0, 0, n);
    return picture;
}

struct Ring : ::testing::Test {
    UndoRing ring;
    Picture picture;

    void start() {
        ring.clear();
        picture = State(0);
        ring.record(picture);
    }
    void strokes(int from, int to) {
        for (int n = from; n <= to; ++n) {
            picture = State(n);
            ring.record(picture);
        }
    }
};

} // namespace

TEST_F(Ring, FreshRingAfterFirstRecordOffersNothing) {
    start();
    EXPECT_FALSE(ring.canUndo());
    EXPECT_FALSE(ring.canRedo());
    EXPECT_EQ(ring.snapshotCount(), 1);
    EXPECT_FALSE(ring.undo(picture));
    EXPECT_FALSE(ring.redo(picture));
    EXPECT_EQ(picture, State(0));
}

TEST_F(Ring, ClearedRingWithoutSnapshotsDoesNothing) {
    ring.clear();
    picture = State(5);
    EXPECT_FALSE(ring.canUndo());
    EXPECT_FALSE(ring.canRedo());
    EXPECT_FALSE(ring.undo(picture));
    EXPECT_FALSE(ring.redo(picture));
    EXPECT_EQ(picture, State(5));
}

TEST_F(Ring, UndoAndRedoWalkTheSnapshots) {
    start();
    strokes(1, 3);
    EXPECT_TRUE(ring.undo(picture));
    EXPECT_EQ(picture, State(2));
    EXPECT_TRUE(ring.detached());
    EXPECT_TRUE(ring.undo(picture));
    EXPECT_EQ(picture, State(1));
    EXPECT_TRUE(ring.redo(picture));
    EXPECT_EQ(picture, State(2));
    EXPECT_TRUE(ring.redo(picture));
    EXPECT_EQ(picture, State(3));
    EXPECT_FALSE(ring.canRedo());
    EXPECT_FALSE(ring.redo(picture));
    EXPECT_EQ(picture, State(3));
}

TEST_F(Ring, UndoOnceRedoOnceReturnsToTheNewest) {
    start();
    strokes(1, 4);
    ring.undo(picture);
    ring.redo(picture);
    EXPECT_EQ(picture, State(4));
    EXPECT_FALSE(ring.canRedo());
    EXPECT_TRUE(ring.canUndo());
}

TEST_F(Ring, NewStrokeAfterUndoDropsTheUndoneStates) {
    start();
    strokes(1, 5);
    ring.undo(picture);
    ring.undo(picture); // shows 3
    picture = State(100);
    ring.record(picture);
    EXPECT_FALSE(ring.canRedo());
    EXPECT_FALSE(ring.detached());
    EXPECT_EQ(ring.snapshotCount(), 5); // 0, 1, 2, 3, 100
    EXPECT_TRUE(ring.undo(picture));
    EXPECT_EQ(picture, State(3));
    EXPECT_TRUE(ring.redo(picture));
    EXPECT_EQ(picture, State(100));
    EXPECT_FALSE(ring.redo(picture));
}

TEST_F(Ring, EditsAfterUndoBecomePartOfTheNextSnapshot) {
    start();
    strokes(1, 2);
    ring.undo(picture); // shows 1
    picture.setPixel(10, 10, 0x123456);
    Picture edited = picture;
    ring.record(picture);
    picture = State(77);
    ring.record(picture);
    ring.undo(picture);
    EXPECT_EQ(picture, edited);
    ring.undo(picture);
    EXPECT_EQ(picture, State(1));
}

TEST_F(Ring, After300StrokesExactly256UndosAreAvailable) {
    start();
    strokes(1, 300);
    EXPECT_EQ(ring.snapshotCount(), 257);
    int undos = 0;
    while (ring.canUndo()) {
        ASSERT_TRUE(ring.undo(picture));
        ++undos;
        ASSERT_EQ(picture, State(300 - undos)) << "after " << undos << " undos";
    }
    EXPECT_EQ(undos, 256);
    EXPECT_EQ(picture, State(44)); // the oldest kept: 300 - 256
    EXPECT_FALSE(ring.undo(picture));
    // Everything can be redone again up to the newest.
    int redos = 0;
    while (ring.redo(picture))
        ++redos;
    EXPECT_EQ(redos, 256);
    EXPECT_EQ(picture, State(300));
}

TEST_F(Ring, BookkeepingWrapsModulo258) {
    start();
    strokes(1, 256); // 257 snapshots in slots 0..256
    EXPECT_EQ(ring.current(), 256);
    EXPECT_EQ(ring.next(), 257);
    EXPECT_EQ(ring.oldest(), 0);
    strokes(257, 257); // slot 257; the ring is full, the oldest moves on
    EXPECT_EQ(ring.current(), 257);
    EXPECT_EQ(ring.next(), 0);
    EXPECT_EQ(ring.oldest(), 1);
    strokes(258, 258);
    EXPECT_EQ(ring.current(), 0);
    EXPECT_EQ(ring.next(), 1);
    EXPECT_EQ(ring.oldest(), 2);
    ring.undo(picture);
    EXPECT_EQ(ring.current(), 257);
    EXPECT_EQ(picture, State(257));
}

TEST_F(Ring, SnapshotsOfAnotherSizeComeBackWithTheirSize) {
    start();
    picture = Picture(300, 20, 0x00FF00);
    ring.record(picture);
    picture = State(9);
    ring.record(picture);
    ring.undo(picture);
    EXPECT_EQ(picture.width(), 300);
    EXPECT_EQ(picture.height(), 20);
    EXPECT_EQ(picture.pixel(299, 19), 0x00FF00);
    ring.undo(picture);
    EXPECT_EQ(picture, State(0));
    ring.redo(picture);
    ring.redo(picture);
    EXPECT_EQ(picture, State(9));
}

TEST_F(Ring, SmallStrokesAreStoredCompactly) {
    ring.clear();
    picture = Picture(640, 640, 0xFFFFFF);
    ring.record(picture);
    for (int n = 0; n < 300; ++n) {
        for (int x = 0; x < 20; ++x)
            picture.setPixel((n * 7 + x) % 640, n * 2, n);
        ring.record(picture);
    }
    // Full copies would be 257 x 1.6 MB; a 20-pixel stroke needs well under a kilobyte.
    EXPECT_LT(ring.storedBytes(), 257u * 1024u);
}

TEST_F(Ring, DitheredChangeIsPackedToABitPerPixel) {
    ring.clear();
    picture = Picture(640, 640, 0xFFFFFF);
    ring.record(picture);
    for (int y = 0; y < 640; ++y)
        for (int x = (y & 1); x < 640; x += 2)
            picture.setPixel(x, y, 0);
    ring.record(picture);
    // Two distinct changes (to black, none) pack to one bit per pixel: about 51 KB.
    EXPECT_LT(ring.storedBytes(), 64u * 1024u);
    Picture restored = picture;
    ring.undo(restored);
    EXPECT_EQ(restored, Picture(640, 640, 0xFFFFFF));
}

TEST_F(Ring, ChangesInManyColoursComeBackExactly) {
    ring.clear();
    picture = Picture(200, 100, 0xFFFFFF);
    ring.record(picture);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            if ((x * y) % 3 != 0)
                picture.setPixel(x, y, (x * 977 + y * 31) & 0xFFFFFF);
    const Picture changed = picture;
    ring.record(picture);
    ring.undo(picture);
    EXPECT_EQ(picture, Picture(200, 100, 0xFFFFFF));
    ring.redo(picture);
    EXPECT_EQ(picture, changed);
}

TEST_F(Ring, ChangesInUpToSixteenColoursComeBackExactly) {
    for (int colours : {3, 4, 5, 15, 16, 17}) {
        ring.clear();
        picture = Picture(640, 8, 0xFFFFFF);
        ring.record(picture);
        for (int x = 0; x < 640; ++x)
            picture.setPixel(x, 3, 0x010203 * (x % colours));
        const Picture changed = picture;
        ring.record(picture);
        ring.undo(picture);
        EXPECT_EQ(picture, Picture(640, 8, 0xFFFFFF)) << colours;
        ring.redo(picture);
        EXPECT_EQ(picture, changed) << colours;
    }
}
