#include "gallery/SkinSwitch.h"

#include "skin/load/SkinFolder.h"
#include "skin/load/WinSkinStore.h"
#include "skin/model/WinSkinData.h"
#include "ui/Streams.h"

#include <windows.h>

#include <cstddef>
#include <exception>

namespace gallery {
namespace {

std::string Refused(std::string_view what)
{
    return "“" + std::string(what) + "”不是可用的皮肤，当前皮肤保持不变。";
}

} // namespace

std::vector<std::string> StoredSkinNames(const TSkinStore& store)
{
    std::vector<std::string> names;
    if (const TSkinCollection* items = store.Store()) {
        for (int i = 0; i < items->Count(); ++i) {
            if (const TSkinCollectionItem* item = items->Items(i))
                names.push_back(item->Name());
        }
    }
    return names;
}

std::string UseStoredSkin(TSkinData& skinData, const TSkinStore& store, std::string_view name)
{
    const TSkinCollectionItem* item = store.Store() != nullptr ? store.Store()->Find(name) : nullptr;
    if (item == nullptr)
        return "没有名为“" + std::string(name) + "”的皮肤。";
    return skinData.UseSkin(item->Data()) ? std::string() : Refused(name);
}

std::string UseSkinFile(TSkinData& skinData, const std::string& path)
{
    TMemoryStream file;
    try {
        file.LoadFromFile(path);
    } catch (const std::exception&) {
        return "无法读取文件“" + path + "”。";
    }
    return skinData.UseSkin(file.Bytes()) ? std::string() : Refused(path);
}

std::string UseSkinFolder(TSkinData& skinData, const std::string& path)
{
    TPackedSkinFolder packed;
    try {
        packed = PackSkinFolder(PathOf(path));
    } catch (const ESkinFolderError& error) {
        return "无法打包皮肤文件夹：" + std::string(error.what());
    }
    const auto* bytes = reinterpret_cast<const std::byte*>(packed.stream.data());
    return skinData.UseSkin({bytes, packed.stream.size()}) ? std::string() : Refused(path);
}

bool IsFolder(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::filesystem::path PathOf(const std::string& path)
{
    const int size = MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), wide.data(), size);
    return std::filesystem::path(wide);
}

} // namespace gallery
