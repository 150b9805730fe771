// The frame's geometry for the current window size (TspFrameGeometry, FrameGeometry.h).
#include "skin/form/FrameGeometry.h"

#include <algorithm>

#include "base/Messages.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinnedControl.h"
#include "skin/draw/RectUtils.h"
#include "skin/form/FormMessages.h"
#include "skin/form/FrameObjectKinds.h"
#include "skin/form/SkinForm.h"
#include "ui/Bitmap.h"
#include "ui/WindowOpacity.h"
#include "ui/WorkArea.h"

namespace {

// The default frame's smallest width when MinWidth is not set.
constexpr int kDefaultMinWidth = 130;
constexpr int kDefaultButtonSize = 17;
constexpr int kDefaultToolButtonSize = 13;

// Skin coordinates the frame works with stay within the platform's 16-bit window
// coordinates (kMaxSkinCoordinate, which the reader also clamps to), so that moving them
// by a window size never overflows.
bool InRange(TPoint p) {
    return p.X >= -kMaxSkinCoordinate && p.X <= kMaxSkinCoordinate && p.Y >= -kMaxSkinCoordinate &&
           p.Y <= kMaxSkinCoordinate;
}

}  // namespace

bool SkinRectUsable(const TRect& r) { return InRange(r.TopLeft()) && InRange(r.BottomRight()); }

bool SkinRectInPicture(const TRect& r, const TBitmap* picture) {
    if (!SkinRectUsable(r)) return false;
    if (IsNullRect(r) || !picture) return true;  // absent, or never drawn from
    return r.Left >= 0 && r.Top >= 0 && r.Right <= picture->Width() &&
           r.Bottom <= picture->Height();
}

bool SkinFrameUsable(const TspSkinData& s) {
    if (s.MainPicture.Empty()) return false;
    const int pw = s.MainPicture.Width(), ph = s.MainPicture.Height();
    // What sizes the frame's strips and shape must lie in its pictures.
    if (!SkinRectInPicture(s.clientrect, &s.MainPicture)) return false;
    if (!s.MaskPicture.Empty() && !SkinRectInPicture(s.maskrectarea, &s.MaskPicture)) return false;
    for (const TPoint p :
         {s.lefttoppoint, s.righttoppoint, s.leftbottompoint, s.rightbottompoint}) {
        if (p.X < 0 || p.Y < 0 || p.X > pw || p.Y > ph) return false;
    }
    // The rest only places things: it must stay in the window's coordinate range.
    for (const TRect& r :
         {s.buttonsrect, s.captionrect, s.maskrectarea, s.mainmenurect, s.iconrect}) {
        if (!SkinRectUsable(r)) return false;
    }
    for (const TPoint p : {s.hittestlefttoppoint, s.hittestrighttoppoint, s.hittestleftbottompoint,
                           s.hittestrightbottompoint, s.rollupleftpoint, s.rolluprightpoint}) {
        if (!InRange(p)) return false;
    }
    return s.buttonsoffset >= -kMaxSkinCoordinate && s.buttonsoffset <= kMaxSkinCoordinate &&
           s.borderwidth >= -kMaxSkinCoordinate && s.borderwidth <= kMaxSkinCoordinate;
}

// ---------------------------------------------------------------- sizes

int TspFrameGeometry::PW() const {
    return form_.SkinData() ? form_.SkinData()->MainPicture.Width() : 0;
}
int TspFrameGeometry::PH() const {
    return form_.SkinData() ? form_.SkinData()->MainPicture.Height() : 0;
}

int TspFrameGeometry::FrameW() const {
    return frameWidth_ > 0 ? frameWidth_ : form_.Form()->Width();
}
int TspFrameGeometry::FrameH() const {
    return frameHeight_ > 0 ? frameHeight_ : form_.Form()->Height();
}

void TspFrameGeometry::TakeFormSize() {
    SetFrameSize(form_.Form()->Width(), form_.Form()->Height());
}

