// Date-time pickers with a drop-down calendar: a two-line border (the
// shadow colour outside, white inside) and an arrow button of our own
// (TArrowButton) lying over the picker's drop-down button, drawn from the
// ComboxArrow picture. Presses and releases on the arrow go to the picker
// at the same place, so the picker opens its calendar as it would by itself.
// The painters in `datetimeface` draw into any DC.
#pragma once

#include "skin/controls/SkinControl.h"
#include "ui/Control.h"

#include <windows.h>

class TDataSkinObject;
class TSkinData;

namespace datetimeface {

// The arrow button's cells: 1 normal, 4 hot.
inline constexpr int kNormalCell = 1;
inline constexpr int kHotCell = 4;

// Where the arrow button lies in the picker's client area: arrowSize wide,
// one more high, at the top; 2 pixels in from the left for a picker whose
// button is on the left, else 4 pixels short of the picker's right edge.
RECT ArrowRect(int pickerWidth, int arrowSize, bool onLeft) noexcept;
// The border of a picker whose client area is smaller than its window.
void PaintBorder(HDC dc, const RECT& rect, TColor shadow);
// The arrow button: the face colour under the arrow picture's cell
// stretched over rect; a plain system drop-down button without a picture.
void PaintArrow(HDC dc, const RECT& rect, TDataSkinObject* arrow, int cell, TColor face);

} // namespace datetimeface

// Lies over a date-time picker's drop-down button and hands presses to the picker.
class TArrowButton : public TWinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit TArrowButton(TComponent* owner);

    void SetSkinData(TSkinData* skinData) noexcept { FSkinData = skinData; }
    bool Hot() const noexcept { return FHot; }
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void PaintWindow(HDC dc) override;
    bool SelfPainted() const override { return true; }

private:
    bool PickerEnabled() const;

    TSkinData* FSkinData = nullptr;
    bool FHot = false;
};

class TSkinDateTime : public TSkinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit TSkinDateTime(TComponent* owner) : TSkinControl(owner) {}
    ~TSkinDateTime() override;

    void InitControl(TSkinControlHost* form, TSkinData* skinData, bool useSkinColor, TCanvas* canvas) override;
    void AfterProc(TMessage& message) override;
    void PaintControl(HDC dc, const RECT& rect) override;

    TArrowButton* Arrow() const noexcept { return FArrow; }

private:
    // Over the picker's button again, wherever the picker's size put it.
    void PlaceArrow();

    TArrowButton* FArrow = nullptr;
    bool FAddedClipChildren = false;
};
