// The frame's objects: creation from the skin's object definitions, the default frame's
// buttons, the border-icon rules, and the routing of the mouse to the objects (hover,
// capture, morphing and the mouse-tracking timer).
#include <algorithm>

#include "base/Region.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinObjectDefs.h"
#include "skin/draw/RectUtils.h"
#include "skin/form/FrameObjectKinds.h"
#include "skin/form/ObjectHints.h"
#include "skin/form/SkinForm.h"
#include "ui/Menus.h"
#include "ui/Screen.h"
#include "ui/Timer.h"

namespace {

// Largest caption font the frame draws; a larger one is a damaged definition.
constexpr int kMaxCaptionFontHeight = 512;
// Frame strips and glyph tables longer than this are damaged definitions.
constexpr int32_t kMaxFrames = 4096;

bool InCoordinateRange(int64_t v) { return v >= -kMaxSkinCoordinate && v <= kMaxSkinCoordinate; }
bool InRange(TPoint p) { return InCoordinateRange(p.X) && InCoordinateRange(p.Y); }

// Every rectangle of the definition lies in the picture it is drawn from, and its numbers
// stay within what the frame can place and draw.
bool Usable(const TspSkinData& skin, const TspDataSkinObject* def) {
    const TBitmap* active = skin.ActivePicture(def->ActivePictureIndex);
    const TBitmap* main = def->RollUp ? &skin.RollUpPicture : &skin.MainPicture;
    if (!SkinRectInPicture(def->SkinRect, def->SkinRectInAPicture ? active : main)) return false;
    auto inActive = [active](const TRect& r) { return SkinRectInPicture(r, active); };
    if (!inActive(def->ActiveSkinRect)) return false;
    if (auto* b = dynamic_cast<const TspDataSkinButton*>(def)) {
        if (!inActive(b->DownRect) || !inActive(b->DisableSkinRect)) return false;
    }
    if (auto* b = dynamic_cast<const TspDataSkinStdButton*>(def)) {
        if (!inActive(b->RestoreRect) || !inActive(b->RestoreActiveRect) || !inActive(b->RestoreDownRect)) return false;
    }
    if (auto* c = dynamic_cast<const TspDataSkinCaption*>(def)) {
        if (!inActive(c->FrameRect) || !inActive(c->ActiveFrameRect)) return false;
        if (!SkinRectUsable(c->TextRect) || !SkinRectUsable(c->FrameTextRect)) return false;
        if (c->FontHeight < -kMaxCaptionFontHeight || c->FontHeight > kMaxCaptionFontHeight) return false;
        if (c->FrameLeftOffset < 0 || c->FrameRightOffset < 0 ||
            c->FrameLeftOffset > kMaxSkinCoordinate || c->FrameRightOffset > kMaxSkinCoordinate) {
            return false;
        }
    }
    if (auto* t = dynamic_cast<const TspDataSkinTrackBar*>(def)) {
        if (!inActive(t->ButtonRect) || !inActive(t->ActiveButtonRect)) return false;
        if (!InRange(t->BeginPoint) || !InRange(t->EndPoint)) return false;
    }
    if (auto* l = dynamic_cast<const TspDataSkinLabel*>(def)) {
        if (l->FontHeight < -kMaxCaptionFontHeight || l->FontHeight > kMaxCaptionFontHeight) return false;
    }
    if (auto* b = dynamic_cast<const TspDataSkinBitLabel*>(def)) {
        if (b->SymbolWidth < 0 || b->SymbolHeight < 0 || !InCoordinateRange(b->SymbolWidth) ||
            !InCoordinateRange(b->SymbolHeight)) {
            return false;
        }
    }
    if (auto* a = dynamic_cast<const TspDataSkinAnimate*>(def)) {
        if (a->CountFrames > kMaxFrames) return false;
    }
    if (auto* g = dynamic_cast<const TspDataSkinFrameGaugeObject*>(def)) {
        if (g->CountFrames > kMaxFrames) return false;
    }
    if (auto* r = dynamic_cast<const TspDataSkinFrameRegulatorObject*>(def)) {
        if (r->CountFrames > kMaxFrames) return false;
    }
    return true;
}

// The frame object a definition makes, or nullptr: menu items belong to menus and menu
// bars; the frame's main-menu items come from the form's main menu, not from here.
std::unique_ptr<TspActiveSkinObject> MakeObject(TspSkinForm* form, const TspDataSkinObject* def) {
    // An object with coordinates beyond the window's range is a damaged definition: left out.
    if (!Usable(*form->SkinData(), def)) return nullptr;
    if (dynamic_cast<const TspDataSkinMenuItem*>(def) || dynamic_cast<const TspDataSkinMainMenuItem*>(def) ||
        dynamic_cast<const TspDataSkinMainMenuBarButton*>(def)) {
        return nullptr;
    }
    if (auto* d = dynamic_cast<const TspDataSkinGauge*>(def)) return std::make_unique<TspSkinGaugeObject>(form, d);
    if (auto* d = dynamic_cast<const TspDataSkinStdButton*>(def)) return std::make_unique<TspSkinStdButtonObject>(form, d);
    if (auto* d = dynamic_cast<const TspDataSkinButton*>(def)) return std::make_unique<TspSkinButtonObject>(form, d);
    if (auto* d = dynamic_cast<const TspDataSkinCaption*>(def)) return std::make_unique<TspSkinCaptionObject>(form, d);
    if (auto* d = dynamic_cast<const TspDataUserObject*>(def)) return std::make_unique<TspUserObject>(form, d);
    if (auto* d = dynamic_cast<const TspDataSkinSwitch*>(def)) return std::make_unique<TspSkinSwitchObject>(form, d);
    if (auto* d = dynamic_cast<const TspDataSkinTrackBar*>(def)) return std::make_unique<TspSkinTrackBarObject>(form, d);
    if (auto* d = dynamic_cast<const TspDataSkinLabel*>(def)) return std::make_unique<TspSkinLabelObject>(form, d);
    if (auto* d = dynamic_cast<const TspDataSkinAnimate*>(def)) return std::make_unique<TspSkinAnimateObject>(form, d);
    if (auto* d = dynamic_cast<const TspDataSkinBitLabel*>(def)) return std::make_unique<TspSkinBitLabelObject>(form, d);
    if (auto* d = dynamic_cast<const TspDataSkinFrameRegulatorObject*>(def)) {
        return std::make_unique<TspSkinFrameRegulatorObject>(form, d);
    }
    if (auto* d = dynamic_cast<const TspDataSkinFrameGaugeObject*>(def)) {
        return std::make_unique<TspSkinFrameGaugeObject>(form, d);
    }
    return nullptr;
}

}  // namespace

