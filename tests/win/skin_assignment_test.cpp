// Which controls of a skinned window are offered a skinner, in which order,
// and what the opt-outs do: the skin data's DisableTag, its OnSkinControl
// event (which replaces the table for a control), its Skin3rd lines (which
// beat the built-in table, case-insensitively), and the gates of
// SkinControls. A live skinned form hands its controls to the assignment
// when it initialises and takes every skinner off again when it is unskinned.
#include "tests/win/skin_control_support.h"
#include "tests/win/skin_form_support.h"
#include "tests/win/skin_glyph_controls.h"

#include "skin/chrome/MenuItemPainter.h"
#include "skin/chrome/WinSkinForm.h"
#include "skin/load/AnsiText.h"
#include "skin/model/ControlAssignment.h"
#include "skin/model/SkinMessages.h"
#include "skin/model/WinSkinDlg.h"
#include "skin/controls/SkinBitButton.h"
#include "skin/controls/SkinObjImage.h"
#include "ui/Buttons.h"
#include "ui/ExtCtrls.h"
#include "ui/StatusBar.h"
#include "ui/ToolBar.h"
#include "ui/MediaPlayer.h"
#include "ui/DateTimePicker.h"
#include "ui/TabSet.h"
#include "ui/PageControl.h"
#include "ui/Picture.h"
#include "skin/controls/SkinTab.h"
#include "ui/UpDown.h"
#include "ui/TrackBar.h"
#include "ui/ProgressBar.h"
#include "ui/WndProcThunk.h"
#include "ui/Handles.h"
#include "ui/ComCtrls.h"
#include "ui/TreeView.h"
#include "ui/ScrollBox.h"
#include "ui/ScrollBar.h"
#include "ui/Memo.h"
#include "ui/HeaderControl.h"
#include "ui/ComboBox.h"
#include "ui/CoolBar.h"
#include "ui/Frames.h"
#include "ui/Menus.h"
#include "ui/Properties.h"
#include "ui/RadioGroup.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Containers of other control libraries, known to the table by class name only.
class TMVCPanel : public TWinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    explicit TMVCPanel(TComponent* owner) : TWinControl(owner) {}
};
constinit const TClassInfo TMVCPanel::ClassInfo = ui::ClassOf<TMVCPanel>("TMVCPanel", TWinControl::ClassInfo);

class TRzRadioGroupLike : public TCustomGroupBox {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    explicit TRzRadioGroupLike(TComponent* owner) : TCustomGroupBox(owner) {}
};
constinit const TClassInfo TRzRadioGroupLike::ClassInfo =
    ui::ClassOf<TRzRadioGroupLike>("TMyRadioGroup", TCustomGroupBox::ClassInfo);

class TWidgetPanel : public TCustomPanel {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    explicit TWidgetPanel(TComponent* owner) : TCustomPanel(owner) {}
};
constinit const TClassInfo TWidgetPanel::ClassInfo = ui::ClassOf<TWidgetPanel>("TWidgetPanel", TCustomPanel::ClassInfo);


// A button of another library whose kind property picks a drop-down button.
enum TCxButtonKind { cxbkStandard, cxbkDropDown, cxbkDropDownButton };
constexpr std::string_view kCxButtonKindNames[] = {"cxbkStandard", "cxbkDropDown", "cxbkDropDownButton"};
constinit const ui::TEnumInfo CxButtonKindInfo{"TcxButtonKind", kCxButtonKindNames};

class TcxButton : public TButton {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TcxButton>& p)
    {
        p.Enum("Kind", CxButtonKindInfo, &TcxButton::Kind, &TcxButton::SetKind);
    }
    explicit TcxButton(TComponent* owner) : TButton(owner) {}
    TCxButtonKind Kind() const { return kind_; }
    void SetKind(TCxButtonKind kind) { kind_ = kind; }

private:
    TCxButtonKind kind_ = cxbkStandard;
};
constinit const TClassInfo TcxButton::ClassInfo = ui::ClassOf<TcxButton>("TcxButton", TButton::ClassInfo);

// A plain button under another name, for the Skin3rd lines.
class TOtherButton : public TButton {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    explicit TOtherButton(TComponent* owner) : TButton(owner) {}
};
constinit const TClassInfo TOtherButton::ClassInfo = ui::ClassOf<TOtherButton>("TOtherButton", TButton::ClassInfo);

class TRzRadioButtonLike : public TRadioButton {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    explicit TRzRadioButtonLike(TComponent* owner) : TRadioButton(owner) {}
};
constinit const TClassInfo TRzRadioButtonLike::ClassInfo =
    ui::ClassOf<TRzRadioButtonLike>("TRzRadioButton", TRadioButton::ClassInfo);

// An edit of another library with buttons of its own.
class TDCEdit : public TWinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TDCEdit>& p) { p.Integer("NumButtons", &TDCEdit::NumButtons, &TDCEdit::SetNumButtons); }
    explicit TDCEdit(TComponent* owner) : TWinControl(owner) {}
    int NumButtons() const { return buttons_; }
    void SetNumButtons(int value) { buttons_ = value; }

private:
    int buttons_ = 0;
};
constinit const TClassInfo TDCEdit::ClassInfo = ui::ClassOf<TDCEdit>("TDCEdit", TWinControl::ClassInfo);

// A paged control of another library that draws its tabs from two pictures
// in its page style 4.
class TAdvPageControl : public TWinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TAdvPageControl>& p)
    {
        p.Integer("PageStyle", &TAdvPageControl::PageStyle, &TAdvPageControl::SetPageStyle);
        p.Object("TabBackGround", &TAdvPageControl::TabBackGround);
        p.Object("TabBackGroundActive", &TAdvPageControl::TabBackGroundActive);
    }
    explicit TAdvPageControl(TComponent* owner) : TWinControl(owner) {}
    int PageStyle() const { return style_; }
    void SetPageStyle(int value) { style_ = value; }
    TPicture* TabBackGround() const { return tab_.get(); }
    TPicture* TabBackGroundActive() const { return active_.get(); }

private:
    int style_ = 4;
    std::unique_ptr<TPicture> tab_ = std::make_unique<TPicture>();
    std::unique_ptr<TPicture> active_ = std::make_unique<TPicture>();
};
constinit const TClassInfo TAdvPageControl::ClassInfo =
    ui::ClassOf<TAdvPageControl>("TAdvPageControl", TWinControl::ClassInfo);

// The tabbed notebook of the older library, known to the table by name.
class TTabbedNotebook : public TCustomTabControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    explicit TTabbedNotebook(TComponent* owner) : TCustomTabControl(owner) {}

protected:
    int TabCount() const override { return 1; }
    std::string TabCaption(int) const override { return "页"; }
};
constinit const TClassInfo TTabbedNotebook::ClassInfo =
    ui::ClassOf<TTabbedNotebook>("TTabbedNotebook", TCustomTabControl::ClassInfo);

