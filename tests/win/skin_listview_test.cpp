// List views and their headers skinned from a test skin, the stand-alone
// scroll-bar control, a combo box's drop-down list, and handles over many
// overlay paints.
#include "tests/win/skin_scroll_support.h"

#include "skin/controls/SkinHeader.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinScControl.h"
#include "skin/controls/SkinScrollbar.h"
#include "ui/ComboBox.h"
#include "ui/ComCtrls.h"
#include "ui/HeaderControl.h"
#include "ui/Properties.h"
#include "ui/ScrollBar.h"
#include "ui/StdCtrls.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <memory>
#include <string>

namespace {

using skincontroltest::TestHost;
using skinbuttontest::CountLeaning;
using skinbuttontest::Surface;
using namespace skinscrolltest;

// A grid-like list box with a colour for its fixed cells.
class TFixedList : public TListBox {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TFixedList>& p) { p.Integer("FixedColor", &TFixedList::fixedColor); }
    explicit TFixedList(TComponent* owner) : TListBox(owner) {}
    int fixedColor = 0x00C0C0C0;
};
constinit const TClassInfo TFixedList::ClassInfo = ui::ClassOf<TFixedList>("TFixedList", TListBox::ClassInfo);

// Frame i of the Headerbar picture.
COLORREF HeaderColour(int frame) { return RGB(200 - 20 * frame, 160 + 10 * frame, 230 - 30 * frame); }

class SkinListViewTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { Application->Initialize(); }

    void SetUp() override
    {
        SetCursorPos(0, 0);
        MakeScrollSkin(host->Skin);
        host->Skin.Headerbar = std::make_unique<TDataSkinObject>("Headerbar");
        FillFrames(*host->Skin.Headerbar, 5, 30, 20, HeaderColour);
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(60, 60, 760, 420);
        form->Show();
        skinned = Place(10, 10);
        bare = Place(370, 10);
        skinner = new TSkinListView(skinned);
        skinner->InitScrolled(*skinned, &host->Skin, host.get(), &host->Canvas);
        Flush(100);
    }
    void TearDown() override
    {
        form.reset();
        host.reset();
        Flush();
    }

    TListView* Place(int left, int top)
    {
        auto* view = new TListView(form.get());
        view->SetBounds(left, top, 340, 260);
        view->SetViewStyle(vsReport);
        for (const char* caption : {"编号", "名称"}) {
            TListColumn* column = view->Columns().Add();
            column->SetCaption(caption);
            column->SetWidth(120);
        }
        for (int i = 0; i < 100; ++i)
            view->Items().Add()->SetCaption("项 " + std::to_string(i));
        view->SetParent(form.get());
        return view;
    }

    static int Top(TListView* view)
    {
        return static_cast<int>(SendMessageA(view->Handle(), LVM_GETTOPINDEX, 0, 0));
    }
    static HWND HeaderOf(TListView* view)
    {
        return reinterpret_cast<HWND>(SendMessageA(view->Handle(), LVM_GETHEADER, 0, 0));
    }
    static RECT ItemOnScreen(HWND header, int index)
    {
        RECT item{};
        Header_GetItemRect(header, index, &item);
        MapWindowPoints(header, nullptr, reinterpret_cast<POINT*>(&item), 2);
        return item;
    }

    std::unique_ptr<TestHost> host = std::make_unique<TestHost>();
    std::unique_ptr<TForm> form;
    TListView* skinned = nullptr;
    TListView* bare = nullptr;
    TSkinListView* skinner = nullptr;
};

