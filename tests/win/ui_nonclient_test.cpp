// The non-client message views read what the system really sends, the window
// DC paints the frame (read back from the screen) and hands its region to the
// system without leaking or freeing it twice, and the redraw lock keeps a
// window from painting until the outermost lock ends.
#include "ui/NonClient.h"
#include "ui/RedrawLock.h"
#include "ui/WindowDC.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <stdexcept>
#include <utility>
#include <vector>

// Comparison and printing for the system's structures, found through their
// (global) namespace.
static bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != 0; }
static bool operator==(const POINT& a, const POINT& b) { return a.x == b.x && a.y == b.y; }
[[maybe_unused]] static void PrintTo(const RECT& r, std::ostream* out)
{
    *out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}
[[maybe_unused]] static void PrintTo(const POINT& p, std::ostream* out) { *out << "(" << p.x << ", " << p.y << ")"; }

namespace {

// The probe window's procedure offers every message to the running test
// first; a probe that answers returns true with the answer in Result.
std::function<bool(HWND, TMessage&)> g_probe;

LRESULT CALLBACK ProbeProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TMessage message{msg, wParam, lParam, 0};
    if (g_probe && g_probe(window, message))
        return message.Result;
    return DefWindowProcA(window, msg, wParam, lParam);
}

constexpr const char* probeClass = "ZelNonClientProbe";

void Pump(DWORD milliseconds = 50)
{
    const ULONGLONG end = GetTickCount64() + milliseconds;
    MSG msg;
    while (GetTickCount64() < end) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(5);
    }
}

// One pixel of the screen as 0x00BBGGRR.
COLORREF ScreenPixel(POINT at)
{
    const ui::UniqueWindowDC screen = ui::UniqueWindowDC::Client(nullptr);
    const ui::UniqueDC memory(CreateCompatibleDC(screen.get()));
    const ui::UniqueBitmap pixel(CreateCompatibleBitmap(screen.get(), 1, 1));
    const HGDIOBJ old = SelectObject(memory.get(), pixel.get());
    BitBlt(memory.get(), 0, 0, 1, 1, screen.get(), at.x, at.y, SRCCOPY);
    const COLORREF colour = GetPixel(memory.get(), 0, 0);
    SelectObject(memory.get(), old);
    return colour;
}

void Fill(HDC dc, const RECT& rect, COLORREF colour)
{
    const ui::UniqueBrush brush(CreateSolidBrush(colour));
    FillRect(dc, &rect, brush.get());
}

// The middle of the caption bar of an overlapped window, in screen coordinates.
POINT CaptionPoint(HWND window)
{
    RECT bounds{};
    GetWindowRect(window, &bounds);
    return {(bounds.left + bounds.right) / 2,
            bounds.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2};
}

// Where the client area starts on the screen.
POINT ClientOrigin(HWND window)
{
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    return origin;
}

class NonClientTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = ProbeProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
        wc.lpszClassName = probeClass;
        RegisterClassA(&wc);
    }
    void TearDown() override
    {
        g_probe = nullptr;
        window.reset();
        Pump(20);
    }

    static ui::UniqueWindow NewWindow(int x, int y, int width, int height,
                                      DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE)
    {
        return ui::UniqueWindow(CreateWindowExA(0, probeClass, "probe", style, x, y, width, height, nullptr,
                                                nullptr, GetModuleHandleA(nullptr), nullptr));
    }
    void Create(int x, int y, int width, int height, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE)
    {
        window = NewWindow(x, y, width, height, style);
        ASSERT_TRUE(window);
        Pump();
    }
    HWND Hwnd() const { return window.get(); }

    ui::UniqueWindow window;
};

TEST(NonClientPoints, SignedScreenCoordinatesSurviveThePacking)
{
    EXPECT_EQ(ui::UnpackPoint(MAKELPARAM(0xFFFB, 0x8000)), (POINT{-5, -32768}));
    EXPECT_EQ(ui::UnpackPoint(MAKELPARAM(1279, 0x7FFF)), (POINT{1279, 32767}));
    // Some senders sign-extend the long parameter; only the low 32 bits count.
    EXPECT_EQ(ui::UnpackPoint(static_cast<LPARAM>(-5)), (POINT{-5, -1}));
    EXPECT_EQ(ui::PackPoint({-5, -300}), MAKELPARAM(0xFFFB, 0xFED4));
    EXPECT_EQ(ui::PackPoint({640, 480}), MAKELPARAM(640, 480));
}

