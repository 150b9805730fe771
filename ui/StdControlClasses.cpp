#include "ui/StdControlClasses.h"

#include "ui/ClassRegistry.h"
#include "ui/ImageList.h"
#include "ui/Label.h"
#include "ui/Menus.h"
#include "ui/PageControl.h"
#include "ui/Panel.h"
#include "ui/PropertyHelpers.h"

namespace {

template <class T>
TComponentFactory Factory() {
    return [](TComponent* owner) -> TComponent* { return new T(owner); };
}

const std::vector<std::string> kAlignments = {"taLeftJustify", "taRightJustify", "taCenter"};

void RegisterMenus() {
    auto& reg = TClassRegistry::Instance();
    reg.Register("TMenuItem", "TComponent", Factory<TMenuItem>());
    AddStringProperty<TMenuItem>("TMenuItem", "Caption", &TMenuItem::SetCaption);
    AddBoolProperty<TMenuItem>("TMenuItem", "Checked", &TMenuItem::SetChecked);
    AddBoolProperty<TMenuItem>("TMenuItem", "RadioItem", &TMenuItem::SetRadioItem);
    AddIntProperty<TMenuItem>("TMenuItem", "GroupIndex", [](TMenuItem& m, int v) {
        if (v < 0 || v > 255) throw EFilerError("GroupIndex must be between 0 and 255");
        m.SetGroupIndex(static_cast<uint8_t>(v));
    });
    AddBoolProperty<TMenuItem>("TMenuItem", "AutoCheck",
                               [](TMenuItem& m, bool v) { m.AutoCheck = v; });
    AddBoolProperty<TMenuItem>("TMenuItem", "Enabled", &TMenuItem::SetEnabled);
    AddBoolProperty<TMenuItem>("TMenuItem", "Visible", &TMenuItem::SetVisible);
    AddBoolProperty<TMenuItem>("TMenuItem", "Default", [](TMenuItem& m, bool v) { m.Default = v; });
    // Stored as the short cut's number.
    AddIntProperty<TMenuItem>("TMenuItem", "ShortCut", [](TMenuItem& m, int v) {
        if (v < 0 || v > 0xFFFF) throw EFilerError("ShortCut out of range");
        m.ShortCut = static_cast<TShortCut>(v);
    });
    AddIntProperty<TMenuItem>("TMenuItem", "ImageIndex",
                              [](TMenuItem& m, int v) { m.ImageIndex = v; });
    AddStringProperty<TMenuItem>("TMenuItem", "Hint",
                                 [](TMenuItem& m, const std::string& v) { m.Hint = v; });
    AddEventProperty<TMenuItem>("TMenuItem", "OnClick", &TMenuItem::OnClick);

    reg.Register("TMenu", "TComponent", nullptr);
    AddReferenceProperty<TMenu, TCustomImageList>("TMenu", "Images", &TMenu::SetImages,
                                                  "TCustomImageList");
    reg.Register("TMainMenu", "TMenu", Factory<TMainMenu>());
    reg.Register("TPopupMenu", "TMenu", Factory<TPopupMenu>());
    AddEnumProperty<TPopupMenu>(
        "TPopupMenu", "Alignment", {"paLeft", "paRight", "paCenter"},
        [](TPopupMenu& m, int v) { m.Alignment = static_cast<TPopupAlignment>(v); });
    AddBoolProperty<TPopupMenu>("TPopupMenu", "AutoPopup",
                                [](TPopupMenu& m, bool v) { m.AutoPopup = v; });
    AddEventProperty<TPopupMenu>("TPopupMenu", "OnPopup", &TPopupMenu::OnPopup);

    reg.Register("TCustomImageList", "TComponent", nullptr);
    AddIntProperty<TCustomImageList>("TCustomImageList", "Width", &TCustomImageList::SetWidth);
    AddIntProperty<TCustomImageList>("TCustomImageList", "Height", &TCustomImageList::SetHeight);
    reg.Register("TImageList", "TCustomImageList", Factory<TImageList>());
}

void RegisterLabelAndPanel() {
    auto& reg = TClassRegistry::Instance();
    reg.Register("TLabel", "TGraphicControl", Factory<TLabel>());
    AddBoolProperty<TLabel>("TLabel", "Transparent", &TLabel::SetTransparent);
    AddEnumProperty<TLabel>("TLabel", "Alignment", kAlignments, &TLabel::SetAlignment);
    AddEnumProperty<TLabel>("TLabel", "Layout", {"tlTop", "tlCenter", "tlBottom"},
                            &TLabel::SetLayout);
    AddBoolProperty<TLabel>("TLabel", "AutoSize", &TLabel::SetAutoSize);
    AddBoolProperty<TLabel>("TLabel", "WordWrap", &TLabel::SetWordWrap);
    AddBoolProperty<TLabel>("TLabel", "ShowAccelChar", &TLabel::SetShowAccelChar);

    reg.Register("TPanel", "TCustomControl", Factory<TPanel>());
    const std::vector<std::string> cuts = {"bvNone", "bvLowered", "bvRaised", "bvSpace"};
    AddEnumProperty<TPanel>("TPanel", "BevelOuter", cuts, &TPanel::SetBevelOuter);
    AddEnumProperty<TPanel>("TPanel", "BevelInner", cuts, &TPanel::SetBevelInner);
    AddIntProperty<TPanel>("TPanel", "BevelWidth", &TPanel::SetBevelWidth);
    AddIntProperty<TPanel>("TPanel", "BorderWidth", &TPanel::SetBorderWidth);
    AddEnumProperty<TPanel>("TPanel", "Alignment", kAlignments, &TPanel::SetAlignment);
}

void RegisterPageControl() {
    auto& reg = TClassRegistry::Instance();
    reg.Register("TPageControl", "TCustomControl", Factory<TPageControl>());
    AddReferenceProperty<TPageControl, TTabSheet>("TPageControl", "ActivePage",
                                                  &TPageControl::SetActivePage, "TTabSheet");
    AddIntProperty<TPageControl>("TPageControl", "TabHeight", &TPageControl::SetTabHeight);
    AddIntProperty<TPageControl>("TPageControl", "TabWidth", &TPageControl::SetTabWidth);
    AddEnumProperty<TPageControl>("TPageControl", "TabPosition",
                                  {"tpTop", "tpBottom", "tpLeft", "tpRight"},
                                  &TPageControl::SetTabPosition);
    AddEnumProperty<TPageControl>("TPageControl", "Style", {"tsTabs", "tsButtons", "tsFlatButtons"},
                                  &TPageControl::SetStyle);
    AddBoolProperty<TPageControl>("TPageControl", "MultiLine", &TPageControl::SetMultiLine);
    AddBoolProperty<TPageControl>("TPageControl", "HotTrack",
                                  [](TPageControl& p, bool v) { p.HotTrack = v; });
    AddReferenceProperty<TPageControl, TCustomImageList>(
        "TPageControl", "Images", &TPageControl::SetImages, "TCustomImageList");
    AddEventProperty<TPageControl>("TPageControl", "OnChange", &TPageControl::OnChange);
    AddEventProperty<TPageControl>("TPageControl", "OnChanging", &TPageControl::OnChanging);

    reg.Register("TTabSheet", "TWinControl", Factory<TTabSheet>());
    AddReferenceProperty<TTabSheet, TPageControl>("TTabSheet", "PageControl",
                                                  &TTabSheet::SetPageControl, "TPageControl");
    AddBoolProperty<TTabSheet>("TTabSheet", "TabVisible", &TTabSheet::SetTabVisible);
    AddIntProperty<TTabSheet>("TTabSheet", "ImageIndex", &TTabSheet::SetImageIndex);
    AddIntProperty<TTabSheet>("TTabSheet", "PageIndex", &TTabSheet::SetPageIndex);
    AddEventProperty<TTabSheet>("TTabSheet", "OnShow", &TTabSheet::OnShow);
    AddEventProperty<TTabSheet>("TTabSheet", "OnHide", &TTabSheet::OnHide);
}

}  // namespace

void RegisterMenuClasses() {
    RegisterComponentClasses();
    RegisterMenus();
}

void RegisterStdControlClasses() {
    RegisterMenuClasses();
    RegisterLabelAndPanel();
    RegisterPageControl();
}
