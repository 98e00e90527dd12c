// zel_controlsdemo: every standard control of the framework in the states a
// user meets (enabled and disabled, checked, grey, down, default, focused),
// under a menu bar, skinned by the engine with the default skin or Ink, for
// looking at and taking screenshots of the skinned controls.
//
//   zel_controlsdemo         skinned with the default skin
//   zel_controlsdemo ink     skinned with Ink
//   zel_controlsdemo plain   the same window without skinning
#include "tools/demo/DemoSkin.h"

#include "skin/model/WinSkinData.h"
#include "skin/model/WinSkinDlg.h"
#include "ui/Bitmap.h"
#include "ui/Buttons.h"
#include "ui/ComboBox.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/MediaPlayer.h"
#include "ui/Menus.h"
#include "ui/Memo.h"
#include "ui/StatusBar.h"
#include "ui/DateTimePicker.h"
#include "ui/PageControl.h"
#include "ui/UpDown.h"
#include "ui/TrackBar.h"
#include "ui/ProgressBar.h"
#include "ui/RadioGroup.h"
#include "ui/ScrollBar.h"
#include "ui/StdCtrls.h"
#include "ui/ToolBar.h"
#include "ui/TabSet.h"

#include <windows.h>

#include <exception>
#include <memory>
#include <string>
#include <string_view>

namespace {

constexpr int kColumn = 150;
constexpr int kRow = 30;

// Places controls in rows of one column; the disabled twin of each goes in the column to its right.
class Layout {
public:
    Layout(TForm& form, int left) : form_(form), left_(left) {}

