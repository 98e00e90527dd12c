#include "gallery/MdiApp.h"

#include "ui/ExceptionBoundary.h"

#include <stdexcept>

namespace mdiapp {

namespace {

constexpr const char* kFrameClass = "ZelMdiFrame";
constexpr const char* kChildClass = "ZelMdiChild";

HMENU BuildFrameMenu()
{
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, cmNewChild, "新建(&N)");
    AppendMenuA(file, MF_STRING, cmCloseChild, "关闭(&C)");
    AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(file, MF_STRING, cmExit, "退出(&X)");
    HMENU windows = CreatePopupMenu();
    AppendMenuA(windows, MF_STRING, cmCascade, "层叠(&C)");
    AppendMenuA(windows, MF_STRING, cmTile, "平铺(&T)");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "文件(&F)");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(windows), "窗口(&W)");
    return bar;
}

} // namespace

void TMdiApp::RegisterClasses()
{
    const HINSTANCE module = GetModuleHandleA(nullptr);
    WNDCLASSA existing{};
    if (GetClassInfoA(module, kFrameClass, &existing))
        return;
    WNDCLASSA frame{};
    frame.lpfnWndProc = &TMdiApp::FrameProc;
    frame.hInstance = module;
    frame.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    frame.hCursor = LoadCursor(nullptr, IDC_ARROW);
    frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    frame.lpszClassName = kFrameClass;
    WNDCLASSA child = frame;
    child.style = CS_HREDRAW | CS_VREDRAW;
    child.lpfnWndProc = &TMdiApp::ChildProc;
    child.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    child.lpszClassName = kChildClass;
    if (!RegisterClassA(&frame) || !RegisterClassA(&child))
        throw std::runtime_error("the MDI window classes cannot be registered");
}

TMdiApp::TMdiApp(const RECT& bounds, const char* title) : frameMenu_(BuildFrameMenu())
{
    RegisterClasses();
    const HWND frame = CreateWindowExA(0, kFrameClass, title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, bounds.left,
                                       bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, nullptr,
                                       nullptr, GetModuleHandleA(nullptr), this);
    if (frame == nullptr || client_ == nullptr)
        throw std::runtime_error("the MDI frame cannot be made");
    frame_.reset(frame);
    // Given this way rather than at the client's creation, the system keeps
    // the window list in the drop-down and the frame shows the menu.
    SendMessageA(client_, WM_MDISETMENU, reinterpret_cast<WPARAM>(FrameMenu()),
                 reinterpret_cast<LPARAM>(WindowMenu()));
    DrawMenuBar(frame);
}

TMdiApp::~TMdiApp()
{
    // The frame's WM_NCDESTROY gives the handle up and takes its menu off.
    if (frame_) {
        DestroyChildren();
        DestroyWindow(frame_.get());
    }
}

void TMdiApp::DestroyChildren()
{
    // Children left to go with the frame are destroyed after the client has
    // freed its list of them, which Wine's DefMDIChildProc still reads to
    // update the window list; the fault it raises unwinds past every window
    // procedure in between. An MDI program closes its documents first.
    while (const HWND child = GetWindow(client_, GW_CHILD)) {
        SendMessageA(client_, WM_MDIDESTROY, reinterpret_cast<WPARAM>(child), 0);
        if (IsWindow(child))
            DestroyWindow(child);
    }
}

void TMdiApp::Show(int command)
{
    ShowWindow(Frame(), command);
    UpdateWindow(Frame());
}

