// Controls and forms under Wine: direct dispatch, mouse enter and leave,
// modal showing with Enter and Esc, tab order, events, and a pass-through
// handler that must change nothing.
#include "tests/win/MessageSequence.h"
#include "tests/win/WindowLayers.h"
#include "tests/win/ui_window_support.h"

#include "ui/ComCtrls.h"
#include "ui/HeaderControl.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using uitest::Pump;
using uitest::PumpUntil;

template <class T>
T* Make(TComponent* owner, TWinControl* parent, int left, int top, int width, int height)
{
    auto* control = new T(owner);
    control->SetBounds(left, top, width, height);
    control->SetParent(parent);
    return control;
}

// The main window's layout: three group boxes holding a list box, a button
// and an edit, and a list view.
struct LookupForm {
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TGroupBox* browse = nullptr;
    TGroupBox* search = nullptr;
    TGroupBox* results = nullptr;
    TListBox* list = nullptr;
    TButton* button = nullptr;
    TEdit* edit = nullptr;
    TListView* view = nullptr;

    LookupForm()
    {
        TForm* f = form.get();
        f->SetCaption("Zelvorin");
        f->SetClientSize(521, 331);
        f->SetBorderStyle(bsSingle);
        browse = Make<TGroupBox>(f, f, 8, 8, 161, 257);
        browse->SetCaption("浏览");
        search = Make<TGroupBox>(f, f, 8, 272, 161, 49);
        search->SetCaption("模糊查询");
        results = Make<TGroupBox>(f, f, 176, 8, 337, 313);
        results->SetCaption("查询结果");
        list = Make<TListBox>(f, browse, 8, 16, 145, 233);
        list->Items().Add("大洋洲");
        list->Items().Add("北京");
        list->Items().Add("重庆");
        button = Make<TButton>(f, search, 88, 16, 65, 25);
        button->SetCaption("查询");
        edit = Make<TEdit>(f, search, 8, 19, 73, 20);
        edit->SetText("输入关键字");
        view = Make<TListView>(f, results, 8, 16, 321, 289);
        view->SetViewStyle(vsReport);
        view->SetRowSelect(true);
        view->SetGridLines(true);
        view->SetReadOnly(true);
        for (const char* caption : {"省份", "地区", "邮编", "区号"}) {
            TListColumn* column = view->Columns().Add();
            column->SetCaption(caption);
            column->SetWidth(60);
        }
        for (int i = 0; i < 3; ++i) {
            TListItem* item = view->Items().Add();
            item->SetCaption("北京");
            item->SubItems().Add("通县");
            item->SubItems().Add("101100");
            item->SubItems().Add("010");
        }
    }
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        uitest::SetKeyDown(VK_SHIFT, false);
    }
    void TearDown() override { uitest::SetKeyDown(VK_SHIFT, false); }
};

// ---- Perform

TEST_F(WindowTest, PerformBypassesQueueAndWindowProcedure)
{
    LookupForm f;
    TEdit& edit = *f.edit;
    const HWND window = edit.Handle();
    Pump();

    int procCalls = 0;
    ui::WindowSubclass counter;
    ASSERT_TRUE(counter.Install(window, [&](TMessage& m) {
        if (m.Msg == WM_APP + 3)
            ++procCalls;
        counter.CallPrevious(m);
    }));
    int handlerCalls = 0;
    ui::HookToken layer = edit.AddWindowProc([&](TMessage& m, const TWndNext& next) {
        if (m.Msg == WM_APP + 3) {
            ++handlerCalls;
            m.Result = 55;
            return;
        }
        next(m);
    });

    EXPECT_EQ(edit.Perform(WM_APP + 3, 0, 0), 55);
    EXPECT_EQ(handlerCalls, 1);
    EXPECT_EQ(procCalls, 0) << "Perform does not go through the window procedure";
    MSG queued{};
    EXPECT_FALSE(PeekMessageA(&queued, window, 0, 0, PM_NOREMOVE)) << "nor through the queue";

    EXPECT_EQ(SendMessageA(window, WM_APP + 3, 0, 0), 55);
    EXPECT_EQ(handlerCalls, 2);
    EXPECT_EQ(procCalls, 1);

    // Perform answers what the native control answers.
    layer.Reset();
    EXPECT_EQ(edit.Perform(WM_GETTEXTLENGTH, 0, 0), static_cast<LRESULT>(std::string("输入关键字").size()));
}

