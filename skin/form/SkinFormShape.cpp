// The window shape from the skin's mask, and hit testing: which code each window point
// reports decides where the framework moves or sizes the window.
#include "skin/data/SkinData.h"
#include "skin/draw/MaskRegion.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/SkinCompose.h"
#include "skin/form/SkinForm.h"

namespace {

// The region of a mask strip placed at (x, y); empty for an empty strip.
TRegion StripRegion(const TBitmap& strip, int x, int y) {
    if (strip.Empty()) return {};
    const std::vector<uint8_t> data = MaskToRegionData(strip, x, y);
    return data.empty() ? TRegion() : TRegion::FromRegionData(data.data(), data.size());
}

}  // namespace

// ---------------------------------------------------------------- shape

void TspSkinForm::RemoveFrameRegion() {
    if (!FrameRegion) return;
    FrameRegion.reset();
    FForm->SetWindowRegion(nullptr);
}

void TspSkinForm::SetFrameRegion(bool stretch) {
    if ((!FForm->HasBorder() && supportNCArea_) ||
        (MaximizedMDIChild() && FSkinSupport && !skinData_->MaskPicture.Empty())) {
        RemoveFrameRegion();
        return;
    }
    if (!FSkinSupport || skinData_->MaskPicture.Empty()) {
        if (FrameRegion) {
            RemoveFrameRegion();
            for (TBitmap* m : {&TopMask, &BottomMask, &LeftMask, &RightMask}) m->SetSize(0, 0);
        }
        return;
    }
    const TspSkinData& s = *skinData_;
    if (!stretch) {
        const std::optional<TRegion> whole = MaskToRegion(s.MaskPicture);
        if (!whole || whole->IsEmpty()) return;
        FrameRegion = std::make_unique<TRegion>(*whole);
        FForm->SetWindowRegion(FrameRegion.get());
        return;
    }
    const TSkinGeometry g{s.lefttoppoint, s.righttoppoint, s.leftbottompoint, s.rightbottompoint, s.maskrectarea};
    const TSkinGeometry ng{NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint, NewMaskRectArea};
    for (TBitmap* m : {&TopMask, &BottomMask, &LeftMask, &RightMask}) m->SetSize(0, 0);
    ComposeBorderStripsTiled(g, ng, FrameW(), FrameH(), s.MaskPicture,
                             TBorderStrips{&TopMask, &BottomMask, &LeftMask, &RightMask});
    const TRect& a = NewMaskRectArea;
    const TRegion topBottom = StripRegion(TopMask, 0, 0).Union(StripRegion(BottomMask, 0, a.Bottom));
    const TRegion leftRight = StripRegion(LeftMask, 0, a.Top).Union(StripRegion(RightMask, a.Right, a.Top));
    const TRegion inner = IsNullRect(a) ? TRegion() : TRegion(a);
    TRegion region = inner.Union(leftRight.Union(topBottom));
    if (FrameRegion && *FrameRegion == region) return;  // unchanged: no repaint needed
    FrameRegion = std::make_unique<TRegion>(std::move(region));
    FForm->SetWindowRegion(FrameRegion.get());
}

// A window point is inside the shape: in the inner mask area, or black in the mask strip
// that covers it.
bool TspSkinForm::InMaskShape(TPoint p) const {
    const TRect& a = NewMaskRectArea;
    if (PtInRect(a, p)) return true;
    TColor c;
    if (p.Y < a.Top) c = TopMask.GetPixel(p.X, p.Y);
    else if (p.Y >= a.Bottom) c = BottomMask.GetPixel(p.X, p.Y - a.Bottom);
    else if (p.X < a.Left) c = LeftMask.GetPixel(p.X, p.Y - a.Top);
    else c = RightMask.GetPixel(p.X - a.Right, p.Y - a.Top);
    return c == MaskColor;
}

bool TspSkinForm::NearEdge(TPoint p, int w, int h) const {
    const int b = skinData_->borderwidth;
    const TPoint probes[] = {{p.X - b, p.Y}, {p.X, p.Y - b}, {p.X + b, p.Y}, {p.X, p.Y + b}};
    if (skinData_->MaskPicture.Empty()) {
        for (const TPoint& q : probes) {
            if (!PtInRect(Rect(0, 0, w, h), q)) return true;
        }
        return false;
    }
    if (PtInRect(NewMaskRectArea, p)) return false;
    for (const TPoint& q : probes) {
        if (!InMaskShape(q)) return true;
    }
    return false;
}

int TspSkinForm::EdgeCode(TPoint p, int w, int h) const {
    const TPoint lt = NewHitTestLTPoint, rt = NewHitTestRTPoint, lb = NewHitTestLBPoint, rb = NewHitTestRBPoint;
    if (p.X <= lt.X && p.Y <= lt.Y) return HTTOPLEFT;
    if (p.X >= rt.X && p.Y <= rt.Y) return HTTOPRIGHT;
    if (p.X <= lb.X && p.Y >= lb.Y) return HTBOTTOMLEFT;
    if (p.X >= rb.X && p.Y >= rb.Y) return HTBOTTOMRIGHT;
    if (PtInRect(Rect(lt.X, 0, rt.X, NewClRect.Top), p)) return HTTOP;
    if (PtInRect(Rect(lb.X, NewClRect.Bottom, rb.X, h), p)) return HTBOTTOM;
    if (PtInRect(Rect(0, lt.Y, NewClRect.Left, lb.Y), p)) return HTLEFT;
    if (PtInRect(Rect(NewClRect.Right, rt.Y, w, rb.Y), p)) return HTRIGHT;
    return HTNOWHERE;
}

// ---------------------------------------------------------------- hit tests

int TspSkinForm::HitTestSkin(TPoint p) const {
    const int w = FForm->Width(), h = FForm->Height();
    if (!RollUpState && !WindowMinimized()) {
        if (ActiveObject != -1 && !OnCaptionObject(p) && !PtInRect(NewClRect, p) && !InSizeMove) return HTSKINOBJECT;
        if (!WindowMaximized() && Sizeable) {
            if (!NearEdge(p, w, h)) {
                if (PtInRect(NewClRect, p)) return HTCLIENT;
                return OnCaptionObject(p) ? HTCAPTION : HTSKINOBJECT;
            }
            if (const int code = EdgeCode(p, w, h); code != HTNOWHERE) return code;
        }
        if (PtInRect(NewClRect, p)) return HTCLIENT;
    }
    return OnCaptionObject(p) ? HTCAPTION : HTSKINOBJECT;
}

int TspSkinForm::HitTestDefault(TPoint p) {
    DefaultLayout();
    const int w = FForm->Width(), h = FForm->Height();
    if (!WindowMaximized() && !RollUpState && !WindowMinimized() && Sizeable) {
        if (ActiveObject != -1) return HTSKINOBJECT;
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
    if (PtInRect(DefCaptionRect, p)) return HTCAPTION;
    const int capH = FForm->DefaultCaptionHeight();
    if (PtInRect(Rect(kDefaultFrameBorder, capH + kDefaultFrameBorder, w - kDefaultFrameBorder, h - kDefaultFrameBorder), p)) {
        return HTCLIENT;
    }
    return HTSKINOBJECT;
}

int TspSkinForm::HitTestClient(TPoint p) const {
    if (!Sizeable || WindowMaximized() || RollUpState || ActiveObject != -1 || !FSkinSupport) return HTCLIENT;
    const int w = FForm->Width(), h = FForm->Height();
    if (!NearEdge(p, w, h)) return HTCLIENT;
    const int code = EdgeCode(p, w, h);
    return code != HTNOWHERE ? code : HTCLIENT;
}
