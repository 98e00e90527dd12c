// Tool bars skinned from a test skin: flat, the background from the tool-bar
// gradient, each button state's face from the ToolBars frames, plain
// outlines without them, the application's own drawing events kept, clicks
// unchanged, and everything given back when unskinned.
#include "tests/win/skin_bars_support.h"

#include "skin/controls/SkinToolBar.h"
#include "ui/Handles.h"
#include "ui/ToolBar.h"

#include <commctrl.h>

#include <gtest/gtest.h>

namespace {

using namespace skinbarstest;

constexpr COLORREF kGradient = RGB(40, 60, 160);
constexpr COLORREF kFrames[] = {RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200), RGB(200, 200, 0), RGB(0, 200, 200)};

class SkinToolBarTest : public BarsTest {
protected:
    void SetUp() override
    {
        BarsTest::SetUp();
        host->Skin.Toolbar = Element("Toolbar", 1, 10, 40, [](int) { return kGradient; });
        host->Skin.ToolBars = Element("ToolBars", 5, 8, 8, [](int frame) { return kFrames[frame - 1]; });
        bar = Place<TToolBar>(0, 0, 300, 30);
        for (int i = 0; i < 3; ++i) {
            buttons[i] = new TToolButton(form.get());
            buttons[i]->SetToolBar(bar);
        }
        buttons[2]->SetStyle(tbsCheck);
        Flush();
    }