// ---- mouse enter and leave

TEST_F(WindowTest, MouseEnterAndLeaveNotifications)
{
    TForm form(nullptr);
    form.SetClientSize(300, 200);
    auto* panel = Make<TPanel>(&form, &form, 10, 10, 200, 100);
    auto* label = Make<TLabel>(&form, panel, 20, 20, 50, 20);
    label->SetAutoSize(false);
    label->SetCaption("label");
    label->SetBounds(20, 20, 50, 20);
    auto* button = Make<TButton>(&form, &form, 10, 150, 75, 25);
    form.HandleNeeded();

    std::vector<std::string> log;
    const auto track = [&](TControl* control, std::string name) {
        control->OnMouseEnter = TNotifyEvent([&log, name](TObject*) { log.push_back("enter " + name); });
        control->OnMouseLeave = TNotifyEvent([&log, name](TObject*) { log.push_back("leave " + name); });
    };
    track(panel, "panel");
    track(label, "label");
    track(button, "button");
    int engineSawEnter = 0;
    const ui::HookToken layer = panel->AddWindowProc([&](TMessage& m, const TWndNext& next) {
        if (m.Msg == CM_MOUSEENTER)
            ++engineSawEnter;
        next(m);
    });

    SendMessageA(panel->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(30, 30));   // over the label
    SendMessageA(panel->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(35, 32));   // still the label
    SendMessageA(panel->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(150, 80));  // panel itself
    SendMessageA(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageA(button->Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"enter label", "leave label", "enter panel", "leave panel",
                                             "enter button", "leave button"}));
    EXPECT_EQ(engineSawEnter, 1);
    EXPECT_EQ(ui::MouseControl(), nullptr);
    EXPECT_FALSE(button->MouseInClient());

    // A control freed while the mouse is over it is forgotten.
    SendMessageA(panel->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(30, 30));
    EXPECT_EQ(ui::MouseControl(), label);
    delete label;
    EXPECT_EQ(ui::MouseControl(), nullptr);
    Pump();
}

// ---- modal showing, dialog keys and tab order

struct ModalDialog {
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TEdit* edit;
    TButton* ok;
    TButton* cancel;
    int okClicks = 0;
    int cancelClicks = 0;

    ModalDialog()
    {
        form->SetClientSize(240, 100);
        form->SetBorderStyle(bsDialog);
        form->SetPosition(poScreenCenter);
        edit = Make<TEdit>(form.get(), form.get(), 8, 8, 100, 21);
        ok = Make<TButton>(form.get(), form.get(), 8, 60, 75, 25);
        ok->SetCaption("确定");
        ok->SetDefault(true);
        ok->SetModalResult(mrOk);
        ok->OnClick = TNotifyEvent([this](TObject*) { ++okClicks; });
        cancel = Make<TButton>(form.get(), form.get(), 100, 60, 75, 25);
        cancel->SetCaption("取消");
        cancel->SetCancel(true);
        cancel->SetModalResult(mrCancel);
        cancel->OnClick = TNotifyEvent([this](TObject*) { ++cancelClicks; });
    }
};

