// The base of the frame's active objects and the two button kinds.
#include "skin/form/SkinObjects.h"

#include <algorithm>

#include "skin/controls/MorphImages.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinObjectDefs.h"
#include "skin/draw/Blit.h"
#include "skin/draw/EffectBmp.h"
#include "skin/draw/Glyphs.h"
#include "skin/draw/RectUtils.h"
#include "skin/form/SkinForm.h"
#include "skin/form/WindowCommands.h"
#include "ui/Bitmap.h"
#include "ui/Canvas.h"
#include "ui/Menus.h"
#include "ui/Timer.h"

namespace {
// Colours of the default caption buttons' hover and pressed looks.
constexpr TColor kDefaultButtonFrame = 8388608;  // navy
constexpr TColor kDefaultButtonDownFill = 11899781;
constexpr TColor kDefaultButtonHoverFill = 13811126;
}  // namespace

// ---------------------------------------------------------------- base object

TspActiveSkinObject::TspActiveSkinObject(TspSkinForm* parent, const TspDataSkinObject* def)
    : Parent(parent) {
    SkinData = parent->SkinData();
    if (!def) return;
    IDName = def->IDName;
    Hint = def->Hint;
    SkinRect = def->SkinRect;
    ActiveSkinRect = def->ActiveSkinRect;
    Morphing = def->Morphing;
    MorphKind = def->MorphKind;
    CursorIndex = def->CursorIndex;
    RollUp = def->RollUp;
    SkinRectInAPicture = def->SkinRectInAPicture;
    if (SkinData) {
        Picture = RollUp ? &SkinData->RollUpPicture : &SkinData->MainPicture;
        ActivePicture = SkinData->ActivePicture(def->ActivePictureIndex);
    }
    if (!ActivePicture) ActiveSkinRect = {};
    ObjectRect = SkinRect;
}

void TspActiveSkinObject::CopyToObject(TCanvas& canvas, const TBitmap* picture,
                                       const TRect& source) const {
    if (!picture || picture->Empty() || IsNullRect(source) || IsNullRect(ObjectRect)) return;
    canvas.CopyRect(ObjectRect, *picture, source);
}

void TspActiveSkinObject::DrawMorph(TCanvas& canvas, const TBitmap* normalPicture,
                                    const TRect& normalRect, const TBitmap* activePicture,
                                    const TRect& activeRect) const {
    const int w = RectWidth(ObjectRect), h = RectHeight(ObjectRect);
    if (w < 1 || h < 1) return;
    TBitmap normal(w, h), active(w, h);
    if (normalPicture) BlitRect(normal, Rect(0, 0, w, h), *normalPicture, normalRect);
    if (activePicture) BlitRect(active, Rect(0, 0, w, h), *activePicture, activeRect);
    TspEffectBmp blended(normal);
    MorphImages(blended, TspEffectBmp(active), MorphKind, MorphKf);
    blended.DrawTo(canvas, ObjectRect.Left, ObjectRect.Top);
}

bool TspActiveSkinObject::MorphUnderWay() const {
    return (Active && MorphKf != 1) || (!Active && MorphKf != 0);
}

void TspActiveSkinObject::Draw(TCanvas& canvas, bool upDate) {
    // Without an active image there is nothing to morph toward: the normal look stands.
    if (Morphing && MorphUnderWay() && !IsNullRect(ActiveSkinRect)) {
        DrawMorph(canvas, NormalPicture(), SkinRect, ActivePicture, ActiveSkinRect);
        return;
    }
    if (!Active || IsNullRect(ActiveSkinRect)) {
        // The frame image already shows a normal look painted into the main picture.
        if (!upDate && !SkinRectInAPicture) return;
        CopyToObject(canvas, NormalPicture(), SkinRect);
        return;
    }
    CopyToObject(canvas, ActivePicture, ActiveSkinRect);
}

void TspActiveSkinObject::MouseDown(int x, int y, TMouseButton button) {
    if (Parent->OnMouseDownEvent) Parent->OnMouseDownEvent(IDName, x, y, ObjectRect, button);
}