void TspFrameGeometry::SetFrameSize(int w, int h) {
    frameWidth_ = w;
    frameHeight_ = h;
}

bool TspFrameGeometry::SkinStretchable() const {
    const TspSkinData* s = form_.SkinData();
    return s && s->rightbottompoint.X != s->lefttoppoint.X &&
           s->rightbottompoint.Y != s->lefttoppoint.Y;
}

bool TspFrameGeometry::FrameSizeAtLeastMinimum() const {
    return FrameW() >= MinWidth() && FrameH() >= MinHeight();
}

int TspFrameGeometry::MinWidth() const {
    const bool skinned = form_.SkinSupport();
    if (form_.SupportNCArea()) {
        if (!skinned) return form_.MinWidth > 0 ? form_.MinWidth : kDefaultMinWidth;
        return form_.MinWidth > PW() && !form_.WindowMinimized() ? form_.MinWidth : PW();
    }
    if (!skinned) return 0;
    return form_.MinWidth == 0 || form_.MinWidth > PW() ? PW() : form_.MinWidth;
}

int TspFrameGeometry::MinHeight() const {
    const bool skinned = form_.SkinSupport();
    if (form_.SupportNCArea()) {
        const int frame = skinned ? PH() - RectHeight(form_.SkinData()->clientrect)
                                  : form_.Form()->DefaultCaptionHeight() + 2 * kDefaultFrameBorder;
        return frame >= form_.MinHeight || form_.GetRollUpState() || form_.WindowMinimized()
                   ? frame
                   : form_.MinHeight;
    }
    if (!skinned) return 0;
    return form_.MinHeight == 0 || form_.MinHeight > PH() ? PH() : form_.MinHeight;
}

int TspFrameGeometry::MaxWidth() const {
    return RectWidth(GetWorkArea(form_.Form()->BoundsRect(), !form_.MaximizeOnFullScreen));
}

int TspFrameGeometry::MaxHeight() const {
    return RectHeight(GetWorkArea(form_.Form()->BoundsRect(), !form_.MaximizeOnFullScreen));
}

// ---------------------------------------------------------------- the skinned frame

void TspFrameGeometry::CalcRects() {
    if (!form_.SkinSupport()) return;
    const TspSkinData& s = *form_.SkinData();
    TspFrameRects& n = rects_;
    const int dx = FrameW() - PW(), dy = FrameH() - PH();
    n.LT = s.lefttoppoint;
    n.RT = Point(s.righttoppoint.X + dx, s.righttoppoint.Y);
    n.LB = Point(s.leftbottompoint.X, s.leftbottompoint.Y + dy);
    n.RB = Point(s.rightbottompoint.X + dx, s.rightbottompoint.Y + dy);
    const TRect& c = s.clientrect;
    n.Client = Rect(c.Left, c.Top, c.Right + dx, c.Bottom + dy);
    n.Caption = s.captionrect;
    if (!IsNullRect(s.captionrect)) n.Caption.Right += dx;
    n.Buttons = s.buttonsrect;
    // Buttons sitting in the right half of the picture follow the right edge.
    if (!IsNullRect(s.buttonsrect) && s.buttonsrect.Left > PW() / 2)
        n.Buttons = OffsetRect(s.buttonsrect, dx, 0);
    n.ButtonsOffset = s.buttonsoffset;
    n.ButtonsInLeft = s.buttonsinleft;
    n.HitLT = s.hittestlefttoppoint;
    n.HitRT = Point(s.hittestrighttoppoint.X + dx, s.hittestrighttoppoint.Y);
    n.HitLB = Point(s.hittestleftbottompoint.X, s.hittestleftbottompoint.Y + dy);
    n.HitRB = Point(s.hittestrightbottompoint.X + dx, s.hittestrightbottompoint.Y + dy);
    const TRect& m = s.maskrectarea;
    n.MaskArea = Rect(m.Left, m.Top, m.Right + dx, m.Bottom + dy);
    n.MainMenu = s.mainmenurect;
    if (SkinStretchable()) {
        n.MainMenu.Right += dx;
        if (PtInRect(Rect(0, s.leftbottompoint.Y, s.leftbottompoint.X, PH()),
                     s.mainmenurect.TopLeft())) {
            n.MainMenu = OffsetRect(n.MainMenu, 0, dy);
        }
    }
}