TEST_F(WindowTest, ModalShowingEndsWithEnterAndEsc)
{
    ModalDialog d;
    HWND focusedWhenKeyed = nullptr;
    uitest::CallAfter(150, [&] {
        focusedWhenKeyed = GetFocus();
        uitest::PressKey(VK_RETURN);
    });
    EXPECT_EQ(d.form->ShowModal(), mrOk);
    EXPECT_EQ(focusedWhenKeyed, d.edit->Handle()) << "the first control in tab order has the focus";
    EXPECT_EQ(d.okClicks, 1);
    EXPECT_FALSE(d.form->Visible());
    EXPECT_FALSE(IsWindowVisible(d.form->WindowHandle()));

    uitest::CallAfter(150, [] { uitest::PressKey(VK_ESCAPE); });
    EXPECT_EQ(d.form->ShowModal(), mrCancel);
    EXPECT_EQ(d.cancelClicks, 1);
    EXPECT_EQ(d.okClicks, 1);

    // Enter on a focused button belongs to that button, not to the default one.
    bool cancelTookEnter = false;
    uitest::CallAfter(150, [&] {
        d.cancel->SetFocus();
        cancelTookEnter = d.cancel->Active() && !d.ok->Active();
        uitest::PressKey(VK_RETURN);
    });
    EXPECT_EQ(d.form->ShowModal(), mrCancel);
    EXPECT_EQ(d.cancelClicks, 2);
    EXPECT_TRUE(cancelTookEnter);

    // The close box ends the showing too, and OnCloseQuery can refuse.
    int queries = 0;
    bool okActiveAgain = false;
    d.form->OnCloseQuery = TCloseQueryEvent([&](TObject*, bool& canClose) { canClose = ++queries > 1; });
    uitest::CallAfter(100, [&] {
        d.edit->SetFocus();
        okActiveAgain = d.ok->Active();
        PostMessageA(d.form->WindowHandle(), WM_CLOSE, 0, 0);
    });
    uitest::CallAfter(250, [&] { PostMessageA(d.form->WindowHandle(), WM_CLOSE, 0, 0); });
    EXPECT_EQ(d.form->ShowModal(), mrCancel);
    EXPECT_EQ(queries, 2);
    EXPECT_TRUE(okActiveAgain) << "the default button takes Enter again once the focus left the buttons";
}

TEST_F(WindowTest, ModalFormDisablesTheOthers)
{
    LookupForm main;
    main.form->Show();
    Pump();
    ModalDialog d;
    bool mainEnabledDuring = true;
    uitest::CallAfter(100, [&] {
        mainEnabledDuring = IsWindowEnabled(main.form->WindowHandle()) != FALSE;
        d.form->SetModalResult(mrAbort);
    });
    EXPECT_EQ(d.form->ShowModal(), mrAbort);
    EXPECT_FALSE(mainEnabledDuring);
    EXPECT_TRUE(IsWindowEnabled(main.form->WindowHandle()));
    EXPECT_THROW(main.form->ShowModal(), Exception) << "a visible form cannot become modal";
}

TEST_F(WindowTest, TabOrderFollowsGroupsAndWraps)
{
    LookupForm f;
    std::vector<std::string> events;
    f.edit->OnEnter = TNotifyEvent([&](TObject*) { events.push_back("Edit2Enter"); });
    f.edit->OnExit = TNotifyEvent([&](TObject*) { events.push_back("Edit2Exit"); });
    f.search->OnEnter = TNotifyEvent([&](TObject*) { events.push_back("GroupBox2Enter"); });
    f.search->OnExit = TNotifyEvent([&](TObject*) { events.push_back("GroupBox2Exit"); });
    f.form->Show();
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == f.list->Handle(); }));
    EXPECT_EQ(f.form->ActiveControl(), f.list);

    const std::vector<HWND> forward{f.button->Handle(), f.edit->Handle(), f.view->Handle(), f.list->Handle()};
    for (const HWND expected : forward) {
        uitest::PressKey(VK_TAB);
        EXPECT_EQ(GetFocus(), expected);
    }
    EXPECT_EQ(events, (std::vector<std::string>{"GroupBox2Enter", "Edit2Enter", "Edit2Exit", "GroupBox2Exit"}));

    uitest::SetKeyDown(VK_SHIFT, true);
    uitest::PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), f.view->Handle());
    uitest::PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), f.edit->Handle());
    uitest::SetKeyDown(VK_SHIFT, false);

    // The form file's tab order: changing it changes the sequence.
    f.edit->SetTabOrder(0);
    uitest::PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), f.button->Handle());
    // Disabled and hidden controls are skipped.
    f.view->SetEnabled(false);
    uitest::PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), f.list->Handle());
}

