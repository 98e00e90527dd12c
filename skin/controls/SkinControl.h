// TSkinControl: the base of every control skinner. One skinner stands in
// front of one control and sees its messages first: through the framework
// control's WindowProc chain when there is a control object (InitControl),
// or through a subclass of the window procedure for a bare window
// (InitHandle). It passes what it does not handle on to the previous
// handler and paints the control from the skin.
//
// A skinner belongs to its control (it is an owned component, freed with the
// control) or, for a bare window, to the form skinner's component; the form
// skinner's list (TSkinControlHost) knows every skinner of its window.
#pragma once

#include "skin/controls/SkinControlHost.h"
#include "ui/Component.h"
#include "ui/Control.h"
#include "ui/HookToken.h"
#include "ui/Messages.h"
#include "ui/WndProcThunk.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

class TCanvas;
class TSkinData;

// Mouse state bits of a skinner (FState).
enum TSkinStateBit : std::uint8_t {
    ssHot = 1,  // the pointer is over the control
    ssDown = 2, // held down by the left button or the space key
};

// The frame of a button-like element for a drawing state: disabled wins,
// then down, hot, focused, normal. Frames of the five-frame Buttons element.
enum class TButtonFrame : int { Normal = 1, Down = 2, Disabled = 3, Hot = 4, Focused = 5 };
TButtonFrame SelectButtonFrame(std::uint8_t state, bool enabled, bool focused) noexcept;

// Where a skinner is in its life (FStatus).
enum class TSkinStatus : int { Created = 0, Attached = 1, Unskinned = 2, WindowDestroyed = 6 };

class TSkinControl : public TComponent {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit TSkinControl(TComponent* owner);
    ~TSkinControl() override;
    TSkinControl(const TSkinControl&) = delete;
    TSkinControl& operator=(const TSkinControl&) = delete;

    // Attaches to the owner control (a TControl): in front of its WindowProc.
    // A windowed control gets its window made; the skinner follows the
    // window when the control re-creates it. A second call does nothing.
    virtual void InitControl(TSkinControlHost* form, TSkinData* skinData, bool useSkinColor, TCanvas* canvas);
    // Attaches to a window that has no control object: subclasses it.
    virtual void InitHandle(HWND handle, TSkinData* skinData, TSkinControlHost* form, TCanvas* canvas);
    // Gives the control its own look back (colour, ParentBackground).
    virtual void Unskin();
    // Runs before the previous handler; false: the message is handled here
    // and neither the previous handler nor AfterProc runs.
    virtual bool BeforeProc(TMessage& message);
    // Runs after the previous handler.
    virtual void AfterProc(TMessage& message);
    // Draws the whole window (client and frame) into dc, or into a window DC
    // when dc is null. Exceptions from painting end here.
    virtual void PaintFrame(HDC dc);
    // Draws the control into dc over rect (the window at the origin).
    virtual void PaintControl(HDC dc, const RECT& rect);
    // Applies the colours of a changed skin and repaints.
    virtual void SkinChanged();

    // The interceptor every message of the control goes through.
    void NewWndProc(TMessage& message);
    // Hands message to the handler that was there before the skinner.
    void CallDefault(TMessage& message);
    void Repaint();

