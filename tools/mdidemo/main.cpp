// zel_mdidemo: an MDI frame with three children, skinned by the engine with
// the default skin, for looking at (and taking screenshots of) the skinned
// MDI windows. The windows are plain Win32 ones; the menu makes and closes
// children and cascades or tiles them.
//
//   zel_mdidemo            the children cascaded, the last one active
//   zel_mdidemo maximise   the last child maximised
//   zel_mdidemo tile       the children tiled
//   zel_mdidemo message    a message box of the frame over the children
//   zel_mdidemo open       the system's open-file dialog over the children
#include "gallery/MdiApp.h"
#include "tools/demo/DemoSkin.h"

#include "skin/model/WinSkinData.h"
#include "skin/model/WinSkinDlg.h"
#include "ui/Forms.h"

#include <windows.h>

#include <commdlg.h>

#include <exception>
#include <memory>
#include <string>
#include <string_view>

namespace {

HWND dialogOwner = nullptr;
bool openFileDialog = false;

// Shows the dialog once the frame is up and skinned; a system dialog is
// skinned as it is activated, like every window of the process.
void CALLBACK ShowDialog(HWND, UINT, UINT_PTR timer, DWORD) noexcept
{
    KillTimer(nullptr, timer);
    if (openFileDialog) {
        char file[MAX_PATH] = "";
        OPENFILENAMEA request{};
        request.lStructSize = sizeof request;
        request.hwndOwner = dialogOwner;
        request.lpstrFilter = "皮肤文件 (*.skn)\0*.skn\0所有文件\0*.*\0";
        request.lpstrFile = file;
        request.nMaxFile = sizeof file;
        request.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
        GetOpenFileNameA(&request);
    } else {
        MessageBoxA(dialogOwner, "文档 3 已修改。要保存更改吗？", "Zelvorin MDI", MB_YESNOCANCEL | MB_ICONQUESTION);
    }
}

int Run(std::string_view start)
{
    // The skinned menu bar reads the frame menu's text through the system's code page.
    Application->Initialize();
    const std::unique_ptr<TSkinData> skin = demo::StartSkinning();
    if (!skin) {
        MessageBoxA(nullptr, "默认皮肤无法载入。", "Zelvorin MDI", MB_OK | MB_ICONERROR);
        return 1;
    }
    mdiapp::TMdiApp app(RECT{40, 40, 760, 560});
    app.QuitOnDestroy = true;
    app.Show();
    for (int i = 0; i < 3; ++i) {
        const int offset = 20 + 40 * i;
        app.AddChild("文档 " + std::to_string(i + 1), RECT{offset, offset, offset + 320, offset + 240});
    }
    if (start == "maximise") {
        const LRESULT active = SendMessageA(app.Client(), WM_MDIGETACTIVE, 0, 0);
        SendMessageA(app.Client(), WM_MDIMAXIMIZE, static_cast<WPARAM>(active), 0);
    } else if (start == "tile") {
        SendMessageA(app.Client(), WM_MDITILE, MDITILE_VERTICAL, 0);
    } else if (start == "message" || start == "open") {
        dialogOwner = app.Frame();
        openFileDialog = start == "open";
        SetTimer(nullptr, 0, 300, &ShowDialog);
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (app.Client() != nullptr && TranslateMDISysAccel(app.Client(), &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    FreeSkinManager();
    return static_cast<int>(message.wParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    try {
        return Run(commandLine != nullptr ? commandLine : "");
    } catch (const std::exception& error) {
        MessageBoxA(nullptr, error.what(), "Zelvorin MDI", MB_OK | MB_ICONERROR);
        return 1;
    }
}