TEST_F(NonClientTest, CalcSizeShortFormAtCreationTakesTheClientRectangleWeAnswer)
{
    std::vector<RECT> shortForms;
    g_probe = [&](HWND, TMessage& message) {
        if (message.Msg != WM_NCCALCSIZE)
            return false;
        const ui::NcCalcSize calc(message);
        if (!calc.Params())
            shortForms.push_back(calc.Rect());
        // A frame of our own: 6 pixels at the sides, 9 at top and bottom.
        InflateRect(&calc.Rect(), -6, -9);
        message.Result = 0;
        return true;
    };
    Create(100, 120, 300, 200);
    ASSERT_FALSE(shortForms.empty());
    EXPECT_EQ(shortForms.front(), (RECT{100, 120, 400, 320})) << "the window rectangle asked for";
    RECT client{};
    GetClientRect(Hwnd(), &client);
    EXPECT_EQ(client.right, 288);
    EXPECT_EQ(client.bottom, 182);
    EXPECT_EQ(ClientOrigin(Hwnd()), (POINT{106, 129}));
}

TEST_F(NonClientTest, CalcSizeLongFormOnAFrameChangeCarriesOldRectanglesAndThePosition)
{
    Create(100, 100, 300, 200);
    RECT oldWindow{};
    GetWindowRect(Hwnd(), &oldWindow);
    RECT oldClient{};
    GetClientRect(Hwnd(), &oldClient);
    const POINT oldOrigin = ClientOrigin(Hwnd());
    OffsetRect(&oldClient, oldOrigin.x, oldOrigin.y);

    int longForms = 0;
    NCCALCSIZE_PARAMS seen{};
    WINDOWPOS position{};
    g_probe = [&](HWND, TMessage& message) {
        if (message.Msg != WM_NCCALCSIZE)
            return false;
        const ui::NcCalcSize calc(message);
        if (!calc.Params())
            return false;
        ++longForms;
        seen = *calc.Params();
        position = *calc.Params()->lppos;
        EXPECT_EQ(&calc.Rect(), &calc.Params()->rgrc[0]);
        InflateRect(&calc.Rect(), -5, -5);
        message.Result = 0;
        return true;
    };
    SetWindowPos(Hwnd(), nullptr, 120, 130, 320, 210, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    ASSERT_EQ(longForms, 1);
    EXPECT_EQ(seen.rgrc[0], (RECT{120, 130, 440, 340}));
    EXPECT_EQ(seen.rgrc[1], oldWindow);
    EXPECT_EQ(seen.rgrc[2], oldClient);
    EXPECT_EQ(position.hwnd, Hwnd());
    EXPECT_EQ(position.x, 120);
    EXPECT_EQ(position.cy, 210);
    EXPECT_TRUE(position.flags & SWP_FRAMECHANGED);
    RECT client{};
    GetClientRect(Hwnd(), &client);
    EXPECT_EQ(client.right, 310);
    EXPECT_EQ(client.bottom, 200);
    EXPECT_EQ(ClientOrigin(Hwnd()), (POINT{125, 135}));
}

TEST_F(NonClientTest, HitTestPointsLeftOfAndAboveThePrimaryMonitorAreNegative)
{
    Create(100, 100, 200, 150);
    std::vector<POINT> points;
    std::vector<LRESULT> answers;
    g_probe = [&](HWND window, TMessage& message) {
        if (message.Msg != WM_NCHITTEST)
            return false;
        points.push_back(ui::NcHitTest(message).ScreenPoint());
        // The system's own answer tells how it read the point.
        message.Result = DefWindowProcA(window, message.Msg, message.WParam, message.LParam);
        answers.push_back(message.Result);
        return true;
    };
    // The system asks itself while looking for the window under a point.
    const POINT caption = CaptionPoint(Hwnd());
    EXPECT_EQ(WindowFromPoint(caption), Hwnd());
    ASSERT_FALSE(points.empty());
    EXPECT_EQ(points.back(), caption);
    EXPECT_EQ(answers.back(), HTCAPTION);

    // Where a monitor left of and above the primary one would be; the virtual
    // screen here has no such monitor, so the points are packed as the system packs them.
    SetWindowPos(Hwnd(), nullptr, -400, -300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const auto hitTest = [&](WORD x, WORD y) {
        SendMessageA(Hwnd(), WM_NCHITTEST, 0, MAKELPARAM(x, y));
        return answers.back();
    };
    EXPECT_EQ(hitTest(static_cast<WORD>(-390), static_cast<WORD>(-220)), HTCLIENT);
    EXPECT_EQ(points.back(), (POINT{-390, -220}));
    EXPECT_EQ(ui::ScreenToWindowPoint(Hwnd(), points.back()), (POINT{10, 80}));
    const POINT farCaption = CaptionPoint(Hwnd());
    ASSERT_LT(farCaption.y, 0);
    EXPECT_EQ(hitTest(static_cast<WORD>(farCaption.x), static_cast<WORD>(farCaption.y)), HTCAPTION);
    EXPECT_EQ(points.back(), farCaption);
    EXPECT_EQ(hitTest(static_cast<WORD>(-401), static_cast<WORD>(-220)), HTNOWHERE) << "just left of the window";
}

TEST_F(NonClientTest, NcPaintNamesTheWholeWindowOrItsFrameRegionInScreenCoordinates)
{
    Create(100, 100, 240, 160);
    std::vector<bool> whole;
    std::vector<RECT> boxes;
    g_probe = [&](HWND, TMessage& message) {
        if (message.Msg != WM_NCPAINT)
            return false;
        const ui::NcPaint paint(message);
        whole.push_back(paint.WholeWindow());
        if (paint.WholeWindow()) {
            EXPECT_FALSE(paint.Region());
            EXPECT_FALSE(paint.CopyRegion());
            return false;
        }
        RECT box{};
        GetRgnBox(paint.Region().get(), &box);
        boxes.push_back(box);
        const ui::UniqueRegion copy = paint.CopyRegion();
        EXPECT_NE(copy.get(), paint.Region().get());
        EXPECT_TRUE(EqualRgn(copy.get(), paint.Region().get()));
        return false;
    };
    RedrawWindow(Hwnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(whole, (std::vector<bool>{true}));

    // A band of the caption just above the client area, in client coordinates.
    whole.clear();
    const ui::UniqueRegion band(CreateRectRgn(0, -8, 50, -2));
    RedrawWindow(Hwnd(), nullptr, band.get(), RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_EQ(whole, (std::vector<bool>{false}));
    const POINT origin = ClientOrigin(Hwnd());
    EXPECT_EQ(boxes.front(), (RECT{origin.x, origin.y - 8, origin.x + 50, origin.y - 2}));
}

TEST_F(NonClientTest, WindowDCPaintsTheFrameClippedToTheUpdateRegion)
{
    Create(100, 100, 240, 160);
    g_probe = [&](HWND window, TMessage& message) {
        if (message.Msg != WM_NCPAINT)
            return false;
        DefWindowProcA(window, message.Msg, message.WParam, message.LParam);
        const ui::NcPaint paint(message);
        if (paint.WholeWindow())
            return true;
        // Everything, but only the update region may change.
        const ui::UniqueWindowDC dc = ui::OpenWindowDC(window, paint.CopyRegion());
        EXPECT_TRUE(dc);
        Fill(dc.get(), {0, 0, 240, 160}, RGB(255, 0, 0));
        return true;
    };
    const ui::UniqueRegion band(CreateRectRgn(0, -8, 50, -2));
    RedrawWindow(Hwnd(), nullptr, band.get(), RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    Pump(100);
    const POINT origin = ClientOrigin(Hwnd());
    EXPECT_EQ(ScreenPixel({origin.x + 25, origin.y - 5}), RGB(255, 0, 0)) << "inside the region";
    EXPECT_NE(ScreenPixel({origin.x + 120, origin.y - 5}), RGB(255, 0, 0)) << "caption outside it";
    EXPECT_NE(ScreenPixel({origin.x + 25, origin.y + 20}), RGB(255, 0, 0)) << "client area";

    // Unclipped, the DC's origin is the window's corner, frame included.
    g_probe = nullptr;
    {
        const ui::UniqueWindowDC dc = ui::OpenWindowDC(Hwnd());
        ASSERT_TRUE(dc);
        Fill(dc.get(), {0, 0, 3, 3}, RGB(0, 255, 0));
    }
    Pump(100);
    EXPECT_EQ(ScreenPixel({101, 101}), RGB(0, 255, 0));
    EXPECT_NE(ScreenPixel({104, 104}), RGB(0, 255, 0));
}

TEST_F(NonClientTest, WindowDCHandsTheRegionToTheSystemExactlyOnce)
{
    Create(100, 100, 240, 160);
    const auto before = ui::HandleSnapshot::Take();
    HRGN given = nullptr;
    for (int i = 0; i < 300; ++i) {
        ui::UniqueRegion clip(CreateRectRgn(100, 100, 200 + i % 7, 120));
        given = clip.get();
        ui::UniqueWindowDC dc = ui::OpenWindowDC(Hwnd(), std::move(clip));
        ASSERT_TRUE(dc);
        Fill(dc.get(), {0, 0, 10, 10}, RGB(0, 0, 255));
        // The system holds the region while the DC is out and deletes it with the DC.
        ASSERT_EQ(GetObjectType(given), static_cast<DWORD>(OBJ_REGION)) << "cycle " << i;
        dc.reset();
        ASSERT_EQ(GetObjectType(given), 0u) << "cycle " << i;
    }
    EXPECT_EQ(ui::HandleSnapshot::Take(), before) << "no region counted twice, no release failed";

    // A DC the system refuses leaves the region ours, and it is freed.
    const HWND gone = Hwnd();
    window.reset();
    ui::UniqueRegion clip(CreateRectRgn(0, 0, 10, 10));
    const HRGN kept = clip.get();
    EXPECT_FALSE(ui::OpenWindowDC(gone, std::move(clip)));
    EXPECT_EQ(GetObjectType(kept), 0u);
    auto after = ui::HandleSnapshot::Take();
    after.live[static_cast<std::size_t>(ui::HandleKind::Window)] += 1;  // the window freed on purpose
    EXPECT_EQ(after, before);
}

TEST_F(NonClientTest, NcActivateTellsWhichWindowShowsTheActiveFrame)
{
    Create(100, 100, 200, 120);
    const ui::UniqueWindow other = NewWindow(400, 100, 200, 120);
    ASSERT_TRUE(other);
    SetActiveWindow(Hwnd());
    Pump();
    std::vector<std::pair<HWND, bool>> seen;
    g_probe = [&](HWND window, TMessage& message) {
        if (message.Msg == WM_NCACTIVATE)
            seen.emplace_back(window, ui::NcActivate(message).Active());
        return false;
    };
    SetActiveWindow(other.get());
    Pump();
    SetActiveWindow(Hwnd());
    Pump();
    g_probe = nullptr;
    const std::vector<std::pair<HWND, bool>> expected{
        {Hwnd(), false}, {other.get(), true}, {other.get(), false}, {Hwnd(), true}};
    EXPECT_EQ(seen, expected);

    // Systems with visual styles send -1 for "do not repaint"; others may send a region.
    const ui::NcActivate suppressed(TMessage{WM_NCACTIVATE, TRUE, -1, 0});
    EXPECT_TRUE(suppressed.Active());
    EXPECT_TRUE(suppressed.RepaintSuppressed());
    EXPECT_FALSE(suppressed.Region());
    const ui::UniqueRegion region(CreateRectRgn(0, 0, 5, 5));
    const ui::NcActivate withRegion(TMessage{WM_NCACTIVATE, FALSE, reinterpret_cast<LPARAM>(region.get()), 0});
    EXPECT_FALSE(withRegion.Active());
    EXPECT_FALSE(withRegion.RepaintSuppressed());
    EXPECT_EQ(withRegion.Region().get(), region.get());
}

TEST_F(NonClientTest, NcMouseMessagesCarryTheHitCodeAndTheScreenPoint)
{
    Create(100, 100, 300, 200);
    SetForegroundWindow(Hwnd());
    Pump();
    struct Seen {
        UINT msg;
        int hitCode;
        POINT point;
    };
    std::vector<Seen> seen;
    LRESULT lastHit = HTNOWHERE;
    g_probe = [&](HWND window, TMessage& message) {
        if (message.Msg == WM_NCHITTEST) {
            message.Result = lastHit = DefWindowProcA(window, message.Msg, message.WParam, message.LParam);
            return true;
        }
        if (!ui::IsNcMouseMessage(message.Msg))
            return false;
        const ui::NcMouse mouse(message);
        seen.push_back({message.Msg, mouse.HitCode(), mouse.ScreenPoint()});
        // Buttons stay with the test: the system would start moving the window.
        return message.Msg != WM_NCMOUSEMOVE;
    };
    const POINT caption = CaptionPoint(Hwnd());
    SetCursorPos(caption.x, caption.y);
    Pump();
    INPUT clicks[2]{};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, clicks, sizeof(INPUT));
    Pump(100);
    g_probe = nullptr;

    EXPECT_EQ(lastHit, HTCAPTION);
    const auto find = [&](UINT msg) -> const Seen* {
        for (const Seen& s : seen)
            if (s.msg == msg)
                return &s;
        return nullptr;
    };
    for (const UINT msg : {UINT{WM_NCMOUSEMOVE}, UINT{WM_NCLBUTTONDOWN}, UINT{WM_NCLBUTTONUP}}) {
        const Seen* s = find(msg);
        ASSERT_NE(s, nullptr) << "message 0x" << std::hex << msg;
        EXPECT_EQ(s->hitCode, HTCAPTION);
        EXPECT_EQ(s->point, caption);
    }
    // The undocumented caption repaints sit right after the mouse messages.
    EXPECT_FALSE(ui::IsNcMouseMessage(0xAE));
    EXPECT_FALSE(ui::IsNcMouseMessage(0xAF));
    EXPECT_FALSE(ui::IsNcMouseMessage(WM_NCMOUSELEAVE));
}

class RedrawLockTest : public NonClientTest {
protected:
    void SetUp() override
    {
        Create(100, 100, 200, 150);
        g_probe = [this](HWND, TMessage& message) {
            if (message.Msg == WM_PAINT)
                ++paints;
            if (message.Msg == WM_SETREDRAW)
                redraws.push_back(message.WParam);
            return false;
        };
        paints = 0;
    }
    void PaintNow()
    {
        InvalidateRect(Hwnd(), nullptr, TRUE);
        UpdateWindow(Hwnd());
    }

    int paints = 0;
    std::vector<WPARAM> redraws;
};

TEST_F(RedrawLockTest, OnlyTheOutermostLockSwitchesDrawingOnAgain)
{
    {
        const ui::RedrawLock outer(Hwnd());
        PaintNow();
        EXPECT_EQ(paints, 0);
        {
            const ui::RedrawLock inner(Hwnd(), RDW_INVALIDATE | RDW_UPDATENOW);
        }
        PaintNow();
        EXPECT_EQ(paints, 0) << "the inner lock left drawing off";
    }
    // The inner lock's repaint happens now, before any message is handled.
    EXPECT_EQ(paints, 1);
    EXPECT_EQ(redraws, (std::vector<WPARAM>{FALSE, TRUE}));
    EXPECT_TRUE(IsWindowVisible(Hwnd()));
}

TEST_F(RedrawLockTest, DrawingComesBackWhenAnExceptionPasses)
{
    EXPECT_THROW(
        {
            const ui::RedrawLock lock(Hwnd());
            throw std::runtime_error("handler failed");
        },
        std::runtime_error);
    EXPECT_TRUE(IsWindowVisible(Hwnd()));
    PaintNow();
    EXPECT_EQ(paints, 1);
    EXPECT_EQ(redraws, (std::vector<WPARAM>{FALSE, TRUE}));
}

TEST_F(RedrawLockTest, AHiddenWindowStaysHidden)
{
    ShowWindow(Hwnd(), SW_HIDE);
    {
        const ui::RedrawLock lock(Hwnd(), RDW_INVALIDATE);
    }
    EXPECT_FALSE(IsWindowVisible(Hwnd())) << "WM_SETREDRAW TRUE would have set WS_VISIBLE";
    EXPECT_TRUE(redraws.empty());
}

} // namespace
