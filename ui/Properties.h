// Published properties: a registry per class, inherited by subclasses, looked
// up without regard to letter case. The form reader and writer and the
// property bridge (GetIntProp ... SetPropText) all go through it.
//
// A class publishes in a static function that ClassOf finds:
//
//   void TButton::Publish(ui::TPublisher<TButton>& p)
//   {
//       p.Boolean("Default", &TButton::Default, &TButton::SetDefault);
//       p.Enum("ModalResult", ModalResultInfo, &TButton::ModalResult, &TButton::SetModalResult);
//       p.Text("Caption", &TButton::Caption, &TButton::SetCaption);
//       p.Integer("HelpContext", &TButton::FHelpContext);          // a field: read and write
//       p.Object("Font", &TButton::Font);                            // edited in place
//       p.Object("PopupMenu", &TButton::PopupMenu, &TButton::SetPopupMenu); // component reference
//       p.Event("OnClick", &TButton::OnClick);
//       p.Binary("SkinStream", &TSkinData::ReadSkinStream, &TSkinData::WriteSkinStream);
//       p.Integer("Left", &TButton::Left, &TButton::SetLeft).Default(0);
//   }
//
// Getters are anything std::invoke can call with a const T& (a const member
// function, a data member pointer, a lambda); setters anything callable with
// (T&, value), or a data member pointer. A getter that is a data member
// pointer with no setter gives read and write. A form's root class also
// publishes its handler methods and component fields:
//
//   p.Method("Button2Click", &TForm1::Button2Click);
//   p.Field("Button2", &TForm1::Button2);
#pragma once

#include "ui/AnsiText.h"
#include "ui/Color.h"
#include "ui/Component.h"
#include "ui/Events.h"
#include "ui/Exceptions.h"
#include "ui/Object.h"
#include "ui/Sets.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <unordered_map>
#include <utility>

class TStream;

namespace ui {

enum class TPropKind {
    Integer,     // signed; the range of the published member
    Boolean,     // False, True
    Enumeration, // identifiers of a TEnumInfo
    Set,         // members of a TEnumInfo, at most 32
    Text,        // byte text (GBK)
    WideText,    // std::wstring
    Colour,      // TColor; names clXxx
    Object,      // a TObject: nested persistent, string list, collection or component reference
    Event,       // a TEvent bound by method name
    Binary,      // bytes the object reads and writes itself
};

// Identifiers of an enumeration whose values run from 0 up.
//   constexpr std::string_view kAlignNames[] = {"alNone", "alTop"};
//   constexpr ui::TEnumInfo AlignInfo{"TAlign", kAlignNames};
struct TEnumInfo {
    std::string_view TypeName;
    std::span<const std::string_view> Identifiers;

    // Any letter case; nullopt when unknown.
    std::optional<int> ValueOf(std::string_view identifier) const;
    // Empty when value is out of range.
    std::string_view IdentifierOf(std::int64_t value) const;
};

struct TPropInfo {
    std::string Name;
    TPropKind Kind = TPropKind::Integer;
    const TEnumInfo* Enum = nullptr;           // Enumeration, Set
    const TClassInfo* ObjectClass = nullptr;   // Object: the declared class
    const std::type_info* EventType = nullptr; // Event: the TEvent<...> type
    std::optional<std::int64_t> Default;       // ordinal kinds: the writer omits this value
    std::function<bool(const TObject&)> IsStored; // null: always written

    std::function<std::int64_t(const TObject&)> GetOrdinal; // Integer, Boolean, Enumeration, Set (mask), Colour
    std::function<void(TObject&, std::int64_t)> SetOrdinal;
    std::function<std::string(const TObject&)> GetText; // Text
    std::function<void(TObject&, std::string_view)> SetText;
    std::function<std::wstring(const TObject&)> GetWide; // WideText
    std::function<void(TObject&, std::wstring_view)> SetWide;
    std::function<TObject*(const TObject&)> GetObjectValue; // Object
    std::function<void(TObject&, TObject*)> SetObject;
    std::function<TEventBase*(TObject&)> EventSlot;          // Event
    std::function<void(TObject&, TStream&)> ReadData;        // Binary
    std::function<void(const TObject&, TStream&)> WriteData; // Binary

