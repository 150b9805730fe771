#include "GalleryForm.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/Exceptions.h"
#include "skin/controls/SkinMDITabsBar.h"
#include "skin/controls/SkinMainMenuBar.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinFile.h"
#include "skin/form/FrameObjectKinds.h"
#include "skin/form/SkinForm.h"
#include "skin/popup/SkinHint.h"
#include "skin/popup/SkinPopupMenu.h"
#include "skin/popup/TrayIcon.h"
#include "skins/CompiledInSkins.h"
#include "ui/Application.h"
#include "ui/MDIClient.h"
#include "ui/Menus.h"

void GalleryEvent(const std::string& text) {
    static const bool on = [] {
        const char* v = std::getenv("PB_GALLERY_EVENTS");
        return v && std::strcmp(v, "1") == 0;
    }();
    if (!on) return;
    std::fprintf(stderr, "pbgallery-event: %s\n", text.c_str());
    std::fflush(stderr);
}

namespace {

TPoint Centre(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }
std::string PointText(TPoint p) { return std::to_string(p.X) + " " + std::to_string(p.Y); }

}  // namespace

TGalleryForm::TGalleryForm(TComponent* owner) : TForm(owner) {
    SetName("GalleryForm");
    SetCaption("Puzzlebin skin gallery");
    SetBounds(60, 40, 900, 640);
    Position = poScreenCenter;
    SetFormStyle(fsMDIForm);

    skin_ = new TspSkinData(this);
    stored_ = new TspCompressedStoredSkin(this);
    frame_ = new TspSkinForm(this);
    frame_->SetBorderIcons(biSystemMenu | biMinimize | biMaximize | biRollUp | biMinimizeToTray);
    frame_->SetSkinData(skin_);
    WireFrameObjects(*frame_);

    BuildMenu();
    bar_ = new TspSkinMainMenuBar(this);
    bar_->SetParent(this);
    bar_->SetSkinData(skin_);
    bar_->SetSkinForm(frame_);
    bar_->SetMainMenu(menu_);
    bar_->OnMainMenuItemClick = [](const std::string& name) { GalleryEvent("menu-click " + name); };
    frame_->SetMainMenuBar(bar_);
    tabs_ = new TspSkinMDITabsBar(this);
    tabs_->SetParent(this);
    tabs_->SetAlign(alTop);
    tabs_->SetTop(bar_->Height());
    tabs_->SetSkinData(skin_);
    frame_->SetMDITabsBar(tabs_);

    auto* hint = new TspSkinHint(this);
    hint->SetSkinData(skin_);
    hint->SetActive(true);
    frame_->SetSkinHint(hint);
    SetShowHint(true);
    bar_->Hint = "The skinned main menu bar";
    tabs_->Hint = "One tab per document window; drag a tab to move it";

    auto* trayMenu = new TspSkinPopupMenu(this);
    trayMenu->SetSkinData(skin_);
    // The default item is what a double click on the icon (Activate on a
    // StatusNotifierItem host) does.
    AddItem(trayMenu->Items(), "&Restore", [this] { frame_->RestoreFromTray(); })->Default = true;
    AddItem(trayMenu->Items(), "E&xit", [this] { Close(); });
    auto* tray = new TspTrayIcon(this);
    tray->SetHint("Puzzlebin skin gallery");
    tray->SetShowHint(true);
    tray->SetPopupMenu(trayMenu);
    tray->SetIconVisible(true);
    frame_->SetTrayIcon(tray);
    frame_->OnMinimizeToTray = [](TComponent*) { GalleryEvent("tray-minimised"); };
    frame_->OnRestoreFromTray = [](TComponent*) { GalleryEvent("tray-restored"); };

    OnShow = [this](TComponent*) { ReportLayout(); };
}

TMenuItem* TGalleryForm::AddItem(TMenuItem& parent, const std::string& caption,
                                 std::function<void()> action) {
    auto* item = new TMenuItem(this);
    item->SetCaption(caption);
    if (action) item->OnClick = [action = std::move(action)](TComponent*) { action(); };
    parent.Add(item);
    return item;
}

