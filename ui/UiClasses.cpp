// Registration of the framework's control, form and timer classes for stored descriptions.
#include "ui/UiClasses.h"

#include <map>

#include "base/AsciiText.h"
#include "base/Exceptions.h"
#include "ui/ClassRegistry.h"
#include "ui/Controls.h"
#include "ui/Forms.h"
#include "ui/PropertyHelpers.h"
#include "ui/StdControlClasses.h"
#include "ui/Timer.h"

namespace {

const std::map<std::string, TColor>& ColorNames() {
    static const std::map<std::string, TColor> names = {
        {"clblack", clBlack},
        {"clmaroon", clMaroon},
        {"clgreen", clGreen},
        {"clolive", clOlive},
        {"clnavy", clNavy},
        {"clpurple", clPurple},
        {"clteal", clTeal},
        {"clgray", clGray},
        {"clsilver", clSilver},
        {"clred", clRed},
        {"cllime", clLime},
        {"clyellow", clYellow},
        {"clblue", clBlue},
        {"clfuchsia", clFuchsia},
        {"claqua", clAqua},
        {"clwhite", clWhite},
        {"clnone", clNone},
        {"cldefault", clDefault},
        {"clscrollbar", clScrollBar},
        {"clbackground", clBackground},
        {"clactivecaption", clActiveCaption},
        {"clinactivecaption", clInactiveCaption},
        {"clmenu", clMenu},
        {"clwindow", clWindow},
        {"clwindowframe", clWindowFrame},
        {"clmenutext", clMenuText},
        {"clwindowtext", clWindowText},
        {"clcaptiontext", clCaptionText},
        {"clactiveborder", clActiveBorder},
        {"clinactiveborder", clInactiveBorder},
        {"clappworkspace", clAppWorkSpace},
        {"clhighlight", clHighlight},
        {"clhighlighttext", clHighlightText},
        {"clbtnface", clBtnFace},
        {"clbtnshadow", clBtnShadow},
        {"clgraytext", clGrayText},
        {"clbtntext", clBtnText},
        {"clinactivecaptiontext", clInactiveCaptionText},
        {"clbtnhighlight", clBtnHighlight},
        {"cl3ddkshadow", cl3DDkShadow},
        {"cl3dlight", cl3DLight},
        {"clinfotext", clInfoText},
        {"clinfobk", clInfoBk},
    };
    return names;
}

const std::map<std::string, TCursor>& CursorNames() {
    static const std::map<std::string, TCursor> names = {
        {"crdefault", crDefault},   {"crnone", crNone},           {"crarrow", crArrow},
        {"crcross", crCross},       {"cribeam", crIBeam},         {"crsizenesw", crSizeNESW},
        {"crsizens", crSizeNS},     {"crsizenwse", crSizeNWSE},   {"crsizewe", crSizeWE},
        {"cruparrow", crUpArrow},   {"crhourglass", crHourGlass}, {"crno", crNo},
        {"crappstart", crAppStart}, {"crhelp", crHelp},           {"crhandpoint", crHandPoint},
        {"crsizeall", crSizeAll},
    };
    return names;
}

// An integer or one of the named values.
template <class T>
T NamedValue(const TPropValue& v, const std::map<std::string, T>& names, const char* what) {
    if (v.kind == TPropValue::Integer) return static_cast<T>(v.AsInt32());
    auto it = names.find(LowerAsciiText(v.AsIdent()));
    if (it == names.end()) {
        throw EFilerError("line " + std::to_string(v.line) + ": Invalid " + what + " value " +
                          v.text);
    }
    return it->second;
}

template <class T, class F>
void AddRaw(const std::string& cls, const std::string& name, F apply) {
    TClassRegistry::Instance().AddProperty(
        cls, name, [apply](TComponent& self, const TPropValue& v, TReaderContext&) {
            apply(prop_detail::Cast<T>(self, "property"), v);
        });
}

template <class T>
TComponentFactory Factory() {
    return [](TComponent* owner) -> TComponent* { return new T(owner); };
}

void RegisterControl() {
    const std::string c = "TControl";
    TClassRegistry::Instance().Register(c, "TComponent", nullptr);
    AddIntProperty<TControl>(c, "Left", &TControl::SetLeft);
    AddIntProperty<TControl>(c, "Top", &TControl::SetTop);
    AddIntProperty<TControl>(c, "Width", &TControl::SetWidth);
    AddIntProperty<TControl>(c, "Height", &TControl::SetHeight);
    AddEnumProperty<TControl>(c, "Align",
                              {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"},
                              &TControl::SetAlign);
    AddBoolProperty<TControl>(c, "Visible", &TControl::SetVisible);
    AddBoolProperty<TControl>(c, "Enabled", &TControl::SetEnabled);
    AddStringProperty<TControl>(c, "Caption", &TControl::SetCaption);
    AddStringProperty<TControl>(c, "Hint", [](TControl& t, const std::string& v) { t.Hint = v; });
    AddBoolProperty<TControl>(c, "ShowHint", &TControl::SetShowHint);
    AddBoolProperty<TControl>(c, "ParentShowHint", &TControl::SetParentShowHint);
    AddRaw<TControl>(c, "Color",
                     [](TControl& t, const TPropValue& v) { t.SetColor(PropColorValue(v)); });
    AddBoolProperty<TControl>(c, "ParentColor", &TControl::SetParentColor);
    AddFontProperties<TControl>(
        c, "Font", [](TControl& t) -> TFont& { return t.Font(); },
        [](TControl& t) { t.FontChanged(); });
    AddBoolProperty<TControl>(c, "ParentFont", &TControl::SetParentFont);
    AddRaw<TControl>(c, "Cursor", [](TControl& t, const TPropValue& v) {
        t.Cursor = NamedValue(v, CursorNames(), "cursor");
    });
    AddEventProperty<TControl>(c, "OnClick", &TControl::OnClick);
    AddEventProperty<TControl>(c, "OnDblClick", &TControl::OnDblClick);
    AddEventProperty<TControl>(c, "OnMouseDown", &TControl::OnMouseDown);
    AddEventProperty<TControl>(c, "OnMouseUp", &TControl::OnMouseUp);
    AddEventProperty<TControl>(c, "OnMouseMove", &TControl::OnMouseMove);
    AddEventProperty<TControl>(c, "OnResize", &TControl::OnResize);

    const std::string w = "TWinControl";
    TClassRegistry::Instance().Register(w, c, nullptr);
    AddIntProperty<TWinControl>(w, "TabOrder", &TWinControl::SetTabOrder);
    AddBoolProperty<TWinControl>(w, "TabStop", [](TWinControl& t, bool v) { t.TabStop = v; });
    AddEventProperty<TWinControl>(w, "OnEnter", &TWinControl::OnEnter);
    AddEventProperty<TWinControl>(w, "OnExit", &TWinControl::OnExit);
    AddEventProperty<TWinControl>(w, "OnKeyDown", &TWinControl::OnKeyDown);
    AddEventProperty<TWinControl>(w, "OnKeyUp", &TWinControl::OnKeyUp);
    AddEventProperty<TWinControl>(w, "OnKeyPress", &TWinControl::OnKeyPress);

    TClassRegistry::Instance().Register("TGraphicControl", c, nullptr);
    AddEventProperty<TGraphicControl>("TGraphicControl", "OnPaint", &TGraphicControl::OnPaint);
    TClassRegistry::Instance().Register("TCustomControl", w, nullptr);
    AddEventProperty<TCustomControl>("TCustomControl", "OnPaint", &TCustomControl::OnPaint);
}

void RegisterForms() {
    const std::string f = "TCustomForm";
    TClassRegistry::Instance().Register(f, "TCustomControl", nullptr);
    AddIntProperty<TCustomForm>(f, "ClientWidth", &TCustomForm::SetClientWidth);
    AddIntProperty<TCustomForm>(f, "ClientHeight", &TCustomForm::SetClientHeight);
    AddEnumProperty<TCustomForm>(
        f, "Position",
        {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
         "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"},
        [](TCustomForm& t, int v) { t.Position = static_cast<TPosition>(v); });
    AddEnumProperty<TCustomForm>(
        f, "BorderStyle",
        {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"},
        &TCustomForm::SetBorderStyle);
    AddSetProperty<TCustomForm>(f, "BorderIcons",
                                {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"},
                                &TCustomForm::SetBorderIcons);
    AddEnumProperty<TCustomForm>(f, "WindowState", {"wsNormal", "wsMinimized", "wsMaximized"},
                                 &TCustomForm::SetWindowState);
    AddEnumProperty<TCustomForm>(
        f, "FormStyle", {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"},
        [](TCustomForm& t, int v) { t.SetFormStyle(static_cast<TFormStyle>(v)); });
    AddBoolProperty<TCustomForm>(f, "KeyPreview", [](TCustomForm& t, bool v) { t.KeyPreview = v; });
    AddEventProperty<TCustomForm>(f, "OnCreate", &TCustomForm::OnCreate);
    AddEventProperty<TCustomForm>(f, "OnDestroy", &TCustomForm::OnDestroy);
    AddEventProperty<TCustomForm>(f, "OnClose", &TCustomForm::OnClose);
    AddEventProperty<TCustomForm>(f, "OnCloseQuery", &TCustomForm::OnCloseQuery);
    AddEventProperty<TCustomForm>(f, "OnShow", &TCustomForm::OnShow);
    AddEventProperty<TCustomForm>(f, "OnHide", &TCustomForm::OnHide);
    AddEventProperty<TCustomForm>(f, "OnActivate", &TCustomForm::OnActivate);
    AddEventProperty<TCustomForm>(f, "OnDeactivate", &TCustomForm::OnDeactivate);
    AddEventProperty<TCustomForm>(f, "OnShortCut", &TCustomForm::OnShortCut);
    // Stored by the designer; they do not change anything here.
    for (const char* ignored :
         {"PixelsPerInch", "TextHeight", "OldCreateOrder", "Scaled", "AutoScroll"}) {
        TClassRegistry::Instance().AddProperty(
            f, ignored, [](TComponent&, const TPropValue&, TReaderContext&) {});
    }
    TClassRegistry::Instance().Register("TForm", f, Factory<TForm>());

    TClassRegistry::Instance().Register("TTimer", "TComponent", Factory<TTimer>());
    AddBoolProperty<TTimer>("TTimer", "Enabled", &TTimer::SetEnabled);
    AddIntProperty<TTimer>("TTimer", "Interval", [](TTimer& t, int v) {
        if (v < 0) throw EFilerError("Interval must not be negative");
        t.SetInterval(static_cast<uint32_t>(v));
    });
    AddEventProperty<TTimer>("TTimer", "OnTimer", &TTimer::OnTimer);
}

}  // namespace

TColor PropColorValue(const TPropValue& v) { return NamedValue(v, ColorNames(), "colour"); }

uint8_t PropCharsetValue(const TPropValue& v) {
    static const std::map<std::string, int> charsets = {
        {"ansi_charset", 0},     {"default_charset", DEFAULT_CHARSET}, {"symbol_charset", 2},
        {"gb2312_charset", 134}, {"chinesebig5_charset", 136},         {"oem_charset", 255},
    };
    const int cs = NamedValue(v, charsets, "charset");
    if (cs < 0 || cs > 255)
        throw EFilerError("line " + std::to_string(v.line) + ": Charset out of range");
    return static_cast<uint8_t>(cs);
}

void RegisterUiClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    RegisterComponentClasses();
    RegisterControl();
    RegisterForms();
    RegisterStdControlClasses();
}
