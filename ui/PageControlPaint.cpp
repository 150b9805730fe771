// The plain look of the page control: a raised page frame, beveled tabs with the selected
// one standing out, and two scroll buttons while a single row overflows.
#include <string>

#include "ui/Accelerators.h"
#include "ui/Canvas.h"
#include "ui/ImageList.h"
#include "ui/PageControl.h"
#include "ui/Panel.h"  // Frame3D
#include "ui/TextLayout.h"

using tab_layout::Horizontal;
using tab_layout::kImageGap;
using tab_layout::kPageInset;

void TPageControl::Paint() {
    TCanvas& canvas = Canvas();
    const TRect client = ClientRect();
    canvas.FillSolid(client, Color());

    // Page frame: raised, two pixels, around the page area.
    TRect frame = InflateRect(DisplayRect(), kPageInset, kPageInset);
    if (tabPosition_ == tpLeft || tabPosition_ == tpRight) frame.Top -= 2;
    if (!IsRectEmpty(frame)) {
        Frame3D(canvas, frame, clBtnHighlight, cl3DDkShadow, 1);
        Frame3D(canvas, frame, cl3DLight, clBtnShadow, 1);
    }

    const int count = TabCount();
    const int active = TabIndex();
    {
        TCanvasStateGuard guard(canvas);
        if (ShowScrollButtons && TabsOverflow())
            canvas.ExcludeClipRect(UnionRect(ScrollButtonRect(false), ScrollButtonRect(true)));
        for (int i = 0; i < count; ++i) {
            const TRect r = GetItemRect(i);
            if (i != active && !IsRectEmpty(r)) DrawTab(canvas, i, r, false);
        }
        TRect r = GetItemRect(active);
        if (active >= 0 && !IsRectEmpty(r)) {
            // The selected tab stands out by two pixels and joins the page below it.
            switch (tabPosition_) {
                case tpTop:
                    r = Rect(r.Left - 2, r.Top - 2, r.Right + 2, r.Bottom + 1);
                    break;
                case tpBottom:
                    r = Rect(r.Left - 2, r.Top - 1, r.Right + 2, r.Bottom + 2);
                    break;
                case tpLeft:
                    r = Rect(r.Left - 2, r.Top - 2, r.Right + 1, r.Bottom + 2);
                    break;
                case tpRight:
                    r = Rect(r.Left - 1, r.Top - 2, r.Right + 2, r.Bottom + 2);
                    break;
            }
            DrawTab(canvas, active, r, true);
        }
    }

    if (ShowScrollButtons && TabsOverflow()) {
        for (bool right : {false, true}) {
            TRect b = ScrollButtonRect(right);
            canvas.FillSolid(b, clBtnFace);
            TRect inner = b;
            Frame3D(canvas, inner, clBtnHighlight, cl3DDkShadow, 1);
            Frame3D(canvas, inner, cl3DLight, clBtnShadow, 1);
            // A small filled triangle pointing left or right.
            const int cx = (b.Left + b.Right) / 2, cy = (b.Top + b.Bottom) / 2;
            for (int i = 0; i < 4; ++i) {
                const int x = right ? cx - 2 + i : cx + 1 - i;
                canvas.FillSolid(Rect(x, cy - 3 + i, x + 1, cy + 4 - i), clBtnText);
            }
        }
    }
}

void TPageControl::DrawTab(TCanvas& canvas, int tabIndex, const TRect& rect, bool active) {
    const TTabSheet* page = TabPage(tabIndex);
    if (!page) return;
    const TRect& r = rect;
    canvas.FillSolid(r, Color());
    const TColor hi = clBtnHighlight, sh = clBtnShadow, dk = cl3DDkShadow;
    auto hline = [&](int x0, int x1, int y, TColor c) {
        canvas.FillSolid(Rect(x0, y, x1, y + 1), c);
    };
    auto vline = [&](int x, int y0, int y1, TColor c) {
        canvas.FillSolid(Rect(x, y0, x + 1, y1), c);
    };
    // Bevels on the three sides away from the page, with cut corners.
    switch (tabPosition_) {
        case tpTop:
            vline(r.Left, r.Top + 2, r.Bottom, hi);
            canvas.SetPixel(r.Left + 1, r.Top + 1, hi);
            hline(r.Left + 2, r.Right - 2, r.Top, hi);
            vline(r.Right - 2, r.Top + 1, r.Bottom, sh);
            vline(r.Right - 1, r.Top + 2, r.Bottom, dk);
            break;
        case tpBottom:
            vline(r.Left, r.Top, r.Bottom - 2, hi);
            hline(r.Left + 2, r.Right - 2, r.Bottom - 1, dk);
            hline(r.Left + 1, r.Right - 2, r.Bottom - 2, sh);
            vline(r.Right - 2, r.Top, r.Bottom - 1, sh);
            vline(r.Right - 1, r.Top, r.Bottom - 2, dk);
            break;
        case tpLeft:
            hline(r.Left + 2, r.Right, r.Top, hi);
            canvas.SetPixel(r.Left + 1, r.Top + 1, hi);
            vline(r.Left, r.Top + 2, r.Bottom - 2, hi);
            hline(r.Left + 2, r.Right, r.Bottom - 1, dk);
            hline(r.Left + 1, r.Right, r.Bottom - 2, sh);
            break;
        case tpRight:
            hline(r.Left, r.Right - 2, r.Top, hi);
            vline(r.Right - 1, r.Top + 2, r.Bottom - 2, dk);
            vline(r.Right - 2, r.Top + 1, r.Bottom - 1, sh);
            hline(r.Left, r.Right - 2, r.Bottom - 1, dk);
            hline(r.Left, r.Right - 2, r.Bottom - 2, sh);
            break;
    }

    canvas.Font = Font();
    canvas.Brush.Style = bsClear;
    const std::string caption = page->Caption();
    const bool hasImage = images_ && page->imageIndex_ >= 0 && page->imageIndex_ < images_->Count();
    if (!Horizontal(tabPosition_)) {
        // Vertical tabs read from bottom to top.
        canvas.Font.Orientation = 900;
        const TSize text = MeasureText(canvas.Font, StripHotkey(caption));
        const int x = r.Left + (r.Width() - text.cy) / 2;
        const int y = r.Top + (r.Height() + text.cx) / 2;
        canvas.TextOut(x, y, StripHotkey(caption));
        return;
    }
    TRect textRect = r;
    if (active) textRect = OffsetRect(textRect, 0, tabPosition_ == tpTop ? -1 : 1);
    if (hasImage) {
        const TSize text = MeasureText(canvas.Font, StripHotkey(caption));
        const int total = images_->Width() + kImageGap + text.cx;
        const int x = textRect.Left + (textRect.Width() - total) / 2;
        images_->Draw(canvas, x, textRect.Top + (textRect.Height() - images_->Height()) / 2,
                      page->imageIndex_, page->Enabled());
        textRect.Left = x + images_->Width() + kImageGap;
        textRect.Right = textRect.Left + text.cx;
    }
    canvas.DrawText(caption, textRect, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}
