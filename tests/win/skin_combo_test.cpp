// Combo boxes skinned from a test skin whose button, edge and arrow frames
// each have a colour of their own: the button and arrow at the right and, with
// WS_EX_LEFTSCROLLBAR, mirrored at the left; the three ways the button's Style
// draws; states, hover that only marks the state; a box without a button left
// alone; skins without the pictures; dropping, choosing and the framework's
// events as without skinning; the list of a simple box with skinned scroll
// bars; handles over many paints and drop-downs.
#include "tests/win/MessageSequence.h"
#include "tests/win/skin_box_support.h"
#include "tests/win/skin_scroll_support.h"

#include "skin/controls/SkinComBox.h"
#include "skin/controls/SkinScrollbar.h"
#include "skin/model/ImgUtil.h"
#include "skin/model/SkinMessages.h"
#include "ui/ComboBox.h"
#include "ui/StdCtrls.h"
#include "ui/WndProcThunk.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace skinboxtest;
using skinbuttontest::PaintCells;
using skinbuttontest::Surface;

constexpr COLORREF kStripe = RGB(10, 10, 10);
COLORREF ButtonColour(int frame) { return RGB(200, 40 * frame, 30); }
COLORREF EdgeColour(int frame) { return RGB(30, 200, 40 * frame); }
COLORREF ArrowColour(int frame) { return RGB(40 * frame, 30, 200); }

constexpr int kWidth = 120;
constexpr int kHeight = 24;

// Four button frames of 17 x 20 with a dark stripe down each frame's left
// edge, and the mirrored copy the skin keeps beside it: its frames in reverse
// order, each with the stripe at its right.
void MakeComboSkin(TSkinData& skin, int style = 0)
{
    skin.ComboButton = std::make_unique<TDataSkinBorder>("ComboButton");
    TDataSkinBorder& button = *skin.ComboButton;
    PaintCells(button.Bitmap, 4, 17, 20, ButtonColour);
    for (int frame = 0; frame < 4; ++frame) {
        button.Bitmap.Canvas().Brush().SetColor(static_cast<TColor>(kStripe));
        button.Bitmap.Canvas().FillRect(RECT{frame * 17, 0, frame * 17 + 3, 20});
    }
    button.FrameCount = 4;
    button.Style = style;
    CopyBitmap(button.Bitmap, button.Bitmap2);
    MirrorHorizontal(button.Bitmap2);
    skin.SunkEdge = std::make_unique<TDataSkinObject>("SunkEdge");
    PaintCells(skin.SunkEdge->Bitmap, 4, 20, 20, EdgeColour);
    skin.SunkEdge->FrameCount = 4;
    skin.SunkEdge->LeftWidth = skin.SunkEdge->TopHeight = skin.SunkEdge->RightWidth = skin.SunkEdge->BottomHeight = 2;
    skin.ExtraImages = std::make_unique<TDataSkinObject>("ExtraImages");
    PaintCells(skin.ExtraImages->Bitmap, 5, 7, 5, ArrowColour);
    skin.ExtraImages->FrameCount = 5;
}

class SkinComboTest : public BoxFixture {
protected:
    void SetUp() override
    {
        BoxFixture::SetUp();
        MakeComboSkin(host->Skin);
        other = Place<TEdit>(200, 20, 100, 22);
        other->SetFocus();
        Flush();
    }

    TComboBox* PlaceCombo(TComboBoxStyle style = csDropDown, int top = 20)
    {
        auto* combo = Place<TComboBox>(20, top, kWidth, kHeight);
        combo->SetStyle(style);
        for (const char* item : {"北京", "上海", "重庆", "天津"})
            combo->Items().Add(item);
        combo->SetItemIndex(0);
        Flush();
        return combo;
    }

