// Frame geometry for the current window size: the skin's points and rectangles moved with
// the right and bottom edges, the objects placed by the corner rule, the caption-button row
// and the non-client size.
#include <algorithm>

#include "skin/data/SkinData.h"
#include "skin/draw/RectUtils.h"
#include "skin/form/FrameObjectKinds.h"
#include "skin/form/SkinForm.h"
#include "ui/Bitmap.h"

namespace {

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
    return r.Left >= 0 && r.Top >= 0 && r.Right <= picture->Width() && r.Bottom <= picture->Height();
}

bool SkinFrameUsable(const TspSkinData& s) {
    if (s.MainPicture.Empty()) return false;
    const int pw = s.MainPicture.Width(), ph = s.MainPicture.Height();
    // What sizes the frame's strips and shape must lie in its pictures.
    if (!SkinRectInPicture(s.clientrect, &s.MainPicture)) return false;
    if (!s.MaskPicture.Empty() && !SkinRectInPicture(s.maskrectarea, &s.MaskPicture)) return false;
    for (const TPoint p : {s.lefttoppoint, s.righttoppoint, s.leftbottompoint, s.rightbottompoint}) {
        if (p.X < 0 || p.Y < 0 || p.X > pw || p.Y > ph) return false;
    }
    // The rest only places things: it must stay in the window's coordinate range.
    for (const TRect& r : {s.buttonsrect, s.captionrect, s.maskrectarea, s.mainmenurect, s.iconrect}) {
        if (!SkinRectUsable(r)) return false;
    }
    for (const TPoint p : {s.hittestlefttoppoint, s.hittestrighttoppoint, s.hittestleftbottompoint,
                           s.hittestrightbottompoint, s.rollupleftpoint, s.rolluprightpoint}) {
        if (!InRange(p)) return false;
    }
    return s.buttonsoffset >= -kMaxSkinCoordinate && s.buttonsoffset <= kMaxSkinCoordinate &&
           s.borderwidth >= -kMaxSkinCoordinate && s.borderwidth <= kMaxSkinCoordinate;
}

void TspSkinForm::CalcRects() {
    if (!FSkinSupport) return;
    const TspSkinData& s = *skinData_;
    const int dx = FrameW() - PW(), dy = FrameH() - PH();
    NewLTPoint = s.lefttoppoint;
    NewRTPoint = Point(s.righttoppoint.X + dx, s.righttoppoint.Y);
    NewLBPoint = Point(s.leftbottompoint.X, s.leftbottompoint.Y + dy);
    NewRBPoint = Point(s.rightbottompoint.X + dx, s.rightbottompoint.Y + dy);
    const TRect& c = s.clientrect;
    NewClRect = Rect(c.Left, c.Top, c.Right + dx, c.Bottom + dy);
    NewCaptionRect = s.captionrect;
    if (!IsNullRect(s.captionrect)) NewCaptionRect.Right += dx;
    NewButtonsRect = s.buttonsrect;
    // Buttons sitting in the right half of the picture follow the right edge.
    if (!IsNullRect(s.buttonsrect) && s.buttonsrect.Left > PW() / 2) NewButtonsRect = OffsetRect(s.buttonsrect, dx, 0);
    ButtonsOffset = s.buttonsoffset;
    ButtonsInLeft = s.buttonsinleft;
    NewHitTestLTPoint = s.hittestlefttoppoint;
    NewHitTestRTPoint = Point(s.hittestrighttoppoint.X + dx, s.hittestrighttoppoint.Y);
    NewHitTestLBPoint = Point(s.hittestleftbottompoint.X, s.hittestleftbottompoint.Y + dy);
    NewHitTestRBPoint = Point(s.hittestrightbottompoint.X + dx, s.hittestrightbottompoint.Y + dy);
    const TRect& m = s.maskrectarea;
    NewMaskRectArea = Rect(m.Left, m.Top, m.Right + dx, m.Bottom + dy);
    NewIconRect = CalcObjectRect(s.iconrect);
    NewMainMenuRect = s.mainmenurect;
    if (SkinStretchable()) {
        NewMainMenuRect.Right += dx;
        if (PtInRect(Rect(0, s.leftbottompoint.Y, s.leftbottompoint.X, PH()), s.mainmenurect.TopLeft())) {
            NewMainMenuRect = OffsetRect(NewMainMenuRect, 0, dy);
        }
    }
}

