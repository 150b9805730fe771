#include "skin/controls/ParentBackground.h"

#include <cstdint>

#include "base/Messages.h"
#include "ui/Canvas.h"
#include "ui/Controls.h"
#include "ui/Forms.h"

namespace {

void Paint(TControl& control, TCanvas& canvas, uint32_t message) {
    control.Perform(message, reinterpret_cast<uintptr_t>(&canvas), 0);
}

// Paints a sibling (and, for custom-drawn ones, their custom-drawn children) with its
// top-left at logical (0, 0) of the canvas, clipped to its own size.
void PaintControlInto(TControl& control, TCanvas& canvas) {
    TCanvasStateGuard guard(canvas);
    canvas.IntersectClipRect(Rect(0, 0, control.Width(), control.Height()));
    Paint(control, canvas, WM_PAINT);
    auto* custom = dynamic_cast<TCustomControl*>(&control);
    if (custom == nullptr) return;
    for (int i = 0; i < custom->ControlCount(); ++i) {
        TControl* child = custom->Controls(i);
        if (!child->Visible() || dynamic_cast<TCustomControl*>(child) == nullptr) continue;
        TCanvasStateGuard childGuard(canvas);
        canvas.MoveOrigin(child->Left(), child->Top());
        PaintControlInto(*child, canvas);
    }
}

}  // namespace

void PaintParentBackground(TControl& control, TCanvas& canvas) {
    TWinControl* parent = control.Parent();
    if (parent == nullptr) return;
    {
        TCanvasStateGuard guard(canvas);
        canvas.MoveOrigin(-control.Left(), -control.Top());
        canvas.IntersectClipRect(parent->ClientRect());
        Paint(*parent, canvas, WM_ERASEBKGND);
        if (dynamic_cast<TCustomForm*>(parent) == nullptr) Paint(*parent, canvas, WM_PAINT);
    }
    const TRect bounds = control.BoundsRect();
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* sibling = parent->Controls(i);
        if (sibling == &control) break;
        if (!sibling->Visible()) continue;
        if (dynamic_cast<TGraphicControl*>(sibling) == nullptr &&
            dynamic_cast<TCustomControl*>(sibling) == nullptr) {
            continue;
        }
        if (IsRectEmpty(IntersectRect(sibling->BoundsRect(), bounds))) continue;
        TCanvasStateGuard guard(canvas);
        canvas.MoveOrigin(sibling->Left() - control.Left(), sibling->Top() - control.Top());
        PaintControlInto(*sibling, canvas);
    }
}
