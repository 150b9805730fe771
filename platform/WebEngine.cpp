#include "platform/WebEngine.h"

#include <algorithm>
#include <stdexcept>

#include "platform/LaunchPolicy.h"

namespace platform {

namespace {
std::unique_ptr<WebEngine>& EngineSlot() {
    static std::unique_ptr<WebEngine> engine;
    return engine;
}
}  // namespace

bool HasWebEngine() { return EngineSlot() != nullptr; }

WebEngine& CurrentWebEngine() {
    if (!EngineSlot()) throw std::logic_error("no web engine installed");
    return *EngineSlot();
}

void SetWebEngine(std::unique_ptr<WebEngine> engine) { EngineSlot() = std::move(engine); }

HResult RaiseWebEvent(WebEventSink& sink, int32_t dispId,
                      std::initializer_list<EventArg> declaredArgs) {
    std::vector<EventArg> reversed(declaredArgs.begin(), declaredArgs.end());
    std::reverse(reversed.begin(), reversed.end());
    return sink.Invoke(dispId, reversed);
}

NewWindowOutcome RaiseNewWindowRequest(WebEventSink& sink, LaunchPolicy& launches, uint32_t flags,
                                       const WideString& urlContext, const WideString& url) {
    NewWindowOutcome outcome;
    // A handler may free the control, and its policy with it.
    const TLivenessWatch policyAlive = launches.Watch();
    WebObject* ppDisp = nullptr;
    VariantBool cancel = kVariantFalse;
    RaiseWebEvent(sink, DISPID_NEWWINDOW2,
                  {EventArg::RefObject(&ppDisp), EventArg::RefBool(&cancel)});
    // The control owns the policy and is owned by the sink's side: a handler that freed
    // either ends the request here.
    if (!policyAlive.Alive()) {
        outcome.cancel = cancel;
        return outcome;
    }
    if (cancel == kVariantFalse) {
        RaiseWebEvent(sink, DISPID_NEWWINDOW3,
                      {EventArg::RefObject(&ppDisp), EventArg::RefBool(&cancel),
                       EventArg::UInt(flags), EventArg::String(urlContext), EventArg::String(url)});
    }
    outcome.cancel = cancel;
    outcome.cancelled = cancel != kVariantFalse;
    outcome.newBrowser = ppDisp;
    // A handler that supplied a browser of its own (ppDisp) takes the request itself; one
    // that freed the pane ends the request.
    if (!outcome.cancelled && !ppDisp && !url.empty() && policyAlive.Alive()) {
        const bool launched =
            launches.Request(WideToUtf8(url), (flags & NWMF_USERINITIATED) != 0,
                             WideToUtf8(urlContext)) == LaunchPolicy::Verdict::Launched;
        outcome.openedExternally = launched;
        outcome.refused = !launched;
    }
    return outcome;
}

// ---- Properties ----

namespace {
struct PropertySpec {
    int32_t dispId;
    Variant::Type type;
    Variant initial;
};

const std::vector<PropertySpec>& PropertySpecs() {
    static const std::vector<PropertySpec> specs = {
        {DISPID_PROP_VISIBLE, Variant::Type::Bool, Variant::FromBool(true)},
        {DISPID_PROP_STATUSBAR, Variant::Type::Bool, Variant::FromBool(false)},
        {DISPID_PROP_STATUSTEXT, Variant::Type::String, Variant::FromString(u"")},
        {DISPID_PROP_TOOLBAR, Variant::Type::Int32, Variant::FromInt(0)},
        {DISPID_PROP_MENUBAR, Variant::Type::Bool, Variant::FromBool(false)},
        {DISPID_PROP_FULLSCREEN, Variant::Type::Bool, Variant::FromBool(false)},
        {DISPID_PROP_OFFLINE, Variant::Type::Bool, Variant::FromBool(false)},
        {DISPID_PROP_SILENT, Variant::Type::Bool, Variant::FromBool(false)},
        {DISPID_PROP_REGISTERASBROWSER, Variant::Type::Bool, Variant::FromBool(false)},
        {DISPID_PROP_REGISTERASDROPTARGET, Variant::Type::Bool, Variant::FromBool(true)},
        {DISPID_PROP_THEATERMODE, Variant::Type::Bool, Variant::FromBool(false)},
        {DISPID_PROP_ADDRESSBAR, Variant::Type::Bool, Variant::FromBool(false)},
        {DISPID_PROP_RESIZABLE, Variant::Type::Bool, Variant::FromBool(true)},
    };
    return specs;
}

const PropertySpec* FindSpec(int32_t dispId) {
    for (const auto& spec : PropertySpecs())
        if (spec.dispId == dispId) return &spec;
    return nullptr;
}
}  // namespace

WebPropertyStore::WebPropertyStore() {
    for (const auto& spec : PropertySpecs()) values_[spec.dispId] = spec.initial;
}

HResult WebPropertyStore::Get(int32_t dispId, Variant& value) const {
    auto it = values_.find(dispId);
    if (it == values_.end()) return kDISP_E_MEMBERNOTFOUND;
    value = it->second;
    return kS_OK;
}

HResult WebPropertyStore::Put(int32_t dispId, const Variant& value) {
    const PropertySpec* spec = FindSpec(dispId);
    if (!spec) return kDISP_E_MEMBERNOTFOUND;
    if (value.type != spec->type) return kDISP_E_TYPEMISMATCH;
    Variant stored = value;
    // Keep booleans canonical: any nonzero automation boolean reads back as true.
    if (stored.type == Variant::Type::Bool) stored.boolValue = ToVariantBool(value.boolValue != 0);
    values_[dispId] = std::move(stored);
    return kS_OK;
}

// ---- Persisted state ----

namespace {
constexpr size_t kStateHeader = 8;
constexpr size_t kStateEntry = 8;

int32_t ReadInt32(const uint8_t* p) {
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                                static_cast<uint32_t>(p[2]) << 16 |
                                static_cast<uint32_t>(p[3]) << 24);
}
void WriteInt32(uint8_t* p, int32_t value) {
    const auto v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
}  // namespace

bool ApplyControlState(const std::vector<uint8_t>& block, WebPropertyStore& store) {
    if (block.size() < kStateHeader || block[0] != 'P' || block[1] != 'B' || block[2] != 'W' ||
        block[3] != 'S')
        return false;
    const unsigned version = block[4] | block[5] << 8;
    const size_t count = block[6] | block[7] << 8;
    if (version != 1 || count > (block.size() - kStateHeader) / kStateEntry) return false;
    WebPropertyStore staged = store;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* entry = block.data() + kStateHeader + i * kStateEntry;
        const int32_t dispId = ReadInt32(entry);
        const int32_t value = ReadInt32(entry + 4);
        Variant current;
        if (dispId == DISPID_PROP_STATUSTEXT || staged.Get(dispId, current) != kS_OK) return false;
        Variant next;
        if (current.type == Variant::Type::Int32) {
            next = Variant::FromInt(value);
        } else {
            if (value != 0 && value != 1) return false;
            next = Variant::FromBool(value == 1);
        }
        if (staged.Put(dispId, next) != kS_OK) return false;
    }
    store = staged;
    return true;
}

