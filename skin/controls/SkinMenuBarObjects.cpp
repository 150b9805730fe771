// The menu bar's pieces: the base object (hover, press and morphing like the frame's
// objects), the items of the main menu and the maximised MDI child's system buttons, with
// their skinned and default looks.
#include <algorithm>

#include "skin/controls/MorphImages.h"
#include "skin/controls/SkinFormFrame.h"
#include "skin/controls/SkinMainMenuBar.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinObjectDefs.h"
#include "skin/draw/Blit.h"
#include "skin/draw/EffectBmp.h"
#include "skin/draw/Glyphs.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/SkinCompose.h"
#include "ui/Accelerators.h"
#include "ui/Canvas.h"
#include "ui/Menus.h"
#include "ui/Timer.h"

namespace {

constexpr TColor kDefaultFrame = 8388608;  // navy, as the frame's default buttons
constexpr TColor kDefaultDownFill = 11899781;
constexpr TColor kDefaultHoverFill = 13811126;
constexpr int kDefaultItemPadding = 7;

// A piece of a picture at the target rectangle's size: the fixed left and right parts
// copied, the middle tiled between them, the height stretched.
void DrawComposed(TCanvas& canvas, const TRect& target, const TBitmap& picture, const TRect& source,
                  int left, int right) {
    if (IsNullRect(target) || IsNullRect(source)) return;
    TBitmap image;
    ComposeHorzImage(left, right, image, target.Width(), source, picture);
    if (image.Empty()) return;
    canvas.CopyRect(target, image, Rect(0, 0, image.Width(), image.Height()));
}

// The default look of a hot or pressed piece: the frame buttons' navy frame and fill.
void DrawDefaultPlate(TCanvas& canvas, const TRect& r, bool down) {
    canvas.FillSolid(r, down ? kDefaultDownFill : kDefaultHoverFill);
    canvas.Brush.Color = kDefaultFrame;
    canvas.FrameRect(r);
}

}  // namespace

// ---------------------------------------------------------------- base

TspMenuBarObject::TspMenuBarObject(TspSkinMainMenuBar* bar, const TspDataSkinObject* def)
    : Parent(bar) {
    if (!def) return;
    IDName = def->IDName;
    SkinRect = def->SkinRect;
    ActiveSkinRect = def->ActiveSkinRect;
    Morphing = def->Morphing;
    MorphKind = def->MorphKind;
    if (TspSkinData* data = bar->SkinData()) Picture = data->ActivePicture(def->ActivePictureIndex);
    if (!Picture) ActiveSkinRect = {};
}

// The bar's own mouse events are the control's; the objects add their behaviour.
void TspMenuBarObject::MouseDown(int, int, TMouseButton) {}

void TspMenuBarObject::MouseUp(int, int, TMouseButton) {}

void TspMenuBarObject::MouseEnter() {
    MouseIn = true;
    Active = true;
    ReDraw();
}

void TspMenuBarObject::MouseLeave() {
    MouseIn = false;
    // An item whose menu is open keeps its look until the menu closes.
    if (!Down) Active = false;
    ReDraw();
}

bool TspMenuBarObject::CanMorphing() const {
    return (Active && MorphKf < 1) || (!Active && MorphKf > 0);
}

bool TspMenuBarObject::MorphUnderWay() const {
    return (Active && MorphKf != 1) || (!Active && MorphKf != 0);
}

void TspMenuBarObject::ReDraw() {
    if (Morphing && !IsNullRect(ActiveSkinRect))
        Parent->MorphTimer().SetEnabled(true);
    else
        Parent->DrawObject(*this);
}

void TspMenuBarObject::DoMorph() {
    SetMorphKf(Active ? MorphKf + 0.1 : MorphKf - 0.1);
    Parent->DrawObject(*this);
}

void TspMenuBarObject::SetMorphKf(double k) { MorphKf = std::clamp(k, 0.0, 1.0); }

// ---------------------------------------------------------------- items

TspSkinMainMenuBarItem::TspSkinMainMenuBarItem(TspSkinMainMenuBar* bar,
                                               const TspDataSkinMainMenuBarItem* def,
                                               TMenuItem* item)
    : TspMenuBarObject(bar, def), MenuItem(item) {
    IDName = item->Name();
    Enabled = item->Enabled();
    if (!def || !Picture) return;
    HasDefinition = true;
    DownRect = def->DownRect;
    TakeLook(*def);
}

