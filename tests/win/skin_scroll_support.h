// Shared by the scroll-bar skinner tests: a skin whose every bar frame,
// track frame and thumb frame has a colour of its own, screen pixels, the
// system's thumb layout, and real mouse gestures sent from a second thread
// (a press on a bar runs the system's modal loop on the test's thread).
#pragma once

#include "tests/win/skin_button_support.h"
#include "tests/win/skin_control_support.h"

#include "ui/Forms.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace skinscrolltest {

using skinbuttontest::Near;

inline int ArrowSize() { return GetSystemMetrics(SM_CXHSCROLL); }

// Frame i (from 1) of the 23-frame Scrollbar picture.
inline COLORREF BarColour(int frame) { return RGB(8 * frame, 30 + 4 * frame, 250 - 9 * frame); }
inline COLORREF VertTrackColour(int frame) { return RGB(230, 40 * frame, 20); }
inline COLORREF HorzTrackColour(int frame) { return RGB(180, 40 * frame, 120); }
inline COLORREF VertThumbColour(int frame) { return RGB(20, 230, 60 * frame); }
inline COLORREF HorzThumbColour(int frame) { return RGB(110, 170, 60 * frame); }

inline void FillFrames(TDataSkinObject& element, int frames, int width, int height, COLORREF (*colour)(int))
{
    skinbuttontest::PaintCells(element.Bitmap, frames, width, height, colour);
    element.FrameCount = frames;
}

// The bar pictures at the system's arrow size.
inline void MakeScrollSkin(TSkinData& skin)
{
    const int a = ArrowSize();
    skin.Scrollbar = std::make_unique<TDataSkinObject>("Scrollbar");
    FillFrames(*skin.Scrollbar, 23, a, a, BarColour);
    skin.VertScroll = std::make_unique<TDataSkinObject>("VertScroll");
    FillFrames(*skin.VertScroll, 4, a, 12, VertTrackColour);
    skin.HorzScroll = std::make_unique<TDataSkinObject>("HorzScroll");
    FillFrames(*skin.HorzScroll, 4, 12, a, HorzTrackColour);
    skin.VertScrollThumb = std::make_unique<TDataSkinObject>("VertScrollThumb");
    FillFrames(*skin.VertScrollThumb, 3, a, 12, VertThumbColour);
    skin.HorzScrollThumb = std::make_unique<TDataSkinObject>("HorzScrollThumb");
    FillFrames(*skin.HorzScrollThumb, 3, 12, a, HorzThumbColour);
}

