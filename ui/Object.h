// Root of the class hierarchy: run-time class information, a registry of
// classes by name (the form reader creates components from it) and liveness
// checks for pointers that may outlive their object.
//
// Every class declares
//     static const TClassInfo ClassInfo;
//     const TClassInfo& ClassType() const override { return ClassInfo; }
// and defines, in its .cpp,
//     constinit const TClassInfo TButton::ClassInfo = ui::ClassOf<TButton>("TButton", TWinControl::ClassInfo);
// ClassOf fills in a factory when the class can be built from an owner
// (TComponent*) or a collection (TCollection*), and its published properties
// when the class declares  static void Publish(ui::TPublisher<TButton>&).
#pragma once

#include <concepts>
#include <initializer_list>
#include <string_view>
#include <type_traits>

class TObject;
class TComponent;
class TCollection;
class TCollectionItem;

namespace ui {
class TPropertyList;
template <class T>
class TPublisher;
// Runs T::Publish on a property list; defined in ui/Properties.h.
template <class T>
void PublishClass(TPropertyList& list);
} // namespace ui

struct TClassInfo {
    std::string_view Name;
    const TClassInfo* Parent = nullptr;
    TComponent* (*CreateComponent)(TComponent* owner) = nullptr;
    TCollectionItem* (*CreateItem)(TCollection* collection) = nullptr;
    void (*Publish)(ui::TPropertyList& list) = nullptr;

    bool InheritsFrom(const TClassInfo& ancestor) const;
    // Class names compare without regard to letter case.
    bool InheritsFrom(std::string_view ancestorName) const;
};

class TObject {
public:
    static const TClassInfo ClassInfo;

    TObject();
    virtual ~TObject();
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;

    virtual const TClassInfo& ClassType() const { return ClassInfo; }
    std::string_view ClassName() const { return ClassType().Name; }
    bool InheritsFrom(const TClassInfo& ancestor) const { return ClassType().InheritsFrom(ancestor); }
    bool ClassNameIs(std::string_view name) const;
};

namespace ui {

template <class T>
constexpr TClassInfo ClassOf(std::string_view name, const TClassInfo& parent)
{
    TClassInfo info{name, &parent};
    if constexpr (!std::is_abstract_v<T> && std::is_constructible_v<T, TComponent*>) {
        info.CreateComponent = +[](TComponent* owner) -> TComponent* { return new T(owner); };
    }
    if constexpr (!std::is_abstract_v<T> && std::is_constructible_v<T, TCollection*>) {
        info.CreateItem = +[](TCollection* collection) -> TCollectionItem* { return new T(collection); };
    }
    if constexpr (requires { static_cast<void (*)(TPublisher<T>&)>(&T::Publish); }) {
        info.Publish = &PublishClass<T>;
    }
    return info;
}

// The class registry the form reader creates components from. Registering a
// class twice is harmless; two different classes with one name are an error.
void RegisterClass(const TClassInfo& info);
void RegisterClasses(std::initializer_list<const TClassInfo*> infos);
// Null when no class of that name (any letter case) is registered.
const TClassInfo* GetClass(std::string_view name);
// Throws EClassNotFound when no class of that name is registered.
const TClassInfo& FindClass(std::string_view name);

// True while p is the address of a constructed, not yet destroyed TObject.
bool IsLiveObject(const void* p);
// True while p is a live object of class info or a descendant: the check for
// "still a readable object of its class" on pointers held elsewhere.
bool IsLiveObject(const void* p, const TClassInfo& info);
template <class T>
bool IsLive(const T* p)
{
    return IsLiveObject(static_cast<const TObject*>(p), T::ClassInfo);
}
std::size_t LiveObjectCount();

// Checked downcast by class information; null when object is null or of another class.
template <class T, class U>
    requires std::derived_from<T, TObject> && std::derived_from<U, TObject>
T* As(U* object)
{
    return object != nullptr && object->InheritsFrom(T::ClassInfo) ? static_cast<T*>(object) : nullptr;
}
template <class T, class U>
    requires std::derived_from<T, TObject> && std::derived_from<U, TObject>
const T* As(const U* object)
{
    return object != nullptr && object->InheritsFrom(T::ClassInfo) ? static_cast<const T*>(object) : nullptr;
}

} // namespace ui
