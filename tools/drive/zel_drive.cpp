// zel_drive: plays one step of a user's session with the lookup program from
// outside it, through real mouse and keyboard input, and returns once the
// program has shown the step's outcome. tools/run.sh takes a screenshot
// between steps.
//
//   zel_drive wait              until the main window is shown
//   zel_drive group NAME        click the group NAME in the group list
//   zel_drive search KEYWORD    click into the keyword box, type KEYWORD, press Enter
//   zel_drive about             click the main menu's item, until the About window shows
//   zel_drive hover             move the mouse onto the main menu's item
//   zel_drive sysmenu           press Alt+Space, until the system menu shows
//   zel_drive context           right-click into the result list, until its menu shows
//   zel_drive escape            press Esc, until no menu shows
//   zel_drive ok                click the About window's OK button, until it is gone
//   zel_drive quit              close the main window
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr wchar_t mainTitle[] = L"Zelvorin";
constexpr wchar_t aboutTitle[] = L"\x5173\x4E8E\x201CZelvorin\x201D"; // 关于“Zelvorin”

// The window once it is shown, or null after milliseconds.
HWND WaitForWindow(const wchar_t* title, int milliseconds = 10000)
{
    for (int waited = 0; waited <= milliseconds; waited += 50) {
        HWND window = FindWindowW(nullptr, title);
        if (window && IsWindowVisible(window))
            return window;
        Sleep(50);
    }
    return nullptr;
}

// True once no shown window has the title.
bool WaitForWindowGone(const wchar_t* title, int milliseconds = 10000)
{
    for (int waited = 0; waited <= milliseconds; waited += 50) {
        HWND window = FindWindowW(nullptr, title);
        if (!window || !IsWindowVisible(window))
            return true;
        Sleep(50);
    }
    return false;
}

