#include "core/app/EditorSession.h"
#include "core/palette/Palettes.h"

#include <gtest/gtest.h>

using namespace murelo;

namespace {

struct Random {
    std::uint32_t state;
    int below(int n) {
        state = state * 1664525u + 1013904223u;
        return int((state >> 8) % std::uint32_t(n));
    }
};

PointerEvent RandomEvent(Random& random, const EditorSession& session) {
    PointerEvent e;
    // Mostly inside the display, sometimes beyond any edge.
    e.x = random.below(session.displayWidth() + 40) - 20;
    e.y = random.below(session.displayHeight() + 40) - 20;
    e.left = random.below(3) != 0;
    e.right = !e.left && random.below(2) == 0;
    e.shift = random.below(4) == 0;
    e.ctrl = random.below(6) == 0;
    e.fromCellFrame = random.below(5) == 0;
    if (e.fromCellFrame) {
        e.x = random.below(8 * session.view().Scale);
        e.y = random.below(8 * session.view().Scale);
    }
    return e;
}

void RandomTools(Random& random, EditorSession& session) {
    ToolState& tool = session.tool();
    tool.Mode = PaintMode(random.below(5));
    tool.FreeDraw = random.below(2) == 0 || tool.Mode == PaintMode::Fill;
    tool.OddLine = random.below(4) == 0;
    tool.ProtectedColors = random.below(3) == 0 ? std::uint16_t(random.below(0x10000)) : 0;
    tool.BrushPattern = random.below(9);
    tool.ForegroundColor = PaletteColor(0, random.below(16));
    tool.BackgroundColor = random.below(5) == 0 ? NoColor : PaletteColor(0, random.below(16));
    session.setEditMode(EditModeOfNumber(random.below(4)));
    session.setScalePosition(random.below(3));
}

} // namespace

// Random strokes with every tool, pixel mode, scale and odd picture sizes: the document
// stays consistent and undo walks back through exactly the recorded pictures.
TEST(SessionStress, RandomStrokesKeepTheDocumentConsistentAndUndoable) {
    Random random{2024};
    int fills = 0;
    int resizes = 0;
    for (int round = 0; round < 6; ++round) {
        EditorSession session;
        Document& doc = session.mutableDocument();
        const int width = 1 + random.below(90);
        const int height = 1 + random.below(70);
        session.newDocument(width, height, 0xFFFFFF, round % 2 == 0);
        std::vector<Picture> recorded{doc.picture};
        for (int strokeIndex = 0; strokeIndex < 120; ++strokeIndex) {
            RandomTools(random, session);
            if (random.below(10) == 0)
                session.quickSave();
            if (random.below(15) == 0) {
                const int widthBefore = doc.PictureWidth;
                session.quickLoad(); // the slot may hold a picture of another size
                resizes += doc.PictureWidth != widthBefore;
            }
            const UndoRing& ring = session.undoRing();
            const int nextBeforePress = ring.next();
            session.press(RandomEvent(random, session));
            if (ring.next() != nextBeforePress) {
                recorded.push_back(doc.picture); // a fill records its own snapshot
                ++fills;
            }
            for (int m = random.below(6); m > 0; --m)
                session.move(RandomEvent(random, session));
            const bool skips = session.skipNextRelease();
            const int nextBeforeRelease = ring.next();
            session.release(RandomEvent(random, session));
            ASSERT_EQ(ring.next() != nextBeforeRelease, !skips);
            if (!skips)
                recorded.push_back(doc.picture);
            ASSERT_EQ(doc.picture.width(), doc.PictureWidth);
            ASSERT_EQ(doc.picture.height(), doc.PictureHeight);
        }
        // Undo back through the last snapshots, newest first.
        std::size_t index = recorded.size() - 1;
        ASSERT_EQ(doc.picture, recorded[index]);
        while (session.canUndo()) {
            session.undo();
            --index;
            ASSERT_EQ(doc.picture, recorded[index]) << "round " << round;
            ASSERT_EQ(doc.picture.width(), doc.PictureWidth);
            ASSERT_EQ(doc.errorOverlay.width(), doc.PictureWidth);
        }
        while (session.canRedo())
            session.redo();
        EXPECT_EQ(doc.picture, recorded.back());
    }
    // The run above must have met the cases it is meant for.
    EXPECT_GT(fills, 10);
    EXPECT_GE(resizes, 2);
}
