#include "gallery/GalleryPages.h"

#include "ui/Buttons.h"
#include "ui/ComCtrls.h"
#include "ui/ComboBox.h"
#include "ui/DateTimePicker.h"
#include "ui/ExtCtrls.h"
#include "ui/HeaderControl.h"
#include "ui/MediaPlayer.h"
#include "ui/Memo.h"
#include "ui/PageControl.h"
#include "ui/ProgressBar.h"
#include "ui/RadioGroup.h"
#include "ui/ScrollBar.h"
#include "ui/ScrollBox.h"
#include "ui/StdCtrls.h"
#include "ui/TabSet.h"
#include "ui/TrackBar.h"
#include "ui/TreeView.h"
#include "ui/UpDown.h"

#include <string>
#include <utility>

namespace gallery {
namespace {

constexpr int kGap = 6;

// Places controls down one column of a page; Pair puts the disabled twin of
// each in the column to the right.
class Column {
public:
    Column(TWinControl& page, int left, int width) : page_(page), left_(left), width_(width) {}

    template <class T>
    T* Add(std::string_view caption, int height = 24, int width = 0)
    {
        T* control = Make<T>(caption, left_, top_, width > 0 ? width : width_, height);
        top_ += height + kGap;
        return control;
    }
    template <class T>
    std::pair<T*, T*> Pair(std::string_view caption, int height = 24, int width = 0)
    {
        const int w = width > 0 ? width : width_;
        T* enabled = Make<T>(caption, left_, top_, w, height);
        T* disabled = Make<T>(caption, left_ + w + kGap, top_, w, height);
        disabled->SetEnabled(false);
        top_ += height + kGap;
        return {enabled, disabled};
    }

private:
    template <class T>
    T* Make(std::string_view caption, int left, int top, int width, int height)
    {
        auto* control = new T(page_.Owner());
        control->SetBounds(left, top, width, height);
        control->SetCaption(caption);
        control->SetParent(&page_);
        return control;
    }

