// The process-wide state of the browser panes (one copy for all of them): the
// floating-point control state saved at start, and what the panes changed outside the
// program and must undo at its end: the user-agent tokens registered in the settings
// store, the proxy of the network session, the navigation sound.
//
// The unit starts on first use. Finalize() runs at program end, after the main form is
// gone, in this order: the proxy is reset, the navigation sound switched back on, the
// user-agent registration withdrawn (values other programs wrote into the key stay), the
// floating-point state restored. Should the program not call it, it runs when the process
// exits normally (without the engine, which is gone by then).
#pragma once

#include <string>
#include <vector>

class TSettingsStore;
struct TProxySettings;

namespace WebPaneUnit {

// The settings key whose value names the platform adds to the user agent.
inline constexpr const char* kUserAgentKey =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\User Agent\\Post Platform";
// The navigation sound's key and its two subkeys.
inline constexpr const char* kNavigationSoundKey =
    "AppEvents\\Schemes\\Apps\\Explorer\\Navigating\\";
inline constexpr const char* kCurrentSoundSubkey = ".Current";
inline constexpr const char* kSwitchedOffSoundSubkey = "Old_Current";

// The store that replaces the user's registry ($XDG_CONFIG_HOME/puzzlebin by default).
TSettingsStore& Settings();
// Uses another folder for the store (tests); the unit's other state is kept.
void SetSettingsDirectory(const std::string& directory);

// Writes `name` as an empty value of the user-agent key (failures are ignored) and gives
// the engine every name the key now holds as the user agent's tokens.
void RegisterUserAgent(const std::string& name);
// The names this process registered.
[[nodiscard]] std::vector<std::string> RegisteredUserAgents();

// Sets the network session's proxy to Address:Port, with the user name and password for
// the proxy's authentication request, and remembers that a proxy was set. An address the
// engine cannot use (platform::ProxyServerUri) is refused: one line in the program's log,
// the session's proxy as it was, ProxySet() unchanged, and false.
bool ApplyProxy(const TProxySettings& proxy);
[[nodiscard]] bool ProxySet();

// Renames the sound's ".Current" subkey to "Old_Current" when it exists.
void SwitchNavigationSoundOff();
[[nodiscard]] bool NavigationSoundSwitchedOff();

// True restores the floating-point state saved at start; false masks every exception.
void SetFloatingPointExceptions(bool enabled);

// Whether a pane has installed the dialog-box rules on its owner.
[[nodiscard]] bool DialogHookInstalled();
void SetDialogHookInstalled(bool installed);

// The program's end (see above). The unit can start again afterwards (tests).
void Finalize();

}  // namespace WebPaneUnit