HWND TMdiApp::AddChild(const std::string& title, const RECT& bounds, DWORD style)
{
    MDICREATESTRUCTA create{};
    create.szClass = kChildClass;
    create.szTitle = title.c_str();
    create.hOwner = GetModuleHandleA(nullptr);
    create.x = bounds.left;
    create.y = bounds.top;
    create.cx = bounds.right == static_cast<LONG>(CW_USEDEFAULT) ? CW_USEDEFAULT : bounds.right - bounds.left;
    create.cy = bounds.bottom == static_cast<LONG>(CW_USEDEFAULT) ? CW_USEDEFAULT : bounds.bottom - bounds.top;
    create.style = style;
    const auto child =
        reinterpret_cast<HWND>(SendMessageA(client_, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
    if (child != nullptr)
        ++childrenMade_;
    return child;
}

HWND TMdiApp::AddChild(const std::string& title)
{
    const auto dflt = static_cast<LONG>(CW_USEDEFAULT);
    return AddChild(title, RECT{dflt, dflt, dflt, dflt});
}

TMdiApp* TMdiApp::AppOf(HWND frame) { return reinterpret_cast<TMdiApp*>(GetWindowLongPtrA(frame, GWLP_USERDATA)); }

void TMdiApp::Observe(HWND window, UINT message) const
{
    if (Observer)
        Observer(window, message);
}

LRESULT CALLBACK TMdiApp::FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    return ui::RunGuarded(nullptr, LRESULT{0}, [=]() -> LRESULT {
        if (message == WM_NCCREATE) {
            const auto& create = *reinterpret_cast<const CREATESTRUCTA*>(lParam);
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create.lpCreateParams));
        }
        TMdiApp* app = AppOf(window);
        if (app == nullptr)
            return DefFrameProcA(window, nullptr, message, wParam, lParam);
        return app->HandleFrame(window, message, wParam, lParam);
    });
}

LRESULT CALLBACK TMdiApp::ChildProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    return ui::RunGuarded(nullptr, LRESULT{0}, [=]() -> LRESULT {
        // A child's parent is the client, whose parent is the frame.
        TMdiApp* app = AppOf(GetParent(GetParent(window)));
        if (app == nullptr)
            return DefMDIChildProcA(window, message, wParam, lParam);
        return app->HandleChild(window, message, wParam, lParam);
    });
}

void TMdiApp::CreateClient(HWND frame)
{
    CLIENTCREATESTRUCT create{};
    create.hWindowMenu = nullptr;
    create.idFirstChild = kFirstChildId;
    client_ = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                              WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE, 0, 0, 0, 0, frame,
                              nullptr, GetModuleHandleA(nullptr), &create);
}

void TMdiApp::OnCommand(UINT command)
{
    switch (command) {
    case cmNewChild:
        AddChild("文档 " + std::to_string(childrenMade_ + 1));
        break;
    case cmCloseChild:
        if (const auto active = reinterpret_cast<HWND>(SendMessageA(client_, WM_MDIGETACTIVE, 0, 0)))
            SendMessageA(client_, WM_MDIDESTROY, reinterpret_cast<WPARAM>(active), 0);
        break;
    case cmExit:
        DestroyChildren();
        DestroyWindow(Frame());
        break;
    case cmCascade:
        SendMessageA(client_, WM_MDICASCADE, 0, 0);
        break;
    case cmTile:
        SendMessageA(client_, WM_MDITILE, MDITILE_VERTICAL, 0);
        break;
    default:
        break;
    }
}

LRESULT TMdiApp::HandleFrame(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Observe(window, message);
    switch (message) {
    case WM_CREATE:
        CreateClient(window);
        return client_ != nullptr ? 0 : -1;
    case WM_COMMAND:
        if (LOWORD(wParam) >= cmNewChild && LOWORD(wParam) <= cmTile) {
            OnCommand(LOWORD(wParam));
            return 0;
        }
        break;
    case WM_CLOSE:
        DestroyChildren();
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        if (QuitOnDestroy)
            PostQuitMessage(0);
        break;
    case WM_NCDESTROY: {
        // The menu is ours: the system would destroy it with the frame.
        if (GetMenu(window) == frameMenu_.get())
            SetMenu(window, nullptr);
        const LRESULT result = DefFrameProcA(window, client_, message, wParam, lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        client_ = nullptr;
        frame_.release();
        return result;
    }
    default:
        break;
    }
    return DefFrameProcA(window, client_, message, wParam, lParam);
}

LRESULT TMdiApp::HandleChild(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Observe(window, message);
    return DefMDIChildProcA(window, message, wParam, lParam);
}

} // namespace mdiapp
