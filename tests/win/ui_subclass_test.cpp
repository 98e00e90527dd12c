// Window procedure subclassing: layering, pass-through when unhooking out of
// order, removal from inside a handler, windows destroyed underneath.
#include "ui/ExceptionBoundary.h"
#include "ui/Handles.h"
#include "ui/WndProcThunk.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include <string>
#include <vector>

namespace {

std::vector<std::string>* g_log = nullptr;
constexpr UINT WM_PROBE = WM_APP + 1;

void Log(std::string entry)
{
    if (g_log)
        g_log->push_back(std::move(entry));
}

LRESULT CALLBACK BaseProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_PROBE) {
        Log("base");
        return 100 + static_cast<LRESULT>(wParam);
    }
    if (msg == WM_NCDESTROY)
        Log("base-ncdestroy");
    return DefWindowProcA(window, msg, wParam, lParam);
}

LRESULT CALLBACK BaseProcW(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_PROBE)
        return 7;
    return DefWindowProcW(window, msg, wParam, lParam);
}

class SubclassTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_log = &log;
        WNDCLASSA wc{};
        wc.lpfnWndProc = BaseProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "ZelSubclassProbe";
        RegisterClassA(&wc);
        window.reset(CreateWindowExA(0, "ZelSubclassProbe", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                     wc.hInstance, nullptr));
        ASSERT_TRUE(window);
        thunksBefore = ui::LiveThunkCount();
    }
    void TearDown() override { g_log = nullptr; }

    HWND Hwnd() const { return window.get(); }
    WNDPROC CurrentProc() const { return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(Hwnd(), GWLP_WNDPROC)); }

    // A layer that logs its name and passes the message on.
    static ui::WindowSubclass::Handler Layer(ui::WindowSubclass& self, std::string name)
    {
        return [&self, name](TMessage& m) {
            if (m.Msg == WM_PROBE)
                Log(name);
            self.CallPrevious(m);
        };
    }

    std::vector<std::string> log;
    ui::UniqueWindow window;
    long thunksBefore = 0;
};

TEST_F(SubclassTest, LayersRunNewestFirstAndUnhookInReverse)
{
    const WNDPROC original = CurrentProc();
    ui::WindowSubclass a, b;
    ASSERT_TRUE(a.Install(Hwnd(), Layer(a, "a")));
    ASSERT_TRUE(b.Install(Hwnd(), Layer(b, "b")));
    EXPECT_EQ(a.Previous(), original);
    EXPECT_EQ(b.Previous(), a.Proc());
    EXPECT_EQ(CurrentProc(), b.Proc());
    EXPECT_EQ(ui::LiveThunkCount(), thunksBefore + 2);

    EXPECT_EQ(SendMessageA(Hwnd(), WM_PROBE, 5, 0), 105);
    EXPECT_EQ(log, (std::vector<std::string>{"b", "a", "base"}));

    b.Remove();
    EXPECT_EQ(CurrentProc(), a.Proc());
    a.Remove();
    EXPECT_EQ(CurrentProc(), original);
    EXPECT_EQ(ui::LiveThunkCount(), thunksBefore);
    EXPECT_FALSE(a.Install(nullptr, Layer(a, "a")));
}

TEST_F(SubclassTest, HandlerCanAnswerWithoutCallingPrevious)
{
    ui::WindowSubclass s;
    ASSERT_TRUE(s.Install(Hwnd(), [&](TMessage& m) {
        if (m.Msg == WM_PROBE)
            m.Result = 42;
        else
            s.CallPrevious(m);
    }));
    EXPECT_EQ(SendMessageA(Hwnd(), WM_PROBE, 0, 0), 42);
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(s.Install(Hwnd(), Layer(s, "again"))) << "one subclass object serves one layer";
}

