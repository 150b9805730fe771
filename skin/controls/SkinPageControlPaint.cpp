// Painting of the skinned page control: the frame (the skin's pieces tiled around the page
// area, or a one-pixel default frame), then every tab, all into one offscreen picture that
// is copied to the control in one step.
#include <string>

#include "skin/controls/SkinHotPalette.h"
#include "skin/controls/SkinPageControl.h"
#include "skin/draw/Blit.h"
#include "skin/draw/EffectBmp.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/SkinCompose.h"
#include "ui/Canvas.h"
#include "ui/ImageList.h"
#include "ui/Panel.h"  // Frame3D

void TspSkinPageControl::Paint() {
    const int w = Width(), h = Height();
    if (w <= 0 || h <= 0) return;
    ReadSkinSection();
    if (imageDirty_ || sectionDef_ != imageSection_ || offscreen_.Width() != w ||
        offscreen_.Height() != h) {
        if (offscreen_.Width() != w || offscreen_.Height() != h) offscreen_.SetSize(w, h);
        // What no piece covers shows the button face; the page area only when no sheet
        // paints it.
        TCanvas& fill = offscreen_.Canvas();
        const TRect page = DisplayRect();
        const TTabSheet* sheet = ActivePage();
        if (sheet && sheet->Visible() && sheet->BoundsRect() == page) {
            fill.FillSolid(Rect(0, 0, w, page.Top), clBtnFace);
            fill.FillSolid(Rect(0, page.Bottom, w, h), clBtnFace);
            fill.FillSolid(Rect(0, page.Top, page.Left, page.Bottom), clBtnFace);
            fill.FillSolid(Rect(page.Right, page.Top, w, page.Bottom), clBtnFace);
        } else {
            fill.FillSolid(Rect(0, 0, w, h), clBtnFace);
        }
        if (hasSection_ && picture_ != nullptr)
            DrawSkinFrame(offscreen_);
        else
            DrawDefaultFrame(offscreen_);
        TCanvas& tabs = offscreen_.Canvas();
        int tab = 0;
        for (int i = 0; i < PageCount(); ++i) {
            const TTabSheet* page = Pages(i);
            if (!page->TabVisible()) continue;
            DrawSkinnedTab(*page, GetItemRect(tab), tabs, tab == hotTab_, tab == TabIndex());
            ++tab;
        }
        imageDirty_ = false;
        imageSection_ = sectionDef_;
    }
    TCanvas& canvas = Canvas();
    TCanvasStateGuard guard(canvas);
    canvas.Draw(0, 0, offscreen_);
}

void TspSkinPageControl::DrawDefaultFrame(TBitmap& bitmap) {
    TRect frame = InflateRect(DisplayRect(), 1, 1);
    Frame3D(bitmap.Canvas(), frame, clBtnShadow, clBtnShadow, 1);
}

// The frame F is the page area grown by the skin's bands. Its corners are whole rectangles
// of the skin's (not the four-point composition): each corner piece reaches from the skin
// rectangle's corner to the corner point.
void TspSkinPageControl::DrawSkinFrame(TBitmap& bitmap) {
    const TBitmap& pic = *picture_;
    const TRect& R = section_.SkinRect;
    const TPoint LT = section_.LTPoint, RT = section_.RTPoint, LB = section_.LBPoint,
                 RB = section_.RBPoint;
    const TRect bands = FrameBands();
    const int cl = bands.Left, ct = bands.Top, rb = bands.Right, bb = bands.Bottom;
    const TRect D = DisplayRect();
    const TRect F = Rect(D.Left - cl, D.Top - ct, D.Right + rb, D.Bottom + bb);
    const int dx = F.Width() - R.Width(), dy = F.Height() - R.Height();
    const TPoint NRT{RT.X + dx, RT.Y}, NLB{LB.X, LB.Y + dy}, NRB{RB.X + dx, RB.Y + dy};
    const int w = Width(), h = Height();

    if (!IsNullRect(section_.TabsBGRect)) {
        TRect strip;
        switch (TabPosition()) {
            case tpTop:
                strip = Rect(0, 0, w, F.Top);
                break;
            case tpBottom:
                strip = Rect(0, F.Bottom, w, h);
                break;
            case tpLeft:
                strip = Rect(0, 0, F.Left, h);
                break;
            case tpRight:
                strip = Rect(F.Right, 0, w, h);
                break;
        }
        TileRect(bitmap, strip, pic, section_.TabsBGRect);
    }
    // Edges: each repeatable piece tiled along its span, the last tile cut (a piece of no
    // size draws nothing).
    TileRect(bitmap, Rect(F.Left + LT.X, F.Top, F.Left + NRT.X, F.Top + ct), pic,
             Rect(R.Left + LT.X, R.Top, R.Left + RT.X, R.Top + ct));
    TileRect(bitmap, Rect(F.Left + LB.X, F.Bottom - bb, F.Left + NRB.X, F.Bottom), pic,
             Rect(R.Left + LB.X, R.Bottom - bb, R.Left + RB.X, R.Bottom));
    TileRect(bitmap, Rect(F.Left, F.Top + LT.Y, F.Left + cl, F.Top + NLB.Y), pic,
             Rect(R.Left, R.Top + LT.Y, R.Left + cl, R.Top + LB.Y));
    TileRect(bitmap, Rect(F.Right - rb, F.Top + RT.Y, F.Right, F.Top + NRB.Y), pic,
             Rect(R.Right - rb, R.Top + RT.Y, R.Right, R.Top + RB.Y));
    // Corners.
    BlitRect(bitmap, Rect(F.Left, F.Top, F.Left + LT.X, F.Top + LT.Y), pic,
             Rect(R.Left, R.Top, R.Left + LT.X, R.Top + LT.Y));
    BlitRect(bitmap, Rect(F.Left + NRT.X, F.Top, F.Right, F.Top + RT.Y), pic,
             Rect(R.Left + RT.X, R.Top, R.Right, R.Top + RT.Y));
    BlitRect(bitmap, Rect(F.Left, F.Top + NLB.Y, F.Left + LB.X, F.Bottom), pic,
             Rect(R.Left, R.Top + LB.Y, R.Left + LB.X, R.Bottom));
    BlitRect(bitmap, Rect(F.Left + NRB.X, F.Top + NRB.Y, F.Right, F.Bottom), pic,
             Rect(R.Left + RB.X, R.Top + RB.Y, R.Right, R.Bottom));
}

