#include "ui/DescriptionReader.h"

#include <charconv>
#include <cstdint>
#include <functional>
#include <limits>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "base/AsciiText.h"
#include "base/Exceptions.h"
#include "base/Utf8Text.h"
#include "ui/ClassRegistry.h"
#include "ui/Component.h"
#include "ui/Streams.h"

namespace {

constexpr size_t kMaxTextBytes = 8u << 20;
constexpr int kMaxDepth = 32;
constexpr size_t kMaxComponents = 10000;
constexpr size_t kMaxProperties = 200000;
constexpr size_t kMaxListItems = 100000;

[[noreturn]] void Fail(int line, const std::string& message) {
    throw EFilerError("line " + std::to_string(line) + ": " + message);
}

// Messages of errors raised inside setters may already name a line; the reader puts its own
// in front, so an inner one is dropped.
std::string StripLinePrefix(const std::string& message) {
    if (message.rfind("line ", 0) != 0) return message;
    size_t i = 5;
    while (i < message.size() && message[i] >= '0' && message[i] <= '9') ++i;
    if (i > 5 && message.compare(i, 2, ": ") == 0) return message.substr(i + 2);
    return message;
}

bool IsIdentStart(int c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsIdentChar(int c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); }
bool IsDigit(int c) { return c >= '0' && c <= '9'; }
int HexValue(int c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string Describe(const TComponent* c) {
    return c->Name().empty() ? std::string(c->ClassName()) : c->Name();
}

// Knows which components are still alive, so that a setter that frees a component cannot
// make the reader touch it afterwards.
class LifeWatch : public TComponent {
public:
    LifeWatch() : TComponent(nullptr) {}
    ~LifeWatch() override {
        for (TComponent* c : alive_) RemoveFreeNotification(c);
    }
    void Watch(TComponent* c) {
        if (alive_.insert(c).second) FreeNotification(c);
    }
    [[nodiscard]] bool Alive(TComponent* c) const { return alive_.count(c) != 0; }
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == opRemove) alive_.erase(component);
    }

private:
    std::unordered_set<TComponent*> alive_;
};

class Reader final : public TReaderContext {
public:
    Reader(std::string_view text, TComponent& root) : s_(text), root_(root) {}

    void Run();

    [[nodiscard]] TComponent* Root() const override { return &root_; }
    void DeferReference(const std::string& name, int line,
                        std::function<void(TComponent*)> resolve) override {
        deferred_.push_back(
            Deferred{false, name, line, current_, context_, std::move(resolve), {}});
    }
    void DeferMethod(
        const std::string& name, int line,
        std::function<void(TComponent* root, const std::string& method)> bind) override {
        deferred_.push_back(Deferred{true, name, line, current_, context_, {}, std::move(bind)});
    }

private:
    struct Deferred {
        bool isMethod;
        std::string name;
        int line;
        TComponent* self;     // the component whose property asked for it
        std::string context;  // "Panel1.SkinData", for messages
        std::function<void(TComponent*)> resolve;
        std::function<void(TComponent*, const std::string&)> bind;
    };

    // ---- scanning ----
    [[nodiscard]] int Peek() const {
        return pos_ < s_.size() ? static_cast<unsigned char>(s_[pos_]) : -1;
    }
    [[nodiscard]] int PeekAt(size_t offset) const {
        return pos_ + offset < s_.size() ? static_cast<unsigned char>(s_[pos_ + offset]) : -1;
    }
    void SkipBlanks();
    [[nodiscard]] bool KeywordAhead(std::string_view keyword) const;
    std::string ReadIdent();
    std::string ReadDottedIdent();

    TPropValue ReadValue();
    void ReadString(std::string& out);
    void ReadNumber(TPropValue& v);
    void ReadSet(TPropValue& v);
    void ReadLines(TPropValue& v);
    void ReadBinary(TPropValue& v);

    // ---- building ----
    void ReadObject(TComponent* parent, int depth);
    TComponent* CreateComponent(const std::string& name, const std::string& className,
                                TComponent* parent, int line, std::string& propClass);
    void SetProperty(TComponent* component, const std::string& propClass,
                     const std::string& property, int line, const TPropValue& value);
    TComponent* Lookup(const std::string& name,
                       const std::unordered_map<std::string, TComponent*>& names) const;
    void ResolveDeferred();
    void RunLoaded();
    void ClearLoadingFlags();

    std::string_view s_;
    size_t pos_ = 0;
    int line_ = 1;
    TComponent& root_;
    int rootLine_ = 1;
    LifeWatch watch_;
    std::vector<TComponent*> created_;
    std::vector<int> createdLines_;
    std::vector<Deferred> deferred_;
    size_t propertyCount_ = 0;
    TComponent* current_ = nullptr;
    std::string context_;
};