    static COLORREF At(TWinControl& control, int x, int y)
    {
        Redraw(control.Handle());
        return ScreenPixel(control.Handle(), x, y);
    }
    static COLORREF Offscreen(TSkinControl& skinner, TWinControl& control, int x, int y)
    {
        Surface surface(control.Width(), control.Height());
        skinner.PaintControl(surface.dc.get(), RECT{0, 0, control.Width(), control.Height()});
        return GetPixel(surface.dc.get(), x, y);
    }

    TEdit* other = nullptr;
    const int scroll = GetSystemMetrics(SM_CXHSCROLL);
};

TEST_F(SkinComboTest, ButtonArrowAndEdgeAtTheRight)
{
    for (TComboBoxStyle style : {csDropDown, csDropDownList, csOwnerDrawFixed}) {
        auto* combo = PlaceCombo(style);
        Skin<TSkinComBox>(*combo);
        const int height = combo->Height();
        const int buttonLeft = combo->Width() - scroll - 2;
        EXPECT_EQ(At(*combo, combo->Width() - 3, 1), ButtonColour(1)) << style;
        EXPECT_EQ(At(*combo, buttonLeft, 1), kStripe) << "the picture as it is";
        EXPECT_EQ(At(*combo, buttonLeft + scroll / 2, height / 2), ArrowColour(1)) << "centred";
        EXPECT_EQ(At(*combo, 0, height / 2), EdgeColour(1));
        EXPECT_EQ(At(*combo, combo->Width() / 2, 0), EdgeColour(1));
        EXPECT_NE(At(*combo, 10, height / 2), EdgeColour(1)) << "the inside is the box's own";
        delete combo;
    }
}

TEST_F(SkinComboTest, ButtonOnTheLeftTakesTheMirroredPicture)
{
    auto* combo = PlaceCombo(csDropDownList);
    const HWND window = combo->Handle();
    SetWindowLongPtrA(window, GWL_EXSTYLE, GetWindowLongPtrA(window, GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
    Skin<TSkinComBox>(*combo);
    const int height = combo->Height();
    EXPECT_EQ(At(*combo, 1, 1), ButtonColour(4)) << "the mirror's first frame is the last one flipped";
    EXPECT_EQ(At(*combo, scroll + 1, 1), kStripe) << "the stripe now at the button's right";
    EXPECT_EQ(At(*combo, 2 + scroll / 2, height / 2), ArrowColour(1));
    EXPECT_EQ(At(*combo, kWidth - 1, height / 2), EdgeColour(1));
    EXPECT_NE(At(*combo, kWidth - 4, 1), ButtonColour(1)) << "nothing at the right";
}

TEST_F(SkinComboTest, FramesFollowFocusPressAndEnabling)
{
    auto* combo = PlaceCombo(csDropDown);
    auto* skinner = Skin<TSkinComBox>(*combo);
    const int x = kWidth - 3;
    EXPECT_EQ(Offscreen(*skinner, *combo, x, 1), ButtonColour(1));
    combo->SetFocus();
    Flush();
    EXPECT_EQ(GetFocus(), skinner->EditHandle()) << "the edit inside has the focus";
    EXPECT_EQ(Offscreen(*skinner, *combo, x, 1), ButtonColour(4));
    EXPECT_EQ(At(*combo, x, 1), ButtonColour(4));
    EXPECT_EQ(Offscreen(*skinner, *combo, 0, combo->Height() / 2), EdgeColour(4));
    SendMessageA(combo->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kWidth - 8, 10));
    EXPECT_EQ(skinner->State() & ssDown, ssDown);
    EXPECT_EQ(Offscreen(*skinner, *combo, x, 1), ButtonColour(2));
    SendMessageA(combo->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(kWidth - 8, 10));
    combo->SetDroppedDown(false);
    Flush();
    EXPECT_EQ(skinner->State() & ssDown, 0);
    other->SetFocus();
    combo->SetEnabled(false);
    Flush();
    EXPECT_EQ(Offscreen(*skinner, *combo, x, 1), ButtonColour(3));
    EXPECT_EQ(At(*combo, x, 1), ButtonColour(3));
    SendMessageA(combo->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kWidth - 8, 10));
    EXPECT_EQ(Offscreen(*skinner, *combo, x, 1), ButtonColour(3)) << "disabled wins";
}

