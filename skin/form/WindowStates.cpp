// The emulated window states of a skinned window (normal, minimised to a frame-only strip,
// maximised to the work area or the monitor) and rolling the window up to its frame. The
// platform's own window state is never used: the window stays a normal window whose bounds
// the component sets.
//
// Two rules keep the roll-up consistent with the state: maximising a window rolled up in
// the normal state unrolls it first, and restoring a window that was rolled up while
// maximised brings it back unrolled. Without them the window would be flagged rolled up at
// a full size (client area shown, no borders to size it, no way to unroll it).
#include <algorithm>

#include "base/Region.h"
#include "skin/data/SkinData.h"
#include "skin/draw/MaskRegion.h"
#include "skin/draw/PlatformUtils.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/SkinCompose.h"
#include "skin/form/SkinForm.h"
#include "skin/form/WindowPlacement.h"
#include "ui/Application.h"
#include "ui/Screen.h"
#include "ui/Timer.h"

namespace {

// The skinned-frame component of a form, or nullptr.
TspSkinForm* SkinFormOf(const TCustomForm& form) {
    for (int i = 0; i < form.ComponentCount(); ++i) {
        if (auto* f = dynamic_cast<TspSkinForm*>(form.Components(i))) return f;
    }
    return nullptr;
}

}  // namespace

void TspSkinForm::ClearHover() { TestActive(-1, -1, false); }

void TspSkinForm::SetWindowState(uint8_t state) {
    if (state == FWindowState || state > kSkinStateMaximized) return;
    switch (state) {
        case kSkinStateNormal: RestoreNormal(); break;
        case kSkinStateMinimized: Minimize(); break;
        default: Maximize(); break;
    }
    // The buttons' restore looks and the frame follow the new state.
    SendNcPaint();
}

void TspSkinForm::RestoreNormal() {
    const bool unroll = RollUpState && RolledUpWhileMaximized;
    FWindowState = kSkinStateNormal;
    RolledUpWhileMaximized = false;
    if (unroll) SetRollUpState(false);
    const TRect target = RestoreBounds;
    RestoreBounds = {};
    const bool sameSize = IsRectEmpty(target) || (target.Width() == FForm->Width() && target.Height() == FForm->Height());
    if (!IsRectEmpty(target)) FForm->SetBoundsRect(target);
    objects_->StartMouseTimer();
    if (supportNCArea_) {
        // The frame is laid out for the state even when the size stays.
        if (sameSize) geometry_->NudgeWidth();
        FForm->Invalidate();
    }
    if (IsMDIChildForm()) NotifyMDIParent(SKINMSG_MDICHILDRESTORED);
}

void TspSkinForm::Minimize() {
    // An MDI child takes the next free place along the bottom of the MDI client area.
    if (IsMDIChildForm()) {
        FWindowState = kSkinStateMinimized;
        if (IsRectEmpty(RestoreBounds)) RestoreBounds = FForm->BoundsRect();
        ClearHover();
        const int w = GetMinWidth(), h = GetMinHeight();
        const TPoint at = MDIMinimizedPlace(w, h);
        FForm->SetBounds(at.X, at.Y, w, h);
        NotifyMDIParent(SKINMSG_MDICHILDRESTORED);
        return;
    }
    // The application's main form, and any form in client mode, minimise the whole
    // application; the emulated state stays, since the window keeps its bounds.
    if (Application().MainForm() == FForm || !supportNCArea_) {
        ClearHover();
        Application().Minimize();
        return;
    }
    FWindowState = kSkinStateMinimized;
    if (IsRectEmpty(RestoreBounds)) RestoreBounds = FForm->BoundsRect();
    ClearHover();
    // With the state minimised these are the picture's width and the frame's height.
    const TSize size{GetMinWidth(), GetMinHeight()};
    const TRect area = GetWorkArea(FForm->BoundsRect(), true);
    const TCustomForm* mainForm = Application().MainForm();
    const TPoint at = MinimizedPlace(area, size, [this, mainForm](TPoint p) {
        for (int i = 0; i < Screen().FormCount(); ++i) {
            const TCustomForm* other = Screen().Forms(i);
            if (other == FForm || other == mainForm || !other->Visible()) continue;
            if (other->Left() != p.X || other->Top() != p.Y) continue;
            const TspSkinForm* frame = SkinFormOf(*other);
            if (frame && frame->WindowMinimized()) return true;
        }
        return false;
    });
    FForm->SetBounds(at.X, at.Y, size.cx, size.cy);
}

void TspSkinForm::Maximize() {
    if (RollUpState && !RolledUpWhileMaximized) {
        if (FWindowState == kSkinStateNormal) {
            SetRollUpState(false);
        } else {
            // Minimised after rolling up: the bounds to come back to become the unrolled ones.
            RollUpState = false;
            if (OldHeight > 0 && !IsRectEmpty(RestoreBounds)) RestoreBounds.Bottom = RestoreBounds.Top + OldHeight;
            if (OnChangeRollUpState) OnChangeRollUpState(this);
        }
    }
    if (IsRectEmpty(RestoreBounds)) RestoreBounds = FForm->BoundsRect();
    FWindowState = kSkinStateMaximized;
    if (IsMDIChildForm()) {
        MaximizeMDIChild();
        return;
    }
    const TRect bounds = FForm->BoundsRect();
    FForm->SetBoundsRect(MaximizedBounds(GetWorkArea(bounds, false), GetWorkArea(bounds, true), MaximizeOnFullScreen));
}

void TspSkinForm::RestoreWindow() {
    if (RolledUpWhileMaximized || (RollUpState && FWindowState == kSkinStateNormal)) SetRollUpState(false);
    else SetWindowState(kSkinStateNormal);
}

