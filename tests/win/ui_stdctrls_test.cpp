// The combo box, memo, rich edit, owner-drawn list box, scroll bar, scroll
// box, tree view and header control under Wine: read from form text, their
// properties by name, and what the real controls do when used.
#include "tests/win/ui_window_support.h"

#include "ui/ComboBox.h"
#include "ui/DcGuards.h"
#include "ui/FormTextReader.h"
#include "ui/FormTextWriter.h"
#include "ui/Forms.h"
#include "ui/HeaderControl.h"
#include "ui/Memo.h"
#include "ui/Properties.h"
#include "ui/ScrollBar.h"
#include "ui/ScrollBox.h"
#include "ui/StdCtrls.h"
#include "ui/TreeView.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using uitest::Pump;

template <class T>
T* Make(TForm& form, TWinControl* parent, int left, int top, int width, int height)
{
    auto* control = new T(&form);
    control->SetBounds(left, top, width, height);
    control->SetParent(parent);
    return control;
}

DWORD StyleOf(TWinControl& control) { return static_cast<DWORD>(GetWindowLongPtrA(control.Handle(), GWL_STYLE)); }

std::string ClassOf(TWinControl& control)
{
    char name[64]{};
    GetClassNameA(control.Handle(), name, sizeof name);
    return name;
}

class StdCtrlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(100, 100, 480, 360);
    }
    void TearDown() override
    {
        form.reset();
        Pump(20);
    }

    std::unique_ptr<TForm> form;
};

// ---- form text and properties by name

constexpr const char* kFormText = R"(object Form1: TForm
  Caption = '控件'
  object ComboBox1: TComboBox
    Left = 8
    Top = 8
    Style = csDropDownList
    Items = (
      '北京'
      '上海'
      '重庆')
    ItemIndex = 1
    DropDownCount = 5
  end
  object Memo1: TMemo
    Left = 8
    Top = 40
    Lines = (
      '第一行'
      'second')
    ScrollBars = ssVertical
    WordWrap = False
    WantTabs = True
  end
  object ListBox1: TListBox
    Left = 200
    Top = 8
    Style = lbOwnerDrawFixed
    ItemHeight = 20
    Items = (
      'a'
      'b')
  end
  object ScrollBar1: TScrollBar
    Left = 200
    Top = 120
    Kind = sbVertical
    PageSize = 150
    Position = 300
    Max = 500
    Min = 10
    LargeChange = 50
  end
  object ScrollBox1: TScrollBox
    Left = 8
    Top = 140
    BorderStyle = bsNone
  end
  object TreeView1: TTreeView
    Left = 240
    Top = 120
    ShowLines = False
    ReadOnly = True
  end
  object HeaderControl1: THeaderControl
    Left = 8
    Top = 200
    Width = 300
    Sections = <
      item
        Text = '省份'
        Width = 80
      end
      item
        Text = '邮编'
        Width = 60
        Alignment = taRightJustify
      end>
  end
  object RichEdit1: TRichEdit
    Left = 8
    Top = 230
    Lines = (
      '富文本')
  end
end
)";

