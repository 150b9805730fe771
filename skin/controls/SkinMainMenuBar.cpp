// The main menu bar: building its objects from the main menu (and the active MDI child's),
// the system buttons of a maximised child, the layout with the marker for items that do not
// fit, hover on its 50 ms timer, pressing, opening menus through the skinned menu engine,
// the keyboard menu mode, and painting.
#include "skin/controls/SkinMainMenuBar.h"

#include <algorithm>

#include "platform/Platform.h"
#include "skin/controls/SkinFormFrame.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinObjectDefs.h"
#include "skin/draw/Blit.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/SkinCompose.h"
#include "skin/popup/SkinMenu.h"
#include "skin/popup/SkinMenuHost.h"
#include "ui/Accelerators.h"
#include "ui/Canvas.h"
#include "ui/Forms.h"
#include "ui/Menus.h"
#include "ui/Screen.h"
#include "ui/Timer.h"

namespace {

constexpr uint32_t kHoverInterval = 50;
constexpr uint32_t kMorphInterval = 20;
constexpr int kMarkerWidth = 13;
constexpr int kButtonGap = 2;

TMainMenu* MainMenuOf(const TCustomForm* form) {
    if (!form) return nullptr;
    for (int i = 0; i < form->ComponentCount(); ++i) {
        if (auto* menu = dynamic_cast<TMainMenu*>(form->Components(i))) return menu;
    }
    return nullptr;
}

ISkinMenuHost* HostAmong(const TComponent* c) {
    if (!c) return nullptr;
    for (int i = 0; i < c->ComponentCount(); ++i) {
        if (auto* host = dynamic_cast<ISkinMenuHost*>(c->Components(i))) return host;
    }
    return nullptr;
}

}  // namespace

TspSkinMainMenuBar::TspSkinMainMenuBar(TComponent* owner) : TspSkinControl(owner) {
    defItemFont_.Name = "Arial";
    defItemFont_.Height = 14;
    defItemFont_.Color = clBtnText;
    SetSkinDataName("mainmenubar");
    SetAlign(alTop);
    SetHeight(defaultHeight_);
    hoverTimer_ = MakeStoppedTimer(this, kHoverInterval, [this] { OnHoverTimer(); });
    morphTimer_ = MakeStoppedTimer(this, kMorphInterval, [this] { OnMorphTimer(); });
}

TspSkinMainMenuBar::~TspSkinMainMenuBar() {
    SetComponentState(csDestroying, true);
    objects_.clear();
    if (mainMenu_) RemoveFreeNotification(mainMenu_);
    if (skinFormComponent_) RemoveFreeNotification(skinFormComponent_);
    if (maximizedChildComponent_) RemoveFreeNotification(maximizedChildComponent_);
}

// ---------------------------------------------------------------- properties

void TspSkinMainMenuBar::SetMainMenu(TMainMenu* value) {
    if (mainMenu_ != value) {
        if (mainMenu_) RemoveFreeNotification(mainMenu_);
        mainMenu_ = value;
        if (mainMenu_) FreeNotification(mainMenu_);
    }
    RebuildObjects();
}

void TspSkinMainMenuBar::SetSkinForm(ISkinFormFrame* value) {
    if (skinForm_ == value) return;
    if (skinFormComponent_) RemoveFreeNotification(skinFormComponent_);
    skinForm_ = value;
    skinFormComponent_ = value ? &value->FrameComponent() : nullptr;
    if (skinFormComponent_) FreeNotification(skinFormComponent_);
}

void TspSkinMainMenuBar::SetDefItemFont(const TFont& font) {
    defItemFont_ = font;
    if (!HasSection()) {
        ArrangeObjects();
        Invalidate();
    }
}

void TspSkinMainMenuBar::SetDefaultWidth(int value) {
    defaultWidth_ = value;
    FitHeight();
}

void TspSkinMainMenuBar::SetDefaultHeight(int value) {
    defaultHeight_ = value;
    FitHeight();
}

