// Tool bars: recoloured like a panel, made flat, and drawn through the bar's
// own custom-draw events: the background from the skin's tool-bar gradient
// (or the face colour) and each hot, pressed or checked button from the
// ToolBars element (or a plain outline). Events the application has set are
// left to it; the ones installed here are taken off again when unskinned.
#pragma once

#include "skin/controls/SkinBox.h"
#include "ui/ToolBar.h"

#include <windows.h>

class TDataSkinObject;

namespace toolbarpaint {
// The frame of the five-frame ToolBars element a button shows, or 0 when a
// resting button shows no face.
int ButtonFrame(TCustomDrawState state, bool enabled) noexcept;
// The bar's background over rect: the gradient element stretched, or face.
void PaintBackground(HDC dc, const RECT& rect, TDataSkinObject* gradient, TColor face);
// A button's face for frame (from ButtonFrame): the element's frame nine-sliced,
// or without its picture an outline in shadow, filled in light for pressed frames.
void PaintButtonFace(HDC dc, const RECT& rect, TDataSkinObject* element, int frame, TColor face, TColor shadow);
} // namespace toolbarpaint

class TSkinToolBar : public TSkinBox {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit TSkinToolBar(TComponent* owner) : TSkinBox(owner) {}

    void InitControl(TSkinControlHost* form, TSkinData* skinData, bool useSkinColor, TCanvas* canvas) override;
    void Unskin() override;
    void SkinChanged() override;

private:
    void DrawBar(TToolBar* bar, const RECT& rect, bool& defaultDraw);
    void DrawButton(TToolBar* bar, TToolButton* button, TCustomDrawState state, bool& defaultDraw);
    void RemoveHandlers();

    TToolBar* bar_ = nullptr;
    bool wasFlat_ = false;
};
