// Thousands of scrolls of every kind on a skinned scrolled control: presses
// on the overlay run the system's own tracking (the release, and for a drag
// the move, queued before the press so that the loop ends at once), the
// wheel, keys, scrolling in code and resizing. No handle, window DC or thunk
// may be left over, windows can still be made afterwards, and after each
// kind the thumb on the screen is where the system has it. Presses and the
// other kinds, on the list box and on the list view, run in four programs of
// their own, to keep each run short.
#pragma once

#include "tests/win/skin_scroll_support.h"

#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinScrollbar.h"
#include "ui/ComCtrls.h"
#include "ui/StdCtrls.h"
#include "ui/WndProcThunk.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace scrollsoaktest {

// Few enough for a thumb well above its least length, so that each line moves it.
inline constexpr int kItems = 30;

using skincontroltest::TestHost;
using namespace skinscrolltest;

inline constexpr int kScrolls = 2000;

// The window under test and its vertical overlay.
struct Subject {
    const char* name;
    TWinControl* control;
    TSkinScrollbar* skinner;
    bool listView;

    HWND Window() const { return control->Handle(); }
    HWND Overlay() const { return skinner->VertBar()->Handle(); }
};

inline SCROLLBARINFO BarInfo(HWND window)
{
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    GetScrollBarInfo(window, OBJID_VSCROLL, &info);
    return info;
}