TEST_F(StdCtrlsTest, FormTextMakesEachControlAndItsPropertiesReachTheWindows)
{
    std::unique_ptr<TComponent> root(ui::CreateFormFromText(kFormText, nullptr));
    auto& f = static_cast<TForm&>(*root);
    const auto find = [&](const char* name) { return static_cast<TWinControl*>(f.FindComponent(name)); };
    TWinControl* combo = find("ComboBox1");
    TWinControl* memo = find("Memo1");
    TWinControl* list = find("ListBox1");
    TWinControl* bar = find("ScrollBar1");
    TWinControl* box = find("ScrollBox1");
    TWinControl* tree = find("TreeView1");
    TWinControl* header = find("HeaderControl1");
    TWinControl* rich = find("RichEdit1");
    for (TWinControl* control : {combo, memo, list, bar, box, tree, header, rich})
        ASSERT_NE(control, nullptr);
    f.HandleNeeded();

    // The skinners' reading of the controls, by name.
    EXPECT_EQ(ui::GetEnumPropText(combo, "Style"), "csDropDownList");
    EXPECT_EQ(ui::GetIntProp(combo, "ItemIndex"), 1);
    EXPECT_EQ(ui::GetIntProp(combo, "DropDownCount"), 5);
    EXPECT_EQ(ui::GetWideTextProp(combo, "Text"), L"上海");
    EXPECT_EQ(ui::GetEnumPropText(memo, "ScrollBars"), "ssVertical");
    EXPECT_EQ(ui::GetEnumPropText(list, "Style"), "lbOwnerDrawFixed");
    EXPECT_EQ(ui::GetIntProp(list, "ItemHeight"), 20);
    EXPECT_EQ(ui::GetEnumPropText(bar, "Kind"), "sbVertical");
    EXPECT_EQ(ui::GetIntProp(bar, "Position"), 300) << "clamped only once the maximum read after it is in";
    EXPECT_EQ(ui::GetIntProp(bar, "PageSize"), 150);
    EXPECT_EQ(ui::GetEnumPropText(box, "BorderStyle"), "bsNone");
    EXPECT_EQ(ui::GetEnumPropText(tree, "ShowLines"), "False");

    // The same state in the system's controls.
    EXPECT_EQ(ClassOf(*combo), "ComboBox");
    EXPECT_EQ(StyleOf(*combo) & 3, static_cast<DWORD>(CBS_DROPDOWNLIST));
    EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(uitest::WindowText(combo->Handle()), "上海");
    EXPECT_EQ(uitest::WindowText(memo->Handle()), "第一行\r\nsecond\r\n");
    EXPECT_TRUE(StyleOf(*memo) & ES_MULTILINE);
    EXPECT_TRUE(StyleOf(*memo) & ES_AUTOHSCROLL) << "no word wrap";
    EXPECT_TRUE(StyleOf(*list) & LBS_OWNERDRAWFIXED);
    EXPECT_EQ(SendMessageA(list->Handle(), LB_GETITEMHEIGHT, 0, 0), 20);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(bar->Handle(), SB_CTL, &info));
    EXPECT_EQ(info.nMin, 10);
    EXPECT_EQ(info.nMax, 500);
    EXPECT_EQ(info.nPos, 300);
    EXPECT_EQ(info.nPage, 150u);
    EXPECT_TRUE(StyleOf(*bar) & SBS_VERT);
    EXPECT_FALSE(GetWindowLongPtrA(box->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_FALSE(StyleOf(*tree) & TVS_HASLINES);
    EXPECT_FALSE(StyleOf(*tree) & TVS_EDITLABELS);
    EXPECT_EQ(SendMessageA(header->Handle(), HDM_GETITEMCOUNT, 0, 0), 2);
    HDITEMA item{};
    char text[32]{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    ASSERT_TRUE(SendMessageA(header->Handle(), HDM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item)));
    EXPECT_STREQ(text, "邮编");
    EXPECT_EQ(item.cxy, 60);
    EXPECT_EQ(item.fmt & HDF_JUSTIFYMASK, HDF_RIGHT);
    EXPECT_EQ(ClassOf(*rich).rfind("RichEdit", 0) == 0 || ClassOf(*rich) == "RICHEDIT50W", true) << ClassOf(*rich);
    EXPECT_EQ(uitest::WindowText(rich->Handle()), "富文本\r\n");

    // Written back and read again, the text gives the same controls.
    const std::string written = ui::WriteFormText(f);
    EXPECT_NE(written.find("Style = csDropDownList"), std::string::npos);
    EXPECT_NE(written.find("Kind = sbVertical"), std::string::npos);
    std::unique_ptr<TComponent> again(ui::CreateFormFromText(written, nullptr));
    EXPECT_EQ(ui::GetIntProp(again->FindComponent("ScrollBar1"), "Position"), 300);
    EXPECT_EQ(ui::GetIntProp(again->FindComponent("ComboBox1"), "ItemIndex"), 1);
    EXPECT_EQ(static_cast<TMemo*>(again->FindComponent("Memo1"))->Lines().ToVector(),
              (std::vector<std::string>{"第一行", "second"}));
    EXPECT_EQ(static_cast<THeaderControl*>(again->FindComponent("HeaderControl1"))->Sections().Items(0)->Width(), 80);
}

TEST_F(StdCtrlsTest, StylesSetByNameRemakeTheWindowKeepingItemsAndSelection)
{
    auto* combo = Make<TComboBox>(*form, form.get(), 8, 8, 150, 21);
    for (const char* text : {"北京", "上海", "重庆"})
        combo->Items().Add(text);
    combo->SetItemIndex(2);
    auto* list = Make<TListBox>(*form, form.get(), 8, 60, 150, 80);
    for (const char* text : {"一", "二"})
        list->Items().Add(text);
    list->SetItemIndex(1);
    form->HandleNeeded();
    const HWND oldCombo = combo->Handle();

    ui::SetPropText(combo, "Style", "csSimple");
    ui::SetPropText(list, "Style", "lbOwnerDrawVariable");
    EXPECT_NE(combo->Handle(), oldCombo);
    EXPECT_EQ(StyleOf(*combo) & 3, static_cast<DWORD>(CBS_SIMPLE));
    EXPECT_EQ(combo->Items().ToVector(), (std::vector<std::string>{"北京", "上海", "重庆"}));
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(combo->Text(), "重庆");
    EXPECT_TRUE(StyleOf(*list) & LBS_OWNERDRAWVARIABLE);
    EXPECT_EQ(list->Items().Count(), 2);
    EXPECT_EQ(list->ItemIndex(), 1);

    EXPECT_THROW(ui::SetPropText(combo, "Style", "csNoSuchStyle"), EPropertyError);
}

// ---- combo box

TEST_F(StdCtrlsTest, ComboSelectionTypingAndDropDownFireTheirEventsOnce)
{
    auto* combo = Make<TComboBox>(*form, form.get(), 8, 8, 150, 21);
    for (const char* text : {"北京", "上海", "重庆"})
        combo->Items().Add(text);
    int changes = 0;
    int selects = 0;
    int drops = 0;
    int closes = 0;
    combo->OnChange = TNotifyEvent([&](TObject*) { ++changes; });
    combo->OnSelect = TNotifyEvent([&](TObject*) { ++selects; });
    combo->OnDropDown = TNotifyEvent([&](TObject*) { ++drops; });
    combo->OnCloseUp = TNotifyEvent([&](TObject*) { ++closes; });
    form->Show();
    Pump();

    // Code selecting an item is no user's doing.
    combo->SetItemIndex(0);
    EXPECT_EQ(changes + selects, 0);
    EXPECT_EQ(combo->Text(), "北京");

    // The down arrow selects the next item, as the user would.
    SendMessageA(combo->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), "上海");
    EXPECT_EQ(selects, 1);
    EXPECT_EQ(changes, 1);

    // Typing into the edit changes the text without selecting anything.
    const HWND edit = GetWindow(combo->Handle(), GW_CHILD);
    ASSERT_NE(edit, nullptr);
    SendMessageA(edit, WM_CHAR, 'x', 1);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(selects, 1);

    for (int i = 0; i < 10; ++i)
        combo->Items().Add("项" + std::to_string(i));
    combo->SetDropDownCount(5);
    combo->SetDroppedDown(true);
    EXPECT_TRUE(combo->DroppedDown());
    COMBOBOXINFO parts{};
    parts.cbSize = sizeof parts;
    ASSERT_TRUE(GetComboBoxInfo(combo->Handle(), &parts));
    RECT dropped{};
    GetWindowRect(parts.hwndList, &dropped);
    const auto itemHeight = static_cast<int>(SendMessageA(combo->Handle(), CB_GETITEMHEIGHT, 0, 0));
    EXPECT_NEAR(dropped.bottom - dropped.top, 5 * itemHeight, 4) << "the list shows DropDownCount items";
    combo->SetDroppedDown(false);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(closes, 1);
}

