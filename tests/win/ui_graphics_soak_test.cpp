// Leak proof for the graphics classes. GetGuiResources answers 0 under Wine,
// so the framework counts its own handles; this soak also proves the counts
// true: Wine's GDI handle table holds 65,536 entries, so a cycle that leaked
// even one real object would run out before the loop ends and creation would
// fail. Afterwards new objects must still paint the right pixels.
#include "ui/Bitmap.h"
#include "ui/Icon.h"
#include "ui/ImageList.h"
#include "ui/Jpeg.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <exception>
#include <vector>

namespace {

constexpr int soakCycles = 66'000;  // more than Wine's 65,480 usable GDI handles

TColor At(TBitmap& bitmap, int x, int y)
{
    const std::uint8_t* line = bitmap.ScanLine(y);
    return RGBColor(line[3 * x + 2], line[3 * x + 1], line[3 * x]);
}

// One create-draw-free cycle touching every handle kind the classes make:
// DIB section, memory DC, brush, pen, font. True when it painted the fill
// colour and the white line it should have.
bool Cycle(int i)
{
    const TColor colour = RGBColor(static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i >> 8), 0x5A);
    TBitmap bitmap(8, 8);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush().SetColor(colour);
    canvas.FillRect({0, 0, 8, 8});
    canvas.Pen().SetColor(clWhite);
    canvas.MoveTo(0, 7);
    canvas.LineTo(8, 7);
    canvas.Font().SetHeight(-8 - i % 3);
    canvas.Brush().SetStyle(bsClear);
    canvas.TextOut(0, 0, std::string_view("."));
    return At(bitmap, 7, 7) == clWhite && At(bitmap, 7, 3) == colour;
}

// What a soak run saw: the first cycle that failed to paint (or threw), and
// the framework's handle counts around the run.
struct SoakOutcome {
    int firstFailedCycle = -1;
    ui::HandleSnapshot before;
    ui::HandleSnapshot after;
};

// `cycles` cycles, stopping at the first that fails. Only the case that shows
// the soak can fail passes `leaked`: each cycle then leaves one more brush in
// it, alive past the run as a leaked one would be.
SoakOutcome Soak(int cycles, std::vector<ui::UniqueBrush>* leaked = nullptr)
{
    SoakOutcome outcome;
    outcome.before = ui::HandleSnapshot::Take();
    for (int i = 0; i < cycles; ++i) {
        bool painted = false;
        try {
            painted = Cycle(i);
        } catch (const std::exception&) {
            // Out of system resources, the way a real leak ends.
        }
        if (!painted) {
            outcome.firstFailedCycle = i;
            break;
        }
        if (leaked)
            leaked->emplace_back(CreateSolidBrush(RGB(i & 0xFF, 1, 2)));
    }
    outcome.after = ui::HandleSnapshot::Take();
    return outcome;
}

TEST(GraphicsSoak, HandleCountsReturnToZeroAfterRepeatedUse)
{
    const auto before = ui::HandleSnapshot::Take();
    for (int i = 0; i < 200; ++i) {
        TBitmap a(16, 16, i % 2 ? pf32bit : pf24bit);
        TBitmap b;
        b.Assign(a);
        b.SetPixelFormat(pf8bit);
        b.SetSize(20, 10);
        a.Canvas().StretchDraw({0, 0, 16, 16}, b);
        b.SetTransparent(true);
        a.Canvas().Draw(2, 2, b);
        a.Canvas().CopyRect({0, 0, 4, 4}, b.Canvas(), {0, 0, 8, 8});
        TBitmap c;
        c.LoadFromBytes(a.SaveToBytes());
        RECT box{0, 0, 16, 16};
        c.Canvas().DrawText(std::string_view("文字"), box, DT_LEFT);
    }
    EXPECT_EQ(ui::HandleSnapshot::Take(), before);
}

