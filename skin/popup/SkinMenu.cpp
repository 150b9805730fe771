#include "skin/popup/SkinMenu.h"

#include <algorithm>

#include "platform/Platform.h"
#include "skin/data/SkinData.h"
#include "skin/popup/SkinPopupWindow.h"
#include "ui/Application.h"
#include "ui/Forms.h"
#include "ui/ImageList.h"
#include "ui/Menus.h"
#include "ui/Timer.h"
#include "ui/WorkArea.h"

namespace {

TCustomForm* FormOf(TComponent* owner) {
    if (auto* form = dynamic_cast<TCustomForm*>(owner)) return form;
    if (owner) return dynamic_cast<TCustomForm*>(owner->Owner());
    return nullptr;
}

}  // namespace

TspSkinMenu::TspSkinMenu(TComponent* owner)
    : TComponent(owner),
      subMenuTimer_(MakeStoppedTimer(kSubMenuDelayMs, [this] { SubMenuTimerTick(); })) {
    MenuFont.Name = "Arial";
    MenuFont.Height = 14;
    MenuFont.Style = 0;
    SetOwnerForm(FormOf(owner));
}

TspSkinMenu::~TspSkinMenu() {
    // Destroying the engine closes every level; controls on their way out hear nothing.
    subMenuTimer_->SetEnabled(false);
    ReleaseGrab();
    while (!popups_.empty()) {
        popups_.back()->Retire();
        popups_.pop_back();
    }
    retired_.clear();
    menuOpen_ = false;
    if (opener_ && openerAlive_.Alive() && !opener_->IsDestroying())
        SendToControl(opener_, SKINMSG_MENUCLOSED);
    if (ownerForm_) ownerForm_->RemoveFreeNotification(this);
}

void TspSkinMenu::SetOwnerForm(TCustomForm* form) {
    if (ownerForm_ == form) return;
    if (ownerForm_) ownerForm_->RemoveFreeNotification(this);
    ownerForm_ = form;
    if (ownerForm_) ownerForm_->FreeNotification(this);
}

void TspSkinMenu::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == ownerForm_) ownerForm_ = nullptr;
    if (watched_.erase(component) != 0) ComponentGone(component);
    if (component == skinData_) {
        skinData_ = nullptr;
        // The popups draw from its pictures: an open menu closes.
        if (menuOpen_ || !popups_.empty()) CloseAll();
    }
}

void TspSkinMenu::WatchComponent(TComponent* component) {
    if (component && watched_.insert(component).second) FreeNotification(component);
}

bool TspSkinMenu::ItemLives(const TMenuItem* item) const {
    return item && watched_.count(item) != 0;
}

bool TspSkinMenu::ShowsItemsOf(const TMenuItem& items) const {
    return (menuOpen_ || !popups_.empty()) && (rootItems_[0] == &items || rootItems_[1] == &items);
}

void TspSkinMenu::ComponentGone(const TComponent* component) {
    for (const TMenuItem*& root : rootItems_) {
        if (root == component) root = nullptr;
    }
    int level = -1;
    for (size_t i = 0; i < popups_.size(); ++i) {
        if (popups_[i]->ForgetComponent(component) && level < 0) level = static_cast<int>(i);
    }
    for (const auto& popup : retired_) popup->ForgetComponent(component);
    if (level < 0) return;
    if (level == 0) {
        CloseAll();
    } else {
        CloseLevels(level);
    }
}

void TspSkinMenu::SetDefaultItemHeight(int height) {
    if (height > 0) defaultItemHeight_ = height;
}

TControl* TspSkinMenu::Opener() const { return openerAlive_.Alive() ? opener_ : nullptr; }
TControl* TspSkinMenu::LastOpener() const {
    return lastOpenerAlive_.Alive() ? lastOpener_ : nullptr;
}

TspSkinPopupWindow* TspSkinMenu::PopupWindow(int level) const {
    if (level < 0 || level >= PopupCount()) return nullptr;
    return popups_[static_cast<size_t>(level)].get();
}

int TspSkinMenu::LevelOf(const TspSkinPopupWindow* popup) const {
    for (size_t i = 0; i < popups_.size(); ++i)
        if (popups_[i].get() == popup) return static_cast<int>(i);
    return -1;
}