TEST_F(StdCtrlsTest, ComboStateLivesBeforeTheWindowAndThroughARemake)
{
    auto* combo = new TComboBox(form.get());
    combo->SetStyle(csDropDownList);
    combo->Items().Add("甲");
    combo->Items().Add("乙");
    combo->SetText("乙");
    EXPECT_EQ(combo->ItemIndex(), 1) << "a list-only box takes text by selecting it";
    combo->SetText("丙");
    EXPECT_EQ(combo->ItemIndex(), -1);
    combo->SetItemIndex(7);
    EXPECT_EQ(combo->ItemIndex(), -1);
    combo->SetItemIndex(0);
    combo->SetParent(form.get());
    form->HandleNeeded();
    EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETCURSEL, 0, 0), 0);
    combo->Items().Insert(0, "首");
    EXPECT_EQ(combo->Items().Get(0), "首");
    EXPECT_EQ(combo->Items().Count(), 3);
    EXPECT_THROW(combo->Items().Get(3), EListError);

    // A drop-down box of the edit style keeps typed text through a remake.
    combo->SetStyle(csDropDown);
    combo->SetItemIndex(-1);
    combo->SetText("自由文本");
    combo->SetSorted(true);
    EXPECT_EQ(combo->Text(), "自由文本");
    EXPECT_TRUE(StyleOf(*combo) & CBS_SORT);
}

