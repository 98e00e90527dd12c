// Skinners of scrolled windows: TSkinScrollbar for a framework control (list
// boxes, memos, tree views, grids), TSkinScrollbarH for a bare window (the
// drop-down list of a combo box). Each lays two overlays (TWScrollbar) over
// the window's native bars, keeps them on the bars through every scroll,
// resize and style change, fills the corner square between two bars and,
// for controls with a border, draws a border of its own.
#pragma once

#include "skin/controls/ScrollOverlay.h"
#include "skin/controls/SkinControl.h"
#include "ui/HookToken.h"

#include <memory>

class TSkinScrollbar : public TSkinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit TSkinScrollbar(TComponent* owner);
    ~TSkinScrollbar() override;

    // Attaches to a scrolled control: both overlays, then in front of the
    // control's messages. A second call does nothing.
    virtual void InitScrolled(TControl& control, TSkinData* skinData, TSkinControlHost* form, TCanvas* canvas);
    void AfterProc(TMessage& message) override;
    // Only the frame's corner and border are drawn: nothing is read from the
    // control (a scrolled control's text is its content, not a caption).
    void PaintFrame(HDC dc) override;
    void PaintControl(HDC dc, const RECT& rect) override;
    void Unskin() override;

    TWScrollbar* HorzBar() const noexcept { return FHorzBar.get(); }
    TWScrollbar* VertBar() const noexcept { return FVertBar.get(); }
    bool OwnBorder() const noexcept { return FOwnBorder; }
    // Registered as a single-scroll-bar control: no border of its own.
    void SetSingleScrollbar() noexcept { FPaintMode = 1; }

protected:
    void MakeBars(TControl& control);
    void FreeBars() noexcept;
    // Every overlay onto its bar's present state.
    void FollowBars();
    void RepositionBars();

    std::unique_ptr<TWScrollbar> FHorzBar;
    std::unique_ptr<TWScrollbar> FVertBar;
    bool FOwnBorder = false;

private:
    void OnWindowChange(TWinControl& control, ui::WindowChange change);

    ui::HookToken FWindowWatch;
};

// The same scheme over a window that has no control object.
class TSkinScrollbarH : public TSkinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit TSkinScrollbarH(TComponent* owner);
    ~TSkinScrollbarH() override;

    void InitHandle(HWND handle, TSkinData* skinData, TSkinControlHost* form, TCanvas* canvas) override;
    bool BeforeProc(TMessage& message) override;
    void AfterProc(TMessage& message) override;
    void PaintFrame(HDC dc) override;
    void PaintControl(HDC dc, const RECT& rect) override;

    TWScrollbar* HorzBar() const noexcept { return FHorzBar.get(); }
    TWScrollbar* VertBar() const noexcept { return FVertBar.get(); }

private:
    std::unique_ptr<TWScrollbar> FHorzBar;
    std::unique_ptr<TWScrollbar> FVertBar;
};

namespace scrollface {
// Draws the skinner's frame part into dc, or into a window DC when dc is
// null, without asking the window anything.
void PaintScrolledFrame(TSkinControl& skinner, HWND window, HDC dc);
// The square between a window's two visible bars, in window coordinates; empty unless both show.
RECT CornerRect(HWND window, const TWScrollbar* horz, const TWScrollbar* vert);
} // namespace scrollface
