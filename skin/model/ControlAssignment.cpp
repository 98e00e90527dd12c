#include "skin/model/ControlAssignment.h"

#include "skin/chrome/MenuItemPainter.h"
#include "skin/controls/SkinBitButton.h"
#include "skin/controls/SkinBox.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckBox.h"
#include "skin/controls/SkinComBox.h"
#include "skin/controls/ControlList.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinDateTime.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinGroupBox.h"
#include "skin/controls/SkinHeader.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinMediaPlayer.h"
#include "skin/controls/SkinObjImage.h"
#include "skin/controls/SkinProgress.h"
#include "skin/controls/SkinScControl.h"
#include "skin/controls/SkinScrollbar.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinStatusBar.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/controls/SkinTab.h"
#include "skin/controls/SkinTabSet.h"
#include "skin/controls/SkinTrackBar.h"
#include "skin/controls/SkinUpDown.h"
#include "skin/load/AnsiText.h"
#include "skin/model/SkinMessages.h"
#include "skin/model/WinSkinData.h"
#include "ui/Buttons.h"
#include "ui/ComCtrls.h"
#include "ui/ComboBox.h"
#include "ui/CoolBar.h"
#include "ui/Control.h"
#include "ui/DateTimePicker.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/Frames.h"
#include "ui/HeaderControl.h"
#include "ui/Menus.h"
#include "ui/ProgressBar.h"
#include "ui/Properties.h"
#include "ui/RadioGroup.h"
#include "ui/ScrollBar.h"
#include "ui/ScrollBox.h"
#include "ui/StatusBar.h"
#include "ui/StdCtrls.h"
#include "ui/ToolBar.h"
#include "ui/PageControl.h"
#include "ui/TrackBar.h"
#include "ui/TreeView.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

constexpr std::size_t kMaxKindLength = 50;
constexpr int kClassNameLength = 100;

std::string WindowClassLower(HWND window)
{
    std::array<char, kClassNameLength + 1> name{};
    const int length = GetClassNameA(window, name.data(), static_cast<int>(name.size()));
    return LowerCaseAscii(std::string_view(name.data(), static_cast<std::size_t>(std::max(length, 0))));
}

bool Contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

// Panel-style, with the glyph strip the control reads for its kind.
void AttachGlyphs(TControl& control, int kind, const TAssignmentContext& context)
{
    auto* skinner = new TSkinObjImage(&control);
    skinner->SetGlyphKind(kind);
    skinner->InitControl(&context.host, &context.skinData, true, &context.canvas);
}

} // namespace

template <class Skinner>
Skinner* TControlAssignment::Attach(TControl& control, bool useSkinColor)
{
    auto* skinner = new Skinner(&control);
    skinner->InitControl(&context_.host, &context_.skinData, useSkinColor, &context_.canvas);
    return skinner;
}

template <class Skinner>
Skinner* TControlAssignment::AttachHandle(HWND window)
{
    auto* skinner = new Skinner(&context_.formSkinner);
    skinner->InitHandle(window, &context_.skinData, &context_.host, &context_.canvas);
    return skinner;
}

template <class Skinner>
Skinner* TControlAssignment::AttachScrolled(TControl& control, bool singleBar)
{
    auto* skinner = new Skinner(&control);
    if (singleBar)
        skinner->SetSingleScrollbar();
    skinner->InitScrolled(control, &context_.skinData, &context_.host, &context_.canvas);
    return skinner;
}

void TControlAssignment::AttachScrollBarControl(TControl& control)
{
    auto* skinner = new TSkinScControl(&control);
    skinner->AttachBar(control, &context_.skinData, &context_.host, &context_.canvas);
}

void TControlAssignment::RebuildScrollSkinner(HWND window)
{
    const auto controls = context_.list.Controls();
    TSkinControl* old = nullptr;
    for (auto it = controls.rbegin(); it != controls.rend() && old == nullptr; ++it) {
        if ((*it)->Handle() == window)
            old = *it;
    }
    if (old == nullptr || old->Control() == nullptr)
        return;
    TControl& control = *old->Control();
    const bool listView = ui::As<TSkinListView>(old) != nullptr;
    context_.list.UnregisterControl(*old);
    delete old;
    if (listView)
        AttachScrolled<TSkinListView>(control);
    else
        AttachScrolled<TSkinScrollbar>(control);
}