TEST_F(StdCtrlsTest, OwnerDrawnComboMeasuresAndDrawsThroughItsEvents)
{
    auto* variable = Make<TComboBox>(*form, form.get(), 8, 8, 150, 21);
    variable->SetStyle(csOwnerDrawVariable);
    std::vector<int> measured;
    variable->OnMeasureItem = TMeasureItemEvent([&](TWinControl* sender, int index, int& height) {
        EXPECT_EQ(sender, variable);
        measured.push_back(index);
        if (index >= 0)
            height = 10 + 5 * index;
    });
    form->HandleNeeded();
    for (const char* text : {"零", "一", "二"})
        variable->Items().Add(text);
    EXPECT_EQ(measured, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(SendMessageA(variable->Handle(), CB_GETITEMHEIGHT, 2, 0), 20);

    auto* fixed = Make<TComboBox>(*form, form.get(), 8, 40, 150, 21);
    fixed->SetStyle(csOwnerDrawFixed);
    fixed->SetItemHeight(18);
    fixed->Items().Add("北京");
    fixed->Items().Add("上海");
    fixed->SetItemIndex(1);
    struct Drawn {
        int index;
        RECT rect;
        TOwnerDrawState state;
    };
    std::vector<Drawn> drawn;
    fixed->OnDrawItem = TDrawItemEvent([&](TWinControl*, int index, RECT rect, TOwnerDrawState state) {
        drawn.push_back({index, rect, state});
        fixed->Canvas().FillRect(rect);
    });
    EXPECT_EQ(SendMessageA(fixed->Handle(), CB_GETITEMHEIGHT, 0, 0), 18);
    form->Show();
    RedrawWindow(fixed->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.back().index, 1);
    EXPECT_TRUE(drawn.back().state.Contains(odComboBoxEdit)) << "the closed box shows the selection in its field";
}

// ---- list box drawn by its owner

TEST_F(StdCtrlsTest, OwnerDrawnListBoxMeasuresEachItemAndDrawsTheSelectionHighlighted)
{
    auto* list = Make<TListBox>(*form, form.get(), 8, 8, 150, 120);
    list->SetStyle(lbOwnerDrawVariable);
    list->OnMeasureItem = TMeasureItemEvent([](TWinControl*, int index, int& height) { height = 14 + 4 * index; });
    for (const char* text : {"北京", "上海", "重庆"})
        list->Items().Add(text);
    list->SetItemIndex(1);
    form->HandleNeeded();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(SendMessageA(list->Handle(), LB_GETITEMHEIGHT, static_cast<WPARAM>(i), 0), 14 + 4 * i) << i;

    // Drawn into a bitmap: the system's own drawing would be skipped altogether.
    std::vector<std::pair<int, TOwnerDrawState>> drawn;
    const auto capture = [&]() {
        const RECT client = list->ClientRect();
        const ui::UniqueWindowDC screen = ui::UniqueWindowDC::Client(nullptr);
        const ui::UniqueDC memory(CreateCompatibleDC(screen.get()));
        const ui::UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), client.right, client.bottom));
        const ui::ScopedSelect selected(memory.get(), bitmap.get());
        SendMessageA(list->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.get()), PRF_CLIENT | PRF_ERASEBKGND);
        // Inside the second item (rows 14 to 32), right of its text.
        return GetPixel(memory.get(), client.right - 5, 20);
    };
    EXPECT_EQ(capture(), GetSysColor(COLOR_HIGHLIGHT)) << "default drawing without a handler";

    list->OnDrawItem = TDrawItemEvent([&](TWinControl*, int index, RECT rect, TOwnerDrawState state) {
        drawn.emplace_back(index, state);
        list->Canvas().Brush().SetColor(index == 1 ? TColor(0x0000FF) : clWindow);
        list->Canvas().FillRect(rect);
    });
    EXPECT_EQ(capture(), RGB(255, 0, 0));
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn[1].first, 1);
    EXPECT_TRUE(drawn[1].second.Contains(odSelected));
    EXPECT_FALSE(drawn[0].second.Contains(odSelected));
}