namespace {

using skincontroltest::PassThroughSkinner;
using skincontroltest::TestHost;

struct Offer {
    std::string className;
    TControl* control;
    TControl* parent;
};

class AssignmentTest : public ::testing::Test {
public:
    static void SetUpTestSuite() { Application->Initialize(); }

    void SetUp() override
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(100, 100, 400, 300);
        host.Skin.OnSkinControl = TOnSkinControl(
            [this](TComponent*, TSkinData*, TControl* parent, TControl* control, std::string name, TComponent*& result) {
                offers.push_back({name, control, parent});
                if (skinThis == control)
                    result = new PassThroughSkinner(control);
            });
    }
    void TearDown() override
    {
        host.List.UnskinAll();
        form.reset();
    }

    template <class T>
    T* Place(TWinControl& parent, int left = 10, int top = 10, int width = 80, int height = 24)
    {
        auto* control = new T(form.get());
        control->SetBounds(left, top, width, height);
        control->SetParent(&parent);
        return control;
    }

    TControlAssignment Assignment(TMenuItemPainter* menuPainter = nullptr)
    {
        return TControlAssignment({host, host.List, host.Skin, host.Canvas, formSkinner, menuPainter, true});
    }

    // The class names offered, in order.
    std::vector<std::string> Offered() const
    {
        std::vector<std::string> names;
        for (const Offer& offer : offers)
            names.push_back(offer.className);
        return names;
    }

    bool WasOffered(const TControl* control) const
    {
        for (const Offer& offer : offers) {
            if (offer.control == control)
                return true;
        }
        return false;
    }


    // The class of the skinner the control got; empty for none.
    std::string SkinnerOf(const TControl* control) const
    {
        for (const TSkinControl* skinner : host.List.Controls()) {
            if (skinner->Control() == control)
                return std::string(skinner->ClassName());
        }
        return {};
    }
    std::string SkinnerOf(HWND window) const
    {
        const TSkinControl* skinner = host.List.Find(window);
        return skinner ? std::string(skinner->ClassName()) : std::string();
    }

    TestHost host;
    TComponent formSkinner{nullptr};
    std::unique_ptr<TForm> form;
    std::vector<Offer> offers;
    TControl* skinThis = nullptr;
};

TEST_F(AssignmentTest, EveryControlIsOfferedThroughOwnershipContainersAndTabOrder)
{
    auto* group = Place<TGroupBox>(*form, 10, 10, 200, 120);
    auto* edit = Place<TEdit>(*group, 10, 20);
    auto* button = Place<TButton>(*group, 10, 60);
    auto* list = Place<TListBox>(*form, 220, 10, 100, 120);
    form->Show();

    Assignment().AssignSkinners(*form);

    // Owned components first, the group's children through the group; no
    // skinner took any, so the tab-order pass offers them again.
    ASSERT_GE(offers.size(), 4u);
    EXPECT_EQ(offers[0].control, group);
    EXPECT_EQ(offers[0].parent, form.get());
    EXPECT_TRUE(WasOffered(edit));
    EXPECT_TRUE(WasOffered(button));
    EXPECT_TRUE(WasOffered(list));
    for (const Offer& offer : offers)
        EXPECT_EQ(offer.className, UpperCaseAscii(offer.control->ClassName())) << "the class name is upper-cased";
}

TEST_F(AssignmentTest, OnSkinControlReplacesTheTableAndItsSkinnerIsAttachedOnce)
{
    auto* button = Place<TButton>(*form);
    form->Show();
    skinThis = button;

    Assignment().AssignSkinners(*form);

    ASSERT_EQ(host.List.Controls().size(), 1u);
    EXPECT_EQ(host.List.Controls()[0]->Control(), button);
    EXPECT_EQ(SendMessageA(button->Handle(), SKM_ISSKINNED, 0, 0), 1);

    // Offered again (a rescan), a skinned control is left alone.
    offers.clear();
    Assignment().AssignSkinners(*form);
    EXPECT_FALSE(WasOffered(button));
    EXPECT_EQ(host.List.Controls().size(), 1u);
}

TEST_F(AssignmentTest, APanelTheEventSkinsStillHasItsChildrenOffered)
{
    auto* panel = Place<TPanel>(*form, 10, 10, 200, 100);
    auto* inner = Place<TButton>(*panel);
    form->Show();
    skinThis = panel;

    Assignment().AssignControl(*panel, form.get());

    EXPECT_EQ(SendMessageA(panel->Handle(), SKM_ISSKINNED, 0, 0), 1);
    ASSERT_EQ(offers.size(), 2u);
    EXPECT_EQ(offers[1].control, inner);
    EXPECT_EQ(offers[1].parent, panel);
}

TEST_F(AssignmentTest, DisableTagKeepsAControlAndARadioGroupsButtonsUnskinned)
{
    auto* tagged = Place<TButton>(*form, 10, 10);
    tagged->SetTag(host.Skin.DisableTag);
    auto* group = Place<TRzRadioGroupLike>(*form, 10, 50, 200, 100);
    auto* first = Place<TButton>(*group, 10, 20);
    auto* second = Place<TButton>(*group, 10, 50);
    group->SetTag(host.Skin.DisableTag);
    form->Show();

    Assignment().AssignSkinners(*form);
    EXPECT_FALSE(WasOffered(tagged));
    EXPECT_FALSE(WasOffered(group));
    EXPECT_EQ(first->Tag(), host.Skin.DisableTag);
    EXPECT_EQ(second->Tag(), host.Skin.DisableTag);

    // Reached later by another path, the group's buttons still get nothing.
    group->SetTag(0);
    offers.clear();
    Assignment().AssignControl(*group, form.get());
    EXPECT_TRUE(WasOffered(group));
    EXPECT_FALSE(WasOffered(first));
    EXPECT_FALSE(WasOffered(second));
}

TEST_F(AssignmentTest, AnotherTaggedContainerKeepsItsChildrensTags)
{
    auto* panel = Place<TPanel>(*form, 10, 10, 200, 100);
    auto* inner = Place<TButton>(*panel);
    panel->SetTag(host.Skin.DisableTag);
    form->Show();
    Assignment().AssignControl(*panel, form.get());
    EXPECT_EQ(inner->Tag(), 0);
}

