// Leak proof for the drawing primitives. Every GDI object they make passes
// through the framework's counting wrappers, so equal snapshots before and
// after show that nothing is left behind; the long soak proves the counts
// true, since a real leak of one object a cycle would exhaust Wine's GDI
// handle table (65,536 entries) before the loop ends.
#include "skin/model/ImgUtil.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>

namespace {

constexpr int soakCycles = 66'000;  // more than Wine's 65,480 usable GDI handles

TColor At(TBitmap& b, int x, int y)
{
    const std::uint8_t* p = b.ScanLine(y) + 3 * x;
    return RGBColor(p[2], p[1], p[0]);
}

// A 5-frame strip of 8 x 6 frames: frame i is plain grey 40 * i with a
// magenta top-left pixel.
void PaintStrip(TBitmap& strip)
{
    strip.SetSize(40, 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 40; ++x) {
            const TColor c = x % 8 == 0 && y == 0 ? clFuchsia : RGBColor(static_cast<std::uint8_t>(40 * (x / 8 + 1)), 0, 0);
            std::uint8_t* p = strip.ScanLine(y) + 3 * x;
            p[0] = BlueOf(c);
            p[1] = GreenOf(c);
            p[2] = RedOf(c);
        }
}

TEST(ImgUtilSoak, EveryRoutineLeavesTheCountsAsTheyWere)
{
    TBitmap strip(40, 6);
    PaintStrip(strip);
    TBitmap target(30, 20);
    const HDC dc = target.Canvas().Handle();
    strip.Canvas().Handle();  // the strip's own DC lives as long as the strip
    const RECT margins{2, 2, 2, 2};
    const auto before = ui::HandleSnapshot::Take();
    for (int i = 0; i < 200; ++i) {
        const int frame = i % 6 + 1;
        DrawSkinElement(dc, {1, 1, 29, 19}, strip, false, i % 2 == 0, i % 3 == 0, 5, frame, margins);
        RenderSkinFrame({0, 0, 9, 9}, strip, margins, true, true, 1, 1);
        TileRect(target.Canvas(), {0, 0, 30, 20}, strip, {8, 1, 12, 5});
        DrawThreeSlice(dc, {0, 0, 5, 20}, strip, false, 5, frame, margins);
        DrawThreeSliceTiled(target.Canvas(), {0, 0, 30, 10}, strip, false, i % 2 == 0, 5, frame, margins);
        DrawFrameStretched(dc, {0, 0, 16, 12}, strip, i % 2 == 0, 5, frame);
        DrawFrameCentered(dc, {0, 0, 16, 12}, strip, i % 2 == 1, 5, frame);
        DrawTransparent(dc, {0, 0, 40, 6}, strip, clFuchsia);
        { const auto region = RegionFromColourKey(strip, i, 0, 1, 1, 1, clFuchsia); }
        GradientFill(dc, {0, 0, 30, 20}, clBtnFace, RGBColor(static_cast<std::uint8_t>(i), 9, 9), i % 2 == 0);
        TBitmap copy;
        CopyBitmap(strip, copy);
        GrayScale(copy);
        ReplaceMagenta(copy, clWhite);
        MirrorHorizontal(copy);
        FlipVertical(copy);
        RotateLeft(copy);
        RotateRight(copy);
        RECT box{0, 0, 30, 20};
        DrawTextWide(dc, AnsiToWide("字"), box, DT_SINGLELINE);
    }
    EXPECT_EQ(ui::HandleSnapshot::Take(), before);
}

TEST(ImgUtilSoak, MoreCyclesThanWineHasGdiHandles)
{
    TBitmap strip(40, 6);
    PaintStrip(strip);
    TBitmap target(12, 8);
    const HDC dc = target.Canvas().Handle();
    strip.Canvas().Handle();
    const auto before = ui::HandleSnapshot::Take();
    const ULONGLONG start = GetTickCount64();
    for (int i = 0; i < soakCycles; ++i) {
        // A nine-slice (result bitmap and its DC; every fourth keyed, with a
        // mask too) and a one-row gradient (a brush). Keyed drawing is the
        // slow one under Wine, so it runs less often to keep the soak short.
        const int frame = i % 5 + 1;
        DrawSkinElement(dc, {0, 0, 12, 8}, strip, false, i % 2 == 0, i % 4 == 0, 5, frame, RECT{1, 1, 1, 1});
        GradientFill(dc, {0, 7, 1, 8}, clBlack, clWhite, true);
        if (At(target, 5, 4) != RGBColor(static_cast<std::uint8_t>(40 * frame), 0, 0)) {
            ADD_FAILURE() << "cycle " << i << " painted " << std::hex << At(target, 5, 4);
            break;
        }
    }
    const double seconds = static_cast<double>(GetTickCount64() - start) / 1000.0;
    std::printf("imgutil soak: %d cycles in %.2f s\n", soakCycles, seconds);
    EXPECT_EQ(ui::HandleSnapshot::Take(), before);

    // The process can still make GDI objects, and the primitives still paint right.
    TBitmap after(8, 6);
    after.Canvas().Brush().SetColor(clTeal);
    after.Canvas().FillRect({0, 0, 8, 6});
    DrawFrameCentered(after.Canvas().Handle(), {0, 0, 8, 6}, strip, true, 5, 3);
    EXPECT_EQ(At(after, 0, 0), clTeal);
    EXPECT_EQ(At(after, 1, 0), RGBColor(120, 0, 0));
    EXPECT_EQ(At(after, 7, 5), RGBColor(120, 0, 0));
}

} // namespace