void TspSkinMainMenuBar::Notification(TComponent* component, TOperation operation) {
    TspSkinControl::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == skinFormComponent_) {
        skinForm_ = nullptr;
        skinFormComponent_ = nullptr;
    }
    if (component == maximizedChildComponent_) {
        maximizedChild_ = nullptr;
        maximizedChildComponent_ = nullptr;
    }
    if (component == ownEngine_) ownEngine_ = nullptr;
    // A menu item the objects show is going: they forget it and are built anew when the
    // menu's destruction is over.
    bool changed = component == mainMenu_;
    if (component == mainMenu_) mainMenu_ = nullptr;
    for (auto& o : objects_) {
        if (auto* item = dynamic_cast<TspSkinMainMenuBarItem*>(o.get());
            item && item->MenuItem == component) {
            item->MenuItem = nullptr;
            changed = true;
        }
    }
    if (changed && !IsDestroying()) {
        TLivenessWatch alive = LivenessWatch();
        platform::Current().Post([this, alive] {
            if (alive.Alive()) RebuildObjects();
        });
    }
}

const TspDataSkinMainMenuBar* TspSkinMainMenuBar::BarSection() const {
    return dynamic_cast<const TspDataSkinMainMenuBar*>(SectionDef());
}

TCustomForm* TspSkinMainMenuBar::OwnerForm() const {
    if (skinForm_) return skinForm_->FrameForm();
    return GetParentForm(this);
}

void TspSkinMainMenuBar::ApplySkin() {
    TspSkinControl::ApplySkin();
    FitHeight();
    RebuildObjects();
}

// With a skin the bar is as high as the section's picture; without one DefaultHeight (and
// DefaultWidth) apply.
void TspSkinMainMenuBar::FitHeight() {
    ReadSkinSection();
    const TspDataSkinMainMenuBar* s = BarSection();
    if (s && !IsNullRect(s->SkinRect)) {
        if (Height() != RectHeight(s->SkinRect)) SetHeight(RectHeight(s->SkinRect));
    } else {
        if (defaultHeight_ > 0 && Height() != defaultHeight_) SetHeight(defaultHeight_);
        if (defaultWidth_ > 0 && Width() != defaultWidth_) SetWidth(defaultWidth_);
    }
    ArrangeObjects();
    Invalidate();
}

// ---------------------------------------------------------------- objects

void TspSkinMainMenuBar::RebuildObjects() {
    if (rebuilding_ || IsDestroying()) return;
    rebuilding_ = true;
    for (auto& o : objects_) {
        if (auto* item = dynamic_cast<TspSkinMainMenuBarItem*>(o.get()); item && item->MenuItem) {
            RemoveFreeNotification(item->MenuItem);
        }
    }
    objects_.clear();
    activeObject_ = oldActiveObject_ = captureObject_ = -1;
    openObject_ = -1;
    systemButtons_ = 0;
    ReadSkinSection();
    const TspDataSkinMainMenuBar* section = BarSection();
    TspSkinData* data = SkinData();
    auto objectDef = [&](const std::string& name) -> const TspDataSkinObject* {
        if (!section || !data || name.empty()) return nullptr;
        const int index = data->GetObjectDefIndex(name);
        return index < 0 ? nullptr : data->ObjectDefs[static_cast<size_t>(index)].get();
    };
    const auto* itemDef = dynamic_cast<const TspDataSkinMainMenuBarItem*>(
        section ? objectDef(section->MenuBarItem) : nullptr);
    auto addItems = [&](TMainMenu* menu) {
        if (!menu) return;
        TMenuItem& root = menu->Items();
        for (int i = 0; i < root.Count(); ++i) {
            TMenuItem* item = root.Items(i);
            if (!item->Visible()) continue;
            objects_.push_back(std::make_unique<TspSkinMainMenuBarItem>(this, itemDef, item));
            FreeNotification(item);
        }
    };
    addItems(mainMenu_);
    // An MDI parent shows its active child's menu after its own.
    if (TCustomForm* owner = OwnerForm(); owner && owner->FormStyle() == fsMDIForm) {
        addItems(MainMenuOf(owner->ActiveMDIChild()));
    }
    if (maximizedChild_) {
        struct Button {
            const char* name;
            TspButtonCommand command;
            const std::string* skinName;
        };
        const Button buttons[] = {
            {"MinButton", cmMinimize, section ? &section->MinButton : nullptr},
            {"MaxButton", cmMaximize, section ? &section->MaxButton : nullptr},
            {"CloseButton", cmClose, section ? &section->CloseButton : nullptr},
            {"SysMenuButton", cmSysMenu, section ? &section->SysMenuButton : nullptr}};
        const TBorderIcons icons = maximizedChild_->FrameBorderIcons();
        std::vector<std::unique_ptr<TspMenuBarObject>> front;
        for (const Button& b : buttons) {
            const auto* def = dynamic_cast<const TspDataSkinStdButton*>(
                b.skinName ? objectDef(*b.skinName) : nullptr);
            auto button = std::make_unique<TspSkinMainMenuBarButton>(this, def, b.name, b.command);
            if (b.command == cmMinimize) button->Enabled = (icons & biMinimize) != 0;
            if (b.command == cmMaximize) button->Enabled = (icons & biMaximize) != 0;
            if (b.command == cmSysMenu) button->Enabled = (icons & biSystemMenu) != 0;
            front.push_back(std::move(button));
        }
        systemButtons_ = static_cast<int>(front.size());
        objects_.insert(objects_.begin(), std::make_move_iterator(front.begin()),
                        std::make_move_iterator(front.end()));
    }
    rebuilding_ = false;
    ArrangeObjects();
    Invalidate();
}