// A press `along` pixels down the overlay; what the system's loop is to see
// first (a move to `releaseAlong`, then the release) is queued before it.
inline void PressOverlay(const Subject& subject, int along, int releaseAlong)
{
    const SCROLLBARINFO info = BarInfo(subject.Window());
    const int across = (info.rcScrollBar.right - info.rcScrollBar.left) / 2;
    POINT release{info.rcScrollBar.left + across, info.rcScrollBar.top + releaseAlong};
    ScreenToClient(subject.Window(), &release);
    const LPARAM at = MAKELPARAM(release.x, release.y);
    if (releaseAlong != along)
        PostMessageA(subject.Window(), WM_MOUSEMOVE, MK_LBUTTON, at);
    PostMessageA(subject.Window(), WM_LBUTTONUP, 0, at);
    SendMessageA(subject.Overlay(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(across, along));
}

inline int BarLength(const Subject& subject)
{
    const SCROLLBARINFO info = BarInfo(subject.Window());
    return info.rcScrollBar.bottom - info.rcScrollBar.top;
}

struct Kind {
    const char* name;
    void (*scroll)(const Subject&, int step);
};

// Presses on the overlay: the system's tracking loop each time.
inline const std::vector<Kind>& PressKinds()
{
    static const std::vector<Kind> kinds{
        {"thumb drag",
         [](const Subject& s, int step) {
             const SCROLLBARINFO info = BarInfo(s.Window());
             const int grab = (info.xyThumbTop + info.xyThumbBottom) / 2;
             PressOverlay(s, grab, grab + (step % 2 ? -40 : 40));
         }},
        {"page clicks",
         [](const Subject& s, int step) {
             const int along = step % 2 ? ArrowSize() + 2 : BarLength(s) - ArrowSize() - 2;
             PressOverlay(s, along, along);
         }},
        {"arrow clicks",
         [](const Subject& s, int step) {
             const int along = step % 2 ? ArrowSize() / 2 : BarLength(s) - ArrowSize() / 2;
             PressOverlay(s, along, along);
         }},
    };
    return kinds;
}

// Everything else that scrolls the window.
inline const std::vector<Kind>& OtherKinds()
{
    static const std::vector<Kind> kinds{
        {"wheel",
         [](const Subject& s, int step) {
             SendMessageA(s.Window(), WM_MOUSEWHEEL, MAKEWPARAM(0, step % 2 ? WHEEL_DELTA : -WHEEL_DELTA), 0);
         }},
        {"keyboard",
         [](const Subject& s, int step) {
             static constexpr WPARAM keys[] = {VK_DOWN, VK_NEXT, VK_END, VK_UP, VK_PRIOR, VK_HOME};
             SendMessageA(s.Window(), WM_KEYDOWN, keys[step % 6], 1);
         }},
        {"scrolling in code",
         [](const Subject& s, int step) {
             const int target = step % 2 ? 2 : kItems - 2;
             if (s.listView)
                 SendMessageA(s.Window(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(target), FALSE);
             else
                 SendMessageA(s.Window(), LB_SETTOPINDEX, static_cast<WPARAM>(target), 0);
         }},
        {"resizing",
         [](const Subject& s, int step) {
             s.control->SetBounds(s.control->Left(), s.control->Top(), s.control->Width(), step % 2 ? 130 : 100);
         }},
    };
    return kinds;
}

// A form with one skinned scrolled control, which the test places (MakeListBox, MakeListView).
class SoakTest : public ScrollFormTest {
protected:
    SoakTest() : ScrollFormTest(RECT{60, 60, 380, 280}) {}

    Subject MakeListBox()
    {
        auto* list = new TListBox(form.get());
        list->SetBounds(10, 10, 160, 110);
        list->SetParent(form.get());
        for (int i = 0; i < kItems; ++i)
            list->Items().Add(std::to_string(i));
        auto* skinner = new TSkinScrollbar(list);
        skinner->InitScrolled(*list, &host->Skin, host.get(), &host->Canvas);
        return Subject{"list box", list, skinner, false};
    }
    Subject MakeListView()
    {
        // Clear of the list box's form, should two of these programs run at once.
        form->SetBounds(420, 60, 320, 220);
        auto* view = new TListView(form.get());
        view->SetBounds(10, 10, 240, 130);
        view->SetViewStyle(vsReport);
        TListColumn* column = view->Columns().Add();
        column->SetCaption("名称");
        column->SetWidth(120);
        for (int i = 0; i < kItems; ++i)
            view->Items().Add()->SetCaption(std::to_string(i));
        view->SetParent(form.get());
        auto* skinner = new TSkinListView(view);
        skinner->InitScrolled(*view, &host->Skin, host.get(), &host->Canvas);
        return Subject{"list view", view, skinner, true};
    }

    // Each kind kScrolls times on the subject, the handles and the thumb
    // checked after each kind.
    void Soak(const Subject& subject, const std::vector<Kind>& kinds)
    {
        Flush(100);
        // One round of everything first: what is made once (class registrations,
        // cached bitmaps, the system's own scroll state) is not growth.
        for (const Kind& kind : kinds)
            for (int step = 0; step < 2; ++step) {
                kind.scroll(subject, step);
                Application->ProcessMessages();
            }
        Flush(100);

        const ui::HandleSnapshot handles = ui::HandleSnapshot::Take();
        const long thunks = ui::LiveThunkCount();
        const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
        const DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
        subject.control->SetFocus();
        for (const Kind& kind : kinds) {
            SCOPED_TRACE(std::string(kind.name) + " on the " + subject.name);
            const SCROLLBARINFO before = BarInfo(subject.Window());
            bool moved = false;
            const ULONGLONG start = GetTickCount64();
            for (int step = 0; step < kScrolls; ++step) {
                kind.scroll(subject, step);
                Application->ProcessMessages();
                const SCROLLBARINFO now = BarInfo(subject.Window());
                moved = moved || now.xyThumbTop != before.xyThumbTop || now.xyThumbBottom != before.xyThumbBottom;
            }
            std::printf("[ soak     ] %s on the %s: %d in %llu ms\n", kind.name, subject.name, kScrolls,
                        GetTickCount64() - start);
            std::fflush(stdout);
            EXPECT_TRUE(moved) << "the thumb moved";
            EXPECT_FALSE(subject.skinner->VertBar()->Pressed());
            Flush(100);
            EXPECT_TRUE(IsWindowVisible(subject.Overlay()));
            ExpectThumbWhereTheSystemHasIt(subject.Window());
            EXPECT_EQ(ui::HandleSnapshot::Take(), handles);
            EXPECT_EQ(ui::LiveThunkCount(), thunks);
            EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdi + 2);
            EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), user + 2);
        }

        const ui::UniqueWindow fresh(CreateWindowExA(0, "BUTTON", "新", WS_CHILD | WS_VISIBLE, 200, 150, 60, 24,
                                                     form->Handle(), nullptr, GetModuleHandleA(nullptr), nullptr));
        EXPECT_NE(fresh.get(), nullptr) << "the process still makes windows";
    }
};

} // namespace scrollsoaktest
