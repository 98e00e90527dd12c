// Which controls of a skinned window are offered a skinner, in which order,
// and what the opt-outs do: the skin data's DisableTag, its OnSkinControl
// event (which replaces the table for a control), its Skin3rd lines (which
// beat the built-in table, case-insensitively), and the gates of
// SkinControls. A live skinned form hands its controls to the assignment
// when it initialises and takes every skinner off again when it is unskinned.
#include "tests/win/skin_control_support.h"
#include "tests/win/skin_form_support.h"

#include "skin/chrome/WinSkinForm.h"
#include "skin/load/AnsiText.h"
#include "skin/model/ControlAssignment.h"
#include "skin/model/SkinMessages.h"
#include "skin/model/WinSkinDlg.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

#include <gtest/gtest.h>

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

namespace {

using skincontroltest::PassThroughSkinner;
using skincontroltest::TestHost;

struct Offer {
    std::string className;
    TControl* control;
    TControl* parent;
};

class AssignmentTest : public ::testing::Test {
protected:
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

    TControlAssignment Assignment()
    {
        return TControlAssignment({host, host.List, host.Skin, host.Canvas, formSkinner, nullptr, true});
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