void TControlAssignment::AssignSkinners(TWinControl& form)
{
    context_.list.FreeFinishedControls();
    AssignOwned(form);
    std::vector<TWinControl*> tabOrder;
    form.GetTabOrderList(tabOrder);
    for (TWinControl* control : tabOrder) {
        if (!control->HandleAllocated() || control->Tag() == context_.skinData.DisableTag)
            continue;
        if (SendMessageA(control->Handle(), SKM_ISSKINNED, 0, 0) == 1)
            continue;
        AssignControl(*control, &form);
    }
}

void TControlAssignment::AssignOwned(TComponent& container)
{
    // A copy: attaching may make components (skinners owned by their control are not the container's).
    const std::vector<TComponent*> owned(container.ComponentList().begin(), container.ComponentList().end());
    for (TComponent* component : owned) {
        if (ui::As<TControl>(component) != nullptr)
            AssignControl(*component, ui::As<TControl>(&container));
    }
    if (context_.skinData.SkinControls.Contains(xcPopupMenu) && context_.menuPainter != nullptr)
        context_.menuPainter->SkinPopupMenus(container, true);
}

void TControlAssignment::AssignChildren(TWinControl& container)
{
    for (int i = 0; i < container.ControlCount(); ++i)
        AssignControl(*container.Controls(i), &container);
}

void TControlAssignment::DisableTree(TWinControl& container)
{
    const std::string name = LowerCaseAscii(container.ClassName());
    if (container.ControlCount() == 0 || (!Contains(name, "radiogroup") && !Contains(name, "checkgroup")))
        return;
    // The group's own buttons stay unskinned too, whoever reaches them later.
    for (int i = 0; i < container.ControlCount(); ++i)
        container.Controls(i)->SetTag(context_.skinData.DisableTag);
}

bool TControlAssignment::SkinHasTabs() const
{
    return context_.skinData.Tabs != nullptr && context_.skinData.Tabs->HasBitmap();
}

bool TControlAssignment::IsSkinned(TControl& control) const
{
    if (control.Perform(SKM_ISSKINNED, 0, 0) == 1)
        return true;
    for (const TSkinControl* skinner : context_.list.Controls()) {
        if (skinner->Control() == &control)
            return true;
    }
    return false;
}

bool TControlAssignment::HasScrollBars(const TControl& control)
{
    if (ui::As<TCustomListBox>(&control) != nullptr)
        return true;
    const auto* windowed = ui::As<TWinControl>(&control);
    if (windowed == nullptr || !windowed->HandleAllocated())
        return false;
    const LONG_PTR style = GetWindowLongPtrA(windowed->WindowHandle(), GWL_STYLE);
    return (style & (WS_VSCROLL | WS_HSCROLL)) != 0;
}

void TControlAssignment::AssignControl(TComponent& component, TControl* parent)
{
    auto* control = ui::As<TControl>(&component);
    if (control == nullptr)
        return;
    if (control->Tag() == context_.skinData.DisableTag) {
        if (auto* windowed = ui::As<TWinControl>(control))
            DisableTree(*windowed);
        return;
    }
    if (control->Parent() == nullptr || IsSkinned(*control))
        return;
    const std::string name = UpperCaseAscii(control->ClassName());
    if (auto* windowed = ui::As<TWinControl>(control)) {
        try {
            windowed->Handle();
        } catch (...) {
            return;
        }
    }
    if (RunOnSkinControl(*control, parent, name))
        return;
    if (AssignByKind(name, *control))
        return;
    if (name == "TDBCOMBOBOXEH" || name == "TFRDESIGNERPAGE" || name == "TFRPBOX")
        return;
    AssignByTable(*control, name);
}

bool TControlAssignment::RunOnSkinControl(TControl& control, TControl* parent, const std::string& upperName)
{
    TSkinData& skinData = context_.skinData;
    if (!skinData.OnSkinControl)
        return false;
    TComponent* chosen = nullptr;
    skinData.OnSkinControl(&context_.formSkinner, &skinData, parent, &control, upperName, chosen);
    auto* skinner = ui::As<TSkinControl>(chosen);
    if (skinner == nullptr)
        return false;
    if (!context_.list.Contains(*skinner))
        skinner->InitControl(&context_.host, &skinData, skinner->UseSkinColor(), &context_.canvas);
    if (auto* panel = ui::As<TCustomPanel>(&control))
        AssignChildren(*panel);
    return true;
}