// Through the client origin, so a form inside another window (an MDI child) converts the
// same way as a top-level one.
TPoint TspSkinForm::ScreenToWindow(TPoint p) const {
    const TPoint origin = FForm->ClientOrigin(), offset = FForm->ClientOffset();
    return {p.X - origin.X + offset.X, p.Y - origin.Y + offset.Y};
}

TspSkinCaptionObject* TspSkinForm::FirstCaptionObject() const {
    for (const auto& o : ObjectList) {
        if (o->Kind() == TspObjectKind::Caption) return static_cast<TspSkinCaptionObject*>(o.get());
    }
    return nullptr;
}

bool TspSkinForm::OnCaptionObject(TPoint p) const {
    for (const auto& o : ObjectList) {
        if (o->Kind() == TspObjectKind::Caption && InRollState(*o) && PtInRect(o->ObjectRect, p)) return true;
    }
    return false;
}

void TspSkinForm::ClearObjects() {
    if (MouseCaptureObject != -1) FForm->SetMouseCapture(false);
    for (auto& o : ObjectList) {
        if (o->Kind() != TspObjectKind::MainMenuItem) continue;
        if (TMenuItem* item = static_cast<TspSkinMainMenuItem&>(*o).MenuItem) RemoveFreeNotification(item);
    }
    ObjectList.clear();
    rollUpObjects_ = false;
    ActiveObject = OldActiveObject = MouseCaptureObject = -1;
}

void TspSkinForm::CreateObjects() {
    ClearObjects();
    if (!skinData_) return;
    for (const auto& def : skinData_->ObjectDefs) {
        if (auto object = MakeObject(this, def.get())) ObjectList.push_back(std::move(object));
    }
    rollUpObjects_ = std::any_of(ObjectList.begin(), ObjectList.end(), [](const auto& o) { return o->RollUp; });
    CreateMainMenuItems();
}

