#include "ui/Object.h"

#include "ui/AnsiText.h"
#include "ui/Exceptions.h"

#include <string>
#include <unordered_map>
#include <unordered_set>

namespace {

// Never destroyed: objects with static storage may outlive any other static.
std::unordered_set<const void*>& LiveObjects()
{
    static auto* objects = new std::unordered_set<const void*>;
    return *objects;
}

using ClassMap = std::unordered_map<std::string, const TClassInfo*, ui::TextCaseHash, ui::TextCaseEqual>;

ClassMap& Classes()
{
    static auto* classes = new ClassMap;
    return *classes;
}

} // namespace

constinit const TClassInfo TObject::ClassInfo{"TObject"};

bool TClassInfo::InheritsFrom(const TClassInfo& ancestor) const
{
    for (const TClassInfo* info = this; info != nullptr; info = info->Parent) {
        if (info == &ancestor) {
            return true;
        }
    }
    return false;
}

bool TClassInfo::InheritsFrom(std::string_view ancestorName) const
{
    for (const TClassInfo* info = this; info != nullptr; info = info->Parent) {
        if (ui::SameText(info->Name, ancestorName)) {
            return true;
        }
    }
    return false;
}

TObject::TObject()
{
    LiveObjects().insert(this);
}

TObject::~TObject()
{
    LiveObjects().erase(this);
}

bool TObject::ClassNameIs(std::string_view name) const
{
    return ui::SameText(ClassName(), name);
}

namespace ui {

void RegisterClass(const TClassInfo& info)
{
    const auto [it, inserted] = Classes().try_emplace(std::string(info.Name), &info);
    if (!inserted && it->second != &info) {
        throw EComponentError("Class " + std::string(info.Name) + " is already registered");
    }
}

void RegisterClasses(std::initializer_list<const TClassInfo*> infos)
{
    for (const TClassInfo* info : infos) {
        RegisterClass(*info);
    }
}

const TClassInfo* GetClass(std::string_view name)
{
    const auto it = Classes().find(name);
    return it == Classes().end() ? nullptr : it->second;
}

const TClassInfo& FindClass(std::string_view name)
{
    const TClassInfo* info = GetClass(name);
    if (info == nullptr) {
        throw EClassNotFound("Class " + std::string(name) + " not found");
    }
    return *info;
}

bool IsLiveObject(const void* p)
{
    return p != nullptr && LiveObjects().contains(p);
}

bool IsLiveObject(const void* p, const TClassInfo& info)
{
    return IsLiveObject(p) && static_cast<const TObject*>(p)->InheritsFrom(info);
}

std::size_t LiveObjectCount()
{
    return LiveObjects().size();
}

} // namespace ui
