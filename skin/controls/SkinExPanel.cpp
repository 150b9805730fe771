#include "skin/controls/SkinExPanel.h"

#include <algorithm>

#include "skin/controls/SkinHotPalette.h"
#include "skin/data/SkinData.h"
#include "skin/draw/Blit.h"
#include "skin/draw/Glyphs.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/TextUtils.h"
#include "ui/Canvas.h"
#include "ui/Panel.h"  // Frame3D

TspSkinExPanel::TspSkinExPanel(TComponent* owner) : TspSkinCustomControl(owner) {
    ControlStyle = csAcceptsControls | csCaptureMouse | csClickEvents | csDoubleClicks |
                   csSetCaption | csOpaque;
    SetSkinDataName("expanel");
    SetBounds(Left(), Top(), 150, 100);
}

const TspDataSkinExPanelControl* TspSkinExPanel::ExPanelDef() const {
    return dynamic_cast<const TspDataSkinExPanelControl*>(SectionDef());
}

// ---- Published ----

void TspSkinExPanel::SetDefaultCaptionHeight(int value) {
    defaultCaptionHeight_ = value;
    MarkImageDirty();
    if (HasSection()) return;
    Invalidate();
    Realign();
}

void TspSkinExPanel::SetShowRollButton(bool value) {
    showRollButton_ = value;
    Invalidate();
}

void TspSkinExPanel::SetShowCloseButton(bool value) {
    showCloseButton_ = value;
    Invalidate();
}

void TspSkinExPanel::SetRollKind(TspExPanelRollKind value) {
    // A stored panel brings its sizes along with its state.
    const bool reRoll = rollState_ && value != rollKind_ && !IsLoading();
    rollKind_ = value;
    if (reRoll) {
        // Rolled: the panel opens in the old direction to the size stored for it and rolls
        // up in the new one (the bounds take the new kind's rolled size), so no direction
        // stays at a rolled size that unrolling would not undo.
        int width = Width(), height = Height();
        if (value == rkRollHorizontal) {
            if (realHeight_ > 0) height = realHeight_;
            realHeight_ = 0;
            if (realWidth_ == 0) realWidth_ = width;
        } else {
            if (realWidth_ > 0) width = realWidth_;
            realWidth_ = 0;
            if (realHeight_ == 0) realHeight_ = height;
        }
        SetBounds(Left(), Top(), width, height);
    }
    Invalidate();
}

// ---- Rolling ----

int TspSkinExPanel::RolledSize() const {
    const TspDataSkinExPanelControl* def = ExPanelDef();
    if (def == nullptr) return defaultCaptionHeight_;
    return rollKind_ == rkRollVertical ? def->RollVSkinRect.Height() : def->RollHSkinRect.Width();
}

void TspSkinExPanel::SetRollState(bool value) {
    if (value == rollState_) return;
    ReadSkinSection();
    rollState_ = value;
    if (value)
        RollUp();
    else
        Unroll();
    Invalidate();
    if (OnChangeRollState && !IsDesigning()) OnChangeRollState(this);
}

void TspSkinExPanel::RollUp() {
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* child = Controls(i);
        if (child->Visible()) rolledChildren_.emplace_back(child, child->LivenessWatch());
    }
    for (auto& [child, alive] : rolledChildren_) child->Hide();
    if (rollKind_ == rkRollVertical && realHeight_ == 0) {
        realHeight_ = Height();
        SetHeight(RolledSize());
    } else if (rollKind_ == rkRollHorizontal && realWidth_ == 0) {
        realWidth_ = Width();
        SetWidth(RolledSize());
    }
}

void TspSkinExPanel::Unroll() {
    // A size of 0 was never stored by a roll: the panel keeps its size then.
    if (rollKind_ == rkRollHorizontal) {
        if (realWidth_ > 0) SetWidth(realWidth_);
        realWidth_ = 0;
    } else {
        if (realHeight_ > 0) SetHeight(realHeight_);
        realHeight_ = 0;
    }
    auto children = std::move(rolledChildren_);
    rolledChildren_.clear();
    for (auto& [child, alive] : children)
        if (alive.Alive() && child->Parent() == this) child->Show();
}

void TspSkinExPanel::SetBounds(int left, int top, int width, int height) {
    // Also while the roll itself resizes the panel: the parent's layout, which that resize
    // runs, must not open it again.
    if (rollState_) {
        ReadSkinSection();
        if (rollKind_ == rkRollHorizontal)
            width = RolledSize();
        else
            height = RolledSize();
    }
    TspSkinCustomControl::SetBounds(left, top, width, height);
}