void TspSkinMainMenuBar::UpdateItems() { RebuildObjects(); }

void TspSkinMainMenuBar::ChildMaximized(ISkinFormFrame* child) {
    if (child == maximizedChild_) {
        RebuildObjects();
        return;
    }
    if (maximizedChildComponent_) RemoveFreeNotification(maximizedChildComponent_);
    maximizedChild_ = child;
    maximizedChildComponent_ = child ? &child->FrameComponent() : nullptr;
    if (maximizedChildComponent_) FreeNotification(maximizedChildComponent_);
    RebuildObjects();
}

TspMenuBarObject* TspSkinMainMenuBar::FindObject(const std::string& idName) const {
    for (const auto& o : objects_) {
        if (o->IDName == idName) return o.get();
    }
    return nullptr;
}

void TspSkinMainMenuBar::ArrangeObjects() {
    const int w = Width(), h = Height();
    const TspDataSkinMainMenuBar* s = BarSection();
    TRect area = Rect(2, 2, w - 2, h - 2);
    if (s && !IsNullRect(s->ItemsRect) && !IsNullRect(s->SkinRect)) {
        // The skin's item area, relative to its picture, moved to the bar's size.
        area = s->ItemsRect;
        area.Right += w - RectWidth(s->SkinRect);
        area.Bottom += h - RectHeight(s->SkinRect);
    }
    // System buttons: the window-menu button on the left, the other three from the right.
    auto buttonSize = [&](const TspMenuBarObject& b) {
        const auto& button = static_cast<const TspSkinMainMenuBarButton&>(b);
        if (button.HasDefinition) return TSize{RectWidth(b.SkinRect), RectHeight(b.SkinRect)};
        return TSize{area.Height(), area.Height()};
    };
    auto place = [&](TspMenuBarObject& b, int left) {
        const TSize sz = buttonSize(b);
        const int top = area.Top + (area.Height() - sz.cy) / 2;
        b.ObjectRect = Bounds(left, top, sz.cx, sz.cy);
        return sz.cx;
    };
    for (int i = 0; i < systemButtons_; ++i) {
        auto& b = static_cast<TspSkinMainMenuBarButton&>(*objects_[static_cast<size_t>(i)]);
        if (b.Command == cmSysMenu) area.Left += place(b, area.Left) + kButtonGap;
    }
    for (TspButtonCommand command : {cmClose, cmMaximize, cmMinimize}) {
        for (int i = 0; i < systemButtons_; ++i) {
            auto& b = static_cast<TspSkinMainMenuBarButton&>(*objects_[static_cast<size_t>(i)]);
            if (b.Command != command) continue;
            const int width = buttonSize(b).cx;
            place(b, area.Right - width);
            area.Right -= width + kButtonGap;
        }
    }
    itemsRect_ = area;
    // Items from the left; when they do not all fit, a marker at the right end stands for
    // the rest.
    TBitmap scratch(1, 1);
    std::vector<int> widths;
    int total = 0;
    for (size_t i = static_cast<size_t>(systemButtons_); i < objects_.size(); ++i) {
        widths.push_back(objects_[i]->LayoutWidth(scratch.Canvas()));
        total += widths.back();
    }
    const bool overflow = total > area.Width();
    markerRect_ = overflow && ScrollMenu
                      ? Rect(area.Right - kMarkerWidth, area.Top, area.Right, area.Bottom)
                      : TRect{};
    const int limit = overflow && ScrollMenu ? area.Right - kMarkerWidth : area.Right;
    hiddenItems_.clear();
    int x = area.Left;
    bool full = false;
    for (size_t i = static_cast<size_t>(systemButtons_), k = 0; i < objects_.size(); ++i, ++k) {
        auto& item = static_cast<TspSkinMainMenuBarItem&>(*objects_[i]);
        const int iw = widths[k];
        full = full || x + iw > limit;
        item.Visible = !full;
        if (full) {
            item.ObjectRect = {};
            if (item.MenuItem) hiddenItems_.push_back(item.MenuItem);
            continue;
        }
        item.ObjectRect = Rect(x, area.Top, x + iw, area.Bottom);
        x += iw;
    }
    if (hiddenItems_.empty()) markerRect_ = {};
}

