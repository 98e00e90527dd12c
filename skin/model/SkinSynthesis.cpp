// Elements the skin does not carry as pictures but that are made from others
// once per skin: the combo box and its arrow, and the toolbar gradient.
#include "skin/model/ImgUtil.h"
#include "skin/model/SkinModelBuilder.h"

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

void TSkinModelBuilder::BuildComboElements()
{
    TSkinModel& m = model_;
    if (!m.SunkEdge || !m.ComboButton) {
        return;
    }
    const int frames = m.SunkEdge->FrameCount < 1 ? 1 : m.SunkEdge->FrameCount;
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
        DrawSkinElement(dc, whole, m.SunkEdge->Bitmap, false, false, m.SunkEdge->Trans == 1, m.SunkEdge->FrameCount,
                        frame, m.SunkEdge->Margins());
        DrawSkinElement(dc, buttonRect, m.ComboButton->Bitmap, false, false, true, m.ComboButton->FrameCount, frame,
                        m.ComboButton->Margins());
        if (m.ExtraImages) {
            DrawFrameCentered(dc, buttonRect, m.ExtraImages->Bitmap, true, m.ExtraImages->FrameCount, frame);
        }
        // The text area is left to the edit inside the combo box.
        FillKey(work, {2, 2, kComboCellWidth - 1 - button, kComboCellHeight - 3});
        BitBlt(result.Canvas().Handle(), kComboCellWidth * (frame - 1), 0, kComboCellWidth, kComboCellHeight,
               work.Canvas().Handle(), 0, 0, SRCCOPY);
    }

    m.ComboButton->Style = 2;
    m.ComboButton->LeftWidth = 2;
    m.ComboButton->TopHeight = m.SunkEdge->TopHeight;
    m.ComboButton->RightWidth = button + 2;
    m.ComboButton->BottomHeight = m.SunkEdge->BottomHeight;
    CopyBitmap(result, m.ComboButton->Bitmap);

    // The same picture mirrored serves right-to-left combo boxes.
    MirrorHorizontal(result);
    CopyBitmap(result, m.SunkEdge->Bitmap);
    m.SunkEdge->LeftWidth = button + 2;
    m.SunkEdge->RightWidth = 2;
}

void TSkinModelBuilder::BuildComboArrow()
{
    TSkinModel& m = model_;
    // Every skin gets an arrow of its own: one without combo pieces has an
    // empty arrow rather than the one an earlier skin left.
    m.ComboxArrow = std::make_unique<TDataSkinObject>("ComboxArrow");
    if (!m.SunkEdge && m.ComboButton) {
        CopyBitmap(m.ComboButton->Bitmap, m.ComboxArrow->Bitmap);
        // Resolved first: a system colour's low bytes are an index, not a colour.
        ReplaceMagenta(m.ComboxArrow->Bitmap, ui::ColorToRGB(m.ButtonFaceColour));
        m.ComboxArrow->FrameCount = m.ComboButton->FrameCount;
    } else if (m.SunkEdge && m.ComboButton && m.ComboButton->Style == 2) {
        const int frames = m.SunkEdge->FrameCount < 1 ? 1 : m.SunkEdge->FrameCount;
        const int cell = m.ComboButton->Bitmap.Width() / frames;
        TBitmap arrows(kArrowCell * frames, kArrowCell);
        const HDC source = m.ComboButton->Bitmap.Canvas().Handle();
        for (int i = 0; i < frames; ++i) {
            BitBlt(arrows.Canvas().Handle(), kArrowCell * i, 0, kArrowCell, kArrowCell, source,
                   cell * (i + 1) - 19, 2, SRCCOPY);
        }
        CopyBitmap(arrows, m.ComboxArrow->Bitmap);
        m.ComboxArrow->FrameCount = frames;
    }
}

void TSkinModelBuilder::BuildToolbarElement()
{
    TSkinModel& m = model_;
    const TColor base = ui::ColorToRGB(m.SampleFrameColour());
    TColor bottom = MixColor(0x808080, base, 150);
    const TColor top = MixColor(m.ButtonFaceColour, clWhite, 150);
    // A strongly coloured frame gets a lighter toolbar of its own hue.
    if (const int saturation = ColourSaturation(base); saturation > 110) {
        bottom = MixColor(base, clWhite, (225 - saturation) * 25 / 140 + 50);
    }
    TBitmap gradient(10, 40);
    GradientFill(gradient.Canvas().Handle(), {0, 0, 10, 40}, top, bottom, true);
    m.Toolbar = std::make_unique<TDataSkinObject>("Toolbar");
    CopyBitmap(gradient, m.Toolbar->Bitmap);
    m.Toolbar->FrameCount = 1;
}