void TspSkinForm::CreateDefaultButtons() {
    ClearObjects();
    static const struct {
        const char* name;
        TspButtonCommand command;
    } kButtons[] = {{"closebutton", cmClose},         {"maxbutton", cmMaximize},     {"minbutton", cmMinimize},
                    {"rollupbutton", cmRollUp},       {"sysmenubutton", cmSysMenu},  {"traybutton", cmMinimizeToTray}};
    for (const auto& b : kButtons) ObjectList.push_back(std::make_unique<TspSkinStdButtonObject>(this, b.name, b.command));
}

void TspSkinForm::EnsureDefaultButtons() {
    if (!ObjectList.empty()) return;
    CreateDefaultButtons();
    ApplyBorderIcons();
}

void TspSkinForm::ApplyBorderIcons() {
    for (auto& o : ObjectList) {
        TspButtonCommand command = cmDefault;
        bool buttonStyle = false;
        if (!CaptionCommandOf(*o, command, buttonStyle)) continue;
        auto disable = [&o] {
            o->Enabled = false;
            // A button painted into the frame picture stays, disabled; one drawn from an
            // active picture disappears.
            o->Visible = !o->SkinRectInAPicture;
        };
        if (HideCaptionButtons) {
            disable();
            continue;
        }
        if (!buttonStyle) continue;
        switch (command) {
            case cmDefault: {
                bool objectVisible = false;
                if (OnActivateCustomObject) OnActivateCustomObject(o->IDName, objectVisible);
                o->Visible = objectVisible;
                break;
            }
            case cmMinimizeToTray: if (!(borderIcons_ & biMinimizeToTray)) disable(); break;
            case cmRollUp: if (!(borderIcons_ & biRollUp)) disable(); break;
            case cmMaximize: if (!(borderIcons_ & biMaximize)) disable(); break;
            case cmMinimize: if (!(borderIcons_ & biMinimize)) disable(); break;
            case cmSysMenu: if (!(borderIcons_ & biSystemMenu)) disable(); break;
            case cmClose: break;
        }
    }
    // The first caption marked as the default one shows the owner's caption; without a
    // mark the first caption is the default one.
    TspSkinCaptionObject* chosen = nullptr;
    for (auto& o : ObjectList) {
        if (o->Kind() == TspObjectKind::Caption && static_cast<TspSkinCaptionObject&>(*o).DefaultCaption) {
            chosen = static_cast<TspSkinCaptionObject*>(o.get());
            break;
        }
    }
    if (!chosen) chosen = FirstCaptionObject();
    if (chosen) {
        chosen->DefaultCaption = true;
        chosen->Text = FForm->Caption();
    }
}

void TspSkinForm::ResetObjects() {
    for (auto& o : ObjectList) {
        switch (o->Kind()) {
            case TspObjectKind::Caption: continue;
            case TspObjectKind::Animate: static_cast<TspSkinAnimateObject&>(*o).Reset(); continue;
            case TspObjectKind::Switch:
                // A switch's look is its state, which no activation change alters.
                o->MouseIn = false;
                o->MorphKf = o->Active ? 1 : 0;
                continue;
            default:
                o->Active = false;
                o->MouseIn = false;
                o->MorphKf = 0;
        }
    }
}

void TspSkinForm::UpdateCaptionObjects(bool draw) {
    const bool active = IsFormActive();
    for (auto& o : ObjectList) {
        if (o->Kind() != TspObjectKind::Caption) continue;
        o->Active = active;
        const bool drawIt = draw && InRollState(*o) && (!supportNCArea_ || !IsNullRect(o->ActiveSkinRect));
        if (drawIt) {
            o->ReDraw();
        } else if (o->Morphing) {
            // Not redrawn: the look is set at once, so the morph timer never steps (and
            // redraws) a caption whose frame paint already shows its text.
            o->MorphKf = active ? 1 : 0;
        }
    }
}

