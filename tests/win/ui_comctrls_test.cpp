// The common controls made from form text: their published properties by
// name, and their behaviour through the real windows (clicks, keys and the
// system's own messages), including a media player with no device at all.
#include "tests/win/ui_window_support.h"

#include "ui/CoolBar.h"
#include "ui/DateTimePicker.h"
#include "ui/FormTextReader.h"
#include "ui/Frames.h"
#include "ui/ExceptionBoundary.h"
#include "ui/FormTextWriter.h"
#include "ui/Forms.h"
#include "ui/Handles.h"
#include "ui/MediaPlayer.h"
#include "ui/Menus.h"
#include "ui/PageControl.h"
#include "ui/ProgressBar.h"
#include "ui/Properties.h"
#include "ui/StatusBar.h"
#include "ui/StdCtrls.h"
#include "ui/TabSet.h"
#include "ui/ToolBar.h"
#include "ui/TrackBar.h"
#include "ui/UpDown.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

using uitest::Pump;
using uitest::PumpUntil;

constexpr std::string_view kFormText = R"(object ComCtrlsForm: TComCtrlsForm
  Left = 120
  Top = 80
  Caption = '常用控件'
  ClientWidth = 460
  ClientHeight = 340
  object ToolBar1: TToolBar
    Flat = True
    ShowCaptions = True
    ButtonWidth = 60
    object ToolButton1: TToolButton
      Caption = '打开'
      OnClick = ToolButton1Click
    end
    object ToolButton2: TToolButton
      Caption = '粗体'
      Style = tbsCheck
    end
    object ToolButton3: TToolButton
      Caption = '菜单'
      MenuItem = N1
    end
  end
  object PageControl1: TPageControl
    Left = 8
    Top = 40
    Width = 220
    Height = 150
    OnChange = PageControl1Change
    OnChanging = PageControl1Changing
    object TabSheet1: TTabSheet
      Caption = '常规'
      object Edit1: TEdit
        Left = 8
        Top = 8
        Width = 80
        Height = 21
        Text = '0'
      end
      object UpDown1: TUpDown
        Left = 100
        Top = 8
        Width = 17
        Height = 21
        Associate = Edit1
        Max = 10
        OnClick = UpDown1Click
        OnChanging = UpDown1Changing
      end
    end
    object TabSheet2: TTabSheet
      Caption = '高级'
    end
    object TabSheet3: TTabSheet
      Caption = '其他'
    end
  end
  object TrackBar1: TTrackBar
    Left = 240
    Top = 40
    Width = 200
    Height = 45
    Max = 20
    Position = 5
    PageSize = 4
    OnChange = TrackBar1Change
  end
  object ProgressBar1: TProgressBar
    Left = 240
    Top = 90
    Width = 200
    Height = 16
    Max = 50
    Step = 20
  end
  object DateTimePicker1: TDateTimePicker
    Left = 240
    Top = 112
    Width = 150
    Height = 21
    Date = '2026-12-09'
    Time = '08:30:00'
    ShowCheckbox = True
  end
  object TabControl1: TTabControl
    Left = 8
    Top = 200
    Width = 220
    Height = 60
    Tabs = (
      '一'
      '二'
      '三')
    TabIndex = 1
    OnChange = TabControl1Change
  end
  object TabSet1: TTabSet
    Left = 240
    Top = 140
    Width = 200
    Height = 21
    Tabs = (
      '甲'
      '乙')
    TabIndex = 0
  end
  object MediaPlayer1: TMediaPlayer
    Left = 240
    Top = 200
    Width = 180
    Height = 30
    VisibleButtons = [btPlay, btPause, btStop]
    OnClick = MediaPlayer1Click
  end
  object StatusBar1: TStatusBar
    Panels = <
      item
        Text = '就绪'
        Width = 100
      end
      item
        Width = 80
        Style = psOwnerDraw
      end
      item
        Text = '右'
      end>
    OnDrawPanel = StatusBar1DrawPanel
  end
  object MainMenu1: TMainMenu
    object N1: TMenuItem
      Caption = '文件'
      OnClick = N1Click
    end
  end
end
)";