TEST_F(SkinListViewTest, ScrollsAsTheBareListViewWithTheThumbOnTheOverlay)
{
    const RECT bar = BarOnScreen(skinned->Handle(), true);
    ASSERT_GT(bar.bottom - bar.top, 3 * ArrowSize());
    EXPECT_EQ(WindowFromPoint(Centre(bar)), skinner->VertBar()->Handle());
    EXPECT_TRUE(Near(ScreenPixel(Centre(bar).x, bar.top + ArrowSize() / 2), BarColour(9), 3));
    ExpectThumbWhereTheSystemHasIt(skinned->Handle());

    for (TListView* view : {skinned, bare})
        SendMessageA(view->Handle(), LVM_ENSUREVISIBLE, 80, FALSE);
    Application->ProcessMessages();
    EXPECT_EQ(Top(skinned), Top(bare));
    Flush(100);
    ExpectThumbWhereTheSystemHasIt(skinned->Handle());

    for (TListView* view : {skinned, bare})
        SendMessageA(view->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    Application->ProcessMessages();
    EXPECT_EQ(Top(skinned), Top(bare));
    Flush(100);
    ExpectThumbWhereTheSystemHasIt(skinned->Handle());

    for (TListView* view : {skinned, bare}) {
        view->SetFocus();
        SendMessageA(view->Handle(), WM_KEYDOWN, VK_HOME, 0);
    }
    Application->ProcessMessages();
    EXPECT_EQ(Top(skinned), 0);
    Flush(100);
    ExpectThumbWhereTheSystemHasIt(skinned->Handle());

    // The list view's own tracking of a dragged thumb.
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    GetScrollBarInfo(skinned->Handle(), OBJID_VSCROLL, &info);
    const int grab = (info.xyThumbTop + info.xyThumbBottom) / 2;
    const RECT bareBar = BarOnScreen(bare->Handle(), true);
    const POINT bareFrom{Centre(bareBar).x, bareBar.top + grab};
    const POINT skinFrom{Centre(bar).x, bar.top + grab};
    Gesture(Drag(bareFrom, POINT{bareFrom.x, bareFrom.y + 70}));
    Gesture(Drag(skinFrom, POINT{skinFrom.x, skinFrom.y + 70}));
    EXPECT_GT(Top(bare), 0);
    EXPECT_EQ(Top(skinned), Top(bare));
    ExpectThumbWhereTheSystemHasIt(skinned->Handle());

    // A page click below the thumb.
    Gesture(Click(POINT{Centre(bareBar).x, bareBar.bottom - ArrowSize() - 4}));
    Gesture(Click(POINT{Centre(bar).x, bar.bottom - ArrowSize() - 4}));
    EXPECT_EQ(Top(skinned), Top(bare));
    ExpectThumbWhereTheSystemHasIt(skinned->Handle());
}

TEST_F(SkinListViewTest, HeaderIsDrawnFromTheSkinWithHotTracking)
{
    ASSERT_NE(skinner->Header(), nullptr);
    const HWND header = HeaderOf(skinned);
    RECT headerRect{};
    GetWindowRect(header, &headerRect);
    const RECT first = ItemOnScreen(header, 0);
    const RECT second = ItemOnScreen(header, 1);
    const auto colourAt = [&](const RECT& item) { return ScreenPixel(item.right - 8, item.top + 2); };
    RedrawWindow(header, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Flush(100);
    EXPECT_TRUE(Near(colourAt(first), HeaderColour(1), 3));
    EXPECT_TRUE(Near(colourAt(second), HeaderColour(1), 3));
    EXPECT_TRUE(Near(ScreenPixel(headerRect.right - 6, headerRect.top + 2), HeaderColour(1), 3))
        << "the strip right of the last item";

    Gesture({{Centre(first).x, Centre(first).y, 0, 80}});
    EXPECT_EQ(skinner->Header()->HotItem(), 0);
    EXPECT_TRUE(Near(colourAt(first), HeaderColour(2), 3));
    Gesture({{Centre(second).x, Centre(second).y, 0, 80}});
    EXPECT_EQ(skinner->Header()->HotItem(), 1);
    EXPECT_TRUE(Near(colourAt(first), HeaderColour(1), 3));
    EXPECT_TRUE(Near(colourAt(second), HeaderColour(2), 3));
    Gesture({{headerRect.right - 6, Centre(second).y, 0, 80}});
    EXPECT_EQ(skinner->Header()->HotItem(), 1) << "kept while the pointer is still over the header";
    Gesture({{Centre(second).x, headerRect.bottom + 40, 0, 120}});
    EXPECT_EQ(skinner->Header()->HotItem(), -1);
    EXPECT_TRUE(Near(colourAt(second), HeaderColour(1), 3));
}

TEST_F(SkinListViewTest, HeaderCaptionsAreCutAtAHundredCharactersAndShowSortArrows)
{
    bare->SetVisible(false);
    skinned->SetBounds(10, 10, 740, 260);
    const HWND header = HeaderOf(skinned);
    TListColumn* column = skinned->Columns().Items(0);
    column->SetWidth(700);
    RECT client{};
    GetClientRect(header, &client);
    RECT item{};
    Header_GetItemRect(header, 0, &item);
    // Where the caption ends: the rightmost column with text pixels.
    const auto textEnd = [&](int length) {
        column->SetCaption(std::string(static_cast<std::size_t>(length), 'l'));
        Surface surface(client.right, client.bottom);
        skinner->Header()->PaintControl(surface.dc.get(), client);
        for (int x = std::min(item.right, client.right) - 1; x >= 0; --x)
            if (CountLeaning(surface.dc.get(), RECT{x, item.top, x + 1, item.bottom}, GetSysColor(COLOR_BTNTEXT),
                             HeaderColour(1)) > 0)
                return x;
        return -1;
    };
    const int hundred = textEnd(100);
    ASSERT_LT(hundred, client.right - 10) << "the caption fits in the header";
    EXPECT_GT(hundred, textEnd(99));
    EXPECT_EQ(textEnd(150), hundred);

    column->SetCaption("");
    column->SetWidth(120);
    Header_GetItemRect(header, 0, &item);
    const RECT arrowArea{item.right - 20, item.top, item.right, item.bottom};
    const auto arrowPixels = [&](int format) {
        HDITEMA info{};
        info.mask = HDI_FORMAT;
        info.fmt = HDF_LEFT | HDF_STRING | format;
        SendMessageA(header, HDM_SETITEMA, 0, reinterpret_cast<LPARAM>(&info));
        Surface surface(client.right, client.bottom);
        skinner->Header()->PaintControl(surface.dc.get(), client);
        const int upper = CountLeaning(surface.dc.get(), RECT{arrowArea.left, arrowArea.top, arrowArea.right,
                                                              (arrowArea.top + arrowArea.bottom) / 2},
                                       GetSysColor(COLOR_BTNTEXT), HeaderColour(1));
        const int lower = CountLeaning(surface.dc.get(), RECT{arrowArea.left, (arrowArea.top + arrowArea.bottom) / 2,
                                                              arrowArea.right, arrowArea.bottom},
                                       GetSysColor(COLOR_BTNTEXT), HeaderColour(1));
        return std::pair{upper, lower};
    };
    EXPECT_EQ(arrowPixels(0), (std::pair{0, 0}));
    const auto [upTop, upBottom] = arrowPixels(HDF_SORTUP);
    EXPECT_GT(upTop + upBottom, 0);
    EXPECT_GT(upBottom, upTop) << "an ascending arrow is widest at the bottom";
    const auto [downTop, downBottom] = arrowPixels(HDF_SORTDOWN);
    EXPECT_GT(downTop, downBottom);
}

TEST_F(SkinListViewTest, NoHandleGrowthOverManyOverlayPaints)
{
    for (TListView* view : {skinned, bare})
        SendMessageA(view->Handle(), LVM_ENSUREVISIBLE, 90, FALSE);
    Flush(100);
    const ui::HandleSnapshot handles = ui::HandleSnapshot::Take();
    const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    const HWND overlay = skinner->VertBar()->Handle();
    for (int i = 0; i < 70000; ++i)
        RedrawWindow(overlay, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Flush(100);
    EXPECT_EQ(ui::HandleSnapshot::Take(), handles);
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdi + 2);
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), user + 2);
    ExpectThumbWhereTheSystemHasIt(skinned->Handle());
}

