// The window menu of a skinned frame, the menu-open state and the keyboard main-menu mode.
// The menu is built for the current border icons and state every time it is asked for (or
// taken from SystemMenu) and opened through the form's popup-menu engine below the
// system-menu button, at the cursor on a right click on the caption, or from the keyboard
// (Alt+Space). While any skinned menu of the form is open an application message hook takes
// the keys and wheel turns that reach the program; the engine's SKINMSG_MENUCLOSED ends the
// state.
//
// Alt on a skinned window: Alt+Space opens the window menu; a lone Alt (SC_KEYMENU) enters
// or leaves the keyboard main-menu mode, in which the main menu (a MainMenuBar, or the
// frame's own main menu) takes the keys. A window without a main menu has no such mode, so
// a lone Alt never holds the program's keys back. Alt with a main-menu item's accelerator
// (the owner form's short cuts) enters the mode with that item's menu open.
#include "skin/form/FormMenus.h"

#include <algorithm>

#include "base/AsciiText.h"
#include "skin/controls/MainMenuKeys.h"
#include "skin/controls/SkinMainMenuBar.h"
#include "skin/form/FrameObjectKinds.h"
#include "skin/form/SkinForm.h"
#include "skin/popup/SkinMenu.h"
#include "skin/popup/SkinMenuItem.h"
#include "skin/popup/SkinPopupMenu.h"
#include "skin/popup/SkinPopupWindow.h"
#include "ui/Application.h"
#include "ui/Menus.h"

namespace {

// Captions of the window menu (the program's own texts).
constexpr const char* kMinimizeCaption = "Mi&nimize";
constexpr const char* kMaximizeCaption = "Ma&ximize";
constexpr const char* kMinimizeToTrayCaption = "Minimize to &Tray";
constexpr const char* kRollUpCaption = "Ro&llUp";

// The names of the items the form makes (a merged SystemMenu loses them on each request).
constexpr const char* kOwnItemNames[] = {"SF_MINITEM",   "SF_MAXITEM", "SF_CLOSE",
                                         "SF_MINTOTRAY", "SF_ROLLUP",  "SF_RESTORE"};

bool IsOwnItem(const TMenuItem& item) {
    return std::any_of(std::begin(kOwnItemNames), std::end(kOwnItemNames),
                       [&item](const char* name) { return item.Name() == name; });
}

}  // namespace

uint16_t CloseShortCut(bool mdiChild) { return ShortCut(VK_F4, mdiChild ? ssCtrl : ssAlt); }

TMenuItem* NewFormMenuItem(const char* name, const char* caption, uint16_t shortCut,
                           std::function<void()> action) {
    auto* item = new TMenuItem(nullptr);
    if (name) item->SetName(name);
    item->SetCaption(caption);
    item->ShortCut = shortCut;
    if (action) item->OnClick = [action = std::move(action)](TComponent*) { action(); };
    return item;
}

TspFormMenus::TspFormMenus(TspSkinForm& form) : form_(form) {
    defaultMenu_ = new TPopupMenu(&form);
    menuEngine_ = new TspSkinMenu(&form);
    menuEngine_->OnMenuKey = [this](uint16_t key, uint32_t ch) { return MainMenuModeKey(key, ch); };
    shortCutHandler_ = form.Form()->AddShortCutHandler(
        [this](uint32_t shortCut) { return OwnerShortCut(shortCut); });
}

TspSkinData* TspFormMenus::PopupMenuSkinData() const {
    return form_.MenusSkinData() ? form_.MenusSkinData() : form_.SkinData();
}

void TspFormMenus::Stop() {
    RemoveMenuHook();
    menuOpen_ = menuMode_ = false;
    // A form being destroyed has no short cuts to ask any more.
    if (shortCutHandler_ && !form_.Form()->IsDestroying())
        form_.Form()->RemoveShortCutHandler(shortCutHandler_);
    shortCutHandler_ = 0;
}

void TspFormMenus::ComponentsDestroyed() {
    defaultMenu_ = nullptr;
    menuEngine_ = nullptr;
}

// ---------------------------------------------------------------- building

