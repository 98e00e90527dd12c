// Tab and page controls skinned from a test skin whose tab frames are two
// colours (outer half, inner half) so that flipping and turning show: the
// selected and other tabs on every side, the pane from either picture, close
// marks and the form's say over a close, the scroller, Unicode tabs, pages in
// the face colour, clicks and Ctrl+Tab as on a plain control (the same
// messages and events), a skin without the pictures, and handles over many
// paints.
#include "tests/win/skin_tabs_support.h"

#include "skin/controls/SkinTab.h"
#include "skin/controls/SkinUpDown.h"
#include "skin/model/SkinMessages.h"
#include "ui/PageControl.h"
#include "ui/StdCtrls.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace skinbarstest;
using namespace skintabstest;

// Tabs' frame i: its outer half (the top of the picture) and its inner half.
COLORREF OuterColour(int frame) { return RGB(200, 30 * frame, 20); }
COLORREF InnerColour(int frame) { return RGB(20, 30 * frame, 200); }
// The pane pictures: the edge at the picture's top and the rest.
constexpr COLORREF kPaneTop = RGB(240, 200, 40);
constexpr COLORREF kPaneRest = RGB(40, 160, 90);
constexpr COLORREF kTabPane = RGB(120, 40, 160);
COLORREF HorzColour(int frame) { return RGB(60 + 20 * frame, 230, 30 * frame); }
constexpr COLORREF kText = RGB(250, 250, 250);

// Two-coloured cells: the top half outer(i), the bottom half inner(i).
void PaintHalves(TBitmap& bitmap, int count, int width, int height, COLORREF (*outer)(int), COLORREF (*inner)(int))
{
    PaintCells(bitmap, count, width, height, inner);
    TCanvas& canvas = bitmap.Canvas();
    for (int i = 0; i < count; ++i) {
        canvas.Brush().SetColor(static_cast<TColor>(outer(i + 1)));
        canvas.FillRect(RECT{i * width, 0, (i + 1) * width, height / 2});
    }
}

COLORREF PaneTop(int) { return kPaneTop; }
COLORREF PaneRest(int) { return kPaneRest; }

