#include "ui/Menus.h"

#include <algorithm>

#include "base/AsciiText.h"
#include "base/Exceptions.h"
#include "base/Messages.h"
#include "ui/Bitmap.h"
#include "ui/ControlsWindowHost.h"  // KeyboardShiftState
#include "ui/ImageList.h"

// ---------------------------------------------------------------------------------------
// Short cuts

namespace {

struct KeyName {
    uint16_t key;
    const char* name;
};

// Named keys other than letters, digits and function keys.
constexpr KeyName kKeyNames[] = {
    {VK_BACK, "BkSp"},   {VK_TAB, "Tab"},    {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"},
    {VK_SPACE, "Space"}, {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},    {VK_END, "End"},
    {VK_HOME, "Home"},   {VK_LEFT, "Left"},  {VK_UP, "Up"},        {VK_RIGHT, "Right"},
    {VK_DOWN, "Down"},   {VK_INSERT, "Ins"}, {VK_DELETE, "Del"},
};

constexpr uint16_t kFirstFunctionKey = VK_F1;
constexpr int kFunctionKeyCount = 24;

std::string KeyToText(uint16_t key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        return std::string(1, static_cast<char>(key));
    if (key >= kFirstFunctionKey && key < kFirstFunctionKey + kFunctionKeyCount)
        return "F" + std::to_string(key - kFirstFunctionKey + 1);
    for (const auto& k : kKeyNames)
        if (k.key == key) return k.name;
    return {};
}

// 0 for an unknown name.
uint16_t TextToKey(const std::string& text) {
    if (text.size() == 1) {
        const char c = UpperAscii(text[0]);
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return static_cast<uint16_t>(c);
        return 0;
    }
    if (text.size() >= 2 && text.size() <= 3 && (text[0] == 'F' || text[0] == 'f')) {
        int n = 0;
        for (size_t i = 1; i < text.size(); ++i) {
            if (text[i] < '0' || text[i] > '9') return 0;
            n = n * 10 + (text[i] - '0');
        }
        if (text[1] == '0' || n < 1 || n > kFunctionKeyCount) return 0;
        return static_cast<uint16_t>(kFirstFunctionKey + n - 1);
    }
    for (const auto& k : kKeyNames)
        if (SameTextAscii(text, k.name)) return k.key;
    return 0;
}

}  // namespace

TShortCut ShortCut(uint16_t key, TShiftState shift) {
    if (key == 0 || key > 0xFF) return scNone;
    uint32_t sc = key;
    if (shift & ssShift) sc |= scShift;
    if (shift & ssCtrl) sc |= scCtrl;
    if (shift & ssAlt) sc |= scAlt;
    return static_cast<TShortCut>(sc);
}

std::string ShortCutToText(TShortCut shortCut) {
    std::string key = KeyToText(shortCut & 0xFF);
    if (key.empty()) return {};
    std::string text;
    if (shortCut & scCtrl) text += "Ctrl+";
    if (shortCut & scShift) text += "Shift+";
    if (shortCut & scAlt) text += "Alt+";
    return text + key;
}

TShortCut TextToShortCut(const std::string& text) {
    std::string rest(TrimBlanks(text));
    uint32_t modifiers = 0;
    // Peel "Name+" prefixes; the last part is the key. "+" itself has no key name, so a
    // trailing '+' means the key is missing.
    for (;;) {
        size_t plus = rest.find('+');
        if (plus == std::string::npos) break;
        const std::string_view part = TrimBlanks(std::string_view(rest).substr(0, plus));
        if (SameTextAscii(part, "Ctrl") || SameTextAscii(part, "Control"))
            modifiers |= scCtrl;
        else if (SameTextAscii(part, "Shift"))
            modifiers |= scShift;
        else if (SameTextAscii(part, "Alt"))
            modifiers |= scAlt;
        else
            return scNone;
        rest = std::string(TrimBlanks(std::string_view(rest).substr(plus + 1)));
    }
    uint16_t key = TextToKey(rest);
    if (key == 0) return scNone;
    return static_cast<TShortCut>(key | modifiers);
}

// ---------------------------------------------------------------------------------------
// TMenuItem

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
    Clear();
    if (parent_) parent_->Remove(this);
}