TEST_F(SkinComboTest, ClicksIntoTheEditPressTheButton)
{
    auto* combo = PlaceCombo(csDropDown);
    auto* skinner = Skin<TSkinComBox>(*combo);
    const HWND edit = skinner->EditHandle();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit, GetTopWindow(combo->Handle()));
    SendMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(skinner->State() & ssDown, ssDown);
    SendMessageA(edit, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(skinner->State() & ssDown, 0);
    // The edit painting itself brings the box's frame back.
    RedrawWindow(edit, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Flush(100);
    EXPECT_EQ(ScreenPixel(combo->Handle(), kWidth - 3, 1), ButtonColour(4));

    // A new style makes a new window and a new edit, which is followed.
    combo->SetStyle(csDropDownList);
    Flush();
    EXPECT_EQ(skinner->EditHandle(), nullptr);
    combo->SetStyle(csDropDown);
    Flush();
    EXPECT_EQ(skinner->EditHandle(), GetTopWindow(combo->Handle()));
    EXPECT_NE(skinner->EditHandle(), nullptr);
}

TEST_F(SkinComboTest, HoverMarksTheStateAndShowsAtTheNextPaint)
{
    auto* combo = PlaceCombo(csDropDownList);
    auto* skinner = Skin<TSkinComBox>(*combo);
    const int x = kWidth - 3;
    EXPECT_EQ(At(*combo, x, 1), ButtonColour(1));
    RECT screen{};
    GetWindowRect(combo->Handle(), &screen);
    SetCursorPos(screen.right - 8, screen.top + 8);
    Flush();
    SendMessageA(combo->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(kWidth - 8, 8));
    Flush(100);
    EXPECT_EQ(skinner->State() & ssHot, ssHot);
    EXPECT_EQ(host->HoverRequests, 1) << "the watchdog watches it";
    EXPECT_EQ(ScreenPixel(combo->Handle(), x, 1), ButtonColour(1)) << "not repainted";
    EXPECT_EQ(At(*combo, x, 1), ButtonColour(4)) << "the next paint";
    SendMessageA(combo->Handle(), CM_MOUSELEAVE, 0, 0);
    Flush(100);
    EXPECT_EQ(skinner->State() & ssHot, 0);
    EXPECT_EQ(ScreenPixel(combo->Handle(), x, 1), ButtonColour(1)) << "leaving repaints";
}

TEST_F(SkinComboTest, BoxWithoutAVisibleButtonIsNotOverdrawn)
{
    auto* combo = PlaceCombo(csSimple);
    combo->SetBounds(20, 20, kWidth, 100);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(combo->Handle(), &info));
    ASSERT_NE(info.stateButton & STATE_SYSTEM_INVISIBLE, 0u);
    Redraw(combo->Handle());
    const std::vector<COLORREF> bare = Shot(combo->Handle());
    auto* skinner = Skin<TSkinComBox>(*combo);
    EXPECT_EQ(skinner->ListHandle(), info.hwndList);
    EXPECT_EQ(skinner->EditHandle(), nullptr);
    Redraw(combo->Handle());
    EXPECT_EQ(Shot(combo->Handle()), bare);
}

