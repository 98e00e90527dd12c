// Status bars and size boxes skinned from a test skin: the edge frame for
// each bevel, texts in the edges' colour, simple text, empty panels, owner-
// drawn panels, the size grip, texts changed while shown, plain edges
// without the elements, and handles over many paints.
#include "tests/win/skin_bars_support.h"

#include "skin/controls/SkinStatusBar.h"
#include "ui/StatusBar.h"
#include "ui/WndProcThunk.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace skinbarstest;

constexpr COLORREF kLowered = RGB(200, 30, 30);
constexpr COLORREF kRaised = RGB(30, 200, 30);
constexpr COLORREF kFlat = RGB(30, 30, 200);
constexpr COLORREF kText = RGB(255, 255, 0);
constexpr COLORREF kGrip = RGB(250, 130, 250);
constexpr COLORREF kOwner = RGB(10, 90, 60);

COLORREF EdgeColour(int frame) { return frame == 1 ? kLowered : frame == 2 ? kRaised : kFlat; }

class SkinStatusBarTest : public BarsTest {
protected:
    void SetUp() override
    {
        BarsTest::SetUp();
        host->Skin.StatusBarEdges = Element("StatusBarEdges", 3, 8, 8, EdgeColour);
        host->Skin.StatusBarEdges->LeftWidth = host->Skin.StatusBarEdges->TopHeight = 2;
        host->Skin.StatusBarEdges->RightWidth = host->Skin.StatusBarEdges->BottomHeight = 2;
        host->Skin.StatusBarEdges->NormalColour2 = static_cast<TColor>(kText);
        host->Skin.ExtraImages = Element("ExtraImages", 5, 12, 12, [](int i) { return i == 5 ? kGrip : kFlat; });
    }

