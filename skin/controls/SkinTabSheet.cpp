#include "skin/controls/SkinTabSheet.h"

#include "skin/controls/SkinPageControl.h"
#include "ui/Canvas.h"

TspSkinCustomTabSheet::TspSkinCustomTabSheet(TComponent* owner) : TTabSheet(owner) {
    ControlStyle |= csAcceptsControls;
    SetAlign(alClient);
}

void TspSkinCustomTabSheet::PaintBackground(TCanvas& canvas) {
    const int w = Width(), h = Height();
    auto* pc = dynamic_cast<TspSkinPageControl*>(Parent());
    if (pc != nullptr) pc->ReadSkinSection();
    if (pc == nullptr || !pc->HasSection() || pc->SectionPicture() == nullptr) {
        canvas.FillSolid(Rect(0, 0, w, h), clBtnFace);
        return;
    }
    // The background picture, or else the skin's client piece, tiled whole from (0, 0);
    // the canvas clips the last column and row.
    const TBitmap* tile = pc->BackgroundPicture();
    TRect src;
    if (tile != nullptr) {
        src = Rect(0, 0, tile->Width(), tile->Height());
    } else {
        tile = pc->SectionPicture();
        const TRect& R = pc->Section().SkinRect;
        const TRect& C = pc->Section().ClientRect;
        src = Rect(R.Left + C.Left, R.Top + C.Top, R.Left + C.Right, R.Top + C.Bottom);
    }
    const int cw = src.Width(), ch = src.Height();
    if (cw < 1 || ch < 1) {
        // A skin whose client piece has no size has nothing to tile.
        canvas.FillSolid(Rect(0, 0, w, h), clBtnFace);
        return;
    }
    for (int i = 0; i <= w / cw; ++i)
        for (int j = 0; j <= h / ch; ++j)
            canvas.CopyRect(Bounds(i * cw, j * ch, cw, ch), *tile, src);
}

void TspSkinCustomTabSheet::WndProc(TMessage& message) {
    if (message.Msg == WM_ERASEBKGND && Width() >= 1 && Height() >= 1 && Parent() != nullptr) {
        TCanvas* canvas = MessageCanvas(message);
        PaintBackground(canvas ? *canvas : ControlCanvas());
        message.Result = 1;
        return;
    }
    TTabSheet::WndProc(message);
    if (message.Msg == WM_SIZE) Invalidate();
    // The tab shows the page's image enabled or disabled.
    if (message.Msg == CM_ENABLEDCHANGED && Parent() != nullptr) Parent()->Invalidate();
}
