#include "browser/WebPaneUnit.h"

#include <fenv.h>

#include <algorithm>
#include <cfenv>
#include <exception>
#include <memory>
#include <optional>

#include "browser/WebPaneOptions.h"
#include "platform/Log.h"
#include "platform/WebEngine.h"
#include "platform/WebHost.h"
#include "ui/SettingsStore.h"

namespace WebPaneUnit {
namespace {

struct UnitState {
    std::fenv_t savedFloatingPoint{};
    std::unique_ptr<TSettingsStore> settings;
    std::vector<std::string> registered;
    bool proxySet = false;
    bool hookInstalled = false;
    bool soundsOff = false;
    bool started = false;
    bool finalized = false;

    void Start() {
        if (started) return;
        started = true;
        finalized = false;
        std::fegetenv(&savedFloatingPoint);
    }

    // Runs the program's end; `withEngine` is false once the engine may be gone.
    void End(bool withEngine);

    ~UnitState() {
        if (started && !finalized) End(false);
    }
};

UnitState& State() {
    static UnitState state;
    state.Start();
    return state;
}

void GiveTokensToEngine(const std::vector<std::string>& tokens) {
    if (platform::HasWebEngine()) platform::CurrentWebEngine().SetUserAgentTokens(tokens);
}

std::vector<std::string> StoredTokens(const std::vector<std::string>& fallback) {
    try {
        return Settings().ValueNames(kUserAgentKey);
    } catch (const std::exception&) {
        return fallback;
    }
}

void UnitState::End(bool withEngine) {
    if (proxySet && withEngine && platform::HasWebEngine())
        platform::CurrentWebEngine().SetProxy(nullptr);
    proxySet = false;
    if (soundsOff) {
        // Missing keys and a store that cannot be written are skipped without a message.
        try {
            const std::string base = kNavigationSoundKey;
            if (Settings().KeyExists(base + kSwitchedOffSoundSubkey))
                Settings().RenameKey(base + kSwitchedOffSoundSubkey, base + kCurrentSoundSubkey);
        } catch (const std::exception&) {
        }
        soundsOff = false;
    }
    for (const std::string& name : registered) {
        try {
            Settings().DeleteValue(kUserAgentKey, name);
        } catch (const std::exception&) {
        }
    }
    if (!registered.empty() && withEngine) GiveTokensToEngine(StoredTokens({}));
    registered.clear();
    std::fesetenv(&savedFloatingPoint);
    hookInstalled = false;
    finalized = true;
    started = false;
}

}  // namespace

TSettingsStore& Settings() {
    UnitState& s = State();
    if (!s.settings) s.settings = std::make_unique<TSettingsStore>();
    return *s.settings;
}

void SetSettingsDirectory(const std::string& directory) {
    State().settings = std::make_unique<TSettingsStore>(directory);
}

void RegisterUserAgent(const std::string& name) {
    UnitState& s = State();
    try {
        // Written once: the panes of a window share their token.
        if (!Settings().ValueExists(kUserAgentKey, name))
            Settings().WriteString(kUserAgentKey, name, "");
        if (std::find(s.registered.begin(), s.registered.end(), name) == s.registered.end())
            s.registered.push_back(name);
    } catch (const std::exception&) {
        // The store could not be written: the token is not registered.
    }
    GiveTokensToEngine(StoredTokens(s.registered));
}

std::vector<std::string> RegisteredUserAgents() { return State().registered; }

bool ApplyProxy(const TProxySettings& proxy) {
    UnitState& s = State();
    platform::WebProxySettings settings;
    // The port stays part of the server also when a user name is given.
    settings.server = proxy.Address + ":" + std::to_string(proxy.Port);
    settings.bypass = "<local>";
    settings.userName = proxy.UserName;
    settings.password = proxy.Password;
    const bool usable = !platform::ProxyServerUri(settings.server).empty();
    if (!usable ||
        (platform::HasWebEngine() && !platform::CurrentWebEngine().SetProxy(&settings))) {
        platform::LogLine(
            "refused the proxy \"" + settings.server +
            "\": not an address of the form host:port; the user's own proxy settings stay");
        return false;
    }
    s.proxySet = true;
    return true;
}

bool ProxySet() { return State().proxySet; }

void SwitchNavigationSoundOff() {
    UnitState& s = State();
    try {
        const std::string base = kNavigationSoundKey;
        if (!Settings().KeyExists(base + kCurrentSoundSubkey)) return;
        Settings().RenameKey(base + kCurrentSoundSubkey, base + kSwitchedOffSoundSubkey);
        s.soundsOff = true;
    } catch (const std::exception&) {
    }
}

bool NavigationSoundSwitchedOff() { return State().soundsOff; }

void SetFloatingPointExceptions(bool enabled) {
    UnitState& s = State();
    if (enabled) {
        std::fesetenv(&s.savedFloatingPoint);
    } else {
        ::fedisableexcept(FE_ALL_EXCEPT);
    }
}

bool DialogHookInstalled() { return State().hookInstalled; }
void SetDialogHookInstalled(bool installed) { State().hookInstalled = installed; }

void Finalize() {
    UnitState& s = State();
    s.End(true);
}

}  // namespace WebPaneUnit