class TComCtrlsForm : public TForm {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TComCtrlsForm>& p)
    {
        p.Field("ToolBar1", &TComCtrlsForm::ToolBar1);
        p.Field("ToolButton1", &TComCtrlsForm::ToolButton1);
        p.Field("ToolButton2", &TComCtrlsForm::ToolButton2);
        p.Field("ToolButton3", &TComCtrlsForm::ToolButton3);
        p.Field("PageControl1", &TComCtrlsForm::PageControl1);
        p.Field("TabSheet1", &TComCtrlsForm::TabSheet1);
        p.Field("TabSheet2", &TComCtrlsForm::TabSheet2);
        p.Field("TabSheet3", &TComCtrlsForm::TabSheet3);
        p.Field("Edit1", &TComCtrlsForm::Edit1);
        p.Field("UpDown1", &TComCtrlsForm::UpDown1);
        p.Field("TrackBar1", &TComCtrlsForm::TrackBar1);
        p.Field("ProgressBar1", &TComCtrlsForm::ProgressBar1);
        p.Field("DateTimePicker1", &TComCtrlsForm::DateTimePicker1);
        p.Field("TabControl1", &TComCtrlsForm::TabControl1);
        p.Field("TabSet1", &TComCtrlsForm::TabSet1);
        p.Field("MediaPlayer1", &TComCtrlsForm::MediaPlayer1);
        p.Field("StatusBar1", &TComCtrlsForm::StatusBar1);
        p.Field("N1", &TComCtrlsForm::N1);
        p.Method("ToolButton1Click", &TComCtrlsForm::ToolButton1Click);
        p.Method("N1Click", &TComCtrlsForm::N1Click);
        p.Method("PageControl1Change", &TComCtrlsForm::PageControl1Change);
        p.Method("PageControl1Changing", &TComCtrlsForm::PageControl1Changing);
        p.Method("UpDown1Click", &TComCtrlsForm::UpDown1Click);
        p.Method("UpDown1Changing", &TComCtrlsForm::UpDown1Changing);
        p.Method("TrackBar1Change", &TComCtrlsForm::TrackBar1Change);
        p.Method("TabControl1Change", &TComCtrlsForm::TabControl1Change);
        p.Method("MediaPlayer1Click", &TComCtrlsForm::MediaPlayer1Click);
        p.Method("StatusBar1DrawPanel", &TComCtrlsForm::StatusBar1DrawPanel);
    }

    TComCtrlsForm(TComponent* owner, std::string_view text) : TForm(owner) { LoadFormText(text); }

    TToolBar* ToolBar1 = nullptr;
    TToolButton* ToolButton1 = nullptr;
    TToolButton* ToolButton2 = nullptr;
    TToolButton* ToolButton3 = nullptr;
    TPageControl* PageControl1 = nullptr;
    TTabSheet* TabSheet1 = nullptr;
    TTabSheet* TabSheet2 = nullptr;
    TTabSheet* TabSheet3 = nullptr;
    TEdit* Edit1 = nullptr;
    TUpDown* UpDown1 = nullptr;
    TTrackBar* TrackBar1 = nullptr;
    TProgressBar* ProgressBar1 = nullptr;
    TDateTimePicker* DateTimePicker1 = nullptr;
    TTabControl* TabControl1 = nullptr;
    TTabSet* TabSet1 = nullptr;
    TMediaPlayer* MediaPlayer1 = nullptr;
    TStatusBar* StatusBar1 = nullptr;
    TMenuItem* N1 = nullptr;

    std::vector<std::string> log;
    bool allowPageChange = true;
    bool allowUpDown = true;
    bool playerDoDefault = true;

    void ToolButton1Click(TObject* sender) { log.push_back(sender == ToolButton1 ? "ToolButton1Click" : "?"); }
    void N1Click(TObject*) { log.push_back("N1Click"); }
    void PageControl1Change(TObject*) { log.push_back("change " + PageControl1->ActivePage()->Caption()); }
    void PageControl1Changing(TObject*, bool& allow)
    {
        log.push_back("changing " + PageControl1->ActivePage()->Caption());
        allow = allowPageChange;
    }
    void UpDown1Click(TObject*, TUDBtnType button) { log.push_back(button == ubNext ? "up" : "down"); }
    void UpDown1Changing(TObject*, bool& allow) { allow = allowUpDown; }
    void TrackBar1Change(TObject*) { log.push_back("track " + std::to_string(TrackBar1->Position())); }
    void TabControl1Change(TObject*) { log.push_back("tab " + std::to_string(TabControl1->TabIndex())); }
    void MediaPlayer1Click(TObject*, TMPBtnType button, bool& doDefault)
    {
        log.push_back("player " + std::string(ui::MPBtnTypeInfo.IdentifierOf(button)));
        doDefault = playerDoDefault;
    }
    void StatusBar1DrawPanel(TStatusBar*, TStatusPanel* panel, const RECT& r)
    {
        drawnPanels.push_back(panel->Index());
        drawnPanel = r;
    }
    std::vector<int> drawnPanels;
    RECT drawnPanel{};
};

constinit const TClassInfo TComCtrlsForm::ClassInfo = ui::ClassOf<TComCtrlsForm>("TComCtrlsForm", TForm::ClassInfo);

// A status bar part's text (SB_GETTEXTA takes no buffer size).
std::string PartText(HWND statusBar, WPARAM index)
{
    char text[256]{};
    SendMessageA(statusBar, SB_GETTEXTA, index, reinterpret_cast<LPARAM>(text));
    return text;
}

std::string TabText(HWND tabs, int index)
{
    char text[64]{};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(tabs, TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return text;
}

// A press and release at a client point, through the queue as the mouse sends them.
void ClickAt(HWND window, POINT p)
{
    PostMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    Pump();
}

POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

void ClickTab(HWND tabs, int index)
{
    RECT r{};
    ASSERT_TRUE(SendMessageA(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)));
    ClickAt(tabs, Centre(r));
}

void PressKeyOn(HWND window, WORD key)
{
    PostMessageA(window, WM_KEYDOWN, key, 1);
    PostMessageA(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
    Pump();
}

// The command id of the tool bar's button at index.
WPARAM CommandAt(HWND toolBar, int index)
{
    TBBUTTON button{};
    SendMessageA(toolBar, TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button));
    return static_cast<WPARAM>(button.idCommand);
}

DWORD StyleOf(TWinControl& control) { return static_cast<DWORD>(GetWindowLongPtrA(control.Handle(), GWL_STYLE)); }

class ComCtrlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        ui::RegisterClasses({&TComCtrlsForm::ClassInfo});
        uitest::SetKeyDown(VK_CONTROL, false);
        uitest::SetKeyDown(VK_SHIFT, false);
    }
    void TearDown() override
    {
        uitest::SetKeyDown(VK_CONTROL, false);
        uitest::SetKeyDown(VK_SHIFT, false);
    }

    std::unique_ptr<TComCtrlsForm> ShownForm()
    {
        auto form = std::make_unique<TComCtrlsForm>(nullptr, kFormText);
        form->Show();
        SetActiveWindow(form->Handle());
        PumpUntil([&] { return GetActiveWindow() == form->Handle(); });
        Pump();
        return form;
    }
};

// ---- form text and properties by name