TEST_F(WindowTest, FreedControlsLeaveTabOrderAndFocus)
{
    LookupForm f;
    f.form->Show();
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == f.list->Handle(); }));
    uitest::PressKey(VK_TAB);
    ASSERT_EQ(GetFocus(), f.button->Handle());
    TButton* gone = f.button;
    delete f.button;
    EXPECT_NE(f.form->ActiveControl(), gone);
    EXPECT_EQ(f.search->ControlCount(), 1);
    f.list->SetFocus();
    Pump();
    uitest::PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), f.edit->Handle());
    TEdit* goneToo = f.edit;
    delete f.search;  // with the edit inside it
    EXPECT_NE(f.form->ActiveControl(), goneToo);
    if (TWinControl* active = f.form->ActiveControl()) {
        EXPECT_TRUE(f.form->ContainsControl(active));
    }
    EXPECT_EQ(f.form->FindComponent("Edit2"), nullptr);
    std::vector<TWinControl*> order;
    f.form->GetTabOrderList(order);
    EXPECT_EQ(order, (std::vector<TWinControl*>{f.browse, f.list, f.results, f.view}));
    f.list->SetFocus();
    Pump();
    uitest::PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), f.view->Handle());
}

TEST_F(WindowTest, EnterInAnEditClicksTheDefaultButtonOnceItIsDefault)
{
    LookupForm f;
    int searches = 0;
    f.button->OnClick = TNotifyEvent([&](TObject*) { ++searches; });
    // Like the main window: the edit makes the button the default when it is entered.
    f.edit->OnEnter = TNotifyEvent([&](TObject*) { f.button->SetDefault(true); });
    f.form->Show();
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == f.list->Handle(); }));
    uitest::PressKey(VK_RETURN);
    EXPECT_EQ(searches, 0);
    f.edit->SetFocus();
    Pump();
    EXPECT_TRUE(f.button->Active());
    EXPECT_EQ(GetWindowLongPtrA(f.button->Handle(), GWL_STYLE) & 0x0F, BS_DEFPUSHBUTTON);
    uitest::PressKey(VK_RETURN);
    EXPECT_EQ(searches, 1);
    f.list->SetFocus();
    Pump();
    uitest::PressKey(VK_RETURN);
    EXPECT_EQ(searches, 2) << "the button stays the default button";
}

TEST_F(WindowTest, AltAcceleratorClicksTheButton)
{
    ModalDialog d;
    d.ok->SetCaption("&Search");
    int dialogChars = 0;
    const ui::HookToken layer = d.form->AddWindowProc([&](TMessage& m, const TWndNext& next) {
        if (m.Msg == CM_DIALOGCHAR)
            ++dialogChars;
        next(m);
    });
    d.form->Show();
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == d.edit->Handle(); }));
    PostMessageA(d.edit->Handle(), WM_SYSCHAR, 's', static_cast<LPARAM>(1) << 29);
    Pump();
    EXPECT_EQ(d.okClicks, 1);
    EXPECT_EQ(dialogChars, 1) << "the form sees the accelerator as CM_DIALOGCHAR";
    PostMessageA(d.edit->Handle(), WM_SYSCHAR, 'q', static_cast<LPARAM>(1) << 29);
    Pump();
    EXPECT_EQ(d.okClicks, 1);
}

// ---- events and native state

TEST_F(WindowTest, ControlEventsFire)
{
    LookupForm f;
    std::vector<std::string> events;
    f.button->OnClick = TNotifyEvent([&](TObject* sender) {
        EXPECT_EQ(sender, f.button);
        events.push_back("Button2Click");
    });
    f.list->OnClick = TNotifyEvent([&](TObject*) { events.push_back("ListBox1Click " + std::to_string(f.list->ItemIndex())); });
    f.edit->OnChange = TNotifyEvent([&](TObject*) { events.push_back("Edit2Change"); });
    f.view->OnSelectItem = TLVSelectItemEvent([&](TObject*, TListItem* item, bool selected) {
        events.push_back("select " + std::to_string(item->Index()) + (selected ? " on" : " off"));
    });
    f.form->Show();
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == f.list->Handle(); }));

    SendMessageA(f.button->Handle(), BM_CLICK, 0, 0);
    f.list->SetFocus();  // the click took the focus to the button
    Pump();
    uitest::PressKey(VK_DOWN);
    f.edit->SetFocus();
    Pump();
    PostMessageA(f.edit->Handle(), WM_CHAR, 'x', 1);
    Pump();
    f.view->Items()[1]->SetSelected(true);
    f.view->Items()[2]->SetSelected(true);

    EXPECT_EQ(events, (std::vector<std::string>{"Button2Click", "ListBox1Click 0", "Edit2Change", "select 1 on",
                                                "select 1 off", "select 2 on"}));
    EXPECT_EQ(f.view->SelCount(), 1);
    EXPECT_EQ(f.view->Selected(), f.view->Items()[2]);
    EXPECT_EQ(f.view->Selected()->SubItems()[1], "101100");
}

