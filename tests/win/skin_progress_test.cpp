// Progress bars skinned from a test skin: the filled length for position
// and range, the chunk strip, vertical bars turned a quarter, the control's
// own drawing when the skin has no Progress element, and handles over many paints.
#include "tests/win/skin_bars_support.h"

#include "skin/controls/SkinProgress.h"
#include "ui/ProgressBar.h"

#include <commctrl.h>

#include <gtest/gtest.h>

namespace {

using namespace skinbarstest;

constexpr COLORREF kTrack = RGB(30, 140, 200);
constexpr COLORREF kFill = RGB(220, 60, 40);
constexpr COLORREF kStripe = RGB(250, 220, 0);
constexpr COLORREF kChunk = RGB(60, 200, 90);

// Two 10 x 10 frames, track and fill, with 2-pixel margins; the track's
// left margin is a stripe of its own so that a turned picture shows.
std::unique_ptr<TDataSkinBorder> ProgressElement(int style, int frames)
{
    auto element = BorderElement("Progress", frames, 10, 10, [](int i) { return i == 1 ? kTrack : kFill; });
    element->Style = style;
    element->LeftWidth = element->TopHeight = element->RightWidth = element->BottomHeight = 2;
    TCanvas& canvas = element->Bitmap.Canvas();
    canvas.Brush().SetColor(static_cast<TColor>(kStripe));
    canvas.FillRect(RECT{0, 0, 2, 10});
    return element;
}

class SkinProgressTest : public BarsTest {
protected:
    TProgressBar* Bar(int left, int top, int width, int height, int position)
    {
        auto* bar = Place<TProgressBar>(left, top, width, height);
        bar->SetPosition(position);
        return bar;
    }
    static COLORREF Offscreen(TSkinControl& skinner, int width, int height, int x, int y)
    {
        Surface surface(width, height);
        skinner.PaintControl(surface.dc.get(), RECT{0, 0, width, height});
        return GetPixel(surface.dc.get(), x, y);
    }
};

TEST_F(SkinProgressTest, TwoFramePictureFillsInProportionToPosition)
{
    host->Skin.Progress = ProgressElement(0, 2);
    auto* bar = Bar(20, 20, 120, 18, 50);
    auto* skinner = Skin<TSkinProgress>(*bar);
    // 50 of 100 over 120 pixels: 60 filled.
    EXPECT_TRUE(Near(Offscreen(*skinner, 120, 18, 30, 9), kFill, 4));
    EXPECT_TRUE(Near(Offscreen(*skinner, 120, 18, 57, 9), kFill, 4));
    EXPECT_TRUE(Near(Offscreen(*skinner, 120, 18, 90, 9), kTrack, 4));

    bar->SetPosition(0);
    EXPECT_TRUE(Near(Offscreen(*skinner, 120, 18, 30, 9), kTrack, 4)) << "at 0 only the track";
    EXPECT_TRUE(Near(Offscreen(*skinner, 120, 18, 0, 9), kStripe, 4));

    bar->SetPosition(50);
    SendMessageA(bar->Handle(), PBM_SETRANGE32, 0, 0);
    EXPECT_TRUE(Near(Offscreen(*skinner, 120, 18, 30, 9), kTrack, 4)) << "a maximum of 0 shows only the track";

    SendMessageA(bar->Handle(), PBM_SETRANGE32, 0, 200);
    SendMessageA(bar->Handle(), PBM_SETPOS, 200, 0);
    EXPECT_TRUE(Near(Offscreen(*skinner, 120, 18, 115, 9), kFill, 4)) << "full";
}

TEST_F(SkinProgressTest, ChunksTileOrStretchOverTheFilledLength)
{
    host->Skin.Progress = ProgressElement(1, 1);
    host->Skin.ProgressChunk = Element("Progress.Chunk", 1, 6, 8, [](int) { return kChunk; });
    host->Skin.ProgressChunk->Tile = 1;
    host->Skin.ProgressChunk->LeftWidth = 1;
    auto* bar = Bar(20, 20, 120, 18, 50);
    auto* skinner = Skin<TSkinProgress>(*bar);
    // Tiled: a strip one chunk high, centred, from x 3 for 60 pixels.
    EXPECT_TRUE(Near(Offscreen(*skinner, 120, 18, 30, 9), kChunk, 4));
    EXPECT_TRUE(Near(Offscreen(*skinner, 120, 18, 62, 9), kChunk, 4));
    EXPECT_TRUE(Near(Offscreen(*skinner, 120, 18, 30, 3), kTrack, 4)) << "above the strip";
    EXPECT_TRUE(Near(Offscreen(*skinner, 120, 18, 64, 9), kTrack, 4)) << "past the strip";

    host->Skin.ProgressChunk->Tile = 0;
    host->Skin.ProgressChunk->LeftWidth = 0;
    // Stretched: 60 x 14 at (2, 2).
    EXPECT_TRUE(Near(Offscreen(*skinner, 120, 18, 30, 2), kChunk, 4));
    EXPECT_TRUE(Near(Offscreen(*skinner, 120, 18, 30, 15), kChunk, 4));
    EXPECT_TRUE(Near(Offscreen(*skinner, 120, 18, 30, 1), kTrack, 4));
    EXPECT_TRUE(Near(Offscreen(*skinner, 120, 18, 63, 9), kTrack, 4));

    bar->SetPosition(0);
    EXPECT_TRUE(Near(Offscreen(*skinner, 120, 18, 30, 9), kTrack, 4)) << "at 0 no chunk";
    host->Skin.ProgressChunk.reset();
    bar->SetPosition(50);
    EXPECT_TRUE(Near(Offscreen(*skinner, 120, 18, 30, 9), kTrack, 4)) << "without a chunk, the track";
}

TEST_F(SkinProgressTest, VerticalBarsUseThePictureTurnedAQuarter)
{
    host->Skin.Progress = ProgressElement(0, 2);
    auto* bar = Bar(20, 20, 18, 120, 25);
    bar->SetOrientation(pbVertical);
    auto* skinner = Skin<TSkinProgress>(*bar);
    // 25 of 100 over 120 pixels fills the bottom 30.
    EXPECT_TRUE(Near(Offscreen(*skinner, 18, 120, 9, 110), kFill, 4));
    EXPECT_TRUE(Near(Offscreen(*skinner, 18, 120, 9, 92), kFill, 4));
    EXPECT_TRUE(Near(Offscreen(*skinner, 18, 120, 9, 40), kTrack, 4));
    bar->SetPosition(0);
    // The track's left margin lies along the bottom.
    EXPECT_TRUE(Near(Offscreen(*skinner, 18, 120, 9, 119), kStripe, 4));
    EXPECT_TRUE(Near(Offscreen(*skinner, 18, 120, 9, 1), kTrack, 4));

    bar->SetPosition(25);
    Redraw(bar->Handle());
    const Capture screen(bar->Handle());
    EXPECT_TRUE(Near(screen.At(9, 110), kFill, 4));
    EXPECT_TRUE(Near(screen.At(9, 40), kTrack, 4));
}

TEST_F(SkinProgressTest, OnTheScreenTheSkinnerPaintsTheWholeBar)
{
    host->Skin.Progress = ProgressElement(0, 2);
    auto* bar = Bar(20, 20, 120, 18, 50);
    Skin<TSkinProgress>(*bar);
    Redraw(bar->Handle());
    const Capture screen(bar->Handle());
    EXPECT_EQ(screen.Count(RECT{2, 2, 58, 16}, kFill, 4), 56 * 14);
    EXPECT_EQ(screen.Count(RECT{62, 2, 118, 16}, kTrack, 4), 56 * 14);

    bar->StepIt();
    Flush(100);
    const Capture stepped(bar->Handle());
    EXPECT_TRUE(Near(stepped.At(68, 9), kFill, 4)) << "60 of 100 after a step";
}

TEST_F(SkinProgressTest, WithoutTheElementTheControlPaintsItself)
{
    auto* bare = Bar(20, 20, 120, 18, 40);
    auto* skinned = Bar(20, 60, 120, 18, 40);
    auto* skinner = Skin<TSkinProgress>(*skinned);
    const RECT all{0, 0, 120, 18};
    for (const bool empty : {false, true}) {
        if (empty)
            host->Skin.Progress = std::make_unique<TDataSkinBorder>("Progress");
        else
            host->Skin.Progress.reset();
        Redraw(bare->Handle());
        Redraw(skinned->Handle());
        EXPECT_EQ(Differences(Capture(bare->Handle()), Capture(skinned->Handle()), all), 0) << empty;
        Surface surface(120, 18);
        skinner->PaintControl(surface.dc.get(), all);
        EXPECT_EQ(CountNear(surface.dc.get(), all, RGB(255, 255, 255), 0), 120 * 18) << "draws nothing";
    }
}

TEST_F(SkinProgressTest, ManyPaintsLeaveNoHandles)
{
    host->Skin.Progress = ProgressElement(1, 1);
    host->Skin.ProgressChunk = Element("Progress.Chunk", 1, 6, 8, [](int) { return kChunk; });
    host->Skin.ProgressChunk->Tile = 1;
    auto* bar = Bar(20, 20, 18, 120, 30);
    bar->SetOrientation(pbVertical);
    auto* skinner = Skin<TSkinProgress>(*bar);
    Surface surface(18, 120);
    const RECT rect{0, 0, 18, 120};
    skinner->PaintControl(surface.dc.get(), rect);
    const ui::HandleSnapshot handles = ui::HandleSnapshot::Take();
    const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 70000; ++i)
        skinner->PaintFrame(surface.dc.get());
    EXPECT_EQ(ui::HandleSnapshot::Take(), handles);
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdi + 2);
}

} // namespace
