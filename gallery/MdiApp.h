// A small MDI application of plain Win32 windows, for the gallery's MDI
// window, the MDI tests and the MDI demo: a frame whose procedure ends in
// DefFrameProc, its "MDIClient" child, a frame menu whose "窗口" drop-down is
// given to WM_MDISETMENU so that the system keeps the window list in it, and
// MDI children whose procedure ends in DefMDIChildProc. None of them is a
// framework window: the engine skins them as windows of the process without
// framework object.
#pragma once

#include "ui/Handles.h"

#include <windows.h>

#include <functional>
#include <string>

namespace mdiapp {

// Commands of the frame menu.
enum Command : UINT {
    cmNewChild = 100,
    cmCloseChild,
    cmExit,
    cmCascade,
    cmTile,
};
// The window list's first command; the client numbers the children from it.
inline constexpr UINT kFirstChildId = 1000;
// Position of the "窗口" drop-down in the frame menu.
inline constexpr int kWindowMenuPosition = 1;

class TMdiApp {
public:
    // Makes the frame, hidden, with its client and its menu, at bounds (screen coordinates).
    explicit TMdiApp(const RECT& bounds, const char* title = "Zelvorin MDI");
    // Destroys the children, then the frame, then the menu.
    ~TMdiApp();
    TMdiApp(const TMdiApp&) = delete;
    TMdiApp& operator=(const TMdiApp&) = delete;

    HWND Frame() const { return frame_.get(); }
    HWND Client() const { return client_; }
    // The menu given to WM_MDISETMENU, and its drop-down that holds the window list.
    HMENU FrameMenu() const { return frameMenu_.get(); }
    HMENU WindowMenu() const { return GetSubMenu(frameMenu_.get(), kWindowMenuPosition); }

    void Show(int command = SW_SHOW);
    // An MDI child made through WM_MDICREATE, at bounds in the client's
    // coordinates (CW_USEDEFAULT lets the client choose); null when refused.
    HWND AddChild(const std::string& title, const RECT& bounds, DWORD style = 0);
    // A child at the client's own choice of place and size.
    HWND AddChild(const std::string& title);
    // The frame's destruction ends the thread's message loop (the demo).
    bool QuitOnDestroy = false;
    // Sees every message of the frame and of the children before their procedures do.
    std::function<void(HWND window, UINT message)> Observer;

private:
    static LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    static LRESULT CALLBACK ChildProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    static TMdiApp* AppOf(HWND frame);
    static void RegisterClasses();
    LRESULT HandleFrame(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleChild(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Observe(HWND window, UINT message) const;
    void CreateClient(HWND frame);
    void DestroyChildren();
    void OnCommand(UINT command);

    ui::UniqueMenu frameMenu_;
    ui::UniqueWindow frame_;
    HWND client_ = nullptr; // destroyed with the frame
    int childrenMade_ = 0;
};

} // namespace mdiapp