void TspActiveSkinObject::MouseUp(int x, int y, TMouseButton button) {
    if (MouseIn && Parent->OnMouseUpEvent) Parent->OnMouseUpEvent(IDName, x, y, ObjectRect, button);
}

void TspActiveSkinObject::MouseMove(int x, int y) {
    if (Parent->OnMouseMoveEvent) Parent->OnMouseMoveEvent(IDName, x, y, ObjectRect);
}

void TspActiveSkinObject::MouseEnter() {
    MouseIn = true;
    Active = true;
    if (!IsNullRect(ActiveSkinRect)) ReDraw();
    if (Parent->OnMouseEnterEvent) Parent->OnMouseEnterEvent(IDName);
}

void TspActiveSkinObject::MouseLeave() {
    MouseIn = false;
    Active = false;
    if (!IsNullRect(ActiveSkinRect)) ReDraw();
    if (Parent->OnMouseLeaveEvent) Parent->OnMouseLeaveEvent(IDName);
}

bool TspActiveSkinObject::CanMorphing() const {
    return (Active && MorphKf < 1) || (!Active && MorphKf > 0);
}

void TspActiveSkinObject::ReDraw() {
    if (Morphing)
        Parent->GetMorphTimer().SetEnabled(true);
    else
        Parent->DrawSkinObject(*this);
}

void TspActiveSkinObject::DoMorph() {
    SetMorphKf(Active ? MorphKf + 0.1 : MorphKf - 0.1);
    Parent->DrawSkinObject(*this);
}

void TspActiveSkinObject::SetMorphKf(double k) { MorphKf = std::clamp(k, 0.0, 1.0); }

// ---------------------------------------------------------------- button

TspSkinButtonObject::TspSkinButtonObject(TspSkinForm* parent, const TspDataSkinButton* def)
    : TspActiveSkinObject(parent, def) {
    if (!def) return;
    DownRect = def->DownRect;
    DisableSkinRect = def->DisableSkinRect;
    GroupIndex = def->GroupIndex;
}

void TspSkinButtonObject::Draw(TCanvas& canvas, bool upDate) {
    if (!Enabled && !IsNullRect(DisableSkinRect)) {
        CopyToObject(canvas, ActivePicture, DisableSkinRect);
    } else if (Down && !IsNullRect(DownRect) && (GroupIndex != -1 || MouseIn)) {
        CopyToObject(canvas, ActivePicture, DownRect);
    } else {
        TspActiveSkinObject::Draw(canvas, upDate);
    }
}

void TspSkinButtonObject::SetDown(bool value) {
    Down = value;
    if (IsNullRect(DownRect) && !value) return;
    if (value) {
        if (!IsNullRect(DownRect)) {
            if (Morphing) MorphKf = 1;
            Parent->DrawSkinObject(*this);
        }
        // Radio groups: the other down buttons of the group come up.
        if (GroupIndex != -1) {
            for (int i = 0; i < Parent->ObjectCount(); ++i) {
                auto* other = dynamic_cast<TspSkinButtonObject*>(Parent->Objects(i));
                if (other && other != this && other->GroupIndex == GroupIndex &&
                    other->IDName != IDName && other->Down) {
                    other->SetDown(false);
                }
            }
        }
        return;
    }
    if (GroupIndex != -1 || MenuItem) Active = false;
    if (Morphing && !IsNullRect(DownRect)) Parent->DrawSkinObject(*this);
    ReDraw();
}

void TspSkinButtonObject::OpenMenu() {
    if (!MenuItem || MenuItem->Count() == 0) return;
    OpenObjectMenu(*Parent, *this, *MenuItem);
}

void TspSkinButtonObject::MouseDown(int x, int y, TMouseButton button) {
    if (!Enabled) return;
    if (button == mbLeft && !Down) {
        SetDown(true);
        OpenMenu();
    }
    TspActiveSkinObject::MouseDown(x, y, button);
}

void TspSkinButtonObject::MouseUp(int x, int y, TMouseButton button) {
    if (!Enabled) return;
    if (button == mbLeft && !MenuItem && Down && GroupIndex == -1) SetDown(false);
    TspActiveSkinObject::MouseUp(x, y, button);
}

