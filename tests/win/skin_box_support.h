// Shared by the tests of the bordered and container skinners: a form to put
// controls on, a host whose skin has known face and shadow colours, and
// reading what a window shows on the screen.
#pragma once

#include "tests/win/skin_button_support.h"

#include "ui/Forms.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace skinboxtest {

using skincontroltest::kSkinFace;
using skincontroltest::TestHost;

inline constexpr COLORREF kShadow = RGB(0x90, 0x10, 0x30);
inline constexpr TColor kFormColour = static_cast<TColor>(0x00204080);

inline void Flush(int milliseconds = 30)
{
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
    do {
        Application->ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (GetTickCount64() < end);
}

// The window's pixels as the screen shows them, row by row, the whole window.
inline std::vector<COLORREF> Shot(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    const ui::UniqueWindowDC dc = ui::UniqueWindowDC::Whole(window);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < rect.bottom - rect.top; ++y)
        for (int x = 0; x < rect.right - rect.left; ++x)
            pixels.push_back(GetPixel(dc.get(), x, y));
    return pixels;
}

// One pixel of the window (window coordinates) as the screen shows it now.
inline COLORREF ScreenPixel(HWND window, int x, int y)
{
    const ui::UniqueWindowDC dc = ui::UniqueWindowDC::Whole(window);
    return GetPixel(dc.get(), x, y);
}

// Repaints the window with its frame and lets the drawing reach the screen.
inline void Redraw(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Flush(100);
}

class BoxFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() { Application->Initialize(); }

    void SetUp() override
    {
        SetCursorPos(0, 0);
        host->Skin.ButtonShadowColour = static_cast<TColor>(kShadow);
        NewForm();
    }
    void TearDown() override
    {
        form.reset();
        host.reset();
        Flush();
    }

    void NewForm()
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(200, 150, 400, 300);
        form->SetColor(kFormColour);
        form->Show();
        Flush();
    }

    template <class T>
    T* Place(int left, int top, int width, int height, TWinControl* parent = nullptr)
    {
        auto* control = new T(form.get());
        control->SetBounds(left, top, width, height);
        control->SetParent(parent ? parent : form.get());
        return control;
    }

    template <class Skinner>
    Skinner* Skin(TControl& control, bool useSkinColor = false)
    {
        auto* skinner = new Skinner(&control);
        skinner->InitControl(host.get(), &host->Skin, useSkinColor, &host->Canvas);
        return skinner;
    }

    std::unique_ptr<TestHost> host = std::make_unique<TestHost>();
    std::unique_ptr<TForm> form;
};

} // namespace skinboxtest
