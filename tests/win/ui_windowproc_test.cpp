// Message layers in front of a control and the window-lifetime watchers:
// layers taken off in any order, from inside their own handler, or after
// their control is gone; a skinner that subclasses a control's window and
// follows it through RecreateWnd; what the watchers hear, and when.
#include "tests/win/ui_window_support.h"

#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using uitest::Pump;

constexpr UINT WM_PROBE = WM_APP + 21;

// A small form: a button and an edit on a group box.
struct ProbeForm {
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TGroupBox* box = nullptr;
    TButton* button = nullptr;
    TEdit* edit = nullptr;
    int clicks = 0;

    ProbeForm()
    {
        form->SetClientSize(240, 120);
        form->SetCaption("Zelvorin");
        box = new TGroupBox(form.get());
        box->SetBounds(8, 8, 220, 100);
        box->SetCaption("浏览");
        box->SetParent(form.get());
        button = new TButton(form.get());
        button->SetBounds(8, 20, 75, 25);
        button->SetCaption("查询");
        button->SetParent(box);
        button->OnClick = TNotifyEvent([this](TObject*) { ++clicks; });
        edit = new TEdit(form.get());
        edit->SetBounds(8, 56, 120, 22);
        edit->SetText("北京");
        edit->SetParent(box);
        form->HandleNeeded();
    }
};

class WindowProcTest : public ::testing::Test {
protected:
    void SetUp() override { Application->Initialize(); }

    // A layer that notes its name for WM_PROBE and passes everything on.
    TWndLayer Logging(std::string name)
    {
        return [this, name](TMessage& m, const TWndNext& next) {
            if (m.Msg == WM_PROBE)
                log.push_back(name);
            next(m);
        };
    }

    // Sends WM_PROBE to the window and returns what the layers noted.
    std::vector<std::string> Probe(HWND window)
    {
        log.clear();
        SendMessageA(window, WM_PROBE, 0, 0);
        return log;
    }

    std::vector<std::string> log;
};

using Names = std::vector<std::string>;

// The button still clicks and takes text through its window and through Perform.
void ExpectButtonWorks(ProbeForm& f, const char* text)
{
    const int before = f.clicks;
    SendMessageA(f.button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(f.clicks, before + 1);
    SetWindowTextA(f.button->Handle(), text);
    EXPECT_EQ(f.button->Caption(), text);
    EXPECT_EQ(f.button->Perform(WM_GETTEXTLENGTH, 0, 0), static_cast<LRESULT>(std::string(text).size()));
}

// ---- layers

TEST_F(WindowProcTest, TwoLayersTakenOffInEitherOrder)
{
    for (const bool outerFirst : {true, false}) {
        SCOPED_TRACE(outerFirst ? "outer first" : "inner first");
        ProbeForm f;
        const HWND window = f.button->Handle();
        ui::HookToken inner = f.button->AddWindowProc(Logging("inner"));
        ui::HookToken outer = f.button->AddWindowProc(Logging("outer"));
        EXPECT_TRUE(inner.Attached());
        EXPECT_EQ(Probe(window), (Names{"outer", "inner"}));
        ExpectButtonWorks(f, "one");

        (outerFirst ? outer : inner).Reset();
        EXPECT_FALSE((outerFirst ? outer : inner).Attached());
        EXPECT_TRUE((outerFirst ? inner : outer).Attached());
        EXPECT_EQ(Probe(window), (Names{outerFirst ? "inner" : "outer"}));
        ExpectButtonWorks(f, "two");
        log.clear();
        f.button->Perform(WM_PROBE, 0, 0);
        EXPECT_EQ(log, (Names{outerFirst ? "inner" : "outer"})) << "Perform goes through the layers too";

        (outerFirst ? inner : outer).Reset();
        EXPECT_EQ(Probe(window), Names{});
        ExpectButtonWorks(f, "three");
    }
}

TEST_F(WindowProcTest, LayersAnswerSwallowAndCloseOverAGap)
{
    ProbeForm f;
    TEdit& edit = *f.edit;
    const HWND window = edit.Handle();
    ui::HookToken inner = edit.AddWindowProc(Logging("inner"));
    ui::HookToken middle = edit.AddWindowProc([&](TMessage& m, const TWndNext& next) {
        if (m.Msg == WM_PROBE)
            log.push_back("middle");
        if (m.Msg == WM_SETTEXT)
            return;  // swallowed: the control never sees it
        if (m.Msg == WM_GETTEXTLENGTH) {
            next(m);
            m.Result += 100;  // an answer changed on its way out
            return;
        }
        next(m);
    });
    const ui::HookToken outer = edit.AddWindowProc(Logging("outer"));
    EXPECT_EQ(Probe(window), (Names{"outer", "middle", "inner"}));
    SetWindowTextA(window, "上海");
    EXPECT_EQ(edit.Text(), "北京");
    EXPECT_EQ(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0), 104);

    middle.Reset();
    EXPECT_EQ(Probe(window), (Names{"outer", "inner"}));
    SetWindowTextA(window, "上海");
    EXPECT_EQ(edit.Text(), "上海");
    EXPECT_EQ(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0), 4);

    // A new layer goes outside the ones there are.
    const ui::HookToken newest = edit.AddWindowProc(Logging("newest"));
    EXPECT_EQ(Probe(window), (Names{"newest", "outer", "inner"}));
    inner.Reset();
    EXPECT_EQ(Probe(window), (Names{"newest", "outer"}));
}