void TspSkinButtonObject::MouseEnter() {
    MouseIn = true;
    Active = true;
    if (Down && !IsNullRect(DownRect)) {
        if (GroupIndex == -1) Parent->DrawSkinObject(*this);
    } else if (!IsNullRect(ActiveSkinRect)) {
        ReDraw();
    }
    if (Parent->OnMouseEnterEvent) Parent->OnMouseEnterEvent(IDName);
}

void TspSkinButtonObject::MouseLeave() {
    MouseIn = false;
    const bool stays = Down && !IsNullRect(DownRect) && (MenuItem || GroupIndex != -1);
    if (!stays) {
        Active = false;
        if (Morphing && Down) MorphKf = 1;
        if (!IsNullRect(ActiveSkinRect) || (!IsNullRect(DownRect) && GroupIndex == -1)) ReDraw();
    }
    if (Parent->OnMouseLeaveEvent) Parent->OnMouseLeaveEvent(IDName);
}

// ---------------------------------------------------------------- caption button

TspSkinStdButtonObject::TspSkinStdButtonObject(TspSkinForm* parent, const TspDataSkinStdButton* def)
    : TspSkinButtonObject(parent, def) {
    if (!def) return;
    HasDefinition = true;
    Command = def->Command;
    RestoreRect = def->RestoreRect;
    RestoreActiveRect = def->RestoreActiveRect;
    RestoreDownRect = def->RestoreDownRect;
}

TspSkinStdButtonObject::TspSkinStdButtonObject(TspSkinForm* parent, const std::string& idName,
                                               TspButtonCommand command)
    : TspSkinButtonObject(parent, nullptr) {
    IDName = idName;
    Command = command;
    SkinRect = Rect(0, 0, 1, 1);
    ActiveSkinRect = Rect(0, 0, 1, 1);
    ObjectRect = SkinRect;
    SkinRectInAPicture = true;
}

bool TspSkinStdButtonObject::ShowsIcon() const {
    return Command == cmSysMenu && Parent->ShowIcon() && SkinRectInAPicture;
}

bool TspSkinStdButtonObject::RestoreLook() const {
    return (Command == cmMaximize && Parent->WindowMaximized()) ||
           (Command == cmMinimize && Parent->WindowMinimized()) ||
           (Command == cmRollUp && Parent->GetRollUpState());
}

void TspSkinStdButtonObject::Draw(TCanvas& canvas, bool upDate) {
    if (!HasDefinition) {
        DrawDefaultLook(canvas);
        return;
    }
    if (Enabled) {
        if (ShowsIcon()) {
            const TBitmap& icon = Parent->GetSmallIcon();
            if (!icon.Empty()) canvas.Draw(ObjectRect.Left, ObjectRect.Top, icon);
            MorphKf = 0;
            return;
        }
        if (!IsNullRect(RestoreRect) && RestoreLook()) {
            if (Down && !IsNullRect(RestoreDownRect) && MouseIn) {
                CopyToObject(canvas, ActivePicture, RestoreDownRect);
            } else if (Morphing && MorphUnderWay() && !IsNullRect(RestoreActiveRect)) {
                DrawMorph(canvas, ActivePicture, RestoreRect, ActivePicture, RestoreActiveRect);
            } else if (Active && !IsNullRect(RestoreActiveRect)) {
                CopyToObject(canvas, ActivePicture, RestoreActiveRect);
            } else {
                CopyToObject(canvas, ActivePicture, RestoreRect);
            }
            return;
        }
    }
    TspSkinButtonObject::Draw(canvas, upDate);
}