TRect TspFrameGeometry::CalcObjectRect(const TRect& r) const {
    if (!form_.SkinData()) return r;
    const TspSkinData& s = *form_.SkinData();
    const TPoint lt = s.lefttoppoint, rt = s.righttoppoint, lb = s.leftbottompoint,
                 rb = s.rightbottompoint;
    const TRect lta = Rect(0, 0, lt.X, lt.Y);
    const TRect rta = Rect(rt.X, 0, PW(), rt.Y);
    const TRect lba = Rect(0, lb.Y, lb.X, PH());
    const TRect rba = Rect(rb.X, rb.Y, PW(), PH());
    const int dx = FrameW() - PW(), dy = FrameH() - PH();
    if (RectInRect(r, lta)) return r;
    if (RectInRect(r, rta)) return OffsetRect(r, dx, 0);
    if (RectInRect(r, lba)) return OffsetRect(r, 0, dy);
    if (RectInRect(r, rba)) return OffsetRect(r, dx, dy);
    const TPoint tl = r.TopLeft(), br = r.BottomRight();
    TRect out = r;
    if (PtInRect(lta, tl) && PtInRect(rba, br)) {
        out.Right += dx;
        out.Bottom += dy;
    } else if (PtInRect(lta, tl) && PtInRect(rta, br)) {
        out.Right += dx;
    } else if (PtInRect(lba, tl) && PtInRect(rba, br)) {
        out.Right += dx;
        out = Rect(out.Left, out.Top + dy, out.Right, out.Bottom + dy);
    } else if (PtInRect(lta, tl) && PtInRect(lba, br)) {
        out.Bottom += dy;
    } else if (PtInRect(rta, tl) && PtInRect(rba, br)) {
        out = Rect(out.Left + dx, out.Top, out.Right + dx, out.Bottom + dy);
    }
    return out;
}

void TspFrameGeometry::NcCalcSize(TRect& p) {
    TCustomForm& form = *form_.Form();
    if (!form_.SupportNCArea() || !form.HasBorder() || form_.MaximizedMDIChild()) return;
    if (form_.SkinSupport() && !IsNullRect(form_.SkinData()->clientrect)) {
        CalcRects();
        const TRect& c = form_.SkinData()->clientrect;
        p.Left += c.Left;
        p.Top += c.Top;
        p.Right += c.Right - PW();
        p.Bottom += c.Bottom - PH();
    } else {
        p.Left += kDefaultFrameBorder;
        p.Top += form.DefaultCaptionHeight() + kDefaultFrameBorder;
        p.Right -= kDefaultFrameBorder;
        p.Bottom -= kDefaultFrameBorder;
    }
    p.Right = std::max(p.Right, p.Left);
    p.Bottom = std::max(p.Bottom, p.Top);
}

void TspFrameGeometry::NudgeWidth() {
    TCustomForm& form = *form_.Form();
    const int w = form.Width();
    const int s = w - 1 < MinWidth() ? 1 : 0;
    form.SetWidth(w - 1 + 2 * s);
    form.SetWidth(w);
}

// Nudging the width makes the framework ask WM_NCCALCSIZE again, at the price of two full
// layouts of the window (with its native views); when the client rectangle it holds is
// already the one the frame gives, the frame is brought up to date in place instead.
void TspFrameGeometry::FrameForShow() {
    if (!form_.SupportNCArea()) {
        PlaceChildControls();
        return;
    }
    TakeFormSize();
    TRect expected = Rect(0, 0, frameWidth_, frameHeight_);
    NcCalcSize(expected);
    if (expected != form_.Form()->ClientRectInWindow()) {
        NudgeWidth();
        return;
    }
    if (form_.SkinSupport() && FrameSizeAtLeastMinimum())
        form_.UpdateFrame(true);
    else
        form_.Painter().SendNcPaint();
}