TEST_F(AssignmentTest, ContainersHandTheirChildrenOnByClassAndGate)
{
    auto* mvc = Place<TMVCPanel>(*form, 10, 10, 150, 100);
    auto* inMvc = Place<TButton>(*mvc);
    auto* group = Place<TGroupBox>(*form, 170, 10, 150, 100);
    auto* inGroup = Place<TButton>(*group, 10, 20);
    auto* panel = Place<TPanel>(*form, 10, 120, 150, 100);
    auto* inPanel = Place<TButton>(*panel);
    form->Show();

    Assignment().AssignChildren(*form);
    EXPECT_TRUE(WasOffered(inMvc));
    EXPECT_TRUE(WasOffered(inGroup));
    EXPECT_TRUE(WasOffered(inPanel));

    // Without the panel gate, group boxes and panels keep their children to
    // themselves; the class-name container does not depend on it.
    host.Skin.SkinControls.Exclude(xcPanel);
    host.List.UnskinAll();
    offers.clear();
    Assignment().AssignChildren(*form);
    EXPECT_TRUE(WasOffered(inMvc));
    EXPECT_FALSE(WasOffered(inGroup));
    EXPECT_FALSE(WasOffered(inPanel));
}

TEST_F(AssignmentTest, Skin3rdLinesBeatTheTableWhateverTheirCase)
{
    auto* panel = Place<TWidgetPanel>(*form, 10, 10, 150, 100);
    auto* inner = Place<TButton>(*panel);
    form->Show();
    const auto offeredInner = [&](std::vector<std::string> lines) {
        TStringList list;
        for (const std::string& line : lines)
            list.Add(line);
        host.Skin.SetSkin3rd(list);
        host.List.UnskinAll();
        offers.clear();
        Assignment().AssignControl(*panel, form.get());
        return WasOffered(inner);
    };

    EXPECT_TRUE(offeredInner({})) << "the built-in table: a panel's children";
    EXPECT_FALSE(offeredInner({"TWidgetPanel=nil"})) << "nil attaches nothing";
    EXPECT_FALSE(offeredInner({"twidgetpanel=NoSuchKind"})) << "an unknown kind leaves the control as it is";
    EXPECT_TRUE(offeredInner({"TWIDGETPANEL=Container"}));
    EXPECT_TRUE(offeredInner({"twidgetpanel=container"}));
    EXPECT_FALSE(offeredInner({"TWidgetPanel=nil", "TWidgetPanel=container"})) << "the first line decides";
    EXPECT_TRUE(offeredInner({"TWidgetPanelX=nil"})) << "a longer class name is another class";
}

TEST_F(AssignmentTest, ScrollBarsAreThoseOfTheStyleOrOfAListBox)
{
    auto* list = Place<TListBox>(*form);
    auto* edit = Place<TEdit>(*form, 10, 40);
    auto* memoLike = Place<TPanel>(*form, 10, 80);
    form->Show();
    EXPECT_TRUE(TControlAssignment::HasScrollBars(*list));
    EXPECT_FALSE(TControlAssignment::HasScrollBars(*edit));
    SetWindowLongPtrA(memoLike->Handle(), GWL_STYLE, GetWindowLongPtrA(memoLike->Handle(), GWL_STYLE) | WS_VSCROLL);
    EXPECT_TRUE(TControlAssignment::HasScrollBars(*memoLike));
}


// ---- the built-in table, row by row

TControl* OwnedSpeedButton(TWinControl& container)
{
    auto* button = new TSpeedButton(&container);
    button->SetBounds(10, 20, 40, 24);
    button->SetParent(&container);
    return button;
}

struct Row {
    const char* what;
    TSkinControlType gate;
    // Makes the control (and what it holds); returns the control whose skinner is checked.
    std::function<TControl*(AssignmentTest&, TForm&)> make;
    const char* skinned;
    // With the gate off a later row may take the control.
    const char* skinnedWithoutGate = "";
};

TEST_F(AssignmentTest, EachRowAttachesItsSkinnerOnlyWithItsGate)
{
    const std::vector<Row> rows{
        {"check box", xcCheckBox, [](AssignmentTest& t, TForm& f) { return t.Place<TCheckBox>(f); }, "TSkinCheckBox"},
        {"radio button", xcRadioButton, [](AssignmentTest& t, TForm& f) { return t.Place<TRadioButton>(f); },
         "TSkinRadioButton"},
        {"radio group's buttons", xcRadioButton,
         [](AssignmentTest& t, TForm& f) {
             auto* group = t.Place<TRadioGroup>(f, 10, 10, 150, 100);
             group->Items().Add("亚洲");
             group->Items().Add("欧洲");
             return group->Controls(1);
         },
         "TSkinRadioButton"},
        {"glyph button", xcBitBtn, [](AssignmentTest& t, TForm& f) { return t.Place<TBitBtn>(f); }, "TSkinBitButton"},
        {"speed button", xcSpeedButton, [](AssignmentTest& t, TForm& f) { return t.Place<TSpeedButton>(f); },
         "TSkinSpeedButton"},
        {"push button", xcButton, [](AssignmentTest& t, TForm& f) { return t.Place<TButton>(f); }, "TSkinButton"},
        {"group box", xcPanel, [](AssignmentTest& t, TForm& f) { return t.Place<TGroupBox>(f, 10, 10, 150, 80); },
         "TSkinGroupBox"},
        {"panel", xcPanel, [](AssignmentTest& t, TForm& f) { return t.Place<TPanel>(f, 10, 10, 150, 80); },
         "TSkinBox"},
        {"combo box", xcCombo, [](AssignmentTest& t, TForm& f) { return t.Place<TComboBox>(f); }, "TSkinComBox"},
        {"edit", xcEdit, [](AssignmentTest& t, TForm& f) { return t.Place<TEdit>(f); }, "TSkinEdit"},
        {"track bar", xcTrackBar, [](AssignmentTest& t, TForm& f) { return t.Place<TTrackBar>(f, 10, 10, 120, 30); },
         "TSkinTrackBar"},
        {"up-down", xcSpin, [](AssignmentTest& t, TForm& f) { return t.Place<TUpDown>(f, 10, 10, 16, 24); },
         "TSkinUpDown"},
        {"tool bar", xcToolbar, [](AssignmentTest& t, TForm& f) { return t.Place<TToolBar>(f, 0, 0, 200, 26); },
         "TSkinToolBar"},
        {"status bar", xcStatusBar, [](AssignmentTest& t, TForm& f) { return t.Place<TStatusBar>(f, 0, 0, 200, 20); },
         "TSkinStatusBar"},
        {"progress bar", xcProgress,
         [](AssignmentTest& t, TForm& f) { return t.Place<TProgressBar>(f, 10, 10, 120, 16); }, "TSkinProgress"},
        {"header control", xcPanel,
         [](AssignmentTest& t, TForm& f) { return t.Place<THeaderControl>(f, 0, 0, 200, 20); }, "TSkinHeader"},
        {"scroll bar control", xcScrollbar,
         [](AssignmentTest& t, TForm& f) { return t.Place<TScrollBar>(f, 10, 10, 150, 17); }, "TSkinScControl"},
        {"list view", xcScrollbar, [](AssignmentTest& t, TForm& f) { return t.Place<TListView>(f, 10, 10, 150, 80); },
         "TSkinListView"},
        {"list box", xcScrollbar, [](AssignmentTest& t, TForm& f) { return t.Place<TListBox>(f, 10, 10, 150, 80); },
         "TSkinScrollbar"},
        {"tree view", xcScrollbar, [](AssignmentTest& t, TForm& f) { return t.Place<TTreeView>(f, 10, 10, 150, 80); },
         "TSkinScrollbar"},
        {"scroll box", xcScrollbar,
         [](AssignmentTest& t, TForm& f) { return t.Place<TScrollBox>(f, 10, 10, 150, 80); }, "TSkinScrollbar"},
        {"rich edit", xcScrollbar, [](AssignmentTest& t, TForm& f) { return t.Place<TRichEdit>(f, 10, 10, 150, 80); },
         "TSkinScrollbar", "TSkinEdit"},
        {"memo with a bar", xcScrollbar,
         [](AssignmentTest& t, TForm& f) {
             auto* memo = t.Place<TMemo>(f, 10, 10, 150, 80);
             memo->SetScrollBars(ssVertical);
             return memo;
         },
         "TSkinScrollbar", "TSkinEdit"},
        {"media player", xcButton,
         [](AssignmentTest& t, TForm& f) { return t.Place<TMediaPlayer>(f, 10, 10, 200, 30); }, "TSkinMP"},
        {"date picker", xcEdit, [](AssignmentTest& t, TForm& f) { return t.Place<TDateTimePicker>(f); },
         "TSkinDateTime"},
        {"custom-glyph check box", xcCheckBox, [](AssignmentTest& t, TForm& f) { return t.Place<TRzCheckBox>(f); },
         "TSkinObjImage"},
        {"custom-glyph radio button", xcRadioButton,
         [](AssignmentTest& t, TForm& f) { return t.Place<TRzRadioButtonLike>(f); }, "TSkinObjImage"},
        {"property-glyph check box", xcCheckBox,
         [](AssignmentTest& t, TForm& f) { return t.Place<TcxCheckBox>(f); }, "TSkinObjImage"},
        {"time picker", xcEdit,
         [](AssignmentTest& t, TForm& f) {
             auto* picker = t.Place<TDateTimePicker>(f);
             picker->SetKind(dtkTime);
             return picker;
         },
         "TSkinEdit"},
        // Reached only through its container: owned by it and without a window.
        {"speed button in a group box", xcPanel,
         [](AssignmentTest& t, TForm& f) { return OwnedSpeedButton(*t.Place<TGroupBox>(f, 10, 10, 150, 100)); },
         "TSkinSpeedButton"},
        {"speed button in a panel", xcPanel,
         [](AssignmentTest& t, TForm& f) { return OwnedSpeedButton(*t.Place<TPanel>(f, 10, 10, 150, 100)); },
         "TSkinSpeedButton"},
    };
    host.Skin.OnSkinControl = {};
    for (const Row& row : rows) {
        for (const bool gateOn : {true, false}) {
            form = std::make_unique<TForm>(nullptr);
            form->SetBounds(100, 100, 400, 300);
            host.Skin.SkinControls = DefaultSkinControls();
            if (!gateOn)
                host.Skin.SkinControls.Exclude(row.gate);
            TControl* subject = row.make(*this, *form);
            form->Show();
            Assignment().AssignSkinners(*form);
            EXPECT_EQ(SkinnerOf(subject), gateOn ? row.skinned : row.skinnedWithoutGate) << row.what << (gateOn ? "" : ", gate off");
            host.List.UnskinAll();
        }
    }
}