void TspFormMenus::BuildDefaultWindowMenu() {
    TMenuItem& items = defaultMenu_->Items();
    items.Clear();
    TspSkinForm& form = form_;
    const TspBorderIcons icons = form.BorderIcons();
    const bool mdiChild = form.Form()->FormStyle() == fsMDIChild;
    if (!form.WindowMinimized() && (icons & biMinimize)) {
        items.Add(NewFormMenuItem("SF_MINITEM", kMinimizeCaption, scNone, [&form] {
            if (form.AlwaysMinimizeToTray)
                form.MinimizeToTray();
            else
                form.SetWindowState(kSkinStateMinimized);
        }));
    }
    if (!form.WindowMaximized() && (icons & biMaximize)) {
        items.Add(NewFormMenuItem("SF_MAXITEM", kMaximizeCaption, scNone,
                                  [&form] { form.SetWindowState(kSkinStateMaximized); }));
    }
    if (form.WindowState() != kSkinStateNormal || form.GetRollUpState()) {
        items.Add(NewFormMenuItem("SF_RESTORE", kRestoreCaption, scNone,
                                  [&form] { form.RestoreWindow(); }));
    }
    if ((!mdiChild || !form.WindowMaximized()) && !form.GetRollUpState() &&
        !form.WindowMinimized() && (icons & biRollUp)) {
        items.Add(NewFormMenuItem("SF_ROLLUP", kRollUpCaption, scNone,
                                  [&form] { form.SetRollUpState(true); }));
    }
    if (icons & biMinimizeToTray) {
        items.Add(NewFormMenuItem("SF_MINTOTRAY", kMinimizeToTrayCaption, scNone,
                                  [&form] { form.MinimizeToTray(); }));
    }
    if (items.Count() > 0) items.Add(NewFormMenuItem(nullptr, "-", scNone, nullptr));
    items.Add(NewFormMenuItem("SF_CLOSE", kCloseCaption, CloseShortCut(mdiChild),
                              [&form] { form.Form()->Close(); }));
}