void TspFrameGeometry::FitWindowToSkin() {
    TCustomForm& form = *form_.Form();
    const int minW = MinWidth(), minH = MinHeight();
    const int w = form.Width(), h = form.Height();
    if (w < minW && h < minH)
        form.SetBounds(form.Left(), form.Top(), minW, minH);
    else if (h < minH)
        form.SetHeight(minH);
    else if (w < minW)
        form.SetWidth(minW);
    else
        NudgeWidth();
    // A rolled-up or minimised window is the frame alone.
    if (form_.GetRollUpState() || form_.WindowMinimized()) {
        if (form.Height() != minH) form.SetHeight(minH);
        if (form_.WindowMinimized() && form.Width() != minW) form.SetWidth(minW);
    }
    TakeFormSize();
}

// At least the picture's size when the skin stretches (unless both smallest sizes are set);
// exactly that size otherwise, and the window is no longer sizeable.
void TspFrameGeometry::FitClientToSkin() {
    if (form_.GetRollUpState()) return;
    TCustomForm& form = *form_.Form();
    if (SkinStretchable()) {
        if (!(form_.MinWidth > 0 && form_.MinHeight > 0)) {
            if (form.ClientWidth() < PW()) form.SetClientWidth(PW());
            if (form.ClientHeight() < PH()) form.SetClientHeight(PH());
        }
    } else {
        form.SetClientWidth(PW());
        form.SetClientHeight(PH());
        form_.Sizeable = false;
    }
}

void TspFrameGeometry::FollowClientModeSize() {
    const TCustomForm& form = *form_.Form();
    if (form_.GetRollUpState()) return;
    if (SkinStretchable() || (form.ClientWidth() == PW() && form.ClientHeight() == PH())) {
        form_.UpdateFrame(SkinStretchable());
    }
}

// ---------------------------------------------------------------- the default frame

void TspFrameGeometry::DefaultLayout() {
    form_.FrameObjects().EnsureDefaultButtons();
    const TCustomForm& form = *form_.Form();
    const int w = form.Width();
    const int capH = form.DefaultCaptionHeight();
    const bool tool = form.BorderStyle() == bsToolWindow || form.BorderStyle() == bsSizeToolWin;
    const int size = tool ? kDefaultToolButtonSize : kDefaultButtonSize;
    // The caption band is capH high below the 3-pixel border.
    defCaptionRect_ = Rect(kDefaultFrameBorder, kDefaultFrameBorder, w - kDefaultFrameBorder,
                           kDefaultFrameBorder + capH);
    auto stdButton = [this](int i, TspButtonCommand command) -> TspActiveSkinObject* {
        TspActiveSkinObject* o = form_.Objects(i);
        if (o->Kind() != TspObjectKind::StdButton || !o->Visible) return nullptr;
        return static_cast<TspSkinStdButtonObject*>(o)->Command == command ? o : nullptr;
    };
    int x = w - kDefaultFrameBorder;
    for (TspButtonCommand command : {cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray}) {
        for (int i = 0; i < form_.ObjectCount(); ++i) {
            TspActiveSkinObject* o = stdButton(i, command);
            if (!o) continue;
            o->ObjectRect = Rect(x - size, 4, x, 4 + size);
            x -= size;
        }
    }
    defCaptionRect_.Right = x;
    for (int i = 0; i < form_.ObjectCount(); ++i) {
        TspActiveSkinObject* o = stdButton(i, cmSysMenu);
        if (!o) continue;
        const TSize s = form_.ShowIcon() ? TspSkinForm::SmallIconSize() : TSize{size, size};
        o->ObjectRect = Rect(kDefaultFrameBorder, 4, kDefaultFrameBorder + s.cx, 4 + s.cy);
        defCaptionRect_.Left = kDefaultFrameBorder + s.cx;
    }
}