void Reader::SkipBlanks() {
    while (pos_ < s_.size()) {
        const char c = s_[pos_];
        if (c == '\n') {
            ++line_;
            ++pos_;
        } else if (c == '\r') {
            ++line_;
            ++pos_;
            if (pos_ < s_.size() && s_[pos_] == '\n') ++pos_;
        } else if (static_cast<unsigned char>(c) <= 0x20) {
            ++pos_;
        } else {
            break;
        }
    }
}

bool Reader::KeywordAhead(std::string_view keyword) const {
    if (s_.size() - pos_ < keyword.size()) return false;
    if (!SameTextAscii(s_.substr(pos_, keyword.size()), keyword)) return false;
    return !IsIdentChar(PeekAt(keyword.size()));
}

std::string Reader::ReadIdent() {
    if (!IsIdentStart(Peek())) Fail(line_, "Identifier expected");
    const size_t start = pos_;
    while (IsIdentChar(Peek())) ++pos_;
    return std::string(s_.substr(start, pos_ - start));
}

std::string Reader::ReadDottedIdent() {
    std::string id = ReadIdent();
    while (Peek() == '.' && IsIdentStart(PeekAt(1))) {
        ++pos_;
        id += '.';
        id += ReadIdent();
    }
    return id;
}

TPropValue Reader::ReadValue() {
    TPropValue v;
    v.line = line_;
    const int c = Peek();
    if (c == '\'' || c == '#') {
        v.kind = TPropValue::String;
        ReadString(v.text);
    } else if (c == '-' || c == '+' || c == '$' || IsDigit(c)) {
        ReadNumber(v);
    } else if (c == '[') {
        ReadSet(v);
    } else if (c == '(') {
        ReadLines(v);
    } else if (c == '{') {
        ReadBinary(v);
    } else if (c == '<') {
        ++pos_;
        SkipBlanks();
        if (Peek() != '>') Fail(line_, "Collections with items are not supported");
        ++pos_;
        v.kind = TPropValue::Collection;
    } else if (IsIdentStart(c)) {
        const std::string id = ReadDottedIdent();
        if (SameTextAscii(id, "True") || SameTextAscii(id, "False")) {
            v.kind = TPropValue::Boolean;
            v.boolean = SameTextAscii(id, "True");
        } else {
            v.kind = TPropValue::Ident;
            v.text = id;
        }
    } else {
        Fail(line_, c < 0 ? "Property value expected" : "Invalid property value");
    }
    return v;
}

void Reader::ReadString(std::string& out) {
    uint32_t pendingHigh = 0;  // a UTF-16 high surrogate waiting for its partner
    auto flush = [&] {
        if (pendingHigh) AppendUtf8(out, 0xFFFD);
        pendingHigh = 0;
    };
    for (;;) {
        const int c = Peek();
        if (c == '\'') {
            flush();
            const int startLine = line_;
            ++pos_;
            for (;;) {
                if (pos_ >= s_.size() || s_[pos_] == '\r' || s_[pos_] == '\n')
                    Fail(startLine, "Unterminated string");
                const char ch = s_[pos_];
                if (ch == '\'') {
                    if (PeekAt(1) == '\'') {
                        out += '\'';
                        pos_ += 2;
                        continue;
                    }
                    ++pos_;
                    break;
                }
                out += ch;
                ++pos_;
            }
        } else if (c == '#') {
            ++pos_;
            uint32_t code = 0;
            int digits = 0;
            const bool hex = Peek() == '$';
            if (hex) ++pos_;
            for (;;) {
                const int d = hex ? HexValue(Peek()) : (IsDigit(Peek()) ? Peek() - '0' : -1);
                if (d < 0) break;
                code = code * (hex ? 16 : 10) + static_cast<uint32_t>(d);
                if (code > 0x10FFFF) Fail(line_, "Invalid character code");
                ++digits;
                ++pos_;
            }
            if (digits == 0) Fail(line_, "Character code expected after '#'");
            if (code >= 0xD800 && code <= 0xDBFF) {
                flush();
                pendingHigh = code;
            } else if (code >= 0xDC00 && code <= 0xDFFF) {
                if (pendingHigh) {
                    AppendUtf8(out, 0x10000 + ((pendingHigh - 0xD800) << 10) + (code - 0xDC00));
                    pendingHigh = 0;
                } else {
                    AppendUtf8(out, 0xFFFD);
                }
            } else {
                flush();
                AppendUtf8(out, code);
            }
        } else {
            // Parts may also be joined with "+", across line breaks.
            const size_t savePos = pos_;
            const int saveLine = line_;
            SkipBlanks();
            if (Peek() != '+') {
                pos_ = savePos;
                line_ = saveLine;
                break;
            }
            ++pos_;
            SkipBlanks();
            if (Peek() != '\'' && Peek() != '#') Fail(line_, "String expected after '+'");
        }
    }
    flush();
}