    bool IsWritable() const;
};

// A published handler method of a form's root class.
struct TMethodInfo {
    std::string Name;
    const std::type_info* EventType = nullptr;
    std::function<void(TObject& root, TEventBase& slot)> Bind;
};

// A published component field of a form's root class, set when a component
// of that name is created or renamed and cleared when it goes.
struct TFieldInfo {
    std::string Name;
    const TClassInfo* FieldClass = nullptr;
    std::function<TComponent*(const TObject& root)> Get;
    std::function<void(TObject& root, TComponent* value)> Set;
};

class TPropertyList {
public:
    // A name published again replaces the inherited entry in its place.
    TPropInfo& Add(TPropInfo info);
    void AddMethod(TMethodInfo info);
    void AddField(TFieldInfo info);

    const TPropInfo* Find(std::string_view name) const;
    const TMethodInfo* FindMethod(std::string_view name) const;
    const TFieldInfo* FindField(std::string_view name) const;

    const std::deque<TPropInfo>& Properties() const { return properties_; }
    const std::deque<TMethodInfo>& Methods() const { return methods_; }
    const std::deque<TFieldInfo>& Fields() const { return fields_; }

private:
    template <class Info>
    using Index = std::unordered_map<std::string, const Info*, TextCaseHash, TextCaseEqual>;

    std::deque<TPropInfo> properties_;
    std::deque<TMethodInfo> methods_;
    std::deque<TFieldInfo> fields_;
    Index<TPropInfo> propertyIndex_;
    Index<TMethodInfo> methodIndex_;
    Index<TFieldInfo> fieldIndex_;
};

// Everything info publishes, inherited entries first; built on first use.
const TPropertyList& PropertiesOf(const TClassInfo& info);
const TPropInfo* FindPropInfo(const TClassInfo& info, std::string_view name);
const TPropInfo* FindPropInfo(const TObject* object, std::string_view name);

// The property bridge. A null object or a missing property is never an error.
// Integer (and colour) property value, else -1.
int GetIntProp(const TObject* object, std::string_view name);
// Identifier of an enumeration or boolean property ("bsNone", "True"), else empty.
std::string GetEnumPropText(const TObject* object, std::string_view name);
// Wide text as is, byte text converted from GBK, else empty.
std::wstring GetWideTextProp(const TObject* object, std::string_view name);
// The object held by the property when it is of class info (or a descendant), else null.
TObject* GetObjectPropOf(const TObject* object, std::string_view name, const TClassInfo& info);
template <class T>
T* GetObjectPropOf(const TObject* object, std::string_view name)
{
    return static_cast<T*>(GetObjectPropOf(object, name, T::ClassInfo));
}
// Integer and colour: value as a decimal integer; enumeration and boolean: an
// identifier; byte and wide text: value as is; other kinds: nothing. A
// malformed number or unknown identifier raises EPropertyError.
void SetPropText(TObject* object, std::string_view name, std::string_view value);

// Typed access by name. Getters give nullopt/null and setters false when the
// property is missing or of another kind.
std::optional<std::int64_t> GetOrdProp(const TObject& object, std::string_view name);
bool SetOrdProp(TObject& object, std::string_view name, std::int64_t value);
std::optional<std::string> GetStrProp(const TObject& object, std::string_view name);
bool SetStrProp(TObject& object, std::string_view name, std::string_view value);
std::optional<std::wstring> GetWideStrProp(const TObject& object, std::string_view name);
bool SetWideStrProp(TObject& object, std::string_view name, std::wstring_view value);
TObject* GetObjectProp(const TObject& object, std::string_view name);
bool SetObjectProp(TObject& object, std::string_view name, TObject* value);

// Any kind with a text form, as the form file writes it (without quotes):
// integer "12", boolean "True", enumeration "alTop", set "[xoPreview, xoMenuBG]",
// text as is, wide text converted to GBK, colour "clBtnFace" or "$00FF00FF",
// event the handler name, component reference its name.
std::optional<std::string> GetPropValueText(const TObject& object, std::string_view name);
// The reverse for integer (decimal or $hex), boolean, enumeration, set, text,
// wide text and colour. False when the property is missing, read-only or has
// no text form; a malformed value raises EPropertyError.
bool SetPropValueText(TObject& object, std::string_view name, std::string_view text);

// Text form of an ordinal value of prop, and its parse (nullopt when malformed).
std::string FormatOrdinal(const TPropInfo& prop, std::int64_t value);
std::optional<std::int64_t> ParseOrdinal(const TPropInfo& prop, std::string_view text);

namespace detail {

template <class T>
const T& Cast(const TObject& object)
{
    return static_cast<const T&>(object);
}
template <class T>
T& Cast(TObject& object)
{
    return static_cast<T&>(object);
}

template <class T, class G>
using GetResult = std::remove_cvref_t<std::invoke_result_t<const G&, const T&>>;

template <class S>
inline constexpr bool kHasSetter = !std::is_same_v<S, std::nullptr_t>;

// A data member pointer alone reads and writes.
template <class G, class S>
auto ResolveSetter(const G& get, const S& set)
{
    if constexpr (!kHasSetter<S> && std::is_member_object_pointer_v<G>) {
        return get;
    } else {
        return set;
    }
}

template <class T, class S, class V>
void Put(const S& setter, T& object, V&& value)
{
    if constexpr (std::is_member_object_pointer_v<S>) {
        std::invoke(setter, object) = std::forward<V>(value);
    } else {
        std::invoke(setter, object, std::forward<V>(value));
    }
}

template <class V>
concept SetLike = requires(const V& v) {
    { v.Bits() } -> std::convertible_to<std::uint32_t>;
    { V::FromBits(std::uint32_t{}) } -> std::same_as<V>;
};

template <class V>
struct Underlying {
    using type = V;
};
template <class V>
    requires std::is_enum_v<V>
struct Underlying<V> {
    using type = std::underlying_type_t<V>;
};

[[noreturn]] void ThrowOutOfRange(const std::string& property, std::int64_t value);
[[noreturn]] void ThrowWrongClass(const std::string& property, const TClassInfo& wanted, const TObject& given);

} // namespace detail

template <class T>
class TPropBuilder {
public:
    explicit TPropBuilder(TPropInfo& info) : info_(info) {}

