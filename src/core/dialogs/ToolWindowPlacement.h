#pragma once

#include <span>

namespace murelo {

// A rectangle of the desktop in logical pixels: the frame of a window, a screen's available
// area, the main window's menu bar.
struct DesktopRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    int right() const { return x + width; } // one past the last column
    int bottom() const { return y + height; }
    bool intersects(const DesktopRect& o) const {
        return x < o.right() && o.x < right() && y < o.bottom() && o.y < bottom();
    }
    bool inside(const DesktopRect& o) const {
        return x >= o.x && y >= o.y && right() <= o.right() && bottom() <= o.bottom();
    }
};

struct DesktopPoint {
    int x = 0;
    int y = 0;
    bool operator==(const DesktopPoint&) const = default;
};

// Where a tool window (the tool palette, the message window) of frame size width x height
// goes beside the main window's frame `anchor` on `screen`. The first place that lies on the
// screen and meets neither the main window nor any of `avoid` (windows already placed) wins:
// right of it, then left, each top-aligned and then bottom-aligned, then below and above it,
// left-aligned. Where the screen has no such room the window goes to the screen edge nearest
// the main window (the side with more room) at the main window's height, kept on the screen
// where it fits, but never over `menuBar`: it then starts below the menu bar, even if that
// takes its bottom past the screen.
DesktopPoint PlaceBesideMainWindow(int width, int height, const DesktopRect& anchor,
                                   const DesktopRect& screen, const DesktopRect& menuBar,
                                   std::span<const DesktopRect> avoid = {}, int gap = 8);

} // namespace murelo