TEST_F(ComCtrlsTest, FormTextMakesEveryControlWithItsProperties)
{
    TComCtrlsForm form(nullptr, kFormText);
    ASSERT_NE(form.StatusBar1, nullptr);
    EXPECT_EQ(form.ToolBar1->ButtonCount(), 3);
    EXPECT_EQ(form.ToolButton2->ToolBar(), form.ToolBar1);
    EXPECT_EQ(form.ToolButton3->MenuItem(), form.N1);
    EXPECT_EQ(form.PageControl1->PageCount(), 3);
    EXPECT_EQ(form.PageControl1->Pages(1), form.TabSheet2);
    EXPECT_EQ(form.PageControl1->ActivePage(), form.TabSheet1) << "the first page is shown";
    EXPECT_EQ(form.Edit1->Parent(), form.TabSheet1);
    EXPECT_EQ(form.UpDown1->Associate(), form.Edit1);
    EXPECT_EQ(form.StatusBar1->Panels().Count(), 3);
    EXPECT_EQ(form.StatusBar1->Panels().Items(1)->Style(), psOwnerDraw);

    EXPECT_EQ(ui::GetIntProp(form.TrackBar1, "Position"), 5);
    EXPECT_EQ(ui::GetIntProp(form.ProgressBar1, "Max"), 50);
    EXPECT_EQ(ui::GetIntProp(form.TabControl1, "TabIndex"), 1);
    EXPECT_EQ(ui::GetIntProp(form.PageControl1, "PageCount"), 3);
    EXPECT_EQ(ui::GetEnumPropText(form.ToolBar1, "Flat"), "True");
    EXPECT_EQ(ui::GetEnumPropText(form.ToolBar1, "Align"), "alTop");
    EXPECT_EQ(ui::GetEnumPropText(form.StatusBar1, "Align"), "alBottom");
    EXPECT_EQ(ui::GetEnumPropText(form.StatusBar1, "SizeGrip"), "True");
    EXPECT_EQ(ui::GetEnumPropText(form.TabSet1, "TabPosition"), "tpBottom");
    EXPECT_EQ(ui::GetEnumPropText(form.DateTimePicker1, "Kind"), "dtkDate");
    EXPECT_EQ(ui::GetEnumPropText(form.DateTimePicker1, "DateMode"), "dmComboBox");
    EXPECT_EQ(ui::GetStrProp(*form.DateTimePicker1, "Date"), "2026-12-09");
    EXPECT_EQ(ui::GetStrProp(*form.DateTimePicker1, "Time"), "08:30:00");
    EXPECT_EQ(ui::GetPropValueText(*form.MediaPlayer1, "VisibleButtons"), "[btPlay, btPause, btStop]");
    EXPECT_EQ(ui::GetPropValueText(*form.MediaPlayer1, "EnabledButtons"),
              "[btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject]");
    EXPECT_EQ(ui::GetPropValueText(*form.MediaPlayer1, "ColoredButtons"),
              ui::GetPropValueText(*form.MediaPlayer1, "EnabledButtons"));
    EXPECT_EQ(ui::GetStrProp(*form.StatusBar1->Panels().Items(0), "Text"), "就绪");
    EXPECT_EQ(ui::GetObjectPropOf<TStatusPanels>(form.StatusBar1, "Panels"), &form.StatusBar1->Panels());
    EXPECT_EQ(ui::GetStrProp(*form.StatusBar1, "SimpleText"), "");
}

TEST_F(ComCtrlsTest, PropertiesWrittenByNameReachTheWindows)
{
    auto form = ShownForm();
    ui::SetPropText(form->ProgressBar1, "Position", "30");
    EXPECT_EQ(SendMessageA(form->ProgressBar1->Handle(), PBM_GETPOS, 0, 0), 30);
    ui::SetPropText(form->ProgressBar1, "Orientation", "pbVertical");
    EXPECT_NE(StyleOf(*form->ProgressBar1) & PBS_VERTICAL, 0u);
    EXPECT_EQ(SendMessageA(form->ProgressBar1->Handle(), PBM_GETPOS, 0, 0), 30) << "a new window keeps the position";

    ui::SetPropText(form->TrackBar1, "Orientation", "trVertical");
    EXPECT_NE(StyleOf(*form->TrackBar1) & TBS_VERT, 0u);
    EXPECT_EQ(SendMessageA(form->TrackBar1->Handle(), TBM_GETPOS, 0, 0), 5);
    EXPECT_EQ(SendMessageA(form->TrackBar1->Handle(), TBM_GETRANGEMAX, 0, 0), 20);

    ui::SetPropText(form->TabControl1, "TabPosition", "tpBottom");
    EXPECT_NE(StyleOf(*form->TabControl1) & TCS_BOTTOM, 0u);
    EXPECT_EQ(SendMessageA(form->TabControl1->Handle(), TCM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(form->TabControl1->Handle(), TCM_GETCURSEL, 0, 0), 1) << "and the selected tab";
    ui::SetPropText(form->PageControl1, "Style", "tsFlatButtons");
    EXPECT_EQ(StyleOf(*form->PageControl1) & (TCS_BUTTONS | TCS_FLATBUTTONS), static_cast<DWORD>(TCS_BUTTONS | TCS_FLATBUTTONS));
    EXPECT_EQ(SendMessageA(form->PageControl1->Handle(), TCM_GETITEMCOUNT, 0, 0), 3);

    ui::SetPropText(form->StatusBar1, "SizeGrip", "False");
    EXPECT_EQ(StyleOf(*form->StatusBar1) & SBARS_SIZEGRIP, 0u);
    EXPECT_EQ(SendMessageA(form->StatusBar1->Handle(), SB_GETPARTS, 0, 0), 3) << "the panels are back";

    ui::SetPropText(form->DateTimePicker1, "Kind", "dtkTime");
    EXPECT_NE(StyleOf(*form->DateTimePicker1) & DTS_TIMEFORMAT, 0u);
    SYSTEMTIME time{};
    ASSERT_EQ(SendMessageA(form->DateTimePicker1->Handle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)),
              GDT_VALID);
    EXPECT_EQ(time.wYear, 2026);
    EXPECT_EQ(time.wDay, 9);
    EXPECT_EQ(time.wHour, 8);
    EXPECT_EQ(time.wMinute, 30);

    ui::SetPropText(form->ToolBar1, "Flat", "False");
    EXPECT_EQ(StyleOf(*form->ToolBar1) & TBSTYLE_FLAT, 0u);
    EXPECT_EQ(SendMessageA(form->ToolBar1->Handle(), TB_BUTTONCOUNT, 0, 0), 3);

    ui::SetPropText(form->MediaPlayer1, "AutoEnable", "False");
    EXPECT_FALSE(form->MediaPlayer1->AutoEnable());
    EXPECT_TRUE(ui::SetPropValueText(*form->MediaPlayer1, "VisibleButtons", "[btStop, btEject]"));
    EXPECT_EQ(form->MediaPlayer1->VisibleButtons(), (TButtonSet{btStop, btEject}));
    EXPECT_THROW(ui::SetPropText(form->DateTimePicker1, "Date", "2026-02-30"), Exception);
}

TEST_F(ComCtrlsTest, WrittenFormTextReadsBackTheSame)
{
    TComCtrlsForm first(nullptr, kFormText);
    first.StatusBar1->Panels().Items(0)->SetText("改过");
    first.TrackBar1->SetPosition(12);
    const std::string text = ui::WriteFormText(first);
    EXPECT_NE(text.find("object ToolButton2: TToolButton"), std::string::npos) << text;
    TComCtrlsForm second(nullptr, text);
    EXPECT_EQ(ui::WriteFormText(second), text);
    EXPECT_EQ(second.StatusBar1->Panels().Items(0)->Text(), "改过");
    EXPECT_EQ(second.TrackBar1->Position(), 12);
    EXPECT_EQ(second.ToolBar1->ButtonCount(), 3);
    EXPECT_EQ(second.PageControl1->PageCount(), 3);
}

// ---- docking