TEST_F(WindowProcTest, LayerTakenOffWhileItRuns)
{
    ProbeForm f;
    TEdit& edit = *f.edit;
    const HWND window = edit.Handle();
    const ui::HookToken inner = edit.AddWindowProc(Logging("inner"));
    ui::HookToken self;
    int selfCalls = 0;
    self = edit.AddWindowProc([&](TMessage& m, const TWndNext& next) {
        if (m.Msg == WM_GETTEXTLENGTH) {
            ++selfCalls;
            self.Reset();
            // Sent again from inside: the layer is no longer in the chain.
            EXPECT_EQ(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0), 4);
            log.push_back("after reset");
        }
        next(m);
    });
    log.clear();
    EXPECT_EQ(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0), 4) << "the message in progress completes";
    EXPECT_EQ(selfCalls, 1);
    EXPECT_EQ(log, (Names{"after reset"}));
    EXPECT_EQ(edit.Perform(WM_GETTEXTLENGTH, 0, 0), 4);
    EXPECT_EQ(selfCalls, 1);
    EXPECT_EQ(Probe(window), (Names{"inner"}));

    // An outer layer taking an inner one off before passing the message on:
    // that inner layer is skipped at once.
    ui::HookToken victim = edit.AddWindowProc(Logging("victim"));
    const ui::HookToken killer = edit.AddWindowProc([&](TMessage& m, const TWndNext& next) {
        if (m.Msg == WM_PROBE)
            victim.Reset();
        next(m);
    });
    EXPECT_EQ(Probe(window), (Names{"inner"}));

    // An inner layer taking the outer one off: the outer one finishes its message.
    ui::HookToken outer;
    const ui::HookToken remover = edit.AddWindowProc([&](TMessage& m, const TWndNext& next) {
        if (m.Msg == WM_PROBE)
            outer.Reset();
        next(m);
    });
    outer = edit.AddWindowProc([&](TMessage& m, const TWndNext& next) {
        next(m);
        if (m.Msg == WM_PROBE)
            log.push_back("outer done");
    });
    EXPECT_EQ(Probe(window), (Names{"inner", "outer done"}));
    EXPECT_EQ(Probe(window), (Names{"inner"}));

    // A layer taking itself and the next one off: the message goes past both.
    ui::HookToken next;
    ui::HookToken both;
    next = edit.AddWindowProc(Logging("next"));
    both = edit.AddWindowProc([&](TMessage& m, const TWndNext& pass) {
        both.Reset();
        next.Reset();
        pass(m);
    });
    EXPECT_EQ(Probe(window), (Names{"inner"}));
    EXPECT_EQ(edit.Perform(WM_GETTEXTLENGTH, 0, 0), 4);
}