TEST_F(AssignmentTest, AGlyphButtonWithoutItsGateIsNotTakenForAPlainButton)
{
    host.Skin.OnSkinControl = {};
    host.Skin.SkinControls.Exclude(xcBitBtn);
    ASSERT_TRUE(host.Skin.SkinControls.Contains(xcButton));
    auto* glyph = Place<TBitBtn>(*form);
    form->Show();
    Assignment().AssignSkinners(*form);
    EXPECT_EQ(SkinnerOf(glyph), "");
}

TEST_F(AssignmentTest, Skin3rdKindsPickTheButtonSkinnersBehindTheirGates)
{
    host.Skin.OnSkinControl = {};
    const auto skinnerBy = [&](const std::string& line, TControl& control, TSkinControlType gateOff = xcFastReport) {
        TStringList lines;
        lines.Add(line);
        host.Skin.SetSkin3rd(lines);
        host.Skin.SkinControls = DefaultSkinControls();
        host.Skin.SkinControls.Exclude(gateOff);
        host.List.UnskinAll();
        Assignment().AssignControl(control, form.get());
        return SkinnerOf(&control);
    };
    auto* other = Place<TOtherButton>(*form);
    auto* cx = Place<TcxButton>(*form, 10, 40);
    auto* speed = Place<TSpeedButton>(*form, 10, 70);
    form->Show();

    EXPECT_EQ(skinnerBy("", *other), "TSkinButton") << "the built-in table";
    EXPECT_EQ(skinnerBy("TOtherButton=nil", *other), "") << "nil beats the table";
    EXPECT_EQ(skinnerBy("TOtherButton=menubtn", *other), "TSkinMenuButton");
    EXPECT_EQ(skinnerBy("TOtherButton=Button", *other, xcButton), "");
    EXPECT_EQ(skinnerBy("TOtherButton=checkbox", *other), "TSkinCheckBox");
    EXPECT_EQ(skinnerBy("TOtherButton=RadioButton", *other), "TSkinRadioButton");
    EXPECT_EQ(skinnerBy("TOtherButton=bitbtn", *other), "TSkinBitButton");
    EXPECT_EQ(skinnerBy("TOtherButton=trackbar", *other, xcButton), "") << "its gate is the button gate";
    EXPECT_EQ(skinnerBy("TSpeedButton=speedbutton", *speed), "TSkinSpeedButton");
    EXPECT_EQ(skinnerBy("TSpeedButton=speedbutton", *speed, xcSpeedButton), "");

    EXPECT_EQ(skinnerBy("TOtherButton=pngbitbtn", *other), "TSkinBitButton");
    const auto* png = static_cast<const TSkinBitButton*>(host.List.Find(other->Handle()));
    ASSERT_NE(png, nullptr);
    EXPECT_EQ(png->PictureProperty(), "PngImage");

    EXPECT_EQ(skinnerBy("TcxButton=bitbtn", *cx), "TSkinBitButton");
    cx->SetKind(cxbkDropDownButton);
    EXPECT_EQ(skinnerBy("TcxButton=bitbtn", *cx), "TSkinMenuButton") << "its kind makes it a drop-down button";
}