// ---------------------------------------------------------------- hover and mouse

void TspSkinMainMenuBar::SetActiveObject(int index) {
    if (index == activeObject_) return;
    oldActiveObject_ = activeObject_;
    activeObject_ = index;
    if (oldActiveObject_ >= 0 && oldActiveObject_ < ObjectCount()) {
        TspMenuBarObject& old = *objects_[static_cast<size_t>(oldActiveObject_)];
        old.MouseLeave();
        if (auto* item = dynamic_cast<TspSkinMainMenuBarItem*>(&old); item && OnItemMouseLeave)
            OnItemMouseLeave(item->MenuItem);
    }
    if (activeObject_ >= 0 && activeObject_ < ObjectCount()) {
        TspMenuBarObject& now = *objects_[static_cast<size_t>(activeObject_)];
        now.MouseEnter();
        if (auto* item = dynamic_cast<TspSkinMainMenuBarItem*>(&now); item && OnItemMouseEnter)
            OnItemMouseEnter(item->MenuItem);
    }
}

void TspSkinMainMenuBar::TestActive(TPoint p) {
    // While a menu of an item is open, that item stays lit.
    if (MenuOpen()) return;
    int hit = -1;
    for (size_t i = 0; i < objects_.size(); ++i) {
        const TspMenuBarObject& o = *objects_[i];
        if (o.Visible && o.Enabled && PtInRect(o.ObjectRect, p)) {
            hit = static_cast<int>(i);
            break;
        }
    }
    // While an object holds the button, no other lights up.
    if (captureObject_ != -1 && hit != captureObject_) hit = -1;
    SetActiveObject(hit);
    const bool hot = PtInRect(markerRect_, p);
    if (hot != markerHot_) {
        markerHot_ = hot;
        Invalidate();
    }
}

void TspSkinMainMenuBar::OnHoverTimer() {
    const TPoint p = ScreenToClient(Screen().CursorPos());
    if (PtInRect(ClientRect(), p) || captureObject_ != -1) {
        TestActive(p);
        return;
    }
    hoverTimer_->SetEnabled(false);
    if (!MenuOpen() && !keyboardMode_) SetActiveObject(-1);
    if (markerHot_) {
        markerHot_ = false;
        Invalidate();
    }
}

void TspSkinMainMenuBar::OnMorphTimer() {
    bool stepped = false;
    for (size_t i = 0; i < objects_.size(); ++i) {
        TspMenuBarObject& o = *objects_[i];
        if (o.Morphing && o.CanMorphing()) {
            o.DoMorph();
            stepped = true;
        }
    }
    if (!stepped) morphTimer_->SetEnabled(false);
}

