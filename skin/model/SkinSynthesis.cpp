// Elements the skin does not carry as pictures but that are made from others
// once per application: the combo box and its arrow, and the toolbar gradient.
#include "skin/model/ImgUtil.h"
#include "skin/model/WinSkinData.h"

namespace {

// The size of the combo box picture cells.
constexpr int kComboCellWidth = 50;
constexpr int kComboCellHeight = 21;
// The arrow cell cut from a combo cell's button part.
constexpr int kArrowCell = 17;

void FillKey(TBitmap& bitmap, const RECT& rect)
{
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush().SetColor(SkinKeyColour);
    canvas.FillRect(rect);
}

} // namespace

void TSkinData::BuildComboElements()
{
    if (!SunkEdge || !ComboButton) {
        return;
    }
    const int frames = SunkEdge->FrameCount < 1 ? 1 : SunkEdge->FrameCount;
    const int button = GetSystemMetrics(SM_CXHSCROLL) + 2;

    TBitmap result(kComboCellWidth * frames, kComboCellHeight);
    FillKey(result, {0, 0, result.Width(), result.Height()});
    TBitmap work(kComboCellWidth, kComboCellHeight);
    const RECT whole{0, 0, kComboCellWidth, kComboCellHeight};
    const RECT buttonRect{kComboCellWidth - button, 0, kComboCellWidth, kComboCellHeight};
    for (int frame = 1; frame <= frames; ++frame) {
        // Each cell starts keyed, so a transparent edge never shows the cell before it.
        FillKey(work, whole);
        const HDC dc = work.Canvas().Handle();
        DrawSkinElement(dc, whole, SunkEdge->Bitmap, false, false, SunkEdge->Trans == 1, SunkEdge->FrameCount,
                        frame, SunkEdge->Margins());
        DrawSkinElement(dc, buttonRect, ComboButton->Bitmap, false, false, true, ComboButton->FrameCount, frame,
                        ComboButton->Margins());
        if (ExtraImages) {
            DrawFrameCentered(work.Canvas().Handle(), buttonRect, ExtraImages->Bitmap, true, ExtraImages->FrameCount,
                              frame);
        }
        // The text area is left to the edit inside the combo box.
        FillKey(work, {2, 2, kComboCellWidth - 1 - button, kComboCellHeight - 3});
        BitBlt(result.Canvas().Handle(), kComboCellWidth * (frame - 1), 0, kComboCellWidth, kComboCellHeight,
               work.Canvas().Handle(), 0, 0, SRCCOPY);
    }

    ComboButton->Style = 2;
    ComboButton->LeftWidth = 2;
    ComboButton->TopHeight = SunkEdge->TopHeight;
    ComboButton->RightWidth = button + 2;
    ComboButton->BottomHeight = SunkEdge->BottomHeight;
    CopyBitmap(result, ComboButton->Bitmap);

    // The same picture mirrored serves right-to-left combo boxes.
    MirrorHorizontal(result);
    CopyBitmap(result, SunkEdge->Bitmap);
    SunkEdge->LeftWidth = button + 2;
    SunkEdge->RightWidth = 2;
}

void TSkinData::BuildComboArrow()
{
    if (!ComboxArrow) {
        ComboxArrow = std::make_unique<TDataSkinObject>("ComboxArrow");
    }
    if (!SunkEdge && ComboButton) {
        CopyBitmap(ComboButton->Bitmap, ComboxArrow->Bitmap);
        // Resolved first: a system colour's low bytes are an index, not a colour.
        ReplaceMagenta(ComboxArrow->Bitmap, ui::ColorToRGB(ButtonFaceColour));
        ComboxArrow->FrameCount = ComboButton->FrameCount;
    } else if (SunkEdge && ComboButton && ComboButton->Style == 2) {
        const int frames = SunkEdge->FrameCount < 1 ? 1 : SunkEdge->FrameCount;
        const int cell = ComboButton->Bitmap.Width() / frames;
        TBitmap arrows(kArrowCell * frames, kArrowCell);
        const HDC source = ComboButton->Bitmap.Canvas().Handle();
        for (int i = 0; i < frames; ++i) {
            BitBlt(arrows.Canvas().Handle(), kArrowCell * i, 0, kArrowCell, kArrowCell, source,
                   cell * (i + 1) - 19, 2, SRCCOPY);
        }
        CopyBitmap(arrows, ComboxArrow->Bitmap);
        ComboxArrow->FrameCount = frames;
    }
}

void TSkinData::BuildToolbarElement()
{
    const TColor base = ui::ColorToRGB(SampleFrameColour());
    TColor bottom = MixColor(0x808080, base, 150);
    const TColor top = MixColor(ButtonFaceColour, clWhite, 150);
    // A strongly coloured frame gets a lighter toolbar of its own hue.
    if (const int saturation = ColourSaturation(base); saturation > 110) {
        bottom = MixColor(base, clWhite, (225 - saturation) * 25 / 140 + 50);
    }
    TBitmap gradient(10, 40);
    GradientFill(gradient.Canvas().Handle(), {0, 0, 10, 40}, top, bottom, true);
    if (!Toolbar) {
        Toolbar = std::make_unique<TDataSkinObject>("Toolbar");
    }
    CopyBitmap(gradient, Toolbar->Bitmap);
    Toolbar->FrameCount = 1;
}
