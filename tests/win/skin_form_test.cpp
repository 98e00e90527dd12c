// Skinned windows as the user sees them: the manager attaches a form skinner
// when a window is activated, the window grows around its unchanged client
// area, the skin's frame shows on the screen in the activation's frame, the
// region leaves the borders' magenta out, and detaching gives everything back.
#include "tests/win/MessageSequence.h"
#include "tests/win/skin_form_support.h"

#include "skin/chrome/WinSkinForm.h"
#include "skin/model/SkinMessages.h"
#include "skin/model/WinSkinDlg.h"
#include "ui/Forms.h"
#include "ui/Handles.h"
#include "ui/HookToken.h"
#include "ui/Menus.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using namespace frametest;

using SkinFormTest = SkinnedFormTest;

TEST_F(SkinFormTest, AnActivatedFormIsSkinnedOnceAndKeepsItsClientArea)
{
    TSkinManage& manager = Manager();
    TForm& form = ShowForm();
    const HWND window = form.Handle();
    EXPECT_EQ(SendMessageA(window, SKM_ISSKINNED, 0, 0), 1);
    ASSERT_EQ(manager.FormSkinners().size(), 1u);
    EXPECT_EQ(manager.FindFormSkinner(window)->State(), TFormSkinState::Ready);

    // The painted borders: 4 left, 15 title, 6 right, 6 bottom.
    const SIZE client = ClientSize(window);
    EXPECT_EQ(client.cx, kClientWidth);
    EXPECT_EQ(client.cy, kClientHeight);
    const SIZE size = WindowSize(window);
    EXPECT_EQ(size.cx, kClientWidth + 4 + 6);
    EXPECT_EQ(size.cy, kClientHeight + 15 + 6);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    RECT bounds{};
    GetWindowRect(window, &bounds);
    EXPECT_EQ(origin.x - bounds.left, 4);
    EXPECT_EQ(origin.y - bounds.top, 15);

    // Activating it again changes nothing.
    auto other = std::make_unique<TForm>(nullptr);
    other->SetBounds(500, 60, 200, 150);
    other->Show();
    Pump(50);
    SetActiveWindow(window);
    Pump(50);
    EXPECT_EQ(manager.FormSkinners().size(), 2u);
    EXPECT_EQ(WindowSize(window).cx, size.cx);
    EXPECT_EQ(WindowSize(window).cy, size.cy);
    other.reset();
    EXPECT_EQ(manager.FormSkinners().size(), 1u) << "a form's skinner goes with it";
}

// Painted once plain and once skinned, a window flickers and starts slower:
// even when it is told to paint at once, its client is drawn only once it wears
// its frame, and drawing works as before afterwards.
TEST_F(SkinFormTest, AFormShownAndPaintedAtOnceDrawsItsClientOnlyWhenSkinned)
{
    Manager();
    auto owned = std::make_unique<TForm>(nullptr);
    TForm& form = *owned;
    forms.push_back(std::move(owned));
    form.SetBounds(60, 60, 400, 300);
    form.SetClientSize(kClientWidth, kClientHeight);
    std::vector<bool> skinnedAtPaint;
    ui::HookToken layer = form.AddWindowProc([&](TMessage& message, const TWndNext& next) {
        if (message.Msg == WM_PAINT)
            skinnedAtPaint.push_back(SendMessageA(form.Handle(), SKM_ISSKINNED, 0, 0) == 1 &&
                                     WindowSize(form.Handle()).cx == kClientWidth + 4 + 6);
        next(message);
    });
    form.Show();
    form.Update();
    Pump(100);
    ASSERT_EQ(skinnedAtPaint.size(), 1u);
    EXPECT_TRUE(skinnedAtPaint[0]);
    EXPECT_TRUE(IsWindowVisible(form.Handle()));

    form.Invalidate();
    form.Update();
    EXPECT_EQ(skinnedAtPaint.size(), 2u);
}