void TspFormMenus::MergeDefaultItems(TMenuItem& items) {
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
    for (const char* name :
         {"SF_MINITEM", "SF_RESTORE", "SF_MAXITEM", "SF_ROLLUP", "SF_MINTOTRAY"}) {
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

TMenuItem& TspFormMenus::WindowMenuItems() {
    TMenuItem* items = nullptr;
    if (TPopupMenu* systemMenu = form_.SystemMenu()) {
        if (form_.UseDefaultSysMenu) MergeDefaultItems(systemMenu->Items());
        items = &systemMenu->Items();
    } else {
        BuildDefaultWindowMenu();
        items = &defaultMenu_->Items();
    }
    const auto builders = windowMenuBuilders_;  // a builder may remove itself
    for (const auto& [id, build] : builders) build(*items);
    return *items;
}

int TspFormMenus::AddWindowMenuBuilder(TspWindowMenuBuilder builder) {
    const int id = nextWindowMenuBuilder_++;
    windowMenuBuilders_.emplace_back(id, std::move(builder));
    return id;
}

void TspFormMenus::RemoveWindowMenuBuilder(int id) {
    std::erase_if(windowMenuBuilders_, [id](const auto& entry) { return entry.first == id; });
}

// ---------------------------------------------------------------- opening

void TspFormMenus::OpenMenuItems(TMenuItem& items, const TRect& screenAnchor) {
    NotePopupMenuOpen();
    // The opener is the form: the engine tells it when the menu has closed.
    menuEngine_->Popup(form_.Form(), PopupMenuSkinData(), false, items, screenAnchor, 0);
    // Nothing visible to show: no menu is open.
    if (!menuEngine_->MenuOpen()) SkinMenuClosed();
}

void TspFormMenus::OpenWindowMenu(const TRect& screenAnchor) {
    // An open menu closes before its items are made again.
    if (menuEngine_->MenuOpen()) menuEngine_->CloseAll();
    OpenMenuItems(WindowMenuItems(), screenAnchor);
}

TRect TspFormMenus::ObjectScreenRect(const TspActiveSkinObject& object) const {
    // Window coordinates in non-client mode; in client mode the window has no frame, so
    // client coordinates are window coordinates as well. The window's corner on the screen
    // comes through its client origin: an MDI child's Left and Top are in its parent's MDI
    // client area.
    const TCustomForm& form = *form_.Form();
    const TPoint origin = form.ClientOrigin(), offset = form.ClientOffset();
    return OffsetRect(object.ObjectRect, origin.X - offset.X, origin.Y - offset.Y);
}

void TspFormMenus::OpenWindowMenuFromKeyboard() {
    if (menuMode_) LeaveKeyboardMenuMode();
    for (int i = 0; i < form_.ObjectCount(); ++i) {
        const TspActiveSkinObject& o = *form_.Objects(i);
        if (o.Kind() != TspObjectKind::StdButton || !o.Visible || !o.Enabled ||
            !form_.InRollState(o))
            continue;
        if (static_cast<const TspSkinStdButtonObject&>(o).Command != cmSysMenu) continue;
        OpenWindowMenu(ObjectScreenRect(o));
        return;
    }
    const TPoint origin = form_.Form()->ClientToScreen({0, 0});
    OpenWindowMenu(Rect(origin.X, origin.Y, origin.X, origin.Y));
}

void TspFormMenus::OpenObjectMenu(const TspActiveSkinObject& button, TMenuItem& item) {
    const TRect anchor = ObjectScreenRect(button);
    // The items of a skinned popup menu component are shown by that component.
    if (auto* popup = dynamic_cast<TspSkinPopupMenu*>(item.GetParentMenu());
        popup && &popup->Items() == &item) {
        popup->Popup(anchor.Left, anchor.Bottom);
        return;
    }
    if (menuEngine_->MenuOpen()) {
        // Another main-menu item's menu replaces the open one: the keyboard mode stays.
        keepModeOnClose_ = menuMode_;
        menuEngine_->CloseAll();
    }
    OpenMenuItems(item, anchor);
}

void TspFormMenus::OpenWindowMenuBelow(TspSkinStdButtonObject& button) {
    if (menuEngine_->MenuOpen()) menuEngine_->CloseAll();
    TMenuItem& items = WindowMenuItems();
    // With a menu item a pressed button stays down (and lit) while its menu is open.
    button.MenuItem = &items;
    OpenMenuItems(items, ObjectScreenRect(button));
}

// ---------------------------------------------------------------- menu-open state

void TspFormMenus::NotePopupMenuOpen() {
    // Another menu of this form closes first, so its closing notice cannot end the state
    // of the menu about to open.
    if (menuEngine_->MenuOpen()) menuEngine_->CloseAll();
    menuEngine_->UseSkinFont = form_.UseSkinFontInMenu;
    menuEngine_->SetDefaultItemHeight(form_.DefMenuItemHeight());
    menuEngine_->MenuFont = form_.DefMenuItemFont;
    menuEngine_->AlphaBlend = form_.MenusAlphaBlend;
    menuEngine_->AlphaBlendValue = form_.MenusAlphaBlendValue;
    menuEngine_->AlphaBlendAnimation = form_.MenusAlphaBlendAnimation;
    if (menuOpen_) return;
    menuOpen_ = true;
    InstallMenuHook();
    if (form_.OnSkinMenuOpen) form_.OnSkinMenuOpen(&form_);
}

void TspFormMenus::ReleasePressedObjects() {
    for (int i = 0; i < form_.ObjectCount(); ++i) {
        TspActiveSkinObject& o = *form_.Objects(i);
        if (o.Kind() == TspObjectKind::MainMenuItem) {
            // A main-menu item comes up; in the keyboard mode it stays highlighted.
            auto& item = static_cast<TspSkinMainMenuItem&>(o);
            if (!item.Down) continue;
            item.Down = false;
            item.Active = item.MouseIn || item.KeyboardHighlight;
            form_.DrawSkinObject(item);
            continue;
        }
        if (o.Kind() != TspObjectKind::StdButton) continue;
        auto& button = static_cast<TspSkinStdButtonObject&>(o);
        if (button.Command != cmSysMenu) continue;
        button.MenuItem = nullptr;
        if (form_.GetMouseCaptureObject() == i) {
            form_.objects_->ForgetCapture();
            if (form_.SupportNCArea()) form_.Form()->SetMouseCapture(false);
        }
        if (button.Down) {
            button.Active = button.MouseIn = false;
            button.SetDown(false);
        }
    }
}

void TspFormMenus::SkinMenuClosed() {
    if (form_.IsDestroying() || !menuOpen_) return;
    menuOpen_ = false;
    ReleasePressedObjects();
    const bool keepMode = keepModeOnClose_;
    keepModeOnClose_ = false;
    if (!menuMode_) RemoveMenuHook();
    if (form_.OnSkinMenuClose) form_.OnSkinMenuClose(&form_);
    // An Esc that closed the last level of a main menu's menu leaves the keyboard mode on.
    if (menuMode_ && !keepMode) LeaveKeyboardMenuMode();
}

void TspFormMenus::EndSkinMenus() {
    if (menuOpen_) {
        if (menuEngine_->MenuOpen()) menuEngine_->CloseAll();
        // Also when the engine had nothing open any more.
        SkinMenuClosed();
    }
    if (menuMode_) LeaveKeyboardMenuMode();
}

// ---------------------------------------------------------------- the message hook

void TspFormMenus::InstallMenuHook() {
    if (menuHookInstalled_) return;
    menuHookInstalled_ = true;
    TApplication& app = Application();
    previousOnMessage_ = app.OnMessage;
    app.OnMessage = [this, previous = previousOnMessage_](TControl* target, TMessage& m,
                                                          bool& handled) {
        MenuHookMessage(m, handled);
        if (!handled && previous) previous(target, m, handled);
    };
}

void TspFormMenus::RemoveMenuHook() {
    // With the menus gone a key is nobody's but the program's: no short cut is skipped.
    skipShortCut_ = false;
    if (!menuHookInstalled_) return;
    menuHookInstalled_ = false;
    Application().OnMessage = std::move(previousOnMessage_);
    previousOnMessage_ = nullptr;
}

void TspFormMenus::MenuHookMessage(TMessage& m, bool& handled) {
    if (m.Msg != WM_KEYDOWN && m.Msg != WM_MOUSEWHEEL) return;
    // A menu that went away without telling the form (nothing was shown) ends the state
    // here, so the program's keys are never held back by a menu that is not there.
    if (menuOpen_ && !menuEngine_->MenuOpen()) {
        SkinMenuClosed();
        if (!menuHookInstalled_) return;
    }
    handled = true;
    // The menu took the key; the owner's next short-cut check is skipped.
    if (m.Msg == WM_KEYDOWN) {
        skipShortCut_ = true;
        MenuKey(static_cast<uint16_t>(m.WParam), 0);
    }
    // Taken: no character follows the key.
    m.WParam = 0;
}

void TspFormMenus::MenuKey(uint16_t key, uint32_t ch) {
    // An open menu hears the key through the engine, which asks the keyboard mode first.
    if (menuEngine_->MenuOpen()) {
        menuEngine_->KeyDown(key, ch);
        return;
    }
    MainMenuModeKey(key, ch);
}

// ---------------------------------------------------------------- the keyboard mode

void TspFormMenus::KeyMenuCommand(intptr_t key) {
    if (key == VK_SPACE) {
        OpenWindowMenuFromKeyboard();
        return;
    }
    if (menuMode_) {
        LeaveKeyboardMenuMode();
        return;
    }
    EnterKeyboardMenuMode();
}

bool TspFormMenus::EnterKeyboardMenuMode() {
    if (menuOpen_) EndSkinMenus();
    ISkinMainMenuKeys* keys = form_.MainMenuKeys();
    if (!keys || !keys->EnterKeyboardMode()) return false;
    menuMode_ = true;
    InstallMenuHook();
    if (form_.OnMainMenuEnter) form_.OnMainMenuEnter(&form_);
    return true;
}

void TspFormMenus::LeaveKeyboardMenuMode() {
    if (!menuMode_) return;
    menuMode_ = false;
    if (ISkinMainMenuKeys* keys = form_.MainMenuKeys()) keys->LeaveKeyboardMode();
    if (menuEngine_ && menuEngine_->MenuOpen()) menuEngine_->CloseAll();
    if (!menuOpen_) RemoveMenuHook();
    if (form_.OnMainMenuExit) form_.OnMainMenuExit(&form_);
}

bool TspFormMenus::OpenMenuUsesKey(uint16_t key) const {
    if (!menuEngine_ || !menuEngine_->MenuOpen() || menuEngine_->PopupCount() == 0) return false;
    // Left closes a submenu.
    if (key == VK_LEFT) return menuEngine_->PopupCount() > 1;
    if (key != VK_RIGHT) return false;
    // Right opens the submenu of the deepest menu's selected entry.
    const TspSkinPopupWindow* top = menuEngine_->PopupWindow(menuEngine_->PopupCount() - 1);
    const int active = top ? top->ActiveIndex() : -1;
    return active >= 0 && active < static_cast<int>(top->Items().size()) &&
           top->Items()[static_cast<size_t>(active)]->HasSubItems();
}

bool TspFormMenus::MainMenuModeKey(uint16_t key, uint32_t ch) {
    keepModeOnClose_ = false;
    if (!menuMode_) return false;
    // The open menu's own rules come first; the main menu moves only on what it leaves.
    if (OpenMenuUsesKey(key)) return false;
    if (ISkinMainMenuKeys* keys = form_.MainMenuKeys(); keys && keys->KeyboardModeKey(key, ch))
        return true;
    if (key != VK_ESCAPE) return false;
    if (!menuEngine_->MenuOpen()) {
        LeaveKeyboardMenuMode();
        return true;
    }
    // Esc on the last level closes the menu; the mode stays.
    if (menuEngine_->PopupCount() == 1) keepModeOnClose_ = true;
    return false;
}

bool TspFormMenus::OwnerShortCut(uint32_t shortCut) {
    if (skipShortCut_) {
        skipShortCut_ = false;
        return false;
    }
    ISkinMainMenuKeys* keys = form_.MainMenuKeys();
    const uint32_t key = shortCut & 0xFF;
    const bool altAlone = (shortCut & (scAlt | scCtrl | scShift)) == scAlt;
    if (keys && altAlone && ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))) {
        const auto ch = static_cast<unsigned char>(LowerAscii(static_cast<char>(key)));
        if (keys->HasAccelerator(ch) && (menuMode_ || EnterKeyboardMenuMode()) &&
            keys->KeyboardModeKey(static_cast<uint16_t>(key), ch))
            return true;
    }
    TspSkinMainMenuBar* bar = form_.MainMenuBar();
    TMainMenu* menu = bar ? bar->MainMenu() : form_.MainMenu();
    return menu && shortCut <= 0xFFFF && menu->IsShortCut(static_cast<TShortCut>(shortCut));
}
