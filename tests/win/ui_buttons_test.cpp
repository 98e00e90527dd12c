// The button family on real windows: check state and its cycle, radio groups
// through the system, the radio group box, the glyph button's kinds and its
// own drawing, and the window-less speed button's down state and groups.
#include "tests/win/ui_window_support.h"

#include "ui/Buttons.h"
#include "ui/Forms.h"
#include "ui/Properties.h"
#include "ui/RadioGroup.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using uitest::Pump;

constexpr COLORREF kGlyphColour = RGB(0x20, 0xC0, 0x40);

template <class T>
T* Make(TWinControl* parent, int left, int top, int width, int height)
{
    auto* control = new T(parent);
    control->SetBounds(left, top, width, height);
    control->SetParent(parent);
    return control;
}

// A glyph of `cells` cells, each a square of its own colour on a magenta ground.
void MakeGlyph(TBitmap& glyph, int cells, const COLORREF* colours)
{
    glyph.SetSize(16 * cells, 16);
    TCanvas& canvas = glyph.Canvas();
    canvas.Brush().SetColor(static_cast<TColor>(RGB(255, 0, 255)));
    canvas.FillRect(RECT{0, 0, 16 * cells, 16});
    for (int i = 0; i < cells; ++i) {
        canvas.Brush().SetColor(static_cast<TColor>(colours[i]));
        canvas.FillRect(RECT{16 * i + 3, 3, 16 * i + 13, 13});
    }
}

int CountColour(HWND window, const RECT& area, COLORREF colour)
{
    const HDC dc = GetDC(window);
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += GetPixel(dc, x, y) == colour ? 1 : 0;
    ReleaseDC(window, dc);
    return count;
}

class ButtonsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { Application->Initialize(); }
    void SetUp() override
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(150, 120, 360, 280);
        form->Show();
        Pump();
    }
    void TearDown() override
    {
        form.reset();
        Pump(20);
    }
    void ClickAt(TControl& control, int x, int y)
    {
        const HWND window = form->Handle();
        const LPARAM at = MAKELPARAM(control.Left() + x, control.Top() + y);
        SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(window, WM_LBUTTONUP, 0, at);
    }

    std::unique_ptr<TForm> form;
};

