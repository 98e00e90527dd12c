#include "skin/controls/SkinObjImage.h"

#include "skin/model/ImgUtil.h"
#include "skin/model/WinSkinData.h"
#include "ui/Properties.h"

#include <algorithm>
#include <array>
#include <string>

constinit const TClassInfo TSkinObjImage::ClassInfo =
    ui::ClassOf<TSkinObjImage>("TSkinObjImage", TSkinControl::ClassInfo);

namespace objimageface {

namespace {

// Check boxes: each mark in its three looks. Radio buttons: the same
// without grayed. The property glyph: the three marks, then pressed.
constexpr std::array<TCellRole, 9> kCheckCells{{{cmUnchecked, lkNormal},
                                                {cmUnchecked, lkDown},
                                                {cmUnchecked, lkDisabled},
                                                {cmChecked, lkNormal},
                                                {cmChecked, lkDown},
                                                {cmChecked, lkDisabled},
                                                {cmGrayed, lkNormal},
                                                {cmGrayed, lkDown},
                                                {cmGrayed, lkDisabled}}};
constexpr std::array<TCellRole, 6> kPropertyCells{{{cmUnchecked, lkNormal},
                                                   {cmChecked, lkNormal},
                                                   {cmGrayed, lkNormal},
                                                   {cmUnchecked, lkDown},
                                                   {cmChecked, lkDown},
                                                   {cmGrayed, lkDown}}};

constexpr std::string_view kCustomGlyphs = "CustomGlyphs";
constexpr std::string_view kUseCustomGlyphs = "UseCustomGlyphs";

} // namespace

int StripCells(int kind) noexcept
{
    switch (kind) {
    case gkCheckBox:
        return 9;
    case gkRadioButton:
    case gkPropertyGlyph:
        return 6;
    default:
        return 0;
    }
}

TCellRole CellRole(int kind, int index) noexcept
{
    if (index < 0 || index >= StripCells(kind))
        return {};
    const auto at = static_cast<std::size_t>(index);
    return kind == gkPropertyGlyph ? kPropertyCells[at] : kCheckCells[at];
}

int SourceCell(TCellRole role, int frameCount) noexcept
{
    if (frameCount <= 0)
        return 0;
    int cell = 0;
    if (frameCount >= 8) {
        // Normal, hot, down, disabled for each mark.
        TCheckMark mark = role.Mark;
        if (mark == cmGrayed && frameCount < 12)
            mark = cmChecked;
        constexpr std::array<int, 3> kLookOffset{1, 3, 4};
        cell = 4 * static_cast<int>(mark) + kLookOffset[static_cast<std::size_t>(role.Look)];
    } else {
        const bool disabled = role.Look == lkDisabled;
        switch (role.Mark) {
        case cmUnchecked:
            cell = disabled ? 3 : 1;
            break;
        case cmChecked:
            cell = disabled ? 4 : 2;
            break;
        case cmGrayed:
            cell = disabled ? 4 : frameCount == 5 ? 5 : 2;
            break;
        }
    }
    return std::min(cell, frameCount);
}

bool BuildStrip(TBitmap& picture, int frameCount, int kind, TBitmap& strip)
{
    const int cells = StripCells(kind);
    if (cells == 0 || picture.Empty() || frameCount <= 0 || picture.Width() / frameCount < 1) {
        strip.SetSize(0, 0);
        return false;
    }
    const int width = picture.Width() / frameCount;
    const int height = picture.Height();
    strip.SetPixelFormat(pf24bit);
    strip.SetSize(width * cells, height);
    const HDC target = strip.Canvas().Handle();
    const HDC source = picture.Canvas().Handle();
    for (int index = 0; index < cells; ++index) {
        const int from = SourceCell(CellRole(kind, index), frameCount) - 1;
        BitBlt(target, index * width, 0, width, height, source, from * width, 0, SRCCOPY);
    }
    strip.SetModified(true);
    return true;
}

} // namespace objimageface

void TSkinObjImage::InitControl(TSkinControlHost* form, TSkinData* skinData, bool useSkinColor, TCanvas* canvas)
{
    if (Initialized())
        return;
    TControl* const control = BindOwner(form, skinData, useSkinColor, canvas);
    if (!control)
        return;
    ListAndColour(*control);
    FInitialized = true;
    FStatus = TSkinStatus::Attached;
    Apply();
}

void TSkinObjImage::Apply()
{
    if (!FControl || !FSkinData || !FSkinData->ButtonsElement)
        return;
    TDataSkinButton& buttons = *FSkinData->ButtonsElement;
    const bool radio = FGlyphKind == objimageface::gkRadioButton;
    TBitmap& picture = radio ? buttons.RadioBitmap : buttons.CheckBitmap;
    const int frames = radio ? buttons.RadioFrameCount : buttons.CheckFrameCount;
    if (!objimageface::BuildStrip(picture, frames, FGlyphKind, FStrip))
        return;
    if (FGlyphKind == objimageface::gkPropertyGlyph) {
        TObject* properties = ui::GetObjectProp(*FControl, "Properties");
        auto* glyph = properties ? ui::GetObjectPropOf<TBitmap>(properties, "Glyph") : nullptr;
        if (!glyph)
            return;
        glyph->Assign(FStrip);
        glyph->SetTransparentColor(SkinKeyColour);
        glyph->SetTransparent(false);
        return;
    }
    auto* glyphs = ui::GetObjectPropOf<TBitmap>(FControl, objimageface::kCustomGlyphs);
    if (!glyphs)
        return;
    glyphs->Assign(FStrip);
    ui::SetPropText(FControl, "transparentcolor", std::to_string(0xFF00FF));
    // Off and on again: the control reads its glyphs anew.
    ui::SetPropText(FControl, objimageface::kUseCustomGlyphs, "false");
    ui::SetPropText(FControl, objimageface::kUseCustomGlyphs, "true");
}

void TSkinObjImage::Unskin()
{
    TSkinControl::Unskin();
    if (!FControl)
        return;
    if (FGlyphKind == objimageface::gkPropertyGlyph) {
        TObject* properties = ui::GetObjectProp(*FControl, "Properties");
        if (auto* glyph = properties ? ui::GetObjectPropOf<TBitmap>(properties, "Glyph") : nullptr)
            glyph->SetSize(0, 0);
        return;
    }
    ui::SetPropText(FControl, objimageface::kUseCustomGlyphs, "false");
}

void TSkinObjImage::SkinChanged()
{
    if (FUseSkinColor && FControl)
        FControl->SetColor(SkinFaceColor());
    Apply();
}