TEST_F(ComCtrlsTest, StatusBarAndToolBarStayOnTheirEdgesAsTheFormResizes)
{
    auto form = ShownForm();
    const auto check = [&](const char* when) {
        const RECT client = form->ClientRect();
        EXPECT_EQ(form->StatusBar1->Top() + form->StatusBar1->Height(), client.bottom) << when;
        EXPECT_EQ(form->StatusBar1->Width(), client.right) << when;
        EXPECT_EQ(form->ToolBar1->Top(), 0) << when;
        EXPECT_EQ(form->ToolBar1->Width(), client.right) << when;
        RECT window{};
        GetWindowRect(form->StatusBar1->Handle(), &window);
        POINT bottomRight{window.right, window.bottom};
        ScreenToClient(form->Handle(), &bottomRight);
        EXPECT_EQ(bottomRight.y, client.bottom) << when;
    };
    check("shown");
    form->SetClientSize(400, 280);
    Pump();
    check("smaller");
    SetWindowPos(form->Handle(), nullptr, 0, 0, 520, 420, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
    check("sized by the system");

    ui::SetPropText(form->StatusBar1, "Align", "alRight");
    EXPECT_EQ(form->StatusBar1->Left() + form->StatusBar1->Width(), form->ClientWidth());
    EXPECT_EQ(form->StatusBar1->Height(), form->ClientHeight());
    ui::SetPropText(form->StatusBar1, "Align", "alNone");
    form->StatusBar1->SetBounds(10, 10, 100, 20);
    form->SetClientSize(300, 200);
    Pump();
    EXPECT_EQ(form->StatusBar1->BoundsRect().top, 10) << "an undocked bar stays where it was put";
}

// ---- progress bar

TEST_F(ComCtrlsTest, ProgressStepsWrapPastTheMaximum)
{
    auto form = ShownForm();
    TProgressBar& bar = *form->ProgressBar1;
    const HWND window = bar.Handle();
    std::vector<LRESULT> seen;
    for (int i = 0; i < 4; ++i) {
        bar.StepIt();
        seen.push_back(SendMessageA(window, PBM_GETPOS, 0, 0));
    }
    // Range 0..50, step 20: 20, 40, then 60 starts again from 10.
    EXPECT_EQ(seen, (std::vector<LRESULT>{20, 40, 10, 30}));
    bar.SetPosition(80);
    EXPECT_EQ(bar.Position(), 50) << "positions stay inside the range";
    bar.SetRange(10, 20);
    EXPECT_EQ(SendMessageA(window, PBM_GETRANGE, TRUE, 0), 10);
    EXPECT_EQ(SendMessageA(window, PBM_GETRANGE, FALSE, 0), 20);
    EXPECT_EQ(bar.Position(), 20);

    TProgressBar loose(nullptr);
    loose.SetMax(50);
    loose.SetStep(20);
    for (int i = 0; i < 3; ++i)
        loose.StepIt();
    EXPECT_EQ(loose.Position(), 10) << "a bar without a window counts the same way";
}

// ---- track bar

TEST_F(ComCtrlsTest, TrackBarKeysMoveThePositionAndReportIt)
{
    auto form = ShownForm();
    TTrackBar& bar = *form->TrackBar1;
    bar.SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == bar.Handle(); }));
    PressKeyOn(bar.Handle(), VK_RIGHT);
    EXPECT_EQ(bar.Position(), 6);
    PressKeyOn(bar.Handle(), VK_NEXT);
    EXPECT_EQ(bar.Position(), 10) << "a page is four";
    PressKeyOn(bar.Handle(), VK_END);
    EXPECT_EQ(bar.Position(), 20);
    PressKeyOn(bar.Handle(), VK_RIGHT);
    EXPECT_EQ(bar.Position(), 20) << "the maximum stops it";
    EXPECT_EQ(form->log, (std::vector<std::string>{"track 6", "track 10", "track 20"}));

    form->log.clear();
    bar.SetPosition(3);
    EXPECT_EQ(SendMessageA(bar.Handle(), TBM_GETPOS, 0, 0), 3);
    bar.SetLineSize(2);
    PressKeyOn(bar.Handle(), VK_LEFT);
    EXPECT_EQ(bar.Position(), 1);
    EXPECT_EQ(form->log, (std::vector<std::string>{"track 1"})) << "only the user's moves are reported";
}

TEST_F(ComCtrlsTest, TrackBarCustomDrawIsAskedForChannelAndThumb)
{
    auto form = ShownForm();
    TTrackBar& bar = *form->TrackBar1;
    std::vector<DWORD_PTR> parts;
    bar.OnCustomDraw = TTrackBarDrawEvent([&](TObject*, const NMCUSTOMDRAW& draw, LRESULT& result) {
        if (draw.dwDrawStage == CDDS_PREPAINT)
            result = CDRF_NOTIFYITEMDRAW;
        else if (draw.dwDrawStage == CDDS_ITEMPREPAINT)
            parts.push_back(draw.dwItemSpec);
    });
    RedrawWindow(bar.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    EXPECT_NE(std::find(parts.begin(), parts.end(), static_cast<DWORD_PTR>(TBCD_CHANNEL)), parts.end());
    EXPECT_NE(std::find(parts.begin(), parts.end(), static_cast<DWORD_PTR>(TBCD_THUMB)), parts.end());
}

// ---- up-down

TEST_F(ComCtrlsTest, UpDownDocksIntoItsEditAndClicksChangeTheEditText)
{
    auto form = ShownForm();
    TUpDown& spin = *form->UpDown1;
    TEdit& edit = *form->Edit1;
    const HWND window = spin.Handle();
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(window, UDM_GETBUDDY, 0, 0)), edit.Handle());
    // Docked at the edit's right end: the edit gave up the room.
    EXPECT_LT(edit.Width(), 80);
    EXPECT_NEAR(spin.Left() + spin.Width(), 88, 2);
    EXPECT_NEAR(spin.Top(), edit.Top(), 2);

    const RECT r = form->UpDown1->ClientRect();
    const POINT up{r.right / 2, r.bottom / 4};
    const POINT down{r.right / 2, r.bottom * 3 / 4};
    ClickAt(window, up);
    ClickAt(window, up);
    EXPECT_EQ(edit.Text(), "2");
    EXPECT_EQ(spin.Position(), 2);
    ClickAt(window, down);
    EXPECT_EQ(edit.Text(), "1");
    EXPECT_EQ(form->log, (std::vector<std::string>{"up", "up", "down"}));

    form->allowUpDown = false;
    ClickAt(window, up);
    EXPECT_EQ(edit.Text(), "1") << "OnChanging said no";
    EXPECT_EQ(form->log.size(), 3u);

    spin.SetPosition(7);
    EXPECT_EQ(edit.Text(), "7") << "a position set in code shows in the edit too";
}

