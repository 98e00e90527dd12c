// Program entry: the application titled "Zelvorin", the main window, the
// About window kept hidden for later, then the message loop.
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "skin/load/MessageDialog.h"
#include "skin/load/WinSkinStore.h"
#include "skin/model/WinSkinData.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace {

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
    ShowSkinMessagesInBoxes();
    ui::RegisterClasses({&TSkinStore::ClassInfo, &TSkinData::ClassInfo});
    Application->Initialize();
    Application->SetTitle("Zelvorin");
    Application->CreateForm(Form1);
    Application->CreateForm(Form2);
    Application->Run();
    return 0;
}
