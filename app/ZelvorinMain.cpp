// Program entry: the application titled "Zelvorin", the main window, the
// About window kept hidden for later, then the message loop.
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "skin/load/MessageDialog.h"
#include "skin/load/WinSkinStore.h"
#include "skin/model/WinSkinData.h"
#include "ui/AnsiText.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace {

// Text in the controls goes through the system's own code page tables.
void UseSystemCodePage()
{
    ui::SetAnsiCodec({
        [](std::string_view text) {
            std::wstring wide;
            if (text.empty())
                return wide;
            const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
            wide.resize(static_cast<std::size_t>(length));
            MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
            return wide;
        },
        [](std::wstring_view text) {
            std::string ansi;
            if (text.empty())
                return ansi;
            const int length = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                                   nullptr, nullptr);
            ansi.resize(static_cast<std::size_t>(length));
            WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), ansi.data(), length, nullptr,
                                nullptr);
            return ansi;
        },
    });
}

// Messages of the skin reader appear as real message boxes over the active window.
void ShowSkinMessagesInBoxes()
{
    SetMessageDialogHook([](std::string_view text) {
        const std::string message(text);
        MessageBoxA(GetActiveWindow(), message.c_str(), Application->Title().c_str(), MB_OK);
    });
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    UseSystemCodePage();
    ShowSkinMessagesInBoxes();
    ui::RegisterClasses({&TSkinStore::ClassInfo, &TSkinData::ClassInfo});
    Application->Initialize();
    Application->SetTitle("Zelvorin");
    Application->CreateForm(Form1);
    Application->CreateForm(Form2);
    Application->Run();
    return 0;
}