void TspSkinForm::ArrangeObjects() {
    for (auto& o : ObjectList) o->ObjectRect = geometry_->CalcObjectRect(o->SkinRect);
    ArrangeMainMenuItems();
    const TspFrameRects& n = geometry_->Rects();

    TRect row;
    if (!IsNullRect(n.Buttons))
        row = n.Buttons;
    else if (!IsNullRect(n.Caption))
        row = n.Caption;
    else
        return;
    const int y = row.Top;

    // Only caption buttons (and animations) drawn from an active picture move with the row;
    // buttons painted into the frame picture keep their corner-rule places.
    struct DynamicButton {
        TspActiveSkinObject* object;
        TspButtonCommand command;
    };
    std::vector<DynamicButton> dynamic;
    for (auto& o : ObjectList) {
        TspButtonCommand command = cmDefault;
        bool buttonStyle = false;
        if (!o->Visible || !o->SkinRectInAPicture || !CaptionCommandOf(*o, command, buttonStyle))
            continue;
        dynamic.push_back({o.get(), command});
    }
    auto sizeOf = [this](const DynamicButton& b) {
        if (b.command == cmSysMenu && ShowIcon()) return SmallIconSize();
        return TSize{RectWidth(b.object->SkinRect), RectHeight(b.object->SkinRect)};
    };
    auto firstWith = [&dynamic](TspButtonCommand command) -> const DynamicButton* {
        for (const auto& b : dynamic) {
            if (b.command == command) return &b;
        }
        return nullptr;
    };
    // Right to left: close, maximise, minimise, roll-up, tray, then the custom buttons.
    std::vector<DynamicButton> order;
    for (TspButtonCommand command : {cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray}) {
        if (const DynamicButton* b = firstWith(command)) order.push_back(*b);
    }
    for (const auto& b : dynamic) {
        if (b.command == cmDefault) order.push_back(b);
    }
    TspSkinCaptionObject* caption = FirstCaptionObject();
    const DynamicButton* sysMenu = firstWith(cmSysMenu);

    if (!n.ButtonsInLeft) {
        int x = row.Right;
        for (const auto& b : order) {
            const TSize s = sizeOf(b);
            b.object->ObjectRect = Rect(x - s.cx, y, x, y + s.cy);
            x -= s.cx + n.ButtonsOffset;
        }
        if (IsNullRect(n.Buttons) && caption) caption->ObjectRect.Right = x + n.ButtonsOffset;
        int left = n.Caption.Left;
        if (sysMenu) {
            const TSize s = sizeOf(*sysMenu);
            const int top = RectHeight(n.Caption) / 2 + n.Caption.Top - s.cy / 2;
            sysMenu->object->ObjectRect = Rect(left, top, left + s.cx, top + s.cy);
            left += s.cx + n.ButtonsOffset;
            if (caption) caption->ObjectRect.Left = left - n.ButtonsOffset;
        }
        return;
    }
    int x = row.Left;
    for (const auto& b : order) {
        const TSize s = sizeOf(b);
        b.object->ObjectRect = Rect(x, y, x + s.cx, y + s.cy);
        x += s.cx + n.ButtonsOffset;
    }
    if (IsNullRect(n.Buttons)) {
        if (sysMenu) {
            const TSize s = sizeOf(*sysMenu);
            sysMenu->object->ObjectRect = Rect(x, y, x + s.cx, y + s.cy);
            x += s.cx + n.ButtonsOffset;
        }
        if (caption) caption->ObjectRect.Left = x + n.ButtonsOffset;
    }
}

// ---------------------------------------------------------------- mouse routing

void TspSkinForm::TestActive(int x, int y, bool track) {
    if (ObjectList.empty() || !(IsFormActive() || !supportNCArea_)) return;
    OldActiveObject = ActiveObject;
    int hit = -1;
    for (size_t i = 0; i < ObjectList.size(); ++i) {
        const TspActiveSkinObject& o = *ObjectList[i];
        if (InRollState(o) && o.Enabled && o.Visible && PtInRect(o.ObjectRect, {x, y})) {
            hit = static_cast<int>(i);
            break;
        }
    }
    ActiveObject = track ? hit : -1;
    // While a button is held, no other object lights up.
    if (MouseCaptureObject != -1 && ActiveObject != -1 && ActiveObject != MouseCaptureObject) ActiveObject = -1;
    const int count = ObjectCount();
    if (ActiveObject >= count) ActiveObject = -1;
    if (OldActiveObject >= count) OldActiveObject = -1;
    if (ActiveObject == OldActiveObject) return;
    const bool hints = ShowObjectHint && skinHint_;
    if (OldActiveObject != -1) {
        TspActiveSkinObject& old = *ObjectList[static_cast<size_t>(OldActiveObject)];
        if (old.Enabled && old.Visible) {
            old.MouseLeave();
            if (hints && !old.Hint.empty()) HideObjectHint(*this);
        }
    }
    if (ActiveObject != -1) {
        TspActiveSkinObject& now = *ObjectList[static_cast<size_t>(ActiveObject)];
        if (now.Enabled && now.Visible) {
            now.MouseEnter();
            if (IsFormActive() && hints && !now.Hint.empty()) ::ShowObjectHint(*this, now);
        }
    }
}

