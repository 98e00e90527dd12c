// Date-time pickers skinned from a test skin: the two-line border, the arrow
// button over the picker's own (normal, hot, on the left for a picker whose
// button is there, never hot while the picker is disabled), a plain button
// without the arrow picture; the calendar still drops down from a click on
// the covered button and from Alt+Down and F4, with the same messages
// reaching the picker; handles over many paints.
#include "tests/win/skin_bars_support.h"

#include "skin/controls/SkinDateTime.h"
#include "ui/DateTimePicker.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace skinbarstest;

COLORREF ArrowColour(int cell) { return RGB(30 + 50 * cell, 200 - 40 * cell, 90); }
constexpr COLORREF kShadow = RGB(0x40, 0x20, 0xA0);

class SkinDateTimeTest : public BarsTest {
protected:
    void SetUp() override
    {
        BarsTest::SetUp();
        host->Skin.ComboxArrow = Element("ComboxArrow", 4, 16, 16, ArrowColour);
        host->Skin.ButtonShadowColour = static_cast<TColor>(kShadow);
    }

    TDateTimePicker* Picker(int left = 40, int top = 40)
    {
        auto* picker = Place<TDateTimePicker>(left, top, 150, 24);
        picker->Handle();
        return picker;
    }
    static int ArrowSize() { return GetSystemMetrics(SM_CXHSCROLL); }
    // The arrow's middle in the picker's client coordinates, button on the right.
    static POINT ArrowMiddle(TDateTimePicker& picker)
    {
        return POINT{picker.Width() - 4 - ArrowSize() / 2, ArrowSize() / 2};
    }
    // A client point of the picker as the screen shows it (the border is 2 pixels).
    static COLORREF ScreenAt(TDateTimePicker& picker, POINT client)
    {
        Flush(100);
        RECT window{};
        GetWindowRect(picker.Handle(), &window);
        POINT screen = client;
        ClientToScreen(picker.Handle(), &screen);
        return Capture(picker.Handle()).At(screen.x - window.left, screen.y - window.top);
    }
    static HWND WindowAt(TDateTimePicker& picker, POINT client)
    {
        ClientToScreen(picker.Handle(), &client);
        return WindowFromPoint(client);
    }
    static void Hover(HWND window, bool over)
    {
        SendMessageA(window, over ? WM_MOUSEMOVE : WM_MOUSELEAVE, 0, MAKELPARAM(3, 3));
        Flush(60);
    }
};

TEST_F(SkinDateTimeTest, BorderAndArrowButtonNormalAndHot)
{
    auto* picker = Picker();
    auto* skinner = Skin<TSkinDateTime>(*picker);
    ASSERT_NE(skinner->Arrow(), nullptr);
    TArrowButton& arrow = *skinner->Arrow();
    EXPECT_EQ(GetParent(arrow.Handle()), picker->Handle());
    EXPECT_EQ(arrow.Left(), picker->Width() - ArrowSize() - 4);
    EXPECT_EQ(arrow.Top(), 0);
    EXPECT_EQ(arrow.Width(), ArrowSize());
    EXPECT_EQ(arrow.Height(), ArrowSize() + 1);
    EXPECT_FALSE(arrow.TabStop());
    EXPECT_NE(GetWindowLongPtrA(picker->Handle(), GWL_STYLE) & WS_CLIPCHILDREN, 0);

    Surface surface(picker->Width(), picker->Height());
    skinner->PaintControl(surface.dc.get(), RECT{0, 0, picker->Width(), picker->Height()});
    EXPECT_EQ(GetPixel(surface.dc.get(), 0, 0), kShadow);
    EXPECT_EQ(GetPixel(surface.dc.get(), picker->Width() - 1, picker->Height() - 1), kShadow);
    EXPECT_EQ(GetPixel(surface.dc.get(), 1, 1), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(surface.dc.get(), 1, picker->Height() - 2), RGB(255, 255, 255));

    Redraw(picker->Handle());
    const POINT middle = ArrowMiddle(*picker);
    EXPECT_EQ(WindowAt(*picker, middle), arrow.Handle()) << "the picker's button is covered";
    EXPECT_TRUE(Near(ScreenAt(*picker, middle), ArrowColour(1), 4));
    EXPECT_TRUE(Near(ScreenAt(*picker, POINT{2, 2}), RGB(255, 255, 255), 20)) << "the field is the picker's own";
    const Capture whole(picker->Handle());
    EXPECT_EQ(whole.At(0, 0), kShadow) << "the border on the screen";

    Hover(arrow.Handle(), true);
    EXPECT_TRUE(arrow.Hot());
    EXPECT_TRUE(Near(ScreenAt(*picker, middle), ArrowColour(4), 4)) << "hot";
    Hover(arrow.Handle(), false);
    EXPECT_FALSE(arrow.Hot());
    EXPECT_TRUE(Near(ScreenAt(*picker, middle), ArrowColour(1), 4));

    picker->SetBounds(40, 40, 200, 24);
    EXPECT_EQ(arrow.Left(), 200 - ArrowSize() - 4) << "the arrow stays over the picker's button";
}

