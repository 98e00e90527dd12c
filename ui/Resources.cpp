#include "ui/Resources.h"

#include <cstring>

constinit const TClassInfo TResourceStream::ClassInfo =
    ui::ClassOf<TResourceStream>("TResourceStream", TCustomMemoryStream::ClassInfo);

namespace {

std::span<const std::byte> LoadBytes(HINSTANCE instance, LPCSTR name, LPCSTR type)
{
    const HRSRC info = FindResourceA(instance, name, type);
    if (!info)
        return {};
    // Resource memory belongs to the module: nothing to free.
    const HGLOBAL global = LoadResource(instance, info);
    const void* data = global ? LockResource(global) : nullptr;
    if (!data)
        return {};
    return {static_cast<const std::byte*>(data), SizeofResource(instance, info)};
}

std::string UpperName(std::string_view name)
{
    std::string upper(name);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

} // namespace

TResourceStream::TResourceStream(HINSTANCE instance, std::string_view name, LPCSTR type)
{
    const std::string upper = UpperName(name);
    const std::span<const std::byte> bytes = LoadBytes(instance, upper.c_str(), type);
    if (bytes.data() == nullptr)
        throw EResNotFound("Resource " + upper + " not found");
    SetPointer(bytes.data(), bytes.size());
}

TResourceStream::TResourceStream(HINSTANCE instance, int id, LPCSTR type)
{
    const std::span<const std::byte> bytes = LoadBytes(instance, MAKEINTRESOURCEA(id), type);
    if (bytes.data() == nullptr)
        throw EResNotFound("Resource " + std::to_string(id) + " not found");
    SetPointer(bytes.data(), bytes.size());
}

bool TResourceStream::Exists(HINSTANCE instance, std::string_view name, LPCSTR type)
{
    return FindResourceA(instance, UpperName(name).c_str(), type) != nullptr;
}

namespace ui {

std::string ResourceNameForFile(std::string_view path)
{
    std::string name = "FILE_";
    for (const char c : path) {
        if (c >= 'a' && c <= 'z')
            name += static_cast<char>(c - 'a' + 'A');
        else if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
            name += c;
        else
            name += '_';
    }
    return name;
}

TFileResolver ResourceFileResolver(HINSTANCE instance)
{
    return [instance](std::string_view path) {
        TResourceStream stream(instance, ResourceNameForFile(path));
        const std::span<const std::byte> bytes = stream.Bytes();
        return std::vector<std::byte>(bytes.begin(), bytes.end());
    };
}

} // namespace ui