void TGalleryForm::BuildMenu() {
    menu_ = new TMainMenu(this);
    TMenuItem& root = menu_->Items();
    TMenuItem* file = AddItem(root, "&File");
    file->SetName("FileMenu");
    // A submenu, so that the keyboard reaches one (Right opens it, Left closes it).
    TMenuItem* newWindow = AddItem(*file, "&New window");
    AddItem(*newWindow, "&Panels",
            [this] { MakePanelsChild(*this, "Panels " + std::to_string(++childCount_)); });
    AddItem(*newWindow, "Pa&ges",
            [this] { MakePagesChild(*this, "Pages " + std::to_string(++childCount_)); });
    AddItem(*newWindow, "&Notes",
            [this] { MakeNotesChild(*this, "Notes " + std::to_string(++childCount_)); });
    AddItem(*file, "-");
    AddItem(*file, "Minimise to &tray", [this] { frame_->MinimizeToTray(); });
    AddItem(*file, "E&xit", [this] { Close(); });
    TMenuItem* view = AddItem(root, "&View");
    view->SetName("ViewMenu");
    for (int v : {0, 25, 50, 75, 100}) {
        AddItem(*view, "Track bar at " + std::to_string(v), [this, v] {
            if (auto* t = dynamic_cast<TspSkinTrackBarObject*>(frame_->FindObject("trackbar1")))
                t->SetValue(v);
        });
    }
    windowMenu_ = AddItem(root, "&Window");
    windowMenu_->SetName("WindowMenu");
    AddItem(*windowMenu_, "&Cascade", [this] {
        frame_->RestoreMDIChildren();
        Cascade();
    });
    AddItem(*windowMenu_, "&Tile", [this] {
        frame_->RestoreMDIChildren();
        Tile();
    });
    AddItem(*windowMenu_, "&Arrange icons", [this] { frame_->ArrangeMDIIcons(); });
    SetWindowMenu(windowMenu_);
    TMenuItem* help = AddItem(root, "&Help");
    help->SetName("HelpMenu");
    AddItem(*help, "&About the gallery", [] { GalleryEvent("about"); });
}

void TGalleryForm::UseCompiledInSkin(const std::string& name) {
    const std::vector<uint8_t>* data = FindCompiledInSkin(name);
    if (!data) throw EInvalidOperation("No compiled-in skin named \"" + name + "\"");
    LoadSkinBlock(*data, name, *stored_, *skin_);
}

void TGalleryForm::UseSkinFile(const std::string& path) { LoadAnySkinFile(path, *stored_, *skin_); }

void TGalleryForm::WireFrameObjects(TspSkinForm& frame) {
    TspSkinForm* f = &frame;
    frame.OnTrackBarChangeValueEvent = [f](const std::string& name, int value) {
        if (name != "trackbar1") return;
        if (auto* g = dynamic_cast<TspSkinGaugeObject*>(f->FindObject("gauge1")))
            g->SetValue(value);
        if (auto* g = dynamic_cast<TspSkinFrameGaugeObject*>(f->FindObject("framegauge1")))
            g->SetValue(value);
        if (auto* l = dynamic_cast<TspSkinLabelObject*>(f->FindObject("label1")))
            l->SetText("Value " + std::to_string(value));
        if (auto* b = dynamic_cast<TspSkinBitLabelObject*>(f->FindObject("bitlabel1")))
            b->SetText(std::to_string(value));
        GalleryEvent("gauge " + std::to_string(value));
    };
    frame.OnSwitchChangeStateEvent = [f](const std::string& name, int state) {
        if (name != "switch1") return;
        if (auto* a = dynamic_cast<TspSkinAnimateObject*>(f->FindObject("animate1"))) {
            if (state != 0)
                a->Start();
            else
                a->Stop();
        }
        GalleryEvent("switch " + std::to_string(state));
    };
    frame.OnFrameRegulatorChangeValueEvent = [f](const std::string& name, int value) {
        if (name != "frameregulator1") return;
        if (auto* l = dynamic_cast<TspSkinLabelObject*>(f->FindObject("label1")))
            l->SetText("Dial " + std::to_string(value));
        GalleryEvent("regulator " + std::to_string(value));
    };
    frame.OnSkinMenuOpen = [](TComponent*) { GalleryEvent("menu-open"); };
    frame.OnSkinMenuClose = [](TComponent*) { GalleryEvent("menu-close"); };
}

void TGalleryForm::MakeChildren() {
    MakeNotesChild(*this, "Notes");
    MakePagesChild(*this, "Pages");
    MakePanelsChild(*this, "Panels");
    childCount_ = 3;
}

void TGalleryForm::ReportLayout() {
    auto at = [this](const TControl& c, TPoint p) {
        const TPoint s = c.ClientToScreen(p);
        return TPoint{s.X - Left(), s.Y - Top()};
    };
    std::string line = "layout menu ";
    line += bar_->ObjectCount() > 0 ? PointText(at(*bar_, Centre(bar_->Objects(0)->ObjectRect)))
                                    : "-1 -1";
    line += " track ";
    if (TspActiveSkinObject* t = frame_->FindObject("trackbar1")) {
        line += std::to_string(t->ObjectRect.Left) + " " + std::to_string(t->ObjectRect.Top) + " " +
                std::to_string(t->ObjectRect.Right) + " " + std::to_string(t->ObjectRect.Bottom);
    } else {
        line += "-1 -1 -1 -1";
    }
    line += " tabs";
    for (int i = 0; i < tabs_->TabCount(); ++i)
        line += " " + PointText(at(*tabs_, Centre(tabs_->Tabs(i)->ObjectRect)));
    // The caption's minimise-to-tray button, last since the tabs vary in number.
    TspActiveSkinObject* trayButton = frame_->FindObject("traybutton");
    line += " traybutton " +
            (trayButton ? PointText(Centre(trayButton->ObjectRect)) : std::string("-1 -1"));
    GalleryEvent(line);
}
