// gallery: every control of the framework, skinned, with the skin chosen at
// run time from the skins it carries or a skin file.
//
//   gallery                 the first stored skin
//   gallery --skin PATH     starts with the skin file at PATH
//   gallery --shoot DIR     writes one PNG per page and window state to DIR and exits
#include "gallery/GalleryForm.h"
#include "gallery/GalleryShoot.h"
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
    std::string shootDirectory;
    for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
        if (arguments[i] == "--skin") {
            if (const std::string reason = GalleryForm->ChooseSkinFile(arguments[i + 1]); !reason.empty())
                MessageBoxA(nullptr, reason.c_str(), Application->Title().c_str(), MB_OK | MB_ICONWARNING);
        } else if (arguments[i] == "--shoot") {
            shootDirectory = arguments[i + 1];
        }
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