// ---- a scroll-bar control and a combo box's list

class SkinScrollControlTest : public ScrollFormTest {
protected:
    SkinScrollControlTest() : ScrollFormTest(RECT{80, 80, 500, 420}) {}

    TScrollBar* PlaceBar(int left)
    {
        auto* bar = new TScrollBar(form.get());
        bar->SetKind(sbVertical);
        bar->SetBounds(left, 20, 30, 220);
        bar->SetParent(form.get());
        bar->SetMax(100);
        bar->SetPageSize(10);
        return bar;
    }
};

TEST_F(SkinScrollControlTest, ScrollBarControlIsCoveredAndClickedAsTheBareOne)
{
    TScrollBar* skinned = PlaceBar(20);
    TScrollBar* bare = PlaceBar(80);
    auto* skinner = new TSkinScControl(skinned);
    skinner->AttachBar(*skinned, &host->Skin, host.get(), &host->Canvas);
    Flush(100);
    RECT covered{};
    GetWindowRect(skinned->Handle(), &covered);
    RECT overlay{};
    GetWindowRect(skinner->Bar()->Handle(), &overlay);
    EXPECT_TRUE(EqualRect(&covered, &overlay));
    EXPECT_EQ(WindowFromPoint(Centre(covered)), skinner->Bar()->Handle());
    EXPECT_TRUE(Near(ScreenPixel(covered.right - 3, covered.top + 3), BarColour(9), 3))
        << "drawn at the skin's thickness and stretched across the control";

    RECT bareRect{};
    GetWindowRect(bare->Handle(), &bareRect);
    for (const int along : {(covered.bottom - covered.top) - 5, (covered.bottom - covered.top) - 40}) {
        Gesture(Click(POINT{Centre(bareRect).x, bareRect.top + along}));
        Gesture(Click(POINT{Centre(covered).x, covered.top + along}));
        EXPECT_GT(bare->Position(), 0);
        EXPECT_EQ(skinned->Position(), bare->Position());
    }
    const int before = ThumbOnScreen(covered, true).start;
    skinned->SetPosition(80);
    Flush(100);
    EXPECT_GT(ThumbOnScreen(covered, true).start, before);
}