    COLORREF CentreOf(int index)
    {
        const RECT r = buttons[index]->BoundsRect();
        const Capture screen(bar->Handle());
        return screen.At((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    COLORREF Background()
    {
        const RECT r = buttons[2]->BoundsRect();
        const Capture screen(bar->Handle());
        return screen.At(r.right + 40, (r.top + r.bottom) / 2);
    }
    int CommandOf(int index)
    {
        TBBUTTON info{};
        SendMessageA(bar->Handle(), TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
        return info.idCommand;
    }
    void SetHot(int index)
    {
        SendMessageA(bar->Handle(), TB_SETHOTITEM, static_cast<WPARAM>(index), 0);
        Redraw(bar->Handle());
    }

    TToolBar* bar = nullptr;
    TToolButton* buttons[3]{};
};

TEST_F(SkinToolBarTest, ABarIsFlatOnTheGradientAndEachStateShowsItsFrame)
{
    ASSERT_FALSE(bar->Flat());
    Skin<TSkinToolBar>(*bar);
    EXPECT_TRUE(bar->Flat());
    EXPECT_TRUE(static_cast<bool>(bar->OnCustomDraw));
    EXPECT_TRUE(static_cast<bool>(bar->OnCustomDrawButton));
    buttons[2]->SetDown(true);
    Redraw(bar->Handle());
    EXPECT_TRUE(Near(Background(), kGradient, 8));
    EXPECT_TRUE(Near(CentreOf(0), kGradient, 8)) << "a resting button shows no face";
    EXPECT_TRUE(Near(CentreOf(2), kFrames[4], 8)) << "checked";
    SetHot(0);
    EXPECT_TRUE(Near(CentreOf(0), kFrames[3], 8)) << "hot";
    SetHot(-1);
    SendMessageA(bar->Handle(), TB_PRESSBUTTON, static_cast<WPARAM>(CommandOf(1)), TRUE);
    Redraw(bar->Handle());
    EXPECT_TRUE(Near(CentreOf(1), kFrames[1], 8)) << "pressed";
    SendMessageA(bar->Handle(), TB_PRESSBUTTON, static_cast<WPARAM>(CommandOf(1)), FALSE);
    buttons[0]->SetEnabled(false);
    SetHot(0);
    EXPECT_TRUE(Near(CentreOf(0), kGradient, 8)) << "a disabled button stays flat";
}

TEST_F(SkinToolBarTest, WithoutThePicturesTheBarTakesTheFaceAndButtonsAnOutline)
{
    host->Skin.Toolbar.reset();
    host->Skin.ToolBars.reset();
    host->Skin.ButtonFaceColour = static_cast<TColor>(RGB(230, 220, 200));
    host->Skin.ButtonShadowColour = static_cast<TColor>(RGB(90, 20, 20));
    Skin<TSkinToolBar>(*bar);
    SetHot(1);
    EXPECT_TRUE(Near(Background(), RGB(230, 220, 200), 8));
    const RECT r = buttons[1]->BoundsRect();
    const Capture screen(bar->Handle());
    EXPECT_TRUE(Near(screen.At(r.left, (r.top + r.bottom) / 2), RGB(90, 20, 20), 8)) << "the hot outline";
    EXPECT_TRUE(Near(screen.At((r.left + r.right) / 2, (r.top + r.bottom) / 2), RGB(230, 220, 200), 8));
}

TEST_F(SkinToolBarTest, UnskinningGivesBackTheLookAndKeepsTheApplicationsOwnEvents)
{
    int ownDraws = 0;
    bar->OnCustomDraw = TTBCustomDrawEvent([&](TToolBar*, const RECT&, bool&) { ++ownDraws; });
    auto* skinner = Skin<TSkinToolBar>(*bar);
    Redraw(bar->Handle());
    EXPECT_GT(ownDraws, 0) << "the application's background drawing stays";
    EXPECT_FALSE(Near(Background(), kGradient, 8));
    EXPECT_TRUE(static_cast<bool>(bar->OnCustomDrawButton));
    skinner->Unskin();
    EXPECT_FALSE(bar->Flat());
    EXPECT_TRUE(static_cast<bool>(bar->OnCustomDraw));
    EXPECT_FALSE(static_cast<bool>(bar->OnCustomDrawButton));
    buttons[2]->SetDown(true);
    Redraw(bar->Handle());
    EXPECT_FALSE(Near(CentreOf(2), kFrames[4], 8));
}

TEST_F(SkinToolBarTest, ClicksReachTheButtonsAsWithoutTheSkinner)
{
    int clicks = 0;
    buttons[1]->OnClick = TNotifyEvent([&](TObject*) { ++clicks; });
    const auto click = [&] {
        const RECT r = buttons[1]->BoundsRect();
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        SendMessageA(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(bar->Handle(), WM_LBUTTONUP, 0, at);
        Flush();
    };
    click();
    EXPECT_EQ(clicks, 1);
    Skin<TSkinToolBar>(*bar);
    click();
    EXPECT_EQ(clicks, 2);
}

TEST_F(SkinToolBarTest, ManyPaintsLeaveNoHandles)
{
    Skin<TSkinToolBar>(*bar);
    buttons[2]->SetDown(true);
    SetHot(0);
    Surface surface(100, 30);
    const RECT face{0, 0, 24, 22};
    const auto paint = [&](int i) {
        toolbarpaint::PaintBackground(surface.dc.get(), RECT{0, 0, 100, 30}, host->Skin.Toolbar.get(), clBtnFace);
        toolbarpaint::PaintButtonFace(surface.dc.get(), face, i % 2 ? host->Skin.ToolBars.get() : nullptr,
                                      1 + i % 5, clBtnFace, clBtnShadow);
    };
    paint(0);
    Redraw(bar->Handle());
    const ui::HandleSnapshot handles = ui::HandleSnapshot::Take();
    for (int i = 0; i < 70000; ++i)
        paint(i);
    for (int i = 0; i < 300; ++i)
        RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Flush();
    EXPECT_EQ(ui::HandleSnapshot::Take(), handles);
}

TEST(ToolBarFrames, StatesPickFramesDisabledFirst)
{
    using toolbarpaint::ButtonFrame;
    EXPECT_EQ(ButtonFrame(TCustomDrawState{}, true), 0);
    EXPECT_EQ(ButtonFrame(TCustomDrawState{cdsHot}, true), 4);
    EXPECT_EQ(ButtonFrame(TCustomDrawState{cdsHot, cdsSelected}, true), 2);
    EXPECT_EQ(ButtonFrame(TCustomDrawState{cdsChecked}, true), 5);
    EXPECT_EQ(ButtonFrame(TCustomDrawState{cdsChecked, cdsHot}, true), 2);
    EXPECT_EQ(ButtonFrame(TCustomDrawState{cdsHot}, false), 0);
    EXPECT_EQ(ButtonFrame(TCustomDrawState{cdsChecked}, false), 3);
}

} // namespace