TEST_F(AssignmentTest, RadioAndCheckGroupKindsSkinTheGroupsButtons)
{
    host.Skin.OnSkinControl = {};
    auto* group = Place<TWidgetPanel>(*form, 10, 10, 200, 120);
    auto* plain = Place<TRadioButton>(*group, 10, 10);
    auto* custom = Place<TRzRadioButtonLike>(*group, 10, 40);
    form->Show();
    const auto assign = [&](const char* line, TSkinControlType gateOff = xcFastReport) {
        TStringList lines;
        lines.Add(line);
        host.Skin.SetSkin3rd(lines);
        host.Skin.SkinControls = DefaultSkinControls();
        host.Skin.SkinControls.Exclude(gateOff);
        host.List.UnskinAll();
        Assignment().AssignControl(*group, form.get());
    };

    const auto glyphKind = [&](const TControl* control) {
        for (TSkinControl* skinner : host.List.Controls()) {
            if (auto* glyphs = ui::As<TSkinObjImage>(skinner); glyphs && skinner->Control() == control)
                return glyphs->UseSkinColor() ? glyphs->GlyphKind() : -1;
        }
        return 0;
    };
    assign("TWidgetPanel=RadioGroup");
    EXPECT_EQ(SkinnerOf(plain), "TSkinRadioButton");
    EXPECT_EQ(glyphKind(custom), objimageface::gkRadioButton) << "buttons drawing their own glyphs get a strip";
    assign("TWidgetPanel=radiogroup", xcRadioButton);
    EXPECT_EQ(SkinnerOf(plain), "");
    assign("TWidgetPanel=radiogroup", xcGroupBox);
    EXPECT_EQ(SkinnerOf(plain), "");
    assign("TWidgetPanel=CheckGroup");
    EXPECT_EQ(SkinnerOf(plain), "TSkinCheckBox");
    EXPECT_EQ(glyphKind(custom), objimageface::gkCheckBox);
    assign("TWidgetPanel=checkgroup", xcPanel);
    EXPECT_EQ(SkinnerOf(plain), "");
}

TEST_F(AssignmentTest, CustomGlyphControlsGetTheirGlyphKindPanelStyle)
{
    host.Skin.OnSkinControl = {};
    auto* rz = Place<TRzCheckBox>(*form, 10, 10);
    auto* radio = Place<TRzRadioButtonLike>(*form, 10, 40);
    auto* cx = Place<TcxCheckBox>(*form, 10, 70);
    form->Show();
    Assignment().AssignSkinners(*form);
    const auto kindOf = [&](const TControl* control) {
        for (TSkinControl* skinner : host.List.Controls()) {
            if (auto* glyphs = ui::As<TSkinObjImage>(skinner); glyphs && skinner->Control() == control) {
                EXPECT_TRUE(glyphs->UseSkinColor()) << control->ClassName();
                return glyphs->GlyphKind();
            }
        }
        return 0;
    };
    EXPECT_EQ(kindOf(rz), objimageface::gkCheckBox);
    EXPECT_EQ(kindOf(radio), objimageface::gkRadioButton);
    EXPECT_EQ(kindOf(cx), objimageface::gkPropertyGlyph);
}

TEST_F(AssignmentTest, DatePickerAndMediaPlayerKindsBehindTheirGates)
{
    host.Skin.OnSkinControl = {};
    auto* panel = Place<TWidgetPanel>(*form, 10, 10, 200, 30);
    form->Show();
    const auto skinnerBy = [&](const char* line, TSkinControlType gateOff = xcFastReport) {
        TStringList lines;
        lines.Add(line);
        host.Skin.SetSkin3rd(lines);
        host.Skin.SkinControls = DefaultSkinControls();
        host.Skin.SkinControls.Exclude(gateOff);
        host.List.UnskinAll();
        Assignment().AssignControl(*panel, form.get());
        return SkinnerOf(panel);
    };
    EXPECT_EQ(skinnerBy("TWidgetPanel=DateTimePicker"), "TSkinDateTime");
    EXPECT_EQ(skinnerBy("twidgetpanel=datetimepicker", xcCombo), "");
    EXPECT_EQ(skinnerBy("TWidgetPanel=MediaPlayer"), "TSkinMP");
    EXPECT_EQ(skinnerBy("TWidgetPanel=mediaplayer", xcButton), "");
}

TEST_F(AssignmentTest, ContainerKindsAndEditsWithButtonsGetTheirBoxSkinners)
{
    host.Skin.OnSkinControl = {};
    const auto skinnerBy = [&](const std::string& line, TControl& control, TSkinControlType gateOff = xcFastReport) {
        TStringList lines;
        if (!line.empty())
            lines.Add(line);
        host.Skin.SetSkin3rd(lines);
        host.Skin.SkinControls = DefaultSkinControls();
        host.Skin.SkinControls.Exclude(gateOff);
        host.List.UnskinAll();
        Assignment().AssignControl(control, form.get());
        return SkinnerOf(&control);
    };
    auto* widget = Place<TWidgetPanel>(*form, 10, 10, 150, 60);
    auto* dc = Place<TDCEdit>(*form, 10, 80);
    auto* bordered = Place<TOtherButton>(*form, 10, 110);
    auto* edit = Place<TEdit>(*form, 10, 140);
    form->Show();

    EXPECT_EQ(skinnerBy("TWidgetPanel=Panel", *widget), "TSkinBox");
    EXPECT_EQ(skinnerBy("twidgetpanel=panel", *widget), "TSkinBox") << "kinds in any case";
    EXPECT_EQ(skinnerBy("TWidgetPanel=panel", *widget, xcPanel), "");
    EXPECT_EQ(skinnerBy("TWidgetPanel=GroupBox", *widget), "TSkinGroupBox");
    EXPECT_EQ(skinnerBy("TWidgetPanel=groupbox", *widget, xcGroupBox), "");
    EXPECT_EQ(skinnerBy("TWidgetPanel=combobox", *widget, xcCombo), "");
    EXPECT_EQ(skinnerBy("TOtherButton=edit", *bordered), "") << "a button's client area is its whole window";
    EXPECT_EQ(skinnerBy("TEdit=edit", *edit), "TSkinEdit") << "an edit's border is outside its client area";

    skinnerBy("", *dc);
    EXPECT_EQ(SkinnerOf(dc->Handle()), "TSkinEdit") << "no buttons: the edit skinner, by handle";
    dc->SetNumButtons(1);
    EXPECT_EQ(skinnerBy("", *dc), "TSkinComBox");
    EXPECT_EQ(skinnerBy("", *dc, xcCombo), "");
}

