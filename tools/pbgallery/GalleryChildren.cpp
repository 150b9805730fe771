// The gallery's document windows: skinned MDI children framed by the same skin, each
// showing a group of skinned controls.
#include <string>

#include "DemoControls.h"
#include "GalleryForm.h"
#include "skin/controls/SkinExPanel.h"
#include "skin/controls/SkinPageControl.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinTabSheet.h"
#include "skin/controls/SkinUpDown.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinForm.h"
#include "skin/popup/SkinPopupMenu.h"
#include "ui/Bitmap.h"
#include "ui/Canvas.h"
#include "ui/Label.h"
#include "ui/Menus.h"

namespace {

TForm* MakeChild(TGalleryForm& parent, const std::string& caption, int w, int h) {
    auto* child = new TForm(&parent);
    child->SetCaption(caption);
    child->SetFormStyle(fsMDIChild);
    child->Position = poDefault;
    child->SetBounds(0, 0, w, h);
    auto* frame = new TspSkinForm(child);
    frame->SetBorderIcons(biSystemMenu | biMinimize | biMaximize | biRollUp);
    frame->SetSkinData(parent.Skin());
    parent.WireFrameObjects(*frame);
    child->OnActivate = [caption](TComponent*) { GalleryEvent("active " + caption); };
    return child;
}

// A small two-state glyph (normal and disabled side by side) for the panel's caption.
TBitmap MakeGlyph() {
    TBitmap b(32, 16);
    TCanvas& c = b.Canvas();
    c.FillSolid(Rect(0, 0, 32, 16), 0xFF00FF);
    c.FillSolid(Rect(3, 3, 13, 13), 0x2080E0);
    c.FillSolid(Rect(19, 3, 29, 13), 0x808080);
    return b;
}

void ApplySkin(TWinControl& root) {
    for (int i = 0; i < root.ControlCount(); ++i) {
        TControl* c = root.Controls(i);
        if (auto* skinned = dynamic_cast<ISkinnedControl*>(c)) skinned->ApplySkin();
        if (auto* w = dynamic_cast<TWinControl*>(c)) ApplySkin(*w);
    }
}

}  // namespace

TForm* MakePanelsChild(TGalleryForm& parent, const std::string& caption) {
    TForm* child = MakeChild(parent, caption, 420, 330);
    TspSkinData* skin = parent.Skin();
    TspSkinPanel* outer = AddSkinPanel(child, skin, alClient, 0);

    auto* strip = new TspSkinExPanel(child);
    strip->SetParent(outer);
    strip->SetAlign(alTop);
    strip->SetHeight(90);
    strip->SetCaption("Expanding panel");
    strip->SetSkinData(skin);
    TspSkinPanel* inside = AddSkinPanel(strip, skin, alClient, 0);
    AddTextLabel(inside, 10, 8, "Its buttons roll it up to its bar and close it.");

    auto* box = AddSkinPanel(outer, skin, alNone, 0);
    box->SetBounds(10, 100, 380, 130);
    box->SetSkinDataName("groupbox");  // the panel section has no caption bar
    box->SetSkinData(skin);
    box->SetCaption("Checked panel with a glyph");
    box->SetCaptionMode(true);
    box->SetCheckedMode(true);
    box->SetChecked(true);
    box->SetRollUpMode(true);
    box->SetGlyph(MakeGlyph());
    box->SetNumGlyphs(2);
    box->Hint = "A skinned panel: check box, glyph and roll-up arrow";
    AddTextLabel(box, 12, 40, "Right-click for a skinned popup menu.");

    auto* popup = new TspSkinPopupMenu(child);
    popup->SetSkinData(skin);
    for (const char* text : {"&First choice", "&Second choice", "-", "&Roll the panel up"}) {
        auto* item = new TMenuItem(child);
        item->SetCaption(text);
        const std::string name = text;
        item->OnClick = [box, name](TComponent*) {
            if (name == "&Roll the panel up") box->SetRollUpState(true);
            GalleryEvent("popup " + name);
        };
        popup->Items().Add(item);
    }
    box->OnMouseUp = [box, popup](TComponent*, TMouseButton button, TShiftState, int x, int y) {
        if (button != mbRight) return;
        const TPoint p = box->ClientToScreen({x, y});
        popup->Popup(p.X, p.Y);
    };
    ApplySkin(*child);
    child->Show();
    return child;
}

TForm* MakePagesChild(TGalleryForm& parent, const std::string& caption) {
    TForm* child = MakeChild(parent, caption, 440, 300);
    TspSkinData* skin = parent.Skin();
    auto* pages = new TspSkinPageControl(child);
    pages->SetParent(child);
    pages->SetAlign(alClient);
    // More tabs than fit: the tab scroller shows.
    for (int i = 0; i < 9; ++i) {
        auto* sheet = new TspSkinTabSheet(child);
        sheet->SetPageControl(pages);
        sheet->SetCaption("Sheet " + std::to_string(i + 1));
        AddTextLabel(sheet, 16, 16, "Page " + std::to_string(i + 1) + " of 9");
        auto* updown = new TspSkinUpDown(child);
        updown->SetParent(sheet);
        updown->SetBounds(16, 48, 18, 36);
        updown->SetMin(0);
        updown->SetMax(9);
        updown->SetPosition(i);
        updown->SetSkinData(skin);
        updown->Hint = "A skinned up-down";
    }
    pages->SetActivePageIndex(0);
    pages->SetSkinData(skin);
    ApplySkin(*child);
    child->Show();
    return child;
}

TForm* MakeNotesChild(TGalleryForm& parent, const std::string& caption) {
    TForm* child = MakeChild(parent, caption, 380, 240);
    TspSkinPanel* panel = AddSkinPanel(child, parent.Skin(), alClient, 0);
    AddTextLabel(panel, 12, 12, "The frame's band carries every object of the skin:");
    AddTextLabel(panel, 12, 32, "drag the track bar to move the gauges and the label,");
    AddTextLabel(panel, 12, 52, "click the switch to start the animation.");
    AddTextLabel(panel, 12, 80, "Window > Tile / Cascade arrange these windows;");
    AddTextLabel(panel, 12, 100, "the tabs above bring them forward.");
    ApplySkin(*child);
    child->Show();
    return child;
}
