// Which skinner each child control of a skinned window gets. A form skinner
// runs this when it initialises: framework forms by their components and
// tab order, judged by framework class, class name, the skin data's Skin3rd
// lines and SkinControls set; windows without framework objects (children
// of a foreign dialog, a size grip made later) by window class and style.
// The opt-outs are the skin data's DisableTag and its OnSkinControl event.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

class TComponent;
class TControl;
class TCanvas;
class TMenuItemPainter;
class TSkinControl;
class TSkinControlHost;
class TSkinControlList;
class TSkinData;
class TWinControl;

// What the form skinner lends the assignment.
struct TAssignmentContext {
    TSkinControlHost& host;
    TSkinControlList& list;
    TSkinData& skinData;
    TCanvas& canvas;
    // Sender of OnSkinControl and owner of the skinners of bare windows.
    TComponent& formSkinner;
    // Menus owned by the form are switched to skinned drawing through it.
    TMenuItemPainter* menuPainter = nullptr;
    // The window's frame is skinned (drop-down menu items are then owner-drawn too).
    bool frameSkinned = false;
};

class TControlAssignment {
public:
    explicit TControlAssignment(const TAssignmentContext& context) : context_(context) {}

    // Every control of a framework form: finished skinners freed first, then
    // the form's owned components, then its controls in tab order (those
    // without a window yet, tagged DisableTag or already skinned skipped).
    void AssignSkinners(TWinControl& form);
    // Every owned component of container that is a control, in ownership
    // order; its popup menus drawn skinned when the skin covers them.
    void AssignOwned(TComponent& container);
    // One control: the opt-outs, OnSkinControl, the Skin3rd lines, then the
    // built-in table by framework class and class name.
    void AssignControl(TComponent& component, TControl* parent);
    // Every child control of container, in child order.
    void AssignChildren(TWinControl& container);
    // The Skin3rd line for upperName, if any, decides: true when one did
    // (whether or not it attached a skinner).
    bool AssignByKind(std::string_view upperName, TControl& control);

    // A window without framework object, by its class and style.
    void SkinHandle(HWND window);
    // SkinHandle for each child window of window.
    void SkinChildHandles(HWND window);

    // A scrolled control's window was made again: its scroll skinner is replaced
    // by a new one of the same family.
    void RebuildScrollSkinner(HWND window);
    // A control whose client area is smaller than its window gets the border skinner.
    void SkinIfBordered(TControl& control);
    // The control answers SKM_ISSKINNED, or a listed skinner has it.
    bool IsSkinned(TControl& control) const;
    // A windowed control with a scroll-bar style, or a list box.
    static bool HasScrollBars(const TControl& control);

private:
    template <class Skinner>
    Skinner* Attach(TControl& control, bool useSkinColor = false);
    template <class Skinner>
    Skinner* AttachHandle(HWND window);
    template <class Skinner>
    Skinner* AttachScrolled(TControl& control, bool singleBar = false);
    void AttachScrollBarControl(TControl& control);
    void DisableTree(TWinControl& container);
    bool RunOnSkinControl(TControl& control, TControl* parent, const std::string& upperName);
    void AssignByTable(TControl& control, const std::string& upperName);
    // The tab skinners draw from the skin's Tabs picture: without it tab controls stay plain.
    bool SkinHasTabs() const;

    TAssignmentContext context_;
};
