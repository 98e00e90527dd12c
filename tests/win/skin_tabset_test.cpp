// Tab sets skinned from a test skin: tabs hanging from the top edge in the
// Tabs frames turned upside down, laid left to right at their texts' widths,
// cut off when they do not fit (sooner with the scroller showing), a press
// on a drawn tab selecting that tab with the events a plain tab set sends,
// and handles over many paints.
#include "tests/win/skin_tabs_support.h"

#include "skin/controls/SkinTabSet.h"
#include "skin/controls/SkinUpDown.h"
#include "ui/TabSet.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using namespace skinbarstest;
using namespace skintabstest;

COLORREF OuterColour(int frame) { return RGB(210, 35 * frame, 30); }
COLORREF InnerColour(int frame) { return RGB(30, 35 * frame, 210); }
COLORREF HorzColour(int frame) { return RGB(60 + 20 * frame, 230, 30 * frame); }
constexpr COLORREF kText = RGB(250, 250, 250);

class SkinTabSetTest : public BarsTest {
protected:
    void SetUp() override
    {
        BarsTest::SetUp();
        auto tabs = std::make_unique<TDataSkinBorder>("Tabs");
        PaintCells(tabs->Bitmap, 5, 20, 20, InnerColour);
        TCanvas& canvas = tabs->Bitmap.Canvas();
        for (int i = 0; i < 5; ++i) {
            canvas.Brush().SetColor(static_cast<TColor>(OuterColour(i + 1)));
            canvas.FillRect(RECT{i * 20, 0, (i + 1) * 20, 10});
        }
        tabs->FrameCount = 5;
        tabs->NormalColour2 = static_cast<TColor>(kText);
        tabs->MouseOverColour2 = static_cast<TColor>(kText);
        host->Skin.Tabs = std::move(tabs);
        host->Skin.UpDownHorz = BorderElement("UpDown.Horz", 8, 10, 10, HorzColour);
    }

    TTabSet* Set(int width, const std::vector<const char*>& texts)
    {
        auto* set = Place<TTabSet>(20, 60, width, 21);
        for (const char* text : texts)
            set->Tabs().Add(text);
        return set;
    }

    // Text widths as the set's font measures them.
    static std::vector<int> Widths(TTabSet& set)
    {
        std::vector<int> widths;
        const ui::UniqueWindowDC dc = ui::UniqueWindowDC::Client(set.Handle());
        SelectObject(dc.get(), reinterpret_cast<HFONT>(SendMessageA(set.Handle(), WM_GETFONT, 0, 0)));
        for (int i = 0; i < set.Tabs().Count(); ++i) {
            const std::string text = set.Tabs().Get(i);
            SIZE size{};
            GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
            widths.push_back(size.cx);
        }
        return widths;
    }
};

TEST_F(SkinTabSetTest, TabsRunLeftToRightAtTheirTextsWidths)
{
    auto* set = Set(300, {"一", "二二", "三三三"});
    set->SetTabIndex(1);
    auto* skinner = Skin<TSkinTab31>(*set);
    Surface surface(300, 21);
    skinner->PaintControl(surface.dc.get(), RECT{0, 0, 300, 21});
    const std::vector<int> widths = Widths(*set);
    const std::vector<RECT>& drawn = skinner->DrawnTabs();
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(skinner->FirstDrawn(), 0);
    int left = 5;
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        EXPECT_EQ(drawn[i].left, left) << i;
        EXPECT_EQ(drawn[i].right - drawn[i].left, widths[i] + 9) << i;
        left = drawn[i].right;
        // Upside down: the outer half at the bottom; frame 2 for the selected tab.
        const int frame = i == 1 ? 2 : 1;
        const int x = drawn[i].left + 1;
        EXPECT_TRUE(Near(GetPixel(surface.dc.get(), x, 18), OuterColour(frame), 4)) << i;
        EXPECT_TRUE(Near(GetPixel(surface.dc.get(), x, 2), InnerColour(frame), 4)) << i;
    }
    // Left of the first tab and right of the last: the face colour.
    const COLORREF face = ui::ColorToRGB(kSkinFace);
    EXPECT_EQ(GetPixel(surface.dc.get(), 2, 10), face);
    EXPECT_EQ(GetPixel(surface.dc.get(), left + 3, 10), face);
    // Captions in the tabs, grey when the set is disabled.
    const auto caption = [&] {
        int count = 0;
        for (int y = drawn[2].top; y < drawn[2].bottom; ++y)
            for (int x = drawn[2].left; x < drawn[2].right; ++x) {
                const COLORREF pixel = GetPixel(surface.dc.get(), x, y);
                count += pixel != OuterColour(1) && pixel != InnerColour(1) ? 1 : 0;
            }
        return count;
    };
    EXPECT_GT(CountNear(surface.dc.get(), drawn[2], kText, 60), 5);
    set->SetEnabled(false);
    skinner->PaintFrame(surface.dc.get());
    EXPECT_EQ(CountNear(surface.dc.get(), drawn[2], kText, 60), 0);
    EXPECT_GT(caption(), 5);
}

