// Title-bar buttons on real windows: visibility from the owner's state and
// from the window's own answer, layout, hit testing, every action, and
// painting into a picture of the title and onto the window.
#include "skin/chrome/MenuBtn.h"
#include "skin/chrome/TitleButtons.h"
#include "tests/win/nc_owner_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace nctest;

namespace {

using Elements = std::vector<std::unique_ptr<TDataSkinSysButton>>;

class TitleButtonsTest : public ::testing::Test {
protected:
    TTitleButtons& Build(std::initializer_list<ButtonKeys> keys)
    {
        for (const ButtonKeys& k : keys)
            elements.push_back(MakeButton(k));
        buttons.Rebuild(elements);
        return buttons;
    }
    TWinSysButton& At(std::size_t i) const { return *buttons.Buttons()[i]; }

    TestWindow window;
    TestOwner owner{window.get()};
    Elements elements;
    TTitleButtons buttons{owner};
};

// ---- visibility

TEST_F(TitleButtonsTest, VisibilityFollowsEveryStateTheOwnerReports)
{
    Build({
        {.action = 4, .visibility = 1},                   // 0: maximised
        {.action = 4, .visibility = 3},                   // 1: active
        {.action = 4, .visibility1 = 6},                  // 2: maximise box
        {.action = 4, .visibility1 = 8},                  // 3: minimise box
        {.action = 0},                                    // 4: close needs the system menu
        {.action = 3},                                    // 5: window icon, not on a dialog frame
        {.action = 4, .visibility = 200},                 // 6: dialog frame of a window that is no dialog
        {.action = 7, .visibility = 100, .visibility1 = 100}, // 7: MDI child buttons
    });
    const auto visible = [&] {
        buttons.Arrange();
        std::vector<bool> v;
        for (const auto& b : buttons.Buttons())
            v.push_back(b->Visible);
        return v;
    };
    EXPECT_EQ(visible(), (std::vector<bool>{false, true, true, true, true, true, false, false}));

    owner.maximized = true;
    owner.active = false;
    owner.maximizeBox = false;
    owner.minimizeBox = false;
    owner.systemMenu = false;
    owner.borderKind = bkDialog;
    owner.mdiChildButtons = true;
    EXPECT_EQ(visible(), (std::vector<bool>{true, false, false, false, false, false, true, true}));

    owner.dialogClass = true;
    EXPECT_FALSE(visible()[6]);
}

TEST_F(TitleButtonsTest, VisibilityFrom1000To2000AsksTheWindowAtEveryArrange)
{
    Build({{.action = 42, .visibility = 1500}, {.action = 5, .visibility = 2000}});
    Recorder& r = window.recorder;

    r.buttonVisibleAnswer = 1;
    buttons.Arrange();
    EXPECT_TRUE(At(0).Visible);
    EXPECT_TRUE(At(1).Visible);
    ASSERT_EQ(r.Of(SKM_BUTTONVISIBLE).size(), 2u);
    EXPECT_EQ(r.Of(SKM_BUTTONVISIBLE)[0].wParam, 1500u);
    EXPECT_EQ(r.Of(SKM_BUTTONVISIBLE)[0].lParam, 42);
    EXPECT_EQ(r.Of(SKM_BUTTONVISIBLE)[1].wParam, 2000u);
    EXPECT_EQ(r.Of(SKM_BUTTONVISIBLE)[1].lParam, 5);

    r.buttonVisibleAnswer = 0;
    buttons.Arrange();
    EXPECT_FALSE(At(0).Visible);
    r.buttonVisibleAnswer = -1;
    buttons.Arrange();
    EXPECT_FALSE(At(0).Visible) << "only an answer above 0 shows the button";
    r.buttonVisibleAnswer = 7;
    buttons.Arrange();
    EXPECT_TRUE(At(0).Visible);
    EXPECT_EQ(r.Of(SKM_BUTTONVISIBLE).size(), 8u) << "asked at every arrange";

    r.buttonVisibleAnswer.reset();
    buttons.Arrange();
    EXPECT_FALSE(At(0).Visible) << "a window that does not handle the message hides the button";
    EXPECT_FALSE(At(1).Visible);
}

TEST_F(TitleButtonsTest, ValuesJustOutsideTheAskedRangeDoNotAskTheWindow)
{
    Build({{.visibility = 999}, {.visibility = 2001}});
    window.recorder.buttonVisibleAnswer = 1;
    buttons.Arrange();
    EXPECT_TRUE(At(0).Visible);
    EXPECT_FALSE(At(1).Visible);
    EXPECT_TRUE(window.recorder.Of(SKM_BUTTONVISIBLE).empty());
}

// ---- layout

TEST_F(TitleButtonsTest, LayoutUsesTheCellSizeAndTheOwnersFrame)
{
    owner.windowWidth = 400;
    owner.captionRect = {120, 3, 250, 25};
    owner.titleHeight = 28;
    owner.menuBarHeight = 20;
    owner.mdiChildButtons = true;
    Build({
        {.align = 1, .x = 30, .y = 5, .cells = 6, .cellWidth = 21, .height = 18},
        {.align = 2, .x = 4, .y = 6, .cells = 3, .cellWidth = 20, .height = 16},
        {.align = 9, .x = 2, .y = 1, .cells = 4, .cellWidth = 12, .height = 12},
        {.action = 8, .align = 100, .x = 14, .visibility = 100, .visibility1 = 100, .cells = 4, .cellWidth = 10,
         .height = 16},
    });
    buttons.Arrange();
    EXPECT_EQ(At(0).Rect, (TNCRect{370, 5, 391, 23}));
    EXPECT_EQ(At(1).Rect, (TNCRect{96, 6, 116, 22}));
    EXPECT_EQ(At(2).Rect, (TNCRect{252, 1, 264, 13}));
    // 400 - 14 - 6 (right border); 28 + (20 - 16) / 2.
    EXPECT_EQ(At(3).Rect, (TNCRect{380, 30, 390, 46}));

    // The skin's menu bar element moves the MDI buttons in by its left margin.
    owner.skinData.MenuBar = std::make_unique<TDataSkinObject>("menuBar");
    owner.skinData.MenuBar->LeftWidth = 5;
    buttons.Arrange();
    EXPECT_EQ(At(3).Rect, (TNCRect{375, 30, 385, 46}));
    owner.rightToLeft = true;
    buttons.Arrange();
    EXPECT_EQ(At(3).Rect, (TNCRect{23, 30, 33, 46})) << "14 + 4 (left border) + 5";
}

TEST_F(TitleButtonsTest, HiddenButtonsAndButtonsWithoutAnImageKeepTheirPlace)
{
    Build({{.align = 1, .x = 30}, {.align = 0, .x = 50, .cells = 0}});
    buttons.Arrange();
    EXPECT_EQ(At(0).Rect, (TNCRect{270, 0, 280, 8}));
    EXPECT_EQ(At(1).Rect, TNCRect{}) << "nothing to place";
    EXPECT_TRUE(At(1).Visible);

    elements[0]->Visibility = 1; // only when maximised
    owner.windowWidth = 500;
    buttons.Arrange();
    EXPECT_FALSE(At(0).Visible);
    EXPECT_EQ(At(0).Rect, (TNCRect{270, 0, 280, 8}));
}

// ---- hit testing

TEST_F(TitleButtonsTest, HitTestingTakesTheFirstVisibleButtonThatCanBeHitThenMenuItemsWithACaption)
{
    Build({
        {.action = -1, .align = 0, .x = 0},  // 0: painted, never hit
        {.action = 1, .align = 0, .x = 5},   // 1: overlaps 2 at x 10 ... 14
        {.action = 2, .align = 0, .x = 10},  // 2
        {.action = 4, .align = 0, .x = 40, .visibility = 1}, // 3: hidden
    });
    buttons.Arrange();
    EXPECT_EQ(buttons.ButtonAt({2, 2}), nullptr);
    EXPECT_EQ(buttons.ButtonAt({5, 0}), &At(1));
    EXPECT_EQ(buttons.ButtonAt({12, 7}), &At(1)) << "the skin's order decides";
    EXPECT_EQ(buttons.ButtonAt({15, 7}), &At(2));
    EXPECT_EQ(buttons.ButtonAt({20, 7}), nullptr) << "the right edge is outside";
    EXPECT_EQ(buttons.ButtonAt({12, 8}), nullptr) << "the bottom edge is outside";
    EXPECT_EQ(buttons.ButtonAt({42, 3}), nullptr);

    std::vector<std::unique_ptr<TMenuBtn>> items;
    for (int i = 0; i < 3; ++i)
        items.push_back(std::make_unique<TMenuBtn>(owner, owner.skinData, i));
    items[0]->Rect = {0, 30, 40, 49};
    items[0]->Caption = L"&File";
    items[1]->Rect = {40, 30, 60, 49};
    items[2]->Rect = {60, 30, 100, 49};
    items[2]->Caption = L"&Edit";
    items[0]->Visible = items[1]->Visible = items[2]->Visible = true;

    EXPECT_EQ(NCObjectAt({12, 7}, buttons, items), &At(1));
    EXPECT_EQ(NCObjectAt({2, 2}, buttons, items), nullptr) << "a button with a negative action hides nothing";
    EXPECT_EQ(NCObjectAt({10, 35}, buttons, items), items[0].get());
    EXPECT_EQ(NCObjectAt({50, 35}, buttons, items), nullptr) << "an item without a caption cannot be clicked";
    EXPECT_EQ(NCObjectAt({60, 30}, buttons, items), items[2].get());

    elements[1]->YCoord = 30; // now over the first menu item
    buttons.Arrange();
    EXPECT_EQ(NCObjectAt({6, 32}, buttons, items), &At(1)) << "title buttons come first";
}

// ---- actions

POINT Pt(int x, int y) { return {x, y}; }

TEST_F(TitleButtonsTest, CloseStopsTheHoverTimerAndPostsTheCloseCommandWhenTheSystemMenuHasOne)
{
    Build({{.action = 0}});
    owner.systemMenuHandle = GetSystemMenu(window.get(), FALSE);
    ASSERT_NE(owner.systemMenuHandle, nullptr);
    buttons.RunAction(At(0), Pt(100, 10));
    EXPECT_TRUE(window.recorder.Of(WM_SYSCOMMAND).empty()) << "posted, not sent";
    Drain();
    ASSERT_EQ(window.recorder.Of(WM_SYSCOMMAND).size(), 1u);
    EXPECT_EQ(window.recorder.Of(WM_SYSCOMMAND)[0].wParam, static_cast<WPARAM>(SC_CLOSE));
    EXPECT_EQ(owner.hoverTimerStops, 1);

    ASSERT_TRUE(RemoveMenu(owner.systemMenuHandle, SC_CLOSE, MF_BYCOMMAND));
    buttons.RunAction(At(0), Pt(100, 10));
    Drain();
    EXPECT_EQ(window.recorder.Of(WM_SYSCOMMAND).size(), 1u) << "no close item, no close";
    EXPECT_EQ(owner.hoverTimerStops, 1);
    GetSystemMenu(window.get(), TRUE);
}

TEST_F(TitleButtonsTest, MaximiseMinimiseAndSystemMenuActionsGoToTheOwner)
{
    Build({{.action = 1}, {.action = 22}, {.action = 2}, {.action = 23}, {.action = 3}, {.action = 11},
           {.action = 12}});
    buttons.RunAction(At(0), Pt(0, 0));
    buttons.RunAction(At(1), Pt(0, 0));
    EXPECT_EQ(owner.maximizeToggles, 2);
    buttons.RunAction(At(2), Pt(0, 0));
    buttons.RunAction(At(3), Pt(0, 0));
    EXPECT_EQ(owner.minimizeToggles, 2);
    buttons.RunAction(At(4), Pt(100, 7));
    buttons.RunAction(At(5), Pt(-5, 0));
    buttons.RunAction(At(6), Pt(30, 40));
    ASSERT_EQ(owner.sysMenuPoints.size(), 3u);
    EXPECT_EQ(owner.sysMenuPoints[0].x, 101);
    EXPECT_EQ(owner.sysMenuPoints[0].y, 8);
    EXPECT_EQ(owner.sysMenuPoints[1].x, -4);
    EXPECT_EQ(owner.sysMenuPoints[2].y, 41);
    Drain();
    EXPECT_TRUE(window.recorder.received.empty()) << "nothing reaches the window itself";
    EXPECT_EQ(owner.maximizeToggles, 2);
    EXPECT_EQ(owner.minimizeToggles, 2);
}

TEST_F(TitleButtonsTest, OtherActionsPostTheCustomButtonMessageWithTheAction)
{
    Build({{.action = 4}, {.action = 5}, {.action = 13}, {.action = 100}, {.action = 1500}});
    for (const auto& b : buttons.Buttons())
        buttons.RunAction(*b, Pt(0, 0));
    EXPECT_TRUE(window.recorder.Of(SKM_CUSTOMBUTTON).empty()) << "posted, not sent";
    Drain();
    const auto custom = window.recorder.Of(SKM_CUSTOMBUTTON);
    ASSERT_EQ(custom.size(), 5u);
    const WPARAM expected[] = {4, 5, 13, 100, 1500};
    for (std::size_t i = 0; i < custom.size(); ++i) {
        EXPECT_EQ(custom[i].wParam, expected[i]);
        EXPECT_EQ(custom[i].lParam, 0);
    }
    EXPECT_EQ(owner.maximizeToggles + owner.minimizeToggles, 0);
}

TEST_F(TitleButtonsTest, OnlyTheHotButtonTakesARelease)
{
    Build({{.action = 1, .x = 0}, {.action = 2, .x = 20}});
    buttons.Arrange();
    TWinSysButton& maximise = At(0);
    TWinSysButton& minimise = At(1);

    // Pressed on one button, released over the other without passing through it.
    maximise.MouseDown();
    buttons.ReleaseOver(minimise, Pt(25, 5));
    EXPECT_EQ(owner.minimizeToggles, 0);
    EXPECT_EQ(owner.maximizeToggles, 0);
    EXPECT_EQ(minimise.State(), dsNormal);
    EXPECT_EQ(maximise.State(), dsPressed);
    maximise.MouseLeave(); // the hover timer
    EXPECT_EQ(maximise.State(), dsNormal);

    maximise.MouseDown();
    buttons.ReleaseOver(maximise, Pt(5, 5));
    EXPECT_EQ(maximise.State(), dsHover);
    EXPECT_EQ(owner.maximizeToggles, 1);

    // Moving onto the other button makes it hot; its release acts.
    minimise.MouseMove();
    buttons.ReleaseOver(minimise, Pt(25, 5));
    EXPECT_EQ(owner.minimizeToggles, 1);
    EXPECT_EQ(maximise.State(), dsNormal);
}

TEST(TitleButtonMdiActions, CommandsGoToTheActiveMdiChildOfAnMdiFrameOnly)
{
    TestWindow frame;
    CLIENTCREATESTRUCT clientCreate{};
    const ui::UniqueWindow client(CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 200, 100,
                                                  frame.get(), nullptr, GetModuleHandleA(nullptr), &clientCreate));
    ASSERT_NE(client.get(), nullptr);
    Recorder childRecorder;
    MDICREATESTRUCTA childCreate{};
    childCreate.szClass = RecordingMdiChildClass();
    childCreate.szTitle = "child";
    childCreate.hOwner = GetModuleHandleA(nullptr);
    childCreate.cx = childCreate.cy = 80;
    childCreate.lParam = reinterpret_cast<LPARAM>(&childRecorder);
    const auto child =
        reinterpret_cast<HWND>(SendMessageA(client.get(), WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&childCreate)));
    ASSERT_NE(child, nullptr);
    ASSERT_EQ(reinterpret_cast<HWND>(SendMessageA(client.get(), WM_MDIGETACTIVE, 0, 0)), child);

    TestOwner owner(frame.get());
    Elements elements;
    for (const int action : {7, 60, 8, 61, 9, 62})
        elements.push_back(MakeButton({.action = action, .align = 100, .visibility = 100, .visibility1 = 100}));
    TTitleButtons buttons(owner);
    buttons.Rebuild(elements);

    for (const auto& b : buttons.Buttons())
        buttons.RunAction(*b, {0, 0});
    EXPECT_TRUE(childRecorder.received.empty()) << "not an MDI frame";

    owner.mdiClient = client.get();
    for (const auto& b : buttons.Buttons())
        buttons.RunAction(*b, {0, 0});
    const auto commands = childRecorder.Of(WM_SYSCOMMAND);
    ASSERT_EQ(commands.size(), 6u) << "sent at once";
    const WPARAM expected[] = {SC_MINIMIZE, SC_MINIMIZE, SC_RESTORE, SC_RESTORE, SC_CLOSE, SC_CLOSE};
    for (std::size_t i = 0; i < commands.size(); ++i)
        EXPECT_EQ(commands[i].wParam, expected[i]) << i;
    Drain();
    EXPECT_TRUE(frame.recorder.Of(WM_SYSCOMMAND).empty());
    SendMessageA(client.get(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(child), 0);
}

} // namespace
