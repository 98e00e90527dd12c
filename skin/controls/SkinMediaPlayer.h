// Media players: a panel of our own (TWMediaPlayer) lies over the player
// and draws its visible buttons from the Buttons element, sharing the width,
// each with its glyph: 27 glyph pictures (enabled, disabled and coloured for
// each of the nine buttons) are the program's resources, keyed on olive.
// Presses are handed to the player itself, which does the work. The
// painters in `playerface` draw into any DC.
#pragma once

#include "skin/controls/SkinControl.h"
#include "ui/Bitmap.h"
#include "ui/ExtCtrls.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class TDataSkinObject;
class TSkinData;

namespace playerface {

inline constexpr int kButtonCount = 9;
// Frames of the Buttons element a player button is drawn with.
inline constexpr int kNormalFrame = 1;
inline constexpr int kPressedFrame = 2;
inline constexpr int kDisabledFrame = 3;
// The glyphs' transparent colour: olive.
inline constexpr TColor kGlyphKey = 0x00008080;

// "MPPLAY" ... "MPEJECT" for buttons 0 to 8.
const char* ButtonName(int button) noexcept;
// Pressed wins, then disabled.
int ButtonFrame(bool pressed, bool enabled) noexcept;

struct TButtonSlot {
    int Button = 0;
    RECT Rect{};
};
// The buttons of the visible mask (bit i: button i) left to right, sharing
// the width of client equally.
std::vector<TButtonSlot> Layout(std::uint32_t visible, const RECT& client);

// One button: the Buttons element's frame over rect (a raised system
// button without the element), its glyph centred over it, one pixel
// down and right when pressed.
void PaintButton(HDC dc, const RECT& rect, TDataSkinObject* buttons, TBitmap* glyph, bool pressed, bool enabled);

} // namespace playerface

// The 27 glyphs, loaded from the module's resources by name.
class TPlayerGlyphs {
public:
    enum TLook : int { Enabled = 0, Disabled = 1, Coloured = 2 };
    explicit TPlayerGlyphs(HINSTANCE module);
    // Null when the module has no such picture.
    TBitmap* Glyph(TLook look, int button);
    int Loaded() const noexcept { return FLoaded; }

private:
    std::array<std::array<TBitmap, playerface::kButtonCount>, 3> FGlyphs;
    int FLoaded = 0;
};

// Lies over a media player with its bounds and draws it from the skin.
class TWMediaPlayer : public TCustomPanel {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    TWMediaPlayer(TComponent* owner, TWinControl& player, TSkinData* skinData);

    // Puts the panel over the player again (bounds, visibility, above it).
    void Follow();
    // The player's press ended (its release or its capture lost).
    void Released();
    int Pressed() const noexcept { return FPressed; }
    // Loaded with the first paint: a player never shown costs no pictures.
    TPlayerGlyphs& Glyphs();
    // What the panel shows now: bits of the player's visible, enabled and coloured buttons.
    std::uint32_t VisibleMask() const;
    std::uint32_t EnabledMask() const;
    std::uint32_t ColouredMask() const;

    void WndProc(TMessage& message) override;

protected:
    void PaintWindow(HDC dc) override;

private:
    int ButtonAt(POINT point) const;

    TWinControl& FPlayer;
    TSkinData* FSkinData = nullptr;
    std::unique_ptr<TPlayerGlyphs> FGlyphs;
    // Each paint is composed here and copied once.
    TBitmap FScratch;
    int FPressed = -1;
};

class TSkinMP : public TSkinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit TSkinMP(TComponent* owner) : TSkinControl(owner) {}
    ~TSkinMP() override;

    void InitControl(TSkinControlHost* form, TSkinData* skinData, bool useSkinColor, TCanvas* canvas) override;
    void Unskin() override;
    void AfterProc(TMessage& message) override;

    TWMediaPlayer* Player() const noexcept { return FPlayer; }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TWMediaPlayer* FPlayer = nullptr;
};
