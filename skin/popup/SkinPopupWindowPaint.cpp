// Painting of a popup window: the background from the skin's window picture (or the
// default two-colour look), each visible item from the "MENUITEM" pictures (or the default
// item look) with its text, short cut, submenu arrow and glyph column, and the scroll
// markers. Without per-window alpha a translucent menu is blended with the screen under it.
#include <cmath>

#include "skin/data/SkinData.h"
#include "skin/draw/Glyphs.h"
#include "skin/popup/SkinPopupWindow.h"
#include "ui/Canvas.h"
#include "ui/ImageList.h"

namespace {

constexpr TColor kDefaultActiveFrame = 0x800000;
constexpr TColor kDefaultActiveFill = 0xD2BDB6;

void MorphBlend(TspEffectBmp& image, const TspEffectBmp& other, TspMorphStyle kind, double k) {
    switch (kind) {
        case mkGradient:
            image.BlendGradient(other, k);
            break;
        case mkLeftGradient:
            image.BlendLeftGradient(other, k);
            break;
        case mkRightGradient:
            image.BlendRightGradient(other, k);
            break;
        case mkLeftSlide:
            image.SlideFromLeft(other, k);
            break;
        case mkRightSlide:
            image.SlideFromRight(other, k);
            break;
        case mkPush:
            image.PushFromLeft(other, k);
            break;
        case mkDefault:
            image.BlendWith(other, k);
            break;
    }
}

// The glyph a window-menu or tray-menu item shows by its name.
bool DrawNamedGlyph(TCanvas& canvas, const std::string& name, int x, int y, TColor color) {
    if (name == "SF_CLOSE" || name == "TRAY_SF_CLOSE")
        DrawCloseGlyph(canvas, x, y, color);
    else if (name == "SF_MINITEM")
        DrawMinimizeGlyph(canvas, x, y, color);
    else if (name == "SF_MAXITEM")
        DrawMaximizeGlyph(canvas, x, y, color);
    else if (name == "SF_RESTORE" || name == "TRAY_SF_RESTORE")
        DrawRestoreGlyph(canvas, x, y, color);
    else if (name == "SF_ROLLUP")
        DrawTriangleUpGlyph(canvas, x, y, color);
    else if (name == "SF_MINTOTRAY")
        DrawSysMenuGlyph(canvas, x, y, color);
    else
        return false;
    return true;
}

}  // namespace

void TspSkinPopupWindow::BlendWithScreen(TBitmap& image, TPoint at) {
    if (!screenCapture_ || image.Empty()) return;
    // The part of the captured screen under the image, blended in by the window's
    // translucency.
    TBitmap under(image.Width(), image.Height());
    under.Canvas().CopyRect(Rect(0, 0, image.Width(), image.Height()), *screenCapture_,
                            Bounds(at.X, at.Y, image.Width(), image.Height()));
    TspEffectBmp e(image);
    e.BlendWith(TspEffectBmp(under), 1.0 - alphaValue_ / 255.0);
    e.CopyTo(image);
}

void TspSkinPopupWindow::ComposeBackground() {
    const int w = Width();
    const int h = Height();
    if (def_) {
        const TRect R = Rect(0, 0, windowPicture_->Width(), windowPicture_->Height());
        ComposeSkinImage(
            geometry_, newGeometry_, background_, *windowPicture_, R, w, h,
            scroll_ ? cdDrawClient : cdSkipClient,
            {def_->LeftStretch, def_->TopStretch, def_->RightStretch, def_->BottomStretch});
    } else {
        background_.SetSize(w, h);
        TCanvas& c = background_.Canvas();
        const int column = images_ ? images_->Width() + 8 : 22;
        c.FillSolid(Rect(0, 0, column, h), ColorToRGB(clBtnFace));
        c.FillSolid(Rect(column, 0, w, h), ColorToRGB(clWindow));
        c.Brush.Style = bsSolid;
        c.Brush.Color = ColorToRGB(clBtnShadow);
        c.FrameRect(Rect(0, 0, w, h));
        c.Brush.Color = ColorToRGB(clWindow);
        c.FrameRect(Rect(1, 1, w - 1, h - 1));
    }
    if (alphaBlend_ && screenCapture_) BlendWithScreen(background_, {0, 0});
    backgroundValid_ = !scroll_;
}