    TWinControl& page_;
    int left_;
    int width_;
    int top_ = 10;
};

// Turning a bar swaps its width and height; the gallery's bars keep the
// size they were laid out with.
template <class Turn>
void KeepingSize(TControl& control, Turn turn)
{
    const RECT bounds = control.BoundsRect();
    turn();
    control.SetBounds(bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top);
}

void FillLines(TStrings& lines, int count, std::string_view prefix)
{
    for (int i = 1; i <= count; ++i) {
        std::string line(prefix);
        line.append(std::to_string(i));
        lines.Add(line);
    }
}

void DrawGlyph(TBitmap& glyph)
{
    glyph.SetSize(32, 16);
    TCanvas& canvas = glyph.Canvas();
    canvas.Brush().SetColor(clFuchsia);
    canvas.FillRect(RECT{0, 0, 32, 16});
    canvas.Brush().SetColor(static_cast<TColor>(RGB(40, 120, 90)));
    canvas.FillRect(RECT{3, 3, 13, 13});
    canvas.Brush().SetColor(clGray);
    canvas.FillRect(RECT{19, 3, 29, 13});
}

void ButtonsPage(TTabSheet& page)
{
    Column left(page, 10, 110);
    auto [push, pushOff] = left.Pair<TButton>("确定");
    push->SetDefault(true);
    left.Pair<TButton>("取消");
    auto [check, checkOff] = left.Pair<TCheckBox>("包含港澳");
    check->SetChecked(true);
    checkOff->SetChecked(true);
    left.Pair<TCheckBox>("未选中");
    auto [grey, greyOff] = left.Pair<TCheckBox>("部分选中");
    for (TCheckBox* box : {grey, greyOff}) {
        box->SetAllowGrayed(true);
        box->SetState(cbGrayed);
    }
    auto [leftText, leftTextOff] = left.Pair<TCheckBox>("文字在左");
    leftText->SetAlignment(taLeftJustify);
    leftTextOff->SetAlignment(taLeftJustify);
    auto [radio, radioOff] = left.Pair<TRadioButton>("北京");
    radio->SetChecked(true);
    radioOff->SetChecked(false);
    left.Pair<TRadioButton>("上海");
    auto [glyph, glyphOff] = left.Pair<TBitBtn>("查询");
    for (TBitBtn* button : {glyph, glyphOff}) {
        DrawGlyph(button->Glyph());
        button->SetNumGlyphs(2);
    }
    auto [speed, speedOff] = left.Pair<TSpeedButton>("平", 24, 50);
    speed->SetFlat(true);
    speedOff->SetFlat(true);
    auto [down, downOff] = left.Pair<TSpeedButton>("按下", 24, 50);
    for (TSpeedButton* button : {down, downOff}) {
        button->SetGroupIndex(1);
        button->SetDown(true);
    }

    Column right(page, 250, 150);
    auto [group, groupOff] = right.Pair<TRadioGroup>("大洲", 80);
    for (TRadioGroup* box : {group, groupOff}) {
        box->Items().Add("亚洲");
        box->Items().Add("欧洲");
        box->Items().Add("大洋洲");
        box->SetItemIndex(1);
    }
    right.Pair<TGroupBox>("分组", 60);
    right.Pair<TPanel>("面板", 40);
}

void TextPage(TTabSheet& page)
{
    Column left(page, 10, 140);
    left.Pair<TEdit>("输入关键字", 21);
    auto [readOnly, readOnlyOff] = left.Pair<TEdit>("只读文字", 21);
    readOnly->SetReadOnly(true);
    readOnlyOff->SetReadOnly(true);
    left.Pair<TEdit>("", 21);
    auto [flat, flatOff] = left.Pair<TEdit>("无边框", 21);
    flat->SetBorderStyle(bsNone);
    flatOff->SetBorderStyle(bsNone);
    for (const TComboBoxStyle style : {csDropDown, csDropDownList}) {
        auto [combo, comboOff] = left.Pair<TComboBox>("", 24);
        for (TComboBox* box : {combo, comboOff}) {
            box->SetStyle(style);
            FillLines(box->Items(), 12, "城市 ");
            box->SetItemIndex(0);
        }
    }
    auto [simple, simpleOff] = left.Pair<TComboBox>("", 70);
    for (TComboBox* box : {simple, simpleOff}) {
        box->SetStyle(csSimple);
        FillLines(box->Items(), 12, "区号 ");
    }
    auto [spinEdit, spinEditOff] = left.Pair<TEdit>("5", 21, 60);
    auto* spin = new TUpDown(page.Owner());
    spin->SetParent(&page);
    spin->SetAssociate(spinEdit);
    auto* spinOff = new TUpDown(page.Owner());
    spinOff->SetParent(&page);
    spinOff->SetAssociate(spinEditOff);
    spinOff->SetEnabled(false);

    Column right(page, 320, 170);
    auto [memo, memoOff] = right.Pair<TMemo>("", 90);
    for (TMemo* box : {memo, memoOff}) {
        box->SetWordWrap(false);
        box->SetScrollBars(ssBoth);
        for (int line = 1; line <= 20; ++line)
            box->Lines().Add(std::string("第 ").append(std::to_string(line)).append(" 行：一行比框子还宽的文字，可以左右滚动"));
    }
    auto [rich, richOff] = right.Pair<TRichEdit>("", 60);
    for (TRichEdit* box : {rich, richOff})
        box->Lines().Add("带格式的文字");
    auto [date, dateOff] = right.Pair<TDateTimePicker>("", 22);
    (void)date;
    (void)dateOff;
    auto [time, timeOff] = right.Pair<TDateTimePicker>("", 22);
    time->SetKind(dtkTime);
    timeOff->SetKind(dtkTime);
}

void ListsPage(TTabSheet& page)
{
    Column left(page, 10, 150);
    auto [full, fullOff] = left.Pair<TListBox>("", 90);
    for (TListBox* box : {full, fullOff}) {
        FillLines(box->Items(), 40, "邮编 1000");
        box->SetItemIndex(20);
    }
    left.Pair<TListBox>("", 50);
    auto [view, viewOff] = left.Pair<TListView>("", 110);
    for (TListView* list : {view, viewOff}) {
        list->SetViewStyle(vsReport);
        for (const char* caption : {"地区", "邮编", "区号"}) {
            TListColumn* column = list->Columns().Add();
            column->SetCaption(caption);
            column->SetWidth(70);
        }
        for (int i = 1; i <= 30; ++i) {
            TListItem* item = list->Items().Add();
            std::string caption("地区 ");
            caption.append(std::to_string(i));
            item->SetCaption(caption);
            item->SubItems().Add(std::to_string(100000 + i));
            item->SubItems().Add(std::to_string(10 + i).insert(0, 1, '0'));
        }
    }

    Column right(page, 330, 150);
    auto [tree, treeOff] = right.Pair<TTreeView>("", 110);
    for (TTreeView* view : {tree, treeOff}) {
        for (const char* province : {"北京市", "广东省", "四川省", "浙江省", "江苏省"}) {
            TTreeNode* node = view->Items().Add(nullptr, province);
            for (int city = 1; city <= 4; ++city) {
                std::string name(province);
                name.append(" ").append(std::to_string(city));
                view->Items().AddChild(node, name);
            }
            node->SetExpanded(true);
        }
    }
    auto [header, headerOff] = right.Pair<THeaderControl>("", 20);
    for (THeaderControl* control : {header, headerOff}) {
        for (const char* text : {"名称", "邮编"}) {
            THeaderSection* section = control->Sections().Add();
            section->SetText(text);
            section->SetWidth(70);
        }
    }
    auto [box, boxOff] = right.Pair<TScrollBox>("", 80);
    for (TScrollBox* scroll : {box, boxOff}) {
        auto* inner = new TButton(page.Owner());
        inner->SetBounds(10, 10, 220, 140);
        inner->SetCaption("比框子大的内容");
        inner->SetParent(scroll);
        scroll->UpdateScrollRange();
    }
    for (const TScrollBarKind kind : {sbHorizontal, sbVertical}) {
        auto [bar, barOff] = right.Pair<TScrollBar>("", kind == sbHorizontal ? 17 : 60, kind == sbHorizontal ? 150 : 17);
        for (TScrollBar* control : {bar, barOff}) {
            KeepingSize(*control, [&] { control->SetKind(kind); });
            control->SetPageSize(20);
            control->SetPosition(30);
        }
    }
}

void ScalesPage(TTabSheet& page)
{
    Column left(page, 10, 160);
    for (const int position : {0, 50, 100}) {
        auto [bar, barOff] = left.Pair<TProgressBar>("", 16);
        bar->SetPosition(position);
        barOff->SetPosition(position);
    }
    auto [track, trackOff] = left.Pair<TTrackBar>("", 32);
    track->SetPosition(3);
    trackOff->SetPosition(7);
    auto [player, playerOff] = left.Pair<TMediaPlayer>("", 30, 240);
    (void)player;
    (void)playerOff;

    Column right(page, 520, 40);
    auto [vertical, verticalOff] = right.Pair<TProgressBar>("", 120, 18);
    for (TProgressBar* bar : {vertical, verticalOff}) {
        bar->SetOrientation(pbVertical);
        bar->SetPosition(60);
    }
    auto [upright, uprightOff] = right.Pair<TTrackBar>("", 120, 36);
    for (TTrackBar* bar : {upright, uprightOff})
        KeepingSize(*bar, [bar] { bar->SetOrientation(trVertical); });
}

void TabsPage(TTabSheet& page)
{
    Column left(page, 10, 220);
    auto [pages, pagesOff] = left.Pair<TPageControl>("", 90);
    for (TPageControl* control : {pages, pagesOff}) {
        for (const char* caption : {"常规", "高级", "关于"}) {
            auto* sheet = new TTabSheet(page.Owner());
            sheet->SetCaption(caption);
            sheet->SetPageControl(control);
        }
    }
    auto [tabs, tabsOff] = left.Pair<TTabControl>("", 60);
    for (TTabControl* control : {tabs, tabsOff}) {
        for (const char* caption : {"邮编", "区号", "国际"})
            control->Tabs().Add(caption);
    }
    auto [set, setOff] = left.Pair<TTabSet>("", 24);
    for (TTabSet* control : {set, setOff}) {
        for (const char* caption : {"第一", "第二", "第三"})
            control->Tabs().Add(caption);
    }
}

} // namespace

void BuildPages(TPageControl& pages)
{
    using Filler = void (*)(TTabSheet&);
    constexpr Filler kFillers[] = {ButtonsPage, TextPage, ListsPage, ScalesPage, TabsPage};
    static_assert(std::size(kFillers) == std::size(kPageCaptions));
    for (std::size_t i = 0; i < std::size(kFillers); ++i) {
        auto* sheet = new TTabSheet(pages.Owner());
        sheet->SetCaption(kPageCaptions[i]);
        sheet->SetPageControl(&pages);
        kFillers[i](*sheet);
    }
    pages.SetActivePageIndex(0);
}

} // namespace gallery