TEST_F(ButtonsTest, CheckBoxCyclesThroughItsStatesAndReportsEachClick)
{
    auto* box = Make<TCheckBox>(form.get(), 10, 10, 120, 20);
    box->SetCaption("包含港澳");
    int clicks = 0;
    box->OnClick = TNotifyEvent([&](TObject*) { ++clicks; });
    EXPECT_EQ(box->State(), cbUnchecked);

    SendMessageA(box->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(box->Checked());
    SendMessageA(box->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(box->State(), cbUnchecked);
    EXPECT_EQ(clicks, 2);

    box->SetAllowGrayed(true);
    SendMessageA(box->Handle(), BM_CLICK, 0, 0);
    SendMessageA(box->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(box->State(), cbGrayed);
    EXPECT_EQ(SendMessageA(box->Handle(), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    SendMessageA(box->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(box->State(), cbUnchecked);
    EXPECT_EQ(clicks, 5);

    // Set in code: no click, and the state survives a new window.
    box->SetChecked(true);
    box->SetAlignment(taLeftJustify);
    EXPECT_TRUE(box->Checked());
    EXPECT_NE(GetWindowLongPtrA(box->Handle(), GWL_STYLE) & BS_LEFTTEXT, 0);
    EXPECT_EQ(clicks, 5);
}

TEST_F(ButtonsTest, PublishedPropertiesReadAndWriteByName)
{
    auto* box = Make<TCheckBox>(form.get(), 10, 10, 120, 20);
    ui::SetPropText(box, "state", "cbGrayed");
    EXPECT_EQ(box->State(), cbGrayed);
    ui::SetPropText(box, "Checked", "True");
    EXPECT_EQ(ui::GetEnumPropText(box, "State"), "cbChecked");
    EXPECT_EQ(ui::GetEnumPropText(box, "Alignment"), "taRightJustify");

    auto* radio = Make<TRadioButton>(form.get(), 10, 40, 120, 20);
    ui::SetPropText(radio, "Checked", "True");
    EXPECT_TRUE(radio->Checked());

    auto* bit = Make<TBitBtn>(form.get(), 10, 70, 90, 28);
    ui::SetPropText(bit, "Layout", "blGlyphTop");
    ui::SetPropText(bit, "NumGlyphs", "9");
    ui::SetPropText(bit, "Margin", "3");
    EXPECT_EQ(bit->Layout(), blGlyphTop);
    EXPECT_EQ(bit->NumGlyphs(), 4);
    EXPECT_EQ(ui::GetIntProp(bit, "margin"), 3);
    EXPECT_EQ(ui::GetIntProp(bit, "Spacing"), 4);
    EXPECT_NE(ui::GetObjectPropOf<TBitmap>(bit, "Glyph"), nullptr);

    auto* speed = Make<TSpeedButton>(form.get(), 10, 110, 30, 30);
    for (const char* name : {"TCheckBox", "TRadioButton", "TRadioGroup", "TBitBtn", "TSpeedButton"})
        EXPECT_NE(ui::GetClass(name), nullptr) << name << " is known to the form reader";
    ui::SetPropText(speed, "GroupIndex", "2");
    ui::SetPropText(speed, "Down", "True");
    ui::SetPropText(speed, "Flat", "True");
    EXPECT_EQ(ui::GetEnumPropText(speed, "down"), "True");
    EXPECT_TRUE(speed->Flat());
}

TEST_F(ButtonsTest, RadioButtonsOfOneParentCheckOneAtATime)
{
    auto* first = Make<TRadioButton>(form.get(), 10, 10, 120, 20);
    auto* second = Make<TRadioButton>(form.get(), 10, 35, 120, 20);
    auto* third = Make<TRadioButton>(form.get(), 10, 60, 120, 20);
    int clicks = 0;
    second->OnClick = TNotifyEvent([&](TObject*) { ++clicks; });

    first->SetChecked(true);
    SendMessageA(second->Handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(first->Checked());
    EXPECT_TRUE(second->Checked());
    EXPECT_EQ(clicks, 1);

    third->SetChecked(true);
    EXPECT_FALSE(second->Checked());
    EXPECT_TRUE(third->Checked());
    EXPECT_EQ(clicks, 1);
}

TEST_F(ButtonsTest, RadioGroupMakesOneButtonPerItemAndFollowsClicks)
{
    auto* group = Make<TRadioGroup>(form.get(), 10, 10, 300, 120);
    group->SetCaption("大洲");
    group->SetColumns(2);
    for (const char* item : {"亚洲", "欧洲", "非洲", "美洲"})
        group->Items().Add(item);
    ASSERT_EQ(group->ButtonCount(), 4);
    EXPECT_EQ(group->Button(2)->Caption(), "非洲");
    // Two columns: the third item starts the second.
    EXPECT_GT(group->Button(2)->Left(), group->Button(0)->Left());
    EXPECT_EQ(group->Button(2)->Top(), group->Button(0)->Top());
    EXPECT_EQ(group->ItemIndex(), -1);

    int clicks = 0;
    group->OnClick = TNotifyEvent([&](TObject*) { ++clicks; });
    group->SetItemIndex(1);
    EXPECT_TRUE(group->Button(1)->Checked());
    EXPECT_EQ(clicks, 0);

    SendMessageA(group->Button(3)->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(group->ItemIndex(), 3);
    EXPECT_FALSE(group->Button(1)->Checked());
    EXPECT_EQ(clicks, 1);

    group->Items().Delete(3);
    EXPECT_EQ(group->ButtonCount(), 3);
    EXPECT_EQ(group->ItemIndex(), -1);

    // A disabled group shows its items disabled, those added later too.
    group->SetEnabled(false);
    group->Items().Add("美洲");
    for (int i = 0; i < group->ButtonCount(); ++i)
        EXPECT_FALSE(IsWindowEnabled(group->Button(i)->Handle())) << i;
    group->SetEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(group->Button(0)->Handle()));
}

TEST_F(ButtonsTest, BitBtnKindsSetCaptionResultAndKeys)
{
    auto* ok = Make<TBitBtn>(form.get(), 10, 10, 90, 28);
    ok->SetKind(bkOK);
    auto* cancel = Make<TBitBtn>(form.get(), 110, 10, 90, 28);
    cancel->SetKind(bkCancel);
    EXPECT_EQ(ok->Caption(), "确定");
    EXPECT_EQ(ok->ModalResult(), mrOk);
    EXPECT_TRUE(ok->Default());
    EXPECT_TRUE(cancel->Cancel());
    EXPECT_EQ(cancel->ModalResult(), mrCancel);
    // The framework draws it; the style stays owner-drawn when it becomes the default.
    EXPECT_EQ(GetWindowLongPtrA(ok->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    ok->SetFocus();
    Pump(20);
    EXPECT_EQ(GetWindowLongPtrA(ok->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);

    int okClicks = 0;
    int cancelClicks = 0;
    ok->OnClick = TNotifyEvent([&](TObject*) { ++okClicks; });
    cancel->OnClick = TNotifyEvent([&](TObject*) { ++cancelClicks; });
    form->Perform(CM_DIALOGKEY, VK_ESCAPE, 0);
    EXPECT_EQ(cancelClicks, 1);
    SendMessageA(ok->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(okClicks, 1);
}

TEST_F(ButtonsTest, BitBtnDrawsItsGlyphCellForTheState)
{
    auto* button = Make<TBitBtn>(form.get(), 10, 10, 100, 40);
    const COLORREF colours[] = {kGlyphColour, RGB(0x80, 0x80, 0x80)};
    MakeGlyph(button->Glyph(), 2, colours);
    button->SetNumGlyphs(2);
    button->SetCaption("");
    Pump(120);
    const RECT all{0, 0, 100, 40};
    EXPECT_EQ(CountColour(button->Handle(), all, kGlyphColour), 100);
    EXPECT_EQ(CountColour(button->Handle(), all, RGB(255, 0, 255)), 0);

    button->SetEnabled(false);
    Pump(120);
    EXPECT_EQ(CountColour(button->Handle(), all, kGlyphColour), 0);
    EXPECT_EQ(CountColour(button->Handle(), all, RGB(0x80, 0x80, 0x80)), 100);
}

TEST_F(ButtonsTest, SpeedButtonsKeepOneDownPerGroup)
{
    auto* left = Make<TSpeedButton>(form.get(), 10, 10, 30, 30);
    auto* right = Make<TSpeedButton>(form.get(), 50, 10, 30, 30);
    auto* plain = Make<TSpeedButton>(form.get(), 90, 10, 30, 30);
    left->SetGroupIndex(1);
    right->SetGroupIndex(1);
    int clicks = 0;
    left->OnClick = TNotifyEvent([&](TObject*) { ++clicks; });
    plain->OnClick = TNotifyEvent([&](TObject*) { ++clicks; });

    ClickAt(*left, 5, 5);
    EXPECT_TRUE(left->Down());
    ClickAt(*right, 5, 5);
    EXPECT_TRUE(right->Down());
    EXPECT_FALSE(left->Down());
    // Without AllowAllUp the last one down stays down.
    ClickAt(*right, 5, 5);
    EXPECT_TRUE(right->Down());
    right->SetAllowAllUp(true);
    ClickAt(*right, 5, 5);
    EXPECT_FALSE(right->Down());

    ClickAt(*plain, 5, 5);
    plain->SetDown(true);
    EXPECT_FALSE(plain->Down());
    EXPECT_EQ(clicks, 2);
}

} // namespace
