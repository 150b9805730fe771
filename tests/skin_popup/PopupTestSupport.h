// Shared set-up of the skinned menu, hint and tray tests: a headless screen, a form with a
// stand-in for the skinned form (a component that owns a menu engine and offers it to
// skinned popup menus), the compiled-in skin, and menus built from short descriptions.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/headless/HeadlessPlatform.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/popup/SkinMenu.h"
#include "skin/popup/SkinMenuHost.h"
#include "skin/popup/SkinPopupWindow.h"
#include "skins/DefaultSkin.h"
#include "ui/Application.h"
#include "ui/Forms.h"
#include "ui/Menus.h"

// What the skinned form offers skinned popup menus.
class TTestMenuHost : public TComponent, public ISkinMenuHost {
public:
    explicit TTestMenuHost(TComponent* owner) : TComponent(owner), engine(new TspSkinMenu(this)) {}
    TspSkinMenu& PopupMenuEngine() override { return *engine; }
    TspSkinData* PopupMenuSkinData() const override { return skinData; }
    void NotePopupMenuOpen() override { ++opens; }
    TspSkinMenu* engine;
    TspSkinData* skinData = nullptr;
    int opens = 0;
};

// A control that records the skin menu messages and mouse messages it gets.
class TRecordingControl : public TCustomControl {
public:
    explicit TRecordingControl(TComponent* owner) : TCustomControl(owner) {}
    std::vector<uint32_t>* log = nullptr;
    void WndProc(TMessage& m) override {
        if (log && (m.Msg == SKINMSG_MENUCLOSED || m.Msg == SKINMSG_MENUCOMMAND ||
                    (m.Msg >= WM_LBUTTONDOWN && m.Msg <= WM_MBUTTONDBLCLK)))
            log->push_back(m.Msg);
        TCustomControl::WndProc(m);
    }
};

class PopupTest : public ::testing::Test {
protected:
    void SetUp() override {
        screen = &platform::InstallHeadlessPlatform();
        screen->SetScreenSize({1280, 1024});
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(100, 100, 400, 300);
        host = new TTestMenuHost(form.get());
        engine = host->engine;
        menu = new TPopupMenu(form.get());
    }
    void TearDown() override {
        form.reset();
        screen->ProcessPending();
    }

    void LoadSkin() {
        container = new TspCompressedStoredSkin(form.get());
        container->SetCompressedData(DefaultSkinCompressedData());
        skin = new TspSkinData(form.get());
        skin->SetCompressedStoredSkin(container);
        ASSERT_FALSE(skin->SkinEmpty);
    }

    // Adds an item under `parent` ("-" is a divider).
    TMenuItem* Add(TMenuItem& parent, const std::string& caption,
                   std::vector<std::string>* clicks = nullptr) {
        auto* item = new TMenuItem(form.get());
        item->SetCaption(caption);
        if (clicks) item->OnClick = [clicks, caption](TComponent*) { clicks->push_back(caption); };
        parent.Add(item);
        return item;
    }
    TMenuItem& Items() { return menu->Items(); }

    void Open(int x, int y, TControl* opener = nullptr, bool up = false) {
        engine->Popup(opener, skin, up, Items(), Rect(x, y, x, y), 0);
        screen->ProcessPending();
    }
    TspSkinPopupWindow* Level(int i) { return engine->PopupWindow(i); }
    platform::HeadlessWindow* WindowOf(TspSkinPopupWindow* popup) {
        return static_cast<platform::HeadlessWindow*>(popup->PlatformWindow());
    }
    // Centre of item `index` of a popup, in screen coordinates.
    TPoint ItemCentre(TspSkinPopupWindow* popup, int index) {
        const TRect r = popup->ItemScreenRect(index);
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    // Moves the pointer and lets the popups' mouse timers see it.
    void Hover(TPoint p) {
        screen->MoveMouse(p.X, p.Y);
        screen->AdvanceTime(50);
    }

    platform::HeadlessPlatform* screen = nullptr;
    std::unique_ptr<TForm> form;
    TTestMenuHost* host = nullptr;
    TspSkinMenu* engine = nullptr;
    TPopupMenu* menu = nullptr;
    TspCompressedStoredSkin* container = nullptr;
    TspSkinData* skin = nullptr;
};