// ---- memo and rich edit

void CheckLinesRoundTrip(TCustomMemo& memo)
{
    TStrings& lines = memo.Lines();
    lines.Clear();
    EXPECT_EQ(lines.Count(), 0);
    lines.Add("北京");
    lines.Add("second");
    EXPECT_EQ(memo.Text(), "北京\r\nsecond\r\n");
    EXPECT_EQ(lines.Count(), 2) << "no empty line after the final break";
    lines.Insert(1, "中间");
    lines.Put(0, "首行");
    EXPECT_EQ(lines.ToVector(), (std::vector<std::string>{"首行", "中间", "second"}));
    lines.Delete(2);
    EXPECT_EQ(lines.ToVector(), (std::vector<std::string>{"首行", "中间"}));
    EXPECT_THROW(lines.Get(2), EListError);

    // A last line without its break gets one before the next line.
    memo.SetText("a\r\nb");
    EXPECT_EQ(lines.Count(), 2);
    lines.Add("c");
    EXPECT_EQ(lines.ToVector(), (std::vector<std::string>{"a", "b", "c"}));

    // Double-byte text longer than its count of characters.
    std::string wide;
    for (int i = 0; i < 300; ++i)
        wide += "汉";
    lines.Clear();
    lines.Add(wide);
    EXPECT_EQ(lines.Get(0), wide);
}

TEST_F(StdCtrlsTest, MemoLinesRoundTripWithoutAndWithTheWindow)
{
    auto* memo = Make<TMemo>(*form, form.get(), 8, 8, 300, 120);
    memo->SetWordWrap(false);
    CheckLinesRoundTrip(*memo);
    memo->Lines().SetText("一\r\n二\r\n");
    form->HandleNeeded();
    EXPECT_EQ(uitest::WindowText(memo->Handle()), "一\r\n二\r\n");
    CheckLinesRoundTrip(*memo);

    // Lines survive a remake of the window for other scroll bars.
    memo->Lines().SetText("x\r\ny");
    memo->SetScrollBars(ssBoth);
    EXPECT_TRUE(StyleOf(*memo) & WS_VSCROLL);
    EXPECT_EQ(memo->Lines().ToVector(), (std::vector<std::string>{"x", "y"}));
}

TEST_F(StdCtrlsTest, RichEditHasTheMemoTextInterfaceAndReportsChanges)
{
    auto* rich = Make<TRichEdit>(*form, form.get(), 8, 8, 300, 120);
    rich->SetWordWrap(false);
    int changes = 0;
    rich->OnChange = TNotifyEvent([&](TObject*) { ++changes; });
    form->HandleNeeded();
    CheckLinesRoundTrip(*rich);
    changes = 0;
    SendMessageA(rich->Handle(), WM_CHAR, 'z', 1);
    EXPECT_EQ(changes, 1);
}