void TspSkinMainMenuBar::MouseMove(TShiftState shift, int x, int y) {
    TspSkinControl::MouseMove(shift, x, y);
    if (!hoverTimer_->Enabled()) hoverTimer_->SetEnabled(true);
    TestActive({x, y});
}

void TspSkinMainMenuBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TspSkinControl::MouseDown(button, shift, x, y);
    TestActive({x, y});
    if (button == mbLeft && PtInRect(markerRect_, {x, y})) {
        OpenMarkerMenu();
        return;
    }
    if (activeObject_ < 0) return;
    captureObject_ = activeObject_;
    objects_[static_cast<size_t>(activeObject_)]->MouseDown(x, y, button);
}

void TspSkinMainMenuBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TspSkinControl::MouseUp(button, shift, x, y);
    const int target = captureObject_;
    captureObject_ = -1;
    if (target >= 0 && target < ObjectCount())
        objects_[static_cast<size_t>(target)]->MouseUp(x, y, button);
}

void TspSkinMainMenuBar::DblClick() {
    TspSkinControl::DblClick();
    if (activeObject_ >= 0 && activeObject_ < ObjectCount())
        objects_[static_cast<size_t>(activeObject_)]->DblClick();
}

void TspSkinMainMenuBar::WndProc(TMessage& m) {
    switch (m.Msg) {
        case SKINMSG_MENUCLOSED:
            MenuClosed();
            // The form whose engine showed the menu hears its close, unless the bar is
            // only switching to the next item's menu.
            if (auto* host = dynamic_cast<ISkinMenuHost*>(skinForm_);
                !switchingMenu_ && host && !host->PopupMenuEngine().MenuOpen() &&
                &MenuEngine() == &host->PopupMenuEngine()) {
                skinForm_->FrameMenuClosed();
            }
            break;
        case WM_SIZE:
            ArrangeObjects();
            break;
        case CM_MOUSEENTER:
            hoverTimer_->SetEnabled(true);
            break;
        default:
            break;
    }
    TspSkinControl::WndProc(m);
}

// ---------------------------------------------------------------- menus

TspSkinMenu& TspSkinMainMenuBar::MenuEngine() {
    if (auto* host = dynamic_cast<ISkinMenuHost*>(skinForm_)) return host->PopupMenuEngine();
    if (ISkinMenuHost* host = HostAmong(OwnerForm())) return host->PopupMenuEngine();
    // A bar without a skinned form to open menus through has an engine of its own.
    if (!ownEngine_) {
        ownEngine_ = new TspSkinMenu(this);
        if (TCustomForm* form = OwnerForm()) ownEngine_->SetOwnerForm(form);
        FreeNotification(ownEngine_);
    }
    return *ownEngine_;
}

void TspSkinMainMenuBar::OpenMenu(TMenuItem& items, const TRect& barRect, int objectIndex) {
    TspSkinMenu& engine = MenuEngine();
    // A menu already open is replaced: the engine closes its levels when the new one
    // opens, and the form stays in its menu-open state (and keyboard mode).
    const bool switching = engine.MenuOpen();
    ISkinMenuHost* host = dynamic_cast<ISkinMenuHost*>(skinForm_);
    if (!host) host = HostAmong(OwnerForm());
    TspSkinData* skin = host ? host->PopupMenuSkinData() : SkinData();
    const TPoint tl = ClientToScreen(barRect.TopLeft()), br = ClientToScreen(barRect.BottomRight());
    if (host && !switching) host->NotePopupMenuOpen();
    switchingMenu_ = switching;
    engine.Popup(this, skin, PopupToUp, items, Rect(tl.X, tl.Y, br.X, br.Y), 0);
    switchingMenu_ = false;
    // Set after the old menu's closing notice, which ends the old item's open state.
    openObject_ = objectIndex;
    markerOpen_ = objectIndex == -1;
    // Nothing to show (no visible sub-items): the item comes up again.
    if (!engine.MenuOpen()) MenuClosed();
}