bool TControlAssignment::AssignByKind(std::string_view upperName, TControl& control)
{
    const std::string key = LowerCaseAscii(upperName) + "=";
    const TStrings& lines = context_.skinData.Skin3rd();
    std::string kind;
    bool found = false;
    for (int i = 0; i < lines.Count() && !found; ++i) {
        const std::string line = LowerCaseAscii(lines.Get(i));
        if (line.starts_with(key)) {
            kind = line.substr(key.size(), kMaxKindLength);
            found = true;
        }
    }
    if (!found)
        return false;
    const TSkinControlTypes& gates = context_.skinData.SkinControls;
    auto* container = ui::As<TWinControl>(&control);
    if (kind == "container") {
        if (container != nullptr)
            AssignChildren(*container);
    } else if (kind == "radiobutton") {
        if (gates.Contains(xcRadioButton))
            Attach<TSkinRadioButton>(control);
    } else if (kind == "checkbox") {
        if (gates.Contains(xcCheckBox))
            Attach<TSkinCheckBox>(control);
    } else if (kind == "button") {
        if (gates.Contains(xcButton))
            Attach<TSkinButton>(control);
    } else if (kind == "bitbtn") {
        if (gates.Contains(xcButton)) {
            if (upperName == "TCXBUTTON" && ui::SameText(ui::GetEnumPropText(&control, "Kind"), "cxbkDropDownButton"))
                Attach<TSkinMenuButton>(control);
            else
                Attach<TSkinBitButton>(control);
        }
    } else if (kind == "pngbitbtn") {
        if (gates.Contains(xcButton)) {
            auto* skinner = new TSkinBitButton(&control);
            skinner->SetPictureProperty("PngImage");
            skinner->InitControl(&context_.host, &context_.skinData, false, &context_.canvas);
        }
    } else if (kind == "menubtn") {
        if (gates.Contains(xcButton))
            Attach<TSkinMenuButton>(control);
    } else if (kind == "speedbutton") {
        if (gates.Contains(xcSpeedButton))
            Attach<TSkinSpeedButton>(control);
    } else if (kind == "combobox") {
        if (gates.Contains(xcCombo))
            Attach<TSkinComBox>(control);
    } else if (kind == "datetimepicker") {
        if (gates.Contains(xcCombo))
            Attach<TSkinDateTime>(control);
    } else if (kind == "mediaplayer") {
        if (gates.Contains(xcButton))
            Attach<TSkinMP>(control);
    } else if (kind == "edit") {
        if (gates.Contains(xcEdit))
            SkinIfBordered(control);
    } else if (kind == "panel") {
        if (gates.Contains(xcPanel)) {
            ui::SetPropText(&control, "Transparent", "True");
            Attach<TSkinBox>(control, true);
        }
    } else if (kind == "trackbar") {
        if (gates.Contains(xcButton)) {
            ui::SetPropText(&control, "Transparent", "True");
            Attach<TSkinTrackBar>(control);
        }
    } else if (kind == "progress") {
        if (gates.Contains(xcProgress))
            Attach<TSkinProgress>(control);
    } else if (kind == "scrollbar") {
        if (gates.Contains(xcScrollbar)) {
            AttachScrolled<TSkinScrollbar>(control);
            if (container != nullptr)
                AssignChildren(*container);
        }
    } else if (kind == "singlescrollbar") {
        if (gates.Contains(xcScrollbar))
            AttachScrolled<TSkinScrollbar>(control, true);
    } else if (kind == "embedscrollbar") {
        if (gates.Contains(xcScrollbar) && container != nullptr) {
            for (int i = 0; i < container->ControlCount(); ++i) {
                TControl& child = *container->Controls(i);
                if (ui::As<TScrollBar>(&child) != nullptr)
                    AttachScrollBarControl(child);
                else if (HasScrollBars(child))
                    AttachScrolled<TSkinScrollbar>(child);
            }
        }
    } else if (kind == "tab") {
        if (gates.Contains(xcTab) && SkinHasTabs())
            Attach<TSkinTab>(control);
    } else if (kind == "advpagecontrol") {
        if (gates.Contains(xcTab)) {
            auto* skinner = new TSkinAdvPage(&control);
            skinner->SetPageStyle(TSkinAdvPage::kPicturePageStyle);
            skinner->InitControl(&context_.host, &context_.skinData, true, &context_.canvas);
        }
    } else if (kind == "groupbox") {
        if (gates.Contains(xcGroupBox))
            Attach<TSkinGroupBox>(control, true);
    } else if (kind == "radiogroup" || kind == "checkgroup") {
        const bool radios = kind == "radiogroup";
        if (container != nullptr && gates.Contains(radios ? xcGroupBox : xcPanel)) {
            if (gates.Contains(xcRadioButton)) {
                for (int i = 0; i < container->ControlCount(); ++i) {
                    TControl& child = *container->Controls(i);
                    if (IsSkinned(child))
                        continue;
                    // Buttons of the library that draws custom glyphs get a strip of them.
                    if (Contains(UpperCaseAscii(child.ClassName()), "TRZ"))
                        AttachGlyphs(child, radios ? objimageface::gkRadioButton : objimageface::gkCheckBox, context_);
                    else if (radios)
                        Attach<TSkinRadioButton>(child);
                    else
                        Attach<TSkinCheckBox>(child);
                }
            }
            if (gates.Contains(xcGroupBox))
                Attach<TSkinGroupBox>(control, true);
        }
    }
    // "nil", and kinds this build has no skinner for, leave the control as it is.
    return true;
}