TEST_F(AssignmentTest, CoolBarsFramesAndToolButtonMenusAreHandledWithoutSkinners)
{
    host.Skin.OnSkinControl = {};
    host.Skin.ButtonFaceColour = static_cast<TColor>(RGB(210, 220, 200));
    auto* cool = Place<TCoolBar>(*form, 0, 0, 300, 30);
    cool->Bands().Add()->SetText("地址");
    cool->Bands().Add()->SetText("工具");
    auto* frame = new TFrame(nullptr);
    frame->SetBounds(10, 40, 200, 100);
    frame->SetParent(form.get());
    auto* framed = new TButton(frame);
    framed->SetParent(frame);
    auto* bar = Place<TToolBar>(*form, 0, 150, 300, 26);
    TMainMenu menu(form.get());
    auto* top = new TMenuItem(&menu);
    menu.Items()->Add(top);
    auto* sub = new TMenuItem(&menu);
    top->Add(sub);
    auto* button = new TToolButton(form.get());
    button->SetToolBar(bar);
    button->SetMenuItem(top);
    form->Show();

    TMenuItemPainter painter(&host.Skin);
    host.Skin.SkinControls = DefaultSkinControls();
    host.Skin.SkinControls.Exclude(xcToolbar);
    Assignment(&painter).AssignSkinners(*form);
    EXPECT_EQ(cool->Bands().Items(0)->Color(), clBtnFace) << "the cool bar's gate is off";
    EXPECT_EQ(top->OnDrawItem.Data(), &painter) << "a tool button's menu item needs only the skinned frame";
    EXPECT_EQ(sub->OnDrawItem.Data(), &painter);
    EXPECT_EQ(SkinnerOf(frame), "") << "a frame gets no skinner";
    EXPECT_EQ(SkinnerOf(framed), "TSkinButton") << "but hands on what it owns, which the form does not";

    host.List.UnskinAll();
    host.Skin.SkinControls = DefaultSkinControls();
    Assignment().AssignControl(*cool, form.get());
    EXPECT_EQ(SkinnerOf(cool), "");
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(cool->Bands().Items(i)->Color(), host.Skin.ButtonFaceColour);
        REBARBANDINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = RBBIM_COLORS;
        SendMessageA(cool->Handle(), RB_GETBANDINFOA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(info.clrBack, RGB(210, 220, 200)) << "the band shows it";
    }
    delete frame;
}

TEST_F(AssignmentTest, ScrollKindsAndARebuiltScrollSkinner)
{
    host.Skin.OnSkinControl = {};
    auto* panel = Place<TWidgetPanel>(*form, 10, 10, 200, 150);
    auto* bar = Place<TScrollBar>(*panel, 10, 10, 150, 17);
    auto* list = Place<TListBox>(*panel, 10, 40, 150, 80);
    form->Show();
    const auto assign = [&](const char* line) {
        TStringList lines;
        lines.Add(line);
        host.Skin.SetSkin3rd(lines);
        host.List.UnskinAll();
        Assignment().AssignControl(*panel, form.get());
    };

    assign("TWidgetPanel=EmbedScrollBar");
    EXPECT_EQ(SkinnerOf(panel), "");
    EXPECT_EQ(SkinnerOf(bar), "TSkinScControl");
    EXPECT_EQ(SkinnerOf(list), "TSkinScrollbar");
    assign("TWidgetPanel=scrollbar");
    EXPECT_EQ(SkinnerOf(panel), "TSkinScrollbar");
    EXPECT_EQ(SkinnerOf(bar), "TSkinScControl") << "and its children are assigned";
    assign("TWidgetPanel=singlescrollbar");
    EXPECT_EQ(SkinnerOf(panel), "TSkinScrollbar");
    EXPECT_EQ(SkinnerOf(bar), "") << "its children are not";

    // A scrolled control's skinner replaced: one again, of the same family, for the same control.
    host.List.UnskinAll();
    host.Skin.SetSkin3rd(TStringList());
    auto* view = Place<TListView>(*form, 220, 10, 150, 80);
    Assignment().AssignControl(*list, panel);
    Assignment().AssignControl(*view, form.get());
    const TSkinControl* before = host.List.Find(list->Handle());
    ASSERT_NE(before, nullptr);
    Assignment().RebuildScrollSkinner(list->Handle());
    Assignment().RebuildScrollSkinner(view->Handle());
    EXPECT_EQ(SkinnerOf(list), "TSkinScrollbar");
    EXPECT_EQ(SkinnerOf(view), "TSkinListView");
    int forList = 0;
    for (const TSkinControl* skinner : host.List.Controls())
        forList += skinner->Control() == list ? 1 : 0;
    EXPECT_EQ(forList, 1);
    EXPECT_EQ(SendMessageA(list->Handle(), SKM_ISSKINNED, 0, 0), 1);
}

// ---- windows without framework objects

// A dialog template with no controls; the dialog makes its own children.
struct alignas(4) EmptyDialog {
    DLGTEMPLATE header{WS_POPUP | WS_CAPTION | DS_MODALFRAME, 0, 0, 10, 10, 220, 160};
    WORD menu = 0;
    WORD windowClass = 0;
    WCHAR title[7] = L"Dialog";
};

INT_PTR CALLBACK ChildMakingDialogProc(HWND dialog, UINT message, WPARAM, LPARAM) noexcept
{
    if (message != WM_INITDIALOG)
        return FALSE;
    struct Child {
        const char* cls;
        DWORD style;
        int id;
    };
    const Child children[] = {
        {"Button", BS_PUSHBUTTON, 1},     {"Button", BS_AUTOCHECKBOX, 2}, {"Button", BS_AUTORADIOBUTTON, 3},
        {"Button", BS_GROUPBOX, 4},       {"ComboBox", CBS_SIMPLE, 5},    {"Button", BS_OWNERDRAW, 6},
        {"Button", BS_PUSHBUTTON | BS_BITMAP, 7}, {"ComboBox", CBS_DROPDOWN, 8},  {"ComboBox", CBS_DROPDOWNLIST, 9},
        {"Edit", ES_AUTOHSCROLL, 10},
    };
    int top = 4;
    for (const Child& child : children) {
        CreateWindowExA(0, child.cls, "x", WS_CHILD | WS_VISIBLE | child.style, 4, top, 120, 20, dialog,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(child.id)), GetModuleHandleA(nullptr), nullptr);
        top += 22;
    }
    return TRUE;
}

