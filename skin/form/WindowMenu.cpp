// The window menu of a skinned frame and the menu-open state. The menu is built for the
// current border icons and state every time it is asked for (or taken from SystemMenu) and
// opened through the form's popup-menu engine below the system-menu button, at the cursor
// on a right click on the caption, or from the keyboard (Alt+Space). While any skinned menu
// of the form is open an application message hook takes the keys and wheel turns that reach
// the program; the engine's SKINMSG_MENUCLOSED ends the state.
#include <algorithm>

#include "skin/data/SkinData.h"
#include "skin/form/MainMenuKeys.h"
#include "skin/form/SkinForm.h"
#include "skin/popup/SkinMenu.h"
#include "skin/popup/SkinPopupMenu.h"
#include "ui/Application.h"
#include "ui/Menus.h"

namespace {

// Captions of the window menu (the program's own texts).
constexpr const char* kMinimizeCaption = "Mi&nimize";
constexpr const char* kMaximizeCaption = "Ma&ximize";
constexpr const char* kCloseCaption = "&Close";
constexpr const char* kRestoreCaption = "&Restore";
constexpr const char* kMinimizeToTrayCaption = "Minimize to &Tray";
constexpr const char* kRollUpCaption = "Ro&llUp";

// The names of the items the form makes (a merged SystemMenu loses them on each request).
constexpr const char* kOwnItemNames[] = {"SF_MINITEM", "SF_MAXITEM", "SF_CLOSE", "SF_MINTOTRAY", "SF_ROLLUP",
                                         "SF_RESTORE"};

// "Alt+F4", or "Ctrl+F4" for an MDI child.
uint16_t CloseShortCut(bool mdiChild) { return ShortCut(VK_F4, mdiChild ? ssCtrl : ssAlt); }

bool IsOwnItem(const TMenuItem& item) {
    return std::any_of(std::begin(kOwnItemNames), std::end(kOwnItemNames),
                       [&item](const char* name) { return item.Name() == name; });
}

}  // namespace

TMenuItem* TspSkinForm::NewMenuItem(const char* name, const char* caption, uint16_t shortCut,
                                    std::function<void()> action) {
    auto* item = new TMenuItem(nullptr);
    if (name) item->SetName(name);
    item->SetCaption(caption);
    item->ShortCut = shortCut;
    if (action) item->OnClick = [action = std::move(action)](TComponent*) { action(); };
    return item;
}

void TspSkinForm::CreateMenus() {
    defaultMenu_ = new TPopupMenu(this);
    menuEngine_ = new TspSkinMenu(this);
    menuEngine_->OnMenuKey = [this](uint16_t key, uint32_t ch) { return MainMenuModeKey(key, ch); };
    trayPopupMenu_ = new TspSkinPopupMenu(this);
    const bool mdiChild = FForm->FormStyle() == fsMDIChild;
    TMenuItem& tray = trayPopupMenu_->Items();
    tray.Add(NewMenuItem("TRAY_SF_RESTORE", kRestoreCaption, scNone, [this] { RestoreFromTray(); }));
    tray.Add(NewMenuItem(nullptr, "-", scNone, nullptr));
    tray.Add(NewMenuItem("TRAY_SF_CLOSE", kCloseCaption, CloseShortCut(mdiChild),
                         [this] { FForm->Close(); }));
}

TspSkinData* TspSkinForm::PopupMenuSkinData() const { return menusSkinData_ ? menusSkinData_ : skinData_; }

// ---------------------------------------------------------------- building

void TspSkinForm::BuildDefaultWindowMenu() {
    TMenuItem& items = defaultMenu_->Items();
    items.Clear();
    const bool mdiChild = FForm->FormStyle() == fsMDIChild;
    if (!WindowMinimized() && (borderIcons_ & biMinimize)) {
        items.Add(NewMenuItem("SF_MINITEM", kMinimizeCaption, scNone, [this] {
            if (AlwaysMinimizeToTray) MinimizeToTray();
            else SetWindowState(kSkinStateMinimized);
        }));
    }
    if (!WindowMaximized() && (borderIcons_ & biMaximize)) {
        items.Add(NewMenuItem("SF_MAXITEM", kMaximizeCaption, scNone, [this] { SetWindowState(kSkinStateMaximized); }));
    }
    if (WindowState() != kSkinStateNormal || GetRollUpState()) {
        items.Add(NewMenuItem("SF_RESTORE", kRestoreCaption, scNone, [this] { RestoreWindow(); }));
    }
    if ((!mdiChild || !WindowMaximized()) && !GetRollUpState() && !WindowMinimized() &&
        (borderIcons_ & biRollUp)) {
        items.Add(NewMenuItem("SF_ROLLUP", kRollUpCaption, scNone, [this] { SetRollUpState(true); }));
    }
    if (borderIcons_ & biMinimizeToTray) {
        items.Add(NewMenuItem("SF_MINTOTRAY", kMinimizeToTrayCaption, scNone, [this] { MinimizeToTray(); }));
    }
    if (items.Count() > 0) items.Add(NewMenuItem(nullptr, "-", scNone, nullptr));
    items.Add(NewMenuItem("SF_CLOSE", kCloseCaption, CloseShortCut(mdiChild),
                          [this] { FForm->Close(); }));
}