    template <class T>
    T* Add(std::string_view caption, int width = 130, int height = 24)
    {
        auto* control = new T(&form_);
        control->SetBounds(left_, top_, width, height);
        control->SetCaption(caption);
        control->SetParent(&form_);
        top_ += height + (kRow - 24);
        return control;
    }
    template <class T>
    std::pair<T*, T*> Pair(std::string_view caption, int width = 130, int height = 24)
    {
        const int top = top_;
        T* enabled = Add<T>(caption, width, height);
        const int after = top_;
        top_ = top;
        left_ += kColumn;
        T* disabled = Add<T>(caption, width, height);
        disabled->SetEnabled(false);
        left_ -= kColumn;
        top_ = after;
        return {enabled, disabled};
    }

private:
    TForm& form_;
    int left_;
    // Below the tool bar.
    int top_ = 36;
};

// A two-cell glyph (enabled, disabled) drawn here: a filled square with a frame.
void DrawGlyph(TBitmap& glyph)
{
    glyph.SetSize(32, 16);
    const HDC dc = glyph.Canvas().Handle();
    RECT all{0, 0, 32, 16};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    for (int cell = 0; cell < 2; ++cell) {
        RECT face{cell * 16 + 3, 3, cell * 16 + 13, 13};
        const COLORREF colour = cell == 0 ? RGB(0x2E, 0x7D, 0x5B) : RGB(0xA0, 0xA0, 0xA0);
        const HBRUSH brush = CreateSolidBrush(colour);
        FillRect(dc, &face, brush);
        DeleteObject(brush);
    }
}

void AddToolBar(TForm& form)
{
    auto* bar = new TToolBar(&form);
    bar->SetParent(&form);
    bar->SetShowCaptions(true);
    bar->SetButtonWidth(50);
    bar->SetButtonHeight(24);
    for (const char* caption : {"新建", "打开", "粗体", "停用"}) {
        auto* button = new TToolButton(&form);
        button->SetCaption(caption);
        button->SetToolBar(bar);
    }
    bar->Buttons(2)->SetStyle(tbsCheck);
    bar->Buttons(2)->SetDown(true);
    bar->Buttons(3)->SetEnabled(false);
}

TMenuItem* AddMenuItem(TMenuItem* parent, TForm& form, std::string_view caption)
{
    auto* item = new TMenuItem(&form);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
}

void AddMenuBar(TForm& form)
{
    auto* menu = new TMainMenu(&form);
    TMenuItem* file = AddMenuItem(menu->Items(), form, "文件(&F)");
    AddMenuItem(file, form, "打开(&O)");
    AddMenuItem(file, form, "-");
    AddMenuItem(file, form, "退出(&X)");
    TMenuItem* view = AddMenuItem(menu->Items(), form, "查看(&V)");
    AddMenuItem(view, form, "放大(&Z)");
    AddMenuItem(view, form, "缩小")->SetEnabled(false);
    AddMenuItem(AddMenuItem(menu->Items(), form, "帮助(&H)"), form, "关于(&A)");
    AddMenuItem(menu->Items(), form, "禁用")->SetEnabled(false);
    form.SetMenu(menu);
}

void Populate(TForm& form)
{
    AddMenuBar(form);
    AddToolBar(form);
    Layout left(form, 10);
    auto [push, pushOff] = left.Pair<TButton>("查询");
    push->SetDefault(true);
    left.Pair<TButton>("取消");
    auto [check, checkOff] = left.Pair<TCheckBox>("包含港澳");
    check->SetChecked(true);
    checkOff->SetChecked(true);
    auto [grey, greyOff] = left.Pair<TCheckBox>("部分选中");
    grey->SetAllowGrayed(true);
    grey->SetState(cbGrayed);
    greyOff->SetAllowGrayed(true);
    greyOff->SetState(cbGrayed);
    auto [leftText, leftTextOff] = left.Pair<TCheckBox>("文字在左");
    leftText->SetAlignment(taLeftJustify);
    leftTextOff->SetAlignment(taLeftJustify);
    // The radio buttons share the form as their group: the enabled one is checked.
    auto [radio, radioOff] = left.Pair<TRadioButton>("北京");
    (void)radioOff;
    radio->SetChecked(true);
    left.Pair<TRadioButton>("上海");
    auto [glyph, glyphOff] = left.Pair<TBitBtn>("确定");
    for (TBitBtn* button : {glyph, glyphOff}) {
        DrawGlyph(button->Glyph());
        button->SetNumGlyphs(2);
    }
    auto [speed, speedOff] = left.Pair<TSpeedButton>("平", 60, 24);
    speed->SetFlat(true);
    speedOff->SetFlat(true);
    auto [down, downOff] = left.Pair<TSpeedButton>("按下", 60, 24);
    for (TSpeedButton* button : {down, downOff}) {
        button->SetGroupIndex(1);
        button->SetDown(true);
    }

    Layout right(form, 10 + 2 * kColumn + 10);
    auto [edit, editOff] = right.Pair<TEdit>("输入关键字", 130, 20);
    (void)edit;
    (void)editOff;
    for (const TComboBoxStyle style : {csDropDown, csDropDownList}) {
        auto [combo, comboOff] = right.Pair<TComboBox>("", 130, 24);
        for (TComboBox* box : {combo, comboOff}) {
            box->SetStyle(style);
            box->Items().Add("北京");
            box->Items().Add("上海");
            box->SetItemIndex(0);
        }
    }
    auto [memo, memoOff] = right.Pair<TMemo>("", 130, 50);
    for (TMemo* box : {memo, memoOff})
        box->Lines().Add("多行文字");
    auto [list, listOff] = right.Pair<TListBox>("", 130, 50);
    for (TListBox* box : {list, listOff}) {
        box->Items().Add("大洋洲");
        box->Items().Add("北京");
    }
    auto [group, groupOff] = right.Pair<TRadioGroup>("大洲", 130, 70);
    for (TRadioGroup* box : {group, groupOff}) {
        box->Items().Add("亚洲");
        box->Items().Add("欧洲");
        box->SetItemIndex(0);
    }
    auto [framed, framedOff] = right.Pair<TGroupBox>("分组", 130, 40);
    (void)framed;
    (void)framedOff;
    right.Pair<TPanel>("面板", 130, 30);

    Layout third(form, 10 + 4 * kColumn + 20);
    for (TProgressBar* bar : {third.Pair<TProgressBar>("", 130, 16).first, third.Pair<TProgressBar>("", 130, 16).first})
        bar->SetPosition(60);
    third.Pair<TTrackBar>("", 130, 30);
    auto [spinEdit, spinEditOff] = third.Pair<TEdit>("5", 60, 20);
    auto [spin, spinOff] = third.Pair<TUpDown>("", 16, 20);
    spin->SetAssociate(spinEdit);
    spinOff->SetAssociate(spinEditOff);
    auto [pages, pagesOff] = third.Pair<TPageControl>("", 130, 70);
    for (TPageControl* control : {pages, pagesOff}) {
        for (const char* caption : {"常规", "高级"}) {
            auto* sheet = new TTabSheet(&form);
            sheet->SetCaption(caption);
            sheet->SetPageControl(control);
        }
    }
    auto [tabs, tabsOff] = third.Pair<TTabControl>("", 130, 40);
    for (TTabControl* control : {tabs, tabsOff}) {
        control->SetTabPosition(tpBottom);
        control->Tabs().Add("邮编");
        control->Tabs().Add("区号");
    }
    // A picker with the drop-down calendar, and its disabled twin.
    third.Pair<TDateTimePicker>("", 130, 22);
    // Both bars and the corner square between them.
    auto [scrolled, scrolledOff] = third.Pair<TMemo>("", 130, 60);
    for (TMemo* memo : {scrolled, scrolledOff}) {
        memo->SetWordWrap(false);
        memo->SetScrollBars(ssBoth);
        for (int line = 1; line <= 12; ++line)
            memo->Lines().Add("第 " + std::to_string(line) + " 行：一行很长很长的文字，比框子还宽");
    }
    for (TScrollBar* bar : {third.Pair<TScrollBar>("", 130, 17).first, third.Pair<TScrollBar>("", 130, 17).second}) {
        bar->SetPageSize(20);
        bar->SetPosition(30);
    }
    // The player's bar spans both columns; nothing is opened, so the buttons only show their states.
    auto* player = third.Add<TMediaPlayer>("", 280, 30);
    player->SetEnabledButtons(TButtonSet{btPlay, btPause, btStop, btNext, btPrev, btEject});
    player->SetColoredButtons(TButtonSet{btPlay, btStop, btRecord});
    player->OnClick = TMPClickEvent([](TObject*, TMPBtnType, bool& doDefault) { doDefault = false; });
    // More tabs than fit: the set cuts them off and shows its scroller.
    auto [tabSet, tabSetOff] = third.Pair<TTabSet>("", 130, 21);
    for (TTabSet* set : {tabSet, tabSetOff}) {
        for (const char* region : {"华北", "华东", "华南", "西南", "西北"})
            set->Tabs().Add(region);
        set->SetTabIndex(1);
    }
    auto* status = new TStatusBar(&form);
    status->SetParent(&form);
    status->Panels().Add()->SetText("就绪");
    status->Panels().Add()->SetText("");
    form.SetActiveControl(push);
}

int Run(std::string_view start)
{
    Application->Initialize();
    std::unique_ptr<TSkinData> skin;
    if (start != "plain") {
        skin = demo::StartSkinning(start == "ink" ? demo::INK_SKIN_RESOURCE : demo::DEFAULT_SKIN_RESOURCE);
        if (!skin) {
            MessageBoxA(nullptr, "皮肤无法载入。", "Zelvorin 控件", MB_OK | MB_ICONERROR);
            return 1;
        }
    }
    auto* form = Application->CreateForm<TForm>();
    form->SetCaption("Zelvorin 控件");
    form->SetBounds(20, 20, 960, 590);
    form->SetPosition(poDesigned);
    Populate(*form);
    Application->Run();
    Application->DestroyComponents();
    FreeSkinManager();
    return 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    try {
        return Run(commandLine != nullptr ? commandLine : "");
    } catch (const std::exception& error) {
        MessageBoxA(nullptr, error.what(), "Zelvorin 控件", MB_OK | MB_ICONERROR);
        return 1;
    }
}
