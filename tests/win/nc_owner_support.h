// Shared by the non-client object tests: a real top-level window that records
// the messages the objects send it, and an owner that stands in for the form
// skinner, answering from plain fields and recording what it is asked to do.
#pragma once

#include "skin/chrome/NCOwner.h"
#include "skin/model/SkinElements.h"
#include "skin/model/SkinMessages.h"
#include "skin/model/WinSkinData.h"
#include "ui/Bitmap.h"
#include "ui/Handles.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace nctest {

struct Received {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// What a test window received, and how it answers SKM_BUTTONVISIBLE (not at all when unset).
struct Recorder {
    std::vector<Received> received;
    std::optional<LRESULT> buttonVisibleAnswer;
    // Further messages recorded on their way to the default procedure.
    std::vector<UINT> watched;

    std::vector<Received> Of(UINT message) const
    {
        std::vector<Received> found;
        for (const Received& r : received) {
            if (r.message == message)
                found.push_back(r);
        }
        return found;
    }
};

inline LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* recorder = reinterpret_cast<Recorder*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (recorder != nullptr) {
        // Commands are recorded, never carried out: the window stays as it is.
        if (message == WM_SYSCOMMAND || message == SKM_CUSTOMBUTTON) {
            recorder->received.push_back({message, wParam, lParam});
            return 0;
        }
        if (std::find(recorder->watched.begin(), recorder->watched.end(), message) != recorder->watched.end())
            recorder->received.push_back({message, wParam, lParam});
        if (message == SKM_BUTTONVISIBLE) {
            recorder->received.push_back({message, wParam, lParam});
            if (recorder->buttonVisibleAnswer)
                return *recorder->buttonVisibleAnswer;
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

inline LRESULT CALLBACK RecordingMdiChildProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        const auto* mdi = static_cast<const MDICREATESTRUCTA*>(create->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, mdi->lParam);
    }
    auto* recorder = reinterpret_cast<Recorder*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (recorder != nullptr && message == WM_SYSCOMMAND) {
        recorder->received.push_back({message, wParam, lParam});
        return 0;
    }
    return DefMDIChildProcA(window, message, wParam, lParam);
}

inline const char* RecordingClass()
{
    static const ATOM atom = [] {
        WNDCLASSA c{};
        c.lpfnWndProc = &RecordingProc;
        c.hInstance = GetModuleHandleA(nullptr);
        c.lpszClassName = "ZelNcRecording";
        c.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        return RegisterClassA(&c);
    }();
    return atom != 0 ? "ZelNcRecording" : nullptr;
}

inline const char* RecordingMdiChildClass()
{
    static const ATOM atom = [] {
        WNDCLASSA c{};
        c.lpfnWndProc = &RecordingMdiChildProc;
        c.hInstance = GetModuleHandleA(nullptr);
        c.lpszClassName = "ZelNcRecordingChild";
        return RegisterClassA(&c);
    }();
    return atom != 0 ? "ZelNcRecordingChild" : nullptr;
}

// Handles whatever is queued for this thread.
inline void Drain()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// A recording window; a popup (no frame of the system's) when shown, so that
// its window DC is exactly its picture.
class TestWindow {
public:
    explicit TestWindow(bool shown = false, int width = 300, int height = 60)
    {
        const DWORD style = shown ? WS_POPUP | WS_VISIBLE : WS_OVERLAPPEDWINDOW;
        window_.reset(CreateWindowExA(shown ? WS_EX_TOPMOST : 0, RecordingClass(), "nc", style, 0, 0, width,
                                      height, nullptr, nullptr, GetModuleHandleA(nullptr), &recorder));
        Drain();
    }
    HWND get() const { return window_.get(); }
    Recorder recorder;

private:
    ui::UniqueWindow window_;
};

// The owner the objects talk to; Base is TNCOwner or an interface built on it.
template <class Base = TNCOwner>
class BasicTestOwner : public Base {
public:
    explicit BasicTestOwner(HWND window) : window_(window) {}