int TspSkinMainMenuBarItem::LayoutWidth(TCanvas& canvas) const {
    TCanvasStateGuard guard(canvas);
    if (HasDefinition) {
        canvas.Font.Name = FontName;
        canvas.Font.Height = FontHeight;
        canvas.Font.Style = FontStyle;
    } else {
        canvas.Font = Parent->DefItemFont();
    }
    const int text =
        canvas.TextExtent(StripHotkey(MenuItem ? MenuItem->Caption() : std::string())).cx;
    if (!HasDefinition) return text + 2 * kDefaultItemPadding;
    if (IsNullRect(TextRect))
        return std::max(RectWidth(SkinRect), text + ItemLeftOffset + ItemRightOffset);
    return std::max(RectWidth(SkinRect), text + RectWidth(SkinRect) - RectWidth(TextRect));
}

void TspSkinMainMenuBarItem::Draw(TCanvas& canvas) {
    if (!Visible || !MenuItem || IsNullRect(ObjectRect)) return;
    const TRect& r = ObjectRect;
    TCanvasStateGuard guard(canvas);
    TColor color = FontColor;
    TRect textBox = InflateRect(r, -kDefaultItemPadding + 1, 0);
    if (HasDefinition) {
        const TRect* source = &SkinRect;
        color = FontColor;
        if (!Enabled) {
            color = UnEnabledFontColor;
        } else if (Down && !IsNullRect(DownRect)) {
            source = &DownRect;
            color = DownFontColor;
        } else if (Active) {
            color = ActiveFontColor;
            if (!IsNullRect(ActiveSkinRect)) source = &ActiveSkinRect;
        }
        if (Morphing && Enabled && !Down && MorphUnderWay() && !IsNullRect(ActiveSkinRect)) {
            TBitmap normal, active;
            ComposeHorzImage(ItemLeftOffset, ItemRightOffset, normal, r.Width(), SkinRect,
                             *Picture);
            ComposeHorzImage(ItemLeftOffset, ItemRightOffset, active, r.Width(), ActiveSkinRect,
                             *Picture);
            if (!normal.Empty() && normal.Width() == active.Width() &&
                normal.Height() == active.Height()) {
                TspEffectBmp blended(normal);
                MorphImages(blended, TspEffectBmp(active), MorphKind, MorphKf);
                TBitmap image(normal.Width(), normal.Height());
                blended.DrawTo(image.Canvas(), 0, 0);
                canvas.CopyRect(r, image, Rect(0, 0, image.Width(), image.Height()));
            }
        } else {
            DrawComposed(canvas, r, *Picture, *source, ItemLeftOffset, ItemRightOffset);
        }
        if (!IsNullRect(TextRect)) {
            textBox = OffsetRect(TextRect, r.Left, r.Top);
            textBox.Right += r.Width() - RectWidth(SkinRect);
        }
        canvas.Font.Name = FontName;
        canvas.Font.Height = FontHeight;
        canvas.Font.Style = FontStyle;
    } else {
        if (Enabled && (Down || Active)) DrawDefaultPlate(canvas, r, Down);
        canvas.Font = Parent->DefItemFont();
        color = Enabled ? Parent->DefItemFont().Color : clBtnShadow;
    }
    canvas.Font.Color = ColorToRGB(color);
    canvas.Brush.Style = bsClear;
    canvas.IntersectClipRect(r);
    canvas.DrawText(MenuItem->Caption(), textBox, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TspSkinMainMenuBarItem::Press() {
    if (!MenuItem || !Enabled) return;
    MenuItem->InitiateAction();
    const int index = [&] {
        for (int i = 0; i < Parent->ObjectCount(); ++i)
            if (Parent->Objects(i) == this) return i;
        return -1;
    }();
    Down = true;
    Active = true;
    Parent->DrawObject(*this);
    if (MenuItem->Count() > 0) Parent->OpenMenu(*MenuItem, ObjectRect, index);
}

void TspSkinMainMenuBarItem::MouseDown(int x, int y, TMouseButton button) {
    if (Enabled && button == mbLeft && !Down) Press();
    TspMenuBarObject::MouseDown(x, y, button);
}

void TspSkinMainMenuBarItem::MouseUp(int x, int y, TMouseButton button) {
    TspMenuBarObject::MouseUp(x, y, button);
    // An item without sub-items is a command of its own.
    if (button != mbLeft || !Down || !MenuItem || MenuItem->Count() > 0) return;
    Down = false;
    Active = MouseIn;
    Parent->DrawObject(*this);
    if (!MouseIn) return;
    const std::string id = IDName;
    TspSkinMainMenuBar* bar = Parent;
    MenuItem->Click();
    if (bar->OnMainMenuItemClick) bar->OnMainMenuItemClick(id);
}

// ---------------------------------------------------------------- system buttons

TspSkinMainMenuBarButton::TspSkinMainMenuBarButton(TspSkinMainMenuBar* bar,
                                                   const TspDataSkinStdButton* def,
                                                   const std::string& idName,
                                                   TspButtonCommand command)
    : TspMenuBarObject(bar, def), Command(command) {
    if (!def || !Picture) {
        IDName = idName;
        return;
    }
    HasDefinition = true;
    DownRect = def->DownRect;
    RestoreRect = def->RestoreRect;
    RestoreActiveRect = def->RestoreActiveRect;
    RestoreDownRect = def->RestoreDownRect;
}

int TspSkinMainMenuBarButton::LayoutWidth(TCanvas&) const {
    return HasDefinition ? RectWidth(SkinRect) : 0;
}

void TspSkinMainMenuBarButton::Draw(TCanvas& canvas) {
    if (!Visible || IsNullRect(ObjectRect)) return;
    const TRect& r = ObjectRect;
    TCanvasStateGuard guard(canvas);
    canvas.IntersectClipRect(r);
    if (HasDefinition) {
        // The maximise button shows its restore form: the child is maximised.
        const bool restore = Command == cmMaximize && !IsNullRect(RestoreRect);
        const TRect& normal = restore ? RestoreRect : SkinRect;
        const TRect& hot = restore ? RestoreActiveRect : ActiveSkinRect;
        const TRect& pressed = restore ? RestoreDownRect : DownRect;
        const TRect* source = &normal;
        if (Enabled && Down && MouseIn && !IsNullRect(pressed))
            source = &pressed;
        else if (Enabled && Active && !IsNullRect(hot))
            source = &hot;
        canvas.CopyRect(r, *Picture, *source);
        return;
    }
    if (Enabled && (Down || Active))
        DrawDefaultPlate(canvas, r, Down && MouseIn);
    else
        canvas.FillSolid(r, ColorToRGB(clBtnFace));
    const TColor glyph = ColorToRGB(Enabled ? clBtnText : clBtnShadow);
    const int gx = r.Left + r.Width() / 2 - 5, gy = r.Top + r.Height() / 2 - 4;
    switch (Command) {
        case cmClose:
            DrawCloseGlyph(canvas, gx, gy, glyph);
            break;
        case cmMaximize:
            DrawRestoreGlyph(canvas, gx, gy, glyph);
            break;
        case cmMinimize:
            DrawMinimizeGlyph(canvas, gx, gy, glyph);
            break;
        default:
            DrawSysMenuGlyph(canvas, gx, gy, glyph);
            break;
    }
}

void TspSkinMainMenuBarButton::MouseDown(int x, int y, TMouseButton button) {
    TspMenuBarObject::MouseDown(x, y, button);
    if (!Enabled || button != mbLeft) return;
    Down = true;
    Parent->DrawObject(*this);
    if (Command == cmSysMenu && Parent->MaximizedChild()) {
        // The maximised child's window menu opens at once, below the button.
        Down = false;
        Click();
    }
}

void TspSkinMainMenuBarButton::MouseUp(int x, int y, TMouseButton button) {
    TspMenuBarObject::MouseUp(x, y, button);
    if (button != mbLeft || !Down) return;
    Down = false;
    Parent->DrawObject(*this);
    if (MouseIn) Click();
}

void TspSkinMainMenuBarButton::Click() {
    ISkinFormFrame* child = Parent->MaximizedChild();
    if (!Enabled || !child) return;
    switch (Command) {
        case cmMinimize:
            child->MinimizeFrame();
            break;
        case cmMaximize:
            child->RestoreFrame();
            break;
        case cmClose:
            child->CloseFrame();
            break;
        case cmSysMenu: {
            const TPoint tl = Parent->ClientToScreen(ObjectRect.TopLeft());
            const TPoint br = Parent->ClientToScreen(ObjectRect.BottomRight());
            child->OpenFrameWindowMenu(Rect(tl.X, tl.Y, br.X, br.Y));
            break;
        }
        default:
            break;
    }
}

void TspSkinMainMenuBarButton::DblClick() {
    if (Command != cmSysMenu) return;
    if (ISkinFormFrame* child = Parent->MaximizedChild()) child->CloseFrame();
}