TEST_F(WindowTest, ControlStateLivesWithoutAndWithTheWindow)
{
    LookupForm f;
    // Before the window: kept by the objects.
    f.list->SetItemIndex(1);
    f.list->SetItemHeight(12);
    f.view->Items()[0]->SetSelected(true);
    EXPECT_EQ(f.list->ItemIndex(), 1);
    EXPECT_EQ(f.view->SelCount(), 1);
    EXPECT_FALSE(f.form->HandleAllocated());

    f.form->HandleNeeded();
    ASSERT_TRUE(f.list->HandleAllocated()) << "children get their windows with the form";
    EXPECT_EQ(SendMessageA(f.list->WindowHandle(), LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(f.list->ItemIndex(), 1);
    EXPECT_EQ(f.list->ItemHeight(), 12);
    EXPECT_EQ(f.list->Items()[1], "北京");
    EXPECT_EQ(f.view->SelCount(), 1);
    EXPECT_EQ(f.view->WindowClassName(), "SysListView32");
    EXPECT_EQ(f.edit->WindowClassName(), "Edit");
    char text[64]{};
    GetWindowTextA(f.browse->WindowHandle(), text, sizeof text);
    EXPECT_EQ(std::string(text), "浏览");
    EXPECT_EQ(std::string(text), "\xE4\xAF\xC0\xC0") << "GBK bytes of 浏览";

    RECT client{};
    GetClientRect(f.form->WindowHandle(), &client);
    EXPECT_EQ(client.right, 521);
    EXPECT_EQ(client.bottom, 331);
    EXPECT_EQ(f.form->ClientWidth(), 521);

    // Moving the window moves the object, and the other way round.
    SetWindowPos(f.button->WindowHandle(), nullptr, 20, 18, 70, 24, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(f.button->Left(), 20);
    EXPECT_EQ(f.button->Width(), 70);
    f.button->SetBounds(88, 16, 65, 25);
    RECT r{};
    GetWindowRect(f.button->WindowHandle(), &r);
    MapWindowPoints(nullptr, f.search->WindowHandle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 88);
    EXPECT_EQ(r.bottom - r.top, 25);
    EXPECT_EQ(ui::FindControl(f.edit->WindowHandle()), f.edit);
    EXPECT_EQ(ui::GetParentForm(f.edit), f.form.get());
}

TEST_F(WindowTest, RecreatedWindowKeepsStateChildrenAndHandler)
{
    LookupForm f;
    f.form->Show();
    Pump();
    f.list->SetItemIndex(2);
    f.view->Items()[1]->SetSelected(true);
    f.edit->SetText("typed");
    int notifications = 0;
    const ui::HookToken layer = f.search->AddWindowProc([&](TMessage& m, const TWndNext& next) {
        if (m.Msg == CM_RECREATEWND)
            ++notifications;
        next(m);
    });

    const HWND oldList = f.list->Handle();
    const HWND oldGroup = f.search->Handle();
    const long thunks = ui::LiveThunkCount();
    f.list->RecreateWnd();
    f.search->RecreateWnd();
    f.view->SetMultiSelect(true);  // a style only a new window can take
    EXPECT_EQ(notifications, 1);
    EXPECT_NE(f.list->Handle(), oldList);
    EXPECT_NE(f.search->Handle(), oldGroup);
    EXPECT_FALSE(IsWindow(oldList));
    EXPECT_EQ(f.list->Items().Count(), 3);
    EXPECT_EQ(f.list->ItemIndex(), 2);
    EXPECT_EQ(f.edit->Text(), "typed");
    EXPECT_EQ(GetParent(f.edit->Handle()), f.search->Handle());
    EXPECT_EQ(f.view->Columns().Count(), 4);
    EXPECT_EQ(f.view->Selected(), f.view->Items()[1]);
    EXPECT_EQ(GetWindowLongPtrA(f.view->Handle(), GWL_STYLE) & LVS_SINGLESEL, 0);
    EXPECT_EQ(ui::LiveThunkCount(), thunks);
}

// ---- a handler that passes everything on changes nothing

struct ScenarioRecord {
    std::vector<msgseq::Entry> messages;  // what each control's own WindowProc received
    std::vector<std::string> events;      // event handlers run, answers given, the final state
};

ScenarioRecord RunScenario(bool passThrough)
{
    ScenarioRecord record;
    msgseq::Sequence sequence;
    LookupForm f;
    f.form->HandleNeeded();
    std::vector<std::unique_ptr<layers::ScopedLayer>> layered;
    msgseq::Recorder recorder(sequence);
    const std::vector<TControl*> controls{f.form.get(), f.browse, f.search, f.results, f.list, f.button, f.edit, f.view};
    const std::vector<std::string> names{"Form", "Browse", "Search", "Results", "List", "Button", "Edit", "View"};
    for (std::size_t i = 0; i < controls.size(); ++i) {
        TControl* control = controls[i];
        layered.push_back(layers::InstallWindowProcLayer(
            *control, [&log = record.events, name = names[i]](TMessage& m, const std::function<void(TMessage&)>& next) {
                next(m);
                if (m.Msg == CN_COMMAND || m.Msg == WM_GETDLGCODE || m.Msg == CM_DIALOGKEY)
                    log.push_back(name + " result " + std::to_string(m.Result));
            }));
        recorder.AttachControl(*control, names[i]);
    }
    if (passThrough) {
        // What a skinner does that handles nothing: in front of the handler
        // and in front of the window procedure.
        for (TControl* control : controls) {
            layered.push_back(layers::InstallPassThroughWindowProc(*control));
            layered.push_back(layers::InstallPassThroughSubclass(ui::As<TWinControl>(control)->Handle()));
        }
    }
    std::vector<std::string>& log = record.events;
    f.button->OnClick = TNotifyEvent([&](TObject*) { log.push_back("event Button2Click"); });
    f.list->OnClick = TNotifyEvent([&](TObject*) { log.push_back("event ListBox1Click"); });
    f.edit->OnEnter = TNotifyEvent([&](TObject*) {
        log.push_back("event Edit2Enter");
        f.button->SetDefault(true);
    });
    f.edit->OnExit = TNotifyEvent([&](TObject*) { log.push_back("event Edit2Exit"); });
    f.edit->OnChange = TNotifyEvent([&](TObject*) { log.push_back("event Edit2Change"); });

    f.form->Show();
    PumpUntil([&] { return GetFocus() == f.list->Handle(); });
    // Showing and activating follow the X server's timing; the scripted part starts once that settled.
    msgseq::Flush(100);
    sequence.Clear();
    uitest::PressKey(VK_DOWN);
    uitest::PressKey(VK_TAB);
    uitest::PressKey(VK_TAB);
    PostMessageA(f.edit->Handle(), WM_CHAR, 'a', 1);
    msgseq::Flush();
    uitest::PressKey(VK_RETURN);
    f.edit->SetText("北京");
    SendMessageA(f.button->Handle(), BM_CLICK, 0, 0);
    f.view->Items()[0]->SetSelected(true);
    msgseq::Flush();
    f.form->Hide();
    msgseq::Flush();
    log.push_back("final " + f.edit->Text() + " " + std::to_string(f.list->ItemIndex()) + " " +
                  std::to_string(f.view->SelCount()));
    while (!layered.empty()) {
        if (layered.size() == controls.size())
            recorder.Detach();  // the recorders sit between the answer loggers and the pass-through layers
        layered.pop_back();
    }
    record.messages = sequence.Entries();
    return record;
}

TEST_F(WindowTest, PassThroughHandlerChangesNothingTheApplicationSees)
{
    RunScenario(false);  // the first showing of a process differs; warm up
    const ScenarioRecord plain = RunScenario(false);
    const ScenarioRecord hooked = RunScenario(true);
    EXPECT_GT(plain.messages.size(), 100u);
    EXPECT_TRUE(msgseq::SameSequence(plain.messages, hooked.messages));
    EXPECT_EQ(plain.events, hooked.events);
    const auto has = [&](const std::string& entry) {
        return std::find(plain.events.begin(), plain.events.end(), entry) != plain.events.end();
    };
    EXPECT_TRUE(has("event Edit2Enter"));
    EXPECT_TRUE(has("event Button2Click"));
    EXPECT_TRUE(has("event ListBox1Click"));
    EXPECT_TRUE(has("final 北京 0 1")) << plain.events.back();
}

// ---- exceptions

TEST_F(WindowTest, ExceptionInAHandlerGoesToTheDefaultHandler)
{
    LookupForm f;
    f.button->OnClick = TNotifyEvent([](TObject*) { throw Exception("查询失败"); });
    f.form->Show();
    Pump();

    std::string caption;
    std::string text;
    uitest::CallAfter(200, [&] {
        const HWND box = uitest::FindThreadDialog();
        if (!box)
            return;
        caption = uitest::WindowText(box);
        text = uitest::ChildTexts(box);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    Application->SetTitle("Zelvorin");
    SendMessageA(f.button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(caption, "Zelvorin");
    EXPECT_NE(text.find("查询失败"), std::string::npos) << text;

    std::string reported;
    Application->OnException = TExceptionEvent([&](TObject* sender, const std::exception& error) {
        EXPECT_NE(sender, nullptr);
        reported = error.what();
    });
    SendMessageA(f.button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(reported, "查询失败");
    Application->OnException.Clear();
}

} // namespace

// Columns added, changed and removed while the list view's window exists show in the window at once.
TEST_F(WindowTest, ListViewColumnsChangedOnAShownWindowReachTheWindow)
{
    TForm form(nullptr);
    form.SetBounds(100, 100, 400, 300);
    auto* view = new TListView(&form);
    view->SetViewStyle(vsReport);
    view->SetBounds(8, 8, 360, 240);
    view->SetParent(&form);
    form.Show();
    const HWND header = reinterpret_cast<HWND>(SendMessageA(view->Handle(), LVM_GETHEADER, 0, 0));
    ASSERT_NE(header, nullptr);
    const auto captionOf = [&](int index) {
        char text[64]{};
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT;
        column.pszText = text;
        column.cchTextMax = sizeof text;
        SendMessageA(view->Handle(), LVM_GETCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
        return std::string(text);
    };

    TListColumn* first = view->Columns().Add();
    first->SetCaption("省份");
    first->SetWidth(80);
    TListColumn* second = view->Columns().Add();
    second->SetCaption("邮编");
    EXPECT_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(captionOf(0), "省份");
    EXPECT_EQ(captionOf(1), "邮编");
    EXPECT_EQ(SendMessageA(view->Handle(), LVM_GETCOLUMNWIDTH, 0, 0), 80);

    delete first;
    EXPECT_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 1);
    EXPECT_EQ(captionOf(0), "邮编");
}

TEST_F(WindowTest, HeaderSectionsAddedToAShownHeaderReachTheWindow)
{
    TForm form(nullptr);
    form.SetBounds(100, 100, 400, 300);
    auto* header = new THeaderControl(&form);
    header->SetBounds(8, 8, 360, 20);
    header->SetParent(&form);
    form.Show();
    header->Sections().Add()->SetText("省份");
    header->Sections().Add()->SetText("邮编");
    EXPECT_EQ(SendMessageA(header->Handle(), HDM_GETITEMCOUNT, 0, 0), 2);
    char text[32]{};
    HDITEMA item{};
    item.mask = HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(header->Handle(), HDM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, "邮编");
}