// ---- status bar

TEST_F(ComCtrlsTest, StatusPanelsShowTheirTextsAndOwnerDrawnOnesAreDrawnByTheHandler)
{
    auto form = ShownForm();
    TStatusBar& bar = *form->StatusBar1;
    const HWND window = bar.Handle();
    int edges[4]{};
    ASSERT_EQ(SendMessageA(window, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 3);
    EXPECT_EQ(edges[0], 100);
    EXPECT_EQ(edges[1], 180);
    EXPECT_EQ(edges[2], -1) << "the last panel reaches the end";
    EXPECT_EQ(PartText(window, 0), "就绪");

    bar.Panels().Items(0)->SetText("正在查询");
    EXPECT_EQ(PartText(window, 0), "正在查询");
    bar.Panels().Items(0)->SetWidth(120);
    ASSERT_EQ(SendMessageA(window, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 3);
    EXPECT_EQ(edges[1], 200);
    TStatusPanel* added = bar.Panels().Add();
    added->SetText("新");
    EXPECT_EQ(SendMessageA(window, SB_GETPARTS, 0, 0), 4);
    EXPECT_EQ(PartText(window, 3), "新");
    bar.Panels().Delete(3);
    EXPECT_EQ(SendMessageA(window, SB_GETPARTS, 0, 0), 3);

    form->drawnPanels.clear();
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    EXPECT_EQ(form->drawnPanels, (std::vector<int>{1}));
    RECT part{};
    SendMessageA(window, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&part));
    EXPECT_TRUE(form->drawnPanel.left >= part.left && form->drawnPanel.right <= part.right)
        << "the handler gets the panel's own rectangle";

    bar.SetSimpleText("简单文本");
    bar.SetSimplePanel(true);
    EXPECT_TRUE(SendMessageA(window, SB_ISSIMPLE, 0, 0));
    EXPECT_EQ(PartText(window, 0), "简单文本") << "the one part of a simple bar";
    ui::SetPropText(&bar, "SimplePanel", "False");
    EXPECT_FALSE(SendMessageA(window, SB_ISSIMPLE, 0, 0));
}

// ---- page control

TEST_F(ComCtrlsTest, ClickingATabChangesThePageUnlessOnChangingSaysNo)
{
    auto form = ShownForm();
    TPageControl& pages = *form->PageControl1;
    const HWND window = pages.Handle();
    EXPECT_EQ(TabText(window, 1), "高级");
    EXPECT_TRUE(IsWindowVisible(form->TabSheet1->Handle()));
    EXPECT_FALSE(IsWindowVisible(form->TabSheet2->Handle()));

    ClickTab(window, 1);
    EXPECT_EQ(pages.ActivePage(), form->TabSheet2);
    EXPECT_EQ(pages.ActivePageIndex(), 1);
    EXPECT_TRUE(IsWindowVisible(form->TabSheet2->Handle()));
    EXPECT_FALSE(IsWindowVisible(form->TabSheet1->Handle()));
    EXPECT_EQ(form->log, (std::vector<std::string>{"changing 常规", "change 高级"}));

    form->log.clear();
    form->allowPageChange = false;
    ClickTab(window, 2);
    EXPECT_EQ(pages.ActivePage(), form->TabSheet2);
    EXPECT_EQ(SendMessageA(window, TCM_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(form->log, (std::vector<std::string>{"changing 高级"}));

    // Pages fill the area inside the tabs.
    RECT display{};
    GetClientRect(window, &display);
    SendMessageA(window, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    EXPECT_EQ(form->TabSheet2->Left(), display.left);
    EXPECT_EQ(form->TabSheet2->Top(), display.top);
    EXPECT_EQ(form->TabSheet2->Width(), display.right - display.left);
}

TEST_F(ComCtrlsTest, CtrlTabStepsThroughThePagesFromInsideThem)
{
    auto form = ShownForm();
    TPageControl& pages = *form->PageControl1;
    form->Edit1->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == form->Edit1->Handle(); }));
    uitest::SetKeyDown(VK_CONTROL, true);
    PressKeyOn(GetFocus(), VK_TAB);
    EXPECT_EQ(pages.ActivePage(), form->TabSheet2);
    PressKeyOn(GetFocus(), VK_TAB);
    EXPECT_EQ(pages.ActivePage(), form->TabSheet3);
    PressKeyOn(GetFocus(), VK_TAB);
    EXPECT_EQ(pages.ActivePage(), form->TabSheet1) << "from the last page to the first";
    uitest::SetKeyDown(VK_SHIFT, true);
    PressKeyOn(GetFocus(), VK_TAB);
    EXPECT_EQ(pages.ActivePage(), form->TabSheet3) << "Ctrl+Shift+Tab goes back";
    EXPECT_EQ(SendMessageA(pages.Handle(), TCM_GETCURSEL, 0, 0), 2);

    form->allowPageChange = false;
    PressKeyOn(GetFocus(), VK_TAB);
    EXPECT_EQ(pages.ActivePage(), form->TabSheet3) << "OnChanging vetoes the keys too";
    uitest::SetKeyDown(VK_SHIFT, false);
    uitest::SetKeyDown(VK_CONTROL, false);
    EXPECT_EQ(form->log, (std::vector<std::string>{"changing 常规", "change 高级", "changing 高级", "change 其他",
                                                   "changing 其他", "change 常规", "changing 常规", "change 其他",
                                                   "changing 其他"}));

    // Without Ctrl, Tab moves the focus and leaves the pages alone.
    form->allowPageChange = true;
    pages.SetFocus();
    Pump();
    PressKeyOn(GetFocus(), VK_TAB);
    EXPECT_EQ(pages.ActivePage(), form->TabSheet3);
    EXPECT_NE(GetFocus(), pages.Handle());
}

TEST_F(ComCtrlsTest, PagesFollowTheirOrderCaptionsAndFreeing)
{
    auto form = ShownForm();
    TPageControl& pages = *form->PageControl1;
    const HWND window = pages.Handle();
    form->TabSheet3->SetPageIndex(0);
    EXPECT_EQ(TabText(window, 0), "其他");
    EXPECT_EQ(pages.Pages(0), form->TabSheet3);
    EXPECT_EQ(pages.ActivePage(), form->TabSheet1);
    EXPECT_EQ(SendMessageA(window, TCM_GETCURSEL, 0, 0), 1) << "the selection follows the moved page";
    form->TabSheet2->SetCaption("改名");
    EXPECT_EQ(TabText(window, 2), "改名");

    ui::SetPropText(&pages, "ActivePageIndex", "2");
    EXPECT_EQ(pages.ActivePage(), form->TabSheet2);
    EXPECT_TRUE(form->log.empty()) << "pages changed in code are not the user's changes";

    delete form->TabSheet2;
    EXPECT_EQ(pages.PageCount(), 2);
    EXPECT_EQ(SendMessageA(window, TCM_GETITEMCOUNT, 0, 0), 2);
    ASSERT_NE(pages.ActivePage(), nullptr);
    EXPECT_EQ(SendMessageA(window, TCM_GETCURSEL, 0, 0), pages.ActivePageIndex());
    EXPECT_TRUE(IsWindowVisible(pages.ActivePage()->Handle()));

    auto* sheet = new TTabSheet(form.get());
    sheet->SetCaption("新页");
    sheet->SetPageControl(&pages);
    EXPECT_EQ(TabText(window, 2), "新页");
    EXPECT_FALSE(IsWindowVisible(sheet->Handle()));
}

// ---- tab control and tab set

TEST_F(ComCtrlsTest, TabControlAndTabSetShowTheirStrings)
{
    auto form = ShownForm();
    TTabControl& tabs = *form->TabControl1;
    EXPECT_EQ(SendMessageA(tabs.Handle(), TCM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(TabText(tabs.Handle(), 2), "三");
    tabs.Tabs().Add("四");
    EXPECT_EQ(TabText(tabs.Handle(), 3), "四");
    EXPECT_EQ(tabs.TabIndex(), 1) << "a new tab leaves the selection";
    ClickTab(tabs.Handle(), 3);
    EXPECT_EQ(tabs.TabIndex(), 3);
    EXPECT_EQ(form->log, (std::vector<std::string>{"tab 3"}));

    TTabSet& set = *form->TabSet1;
    EXPECT_NE(StyleOf(set) & TCS_BOTTOM, 0u);
    EXPECT_EQ(TabText(set.Handle(), 1), "乙");
    EXPECT_EQ(set.TabIndex(), 0);
    set.SetTabIndex(1);
    EXPECT_EQ(SendMessageA(set.Handle(), TCM_GETCURSEL, 0, 0), 1);
    int changes = 0;
    set.OnChange = TNotifyEvent([&](TObject*) { ++changes; });
    ClickTab(set.Handle(), 0);
    EXPECT_EQ(set.TabIndex(), 0);
    EXPECT_EQ(changes, 1);
}

// ---- date-time picker

TEST_F(ComCtrlsTest, DateTimePickerHoldsDateTimeAndTheCheckBox)
{
    // Day numbers counted from 30 December 1899.
    SYSTEMTIME millennium{2000, 1, 6, 1, 12, 0, 0, 0};
    EXPECT_DOUBLE_EQ(ui::EncodeDateTime(millennium), 36526.5);
    const SYSTEMTIME back = ui::DecodeDateTime(36526.5);
    EXPECT_EQ(back.wYear, 2000);
    EXPECT_EQ(back.wMonth, 1);
    EXPECT_EQ(back.wDay, 1);
    EXPECT_EQ(back.wDayOfWeek, 6) << "a Saturday";
    EXPECT_EQ(back.wHour, 12);
    EXPECT_EQ(ui::FormatDate(ui::ParseDate("1899-12-30")), "1899-12-30");
    EXPECT_DOUBLE_EQ(ui::ParseDate("1900-03-01"), 61.0);
    EXPECT_THROW(ui::ParseTime("24:00"), EConvertError);

    auto form = ShownForm();
    TDateTimePicker& picker = *form->DateTimePicker1;
    const HWND window = picker.Handle();
    EXPECT_NE(StyleOf(picker) & DTS_SHOWNONE, 0u);
    SYSTEMTIME shown{};
    ASSERT_EQ(SendMessageA(window, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&shown)), GDT_VALID);
    EXPECT_EQ(shown.wMonth, 12);
    EXPECT_EQ(shown.wDay, 9);

    ui::SetPropText(&picker, "Checked", "False");
    EXPECT_EQ(SendMessageA(window, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&shown)), GDT_NONE);
    EXPECT_FALSE(picker.Checked());
    EXPECT_EQ(ui::GetStrProp(picker, "Date"), "2026-12-09") << "the value is kept while unchecked";

    picker.SetDate(ui::ParseDate("2027-01-31"));
    EXPECT_TRUE(picker.Checked()) << "a new value checks the box";
    ASSERT_EQ(SendMessageA(window, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&shown)), GDT_VALID);
    EXPECT_EQ(shown.wYear, 2027);
    EXPECT_EQ(shown.wMonth, 1);
    EXPECT_EQ(shown.wDay, 31);
    EXPECT_EQ(shown.wHour, 8) << "the time of day stays";

    // The system reports a change the user makes.
    int changes = 0;
    picker.OnChange = TNotifyEvent([&](TObject*) { ++changes; });
    SYSTEMTIME next = shown;
    next.wDay = 30;
    NMDATETIMECHANGE change{};
    change.nmhdr.hwndFrom = window;
    change.nmhdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(window));
    change.nmhdr.code = DTN_DATETIMECHANGE;
    change.dwFlags = GDT_VALID;
    change.st = next;
    SendMessageA(form->Handle(), WM_NOTIFY, change.nmhdr.idFrom, reinterpret_cast<LPARAM>(&change));
    EXPECT_EQ(changes, 1);
}