TRect TspSkinForm::CalcObjectRect(const TRect& r) const {
    if (!skinData_) return r;
    const TspSkinData& s = *skinData_;
    const TPoint lt = s.lefttoppoint, rt = s.righttoppoint, lb = s.leftbottompoint, rb = s.rightbottompoint;
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

void TspSkinForm::ArrangeObjects() {
    for (auto& o : ObjectList) o->ObjectRect = CalcObjectRect(o->SkinRect);
    ArrangeMainMenuItems();

    TRect row;
    if (!IsNullRect(NewButtonsRect)) row = NewButtonsRect;
    else if (!IsNullRect(NewCaptionRect)) row = NewCaptionRect;
    else return;
    const int y = row.Top;

    // Only caption buttons (and animations) drawn from an active picture move with the row;
    // buttons painted into the frame picture keep their corner-rule places.
    struct DynamicButton {
        TspActiveSkinObject* object;
        TspButtonCommand command;
    };
    std::vector<DynamicButton> dynamic;
    for (auto& o : ObjectList) {
        TspButtonCommand command = cmDefault;
        bool buttonStyle = false;
        if (!o->Visible || !o->SkinRectInAPicture || !CaptionCommandOf(*o, command, buttonStyle)) continue;
        dynamic.push_back({o.get(), command});
    }
    auto sizeOf = [this](const DynamicButton& b) {
        if (b.command == cmSysMenu && ShowIcon()) return SmallIconSize();
        return TSize{RectWidth(b.object->SkinRect), RectHeight(b.object->SkinRect)};
    };
    auto firstWith = [&dynamic](TspButtonCommand command) -> const DynamicButton* {
        for (const auto& b : dynamic) {
            if (b.command == command) return &b;
        }
        return nullptr;
    };
    // Right to left: close, maximise, minimise, roll-up, tray, then the custom buttons.
    std::vector<DynamicButton> order;
    for (TspButtonCommand command : {cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray}) {
        if (const DynamicButton* b = firstWith(command)) order.push_back(*b);
    }
    for (const auto& b : dynamic) {
        if (b.command == cmDefault) order.push_back(b);
    }
    TspSkinCaptionObject* caption = FirstCaptionObject();
    const DynamicButton* sysMenu = firstWith(cmSysMenu);

    if (!ButtonsInLeft) {
        int x = row.Right;
        for (const auto& b : order) {
            const TSize s = sizeOf(b);
            b.object->ObjectRect = Rect(x - s.cx, y, x, y + s.cy);
            x -= s.cx + ButtonsOffset;
        }
        if (IsNullRect(NewButtonsRect) && caption) caption->ObjectRect.Right = x + ButtonsOffset;
        int left = NewCaptionRect.Left;
        if (sysMenu) {
            const TSize s = sizeOf(*sysMenu);
            const int top = RectHeight(NewCaptionRect) / 2 + NewCaptionRect.Top - s.cy / 2;
            sysMenu->object->ObjectRect = Rect(left, top, left + s.cx, top + s.cy);
            left += s.cx + ButtonsOffset;
            if (caption) caption->ObjectRect.Left = left - ButtonsOffset;
        }
        return;
    }
    int x = row.Left;
    for (const auto& b : order) {
        const TSize s = sizeOf(b);
        b.object->ObjectRect = Rect(x, y, x + s.cx, y + s.cy);
        x += s.cx + ButtonsOffset;
    }
    if (IsNullRect(NewButtonsRect)) {
        if (sysMenu) {
            const TSize s = sizeOf(*sysMenu);
            sysMenu->object->ObjectRect = Rect(x, y, x + s.cx, y + s.cy);
            x += s.cx + ButtonsOffset;
        }
        if (caption) caption->ObjectRect.Left = x + ButtonsOffset;
    }
}

void TspSkinForm::NcCalcSize(TRect& p) {
    if (!supportNCArea_ || !FForm->HasBorder() || MaximizedMDIChild()) return;
    if (FSkinSupport && !IsNullRect(skinData_->clientrect)) {
        CalcRects();
        const TRect& c = skinData_->clientrect;
        p.Left += c.Left;
        p.Top += c.Top;
        p.Right += c.Right - PW();
        p.Bottom += c.Bottom - PH();
    } else {
        p.Left += kDefaultFrameBorder;
        p.Top += FForm->DefaultCaptionHeight() + kDefaultFrameBorder;
        p.Right -= kDefaultFrameBorder;
        p.Bottom -= kDefaultFrameBorder;
    }
    p.Right = std::max(p.Right, p.Left);
    p.Bottom = std::max(p.Bottom, p.Top);
}
