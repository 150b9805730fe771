#include "skin/form/SkinFormClasses.h"

#include "skin/data/SkinData.h"
#include "skin/data/SkinDataClasses.h"
#include "skin/form/SkinForm.h"
#include "ui/Menus.h"
#include "ui/PropertyHelpers.h"

void RegisterSkinFormClasses() {
    TClassRegistry& registry = TClassRegistry::Instance();
    if (registry.Find("TspSkinForm")) return;
    RegisterSkinDataClasses();
    const std::string c = "TspSkinForm";
    registry.Register(c, "TComponent", [](TComponent* owner) { return new TspSkinForm(owner); });
    using F = TspSkinForm;
    AddReferenceProperty<F, TspSkinData>(c, "SkinData", &F::SetSkinData, "TspSkinData");
    AddReferenceProperty<F, TspSkinData>(c, "MenusSkinData", &F::SetMenusSkinData, "TspSkinData");
    AddReferenceProperty<F, TPopupMenu>(c, "SystemMenu", &F::SetSystemMenu, "TPopupMenu");
    AddReferenceProperty<F, TMainMenu>(c, "MainMenu", &F::SetMainMenu, "TMainMenu");
    AddBoolProperty<F>(c, "SupportNCArea", &F::SetSupportNCArea);
    AddSetProperty<F>(c, "BorderIcons",
                      {"biSystemMenu", "biMinimize", "biMaximize", "biRollUp", "biMinimizeToTray"},
                      &F::SetBorderIcons);
    AddBoolProperty<F>(c, "ShowIcon", &F::SetShowIcon);
    AddBoolProperty<F>(c, "AlphaBlend", &F::SetAlphaBlend);
    AddIntProperty<F>(c, "AlphaBlendValue",
                      [](F& f, int v) { f.SetAlphaBlendValue(static_cast<uint8_t>(v)); });
    AddIntProperty<F>(c, "DefMenuItemHeight", &F::SetDefMenuItemHeight);
    auto flag = [&c](const char* name, bool F::*field) {
        AddBoolProperty<F>(c, name, [field](F& f, bool v) { f.*field = v; });
    };
    flag("Sizeable", &F::Sizeable);
    flag("DraggAble", &F::DraggAble);
    flag("MaximizeOnFullScreen", &F::MaximizeOnFullScreen);
    flag("Magnetic", &F::Magnetic);
    flag("HideCaptionButtons", &F::HideCaptionButtons);
    flag("LogoBitMapTransparent", &F::LogoBitMapTransparent);
    flag("ShowObjectHint", &F::ShowObjectHint);
    flag("UseSkinCursors", &F::UseSkinCursors);
    flag("AlphaBlendAnimation", &F::AlphaBlendAnimation);
    flag("MenusAlphaBlend", &F::MenusAlphaBlend);
    flag("MenusAlphaBlendAnimation", &F::MenusAlphaBlendAnimation);
    flag("UseSkinFontInMenu", &F::UseSkinFontInMenu);
    flag("UseDefaultSysMenu", &F::UseDefaultSysMenu);
    flag("AlwaysShowInTray", &F::AlwaysShowInTray);
    flag("AlwaysMinimizeToTray", &F::AlwaysMinimizeToTray);
    auto number = [&c](const char* name, int F::*field) {
        AddIntProperty<F>(c, name, [field](F& f, int v) { f.*field = v; });
    };
    number("MinWidth", &F::MinWidth);
    number("MinHeight", &F::MinHeight);
    number("ClientWidth", &F::ClientWidth);
    number("ClientHeight", &F::ClientHeight);
    AddIntProperty<F>(c, "MagneticSize",
                      [](F& f, int v) { f.MagneticSize = static_cast<uint8_t>(v); });
    AddIntProperty<F>(c, "MenusAlphaBlendValue",
                      [](F& f, int v) { f.MenusAlphaBlendValue = static_cast<uint8_t>(v); });
    AddFontProperties<F>(
        c, "DefCaptionFont", [](F& f) -> TFont& { return f.DefCaptionFont(); },
        [](F& f) { f.SetDefCaptionFont(TFont(f.DefCaptionFont())); });
    AddFontProperties<F>(
        c, "DefInActiveCaptionFont", [](F& f) -> TFont& { return f.DefInActiveCaptionFont(); },
        [](F& f) { f.SetDefInActiveCaptionFont(TFont(f.DefInActiveCaptionFont())); });
    AddFontProperties<F>(
        c, "DefMenuItemFont", [](F& f) -> TFont& { return f.DefMenuItemFont; }, [](F&) {});
}