TEST_F(StdCtrlsTest, MemoKeepsEnterAndTabOnlyWhenItWantsThem)
{
    auto* memo = Make<TMemo>(*form, form.get(), 8, 8, 200, 100);
    auto* button = Make<TButton>(*form, form.get(), 8, 120, 75, 25);
    button->SetDefault(true);
    int clicks = 0;
    button->OnClick = TNotifyEvent([&](TObject*) { ++clicks; });
    form->Show();
    memo->SetFocus();
    Pump();
    const auto press = [&](WORD key) {
        PostMessageA(memo->Handle(), WM_KEYDOWN, key, 1);
        PostMessageA(memo->Handle(), WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
        Pump(30);
    };

    press(VK_RETURN);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(memo->Text(), "\r\n");

    memo->SetWantReturns(false);
    press(VK_RETURN);
    EXPECT_EQ(clicks, 1) << "Enter goes to the default button";
    EXPECT_EQ(memo->Text(), "\r\n");

    memo->SetWantTabs(true);
    press(VK_TAB);
    EXPECT_EQ(memo->Text(), "\r\n\t");
    EXPECT_TRUE(memo->Focused());
    memo->SetWantTabs(false);
    press(VK_TAB);
    EXPECT_EQ(memo->Text(), "\r\n\t");
    EXPECT_TRUE(button->Focused()) << "Tab moves on";
}

// ---- scroll bar

TEST_F(StdCtrlsTest, ScrollBarClampsItsPositionAndReportsEachChangeOnce)
{
    auto* bar = Make<TScrollBar>(*form, form.get(), 8, 8, 200, 17);
    bar->SetPageSize(10);
    bar->SetLargeChange(25);
    std::vector<int> changes;
    std::vector<TScrollCode> scrolls;
    bar->OnChange = TNotifyEvent([&](TObject*) { changes.push_back(bar->Position()); });
    bar->OnScroll = TScrollEvent([&](TObject*, TScrollCode code, int&) { scrolls.push_back(code); });

    bar->SetPosition(200);
    EXPECT_EQ(bar->Position(), 91) << "a page of 10 fits up to 100";
    bar->SetPosition(500);
    bar->SetPosition(-5);
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(changes, (std::vector<int>{91, 0}));
    bar->SetMax(50);
    bar->SetPosition(60);
    EXPECT_EQ(bar->Position(), 41);
    changes.clear();

    // The real control: arrows and page clicks come back reflected from the parent.
    form->Show();
    const HWND window = bar->Handle();
    SendMessageA(window, WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(bar->Position(), 40);
    SendMessageA(form->Handle(), WM_HSCROLL, SB_PAGEUP, reinterpret_cast<LPARAM>(window));
    EXPECT_EQ(bar->Position(), 15);
    SendMessageA(form->Handle(), WM_HSCROLL, SB_BOTTOM, reinterpret_cast<LPARAM>(window));
    EXPECT_EQ(bar->Position(), 41);
    EXPECT_EQ(GetScrollPos(window, SB_CTL), 41);
    SendMessageA(form->Handle(), WM_HSCROLL, SB_ENDSCROLL, reinterpret_cast<LPARAM>(window));
    EXPECT_EQ(changes, (std::vector<int>{40, 15, 41}));
    ASSERT_GE(scrolls.size(), 4u);
    EXPECT_EQ(scrolls[scrolls.size() - 3], scPageUp);
    EXPECT_EQ(scrolls.back(), scEndScroll);

    // The handler decides where the position goes.
    bar->OnScroll = TScrollEvent([](TObject*, TScrollCode, int& position) { position = 7; });
    SendMessageA(form->Handle(), WM_HSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(window));
    EXPECT_EQ(bar->Position(), 7);

    // Turned upright the bar swaps its sides and scrolls vertically.
    bar->SetKind(sbVertical);
    EXPECT_EQ(bar->Width(), 17);
    EXPECT_EQ(bar->Height(), 200);
    EXPECT_TRUE(StyleOf(*bar) & SBS_VERT);
    EXPECT_EQ(GetScrollPos(bar->Handle(), SB_CTL), 7);
    bar->OnScroll.Clear();
    SendMessageA(form->Handle(), WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(bar->Handle()));
    EXPECT_EQ(bar->Position(), 8);
}

// ---- scroll box

TEST_F(StdCtrlsTest, ScrollBoxScrollsItsChildrenWithinTheirExtent)
{
    auto* box = Make<TScrollBox>(*form, form.get(), 8, 8, 200, 100);
    box->SetBorderStyle(bsNone);
    auto* button = Make<TButton>(*form, box, 10, 300, 75, 25);
    auto* label = Make<TLabel>(*form, box, 10, 20, 50, 17);
    form->Show();
    Pump();
    const HWND window = box->Handle();
    const RECT client = box->ClientRect();
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(window, SB_VERT, &info));
    EXPECT_EQ(info.nMax, 324);
    EXPECT_EQ(static_cast<int>(info.nPage), client.bottom);
    EXPECT_FALSE(StyleOf(*box) & WS_HSCROLL) << "the children fit across";

    SendMessageA(window, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(box->VertPosition(), 8);
    EXPECT_EQ(button->Top(), 292);
    EXPECT_EQ(label->Top(), 12);
    RECT placed{};
    GetWindowRect(button->Handle(), &placed);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.top, 292) << "the child's window moved with it";

    SendMessageA(window, WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(button->Top() + button->Height(), client.bottom);
    EXPECT_EQ(GetScrollPos(window, SB_VERT), box->VertPosition());
    box->SetVertPosition(-40);
    EXPECT_EQ(box->VertPosition(), 0);
    EXPECT_EQ(button->Top(), 300);

    // Moved up, the children fit: the position comes back in range and the bar goes.
    box->SetVertPosition(100);
    button->SetTop(-90);
    box->UpdateScrollRange();
    EXPECT_EQ(box->VertPosition(), 0);
    EXPECT_EQ(button->Top(), 10);
    EXPECT_EQ(label->Top(), 20);
    EXPECT_FALSE(StyleOf(*box) & WS_VSCROLL);
}

// ---- tree view

TEST_F(StdCtrlsTest, TreeNodesLiveInTheControlAndSelectionChangesReportTheNode)
{
    auto* tree = Make<TTreeView>(*form, form.get(), 8, 8, 200, 200);
    TTreeNodes& nodes = tree->Items();
    TTreeNode* beijing = nodes.Add(nullptr, "北京");
    TTreeNode* chaoyang = nodes.AddChild(beijing, "朝阳");
    nodes.Add(chaoyang, "海淀");
    TTreeNode* shanghai = nodes.Add(beijing, "上海");
    beijing->SetExpanded(true);
    EXPECT_EQ(nodes.Count(), 4);
    EXPECT_EQ(nodes.Item(2)->Text(), "海淀") << "top to bottom, children after their parent";
    EXPECT_EQ(nodes.Item(3), shanghai);
    EXPECT_EQ(chaoyang->Parent(), beijing);
    EXPECT_EQ(chaoyang->Level(), 1);
    EXPECT_EQ(shanghai->Index(), 1);
    EXPECT_THROW(nodes.Item(4), EListError);

    std::vector<TTreeNode*> changes;
    tree->OnChange = TTVChangedEvent([&](TObject*, TTreeNode* node) { changes.push_back(node); });
    form->Show();
    const HWND window = tree->Handle();
    EXPECT_EQ(SendMessageA(window, TVM_GETCOUNT, 0, 0), 4);
    EXPECT_TRUE(beijing->Expanded());
    EXPECT_FALSE(shanghai->Expanded());

    tree->SetSelected(beijing);
    SendMessageA(window, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(tree->Selected(), chaoyang);
    EXPECT_EQ(changes, (std::vector<TTreeNode*>{beijing, chaoyang}));
    EXPECT_TRUE(chaoyang->Selected());

    chaoyang->SetText("朝阳区");
    char text[32]{};
    TVITEMA item{};
    item.mask = TVIF_TEXT;
    item.hItem = chaoyang->ItemId();
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(window, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, "朝阳区");

    // The user closes a node with the left arrow.
    std::vector<TTreeNode*> collapsed;
    tree->OnCollapsed = TTVExpandedEvent([&](TObject*, TTreeNode* node) { collapsed.push_back(node); });
    tree->SetSelected(beijing);
    SendMessageA(window, WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_FALSE(beijing->Expanded());
    EXPECT_EQ(collapsed, (std::vector<TTreeNode*>{beijing}));

    // A remake for another style keeps nodes, expansion and selection as the user left them.
    tree->SetShowLines(false);
    EXPECT_NE(tree->Handle(), window);
    EXPECT_EQ(SendMessageA(tree->Handle(), TVM_GETCOUNT, 0, 0), 4);
    EXPECT_FALSE(beijing->Expanded());
    EXPECT_EQ(tree->Selected(), beijing);

    // A node goes with its children, from the tree and from the window.
    nodes.Delete(beijing);
    EXPECT_EQ(nodes.Count(), 1);
    EXPECT_EQ(SendMessageA(tree->Handle(), TVM_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(nodes.Item(0), shanghai);
    nodes.Clear();
    EXPECT_EQ(tree->Selected(), nullptr);
}

// ---- header control

TEST_F(StdCtrlsTest, HeaderSectionsShowInTheControlAndClicksNameTheSection)
{
    auto* header = Make<THeaderControl>(*form, form.get(), 0, 0, 300, 20);
    for (const char* text : {"省份", "地区", "邮编"}) {
        THeaderSection* section = header->Sections().Add();
        section->SetText(text);
        section->SetWidth(70);
    }
    std::vector<THeaderSection*> clicks;
    header->OnSectionClick = TSectionNotifyEvent([&](THeaderControl*, THeaderSection* s) { clicks.push_back(s); });
    form->Show();
    Pump();
    const HWND window = header->Handle();
    EXPECT_EQ(SendMessageA(window, HDM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(header->Sections().Items(2)->Left(), 140);

    const LPARAM inSecond = MAKELPARAM(105, 10);
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, inSecond);
    SendMessageA(window, WM_LBUTTONUP, 0, inSecond);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0], header->Sections().Items(1));

    // Sections follow changes and deletions in code.
    header->Sections().Items(0)->SetWidth(90);
    RECT r{};
    SendMessageA(window, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.left, 90);
    header->Sections().Delete(0);
    EXPECT_EQ(SendMessageA(window, HDM_GETITEMCOUNT, 0, 0), 2);
    header->Sections().Add()->SetText("区号");
    EXPECT_EQ(SendMessageA(window, HDM_GETITEMCOUNT, 0, 0), 3);

    // Dragging a divider resizes the section and says so.
    THeaderSection* resized = nullptr;
    header->OnSectionResize = TSectionNotifyEvent([&](THeaderControl*, THeaderSection* s) { resized = s; });
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(70, 10));
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, 10));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(100, 10));
    EXPECT_EQ(resized, header->Sections().Items(0));
    EXPECT_EQ(header->Sections().Items(0)->Width(), 100);
}

// ---- handles

TEST_F(StdCtrlsTest, ControlsMadeDrawnAndFreedLeaveNoHandlesBehind)
{
    const auto round = [&] {
        TForm f(nullptr);
        f.SetBounds(50, 50, 400, 300);
        auto* list = Make<TListBox>(f, &f, 0, 0, 100, 80);
        list->SetStyle(lbOwnerDrawFixed);
        list->Items().Add("一");
        auto* combo = Make<TComboBox>(f, &f, 110, 0, 100, 21);
        combo->SetStyle(csOwnerDrawFixed);
        combo->Items().Add("二");
        combo->SetItemIndex(0);
        Make<TMemo>(f, &f, 0, 90, 100, 60)->Lines().Add("三");
        Make<TRichEdit>(f, &f, 110, 90, 100, 60)->Lines().Add("四");
        Make<TScrollBar>(f, &f, 0, 160, 100, 17);
        Make<TButton>(f, Make<TScrollBox>(f, &f, 110, 160, 100, 60), 0, 100, 50, 20);
        Make<TTreeView>(f, &f, 220, 0, 100, 100)->Items().Add(nullptr, "五");
        Make<THeaderControl>(f, &f, 220, 110, 100, 20)->Sections().Add()->SetText("六");
        f.Show();
        RedrawWindow(f.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    };
    round();
    Pump();
    const ui::HandleSnapshot handles = ui::HandleSnapshot::Take();
    const long thunks = ui::LiveThunkCount();
    const std::size_t objects = ui::LiveObjectCount();
    for (int i = 0; i < 20; ++i)
        round();
    Pump();
    EXPECT_EQ(ui::HandleSnapshot::Take(), handles);
    EXPECT_EQ(ui::LiveThunkCount(), thunks);
    EXPECT_EQ(ui::LiveObjectCount(), objects);
}

} // namespace