void TControlAssignment::AssignByTable(TControl& control, const std::string& upperName)
{
    const TSkinControlTypes& gates = context_.skinData.SkinControls;
    // The first row whose control and gate match decides; a gate that is off
    // lets the control on to the later rows.
    const bool tabs = gates.Contains(xcTab) && SkinHasTabs();
    if (ui::As<TPageControl>(&control) != nullptr && tabs) {
        Attach<TSkinTab>(control);
        return;
    }
    // Tool buttons are parts of their bar here, not controls: the bar hands
    // on their menu items, which a skinned frame draws.
    if (auto* toolBar = ui::As<TToolBar>(&control); toolBar != nullptr && context_.frameSkinned &&
                                                     context_.menuPainter != nullptr) {
        for (int i = 0; i < toolBar->ButtonCount(); ++i) {
            if (TMenuItem* item = toolBar->Buttons(i)->MenuItem())
                context_.menuPainter->SkinMenuItems(*item, true);
        }
    }
    if (auto* coolBar = ui::As<TCoolBar>(&control); coolBar != nullptr && gates.Contains(xcToolbar)) {
        for (int i = 0; i < coolBar->Bands().Count(); ++i)
            coolBar->Bands().Items(i)->SetColor(context_.skinData.ButtonFaceColour);
        return;
    }
    if (upperName == "TTABSET" && tabs) {
        Attach<TSkinTab31>(control);
        return;
    }
    if (ui::As<TTabSheet>(&control) != nullptr && tabs) {
        Attach<TSkinTabSheet>(control);
        return;
    }
    if (upperName == "TTABBEDNOTEBOOK" && tabs) {
        Attach<TSkinTab>(control);
        return;
    }
    if (upperName == "TMVCPANEL") {
        if (auto* container = ui::As<TWinControl>(&control))
            AssignChildren(*container);
        return;
    }
    if (ui::As<TTabControl>(&control) != nullptr && tabs) {
        Attach<TSkinTab>(control);
        return;
    }
    if (ui::As<THeaderControl>(&control) != nullptr && gates.Contains(xcPanel)) {
        Attach<TSkinHeader>(control);
        return;
    }
    if (ui::As<TCheckBox>(&control) != nullptr && gates.Contains(xcCheckBox)) {
        Attach<TSkinCheckBox>(control);
        return;
    }
    if (ui::As<TTrackBar>(&control) != nullptr && gates.Contains(xcTrackBar)) {
        Attach<TSkinTrackBar>(control);
        return;
    }
    if ((upperName == "TUPDOWN" || upperName == "TSPINBUTTON") && gates.Contains(xcSpin)) {
        Attach<TSkinUpDown>(control);
        return;
    }
    if (upperName == "TMEDIAPLAYER" && gates.Contains(xcButton)) {
        Attach<TSkinMP>(control);
        return;
    }
    if (auto* radioGroup = ui::As<TRadioGroup>(&control); radioGroup != nullptr && gates.Contains(xcRadioButton)) {
        for (int i = 0; i < radioGroup->ControlCount(); ++i) {
            if (!IsSkinned(*radioGroup->Controls(i)))
                Attach<TSkinRadioButton>(*radioGroup->Controls(i));
        }
        Attach<TSkinGroupBox>(control, true);
        return;
    }
    if (upperName == "TDBNAVIGATOR" && gates.Contains(xcPanel)) {
        Attach<TSkinBox>(control, true);
        if (auto* navigator = ui::As<TWinControl>(&control)) {
            for (int i = 0; i < navigator->ControlCount(); ++i)
                AssignControl(*navigator->Controls(i), nullptr);
        }
        return;
    }
    if ((upperName == "TRZDBCHECKBOX" || upperName == "TRZCHECKBOX") && gates.Contains(xcCheckBox)) {
        AttachGlyphs(control, objimageface::gkCheckBox, context_);
        return;
    }
    if ((upperName == "TRZRADIOBUTTON" || upperName == "TRZDBRADIOBUTTON") && gates.Contains(xcRadioButton)) {
        AttachGlyphs(control, objimageface::gkRadioButton, context_);
        return;
    }
    if ((upperName == "TCXDBCHECKBOX" || upperName == "TCXCHECKBOX") && gates.Contains(xcCheckBox)) {
        AttachGlyphs(control, objimageface::gkPropertyGlyph, context_);
        return;
    }
    if (auto* groupBox = ui::As<TCustomGroupBox>(&control); groupBox != nullptr && gates.Contains(xcPanel)) {
        AssignChildren(*groupBox);
        Attach<TSkinGroupBox>(control, true);
        return;
    }
    if (ui::As<TRadioButton>(&control) != nullptr && gates.Contains(xcRadioButton)) {
        Attach<TSkinRadioButton>(control);
        return;
    }
    if (auto* toolBar = ui::As<TToolBar>(&control); toolBar != nullptr && gates.Contains(xcToolbar)) {
        Attach<TSkinToolBar>(control, true);
        if (context_.menuPainter != nullptr) {
            for (int i = 0; i < toolBar->ButtonCount(); ++i) {
                if (TPopupMenu* menu = toolBar->Buttons(i)->DropdownMenu(); menu != nullptr && menu->Items() != nullptr)
                    context_.menuPainter->SkinMenuItems(*menu->Items(), true);
            }
        }
        return;
    }
    if (ui::As<TStatusBar>(&control) != nullptr && gates.Contains(xcStatusBar)) {
        Attach<TSkinStatusBar>(control);
        return;
    }
    if (ui::As<TProgressBar>(&control) != nullptr && gates.Contains(xcProgress)) {
        Attach<TSkinProgress>(control);
        return;
    }
    if (ui::As<TScrollBar>(&control) != nullptr && gates.Contains(xcScrollbar)) {
        AttachScrollBarControl(control);
        return;
    }
    if ((upperName == "TTNTCOMBOBOX" || ui::As<TCustomComboBox>(&control) != nullptr) && gates.Contains(xcCombo)) {
        Attach<TSkinComBox>(control);
        return;
    }
    // A picker that shows an up-down (or the time) has no drop-down button to draw.
    if (auto* picker = ui::As<TDateTimePicker>(&control); picker != nullptr && gates.Contains(xcEdit)) {
        if (picker->DateMode() == dmUpDown || picker->Kind() == dtkTime)
            Attach<TSkinEdit>(control);
        else
            Attach<TSkinDateTime>(control);
        return;
    }
    if ((upperName == "TRICHEDIT" || upperName == "TWWDBRICHEDIT" || upperName == "TDXDBMEMO") &&
        gates.Contains(xcScrollbar)) {
        AttachScrolled<TSkinScrollbar>(control);
        return;
    }
    // A glyph button without its gate stays plain: it is not a plain button either.
    if (ui::As<TBitBtn>(&control) != nullptr) {
        if (gates.Contains(xcBitBtn))
            Attach<TSkinBitButton>(control);
        return;
    }
    if (ui::As<TSpeedButton>(&control) != nullptr && gates.Contains(xcSpeedButton)) {
        Attach<TSkinSpeedButton>(control);
        return;
    }
    if (auto* panel = ui::As<TCustomPanel>(&control); panel != nullptr && gates.Contains(xcPanel)) {
        AssignChildren(*panel);
        Attach<TSkinBox>(control, true);
        return;
    }
    if (gates.Contains(xcScrollbar)) {
        if (upperName == "TDXTREELIST" || upperName == "TDXDBTREELIST" || upperName == "TDXDBGRID") {
            AttachScrolled<TSkinScrollbar>(control);
            return;
        }
        if (ui::As<TCustomListView>(&control) != nullptr) {
            AttachScrolled<TSkinListView>(control);
            return;
        }
        if (ui::As<TScrollBox>(&control) != nullptr || ui::As<TTreeView>(&control) != nullptr ||
            HasScrollBars(control)) {
            AttachScrolled<TSkinScrollbar>(control);
            return;
        }
    }
    if (ui::As<TButton>(&control) != nullptr && gates.Contains(xcButton)) {
        Attach<TSkinButton>(control);
        return;
    }
    if (ui::As<TCustomEdit>(&control) != nullptr && gates.Contains(xcEdit)) {
        Attach<TSkinEdit>(control);
        return;
    }
    const bool dcEdit = upperName == "TDCEDIT" || upperName == "TDCDBEDIT";
    if (!dcEdit) {
        if (auto* frame = ui::As<TFrame>(&control)) {
            AssignOwned(*frame);
            return;
        }
        if (auto* embedded = ui::As<TCustomForm>(&control)) {
            Attach<TSkinBox>(control, true);
            AssignOwned(*embedded);
        }
        return;
    }
    // An edit of another library with its own buttons: one button makes it a combo box.
    const int buttons = ui::GetIntProp(&control, "NumButtons");
    if (buttons == 1 && gates.Contains(xcCombo)) {
        Attach<TSkinComBox>(control);
    } else if (buttons == 0 && gates.Contains(xcEdit)) {
        if (auto* windowed = ui::As<TWinControl>(&control))
            AttachHandle<TSkinEdit>(windowed->Handle());
    }
}

