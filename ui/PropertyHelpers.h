// Short forms for registering typed properties, methods and fields of description classes.
// Setters may be member functions (&TPanel::SetCaption) or callables taking (T&, value).
//
//   AddIntProperty<TPanel>("TPanel", "Left", &TPanel::SetLeft);
//   AddEnumProperty<TPanel>("TPanel", "Align", {"alNone", "alTop", ...}, &TPanel::SetAlign);
//   AddReferenceProperty<TspSkinPanel, TspSkinData>("TspSkinPanel", "SkinData",
//       &TspSkinPanel::SetSkinData, "TspSkinData");
//   AddEventProperty<TForm>("TForm", "OnCreate", &TForm::OnCreate);
//   RegisterMethod<TForm1>("TForm1", "FormCreate", &TForm1::FormCreate);
//   AddComponentField<TForm1, TPanel>("TForm1", "Panel1", &TForm1::Panel1);
#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "base/Exceptions.h"
#include "ui/ClassRegistry.h"
#include "ui/Component.h"
#include "ui/GraphicsObjects.h"

namespace prop_detail {

// The object a setter was registered for; a component of another class is an error.
template <class T>
T& Cast(TComponent& self, const std::string& property) {
    T* t = dynamic_cast<T*>(&self);
    if (!t)
        throw EFilerError("Property " + property + " does not apply to class " + self.ClassName());
    return *t;
}

template <class T, class F>
void Add(const std::string& cls, const std::string& name, F&& apply) {
    TClassRegistry::Instance().AddProperty(
        cls, name,
        [name, apply = std::forward<F>(apply)](TComponent& self, const TPropValue& value,
                                               TReaderContext& ctx) {
            apply(Cast<T>(self, name), value, ctx);
        });
}

}  // namespace prop_detail

template <class T, class Setter>
void AddIntProperty(const std::string& cls, const std::string& name, Setter setter) {
    prop_detail::Add<T>(cls, name, [setter](T& t, const TPropValue& v, TReaderContext&) {
        std::invoke(setter, t, v.AsInt32());
    });
}

// Accepts integers as well as numbers with a fraction.
template <class T, class Setter>
void AddFloatProperty(const std::string& cls, const std::string& name, Setter setter) {
    prop_detail::Add<T>(cls, name, [setter](T& t, const TPropValue& v, TReaderContext&) {
        if (v.kind != TPropValue::Integer && v.kind != TPropValue::Float) {
            throw EFilerError("Invalid property value: expected a number");
        }
        std::invoke(setter, t,
                    v.kind == TPropValue::Integer ? static_cast<double>(v.integer) : v.real);
    });
}

template <class T, class Setter>
void AddBoolProperty(const std::string& cls, const std::string& name, Setter setter) {
    prop_detail::Add<T>(cls, name, [setter](T& t, const TPropValue& v, TReaderContext&) {
        std::invoke(setter, t, v.AsBool());
    });
}

template <class T, class Setter>
void AddStringProperty(const std::string& cls, const std::string& name, Setter setter) {
    prop_detail::Add<T>(cls, name, [setter](T& t, const TPropValue& v, TReaderContext&) {
        std::invoke(setter, t, v.AsString());
    });
}

// Enumerations: the identifier's position in `names` (compared without regard to case),
// converted to the setter's enumeration type E (given explicitly, or deduced from a member
// function taking E).
template <class T, class E, class Setter>
void AddEnumPropertyAs(const std::string& cls, const std::string& name,
                       std::vector<std::string> names, Setter setter) {
    prop_detail::Add<T>(
        cls, name, [setter, names = std::move(names)](T& t, const TPropValue& v, TReaderContext&) {
            std::invoke(setter, t, static_cast<E>(v.AsEnum(names)));
        });
}

template <class T, class E, class C>
void AddEnumProperty(const std::string& cls, const std::string& name,
                     std::vector<std::string> names, void (C::*setter)(E)) {
    AddEnumPropertyAs<T, E>(cls, name, std::move(names), setter);
}

template <class T, class Setter>
void AddEnumProperty(const std::string& cls, const std::string& name,
                     std::vector<std::string> names, Setter setter) {
    AddEnumPropertyAs<T, int>(cls, name, std::move(names), setter);
}

// Sets: bit i stands for names[i] (at most 32 names).
template <class T, class Setter>
void AddSetProperty(const std::string& cls, const std::string& name, std::vector<std::string> names,
                    Setter setter) {
    prop_detail::Add<T>(
        cls, name, [setter, names = std::move(names)](T& t, const TPropValue& v, TReaderContext&) {
            std::invoke(setter, t, v.AsSetBits(names));
        });
}

template <class T, class Setter>
void AddLinesProperty(const std::string& cls, const std::string& name, Setter setter) {
    prop_detail::Add<T>(cls, name, [setter](T& t, const TPropValue& v, TReaderContext&) {
        std::invoke(setter, t, v.AsLines());
    });
}

template <class T, class Setter>
void AddBinaryProperty(const std::string& cls, const std::string& name, Setter setter) {
    prop_detail::Add<T>(cls, name, [setter](T& t, const TPropValue& v, TReaderContext&) {
        std::invoke(setter, t, v.AsBinary());
    });
}