void Reader::ReadNumber(TPropValue& v) {
    const size_t start = pos_;
    bool negative = false;
    if (Peek() == '+' || Peek() == '-') {
        negative = Peek() == '-';
        ++pos_;
    }
    if (Peek() == '$') {
        ++pos_;
        uint64_t magnitude = 0;
        int digits = 0;
        while (HexValue(Peek()) >= 0) {
            magnitude = magnitude * 16 + static_cast<uint64_t>(HexValue(Peek()));
            if (magnitude > static_cast<uint64_t>(std::numeric_limits<int64_t>::max())) {
                Fail(line_, "Integer value out of range");
            }
            ++digits;
            ++pos_;
        }
        if (digits == 0) Fail(line_, "Invalid number");
        v.kind = TPropValue::Integer;
        v.integer = negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
    } else {
        if (!IsDigit(Peek())) Fail(line_, "Invalid number");
        while (IsDigit(Peek())) ++pos_;
        bool isFloat = false;
        if (Peek() == '.' && IsDigit(PeekAt(1))) {
            isFloat = true;
            ++pos_;
            while (IsDigit(Peek())) ++pos_;
        }
        if (Peek() == 'e' || Peek() == 'E') {
            size_t k = 1;
            if (PeekAt(k) == '+' || PeekAt(k) == '-') ++k;
            if (IsDigit(PeekAt(k))) {
                isFloat = true;
                pos_ += k;
                while (IsDigit(Peek())) ++pos_;
            }
        }
        // from_chars does not take a leading "+".
        const size_t numStart = (s_[start] == '+') ? start + 1 : start;
        const char* first = s_.data() + numStart;
        const char* last = s_.data() + pos_;
        if (isFloat) {
            double d = 0;
            auto [ptr, ec] = std::from_chars(first, last, d);
            if (ec != std::errc() || ptr != last) Fail(line_, "Invalid number");
            v.kind = TPropValue::Float;
            v.real = d;
        } else {
            int64_t n = 0;
            auto [ptr, ec] = std::from_chars(first, last, n);
            if (ec != std::errc() || ptr != last) Fail(line_, "Integer value out of range");
            v.kind = TPropValue::Integer;
            v.integer = n;
        }
    }
    if (IsIdentChar(Peek()) || Peek() == '.') Fail(line_, "Invalid number");
}

void Reader::ReadSet(TPropValue& v) {
    v.kind = TPropValue::Set;
    ++pos_;
    SkipBlanks();
    if (Peek() == ']') {
        ++pos_;
        return;
    }
    for (;;) {
        SkipBlanks();
        v.items.push_back(ReadIdent());
        if (v.items.size() > kMaxListItems) Fail(line_, "Too many set members");
        SkipBlanks();
        if (Peek() == ',') {
            ++pos_;
        } else if (Peek() == ']') {
            ++pos_;
            return;
        } else {
            Fail(line_, "',' or ']' expected");
        }
    }
}

void Reader::ReadLines(TPropValue& v) {
    v.kind = TPropValue::Lines;
    ++pos_;
    for (;;) {
        SkipBlanks();
        const int c = Peek();
        if (c == ')') {
            ++pos_;
            return;
        }
        if (c < 0) Fail(line_, "')' expected");
        if (v.items.size() >= kMaxListItems) Fail(line_, "Too many list items");
        if (c == '\'' || c == '#') {
            std::string item;
            ReadString(item);
            v.items.push_back(std::move(item));
        } else if (c == '-' || c == '+' || c == '$' || IsDigit(c)) {
            const size_t start = pos_;
            TPropValue number;
            ReadNumber(number);
            v.items.emplace_back(s_.substr(start, pos_ - start));
        } else if (IsIdentStart(c)) {
            v.items.push_back(ReadDottedIdent());
        } else {
            Fail(line_, "Invalid list item");
        }
    }
}