TEST(GraphicsSoak, MoreCyclesThanWineHasGdiHandles)
{
    const ULONGLONG start = GetTickCount64();
    const SoakOutcome outcome = Soak(soakCycles);
    const double seconds = static_cast<double>(GetTickCount64() - start) / 1000.0;
    std::printf("soak: %d cycles in %.2f s\n", soakCycles, seconds);
    EXPECT_EQ(outcome.firstFailedCycle, -1);
    EXPECT_EQ(outcome.after, outcome.before);

    // The process can still make and use GDI objects.
    TBitmap after(4, 4);
    after.Canvas().Brush().SetColor(clTeal);
    after.Canvas().FillRect({1, 1, 3, 3});
    EXPECT_EQ(At(after, 2, 2), clTeal);
    EXPECT_EQ(At(after, 0, 0), clWhite);
    EXPECT_EQ(after.Canvas().Pixel(1, 1), clTeal);
}

// The soak's check has teeth: one brush leaked a cycle shows in the counts
// after a short run, by exactly one brush a cycle and nothing else.
TEST(GraphicsSoak, ALeakedBrushPerCycleFailsTheSoaksOwnCheck)
{
    constexpr int cycles = 100;
    std::vector<ui::UniqueBrush> leaked;
    const SoakOutcome outcome = Soak(cycles, &leaked);
    EXPECT_EQ(outcome.firstFailedCycle, -1) << "a hundred brushes do not yet stop the painting";
    EXPECT_NE(outcome.after, outcome.before);
    ui::HandleSnapshot expected = outcome.before;
    expected.live[static_cast<std::size_t>(ui::HandleKind::Brush)] += cycles;
    EXPECT_EQ(outcome.after, expected);

    leaked.clear();
    EXPECT_EQ(ui::HandleSnapshot::Take(), outcome.before);
}

// Icons and image lists, one of each per cycle, drawn onto a bitmap (image
// lists hold bitmaps and DCs of their own inside comctl32). Both cost a
// wineserver round trip or several per cycle, so they run fewer cycles: the
// counters prove them, the long soak above proves the counters.
TEST(GraphicsSoak, IconsAndImageListsToo)
{
    constexpr int cycles = 1'000;
    // A 16-pixel icon, black and opaque, as a file.
    std::vector<std::uint8_t> iconFile;
    {
        const BYTE andMask[32]{};
        const BYTE xorMask[32]{};
        TIcon icon;
        icon.SetHandle(ui::UniqueIcon(CreateIcon(GetModuleHandleA(nullptr), 16, 16, 1, 1, andMask, xorMask)));
        iconFile = icon.SaveToBytes();
    }
    TBitmap glyphs(32, 16);
    glyphs.Canvas().Brush().SetColor(clFuchsia);
    glyphs.Canvas().FillRect({0, 0, 32, 16});
    glyphs.Canvas().Brush().SetColor(clRed);
    glyphs.Canvas().FillRect({20, 4, 28, 12});

    const auto before = ui::HandleSnapshot::Take();
    const ULONGLONG start = GetTickCount64();
    for (int i = 0; i < cycles; ++i) {
        TBitmap target(16, 16);
        TIcon icon;
        icon.LoadFromBytes(iconFile);
        target.Canvas().StretchDraw({0, 0, 8, 8}, icon);
        TImageList images(nullptr);
        images.AddMasked(glyphs, clFuchsia);
        images.Draw(target.Canvas(), 0, 0, 1, i % 2 == 0);
        if (At(target, 8, 8) != (i % 2 == 0 ? clRed : static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW))) ||
            At(target, 2, 2) != clBlack) {
            ADD_FAILURE() << "cycle " << i << " painted wrong pixels";
            break;
        }
    }
    const double seconds = static_cast<double>(GetTickCount64() - start) / 1000.0;
    std::printf("soak: %d icon and image list cycles in %.2f s\n", cycles, seconds);
    EXPECT_EQ(ui::HandleSnapshot::Take(), before);

    TImageList after(nullptr);
    EXPECT_EQ(after.AddMasked(glyphs, clFuchsia), 0);
    TBitmap target(16, 16);
    after.Draw(target.Canvas(), 0, 0, 1);
    EXPECT_EQ(At(target, 8, 8), clRed);
    EXPECT_EQ(At(target, 1, 1), clWhite);
}

} // namespace