TEST_F(ComCtrlsTest, DateTimePickerOpensAndClosesItsCalendar)
{
    auto form = ShownForm();
    TDateTimePicker& picker = *form->DateTimePicker1;
    std::vector<std::string> events;
    picker.OnDropDown = TNotifyEvent([&](TObject*) { events.push_back("drop down"); });
    picker.OnCloseUp = TNotifyEvent([&](TObject*) { events.push_back("close up"); });
    EXPECT_FALSE(picker.DroppedDown());
    // The arrow button at the right end.
    const RECT r = picker.ClientRect();
    ClickAt(picker.Handle(), POINT{r.right - 6, r.bottom / 2});
    EXPECT_EQ(events, (std::vector<std::string>{"drop down"}));
    const HWND calendar = reinterpret_cast<HWND>(SendMessageA(picker.Handle(), DTM_GETMONTHCAL, 0, 0));
    ASSERT_NE(calendar, nullptr);
    EXPECT_TRUE(IsWindowVisible(calendar));
    EXPECT_TRUE(picker.DroppedDown());
    ClickAt(picker.Handle(), POINT{r.right - 6, r.bottom / 2});
    EXPECT_FALSE(picker.DroppedDown()) << "the arrow closes the calendar again";
    EXPECT_EQ(events, (std::vector<std::string>{"drop down", "close up"}));
}