TBitmap& TMenuItem::Bitmap() {
    if (!bitmap_) bitmap_ = std::make_unique<TBitmap>();
    return *bitmap_;
}

bool TMenuItem::HasBitmap() const { return bitmap_ && !bitmap_->Empty(); }

void TMenuItem::SetChecked(bool checked) {
    checked_ = checked;
    if (checked_) UncheckGroupSiblings();
}

void TMenuItem::SetRadioItem(bool radio) {
    radioItem_ = radio;
    if (checked_) UncheckGroupSiblings();
}

void TMenuItem::SetGroupIndex(uint8_t group) {
    groupIndex_ = group;
    if (checked_) UncheckGroupSiblings();
}

void TMenuItem::UncheckGroupSiblings() {
    if (!radioItem_ || !parent_) return;
    for (TMenuItem* sibling : parent_->items_)
        if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_)
            sibling->checked_ = false;
}

TMenuItem* TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EListError("Menu index out of bounds (" + std::to_string(index) + ")");
    return items_[static_cast<size_t>(index)];
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item) throw EMenuError("Cannot insert a missing menu item");
    for (const TMenuItem* p = this; p; p = p->parent_)
        if (p == item) throw EMenuError("A menu item cannot be inserted into itself");
    if (item->parent_) item->parent_->Remove(item);
    if (index < 0 || index > Count())
        throw EListError("Menu index out of bounds (" + std::to_string(index) + ")");
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    // A checked radio item joining a group wins over the group's current check.
    if (item->checked_) item->UncheckGroupSiblings();
}

void TMenuItem::Delete(int index) {
    TMenuItem* item = Items(index);
    Remove(item);
    delete item;
}

void TMenuItem::Remove(TMenuItem* item) {
    auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end()) return;
    items_.erase(it);
    item->parent_ = nullptr;
}

void TMenuItem::Clear() {
    while (!items_.empty()) Delete(Count() - 1);
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

TMenuItem* TMenuItem::Find(const std::string& caption) const {
    std::string wanted = StripHotkey(caption);
    for (TMenuItem* item : items_)
        if (SameTextAscii(StripHotkey(item->caption_), wanted)) return item;
    return nullptr;
}

int TMenuItem::MenuIndex() const { return parent_ ? parent_->IndexOf(this) : -1; }

void TMenuItem::SetMenuIndex(int index) {
    if (!parent_) return;
    TMenuItem* parent = parent_;
    index = std::clamp(index, 0, parent->Count() - 1);
    parent->Remove(this);
    parent->Insert(index, this);
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* root = this;
    while (root->parent_) root = root->parent_;
    return root->menu_;
}

void TMenuItem::InitiateAction() {
    if (OnUpdate) OnUpdate(this);
}

void TMenuItem::Click() {
    InitiateAction();
    RunCommand();
}

bool TMenuItem::RunCommand() {
    if (!enabled_) return false;
    if (AutoCheck && !(radioItem_ && checked_)) SetChecked(!checked_);
    if (OnClick) OnClick(this);
    return true;
}

void TMenuItem::SetParentComponent(TComponent* parent) {
    if (auto* menu = dynamic_cast<TMenu*>(parent))
        menu->Items().Add(this);
    else if (auto* item = dynamic_cast<TMenuItem*>(parent))
        item->Add(this);
    else if (parent)
        throw EMenuError(std::string("A menu item cannot be placed in a ") + parent->ClassName());
}

TComponent* TMenuItem::GetParentComponent() const {
    if (!parent_) return nullptr;
    if (parent_->menu_) return parent_->menu_;
    return parent_;
}

// ---------------------------------------------------------------------------------------
// TMenu

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(std::make_unique<TMenuItem>(nullptr)) {
    items_->menu_ = this;
}

TMenu::~TMenu() {
    // Items owned by other components (the form) may outlive the menu; they must not keep
    // pointing at the root item that goes away here.
    items_->Clear();
    if (images_) images_->RemoveFreeNotification(this);
}

void TMenu::SetImages(TCustomImageList* images) {
    if (images_ == images) return;
    if (images_) images_->RemoveFreeNotification(this);
    images_ = images;
    if (images_) images_->FreeNotification(this);
}

void TMenu::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == images_) images_ = nullptr;
}