TEST_F(SkinFormTest, TheScreenShowsTheFrameOfTheActivationState)
{
    TForm& form = ShowForm();
    const HWND window = form.Handle();
    ASSERT_EQ(GetActiveWindow(), window);
    const SIZE size = WindowSize(window);
    // The title band lies between the side borders and keeps 5 columns at each end unstretched.
    const RECT titleMiddle{4 + 5, 0, size.cx - 6 - 5, 15};
    const RECT leftMiddle{0, 20, 4, size.cy - 10};
    const RECT bottomMiddle{10, size.cy - 6, size.cx - 10, size.cy};

    auto active = ScreenOf(window);
    EXPECT_EQ(FirstOther(*active, titleMiddle, TopColour(1, Middle)), "");
    EXPECT_EQ(FirstOther(*active, leftMiddle, LeftColour(1, Middle)), "");
    EXPECT_EQ(FirstOther(*active, bottomMiddle, BottomColour(1, Middle)), "");

    auto other = std::make_unique<TForm>(nullptr);
    other->SetBounds(500, 400, 200, 150);
    other->Show();
    ASSERT_NE(GetActiveWindow(), window);
    auto inactive = ScreenOf(window);
    EXPECT_EQ(FirstOther(*inactive, titleMiddle, TopColour(2, Middle)), "");
    EXPECT_EQ(FirstOther(*inactive, leftMiddle, LeftColour(2, Middle)), "");
    EXPECT_EQ(FirstOther(*inactive, bottomMiddle, BottomColour(2, Middle)), "");
}

TEST_F(SkinFormTest, TheCaptionShowsAndFollowsSetText)
{
    TForm& form = ShowForm();
    const HWND window = form.Handle();
    const RECT title{4, 0, WindowSize(window).cx - 6, 15};
    EXPECT_FALSE(Contains(*ScreenOf(window), title, ActiveText)) << "an empty caption draws no text";
    SetWindowTextA(window, "WWWW MMMM");
    EXPECT_TRUE(Contains(*ScreenOf(window), title, ActiveText)) << "the new caption is in the title band";
    EXPECT_EQ(uitest::WindowText(window), "WWWW MMMM");
}

TEST_F(SkinFormTest, AFormsMenuIsTheSkinnedBarAboveTheClientAreaAndAClickRunsItsItem)
{
    constexpr TColor barColour = RGBColor(20, 240, 30);
    skin->MenuBar.reset();
    skin->MenubarColour = barColour;
    int clicks = 0;
    TForm& form = ShowForm([&](TForm& f) {
        auto* menu = new TMainMenu(&f);
        auto* item = new TMenuItem(&f);
        item->SetCaption("MMMMMMMM");
        item->OnClick = TNotifyEvent([&](TObject*) { ++clicks; });
        menu->Items()->Add(item);
        f.SetMenu(menu);
        f.SetClientSize(kClientWidth, kClientHeight);
    });
    const HWND window = form.Handle();
    const int band = GetSystemMetrics(SM_CYMENU);
    EXPECT_EQ(GetMenu(window), nullptr) << "the system's menu bar is gone";
    EXPECT_EQ(ClientSize(window).cx, kClientWidth);
    EXPECT_EQ(ClientSize(window).cy, kClientHeight);
    EXPECT_EQ(WindowSize(window).cy, kClientHeight + 15 + band + 6);

    // The band between the title and the client area: the bar colour, with the item's caption.
    auto screen = ScreenOf(window);
    const RECT menuBand{4, 15, WindowSize(window).cx - 6, 15 + band};
    EXPECT_TRUE(Contains(*screen, menuBand, barColour));
    EXPECT_FALSE(Contains(*screen, menuBand, TopColour(1, Middle)));

    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    const POINT onItem{origin.x + 20, origin.y - band / 2};
    EXPECT_EQ(SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(onItem.x, onItem.y)), HTMENU);
    SendMessageA(window, WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(onItem.x, onItem.y));
    ASSERT_TRUE(PumpUntil([&] { return clicks == 1; }));

    // Switching the skin off gives the window its menu back.
    Manager().FindFormSkinner(window)->Detach();
    EXPECT_NE(GetMenu(window), nullptr);
}

