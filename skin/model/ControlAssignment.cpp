#include "skin/model/ControlAssignment.h"

#include "skin/chrome/MenuItemPainter.h"
#include "skin/controls/ControlList.h"
#include "skin/controls/SkinControl.h"
#include "skin/load/AnsiText.h"
#include "skin/model/SkinMessages.h"
#include "skin/model/WinSkinData.h"
#include "ui/Control.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

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
    if (kind == "container") {
        if (auto* container = ui::As<TWinControl>(&control))
            AssignChildren(*container);
    }
    // "nil", and kinds this build has no skinner for, leave the control as it is.
    return true;
}

void TControlAssignment::AssignByTable(TControl& control, const std::string& upperName)
{
    if (upperName == "TMVCPANEL") {
        if (auto* container = ui::As<TWinControl>(&control))
            AssignChildren(*container);
        return;
    }
    const TSkinControlTypes& gates = context_.skinData.SkinControls;
    if (auto* groupBox = ui::As<TCustomGroupBox>(&control)) {
        if (gates.Contains(xcPanel))
            AssignChildren(*groupBox);
        return;
    }
    if (auto* panel = ui::As<TCustomPanel>(&control)) {
        if (gates.Contains(xcPanel))
            AssignChildren(*panel);
        return;
    }
    if (upperName != "TDCEDIT" && upperName != "TDCDBEDIT") {
        if (auto* embedded = ui::As<TCustomForm>(&control)) {
            AssignOwned(*embedded);
            return;
        }
    }
}

void TControlAssignment::SkinHandle(HWND window)
{
    if (window == nullptr || context_.list.Find(window) != nullptr)
        return;
    const std::string cls = WindowClassLower(window);
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
    if (cls == "#32770" && (style & WS_TABSTOP) == 0) {
        SkinChildHandles(window);
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
