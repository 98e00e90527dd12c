#include "tools/demo/DemoSkin.h"

#include "skin/model/WinSkinData.h"
#include "skin/model/WinSkinDlg.h"
#include "ui/Resources.h"

namespace demo {

std::unique_ptr<TSkinData> StartSkinning(std::string_view resource)
{
    auto skin = std::make_unique<TSkinData>(nullptr);
    const TResourceStream stored(nullptr, resource);
    const auto bytes = stored.Bytes();
    skin->SkinStream().WriteBuffer(bytes.data(), bytes.size());
    if (!skin->LoadSkinFromStream())
        return nullptr;
    TSkinManage& manager = EnsureSkinManager();
    manager.AddSkinData(skin.get());
    manager.InstallHook();
    skin->SetActive(true);
    manager.SetEnabled(true);
    return skin;
}

} // namespace demo
