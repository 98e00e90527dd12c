// The control skinner base on real framework controls and on bare windows:
// both ways of hooking, the interceptor's switches, painting, the end of a
// window, taking layers off in any order, a re-created window, the property
// bridge, leave tracking and the form side's list.
#include "tests/win/skin_control_support.h"
#include "tests/win/WindowLayers.h"

#include "skin/model/SkinMessages.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/Properties.h"
#include "ui/StdCtrls.h"
#include "ui/WndProcThunk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

using skincontroltest::HoverSkinner;
using skincontroltest::kPainted;
using skincontroltest::kSkinFace;
using skincontroltest::PaintingSkinner;
using skincontroltest::TestHost;

constexpr UINT WM_PROBE = WM_APP + 7;

void Flush(int milliseconds = 30)
{
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
    MSG message{};
    do {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (GetTickCount64() < end);
}

// What a bare window's own procedure received.
std::vector<UINT>* g_bareLog = nullptr;

LRESULT CALLBACK BareProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (g_bareLog)
        g_bareLog->push_back(msg);
    if (msg == WM_PROBE)
        return 41;
    return DefWindowProcA(window, msg, wParam, lParam);
}

HWND MakeBareWindow(HWND parent)
{
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = BareProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "ZelBareControl";
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        return RegisterClassA(&wc) != 0;
    }();
    EXPECT_TRUE(registered);
    return CreateWindowExA(0, "ZelBareControl", "bare", WS_CHILD | WS_VISIBLE, 10, 10, 60, 30, parent, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

WNDPROC ProcOf(HWND window) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC)); }

bool Skinned(HWND window) { return SendMessageA(window, SKM_ISSKINNED, 0, 0) == 1; }

COLORREF PixelOfMemoryDC(HDC dc, int x, int y) { return GetPixel(dc, x, y); }

// A memory DC over a white 24-bit bitmap.
struct Surface {
    Surface(int width, int height)
        : dc(CreateCompatibleDC(nullptr)), bitmap([&] {
              const ui::UniqueWindowDC screen = ui::UniqueWindowDC::Client(nullptr);
              return CreateCompatibleBitmap(screen.get(), width, height);
          }())
    {
        old = SelectObject(dc.get(), bitmap.get());
        const RECT all{0, 0, width, height};
        FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ~Surface() { SelectObject(dc.get(), old); }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    ui::UniqueDC dc;
    ui::UniqueBitmap bitmap;
    HGDIOBJ old = nullptr;
};

class SkinControlTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { Application->Initialize(); }

    void SetUp() override
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(200, 150, 320, 240);
        form->SetColor(static_cast<TColor>(0x00204080));
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

    template <class Skinner = PaintingSkinner>
    Skinner* SkinControl(TControl& control, bool useSkinColor = false)
    {
        auto* skinner = new Skinner(&control);
        skinner->InitControl(host.get(), &host->Skin, useSkinColor, &host->Canvas);
        return skinner;
    }

    std::unique_ptr<TestHost> host = std::make_unique<TestHost>();
    std::unique_ptr<TForm> form;
};

// ---- hooking through the control object