void TspSkinForm::MouseMove(int x, int y) {
    if (!supportNCArea_ && Dragging) return;
    const int target = MouseCaptureObject != -1 ? MouseCaptureObject : ActiveObject;
    if (target >= 0 && target < ObjectCount()) ObjectList[static_cast<size_t>(target)]->MouseMove(x, y);
}

void TspSkinForm::MouseDown(TMouseButton button, int x, int y) {
    if (supportNCArea_) {
        if (ActiveObject < 0 || ActiveObject >= ObjectCount()) return;
        TspActiveSkinObject& o = *ObjectList[static_cast<size_t>(ActiveObject)];
        if (o.Kind() != TspObjectKind::Caption) FForm->SetMouseCapture(true);
        MouseCaptureObject = ActiveObject;
        o.MouseDown(x, y, button);
        return;
    }
    StopDragging();
    TestActive(x, y, true);
    if (ActiveObject >= 0 && ActiveObject < ObjectCount()) {
        MouseCaptureObject = ActiveObject;
        ObjectList[static_cast<size_t>(ActiveObject)]->MouseDown(x, y, button);
    } else if (button == mbLeft && !WindowMaximized() && DraggAble) {
        StartDragging();
    }
}

void TspSkinForm::MouseUp(TMouseButton button, int x, int y) {
    if (!supportNCArea_) StopDragging();
    if (MouseCaptureObject < 0 || MouseCaptureObject >= ObjectCount()) {
        MouseCaptureObject = -1;
        return;
    }
    TspActiveSkinObject& o = *ObjectList[static_cast<size_t>(MouseCaptureObject)];
    if (supportNCArea_ && o.Kind() != TspObjectKind::Caption) FForm->SetMouseCapture(false);
    // Cleared first: the object's command may change the objects or close the window.
    MouseCaptureObject = -1;
    o.MouseUp(x, y, button);
}

void TspSkinForm::DblClick() {
    if (ActiveObject >= 0 && ActiveObject < ObjectCount()) ObjectList[static_cast<size_t>(ActiveObject)]->DblClick();
}

void TspSkinForm::OnMorphTimer() {
    bool stepped = false;
    // By index: a step draws, and drawing never changes the list.
    for (size_t i = 0; i < ObjectList.size(); ++i) {
        TspActiveSkinObject& o = *ObjectList[i];
        if (o.Morphing && o.CanMorphing()) {
            o.DoMorph();
            stepped = true;
        }
    }
    if (!stepped) MorphTimer->SetEnabled(false);
}

void TspSkinForm::OnMouseTimer() {
    if (!FSkinSupport && !supportNCArea_) return;
    const TPoint cursor = Screen().CursorPos();
    if (supportNCArea_) {
        if (InSizeMove) {
            MouseTimer->SetEnabled(false);
            return;
        }
        const TPoint p = ScreenToWindow(cursor);
        const TRect client = FSkinSupport ? geometry_->Rects().Client : FForm->ClientRectInWindow();
        if (!PtInRect(client, p)) TestActive(p.X, p.Y, true);
        else if (ActiveObject != -1) TestActive(-1, -1, true);
        return;
    }
    if (Dragging) {
        DragStep();
        return;
    }
    const TPoint w = ScreenToWindow(cursor);
    const bool overOwner = PtInRect(Rect(0, 0, FForm->Width(), FForm->Height()), w) &&
                           (!FForm->WindowRegion() || FForm->WindowRegion()->Contains(w));
    if (overOwner) {
        const TPoint c = FForm->ScreenToClient(cursor);
        TestActive(c.X, c.Y, true);
    } else {
        TestActive(-1, -1, false);
        MouseTimer->SetEnabled(false);
    }
    if (UseSkinCursors && skinData_) {
        int index = skinData_->cursorindex;
        if (ActiveObject >= 0 && ActiveObject < ObjectCount() && ObjectList[static_cast<size_t>(ActiveObject)]->CursorIndex != -1) {
            index = ObjectList[static_cast<size_t>(ActiveObject)]->CursorIndex;
        }
        const TCursor cursorNumber = index == -1 ? crDefault : skinData_->StartCursorIndex + index;
        if (FForm->Cursor != cursorNumber) FForm->Cursor = cursorNumber;
    }
}