inline void Flush(int milliseconds = 30)
{
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
    do {
        Application->ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (GetTickCount64() < end);
}

inline COLORREF ScreenPixel(int x, int y)
{
    const ui::UniqueWindowDC screen = ui::UniqueWindowDC::Client(nullptr);
    return GetPixel(screen.get(), x, y);
}

inline RECT BarOnScreen(HWND window, bool vertical)
{
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    GetScrollBarInfo(window, vertical ? OBJID_VSCROLL : OBJID_HSCROLL, &info);
    return info.rcScrollBar;
}

inline POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

struct Extent {
    int start = -1;
    int end = -1;
};

// Where thumb and grip pixels lie along a bar on the screen, from its start.
inline Extent ThumbOnScreen(const RECT& bar, bool vertical)
{
    const ui::UniqueWindowDC screen = ui::UniqueWindowDC::Client(nullptr);
    const POINT middle = Centre(bar);
    const int length = vertical ? bar.bottom - bar.top : bar.right - bar.left;
    Extent found;
    for (int i = 0; i < length; ++i) {
        const COLORREF pixel = vertical ? GetPixel(screen.get(), middle.x, bar.top + i)
                                        : GetPixel(screen.get(), bar.left + i, middle.y);
        bool thumb = false;
        for (int frame = 1; frame <= 3; ++frame)
            thumb = thumb || Near(pixel, vertical ? VertThumbColour(frame) : HorzThumbColour(frame), 3);
        for (int frame = 17; frame <= 22; ++frame)
            thumb = thumb || Near(pixel, BarColour(frame), 3);
        if (!thumb)
            continue;
        if (found.start < 0)
            found.start = i;
        found.end = i + 1;
    }
    return found;
}

// The proportional thumb the system lays out from a window's scroll
// information over a bar of the given length.
inline Extent ExpectedThumb(HWND window, int bar, int length)
{
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(window, bar, &si);
    const int arrow = ArrowSize();
    const int track = length - 2 * arrow;
    int thumb = si.nPage ? MulDiv(track, static_cast<int>(si.nPage), si.nMax - si.nMin + 1) : arrow;
    thumb = std::max(thumb, 6);
    const int last = si.nMax - std::max(static_cast<int>(si.nPage) - 1, 0);
    const int start = last <= si.nMin ? arrow : arrow + MulDiv(track - thumb, si.nPos - si.nMin, last - si.nMin);
    return Extent{start, start + thumb};
}

// The thumb on the screen over a window's bar lies where the system lays it
// out from the window's scroll information.
inline void ExpectThumbWhereTheSystemHasIt(HWND window, bool vertical = true)
{
    const RECT bar = BarOnScreen(window, vertical);
    const Extent shown = ThumbOnScreen(bar, vertical);
    const Extent expected =
        ExpectedThumb(window, vertical ? SB_VERT : SB_HORZ, vertical ? bar.bottom - bar.top : bar.right - bar.left);
    EXPECT_NEAR(shown.start, expected.start, 1);
    EXPECT_NEAR(shown.end, expected.end, 1);
}

// One step of a gesture: the pointer to (x, y), then the button flags, then a pause.
struct Step {
    int x;
    int y;
    DWORD buttons; // 0, MOUSEEVENTF_LEFTDOWN or MOUSEEVENTF_LEFTUP
    int pauseMs;
};

inline void SendStep(const Step& step)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(step.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(step.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | step.buttons;
    SendInput(1, &input, sizeof input);
}

inline DWORD WINAPI PlaySteps(LPVOID steps) noexcept
{
    for (const Step& step : *static_cast<const std::vector<Step>*>(steps)) {
        SendStep(step);
        Sleep(static_cast<DWORD>(step.pauseMs));
    }
    return 0;
}

// Plays the steps from another thread while this one handles messages.
inline void Gesture(const std::vector<Step>& steps)
{
    const HANDLE player = CreateThread(nullptr, 0, PlaySteps, const_cast<std::vector<Step>*>(&steps), 0, nullptr);
    if (!player)
        return;
    while (WaitForSingleObject(player, 0) == WAIT_TIMEOUT) {
        Application->ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    CloseHandle(player);
    Flush(150);
}

// A click at a point: down, a short hold, up.
inline std::vector<Step> Click(POINT p) { return {{p.x, p.y, 0, 40}, {p.x, p.y, MOUSEEVENTF_LEFTDOWN, 60}, {p.x, p.y, MOUSEEVENTF_LEFTUP, 80}}; }

// A press at from, moved to to in a few steps, released there.
inline std::vector<Step> Drag(POINT from, POINT to)
{
    std::vector<Step> steps{{from.x, from.y, 0, 40}, {from.x, from.y, MOUSEEVENTF_LEFTDOWN, 60}};
    for (int i = 1; i <= 5; ++i)
        steps.push_back({from.x + (to.x - from.x) * i / 5, from.y + (to.y - from.y) * i / 5, 0, 40});
    steps.push_back({to.x, to.y, MOUSEEVENTF_LEFTUP, 80});
    return steps;
}

// A form shown at bounds, with a test host holding the bar pictures; each
// test places and skins its own controls.
class ScrollFormTest : public ::testing::Test {
protected:
    explicit ScrollFormTest(RECT bounds) : bounds_(bounds) {}
    static void SetUpTestSuite() { Application->Initialize(); }

    void SetUp() override
    {
        SetCursorPos(0, 0);
        MakeScrollSkin(host->Skin);
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(bounds_.left, bounds_.top, bounds_.right - bounds_.left, bounds_.bottom - bounds_.top);
        form->Show();
    }
    void TearDown() override
    {
        form.reset();
        host.reset();
        Flush();
    }

    std::unique_ptr<skincontroltest::TestHost> host = std::make_unique<skincontroltest::TestHost>();
    std::unique_ptr<TForm> form;

private:
    RECT bounds_;
};

} // namespace skinscrolltest
