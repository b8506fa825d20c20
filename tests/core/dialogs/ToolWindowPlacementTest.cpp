#include "core/dialogs/ToolWindowPlacement.h"

#include <gtest/gtest.h>

#include <vector>

using namespace murelo;

namespace {

constexpr DesktopRect Screen{0, 0, 1280, 800};
// A main window of 300 x 260 whose menu bar is the 24 pixels under a 30-pixel title bar.
DesktopRect MainAt(int x, int y) {
    return {x, y, 300, 260};
}
DesktopRect MenuOf(const DesktopRect& main) {
    return {main.x, main.y + 30, main.width, 24};
}

} // namespace

TEST(ToolWindowPlacement, BesideTheMainWindowWhereTheScreenHasRoom) {
    struct Case {
        const char* what;
        DesktopRect main;
        DesktopPoint expected;
    } cases[] = {
        {"room on the right", MainAt(100, 100), {408, 100}},
        {"main at the right edge: left of it", MainAt(980, 100), {702, 100}},
        {"low on the screen: top kept on the screen", MainAt(100, 700), {408, 450}},
        {"wide main, room below only", {0, 0, 1280, 300}, {0, 308}},
        {"wide main at the bottom: above it", {0, 480, 1280, 320}, {0, 122}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const DesktopPoint p = PlaceBesideMainWindow(270, 350, c.main, Screen, MenuOf(c.main));
        EXPECT_EQ(p, c.expected) << p.x << "," << p.y;
        EXPECT_FALSE((DesktopRect{p.x, p.y, 270, 350}).intersects(c.main));
    }
}

TEST(ToolWindowPlacement, NoRoomGoesToTheNearestScreenEdgeBelowTheMenu) {
    // A screen of 640 x 400 (1280 x 800 at twice the scale) and a main window that fills
    // most of it: the palette goes to the side with more room and never covers the menu.
    const DesktopRect screen{0, 0, 640, 400};
    struct Case {
        DesktopRect main;
        DesktopPoint expected;
    } cases[] = {
        {{0, 0, 560, 380}, {370, 54}}, // more room on the right
        {{100, 0, 540, 380}, {0, 54}}, // more room on the left
        {{0, 0, 640, 400}, {370, 54}}, // maximised: the right edge
    };
    for (const Case& c : cases) {
        const DesktopRect menu = MenuOf(c.main);
        const DesktopPoint p = PlaceBesideMainWindow(270, 350, c.main, screen, menu);
        EXPECT_EQ(p, c.expected) << p.x << "," << p.y;
        EXPECT_FALSE((DesktopRect{p.x, p.y, 270, 350}).intersects(menu));
        EXPECT_GE(p.x, 0);
        EXPECT_LE(p.x + 270, 640);
    }
}

TEST(ToolWindowPlacement, AvoidsWindowsAlreadyPlaced) {
    // The message window after the palette took the right side: left of the main window;
    // with no room on the left and the palette on the right (top- and bottom-aligned
    // places both meet it), below the main window.
    const DesktopRect main = MainAt(400, 100);
    const DesktopRect palette{708, 100, 270, 350};
    const std::vector<DesktopRect> placed{palette};
    EXPECT_EQ(PlaceBesideMainWindow(260, 220, main, Screen, MenuOf(main), placed),
              (DesktopPoint{132, 100}));
    const DesktopRect leftMain = MainAt(0, 100);
    const DesktopRect leftPalette{308, 100, 270, 350};
    const std::vector<DesktopRect> placedLeft{leftPalette};
    const DesktopPoint p =
        PlaceBesideMainWindow(260, 220, leftMain, Screen, MenuOf(leftMain), placedLeft);
    EXPECT_EQ(p, (DesktopPoint{0, 368}));
    EXPECT_FALSE((DesktopRect{p.x, p.y, 260, 220}).intersects(leftPalette));
}

TEST(ToolWindowPlacement, RectsMeetOnlyWhenTheyShareAPixel) {
    const DesktopRect a{0, 0, 10, 10};
    EXPECT_TRUE(a.intersects({9, 9, 5, 5}));
    EXPECT_FALSE(a.intersects({10, 0, 5, 5}));
    EXPECT_FALSE(a.intersects({0, 10, 5, 5}));
    EXPECT_TRUE((DesktopRect{2, 2, 8, 8}).inside(a));
    EXPECT_FALSE((DesktopRect{2, 2, 9, 8}).inside(a));
}