TEST_F(SkinFormTest, TheRegionLeavesMagentaOutOnlyForTransparentBorders)
{
    // A magenta top-left corner of the left border.
    SetPixel(skin->BorderLeft->Bitmap, 0, 0, RGBColor(255, 0, 255));
    SetPixel(skin->BorderLeft->Bitmap, 1, 0, RGBColor(255, 0, 255));
    skin->BorderLeft->Trans = 1;
    TForm& shaped = ShowForm();
    const ui::UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(shaped.Handle(), region.get()), ERROR);
    EXPECT_FALSE(PtInRegion(region.get(), 0, 0));
    EXPECT_FALSE(PtInRegion(region.get(), 1, 0));
    EXPECT_TRUE(PtInRegion(region.get(), 2, 0));
    EXPECT_TRUE(PtInRegion(region.get(), 0, 50));

    skin->BorderLeft->Trans = 0;
    TForm& plain = ShowForm();
    const SIZE size = WindowSize(plain.Handle());
    ASSERT_NE(GetWindowRgn(plain.Handle(), region.get()), ERROR);
    const ui::UniqueRegion whole(CreateRectRgn(0, 0, size.cx, size.cy));
    EXPECT_TRUE(EqualRgn(region.get(), whole.get()));
}

TEST_F(SkinFormTest, AWindowWithoutCaptionKeepsItsFrameAndGetsNoRegion)
{
    skin->BorderLeft->Trans = 1;
    TForm& form = ShowForm([](TForm& f) { f.SetBorderStyle(bsNone); });
    const HWND window = form.Handle();
    EXPECT_EQ(SendMessageA(window, SKM_ISSKINNED, 0, 0), 1);
    const SIZE client = ClientSize(window);
    const SIZE size = WindowSize(window);
    EXPECT_EQ(size.cx, client.cx);
    EXPECT_EQ(size.cy, client.cy);
    const ui::UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetWindowRgn(window, region.get()), ERROR);
    // Nothing of a frame is painted over the window.
    SendMessageA(window, SKM_PAINTFRAME, 0, 0);
    EXPECT_FALSE(Contains(*ScreenOf(window), {0, 0, size.cx, 1}, TopColour(1, Middle)));
}

TEST_F(SkinFormTest, FormsTaggedNinetyNineAreNeverSkinned)
{
    TForm& form = ShowForm([](TForm& f) { f.SetTag(99); });
    EXPECT_EQ(SendMessageA(form.Handle(), SKM_ISSKINNED, 0, 0), 0);
    EXPECT_TRUE(Manager().FormSkinners().empty());
    const SIZE client = ClientSize(form.Handle());
    EXPECT_EQ(client.cx, kClientWidth);
}

TEST_F(SkinFormTest, AZeroSizedWindowIsOfferedAgainAtItsNextActivation)
{
    Manager();
    const HINSTANCE module = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = module;
    wc.lpszClassName = "ZelSkinFormZeroSize";
    RegisterClassA(&wc);
    const ui::UniqueWindow window(CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP | WS_CAPTION | WS_SYSMENU, 50,
                                                  50, 0, 0, nullptr, nullptr, module, nullptr));
    ASSERT_TRUE(window);
    ShowWindow(window.get(), SW_SHOW);
    Pump(50);
    EXPECT_EQ(SendMessageA(window.get(), SKM_ISSKINNED, 0, 0), 0);

    SetWindowPos(window.get(), nullptr, 0, 0, 200, 100, SWP_NOMOVE | SWP_NOZORDER);
    auto other = std::make_unique<TForm>(nullptr);
    other->SetBounds(500, 400, 200, 150);
    other->Show();
    SetActiveWindow(window.get());
    Pump(100);
    EXPECT_EQ(SendMessageA(window.get(), SKM_ISSKINNED, 0, 0), 1);
    EXPECT_EQ(Manager().FormSkinners().size(), 2u);
}

