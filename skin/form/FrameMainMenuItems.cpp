// The form's main menu drawn in the frame: one object per visible menu item, laid out left
// to right in the skin's main-menu area, drawn from the "MAINMENUITEM" definition's pictures
// (normal, active under the mouse, down while its menu is open) with the item's caption.
#include <algorithm>

#include "skin/data/SkinData.h"
#include "skin/data/SkinObjectDefs.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/SkinCompose.h"
#include "skin/form/FrameObjectKinds.h"
#include "skin/form/SkinForm.h"
#include "skin/form/WindowCommands.h"
#include "ui/Accelerators.h"
#include "ui/Bitmap.h"
#include "ui/Canvas.h"
#include "ui/Menus.h"

TspSkinMainMenuItem::TspSkinMainMenuItem(TspSkinForm* parent, const TspDataSkinMainMenuItem* def,
                                         TMenuItem* item)
    : TspActiveSkinObject(parent, def), MenuItem(item) {
    IDName = item->Name();
    Enabled = item->Enabled();
    DownRect = ActivePicture ? def->DownRect : TRect{};
    TakeLook(*def);
}

int TspSkinMainMenuItem::LayoutWidth() const {
    TBitmap scratch(1, 1);
    TCanvas& c = scratch.Canvas();
    c.Font.Name = FontName;
    c.Font.Height = FontHeight;
    c.Font.Style = FontStyle;
    const int text = c.TextExtent(StripHotkey(MenuItem ? MenuItem->Caption() : std::string())).cx;
    const int margins = IsNullRect(TextRect) ? ItemLeftOffset + ItemRightOffset
                                             : RectWidth(SkinRect) - RectWidth(TextRect);
    return std::max(RectWidth(SkinRect), text + margins);
}

void TspSkinMainMenuItem::Draw(TCanvas& canvas, bool) {
    if (!MenuItem || IsNullRect(ObjectRect)) return;
    const TRect& r = ObjectRect;
    const TRect* source = &SkinRect;
    TColor color = FontColor;
    if (!Enabled) {
        color = UnEnabledFontColor;
    } else if (Down && !IsNullRect(DownRect)) {
        source = &DownRect;
        color = DownFontColor;
    } else if (Active) {
        color = ActiveFontColor;
        if (!IsNullRect(ActiveSkinRect)) source = &ActiveSkinRect;
    }
    // The normal image comes from where the definition says; the others from its active
    // picture.
    const TBitmap* picture = source == &SkinRect ? NormalPicture() : ActivePicture;
    if (picture && !IsNullRect(*source)) {
        TBitmap image;
        ComposeHorzImage(ItemLeftOffset, ItemRightOffset, image, r.Width(), *source, *picture);
        if (!image.Empty()) canvas.CopyRect(r, image, Rect(0, 0, image.Width(), image.Height()));
    }
    TRect box = InflateRect(r, -ItemLeftOffset, 0);
    if (!IsNullRect(TextRect)) {
        box = OffsetRect(TextRect, r.Left, r.Top);
        box.Right += r.Width() - RectWidth(SkinRect);
    }
    TCanvasStateGuard guard(canvas);
    canvas.IntersectClipRect(r);
    canvas.Font.Name = FontName;
    canvas.Font.Height = FontHeight;
    canvas.Font.Style = FontStyle;
    canvas.Font.Color = color;
    canvas.Brush.Style = bsClear;
    canvas.DrawText(MenuItem->Caption(), box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TspSkinMainMenuItem::MouseDown(int x, int y, TMouseButton button) {
    if (Enabled && MenuItem && button == mbLeft && !Down) {
        MenuItem->InitiateAction();
        Down = true;
        Parent->DrawSkinObject(*this);
        if (MenuItem->Count() > 0) {
            OpenObjectMenu(*Parent, *this, *MenuItem);
            // No menu came up (nothing to show): the item comes up again.
            if (!Parent->SkinMenuOpen()) {
                Down = false;
                Parent->DrawSkinObject(*this);
            }
        }
    }
    TspActiveSkinObject::MouseDown(x, y, button);
}

void TspSkinMainMenuItem::Press() {
    if (!Enabled || !MenuItem) return;
    MenuItem->InitiateAction();
    if (MenuItem->Count() == 0) {
        MenuItem->Click();
        return;
    }
    // The item goes down once the menu it replaces has closed (which lets its item up).
    OpenObjectMenu(*Parent, *this, *MenuItem);
    if (!Parent->SkinMenuOpen()) return;
    Down = true;
    Parent->DrawSkinObject(*this);
}

void TspSkinMainMenuItem::MouseUp(int x, int y, TMouseButton button) {
    TspActiveSkinObject::MouseUp(x, y, button);
    if (button != mbLeft || !Down || !MenuItem || MenuItem->Count() > 0) return;
    Down = false;
    Parent->DrawSkinObject(*this);
    if (MouseIn) MenuItem->Click();
}