TEST_F(SkinTabSetTest, TabsThatDoNotFitAreLeftOut)
{
    auto* set = Set(150, {"第一", "第二", "第三", "第四", "第五", "第六", "第七"});
    auto* skinner = Skin<TSkinTab31>(*set);
    Redraw(form->Handle());
    const std::vector<int> widths = Widths(*set);
    const std::vector<RECT>& drawn = skinner->DrawnTabs();
    ASSERT_FALSE(drawn.empty());
    ASSERT_LT(drawn.size(), widths.size());
    const HWND scroller = FindWindowExA(set->Handle(), nullptr, UPDOWN_CLASSA, nullptr);
    const bool scrolling = scroller != nullptr && IsWindowVisible(scroller);
    RECT arrowsPlace{};
    if (scrolling) {
        GetWindowRect(scroller, &arrowsPlace);
        MapWindowPoints(nullptr, set->Handle(), reinterpret_cast<POINT*>(&arrowsPlace), 2);
    }
    const int room = scrolling ? std::min(150 - 5 - 21, static_cast<int>(arrowsPlace.left)) : 150 - 5 - 9;
    EXPECT_LE(drawn.back().right, room);
    EXPECT_GT(drawn.back().right + widths[drawn.size()] + 9, room) << "the next one would not fit";
    const Capture screen(set->Handle());
    const COLORREF face = ui::ColorToRGB(kSkinFace);
    const int freeRight = scrolling ? static_cast<int>(arrowsPlace.left) : 150;
    EXPECT_EQ(screen.Count(RECT{drawn.back().right + 1, 0, freeRight - 1, 21}, face, 0),
              (freeRight - 2 - drawn.back().right) * 21)
        << "nothing after the last whole tab";

    if (scrolling) {
        // The scroller skinned side by side; scrolled on, the set starts at the first tab the control shows.
        ASSERT_NE(skinner->Scroller(), nullptr);
        Redraw(scroller);
        const Capture arrows(scroller);
        int lit = 0;
        for (int frame = 1; frame <= 8; ++frame)
            lit += arrows.Count(RECT{0, 0, arrows.width, arrows.height}, HorzColour(frame), 4);
        EXPECT_GT(lit, arrows.width * arrows.height / 2);
        SendMessageA(set->Handle(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 2), 0);
        Redraw(form->Handle());
        const int shown = LOWORD(SendMessageA(scroller, UDM_GETPOS, 0, 0));
        EXPECT_GT(shown, 0);
        EXPECT_EQ(skinner->FirstDrawn(), shown);
        EXPECT_EQ(skinner->DrawnTabs().front().left, 5);
    }
}

struct Drive {
    std::vector<std::string> events;
    std::vector<int> indexes;
    std::vector<msgseq::Entry> entries;
};

