// Tab and page controls drawn from the skin: the tab strip from the five
// frames of the Tabs element (frame 2 the selected tab, frame 1 the others)
// and the pane from Tabs' second picture (Tabs style 0) or from Tab.Pane
// (style 1). Tabs at the bottom use the pictures flipped; tabs at the sides
// are drawn lying along a strip that is then turned a quarter, and the pane
// picture is turned with them. A page control tagged 7777 shows a close mark
// on every tab; the form window is asked first (SKM_TABCLOSE) and may keep
// the page. The control's own scroller (its up-down) is skinned too.
//
// TSkinTabSheet paints the pages of a page control in the face colour. The
// painters in `tabface` draw a prepared look into any DC.
#pragma once

#include "skin/controls/SkinControl.h"
#include "ui/Bitmap.h"

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

class TDataSkinBorder;
class TDataSkinObject;
class TSkinUpDown;

namespace tabface {

enum class TSide : int { Top = 0, Bottom = 1, Left = 2, Right = 3 };

// The tabs' side from a tab control's style.
TSide SideOf(LONG_PTR style) noexcept;
// The pane: the display area widened by 4 on every side, the edge towards
// the tabs one pixel further in.
RECT PaneRect(const RECT& display, TSide side) noexcept;
// The part of rect outside pane on the tabs' side.
RECT StripRect(const RECT& rect, const RECT& pane, TSide side) noexcept;
// Size of the strip picture: lying, so width and height swap for side tabs.
SIZE StripPictureSize(const RECT& strip, TSide side) noexcept;
// A tab (in rect's coordinates) where it lies in the strip picture.
RECT ToStrip(const RECT& tab, const RECT& strip, TSide side) noexcept;
// Margins (left, top, right, bottom) of a picture drawn for the top, turned
// the way the picture is turned for side.
RECT TurnMargins(const RECT& margins, TSide side) noexcept;
// Turns a picture drawn for the top to side: flipped for the bottom, a
// quarter counter-clockwise for the left, clockwise for the right.
void TurnForSide(TBitmap& picture, TSide side);

// The close mark's square at the top right of a tab.
RECT CloseMarkRect(const RECT& tab) noexcept;
// A box with both diagonals, in colour.
void DrawCloseMark(HDC dc, const RECT& tab, COLORREF colour);

struct TTab {
    RECT Rect{};        // in the painted rectangle's coordinates
    std::wstring Text;
    int Image = -1;
    bool Selected = false;
};

struct TTabLook {
    TSide Side = TSide::Top;
    std::vector<TTab> Tabs;
    RECT Pane{};
    TColor Face = clBtnFace;
    TColor NormalText = clBtnText;
    TColor SelectedText = clBtnText;
    HFONT Font = nullptr;
    HIMAGELIST Images = nullptr;
    bool Enabled = true;
    bool CloseMarks = false;
    // The scroller's rectangle; empty when it is not shown. The strip leaves it alone.
    RECT Scroller{};
};

struct TTabPictures {
    // Tabs' frames, already turned for the side (flipped for bottom tabs); may be empty.
    TBitmap* Tab = nullptr;
    int TabFrames = 5;
    RECT TabMargins{};
    bool Tile = false;
    bool Transparent = false;
    // The pane, turned for the side; may be empty (the pane is then the face colour).
    TBitmap* Pane = nullptr;
    RECT PaneMargins{};
};

// Draws the strip (through `strip`, a work picture) and the pane into dc over rect.
void PaintTabs(HDC dc, const RECT& rect, const TTabLook& look, const TTabPictures& pictures, TBitmap& strip);

} // namespace tabface

class TSkinTab : public TSkinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    // The tag that gives a page control's tabs their close marks.
    static constexpr int kClosableTag = 7777;

    explicit TSkinTab(TComponent* owner);
    ~TSkinTab() override;

    void InitControl(TSkinControlHost* form, TSkinData* skinData, bool useSkinColor, TCanvas* canvas) override;
    void InitHandle(HWND handle, TSkinData* skinData, TSkinControlHost* form, TCanvas* canvas) override;
    bool BeforeProc(TMessage& message) override;
    void AfterProc(TMessage& message) override;
    void PaintControl(HDC dc, const RECT& rect) override;
    void SkinChanged() override;

    tabface::TSide TabPosition() const noexcept { return FTabPosition; }
    bool Closable() const noexcept { return FClosable; }
    bool UnicodeTabs() const noexcept { return FUnicodeTabs; }
    // The close marks of the last paint, one per tab, in client coordinates.
    const std::vector<RECT>& CloseRects() const noexcept { return FCloseRects; }
    // The skinner of the control's scroller, once the control shows one.
    TSkinUpDown* Scroller() const noexcept { return FUpDown; }

private:
    void Attached();
    void PrepareImages();
    void AttachScroller();
    bool SkinPaints() const;
    int CloseMarkAt(POINT point) const;
    // Asks the form window and frees the page unless it says no.
    void RequestClose(int index);

    std::vector<RECT> FCloseRects;
    tabface::TSide FTabPosition = tabface::TSide::Top;
    bool FUnicodeTabs = false;
    TBitmap FTabImage;
    TBitmap FPaneImage;
    TBitmap FStripImage;
    TSkinUpDown* FUpDown = nullptr;
    bool FClosable = false;
};

class TSkinTabSheet : public TSkinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit TSkinTabSheet(TComponent* owner) : TSkinControl(owner) {}

    bool BeforeProc(TMessage& message) override;
    void PaintControl(HDC dc, const RECT& rect) override;
};

// A paged control of another library that draws its own tabs from two
// pictures ("TabBackGround", "TabBackGroundActive"): in its picture-drawn
// page style it is given Tabs' frames 1 and 2 at 100 x 21, and its inner
// up-down, when it has one, is skinned. Its messages stay its own.
class TSkinAdvPage : public TSkinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    // The page style whose tabs come from the pictures.
    static constexpr int kPicturePageStyle = 4;

    explicit TSkinAdvPage(TComponent* owner) : TSkinControl(owner) {}

    void InitControl(TSkinControlHost* form, TSkinData* skinData, bool useSkinColor, TCanvas* canvas) override;
    void Unskin() override;
    void PaintControl(HDC dc, const RECT& rect) override;
    void SkinChanged() override;

    // The style assumed for a control that does not publish "PageStyle".
    void SetPageStyle(int value) noexcept { FPageStyle = value; }
    int PageStyle() const noexcept { return FPageStyle; }
    TSkinUpDown* UpDown() const noexcept { return FUpDown; }

private:
    void GivePictures();
    void SkinUpDown();

    TSkinUpDown* FUpDown = nullptr;
    int FPageStyle = 0;
};
