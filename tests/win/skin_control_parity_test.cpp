// A skinner that lets everything through must not change what a control's
// own code receives. Every kind of framework child control goes through the
// same scripted interaction bare, with a pass-through skinner hooked through
// the control object, and (for windowed controls) with one hooked by handle;
// what reaches the control's WindowProc below the skinner must be the same
// entry for entry.
#include "tests/win/MessageSequence.h"
#include "tests/win/skin_control_support.h"

#include "ui/Buttons.h"
#include "ui/ComCtrls.h"
#include "ui/ComboBox.h"
#include "ui/DateTimePicker.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/HeaderControl.h"
#include "ui/MediaPlayer.h"
#include "ui/Memo.h"
#include "ui/PageControl.h"
#include "ui/ProgressBar.h"
#include "ui/RadioGroup.h"
#include "ui/ScrollBar.h"
#include "ui/ScrollBox.h"
#include "ui/StatusBar.h"
#include "ui/StdCtrls.h"
#include "ui/TabSet.h"
#include "ui/ToolBar.h"
#include "ui/TrackBar.h"
#include "ui/TreeView.h"
#include "ui/UpDown.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using msgseq::Entry;
using skincontroltest::PassThroughSkinner;
using skincontroltest::TestHost;

constexpr UINT WM_SYSTIMER = 0x0118;

template <class T>
T* Place(TForm& form, int width, int height)
{
    auto* control = new T(&form);
    control->SetBounds(20, 20, width, height);
    control->SetParent(&form);
    return control;
}

struct ControlKind {
    const char* name;
    std::function<TControl*(TForm&)> place;
};