void TControlAssignment::SkinIfBordered(TControl& control)
{
    auto* windowed = ui::As<TWinControl>(&control);
    if (windowed == nullptr)
        return;
    RECT window{};
    RECT client{};
    GetWindowRect(windowed->Handle(), &window);
    GetClientRect(windowed->Handle(), &client);
    if (window.right - window.left != client.right || window.bottom - window.top != client.bottom)
        Attach<TSkinEdit>(control);
}

void TControlAssignment::SkinHandle(HWND window)
{
    if (window == nullptr || context_.list.Find(window) != nullptr)
        return;
    const std::string cls = WindowClassLower(window);
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
    // Owner-drawn buttons draw themselves: none of the classes below.
    if (cls == "button" && (style & BS_OWNERDRAW) != BS_OWNERDRAW) {
        if ((style & BS_GROUPBOX) == BS_GROUPBOX || (style & BS_BITMAP) != 0)
            return;
        if ((style & 3) == 3 || (style & 2) == 2 || (style & 5) == 5)
            AttachHandle<TSkinCheckBox>(window);
        else if ((style & 9) == 9 || (style & 4) == 4)
            AttachHandle<TSkinRadioButton>(window);
        else
            AttachHandle<TSkinButton>(window);
        return;
    }
    if (cls == "combobox") {
        if ((style & 3) != CBS_SIMPLE)
            AttachHandle<TSkinComBox>(window);
        return;
    }
    if (cls == "comboboxex32") {
        if (HWND combo = GetTopWindow(window))
            AttachHandle<TSkinComBox>(combo);
        return;
    }
    if (cls == "edit") {
        AttachHandle<TSkinEdit>(window);
        return;
    }
    if (cls == "tcombobox") {
        AttachHandle<TSkinComBox>(window);
        return;
    }
    // A size box: a scroll bar the user never tabs to.
    if (cls == "scrollbar") {
        if ((style & WS_TABSTOP) == 0)
            AttachHandle<TSkinSizer>(window);
        return;
    }
    if (cls == "tprogressbar") {
        AttachHandle<TSkinProgress>(window);
        return;
    }
    if (cls == "tcheckbox") {
        AttachHandle<TSkinCheckBox>(window);
        return;
    }
    if (cls == "tbutton") {
        AttachHandle<TSkinButton>(window);
        return;
    }
    if (cls == "systabcontrol32") {
        if ((style & TCS_OWNERDRAWFIXED) == 0)
            AttachHandle<TSkinTab>(window);
        return;
    }
    if (cls == "#32770" && (style & WS_TABSTOP) == 0) {
        SkinChildHandles(window);
        AttachHandle<TSkinBoxH>(window);
        return;
    }
    if (cls == "tpanel" || cls == "ttntpanel.unicodeclass" || cls == "ttntsilentpaintpanel.unicodeclass" ||
        cls == "tsilentpaintpanel") {
        if (cls != "tsilentpaintpanel")
            SkinChildHandles(window);
        if (TWinControl* control = ui::FindControl(window))
            control->SetColor(context_.skinData.ButtonFaceColour);
    }
}

void TControlAssignment::SkinChildHandles(HWND window)
{
    for (HWND child = GetTopWindow(window); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongPtrA(child, GWL_STYLE) & WS_CHILD) != 0)
            SkinHandle(child);
    }
}