// Colours as descriptions write them: a number or a name (clBtnFace); charsets: a number
// from 0 to 255 or a name (DEFAULT_CHARSET). Other values raise EFilerError.
[[nodiscard]] TColor PropColorValue(const TPropValue& v);
[[nodiscard]] uint8_t PropCharsetValue(const TPropValue& v);

// The sub-properties of a font property named `prefix` ("Font", "DefaultFont"): .Name,
// .Height, .Size, .Style, .Color and .Charset. `font` gives the object's font; `changed`
// runs after each value is stored.
template <class T, class GetFont, class Changed>
void AddFontProperties(const std::string& cls, const std::string& prefix, GetFont font,
                       Changed changed) {
    prop_detail::Add<T>(cls, prefix + ".Name",
                        [font, changed](T& t, const TPropValue& v, TReaderContext&) {
                            font(t).Name = v.AsString();
                            changed(t);
                        });
    prop_detail::Add<T>(cls, prefix + ".Height",
                        [font, changed](T& t, const TPropValue& v, TReaderContext&) {
                            font(t).Height = v.AsInt32();
                            changed(t);
                        });
    prop_detail::Add<T>(cls, prefix + ".Size",
                        [font, changed](T& t, const TPropValue& v, TReaderContext&) {
                            font(t).SetSize(v.AsInt32());
                            changed(t);
                        });
    prop_detail::Add<T>(cls, prefix + ".Style",
                        [font, changed](T& t, const TPropValue& v, TReaderContext&) {
                            font(t).Style = static_cast<TFontStyles>(
                                v.AsSetBits({"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}));
                            changed(t);
                        });
    prop_detail::Add<T>(cls, prefix + ".Color",
                        [font, changed](T& t, const TPropValue& v, TReaderContext&) {
                            font(t).Color = PropColorValue(v);
                            changed(t);
                        });
    prop_detail::Add<T>(cls, prefix + ".Charset",
                        [font, changed](T& t, const TPropValue& v, TReaderContext&) {
                            font(t).Charset = PropCharsetValue(v);
                            changed(t);
                        });
}

// A reference to another component, resolved once every component of the description
// exists. The setter receives a Target*; a component of another class is an error naming
// `targetClassName` (for the message only).
template <class T, class Target, class Setter>
void AddReferenceProperty(const std::string& cls, const std::string& name, Setter setter,
                          const std::string& targetClassName = {}) {
    prop_detail::Add<T>(
        cls, name, [setter, targetClassName](T& t, const TPropValue& v, TReaderContext& ctx) {
            const std::string ref = v.AsIdent();
            T* self = &t;
            ctx.DeferReference(
                ref, v.line, [self, setter, ref, targetClassName](TComponent* target) {
                    Target* typed = dynamic_cast<Target*>(target);
                    if (!typed) {
                        throw EFilerError("Invalid property value: " + ref + " is a " +
                                          target->ClassName() +
                                          (targetClassName.empty() ? ", which does not fit here"
                                                                   : ", not a " + targetClassName));
                    }
                    std::invoke(setter, *self, typed);
                });
        });
}

// An event: a std::function data member of T bound to the root's registered method of the
// given name. The method must have exactly the event's parameter list.
template <class T, class Sig, class C>
void AddEventProperty(const std::string& cls, const std::string& name,
                      std::function<Sig> C::*field) {
    prop_detail::Add<T>(cls, name, [field](T& t, const TPropValue& v, TReaderContext& ctx) {
        T* self = &t;
        ctx.DeferMethod(
            v.AsIdent(), v.line, [self, field](TComponent* root, const std::string& method) {
                const TMethodBinder* binder =
                    TClassRegistry::Instance().FindMethodBinder(root->ClassName(), method);
                if (!binder) throw EFilerError("Method " + method + " cannot be bound to an event");
                std::any bound = (*binder)(*root);
                auto* fn = std::any_cast<std::function<Sig>>(&bound);
                if (!fn)
                    throw EFilerError("Method " + method +
                                      " does not match the event's parameters");
                self->*field = std::move(*fn);
            });
    });
}

// A method of the root class that events may name.
template <class TRoot, class R, class C, class... Args>
void RegisterMethod(const std::string& cls, const std::string& name, R (C::*method)(Args...)) {
    TClassRegistry::Instance().AddMethod(cls, name, [method, name](TComponent& root) -> std::any {
        auto* r = dynamic_cast<TRoot*>(&root);
        if (!r)
            throw EFilerError("Method " + name + " does not belong to class " + root.ClassName());
        return std::function<R(Args...)>(
            [r, method](Args... args) -> R { return (r->*method)(std::forward<Args>(args)...); });
    });
}

// A root field that receives the component of that name once it is created.
template <class TRoot, class T, class C>
void AddComponentField(const std::string& cls, const std::string& name, T* C::*field) {
    TClassRegistry::Instance().AddField(
        cls, name, [field, name](TComponent& root, TComponent* component) {
            auto* r = dynamic_cast<TRoot*>(&root);
            T* typed = dynamic_cast<T*>(component);
            if (!r || !typed) {
                throw EFilerError("Field " + name + " cannot hold a " +
                                  std::string(component->ClassName()));
            }
            r->*field = typed;
        });
}
