// TSkinHeader: a header control drawn entirely from the skin's Headerbar
// element, the item under the pointer hot, captions with their images and
// the sort arrows the control shows. The painter in `headerface` draws one
// item into any DC.
#pragma once

#include "skin/controls/SkinControl.h"
#include "ui/Bitmap.h"

#include <windows.h>
#include <commctrl.h>

#include <string_view>
#include <vector>

class TDataSkinObject;

namespace headerface {

// A caption longer than this is cut.
inline constexpr int kMaxCaption = 100;

// Headerbar frames: 1 normal, 2 hot.
inline constexpr int kNormalFrame = 1;
inline constexpr int kHotFrame = 2;

enum class TCaptionAlign : int { Left = 0, Centre = 1, Right = 2 };

// The caption, with the image at index (-1: none) of images on its left,
// laid out in rect with align; the DC's font, the text grayed when not enabled.
void DrawCaptionWithImage(HDC dc, const RECT& rect, TCaptionAlign align, std::wstring_view text, int index,
                          HIMAGELIST images, bool enabled);

// The small triangle of a sorted column at the right of rect: pointing up
// for an ascending sort, down for a descending one.
void DrawSortArrow(HDC dc, const RECT& rect, bool ascending, COLORREF colour);

} // namespace headerface

class TSkinHeader : public TSkinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit TSkinHeader(TComponent* owner);
    ~TSkinHeader() override;

    void InitControl(TSkinControlHost* form, TSkinData* skinData, bool useSkinColor, TCanvas* canvas) override;
    void InitHandle(HWND handle, TSkinData* skinData, TSkinControlHost* form, TCanvas* canvas) override;
    bool BeforeProc(TMessage& message) override;
    void AfterProc(TMessage& message) override;
    void PaintControl(HDC dc, const RECT& rect) override;

    int HotItem() const noexcept { return FHotItem; }
    // The items' rectangles as last painted, narrowed by 3 pixels each side.
    const std::vector<RECT>& ItemRects() const noexcept { return FItemRects; }

private:
    bool SkinPaints() const;
    void DrawItem(HDC dc, TDataSkinObject& element, int index, const RECT& item);

    std::vector<RECT> FItemRects;
    int FHotItem = -1;
    TBitmap FBitmap;
};
