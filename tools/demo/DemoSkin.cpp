#include "tools/demo/DemoSkin.h"

#include "skin/model/WinSkinData.h"
#include "skin/model/WinSkinDlg.h"
#include "ui/Resources.h"

namespace demo {

std::unique_ptr<TSkinData> StartSkinning()
{
    auto skin = std::make_unique<TSkinData>(nullptr);
    const TResourceStream stored(nullptr, "FILE_SKINS_DEFAULT_SKIN");
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
