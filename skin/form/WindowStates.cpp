// The emulated window states and the roll-up (TspWindowStates, WindowStates.h).
#include "skin/form/WindowStates.h"

#include <algorithm>

#include "base/Messages.h"
#include "skin/data/SkinData.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/SkinCompose.h"
#include "skin/form/SkinForm.h"
#include "skin/form/WindowPlacement.h"
#include "ui/Application.h"
#include "ui/Screen.h"
#include "ui/Timer.h"
#include "ui/WorkArea.h"

void TspWindowStates::ClearHover() { form_.TestActive(-1, -1, false); }

void TspWindowStates::SetWindowState(uint8_t state) {
    if (state == state_ || state > kSkinStateMaximized) return;
    switch (state) {
        case kSkinStateNormal:
            RestoreNormal();
            break;
        case kSkinStateMinimized:
            Minimize();
            break;
        default:
            Maximize();
            break;
    }
    // The buttons' restore looks and the frame follow the new state.
    form_.Painter().SendNcPaint();
}

void TspWindowStates::RestoreNormal() {
    TCustomForm& form = *form_.Form();
    const bool unroll = rolledUp_ && rolledUpWhileMaximized_;
    state_ = kSkinStateNormal;
    rolledUpWhileMaximized_ = false;
    if (unroll) SetRollUpState(false);
    const TRect target = restoreBounds_;
    restoreBounds_ = {};
    const bool sameSize =
        IsRectEmpty(target) || (target.Width() == form.Width() && target.Height() == form.Height());
    if (!IsRectEmpty(target)) form.SetBoundsRect(target);
    form_.FrameObjects().StartMouseTimer();
    if (form_.SupportNCArea()) {
        // The frame is laid out for the state even when the size stays.
        if (sameSize) form_.Geometry().NudgeWidth();
        form.Invalidate();
    }
    if (form_.IsMDIChildForm()) form_.mdi_->NotifyMDIParent(SKINMSG_MDICHILDRESTORED);
}

void TspWindowStates::Minimize() {
    TCustomForm& form = *form_.Form();
    // An MDI child takes the next free place along the bottom of the MDI client area.
    if (form_.IsMDIChildForm()) {
        state_ = kSkinStateMinimized;
        if (IsRectEmpty(restoreBounds_)) restoreBounds_ = form.BoundsRect();
        ClearHover();
        const int w = form_.GetMinWidth(), h = form_.GetMinHeight();
        const TPoint at = form_.mdi_->MDIMinimizedPlace(w, h);
        form.SetBounds(at.X, at.Y, w, h);
        form_.mdi_->NotifyMDIParent(SKINMSG_MDICHILDRESTORED);
        return;
    }
    // The application's main form, and any form in client mode, minimise the whole
    // application; the emulated state stays, since the window keeps its bounds.
    if (Application().MainForm() == &form || !form_.SupportNCArea()) {
        ClearHover();
        Application().Minimize();
        return;
    }
    state_ = kSkinStateMinimized;
    if (IsRectEmpty(restoreBounds_)) restoreBounds_ = form.BoundsRect();
    ClearHover();
    // With the state minimised these are the picture's width and the frame's height.
    const TSize size{form_.GetMinWidth(), form_.GetMinHeight()};
    const TRect area = GetWorkArea(form.BoundsRect(), true);
    const TCustomForm* mainForm = Application().MainForm();
    const TPoint at = MinimizedPlace(area, size, [&form, mainForm](TPoint p) {
        for (int i = 0; i < Screen().FormCount(); ++i) {
            const TCustomForm* other = Screen().Forms(i);
            if (other == &form || other == mainForm || !other->Visible()) continue;
            if (other->Left() != p.X || other->Top() != p.Y) continue;
            const TspSkinForm* frame = TspSkinForm::Of(other);
            if (frame && frame->WindowMinimized()) return true;
        }
        return false;
    });
    form.SetBounds(at.X, at.Y, size.cx, size.cy);
}

