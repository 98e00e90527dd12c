// gallery: every control of the framework, skinned, with the skin chosen at
// run time from the skins it carries, a skin file or an unpacked skin folder.
//
//   gallery                       the first stored skin
//   gallery --skin PATH           starts with the skin at PATH: a skin file, or
//                                 an unpacked skin folder, packed in memory
//   gallery --skin FOLDER --watch packs and loads FOLDER again whenever one of
//                                 its files changes; a folder that fails leaves
//                                 the skin in force and says why in the status bar
//   gallery --shoot DIR           writes one PNG per page and window state to DIR and exits
#include "gallery/GalleryForm.h"
#include "gallery/GalleryShoot.h"
#include "gallery/SkinSwitch.h"
#include "skin/load/MessageDialog.h"
#include "skin/load/WinSkinStore.h"
#include "skin/model/WinSkinData.h"
#include "skin/model/WinSkinDlg.h"

#include <windows.h>

#include <shellapi.h>

#include <exception>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::vector<std::string> Arguments()
{
    std::vector<std::string> arguments;
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; i < count; ++i) {
        const int size = WideCharToMultiByte(CP_ACP, 0, words[i], -1, nullptr, 0, nullptr, nullptr);
        std::string text(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
        WideCharToMultiByte(CP_ACP, 0, words[i], -1, text.data(), size, nullptr, nullptr);
        arguments.push_back(std::move(text));
    }
    LocalFree(words);
    return arguments;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    SetMessageDialogHook([](std::string_view text) {
        const std::string message(text);
        MessageBoxA(GetActiveWindow(), message.c_str(), Application->Title().c_str(), MB_OK);
    });
    ui::RegisterClasses({&TSkinStore::ClassInfo, &TSkinData::ClassInfo});
    Application->Initialize();
    Application->SetTitle("Zelvorin 控件画廊");
    Application->CreateForm(GalleryForm);
    const std::vector<std::string> arguments = Arguments();
    std::string skinPath;
    std::string shootDirectory;
    bool watch = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--watch")
            watch = true;
        else if (arguments[i] == "--skin" && i + 1 < arguments.size())
            skinPath = arguments[++i];
        else if (arguments[i] == "--shoot" && i + 1 < arguments.size())
            shootDirectory = arguments[++i];
    }
    if (!skinPath.empty()) {
        const auto warn = [](const std::string& text) {
            MessageBoxA(nullptr, text.c_str(), Application->Title().c_str(), MB_OK | MB_ICONWARNING);
        };
        if (!gallery::IsFolder(skinPath)) {
            if (watch)
                warn("只有皮肤文件夹可以监视，“" + skinPath + "”不是文件夹。");
            if (const std::string reason = GalleryForm->ChooseSkinFile(skinPath); !reason.empty())
                warn(reason);
        } else if (watch) {
            // The status bar says why the folder failed; the next save is tried again.
            GalleryForm->WatchSkinFolder(skinPath);
        } else if (const std::string reason = GalleryForm->ChooseSkinFolder(skinPath); !reason.empty()) {
            warn(reason);
        }
    } else if (watch) {
        MessageBoxA(nullptr, "--watch 需要 --skin 文件夹。", Application->Title().c_str(), MB_OK | MB_ICONWARNING);
    }
    int exitCode = 0;
    if (!shootDirectory.empty()) {
        GalleryForm->Show();
        try {
            gallery::ShootGallery(*GalleryForm, shootDirectory);
        } catch (const std::exception& error) {
            MessageBoxA(nullptr, error.what(), Application->Title().c_str(), MB_OK | MB_ICONERROR);
            exitCode = 1;
        }
    } else {
        Application->Run();
    }
    // The windows go before the engine that skins them.
    Application->DestroyComponents();
    FreeSkinManager();
    return exitCode;
}