    // The writer leaves the property out while it has this value.
    TPropBuilder& Default(std::int64_t value)
    {
        info_.Default = value;
        return *this;
    }
    TPropBuilder& Stored(bool stored)
    {
        info_.IsStored = [stored](const TObject&) { return stored; };
        return *this;
    }
    // A const member function or a callable taking const T&, returning bool.
    template <class P>
    TPropBuilder& Stored(P predicate)
    {
        info_.IsStored = [predicate](const TObject& o) { return static_cast<bool>(std::invoke(predicate, detail::Cast<T>(o))); };
        return *this;
    }

private:
    TPropInfo& info_;
};

template <class T>
class TPublisher {
public:
    explicit TPublisher(TPropertyList& list) : list_(list) {}

    template <class G, class S = std::nullptr_t>
    TPropBuilder<T> Integer(std::string_view name, G get, S set = nullptr)
    {
        static_assert(std::is_integral_v<detail::GetResult<T, G>> || std::is_enum_v<detail::GetResult<T, G>>);
        return Ordinal(name, TPropKind::Integer, nullptr, get, set);
    }
    template <class G, class S = std::nullptr_t>
    TPropBuilder<T> Boolean(std::string_view name, G get, S set = nullptr)
    {
        static_assert(std::is_same_v<detail::GetResult<T, G>, bool>);
        return Ordinal(name, TPropKind::Boolean, nullptr, get, set);
    }
    template <class G, class S = std::nullptr_t>
    TPropBuilder<T> Enum(std::string_view name, const TEnumInfo& info, G get, S set = nullptr)
    {
        static_assert(std::is_enum_v<detail::GetResult<T, G>> || std::is_integral_v<detail::GetResult<T, G>>);
        return Ordinal(name, TPropKind::Enumeration, &info, get, set);
    }
    template <class G, class S = std::nullptr_t>
    TPropBuilder<T> Colour(std::string_view name, G get, S set = nullptr)
    {
        static_assert(std::is_same_v<detail::GetResult<T, G>, TColor>);
        return Ordinal(name, TPropKind::Colour, nullptr, get, set);
    }
    // The getter gives a TSet<E> or an unsigned mask.
    template <class G, class S = std::nullptr_t>
    TPropBuilder<T> Set(std::string_view name, const TEnumInfo& info, G get, S set = nullptr)
    {
        using V = detail::GetResult<T, G>;
        TPropInfo prop = Make(name, TPropKind::Set);
        prop.Enum = &info;
        prop.GetOrdinal = [get](const TObject& o) -> std::int64_t {
            if constexpr (detail::SetLike<V>) {
                return std::invoke(get, detail::Cast<T>(o)).Bits();
            } else {
                static_assert(std::is_unsigned_v<V>);
                return static_cast<std::uint32_t>(std::invoke(get, detail::Cast<T>(o)));
            }
        };
        auto setter = detail::ResolveSetter(get, set);
        if constexpr (detail::kHasSetter<decltype(setter)>) {
            prop.SetOrdinal = [setter](TObject& o, std::int64_t value) {
                const auto bits = static_cast<std::uint32_t>(value);
                if constexpr (detail::SetLike<V>) {
                    detail::Put(setter, detail::Cast<T>(o), V::FromBits(bits));
                } else {
                    detail::Put(setter, detail::Cast<T>(o), static_cast<V>(bits));
                }
            };
        }
        return Add(std::move(prop));
    }
    // Byte text: the getter gives std::string, std::string_view or const char*.
    template <class G, class S = std::nullptr_t>
    TPropBuilder<T> Text(std::string_view name, G get, S set = nullptr)
    {
        TPropInfo prop = Make(name, TPropKind::Text);
        prop.GetText = [get](const TObject& o) { return std::string(std::invoke(get, detail::Cast<T>(o))); };
        auto setter = detail::ResolveSetter(get, set);
        if constexpr (detail::kHasSetter<decltype(setter)>) {
            prop.SetText = [setter](TObject& o, std::string_view value) {
                detail::Put(setter, detail::Cast<T>(o), std::string(value));
            };
        }
        return Add(std::move(prop));
    }
    template <class G, class S = std::nullptr_t>
    TPropBuilder<T> WideText(std::string_view name, G get, S set = nullptr)
    {
        TPropInfo prop = Make(name, TPropKind::WideText);
        prop.GetWide = [get](const TObject& o) { return std::wstring(std::invoke(get, detail::Cast<T>(o))); };
        auto setter = detail::ResolveSetter(get, set);
        if constexpr (detail::kHasSetter<decltype(setter)>) {
            prop.SetWide = [setter](TObject& o, std::wstring_view value) {
                detail::Put(setter, detail::Cast<T>(o), std::wstring(value));
            };
        }
        return Add(std::move(prop));
    }
    // The getter gives U* or U& for a TObject class U. Persistent objects,
    // string lists and collections are read and written in place through the
    // getter; a setter (taking U*) is needed for component references.
    template <class G, class S = std::nullptr_t>
    TPropBuilder<T> Object(std::string_view name, G get, S set = nullptr)
    {
        using R = detail::GetResult<T, G>;
        using U = std::remove_cv_t<std::remove_pointer_t<R>>;
        static_assert(std::is_base_of_v<TObject, U>);
        TPropInfo prop = Make(name, TPropKind::Object);
        prop.ObjectClass = &U::ClassInfo;
        prop.GetObjectValue = [get](const TObject& o) -> TObject* {
            decltype(auto) value = std::invoke(get, detail::Cast<T>(o));
            if constexpr (std::is_pointer_v<std::remove_cvref_t<decltype(value)>>) {
                return const_cast<U*>(static_cast<const U*>(value));
            } else {
                return const_cast<U*>(&value);
            }
        };
        auto setter = detail::ResolveSetter(get, set);
        if constexpr (detail::kHasSetter<decltype(setter)> && !std::is_reference_v<std::invoke_result_t<const G&, const T&>>) {
            prop.SetObject = [setter, n = std::string(name)](TObject& o, TObject* value) {
                U* typed = nullptr;
                if (value != nullptr) {
                    typed = As<U>(value);
                    if (typed == nullptr) {
                        detail::ThrowWrongClass(n, U::ClassInfo, *value);
                    }
                }
                detail::Put(setter, detail::Cast<T>(o), typed);
            };
        }
        return Add(std::move(prop));
    }
    // A TEvent data member, or a callable giving a TEvent& from a T&.
    template <class A>
    TPropBuilder<T> Event(std::string_view name, A access)
    {
        using E = std::remove_cvref_t<std::invoke_result_t<const A&, T&>>;
        static_assert(std::is_base_of_v<TEventBase, E>);
        TPropInfo prop = Make(name, TPropKind::Event);
        prop.EventType = &typeid(E);
        prop.EventSlot = [access](TObject& o) -> TEventBase* { return &std::invoke(access, detail::Cast<T>(o)); };
        return Add(std::move(prop));
    }
    // read: (T&, TStream&) -> void; write: (const T&, TStream&) -> void.
    // read gets a stream holding exactly the stored bytes and must consume
    // them all; running out raises EReadError. A stored count is best checked
    // against the stream's Remaining() before allocating for it.
    template <class R, class W>
    TPropBuilder<T> Binary(std::string_view name, R read, W write)
    {
        TPropInfo prop = Make(name, TPropKind::Binary);
        prop.ReadData = [read](TObject& o, TStream& stream) { std::invoke(read, detail::Cast<T>(o), stream); };
        prop.WriteData = [write](const TObject& o, TStream& stream) { std::invoke(write, detail::Cast<T>(o), stream); };
        return Add(std::move(prop));
    }