void TspSkinForm::MergeDefaultItems(TMenuItem& items) {
    for (bool removed = true; removed;) {
        removed = false;
        for (int i = 0; i < items.Count(); ++i) {
            if (IsOwnItem(*items.Items(i))) {
                items.Delete(i);
                removed = true;
                break;
            }
        }
    }
    // The default menu's items for this state, moved to the top in their merged order.
    BuildDefaultWindowMenu();
    TMenuItem& made = defaultMenu_->Items();
    int at = 0;
    for (const char* name : {"SF_MINITEM", "SF_RESTORE", "SF_MAXITEM", "SF_ROLLUP", "SF_MINTOTRAY"}) {
        for (int i = 0; i < made.Count(); ++i) {
            TMenuItem* item = made.Items(i);
            if (item->Name() != name) continue;
            items.Insert(at++, item);
            break;
        }
    }
    for (int i = 0; i < made.Count(); ++i) {
        if (made.Items(i)->Name() == "SF_CLOSE") {
            items.Add(made.Items(i));
            break;
        }
    }
    made.Clear();
}

TMenuItem& TspSkinForm::WindowMenuItems() {
    TMenuItem* items = nullptr;
    if (systemMenu_) {
        if (UseDefaultSysMenu) MergeDefaultItems(systemMenu_->Items());
        items = &systemMenu_->Items();
    } else {
        BuildDefaultWindowMenu();
        items = &defaultMenu_->Items();
    }
    const auto builders = windowMenuBuilders_;  // a builder may remove itself
    for (const auto& [id, build] : builders) build(*items);
    return *items;
}

int TspSkinForm::AddWindowMenuBuilder(TspWindowMenuBuilder builder) {
    const int id = nextWindowMenuBuilder_++;
    windowMenuBuilders_.emplace_back(id, std::move(builder));
    return id;
}

void TspSkinForm::RemoveWindowMenuBuilder(int id) {
    std::erase_if(windowMenuBuilders_, [id](const auto& entry) { return entry.first == id; });
}

// ---------------------------------------------------------------- opening

void TspSkinForm::OpenMenuItems(TMenuItem& items, const TRect& screenAnchor) {
    NotePopupMenuOpen();
    // The opener is the form: the engine tells it when the menu has closed.
    menuEngine_->Popup(FForm, PopupMenuSkinData(), false, items, screenAnchor, 0);
    // Nothing visible to show: no menu is open.
    if (!menuEngine_->MenuOpen()) SkinMenuClosed();
}

void TspSkinForm::OpenWindowMenu(const TRect& screenAnchor) {
    // An open menu closes before its items are made again.
    if (menuEngine_->MenuOpen()) menuEngine_->CloseAll();
    OpenMenuItems(WindowMenuItems(), screenAnchor);
}

TRect TspSkinForm::ObjectScreenRect(const TspActiveSkinObject& object) const {
    // Window coordinates in non-client mode; in client mode the window has no frame, so
    // client coordinates are window coordinates as well.
    return OffsetRect(object.ObjectRect, FForm->Left(), FForm->Top());
}

void TspSkinForm::OpenWindowMenuFromKeyboard() {
    if (MenuMode) LeaveKeyboardMenuMode();
    for (int i = 0; i < ObjectCount(); ++i) {
        const TspActiveSkinObject* o = Objects(i);
        if (o->Kind() != TspObjectKind::StdButton || !o->Visible || !o->Enabled || !InRollState(*o)) continue;
        if (static_cast<const TspSkinStdButtonObject&>(*o).Command != cmSysMenu) continue;
        OpenWindowMenu(ObjectScreenRect(*o));
        return;
    }
    const TPoint origin = FForm->ClientToScreen({0, 0});
    OpenWindowMenu(Rect(origin.X, origin.Y, origin.X, origin.Y));
}

// ---------------------------------------------------------------- menu-open state