const std::vector<ControlKind>& Kinds()
{
    static const std::vector<ControlKind> kinds{
        {"Button",
         [](TForm& form) {
             auto* button = Place<TButton>(form, 90, 28);
             button->SetCaption("查询");
             return static_cast<TControl*>(button);
         }},
        {"Edit",
         [](TForm& form) {
             auto* edit = Place<TEdit>(form, 120, 22);
             edit->SetText("输入关键字");
             return static_cast<TControl*>(edit);
         }},
        {"ListBox",
         [](TForm& form) {
             auto* list = Place<TListBox>(form, 120, 100);
             for (const char* item : {"大洋洲", "北京", "重庆"})
                 list->Items().Add(item);
             return static_cast<TControl*>(list);
         }},
        {"GroupBox",
         [](TForm& form) {
             auto* group = Place<TGroupBox>(form, 160, 100);
             group->SetCaption("浏览");
             return static_cast<TControl*>(group);
         }},
        {"ListView",
         [](TForm& form) {
             auto* view = Place<TListView>(form, 200, 120);
             view->SetViewStyle(vsReport);
             TListColumn* column = view->Columns().Add();
             column->SetCaption("地区");
             column->SetWidth(80);
             view->Items().Add()->SetCaption("北京");
             return static_cast<TControl*>(view);
         }},
        {"Panel",
         [](TForm& form) {
             auto* panel = Place<TPanel>(form, 160, 100);
             panel->SetCaption("面板");
             return static_cast<TControl*>(panel);
         }},
        {"Label",
         [](TForm& form) {
             auto* label = Place<TLabel>(form, 100, 20);
             label->SetCaption("邮政编码");
             return static_cast<TControl*>(label);
         }},
        {"Image", [](TForm& form) { return static_cast<TControl*>(Place<TImage>(form, 64, 64)); }},
        {"ComboBox",
         [](TForm& form) {
             auto* combo = Place<TComboBox>(form, 120, 21);
             for (const char* item : {"北京", "上海", "重庆"})
                 combo->Items().Add(item);
             combo->SetItemIndex(0);
             return static_cast<TControl*>(combo);
         }},
        {"OwnerDrawComboBox",
         [](TForm& form) {
             auto* combo = Place<TComboBox>(form, 120, 21);
             combo->SetStyle(csOwnerDrawFixed);
             for (const char* item : {"北京", "上海"})
                 combo->Items().Add(item);
             combo->SetItemIndex(1);
             return static_cast<TControl*>(combo);
         }},
        {"Memo",
         [](TForm& form) {
             auto* memo = Place<TMemo>(form, 160, 80);
             memo->SetScrollBars(ssVertical);
             memo->Lines().Add("第一行");
             memo->Lines().Add("第二行");
             return static_cast<TControl*>(memo);
         }},
        {"RichEdit",
         [](TForm& form) {
             auto* rich = Place<TRichEdit>(form, 160, 80);
             rich->Lines().Add("富文本");
             return static_cast<TControl*>(rich);
         }},
        {"OwnerDrawListBox",
         [](TForm& form) {
             auto* list = Place<TListBox>(form, 120, 100);
             list->SetStyle(lbOwnerDrawVariable);
             for (const char* item : {"大洋洲", "北京"})
                 list->Items().Add(item);
             return static_cast<TControl*>(list);
         }},
        {"ScrollBar",
         [](TForm& form) {
             auto* bar = Place<TScrollBar>(form, 160, 17);
             bar->SetPageSize(10);
             bar->SetPosition(20);
             return static_cast<TControl*>(bar);
         }},
        {"ScrollBox",
         [](TForm& form) {
             auto* box = Place<TScrollBox>(form, 160, 100);
             auto* button = new TButton(&form);
             button->SetBounds(10, 150, 75, 25);
             button->SetParent(box);
             return static_cast<TControl*>(box);
         }},
        {"TreeView",
         [](TForm& form) {
             auto* tree = Place<TTreeView>(form, 160, 120);
             TTreeNode* root = tree->Items().Add(nullptr, "北京");
             tree->Items().AddChild(root, "朝阳");
             root->SetExpanded(true);
             return static_cast<TControl*>(tree);
         }},
        {"HeaderControl",
         [](TForm& form) {
             auto* header = Place<THeaderControl>(form, 200, 20);
             for (const char* text : {"省份", "邮编"})
                 header->Sections().Add()->SetText(text);
             return static_cast<TControl*>(header);
         }},
        {"CheckBox",
         [](TForm& form) {
             auto* box = Place<TCheckBox>(form, 120, 20);
             box->SetCaption("包含港澳");
             return static_cast<TControl*>(box);
         }},
        {"RadioButton",
         [](TForm& form) {
             auto* radio = Place<TRadioButton>(form, 120, 20);
             radio->SetCaption("北京");
             return static_cast<TControl*>(radio);
         }},
        {"RadioGroup",
         [](TForm& form) {
             auto* group = Place<TRadioGroup>(form, 160, 100);
             group->SetCaption("大洲");
             group->Items().Add("亚洲");
             group->Items().Add("欧洲");
             return static_cast<TControl*>(group);
         }},
        {"BitBtn",
         [](TForm& form) {
             auto* button = Place<TBitBtn>(form, 90, 28);
             button->SetKind(bkOK);
             return static_cast<TControl*>(button);
         }},
        {"SpeedButton",
         [](TForm& form) {
             auto* button = Place<TSpeedButton>(form, 40, 28);
             button->SetCaption("查");
             return static_cast<TControl*>(button);
         }},
        {"ProgressBar",
         [](TForm& form) {
             auto* bar = Place<TProgressBar>(form, 150, 16);
             bar->SetPosition(40);
             return static_cast<TControl*>(bar);
         }},
        {"TrackBar",
         [](TForm& form) {
             auto* bar = Place<TTrackBar>(form, 150, 45);
             bar->SetPosition(3);
             return static_cast<TControl*>(bar);
         }},
        {"UpDown",
         [](TForm& form) {
             auto* edit = Place<TEdit>(form, 60, 22);
             auto* spin = Place<TUpDown>(form, 17, 22);
             spin->SetAssociate(edit);
             return static_cast<TControl*>(spin);
         }},
        {"StatusBar",
         [](TForm& form) {
             auto* bar = Place<TStatusBar>(form, 200, 19);
             bar->Panels().Add()->SetText("就绪");
             bar->Panels().Add()->SetText("北京");
             return static_cast<TControl*>(bar);
         }},
        {"PageControl",
         [](TForm& form) {
             auto* pages = Place<TPageControl>(form, 200, 120);
             // The scripted mouse stays off the tabs, whose hot tracking
             // repaints from a timer at moments of its own.
             pages->SetTabPosition(tpBottom);
             for (const char* caption : {"常规", "高级"}) {
                 auto* sheet = new TTabSheet(&form);
                 sheet->SetCaption(caption);
                 sheet->SetPageControl(pages);
             }
             return static_cast<TControl*>(pages);
         }},
        {"TabControl",
         [](TForm& form) {
             auto* tabs = Place<TTabControl>(form, 200, 60);
             tabs->SetTabPosition(tpBottom);
             tabs->Tabs().Add("一");
             tabs->Tabs().Add("二");
             tabs->SetTabIndex(0);
             return static_cast<TControl*>(tabs);
         }},
        {"TabSet",
         [](TForm& form) {
             // Tall enough that the mouse stays above the tab row.
             auto* tabs = Place<TTabSet>(form, 200, 60);
             tabs->Tabs().Add("甲");
             tabs->Tabs().Add("乙");
             tabs->SetTabIndex(0);
             return static_cast<TControl*>(tabs);
         }},
        {"DateTimePicker",
         [](TForm& form) {
             auto* picker = Place<TDateTimePicker>(form, 150, 21);
             picker->SetDate(ui::ParseDate("2026-12-09"));
             return static_cast<TControl*>(picker);
         }},
        {"ToolBar",
         [](TForm& form) {
             auto* bar = Place<TToolBar>(form, 200, 29);
             bar->SetFlat(true);
             for (const char* caption : {"打开", "保存"}) {
                 auto* button = new TToolButton(&form);
                 button->SetCaption(caption);
                 button->SetToolBar(bar);
             }
             return static_cast<TControl*>(bar);
         }},
        {"MediaPlayer",
         [](TForm& form) {
             auto* player = Place<TMediaPlayer>(form, 253, 30);
             // No device is open: the click is heard, the command is not sent.
             player->OnClick = TMPClickEvent([](TObject*, TMPBtnType, bool& doDefault) { doDefault = false; });
             return static_cast<TControl*>(player);
         }},
    };
    return kinds;
}

