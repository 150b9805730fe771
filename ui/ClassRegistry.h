// Classes that stored component descriptions may name. Each class registers a factory and
// its properties; a class inherits the properties of the class it names as its parent.
#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class TComponent;
class TReaderContext;

// One property value as written in a description.
struct TPropValue {
    enum Kind { Integer, Float, Boolean, String, Ident, Set, Lines, Binary, Collection };
    Kind kind = Integer;
    int64_t integer = 0;
    double real = 0;
    bool boolean = false;
    std::string text;                // String (UTF-8) and Ident
    std::vector<std::string> items;  // Set members and Lines
    std::vector<uint8_t> bytes;      // Binary
    int line = 0;                    // where the value stands in the description

    // Typed reads; a value of another kind raises EFilerError naming the line.
    [[nodiscard]] int32_t AsInt32() const;
    [[nodiscard]] bool AsBool() const;
    [[nodiscard]] const std::string& AsString() const;
    [[nodiscard]] const std::string& AsIdent() const;
    [[nodiscard]] const std::vector<std::string>& AsSet() const;
    [[nodiscard]] const std::vector<std::string>& AsLines() const;
    [[nodiscard]] const std::vector<uint8_t>& AsBinary() const;
    // Maps an identifier through a table of names; unknown names raise EFilerError.
    [[nodiscard]] int AsEnum(const std::vector<std::string>& names) const;
    // Maps set members to a bit set (bit i for names[i]); unknown names raise EFilerError.
    [[nodiscard]] uint32_t AsSetBits(const std::vector<std::string>& names) const;
};

// Handed to property setters while a description is read.
class TReaderContext {
public:
    virtual ~TReaderContext() = default;
    // The root component (the form) being read.
    [[nodiscard]] virtual TComponent* Root() const = 0;
    // Runs `resolve` with the named component once every component exists (a reference to
    // no component is an error naming the line). "Self" or the root's name is the root.
    virtual void DeferReference(const std::string& name, int line,
                                std::function<void(TComponent*)> resolve) = 0;
    // Runs `bind` once every component exists with the root's registered method of that
    // name (an unknown method is an error naming the line).
    virtual void DeferMethod(
        const std::string& name, int line,
        std::function<void(TComponent* root, const std::string& method)> bind) = 0;
};

using TPropSetter =
    std::function<void(TComponent& self, const TPropValue& value, TReaderContext& ctx)>;
using TComponentFactory = std::function<TComponent*(TComponent* owner)>;
// Makes a callable of the method bound to `root`: a std::function<Sig> wrapped in std::any,
// so that an event property can check that the method has the event's parameter list.
using TMethodBinder = std::function<std::any(TComponent& root)>;
// Stores a component created from a description in a field of the root (a form's
// published field of the same name).
using TFieldSetter = std::function<void(TComponent& root, TComponent* component)>;

struct TClassInfo {
    std::string name;
    std::string parentName;
    TComponentFactory create;  // empty for classes that cannot be created by name
    std::map<std::string, TPropSetter> properties;  // keys lower case
    std::vector<std::string> methods;               // published methods (event handlers)
    std::map<std::string, TMethodBinder> binders;   // keys lower case
    std::map<std::string, TFieldSetter> fields;     // keys lower case
};

class TClassRegistry {
public:
    static TClassRegistry& Instance();

    TClassInfo& Register(const std::string& name, const std::string& parentName,
                         TComponentFactory create);
    // Adds a property (name compared without regard to case; "Font.Name" for sub-properties).
    void AddProperty(const std::string& className, const std::string& property, TPropSetter setter);
    void AddMethod(const std::string& className, const std::string& method);
    // A method that event properties can bind to (see RegisterMethod in PropertyHelpers.h).
    void AddMethod(const std::string& className, const std::string& method, TMethodBinder binder);
    void AddField(const std::string& className, const std::string& field, TFieldSetter setter);

    [[nodiscard]] const TClassInfo* Find(const std::string& name) const;
    // Searches the class and its ancestors; nullptr when no class defines it.
    [[nodiscard]] const TPropSetter* FindProperty(const std::string& className,
                                                  const std::string& property) const;
    [[nodiscard]] bool HasMethod(const std::string& className, const std::string& method) const;
    // The binder of the method in the class or its ancestors; nullptr when none was given.
    [[nodiscard]] const TMethodBinder* FindMethodBinder(const std::string& className,
                                                        const std::string& method) const;
    [[nodiscard]] const TFieldSetter* FindField(const std::string& className,
                                                const std::string& field) const;

private:
    template <class Map>
    [[nodiscard]] const typename Map::mapped_type* FindInChain(const std::string& className,
                                                               const std::string& key,
                                                               Map TClassInfo::*member) const;

    std::map<std::string, TClassInfo> classes_;  // keys lower case
};

// Registers TComponent itself (with its Tag property). Idempotent.
void RegisterComponentClasses();