TEST_F(SkinControlTest, ControlHookAttachesPaintsOverTheWindowAndAnswersSkinned)
{
    auto* button = Place<TButton>(20, 20, 90, 28);
    button->SetCaption("查询");
    EXPECT_FALSE(Skinned(button->Handle()));

    PaintingSkinner* skinner = SkinControl(*button);
    EXPECT_EQ(skinner->Handle(), button->Handle());
    EXPECT_EQ(skinner->Control(), button);
    EXPECT_EQ(skinner->Status(), TSkinStatus::Attached);
    EXPECT_TRUE(skinner->Initialized());
    EXPECT_FALSE(skinner->HookedByHandle());
    ASSERT_EQ(host->List.Controls().size(), 1u);
    EXPECT_EQ(host->List.Find(button->Handle()), skinner);
    EXPECT_TRUE(host->IsControlSkinned(button->Handle()));
    EXPECT_EQ(button->Perform(SKM_ISSKINNED, 0, 0), 1);

    RedrawWindow(button->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_GT(skinner->Paints, 0);
    EXPECT_EQ(skinner->LastRect.left, 0);
    EXPECT_EQ(skinner->LastRect.top, 0);
    EXPECT_EQ(skinner->LastRect.right, 90);
    EXPECT_EQ(skinner->LastRect.bottom, 28);
    RECT screen{};
    GetWindowRect(button->Handle(), &screen);
    EXPECT_TRUE(EqualRect(&screen, &skinner->WindowRect()));
    const ui::UniqueWindowDC dc = ui::UniqueWindowDC::Whole(button->Handle());
    EXPECT_EQ(GetPixel(dc.get(), 45, 14), kPainted);
    EXPECT_EQ(GetPixel(dc.get(), 0, 0), kPainted);
}

TEST_F(SkinControlTest, SecondInitControlChangesNothing)
{
    auto* panel = Place<TPanel>(20, 20, 100, 60);
    panel->SetColor(static_cast<TColor>(0x00010203));
    PaintingSkinner* skinner = SkinControl(*panel, false);
    TestHost other;
    skinner->InitControl(&other, &other.Skin, true, &other.Canvas);

    EXPECT_EQ(skinner->Form(), host.get());
    EXPECT_FALSE(skinner->UseSkinColor());
    EXPECT_TRUE(other.List.Controls().empty());
    EXPECT_EQ(panel->Color(), static_cast<TColor>(0x00010203));
    EXPECT_TRUE(panel->ParentBackground());
    // Still one layer: each message passes the skinner once.
    skinner->Seen.clear();
    SendMessageA(panel->Handle(), WM_PROBE, 0, 0);
    EXPECT_EQ(std::count(skinner->Seen.begin(), skinner->Seen.end(), WM_PROBE), 1);
}

TEST_F(SkinControlTest, SkinColourAndParentBackgroundWhileSkinnedAndBack)
{
    auto* panel = Place<TPanel>(20, 20, 100, 60);
    panel->SetColor(static_cast<TColor>(0x00010203));
    PaintingSkinner* skinner = SkinControl(*panel, true);
    EXPECT_EQ(panel->Color(), kSkinFace);
    EXPECT_FALSE(panel->ParentBackground());
    EXPECT_EQ(skinner->PaintMode(), 1);

    host->Skin.ButtonFaceColour = static_cast<TColor>(0x00445566);
    host->List.SkinChanged();
    EXPECT_EQ(panel->Color(), static_cast<TColor>(0x00445566));

    host->List.UnskinAll();
    EXPECT_TRUE(host->List.Controls().empty());
    EXPECT_EQ(panel->Color(), static_cast<TColor>(0x00010203));
    EXPECT_TRUE(panel->ParentBackground());
    EXPECT_FALSE(Skinned(panel->Handle()));
}

TEST_F(SkinControlTest, ParentBackgroundKeptWhenSkinWantsItOrControlLacksIt)
{
    host->Skin.Options.Include(xoParentBackGround);
    auto* panel = Place<TPanel>(20, 20, 100, 60);
    PaintingSkinner* skinner = SkinControl(*panel, true);
    EXPECT_TRUE(panel->ParentBackground());
    EXPECT_EQ(skinner->PaintMode(), 0);
    EXPECT_EQ(panel->Color(), kSkinFace);

    auto* button = Place<TButton>(20, 100, 80, 24);
    PaintingSkinner* plain = SkinControl(*button, true);
    EXPECT_EQ(plain->PaintMode(), 0);
    EXPECT_EQ(button->Color(), kSkinFace);
}

// ---- hooking a bare window

TEST_F(SkinControlTest, HandleHookSubclassesAndFreeingRestoresTheProcedure)
{
    std::vector<UINT> log;
    g_bareLog = &log;
    const ui::UniqueWindow bare(MakeBareWindow(form->Handle()));
    const WNDPROC own = ProcOf(bare.get());
    const long thunks = ui::LiveThunkCount();
    EXPECT_FALSE(Skinned(bare.get()));

    auto* skinner = new PaintingSkinner(nullptr);
    skinner->InitHandle(bare.get(), &host->Skin, host.get(), &host->Canvas);
    EXPECT_TRUE(skinner->HookedByHandle());
    EXPECT_EQ(skinner->Status(), TSkinStatus::Attached);
    EXPECT_NE(ProcOf(bare.get()), own);
    EXPECT_TRUE(Skinned(bare.get()));
    EXPECT_EQ(SendMessageA(bare.get(), WM_PROBE, 0, 0), 41);
    EXPECT_EQ(host->List.Find(bare.get()), skinner);

    RedrawWindow(bare.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GT(skinner->Paints, 0);
    EXPECT_NE(std::find(log.begin(), log.end(), UINT{WM_PAINT}), log.end());

    delete skinner;
    EXPECT_EQ(ProcOf(bare.get()), own);
    EXPECT_EQ(ui::LiveThunkCount(), thunks);
    EXPECT_TRUE(host->List.Controls().empty());
    EXPECT_FALSE(Skinned(bare.get()));
    g_bareLog = nullptr;
}

// ---- SKM_SKINSTATE

TEST_F(SkinControlTest, SkinStateSuspendsAndResumesWithoutReachingTheControl)
{
    std::vector<UINT> log;
    g_bareLog = &log;
    const ui::UniqueWindow bare(MakeBareWindow(form->Handle()));
    auto* byHandle = new PaintingSkinner(nullptr);
    byHandle->InitHandle(bare.get(), &host->Skin, host.get(), &host->Canvas);

    auto* edit = Place<TEdit>(20, 60, 120, 22);
    std::vector<UINT> inner;
    const auto recorder = layers::InstallWindowProcLayer(
        *edit, [&](TMessage& m, const std::function<void(TMessage&)>& next) {
            inner.push_back(m.Msg);
            next(m);
        });
    PaintingSkinner* byControl = SkinControl(*edit);

    for (const HWND window : {bare.get(), edit->Handle()}) {
        for (const WPARAM off : {WPARAM{0}, static_cast<WPARAM>(-1)}) {
            SendMessageA(window, SKM_SKINSTATE, off, 0);
            EXPECT_FALSE(Skinned(window)) << "the window's own answer";
            SendMessageA(window, SKM_SKINSTATE, 1, 0);
            EXPECT_TRUE(Skinned(window));
        }
    }
    EXPECT_EQ(std::count(log.begin(), log.end(), SKM_SKINSTATE), 0);
    EXPECT_EQ(std::count(inner.begin(), inner.end(), SKM_SKINSTATE), 0);
    // While suspended the window's own code answers SKM_ISSKINNED.
    EXPECT_EQ(std::count(log.begin(), log.end(), SKM_ISSKINNED), 2);
    EXPECT_EQ(std::count(inner.begin(), inner.end(), SKM_ISSKINNED), 2);

    // Switching on paints skinned at once, without waiting for the queue.
    SendMessageA(edit->Handle(), SKM_SKINSTATE, 0, 0);
    const int before = byControl->Paints;
    RedrawWindow(edit->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(byControl->Paints, before) << "suspended skinners do not paint";
    SendMessageA(edit->Handle(), SKM_SKINSTATE, 1, 0);
    EXPECT_GT(byControl->Paints, before);
    const int handlePaints = byHandle->Paints;
    SendMessageA(bare.get(), SKM_SKINSTATE, 1, 0);
    EXPECT_GT(byHandle->Paints, handlePaints);
    g_bareLog = nullptr;
}

// ---- painting

TEST_F(SkinControlTest, PaintWithDcInWordParameterDrawsIntoThatDc)
{
    auto* button = Place<TButton>(20, 20, 90, 28);
    PaintingSkinner* skinner = SkinControl(*button);
    const Surface surface(90, 28);
    SendMessageA(button->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(surface.dc.get()), 0);
    EXPECT_EQ(skinner->LastDC, surface.dc.get());
    EXPECT_EQ(PixelOfMemoryDC(surface.dc.get(), 45, 14), kPainted);
    EXPECT_EQ(PixelOfMemoryDC(surface.dc.get(), 89, 27), kPainted);

    std::vector<UINT> log;
    g_bareLog = &log;
    const ui::UniqueWindow bare(MakeBareWindow(form->Handle()));
    auto* byHandle = new PaintingSkinner(nullptr);
    byHandle->InitHandle(bare.get(), &host->Skin, host.get(), &host->Canvas);
    const Surface other(60, 30);
    SendMessageA(bare.get(), WM_PAINT, reinterpret_cast<WPARAM>(other.dc.get()), 0);
    EXPECT_EQ(byHandle->LastDC, other.dc.get());
    EXPECT_EQ(PixelOfMemoryDC(other.dc.get(), 30, 15), kPainted);
    g_bareLog = nullptr;
}

// Takes painting and erasing over with the base's helpers.
class OwnPaintSkinner : public PaintingSkinner {
public:
    using PaintingSkinner::PaintingSkinner;
    bool BeforeProc(TMessage& message) override
    {
        if (message.Msg == WM_PAINT) {
            PaintWindow(message);
            return false;
        }
        if (message.Msg == WM_ERASEBKGND) {
            EraseToParent(message);
            return false;
        }
        return PaintingSkinner::BeforeProc(message);
    }
    void FillFace(HDC dc, const RECT& rect) const { FillSkinColor(dc, rect); }
    void FillParent(HDC dc, const RECT& rect) const { FillParentColor(dc, rect); }
    TColor ParentOr(TColor fallback) const { return ParentColor(fallback); }
    void FocusAround(HDC dc, UINT format, const RECT& rect, const wchar_t* caption)
    {
        FCaption = caption;
        DrawFocusAroundText(dc, format, rect);
    }
};

TEST_F(SkinControlTest, PaintWindowAndEraseToParentAnswerForTheControl)
{
    auto* panel = Place<TPanel>(30, 40, 80, 50);
    auto* skinner = SkinControl<OwnPaintSkinner>(*panel);
    const Surface surface(80, 50);
    const auto dc = reinterpret_cast<WPARAM>(surface.dc.get());

    EXPECT_EQ(SendMessageA(panel->Handle(), WM_ERASEBKGND, dc, 0), 1);
    EXPECT_EQ(PixelOfMemoryDC(surface.dc.get(), 40, 25), RGB(0x80, 0x40, 0x20)) << "the form's colour";

    EXPECT_EQ(SendMessageA(panel->Handle(), WM_PAINT, dc, 0), 0);
    EXPECT_EQ(skinner->LastDC, surface.dc.get());
    EXPECT_EQ(PixelOfMemoryDC(surface.dc.get(), 40, 25), kPainted);

    // Without a DC the skinner paints between BeginPaint and EndPaint: the window is valid afterwards.
    InvalidateRect(panel->Handle(), nullptr, FALSE);
    SendMessageA(panel->Handle(), WM_PAINT, 0, 0);
    EXPECT_FALSE(GetUpdateRect(panel->Handle(), nullptr, FALSE));

    EXPECT_EQ(skinner->ParentOr(clRed), static_cast<TColor>(0x00204080));
    skinner->FillFace(surface.dc.get(), RECT{0, 0, 10, 10});
    EXPECT_EQ(PixelOfMemoryDC(surface.dc.get(), 5, 5), RGB(0x99, 0x66, 0x33));
    skinner->FillParent(surface.dc.get(), RECT{0, 0, 10, 10});
    EXPECT_EQ(PixelOfMemoryDC(surface.dc.get(), 5, 5), RGB(0x80, 0x40, 0x20));
}

TEST_F(SkinControlTest, BareWindowErasesWithTheSkinFace)
{
    const ui::UniqueWindow bare(MakeBareWindow(form->Handle()));
    auto* skinner = new OwnPaintSkinner(nullptr);
    skinner->InitHandle(bare.get(), &host->Skin, host.get(), &host->Canvas);
    const Surface surface(60, 30);
    EXPECT_EQ(SendMessageA(bare.get(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(surface.dc.get()), 0), 1);
    EXPECT_EQ(PixelOfMemoryDC(surface.dc.get(), 30, 15), RGB(0x99, 0x66, 0x33));
    EXPECT_EQ(skinner->ParentOr(clRed), clRed);
}

TEST_F(SkinControlTest, FocusRectangleSurroundsTheTextInsideTheRectangle)
{
    auto* panel = Place<TPanel>(30, 40, 80, 50);
    auto* skinner = SkinControl<OwnPaintSkinner>(*panel);
    const RECT box{10, 10, 110, 50};
    const auto changed = [](HDC dc, int x, int y) { return GetPixel(dc, x, y) != RGB(255, 255, 255); };

    {
        // Text far wider than the box: the rectangle is held at the box's sides.
        const Surface surface(120, 60);
        skinner->FocusAround(surface.dc.get(), DT_CENTER | DT_SINGLELINE, box,
                             L"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
        EXPECT_TRUE(changed(surface.dc.get(), 10, 30) || changed(surface.dc.get(), 10, 29));
        EXPECT_TRUE(changed(surface.dc.get(), 109, 30) || changed(surface.dc.get(), 109, 29));
        EXPECT_FALSE(changed(surface.dc.get(), 9, 30));
        EXPECT_FALSE(changed(surface.dc.get(), 10, 10)) << "vertically it stays around the text";
    }
    {
        // Short text, right-aligned: the rectangle hugs the right side, the left stays clean.
        const Surface surface(120, 60);
        skinner->FocusAround(surface.dc.get(), DT_RIGHT | DT_SINGLELINE, box, L"ab");
        bool right = false;
        for (int y = 10; y < 30; ++y)
            right = right || changed(surface.dc.get(), 109, y);
        EXPECT_TRUE(right);
        for (int y = 10; y < 50; ++y)
            EXPECT_FALSE(changed(surface.dc.get(), 20, y)) << y;
    }
}

TEST(ButtonFrameSelection, DisabledThenDownThenHotThenFocused)
{
    EXPECT_EQ(SelectButtonFrame(0, true, false), TButtonFrame::Normal);
    EXPECT_EQ(SelectButtonFrame(0, true, true), TButtonFrame::Focused);
    EXPECT_EQ(SelectButtonFrame(ssHot, true, true), TButtonFrame::Hot);
    EXPECT_EQ(SelectButtonFrame(ssHot | ssDown, true, true), TButtonFrame::Down);
    EXPECT_EQ(SelectButtonFrame(ssDown, true, false), TButtonFrame::Down);
    EXPECT_EQ(SelectButtonFrame(ssHot | ssDown, false, true), TButtonFrame::Disabled);
    EXPECT_EQ(static_cast<int>(TButtonFrame::Disabled), 3);
    EXPECT_EQ(static_cast<int>(TButtonFrame::Hot), 4);
}

// ---- the end of a window

TEST_F(SkinControlTest, WindowDestroyedWhileSkinnedRestoresOnce)
{
    auto* panel = Place<TPanel>(20, 20, 100, 60);
    panel->SetColor(static_cast<TColor>(0x00010203));
    PaintingSkinner* skinner = SkinControl(*panel, true);
    ASSERT_EQ(panel->Color(), kSkinFace);

    panel->SetParent(nullptr);  // takes the window down, the control stays
    EXPECT_FALSE(panel->HandleAllocated());
    EXPECT_EQ(skinner->Status(), TSkinStatus::WindowDestroyed);
    EXPECT_FALSE(skinner->Active());
    EXPECT_EQ(skinner->Unskins, 1);
    EXPECT_EQ(panel->Color(), static_cast<TColor>(0x00010203));
    EXPECT_TRUE(panel->ParentBackground());

    // The control's own later colour survives the form letting go of the skinner.
    panel->SetColor(static_cast<TColor>(0x00070809));
    host->List.FreeFinishedControls();
    EXPECT_TRUE(host->List.Controls().empty());
    EXPECT_EQ(panel->Color(), static_cast<TColor>(0x00070809));
    EXPECT_EQ(panel->ComponentCount(), 0);
    delete panel;
}

TEST_F(SkinControlTest, UnskinAllSkipsSkinnersWhoseWindowIsGone)
{
    auto* gone = Place<TPanel>(20, 20, 100, 60);
    PaintingSkinner* goneSkinner = SkinControl(*gone, true);
    auto* kept = Place<TPanel>(20, 100, 100, 60);
    kept->SetColor(static_cast<TColor>(0x00112233));
    SkinControl(*kept, true);
    const ui::UniqueWindow bare(MakeBareWindow(form->Handle()));
    auto* byHandle = new PaintingSkinner(form.get());
    byHandle->InitHandle(bare.get(), &host->Skin, host.get(), &host->Canvas);

    gone->SetParent(nullptr);
    const long thunks = ui::LiveThunkCount();
    EXPECT_EQ(goneSkinner->Unskins, 1);
    gone->SetColor(clRed);
    EXPECT_EQ(host->List.Controls().size(), 3u);
    host->List.UnskinAll();
    EXPECT_TRUE(host->List.Controls().empty());
    EXPECT_EQ(gone->Color(), clRed);
    EXPECT_EQ(kept->Color(), static_cast<TColor>(0x00112233));
    EXPECT_EQ(kept->ComponentCount(), 0);
    EXPECT_FALSE(Skinned(bare.get()));
    EXPECT_EQ(ui::LiveThunkCount(), thunks - 1);
    delete gone;
}

TEST_F(SkinControlTest, BareWindowDestroyedWhileSkinnedEndsTheSkinner)
{
    ui::UniqueWindow bare(MakeBareWindow(form->Handle()));
    const long thunks = ui::LiveThunkCount();
    auto* skinner = new PaintingSkinner(nullptr);
    skinner->InitHandle(bare.get(), &host->Skin, host.get(), &host->Canvas);
    bare.reset();
    EXPECT_EQ(skinner->Status(), TSkinStatus::WindowDestroyed);
    EXPECT_EQ(skinner->Unskins, 1);
    host->List.FreeFinishedControls();
    EXPECT_TRUE(host->List.Controls().empty());
    EXPECT_EQ(ui::LiveThunkCount(), thunks);
}

TEST_F(SkinControlTest, FreeingTheControlFreesItsSkinner)
{
    auto* edit = Place<TEdit>(20, 20, 100, 22);
    SkinControl(*edit, true);
    ASSERT_EQ(host->List.Controls().size(), 1u);
    delete edit;
    EXPECT_TRUE(host->List.Controls().empty());
}

// A click handler that frees its own control frees the skinner in the middle
// of the message: the skinner must not run its after-step on freed memory.
bool gClickSkinnerGone = false;
int gAfterStepsWhenGone = 0;

class ClickWatchingSkinner : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    ~ClickWatchingSkinner() override { gClickSkinnerGone = true; }
    void AfterProc(TMessage&) override
    {
        if (gClickSkinnerGone)
            ++gAfterStepsWhenGone;
    }
};

TEST_F(SkinControlTest, AControlFreedByItsOwnClickEndsItsSkinnerCleanly)
{
    for (const bool byHandle : {false, true}) {
        gClickSkinnerGone = false;
        gAfterStepsWhenGone = 0;
        auto* button = Place<TButton>(20, 20, 90, 28);
        if (byHandle) {
            auto* skinner = new ClickWatchingSkinner(button);
            skinner->InitHandle(button->Handle(), &host->Skin, host.get(), &host->Canvas);
        } else {
            SkinControl<ClickWatchingSkinner>(*button);
        }
        button->OnClick = TNotifyEvent([button](TObject*) { delete button; });
        SendMessageA(button->Handle(), BM_CLICK, 0, 0);
        Flush();
        EXPECT_TRUE(gClickSkinnerGone) << byHandle;
        EXPECT_EQ(gAfterStepsWhenGone, 0) << byHandle;
        EXPECT_TRUE(host->List.Controls().empty()) << byHandle;
    }
}

// ---- layers taken off in any order

TEST_F(SkinControlTest, ControlLayersComeOffInAnyOrder)
{
    for (const bool skinnerFirst : {true, false}) {
        auto* edit = Place<TEdit>(20, 20, 100, 22);
        int below = 0;
        int above = 0;
        auto inner = layers::InstallWindowProcLayer(*edit, [&](TMessage& m, const std::function<void(TMessage&)>& next) {
            below += m.Msg == WM_PROBE;
            next(m);
        });
        PaintingSkinner* skinner = SkinControl(*edit);
        auto outer = layers::InstallWindowProcLayer(*edit, [&](TMessage& m, const std::function<void(TMessage&)>& next) {
            above += m.Msg == WM_PROBE;
            next(m);
        });
        SendMessageA(edit->Handle(), WM_PROBE, 0, 0);
        EXPECT_EQ(std::count(skinner->Seen.begin(), skinner->Seen.end(), WM_PROBE), 1);
        if (skinnerFirst) {
            delete skinner;
            EXPECT_FALSE(Skinned(edit->Handle()));
            outer->Remove();
        } else {
            outer->Remove();
            inner->Remove();
            EXPECT_TRUE(Skinned(edit->Handle()));
            delete skinner;
        }
        SendMessageA(edit->Handle(), WM_PROBE, 0, 0);
        EXPECT_FALSE(Skinned(edit->Handle()));
        EXPECT_EQ(above, 1);
        EXPECT_EQ(below, skinnerFirst ? 2 : 1) << "the layer below still receives after the skinner went";
        delete edit;
    }
}

TEST_F(SkinControlTest, HandleLayersComeOffInAnyOrderAndLeaveNoThunks)
{
    const long thunks = ui::LiveThunkCount();
    for (const bool skinnerFirst : {true, false}) {
        ui::UniqueWindow bare(MakeBareWindow(form->Handle()));
        const WNDPROC own = ProcOf(bare.get());
        auto* skinner = new PaintingSkinner(nullptr);
        skinner->InitHandle(bare.get(), &host->Skin, host.get(), &host->Canvas);
        auto above = layers::InstallPassThroughSubclass(bare.get());
        if (skinnerFirst) {
            delete skinner;
            EXPECT_FALSE(Skinned(bare.get()));
            EXPECT_EQ(SendMessageA(bare.get(), WM_PROBE, 0, 0), 41);
            above->Remove();
        } else {
            above->Remove();
            EXPECT_TRUE(Skinned(bare.get()));
            delete skinner;
            EXPECT_EQ(ProcOf(bare.get()), own) << "removed in order: exactly the previous procedure";
        }
        EXPECT_EQ(SendMessageA(bare.get(), WM_PROBE, 0, 0), 41);
        bare.reset();
        EXPECT_EQ(ui::LiveThunkCount(), thunks);
    }
}

// ---- a re-created window

TEST_F(SkinControlTest, SkinnerFollowsTheControlsNewWindow)
{
    auto* edit = Place<TEdit>(20, 20, 120, 22);
    edit->SetText("邮编");
    PaintingSkinner* skinner = SkinControl(*edit, true);
    const HWND first = edit->Handle();
    edit->SetBorderStyle(bsNone);
    const HWND second = edit->Handle();
    ASSERT_NE(first, second);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(skinner->Handle(), second);
    EXPECT_EQ(skinner->Status(), TSkinStatus::Attached);
    EXPECT_EQ(skinner->Unskins, 0);
    EXPECT_EQ(edit->Color(), kSkinFace);
    EXPECT_TRUE(Skinned(second));
    EXPECT_EQ(host->List.Find(second), skinner);
    const int before = skinner->Paints;
    RedrawWindow(second, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GT(skinner->Paints, before);
    const ui::UniqueWindowDC dc = ui::UniqueWindowDC::Whole(second);
    EXPECT_EQ(GetPixel(dc.get(), 3, 3), kPainted);
}

// ---- the property bridge over framework controls

TEST_F(SkinControlTest, PropertyBridgeReadsAndWritesControlsByAnyCase)
{
    auto* button = Place<TButton>(12, 34, 90, 28);
    button->SetCaption("查询");
    auto* edit = Place<TEdit>(20, 80, 120, 22);
    auto* panel = Place<TPanel>(20, 120, 100, 60);

    EXPECT_EQ(ui::GetIntProp(button, "left"), 12);
    EXPECT_EQ(ui::GetIntProp(button, "TOP"), 34);
    EXPECT_EQ(ui::GetIntProp(button, "NoSuchThing"), -1);
    EXPECT_EQ(ui::GetIntProp(nullptr, "Left"), -1);
    EXPECT_EQ(ui::GetEnumPropText(edit, "borderstyle"), "bsSingle");
    EXPECT_EQ(ui::GetEnumPropText(panel, "parentbackground"), "True");
    EXPECT_EQ(ui::GetEnumPropText(button, "ParentBackground"), "");
    EXPECT_EQ(ui::GetWideTextProp(button, "caption"), L"查询") << "through the system code page";
    EXPECT_EQ(ui::GetWideTextProp(button, "simpletext"), L"");
    EXPECT_NE(ui::GetObjectPropOf(button, "font", TFont::ClassInfo), nullptr);
    EXPECT_EQ(ui::GetObjectPropOf(button, "font", TButton::ClassInfo), nullptr);
    EXPECT_EQ(ui::GetObjectPropOf(button, "glyph", TFont::ClassInfo), nullptr);

    ui::SetPropText(panel, "PARENTBACKGROUND", "False");
    EXPECT_FALSE(panel->ParentBackground());
    ui::SetPropText(edit, "borderstyle", "bsNone");
    EXPECT_EQ(edit->BorderStyle(), bsNone);
    ui::SetPropText(button, "width", "77");
    EXPECT_EQ(button->Width(), 77);
    ui::SetPropText(button, "caption", "确定");
    EXPECT_EQ(button->Caption(), "确定");
    EXPECT_NO_THROW(ui::SetPropText(button, "TransparentColor", "5"));
    EXPECT_NO_THROW(ui::SetPropText(nullptr, "Width", "5"));
}

// ---- leaving the control

TEST_F(SkinControlTest, HoverIsClearedByLeaveTrackingOrByTheWatchdog)
{
    SetCursorPos(0, 0);
    auto* button = Place<TButton>(20, 20, 90, 28);
    auto* skinner = SkinControl<HoverSkinner>(*button);
    RedrawWindow(button->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);

    // With the pointer over the control a move makes it hot and asks the
    // system for the leave notification, which comes once the pointer went.
    RECT screen{};
    GetWindowRect(button->Handle(), &screen);
    SetCursorPos((screen.left + screen.right) / 2, (screen.top + screen.bottom) / 2);
    Flush();
    SendMessageA(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(skinner->State() & ssHot, ssHot);
    EXPECT_EQ(host->HoverRequests, 1);
    EXPECT_TRUE(host->List.HoverPending());
    TRACKMOUSEEVENT query{sizeof(query), TME_QUERY, nullptr, 0};
    ASSERT_TRUE(TrackMouseEvent(&query));
    EXPECT_EQ(query.hwndTrack, button->Handle());
    EXPECT_TRUE(query.dwFlags & TME_LEAVE);
    SendMessageA(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(12, 10));
    EXPECT_EQ(host->HoverRequests, 1) << "already hot";
    SetCursorPos(0, 0);
    const ULONGLONG end = GetTickCount64() + 3000;
    while ((skinner->State() & ssHot) && GetTickCount64() < end)
        Flush(20);
    EXPECT_EQ(skinner->State() & ssHot, 0) << "WM_MOUSELEAVE arrived";

    // The watchdog: the cursor inside the window rectangle keeps it hot, outside ends it.
    SendMessageA(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    ASSERT_EQ(skinner->State() & ssHot, ssHot);
    const RECT& rect = skinner->WindowRect();
    host->List.CheckHover(POINT{rect.left + 5, rect.top + 5});
    EXPECT_EQ(skinner->State() & ssHot, ssHot);
    EXPECT_TRUE(host->List.HoverPending());
    host->List.CheckHover(POINT{rect.right + 5, rect.top + 5});
    EXPECT_EQ(skinner->State() & ssHot, 0);
    EXPECT_FALSE(host->List.HoverPending());

    // A disabled control does not become hot.
    button->SetEnabled(false);
    SendMessageA(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(skinner->State() & ssHot, 0);
}

TEST_F(SkinControlTest, StateChangesRepaintTheSkinnedControl)
{
    auto* edit = Place<TEdit>(20, 20, 120, 22);
    PaintingSkinner* skinner = SkinControl(*edit);
    Flush();
    for (const auto& change : std::vector<std::function<void()>>{
             [&] { edit->SetFocus(); },
             [&] { SetFocus(form->Handle()); },
             [&] { edit->SetText("北京"); },
             [&] { edit->SetEnabled(false); },
         }) {
        const int before = skinner->Paints;
        change();
        EXPECT_GT(skinner->Paints, before);
    }
}

// ---- the list

TEST_F(SkinControlTest, RegisterAnswersWhetherListedAndAsksTheWindow)
{
    auto* button = Place<TButton>(20, 20, 90, 28);
    PaintingSkinner* skinner = SkinControl(*button);
    EXPECT_TRUE(host->List.RegisterControl(*skinner));
    EXPECT_EQ(host->List.Controls().size(), 1u);
    host->List.UnregisterControl(*skinner);
    EXPECT_TRUE(host->List.Controls().empty());
    host->List.UnregisterControl(*skinner);
    EXPECT_FALSE(host->List.RegisterControl(*skinner));
    EXPECT_TRUE(TSkinControlList::IsControlSkinned(button->Handle()));
    EXPECT_FALSE(TSkinControlList::IsControlSkinned(form->Handle()));
    EXPECT_FALSE(TSkinControlList::IsControlSkinned(nullptr));
}

// ---- no leaks

TEST_F(SkinControlTest, ThousandCyclesLeaveNoHandlesOrThunks)
{
    const auto cycle = [&](int i) {
        auto* edit = Place<TEdit>(20, 20, 100, 22);
        auto* skinner = SkinControl(*edit, true);
        RedrawWindow(edit->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        if (i % 2 == 0) {
            host->List.UnskinAll();
            delete edit;
        } else {
            SendMessageA(edit->Handle(), SKM_SKINSTATE, 0, 0);
            delete edit;
        }
        (void)skinner;
        const ui::UniqueWindow bare(MakeBareWindow(form->Handle()));
        auto* byHandle = new PaintingSkinner(form.get());
        byHandle->InitHandle(bare.get(), &host->Skin, host.get(), &host->Canvas);
        RedrawWindow(bare.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        if (i % 3 == 0)
            delete byHandle;
    };
    cycle(0);
    cycle(1);
    host->List.FreeFinishedControls();
    const ui::HandleSnapshot handles = ui::HandleSnapshot::Take();
    const long thunks = ui::LiveThunkCount();
    const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    for (int i = 0; i < 1000; ++i) {
        cycle(i);
        host->List.FreeFinishedControls();
    }
    EXPECT_TRUE(host->List.Controls().empty());
    EXPECT_EQ(ui::HandleSnapshot::Take(), handles);
    EXPECT_EQ(ui::LiveThunkCount(), thunks);
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdi + 8);
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), user + 8);
}

} // namespace