std::vector<uint8_t> MakeControlState(const std::vector<std::pair<int32_t, int32_t>>& entries) {
    std::vector<uint8_t> block(kControlStateSize, 0);
    const size_t count = std::min(entries.size(), (kControlStateSize - kStateHeader) / kStateEntry);
    block[0] = 'P', block[1] = 'B', block[2] = 'W', block[3] = 'S';
    block[4] = 1;
    block[6] = static_cast<uint8_t>(count);
    for (size_t i = 0; i < count; ++i) {
        WriteInt32(block.data() + kStateHeader + i * kStateEntry, entries[i].first);
        WriteInt32(block.data() + kStateHeader + i * kStateEntry + 4, entries[i].second);
    }
    return block;
}

// ---- Text conversion ----

WideString Utf8ToWide(const std::string& utf8) {
    WideString out;
    out.reserve(utf8.size());
    const auto* s = reinterpret_cast<const unsigned char*>(utf8.data());
    const size_t n = utf8.size();
    size_t i = 0;
    while (i < n) {
        const unsigned char c = s[i];
        uint32_t cp = 0xFFFD;
        size_t len = 1;
        if (c < 0x80) {
            cp = c;
        } else if (c >= 0xC2 && c <= 0xF4) {
            const size_t need = c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
            uint32_t value = c & (need == 2 ? 0x1F : need == 3 ? 0x0F : 0x07);
            size_t k = 1;
            for (; k < need && i + k < n && (s[i + k] & 0xC0) == 0x80; ++k)
                value = (value << 6) | (s[i + k] & 0x3F);
            if (k == need) {
                const bool overlong =
                    (need == 3 && value < 0x800) || (need == 4 && value < 0x10000);
                const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
                if (!overlong && !surrogate && value <= 0x10FFFF) cp = value;
                len = need;
            } else {
                len = k;  // a truncated sequence: replace what was there, resync on the next byte
            }
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
        i += len;
    }
    return out;
}

std::string WideToUtf8(const WideString& wide) {
    std::string out;
    out.reserve(wide.size() * 3);
    const size_t n = wide.size();
    for (size_t i = 0; i < n; ++i) {
        uint32_t cp = wide[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < n && wide[i + 1] >= 0xDC00 &&
            wide[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (wide[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;  // lone surrogate
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

}  // namespace platform
