#include "SkinControlsDemo.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "DemoControls.h"
#include "skin/controls/SkinExPanel.h"
#include "skin/controls/SkinPageControl.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinTabSheet.h"
#include "skin/controls/SkinUpDown.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skins/DefaultSkin.h"
#include "ui/Label.h"

namespace {

bool EventsRequested() {
    const char* value = std::getenv("PB_UIDEMO_EVENTS");
    return value && std::strcmp(value, "1") == 0;
}

void Event(const std::string& text) {
    std::fprintf(stderr, "uidemo-event: %s\n", text.c_str());
    std::fflush(stderr);
}

std::string PointText(TPoint p) { return std::to_string(p.X) + " " + std::to_string(p.Y); }
TPoint Centre(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

}  // namespace

TSkinControlsDemoForm::TSkinControlsDemoForm(TComponent* owner)
    : TForm(owner), events_(EventsRequested()) {
    SetBorderStyle(bsNone);
    frame_ = std::make_unique<DemoFrame>(*this);
    SetCaption("Puzzlebin skinned controls");
    Position = poScreenCenter;
    SetClientWidth(kSkinDemoClientWidth);
    SetClientHeight(kSkinDemoClientHeight);

    skin_ = new TspSkinData(this);
    TspSkinPanel* outer = AddSkinPanel(this, skin_, alClient, 0);

    strip_ = new TspSkinExPanel(this);
    strip_->SetParent(outer);
    strip_->SetAlign(alTop);
    strip_->SetHeight(110);
    strip_->SetCaption("智力导航 — Navigation");
    strip_->SetSkinData(skin_);
    TspSkinPanel* nav = AddSkinPanel(strip_, skin_, alClient, 0);
    AddTextLabel(nav, 12, 10,
                 "An expanding panel: its buttons roll it up to its bar and close it.");

    TspSkinPanel* status = AddSkinPanel(outer, skin_, alBottom, 40);
    AddTextLabel(status, 12, 12, "欢迎推荐智力题 — skinned panels, tabs and scroller");

    pages_ = new TspSkinPageControl(this);
    pages_->SetParent(outer);
    pages_->SetAlign(alClient);
    for (int i = 0; i < kSkinDemoPageCount; ++i) {
        auto* sheet = new TspSkinTabSheet(this);
        sheet->SetPageControl(pages_);
        sheet->SetCaption("Puzzle page " + std::to_string(i + 1));
        TspSkinPanel* skinned = AddSkinPanel(sheet, skin_, alNone, 0);
        skinned->SetBounds(16, 16, 260, 120);
        AddTextLabel(skinned, 16, 16, "A panel drawn from the skin");
        // A section name the skin does not have: the panel's own look, with its caption bar,
        // check box and roll-up arrow.
        TspSkinPanel* box = AddSkinPanel(sheet, skin_, alNone, 0);
        box->SetSkinDataName("no such section");
        box->SetBounds(300, 16, 260, 120);
        box->SetCaption("Options " + std::to_string(i + 1));
        box->SetCaptionMode(true);
        box->SetCheckedMode(true);
        box->SetChecked(true);
        box->SetRollUpMode(true);
        AddTextLabel(box, 16, 40, "A checked panel that rolls up");
        AddTextLabel(
            sheet, 16, 150,
            "This is page " + std::to_string(i + 1) + " of " + std::to_string(kSkinDemoPageCount));
    }
    pages_->SetActivePageIndex(0);
    pages_->SetSkinData(skin_);

    // The compiled-in skin; without a skinned form, the demo applies it to its controls.
    auto* container = new TspCompressedStoredSkin(this);
    container->SetCompressedData(DefaultSkinCompressedData());
    skin_->SetCompressedStoredSkin(container);
    ApplySkinToControls(*this);

    if (!events_) return;
    strip_->OnChangeRollState = [this](TComponent*) {
        Event("rolled " + std::to_string(strip_->RollState() ? 1 : 0) + " " +
              std::to_string(strip_->Height()));
        ReportLayout();
    };
    strip_->OnClose = [this](TComponent*) {
        Event("closed");
        ReportLayout();
    };
    pages_->OnChange = [this](TComponent*) {
        Event("page " + std::to_string(pages_->ActivePageIndex()));
    };
    auto previous = pages_->WindowProc;
    pages_->WindowProc = [this, previous](TMessage& m) {
        const int before = pages_->FirstVisibleTab();
        previous(m);
        if (pages_->FirstVisibleTab() != before)
            Event("first-tab " + std::to_string(pages_->FirstVisibleTab()));
    };
    OnShow = [this](TComponent*) { ReportLayout(); };
}

void TSkinControlsDemoForm::ApplySkinToControls(TWinControl& root) {
    for (int i = 0; i < root.ControlCount(); ++i) {
        TControl* c = root.Controls(i);
        if (auto* skinned = dynamic_cast<ISkinnedControl*>(c)) skinned->ApplySkin();
        if (auto* w = dynamic_cast<TWinControl*>(c)) ApplySkinToControls(*w);
    }
}

void TSkinControlsDemoForm::ReportLayout() {
    // In window coordinates, so a window manager moving the window does not matter.
    auto at = [this](const TControl& c, const TRect& r) {
        const TPoint p = c.ClientToScreen(Centre(r));
        return TPoint{p.X - Left(), p.Y - Top()};
    };
    const TPoint roll = at(*strip_, strip_->ButtonRect(TspSkinExPanel::kRollButton));
    const TPoint close = at(*strip_, strip_->ButtonRect(TspSkinExPanel::kCloseButton));
    const TPoint tab = at(*pages_, pages_->TabRect(1));
    TPoint up{-1, -1};
    if (TspSkinUpDown* scroller = pages_->Scroller())
        up = at(*scroller, scroller->ButtonRect(TspSkinUpDown::kUpButton));
    Event("layout roll " + PointText(roll) + " close " + PointText(close) + " tab1 " +
          PointText(tab) + " scroller-up " + PointText(up));
}
