// Message layers in front of a control: taken off in any order, from inside
// their own handler, or after their control is gone.
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
    ui::HookToken moved;
    {
        ProbeForm f;
        layer = f.edit->AddWindowProc(Logging("layer"));
        moved = f.button->AddWindowProc(Logging("moved"));
        ui::HookToken replaced = f.button->AddWindowProc(Logging("replaced"));
        EXPECT_EQ(Probe(f.button->Handle()), (Names{"replaced", "moved"}));
        // Assigning over a token takes its own layer off first.
        replaced = std::move(moved);
        EXPECT_FALSE(moved.Attached());
        EXPECT_EQ(Probe(f.button->Handle()), (Names{"moved"}));
        moved = std::move(replaced);
        EXPECT_TRUE(layer.Attached());
    }
    EXPECT_FALSE(layer.Attached());
    EXPECT_FALSE(moved.Attached());
    layer.Reset();
}

} // namespace