void TspSkinPopupWindow::Paint() {
    // Closed, or its skin's pictures are gone: nothing is drawn from them.
    if (Width() <= 0 || Height() <= 0 || retired_ || SkinGone()) return;
    TCanvas& canvas = Canvas();
    if (!backgroundValid_ || background_.Width() != Width() || background_.Height() != Height())
        ComposeBackground();
    canvas.Draw(0, 0, background_);
    const TRect clip = canvas.ClipRect();
    TBitmap image;
    for (const auto& item : items_) {
        if (!item->Visible || IsRectEmpty(IntersectRect(item->ObjectRect, clip))) continue;
        ComposeItemImage(*item, image);
        canvas.Draw(item->ObjectRect.Left, item->ObjectRect.Top, image);
    }
    if (scroll_) DrawMarkers(canvas);
}

void TspSkinPopupWindow::ComposeItemImage(const TspSkinMenuItem& item, TBitmap& target) {
    const bool active = item.Active || item.SubMenuOpen;
    auto draw = [&](bool look, TBitmap& out) {
        if (itemDef_)
            DrawItemSkin(item, look, out);
        else
            DrawItemDefault(item, look, out);
    };
    if (itemDef_ && itemDef_->Morphing && !item.IsDivider() && item.MorphKf > 0 &&
        item.MorphKf < 1) {
        TBitmap normal;
        TBitmap lit;
        draw(false, normal);
        draw(true, lit);
        TspEffectBmp blended(normal);
        const TspEffectBmp other(lit);
        MorphBlend(blended, other, itemDef_->MorphKind, item.MorphKf);
        blended.CopyTo(target);
    } else {
        const bool look =
            itemDef_ && itemDef_->Morphing && !item.IsDivider() ? item.MorphKf >= 1 : active;
        draw(look, target);
    }
    if (alphaBlend_ && screenCapture_) BlendWithScreen(target, item.ObjectRect.TopLeft());
}

void TspSkinPopupWindow::DrawItemSkin(const TspSkinMenuItem& item, bool active, TBitmap& target) {
    const TspDataSkinMenuItem& d = *itemDef_;
    const int w = item.ObjectRect.Width();
    if (item.IsDivider()) {
        ComposeHorzImage(d.DividerLeftOffset, d.DividerRightOffset, target, w, d.DividerRect,
                         *itemPicture_);
        return;
    }
    ComposeHorzImage(d.ItemLeftOffset, d.ItemRightOffset, target, w,
                     active ? d.ActiveSkinRect : d.SkinRect, *itemPicture_);
    const TColor color = active                     ? d.ActiveFontColor
                         : item.MenuItem->Enabled() ? d.FontColor
                                                    : d.UnEnabledFontColor;
    TRect area = d.TextRect;
    area.Right += w - d.SkinRect.Width();
    const int g = images_ ? glyphWidth_ : 16;
    DrawItemContent(item, target.Canvas(), area, g, 16, area.Left + 2, area.Left + 2, color);
}

void TspSkinPopupWindow::DrawItemDefault(const TspSkinMenuItem& item, bool active,
                                         TBitmap& target) {
    const int w = item.ObjectRect.Width();
    const int h = item.ObjectRect.Height();
    target.SetSize(w, h);
    TCanvas& c = target.Canvas();
    const int g = images_ ? glyphWidth_ : 19;
    TColor color = clWindowText;
    if (active && !item.IsDivider()) {
        c.FillSolid(Rect(0, 0, w, h), kDefaultActiveFill);
        c.Brush.Style = bsSolid;
        c.Brush.Color = kDefaultActiveFrame;
        c.FrameRect(Rect(0, 0, w, h));
    } else {
        c.FillSolid(Rect(0, 0, g, h), ColorToRGB(clBtnFace));
        c.FillSolid(Rect(g, 0, w, h), ColorToRGB(clWindow));
        if (!item.MenuItem->Enabled()) color = clBtnShadow;
    }
    if (item.IsDivider()) {
        c.Pen.Color = ColorToRGB(clBtnShadow);
        c.MoveTo(g, h / 2);
        c.LineTo(w, h / 2);
        return;
    }
    const TRect area = Rect(2, 2, w - 2, h - 2);
    DrawItemContent(item, c, area, g, 19, area.Left, area.Left + 3, color);
}