void TspSkinExPanel::ApplySkin() {
    TspSkinCustomControl::ApplySkin();
    if (!rollState_) {
        Realign();
    } else if (rollKind_ == rkRollVertical) {
        SetHeight(RolledSize());
    } else {
        SetWidth(RolledSize());
    }
}

void TspSkinExPanel::AdjustClientRect(TRect& rect) const {
    if (!HasSection() || IsDesigning()) {
        rect = ClientRect();
        rect.Top += defaultCaptionHeight_;
        rect.Left += 1;
        rect.Right -= 1;
        rect.Bottom -= 1;
    } else {
        rect = NewClientRect();
    }
    rect.Right = std::max(rect.Right, rect.Left);
    rect.Bottom = std::max(rect.Bottom, rect.Top);
}

// ---- Layout ----

TRect TspSkinExPanel::LayoutSkin(const TspDataSkinExPanelControl& def) {
    Button& close = buttons_[kCloseButton];
    Button& roll = buttons_[kRollButton];
    const int cw = def.CloseButtonRect.Width(), ch = def.CloseButtonRect.Height();
    if (!StripLayout()) {
        TRect cr = rollState_ ? def.RollVCaptionRect : def.CaptionRect;
        cr.Right += Width() - (rollState_ ? def.RollVSkinRect.Width() : skinRect_.Width());
        const int rw = def.VRollButtonRect.Width(), rh = def.VRollButtonRect.Height();
        int g = 0;
        if (showCloseButton_) {
            close.rect = Rect(cr.Right - cw, cr.Top, cr.Right, cr.Top + ch);
            g = 2;
        } else {
            close.rect = Rect(cr.Right, 0, 0, 0);
        }
        roll.rect = showRollButton_
                        ? Rect(close.rect.Left - rw - g, cr.Top, close.rect.Left - g, cr.Top + rh)
                        : TRect{};
        cr.Right -= (showCloseButton_ ? cw : 0) + (showRollButton_ ? rw + g : 0);
        return cr;
    }
    TRect cr = def.RollHCaptionRect;
    cr.Bottom += Height() - def.RollHSkinRect.Height();
    const int rw = def.HRollButtonRect.Width(), rh = def.HRollButtonRect.Height();
    int g = 0;
    if (showCloseButton_) {
        close.rect = Rect(cr.Left, cr.Top, cr.Left + cw, cr.Top + ch);
        g = 2;
    } else {
        close.rect = Rect(0, 0, 0, cr.Top);
    }
    roll.rect = showRollButton_
                    ? Rect(cr.Left, close.rect.Bottom + g, cr.Left + rw, close.rect.Bottom + g + rh)
                    : TRect{};
    cr.Top += (showCloseButton_ ? ch : 0) + (showRollButton_ ? rh + g : 0);
    return cr;
}

TRect TspSkinExPanel::LayoutDefault() {
    Button& close = buttons_[kCloseButton];
    Button& roll = buttons_[kRollButton];
    const int b = defaultCaptionHeight_ - 6;  // button size
    const int w = Width();
    const int shown = (showCloseButton_ ? 1 : 0) + (showRollButton_ ? 1 : 0);
    if (!StripLayout()) {
        close.rect = showCloseButton_ ? Rect(w - b - 2, 3, w - 2, b + 3) : Rect(w - 2, 0, 0, 0);
        roll.rect =
            showRollButton_ ? Rect(close.rect.Left - b, 3, close.rect.Left, b + 3) : TRect{};
        // Inside the caption bar's two frames.
        TRect r = Rect(2, 2, w - 2, defaultCaptionHeight_ - 2);
        r.Left += 2;
        r.Right -= shown * b + 2;
        return r;
    }
    close.rect = showCloseButton_ ? Rect(3, 3, b + 3, b + 3) : Rect(0, 0, 0, 3);
    roll.rect =
        showRollButton_ ? Rect(3, close.rect.Bottom, b + 3, close.rect.Bottom + b) : TRect{};
    TRect r = Rect(0, 0, w, Height());
    r.Top += shown * b + 2;
    return r;
}

TRect TspSkinExPanel::Layout() {
    if (const TspDataSkinExPanelControl* def = ExPanelDef()) return LayoutSkin(*def);
    return LayoutDefault();
}

TRect TspSkinExPanel::ButtonRect(int index) {
    ReadSkinSection();
    Layout();
    const bool shown = index == kCloseButton ? showCloseButton_ : showRollButton_;
    return shown ? buttons_.at(static_cast<size_t>(index)).rect : TRect{};
}

TRect TspSkinExPanel::CaptionArea() {
    ReadSkinSection();
    return Layout();
}