TspSkinPopupWindow* TspSkinMenu::PopupAt(TPoint screenPoint) const {
    for (auto it = popups_.rbegin(); it != popups_.rend(); ++it) {
        if ((*it)->ContainsScreenPoint(screenPoint)) return it->get();
    }
    return nullptr;
}

void TspSkinMenu::BeginMenu(TControl* opener, TspSkinData* skinData) {
    firstLevel_ = !menuOpen_;
    opener_ = opener;
    openerAlive_ = opener ? opener->LivenessWatch() : TLivenessWatch();
    if (!popups_.empty()) CloseLevels(0);
    // CloseLevels(0) hands the opener on to the last opener; this menu's opener stays.
    opener_ = opener;
    openerAlive_ = opener ? opener->LivenessWatch() : TLivenessWatch();
    TRect formBounds{};
    if (ownerForm_) formBounds = ownerForm_->BoundsRect();
    workArea_ = GetWorkArea(formBounds, true);
    if (skinData_ != skinData) {
        if (skinData_) skinData_->RemoveFreeNotification(this);
        skinData_ = skinData;
        if (skinData_) skinData_->FreeNotification(this);
    }
}

void TspSkinMenu::Popup(TControl* opener, TspSkinData* skinData, bool up, TMenuItem& items,
                        const TRect& anchor, int startIndex) {
    BeginMenu(opener, skinData);
    if (items.Count() == 0 || startIndex < 0 || startIndex >= items.Count()) return;
    WatchComponent(&items);
    rootItems_[0] = &items;
    rootItems_[1] = nullptr;
    std::vector<TMenuItem*> list;
    for (int i = startIndex; i < items.Count(); ++i) list.push_back(items.Items(i));
    TMenu* menu = items.GetParentMenu();
    menuOpen_ = true;
    if (!AddPopupWindow(anchor, up, false, list, menu ? menu->Images() : nullptr)) {
        menuOpen_ = false;  // nothing visible: no menu
    }
    firstLevel_ = false;
}

void TspSkinMenu::PopupMerged(TControl* opener, TspSkinData* skinData, bool up,
                              TMenuItem& secondItems, TMenuItem& firstItems, const TRect& anchor,
                              int startIndex) {
    BeginMenu(opener, skinData);
    const int firstCount = firstItems.Count();
    if (firstCount == 0 || startIndex < 0 || startIndex >= firstCount + secondItems.Count()) return;
    WatchComponent(&firstItems);
    WatchComponent(&secondItems);
    rootItems_[0] = &firstItems;
    rootItems_[1] = &secondItems;
    std::vector<TMenuItem*> list;
    for (int i = startIndex; i < firstCount; ++i) list.push_back(firstItems.Items(i));
    for (int i = std::max(0, startIndex - firstCount); i < secondItems.Count(); ++i)
        list.push_back(secondItems.Items(i));
    TMenu* menu = firstItems.GetParentMenu();
    menuOpen_ = true;
    if (!AddPopupWindow(anchor, up, false, list, menu ? menu->Images() : nullptr))
        menuOpen_ = false;
    firstLevel_ = false;
}

bool TspSkinMenu::AddPopupWindow(const TRect& anchor, bool up, bool submenu,
                                 const std::vector<TMenuItem*>& items, TCustomImageList* images) {
    const TspDataSkinPopupWindow* def = nullptr;
    if (skinData_ && !skinData_->SkinEmpty &&
        skinData_->ActivePicture(skinData_->PopupWindowDef.WindowPictureIndex))
        def = &skinData_->PopupWindowDef;
    // Watched before the popup runs any item's action update: one may free another.
    for (TMenuItem* item : items) WatchComponent(item);
    WatchComponent(images);
    auto popup = std::make_unique<TspSkinPopupWindow>(*this, skinData_, def);
    TspSkinPopupWindow* raw = popup.get();
    popups_.push_back(std::move(popup));
    TLivenessWatch alive = liveness_.Watch();
    const bool shown = raw->Open(anchor, up, submenu, items, images, firstLevel_);
    if (!alive.Alive()) return false;
    if (!shown) {
        const int level = LevelOf(raw);
        if (level >= 0) {
            popups_[static_cast<size_t>(level)]->Retire();
            retired_.push_back(std::move(popups_[static_cast<size_t>(level)]));
            popups_.erase(popups_.begin() + level);
            FreeRetired();
        }
        return false;
    }
    return true;
}