    // A handler the form reader can bind by name: "OnClick = Button2Click".
    template <class C, class... Args>
    void Method(std::string_view name, void (C::*method)(Args...))
    {
        static_assert(std::is_base_of_v<C, T>);
        using E = TEvent<Args...>;
        list_.AddMethod(TMethodInfo{std::string(name), &typeid(E),
            [method, n = std::string(name)](TObject& root, TEventBase& slot) {
                static_cast<E&>(slot) = E(static_cast<C*>(&detail::Cast<T>(root)), method, n);
            }});
    }
    // A component field of the root, kept pointing at the owned component of that name.
    template <class C, class U>
    void Field(std::string_view name, U* C::*member)
    {
        static_assert(std::is_base_of_v<C, T> && std::is_base_of_v<TComponent, U>);
        list_.AddField(TFieldInfo{std::string(name), &U::ClassInfo,
            [member](const TObject& root) -> TComponent* { return detail::Cast<T>(root).*member; },
            [member](TObject& root, TComponent* value) { detail::Cast<T>(root).*member = As<U>(value); }});
    }

private:
    static TPropInfo Make(std::string_view name, TPropKind kind)
    {
        TPropInfo prop;
        prop.Name = std::string(name);
        prop.Kind = kind;
        return prop;
    }
    TPropBuilder<T> Add(TPropInfo prop) { return TPropBuilder<T>(list_.Add(std::move(prop))); }