TEST_F(WindowProcTest, TokensOutlivingTheirControl)
{
    ui::HookToken layer;
    ui::HookToken watcher;
    ui::HookToken moved;
    {
        ProbeForm f;
        layer = f.edit->AddWindowProc(Logging("layer"));
        watcher = f.edit->WatchWindow([](TWinControl&, ui::WindowChange) {});
        moved = f.button->AddWindowProc(Logging("moved"));
        ui::HookToken replaced = f.button->AddWindowProc(Logging("replaced"));
        EXPECT_EQ(Probe(f.button->Handle()), (Names{"replaced", "moved"}));
        // Assigning over a token takes its own layer off first.
        replaced = std::move(moved);
        EXPECT_FALSE(moved.Attached());
        EXPECT_EQ(Probe(f.button->Handle()), (Names{"moved"}));
        moved = std::move(replaced);
        EXPECT_TRUE(layer.Attached());
        EXPECT_TRUE(watcher.Attached());
    }
    EXPECT_FALSE(layer.Attached());
    EXPECT_FALSE(watcher.Attached());
    EXPECT_FALSE(moved.Attached());
    layer.Reset();
    watcher.Reset();
}

// ---- window lifetime

// Puts a window subclass in front of a control's window and keeps it there
// across new windows: the way a skinner follows a control.
class TestSkinner {
public:
    explicit TestSkinner(TWinControl& control)
        : watch_(control.WatchWindow([this](TWinControl& c, ui::WindowChange change) {
              if (change == ui::WindowChange::Created)
                  Attach(c.WindowHandle());
              else
                  subclass_.Remove();
          }))
    {
        if (control.HandleAllocated())
            Attach(control.WindowHandle());
    }

    const ui::WindowSubclass& Subclass() const { return subclass_; }
    // The windows that WM_PROBE reached the skinner in.
    const std::vector<HWND>& Probed() const { return probed_; }

private:
    void Attach(HWND window)
    {
        subclass_.Install(window, [this](TMessage& m) {
            if (m.Msg == WM_PROBE)
                probed_.push_back(subclass_.Window());
            subclass_.CallPrevious(m);
        });
    }

    ui::WindowSubclass subclass_;
    std::vector<HWND> probed_;
    ui::HookToken watch_;
};

TEST_F(WindowProcTest, SkinnerFollowsTheControlThroughANewWindow)
{
    const long thunks = ui::LiveThunkCount();
    std::unique_ptr<TestSkinner> survivor;
    {
        ProbeForm f;
        f.form->Show();
        Pump();
        const long withForm = ui::LiveThunkCount();
        TEdit& edit = *f.edit;
        const HWND old = edit.Handle();
        const ui::HookToken layer = edit.AddWindowProc(Logging("layer"));
        auto skinner = std::make_unique<TestSkinner>(edit);
        EXPECT_EQ(ui::LiveThunkCount(), withForm + 1);
        SendMessageA(old, WM_PROBE, 0, 0);

        edit.SetBorderStyle(bsNone);  // only a new window takes the border off
        const HWND now = edit.Handle();
        ASSERT_NE(now, old);
        EXPECT_FALSE(IsWindow(old));
        EXPECT_EQ(GetWindowLongPtrA(now, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
        EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(now, GWLP_WNDPROC)), skinner->Subclass().Proc())
            << "the skinner is in front of the new window";
        EXPECT_EQ(Probe(now), (Names{"layer"})) << "the control's layers stay";
        EXPECT_EQ(skinner->Probed(), (std::vector<HWND>{old, now}));
        EXPECT_EQ(ui::LiveThunkCount(), withForm + 1) << "the old window's thunk is gone";
        EXPECT_EQ(edit.Text(), "北京");
        SetWindowTextA(now, "上海");
        EXPECT_EQ(edit.Text(), "上海");

        // The parent's new window takes the control's with it.
        f.box->RecreateWnd();
        const HWND third = edit.Handle();
        EXPECT_NE(third, now);
        SendMessageA(third, WM_PROBE, 0, 0);
        EXPECT_EQ(skinner->Probed().back(), third);
        EXPECT_EQ(ui::LiveThunkCount(), withForm + 1);

        skinner.reset();
        EXPECT_EQ(ui::LiveThunkCount(), withForm);
        survivor = std::make_unique<TestSkinner>(edit);
        EXPECT_EQ(ui::LiveThunkCount(), withForm + 1);
    }
    EXPECT_EQ(ui::LiveThunkCount(), thunks) << "the skinner let go of the freed control's window in time";
    survivor.reset();  // its token outlived the control harmlessly
}