TEST_F(AssignmentTest, TabControlsAreSkinnedWithTheirGateAndTheTabsPicture)
{
    host.Skin.OnSkinControl = {};
    struct Case {
        const char* what;
        std::function<TControl*(AssignmentTest&, TForm&)> make;
        const char* skinned;
    };
    const auto pageControl = [](AssignmentTest& t, TForm& f) {
        auto* pages = t.Place<TPageControl>(f, 10, 10, 200, 120);
        auto* sheet = new TTabSheet(&f);
        sheet->SetCaption("一");
        sheet->SetPageControl(pages);
        return pages;
    };
    const std::vector<Case> cases{
        {"page control", pageControl, "TSkinTab"},
        {"its page",
         [&](AssignmentTest& t, TForm& f) -> TControl* { return static_cast<TPageControl*>(pageControl(t, f))->Pages(0); },
         "TSkinTabSheet"},
        {"tab set", [](AssignmentTest& t, TForm& f) { return t.Place<TTabSet>(f, 10, 10, 200, 21); }, "TSkinTab31"},
        {"tabbed notebook", [](AssignmentTest& t, TForm& f) { return t.Place<TTabbedNotebook>(f, 10, 10, 200, 120); },
         "TSkinTab"},
        {"tab control",
         [](AssignmentTest& t, TForm& f) {
             auto* control = t.Place<TTabControl>(f, 10, 10, 200, 120);
             control->Tabs().Add("甲");
             return control;
         },
         "TSkinTab"},
    };
    for (const Case& each : cases) {
        for (const int variant : {0, 1, 2}) {
            form = std::make_unique<TForm>(nullptr);
            form->SetBounds(100, 100, 400, 300);
            host.Skin.SkinControls = DefaultSkinControls();
            host.Skin.Tabs = std::make_unique<TDataSkinBorder>("Tabs");
            if (variant != 2)
                host.Skin.Tabs->Bitmap.SetSize(100, 20);
            if (variant == 1)
                host.Skin.SkinControls.Exclude(xcTab);
            TControl* subject = each.make(*this, *form);
            form->Show();
            Assignment().AssignSkinners(*form);
            EXPECT_EQ(SkinnerOf(subject), variant == 0 ? each.skinned : "")
                << each.what << (variant == 1 ? ", gate off" : variant == 2 ? ", empty Tabs" : "");
            host.List.UnskinAll();
        }
    }
    host.Skin.Tabs.reset();
    host.Skin.SkinControls = DefaultSkinControls();
    form = std::make_unique<TForm>(nullptr);
    auto* control = Place<TTabControl>(*form, 10, 10, 200, 120);
    form->Show();
    Assignment().AssignSkinners(*form);
    EXPECT_EQ(SkinnerOf(control), "") << "a skin without Tabs";
}

TEST_F(AssignmentTest, TabKindsGiveTabSkinnersAndTabPictures)
{
    host.Skin.OnSkinControl = {};
    auto tabs = std::make_unique<TDataSkinBorder>("Tabs");
    tabs->Bitmap.SetSize(100, 20);
    tabs->Bitmap.Canvas().Brush().SetColor(static_cast<TColor>(RGB(10, 20, 30)));
    tabs->Bitmap.Canvas().FillRect(RECT{0, 0, 50, 20});
    tabs->Bitmap.Canvas().Brush().SetColor(static_cast<TColor>(RGB(200, 100, 50)));
    tabs->Bitmap.Canvas().FillRect(RECT{50, 0, 100, 20});
    tabs->FrameCount = 2;
    host.Skin.Tabs = std::move(tabs);
    const auto skinnerBy = [&](const std::string& line, TControl& control, TSkinControlType gateOff = xcFastReport) {
        TStringList lines;
        lines.Add(line);
        host.Skin.SetSkin3rd(lines);
        host.Skin.SkinControls = DefaultSkinControls();
        host.Skin.SkinControls.Exclude(gateOff);
        host.List.UnskinAll();
        Assignment().AssignControl(control, form.get());
        return SkinnerOf(&control);
    };
    auto* widget = Place<TWidgetPanel>(*form, 10, 10, 150, 60);
    auto* advanced = Place<TAdvPageControl>(*form, 10, 80, 200, 100);
    form->Show();
    EXPECT_EQ(skinnerBy("TWidgetPanel=Tab", *widget), "TSkinTab");
    EXPECT_EQ(skinnerBy("TWidgetPanel=tab", *widget, xcTab), "");

    EXPECT_EQ(skinnerBy("TAdvPageControl=AdvPageControl", *advanced), "TSkinAdvPage");
    ASSERT_NE(advanced->TabBackGround()->Graphic(), nullptr);
    ASSERT_NE(advanced->TabBackGroundActive()->Graphic(), nullptr);
    TBitmap& normal = advanced->TabBackGround()->Bitmap();
    TBitmap& active = advanced->TabBackGroundActive()->Bitmap();
    EXPECT_EQ(normal.Width(), 100);
    EXPECT_EQ(normal.Height(), 21);
    EXPECT_EQ(GetPixel(normal.Canvas().Handle(), 50, 10), RGB(10, 20, 30)) << "frame 1";
    EXPECT_EQ(GetPixel(active.Canvas().Handle(), 50, 10), RGB(200, 100, 50)) << "frame 2";
    ASSERT_NE(host.List.Find(advanced->Handle()), nullptr);
    EXPECT_TRUE(host.List.Find(advanced->Handle())->UseSkinColor()) << "panel-style";
    host.List.UnskinAll();
    EXPECT_EQ(advanced->TabBackGround()->Graphic(), nullptr) << "unskinned: the pictures go";
    EXPECT_EQ(advanced->TabBackGroundActive()->Graphic(), nullptr);

    advanced->SetPageStyle(2);
    EXPECT_EQ(skinnerBy("TAdvPageControl=advpagecontrol", *advanced), "TSkinAdvPage");
    EXPECT_EQ(advanced->TabBackGround()->Graphic(), nullptr) << "another page style draws its own tabs";
    EXPECT_EQ(skinnerBy("TAdvPageControl=advpagecontrol", *advanced, xcTab), "");

    // A bare tab control of a foreign window, unless it draws its own tabs.
    const ui::UniqueWindow tabsWindow(CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD, 0, 0, 100, 50, form->Handle(),
                                                      nullptr, GetModuleHandleA(nullptr), nullptr));
    const ui::UniqueWindow ownerDrawn(CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | TCS_OWNERDRAWFIXED, 0, 60,
                                                      100, 50, form->Handle(), nullptr, GetModuleHandleA(nullptr),
                                                      nullptr));
    Assignment().SkinHandle(tabsWindow.get());
    Assignment().SkinHandle(ownerDrawn.get());
    EXPECT_EQ(SkinnerOf(tabsWindow.get()), "TSkinTab");
    EXPECT_EQ(SkinnerOf(ownerDrawn.get()), "");
    host.List.UnskinAll();
}

TEST_F(AssignmentTest, AForeignDialogsChildrenAreSkinnedByClassAndStyle)
{
    EmptyDialog dialogTemplate;
    const ui::UniqueWindow dialog(
        CreateDialogIndirectParamA(GetModuleHandleA(nullptr), &dialogTemplate.header, nullptr, &ChildMakingDialogProc, 0));
    ASSERT_TRUE(dialog);
    Assignment().SkinChildHandles(dialog.get());
    const auto skinnerOfItem = [&](int id) { return SkinnerOf(GetDlgItem(dialog.get(), id)); };
    EXPECT_EQ(skinnerOfItem(1), "TSkinButton");
    EXPECT_EQ(skinnerOfItem(2), "TSkinCheckBox");
    EXPECT_EQ(skinnerOfItem(3), "TSkinRadioButton");
    EXPECT_EQ(skinnerOfItem(4), "") << "group box";
    EXPECT_EQ(skinnerOfItem(5), "") << "simple combo box";
    EXPECT_EQ(skinnerOfItem(6), "") << "owner-drawn button";
    EXPECT_EQ(skinnerOfItem(7), "") << "bitmap button";
    EXPECT_EQ(skinnerOfItem(8), "TSkinComBox") << "drop-down combo box";
    EXPECT_EQ(skinnerOfItem(9), "TSkinComBox") << "drop-down list";
    EXPECT_EQ(skinnerOfItem(10), "TSkinEdit");
    EXPECT_EQ(SendMessageA(GetDlgItem(dialog.get(), 1), SKM_ISSKINNED, 0, 0), 1);

    // Offered again, a window with a skinner keeps its one skinner.
    const std::size_t count = host.List.Controls().size();
    Assignment().SkinChildHandles(dialog.get());
    EXPECT_EQ(host.List.Controls().size(), count);
    host.List.UnskinAll();
}