void Reader::ReadBinary(TPropValue& v) {
    v.kind = TPropValue::Binary;
    const int startLine = line_;
    ++pos_;
    int high = -1;
    for (;;) {
        SkipBlanks();
        const int c = Peek();
        if (c < 0) Fail(startLine, "'}' expected");
        if (c == '}') {
            ++pos_;
            break;
        }
        const int nibble = HexValue(c);
        if (nibble < 0) Fail(line_, "Invalid binary data");
        ++pos_;
        if (high < 0) {
            high = nibble;
        } else {
            v.bytes.push_back(static_cast<uint8_t>(high << 4 | nibble));
            high = -1;
        }
    }
    if (high >= 0) Fail(line_, "Binary data has an odd number of hex digits");
}

TComponent* Reader::CreateComponent(const std::string& name, const std::string& className,
                                    TComponent* parent, int line, std::string& propClass) {
    if (created_.size() >= kMaxComponents) Fail(line, "Too many components");
    const TClassInfo* info = TClassRegistry::Instance().Find(className);
    if (!info || !info->create) {
        throw EClassNotFound("line " + std::to_string(line) + ": Class " + className +
                             " not found");
    }
    propClass = info->name;
    TComponent* c = nullptr;
    try {
        c = info->create(&root_);
    } catch (const std::exception& e) {
        Fail(line, "Error creating " + (name.empty() ? className : name) + ": " +
                       StripLinePrefix(e.what()));
    }
    if (!c) Fail(line, "Class " + className + " could not be created");
    if (c->Owner() != &root_) {
        // A factory that ignored the owner: the root takes the component over.
        try {
            root_.InsertComponent(c);
        } catch (const std::exception& e) {
            if (!c->Owner()) delete c;
            Fail(line, e.what());
        }
    }
    watch_.Watch(c);
    created_.push_back(c);
    createdLines_.push_back(line);
    c->SetComponentState(csLoading | csReading, true);
    if (!name.empty()) {
        try {
            c->SetName(name);
        } catch (const std::exception& e) {
            Fail(line, e.what());
        }
    }
    try {
        if (!name.empty()) {
            if (const TFieldSetter* field =
                    TClassRegistry::Instance().FindField(root_.ClassName(), name)) {
                (*field)(root_, c);
            }
        }
        c->SetParentComponent(parent);
    } catch (const std::exception& e) {
        Fail(line, "Error reading " + (name.empty() ? className : name) + ": " +
                       StripLinePrefix(e.what()));
    }
    return c;
}

void Reader::SetProperty(TComponent* component, const std::string& propClass,
                         const std::string& property, int line, const TPropValue& value) {
    if (++propertyCount_ > kMaxProperties) Fail(line, "Too many properties");
    const std::string where = Describe(component) + "." + property;
    const TPropSetter* setter = TClassRegistry::Instance().FindProperty(propClass, property);
    if (!setter)
        Fail(line, "Error reading " + where + ": Property " + property + " does not exist");
    current_ = component;
    context_ = where;
    try {
        (*setter)(*component, value, *this);
    } catch (const std::exception& e) {
        Fail(line, "Error reading " + where + ": " + StripLinePrefix(e.what()));
    }
    current_ = nullptr;
}

void Reader::ReadObject(TComponent* parent, int depth) {
    SkipBlanks();
    const int objectLine = line_;
    if (!KeywordAhead("object")) Fail(line_, "'object' expected");
    pos_ += 6;
    SkipBlanks();
    std::string name = ReadIdent();
    std::string className;
    SkipBlanks();
    if (Peek() == ':') {
        ++pos_;
        SkipBlanks();
        className = ReadIdent();
    } else {
        className = std::move(name);
        name.clear();
    }

    TComponent* component = nullptr;
    std::string propClass;
    if (!parent) {
        component = &root_;
        rootLine_ = objectLine;
        propClass = root_.ClassName();
        if (!name.empty() && name != root_.Name()) {
            try {
                root_.SetName(name);
            } catch (const std::exception& e) {
                Fail(objectLine, e.what());
            }
        }
    } else {
        if (depth > kMaxDepth) Fail(objectLine, "Objects are nested too deeply");
        component = CreateComponent(name, className, parent, objectLine, propClass);
    }

    for (;;) {
        SkipBlanks();
        if (Peek() < 0) Fail(line_, "'end' expected");
        if (KeywordAhead("end")) {
            pos_ += 3;
            return;
        }
        if (KeywordAhead("object")) {
            ReadObject(component, depth + 1);
            continue;
        }
        const int propLine = line_;
        const std::string property = ReadDottedIdent();
        SkipBlanks();
        if (Peek() != '=') Fail(line_, "'=' expected");
        ++pos_;
        SkipBlanks();
        const TPropValue value = ReadValue();
        SetProperty(component, propClass, property, propLine, value);
    }
}

