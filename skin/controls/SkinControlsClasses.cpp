#include "skin/controls/SkinControlsClasses.h"

#include <string>
#include <vector>

#include "skin/controls/SkinExPanel.h"
#include "skin/controls/SkinPageControl.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinTabSheet.h"
#include "skin/controls/SkinUpDown.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinDataClasses.h"
#include "ui/BitmapData.h"
#include "ui/ClassRegistry.h"
#include "ui/PropertyHelpers.h"
#include "ui/UiClasses.h"

namespace {

template <class T>
TComponentFactory Factory() {
    return [](TComponent* owner) -> TComponent* { return new T(owner); };
}

void RegisterSkinControl() {
    const std::string c = "TspSkinControl";
    TClassRegistry::Instance().Register(c, "TCustomControl", nullptr);
    AddReferenceProperty<TspSkinControl, TspSkinData>(c, "SkinData", &TspSkinControl::SetSkinData,
                                                      "TspSkinData");
    AddStringProperty<TspSkinControl>(c, "SkinDataName", &TspSkinControl::SetSkinDataName);
    AddBoolProperty<TspSkinControl>(c, "DrawDefault", &TspSkinControl::SetDrawDefault);
    AddStringProperty<TspSkinControl>(
        c, "AreaName", [](TspSkinControl& t, const std::string& v) { t.AreaName = v; });
    AddBoolProperty<TspSkinControl>(c, "AlphaBlend", &TspSkinControl::SetAlphaBlend);
    AddIntProperty<TspSkinControl>(c, "AlphaBlendValue", [](TspSkinControl& t, int v) {
        if (v < 0 || v > 255) throw EFilerError("AlphaBlendValue must be between 0 and 255");
        t.SetAlphaBlendValue(static_cast<uint8_t>(v));
    });
    AddBoolProperty<TspSkinControl>(c, "UseSkinCursor", &TspSkinControl::SetUseSkinCursor);
    AddEventProperty<TspSkinControl>(c, "OnMouseEnter", &TspSkinControl::OnMouseEnter);
    AddEventProperty<TspSkinControl>(c, "OnMouseLeave", &TspSkinControl::OnMouseLeave);

    const std::string cc = "TspSkinCustomControl";
    TClassRegistry::Instance().Register(cc, c, nullptr);
    AddIntProperty<TspSkinCustomControl>(cc, "DefaultWidth",
                                         &TspSkinCustomControl::SetDefaultWidth);
    AddIntProperty<TspSkinCustomControl>(cc, "DefaultHeight",
                                         &TspSkinCustomControl::SetDefaultHeight);
    AddFontProperties<TspSkinCustomControl>(
        cc, "DefaultFont", [](TspSkinCustomControl& t) -> TFont& { return t.DefaultFont(); },
        [](TspSkinCustomControl& t) { t.DefaultFontEdited(); });
    AddBoolProperty<TspSkinCustomControl>(cc, "UseSkinFont", &TspSkinCustomControl::SetUseSkinFont);
}

void RegisterPanels() {
    auto& reg = TClassRegistry::Instance();
    const std::vector<std::string> alignments = {"taLeftJustify", "taRightJustify", "taCenter"};

    const std::string p = "TspSkinPanel";
    reg.Register(p, "TspSkinCustomControl", Factory<TspSkinPanel>());
    AddEnumPropertyAs<TspSkinPanel, TspSkinBorderStyle>(
        p, "BorderStyle", {"bvFrame", "bvRaised", "bvLowered", "bvNone"},
        &TspSkinPanel::SetBorderStyle);
    AddBoolProperty<TspSkinPanel>(p, "CaptionMode", &TspSkinPanel::SetCaptionMode);
    AddIntProperty<TspSkinPanel>(p, "DefaultCaptionHeight", &TspSkinPanel::SetDefaultCaptionHeight);
    AddEnumProperty<TspSkinPanel>(p, "DefaultAlignment", alignments,
                                  &TspSkinPanel::SetDefaultAlignment);
    AddBoolProperty<TspSkinPanel>(p, "CheckedMode", &TspSkinPanel::SetCheckedMode);
    AddBoolProperty<TspSkinPanel>(p, "Checked", &TspSkinPanel::SetChecked);
    AddBoolProperty<TspSkinPanel>(p, "AutoEnabledControls",
                                  [](TspSkinPanel& t, bool v) { t.AutoEnabledControls = v; });
    AddBoolProperty<TspSkinPanel>(p, "RollUpMode", &TspSkinPanel::SetRollUpMode);
    AddBoolProperty<TspSkinPanel>(p, "RollUpState", &TspSkinPanel::SetRollUpState);
    AddIntProperty<TspSkinPanel>(p, "RealHeight", &TspSkinPanel::SetRealHeight);
    AddBinaryProperty<TspSkinPanel>(p, "Glyph.Data",
                                    [](TspSkinPanel& t, const std::vector<uint8_t>& bytes) {
                                        TBitmap glyph;
                                        ReadBitmapData(bytes, glyph);
                                        t.SetGlyph(glyph);
                                    });
    AddIntProperty<TspSkinPanel>(p, "NumGlyphs", [](TspSkinPanel& t, int v) {
        if (v < 1 || v > 4) throw EFilerError("NumGlyphs must be between 1 and 4");
        t.SetNumGlyphs(v);
    });
    AddIntProperty<TspSkinPanel>(p, "Spacing", &TspSkinPanel::SetSpacing);
    AddEventProperty<TspSkinPanel>(p, "OnChecked", &TspSkinPanel::OnChecked);

    const std::string e = "TspSkinExPanel";
    reg.Register(e, "TspSkinCustomControl", Factory<TspSkinExPanel>());
    AddIntProperty<TspSkinExPanel>(e, "DefaultCaptionHeight",
                                   &TspSkinExPanel::SetDefaultCaptionHeight);
    AddBoolProperty<TspSkinExPanel>(e, "ShowRollButton", &TspSkinExPanel::SetShowRollButton);
    AddBoolProperty<TspSkinExPanel>(e, "ShowCloseButton", &TspSkinExPanel::SetShowCloseButton);
    AddIntProperty<TspSkinExPanel>(e, "RealWidth", &TspSkinExPanel::SetRealWidth);
    AddIntProperty<TspSkinExPanel>(e, "RealHeight", &TspSkinExPanel::SetRealHeight);
    AddBoolProperty<TspSkinExPanel>(e, "RollState", &TspSkinExPanel::SetRollState);
    AddEnumProperty<TspSkinExPanel>(e, "RollKind", {"rkRollHorizontal", "rkRollVertical"},
                                    &TspSkinExPanel::SetRollKind);
    AddEventProperty<TspSkinExPanel>(e, "OnChangeRollState", &TspSkinExPanel::OnChangeRollState);
    AddEventProperty<TspSkinExPanel>(e, "OnClose", &TspSkinExPanel::OnClose);

    const std::string u = "TspSkinUpDown";
    reg.Register(u, "TspSkinCustomControl", Factory<TspSkinUpDown>());
    AddEnumProperty<TspSkinUpDown>(u, "Orientation", {"udHorizontal", "udVertical"},
                                   &TspSkinUpDown::SetOrientation);
    AddIntProperty<TspSkinUpDown>(u, "Min", &TspSkinUpDown::SetMin);
    AddIntProperty<TspSkinUpDown>(u, "Max", &TspSkinUpDown::SetMax);
    AddIntProperty<TspSkinUpDown>(u, "Position", &TspSkinUpDown::SetPosition);
    AddIntProperty<TspSkinUpDown>(u, "Increment", [](TspSkinUpDown& t, int v) { t.Increment = v; });
    AddEventProperty<TspSkinUpDown>(u, "OnChange", &TspSkinUpDown::OnChange);
    AddEventProperty<TspSkinUpDown>(u, "OnUpButtonClick", &TspSkinUpDown::OnUpButtonClick);
    AddEventProperty<TspSkinUpDown>(u, "OnDownButtonClick", &TspSkinUpDown::OnDownButtonClick);
}

void RegisterPageControl() {
    auto& reg = TClassRegistry::Instance();
    const std::string pc = "TspSkinPageControl";
    reg.Register(pc, "TPageControl", Factory<TspSkinPageControl>());
    AddReferenceProperty<TspSkinPageControl, TspSkinData>(
        pc, "SkinData", &TspSkinPageControl::SetSkinData, "TspSkinData");
    AddStringProperty<TspSkinPageControl>(pc, "SkinDataName", &TspSkinPageControl::SetSkinDataName);
    AddBoolProperty<TspSkinPageControl>(pc, "UseSkinFont", &TspSkinPageControl::SetUseSkinFont);
    AddFontProperties<TspSkinPageControl>(
        pc, "DefaultFont", [](TspSkinPageControl& t) -> TFont& { return t.DefaultFont(); },
        [](TspSkinPageControl&) {});
    AddIntProperty<TspSkinPageControl>(pc, "DefaultItemHeight",
                                       &TspSkinPageControl::SetDefaultItemHeight);

    reg.Register("TspSkinCustomTabSheet", "TTabSheet", Factory<TspSkinCustomTabSheet>());
    reg.Register("TspSkinTabSheet", "TspSkinCustomTabSheet", Factory<TspSkinTabSheet>());
}

}  // namespace

void RegisterSkinControlsClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    RegisterUiClasses();
    RegisterSkinDataClasses();
    RegisterSkinControl();
    RegisterPanels();
    RegisterPageControl();
}