TEST_F(SkinFormTest, TheProgramsMessageBoxIsSkinned)
{
    TForm& form = ShowForm();
    LRESULT skinned = -1;
    SIZE boxClient{};
    uitest::CallAfter(300, [&] {
        const HWND box = uitest::FindThreadDialog();
        if (box == nullptr)
            return;
        skinned = SendMessageA(box, SKM_ISSKINNED, 0, 0);
        boxClient = ClientSize(box);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(MessageBoxA(form.Handle(), "text", "box", MB_OK), IDOK);
    EXPECT_EQ(skinned, 1);
    EXPECT_GT(boxClient.cx, 0);
    Pump(50);
    // The box's skinner goes when the box does.
    Manager().PurgeAllDestroyed();
    EXPECT_EQ(Manager().FormSkinners().size(), 1u);
}

TEST_F(SkinFormTest, SwitchingTheSkinOffGivesTheWindowItsOwnSizeBack)
{
    TSkinManage& manager = Manager();
    manager.SetEnabled(false);
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(60, 60, 400, 300);
    form->SetClientSize(kClientWidth, kClientHeight);
    form->Show();
    Pump(50);
    const HWND window = form->Handle();
    ASSERT_EQ(SendMessageA(window, SKM_ISSKINNED, 0, 0), 0);
    const SIZE own = WindowSize(window);
    const LONG_PTR ownStyle = GetWindowLongPtrA(window, GWL_STYLE);

    // Switched on at run time, the skin reaches the forms already shown.
    skin->SetActive(false);
    skin->SetActive(true);
    ASSERT_TRUE(PumpUntil([&] { return SendMessageA(window, SKM_ISSKINNED, 0, 0) == 1; }));
    Pump(100);
    EXPECT_NE(WindowSize(window).cx, own.cx);

    skin->SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return SendMessageA(window, SKM_ISSKINNED, 0, 0) == 0; }));
    EXPECT_TRUE(manager.FormSkinners().empty());
    const SIZE back = WindowSize(window);
    EXPECT_EQ(back.cx, own.cx);
    EXPECT_EQ(back.cy, own.cy);
    EXPECT_EQ(ClientSize(window).cx, kClientWidth);
    EXPECT_EQ(ClientSize(window).cy, kClientHeight);
    EXPECT_EQ(GetWindowLongPtrA(window, GWL_STYLE) & (WS_CAPTION | WS_SYSMENU), ownStyle & (WS_CAPTION | WS_SYSMENU));
    const ui::UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetWindowRgn(window, region.get()), ERROR);
}

TEST_F(SkinFormTest, RepaintingTheFrameLeavesNoHandleBehind)
{
    TForm& form = ShowForm([](TForm& f) { f.SetCaption("Zelvorin"); });
    const HWND window = form.Handle();
    SendMessageA(window, SKM_PAINTFRAME, 0, 0);
    const DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD userBefore = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    const long dcsBefore = ui::LiveHandleCount(ui::HandleKind::WindowDC);
    const long bitmapsBefore = ui::LiveHandleCount(ui::HandleKind::Bitmap);
    for (int i = 0; i < 1000; ++i)
        SendMessageA(window, SKM_PAINTFRAME, 0, 0);
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiBefore);
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), userBefore);
    EXPECT_EQ(ui::LiveHandleCount(ui::HandleKind::WindowDC), dcsBefore);
    EXPECT_EQ(ui::LiveHandleCount(ui::HandleKind::Bitmap), bitmapsBefore);
}

} // namespace

namespace {

// What a form's own handlers see of its client area while it is resized,
// clicked and typed into.
std::vector<msgseq::Entry> ClientMessagesOf(TForm& form)
{
    msgseq::Sequence sequence;
    {
        msgseq::Recorder recorder(sequence);
        recorder.AttachControl(form, "form");
        form.SetClientSize(kClientWidth - 50, kClientHeight - 40);
        SendMessageA(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 12));
        SendMessageA(form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 12));
        SendMessageA(form.Handle(), WM_CHAR, 'z', 1);
        InvalidateRect(form.Handle(), nullptr, TRUE);
        msgseq::Flush();
    }
    std::vector<msgseq::Entry> client;
    for (const msgseq::Entry& entry : sequence.Entries()) {
        switch (entry.message) {
        case WM_SIZE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_CHAR:
        case WM_PAINT:
        case WM_ERASEBKGND:
            client.push_back(entry);
            break;
        default:
            break;
        }
    }
    return client;
}

TEST_F(SkinFormTest, AFormsOwnHandlersSeeTheSameClientMessagesSkinnedOrNot)
{
    TForm& plain = ShowForm([](TForm& f) { f.SetTag(99); });
    ASSERT_EQ(SendMessageA(plain.Handle(), SKM_ISSKINNED, 0, 0), 0);
    const auto reference = ClientMessagesOf(plain);
    ASSERT_FALSE(reference.empty());

    TForm& skinned = ShowForm();
    ASSERT_EQ(SendMessageA(skinned.Handle(), SKM_ISSKINNED, 0, 0), 1);
    EXPECT_TRUE(msgseq::SameSequence(reference, ClientMessagesOf(skinned)));
}

} // namespace
