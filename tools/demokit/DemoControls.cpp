#include "DemoControls.h"

TspSkinPanel* AddSkinPanel(TWinControl* parent, TspSkinData* skin, TAlign align, int size) {
    auto* panel = new TspSkinPanel(parent);
    panel->SetParent(parent);
    panel->SetAlign(align);
    if (align == alTop || align == alBottom) panel->SetHeight(size);
    if (align == alLeft || align == alRight) panel->SetWidth(size);
    panel->SetSkinData(skin);
    return panel;
}

TLabel* AddTextLabel(TWinControl* parent, int left, int top, const std::string& text) {
    auto* label = new TLabel(parent);
    label->SetParent(parent);
    label->SetTransparent(true);
    label->Font().Name = "Liberation Sans";
    label->Font().Height = -13;
    label->FontChanged();
    label->SetAutoSize(true);
    label->SetCaption(text);
    label->SetLeft(left);
    label->SetTop(top);
    return label;
}
