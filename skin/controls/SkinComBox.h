// Combo boxes of every style: the frame from SunkEdge and the drop-down
// button from ComboButton (with the ExtraImages arrow), in the three ways the
// button's Style asks for; a button on the left (WS_EX_LEFTSCROLLBAR) takes
// the mirrored picture. The edit of a drop-down combo box is subclassed so
// that its own painting and clicks redraw the box; the list of a simple combo
// box gets skinned scroll bars. The painters below draw one state into any DC.
#pragma once

#include "skin/controls/SkinControl.h"
#include "ui/HookToken.h"
#include "ui/WndProcThunk.h"

#include <windows.h>

#include <cstdint>
#include <memory>

class TDataSkinBorder;
class TSkinScrollbarH;
class TDataSkinObject;

namespace comboface {

// The button's frames: 1 normal, 2 down, 3 disabled, 4 hot or focused.
inline constexpr int kButtonFrames = 4;
inline constexpr int kEdgeFrames = 4;
inline constexpr int kArrowFrames = 5;

// Disabled wins, then down, then hot or focused.
int ButtonFrame(std::uint8_t state, bool enabled, bool focused);
bool CanPaint(const TDataSkinBorder* button);

// The skin's pictures for a combo box; Edge and Arrow may be missing.
struct TComboParts {
    TDataSkinBorder* Button = nullptr;
    TDataSkinObject* Edge = nullptr;
    TDataSkinObject* Arrow = nullptr;
};
// Draws the box's frame and button over rect of dc at frame; the inner area
// is left to the control's own drawing. False, nothing drawn, without a button picture.
bool PaintCombo(HDC dc, const RECT& rect, const TComboParts& parts, int frame, bool buttonOnLeft, TColor shadow);

} // namespace comboface

class TSkinComBox : public TSkinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit TSkinComBox(TComponent* owner);
    ~TSkinComBox() override;

    void InitControl(TSkinControlHost* form, TSkinData* skinData, bool useSkinColor, TCanvas* canvas) override;
    void InitHandle(HWND handle, TSkinData* skinData, TSkinControlHost* form, TCanvas* canvas) override;
    void Unskin() override;
    void AfterProc(TMessage& message) override;
    void PaintControl(HDC dc, const RECT& rect) override;
    void SkinChanged() override;

    // The subclassed edit of a drop-down combo box, else null.
    HWND EditHandle() const noexcept { return FEditHandle; }
    // The list window of a simple combo box, else null.
    HWND ListHandle() const noexcept { return FListHandle; }
    // The scroll-bar skinner of a simple combo box's list, else null.
    TSkinScrollbarH* ListScroll() const noexcept { return FListScroll.get(); }

private:
    void Attach();
    void HookEdit(HWND combo);
    void UnhookEdit() noexcept;
    void EditProc(TMessage& message);
    // The button pressed or released, by the box or the edit inside it.
    void ShowPress(bool down);
    void SkinList();
    bool ButtonOnLeft() const noexcept { return (FExStyle & WS_EX_LEFTSCROLLBAR) != 0; }

    DWORD FStyle = 0;
    DWORD FExStyle = 0;
    HWND FListHandle = nullptr;
    HWND FEditHandle = nullptr;
    ui::WindowSubclass FEditSubclass;
    // Not in the form's list: it lives and goes with this skinner.
    std::unique_ptr<TSkinScrollbarH> FListScroll;
    // Follows the control's window when it is made again (a new style).
    ui::HookToken FComboWatch;
    COMBOBOXINFO FInfo{};
};
