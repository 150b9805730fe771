#include "ui/ClassRegistry.h"

#include <algorithm>
#include <limits>

#include "base/AsciiText.h"
#include "base/Exceptions.h"
#include "ui/Component.h"

namespace {

// Guards the ancestor walk against a parent chain that loops back on itself.
constexpr int kMaxClassDepth = 64;

[[noreturn]] void Fail(int line, const std::string& what) {
    throw EFilerError("line " + std::to_string(line) + ": " + what);
}

const char* KindName(TPropValue::Kind kind) {
    switch (kind) {
        case TPropValue::Integer:
            return "an integer";
        case TPropValue::Float:
            return "a number";
        case TPropValue::Boolean:
            return "a boolean";
        case TPropValue::String:
            return "a string";
        case TPropValue::Ident:
            return "an identifier";
        case TPropValue::Set:
            return "a set";
        case TPropValue::Lines:
            return "a list of lines";
        case TPropValue::Binary:
            return "binary data";
        case TPropValue::Collection:
            return "a collection";
    }
    return "a value";
}

void Expect(const TPropValue& v, TPropValue::Kind kind) {
    if (v.kind != kind) {
        Fail(v.line, std::string("Invalid property value: expected ") + KindName(kind) +
                         ", found " + KindName(v.kind));
    }
}

}  // namespace

// ---- TPropValue ----

int32_t TPropValue::AsInt32() const {
    Expect(*this, Integer);
    if (integer < std::numeric_limits<int32_t>::min() ||
        integer > std::numeric_limits<int32_t>::max()) {
        Fail(line, "Integer value " + std::to_string(integer) + " is out of range");
    }
    return static_cast<int32_t>(integer);
}

bool TPropValue::AsBool() const {
    Expect(*this, Boolean);
    return boolean;
}

const std::string& TPropValue::AsString() const {
    Expect(*this, String);
    return text;
}

const std::string& TPropValue::AsIdent() const {
    Expect(*this, Ident);
    return text;
}

const std::vector<std::string>& TPropValue::AsSet() const {
    Expect(*this, Set);
    return items;
}

const std::vector<std::string>& TPropValue::AsLines() const {
    Expect(*this, Lines);
    return items;
}

const std::vector<uint8_t>& TPropValue::AsBinary() const {
    Expect(*this, Binary);
    return bytes;
}

int TPropValue::AsEnum(const std::vector<std::string>& names) const {
    const std::string& id = AsIdent();
    for (size_t i = 0; i < names.size(); ++i) {
        if (SameTextAscii(names[i], id)) return static_cast<int>(i);
    }
    Fail(line, "Invalid property value " + id);
}

uint32_t TPropValue::AsSetBits(const std::vector<std::string>& names) const {
    uint32_t bits = 0;
    for (const std::string& member : AsSet()) {
        size_t i = 0;
        while (i < names.size() && !SameTextAscii(names[i], member)) ++i;
        if (i == names.size() || i >= 32) Fail(line, "Invalid property value " + member);
        bits |= 1u << i;
    }
    return bits;
}

// ---- TClassRegistry ----

TClassRegistry& TClassRegistry::Instance() {
    static TClassRegistry registry;
    return registry;
}

TClassInfo& TClassRegistry::Register(const std::string& name, const std::string& parentName,
                                     TComponentFactory create) {
    // Registering again updates the factory and parent but keeps the properties, so the
    // Register...Classes() functions may run more than once.
    TClassInfo& info = classes_[LowerAsciiText(name)];
    info.name = name;
    info.parentName = parentName;
    if (create) info.create = std::move(create);
    return info;
}

void TClassRegistry::AddProperty(const std::string& className, const std::string& property,
                                 TPropSetter setter) {
    auto it = classes_.find(LowerAsciiText(className));
    if (it == classes_.end()) throw EComponentError("Class " + className + " is not registered");
    it->second.properties[LowerAsciiText(property)] = std::move(setter);
}

void TClassRegistry::AddMethod(const std::string& className, const std::string& method) {
    auto it = classes_.find(LowerAsciiText(className));
    if (it == classes_.end()) throw EComponentError("Class " + className + " is not registered");
    auto& methods = it->second.methods;
    if (std::none_of(methods.begin(), methods.end(),
                     [&](const std::string& m) { return SameTextAscii(m, method); })) {
        methods.push_back(method);
    }
}

void TClassRegistry::AddMethod(const std::string& className, const std::string& method,
                               TMethodBinder binder) {
    AddMethod(className, method);
    classes_[LowerAsciiText(className)].binders[LowerAsciiText(method)] = std::move(binder);
}

void TClassRegistry::AddField(const std::string& className, const std::string& field,
                              TFieldSetter setter) {
    auto it = classes_.find(LowerAsciiText(className));
    if (it == classes_.end()) throw EComponentError("Class " + className + " is not registered");
    it->second.fields[LowerAsciiText(field)] = std::move(setter);
}

const TClassInfo* TClassRegistry::Find(const std::string& name) const {
    auto it = classes_.find(LowerAsciiText(name));
    return it == classes_.end() ? nullptr : &it->second;
}

template <class Map>
const typename Map::mapped_type* TClassRegistry::FindInChain(const std::string& className,
                                                             const std::string& key,
                                                             Map TClassInfo::*member) const {
    const std::string lowerKey = LowerAsciiText(key);
    const TClassInfo* info = Find(className);
    for (int depth = 0; info && depth < kMaxClassDepth; ++depth) {
        const Map& map = info->*member;
        auto it = map.find(lowerKey);
        if (it != map.end()) return &it->second;
        if (info->parentName.empty()) break;
        info = Find(info->parentName);
    }
    return nullptr;
}

const TPropSetter* TClassRegistry::FindProperty(const std::string& className,
                                                const std::string& property) const {
    return FindInChain(className, property, &TClassInfo::properties);
}

const TMethodBinder* TClassRegistry::FindMethodBinder(const std::string& className,
                                                      const std::string& method) const {
    return FindInChain(className, method, &TClassInfo::binders);
}

const TFieldSetter* TClassRegistry::FindField(const std::string& className,
                                              const std::string& field) const {
    return FindInChain(className, field, &TClassInfo::fields);
}

bool TClassRegistry::HasMethod(const std::string& className, const std::string& method) const {
    const TClassInfo* info = Find(className);
    for (int depth = 0; info && depth < kMaxClassDepth; ++depth) {
        if (std::any_of(info->methods.begin(), info->methods.end(),
                        [&](const std::string& m) { return SameTextAscii(m, method); })) {
            return true;
        }
        if (info->parentName.empty()) break;
        info = Find(info->parentName);
    }
    return false;
}

void RegisterComponentClasses() {
    TClassRegistry& registry = TClassRegistry::Instance();
    if (registry.Find("TComponent")) return;
    registry.Register("TComponent", "", [](TComponent* owner) { return new TComponent(owner); });
    registry.AddProperty("TComponent", "Tag",
                         [](TComponent& self, const TPropValue& value, TReaderContext&) {
                             self.Tag = value.AsInt32();
                         });
}
