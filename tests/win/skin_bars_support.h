// Shared by the bar skinner tests (progress, status, track bars, up-downs,
// size boxes): a form with a test host, pictures whose frames each have a
// colour of their own, and the screen read back into memory.
#pragma once

#include "tests/win/MessageSequence.h"
#include "tests/win/skin_button_support.h"

#include "skin/model/SkinElements.h"
#include "ui/Forms.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace skinbarstest {

using namespace skinbuttontest;
using skincontroltest::kSkinFace;
using skincontroltest::TestHost;

inline void Flush(int milliseconds = 30)
{
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
    do {
        Application->ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (GetTickCount64() < end);
}

// An element of `count` frames of width x height, frame i in colour(i).
inline std::unique_ptr<TDataSkinObject> Element(const char* name, int count, int width, int height,
                                                const std::function<COLORREF(int)>& colour)
{
    auto element = std::make_unique<TDataSkinObject>(name);
    PaintCells(element->Bitmap, count, width, height, colour);
    element->FrameCount = count;
    return element;
}

inline std::unique_ptr<TDataSkinBorder> BorderElement(const char* name, int count, int width, int height,
                                                      const std::function<COLORREF(int)>& colour)
{
    auto element = std::make_unique<TDataSkinBorder>(name);
    PaintCells(element->Bitmap, count, width, height, colour);
    element->FrameCount = count;
    return element;
}

// The whole window as it is on the screen, copied into memory.
struct Capture {
    explicit Capture(HWND window)
    {
        RECT rect{};
        GetWindowRect(window, &rect);
        width = rect.right - rect.left;
        height = rect.bottom - rect.top;
        surface = std::make_unique<Surface>(width, height);
        const ui::UniqueWindowDC dc = ui::UniqueWindowDC::Whole(window);
        BitBlt(surface->dc.get(), 0, 0, width, height, dc.get(), 0, 0, SRCCOPY);
    }
    COLORREF At(int x, int y) const { return GetPixel(surface->dc.get(), x, y); }
    int Count(const RECT& area, COLORREF colour, int tolerance = 40) const
    {
        return CountNear(surface->dc.get(), area, colour, tolerance);
    }
    HDC dc() const { return surface->dc.get(); }

    int width = 0;
    int height = 0;
    std::unique_ptr<Surface> surface;
};

// Repaints the window now and lets the X server catch up.
inline void Redraw(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Flush(100);
}

// Pixels of area that differ between two captures.
inline int Differences(const Capture& a, const Capture& b, const RECT& area)
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += a.At(x, y) != b.At(x, y) ? 1 : 0;
    return count;
}

// What a control's own code receives, less the painting around it: the
// skinner paints in its place, reads the caption at each paint and answers
// the custom drawing.
inline std::vector<msgseq::Entry> Behaviour(const std::vector<msgseq::Entry>& entries)
{
    std::vector<msgseq::Entry> kept;
    for (const msgseq::Entry& entry : entries) {
        switch (entry.message) {
        case WM_PAINT:
        case WM_ERASEBKGND:
        case WM_NCPAINT:
        case WM_PRINTCLIENT:
        case WM_GETTEXT:
        case WM_GETTEXTLENGTH:
        case CN_CTLCOLORSTATIC:
            break;
        case CN_NOTIFY:
            if ((entry.flags & msgseq::LParamContent) &&
                static_cast<UINT>(entry.lParam) == static_cast<UINT>(NM_CUSTOMDRAW))
                break;
            kept.push_back(entry);
            break;
        default:
            kept.push_back(entry);
        }
    }
    return kept;
}

class BarsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { Application->Initialize(); }

    void SetUp() override
    {
        SetCursorPos(0, 0);
        host = std::make_unique<TestHost>();
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(150, 120, 420, 320);
        form->Show();
        Flush();
    }
    void TearDown() override
    {
        form.reset();
        host.reset();
        Flush();
    }

    template <class T>
    T* Place(int left, int top, int width, int height)
    {
        auto* control = new T(form.get());
        control->SetBounds(left, top, width, height);
        control->SetParent(form.get());
        return control;
    }

    template <class Skinner>
    Skinner* Skin(TControl& control)
    {
        auto* skinner = new Skinner(&control);
        skinner->InitControl(host.get(), &host->Skin, false, &host->Canvas);
        return skinner;
    }

    std::unique_ptr<TestHost> host;
    std::unique_ptr<TForm> form;
};

} // namespace skinbarstest
