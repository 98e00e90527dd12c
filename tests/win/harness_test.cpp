// Proves the Wine harness gives a program its whole window: a window paints a
// known colour through its own WM_NCPAINT and another through WM_PAINT, and
// the screen read back through the desktop DC shows both where they belong.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

constexpr COLORREF frameColour = RGB(200, 30, 60);
constexpr COLORREF clientColour = RGB(20, 160, 90);

LRESULT CALLBACK PatternProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCPAINT: {
        HDC dc = GetWindowDC(window);
        RECT bounds;
        GetWindowRect(window, &bounds);
        OffsetRect(&bounds, -bounds.left, -bounds.top);
        HBRUSH brush = CreateSolidBrush(frameColour);
        FillRect(dc, &bounds, brush);
        DeleteObject(brush);
        ReleaseDC(window, dc);
        return 0;
    }
    case WM_NCACTIVATE:
        // Keep the system from drawing its own caption over ours.
        RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        HBRUSH brush = CreateSolidBrush(clientColour);
        FillRect(dc, &ps.rcPaint, brush);
        DeleteObject(brush);
        EndPaint(window, &ps);
        return 0;
    }
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

void PumpFor(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    MSG msg;
    while (GetTickCount() - start < milliseconds) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(10);
    }
}

// Reads the screen pixels of a rectangle as 0x00RRGGBB values, top row first.
std::vector<std::uint32_t> ReadScreen(const RECT& area)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    std::vector<std::uint32_t> result(pixels, pixels + static_cast<size_t>(width) * height);
    SelectObject(memory, old);
    DeleteObject(dib);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    for (auto& p : result)
        p &= 0xFFFFFF;
    return result;
}

std::uint32_t AsScreenPixel(COLORREF c)
{
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

} // namespace

TEST(Harness, RunsInTheChineseCodePage)
{
    EXPECT_EQ(GetACP(), 936u);
}

TEST(Harness, NonClientAreaBelongsToTheProgram)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = PatternProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ZelvorinHarnessPattern";
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    ASSERT_TRUE(RegisterClassA(&wc));
    HWND window = CreateWindowExA(0, wc.lpszClassName, "Harness", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 80, 320,
                                  240, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    SetForegroundWindow(window);
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    PumpFor(400);

    RECT bounds;
    GetWindowRect(window, &bounds);
    const std::vector<std::uint32_t> pixels = ReadScreen(bounds);
    const int width = bounds.right - bounds.left;
    POINT clientOrigin{0, 0};
    ClientToScreen(window, &clientOrigin);
    RECT client;
    GetClientRect(window, &client);
    const int cx = clientOrigin.x - bounds.left + client.right / 2;
    const int cy = clientOrigin.y - bounds.top + client.bottom / 2;

    ASSERT_GT(clientOrigin.y - bounds.top, 2) << "the window has a caption area";
    EXPECT_EQ(pixels[2 * width + width / 2], AsScreenPixel(frameColour)) << "caption pixel";
    EXPECT_EQ(pixels[static_cast<size_t>(cy) * width + cx], AsScreenPixel(clientColour)) << "client pixel";

    DestroyWindow(window);
    UnregisterClassA(wc.lpszClassName, wc.hInstance);
}