void TspSkinForm::NotePopupMenuOpen() {
    // Another menu of this form closes first, so its closing notice cannot end the state
    // of the menu about to open.
    if (menuEngine_->MenuOpen()) menuEngine_->CloseAll();
    menuEngine_->UseSkinFont = UseSkinFontInMenu;
    menuEngine_->SetDefaultItemHeight(defMenuItemHeight_);
    menuEngine_->MenuFont = DefMenuItemFont;
    menuEngine_->AlphaBlend = MenusAlphaBlend;
    menuEngine_->AlphaBlendValue = MenusAlphaBlendValue;
    menuEngine_->AlphaBlendAnimation = MenusAlphaBlendAnimation;
    if (MenuOpen) return;
    MenuOpen = true;
    InstallMenuHook();
    if (OnSkinMenuOpen) OnSkinMenuOpen(this);
}

void TspSkinForm::ReleaseSystemMenuButton() {
    for (int i = 0; i < ObjectCount(); ++i) {
        TspActiveSkinObject& o = *Objects(i);
        if (o.Kind() != TspObjectKind::StdButton) continue;
        auto& button = static_cast<TspSkinStdButtonObject&>(o);
        if (button.Command != cmSysMenu) continue;
        button.MenuItem = nullptr;
        if (GetMouseCaptureObject() == i) {
            objects_->ForgetCapture();
            if (supportNCArea_) FForm->SetMouseCapture(false);
        }
        if (button.Down) {
            button.Active = button.MouseIn = false;
            button.SetDown(false);
        }
    }
}

void TspSkinForm::SkinMenuClosed() {
    if (IsDestroying() || !MenuOpen) return;
    MenuOpen = false;
    ReleaseSystemMenuButton();
    const bool keepMode = keepModeOnClose_;
    keepModeOnClose_ = false;
    if (!MenuMode) RemoveMenuHook();
    if (OnSkinMenuClose) OnSkinMenuClose(this);
    // An Esc that closed the last level of a main menu's menu leaves the keyboard mode on.
    if (MenuMode && !keepMode) LeaveKeyboardMenuMode();
}

void TspSkinForm::EndSkinMenus() {
    if (MenuOpen) {
        if (menuEngine_->MenuOpen()) menuEngine_->CloseAll();
        // Also when the engine had nothing open any more.
        SkinMenuClosed();
    }
    if (MenuMode) LeaveKeyboardMenuMode();
}

// ---------------------------------------------------------------- the message hook

void TspSkinForm::InstallMenuHook() {
    if (menuHookInstalled_) return;
    menuHookInstalled_ = true;
    TApplication& app = Application();
    previousOnMessage_ = app.OnMessage;
    app.OnMessage = [this, previous = previousOnMessage_](TControl* target, TMessage& m, bool& handled) {
        MenuHookMessage(m, handled);
        if (!handled && previous) previous(target, m, handled);
    };
}

void TspSkinForm::RemoveMenuHook() {
    if (!menuHookInstalled_) return;
    menuHookInstalled_ = false;
    Application().OnMessage = std::move(previousOnMessage_);
    previousOnMessage_ = nullptr;
}

void TspSkinForm::MenuHookMessage(TMessage& m, bool& handled) {
    if (m.Msg != WM_KEYDOWN && m.Msg != WM_MOUSEWHEEL) return;
    // A menu that went away without telling the form (nothing was shown) ends the state
    // here, so the program's keys are never held back by a menu that is not there.
    if (MenuOpen && !menuEngine_->MenuOpen()) {
        SkinMenuClosed();
        if (!menuHookInstalled_) return;
    }
    handled = true;
    if (m.Msg == WM_KEYDOWN) MenuKey(static_cast<uint16_t>(m.WParam), 0);
    // Taken: no character follows the key.
    m.WParam = 0;
}

void TspSkinForm::MenuKey(uint16_t key, uint32_t ch) {
    // An open menu hears the key through the engine, which asks the keyboard mode first.
    if (menuEngine_->MenuOpen()) {
        menuEngine_->KeyDown(key, ch);
        return;
    }
    MainMenuModeKey(key, ch);
}

void TspSkinForm::OpenObjectMenu(const TspActiveSkinObject& button, TMenuItem& item) {
    const TRect anchor = ObjectScreenRect(button);
    // The items of a skinned popup menu component are shown by that component.
    if (auto* popup = dynamic_cast<TspSkinPopupMenu*>(item.GetParentMenu()); popup && &popup->Items() == &item) {
        popup->Popup(anchor.Left, anchor.Bottom);
        return;
    }
    if (menuEngine_->MenuOpen()) menuEngine_->CloseAll();
    OpenMenuItems(item, anchor);
}

void TspSkinForm::OpenWindowMenuBelow(TspSkinStdButtonObject& button) {
    if (menuEngine_->MenuOpen()) menuEngine_->CloseAll();
    TMenuItem& items = WindowMenuItems();
    // With a menu item a pressed button stays down (and lit) while its menu is open.
    button.MenuItem = &items;
    OpenMenuItems(items, ObjectScreenRect(button));
}