struct ChildSearch {
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK MatchChild(HWND window, LPARAM data) noexcept
{
    auto* search = reinterpret_cast<ChildSearch*>(data);
    wchar_t name[64]{};
    GetClassNameW(window, name, 64);
    if (lstrcmpiW(name, search->className) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindChild(HWND parent, const wchar_t* className)
{
    ChildSearch search{className, nullptr};
    EnumChildWindows(parent, &MatchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void SendInputs(std::vector<INPUT> inputs)
{
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Sleep(150);
}

void ClickScreen(POINT at, bool right = false)
{
    SetCursorPos(at.x, at.y);
    INPUT down{};
    down.type = INPUT_MOUSE;
    down.mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    INPUT up = down;
    up.mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    SendInputs({down, up});
}

void ClickClient(HWND window, int x, int y)
{
    POINT at{x, y};
    ClientToScreen(window, &at);
    ClickScreen(at);
}

INPUT KeyInput(WORD key, DWORD flags = 0)
{
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = key;
    in.ki.dwFlags = flags;
    return in;
}

void PressKey(WORD key) { SendInputs({KeyInput(key), KeyInput(key, KEYEVENTF_KEYUP)}); }

void TypeText(const std::wstring& text)
{
    std::vector<INPUT> inputs;
    for (const wchar_t c : text) {
        INPUT down{};
        down.type = INPUT_KEYBOARD;
        down.ki.wScan = c;
        down.ki.dwFlags = KEYEVENTF_UNICODE;
        INPUT up = down;
        up.ki.dwFlags |= KEYEVENTF_KEYUP;
        inputs.push_back(down);
        inputs.push_back(up);
    }
    SendInputs(inputs);
}

// A popup menu of the thread's windows, once one shows; null after milliseconds.
HWND WaitForMenu(int milliseconds = 5000)
{
    for (int waited = 0; waited <= milliseconds; waited += 50) {
        HWND menu = FindWindowW(L"#32768", nullptr);
        if (menu && IsWindowVisible(menu))
            return menu;
        Sleep(50);
    }
    return nullptr;
}

void MoveMouse(POINT to)
{
    SetCursorPos(to.x, to.y);
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dwFlags = MOUSEEVENTF_MOVE;
    SendInputs({move});
}

// The main menu's item: the bar lies just above the client area, its one item at the left.
POINT MenuItemPoint(HWND main)
{
    POINT origin{0, 0};
    ClientToScreen(main, &origin);
    return {origin.x + 20, origin.y - GetSystemMetrics(SM_CYMENU) / 2};
}

// Waits until the result list has settled on a row count other than before.
bool WaitForResults(HWND list, LRESULT before)
{
    for (int waited = 0; waited < 5000; waited += 50) {
        if (SendMessageW(list, 0x1004 /* LVM_GETITEMCOUNT */, 0, 0) != before)
            return true;
        Sleep(50);
    }
    return false;
}

int Fail(const char* what)
{
    std::fprintf(stderr, "zel_drive: %s\n", what);
    return 1;
}

int Run(const std::vector<std::wstring>& args)
{
    if (args.empty())
        return Fail("usage: zel_drive wait|group NAME|search KEYWORD|middle|about|hover|sysmenu|context|escape|ok|quit");
    const std::wstring& step = args[0];
    if (step == L"wait")
        return WaitForWindow(mainTitle) ? 0 : Fail("the main window did not show");

    HWND main = WaitForWindow(mainTitle);
    if (!main)
        return Fail("no main window");
    SetForegroundWindow(main);
    HWND results = FindChild(main, L"SysListView32");
    if (step == L"group" && args.size() == 2) {
        HWND groups = FindChild(main, L"ListBox");
        const LRESULT index =
            SendMessageW(groups, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(args[1].c_str()));
        if (index == LB_ERR)
            return Fail("no such group");
        SendMessageW(groups, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
        const LRESULT top = SendMessageW(groups, LB_GETTOPINDEX, 0, 0);
        const LRESULT height = SendMessageW(groups, LB_GETITEMHEIGHT, 0, 0);
        const LRESULT before = SendMessageW(results, 0x1004, 0, 0);
        ClickClient(groups, 20, static_cast<int>((index - top) * height + height / 2));
        return WaitForResults(results, before) ? 0 : Fail("the group's rows did not show");
    }
    if (step == L"search" && args.size() == 2) {
        HWND edit = FindChild(main, L"Edit");
        RECT box{};
        GetClientRect(edit, &box);
        ClickClient(edit, box.right / 2, box.bottom / 2);
        SendMessageW(edit, EM_SETSEL, 0, -1);
        TypeText(args[1]);
        const LRESULT before = SendMessageW(results, 0x1004, 0, 0);
        PressKey(VK_RETURN);
        return WaitForResults(results, before) ? 0 : Fail("the search's rows did not show");
    }
    // Both lists scrolled to their middle, their skinned bars' thumbs with them.
    if (step == L"middle") {
        HWND groups = FindChild(main, L"ListBox");
        const LRESULT groupCount = SendMessageW(groups, LB_GETCOUNT, 0, 0);
        SendMessageW(groups, LB_SETTOPINDEX, static_cast<WPARAM>(groupCount / 3), 0);
        const LRESULT rows = SendMessageW(results, 0x1004, 0, 0);        // LVM_GETITEMCOUNT
        const LRESULT shown = SendMessageW(results, 0x1028, 0, 0);       // LVM_GETCOUNTPERPAGE
        SendMessageW(results, 0x1013, static_cast<WPARAM>(rows / 2 + shown / 2), FALSE); // LVM_ENSUREVISIBLE
        Sleep(300);
        return 0;
    }
    if (step == L"about") {
        ClickScreen(MenuItemPoint(main));
        return WaitForWindow(aboutTitle) ? 0 : Fail("the About window did not show");
    }
    if (step == L"hover") {
        MoveMouse(MenuItemPoint(main));
        return 0;
    }
    if (step == L"sysmenu") {
        SendInputs({KeyInput(VK_MENU), KeyInput(VK_SPACE), KeyInput(VK_SPACE, KEYEVENTF_KEYUP),
                    KeyInput(VK_MENU, KEYEVENTF_KEYUP)});
        return WaitForMenu() ? 0 : Fail("the system menu did not show");
    }
    if (step == L"context") {
        RECT box{};
        GetClientRect(results, &box);
        POINT at{box.right / 2, box.bottom / 2};
        ClientToScreen(results, &at);
        ClickScreen(at, true);
        return WaitForMenu() ? 0 : Fail("the context menu did not show");
    }
    if (step == L"escape") {
        PressKey(VK_ESCAPE);
        for (int waited = 0; waited < 3000 && FindWindowW(L"#32768", nullptr) != nullptr &&
                             IsWindowVisible(FindWindowW(L"#32768", nullptr));
             waited += 50)
            Sleep(50);
        return 0;
    }
    if (step == L"ok") {
        HWND about = FindWindowW(nullptr, aboutTitle);
        HWND ok = about ? FindWindowExW(about, nullptr, L"Button", nullptr) : nullptr;
        if (!ok)
            return Fail("no About window with its button");
        // The button clicks itself, as it does for a mouse click on it.
        PostMessageW(ok, BM_CLICK, 0, 0);
        return WaitForWindowGone(aboutTitle) ? 0 : Fail("the About window stayed");
    }
    if (step == L"quit") {
        PostMessageW(main, WM_CLOSE, 0, 0);
        return WaitForWindowGone(mainTitle) ? 0 : Fail("the main window stayed");
    }
    return Fail("unknown step");
}

} // namespace

int main()
{
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> args;
    for (int i = 1; i < count; ++i)
        args.emplace_back(argv[i]);
    LocalFree(argv);
    return Run(args);
}