TEST_F(SkinTabSetTest, APressOnADrawnTabSelectsItAsOnAPlainSet)
{
    Drive runs[2];
    for (int skinned = 0; skinned < 2; ++skinned) {
        auto* set = Set(300, {"北京", "上海天津", "广东"});
        set->SetTabIndex(0);
        TSkinTab31* skinner = skinned ? Skin<TSkinTab31>(*set) : nullptr;
        Redraw(form->Handle());
        Drive& drive = runs[skinned];
        set->OnChanging = TTabChangingEvent([&](TObject*, bool& allow) {
            drive.events.push_back("changing " + std::to_string(set->TabIndex()));
            allow = set->TabIndex() != 2;
        });
        set->OnChange = TNotifyEvent([&](TObject*) { drive.events.push_back("change " + std::to_string(set->TabIndex())); });
        SetFocus(form->Handle());
        Flush();
        msgseq::Sequence sequence;
        sequence.SetOptional(WM_TIMER);
        {
            msgseq::Recorder recorder(sequence);
            recorder.AttachControl(*set, "set");
            recorder.AttachControl(*form, "form");
            for (const int tab : {2, 1}) {
                RECT where{};
                if (skinner) {
                    where = skinner->DrawnTabs()[static_cast<std::size_t>(tab)];
                } else {
                    SendMessageA(set->Handle(), TCM_GETITEMRECT, static_cast<WPARAM>(tab),
                                 reinterpret_cast<LPARAM>(&where));
                }
                // A quarter in from the left, where drawn and native tabs part ways.
                ClickAt(set->Handle(), POINT{where.left + (where.right - where.left) / 4, 10});
                drive.indexes.push_back(set->TabIndex());
            }
        }
        drive.entries = TabBehaviour(sequence.Entries());
        for (msgseq::Entry& entry : drive.entries) {
            // Where the press landed is the skinner's business; what it selects is compared.
            if (entry.message == WM_LBUTTONDOWN || entry.message == WM_LBUTTONUP)
                entry.flags &= ~static_cast<unsigned>(msgseq::LParam);
        }
        delete set;
    }
    EXPECT_EQ(runs[0].indexes, (std::vector<int>{2, 2}));
    EXPECT_EQ(runs[0].events, (std::vector<std::string>{"changing 0", "change 2", "changing 2"}));
    EXPECT_EQ(runs[1].indexes, runs[0].indexes);
    EXPECT_EQ(runs[1].events, runs[0].events);
    EXPECT_TRUE(msgseq::SameSequence(runs[0].entries, runs[1].entries, "presses on tabs"));
}

TEST_F(SkinTabSetTest, WithoutTabsTheSetIsFaceAndTextAndNothingFails)
{
    auto* set = Set(200, {"一", "二"});
    auto* skinner = Skin<TSkinTab31>(*set);
    host->Skin.Tabs.reset();
    skinner->SkinChanged();
    Surface surface(200, 21);
    skinner->PaintControl(surface.dc.get(), RECT{0, 0, 200, 21});
    const COLORREF face = ui::ColorToRGB(kSkinFace);
    EXPECT_EQ(CountNear(surface.dc.get(), RECT{0, 0, 200, 21}, OuterColour(1), 4), 0);
    EXPECT_GT(CountNear(surface.dc.get(), RECT{0, 0, 200, 21}, face, 0), 200 * 21 / 2);
    ASSERT_EQ(skinner->DrawnTabs().size(), 2u);
    EXPECT_GT(CountOther(surface.dc.get(), skinner->DrawnTabs()[0], face), 5);
}

TEST_F(SkinTabSetTest, ManyPaintsLeaveNoHandles)
{
    auto* set = Set(100, {"一", "二"});
    auto* skinner = Skin<TSkinTab31>(*set);
    Surface surface(100, 21);
    skinner->PaintFrame(surface.dc.get());
    const ui::HandleSnapshot handles = ui::HandleSnapshot::Take();
    const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 70000; ++i)
        skinner->PaintFrame(surface.dc.get());
    EXPECT_EQ(ui::HandleSnapshot::Take(), handles);
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdi + 2);
}

} // namespace
