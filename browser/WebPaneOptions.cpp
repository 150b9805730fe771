#include "browser/WebPaneOptions.h"

#include "browser/WebPaneCore.h"
#include "browser/WebPaneUnit.h"
#include "platform/WebHost.h"

using namespace platform;

const std::vector<std::string>& PopupMenuItemNames() {
    static const std::vector<std::string> names = {
        "rcsBack",        "rcsForward",   "rcsSavePageBkg", "rcsSetAsBkg",   "rcsCopyBkg",
        "rcsSetAsDeskT",  "rcsSelectAll", "rcsPaste",       "rcsCreateSC",   "rcsAddToFav",
        "rcsEncoding",    "rcsRefresh",   "rcsViewSource",  "rcsProperties", "rcsPrint",
        "rcsOpenNWindow", "rcsOpenLink",
    };
    return names;
}

const std::vector<uint32_t>& PopupMenuItemCommands() {
    static const std::vector<uint32_t> commands = {
        IDM_GOBACKWARD,     IDM_GOFORWARD,      IDM_SAVEBACKGROUND, IDM_SETWALLPAPER,
        IDM_COPYBACKGROUND, IDM_SETDESKTOPITEM, IDM_SELECTALL,      IDM_PASTE,
        IDM_CREATESHORTCUT, IDM_ADDFAVORITES,   IDM_LANGUAGE,       IDM_REFRESH,
        IDM_VIEWSOURCE,     IDM_PROPERTIES,     IDM_PRINT,          IDM_OPENINNEWWINDOW,
        IDM_OPENLINK,
    };
    return commands;
}

// ---- Short cuts ----

namespace {
constexpr char kShortCutLetters[] = {'\0', 'A', 'C', 'F', 'N', 'P'};
}

const std::string& TShortCuts::CtrlCharMask() const { return pane_.CtrlCharMask(); }
void TShortCuts::SetCtrlCharMask(const std::string& mask) { pane_.SetCtrlCharMask(mask); }

bool TShortCuts::Disabled(int index) const {
    if (index < 1 || index > 5) return false;
    return pane_.CtrlCharMask().find(kShortCutLetters[index]) != std::string::npos;
}

void TShortCuts::SetDisabled(int index, bool value) {
    if (index < 1 || index > 5) return;
    const char letter = kShortCutLetters[index];
    std::string mask = pane_.CtrlCharMask();
    const size_t at = mask.find(letter);
    if (value && at == std::string::npos) mask += letter;
    if (!value && at != std::string::npos) mask.erase(at, 1);
    pane_.SetCtrlCharMask(mask);
}

// ---- Errors and effects ----

void TDisableErrors::SetfpExceptions(bool value) {
    fpExceptions_ = value;
    WebPaneUnit::SetFloatingPointExceptions(value);
}

void TVisualEffects::SetTextSize(int32_t value) {
    if (value == textSize_) return;
    textSize_ = value;
    if (OnTextSizeChanged) OnTextSizeChanged();
}

// ---- Dialog captions ----

std::string ReplacedDialogCaption(const std::string& caption, const std::string& newCaption) {
    std::string result = caption;
    if (const size_t at = result.find("Microsoft "); at != std::string::npos) result.erase(at, 10);
    if (const size_t at = result.find("Internet Explorer"); at != std::string::npos)
        result.replace(at, 17, newCaption);
    if (result.find(newCaption) == std::string::npos) result = newCaption + ":  " + result;
    return result;
}