namespace {

TMenuItem* FindByShortCut(const TMenuItem& parent, TShortCut sc) {
    for (int i = 0; i < parent.Count(); ++i) {
        TMenuItem* item = parent.Items(i);
        if (item->ShortCut == sc) return item;
        if (TMenuItem* found = FindByShortCut(*item, sc)) return found;
    }
    return nullptr;
}

}  // namespace

// Depth first; a disabled or hidden item hides its whole subtree. Each item's update hook
// runs before its state is looked at.
bool TMenu::ClickShortCut(TMenuItem& parent, TShortCut sc) {
    for (int i = 0; i < parent.Count(); ++i) {
        TMenuItem* item = parent.Items(i);
        if (item->Count() == 0 && item->ShortCut != sc) continue;
        item->InitiateAction();
        if (!item->Enabled() || !item->Visible()) continue;
        if (item->ShortCut == sc) return item->RunCommand();
        if (ClickShortCut(*item, sc)) return true;
    }
    return false;
}

TMenuItem* TMenu::FindItem(TShortCut shortCut) const {
    if (shortCut == scNone) return nullptr;
    return FindByShortCut(*items_, shortCut);
}

bool TMenu::IsShortCut(TShortCut shortCut) {
    if (shortCut == scNone) return false;
    return ClickShortCut(*items_, shortCut);
}

bool TMenu::IsShortCut(const TMessage& keyMessage) {
    if (keyMessage.Msg != WM_KEYDOWN && keyMessage.Msg != WM_SYSKEYDOWN) return false;
    if (keyMessage.WParam == 0 || keyMessage.WParam > 0xFF) return false;
    TShiftState shift = KeyboardShiftState();
    if (keyMessage.Msg == WM_SYSKEYDOWN) shift |= ssAlt;
    return IsShortCut(static_cast<uint16_t>(keyMessage.WParam), shift);
}

// ---------------------------------------------------------------------------------------
// TMainMenu

TMainMenu::TMainMenu(TComponent* owner) : TMenu(owner), form_(dynamic_cast<TCustomForm*>(owner)) {
    if (form_)
        shortCutHandler_ = form_->AddShortCutHandler(
            [this](uint32_t sc) { return sc <= 0xFFFF && IsShortCut(static_cast<TShortCut>(sc)); });
}

TMainMenu::~TMainMenu() {
    // A form being destroyed frees its components after its own members are gone; it no
    // longer dispatches short cuts then.
    if (form_ && !form_->IsDestroying()) form_->RemoveShortCutHandler(shortCutHandler_);
}

// ---------------------------------------------------------------------------------------
// TPopupMenu

namespace {
TPopupMenu::TPopupHook& PopupHookSlot() {
    static TPopupMenu::TPopupHook hook;
    return hook;
}

void InitiateActions(TMenuItem& parent) {
    for (int i = 0; i < parent.Count(); ++i) parent.Items(i)->InitiateAction();
}
}  // namespace

TPopupMenu::TPopupHook TPopupMenu::SetPopupHook(TPopupHook hook) {
    TPopupHook previous = std::move(PopupHookSlot());
    PopupHookSlot() = std::move(hook);
    return previous;
}

void TPopupMenu::Popup(int x, int y) {
    if (OnPopup) OnPopup(this);
    InitiateActions(Items());
    lastPopupX_ = x;
    lastPopupY_ = y;
    ++popupCount_;
    if (PopupHookSlot()) PopupHookSlot()(*this, x, y);
}

void TPopupMenu::SetPopupComponent(TComponent* component) {
    if (popupComponent_ == component) return;
    if (popupComponent_) popupComponent_->RemoveFreeNotification(this);
    popupComponent_ = component;
    if (popupComponent_) popupComponent_->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
    TMenu::Notification(component, operation);
    if (operation == opRemove && component == popupComponent_) popupComponent_ = nullptr;
}