RECT ItemRect(HWND control, int index)
{
    RECT item{};
    SendMessageA(control, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return item;
}

POINT Centre(const RECT& rect) { return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

void SetKeyDown(int key, bool down)
{
    BYTE state[256]{};
    GetKeyboardState(state);
    state[key] = down ? 0x80 : 0;
    SetKeyboardState(state);
}

class SkinTabTest : public BarsTest {
protected:
    void SetUp() override
    {
        BarsTest::SetUp();
        auto tabs = std::make_unique<TDataSkinBorder>("Tabs");
        PaintHalves(tabs->Bitmap, 5, 20, 20, OuterColour, InnerColour);
        tabs->FrameCount = 5;
        tabs->NormalColour2 = static_cast<TColor>(kText);
        tabs->MouseOverColour2 = static_cast<TColor>(kText);
        PaintHalves(tabs->Bitmap2, 1, 20, 20, PaneTop, PaneRest);
        host->Skin.Tabs = std::move(tabs);
        host->Skin.TabPane = Element("Tab.Pane", 1, 20, 20, [](int) { return kTabPane; });
        host->Skin.UpDownHorz = BorderElement("UpDown.Horz", 8, 10, 10, HorzColour);
    }

    // A page control of three pages, the first one showing.
    TPageControl* Pages(TTabPosition position, int width = 300, int height = 180)
    {
        auto* pages = Place<TPageControl>(20, 20, width, height);
        pages->SetTabPosition(position);
        for (const char* caption : {"常规", "高级", "其他"}) {
            auto* sheet = new TTabSheet(form.get());
            sheet->SetCaption(caption);
            sheet->SetPageControl(pages);
        }
        pages->SetActivePageIndex(0);
        return pages;
    }

    // The control painted by its skinner alone into a white surface.
    static std::unique_ptr<Surface> Offscreen(TSkinControl& skinner, TWinControl& control)
    {
        auto surface = std::make_unique<Surface>(control.Width(), control.Height());
        skinner.PaintControl(surface->dc.get(), RECT{0, 0, control.Width(), control.Height()});
        return surface;
    }
};

// A point `depth` pixels in from the tabs' outer edge of item, and one as far
// in from its inner edge, a quarter along it (clear of the caption).
struct Probe {
    POINT outer;
    POINT inner;
};

Probe ProbeTab(const RECT& item, TTabPosition side, int depth = 3)
{
    const int alongX = item.left + (item.right - item.left) / 6;
    const int alongY = item.top + (item.bottom - item.top) / 6;
    switch (side) {
    case tpBottom:
        return {POINT{alongX, item.bottom - depth}, POINT{alongX, item.top + depth}};
    case tpLeft:
        return {POINT{item.left + depth, alongY}, POINT{item.right - depth, alongY}};
    case tpRight:
        return {POINT{item.right - depth, alongY}, POINT{item.left + depth, alongY}};
    case tpTop:
        break;
    }
    return {POINT{alongX, item.top + depth}, POINT{alongX, item.bottom - depth}};
}

TEST_F(SkinTabTest, TabsOnEverySideShowTheirFramesTurnedOutwards)
{
    for (const TTabPosition side : {tpTop, tpBottom, tpLeft, tpRight}) {
        auto* pages = Pages(side);
        pages->SetActivePageIndex(1);
        auto* skinner = Skin<TSkinTab>(*pages);
        EXPECT_EQ(static_cast<int>(skinner->TabPosition()), static_cast<int>(side));
        const auto surface = Offscreen(*skinner, *pages);
        for (int index = 0; index < 3; ++index) {
            const int frame = index == 1 ? 2 : 1;
            const Probe probe = ProbeTab(ItemRect(pages->Handle(), index), side);
            EXPECT_TRUE(Near(GetPixel(surface->dc.get(), probe.outer.x, probe.outer.y), OuterColour(frame), 4))
                << "side " << side << " tab " << index;
            EXPECT_TRUE(Near(GetPixel(surface->dc.get(), probe.inner.x, probe.inner.y), InnerColour(frame), 4))
                << "side " << side << " tab " << index;
        }
        // The pane's picture has its top edge against the tabs.
        const RECT display = pages->DisplayRect();
        const POINT mid = Centre(display);
        POINT towards{};
        POINT away{};
        switch (side) {
        case tpTop:
            towards = {mid.x, display.top - 2};
            away = {mid.x, display.bottom + 2};
            break;
        case tpBottom:
            towards = {mid.x, display.bottom + 2};
            away = {mid.x, display.top - 2};
            break;
        case tpLeft:
            towards = {display.left - 2, mid.y};
            away = {display.right + 2, mid.y};
            break;
        case tpRight:
            towards = {display.right + 2, mid.y};
            away = {display.left - 2, mid.y};
            break;
        }
        EXPECT_TRUE(Near(GetPixel(surface->dc.get(), towards.x, towards.y), kPaneTop, 4)) << "side " << side;
        EXPECT_TRUE(Near(GetPixel(surface->dc.get(), away.x, away.y), kPaneRest, 4)) << "side " << side;
        delete pages;
    }
}

TEST_F(SkinTabTest, ThePaneComesFromTabPaneWhenTabsSaysSo)
{
    auto* control = Place<TTabControl>(20, 20, 260, 150);
    control->Tabs().Add("甲");
    control->Tabs().Add("乙");
    control->SetTabIndex(0);
    auto* skinner = Skin<TSkinTab>(*control);
    const RECT display = control->DisplayRect();
    const POINT mid = Centre(display);
    EXPECT_TRUE(Near(GetPixel(Offscreen(*skinner, *control)->dc.get(), mid.x, display.top - 2), kPaneTop, 4));
    EXPECT_TRUE(Near(GetPixel(Offscreen(*skinner, *control)->dc.get(), mid.x, mid.y), kPaneRest, 4));

    host->Skin.Tabs->Style = 1;
    skinner->SkinChanged();
    const auto surface = Offscreen(*skinner, *control);
    EXPECT_TRUE(Near(GetPixel(surface->dc.get(), mid.x, display.top - 2), kTabPane, 4));
    EXPECT_TRUE(Near(GetPixel(surface->dc.get(), mid.x, mid.y), kTabPane, 4));
    // The tabs stay Tabs' frames.
    const Probe probe = ProbeTab(ItemRect(control->Handle(), 0), tpTop);
    EXPECT_TRUE(Near(GetPixel(surface->dc.get(), probe.outer.x, probe.outer.y), OuterColour(2), 4));

    // A skin without a pane picture of either kind: the face colour.
    host->Skin.TabPane.reset();
    skinner->SkinChanged();
    EXPECT_EQ(GetPixel(Offscreen(*skinner, *control)->dc.get(), mid.x, mid.y), ui::ColorToRGB(kSkinFace));
}

TEST_F(SkinTabTest, OnTheScreenTheSkinnerPaintsInsteadOfTheControl)
{
    auto* pages = Pages(tpTop);
    Skin<TSkinTab>(*pages);
    Redraw(form->Handle());
    const Capture screen(pages->Handle());
    const Probe selected = ProbeTab(ItemRect(pages->Handle(), 0), tpTop);
    const Probe other = ProbeTab(ItemRect(pages->Handle(), 2), tpTop);
    EXPECT_TRUE(Near(screen.At(selected.outer.x, selected.outer.y), OuterColour(2), 4));
    EXPECT_TRUE(Near(screen.At(other.outer.x, other.outer.y), OuterColour(1), 4));
    // The caption in the skin's text colour.
    EXPECT_GT(screen.Count(ItemRect(pages->Handle(), 1), kText, 60), 5);
    EXPECT_TRUE(Near(screen.At(Centre(pages->DisplayRect()).x, pages->DisplayRect().top - 2), kPaneTop, 4));
}

TEST_F(SkinTabTest, TabSheetsArePaintedInTheFaceColourWithTheirChildren)
{
    auto* pages = Pages(tpTop);
    TTabSheet* sheet = pages->Pages(0);
    auto* label = new TLabel(form.get());
    label->SetCaption("标签");
    label->SetBounds(10, 10, 60, 16);
    label->SetParent(sheet);
    auto* edit = new TEdit(form.get());
    edit->SetBounds(10, 40, 80, 22);
    edit->SetParent(sheet);
    Skin<TSkinTab>(*pages);
    auto* sheetSkinner = Skin<TSkinTabSheet>(*sheet);
    Redraw(form->Handle());
    const Capture screen(sheet->Handle());
    const COLORREF face = ui::ColorToRGB(kSkinFace);
    EXPECT_EQ(screen.At(screen.width - 5, screen.height - 5), face);
    EXPECT_EQ(screen.At(120, 12), face);
    // The label's text over the face, the edit its own white.
    EXPECT_GT(CountOther(screen.dc(), RECT{10, 10, 70, 26}, face), 5);
    EXPECT_EQ(screen.At(40, 51), RGB(255, 255, 255));
    // Printed into a DC of the caller's: the same.
    Surface printed(sheet->Width(), sheet->Height());
    SendMessageA(sheet->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed.dc.get()), PRF_CLIENT);
    EXPECT_EQ(GetPixel(printed.dc.get(), screen.width - 5, screen.height - 5), face);
    EXPECT_EQ(sheetSkinner->PaintMode(), 0);
}

// The form window answers the close request as `veto` says and remembers it.
struct CloseAnswer {
    LRESULT veto = 0;
    std::vector<std::pair<WPARAM, LPARAM>> asked;
};

ui::HookToken AnswerCloses(TForm& form, CloseAnswer& answer)
{
    return form.AddWindowProc([&answer](TMessage& message, const TWndNext& next) {
        if (message.Msg != SKM_TABCLOSE) {
            next(message);
            return;
        }
        answer.asked.emplace_back(message.WParam, message.LParam);
        message.Result = answer.veto;
    });
}

TEST_F(SkinTabTest, CloseMarksOnTaggedPagesAskTheFormBeforeAPageGoes)
{
    auto* pages = Pages(tpTop);
    pages->SetTag(TSkinTab::kClosableTag);
    auto* skinner = Skin<TSkinTab>(*pages);
    ASSERT_TRUE(skinner->Closable());
    Redraw(form->Handle());
    ASSERT_EQ(skinner->CloseRects().size(), 3u);
    const Capture screen(pages->Handle());
    for (int i = 0; i < 3; ++i) {
        const RECT item = ItemRect(pages->Handle(), i);
        const RECT mark = skinner->CloseRects()[static_cast<std::size_t>(i)];
        // A small box at the tab's top right.
        EXPECT_EQ(mark.right - mark.left, 6);
        EXPECT_EQ(mark.bottom - mark.top, 6);
        EXPECT_TRUE(mark.right <= item.right && mark.right > item.right - 4 && mark.top >= item.top) << i;
        EXPECT_GE(screen.Count(RECT{mark.left, mark.top, mark.right + 1, mark.bottom + 1}, kText, 30), 15) << i;
    }

    CloseAnswer answer;
    const ui::HookToken hook = AnswerCloses(*form, answer);
    TTabSheet* second = pages->Pages(1);
    answer.veto = 1;
    ClickAt(pages->Handle(), Centre(skinner->CloseRects()[1]));
    ASSERT_EQ(answer.asked.size(), 1u);
    EXPECT_EQ(answer.asked[0].first, reinterpret_cast<WPARAM>(pages->Handle()));
    EXPECT_EQ(answer.asked[0].second, 1);
    EXPECT_EQ(pages->PageCount(), 3) << "vetoed: the page stays";
    EXPECT_EQ(pages->Pages(1), second);
    EXPECT_EQ(pages->ActivePageIndex(), 0) << "the mark is not a tab click";

    answer.veto = 0;
    ClickAt(pages->Handle(), Centre(skinner->CloseRects()[1]));
    ASSERT_EQ(answer.asked.size(), 2u);
    ASSERT_EQ(pages->PageCount(), 2) << "accepted: the page is freed";
    EXPECT_EQ(pages->Pages(0)->Caption(), "常规");
    EXPECT_EQ(pages->Pages(1)->Caption(), "其他");
    EXPECT_EQ(SendMessageA(pages->Handle(), TCM_GETITEMCOUNT, 0, 0), 2);
    Flush(60);
    EXPECT_EQ(skinner->CloseRects().size(), 2u);

    // A click beside the marks is an ordinary tab click.
    const RECT last = ItemRect(pages->Handle(), 1);
    ClickAt(pages->Handle(), POINT{last.left + 4, (last.top + last.bottom) / 2});
    EXPECT_EQ(pages->ActivePageIndex(), 1);
    EXPECT_EQ(answer.asked.size(), 2u);
}

TEST_F(SkinTabTest, OnlyTaggedSingleRowPageControlsHaveCloseMarks)
{
    auto* untagged = Pages(tpTop);
    auto* plain = Skin<TSkinTab>(*untagged);
    EXPECT_FALSE(plain->Closable());

    auto* wrapped = Pages(tpTop);
    wrapped->SetTag(TSkinTab::kClosableTag);
    wrapped->SetMultiLine(true);
    EXPECT_FALSE(Skin<TSkinTab>(*wrapped)->Closable());

    auto* control = Place<TTabControl>(20, 20, 200, 100);
    control->SetTag(TSkinTab::kClosableTag);
    control->Tabs().Add("甲");
    EXPECT_FALSE(Skin<TSkinTab>(*control)->Closable()) << "a tab control has no pages to close";

    CloseAnswer answer;
    const ui::HookToken hook = AnswerCloses(*form, answer);
    Redraw(form->Handle());
    const RECT item = ItemRect(untagged->Handle(), 2);
    ClickAt(untagged->Handle(), Centre(tabface::CloseMarkRect(item)));
    EXPECT_TRUE(answer.asked.empty());
    EXPECT_EQ(untagged->PageCount(), 3);
    EXPECT_EQ(untagged->ActivePageIndex(), 2) << "where a mark would be, the tab is clicked";
}

TEST_F(SkinTabTest, TheScrollerOfTabsThatDoNotFitIsSkinned)
{
    auto* control = Place<TTabControl>(20, 20, 150, 80);
    for (const char* text : {"第一页", "第二页", "第三页", "第四页", "第五页", "第六页"})
        control->Tabs().Add(text);
    auto* skinner = Skin<TSkinTab>(*control);
    Redraw(form->Handle());
    const HWND scroller = FindWindowExA(control->Handle(), nullptr, UPDOWN_CLASSA, nullptr);
    ASSERT_NE(scroller, nullptr) << "the control shows its scroller";
    ASSERT_NE(skinner->Scroller(), nullptr);
    EXPECT_EQ(skinner->Scroller()->Handle(), scroller);
    Redraw(scroller);
    const Capture arrows(scroller);
    int skinned = 0;
    for (int frame = 1; frame <= 8; ++frame)
        skinned += arrows.Count(RECT{0, 0, arrows.width, arrows.height}, HorzColour(frame), 4);
    EXPECT_GT(skinned, arrows.width * arrows.height / 2) << "the scroller drawn from UpDown.Horz";

    // Scrolled on: the first tab shown is the first one drawn, and the tabs leave the scroller alone.
    SendMessageA(control->Handle(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 2), 0);
    Redraw(form->Handle());
    const Capture after(control->Handle());
    RECT place{};
    GetWindowRect(scroller, &place);
    MapWindowPoints(nullptr, control->Handle(), reinterpret_cast<POINT*>(&place), 2);
    int lit = 0;
    for (int frame = 1; frame <= 8; ++frame)
        lit += after.Count(place, HorzColour(frame), 4);
    EXPECT_GT(lit, (place.right - place.left) * (place.bottom - place.top) / 2);
}

// A tab control made with the wide API whose only tab reads text.
HWND WideTabs(HWND parent, const wchar_t* text)
{
    const HWND window = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE, 20, 20, 220, 120, parent,
                                        nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
    std::wstring caption = text;
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageW(window, TCM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return window;
}

TEST_F(SkinTabTest, UnicodeTabsAreReadAsWideText)
{
    // Letters the code page has no bytes for, beside what it would make of them.
    const HWND wide = WideTabs(form->Handle(), L"\x0150\x0170\x0150");
    const HWND lost = WideTabs(form->Handle(), L"???");
    Surface painted[2] = {Surface(220, 120), Surface(220, 120)};
    int index = 0;
    for (const HWND window : {wide, lost}) {
        TSkinTab skinner(nullptr);
        skinner.InitHandle(window, &host->Skin, host.get(), &host->Canvas);
        EXPECT_TRUE(skinner.UnicodeTabs());
        skinner.PaintControl(painted[index].dc.get(), RECT{0, 0, 220, 120});
        ++index;
    }
    const RECT tab = ItemRect(wide, 0);
    EXPECT_GT(CountNear(painted[0].dc.get(), tab, kText, 60), 5) << "the caption is drawn";
    int differing = 0;
    for (int y = tab.top; y < tab.bottom; ++y)
        for (int x = tab.left; x < tab.right; ++x)
            differing += GetPixel(painted[0].dc.get(), x, y) != GetPixel(painted[1].dc.get(), x, y) ? 1 : 0;
    EXPECT_GT(differing, 5) << "the letters themselves, not question marks";
    DestroyWindow(wide);
    DestroyWindow(lost);
}

TEST_F(SkinTabTest, WithoutTabsPicturesTheControlPaintsItselfAndNothingFails)
{
    host->Skin.Tabs.reset();
    host->Skin.TabPane.reset();
    auto* plainPages = Pages(tpTop);
    Redraw(form->Handle());
    const Capture before(plainPages->Handle());
    auto* skinner = Skin<TSkinTab>(*plainPages);
    auto* sheets = Skin<TSkinTabSheet>(*plainPages->Pages(0));
    Redraw(form->Handle());
    const Capture after(plainPages->Handle());
    const RECT tabs{0, 0, plainPages->Width(), plainPages->DisplayRect().top};
    EXPECT_EQ(Differences(before, after, tabs), 0) << "the control's own tabs";
    // Pictures empty rather than missing: the same.
    host->Skin.Tabs = std::make_unique<TDataSkinBorder>("Tabs");
    skinner->SkinChanged();
    sheets->SkinChanged();
    Redraw(form->Handle());
    EXPECT_EQ(Differences(before, Capture(plainPages->Handle()), tabs), 0);
    // Painting straight into a DC neither fails nor draws outside the control.
    const auto surface = Offscreen(*skinner, *plainPages);
    EXPECT_NE(surface, nullptr);
    host->Skin.Tabs.reset();
    plainPages->SetTabPosition(tpBottom);
    Redraw(form->Handle());
    ClickAt(plainPages->Handle(), Centre(ItemRect(plainPages->Handle(), 1)));
    EXPECT_EQ(plainPages->ActivePageIndex(), 1);
}

// What the user does to a page control, and what it hears.
struct Drive {
    std::vector<std::string> events;
    std::vector<int> pages;
    std::vector<msgseq::Entry> entries;
};

Drive DrivePages(TForm& form, TPageControl& pages)
{
    Drive drive;
    pages.OnChanging = TTabChangingEvent([&](TObject*, bool& allow) {
        drive.events.push_back("changing " + pages.ActivePage()->Caption());
        allow = pages.ActivePageIndex() != 2;
    });
    pages.OnChange = TNotifyEvent([&](TObject*) { drive.events.push_back("change " + pages.ActivePage()->Caption()); });
    pages.SetFocus();
    msgseq::Flush();
    msgseq::Sequence sequence;
    sequence.SetOptional(WM_TIMER);
    {
        msgseq::Recorder recorder(sequence);
        recorder.AttachControl(pages, "pages");
        recorder.AttachControl(form, "form");
        ClickAt(pages.Handle(), Centre(ItemRect(pages.Handle(), 1)));
        drive.pages.push_back(pages.ActivePageIndex());
        pages.SetFocus();
        msgseq::Flush();
        SetKeyDown(VK_CONTROL, true);
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 1);
        PostMessageA(GetFocus(), WM_KEYUP, VK_TAB, static_cast<LPARAM>(0xC0000001));
        msgseq::Flush();
        drive.pages.push_back(pages.ActivePageIndex());
        // From the last page OnChanging says no.
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 1);
        PostMessageA(GetFocus(), WM_KEYUP, VK_TAB, static_cast<LPARAM>(0xC0000001));
        msgseq::Flush();
        SetKeyDown(VK_CONTROL, false);
        drive.pages.push_back(pages.ActivePageIndex());
        ClickAt(pages.Handle(), Centre(ItemRect(pages.Handle(), 0)));
        drive.pages.push_back(pages.ActivePageIndex());
    }
    drive.entries = TabBehaviour(sequence.Entries());
    return drive;
}