void TspSkinPopupWindow::DrawItemContent(const TspSkinMenuItem& item, TCanvas& canvas,
                                         const TRect& area, int glyphWidth, int rightGap,
                                         int imageLeft, int markLeft, TColor textColor) {
    const TColor color = ColorToRGB(textColor);
    const TMenuItem& mi = *item.MenuItem;
    canvas.Font = Font();
    canvas.Font.Color = color;
    canvas.Brush.Style = bsClear;
    const int centre = area.Top + area.Height() / 2;
    // Caption: measured in its column, centred vertically on the text area.
    TRect measure = Rect(area.Left + glyphWidth, area.Top, area.Right - rightGap, area.Bottom);
    canvas.DrawText(mi.Caption(), measure, DT_CALCRECT | DT_SINGLELINE);
    const int th = measure.Height();
    const int top = area.Top + (area.Height() - th) / 2;
    TRect text =
        Rect(area.Left + glyphWidth, top, area.Left + glyphWidth + measure.Width() + 2, top + th);
    canvas.DrawText(mi.Caption(), text, DT_CENTER | DT_SINGLELINE);
    if (mi.ShortCut != scNone) {
        const std::string shortcut = mi.ShortCutText();
        canvas.TextOut(area.Right - rightGap - canvas.TextWidth(shortcut), top, shortcut);
    }
    if (item.HasSubItems()) {
        canvas.Pen.Color = color;
        const int x0 = area.Right - 7;
        const int y0 = centre - 4;
        for (int i = 0; i < 4; ++i) {
            canvas.MoveTo(x0 + i, y0 + i);
            canvas.LineTo(x0 + i, y0 + i + 7 - 2 * i);
        }
    }
    // Glyph column.
    if (images_ && mi.ImageIndex >= 0 && mi.ImageIndex < images_->Count()) {
        const int y = centre - images_->Height() / 2;
        images_->Draw(canvas, imageLeft, y, mi.ImageIndex, mi.Enabled());
        if (mi.Checked()) {
            canvas.Brush.Style = bsSolid;
            canvas.Brush.Color = color;
            canvas.FrameRect(Rect(imageLeft - 1, y - 1, imageLeft + images_->Width() + 1,
                                  y + images_->Height() + 1));
        }
        return;
    }
    if (DrawNamedGlyph(canvas, mi.Name(), area.Left + 2, centre - 4, color)) return;
    if (!mi.Checked()) return;
    if (mi.RadioItem()) {
        canvas.Pen.Color = color;
        canvas.Brush.Style = bsSolid;
        canvas.Brush.Color = color;
        canvas.Ellipse(markLeft, centre - 3, markLeft + 6, centre + 3);
    } else {
        DrawCheck(canvas, markLeft, centre - 4, color);
    }
}

void TspSkinPopupWindow::DrawMarkers(TCanvas& canvas) {
    const int w = Width();
    const int h = Height();
    TRect top;
    TRect bottom;
    TColor normal;
    TColor active;
    if (def_) {
        top = Rect(itemsRect_.Left, itemsRect_.Top, itemsRect_.Right,
                   itemsRect_.Top + kScrollMarkerHeight);
        bottom = Rect(itemsRect_.Left, itemsRect_.Bottom - kScrollMarkerHeight, itemsRect_.Right,
                      itemsRect_.Bottom);
        normal = def_->ScrollMarkerColor;
        active = def_->ScrollMarkerActiveColor;
    } else {
        top = Rect(3, 3, w - 3, 13);
        bottom = Rect(3, h - 10, w - 3, h - 3);
        normal = ColorToRGB(clBtnShadow);
        active = ColorToRGB(clBtnText);
    }
    DrawArrow(canvas, top, scrollDirection_ == 1 ? active : normal, akUp);
    DrawArrow(canvas, bottom, scrollDirection_ == 2 ? active : normal, akDown);
}