TEST_F(SkinDateTimeTest, ArrowOnTheLeftAndNeverHotWhileDisabled)
{
    auto* picker = Picker();
    SetWindowLongPtrA(picker->Handle(), GWL_EXSTYLE,
                      GetWindowLongPtrA(picker->Handle(), GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
    auto* skinner = Skin<TSkinDateTime>(*picker);
    ASSERT_NE(skinner->Arrow(), nullptr);
    EXPECT_EQ(skinner->Arrow()->Left(), 2);
    Redraw(picker->Handle());
    EXPECT_TRUE(Near(ScreenAt(*picker, POINT{2 + ArrowSize() / 2, ArrowSize() / 2}), ArrowColour(1), 4));
    EXPECT_FALSE(Near(ScreenAt(*picker, ArrowMiddle(*picker)), ArrowColour(1), 30)) << "nothing on the right";

    auto* disabled = Picker(40, 100);
    disabled->SetEnabled(false);
    auto* off = Skin<TSkinDateTime>(*disabled);
    ASSERT_NE(off->Arrow(), nullptr);
    Hover(off->Arrow()->Handle(), true);
    EXPECT_FALSE(off->Arrow()->Hot());
    Redraw(disabled->Handle());
    EXPECT_TRUE(Near(ScreenAt(*disabled, ArrowMiddle(*disabled)), ArrowColour(1), 4));
}

TEST_F(SkinDateTimeTest, WithoutTheArrowPictureAPlainButtonAndStillTheBorder)
{
    for (const bool empty : {false, true}) {
        if (empty)
            host->Skin.ComboxArrow = std::make_unique<TDataSkinObject>("ComboxArrow");
        else
            host->Skin.ComboxArrow.reset();
        auto* picker = Picker(40, empty ? 40 : 100);
        auto* skinner = Skin<TSkinDateTime>(*picker);
        ASSERT_NE(skinner->Arrow(), nullptr);
        Redraw(picker->Handle());
        // The system's drop-down button: its face, and a dark arrow in the middle.
        const RECT client = skinner->Arrow()->ClientRect();
        const Capture arrow(skinner->Arrow()->Handle());
        EXPECT_GT(arrow.Count(client, GetSysColor(COLOR_BTNFACE), 8), client.right * client.bottom / 3) << empty;
        EXPECT_GT(arrow.Count(client, GetSysColor(COLOR_BTNTEXT), 30), 3) << empty;
        const Capture whole(picker->Handle());
        EXPECT_EQ(whole.At(0, 0), kShadow) << empty;
        delete picker;
    }
}

TEST_F(SkinDateTimeTest, WithoutSkinDataTheBorderAndArrowArePlain)
{
    auto* picker = Picker();
    auto* skinner = new TSkinDateTime(picker);
    skinner->InitControl(host.get(), nullptr, false, &host->Canvas);
    ASSERT_NE(skinner->Arrow(), nullptr);
    Redraw(picker->Handle());
    const Capture whole(picker->Handle());
    EXPECT_EQ(whole.At(0, 0), GetSysColor(COLOR_BTNSHADOW));
    const RECT client = skinner->Arrow()->ClientRect();
    const Capture arrow(skinner->Arrow()->Handle());
    EXPECT_GT(arrow.Count(client, GetSysColor(COLOR_BTNFACE), 8), client.right * client.bottom / 3);
}

struct DropRun {
    std::vector<std::string> events;
    bool droppedByClick = false;
    bool closedByClick = false;
    bool droppedByAltDown = false;
    bool droppedByF4 = false;
    std::vector<msgseq::Entry> entries;
    std::vector<msgseq::Entry> keyEntries;
};

void CloseCalendar(TDateTimePicker& picker)
{
    const auto calendar = reinterpret_cast<HWND>(SendMessageA(picker.Handle(), DTM_GETMONTHCAL, 0, 0));
    if (calendar) {
        PostMessageA(calendar, WM_KEYDOWN, VK_ESCAPE, 1);
        PostMessageA(calendar, WM_KEYUP, VK_ESCAPE, static_cast<LPARAM>(0xC0000001));
    }
    Flush(150);
    if (picker.DroppedDown()) {
        // Some versions close only on a click elsewhere.
        SendMessageA(picker.Handle(), WM_KILLFOCUS, 0, 0);
        if (calendar)
            ShowWindow(GetAncestor(calendar, GA_ROOT), SW_HIDE);
        Flush(100);
    }
}

DropRun DriveDropDown(TDateTimePicker& picker, POINT arrowMiddle)
{
    DropRun run;
    picker.OnDropDown = TNotifyEvent([&](TObject*) { run.events.push_back("drop down"); });
    picker.OnCloseUp = TNotifyEvent([&](TObject*) { run.events.push_back("close up"); });
    // Both runs start with the focus on the form.
    SetFocus(GetParent(picker.Handle()));
    Flush(60);
    msgseq::Sequence sequence;
    sequence.SetOptional(WM_TIMER);
    {
        msgseq::Recorder recorder(sequence);
        recorder.AttachControl(picker, "picker");
        POINT screen = arrowMiddle;
        ClientToScreen(picker.Handle(), &screen);
        const HWND under = WindowFromPoint(screen);
        POINT local = screen;
        ScreenToClient(under, &local);
        const auto click = [&] {
            PostMessageA(under, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(local.x, local.y));
            PostMessageA(under, WM_LBUTTONUP, 0, MAKELPARAM(local.x, local.y));
            Flush(150);
        };
        click();
        run.droppedByClick = picker.DroppedDown();
        click();
        run.closedByClick = !picker.DroppedDown();
    }
    // The pointer is over the arrow now: hit tests and the colour queries of
    // the extra paints go where they must; everything else is the same.
    for (const msgseq::Entry& entry : Behaviour(sequence.Entries())) {
        if (entry.message != WM_NCHITTEST && entry.message != CN_CTLCOLOREDIT)
            run.entries.push_back(entry);
    }
    CloseCalendar(picker);
    picker.SetFocus();
    Flush(60);
    msgseq::Sequence keys;
    keys.SetOptional(WM_TIMER);
    {
        msgseq::Recorder recorder(keys);
        recorder.AttachControl(picker, "picker");
        PostMessageA(picker.Handle(), WM_SYSKEYDOWN, VK_DOWN, static_cast<LPARAM>(0x20000001));
        PostMessageA(picker.Handle(), WM_SYSKEYUP, VK_DOWN, static_cast<LPARAM>(0xE0000001));
        Flush(150);
        run.droppedByAltDown = picker.DroppedDown();
    }
    CloseCalendar(picker);
    picker.SetFocus();
    Flush(60);
    {
        msgseq::Recorder recorder(keys);
        recorder.AttachControl(picker, "picker");
        PostMessageA(picker.Handle(), WM_KEYDOWN, VK_F4, 1);
        PostMessageA(picker.Handle(), WM_KEYUP, VK_F4, static_cast<LPARAM>(0xC0000001));
        Flush(150);
        run.droppedByF4 = picker.DroppedDown();
    }
    run.keyEntries = Behaviour(keys.Entries());
    CloseCalendar(picker);
    return run;
}

TEST_F(SkinDateTimeTest, TheCalendarDropsDownFromTheCoveredButtonAndTheKeys)
{
    DropRun runs[2];
    for (int skinned = 0; skinned < 2; ++skinned) {
        auto* picker = Picker();
        if (skinned)
            Skin<TSkinDateTime>(*picker);
        Redraw(picker->Handle());
        runs[skinned] = DriveDropDown(*picker, ArrowMiddle(*picker));
        delete picker;
        Flush(60);
    }
    const DropRun& plain = runs[0];
    const DropRun& skinned = runs[1];
    EXPECT_TRUE(plain.droppedByClick);
    EXPECT_TRUE(skinned.droppedByClick) << "a click on the arrow opens the calendar";
    EXPECT_TRUE(skinned.closedByClick) << "and a second one closes it";
    EXPECT_EQ(skinned.closedByClick, plain.closedByClick);
    // The keys are the picker's own business (not every version of the
    // control opens on them): the skinned one does what the bare one does.
    EXPECT_EQ(skinned.droppedByAltDown, plain.droppedByAltDown);
    EXPECT_EQ(skinned.droppedByF4, plain.droppedByF4);
    EXPECT_FALSE(skinned.keyEntries.empty());
    EXPECT_TRUE(msgseq::SameSequence(plain.keyEntries, skinned.keyEntries, "Alt+Down and F4"));
    ASSERT_GE(skinned.events.size(), 2u);
    EXPECT_EQ(skinned.events[0], "drop down");
    EXPECT_EQ(skinned.events[1], "close up");
    EXPECT_EQ(skinned.events, plain.events);
    EXPECT_TRUE(msgseq::SameSequence(plain.entries, skinned.entries, "click on the button"));
}

TEST_F(SkinDateTimeTest, ManyPaintsLeaveNoHandles)
{
    auto* picker = Picker();
    auto* skinner = Skin<TSkinDateTime>(*picker);
    ASSERT_NE(skinner->Arrow(), nullptr);
    const HWND arrow = skinner->Arrow()->Handle();
    Surface surface(picker->Width(), picker->Height());
    Surface button(ArrowSize(), ArrowSize() + 1);
    skinner->PaintFrame(surface.dc.get());
    SendMessageA(arrow, WM_PAINT, reinterpret_cast<WPARAM>(button.dc.get()), 0);
    const ui::HandleSnapshot handles = ui::HandleSnapshot::Take();
    const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 70000; ++i) {
        skinner->PaintFrame(surface.dc.get());
        SendMessageA(arrow, WM_PAINT, reinterpret_cast<WPARAM>(button.dc.get()), 0);
    }
    EXPECT_EQ(ui::HandleSnapshot::Take(), handles);
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdi + 2);
}

TEST_F(SkinDateTimeTest, FreeingTheSkinnerTakesTheArrowAway)
{
    auto* picker = Picker();
    auto* skinner = Skin<TSkinDateTime>(*picker);
    ASSERT_NE(skinner->Arrow(), nullptr);
    const HWND arrow = skinner->Arrow()->Handle();
    delete skinner;
    EXPECT_FALSE(IsWindow(arrow));
    EXPECT_EQ(GetWindowLongPtrA(picker->Handle(), GWL_STYLE) & WS_CLIPCHILDREN, 0);
    EXPECT_EQ(picker->ControlCount(), 0);
}

} // namespace
