// Moving and sizing a skinned window (TspWindowMover, WindowMover.h).
#include "skin/form/WindowMover.h"

#include "skin/form/SkinForm.h"
#include "skin/form/WindowPlacement.h"
#include "ui/Screen.h"
#include "ui/Timer.h"
#include "ui/WorkArea.h"

TRect TspWindowMover::SnapArea() const {
    // An MDI child moves inside its parent's MDI client area, in whose coordinates its
    // bounds (and the move loop's rectangle) are given.
    if (form_.IsMDIChildForm()) return form_.MDIClientArea();
    return GetWorkArea(form_.Form()->BoundsRect(), true);
}

void TspWindowMover::MovingRect(TRect& proposed) {
    const TCustomForm& form = *form_.Form();
    const int w = form.Width(), h = form.Height();
    if (form_.WindowMaximized()) {
        proposed = form.BoundsRect();
        return;
    }
    if (!form_.Magnetic) return;
    const TPoint p = MagneticSnap(proposed.TopLeft(), {w, h}, SnapArea(), form_.MagneticSize);
    proposed = Rect(p.X, p.Y, p.X + w, p.Y + h);
}

// ---------------------------------------------------------------- client-mode dragging

void TspWindowMover::StartDragging() {
    dragging_ = true;
    dragStart_ = Screen().CursorPos();
    form_.GetMouseTimer().SetEnabled(true);
}

void TspWindowMover::DragStep() {
    TCustomForm& form = *form_.Form();
    const TPoint c = Screen().CursorPos();
    if (c == dragStart_) return;
    TPoint p{c.X + form.Left() - dragStart_.X, c.Y + form.Top() - dragStart_.Y};
    if (form_.Magnetic) {
        p = MagneticSnap(p, {form.Width(), form.Height()}, SnapArea(), form_.MagneticSize);
    }
    form.SetBounds(p.X, p.Y, form.Width(), form.Height());
    dragStart_ = c;
}

// ---------------------------------------------------------------- the size-move loop

bool TspWindowMover::TakesPress() {
    if (!inSizeMove_) return false;
    // This press began the running loop, or it is the first press after a loop begun
    // otherwise: either way no object gets it.
    if (loopRunning_)
        loopStartedByClick_ = true;
    else
        inSizeMove_ = false;
    return true;
}

void TspWindowMover::OnMoving(TMessage& m) {
    if (auto* r = reinterpret_cast<TRect*>(m.LParam)) MovingRect(*r);
}

void TspWindowMover::OnEnterSizeMove() {
    loopRunning_ = true;
    loopStartedByClick_ = false;
    if (!form_.SupportNCArea()) return;
    TspFrameObjects& objects = form_.FrameObjects();
    objects.ResetObjects();
    objects.MouseTimer().SetEnabled(false);
    objects.ForgetActive();
    inSizeMove_ = true;
    // The framework always shows the window's contents while it is dragged.
    fullDrag_ = true;
}

void TspWindowMover::OnExitSizeMove() {
    loopRunning_ = false;
    if (form_.SupportNCArea()) {
        form_.FrameObjects().MouseTimer().SetEnabled(false);
        form_.FrameObjects().ForgetActive();
        // A loop begun by a frame press ends with that press handled: the flag that
        // swallows the press is not left for the next click.
        if (loopStartedByClick_) inSizeMove_ = false;
        // The frame was skipped by WM_SIZE during the loop; the final size is painted now
        // and the client area follows.
        if (form_.SkinSupport()) {
            form_.Geometry().TakeFormSize();
            form_.Painter().SendNcPaint();
        }
    }
    loopStartedByClick_ = false;
}