TEST_F(SkinComboTest, ButtonStylesOneAndTwo)
{
    constexpr COLORREF kWhite = RGB(255, 255, 255);
    MakeComboSkin(host->Skin, 1);
    auto* simple = PlaceCombo(csDropDownList, 20);
    Skin<TSkinComBox>(*simple);
    const int height = simple->Height();
    EXPECT_EQ(At(*simple, kWidth / 2, 0), kShadow) << "style 1: the shadow around";
    EXPECT_EQ(At(*simple, kWidth / 2, 1), kWhite) << "the DC's brush inside it";
    EXPECT_EQ(At(*simple, kWidth - 3, height / 2), ButtonColour(1)) << "the button's picture at the side";
    EXPECT_EQ(At(*simple, kWidth - 2 - 17, height / 2), kStripe) << "unstretched";
    delete simple;

    MakeComboSkin(host->Skin, 2);
    auto* whole = PlaceCombo(csDropDownList, 20);
    Skin<TSkinComBox>(*whole);
    EXPECT_EQ(At(*whole, kWidth / 2, 1), ButtonColour(1)) << "style 2: the button over all of it";
    EXPECT_EQ(At(*whole, 0, 1), kStripe);
    auto* left = PlaceCombo(csDropDownList, 60);
    SetWindowLongPtrA(left->Handle(), GWL_EXSTYLE, GetWindowLongPtrA(left->Handle(), GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
    Skin<TSkinComBox>(*left);
    EXPECT_EQ(At(*left, kWidth / 2, 1), EdgeColour(1)) << "on the left the sunken edge stands in";
}

TEST_F(SkinComboTest, SkinsWithoutThePicturesLeaveTheSystemLook)
{
    auto* combo = PlaceCombo(csDropDownList);
    Redraw(combo->Handle());
    const std::vector<COLORREF> bare = Shot(combo->Handle());
    host->Skin.ComboButton.reset();
    auto* skinner = Skin<TSkinComBox>(*combo);
    Redraw(combo->Handle());
    EXPECT_EQ(Shot(combo->Handle()), bare) << "no button element";
    host->Skin.ComboButton = std::make_unique<TDataSkinBorder>("ComboButton");
    skinner->SkinChanged();
    Redraw(combo->Handle());
    EXPECT_EQ(Shot(combo->Handle()), bare) << "an empty picture";
    host->Skin.ComboButton->Bitmap.SetSize(3, 20);
    Redraw(combo->Handle());
    EXPECT_EQ(Shot(combo->Handle()), bare) << "four frames in three pixels";

    MakeComboSkin(host->Skin);
    host->Skin.SunkEdge.reset();
    host->Skin.ExtraImages.reset();
    const int buttonLeft = kWidth - scroll - 2;
    EXPECT_EQ(At(*combo, kWidth - 3, 1), ButtonColour(1)) << "the button alone";
    EXPECT_EQ(At(*combo, buttonLeft + scroll / 2, combo->Height() / 2), ButtonColour(1)) << "no arrow";
    EXPECT_EQ(ScreenPixel(combo->Handle(), 0, combo->Height() / 2), bare[static_cast<std::size_t>(
                                                                          combo->Height() / 2 * kWidth)]);
}

// ---- behaviour

struct ComboScriptResult {
    std::vector<std::string> log;
    std::vector<msgseq::Entry> commands;
};

// Dropping by click, F4 and Alt+Down, choosing by mouse and keyboard, typing.
ComboScriptResult RunComboScript(TForm& form, TComboBoxStyle style, TestHost* host)
{
    ComboScriptResult result;
    auto* combo = new TComboBox(&form);
    combo->SetBounds(20, 20, kWidth, kHeight);
    combo->SetStyle(style);
    combo->SetParent(&form);
    for (const char* item : {"北京", "上海", "重庆", "天津"})
        combo->Items().Add(item);
    combo->SetItemIndex(0);
    auto* log = &result.log;
    combo->OnSelect = TNotifyEvent([log, combo](TObject*) { log->push_back("select " + std::to_string(combo->ItemIndex())); });
    combo->OnChange = TNotifyEvent([log, combo](TObject*) { log->push_back("change " + combo->Text()); });
    combo->OnDropDown = TNotifyEvent([log](TObject*) { log->push_back("dropdown"); });
    combo->OnCloseUp = TNotifyEvent([log](TObject*) { log->push_back("closeup"); });
    if (host)
        (new TSkinComBox(combo))->InitControl(host, &host->Skin, false, &host->Canvas);
    combo->SetFocus();
    Flush();
    msgseq::Sequence sequence;
    msgseq::Recorder recorder(sequence);
    recorder.AttachControl(form, "form");
    const auto key = [&](UINT message, UINT vk, LPARAM flags = 0) {
        const HWND focused = GetFocus();
        PostMessageA(focused, message, vk, 1 | flags);
        PostMessageA(focused, message == WM_SYSKEYDOWN ? WM_SYSKEYUP : WM_KEYUP, vk,
                     static_cast<LPARAM>(0xC0000001) | flags);
        Flush(60);
    };
    const auto state = [&](const char* step) {
        result.log.push_back(std::string(step) + " dropped " + std::to_string(combo->DroppedDown()) + " index " +
                             std::to_string(combo->ItemIndex()) + " " + combo->Text());
    };

    const LPARAM button = MAKELPARAM(kWidth - 8, kHeight / 2);
    PostMessageA(combo->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, button);
    PostMessageA(combo->Handle(), WM_LBUTTONUP, 0, button);
    Flush(100);
    state("click");
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(combo->Handle(), &info);
    const int itemHeight = static_cast<int>(SendMessageA(combo->Handle(), CB_GETITEMHEIGHT, 0, 0));
    const LPARAM third = MAKELPARAM(10, itemHeight * 2 + itemHeight / 2);
    PostMessageA(info.hwndList, WM_MOUSEMOVE, 0, third);
    PostMessageA(info.hwndList, WM_LBUTTONDOWN, MK_LBUTTON, third);
    PostMessageA(info.hwndList, WM_LBUTTONUP, 0, third);
    Flush(100);
    state("mouse");

    key(WM_KEYDOWN, VK_F4);
    state("F4");
    key(WM_KEYDOWN, VK_DOWN);
    key(WM_KEYDOWN, VK_RETURN);
    state("chosen");
    key(WM_SYSKEYDOWN, VK_DOWN, 1 << 29);
    state("alt-down");
    key(WM_KEYDOWN, VK_UP);
    key(WM_KEYDOWN, VK_UP);
    key(WM_KEYDOWN, VK_RETURN);
    state("chosen");
    key(WM_KEYDOWN, VK_DOWN);
    state("closed down");
    if (style == csDropDown) {
        PostMessageA(GetFocus(), WM_CHAR, 'x', 1);
        Flush(60);
        state("typed");
    }
    recorder.Detach();
    for (const msgseq::Entry& entry : sequence.Entries())
        if (entry.message == WM_COMMAND)
            result.commands.push_back(entry);
    return result;
}

TEST_F(SkinComboTest, DroppingChoosingAndEventsAsWithoutSkinning)
{
    for (TComboBoxStyle style : {csDropDown, csDropDownList}) {
        NewForm();
        const ComboScriptResult bare = RunComboScript(*form, style, nullptr);
        NewForm();
        const ComboScriptResult skinned = RunComboScript(*form, style, host.get());
        EXPECT_EQ(skinned.log, bare.log) << style;
        EXPECT_TRUE(msgseq::SameSequence(bare.commands, skinned.commands, "the form's commands"));
        const auto has = [&](const std::string& entry) {
            return std::count(bare.log.begin(), bare.log.end(), entry);
        };
        EXPECT_EQ(has("click dropped 1 index 0 北京"), 1) << style;
        EXPECT_EQ(has("mouse dropped 0 index 2 重庆"), 1);
        EXPECT_EQ(has("F4 dropped 1 index 2 重庆"), 1);
        EXPECT_EQ(has("chosen dropped 0 index 3 天津"), 1);
        EXPECT_EQ(has("alt-down dropped 1 index 3 天津"), 1);
        EXPECT_EQ(has("chosen dropped 0 index 1 上海"), 1);
        EXPECT_EQ(has("closed down dropped 0 index 2 重庆"), 1);
        EXPECT_GE(has("dropdown"), 3);
        EXPECT_GE(has("select 2"), 1);
        const auto selChanges = std::count_if(bare.commands.begin(), bare.commands.end(),
                                              [](const msgseq::Entry& e) { return HIWORD(e.wParam) == CBN_SELCHANGE; });
        EXPECT_GE(selChanges, 4);
    }
}

// ---- the list of a simple combo box

TEST_F(SkinComboTest, SimpleBoxListGetsSkinnedBarsThatFollowItUntilUnskinned)
{
    skinscrolltest::MakeScrollSkin(host->Skin);
    auto* combo = Place<TComboBox>(20, 60, kWidth, 140);
    for (int i = 0; i < 40; ++i)
        combo->Items().Add("选项 " + std::to_string(i));
    auto* skinner = Skin<TSkinComBox>(*combo);
    EXPECT_EQ(skinner->ListScroll(), nullptr) << "a drop-down list is not the box's to skin";

    // A new style makes the window anew: now with a list inside.
    combo->SetStyle(csSimple);
    combo->SetBounds(20, 60, kWidth, 140);
    Flush(100);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(combo->Handle(), &info));
    const HWND list = info.hwndList;
    EXPECT_EQ(skinner->ListHandle(), list);
    ASSERT_NE(skinner->ListScroll(), nullptr);
    const HWND overlay = skinner->ListScroll()->VertBar()->Handle();
    const RECT bar = skinscrolltest::BarOnScreen(list, true);
    ASSERT_GT(bar.bottom - bar.top, 3 * scroll);
    EXPECT_EQ(WindowFromPoint(skinscrolltest::Centre(bar)), overlay);
    EXPECT_TRUE(skinscrolltest::Near(skinscrolltest::ScreenPixel(skinscrolltest::Centre(bar).x, bar.top + scroll / 2),
                                     skinscrolltest::BarColour(9), 3));
    skinscrolltest::ExpectThumbWhereTheSystemHasIt(list);

    SendMessageA(list, LB_SETTOPINDEX, 20, 0);
    Flush(100);
    skinscrolltest::ExpectThumbWhereTheSystemHasIt(list);
    SendMessageA(list, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    Flush(100);
    EXPECT_LT(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 20);
    skinscrolltest::ExpectThumbWhereTheSystemHasIt(list);

    skinner->Unskin();
    Flush(100);
    EXPECT_EQ(skinner->ListScroll(), nullptr);
    EXPECT_FALSE(IsWindow(overlay));
    EXPECT_EQ(WindowFromPoint(skinscrolltest::Centre(bar)), list) << "the system's own bar again";
}

// ---- handles

TEST_F(SkinComboTest, ManyPaintsAndDropDownsLeaveNoHandles)
{
    auto* combo = PlaceCombo(csDropDown);
    auto* skinner = Skin<TSkinComBox>(*combo);
    Surface surface(kWidth, combo->Height());
    const RECT rect{0, 0, kWidth, combo->Height()};
    skinner->PaintControl(surface.dc.get(), rect);
    combo->SetDroppedDown(true);
    combo->SetDroppedDown(false);
    Flush();
    const ui::HandleSnapshot handles = ui::HandleSnapshot::Take();
    const long thunks = ui::LiveThunkCount();
    for (int i = 0; i < 70000; ++i)
        skinner->PaintControl(surface.dc.get(), rect);
    for (int i = 0; i < 1000; ++i) {
        combo->SetDroppedDown(true);
        Application->ProcessMessages();
        combo->SetDroppedDown(false);
        Application->ProcessMessages();
    }
    Flush();
    EXPECT_EQ(ui::HandleSnapshot::Take(), handles);
    EXPECT_EQ(ui::LiveThunkCount(), thunks);
    delete combo;
    Flush();
}

} // namespace