void TspSkinStdButtonObject::DrawDefaultLook(TCanvas& canvas) const {
    const int w = RectWidth(ObjectRect), h = RectHeight(ObjectRect);
    if (w < 1 || h < 1) return;
    if (ShowsIcon() || (Command == cmSysMenu && Parent->ShowIcon())) {
        const TBitmap& icon = Parent->GetSmallIcon();
        if (!icon.Empty()) {
            canvas.Draw(ObjectRect.Left, ObjectRect.Top, icon);
            return;
        }
    }
    TBitmap image(w, h);
    TCanvas& c = image.Canvas();
    if (Down && MouseIn) {
        c.FillSolid(Rect(0, 0, w, h), kDefaultButtonDownFill);
        c.Brush.Color = kDefaultButtonFrame;
        c.FrameRect(Rect(0, 0, w, h));
    } else if (MouseIn) {
        c.FillSolid(Rect(0, 0, w, h), kDefaultButtonHoverFill);
        c.Brush.Color = kDefaultButtonFrame;
        c.FrameRect(Rect(0, 0, w, h));
    } else {
        c.FillSolid(Rect(0, 0, w, h), ColorToRGB(clBtnFace));
    }
    int gx = w / 2 - 5, gy = h / 2 - 4;
    if (Down) {
        gx = w / 2 - 4;
        gy = h / 2 - 3;
        if (!MouseIn) {
            --gx;
            --gy;
        }
    }
    const TColor glyph = ColorToRGB(Enabled ? clBtnText : clBtnShadow);
    switch (Command) {
        case cmClose:
            DrawCloseGlyph(c, gx, gy, glyph);
            break;
        case cmMaximize:
            if (Parent->WindowMaximized())
                DrawRestoreGlyph(c, gx, gy, glyph);
            else
                DrawMaximizeGlyph(c, gx, gy, glyph);
            break;
        case cmMinimize:
            if (Parent->WindowMinimized())
                DrawRestoreGlyph(c, gx, gy, glyph);
            else
                DrawMinimizeGlyph(c, gx, gy, glyph);
            break;
        case cmSysMenu:
            DrawFlatBarGlyph(c, gx, gy, glyph);
            break;
        case cmRollUp:
            if (Parent->GetRollUpState())
                DrawTriangleDownGlyph(c, gx, gy, glyph);
            else
                DrawTriangleUpGlyph(c, gx, gy, glyph);
            break;
        case cmMinimizeToTray:
            DrawSysMenuGlyph(c, gx, gy, glyph);
            break;
        case cmDefault:
            break;
    }
    canvas.Draw(ObjectRect.Left, ObjectRect.Top, image);
}

void TspSkinStdButtonObject::MouseDown(int, int, TMouseButton button) {
    if (!Enabled || button != mbLeft || Down) return;
    SetDown(true);
    if (Command == cmSysMenu) OpenButtonWindowMenu(*Parent, *this);
}

void RunFrameCommand(TspSkinForm& form, TspButtonCommand command) {
    switch (command) {
        case cmClose:
            CloseSkinnedWindow(form);
            break;
        case cmMaximize:
            form.SetWindowState(form.WindowMaximized() ? kSkinStateNormal : kSkinStateMaximized);
            break;
        case cmMinimize:
            if (form.AlwaysMinimizeToTray)
                form.MinimizeToTray();
            else if (form.SupportNCArea() && form.WindowMinimized())
                form.SetWindowState(kSkinStateNormal);
            else
                form.SetWindowState(kSkinStateMinimized);
            break;
        case cmRollUp:
            form.SetRollUpState(!form.GetRollUpState());
            break;
        case cmMinimizeToTray:
            form.MinimizeToTray();
            break;
        case cmSysMenu:
        case cmDefault:
            break;
    }
}

void TspSkinStdButtonObject::MouseUp(int x, int y, TMouseButton button) {
    if (Command == cmClose) {
        // The button comes up first: closing may take the form and this object with it.
        TspSkinButtonObject::MouseUp(x, y, button);
        if (Active && button == mbLeft) RunFrameCommand(*Parent, Command);
        return;
    }
    if (Active && button == mbLeft) RunFrameCommand(*Parent, Command);
    TspSkinButtonObject::MouseUp(x, y, button);
}

void TspSkinStdButtonObject::DblClick() {
    if (Command == cmSysMenu) CloseSkinnedWindow(*Parent);
}

bool TspSkinStdButtonObject::CanMorphing() const {
    if (ShowsIcon()) return false;
    return TspActiveSkinObject::CanMorphing();
}