void TspWindowStates::Maximize() {
    TCustomForm& form = *form_.Form();
    if (rolledUp_ && !rolledUpWhileMaximized_) {
        if (state_ == kSkinStateNormal) {
            SetRollUpState(false);
        } else {
            // Minimised after rolling up: the bounds to come back to become the unrolled ones.
            rolledUp_ = false;
            if (oldHeight_ > 0 && !IsRectEmpty(restoreBounds_))
                restoreBounds_.Bottom = restoreBounds_.Top + oldHeight_;
            RollUpStateChanged();
        }
    }
    if (IsRectEmpty(restoreBounds_)) restoreBounds_ = form.BoundsRect();
    state_ = kSkinStateMaximized;
    if (form_.IsMDIChildForm()) {
        form_.mdi_->MaximizeMDIChild();
        return;
    }
    const TRect bounds = form.BoundsRect();
    form.SetBoundsRect(MaximizedBounds(GetWorkArea(bounds, false), GetWorkArea(bounds, true),
                                       form_.MaximizeOnFullScreen));
}

void TspWindowStates::RestoreWindow() {
    if (rolledUpWhileMaximized_ || (rolledUp_ && state_ == kSkinStateNormal))
        SetRollUpState(false);
    else
        SetWindowState(kSkinStateNormal);
}

// ---------------------------------------------------------------- roll-up

void TspWindowStates::RollUpStateChanged() {
    if (form_.OnChangeRollUpState) form_.OnChangeRollUpState(&form_);
}

void TspWindowStates::SetRollUpState(bool value) {
    // Rolling up twice would remember the rolled height as the one to come back to.
    if (value == rolledUp_) return;
    if ((!form_.SkinSupport() && !form_.SupportNCArea()) || !(form_.BorderIcons() & biRollUp) ||
        (rolledUp_ && Maximized() && !rolledUpWhileMaximized_) || Minimized()) {
        return;
    }
    const bool wasRolledWhileMaximized = rolledUpWhileMaximized_;
    if (Maximized()) rolledUpWhileMaximized_ = value;
    rolledUp_ = value;
    if (form_.SupportNCArea()) {
        RollNonClient(value);
    } else {
        RollClient(value);
        if (rolledUp_ != value) {  // the skin has no roll-up picture
            rolledUpWhileMaximized_ = wasRolledWhileMaximized;
            return;
        }
    }
    RollUpStateChanged();
}

void TspWindowStates::RollNonClient(bool up) {
    TCustomForm& form = *form_.Form();
    ClearHover();
    if (up) {
        oldHeight_ = form.Height();
        form.SetHeight(form_.GetMinHeight());
    } else if (oldHeight_ > 0) {
        form.SetHeight(oldHeight_);
    }
    // The other roll state's objects (and the roll-up button's look) show even when the
    // height stayed.
    form_.Painter().SendNcPaint();
    form.Invalidate();
}

void TspWindowStates::RollClient(bool up) {
    if (!form_.SkinSupport() || form_.SkinData()->RollUpPicture.Empty()) {
        rolledUp_ = false;
        return;
    }
    ClearHover();
    form_.FrameObjects().MouseTimer().SetEnabled(false);
    form_.FrameObjects().MorphTimer().SetEnabled(false);
    if (up)
        RollClientUp();
    else
        RollClientDown();
    form_.FrameObjects().StartMouseTimer();
}

void TspWindowStates::HideControls() {
    if (!hiddenControls_.empty()) return;
    TCustomForm& form = *form_.Form();
    for (int i = 0; i < form.ControlCount(); ++i) {
        TControl* c = form.Controls(i);
        if (!c->Visible()) continue;
        hiddenControls_.emplace_back(c, c->LivenessWatch());
    }
    for (auto& [c, alive] : hiddenControls_) {
        if (alive.Alive()) c->SetVisible(false);
    }
}

void TspWindowStates::ShowHiddenControls() {
    for (auto& [c, alive] : hiddenControls_) {
        if (alive.Alive()) c->SetVisible(true);
    }
    hiddenControls_.clear();
}