    HWND Handle() const noexcept { return FHandle; }
    TControl* Control() const noexcept { return FControl; }
    TSkinControlHost* Form() const noexcept { return FForm; }
    TSkinData* SkinData() const noexcept { return FSkinData; }
    TSkinStatus Status() const noexcept { return FStatus; }
    bool Active() const noexcept { return FActive; }
    bool Initialized() const noexcept { return FInitialized; }
    std::uint8_t State() const noexcept { return FState; }
    const RECT& WindowRect() const noexcept { return FWindowRect; }
    int PaintMode() const noexcept { return FPaintMode; }
    bool UseSkinColor() const noexcept { return FUseSkinColor; }
    bool HookedByHandle() const noexcept { return FSubclass.Installed(); }

protected:
    // Answers WM_PAINT completely: into the DC in the word parameter, or
    // between BeginPaint and EndPaint.
    void PaintWindow(TMessage& message);
    // Answers WM_ERASEBKGND with the parent's background (result 1).
    void EraseToParent(TMessage& message);
    void FillSkinColor(HDC dc, const RECT& rect) const;
    void FillParentColor(HDC dc, const RECT& rect) const;
    // The colour of the control's parent, else fallback.
    TColor ParentColor(TColor fallback) const;
    // Switches the control's ParentBackground off while skinned (attach) and
    // back on afterwards, unless the skin wants parent backgrounds.
    void SetParentBackground(bool attach);
    // A focus rectangle around FCaption as DrawText with format lays it out in rect.
    void DrawFocusAroundText(HDC dc, UINT format, const RECT& rect);
    LONG_PTR GetLong(HWND window, int index) const;
    // Asks for WM_MOUSELEAVE; false when the system cannot.
    bool TrackLeave() const;
    // The hover convention of the skinners: the first WM_MOUSEMOVE over an
    // enabled control makes it hot (and tells the form's watchdog), every one
    // asks for WM_MOUSELEAVE; leaving (WM_MOUSELEAVE, or the watchdog's
    // CM_MOUSELEAVE) clears the bits of clearOnLeave. Repaints on a change.
    void TrackHover(const TMessage& message, std::uint8_t clearOnLeave = ssHot);
    // The skin's ButtonFace colour (the system's when there is no skin data).
    TColor SkinFaceColor() const;
    // The colour of the control's caption on the skin's face: its font
    // colour, unless that is the system's text colour the control was left
    // with, which a dark skin face would swallow; then the skin's ButtonText.
    TColor CaptionTextColor() const;
    // Reads enabled, focus and caption from the window; painting starts with it.
    void SampleWindow();
    // The attach's first half: the owner control (null when the owner is
    // none), the form, skin data and canvas taken, the window's handle read.
    TControl* BindOwner(TSkinControlHost* form, TSkinData* skinData, bool useSkinColor, TCanvas* canvas);
    // Listed with the form, and in the skin's face colour when asked, its own kept for Unskin.
    void ListAndColour(TControl& control);
    // For window-less controls that repaint through their own invalidation.
    void SetGraphicControl(TControl* control) noexcept { FGraphicControl = control; }

    std::uint8_t FState = 0;
    TCanvas* FCanvas = nullptr;
    bool FEnabled = true;
    bool FFocused = false;
    std::wstring FCaption;
    bool FActive = true;
    bool FUnicode = false;
    TSkinData* FSkinData = nullptr;
    HWND FHandle = nullptr;
    TControl* FControl = nullptr;
    RECT FWindowRect{};
    TControl* FGraphicControl = nullptr;
    bool FUseSkinColor = false;
    TColor FSavedColor = clNone;
    bool FSavedParentColor = false;
    bool FInitialized = false;
    // PaintFrame reads the window first (SampleWindow); a skinner whose
    // painting needs none of it leaves the control's messages as they are.
    bool FSampleOnPaint = true;
    TSkinStatus FStatus = TSkinStatus::Created;
    TSkinControlHost* FForm = nullptr;
    int FPaintMode = 0;
    bool FParentBackgroundChanged = false;
    // False once the skinner is freed: a message it is handling checks it
    // before touching the skinner again (a click may free the control).
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);

private:
    void HookControl(TControl& control);
    void OnWindowChange(TWinControl& control, ui::WindowChange change);
    void Unhook() noexcept;

    // Hooked through the control: its layer, and the rest of its chain while a message is in it.
    ui::HookToken FLayer;
    const TWndNext* FNext = nullptr;
    ui::HookToken FWindowWatch;
    // The control is re-creating its window: the old one's end is not the skinner's.
    bool FRecreating = false;
    // Hooked by handle.
    ui::WindowSubclass FSubclass;

};
