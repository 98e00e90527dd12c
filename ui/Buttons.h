// The button family beyond the plain push button: check box and radio button
// (the system's BUTTON class with its check styles), the glyph button (a push
// button the framework draws itself, with a bitmap beside its caption) and
// the speed button, which has no window and is drawn by its parent.
#pragma once

#include "ui/Bitmap.h"
#include "ui/Control.h"
#include "ui/StdCtrls.h"

#include <algorithm>
#include <memory>
#include <string>

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCheckBox : public TWinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TCheckBox>& p);

    explicit TCheckBox(TComponent* owner);

    TCheckBoxState State() const;
    void SetState(TCheckBoxState value);
    bool Checked() const { return State() == cbChecked; }
    void SetChecked(bool value) { SetState(value ? cbChecked : cbUnchecked); }
    // A click cycles through the grayed state too.
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool value);
    // taLeftJustify puts the caption on the left of the box.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;

private:
    TCheckBoxState state_ = cbUnchecked;
    bool allowGrayed_ = false;
    TAlignment alignment_ = taRightJustify;
};

class TRadioButton : public TWinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TRadioButton>& p);

    explicit TRadioButton(TComponent* owner);

    bool Checked() const;
    // Checking one clears the other radio buttons of the same parent.
    void SetChecked(bool value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;

private:
    bool checked_ = false;
    TAlignment alignment_ = taRightJustify;
};

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };

namespace ui {
extern const TEnumInfo CheckBoxStateInfo;
extern const TEnumInfo ButtonLayoutInfo;
extern const TEnumInfo BitBtnKindInfo;

// Where a glyph of glyphSize and a caption of textSize go in a button of
// clientSize. margin -1 centres both; spacing -1 spreads what is left.
struct TGlyphPlacement {
    POINT Glyph{};
    RECT Text{};
};
TGlyphPlacement PlaceGlyph(SIZE clientSize, SIZE glyphSize, SIZE textSize, TButtonLayout layout, int margin,
                           int spacing);

// Draws cell `cell` (from 1) of a glyph of `cells` cells at (x, y), its
// bottom-left pixel's colour transparent; a cell beyond the glyph's draws the first.
void DrawGlyphCell(HDC dc, int x, int y, TBitmap& glyph, int cells, int cell);
} // namespace ui

// The glyph and its placement, which glyph buttons and speed buttons share.
template <class Base>
class TGlyphButton : public Base {
public:
    explicit TGlyphButton(TComponent* owner) : Base(owner), glyph_(std::make_unique<TBitmap>())
    {
        glyph_->OnChange = TNotifyEvent([this](TObject*) { this->Invalidate(); });
    }

    TBitmap& Glyph() const { return *glyph_; }
    TBitmap* GlyphObject() const { return glyph_.get(); }
    // Cells side by side in the glyph: up, disabled, down, held down.
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int value) { Change(numGlyphs_, std::clamp(value, 1, 4)); }
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout value) { Change(layout_, value); }
    int Margin() const { return margin_; }
    void SetMargin(int value) { Change(margin_, std::max(value, -1)); }
    int Spacing() const { return spacing_; }
    void SetSpacing(int value) { Change(spacing_, std::max(value, -1)); }

protected:
    template <class T>
    static void PublishGlyph(ui::TPublisher<T>& p)
    {
        p.Object("Glyph", &T::GlyphObject);
        p.Integer("NumGlyphs", &T::NumGlyphs, &T::SetNumGlyphs).Default(1);
        p.Enum("Layout", ui::ButtonLayoutInfo, &T::Layout, &T::SetLayout).Default(blGlyphLeft);
        p.Integer("Margin", &T::Margin, &T::SetMargin).Default(-1);
        p.Integer("Spacing", &T::Spacing, &T::SetSpacing).Default(4);
    }

private:
    template <class V>
    void Change(V& field, V value)
    {
        field = value;
        this->Invalidate();
    }

    std::unique_ptr<TBitmap> glyph_;
    int numGlyphs_ = 1;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
};

// A push button drawn by the framework with the system's look and a glyph.
class TBitBtn : public TGlyphButton<TButton> {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TBitBtn>& p);

    explicit TBitBtn(TComponent* owner);
    ~TBitBtn() override;

    // A standard kind sets caption, modal result and default or cancel.
    TBitBtnKind Kind() const { return kind_; }
    void SetKind(TBitBtnKind value);

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    void DrawItem(const DRAWITEMSTRUCT& item);

    TBitBtnKind kind_ = bkCustom;
};

// A window-less button: clicks, a pressed ("Down") state kept within a
// group of speed buttons of one parent, flat until the pointer is over it.
class TSpeedButton : public TGlyphButton<TGraphicControl> {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TSpeedButton>& p);

    explicit TSpeedButton(TComponent* owner);
    ~TSpeedButton() override;

    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    // Down stays only with a GroupIndex; within a group one button is down
    // (none, too, with AllowAllUp).
    bool Down() const { return down_; }
    void SetDown(bool value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool value);
    // The left button is held over the button.
    bool Pressed() const { return pressed_; }

    void Click() override;
    void WndProc(TMessage& message) override;

protected:
    void Paint() override;

private:
    void ReleaseOthersInGroup();

    bool flat_ = false;
    bool down_ = false;
    int groupIndex_ = 0;
    bool allowAllUp_ = false;
    bool pressed_ = false;
};