    TStatusBar* Bar()
    {
        auto* bar = new TStatusBar(form.get());
        bar->SetParent(form.get());
        return bar;
    }
    static TStatusPanel* AddPanel(TStatusBar& bar, const char* text, TStatusPanelBevel bevel, int width = 90)
    {
        TStatusPanel* panel = bar.Panels().Add();
        panel->SetText(text);
        panel->SetBevel(bevel);
        panel->SetWidth(width);
        return panel;
    }
    static RECT PanelRect(TStatusBar& bar, int index)
    {
        RECT rect{};
        SendMessageA(bar.Handle(), SB_GETRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
        return rect;
    }
    // Text pixels in the inside of a cell whose edge frame is `background`.
    static int TextIn(const Capture& screen, RECT cell, COLORREF background)
    {
        InflateRect(&cell, -3, -3);
        return CountLeaning(screen.dc(), cell, kText, background);
    }
};

TEST_F(SkinStatusBarTest, PanelsShowTheirBevelsFrameAndTextAnEmptyOneNothing)
{
    auto* bar = Bar();
    bar->SetSizeGrip(false);
    AddPanel(*bar, "就绪", pbLowered);
    AddPanel(*bar, "", pbRaised);
    AddPanel(*bar, "北京", pbNone);
    Skin<TSkinStatusBar>(*bar);
    Redraw(bar->Handle());
    const Capture screen(bar->Handle());
    const RECT first = PanelRect(*bar, 0);
    const RECT second = PanelRect(*bar, 1);
    const RECT third = PanelRect(*bar, 2);
    EXPECT_TRUE(Near(screen.At(first.left + 1, first.top + 1), kLowered, 4));
    EXPECT_TRUE(Near(screen.At(second.left + 1, second.top + 1), kRaised, 4));
    EXPECT_TRUE(Near(screen.At(third.left + 1, third.top + 1), kFlat, 4));
    EXPECT_TRUE(Near(screen.At(screen.width - 2, third.top + 1), kFlat, 4)) << "the last panel reaches the end";
    EXPECT_GT(TextIn(screen, first, kLowered), 10);
    EXPECT_EQ(TextIn(screen, second, kRaised), 0);
    EXPECT_GT(TextIn(screen, third, kFlat), 10);
}

TEST_F(SkinStatusBarTest, SimpleTextShowsWithoutPanelsOrWhenAskedFor)
{
    auto* bar = Bar();
    bar->SetSizeGrip(false);
    bar->SetSimpleText("共 2520 条记录");
    Skin<TSkinStatusBar>(*bar);
    Redraw(bar->Handle());
    const RECT whole{0, 0, bar->Width(), bar->Height()};
    {
        const Capture screen(bar->Handle());
        EXPECT_TRUE(Near(screen.At(1, 1), kLowered, 4)) << "one lowered cell";
        EXPECT_TRUE(Near(screen.At(screen.width - 2, 1), kLowered, 4));
        EXPECT_GT(TextIn(screen, whole, kLowered), 20);
    }
    AddPanel(*bar, "", pbRaised);
    Redraw(bar->Handle());
    {
        const Capture screen(bar->Handle());
        const RECT cell = PanelRect(*bar, 0);
        EXPECT_TRUE(Near(screen.At(cell.left + 1, cell.top + 1), kRaised, 4)) << "panels once there are some";
        EXPECT_EQ(TextIn(screen, whole, kRaised), 0);
    }
    bar->SetSimplePanel(true);
    Redraw(bar->Handle());
    {
        const Capture screen(bar->Handle());
        EXPECT_TRUE(Near(screen.At(1, 1), kLowered, 4));
        EXPECT_GT(TextIn(screen, whole, kLowered), 20);
    }
}

TEST_F(SkinStatusBarTest, TextIsDrawnInThePlainStyleOfTheBarsFont)
{
    auto* bar = Bar();
    bar->SetSizeGrip(false);
    bar->SetSimpleText("共 2520 条记录 WWW");
    Skin<TSkinStatusBar>(*bar);
    const RECT whole{0, 0, bar->Width(), bar->Height()};
    Redraw(bar->Handle());
    const int plain = TextIn(Capture(bar->Handle()), whole, kLowered);
    bar->Font().SetStyle(TFontStyles{fsBold, fsItalic});
    Redraw(bar->Handle());
    EXPECT_EQ(TextIn(Capture(bar->Handle()), whole, kLowered), plain);
    EXPECT_GT(plain, 20);
}

TEST_F(SkinStatusBarTest, TextsSetWhileShownArePainted)
{
    auto* bar = Bar();
    bar->SetSizeGrip(false);
    AddPanel(*bar, "", pbLowered);
    TStatusPanel* second = AddPanel(*bar, "", pbLowered);
    Skin<TSkinStatusBar>(*bar);
    Redraw(bar->Handle());
    EXPECT_EQ(TextIn(Capture(bar->Handle()), PanelRect(*bar, 1), kLowered), 0);
    second->SetText("查询完毕");
    Flush(100);
    EXPECT_GT(TextIn(Capture(bar->Handle()), PanelRect(*bar, 1), kLowered), 10);
    AddPanel(*bar, "新", pbRaised);
    Flush(100);
    const Capture screen(bar->Handle());
    EXPECT_GT(TextIn(screen, PanelRect(*bar, 2), kRaised), 5);
}

TEST_F(SkinStatusBarTest, OwnerDrawnPanelsAreLeftToTheHandler)
{
    auto* bar = Bar();
    bar->SetSizeGrip(false);
    AddPanel(*bar, "文本", pbLowered);
    TStatusPanel* owned = AddPanel(*bar, "不应出现", pbLowered);
    owned->SetStyle(psOwnerDraw);
    std::vector<RECT> drawn;
    bar->OnDrawPanel = TDrawPanelEvent([&](TStatusBar* sender, TStatusPanel* panel, const RECT& rect) {
        EXPECT_EQ(panel, owned);
        drawn.push_back(rect);
        sender->Canvas().Brush().SetColor(static_cast<TColor>(kOwner));
        sender->Canvas().FillRect(rect);
    });
    Skin<TSkinStatusBar>(*bar);
    drawn.clear();
    Redraw(bar->Handle());
    ASSERT_FALSE(drawn.empty());
    RECT expected = PanelRect(*bar, 1);
    InflateRect(&expected, -2, -2);
    EXPECT_TRUE(EqualRect(&drawn.back(), &expected) != FALSE);
    const Capture screen(bar->Handle());
    EXPECT_EQ(screen.Count(expected, kOwner, 4), (expected.right - expected.left) * (expected.bottom - expected.top));
    EXPECT_TRUE(Near(screen.At(expected.left - 1, expected.top - 1), kLowered, 4)) << "the edge is the skin's";
}

TEST_F(SkinStatusBarTest, BareBarsAskTheirParentToDrawOwnerDrawnParts)
{
    const HWND bar = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, form->Handle(),
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(321)), GetModuleHandleA(nullptr),
                                     nullptr);
    ASSERT_NE(bar, nullptr);
    const int edges[] = {100, -1};
    SendMessageA(bar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
    SendMessageA(bar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>("\t居中"));
    SendMessageA(bar, SB_SETTEXTA, 1 | SBT_OWNERDRAW, 0x5150);
    std::vector<DRAWITEMSTRUCT> asked;
    ui::WindowSubclass parent;
    parent.Install(form->Handle(), [&](TMessage& message) {
        if (message.Msg == WM_DRAWITEM) {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
            if (item.hwndItem == bar) {
                asked.push_back(item);
                const ui::UniqueBrush brush(CreateSolidBrush(kOwner));
                FillRect(item.hDC, &item.rcItem, brush.get());
                message.Result = TRUE;
                return;
            }
        }
        parent.CallPrevious(message);
    });
    {
        TSkinStatusBar skinner(nullptr);
        skinner.InitHandle(bar, &host->Skin, host.get(), &host->Canvas);
        asked.clear();
        Redraw(bar);
        ASSERT_FALSE(asked.empty());
        RECT part{};
        SendMessageA(bar, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&part));
        RECT expected = part;
        InflateRect(&expected, -2, -2);
        EXPECT_EQ(asked.back().itemID, 1u);
        EXPECT_EQ(asked.back().CtlID, 321u);
        EXPECT_EQ(asked.back().itemData, 0x5150u);
        EXPECT_TRUE(EqualRect(&asked.back().rcItem, &expected) != FALSE);
        const Capture screen(bar);
        EXPECT_TRUE(Near(screen.At(expected.left + 3, expected.top + 2), kOwner, 4));
        RECT first{};
        SendMessageA(bar, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&first));
        EXPECT_TRUE(Near(screen.At(first.left + 1, first.top + 1), kLowered, 4));
        // A part text after one tab is centred.
        const int leftText = TextIn(screen, RECT{first.left, first.top, first.left + 30, first.bottom}, kLowered);
        const int rightText = TextIn(screen, RECT{first.right - 30, first.top, first.right, first.bottom}, kLowered);
        EXPECT_EQ(leftText, 0);
        EXPECT_EQ(rightText, 0);
        EXPECT_GT(TextIn(screen, first, kLowered), 10);
    }
    parent.Remove();
    DestroyWindow(bar);
}