TspSkinExPanel::Pieces TspSkinExPanel::ButtonPieces(const TspDataSkinExPanelControl& def,
                                                    int index) const {
    if (index == kCloseButton)
        return {def.CloseButtonRect, def.CloseButtonActiveRect, def.CloseButtonDownRect};
    Pieces p;
    if (rollKind_ == rkRollHorizontal) {
        p = rollState_
                ? Pieces{def.HRestoreButtonRect, def.HRestoreButtonActiveRect,
                         def.HRestoreButtonDownRect}
                : Pieces{def.HRollButtonRect, def.HRollButtonActiveRect, def.HRollButtonDownRect};
    } else {
        p = rollState_
                ? Pieces{def.VRestoreButtonRect, def.VRestoreButtonActiveRect,
                         def.VRestoreButtonDownRect}
                : Pieces{def.VRollButtonRect, def.VRollButtonActiveRect, def.VRollButtonDownRect};
    }
    // The roll and restore buttons fall back: active to normal, pressed to active.
    if (IsNullRect(p.active)) p.active = p.normal;
    if (IsNullRect(p.pressed)) p.pressed = p.active;
    return p;
}

// ---- Drawing ----

void TspSkinExPanel::DrawButton(TCanvas& canvas, int index) {
    const Button& b = buttons_.at(static_cast<size_t>(index));
    const TspDataSkinExPanelControl* def = ExPanelDef();
    if (def != nullptr) {
        if (picture_ == nullptr) return;
        const Pieces p = ButtonPieces(*def, index);
        const TRect& piece = b.active && b.pressed ? p.pressed : b.active ? p.active : p.normal;
        if (IsNullRect(piece) || IsNullRect(b.rect)) return;
        canvas.CopyRect(b.rect, *picture_, piece);
        return;
    }
    if (IsNullRect(b.rect)) return;
    canvas.FillSolid(b.rect, clBtnFace);
    if (b.active) {
        canvas.FillSolid(b.rect, kHotFrame);
        canvas.FillSolid(InflateRect(b.rect, -1, -1), b.pressed ? kPressedFill : kHotFill);
    }
    TRect glyph = b.rect;
    if (b.active && b.pressed) {
        glyph.Left += 2;
        glyph.Top += 2;
    }
    if (index == kCloseButton) {
        DrawCloseGlyphCentered(canvas, glyph, clBlack);
    } else if (rollKind_ == rkRollVertical) {
        DrawArrow(canvas, glyph, clBlack, rollState_ ? akDown : akUp);
    } else {
        DrawArrow(canvas, glyph, clBlack, rollState_ ? akRight : akLeft);
    }
}

void TspSkinExPanel::DrawCaption(TCanvas& canvas, const TRect& area) {
    canvas.Brush.Style = bsClear;
    if (!StripLayout()) {
        DrawTextVCentered(canvas, Caption(), area);
        return;
    }
    // Running upward, centred across the strip, towards the strip's top from its middle.
    const TSize text = canvas.TextExtent(Caption());
    const int x = area.Left + area.Width() / 2 - text.cy / 2;
    const int y = std::min(area.Top + area.Height() / 2 + text.cx / 2, area.Bottom - 2);
    canvas.Font.Orientation = 900;
    canvas.TextRect(area, x, y, Caption());
    canvas.Font.Orientation = 0;
}

void TspSkinExPanel::PaintSkinImage(TBitmap& bitmap) {
    const TspDataSkinExPanelControl* def = ExPanelDef();
    if (def == nullptr || picture_ == nullptr || mode_ == rmNone) {
        TspSkinCustomControl::PaintSkinImage(bitmap);
        return;
    }
    if (StripLayout()) {
        ComposeVertImage(def->RollTopOffset, def->RollBottomOffset, bitmap, Height(),
                         def->RollHSkinRect, *picture_);
    } else if (rollState_) {
        ComposeHorzImage(def->RollLeftOffset, def->RollRightOffset, bitmap, Width(),
                         def->RollVSkinRect, *picture_);
    } else {
        TspSkinCustomControl::PaintSkinImage(bitmap);
    }
    const TRect caption = LayoutSkin(*def);
    TCanvas& canvas = bitmap.Canvas();
    TCanvasStateGuard guard(canvas);
    canvas.Font = CaptionFont(def->FontDef);
    DrawCaption(canvas, caption);
    if (showCloseButton_) DrawButton(canvas, kCloseButton);
    if (showRollButton_) DrawButton(canvas, kRollButton);
}

