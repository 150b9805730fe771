#include "PopupDemo.h"

#include <string>

#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/popup/SkinHint.h"
#include "skin/popup/SkinMenu.h"
#include "skin/popup/SkinMenuHost.h"
#include "skin/popup/SkinPopupMenu.h"
#include "skin/popup/TrayIcon.h"
#include "skins/DefaultSkin.h"
#include "ui/Canvas.h"
#include "ui/Forms.h"
#include "ui/ImageList.h"

namespace {

// Stands in for the skinned form until the demo has one: owns the menu engine and the
// skin the menus use.
class TDemoMenuHost : public TComponent, public ISkinMenuHost {
public:
    TDemoMenuHost(TComponent* owner, TspSkinData* skin)
        : TComponent(owner), engine_(new TspSkinMenu(this)), skin_(skin) {}
    TspSkinMenu& PopupMenuEngine() override { return *engine_; }
    TspSkinData* PopupMenuSkinData() const override { return skin_; }
    void NotePopupMenuOpen() override {}

private:
    TspSkinMenu* engine_;
    TspSkinData* skin_;
};

TBitmap Glyph(TColor fill, TColor mark) {
    TBitmap b(16, 16);
    TCanvas& c = b.Canvas();
    c.FillSolid(Rect(0, 0, 16, 16), clFuchsia);  // transparent
    c.FillSolid(Rect(2, 2, 14, 14), fill);
    c.FillSolid(Rect(5, 5, 11, 11), mark);
    return b;
}

}  // namespace

void AddPopupDemo(TCustomForm& form, TControl& menuArea) {
    auto* container = new TspCompressedStoredSkin(&form);
    container->SetCompressedData(DefaultSkinCompressedData());
    auto* skin = new TspSkinData(&form);
    skin->SetCompressedStoredSkin(container);
    new TDemoMenuHost(&form, skin);

    auto* images = new TImageList(&form);
    images->SetSize(16, 16);
    images->AddMasked(Glyph(RGB(0x3A, 0x6E, 0xA5), clWhite), clFuchsia);
    images->AddMasked(Glyph(RGB(0x2E, 0x8B, 0x57), RGB(0xF0, 0xE6, 0x8C)), clFuchsia);

    auto* menu = new TspSkinPopupMenu(&form);
    menu->SetImages(images);
    auto ran = [&form](TComponent* sender) {
        const auto* item = static_cast<TMenuItem*>(sender);
        form.SetCaption("Puzzlebin UI demo - " + StripHotkey(item->Caption()));
    };
    auto add = [&form, ran](TMenuItem& parent, const std::string& caption) {
        auto* item = new TMenuItem(&form);
        item->SetCaption(caption);
        if (caption != "-") item->OnClick = ran;
        parent.Add(item);
        return item;
    };
    TMenuItem& root = menu->Items();
    TMenuItem* more = add(root, "&More");
    add(*more, "&First inner");
    add(*more, "&Second inner");
    TMenuItem* deeper = add(*more, "&Deeper");
    add(*deeper, "&Deepest");
    TMenuItem* longList = add(root, "&Long list");
    for (int i = 1; i <= 60; ++i) add(*longList, "Puzzle " + std::to_string(i));
    // Items that open submenus run nothing of their own.
    for (TMenuItem* parent : {more, deeper, longList}) parent->OnClick = nullptr;
    add(root, "-");
    add(root, "&Run me");
    TMenuItem* open = add(root, "&Open...");
    open->ShortCut = TextToShortCut("Ctrl+O");
    open->ImageIndex = 0;
    TMenuItem* save = add(root, "&Save");
    save->ShortCut = TextToShortCut("Ctrl+S");
    save->ImageIndex = 1;
    TMenuItem* check = add(root, "Show &grid");
    check->AutoCheck = true;
    check->SetChecked(true);
    TMenuItem* small = add(root, "S&mall pieces");
    small->SetRadioItem(true);
    small->AutoCheck = true;
    small->SetChecked(true);
    TMenuItem* large = add(root, "L&arge pieces");
    large->SetRadioItem(true);
    large->AutoCheck = true;
    add(root, "&Disabled")->SetEnabled(false);
    add(root, "-");
    TMenuItem* quit = add(root, "E&xit");
    quit->ShortCut = TextToShortCut("Alt+F4");
    quit->OnClick = [&form](TComponent*) { form.Close(); };

    menuArea.OnMouseDown = [menu, &menuArea](TComponent*, TMouseButton button, TShiftState, int x,
                                             int y) {
        if (button != mbRight) return;
        const TPoint at = menuArea.ClientToScreen({x, y});
        menu->Popup(at.X, at.Y);
    };

    auto* hint = new TspSkinHint(&form);
    hint->SetSkinData(skin);
    menuArea.Hint = "Right-click for the skinned menu";
    menuArea.SetShowHint(true);

    auto* tray = new TspTrayIcon(&form);
    tray->SetIcon(Glyph(RGB(0x3A, 0x6E, 0xA5), RGB(0xFF, 0xB3, 0x47)));
    tray->SetHint("Puzzlebin UI demo");
    tray->SetPopupMenu(menu);
}
