// Keeps a Wine session warm: a hidden window whose message loop lives until
// the wineserver is stopped, so the desktop process does not exit and restart
// between test programs. Writes the file named on its command line once its
// window exists, so the harness knows the session is ready.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv)
{
    const HWND window = CreateWindowExA(0, "STATIC", "Zelvorin session keeper", WS_POPUP, 0, 0, 1, 1,
                                        nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!window)
        return 1;
    if (argc > 1) {
        if (std::FILE* ready = std::fopen(argv[1], "w"))
            std::fclose(ready);
    }
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    DestroyWindow(window);
    return 0;
}