void TspSkinMenu::PopupShown(TspSkinPopupWindow& popup) {
    if (LevelOf(&popup) != 0 || grab_ || !popup.PlatformWindow() || !platform::HasCurrent()) return;
    grab_ = platform::Current().GrabInput(*popup.PlatformWindow(), *this);
    closeOnRelease_ = false;
}

void TspSkinMenu::ForgetPendingItem(const TspSkinPopupWindow& popup, int itemIndex) {
    if (pendingPopup_ != &popup || pendingItem_ != itemIndex) return;
    StopSubMenuTimer();
    pendingPopup_ = nullptr;
    pendingItem_ = -1;
}

void TspSkinMenu::ReleaseGrab() {
    grab_.reset();
    closeOnRelease_ = false;
}

void TspSkinMenu::StopSubMenuTimer() { subMenuTimer_->SetEnabled(false); }

void TspSkinMenu::SubMenuTimerTick() {
    StopSubMenuTimer();
    TspSkinPopupWindow* popup = pendingPopup_;
    const int index = pendingItem_;
    pendingPopup_ = nullptr;
    pendingItem_ = -1;
    if (popup && LevelOf(popup) >= 0) ItemAction(*popup, index, false, true);
}

void TspSkinMenu::FreeRetired() {
    if (retired_.empty() || !platform::HasCurrent()) return;
    // The popups may be in the middle of their own input handling: freed from the loop.
    TLivenessWatch alive = liveness_.Watch();
    platform::Current().Post([this, alive] {
        if (alive.Alive()) retired_.clear();
    });
}

void TspSkinMenu::SendToControl(TControl* control, uint32_t message) {
    if (!control) return;
    ::SendMessage(control, message, reinterpret_cast<uintptr_t>(skinData_), kSkinMessageLParam);
}

void TspSkinMenu::CloseLevels(int level) {
    level = std::max(level, 0);
    // Hiding the root popup would end the grab from below: it is released first.
    if (level == 0) ReleaseGrab();
    while (static_cast<int>(popups_.size()) > level) {
        std::unique_ptr<TspSkinPopupWindow> popup = std::move(popups_.back());
        popups_.pop_back();
        if (pendingPopup_ == popup.get()) {
            StopSubMenuTimer();
            pendingPopup_ = nullptr;
            pendingItem_ = -1;
        }
        popup->Retire();
        retired_.push_back(std::move(popup));
    }
    FreeRetired();
    // The item that opened the closed level shows it closed.
    if (level > 0 && level <= PopupCount())
        popups_[static_cast<size_t>(level - 1)]->ClearSubMenuMarks();
    if (level != 0) return;
    StopSubMenuTimer();
    ReleaseGrab();
    const bool wasOpen = menuOpen_;
    menuOpen_ = false;
    lastOpener_ = opener_;
    lastOpenerAlive_ = openerAlive_;
    TControl* opener = Opener();
    opener_ = nullptr;
    openerAlive_.Reset();
    rootItems_[0] = rootItems_[1] = nullptr;
    if (wasOpen || opener) SendToControl(opener, SKINMSG_MENUCLOSED);
}

void TspSkinMenu::CloseAll() {
    TLivenessWatch alive = liveness_.Watch();
    CloseLevels(0);
    if (!alive.Alive()) return;
    StopSubMenuTimer();
    pendingPopup_ = nullptr;
    pendingItem_ = -1;
    if (ownerForm_ && !ownerForm_->IsDestroying()) SendToControl(ownerForm_, SKINMSG_MENUCLOSED);
    if (!alive.Alive()) return;
    if (TControl* opener = Opener()) SendToControl(opener, SKINMSG_MENUCLOSED);
}

