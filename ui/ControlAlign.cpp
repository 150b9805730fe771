// Alignment of child controls: alTop, alBottom, alLeft, alRight, then alClient, each taking
// its strip from what the earlier ones left of the parent's (adjusted) client rectangle;
// within one kind, children go in z-order.
#include <algorithm>

#include "ui/Controls.h"

void TWinControl::AdjustClientRect(TRect& rect) const { (void)rect; }

void TWinControl::DisableAlign() { ++alignLevel_; }

void TWinControl::EnableAlign() {
    if (alignLevel_ > 0) --alignLevel_;
    if (alignLevel_ == 0 && alignPending_) Realign();
}

void TWinControl::Realign() {
    if (alignLevel_ > 0 || IsLoading() || IsDestroying() || aligning_) {
        alignPending_ = true;
        return;
    }
    alignPending_ = false;
    TRect rect = ClientRect();
    AdjustClientRect(rect);
    aligning_ = true;
    try {
        AlignControls(nullptr, rect);
    } catch (...) {
        aligning_ = false;
        throw;
    }
    aligning_ = false;
}

void TWinControl::AlignControls(TControl* control, TRect& rect) {
    (void)control;
    for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient}) DoAlign(a, rect);
}

void TWinControl::DoAlign(TAlign align, TRect& rect) {
    // Copy: a child's bounds change may reorder or edit the list.
    const std::vector<TControl*> children = controls_;
    for (TControl* c : children) {
        if (c->Align() != align || !c->Visible() || c->Parent() != this) continue;
        const int w = std::max(0, rect.Width());
        const int h = std::max(0, rect.Height());
        switch (align) {
            case alTop:
                c->SetBounds(rect.Left, rect.Top, w, c->Height());
                rect.Top = std::min(rect.Bottom, rect.Top + c->Height());
                break;
            case alBottom:
                c->SetBounds(rect.Left, rect.Bottom - c->Height(), w, c->Height());
                rect.Bottom = std::max(rect.Top, rect.Bottom - c->Height());
                break;
            case alLeft:
                c->SetBounds(rect.Left, rect.Top, c->Width(), h);
                rect.Left = std::min(rect.Right, rect.Left + c->Width());
                break;
            case alRight:
                c->SetBounds(rect.Right - c->Width(), rect.Top, c->Width(), h);
                rect.Right = std::max(rect.Left, rect.Right - c->Width());
                break;
            case alClient:
                c->SetBounds(rect.Left, rect.Top, w, h);
                break;
            case alNone:
                break;
        }
    }
}

void TWinControl::Loaded() {
    TControl::Loaded();
    Realign();
    UpdateNativeViews();
}
