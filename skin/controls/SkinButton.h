// Push buttons drawn from the skin's Buttons element: TSkinButton, and
// TSkinMenuButton with a drop-down arrow. The painters below draw one button
// state into any DC; the skinners only turn messages into states and call them.
#pragma once

#include "skin/controls/SkinControl.h"
#include "ui/Bitmap.h"

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

class TDataSkinButton;
class TDataSkinObject;

namespace buttonface {

// The Buttons element has five frames whatever its description says.
inline constexpr int kButtonFrames = 5;

// Whether the picture holds frameCount cells of at least a pixel each.
bool CanPaint(const TDataSkinObject* element, int frameCount);
// The first "||" becomes a line break; later ones stay as typed.
std::wstring SplitCaption(std::wstring_view caption);
// The caption's colour on a frame: the skin's second colours for the normal,
// hot and pressed frames when it has them, the system's button shadow when
// disabled, else base.
TColor CaptionColour(const TDataSkinButton& element, int frame, bool enabled, TColor base);
// One frame of the Buttons element over rect (nine-sliced, keyed when the element says so).
void DrawFace(HDC dc, const RECT& rect, TDataSkinButton& element, int frame);
// The caption laid out in rect with format (DT_CENTER centres it both ways,
// else it is centred vertically); the focus rectangle 2 pixels outside the
// text when focusRect. The DC's font and text colour are used.
void DrawCaption(HDC dc, const RECT& rect, std::wstring_view caption, UINT format, bool focusRect);

// What a push button shows.
struct TPushButtonLook {
    int Frame = 1;
    std::wstring Caption;
    HFONT Font = nullptr; // null: the DC's
    TColor TextColour = clBtnText;
    bool FocusRect = false;
};
// The whole button into dc over rect, composed in scratch (resized as
// needed) over a background that the caller drew into scratch's canvas
// first; copied with one BitBlt. False, nothing drawn, without a usable picture.
bool PaintPushButton(HDC dc, const RECT& rect, TDataSkinButton* element, const TPushButtonLook& look,
                     TBitmap& scratch);

} // namespace buttonface

class TSkinButton : public TSkinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit TSkinButton(TComponent* owner);
    ~TSkinButton() override;

    void InitControl(TSkinControlHost* form, TSkinData* skinData, bool useSkinColor, TCanvas* canvas) override;
    void InitHandle(HWND handle, TSkinData* skinData, TSkinControlHost* form, TCanvas* canvas) override;
    bool BeforeProc(TMessage& message) override;
    void AfterProc(TMessage& message) override;
    void PaintControl(HDC dc, const RECT& rect) override;

    bool Transparent() const noexcept { return FTransparent; }

protected:
    // The frame for the present state; push buttons: disabled, down, hot,
    // then focused or default.
    virtual int ChooseFrame() const;
    // Whether the skin can draw this button at all; else the system does.
    bool SkinPaints() const;
    // Reads style, focus, enabled state and caption from the window and control.
    void SampleButton();
    // The scratch bitmap, sized to rect, with the background under the face drawn.
    HDC PrepareScratch(const RECT& rect);
    // The caption's font and colour as the control (or the bare window) gives them.
    HFONT CaptionFont() const;
    TColor CaptionBaseColour() const;
    bool FocusRectWanted() const;
    // Runs the previous handler with redrawing off so that the native face never
    // flickers through; false when the skinner went away meanwhile.
    bool CallWithoutRedraw(TMessage& message);

    TBitmap FBitmap;
    bool FTransparent = false;
    bool FDefault = false;

private:
    void DecideTransparency();
};

class TSkinMenuButton : public TSkinButton {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    using TSkinButton::TSkinButton;

    void PaintControl(HDC dc, const RECT& rect) override;

protected:
    int ChooseFrame() const override;
};
