// Fonts, brushes, pens and the canvas: properties by name, handles made and
// replaced without leaks, and drawing checked pixel by pixel on DIBs.
#include "ui/Bitmap.h"
#include "ui/Properties.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace {

// Reads a pixel straight from the bits, independent of GDI.
TColor At(TBitmap& bitmap, int x, int y)
{
    const std::uint8_t* line = bitmap.ScanLine(y);
    const int step = bitmap.PixelFormat() == pf32bit ? 4 : 3;
    return RGBColor(line[x * step + 2], line[x * step + 1], line[x * step]);
}

int CountColour(TBitmap& bitmap, const RECT& area, TColor colour)
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += At(bitmap, x, y) == colour;
    return count;
}

// Text may be smoothed, so its pixels are reddish rather than pure red.
int CountReddish(TBitmap& bitmap, const RECT& area)
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const TColor c = At(bitmap, x, y);
            count += c != clWhite && RedOf(c) > GreenOf(c) + 40 && GreenOf(c) == BlueOf(c);
        }
    return count;
}

TEST(GraphicsObjects, FontDefaultsSizeAndHandle)
{
    TFont font;
    EXPECT_EQ(font.Name(), "宋体");
    EXPECT_EQ(font.Height(), -12);
    EXPECT_EQ(font.Color(), clWindowText);

    // Points and pixels at the harness's 96 dots per inch, a point being 1/72
    // inch: 9 pt is 12 px, 10 pt 13.33 px -> 13, 11 pt 14.67 px -> 15, 12 pt
    // 16 px; back from pixels 13 px is 9.75 pt -> 10, 15 px 11.25 pt -> 11.
    ASSERT_EQ(GetDeviceCaps(ui::UniqueWindowDC::Client(nullptr).get(), LOGPIXELSY), 96) << "the values below are for 96 dpi";
    font.SetSize(9);
    EXPECT_EQ(font.Height(), -12);
    EXPECT_EQ(font.Size(), 9);
    font.SetSize(10);
    EXPECT_EQ(font.Height(), -13);
    EXPECT_EQ(font.Size(), 10);
    font.SetSize(11);
    EXPECT_EQ(font.Height(), -15);
    EXPECT_EQ(font.Size(), 11);
    font.SetSize(12);
    EXPECT_EQ(font.Height(), -16);
    font.SetHeight(-20);
    EXPECT_EQ(font.Size(), 15);
    font.SetSize(9);

    const long fonts = ui::LiveHandleCount(ui::HandleKind::Font);
    const HFONT first = font.Handle();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(font.Handle(), first);  // made once
    EXPECT_EQ(ui::LiveHandleCount(ui::HandleKind::Font), fonts + 1);
    font.SetStyle({fsBold, fsItalic});
    // The old handle is gone; a new one is made on the next request.
    EXPECT_EQ(ui::LiveHandleCount(ui::HandleKind::Font), fonts);
    LOGFONTA logFont{};
    ASSERT_EQ(GetObjectA(font.Handle(), sizeof logFont, &logFont), static_cast<int>(sizeof logFont));
    EXPECT_EQ(logFont.lfWeight, FW_BOLD);
    EXPECT_TRUE(logFont.lfItalic);
    EXPECT_STREQ(logFont.lfFaceName, "宋体");
}

TEST(GraphicsObjects, FontTakesAForeignHandleAndReadsItsProperties)
{
    LOGFONTA logFont{};
    logFont.lfHeight = -17;
    logFont.lfWeight = FW_BOLD;
    logFont.lfUnderline = TRUE;
    std::strcpy(logFont.lfFaceName, "Arial");
    TFont font;
    int changes = 0;
    font.OnChange = TNotifyEvent([&](TObject* sender) {
        EXPECT_EQ(sender, &font);
        ++changes;
    });
    ui::UniqueFont handle(CreateFontIndirectA(&logFont));
    const HFONT raw = handle.get();
    font.SetHandle(std::move(handle));
    EXPECT_EQ(font.Handle(), raw);
    EXPECT_EQ(font.Name(), "Arial");
    EXPECT_EQ(font.Height(), -17);
    EXPECT_EQ(font.Style(), (TFontStyles{fsBold, fsUnderline}));
    EXPECT_EQ(changes, 1);
}