void TspSkinMainMenuBar::OpenMarkerMenu() {
    if (hiddenItems_.empty()) return;
    TspSkinMenu& engine = MenuEngine();
    // A menu already open is replaced: the engine closes its levels when the new one
    // opens, and the form stays in its menu-open state (and keyboard mode).
    const bool switching = engine.MenuOpen();
    ISkinMenuHost* host = dynamic_cast<ISkinMenuHost*>(skinForm_);
    if (!host) host = HostAmong(OwnerForm());
    TspSkinData* skin = host ? host->PopupMenuSkinData() : SkinData();
    const TPoint tl = ClientToScreen(markerRect_.TopLeft()),
                 br = ClientToScreen(markerRect_.BottomRight());
    const TRect anchor = Rect(tl.X, tl.Y, br.X, br.Y);
    // The hidden items are the last ones: of the form's menu, then of the child's.
    TMenuItem* first = hiddenItems_.front();
    TMenuItem* firstList = mainMenu_ ? &mainMenu_->Items() : nullptr;
    TCustomForm* owner = OwnerForm();
    TMainMenu* childMenu =
        owner && owner->FormStyle() == fsMDIForm ? MainMenuOf(owner->ActiveMDIChild()) : nullptr;
    if (host && !switching) host->NotePopupMenuOpen();
    switchingMenu_ = switching;
    if (firstList && first->Parent() == firstList) {
        if (childMenu)
            engine.PopupMerged(this, skin, PopupToUp, childMenu->Items(), *firstList, anchor,
                               first->MenuIndex());
        else
            engine.Popup(this, skin, PopupToUp, *firstList, anchor, first->MenuIndex());
    } else if (first->Parent()) {
        engine.Popup(this, skin, PopupToUp, *first->Parent(), anchor, first->MenuIndex());
    }
    switchingMenu_ = false;
    markerOpen_ = true;
    openObject_ = -1;
    if (!engine.MenuOpen()) MenuClosed();
    Invalidate();
}

void TspSkinMainMenuBar::MenuClosed() {
    const int open = openObject_;
    openObject_ = -1;
    markerOpen_ = false;
    captureObject_ = -1;
    SetMouseCapture(false);
    if (open >= 0 && open < ObjectCount()) {
        TspMenuBarObject& o = *objects_[static_cast<size_t>(open)];
        o.Down = false;
        o.Active = o.MouseIn || keyboardMode_;
        DrawObject(o);
    }
    // What the mouse is over now lights up.
    if (!keyboardMode_) {
        const TPoint p = ScreenToClient(Screen().CursorPos());
        activeObject_ = -1;
        for (auto& o : objects_) o->MouseIn = false;
        if (PtInRect(ClientRect(), p)) TestActive(p);
    }
    Invalidate();
}

// ---------------------------------------------------------------- keyboard menu mode

bool TspSkinMainMenuBar::EnterKeyboardMode() {
    for (int i = systemButtons_; i < ObjectCount(); ++i) {
        const TspMenuBarObject& o = *objects_[static_cast<size_t>(i)];
        if (o.Visible && o.Enabled) {
            keyboardMode_ = true;
            SetActiveObject(i);
            return true;
        }
    }
    return false;
}

void TspSkinMainMenuBar::LeaveKeyboardMode() {
    keyboardMode_ = false;
    if (!MenuOpen()) SetActiveObject(-1);
}

bool TspSkinMainMenuBar::KeyboardModeKey(uint16_t key, uint32_t ch) {
    if (!keyboardMode_) return false;
    std::vector<int> usable;
    for (int i = systemButtons_; i < ObjectCount(); ++i) {
        const TspMenuBarObject& o = *objects_[static_cast<size_t>(i)];
        if (o.Visible && o.Enabled) usable.push_back(i);
    }
    if (usable.empty()) return false;
    const auto at = std::find(usable.begin(), usable.end(), activeObject_);
    const size_t pos = at == usable.end() ? 0 : static_cast<size_t>(at - usable.begin());
    const TspMainMenuKeyStep step =
        MainMenuKeyStep(key, ch, usable.size(), pos, MenuOpen(), [&](uint32_t c) {
            const auto found = std::find(usable.begin(), usable.end(), AcceleratorItem(c));
            return found == usable.end() ? -1 : static_cast<int>(found - usable.begin());
        });
    if (step.kind == TspMainMenuKeyStep::Kind::None) return false;
    const int index = usable[step.position];
    SetActiveObject(index);
    if (step.kind == TspMainMenuKeyStep::Kind::Open)
        static_cast<TspSkinMainMenuBarItem&>(*objects_[static_cast<size_t>(index)]).Press();
    return true;
}

