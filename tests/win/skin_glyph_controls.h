// Check boxes and radio buttons of other control libraries, as far as the
// custom-glyph skinner sees them: published glyph properties that record
// what is assigned, so that a test can read the strip the control would
// load, cell by cell.
#pragma once

#include "ui/Bitmap.h"
#include "ui/Control.h"
#include "ui/Properties.h"

#include <memory>
#include <string>
#include <vector>

// "CustomGlyphs", "TransparentColor", "UseCustomGlyphs": switching the last
// on makes the control read its glyphs (kept in Loaded).
template <class Self>
class TCustomGlyphControl : public TWinControl {
public:
    explicit TCustomGlyphControl(TComponent* owner) : TWinControl(owner) {}

    static void PublishGlyphs(ui::TPublisher<Self>& p)
    {
        p.Object("CustomGlyphs", &Self::CustomGlyphs);
        p.Colour("TransparentColor", &Self::TransparentColor, &Self::SetTransparentColor);
        p.Boolean("UseCustomGlyphs", &Self::UseCustomGlyphs, &Self::SetUseCustomGlyphs);
    }

    TBitmap* CustomGlyphs() const { return glyphs_.get(); }
    TColor TransparentColor() const { return transparent_; }
    void SetTransparentColor(TColor value)
    {
        transparent_ = value;
        Changes.push_back("TransparentColor=" + std::to_string(value));
    }
    bool UseCustomGlyphs() const { return use_; }
    void SetUseCustomGlyphs(bool value)
    {
        use_ = value;
        Changes.push_back(value ? "UseCustomGlyphs=True" : "UseCustomGlyphs=False");
        if (value)
            Loaded.Assign(*glyphs_);
    }

    std::vector<std::string> Changes;
    TBitmap Loaded;

private:
    std::unique_ptr<TBitmap> glyphs_ = std::make_unique<TBitmap>();
    TColor transparent_ = clOlive;
    bool use_ = false;
};

class TRzCheckBox : public TCustomGlyphControl<TRzCheckBox> {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TRzCheckBox>& p) { PublishGlyphs(p); }
    explicit TRzCheckBox(TComponent* owner) : TCustomGlyphControl(owner) {}
};
inline constinit const TClassInfo TRzCheckBox::ClassInfo = ui::ClassOf<TRzCheckBox>("TRzCheckBox", TWinControl::ClassInfo);

class TRzDBRadioButton : public TCustomGlyphControl<TRzDBRadioButton> {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TRzDBRadioButton>& p) { PublishGlyphs(p); }
    explicit TRzDBRadioButton(TComponent* owner) : TCustomGlyphControl(owner) {}
};
inline constinit const TClassInfo TRzDBRadioButton::ClassInfo =
    ui::ClassOf<TRzDBRadioButton>("TRzDBRadioButton", TWinControl::ClassInfo);

// The check box whose glyph lives in its "Properties" object.
class TcxCheckBoxProperties : public TPersistent {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TcxCheckBoxProperties>& p) { p.Object("Glyph", &TcxCheckBoxProperties::Glyph); }
    TBitmap* Glyph() const { return glyph_.get(); }

private:
    std::unique_ptr<TBitmap> glyph_ = std::make_unique<TBitmap>();
};
inline constinit const TClassInfo TcxCheckBoxProperties::ClassInfo =
    ui::ClassOf<TcxCheckBoxProperties>("TcxCheckBoxProperties", TPersistent::ClassInfo);

class TcxCheckBox : public TWinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TcxCheckBox>& p) { p.Object("Properties", &TcxCheckBox::Properties); }
    explicit TcxCheckBox(TComponent* owner) : TWinControl(owner) {}
    TcxCheckBoxProperties* Properties() const { return properties_.get(); }

private:
    std::unique_ptr<TcxCheckBoxProperties> properties_ = std::make_unique<TcxCheckBoxProperties>();
};
inline constinit const TClassInfo TcxCheckBox::ClassInfo = ui::ClassOf<TcxCheckBox>("TcxCheckBox", TWinControl::ClassInfo);
