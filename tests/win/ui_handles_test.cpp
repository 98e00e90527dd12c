// The handle wrappers free what they own exactly once and keep the live
// counters true, which every leak test of the framework relies on.
#include "ui/Handles.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <utility>

namespace {

using ui::HandleKind;
using ui::LiveHandleCount;

LRESULT CALLBACK PassOn(int code, WPARAM wParam, LPARAM lParam)
{
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

long Before(const ui::HandleSnapshot& snapshot, HandleKind kind)
{
    return snapshot.live[static_cast<std::size_t>(kind)];
}

TEST(Handles, OwningWrapperCountsAndFrees)
{
    const auto before = ui::HandleSnapshot::Take();
    {
        ui::UniqueBrush brush(CreateSolidBrush(RGB(1, 2, 3)));
        ASSERT_TRUE(brush);
        EXPECT_EQ(LiveHandleCount(HandleKind::Brush), Before(before, HandleKind::Brush) + 1);
        EXPECT_EQ(GetObjectType(brush.get()), static_cast<DWORD>(OBJ_BRUSH));

        // Moving hands over ownership without counting twice.
        ui::UniqueBrush moved = std::move(brush);
        EXPECT_FALSE(brush);
        EXPECT_EQ(LiveHandleCount(HandleKind::Brush), Before(before, HandleKind::Brush) + 1);

        // reset frees the old handle and takes the new one.
        const HBRUSH old = moved.get();
        moved.reset(CreateSolidBrush(RGB(4, 5, 6)));
        EXPECT_EQ(GetObjectType(old), 0u);
        EXPECT_EQ(LiveHandleCount(HandleKind::Brush), Before(before, HandleKind::Brush) + 1);
    }
    EXPECT_EQ(ui::HandleSnapshot::Take(), before);
}

TEST(Handles, NullHandlesAreNotCounted)
{
    const auto before = ui::HandleSnapshot::Take();
    ui::UniqueFont font(nullptr);
    ui::UniqueTimer timer;
    ui::UniqueWindowDC dc;
    EXPECT_FALSE(font);
    EXPECT_EQ(ui::HandleSnapshot::Take(), before);
}

TEST(Handles, ReleaseHandsOwnershipOn)
{
    const long pens = LiveHandleCount(HandleKind::Pen);
    ui::UniquePen pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
    const HPEN raw = pen.release();
    EXPECT_FALSE(pen);
    EXPECT_EQ(LiveHandleCount(HandleKind::Pen), pens);
    // Not freed by the wrapper: still a pen.
    EXPECT_EQ(GetObjectType(raw), static_cast<DWORD>(OBJ_PEN));
    DeleteObject(raw);
}

TEST(Handles, EveryKindReturnsToZero)
{
    const auto before = ui::HandleSnapshot::Take();
    {
        auto screen = ui::UniqueWindowDC::Client(nullptr);
        ASSERT_TRUE(screen);
        ui::UniqueDC memory(CreateCompatibleDC(screen.get()));
        ui::UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), 4, 4));
        ui::UniqueRegion region(CreateRectRgn(0, 0, 5, 5));
        ui::UniqueFont font(CreateFontA(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial"));
        ui::UniqueMenu menu(CreatePopupMenu());
        ui::UniqueImageList images(ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 1));
        ui::UniqueWindow window(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                                GetModuleHandleA(nullptr), nullptr));
        ASSERT_TRUE(window);
        auto timer = ui::UniqueTimer::Start(window.get(), 7, 10000);
        auto threadTimer = ui::UniqueTimer::Start(nullptr, 0, 10000);
        ui::UniqueHook hook(SetWindowsHookExA(WH_CBT, PassOn, nullptr, GetCurrentThreadId()));
        const BYTE andMask[32 * 4]{};
        const BYTE xorMask[32 * 4]{};
        ui::UniqueIcon icon(CreateIcon(GetModuleHandleA(nullptr), 32, 32, 1, 1, andMask, xorMask));

        EXPECT_TRUE(memory && bitmap && region && font && menu && images && timer && threadTimer && hook && icon);
        EXPECT_EQ(LiveHandleCount(HandleKind::WindowDC), Before(before, HandleKind::WindowDC) + 1);
        EXPECT_EQ(LiveHandleCount(HandleKind::Timer), Before(before, HandleKind::Timer) + 2);
        EXPECT_EQ(ui::LiveHandleTotal(), before.Total() + 12);
        // Declaration order frees the timer before its window.
        timer.reset();
    }
    EXPECT_EQ(ui::HandleSnapshot::Take(), before);
}

TEST(Handles, FailedReleaseIsRecorded)
{
    const long failures = ui::FailedReleaseCount();
    HWND raw = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleA(nullptr),
                               nullptr);
    {
        ui::UniqueWindow window(raw);
        // Destroyed behind the wrapper's back: the wrapper's own DestroyWindow then fails.
        DestroyWindow(raw);
    }
    EXPECT_EQ(ui::FailedReleaseCount(), failures + 1);
}

TEST(Handles, PaintDCIsGivenBack)
{
    ui::UniqueWindow window(CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 20, 20, nullptr, nullptr,
                                            GetModuleHandleA(nullptr), nullptr));
    const long dcs = LiveHandleCount(HandleKind::WindowDC);
    InvalidateRect(window.get(), nullptr, FALSE);
    {
        ui::PaintDC paint(window.get());
        EXPECT_NE(paint.get(), nullptr);
        EXPECT_EQ(LiveHandleCount(HandleKind::WindowDC), dcs + 1);
    }
    EXPECT_EQ(LiveHandleCount(HandleKind::WindowDC), dcs);
    // EndPaint validated the window.
    EXPECT_FALSE(GetUpdateRect(window.get(), nullptr, FALSE));
}

TEST(Handles, KindsHaveNames)
{
    EXPECT_EQ(ui::HandleKindName(HandleKind::Brush), "brush");
    EXPECT_EQ(ui::HandleKindName(HandleKind::Timer), "timer");
}

} // namespace