int TspSkinMainMenuBar::AcceleratorItem(uint32_t ch) const {
    for (int i = systemButtons_; i < ObjectCount(); ++i) {
        const auto& item =
            static_cast<const TspSkinMainMenuBarItem&>(*objects_[static_cast<size_t>(i)]);
        if (item.Visible && item.Enabled && item.MenuItem && IsAccel(ch, item.MenuItem->Caption()))
            return i;
    }
    return -1;
}

bool TspSkinMainMenuBar::HasAccelerator(uint32_t ch) const { return AcceleratorItem(ch) >= 0; }

// ---------------------------------------------------------------- painting

void TspSkinMainMenuBar::DrawObject(TspMenuBarObject&) {
    // The bar is drawn as one picture; a changed object repaints it.
    Invalidate();
}

void TspSkinMainMenuBar::PaintObjects(TBitmap& bitmap) {
    ArrangeObjects();
    TCanvas& c = bitmap.Canvas();
    for (auto& o : objects_) o->Draw(c);
    if (IsNullRect(markerRect_)) return;
    // The marker: a double chevron pointing right.
    const TspDataSkinMainMenuBar* s = BarSection();
    TColor color = markerHot_ || markerOpen_ ? clHighlight : clBtnText;
    if (s) color = markerHot_ || markerOpen_ ? s->TrackMarkActiveColor : s->TrackMarkColor;
    TCanvasStateGuard guard(c);
    c.Pen.Color = ColorToRGB(color);
    const int cx = markerRect_.Left + markerRect_.Width() / 2 - 3,
              cy = markerRect_.Top + markerRect_.Height() / 2;
    for (int k = 0; k < 2; ++k) {
        const int x = cx + 4 * k;
        for (int d = 0; d <= 3; ++d) {
            c.MoveTo(x + d, cy - 3 + d);
            c.LineTo(x + d, cy - 3 + d + 1);
            c.MoveTo(x + d, cy + 3 - d);
            c.LineTo(x + d, cy + 3 - d + 1);
        }
    }
}

void TspSkinMainMenuBar::PaintDefaultImage(TBitmap& bitmap) {
    bitmap.Canvas().FillSolid(Rect(0, 0, bitmap.Width(), bitmap.Height()), ColorToRGB(clBtnFace));
    PaintObjects(bitmap);
}

void TspSkinMainMenuBar::PaintSkinImage(TBitmap& bitmap) {
    const TspDataSkinMainMenuBar* s = BarSection();
    const TBitmap* picture = s && SkinData() ? SkinData()->ActivePicture(s->PictureIndex) : nullptr;
    if (!picture || IsNullRect(s->SkinRect)) {
        PaintDefaultImage(bitmap);
        return;
    }
    const int w = bitmap.Width(), h = bitmap.Height();
    bitmap.Canvas().FillSolid(Rect(0, 0, w, h), ColorToRGB(clBtnFace));
    // The bar's picture: its parts left and right of the item area stay, the item area is
    // tiled along the width.
    const TRect& r = s->SkinRect;
    const int left = IsNullRect(s->ItemsRect) ? 0 : s->ItemsRect.Left;
    const int right = IsNullRect(s->ItemsRect) ? 0 : RectWidth(r) - s->ItemsRect.Right;
    TBitmap image;
    ComposeHorzImage(std::max(0, left), std::max(0, right), image, w, r, *picture);
    if (!image.Empty())
        BlitRect(bitmap, Rect(0, 0, w, h), image, Rect(0, 0, image.Width(), image.Height()));
    PaintObjects(bitmap);
}