// ---------------------------------------------------------------- roll-up

void TspSkinForm::SetRollUpState(bool value) {
    // Rolling up twice would remember the rolled height as the one to come back to.
    if (value == RollUpState) return;
    if ((!FSkinSupport && !supportNCArea_) || !(borderIcons_ & biRollUp) ||
        (RollUpState && WindowMaximized() && !RolledUpWhileMaximized) || WindowMinimized()) {
        return;
    }
    const bool wasRolledWhileMaximized = RolledUpWhileMaximized;
    if (WindowMaximized()) RolledUpWhileMaximized = value;
    RollUpState = value;
    if (supportNCArea_) {
        RollNonClient(value);
    } else {
        RollClient(value);
        if (RollUpState != value) {  // the skin has no roll-up picture
            RolledUpWhileMaximized = wasRolledWhileMaximized;
            return;
        }
    }
    if (OnChangeRollUpState) OnChangeRollUpState(this);
}

void TspSkinForm::RollNonClient(bool up) {
    ClearHover();
    if (up) {
        OldHeight = FForm->Height();
        FForm->SetHeight(GetMinHeight());
    } else if (OldHeight > 0) {
        FForm->SetHeight(OldHeight);
    }
    // The other roll state's objects (and the roll-up button's look) show even when the
    // height stayed.
    SendNcPaint();
    FForm->Invalidate();
}

void TspSkinForm::RollClient(bool up) {
    if (!FSkinSupport || skinData_->RollUpPicture.Empty()) {
        RollUpState = false;
        return;
    }
    const TspSkinData& s = *skinData_;
    const bool stretchable = s.rollupleftpoint.X < s.rolluprightpoint.X;
    ClearHover();
    GetMouseTimer().SetEnabled(false);
    GetMorphTimer().SetEnabled(false);
    if (up) {
        OldHeight = FForm->Height();
        if (HiddenControls.empty()) {
            for (int i = 0; i < FForm->ControlCount(); ++i) {
                TControl* c = FForm->Controls(i);
                if (!c->Visible()) continue;
                HiddenControls.emplace_back(c, c->LivenessWatch());
            }
            for (auto& [c, alive] : HiddenControls) {
                if (alive.Alive()) c->SetVisible(false);
            }
        }
        const int d = FForm->Width() - s.RollUpPicture.Width();
        for (int i = 0; i < ObjectCount(); ++i) {
            TspActiveSkinObject* o = Objects(i);
            if (!o->RollUp) continue;
            TRect r = o->SkinRect;
            if (stretchable) {
                if (r.Left >= s.rolluprightpoint.X) r = OffsetRect(r, d, 0);
                else if (r.Left <= s.rollupleftpoint.X && r.Right >= s.rolluprightpoint.X) r.Right += d;
            }
            o->ObjectRect = r;
        }
        rollUpOldWidth_ = 0;
        if (stretchable) {
            FForm->SetHeight(s.RollUpPicture.Height());
        } else {
            // The width comes back with the height when the window unrolls.
            if (FForm->Width() != s.RollUpPicture.Width()) rollUpOldWidth_ = FForm->Width();
            FForm->SetBounds(FForm->Left(), FForm->Top(), s.RollUpPicture.Width(), s.RollUpPicture.Height());
        }
        shape_->SetRollUpRegion();
        FForm->Invalidate();
    } else {
        for (auto& [c, alive] : HiddenControls) {
            if (alive.Alive()) c->SetVisible(true);
        }
        HiddenControls.clear();
        if (geometry_->SkinStretchable()) {
            const int w = rollUpOldWidth_ > 0 ? rollUpOldWidth_ : FForm->Width();
            FForm->SetBounds(FForm->Left(), FForm->Top(), w, OldHeight > 0 ? OldHeight : FForm->Height());
            if (!(MinWidth > 0 && MinHeight > 0)) {
                if (FForm->ClientWidth() < geometry_->PW()) FForm->SetClientWidth(geometry_->PW());
                if (FForm->ClientHeight() < geometry_->PH())
                    FForm->SetClientHeight(geometry_->PH());
            }
        } else {
            FForm->SetClientWidth(geometry_->PW());
            FForm->SetClientHeight(geometry_->PH());
            Sizeable = false;
        }
        rollUpOldWidth_ = 0;
        geometry_->TakeFormSize();
        // The main mask's shape, the objects' and the skin-placed controls' places.
        UpdateFrame(geometry_->SkinStretchable());
    }
    objects_->StartMouseTimer();
}

// ---------------------------------------------------------------- caption double click

void TspSkinForm::CaptionDoubleClick() {
    if (supportNCArea_) {
        if (Sizeable && WindowMinimized()) SetWindowState(kSkinStateNormal);
        else if (Sizeable && !WindowMaximized() && !RollUpState && (borderIcons_ & biMaximize))
            SetWindowState(kSkinStateMaximized);
        else if (Sizeable && WindowMaximized() && !RolledUpWhileMaximized) SetWindowState(kSkinStateNormal);
        else SetRollUpState(!RollUpState);
        return;
    }
    // Client mode: only a double click on a caption object.
    const int active = GetActiveObject();
    if (active < 0 || active >= ObjectCount() ||
        Objects(active)->Kind() != TspObjectKind::Caption) {
        return;
    }
    if (RollUpState) SetRollUpState(false);
    else if (Sizeable) SetWindowState(FWindowState == kSkinStateNormal ? kSkinStateMaximized : kSkinStateNormal);
    else SetRollUpState(true);
}
