// Status bars drawn from the skin: each cell with a frame of the three-frame
// StatusBarEdges element (lowered, raised, no bevel) or a plain 3-D edge,
// its text in the edges' colour, the size grip from ExtraImages; owner-drawn
// panels are left to the bar's OnDrawPanel. TSkinSizer fills a bare size
// box with the face colour.
#pragma once

#include "skin/controls/SkinControl.h"
#include "ui/Handles.h"

#include <windows.h>

#include <string>
#include <vector>

class TDataSkinObject;

namespace statusface {

enum class TEdge : int { Lowered = 1, Raised = 2, None = 3 };

struct TCell {
    RECT Rect{};
    TEdge Edge = TEdge::Lowered;
    std::wstring Text;
    UINT Align = DT_LEFT; // DT_LEFT, DT_CENTER or DT_RIGHT
    bool OwnerDraw = false;
    UINT Part = 0; // the bar's part index
};

struct TStatusLook {
    std::vector<TCell> Cells;
    TColor Face = clBtnFace;
    TColor TextColour = clBtnText;
    HFONT Font = nullptr;
    bool SizeGrip = false;
};

// Draws the bar into dc over rect; edges and extras may be null (plain look).
void PaintStatus(HDC dc, const RECT& rect, const TStatusLook& look, TDataSkinObject* edges, TDataSkinObject* extras);

} // namespace statusface

class TSkinStatusBar : public TSkinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit TSkinStatusBar(TComponent* owner) : TSkinControl(owner) {}

    bool BeforeProc(TMessage& message) override;
    void PaintControl(HDC dc, const RECT& rect) override;

private:
    // The cells and colours to paint; font receives the plain font the look borrows.
    statusface::TStatusLook Look(const RECT& rect, ui::UniqueFont& font) const;
    void DrawOwnerPanels(HDC dc, const statusface::TStatusLook& look);
};

class TSkinSizer : public TSkinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit TSkinSizer(TComponent* owner) : TSkinControl(owner) {}

    void PaintControl(HDC dc, const RECT& rect) override;
};
