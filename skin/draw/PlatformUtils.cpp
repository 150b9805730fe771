#include "skin/draw/PlatformUtils.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/Platform.h"
#include "ui/Bitmap.h"
#include "ui/Canvas.h"
#include "ui/Controls.h"
#include "ui/Forms.h"
#include "base/Messages.h"

namespace {

void Paint(TControl& control, TCanvas& canvas, uint32_t message) {
    control.Perform(message, reinterpret_cast<uintptr_t>(&canvas), 0);
}

// Paints a sibling (and, for custom-drawn ones, their custom-drawn children) with its
// top-left at logical (0, 0) of the canvas, clipped to its own size.
void PaintControlInto(TControl& control, TCanvas& canvas) {
    TCanvasStateGuard guard(canvas);
    canvas.IntersectClipRect(Rect(0, 0, control.Width(), control.Height()));
    Paint(control, canvas, WM_PAINT);
    auto* custom = dynamic_cast<TCustomControl*>(&control);
    if (custom == nullptr) return;
    for (int i = 0; i < custom->ControlCount(); ++i) {
        TControl* child = custom->Controls(i);
        if (!child->Visible() || dynamic_cast<TCustomControl*>(child) == nullptr) continue;
        TCanvasStateGuard childGuard(canvas);
        canvas.MoveOrigin(child->Left(), child->Top());
        PaintControlInto(*child, canvas);
    }
}

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

void PaintParentBackground(TControl& control, TCanvas& canvas) {
    TWinControl* parent = control.Parent();
    if (parent == nullptr) return;
    {
        TCanvasStateGuard guard(canvas);
        canvas.MoveOrigin(-control.Left(), -control.Top());
        canvas.IntersectClipRect(parent->ClientRect());
        Paint(*parent, canvas, WM_ERASEBKGND);
        if (dynamic_cast<TCustomForm*>(parent) == nullptr) Paint(*parent, canvas, WM_PAINT);
    }
    const TRect bounds = control.BoundsRect();
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* sibling = parent->Controls(i);
        if (sibling == &control) break;
        if (!sibling->Visible()) continue;
        if (dynamic_cast<TGraphicControl*>(sibling) == nullptr && dynamic_cast<TCustomControl*>(sibling) == nullptr) {
            continue;
        }
        if (IsRectEmpty(IntersectRect(sibling->BoundsRect(), bounds))) continue;
        TCanvasStateGuard guard(canvas);
        canvas.MoveOrigin(sibling->Left() - control.Left(), sibling->Top() - control.Top());
        PaintControlInto(*sibling, canvas);
    }
}

void CopyScreenArea(int32_t x, int32_t y, TBitmap& bitmap) {
    if (bitmap.Empty() || !platform::HasCurrent()) return;
    const int32_t w = bitmap.Width(), h = bitmap.Height();
    const std::vector<uint32_t> pixels = platform::Current().CaptureScreen(Bounds(x, y, w, h));
    if (pixels.size() < static_cast<size_t>(w) * static_cast<size_t>(h)) return;
    for (int32_t row = 0; row < h; ++row) {
        std::memcpy(bitmap.ScanLine(row), pixels.data() + static_cast<size_t>(row) * w, static_cast<size_t>(w) * 4);
    }
}

void SetWindowAlpha(TWinControl& window, uint8_t alpha) { window.SetWindowOpacity(alpha); }

bool LayeredWindowsSupported() { return platform::HasCurrent() && platform::Current().IsCompositing(); }

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
