#include "core/dialogs/ToolWindowPlacement.h"

#include <algorithm>

namespace murelo {

namespace {

// Keeps a span of `length` starting at `start` inside [low, high) where it fits; a window
// larger than the screen starts at the screen's start.
int KeepWithin(int start, int length, int low, int high) {
    return std::max(low, std::min(start, high - length));
}

bool IsFree(const DesktopRect& r, const DesktopRect& anchor, const DesktopRect& screen,
            std::span<const DesktopRect> avoid) {
    if (!r.inside(screen) || r.intersects(anchor))
        return false;
    return std::none_of(avoid.begin(), avoid.end(),
                        [&](const DesktopRect& other) { return r.intersects(other); });
}

} // namespace

DesktopPoint PlaceBesideMainWindow(int width, int height, const DesktopRect& anchor,
                                   const DesktopRect& screen, const DesktopRect& menuBar,
                                   std::span<const DesktopRect> avoid, int gap) {
    const int right = anchor.right() + gap;
    const int left = anchor.x - gap - width;
    const int top = KeepWithin(anchor.y, height, screen.y, screen.bottom());
    const int bottomAligned =
        KeepWithin(anchor.bottom() - height, height, screen.y, screen.bottom());
    const int leftAligned = KeepWithin(anchor.x, width, screen.x, screen.right());
    const DesktopPoint candidates[] = {
        {right, top},
        {left, top},
        {right, bottomAligned},
        {left, bottomAligned},
        {leftAligned, anchor.bottom() + gap},
        {leftAligned, anchor.y - gap - height},
    };
    for (const DesktopPoint& p : candidates)
        if (IsFree({p.x, p.y, width, height}, anchor, screen, avoid))
            return p;

    const bool rightHasMoreRoom = screen.right() - anchor.right() >= anchor.x - screen.x;
    DesktopPoint p{rightHasMoreRoom ? screen.right() - width : screen.x, top};
    p.x = std::max(p.x, screen.x);
    if (DesktopRect{p.x, p.y, width, height}.intersects(menuBar))
        p.y = menuBar.bottom();
    return p;
}

} // namespace murelo