TEST_F(SkinTabTest, ClicksAndCtrlTabBehaveAsOnAPlainPageControl)
{
    Drive runs[2];
    for (int skinned = 0; skinned < 2; ++skinned) {
        auto* pages = Pages(tpTop);
        if (skinned) {
            pages->SetTag(TSkinTab::kClosableTag);
            Skin<TSkinTab>(*pages);
            for (int i = 0; i < pages->PageCount(); ++i)
                Skin<TSkinTabSheet>(*pages->Pages(i));
        }
        Redraw(form->Handle());
        runs[skinned] = DrivePages(*form, *pages);
        delete pages;
    }
    const Drive& plain = runs[0];
    const Drive& skinned = runs[1];
    EXPECT_EQ(plain.pages, (std::vector<int>{1, 2, 2, 2}));
    EXPECT_EQ(plain.events, (std::vector<std::string>{"changing 常规", "change 高级", "changing 高级", "change 其他",
                                                      "changing 其他", "changing 其他"}));
    EXPECT_EQ(skinned.pages, plain.pages);
    EXPECT_EQ(skinned.events, plain.events);
    // The click's change reaches the form as TCN_SELCHANGE (Ctrl+Tab is the framework's own step).
    int selectionChanges = 0;
    for (const msgseq::Entry& entry : skinned.entries)
        selectionChanges += entry.message == WM_NOTIFY && entry.where == "form" &&
                                    static_cast<UINT>(entry.lParam) == static_cast<UINT>(TCN_SELCHANGE)
                                ? 1
                                : 0;
    EXPECT_EQ(selectionChanges, 1);
    EXPECT_TRUE(msgseq::SameSequence(plain.entries, skinned.entries, "clicks and Ctrl+Tab"));
}