// ---- every standard control, many times

// One of each standard control of the framework on form.
void PlaceEveryControl(TForm& form)
{
    int slot = 0;
    const auto place = [&](TControl* control, int width = 90, int height = 24) {
        control->SetBounds(8 + (slot % 4) * 100, 8 + (slot / 4) * 40, width, height);
        control->SetParent(&form);
        ++slot;
        return control;
    };
    static_cast<TButton*>(place(new TButton(&form)))->SetCaption("查询");
    place(new TEdit(&form));
    static_cast<TListBox*>(place(new TListBox(&form), 90, 36))->Items().Add("北京");
    place(new TGroupBox(&form), 90, 36);
    place(new TLabel(&form));
    place(new TListView(&form), 90, 36);
    place(new TPanel(&form), 90, 36);
    static_cast<TCheckBox*>(place(new TCheckBox(&form)))->SetState(cbGrayed);
    static_cast<TRadioButton*>(place(new TRadioButton(&form)))->SetChecked(true);
    auto* group = static_cast<TRadioGroup*>(place(new TRadioGroup(&form), 90, 36));
    group->Items().Add("亚洲");
    group->Items().Add("欧洲");
    static_cast<TBitBtn*>(place(new TBitBtn(&form)))->SetKind(bkOK);
    place(new TSpeedButton(&form));
    static_cast<TComboBox*>(place(new TComboBox(&form)))->Items().Add("上海");
    place(new TMemo(&form), 90, 36);
    place(new TRichEdit(&form), 90, 36);
    place(new TScrollBar(&form), 90, 17);
    place(new TScrollBox(&form), 90, 36);
    place(new TTreeView(&form), 90, 36);
    place(new THeaderControl(&form), 90, 20);
    static_cast<TProgressBar*>(place(new TProgressBar(&form), 90, 16))->SetPosition(40);
    place(new TTrackBar(&form), 90, 30);
    auto* spinned = static_cast<TEdit*>(place(new TEdit(&form), 60, 20));
    static_cast<TUpDown*>(place(new TUpDown(&form), 16, 20))->SetAssociate(spinned);
    auto* pages = static_cast<TPageControl*>(place(new TPageControl(&form), 90, 60));
    for (const char* caption : {"常规", "高级"}) {
        auto* sheet = new TTabSheet(&form);
        sheet->SetCaption(caption);
        sheet->SetPageControl(pages);
    }
    static_cast<TTabControl*>(place(new TTabControl(&form), 90, 40))->Tabs().Add("邮编");
    static_cast<TTabSet*>(place(new TTabSet(&form), 90, 24))->Tabs().Add("区号");
    place(new TDateTimePicker(&form), 90, 22);
    place(new TMediaPlayer(&form), 200, 30);
    auto* bar = static_cast<TToolBar*>(place(new TToolBar(&form), 90, 26));
    auto* tool = new TToolButton(&form);
    tool->SetCaption("查");
    tool->SetToolBar(bar);
    auto* status = static_cast<TStatusBar*>(place(new TStatusBar(&form), 200, 20));
    status->Panels().Add()->SetText("就绪");
}

TEST_F(AssignmentTest, AThousandFormsWithEveryControlSkinnedAndFreedLeaveNothingBehind)
{
    host.Skin.OnSkinControl = {};
    const auto cycle = [&] {
        auto every = std::make_unique<TForm>(nullptr);
        every->SetBounds(60, 60, 420, 260);
        PlaceEveryControl(*every);
        // Made but not shown: the windows exist without the cost of putting them on the screen.
        every->Handle();
        Assignment().AssignSkinners(*every);
        const bool skinnedSome = host.List.Controls().size() > 5;
        host.List.UnskinAll();
        every.reset();
        return skinnedSome;
    };
    ASSERT_TRUE(cycle());
    cycle();
    const ui::HandleSnapshot handles = ui::HandleSnapshot::Take();
    const long thunks = ui::LiveThunkCount();
    for (int i = 0; i < 1000; ++i)
        cycle();
    EXPECT_EQ(ui::HandleSnapshot::Take(), handles);
    EXPECT_EQ(ui::LiveThunkCount(), thunks);
}

// ---- the live form skinner

using LiveAssignmentTest = frametest::SkinnedFormTest;

TEST_F(LiveAssignmentTest, AFormsControlsAreSkinnedWhenItIsAndGiveTheirLookBackWhenUnskinned)
{
    TButton* button = nullptr;
    skin->OnSkinControl = TOnSkinControl([&](TComponent* sender, TSkinData* data, TControl*, TControl* control,
                                             std::string, TComponent*& result) {
        EXPECT_NE(ui::As<TWinSkinForm>(sender), nullptr) << "the form skinner asks";
        EXPECT_EQ(data, skin.get());
        if (control == button)
            result = new skincontroltest::PaintingSkinner(control);
    });
    TForm& form = ShowForm([&](TForm& f) {
        button = new TButton(&f);
        button->SetBounds(20, 20, 90, 28);
        button->SetParent(&f);
    });
    const HWND window = form.Handle();
    ASSERT_TRUE(frametest::PumpUntil([&] { return SendMessageA(button->Handle(), SKM_ISSKINNED, 0, 0) == 1; }));
    TWinSkinForm* skinner = Manager().FindFormSkinner(window);
    ASSERT_NE(skinner, nullptr);
    ASSERT_EQ(skinner->ControlSkinners().Controls().size(), 1u);
    auto* painter = static_cast<skincontroltest::PaintingSkinner*>(skinner->ControlSkinners().Controls()[0]);
    button->Invalidate();
    button->Update();
    EXPECT_GT(painter->Paints, 0);

    skin->OnSkinControl = {};
    skin->SetActive(false);
    ASSERT_TRUE(frametest::PumpUntil([&] { return SendMessageA(window, SKM_ISSKINNED, 0, 0) == 0; }));
    EXPECT_EQ(SendMessageA(button->Handle(), SKM_ISSKINNED, 0, 0), 0) << "the skinner came off with the form's";
}

} // namespace