    template <class G, class S>
    TPropBuilder<T> Ordinal(std::string_view name, TPropKind kind, const TEnumInfo* info, G get, S set)
    {
        using V = detail::GetResult<T, G>;
        TPropInfo prop = Make(name, kind);
        prop.Enum = info;
        prop.GetOrdinal = [get](const TObject& o) {
            return static_cast<std::int64_t>(std::invoke(get, detail::Cast<T>(o)));
        };
        auto setter = detail::ResolveSetter(get, set);
        if constexpr (detail::kHasSetter<decltype(setter)>) {
            prop.SetOrdinal = [setter, n = std::string(name)](TObject& o, std::int64_t value) {
                if constexpr (std::is_same_v<V, bool>) {
                    detail::Put(setter, detail::Cast<T>(o), value != 0);
                } else {
                    using Raw = typename detail::Underlying<V>::type;
                    if (!std::in_range<Raw>(value)) {
                        detail::ThrowOutOfRange(n, value);
                    }
                    detail::Put(setter, detail::Cast<T>(o), static_cast<V>(value));
                }
            };
        }
        return Add(std::move(prop));
    }

    TPropertyList& list_;
};

template <class T>
void PublishClass(TPropertyList& list)
{
    TPublisher<T> publisher(list);
    T::Publish(publisher);
}

} // namespace ui
