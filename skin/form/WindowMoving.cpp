// Moving a skinned window: each step of the framework's move loop (WM_MOVING) in both
// modes, and in client mode the component's own dragging on the mouse timer. A maximised
// window stays where it is; with Magnetic the window snaps to its work area's edges.
#include "skin/draw/PlatformUtils.h"
#include "skin/form/SkinForm.h"
#include "skin/form/WindowPlacement.h"
#include "ui/Screen.h"
#include "ui/Timer.h"

void TspSkinForm::MovingRect(TRect& proposed) {
    const int w = FForm->Width(), h = FForm->Height();
    if (WindowMaximized()) {
        proposed = FForm->BoundsRect();
        return;
    }
    if (!Magnetic) return;
    const TRect area = GetWorkArea(FForm->BoundsRect(), true);
    const TPoint p = MagneticSnap(proposed.TopLeft(), {w, h}, area, MagneticSize);
    proposed = Rect(p.X, p.Y, p.X + w, p.Y + h);
}

void TspSkinForm::StartDragging() {
    Dragging = true;
    DragStart = Screen().CursorPos();
    GetMouseTimer().SetEnabled(true);
}

void TspSkinForm::StopDragging() { Dragging = false; }

void TspSkinForm::DragStep() {
    const TPoint c = Screen().CursorPos();
    if (c == DragStart) return;
    TPoint p{c.X + FForm->Left() - DragStart.X, c.Y + FForm->Top() - DragStart.Y};
    if (Magnetic) p = MagneticSnap(p, {FForm->Width(), FForm->Height()}, GetWorkArea(FForm->BoundsRect(), true), MagneticSize);
    FForm->SetBounds(p.X, p.Y, FForm->Width(), FForm->Height());
    DragStart = c;
}