enum class Hook { None, Control, Handle };

void PostAndSettle(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    PostMessageA(window, msg, wParam, lParam);
    msgseq::Flush();
}

// The same steps for every kind: painting, the frame, the mouse, focus and keys.
void Interact(TForm& form, TControl& subject)
{
    auto* windowed = ui::As<TWinControl>(&subject);
    const HWND window = windowed ? windowed->Handle() : form.Handle();
    const LPARAM point = windowed ? MAKELPARAM(10, 10) : MAKELPARAM(subject.Left() + 10, subject.Top() + 10);

    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    subject.Invalidate();
    msgseq::Flush();
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    msgseq::Flush();

    PostAndSettle(window, WM_MOUSEMOVE, 0, point);
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostAndSettle(window, WM_LBUTTONUP, 0, point);
    PostAndSettle(window, WM_MOUSELEAVE, 0, 0);

    SetFocus(form.Handle());
    msgseq::Flush();
    if (windowed)
        windowed->SetFocus();
    msgseq::Flush();
    const HWND focused = GetFocus();
    PostMessageA(focused, WM_KEYDOWN, VK_DOWN, 1);
    PostAndSettle(focused, WM_KEYUP, VK_DOWN, static_cast<LPARAM>(0xC0000001));
    PostMessageA(focused, WM_KEYDOWN, 'A', 1);
    PostAndSettle(focused, WM_KEYUP, 'A', static_cast<LPARAM>(0xC0000001));
    SetFocus(form.Handle());
    msgseq::Flush();
}

class SkinnerParity : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Application->Initialize();
        SetCursorPos(0, 0);
        msgseq::Flush(100);
    }

    static std::vector<Entry> Run(const ControlKind& kind, Hook hook)
    {
        TestHost host;
        msgseq::Sequence sequence;
        sequence.SetOptional(WM_SYSTIMER);
        auto form = std::make_unique<TForm>(nullptr);
        form->SetCaption(kind.name);
        form->SetBorderStyle(bsSingle);
        form->SetBounds(300, 200, 320, 240);
        TControl* subject = kind.place(*form);
        form->Show();
        const ULONGLONG end = GetTickCount64() + 2000;
        while (GetActiveWindow() != form->Handle() && GetTickCount64() < end) {
            SetActiveWindow(form->Handle());
            msgseq::Flush();
        }
        msgseq::Flush(100);
        {
            msgseq::Recorder recorder(sequence);
            recorder.AttachControl(*form, "form");
            recorder.AttachControl(*subject, kind.name);
            // Attaching invalidates the control once; that repaint is not the control's doing.
            sequence.Pause(true);
            PassThroughSkinner* skinner = nullptr;
            if (hook == Hook::Control) {
                skinner = new PassThroughSkinner(subject);
                skinner->InitControl(&host, &host.Skin, false, &host.Canvas);
            } else if (hook == Hook::Handle) {
                skinner = new PassThroughSkinner(nullptr);
                skinner->InitHandle(static_cast<TWinControl*>(subject)->Handle(), &host.Skin, &host, &host.Canvas);
            }
            msgseq::Flush();
            // The recorder takes the next matching message for the last one
            // dispatched, which it did not see while paused: make that one
            // a message nobody records.
            PostMessageA(form->Handle(), WM_NULL, 0, 0);
            msgseq::Flush();
            sequence.Pause(false);
            Interact(*form, *subject);
            sequence.Pause(true);
            delete skinner;
        }
        form.reset();
        msgseq::Flush();
        return sequence.Entries();
    }
};

TEST_F(SkinnerParity, PassThroughSkinnerChangesNothingForAnyControl)
{
    for (const ControlKind& kind : Kinds()) {
        Run(kind, Hook::None);
        const std::vector<Entry> bare = Run(kind, Hook::None);
        EXPECT_GT(bare.size(), 20u) << kind.name;
        EXPECT_TRUE(msgseq::SameSequence(bare, Run(kind, Hook::Control), std::string(kind.name) + " by control"));
        if (kind.name != std::string("Label") && kind.name != std::string("Image") &&
            kind.name != std::string("SpeedButton")) {
            EXPECT_TRUE(msgseq::SameSequence(bare, Run(kind, Hook::Handle), std::string(kind.name) + " by handle"));
        }
    }
}

} // namespace