TEST_F(SkinStatusBarTest, SizeGripComesFromTheExtraImages)
{
    auto* bar = Bar();
    AddPanel(*bar, "就绪", pbLowered);
    Skin<TSkinStatusBar>(*bar);
    Redraw(bar->Handle());
    const Capture screen(bar->Handle());
    const RECT grip{screen.width - 12, screen.height - 12, screen.width, screen.height};
    EXPECT_EQ(screen.Count(grip, kGrip, 4), 144);
    bar->SetSizeGrip(false);
    Redraw(bar->Handle());
    const Capture plain(bar->Handle());
    EXPECT_EQ(plain.Count(RECT{0, 0, plain.width, plain.height}, kGrip, 4), 0);
}

TEST_F(SkinStatusBarTest, WithoutTheElementsEdgesArePlainAndNothingFails)
{
    host->Skin.StatusBarEdges.reset();
    host->Skin.ExtraImages.reset();
    auto* bar = Bar();
    AddPanel(*bar, "就绪", pbLowered);
    AddPanel(*bar, "", pbRaised);
    Skin<TSkinStatusBar>(*bar);
    Redraw(bar->Handle());
    const Capture screen(bar->Handle());
    const RECT first = PanelRect(*bar, 0);
    const RECT second = PanelRect(*bar, 1);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    EXPECT_EQ(screen.At(first.left, first.top), shadow);
    EXPECT_EQ(screen.At(first.right + 1, first.bottom - 1), light);
    EXPECT_EQ(screen.At(second.left, second.top), light);
    EXPECT_EQ(screen.At(first.right - 3, first.top + 2), ui::ColorToRGB(kSkinFace));
    EXPECT_GT(CountLeaning(screen.dc(), first, GetSysColor(COLOR_BTNTEXT), ui::ColorToRGB(kSkinFace)), 10);

    host->Skin.StatusBarEdges = std::make_unique<TDataSkinObject>("StatusBarEdges");
    host->Skin.ExtraImages = std::make_unique<TDataSkinObject>("ExtraImages");
    Redraw(bar->Handle());
    EXPECT_EQ(Capture(bar->Handle()).At(first.left, first.top), shadow) << "empty pictures count as missing";
}

TEST_F(SkinStatusBarTest, SizeBoxIsFilledWithTheFaceColour)
{
    const HWND box = CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD | WS_VISIBLE | SBS_SIZEBOX, 300, 200, 20, 20,
                                     form->Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(box, nullptr);
    {
        TSkinSizer sizer(nullptr);
        sizer.InitHandle(box, &host->Skin, host.get(), &host->Canvas);
        Redraw(box);
        EXPECT_EQ(Capture(box).Count(RECT{0, 0, 20, 20}, ui::ColorToRGB(kSkinFace), 0), 400);
    }
    Redraw(box);
    EXPECT_LT(Capture(box).Count(RECT{0, 0, 20, 20}, ui::ColorToRGB(kSkinFace), 0), 400) << "its own look back";
    DestroyWindow(box);
}

TEST_F(SkinStatusBarTest, ManyPaintsLeaveNoHandles)
{
    auto* bar = Bar();
    AddPanel(*bar, "就绪", pbLowered);
    AddPanel(*bar, "", pbRaised)->SetStyle(psOwnerDraw);
    bar->OnDrawPanel = TDrawPanelEvent([](TStatusBar* sender, TStatusPanel*, const RECT& rect) {
        sender->Canvas().Brush().SetColor(static_cast<TColor>(kOwner));
        sender->Canvas().FillRect(rect);
    });
    auto* skinner = Skin<TSkinStatusBar>(*bar);
    Surface surface(bar->Width(), bar->Height());
    skinner->PaintFrame(surface.dc.get());
    const ui::HandleSnapshot handles = ui::HandleSnapshot::Take();
    const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 70000; ++i)
        skinner->PaintFrame(surface.dc.get());
    EXPECT_EQ(ui::HandleSnapshot::Take(), handles);
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdi + 2);
}

} // namespace
