#include "gallery/SkinSwitch.h"

#include "skin/load/WinSkinStore.h"
#include "skin/model/WinSkinData.h"
#include "ui/Streams.h"

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

} // namespace gallery
