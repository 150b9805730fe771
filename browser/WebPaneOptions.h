// The option groups of TWebPane, each a small object the pane owns and stores with it:
// short cuts (the control-key mask), proxy, dialog boxes, error suppression, visual
// effects and print options.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TCustomWebPane;

// Items of the host's own context menu that a pane removes, and the command each stands for.
enum TIEPopupMenuItem {
    rcsBack,
    rcsForward,
    rcsSavePageBkg,
    rcsSetAsBkg,
    rcsCopyBkg,
    rcsSetAsDeskT,
    rcsSelectAll,
    rcsPaste,
    rcsCreateSC,
    rcsAddToFav,
    rcsEncoding,
    rcsRefresh,
    rcsViewSource,
    rcsProperties,
    rcsPrint,
    rcsOpenNWindow,
    rcsOpenLink,
};
using TIEPopupMenuItems = uint32_t;
[[nodiscard]] const std::vector<std::string>& PopupMenuItemNames();
// The menu command of each member, in member order.
[[nodiscard]] const std::vector<uint32_t>& PopupMenuItemCommands();

// Edits the control-key mask of the pane it is bound to; keeps no state of its own.
class TShortCuts {
public:
    explicit TShortCuts(TCustomWebPane& pane) : pane_(pane) {}
    [[nodiscard]] const std::string& CtrlCharMask() const;
    void SetCtrlCharMask(const std::string& mask);
    // Index 1 "A", 2 "C", 3 "F", 4 "N", 5 "P": true while the letter is in the mask;
    // setting true appends it when absent, false removes its first occurrence.
    [[nodiscard]] bool Disabled(int index) const;
    void SetDisabled(int index, bool value);
    [[nodiscard]] bool DisableCTRL_A() const { return Disabled(1); }
    [[nodiscard]] bool DisableCTRL_C() const { return Disabled(2); }
    [[nodiscard]] bool DisableCTRL_F() const { return Disabled(3); }
    [[nodiscard]] bool DisableCTRL_N() const { return Disabled(4); }
    [[nodiscard]] bool DisableCTRL_P() const { return Disabled(5); }
    void SetDisableCTRL_A(bool v) { SetDisabled(1, v); }
    void SetDisableCTRL_C(bool v) { SetDisabled(2, v); }
    void SetDisableCTRL_F(bool v) { SetDisabled(3, v); }
    void SetDisableCTRL_N(bool v) { SetDisabled(4, v); }
    void SetDisableCTRL_P(bool v) { SetDisabled(5, v); }

private:
    TCustomWebPane& pane_;
};

struct TProxySettings {
    bool AutoLoadProxy = false;
    int32_t Port = 80;
    std::string Address;
    std::string UserName;
    std::string Password;
};

struct TDialogBoxes {
    bool DisableAll = false;
    bool ReplaceCaption = true;
    bool ReplaceIcon = true;
    std::string NewCaption;  // "Web Browser" on first use when empty
};

class TDisableErrors {
public:
    bool EnableDDE = true;  // stored only
    [[nodiscard]] bool fpExceptions() const { return fpExceptions_; }
    // True restores the floating-point control state saved at start-up; false masks
    // every floating-point exception.
    void SetfpExceptions(bool value);
    bool ScriptErrorsSuppressed = true;

private:
    bool fpExceptions_ = true;
};

// Text zoom levels 0 (smallest) .. 4 (largest); 2 is normal.
class TVisualEffects {
public:
    [[nodiscard]] int32_t TextSize() const { return textSize_; }
    void SetTextSize(int32_t value);
    bool DisableSounds = false;
    // Told when TextSize changes (the pane applies it to its document).
    std::function<void()> OnTextSizeChanged;

private:
    int32_t textSize_ = 2;
};

enum TPrintOrientationOption { poPortrait, poLandscape };

// Margins in inches.
struct TMargins {
    double Left = 0;
    double Right = 0;
    double Top = 0;
    double Bottom = 0;
};

struct TPrintOptions {
    bool Enabled = false;
    TMargins Margins;
    std::string Header;
    std::string Footer;
    std::vector<std::string> HTMLHeader{"<HTML></HTML>"};
    TPrintOrientationOption Orientation = poPortrait;
};

// The caption rule of the control's dialog boxes: the first "Microsoft " is removed, the
// first "Internet Explorer" becomes `newCaption`; a result without `newCaption` becomes
// `newCaption` followed by ":  " and the result. Both matches are case-sensitive.
[[nodiscard]] std::string ReplacedDialogCaption(const std::string& caption,
                                                const std::string& newCaption);
