#pragma once

#include <cstdlib>

namespace murelo {

// The points of the Bresenham line from (x0, y0) to (x1, y1), both ends included, in order
// from the first end; `visit(x, y)` is called once per point. Free-hand strokes and the
// stroke joining of the other tools walk the same points, so they meet the same pixels.
template <typename Visit> void ForEachLinePoint(int x0, int y0, int x1, int y1, Visit&& visit) {
    const int dx = std::abs(x1 - x0);
    const int dy = std::abs(y1 - y0);
    const int sx = x1 > x0 ? 1 : -1;
    const int sy = y1 > y0 ? 1 : -1;
    int x = x0;
    int y = y0;
    if (dx > dy) {
        int e = -dx;
        for (int i = 0; i <= dx; ++i) {
            visit(x, y);
            x += sx;
            e += 2 * dy;
            if (e >= 0) {
                y += sy;
                e -= 2 * dx;
            }
        }
    } else {
        int e = -dy;
        for (int i = 0; i <= dy; ++i) {
            visit(x, y);
            y += sy;
            e += 2 * dx;
            if (e >= 0) {
                x += sx;
                e -= 2 * dy;
            }
        }
    }
}

} // namespace murelo