// The window takes the roll-up picture's height (and its width, when it does not stretch),
// the roll-up objects their places and the window the roll-up shape; the children hide.
void TspWindowStates::RollClientUp() {
    TCustomForm& form = *form_.Form();
    const TspSkinData& s = *form_.SkinData();
    const bool stretchable = s.rollupleftpoint.X < s.rolluprightpoint.X;
    oldHeight_ = form.Height();
    HideControls();
    const int d = form.Width() - s.RollUpPicture.Width();
    for (int i = 0; i < form_.ObjectCount(); ++i) {
        TspActiveSkinObject* o = form_.Objects(i);
        if (!o->RollUp) continue;
        TRect r = o->SkinRect;
        if (stretchable) {
            if (r.Left >= s.rolluprightpoint.X)
                r = OffsetRect(r, d, 0);
            else if (r.Left <= s.rollupleftpoint.X && r.Right >= s.rolluprightpoint.X)
                r.Right += d;
        }
        o->ObjectRect = r;
    }
    rollUpOldWidth_ = 0;
    if (stretchable) {
        form.SetHeight(s.RollUpPicture.Height());
    } else {
        // The width comes back with the height when the window unrolls.
        if (form.Width() != s.RollUpPicture.Width()) rollUpOldWidth_ = form.Width();
        form.SetBounds(form.Left(), form.Top(), s.RollUpPicture.Width(), s.RollUpPicture.Height());
    }
    form_.Shape().SetRollUpRegion();
    form.Invalidate();
}

// The children show again and the window comes back to its size (the skin's, when the skin
// does not stretch) with the main mask's shape and the objects' and placed children's places.
void TspWindowStates::RollClientDown() {
    TCustomForm& form = *form_.Form();
    TspFrameGeometry& geometry = form_.Geometry();
    ShowHiddenControls();
    if (geometry.SkinStretchable()) {
        const int w = rollUpOldWidth_ > 0 ? rollUpOldWidth_ : form.Width();
        form.SetBounds(form.Left(), form.Top(), w, oldHeight_ > 0 ? oldHeight_ : form.Height());
        if (!(form_.MinWidth > 0 && form_.MinHeight > 0)) {
            if (form.ClientWidth() < geometry.PW()) form.SetClientWidth(geometry.PW());
            if (form.ClientHeight() < geometry.PH()) form.SetClientHeight(geometry.PH());
        }
    } else {
        form.SetClientWidth(geometry.PW());
        form.SetClientHeight(geometry.PH());
        form_.Sizeable = false;
    }
    rollUpOldWidth_ = 0;
    geometry.TakeFormSize();
    form_.UpdateFrame(geometry.SkinStretchable());
}

void TspWindowStates::UnrollForSkinWithoutRollUp() {
    if (!rolledUp_ || !form_.SkinData()->RollUpPicture.Empty()) return;
    ShowHiddenControls();
    rolledUp_ = false;
}

void TspWindowStates::RollUpAgainForSkin() {
    if (!rolledUp_) return;
    const int oldHeight = oldHeight_;
    RollClient(true);
    oldHeight_ = oldHeight;
}

// ---------------------------------------------------------------- caption double click

void TspWindowStates::CaptionDoubleClick() {
    const bool sizeable = form_.Sizeable;
    if (form_.SupportNCArea()) {
        if (sizeable && Minimized())
            SetWindowState(kSkinStateNormal);
        else if (sizeable && !Maximized() && !rolledUp_ && (form_.BorderIcons() & biMaximize))
            SetWindowState(kSkinStateMaximized);
        else if (sizeable && Maximized() && !rolledUpWhileMaximized_)
            SetWindowState(kSkinStateNormal);
        else
            SetRollUpState(!rolledUp_);
        return;
    }
    // Client mode: only a double click on a caption object.
    const int active = form_.GetActiveObject();
    if (active < 0 || active >= form_.ObjectCount() ||
        form_.Objects(active)->Kind() != TspObjectKind::Caption) {
        return;
    }
    if (rolledUp_)
        SetRollUpState(false);
    else if (sizeable)
        SetWindowState(state_ == kSkinStateNormal ? kSkinStateMaximized : kSkinStateNormal);
    else
        SetRollUpState(true);
}
