// Up-down controls: both arrow halves from the UpDown.Vert or UpDown.Horz
// element (four frames per half: normal, pressed, disabled, hot) with its
// glyph picture centred over them, or plain rectangles with drawn arrows.
// Inside an edit the halves keep 3 pixels clear of the edit's edges.
#pragma once

#include "skin/controls/SkinControl.h"

#include <windows.h>

#include <cstdint>

class TDataSkinBorder;

namespace spinface {

enum class THalfState : int { Normal = 1, Pressed = 2, Disabled = 3, Hot = 4 };

// The state of a half: disabled wins; otherwise the pointer must be over it
// to show pressed (ssDown) or hot (ssHot).
THalfState HalfState(std::uint8_t state, bool enabled, bool pointerOver) noexcept;
// The element's frame for a half (first: the top or left one).
int HalfFrame(THalfState state, bool first) noexcept;
// The two halves of rect: top and bottom, or left and right.
void SplitHalves(const RECT& rect, bool horizontal, RECT& first, RECT& second) noexcept;
// rect pulled in so that at least 3 pixels remain to the edit's edges
// (window at rect's origin at `offset` inside the edit of editSize).
RECT KeepClearOfEdit(const RECT& rect, POINT offset, SIZE editSize) noexcept;
// Draws one half into dc; element may be null (plain look).
void PaintHalf(HDC dc, const RECT& half, TDataSkinBorder* element, THalfState state, bool first, bool horizontal,
               TColor face, TColor shadow, TColor darkShadow);

} // namespace spinface

class TSkinUpDown : public TSkinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit TSkinUpDown(TComponent* owner) : TSkinControl(owner) {}

    void InitControl(TSkinControlHost* form, TSkinData* skinData, bool useSkinColor, TCanvas* canvas) override;
    void InitHandle(HWND handle, TSkinData* skinData, TSkinControlHost* form, TCanvas* canvas) override;
    bool BeforeProc(TMessage& message) override;
    void AfterProc(TMessage& message) override;
    void PaintControl(HDC dc, const RECT& rect) override;

    bool InEdit() const noexcept { return FInEdit; }
    // 1 draws the halves side by side whatever the style says.
    void SetHorizontal(int value) noexcept { FHorizontal = value; }

private:
    void SampleParent();
    // -1 off the control, 0 the first half, 1 the second.
    int HalfUnderPointer(const RECT& rect) const;

    bool FInEdit = false;
    int FHorizontal = 0;
    int FPointerHalf = -1;
};