void TspSkinPageControl::DrawSkinnedTab(const TTabSheet& page, const TRect& rect, TCanvas& canvas,
                                        bool mouseOver, bool active) {
    // Tabs on the left or right are built lying, as a horizontal tab, and turned.
    const bool horizontal = tab_layout::Horizontal(TabPosition());
    const int w = horizontal ? rect.Width() : rect.Height();
    const int h = horizontal ? rect.Height() : rect.Width();
    if (w <= 0 || h <= 0) return;
    const bool focused = Focused();
    TBitmap tab(w, h);
    TCanvas& tc = tab.Canvas();
    TFont font = Font();
    if (!hasSection_ || picture_ == nullptr) {
        if (!active) {
            tc.FillSolid(Rect(0, 0, w, h), mouseOver ? kHotFill : ColorToRGB(clBtnFace));
        } else {
            tc.FillSolid(Rect(0, 0, w, h), kHotFrame);
            tc.FillSolid(Rect(1, 1, w - 1, h - 1), focused ? kPressedFill : kHotFill);
        }
    } else {
        const TspDataSkinTabControl& s = section_;
        TRect piece = s.ActiveTabRect;
        if (mouseOver && !active && !IsNullRect(s.MouseInTabRect))
            piece = s.MouseInTabRect;
        else if (active && focused)
            piece = s.FocusTabRect;
        else if (!active)
            piece = s.TabRect;
        if (TabHeight() > 0) {
            TBitmap composed;
            ComposeHorzImage(s.TabLeftOffset, s.TabRightOffset, composed, w, piece, *picture_);
            tc.StretchDraw(Rect(0, 0, w, h), composed);
        } else {
            ComposeHorzImage(s.TabLeftOffset, s.TabRightOffset, tab, w, piece, *picture_);
        }
        if (useSkinFont_) {
            font.Name = s.FontDef.Name;
            font.Height = s.FontDef.Height;
            font.Style = s.FontDef.Style;
        }
        if (mouseOver && !active)
            font.Color = s.MouseInFontColor;
        else if (active && focused)
            font.Color = s.FocusFontColor;
        else if (!active)
            font.Color = s.FontDef.Color;
        else
            font.Color = s.ActiveFontColor;
    }

    TCanvas& text = tab.Canvas();
    text.Font = font;
    text.Brush.Style = bsClear;
    const std::string caption = page.Caption();
    const TCustomImageList* images = Images();
    if (images != nullptr && page.PageIndex() < images->Count()) {
        // The image and the caption centred together.
        const TSize size = text.TextExtent(caption);
        const int textWidth = size.cx + 2;
        const int total = images->Width() + textWidth + 2;
        const int x = w / 2 - total / 2;
        images->Draw(text, x, h / 2 - images->Height() / 2, page.ImageIndex(), page.Enabled());
        TRect r = Bounds(x + images->Width() + 2, h / 2 - size.cy / 2, textWidth, size.cy);
        text.DrawText(caption, r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    } else {
        TRect r = Rect(0, 0, w, h);
        text.DrawText(caption, r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    }

    if (horizontal) {
        canvas.Draw(rect.Left, rect.Top, tab);
        return;
    }
    const TspEffectBmp lying(tab);
    TspEffectBmp turned(lying.Height(), lying.Width());
    if (TabPosition() == tpLeft)
        lying.TurnLeft(turned);
    else
        lying.TurnRight(turned);
    turned.DrawTo(canvas, rect.Left, rect.Top);
}
