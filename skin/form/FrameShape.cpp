// The window's shape from the skin's mask, and hit testing (TspFrameShape, FrameShape.h).
#include "skin/form/FrameShape.h"

#include "skin/data/SkinData.h"
#include "skin/draw/MaskRegion.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/SkinCompose.h"
#include "skin/form/FormMessages.h"
#include "skin/form/SkinForm.h"
#include "ui/Timer.h"

namespace {

// The colour of the mask's inside.
constexpr TColor kMaskColor = clBlack;

// The region of a mask strip placed at (x, y); empty for an empty strip.
TRegion StripRegion(const TBitmap& strip, int x, int y) {
    if (strip.Empty()) return {};
    const std::vector<uint8_t> data = MaskToRegionData(strip, x, y);
    return data.empty() ? TRegion() : TRegion::FromRegionData(data.data(), data.size());
}

TPoint ScreenPointOf(const TMessage& m) { return {GetXParam(m.LParam), GetYParam(m.LParam)}; }

}  // namespace

TspFrameShape::TspFrameShape(TspSkinForm& form) : form_(form) {}
TspFrameShape::~TspFrameShape() = default;

// ---------------------------------------------------------------- shape

void TspFrameShape::RemoveFrameRegion() {
    if (!frameRegion_) return;
    frameRegion_.reset();
    form_.Form()->SetWindowRegion(nullptr);
}

void TspFrameShape::ClearMasks() {
    for (TBitmap* m : {&topMask_, &bottomMask_, &leftMask_, &rightMask_}) m->SetSize(0, 0);
}

void TspFrameShape::SetFrameRegion(bool stretch) {
    TCustomForm& form = *form_.Form();
    const bool skinned = form_.SkinSupport();
    if ((!form.HasBorder() && form_.SupportNCArea()) ||
        (form_.MaximizedMDIChild() && skinned && !form_.SkinData()->MaskPicture.Empty())) {
        RemoveFrameRegion();
        return;
    }
    if (!skinned || form_.SkinData()->MaskPicture.Empty()) {
        if (frameRegion_) {
            RemoveFrameRegion();
            ClearMasks();
        }
        return;
    }
    const TspSkinData& s = *form_.SkinData();
    if (!stretch) {
        const std::optional<TRegion> whole = MaskToRegion(s.MaskPicture);
        if (!whole || whole->IsEmpty()) return;
        frameRegion_ = std::make_unique<TRegion>(*whole);
        form.SetWindowRegion(frameRegion_.get());
        return;
    }
    const TspFrameGeometry& geometry = form_.Geometry();
    const TRect& a = geometry.Rects().MaskArea;
    const TSkinGeometry g{s.lefttoppoint, s.righttoppoint, s.leftbottompoint, s.rightbottompoint,
                          s.maskrectarea};
    ClearMasks();
    ComposeBorderStripsTiled(g, geometry.Resized(a), geometry.FrameW(), geometry.FrameH(),
                             s.MaskPicture,
                             TBorderStrips{&topMask_, &bottomMask_, &leftMask_, &rightMask_});
    const TRegion topBottom =
        StripRegion(topMask_, 0, 0).Union(StripRegion(bottomMask_, 0, a.Bottom));
    const TRegion leftRight =
        StripRegion(leftMask_, 0, a.Top).Union(StripRegion(rightMask_, a.Right, a.Top));
    const TRegion inner = IsNullRect(a) ? TRegion() : TRegion(a);
    TRegion region = inner.Union(leftRight.Union(topBottom));
    if (frameRegion_ && *frameRegion_ == region) return;  // unchanged: no repaint needed
    frameRegion_ = std::make_unique<TRegion>(std::move(region));
    form.SetWindowRegion(frameRegion_.get());
}

void TspFrameShape::SetRollUpRegion() {
    const TspSkinData& s = *form_.SkinData();
    if (s.RollUpMaskPicture.Empty()) {
        RemoveFrameRegion();
        return;
    }
    TBitmap mask;
    if (s.rollupleftpoint.X < s.rolluprightpoint.X) {
        const TRect whole = Rect(0, 0, s.RollUpMaskPicture.Width(), s.RollUpMaskPicture.Height());
        ComposeHorzImage(s.rollupleftpoint.X, s.RollUpMaskPicture.Width() - s.rolluprightpoint.X,
                         mask, form_.Form()->Width(), whole, s.RollUpMaskPicture);
    } else {
        mask = s.RollUpMaskPicture;
    }
    std::optional<TRegion> region = MaskToRegion(mask);
    if (!region || region->IsEmpty()) {
        RemoveFrameRegion();
        return;
    }
    frameRegion_ = std::make_unique<TRegion>(std::move(*region));
    form_.Form()->SetWindowRegion(frameRegion_.get());
}

// A window point is inside the shape: in the inner mask area, or black in the mask strip
// that covers it.
bool TspFrameShape::InMaskShape(TPoint p) const {
    const TRect& a = form_.Geometry().Rects().MaskArea;
    if (PtInRect(a, p)) return true;
    TColor c;
    if (p.Y < a.Top)
        c = topMask_.GetPixel(p.X, p.Y);
    else if (p.Y >= a.Bottom)
        c = bottomMask_.GetPixel(p.X, p.Y - a.Bottom);
    else if (p.X < a.Left)
        c = leftMask_.GetPixel(p.X, p.Y - a.Top);
    else
        c = rightMask_.GetPixel(p.X - a.Right, p.Y - a.Top);
    return c == kMaskColor;
}

