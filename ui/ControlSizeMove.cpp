// The framework's own move/size loop: started by WM_SYSCOMMAND SC_MOVE or SC_SIZE (the
// default answer to a non-client left press on the caption or a border), it grabs the
// pointer, sends WM_ENTERSIZEMOVE, turns each pointer step into WM_MOVING or WM_SIZING
// (the handler may adjust the rectangle; the adjusted one is applied) within the
// WM_GETMINMAXINFO track sizes, and ends with WM_EXITSIZEMOVE on release or grab loss. It
// needs no window manager and behaves the same on every backend.
#include <algorithm>

#include "ui/Application.h"
#include "ui/ControlsWindowHost.h"
#include "ui/Screen.h"

namespace {

// The smallest window the loop makes when nobody answers WM_GETMINMAXINFO.
constexpr int kDefaultMinTrackWidth = 112;
constexpr int kDefaultMinTrackHeight = 27;

TMinMaxInfo DefaultMinMax() {
    TMinMaxInfo mmi{};
    TRect all{};
    for (int i = 0; i < Screen().MonitorCount(); ++i)
        all = UnionRect(all, Screen().Monitors(i).BoundsRect);
    const TRect work = Screen().WorkAreaRect();
    mmi.ptMaxSizeX = work.Width();
    mmi.ptMaxSizeY = work.Height();
    mmi.ptMaxPositionX = work.Left;
    mmi.ptMaxPositionY = work.Top;
    mmi.ptMinTrackSizeX = kDefaultMinTrackWidth;
    mmi.ptMinTrackSizeY = kDefaultMinTrackHeight;
    mmi.ptMaxTrackSizeX = all.Width() + 12;
    mmi.ptMaxTrackSizeY = all.Height() + 12;
    return mmi;
}

}  // namespace

void TWindowHost::StartSizeMove(uint32_t command, TPoint screenPoint, TControl* target) {
    if (sizeMove_.active || !window_) return;
    const uint32_t cmd = command & 0xFFF0;
    if (cmd != SC_MOVE && cmd != SC_SIZE) return;
    if (!target) target = &owner_;
    sizeMove_ = SizeMoveState{};
    sizeMove_.active = true;
    sizeMove_.moving = cmd == SC_MOVE;
    sizeMove_.edge = command & 0x000F;
    sizeMove_.startPoint = screenPoint;
    sizeMove_.startBounds = target->BoundsRect();
    sizeMove_.target = target;
    sizeMove_.targetAlive = target->LivenessWatch();
    window_->GrabPointer();
    SetCaptureControl(nullptr);
    target->Perform(WM_ENTERSIZEMOVE, 0, 0);
}

namespace {

// A form inside the window (an MDI child) can be moved partly out of its parent's client
// area, never so far that its caption cannot be reached again.
TRect KeptReachable(const TControl& form, TRect r) {
    const TWinControl* parent = form.Parent();
    if (!parent) return r;
    constexpr int kGrip = 24;
    const TRect area = parent->ClientRect();
    const int w = r.Width(), h = r.Height();
    const int left =
        std::clamp(r.Left, area.Left + kGrip - w, std::max(area.Left, area.Right - kGrip));
    const int top = std::clamp(r.Top, area.Top, std::max(area.Top, area.Bottom - kGrip));
    return Bounds(left, top, w, h);
}

}  // namespace

void TWindowHost::SizeMoveStep(TPoint p) {
    if (!sizeMove_.targetAlive.Alive()) {
        EndSizeMove();
        return;
    }
    TControl& target = *sizeMove_.target;
    const int dx = p.X - sizeMove_.startPoint.X;
    const int dy = p.Y - sizeMove_.startPoint.Y;
    TRect r = sizeMove_.startBounds;
    if (sizeMove_.moving) {
        r = OffsetRect(r, dx, dy);
        target.Perform(WM_MOVING, 0, reinterpret_cast<intptr_t>(&r));
        if (&target != &owner_) r = KeptReachable(target, r);
    } else {
        const uint32_t e = sizeMove_.edge;
        const bool left = e == WMSZ_LEFT || e == WMSZ_TOPLEFT || e == WMSZ_BOTTOMLEFT;
        const bool right = e == WMSZ_RIGHT || e == WMSZ_TOPRIGHT || e == WMSZ_BOTTOMRIGHT;
        const bool top = e == WMSZ_TOP || e == WMSZ_TOPLEFT || e == WMSZ_TOPRIGHT;
        const bool bottom = e == WMSZ_BOTTOM || e == WMSZ_BOTTOMLEFT || e == WMSZ_BOTTOMRIGHT;
        if (left) r.Left += dx;
        if (right) r.Right += dx;
        if (top) r.Top += dy;
        if (bottom) r.Bottom += dy;
        TMinMaxInfo mmi = DefaultMinMax();
        target.Perform(WM_GETMINMAXINFO, 0, reinterpret_cast<intptr_t>(&mmi));
        const int minW = std::max(0, mmi.ptMinTrackSizeX), minH = std::max(0, mmi.ptMinTrackSizeY);
        const int maxW = std::max(minW, mmi.ptMaxTrackSizeX),
                  maxH = std::max(minH, mmi.ptMaxTrackSizeY);
        const int w = std::clamp(r.Width(), minW, maxW);
        const int h = std::clamp(r.Height(), minH, maxH);
        // The edge being dragged gives way; the opposite edge stays put.
        if (left)
            r.Left = r.Right - w;
        else
            r.Right = r.Left + w;
        if (top)
            r.Top = r.Bottom - h;
        else
            r.Bottom = r.Top + h;
        target.Perform(WM_SIZING, e, reinterpret_cast<intptr_t>(&r));
    }
    target.SetBounds(r.Left, r.Top, std::max(0, r.Width()), std::max(0, r.Height()));
}

void TWindowHost::EndSizeMove() {
    if (!sizeMove_.active) return;
    sizeMove_.active = false;
    if (window_) window_->UngrabPointer();
    if (sizeMove_.targetAlive.Alive()) sizeMove_.target->Perform(WM_EXITSIZEMOVE, 0, 0);
    sizeMove_.target = nullptr;
}
