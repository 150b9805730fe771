#include "ui/WorkArea.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "platform/Platform.h"
#include "ui/Controls.h"

namespace {

int64_t OverlapArea(const TRect& a, const TRect& b) {
    const TRect r = IntersectRect(a, b);
    return int64_t{r.Width()} * r.Height();
}

int64_t DistanceSquared(const TRect& a, const TRect& b) {
    const int64_t dx = std::max<int64_t>({0, int64_t{b.Left} - a.Right, int64_t{a.Left} - b.Right});
    const int64_t dy = std::max<int64_t>({0, int64_t{b.Top} - a.Bottom, int64_t{a.Top} - b.Bottom});
    return dx * dx + dy * dy;
}

}  // namespace

TRect GetWorkArea(const TRect& windowScreenBounds, bool workArea) {
    if (!platform::HasCurrent()) return {};
    const platform::Platform& screen = platform::Current();
    const std::vector<platform::Monitor> monitors = screen.Monitors();
    if (monitors.size() > 1) {
        // Nearest monitor: the one sharing the largest area with the window, else the
        // closest one.
        const platform::Monitor* best = &monitors.front();
        int64_t bestArea = -1, bestDistance = std::numeric_limits<int64_t>::max();
        for (const platform::Monitor& m : monitors) {
            const int64_t area = OverlapArea(m.bounds, windowScreenBounds);
            const int64_t distance = DistanceSquared(m.bounds, windowScreenBounds);
            if (area > bestArea || (area == 0 && bestArea == 0 && distance < bestDistance)) {
                best = &m;
                bestArea = area;
                bestDistance = distance;
            }
        }
        return workArea ? best->workArea : best->bounds;
    }
    const TSize size = screen.ScreenSize();
    if (workArea) {
        for (const platform::Monitor& m : monitors) {
            if (m.primary || monitors.size() == 1) return m.workArea;
        }
    }
    return Rect(0, 0, size.cx, size.cy);
}

void GetWorkArea(const TWinControl& window, bool workArea, TRect& result) {
    const TControl* top = window.TopLevel();
    const TRect bounds = top != nullptr ? top->BoundsRect() : window.BoundsRect();
    result = GetWorkArea(bounds, workArea);
}