bool TspFrameShape::NearEdge(TPoint p, int w, int h) const {
    const TspSkinData& s = *form_.SkinData();
    const int b = s.borderwidth;
    const TPoint probes[] = {{p.X - b, p.Y}, {p.X, p.Y - b}, {p.X + b, p.Y}, {p.X, p.Y + b}};
    if (s.MaskPicture.Empty()) {
        for (const TPoint& q : probes) {
            if (!PtInRect(Rect(0, 0, w, h), q)) return true;
        }
        return false;
    }
    if (PtInRect(form_.Geometry().Rects().MaskArea, p)) return false;
    for (const TPoint& q : probes) {
        if (!InMaskShape(q)) return true;
    }
    return false;
}

int TspFrameShape::EdgeCode(TPoint p, int w, int h) const {
    const TspFrameRects& n = form_.Geometry().Rects();
    const TPoint lt = n.HitLT, rt = n.HitRT, lb = n.HitLB, rb = n.HitRB;
    if (p.X <= lt.X && p.Y <= lt.Y) return HTTOPLEFT;
    if (p.X >= rt.X && p.Y <= rt.Y) return HTTOPRIGHT;
    if (p.X <= lb.X && p.Y >= lb.Y) return HTBOTTOMLEFT;
    if (p.X >= rb.X && p.Y >= rb.Y) return HTBOTTOMRIGHT;
    if (PtInRect(Rect(lt.X, 0, rt.X, n.Client.Top), p)) return HTTOP;
    if (PtInRect(Rect(lb.X, n.Client.Bottom, rb.X, h), p)) return HTBOTTOM;
    if (PtInRect(Rect(0, lt.Y, n.Client.Left, lb.Y), p)) return HTLEFT;
    if (PtInRect(Rect(n.Client.Right, rt.Y, w, rb.Y), p)) return HTRIGHT;
    return HTNOWHERE;
}

// ---------------------------------------------------------------- hit tests

int TspFrameShape::HitTestSkin(TPoint p) const {
    const int w = form_.Form()->Width(), h = form_.Form()->Height();
    const TRect& client = form_.Geometry().Rects().Client;
    const bool onCaption = form_.FrameObjects().OnCaptionObject(p);
    if (!form_.GetRollUpState() && !form_.WindowMinimized()) {
        if (form_.GetActiveObject() != -1 && !onCaption && !PtInRect(client, p) &&
            !form_.SizeMoveActive()) {
            return HTSKINOBJECT;
        }
        if (!form_.WindowMaximized() && form_.Sizeable) {
            if (!NearEdge(p, w, h)) {
                if (PtInRect(client, p)) return HTCLIENT;
                return onCaption ? HTCAPTION : HTSKINOBJECT;
            }
            if (const int code = EdgeCode(p, w, h); code != HTNOWHERE) return code;
        }
        if (PtInRect(client, p)) return HTCLIENT;
    }
    return onCaption ? HTCAPTION : HTSKINOBJECT;
}

int TspFrameShape::HitTestDefault(TPoint p) {
    form_.Geometry().DefaultLayout();
    const int w = form_.Form()->Width(), h = form_.Form()->Height();
    if (!form_.WindowMaximized() && !form_.GetRollUpState() && !form_.WindowMinimized() &&
        form_.Sizeable) {
        if (form_.GetActiveObject() != -1) return HTSKINOBJECT;
        const bool left = p.X <= 2, top = p.Y <= 2, right = p.X >= w - 2, bottom = p.Y >= h - 2;
        if (left && top) return HTTOPLEFT;
        if (right && top) return HTTOPRIGHT;
        if (left && bottom) return HTBOTTOMLEFT;
        if (right && bottom) return HTBOTTOMRIGHT;
        if (left) return HTLEFT;
        if (top) return HTTOP;
        if (right) return HTRIGHT;
        if (bottom) return HTBOTTOM;
    }
    if (PtInRect(form_.Geometry().DefaultCaptionRect(), p)) return HTCAPTION;
    const int capH = form_.Form()->DefaultCaptionHeight();
    const TRect client = Rect(kDefaultFrameBorder, capH + kDefaultFrameBorder,
                              w - kDefaultFrameBorder, h - kDefaultFrameBorder);
    return PtInRect(client, p) ? HTCLIENT : HTSKINOBJECT;
}

int TspFrameShape::HitTestClient(TPoint p) const {
    if (!form_.Sizeable || form_.WindowMaximized() || form_.GetRollUpState() ||
        form_.GetActiveObject() != -1 || !form_.SkinSupport()) {
        return HTCLIENT;
    }
    const int w = form_.Form()->Width(), h = form_.Form()->Height();
    if (!NearEdge(p, w, h)) return HTCLIENT;
    const int code = EdgeCode(p, w, h);
    return code != HTNOWHERE ? code : HTCLIENT;
}

// ---------------------------------------------------------------- WM_NCHITTEST

void TspFrameShape::OnNcHitTest(TMessage& m, const TspPreviousProc& previous) {
    const TPoint p = form_.ScreenToWindow(ScreenPointOf(m));
    TTimer& mouseTimer = form_.GetMouseTimer();
    if (form_.SupportNCArea()) {
        m.Result = form_.SkinSupport() ? HitTestSkin(p) : HitTestDefault(p);
        if (!mouseTimer.Enabled() && m.Result == HTSKINOBJECT) {
            form_.TestActive(p.X, p.Y, true);
            mouseTimer.SetEnabled(true);
        }
        return;
    }
    if (!form_.SkinSupport()) {
        previous(m);
        return;
    }
    const TPoint offset = form_.Form()->ClientOffset();
    const TPoint c = Point(p.X - offset.X, p.Y - offset.Y);
    if (!mouseTimer.Enabled()) {
        form_.TestActive(c.X, c.Y, true);
        mouseTimer.SetEnabled(true);
    }
    m.Result = HitTestClient(c);
}