// ---------------------------------------------------------------- placed children

void TspFrameGeometry::PlaceChildControls() {
    // A copy: a child's resize handler may free children or change the skin meanwhile.
    const std::vector<ChildControlSlot> slots = childControlSlots_;
    const TLivenessWatch self = liveness_.Watch();
    for (const ChildControlSlot& slot : slots) {
        if (!self.Alive() || !form_.SkinSupport()) return;
        if (!slot.alive.Alive() || slot.control->Parent() != form_.Form()) continue;
        slot.control->SetBoundsRect(SkinStretchable() ? CalcObjectRect(slot.skinRect)
                                                      : slot.skinRect);
    }
}

void TspFrameGeometry::CollectChildControls() {
    childControlSlots_.clear();
    TCustomForm& form = *form_.Form();
    const TspSkinData& skin = *form_.SkinData();
    for (int i = 0; i < form.ControlCount(); ++i) {
        TControl* c = form.Controls(i);
        auto* skinned = dynamic_cast<ISkinnedControl*>(c);
        const std::string area = skinned ? skinned->AreaName() : std::string();
        if (area.empty()) continue;
        const int index = skin.GetAreaDefIndex(area);
        if (index < 0) continue;
        const TRect r = skin.AreaDefs[static_cast<size_t>(index)]->AreaRect;
        if (IsNullRect(r)) continue;
        c->SetAlign(alNone);
        childControlSlots_.push_back({c, c->LivenessWatch(), r});
    }
}

// ---------------------------------------------------------------- messages

// The frame skipped by a live resize followed WM_SIZING already.
void TspFrameGeometry::OnSize(TMessage& m, const TspPreviousProc& previous) {
    const bool live = form_.Mover().LiveSizing();
    if (live && !form_.LogoBitMap().Empty() && form_.SupportNCArea()) form_.Form()->Invalidate();
    previous(m);
    if (live) return;
    TakeFormSize();
    FollowSize();
    if (!form_.LogoBitMap().Empty() && form_.SupportNCArea()) form_.Form()->Invalidate();
}

// The frame follows the window's new size; a translucent window shows what lies behind it,
// so everything is painted anew.
void TspFrameGeometry::FollowSize() {
    const bool nonClient = form_.SupportNCArea();
    if (form_.SkinSupport()) {
        if (!nonClient)
            FollowClientModeSize();
        else if (FrameSizeAtLeastMinimum())
            form_.UpdateFrame(true);
    } else if (nonClient) {
        form_.Painter().SendNcPaint();
    }
    if (nonClient && form_.AlphaBlend() && form_.Layered() && LayeredWindowsSupported() &&
        form_.AlphaBlendValue() < 255) {
        form_.Painter().SendNcPaint();
        form_.Form()->Invalidate();
    }
}

void TspFrameGeometry::OnSizing(TMessage& m, const TspPreviousProc& previous) {
    const bool live = form_.Mover().LiveSizing();
    previous(m);
    if (!live) return;
    if (auto* r = reinterpret_cast<TRect*>(m.LParam)) SetFrameSize(RectWidth(*r), RectHeight(*r));
    if (form_.SupportNCArea() && form_.SkinSupport() && FrameSizeAtLeastMinimum())
        form_.UpdateFrame(true);
}

void TspFrameGeometry::OnNcCalcSize(TMessage& m) {
    if (auto* r = reinterpret_cast<TRect*>(m.LParam)) NcCalcSize(*r);
    m.Result = 0;
}

void TspFrameGeometry::OnGetMinMaxInfo(TMessage& m) {
    if (auto* mmi = reinterpret_cast<TMinMaxInfo*>(m.LParam)) {
        mmi->ptMinTrackSizeX = MinWidth();
        mmi->ptMinTrackSizeY = MinHeight();
        mmi->ptMaxTrackSizeX = MaxWidth();
        mmi->ptMaxTrackSizeY = MaxHeight();
    }
}