TEST(GraphicsObjects, LongGbkFaceNamesAreCutBetweenCharacters)
{
    TFont font;
    // 16 two-byte characters: 32 bytes, one more than LOGFONT's face name holds.
    font.SetName("宋体宋体宋体宋体宋体宋体宋体宋体");
    const LOGFONTA logFont = font.LogFont();
    EXPECT_EQ(std::strlen(logFont.lfFaceName), 30u);
}

TEST(GraphicsObjects, PublishedPropertiesByName)
{
    TFont font;
    EXPECT_TRUE(ui::SetPropValueText(font, "style", "[fsBold, fsUnderline]"));
    EXPECT_EQ(font.Style(), (TFontStyles{fsBold, fsUnderline}));
    EXPECT_TRUE(ui::SetPropValueText(font, "Color", "clRed"));
    EXPECT_EQ(font.Color(), clRed);
    EXPECT_EQ(ui::GetPropValueText(font, "NAME"), "宋体");
    EXPECT_EQ(ui::GetIntProp(&font, "Height"), -12);

    TBrush brush;
    EXPECT_EQ(ui::GetPropValueText(brush, "Color"), "clWhite");
    EXPECT_TRUE(ui::SetPropValueText(brush, "Style", "bsClear"));
    EXPECT_EQ(ui::GetEnumPropText(&brush, "style"), "bsClear");

    TPen pen;
    EXPECT_TRUE(ui::SetPropValueText(pen, "Width", "3"));
    EXPECT_TRUE(ui::SetPropValueText(pen, "Mode", "pmXor"));
    EXPECT_EQ(pen.Width(), 3);
    EXPECT_EQ(pen.Mode(), pmXor);
    EXPECT_EQ(ui::GetIntProp(&pen, "NoSuchProperty"), -1);
}

TEST(GraphicsObjects, AssignCopiesAndRefusesStrangers)
{
    TFont a;
    a.SetName("Arial");
    a.SetColor(clBlue);
    TFont b;
    b.Assign(a);
    EXPECT_EQ(b.Name(), "Arial");
    EXPECT_EQ(b.Color(), clBlue);
    TBrush brush;
    EXPECT_THROW(brush.Assign(a), EConvertError);
}

TEST(GraphicsObjects, ColourOnAClearBrushMakesItSolid)
{
    TBrush brush;
    brush.SetStyle(bsClear);
    brush.SetColor(clRed);
    EXPECT_EQ(brush.Style(), bsSolid);
}

TEST(Canvas, FillFrameAndLinesLandOnTheRightPixels)
{
    TBitmap bitmap(10, 10);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush().SetColor(clBlue);
    canvas.FillRect({0, 0, 10, 10});
    canvas.Brush().SetColor(clRed);
    canvas.FrameRect({2, 2, 8, 8});
    canvas.Pen().SetColor(clLime);
    canvas.MoveTo(0, 9);
    canvas.LineTo(10, 9);

    EXPECT_EQ(At(bitmap, 0, 0), clBlue);
    EXPECT_EQ(At(bitmap, 2, 2), clRed);
    EXPECT_EQ(At(bitmap, 7, 5), clRed);
    EXPECT_EQ(At(bitmap, 5, 5), clBlue);  // a frame is not filled
    EXPECT_EQ(At(bitmap, 3, 9), clLime);
    EXPECT_EQ(canvas.Pixel(3, 9), clLime);
    EXPECT_EQ(canvas.PenPos().x, 10);
}

TEST(Canvas, SystemColoursAreResolved)
{
    TBitmap bitmap(2, 2);
    bitmap.Canvas().Brush().SetColor(clBtnFace);
    bitmap.Canvas().FillRect({0, 0, 2, 2});
    EXPECT_EQ(At(bitmap, 1, 1), GetSysColor(COLOR_BTNFACE));
}