TEST_F(SkinTabTest, AClickedTabControlChangesOnce)
{
    auto* control = Place<TTabControl>(20, 20, 260, 120);
    for (const char* text : {"甲", "乙", "丙"})
        control->Tabs().Add(text);
    Skin<TSkinTab>(*control);
    Redraw(form->Handle());
    int changed = 0;
    control->OnChange = TNotifyEvent([&](TObject*) { ++changed; });
    ClickAt(control->Handle(), Centre(ItemRect(control->Handle(), 2)));
    EXPECT_EQ(control->TabIndex(), 2);
    EXPECT_EQ(changed, 1);
}

TEST_F(SkinTabTest, ManyPaintsLeaveNoHandles)
{
    // One page: every part of the painting, at the least cost per paint.
    auto* pages = Place<TPageControl>(20, 20, 100, 50);
    auto* only = new TTabSheet(form.get());
    only->SetCaption("页");
    only->SetPageControl(pages);
    pages->SetTag(TSkinTab::kClosableTag);
    auto* tab = Skin<TSkinTab>(*pages);
    auto* sheet = Skin<TSkinTabSheet>(*pages->Pages(0));
    auto* turned = Pages(tpLeft, 90, 50);
    auto* side = Skin<TSkinTab>(*turned);
    Surface surface(pages->Width(), pages->Height());
    for (TSkinControl* skinner : {static_cast<TSkinControl*>(tab), static_cast<TSkinControl*>(sheet),
                                  static_cast<TSkinControl*>(side)})
        skinner->PaintFrame(surface.dc.get());
    const ui::HandleSnapshot handles = ui::HandleSnapshot::Take();
    const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 70000; ++i) {
        tab->PaintFrame(surface.dc.get());
        sheet->PaintFrame(surface.dc.get());
    }
    // Side tabs turn their strip at every paint.
    for (int i = 0; i < 5000; ++i)
        side->PaintFrame(surface.dc.get());
    EXPECT_EQ(ui::HandleSnapshot::Take(), handles);
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdi + 2);
}

} // namespace