TEST_F(SubclassTest, RemovingALowerLayerLeavesAPassThrough)
{
    {
        ui::WindowSubclass a;
        ui::WindowSubclass b;
        ASSERT_TRUE(a.Install(Hwnd(), Layer(a, "a")));
        ASSERT_TRUE(b.Install(Hwnd(), Layer(b, "b")));
        const WNDPROC aThunk = a.Proc();
        a.Remove();  // b still chains to a's thunk: it must keep working
        EXPECT_EQ(ui::LiveThunkCount(), thunksBefore + 2);
        EXPECT_EQ(SendMessageA(Hwnd(), WM_PROBE, 1, 0), 101);
        EXPECT_EQ(log, (std::vector<std::string>{"b", "base"}));
        b.Remove();
        EXPECT_EQ(CurrentProc(), aThunk);
    }
    // The pass-through stays in the chain until the window dies.
    EXPECT_EQ(ui::LiveThunkCount(), thunksBefore + 1);
    log.clear();
    EXPECT_EQ(SendMessageA(Hwnd(), WM_PROBE, 2, 0), 102);
    EXPECT_EQ(log, (std::vector<std::string>{"base"}));
    window.reset();
    EXPECT_EQ(ui::LiveThunkCount(), thunksBefore);
}

TEST_F(SubclassTest, RemoveFromInsideTheHandler)
{
    const WNDPROC original = CurrentProc();
    auto s = std::make_unique<ui::WindowSubclass>();
    ASSERT_TRUE(s->Install(Hwnd(), [&](TMessage& m) {
        if (m.Msg == WM_PROBE) {
            s->CallPrevious(m);
            s.reset();  // the subclass object dies while its thunk is on the stack
            m.Result += 1;
            return;
        }
        s->CallPrevious(m);
    }));
    EXPECT_EQ(SendMessageA(Hwnd(), WM_PROBE, 3, 0), 104);
    EXPECT_EQ(s, nullptr);
    EXPECT_EQ(CurrentProc(), original);
    EXPECT_EQ(ui::LiveThunkCount(), thunksBefore);
}

TEST_F(SubclassTest, WindowDestroyedUnderneathStopsCallsAndFreesOnRemove)
{
    ui::WindowSubclass s;
    int ncdestroySeen = 0;
    ASSERT_TRUE(s.Install(Hwnd(), [&](TMessage& m) {
        if (m.Msg == WM_NCDESTROY)
            ++ncdestroySeen;
        s.CallPrevious(m);
    }));
    window.reset();
    EXPECT_EQ(ncdestroySeen, 1);
    EXPECT_EQ(log, (std::vector<std::string>{"base-ncdestroy"}));
    EXPECT_EQ(ui::LiveThunkCount(), thunksBefore + 1);
    s.Remove();
    EXPECT_EQ(ui::LiveThunkCount(), thunksBefore);
}

TEST_F(SubclassTest, ExceptionInAHandlerDoesNotEscapeIntoTheSystem)
{
    int reported = 0;
    ui::SetExceptionBoundary([&](std::exception_ptr, TObject*) { ++reported; });
    ui::WindowSubclass s;
    ASSERT_TRUE(s.Install(Hwnd(), [&](TMessage& m) {
        if (m.Msg == WM_PROBE)
            throw std::runtime_error("boom");
        s.CallPrevious(m);
    }));
    EXPECT_EQ(SendMessageA(Hwnd(), WM_PROBE, 0, 0), 0);
    ui::SetExceptionBoundary({});
    EXPECT_EQ(reported, 1);
}

TEST(Subclass, UnicodeWindowStaysUnicode)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = BaseProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ZelSubclassProbeW";
    RegisterClassW(&wc);
    ui::UniqueWindow window(CreateWindowExW(0, L"ZelSubclassProbeW", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                            nullptr, wc.hInstance, nullptr));
    ASSERT_TRUE(window);
    ui::WindowSubclass s;
    ASSERT_TRUE(s.Install(window.get(), [&](TMessage& m) { s.CallPrevious(m); }));
    EXPECT_TRUE(s.Unicode());
    EXPECT_TRUE(IsWindowUnicode(window.get()));
    EXPECT_EQ(SendMessageW(window.get(), WM_PROBE, 0, 0), 7);
    wchar_t text[8]{};
    SetWindowTextW(window.get(), L"\u5317");
    GetWindowTextW(window.get(), text, 8);
    EXPECT_EQ(text[0], L'\u5317');
}

} // namespace