TEST(Canvas, TextUsesTheFontColourAndMeasures)
{
    TBitmap bitmap(60, 20);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush().SetColor(clWhite);
    canvas.FillRect({0, 0, 60, 20});
    canvas.Font().SetColor(clRed);
    canvas.Brush().SetStyle(bsClear);
    canvas.TextOut(2, 2, std::string_view("Wg"));
    const SIZE size = canvas.TextExtent("Wg");
    EXPECT_GT(size.cx, 4);
    EXPECT_GT(size.cy, 4);
    EXPECT_GT(CountReddish(bitmap, {2, 2, 2 + size.cx, 2 + size.cy}), 4);
    // Nothing outside the text's box; a clear brush leaves the background.
    EXPECT_EQ(CountColour(bitmap, {2 + size.cx + 1, 0, 60, 20}, clWhite), (60 - size.cx - 3) * 20);

    RECT box{0, 0, 1000, 0};
    const int height = canvas.DrawText(std::string_view("一行\n两行"), box, DT_CALCRECT);
    EXPECT_GT(height, size.cy);
    EXPECT_EQ(box.bottom, height);
}

TEST(Canvas, ChangingAnObjectWhileSelectedSwapsTheHandleCleanly)
{
    const auto before = ui::HandleSnapshot::Take();
    {
        TBitmap bitmap(4, 4);
        TCanvas& canvas = bitmap.Canvas();
        for (TColor colour : {clRed, clLime, clBlue, clYellow}) {
            canvas.Brush().SetColor(colour);
            canvas.Font().SetHeight(-10 - static_cast<int>(colour & 7));
            canvas.FillRect({0, 0, 4, 4});
            canvas.TextOut(0, 0, std::string_view("x"));
            EXPECT_EQ(At(bitmap, 3, 3), colour);
        }
        // The selected brush lives in the DC right now.
        EXPECT_EQ(GetCurrentObject(canvas.Handle(), OBJ_BRUSH), canvas.Brush().Handle());
    }
    EXPECT_EQ(ui::HandleSnapshot::Take(), before);
}

TEST(Canvas, FontColourAndPenModeKeepTheirHandles)
{
    TBitmap bitmap(30, 16);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().SetColor(clRed);
    canvas.TextOut(0, 0, std::string_view("W"));
    const HFONT font = canvas.Font().Handle();
    canvas.Font().SetColor(clBlue);
    EXPECT_EQ(canvas.Font().Handle(), font);
    canvas.TextOut(15, 0, std::string_view("W"));
    // The second letter takes the new colour all the same.
    int blue = 0;
    int red = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 30; ++x) {
            const TColor c = At(bitmap, x, y);
            blue += x >= 15 && BlueOf(c) > RedOf(c) + 40;
            red += x >= 15 && RedOf(c) > BlueOf(c) + 40;
        }
    EXPECT_GT(blue, 4);
    EXPECT_EQ(red, 0);

    const HPEN pen = canvas.Pen().Handle();
    canvas.Pen().SetMode(pmXor);
    EXPECT_EQ(canvas.Pen().Handle(), pen);
    canvas.MoveTo(0, 15);
    canvas.Pen().SetColor(clWhite);
    canvas.LineTo(30, 15);
    EXPECT_EQ(GetROP2(canvas.Handle()), R2_XORPEN);
    EXPECT_EQ(At(bitmap, 5, 15), clBlack);  // white xor white
}

TEST(Canvas, BorrowedDCGetsItsOriginalObjectsBack)
{
    ui::UniqueDC dc(CreateCompatibleDC(nullptr));
    const HGDIOBJ font = GetCurrentObject(dc.get(), OBJ_FONT);
    const HGDIOBJ brush = GetCurrentObject(dc.get(), OBJ_BRUSH);
    const HGDIOBJ pen = GetCurrentObject(dc.get(), OBJ_PEN);
    {
        TCanvas canvas;
        canvas.SetHandle(dc.get());
        canvas.Font().SetColor(clRed);
        canvas.TextOut(0, 0, std::string_view("a"));
        canvas.Rectangle({0, 0, 2, 2});
        EXPECT_NE(GetCurrentObject(dc.get(), OBJ_FONT), font);
        canvas.SetHandle(nullptr);
        EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_FONT), font);
        EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BRUSH), brush);
        EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_PEN), pen);
    }
    // A canvas without a DC of its own cannot draw.
    TCanvas bare;
    EXPECT_THROW(bare.FillRect({0, 0, 1, 1}), EInvalidGraphicOperation);
}