TComponent* Reader::Lookup(const std::string& name,
                           const std::unordered_map<std::string, TComponent*>& names) const {
    std::string_view key = name;
    const size_t dot = key.find('.');
    if (dot != std::string_view::npos) {
        // "Form1.Panel1" or "Self.Panel1": only references into this root are known.
        const std::string_view prefix = key.substr(0, dot);
        if (!SameTextAscii(prefix, "Self") &&
            (root_.Name().empty() || !SameTextAscii(prefix, root_.Name())))
            return nullptr;
        key = key.substr(dot + 1);
        if (key.find('.') != std::string_view::npos) return nullptr;
    }
    if (SameTextAscii(key, "Self") || (!root_.Name().empty() && SameTextAscii(key, root_.Name())))
        return &root_;
    auto it = names.find(LowerAsciiText(key));
    if (it != names.end() && watch_.Alive(it->second)) return it->second;
    return root_.FindComponent(std::string(key));
}

void Reader::ResolveDeferred() {
    std::unordered_map<std::string, TComponent*> names;
    for (int i = 0; i < root_.ComponentCount(); ++i) {
        TComponent* c = root_.Components(i);
        watch_.Watch(c);
        if (!c->Name().empty()) names.emplace(LowerAsciiText(c->Name()), c);
    }
    const TClassRegistry& registry = TClassRegistry::Instance();
    for (size_t i = 0; i < deferred_.size(); ++i) {
        Deferred d = std::move(deferred_[i]);                     // a resolver may add entries
        if (d.self != &root_ && !watch_.Alive(d.self)) continue;  // its component is gone
        current_ = d.self;
        context_ = d.context;
        if (!d.isMethod) {
            TComponent* target = Lookup(d.name, names);
            if (!target)
                Fail(d.line, "Error reading " + d.context + ": Component " + d.name + " not found");
            try {
                d.resolve(target);
            } catch (const std::exception& e) {
                Fail(d.line, "Error reading " + d.context + ": " + StripLinePrefix(e.what()));
            }
        } else {
            if (!registry.HasMethod(root_.ClassName(), d.name)) {
                Fail(d.line, "Error reading " + d.context + ": Method " + d.name + " not found");
            }
            try {
                d.bind(&root_, d.name);
            } catch (const std::exception& e) {
                Fail(d.line, "Error reading " + d.context + ": " + StripLinePrefix(e.what()));
            }
        }
    }
    current_ = nullptr;
}

void Reader::RunLoaded() {
    root_.SetComponentState(csReading, false);
    for (TComponent* c : created_) {
        if (watch_.Alive(c)) c->SetComponentState(csReading, false);
    }
    try {
        root_.Loaded();
    } catch (const std::exception& e) {
        Fail(rootLine_, "Error loading " + Describe(&root_) + ": " + StripLinePrefix(e.what()));
    }
    root_.SetComponentState(csLoading, false);
    for (size_t i = 0; i < created_.size(); ++i) {
        TComponent* c = created_[i];
        if (!watch_.Alive(c)) continue;
        try {
            c->Loaded();
        } catch (const std::exception& e) {
            Fail(createdLines_[i],
                 "Error loading " + Describe(c) + ": " + StripLinePrefix(e.what()));
        }
        if (watch_.Alive(c)) c->SetComponentState(csLoading, false);
    }
}

void Reader::ClearLoadingFlags() {
    root_.SetComponentState(csLoading | csReading, false);
    for (TComponent* c : created_) {
        if (watch_.Alive(c)) c->SetComponentState(csLoading | csReading, false);
    }
}

void Reader::Run() {
    if (s_.size() >= 3 && s_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;  // UTF-8 byte order mark
    root_.SetComponentState(csLoading | csReading, true);
    try {
        ReadObject(nullptr, 0);
        SkipBlanks();
        if (pos_ < s_.size()) Fail(line_, "Text after the final 'end'");
        ResolveDeferred();
        RunLoaded();
    } catch (...) {
        ClearLoadingFlags();
        throw;
    }
}

}  // namespace

void ReadComponentDescription(const std::string& utf8Text, TComponent& root) {
    if (utf8Text.size() > kMaxTextBytes) throw EFilerError("line 1: The description is too large");
    Reader reader(utf8Text, root);
    reader.Run();
}

void ReadComponentDescriptionFile(const std::string& path, TComponent& root) {
    const std::vector<uint8_t> bytes = ReadFileBytes(path);
    ReadComponentDescription(std::string(bytes.begin(), bytes.end()), root);
}
