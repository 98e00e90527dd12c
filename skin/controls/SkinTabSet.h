// Tab sets: a row of tabs along the bottom of a window, drawn from the Tabs
// element turned upside down (frame 2 the selected tab, frame 1 the others).
// From the first tab the control shows, each tab is its text's width plus 9
// pixels wide, laid left to right from the start margin; a tab that does not
// fit whole is not drawn. A press on a drawn tab reaches the control at that
// tab, so what the user sees is what the control selects. The control's
// scroller is skinned side by side. The painters in `tabsetface` draw into any DC.
#pragma once

#include "skin/controls/SkinControl.h"
#include "ui/Bitmap.h"

#include <windows.h>

#include <string>
#include <vector>

class TSkinUpDown;

namespace tabsetface {

inline constexpr int kStartMargin = 5;
inline constexpr int kEndMargin = 5;
// Added to a tab's text width.
inline constexpr int kTabPadding = 9;
// Kept free at the right for the scroller when it shows, else this much less.
inline constexpr int kScrollerRoom = 21;
inline constexpr int kPlainRoom = 9;

// The tabs' rectangles for text widths from `first` on, as many as fit whole
// in width; with the scroller showing (its left edge at scrollerLeft, else
// -1) they also stop short of it.
std::vector<RECT> Layout(const std::vector<int>& textWidths, int first, int width, int height, int scrollerLeft);

struct TSetLook {
    std::vector<std::wstring> Texts;
    int First = 0;
    int Selected = -1;
    TColor Face = clBtnFace;
    TColor NormalText = clBtnText;
    TColor SelectedText = clBtnText;
    HFONT Font = nullptr;
    bool Enabled = true;
};

struct TSetPicture {
    TBitmap* Tab = nullptr; // Tabs' frames, flipped
    int Frames = 5;
    RECT Margins{};
    bool Tile = false;
    bool Transparent = false;
};

// Draws the tab set into dc over rect through the off-screen picture work,
// the scroller's rectangle (empty: none) left alone; the answer is the drawn
// tabs' rectangles (tab First + i at i), in dc's coordinates.
std::vector<RECT> PaintTabSet(HDC dc, const RECT& rect, const TSetLook& look, const TSetPicture& picture,
                              const RECT& scroller, TBitmap& work);

} // namespace tabsetface

class TSkinTab31 : public TSkinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit TSkinTab31(TComponent* owner);
    ~TSkinTab31() override;

    void InitControl(TSkinControlHost* form, TSkinData* skinData, bool useSkinColor, TCanvas* canvas) override;
    bool BeforeProc(TMessage& message) override;
    void PaintControl(HDC dc, const RECT& rect) override;
    void SkinChanged() override;

    TSkinUpDown* Scroller() const noexcept { return FUpDown; }
    // The first tab drawn and the drawn tabs' client rectangles, from the last paint.
    int FirstDrawn() const noexcept { return FFirst; }
    const std::vector<RECT>& DrawnTabs() const noexcept { return FDrawn; }

private:
    void PrepareImage();
    void AttachScroller();
    // The first tab the control shows (those before it are scrolled away).
    int FirstVisible(int count) const;
    // A press on drawn tab moved to where the control has that tab.
    void AimAtDrawnTab(TMessage& message) const;

    TBitmap FTabImage;
    TBitmap FWork;
    TSkinUpDown* FUpDown = nullptr;
    HWND FScroller = nullptr;
    int FFirst = 0;
    std::vector<RECT> FDrawn;
};