TEST(Canvas, CopyRectHonoursTheCopyModeAndScales)
{
    TBitmap source(2, 2);
    source.Canvas().Brush().SetColor(RGBColor(0x0F, 0xF0, 0x33));
    source.Canvas().FillRect({0, 0, 2, 2});
    source.Canvas().SetPixel(1, 1, clWhite);

    TBitmap target(4, 4);
    target.Canvas().Brush().SetColor(clBlack);
    target.Canvas().FillRect({0, 0, 4, 4});
    target.Canvas().CopyRect({0, 0, 4, 4}, source.Canvas(), {0, 0, 2, 2});
    EXPECT_EQ(At(target, 0, 0), RGBColor(0x0F, 0xF0, 0x33));
    EXPECT_EQ(At(target, 3, 3), clWhite);  // one source pixel covers two by two
    EXPECT_EQ(At(target, 2, 2), clWhite);

    target.Canvas().SetCopyMode(SRCINVERT);
    target.Canvas().CopyRect({0, 0, 2, 2}, source.Canvas(), {0, 0, 2, 2});
    EXPECT_EQ(At(target, 0, 0), clBlack);  // x xor x
    EXPECT_EQ(At(target, 1, 1), RGBColor(0xF0, 0x0F, 0xCC));
}

TEST(Canvas, DrawAndStretchDrawBitmaps)
{
    TBitmap tile(2, 1);
    tile.Canvas().SetPixel(0, 0, clRed);
    tile.Canvas().SetPixel(1, 0, clBlue);

    TBitmap target(8, 4);
    target.Canvas().Draw(3, 2, tile);
    EXPECT_EQ(At(target, 3, 2), clRed);
    EXPECT_EQ(At(target, 4, 2), clBlue);
    EXPECT_EQ(At(target, 5, 2), clWhite);

    target.Canvas().StretchDraw({0, 0, 8, 2}, tile);
    EXPECT_EQ(At(target, 0, 0), clRed);
    EXPECT_EQ(At(target, 3, 1), clRed);
    EXPECT_EQ(At(target, 4, 0), clBlue);
    EXPECT_EQ(At(target, 7, 1), clBlue);
}

TEST(Canvas, TransparentBitmapsLeaveTheKeyColourOut)
{
    TBitmap sprite(3, 3);
    sprite.Canvas().Brush().SetColor(clFuchsia);
    sprite.Canvas().FillRect({0, 0, 3, 3});
    sprite.Canvas().SetPixel(1, 1, clLime);
    sprite.SetTransparent(true);
    // The bottom-left pixel names the key until a fixed colour is set.
    EXPECT_EQ(sprite.TransparentColor(), clFuchsia);
    EXPECT_EQ(sprite.TransparentMode(), tmAuto);

    TBitmap target(6, 6);
    target.Canvas().Brush().SetColor(clNavy);
    target.Canvas().FillRect({0, 0, 6, 6});
    target.Canvas().Draw(0, 0, sprite);
    EXPECT_EQ(At(target, 0, 0), clNavy);
    EXPECT_EQ(At(target, 1, 1), clLime);
    EXPECT_EQ(At(target, 2, 2), clNavy);

    // Stretched, the opaque pixel covers the middle third.
    target.Canvas().StretchDraw({0, 0, 6, 6}, sprite);
    EXPECT_EQ(At(target, 2, 3), clLime);
    EXPECT_EQ(At(target, 5, 0), clNavy);

    // A fixed key: now magenta is drawn and green is left out.
    sprite.SetTransparentColor(clLime);
    EXPECT_EQ(sprite.TransparentMode(), tmFixed);
    target.Canvas().FillRect({0, 0, 6, 6});
    target.Canvas().Draw(0, 0, sprite);
    EXPECT_EQ(At(target, 0, 0), clFuchsia);
    EXPECT_EQ(At(target, 1, 1), clNavy);
}

TEST(Canvas, LockCountsNestedLocks)
{
    TCanvas canvas;
    canvas.Lock();
    canvas.Lock();
    EXPECT_EQ(canvas.LockCount(), 2);
    EXPECT_TRUE(canvas.TryLock());  // same thread: recursive
    canvas.Unlock();
    canvas.Unlock();
    canvas.Unlock();
    EXPECT_EQ(canvas.LockCount(), 0);
}

TEST(Canvas, DrawingNotifiesTheBitmapOwner)
{
    TBitmap bitmap(2, 2);
    int changes = 0;
    bitmap.OnChange = TNotifyEvent([&](TObject*) { ++changes; });
    bitmap.Canvas().FillRect({0, 0, 1, 1});
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(bitmap.Modified());
}

} // namespace
