#include "DemoForm.h"

#include <string>

#include "PopupDemo.h"
#include "ui/Label.h"
#include "ui/PageControl.h"
#include "ui/Panel.h"

namespace {

TPanel* AddPanel(TWinControl* parent, TAlign align, int size, const std::string& caption,
                 TColor color) {
    auto* panel = new TPanel(parent);
    panel->SetParent(parent);
    panel->SetAlign(align);
    if (align == alTop || align == alBottom) panel->SetHeight(size);
    if (align == alLeft || align == alRight) panel->SetWidth(size);
    panel->SetCaption(caption);
    panel->SetColor(color);
    return panel;
}

TLabel* AddLabel(TWinControl* parent, int left, int top, const std::string& text, int height) {
    auto* label = new TLabel(parent);
    label->SetParent(parent);
    label->Font().Height = height;
    label->FontChanged();
    label->SetAutoSize(true);
    label->SetCaption(text);
    label->SetLeft(left);
    label->SetTop(top);
    return label;
}

}  // namespace

TDemoForm::TDemoForm(TComponent* owner) : TForm(owner) {
    SetBorderStyle(bsNone);
    frame_ = std::make_unique<DemoFrame>(*this);
    SetCaption("Puzzlebin UI demo");
    Position = poScreenCenter;
    SetClientWidth(kDemoClientWidth);
    SetClientHeight(kDemoClientHeight);

    TPanel* header = AddPanel(this, alTop, 48, "", RGB(0xF4, 0xF6, 0xFA));
    AddLabel(header, 12, 10, "你好，世界 — Hello", -22);

    TPanel* status = AddPanel(this, alBottom, 26, "", clBtnFace);
    AddPanel(status, alLeft, 160, "Ready", clBtnFace)->SetBevelOuter(bvLowered);
    AddPanel(status, alClient, 0, "Nested, aligned panels", clBtnFace)->SetBevelOuter(bvLowered);

    TPanel* side = AddPanel(this, alLeft, 150, "", RGB(0xE4, 0xE9, 0xF2));
    side->SetBorderWidth(4);
    AddPanel(side, alTop, 40, "Top", RGB(0xCF, 0xE2, 0xF3));
    AddPanel(side, alBottom, 40, "Bottom", RGB(0xF3, 0xDF, 0xCF));
    TPanel* middle = AddPanel(side, alClient, 0, "", RGB(0xDD, 0xEE, 0xDD));
    AddPanel(middle, alLeft, 40, "L", RGB(0xC8, 0xE6, 0xC9));
    AddPanel(middle, alClient, 0, "Client", RGB(0xE8, 0xF5, 0xE9));

    auto* pages = new TPageControl(this);
    pages->SetParent(this);
    pages->SetAlign(alClient);
    const char* titles[] = {"General", "Panels", "Text", "About"};
    for (const char* title : titles) {
        auto* sheet = new TTabSheet(this);
        sheet->SetPageControl(pages);
        sheet->SetCaption(title);
        AddLabel(sheet, 16, 16, std::string("This is the \"") + title + "\" page.", -13);
    }
    AddLabel(pages->Pages(2), 16, 48, "中文文本：拼图游戏", -16);
    pages->SetActivePageIndex(0);
    AddPopupDemo(*this, *header);
}