// ---- tool bar

TEST_F(ComCtrlsTest, ToolButtonsClickCheckAndRunTheirMenuItems)
{
    auto form = ShownForm();
    TToolBar& bar = *form->ToolBar1;
    const HWND window = bar.Handle();
    EXPECT_NE(StyleOf(bar) & TBSTYLE_FLAT, 0u);
    ASSERT_EQ(SendMessageA(window, TB_BUTTONCOUNT, 0, 0), 3);
    const auto button = [&](int index) {
        RECT r{};
        SendMessageA(window, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        return Centre(r);
    };
    ClickAt(window, button(0));
    EXPECT_EQ(form->log, (std::vector<std::string>{"ToolButton1Click"}));

    ClickAt(window, button(1));
    EXPECT_TRUE(form->ToolButton2->Down());
    ClickAt(window, button(1));
    EXPECT_FALSE(form->ToolButton2->Down());
    form->ToolButton2->SetDown(true);
    EXPECT_TRUE(SendMessageA(window, TB_ISBUTTONCHECKED, CommandAt(window, 1), 0));

    form->log.clear();
    ClickAt(window, button(2));
    EXPECT_EQ(form->log, (std::vector<std::string>{"N1Click"})) << "a button without OnClick runs its menu item";

    form->log.clear();
    form->ToolButton1->SetEnabled(false);
    ClickAt(window, button(0));
    EXPECT_TRUE(form->log.empty()) << "a disabled button does nothing";

    form->ToolButton1->SetCaption("保存");
    char text[32]{};
    SendMessageA(window, TB_GETBUTTONTEXTA, CommandAt(window, 0), reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "保存");
    EXPECT_FALSE(SendMessageA(window, TB_ISBUTTONENABLED, CommandAt(window, 0), 0)) << "and stays disabled";

    delete form->ToolButton3;
    EXPECT_EQ(SendMessageA(window, TB_BUTTONCOUNT, 0, 0), 2);
    EXPECT_EQ(bar.ButtonCount(), 2);
}

TEST_F(ComCtrlsTest, DropDownArrowOpensTheButtonsMenuBelowIt)
{
    auto form = ShownForm();
    TToolBar& bar = *form->ToolBar1;
    auto* menu = new TPopupMenu(form.get());
    auto* item = new TMenuItem(form.get());
    item->SetCaption("最近的文件");
    menu->Items()->Add(item);
    form->ToolButton3->SetStyle(tbsDropDown);
    form->ToolButton3->SetDropdownMenu(menu);
    int popups = 0;
    menu->OnPopup = TNotifyEvent([&](TObject*) { ++popups; });
    RECT shownAt{};
    uitest::CallWhen([] { return uitest::FindThreadMenu() != nullptr; },
                     [&] {
                         if (const HWND window = uitest::FindThreadMenu())
                             GetWindowRect(window, &shownAt);
                         EndMenu();
                     });
    const RECT r = form->ToolButton3->BoundsRect();
    // The arrow is the button's right end.
    ClickAt(bar.Handle(), POINT{r.right - 4, (r.top + r.bottom) / 2});
    PumpUntil([&] { return shownAt.bottom != 0; });
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(menu->PopupComponent(), form->ToolButton3);
    const POINT below = bar.ClientToScreen(POINT{r.left, r.bottom});
    EXPECT_NEAR(shownAt.left, below.x, 2);
    EXPECT_NEAR(shownAt.top, below.y, 2);
    EXPECT_TRUE(form->log.empty()) << "the arrow is not a click on the button";
}

TEST_F(ComCtrlsTest, ToolBarCustomDrawEventsSeeTheBarAndEveryButton)
{
    auto form = ShownForm();
    TToolBar& bar = *form->ToolBar1;
    int barDraws = 0;
    std::vector<TToolButton*> drawn;
    bar.OnCustomDraw = TTBCustomDrawEvent([&](TToolBar* sender, const RECT& r, bool& defaultDraw) {
        EXPECT_EQ(sender, &bar);
        EXPECT_GT(r.right, r.left);
        ++barDraws;
        defaultDraw = true;
    });
    bar.OnCustomDrawButton = TTBCustomDrawBtnEvent([&](TToolBar*, TToolButton* button, TCustomDrawState, bool& defaultDraw) {
        drawn.push_back(button);
        // The handler paints this one itself.
        if (button == form->ToolButton1) {
            bar.Canvas().Brush().SetColor(clRed);
            bar.Canvas().FillRect(button->BoundsRect());
            defaultDraw = false;
        }
    });
    RedrawWindow(bar.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Pump(100);
    EXPECT_GE(barDraws, 1);
    for (TToolButton* button : {form->ToolButton1, form->ToolButton2, form->ToolButton3})
        EXPECT_NE(std::find(drawn.begin(), drawn.end(), button), drawn.end()) << button->Caption();

    const RECT r = form->ToolButton1->BoundsRect();
    const HDC dc = GetDC(bar.Handle());
    const COLORREF middle = GetPixel(dc, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    ReleaseDC(bar.Handle(), dc);
    EXPECT_EQ(middle, RGB(255, 0, 0)) << "the handler's drawing is not painted over";
}

// ---- media player

TEST_F(ComCtrlsTest, MediaPlayerWithoutADeviceFailsCleanly)
{
    auto form = ShownForm();
    TMediaPlayer& player = *form->MediaPlayer1;
    std::vector<std::string> reported;
    const ui::ExceptionBoundaryHandler previous = ui::SetExceptionBoundary([&](std::exception_ptr error, TObject*) {
        try {
            std::rethrow_exception(error);
        } catch (const EMCIDeviceError& e) {
            reported.push_back(e.Message());
        } catch (...) {
            reported.push_back("?");
        }
    });

    player.SetFileName("C:\\no such folder\\nothing here.wav");
    EXPECT_THROW(player.Open(), EMCIDeviceError);
    EXPECT_FALSE(player.IsOpen());
    EXPECT_NE(player.Error(), 0u);
    EXPECT_FALSE(player.ErrorMessage().empty());
    EXPECT_EQ(player.Mode(), mpNotReady);
    EXPECT_THROW(player.Play(), EMCIDeviceError);
    EXPECT_THROW(player.Stop(), EMCIDeviceError);
    player.Close();

    // The three visible buttons share the width.
    const RECT play = player.ButtonRect(btPlay);
    const RECT stop = player.ButtonRect(btStop);
    EXPECT_EQ(play.left, 0);
    EXPECT_EQ(stop.right, player.ClientWidth());
    EXPECT_EQ(player.ButtonRect(btEject).right, 0) << "a hidden button has no place";
    TMPBtnType hit = btEject;
    ASSERT_TRUE(player.ButtonAt(Centre(player.ButtonRect(btPause)), hit));
    EXPECT_EQ(hit, btPause);

    // A click runs OnClick, then the button's command, whose failure goes to
    // the exception boundary from inside the window procedure.
    ClickAt(player.Handle(), Centre(play));
    EXPECT_EQ(form->log, (std::vector<std::string>{"player btPlay"}));
    EXPECT_EQ(reported.size(), 1u);

    form->playerDoDefault = false;
    ClickAt(player.Handle(), Centre(stop));
    EXPECT_EQ(form->log.back(), "player btStop");
    EXPECT_EQ(reported.size(), 1u) << "OnClick declined the command";

    player.SetEnabledButtons(TButtonSet{btStop});
    ClickAt(player.Handle(), Centre(play));
    EXPECT_EQ(form->log.size(), 2u) << "a disabled button takes no click";

    // Pressing one button and letting go over another does nothing.
    player.SetEnabledButtons(TMediaPlayer::kAllButtons);
    PostMessageA(player.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(Centre(play).x, Centre(play).y));
    PostMessageA(player.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(Centre(stop).x, Centre(stop).y));
    PostMessageA(player.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(Centre(stop).x, Centre(stop).y));
    Pump();
    EXPECT_EQ(form->log.size(), 2u);
    ui::SetExceptionBoundary(previous);
}

// ---- handles

TEST_F(ComCtrlsTest, FormsOfEveryControlComeAndGoWithoutLeaks)
{
    {
        auto warm = ShownForm();
    }
    Pump();
    const ui::HandleSnapshot handles = ui::HandleSnapshot::Take();
    const long thunks = ui::LiveThunkCount();
    const std::size_t objects = ui::LiveObjectCount();
    for (int i = 0; i < 10; ++i) {
        auto form = ShownForm();
        form->PageControl1->SelectNextPage(true);
        form->ProgressBar1->StepIt();
        form->StatusBar1->SetSimplePanel(true);
        form->ToolBar1->SetFlat(false);
    }
    Pump();
    EXPECT_EQ(ui::HandleSnapshot::Take(), handles);
    EXPECT_EQ(ui::LiveThunkCount(), thunks);
    EXPECT_EQ(ui::LiveObjectCount(), objects);
}

// ---- cool bar and frame

std::string BandText(HWND bar, int index, COLORREF* back = nullptr, HWND* child = nullptr)
{
    char text[64]{};
    REBARBANDINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = RBBIM_TEXT | RBBIM_COLORS | RBBIM_CHILD;
    info.lpText = text;
    info.cch = sizeof(text);
    SendMessageA(bar, RB_GETBANDINFOA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
    if (back != nullptr)
        *back = info.clrBack;
    if (child != nullptr)
        *child = info.hwndChild;
    return text;
}

TEST_F(ComCtrlsTest, CoolBandsShowTheirTextsColoursAndControlsAndForgetFreedControls)
{
    TForm form(nullptr);
    form.SetBounds(50, 50, 400, 200);
    auto* bar = new TCoolBar(&form);
    bar->SetParent(&form);
    TCoolBand* first = bar->Bands().Add();
    first->SetText("地址");
    auto* edit = new TEdit(&form);
    edit->SetParent(bar);
    first->SetControl(edit);
    form.Show();
    Pump();
    EXPECT_EQ(bar->Top(), 0) << "docked at the top";
    EXPECT_EQ(bar->Width(), form.ClientWidth());
    HWND child = nullptr;
    EXPECT_EQ(BandText(bar->Handle(), 0, nullptr, &child), "地址");
    EXPECT_EQ(child, edit->Handle());

    TCoolBand* second = bar->Bands().Add();
    second->SetText("工具");
    second->SetColor(static_cast<TColor>(RGB(1, 2, 3)));
    EXPECT_EQ(SendMessageA(bar->Handle(), RB_GETBANDCOUNT, 0, 0), 2) << "a band added to a shown bar";
    COLORREF back = 0;
    EXPECT_EQ(BandText(bar->Handle(), 1, &back), "工具");
    EXPECT_EQ(back, RGB(1, 2, 3));

    delete edit;
    EXPECT_EQ(first->Control(), nullptr);
    BandText(bar->Handle(), 0, nullptr, &child);
    EXPECT_EQ(child, nullptr);
    delete first;
    EXPECT_EQ(SendMessageA(bar->Handle(), RB_GETBANDCOUNT, 0, 0), 1);
    EXPECT_EQ(BandText(bar->Handle(), 0), "工具");
}

TEST_F(ComCtrlsTest, AFrameReadFromItsOwnTextOwnsItsControlsInsideAnyForm)
{
    constexpr std::string_view kFrameText = R"(object AddressFrame: TFrame
  Left = 10
  Top = 20
  Width = 200
  Height = 80
  object CityEdit: TEdit
    Left = 8
    Top = 8
    Width = 120
    Height = 21
    Text = '北京'
  end
end
)";
    TForm form(nullptr);
    form.SetBounds(50, 50, 400, 200);
    auto* frame = static_cast<TFrame*>(ui::CreateFormFromText(kFrameText, &form));
    frame->SetParent(&form);
    form.Show();
    Pump();
    ASSERT_NE(frame->FindComponent("CityEdit"), nullptr);
    auto* edit = static_cast<TEdit*>(frame->FindComponent("CityEdit"));
    EXPECT_EQ(edit->Owner(), frame);
    EXPECT_EQ(edit->Parent(), frame);
    EXPECT_EQ(GetParent(edit->Handle()), frame->Handle());
    EXPECT_EQ(edit->Text(), "北京");
    EXPECT_EQ(form.FindComponent("CityEdit"), nullptr) << "not the form's";
    EXPECT_NE(GetWindowLongPtrA(frame->Handle(), GWL_EXSTYLE) & WS_EX_CONTROLPARENT, 0) << "tabbing goes inside";
}

} // namespace