void TspSkinExPanel::PaintDefaultImage(TBitmap& bitmap) {
    const int w = Width(), h = Height();
    TCanvas& canvas = bitmap.Canvas();
    TCanvasStateGuard guard(canvas);
    if (!StripLayout()) {
        canvas.FillSolid(Rect(0, 0, w, h), clBtnShadow);
        canvas.FillSolid(Rect(1, 1, w - 1, h - 1), clBtnFace);
        TRect bar = Rect(0, 0, w, defaultCaptionHeight_);
        Frame3D(canvas, bar, clBtnShadow, clBtnShadow, 1);
        Frame3D(canvas, bar, clBtnHighlight, clBtnFace, 1);
    } else {
        canvas.FillSolid(Rect(0, 0, w, h), clBtnFace);
        TRect frame = Rect(0, 0, w, h);
        Frame3D(canvas, frame, clBtnShadow, clBtnShadow, 1);
        Frame3D(canvas, frame, clBtnHighlight, clBtnFace, 1);
    }
    const TRect caption = LayoutDefault();
    canvas.Font = DefaultFont();
    DrawCaption(canvas, caption);
    if (showCloseButton_) DrawButton(canvas, kCloseButton);
    if (showRollButton_) DrawButton(canvas, kRollButton);
}

// ---- Mouse ----

void TspSkinExPanel::RedrawButton(int index) {
    if (index < 0) return;
    MarkImageDirty();
    const bool shown = index == kCloseButton ? showCloseButton_ : showRollButton_;
    if (!shown || Width() < 1 || Height() < 1) return;
    // Straight onto the control, as the rest of its image stands.
    DrawButton(Canvas(), index);
}

void TspSkinExPanel::SetActiveButton(int index) {
    if (index == activeButton_) return;
    oldActiveButton_ = activeButton_;
    activeButton_ = index;
    if (oldActiveButton_ >= 0) {
        buttons_[static_cast<size_t>(oldActiveButton_)].active = false;
        RedrawButton(oldActiveButton_);
    }
    if (index >= 0) {
        buttons_[static_cast<size_t>(index)].active = true;
        RedrawButton(index);
    }
}

void TspSkinExPanel::HitTest(TPoint p) {
    ReadSkinSection();
    Layout();
    int hit = -1;
    for (int i : {kCloseButton, kRollButton}) {
        const bool shown = i == kCloseButton ? showCloseButton_ : showRollButton_;
        if (shown && PtInRect(buttons_[static_cast<size_t>(i)].rect, p)) hit = i;
    }
    // While one button is held the other cannot light up.
    if (pressedButton_ >= 0 && hit != pressedButton_) hit = -1;
    SetActiveButton(hit);
}

void TspSkinExPanel::MouseDownAt(TPoint p) {
    HitTest(p);
    if (activeButton_ < 0) return;
    pressedButton_ = activeButton_;
    Button& b = buttons_[static_cast<size_t>(pressedButton_)];
    b.active = true;
    b.pressed = true;
    RedrawButton(pressedButton_);
}

void TspSkinExPanel::MouseUpAt(TPoint p) {
    if (pressedButton_ < 0) return;
    const int index = pressedButton_;
    pressedButton_ = -1;
    Button& b = buttons_[static_cast<size_t>(index)];
    b.pressed = false;
    const bool stillActive = activeButton_ == index;
    if (!stillActive) b.active = false;
    RedrawButton(index);
    if (!stillActive) return;
    if (index == kCloseButton) {
        SetVisible(false);
        if (OnClose && !IsDesigning()) OnClose(this);
        return;
    }
    SetRollState(!rollState_);
    activeButton_ = -1;
    buttons_[kCloseButton].active = buttons_[kRollButton].active = false;
    HitTest(p);
    Invalidate();
}

void TspSkinExPanel::WndProc(TMessage& message) {
    const TPoint p{GetXParam(message.LParam), GetYParam(message.LParam)};
    const bool live = !IsDesigning();
    switch (message.Msg) {
        case WM_MOUSEMOVE:
            if (live) HitTest(p);
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            if (live) MouseDownAt(p);
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            TLivenessWatch alive = LivenessWatch();
            TspSkinCustomControl::WndProc(message);
            if (live && alive.Alive()) MouseUpAt(p);
            return;
        }
        case CM_MOUSEENTER:
            if (message.LParam == 0) activeButton_ = oldActiveButton_ = -1;
            break;
        case CM_MOUSELEAVE:
            if (message.LParam == 0) {
                for (int i : {kCloseButton, kRollButton}) {
                    if (!buttons_[static_cast<size_t>(i)].active) continue;
                    buttons_[static_cast<size_t>(i)].active = false;
                    RedrawButton(i);
                }
                activeButton_ = -1;
            }
            break;
        case CM_TEXTCHANGED:
            Invalidate();
            break;
        default:
            break;
    }
    TspSkinCustomControl::WndProc(message);
}
