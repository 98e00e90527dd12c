// Scoped DC changes undo themselves (also when an exception passes), and a
// double buffer reaches its target only when presented, pixel for pixel.
#include "ui/Bitmap.h"
#include "ui/DcGuards.h"
#include "ui/DoubleBuffer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>

namespace {

// A memory DC with a 32-bit picture selected, pixels readable without GDI.
class PixelTarget {
public:
    PixelTarget(int width, int height) : bitmap_(width, height, pf32bit) {}
    HDC dc() { return bitmap_.Canvas().Handle(); }
    TColor At(int x, int y)
    {
        GdiFlush();
        const std::uint8_t* p = bitmap_.ScanLine(y) + 4 * x;
        return RGBColor(p[2], p[1], p[0]);
    }

private:
    TBitmap bitmap_;
};

void Fill(HDC dc, const RECT& rect, COLORREF colour)
{
    const ui::UniqueBrush brush(CreateSolidBrush(colour));
    FillRect(dc, &rect, brush.get());
}

HGDIOBJ Current(HDC dc, UINT kind) { return GetCurrentObject(dc, kind); }

TEST(DcGuards, SelectPutsThePreviousObjectBackInReverseOrderAndOnExceptions)
{
    const ui::UniqueDC dc(CreateCompatibleDC(nullptr));
    const ui::UniqueBrush red(CreateSolidBrush(RGB(255, 0, 0)));
    const ui::UniqueBrush blue(CreateSolidBrush(RGB(0, 0, 255)));
    const ui::UniquePen pen(CreatePen(PS_SOLID, 3, RGB(0, 255, 0)));
    const HGDIOBJ originalBrush = Current(dc.get(), OBJ_BRUSH);
    const HGDIOBJ originalPen = Current(dc.get(), OBJ_PEN);
    {
        const ui::ScopedSelect outer(dc.get(), red.get());
        EXPECT_TRUE(outer);
        EXPECT_EQ(outer.Previous(), originalBrush);
        {
            const ui::ScopedSelect inner(dc.get(), blue.get());
            const ui::ScopedSelect thick(dc.get(), pen.get());
            EXPECT_EQ(Current(dc.get(), OBJ_BRUSH), blue.get());
            EXPECT_EQ(Current(dc.get(), OBJ_PEN), pen.get());
        }
        EXPECT_EQ(Current(dc.get(), OBJ_BRUSH), red.get());
        EXPECT_EQ(Current(dc.get(), OBJ_PEN), originalPen);
    }
    EXPECT_EQ(Current(dc.get(), OBJ_BRUSH), originalBrush);

    EXPECT_THROW(
        {
            const ui::ScopedSelect selected(dc.get(), blue.get());
            throw std::runtime_error("painter failed");
        },
        std::runtime_error);
    EXPECT_EQ(Current(dc.get(), OBJ_BRUSH), originalBrush);
}

TEST(DcGuards, SelectThatTheSystemRefusesChangesNothing)
{
    const ui::UniqueDC first(CreateCompatibleDC(nullptr));
    const ui::UniqueDC second(CreateCompatibleDC(nullptr));
    const ui::UniqueBitmap picture(CreateCompatibleBitmap(first.get(), 8, 8));
    const ui::ScopedSelect held(first.get(), picture.get());
    ASSERT_TRUE(held);
    const HGDIOBJ before = Current(second.get(), OBJ_BITMAP);
    {
        // A bitmap can be selected into one DC at a time.
        const ui::ScopedSelect refused(second.get(), picture.get());
        EXPECT_FALSE(refused);
    }
    EXPECT_EQ(Current(second.get(), OBJ_BITMAP), before);
    EXPECT_EQ(Current(first.get(), OBJ_BITMAP), picture.get());
}

TEST(DcGuards, SaveDCRestoresTheWholeStateAndDropsSavesLeftInside)
{
    const ui::UniqueDC dc(CreateCompatibleDC(nullptr));
    SetTextColor(dc.get(), RGB(1, 2, 3));
    SetViewportOrgEx(dc.get(), 4, 5, nullptr);
    const auto check = [&] {
        EXPECT_EQ(GetTextColor(dc.get()), RGB(1, 2, 3));
        POINT origin{};
        GetViewportOrgEx(dc.get(), &origin);
        EXPECT_EQ(origin.x, 4);
        EXPECT_EQ(origin.y, 5);
        RECT clip{};
        EXPECT_EQ(GetClipBox(dc.get(), &clip), SIMPLEREGION);
        EXPECT_EQ(clip.right - clip.left, 1) << "the default 1x1 picture, no clip of ours";
    };

    EXPECT_THROW(
        {
            const ui::ScopedSaveDC saved(dc.get());
            EXPECT_TRUE(saved);
            SetTextColor(dc.get(), RGB(200, 0, 0));
            OffsetViewportOrgEx(dc.get(), 10, 10, nullptr);
            IntersectClipRect(dc.get(), 0, 0, 0, 0);
            // A nested save that the failing code never restores.
            SaveDC(dc.get());
            SaveDC(dc.get());
            throw std::runtime_error("handler failed");
        },
        std::runtime_error);
    check();
    // The first save of a DC is level 1: nothing was left on the stack.
    EXPECT_EQ(SaveDC(dc.get()), 1);
    RestoreDC(dc.get(), 1);
}

TEST(DcGuards, CanvasBindingDrawsOnTheDCAndGivesBackThePreviousBinding)
{
    PixelTarget first(20, 10);
    PixelTarget second(20, 10);
    const HGDIOBJ firstFont = Current(first.dc(), OBJ_FONT);
    const HGDIOBJ firstBrush = Current(first.dc(), OBJ_BRUSH);
    TCanvas canvas;
    canvas.Brush().SetColor(clRed);
    {
        const ui::ScopedCanvasBinding outer(canvas, first.dc());
        canvas.FillRect({0, 0, 5, 5});
        {
            const ui::ScopedCanvasBinding inner(canvas, second.dc());
            canvas.FillRect({0, 0, 5, 5});
        }
        // Back on the first DC.
        canvas.Brush().SetColor(clBlue);
        canvas.FillRect({10, 0, 15, 5});
    }
    EXPECT_FALSE(canvas.HandleAllocated());
    EXPECT_EQ(first.At(2, 2), clRed);
    EXPECT_EQ(first.At(12, 2), clBlue);
    EXPECT_EQ(second.At(2, 2), clRed);
    EXPECT_EQ(second.At(12, 2), clWhite);
    // The DC has its own objects back, so the canvas's may be deleted.
    EXPECT_EQ(Current(first.dc(), OBJ_FONT), firstFont);
    EXPECT_EQ(Current(first.dc(), OBJ_BRUSH), firstBrush);

    EXPECT_THROW(
        {
            const ui::ScopedCanvasBinding binding(canvas, first.dc());
            canvas.TextOut(0, 0, "x");
            throw std::runtime_error("paint handler failed");
        },
        std::runtime_error);
    EXPECT_FALSE(canvas.HandleAllocated());
    EXPECT_EQ(Current(first.dc(), OBJ_FONT), firstFont);
}

TEST(DcGuards, BitmapCanvasLentToAnotherDCStillDrawsOnItsBitmap)
{
    TBitmap bitmap(10, 10, pf32bit);
    bitmap.Canvas().Brush().SetColor(clLime);
    bitmap.Canvas().FillRect({0, 0, 2, 2});
    // Handing the picture out takes it out of the canvas's DC.
    ASSERT_NE(bitmap.Handle(), nullptr);
    PixelTarget other(10, 10);
    {
        const ui::ScopedCanvasBinding lent(bitmap.Canvas(), other.dc());
        bitmap.Canvas().FillRect({0, 0, 3, 3});
    }
    bitmap.Canvas().FillRect({5, 5, 7, 7});
    GdiFlush();
    const std::uint8_t* p = bitmap.ScanLine(6) + 4 * 6;
    EXPECT_EQ(RGBColor(p[2], p[1], p[0]), clLime) << "the picture is selected again before drawing";
    EXPECT_EQ(other.At(1, 1), clLime);
}

TEST(DoubleBuffer, ReachesTheTargetOnlyWhenPresentedAndOnlyInsideItsArea)
{
    PixelTarget target(60, 40);
    Fill(target.dc(), {0, 0, 60, 40}, RGB(255, 255, 255));
    const RECT area{10, 20, 40, 35};
    {
        ui::DoubleBuffer buffer(target.dc(), area);
        // The painter uses the target's coordinates.
        Fill(buffer.get(), {10, 20, 20, 35}, RGB(255, 0, 0));
        Fill(buffer.get(), {20, 20, 40, 35}, RGB(0, 0, 255));
        Fill(buffer.get(), {0, 0, 60, 20}, RGB(0, 255, 0));  // outside the area: dropped
        EXPECT_EQ(target.At(12, 22), clWhite) << "nothing before Present";
        buffer.Present();
    }
    EXPECT_EQ(target.At(10, 20), clRed);
    EXPECT_EQ(target.At(19, 34), clRed);
    EXPECT_EQ(target.At(20, 20), clBlue);
    EXPECT_EQ(target.At(39, 34), clBlue);
    EXPECT_EQ(target.At(9, 20), clWhite);
    EXPECT_EQ(target.At(40, 25), clWhite);
    EXPECT_EQ(target.At(15, 19), clWhite);
    EXPECT_EQ(target.At(15, 35), clWhite);
}

TEST(DoubleBuffer, APainterThatThrowsLeavesTheTargetAndNoHandles)
{
    PixelTarget target(30, 30);
    Fill(target.dc(), {0, 0, 30, 30}, RGB(255, 255, 255));
    const auto before = ui::HandleSnapshot::Take();
    for (int i = 0; i < 100; ++i) {
        EXPECT_THROW(
            {
                ui::DoubleBuffer buffer(target.dc(), {0, 0, 30, 30});
                TCanvas canvas;
                const ui::ScopedCanvasBinding binding(canvas, buffer.get());
                canvas.Brush().SetColor(clRed);
                canvas.FillRect({0, 0, 30, 30});
                throw std::runtime_error("painter failed");
            },
            std::runtime_error);
    }
    EXPECT_EQ(ui::HandleSnapshot::Take(), before);
    EXPECT_EQ(target.At(15, 15), clWhite);

    // An empty area paints nothing and costs nothing.
    ui::DoubleBuffer empty(target.dc(), {5, 5, 5, 20});
    Fill(empty.get(), {0, 0, 30, 30}, RGB(0, 0, 0));
    empty.Present();
    EXPECT_EQ(target.At(5, 10), clWhite);
}

} // namespace