void TspSkinMenu::ItemAction(TspSkinPopupWindow& popup, int itemIndex, bool keyboard,
                             bool execute) {
    const int level = LevelOf(&popup);
    if (level < 0 || itemIndex < 0 || itemIndex >= static_cast<int>(popup.Items().size())) return;
    TspSkinMenuItem& item = *popup.Items()[static_cast<size_t>(itemIndex)];
    TMenuItem* menuItem = item.MenuItem;
    if (!item.HasSubItems()) {
        StopSubMenuTimer();
        if (!execute) {
            CloseLevels(level + 1);
            return;
        }
        TLivenessWatch alive = liveness_.Watch();
        CloseAll();
        // What heard of the close may have freed the item.
        if (!alive.Alive() || !ItemLives(menuItem)) return;
        menuItem->Click();
        if (!alive.Alive()) return;
        SendToControl(LastOpener(), SKINMSG_MENUCOMMAND);
        return;
    }
    if (!execute) {
        if (keyboard) return;
        CloseLevels(level + 1);
        pendingPopup_ = &popup;
        pendingItem_ = itemIndex;
        subMenuTimer_->SetEnabled(false);
        subMenuTimer_->SetEnabled(true);
        return;
    }
    // The click may fill the submenu.
    TLivenessWatch alive = liveness_.Watch();
    TLivenessWatch popupAlive = popup.LivenessWatch();
    menuItem->Click();
    if (!alive.Alive() || !popupAlive.Alive() || LevelOf(&popup) < 0 || !ItemLives(menuItem))
        return;
    StopSubMenuTimer();
    pendingPopup_ = nullptr;
    pendingItem_ = -1;
    CloseLevels(level + 1);
    popup.SetSubMenuOpen(itemIndex);
    std::vector<TMenuItem*> list;
    for (int i = 0; i < menuItem->Count(); ++i) list.push_back(menuItem->Items(i));
    TMenu* menu = menuItem->GetParentMenu();
    AddPopupWindow(popup.ItemScreenRect(itemIndex), false, true, list,
                   menu ? menu->Images() : nullptr);
}

bool TspSkinMenu::KeyDown(uint16_t key, uint32_t ch) {
    if (popups_.empty()) return false;
    if (OnMenuKey && OnMenuKey(key, ch)) return true;
    if (popups_.empty()) return false;
    TspSkinPopupWindow& top = *popups_.back();
    if (!top.PopupWindowShown()) return false;
    return top.HandleKey(key, ch);
}

bool TspSkinMenu::IsMenuClosingMessage(uint32_t message) {
    switch (message) {
        case WM_MOVE:
        case WM_SIZE:
        case WM_ACTIVATE:
        case WM_KILLFOCUS:
        case WM_CANCELMODE:
        case WM_MOUSEACTIVATE:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_NCMBUTTONDOWN:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_PARENTNOTIFY:
            return true;
        default:
            return false;
    }
}

// ---- the grab: every pointer and key event while the menu is open ----

void TspSkinMenu::OnGrabbedMouse(const platform::MouseEvent& event) {
    try {
        RouteGrabbedMouse(event);
    } catch (const std::exception& e) {
        Application().HandleException(e);
    }
}

void TspSkinMenu::RouteGrabbedMouse(const platform::MouseEvent& event) {
    using platform::MouseEventKind;
    TspSkinPopupWindow* popup = PopupAt(event.screenPos);
    if (event.kind == MouseEventKind::Down || event.kind == MouseEventKind::DoubleClick) {
        // A press outside closes the menu at its release, so neither reaches what lies below.
        if (!popup) closeOnRelease_ = true;
        return;
    }
    if (event.kind != MouseEventKind::Up) return;
    if (closeOnRelease_) {
        if (event.buttonsDown == 0) CloseAll();
        return;
    }
    if (!popup) return;
    const TMouseButton button = event.button == platform::MouseButton::Right    ? mbRight
                                : event.button == platform::MouseButton::Middle ? mbMiddle
                                                                                : mbLeft;
    popup->ButtonUp(button, popup->ScreenToClient(event.screenPos));
}

void TspSkinMenu::OnGrabbedKey(const platform::KeyEvent& event) {
    if (!event.down) return;
    try {
        KeyDown(event.virtualKey, event.unicodeChar);
    } catch (const std::exception& e) {
        Application().HandleException(e);
    }
}

void TspSkinMenu::OnGrabEnded() {
    if (!grab_) return;
    grab_.reset();
    CloseAll();
}