TEST_F(SkinScrollControlTest, ComboBoxListGetsOverlaysWhileDroppedDown)
{
    auto* combo = new TComboBox(form.get());
    combo->SetBounds(20, 20, 200, 24);
    combo->SetParent(form.get());
    for (int i = 0; i < 40; ++i)
        combo->Items().Add("选项 " + std::to_string(i));
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(combo->Handle(), &info));
    auto* skinner = new TSkinScrollbarH(form.get());
    skinner->InitHandle(info.hwndList, &host->Skin, host.get(), &host->Canvas);
    SendMessageA(combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    Flush(150);
    const RECT bar = BarOnScreen(info.hwndList, true);
    ASSERT_GT(bar.bottom - bar.top, 2 * ArrowSize());
    EXPECT_EQ(WindowFromPoint(Centre(bar)), skinner->VertBar()->Handle());
    EXPECT_TRUE(Near(ScreenPixel(Centre(bar).x, bar.top + ArrowSize() / 2), BarColour(9), 3));

    SendMessageA(info.hwndList, WM_KEYDOWN, VK_END, 0);
    Flush(100);
    ExpectThumbWhereTheSystemHasIt(info.hwndList);

    SendMessageA(combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
    Flush(100);
    EXPECT_FALSE(IsWindowVisible(skinner->VertBar()->Handle()));
}


TEST_F(SkinScrollControlTest, HeaderControlAndFixedColour)
{
    host->Skin.Headerbar = std::make_unique<TDataSkinObject>("Headerbar");
    FillFrames(*host->Skin.Headerbar, 5, 30, 20, HeaderColour);
    auto* header = new THeaderControl(form.get());
    header->SetBounds(20, 20, 300, 24);
    for (const char* text : {"省份", "城市"}) {
        THeaderSection* section = header->Sections().Add();
        section->SetText(text);
        section->SetWidth(100);
    }
    header->SetParent(form.get());
    auto* skinner = new TSkinHeader(header);
    skinner->InitControl(host.get(), &host->Skin, false, &host->Canvas);
    RedrawWindow(header->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Flush(100);
    RECT item{};
    Header_GetItemRect(header->Handle(), 1, &item);
    MapWindowPoints(header->Handle(), nullptr, reinterpret_cast<POINT*>(&item), 2);
    EXPECT_TRUE(Near(ScreenPixel(item.right - 6, item.top + 2), HeaderColour(1), 3));
    Gesture({{Centre(item).x, Centre(item).y, 0, 100}});
    EXPECT_EQ(skinner->HotItem(), 1);
    EXPECT_TRUE(Near(ScreenPixel(item.right - 6, item.top + 2), HeaderColour(2), 3));

    auto* grid = new TFixedList(form.get());
    grid->SetBounds(20, 80, 150, 100);
    grid->SetParent(form.get());
    auto* gridSkinner = new TSkinScrollbar(grid);
    gridSkinner->InitScrolled(*grid, &host->Skin, host.get(), &host->Canvas);
    EXPECT_EQ(grid->fixedColor, static_cast<int>(skincontroltest::kSkinFace));
    gridSkinner->Unskin();
    EXPECT_EQ(grid->fixedColor, 0x00C0C0C0);
}

} // namespace