TEST_F(WindowProcTest, WatchersHearOfTheWholeWindow)
{
    ProbeForm f;
    auto* list = new TListBox(f.form.get());
    list->SetBounds(140, 20, 70, 60);
    list->Items().Add("大洋洲");
    list->Items().Add("北京");
    list->SetParent(f.box);
    Names heard;
    const auto watch = [&](TWinControl* control, std::string name) {
        return control->WatchWindow([&heard, control, name](TWinControl& c, ui::WindowChange change) {
            EXPECT_EQ(&c, control);
            const HWND window = c.WindowHandle();
            const bool whole = IsWindow(window) && ui::FindControl(window) == control;
            const bool created = change == ui::WindowChange::Created;
            std::string entry = (created ? "created " : "destroying ") + name;
            if (!whole)
                entry += " (no window)";
            // The framework's subclass and the window's state are in place.
            if (c.Perform(WM_GETTEXTLENGTH, 0, 0) != SendMessageA(window, WM_GETTEXTLENGTH, 0, 0))
                entry += " (not bound)";
            if (name == "list")
                entry += " " + std::to_string(SendMessageA(window, LB_GETCOUNT, 0, 0));
            else
                entry += GetWindow(window, GW_CHILD) ? " with children" : " without children";
            heard.push_back(entry);
        });
    };
    const ui::HookToken boxWatch = watch(f.box, "box");
    const ui::HookToken listWatch = watch(list, "list");
    const ui::HookToken formWatch = watch(f.form.get(), "form");

    list->SetSorted(true);
    EXPECT_EQ(heard, (Names{"destroying list 2", "created list 2"}));
    heard.clear();
    f.box->RecreateWnd();
    EXPECT_EQ(heard, (Names{"destroying box with children", "destroying list 2", "created list 2",
                            "created box with children"}));

    // Taking a control off its parent, putting it back, freeing it.
    heard.clear();
    list->SetParent(nullptr);
    EXPECT_EQ(heard, (Names{"destroying list 2"}));
    heard.clear();
    list->SetParent(f.box);
    EXPECT_EQ(heard, (Names{"created list 2"}));
    heard.clear();
    delete list;
    EXPECT_EQ(heard, (Names{"destroying list 2"}));

    // Windows destroyed from outside: the parent's first, each while still whole.
    heard.clear();
    DestroyWindow(f.form->Handle());
    EXPECT_EQ(heard, (Names{"destroying form with children", "destroying box with children"}));
    EXPECT_FALSE(f.box->HandleAllocated());
    heard.clear();
    f.form.reset();
    EXPECT_EQ(heard, Names{}) << "a window is announced gone only once";
}
TEST_F(WindowProcTest, WatcherFailureIsReportedAndOthersStillHear)
{
    ProbeForm f;
    std::string reported;
    Application->OnException = TExceptionEvent([&](TObject*, const std::exception& error) { reported = error.what(); });
    int later = 0;
    ui::HookToken second;
    const ui::HookToken first = f.edit->WatchWindow([&](TWinControl&, ui::WindowChange) {
        second.Reset();  // a watcher taken off while the others are told is not told
        throw Exception("换肤失败");
    });
    second = f.edit->WatchWindow([&](TWinControl&, ui::WindowChange) { ++later; });
    const ui::HookToken third = f.edit->WatchWindow([&](TWinControl&, ui::WindowChange) { ++later; });
    f.edit->RecreateWnd();
    Application->OnException.Clear();
    EXPECT_EQ(reported, "换肤失败");
    EXPECT_EQ(later, 2) << "the third watcher heard both changes";
    EXPECT_TRUE(IsWindow(f.edit->WindowHandle()));
}

} // namespace