    TNCObject* HotObject() const override { return hot; }
    void SetHotObject(TNCObject* object) override { hot = object; }
    HWND Handle() const override { return window_; }
    TSkinData& SkinData() const override { return skinData; }
    int WindowWidth() const override { return windowWidth; }
    int BorderLeft() const override { return borderLeft; }
    int BorderRight() const override { return borderRight; }
    int TitleHeight() const override { return titleHeight; }
    int MenuBarHeight() const override { return menuBarHeight; }
    TNCRect CaptionRect() const override { return captionRect; }
    bool IsRightToLeft() const override { return rightToLeft; }
    bool IsMaximized() const override { return maximized; }
    bool IsActive() const override { return active; }
    bool HasMaximizeBox() const override { return maximizeBox; }
    bool HasMinimizeBox() const override { return minimizeBox; }
    bool HasSystemMenu() const override { return systemMenu; }
    TNCBorderKind BorderKind() const override { return borderKind; }
    bool IsDialogClass() const override { return dialogClass; }
    bool ShowsMdiChildButtons() const override { return mdiChildButtons; }
    void DrawWindowIcon(HDC dc, const RECT& rect) override
    {
        iconRects.push_back(rect);
        const ui::UniqueBrush brush(CreateSolidBrush(iconColour));
        FillRect(dc, &rect, brush.get());
    }
    TMenuBarBackdrop MenuBarBackdrop() const override { return backdrop; }
    HMENU SystemMenu() const override { return systemMenuHandle; }
    HWND MdiClient() const override { return mdiClient; }
    void StopHoverTimer() override { ++hoverTimerStops; }
    void ToggleMaximize() override { ++maximizeToggles; }
    void ToggleMinimize() override { ++minimizeToggles; }
    void OpenSysMenu(POINT screenPoint) override { sysMenuPoints.push_back(screenPoint); }

    mutable TSkinData skinData{nullptr};
    TNCObject* hot = nullptr;
    int windowWidth = 300;
    int borderLeft = 4;
    int borderRight = 6;
    int titleHeight = 30;
    int menuBarHeight = 0;
    TNCRect captionRect{};
    bool rightToLeft = false;
    bool maximized = false;
    bool active = true;
    bool maximizeBox = true;
    bool minimizeBox = true;
    bool systemMenu = true;
    TNCBorderKind borderKind = bkSizeable;
    bool dialogClass = false;
    bool mdiChildButtons = false;
    TMenuBarBackdrop backdrop;
    HMENU systemMenuHandle = nullptr;
    HWND mdiClient = nullptr;
    COLORREF iconColour = RGB(1, 99, 201);

    std::vector<RECT> iconRects;
    int hoverTimerStops = 0;
    int maximizeToggles = 0;
    int minimizeToggles = 0;
    std::vector<POINT> sysMenuPoints;

private:
    HWND window_;
};
using TestOwner = BasicTestOwner<>;

// ---- pictures

inline constexpr TColor Magenta = 0xFF00FF;

// Cell i of every test strip has a colour of its own; its first column is magenta.
constexpr TColor CellColour(int cell)
{
    return RGBColor(static_cast<std::uint8_t>(30 + 40 * cell), static_cast<std::uint8_t>(220 - 35 * cell),
                    static_cast<std::uint8_t>(60 + 15 * cell));
}

inline void SetPixelOf(TBitmap& bitmap, int x, int y, TColor colour)
{
    std::uint8_t* p = bitmap.ScanLine(y) + x * (bitmap.PixelFormat() == pf32bit ? 4 : 3);
    p[0] = BlueOf(colour);
    p[1] = GreenOf(colour);
    p[2] = RedOf(colour);
}

inline TColor PixelOf(TBitmap& bitmap, int x, int y)
{
    const std::uint8_t* p = bitmap.ScanLine(y) + x * (bitmap.PixelFormat() == pf32bit ? 4 : 3);
    return RGBColor(p[2], p[1], p[0]);
}

inline void Fill(TBitmap& bitmap, TColor colour)
{
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            SetPixelOf(bitmap, x, y, colour);
}

struct ButtonKeys {
    int action = 4;
    int align = 0;
    int x = 0;
    int y = 0;
    int visibility = 0;
    int visibility1 = 0;
    int cells = 4;
    int cellWidth = 10;
    int height = 8;
};

// A caption-button element whose strip has keys.cells cells of CellColour.
inline std::unique_ptr<TDataSkinSysButton> MakeButton(const ButtonKeys& keys)
{
    auto element = std::make_unique<TDataSkinSysButton>("BUTTON" + std::to_string(keys.action));
    element->Action = keys.action;
    element->Align = keys.align;
    element->XCoord = keys.x;
    element->YCoord = keys.y;
    element->Visibility = keys.visibility;
    element->Visibility1 = keys.visibility1;
    element->FrameCount = keys.cells;
    element->Trans = 1;
    if (keys.cells > 0 && keys.cellWidth > 0) {
        element->Bitmap.SetSize(keys.cells * keys.cellWidth, keys.height);
        for (int y = 0; y < keys.height; ++y)
            for (int x = 0; x < keys.cells * keys.cellWidth; ++x) {
                const TColor colour = x % keys.cellWidth == 0 ? Magenta : CellColour(1 + x / keys.cellWidth);
                SetPixelOf(element->Bitmap, x, y, colour);
            }
    }
    return element;
}

} // namespace nctest
