// TBitmap: bitmap files of every common depth load as DIB sections that GDI
// reads back pixel for pixel; sizes, pixel formats and copies keep pixels.
#include "ui/Bitmap.h"
#include "ui/Streams.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& b, std::uint32_t v)
{
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(Bytes& b, std::uint32_t v)
{
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

const TColor paletteColours[16] = {
    RGBColor(0, 0, 0),       RGBColor(255, 255, 255), RGBColor(200, 10, 10),  RGBColor(10, 200, 10),
    RGBColor(10, 10, 200),   RGBColor(250, 250, 0),   RGBColor(0, 250, 250),  RGBColor(250, 0, 250),
    RGBColor(90, 60, 30),    RGBColor(30, 60, 90),    RGBColor(128, 128, 128), RGBColor(64, 0, 128),
    RGBColor(128, 64, 0),    RGBColor(0, 128, 64),    RGBColor(220, 220, 220), RGBColor(17, 34, 51),
};

// The colour a test picture has at (x, y), counted from the top.
TColor Expected(int bits, int x, int y)
{
    if (bits <= 8) {
        const int entries = bits == 1 ? 2 : 16;
        return paletteColours[(x + 2 * y) % entries];
    }
    if (bits == 16)  // only full and empty channels read back alike however five bits are widened
        return RGBColor(x % 2 ? 255 : 0, y % 2 ? 255 : 0, (x + y) % 3 ? 255 : 0);
    return RGBColor(static_cast<std::uint8_t>(x * 40), static_cast<std::uint8_t>(y * 70), static_cast<std::uint8_t>(x + y));
}

// Writes a bitmap file by hand, rows bottom-up, so that the test does not
// depend on the writer it also checks.
Bytes MakeBitmapFile(int bits, int width, int height)
{
    const int entries = bits == 1 ? 2 : bits <= 8 ? 16 : 0;
    const std::size_t stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
    const std::uint32_t offset = 14 + 40 + static_cast<std::uint32_t>(entries) * 4;
    Bytes b{'B', 'M'};
    Put32(b, offset + static_cast<std::uint32_t>(stride * height));
    Put32(b, 0);
    Put32(b, offset);
    Put32(b, 40);
    Put32(b, static_cast<std::uint32_t>(width));
    Put32(b, static_cast<std::uint32_t>(height));
    Put16(b, 1);
    Put16(b, static_cast<std::uint32_t>(bits));
    Put32(b, 0);
    Put32(b, static_cast<std::uint32_t>(stride * height));
    Put32(b, 2835);
    Put32(b, 2835);
    Put32(b, static_cast<std::uint32_t>(entries));
    Put32(b, 0);
    for (int i = 0; i < entries; ++i) {
        b.push_back(BlueOf(paletteColours[i]));
        b.push_back(GreenOf(paletteColours[i]));
        b.push_back(RedOf(paletteColours[i]));
        b.push_back(0);
    }
    for (int row = height - 1; row >= 0; --row) {
        Bytes line(stride, 0);
        for (int x = 0; x < width; ++x) {
            const TColor c = Expected(bits, x, row);
            const int index = (x + 2 * row) % (entries ? entries : 1);
            switch (bits) {
            case 1: line[x / 8] |= static_cast<std::uint8_t>(index << (7 - x % 8)); break;
            case 4: line[x / 2] |= static_cast<std::uint8_t>(x % 2 ? index : index << 4); break;
            case 8: line[x] = static_cast<std::uint8_t>(index); break;
            case 16: {
                const unsigned v = (RedOf(c) >> 3) << 10 | (GreenOf(c) >> 3) << 5 | BlueOf(c) >> 3;
                line[2 * x] = static_cast<std::uint8_t>(v);
                line[2 * x + 1] = static_cast<std::uint8_t>(v >> 8);
                break;
            }
            default: {
                const int step = bits / 8;
                line[step * x] = BlueOf(c);
                line[step * x + 1] = GreenOf(c);
                line[step * x + 2] = RedOf(c);
                break;
            }
            }
        }
        b.insert(b.end(), line.begin(), line.end());
    }
    return b;
}

std::string TempFile(const char* name)
{
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + name;
}

TEST(BitmapFiles, EveryDepthLoadsAndGdiSeesThePixels)
{
    struct Case {
        int bits;
        TPixelFormat format;
    };
    for (const Case c : {Case{1, pf1bit}, Case{4, pf4bit}, Case{8, pf8bit}, Case{16, pf15bit}, Case{24, pf24bit},
                         Case{32, pf32bit}}) {
        SCOPED_TRACE(c.bits);
        const int width = 7;
        const int height = 5;
        const std::string path = TempFile(("zel_depth_" + std::to_string(c.bits) + ".bmp").c_str());
        const Bytes file = MakeBitmapFile(c.bits, width, height);
        std::FILE* out = std::fopen(path.c_str(), "wb");
        ASSERT_NE(out, nullptr);
        std::fwrite(file.data(), 1, file.size(), out);
        std::fclose(out);

        TBitmap bitmap;
        bitmap.LoadFromFile(path);
        std::remove(path.c_str());
        ASSERT_EQ(bitmap.Width(), width);
        ASSERT_EQ(bitmap.Height(), height);
        EXPECT_EQ(bitmap.PixelFormat(), c.format);
        EXPECT_EQ(bitmap.ColorTable().size(), c.bits <= 8 ? std::size_t{1} << c.bits : 0u);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                ASSERT_EQ(bitmap.Canvas().Pixel(x, y), Expected(c.bits, x, y)) << x << "," << y;

        // Written back and read again, the pixels stay.
        TBitmap copy;
        copy.LoadFromBytes(bitmap.SaveToBytes());
        EXPECT_EQ(copy.PixelFormat(), c.format);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                ASSERT_EQ(copy.Canvas().Pixel(x, y), Expected(c.bits, x, y));

        // Drawing works from every depth; converting to 24 bits keeps every colour.
        TBitmap target(width, height);
        target.Canvas().Draw(0, 0, bitmap);
        bitmap.SetPixelFormat(pf24bit);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                ASSERT_EQ(target.Canvas().Pixel(x, y), Expected(c.bits, x, y));
                const std::uint8_t* line = bitmap.ScanLine(y);
                ASSERT_EQ(RGBColor(line[3 * x + 2], line[3 * x + 1], line[3 * x]), Expected(c.bits, x, y));
            }
    }
}

TEST(BitmapFiles, DamagedFilesRaiseAndLeaveTheBitmapAlone)
{
    TBitmap bitmap(3, 3);
    Bytes file = MakeBitmapFile(24, 4, 4);
    file.resize(file.size() - 20);
    EXPECT_THROW(bitmap.LoadFromBytes(file), EInvalidGraphic);
    EXPECT_EQ(bitmap.Width(), 3);
    EXPECT_THROW(bitmap.LoadFromBytes(Bytes{'B', 'M', 0, 0}), EInvalidGraphic);
    EXPECT_THROW(bitmap.LoadFromFile(TempFile("zel_no_such_file.bmp")), EFOpenError);
}

TEST(BitmapFiles, EmptyBitmapIsNoBytes)
{
    TBitmap bitmap;
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_TRUE(bitmap.SaveToBytes().empty());
    TBitmap other(2, 2);
    other.LoadFromBytes({});
    EXPECT_TRUE(other.Empty());
}

TEST(BitmapPixels, ScanLinesRunFromTheTop)
{
    TBitmap bitmap(2, 3);
    bitmap.Canvas().SetPixel(1, 0, clRed);
    const std::uint8_t* top = bitmap.ScanLine(0);
    EXPECT_EQ(RGBColor(top[5], top[4], top[3]), clRed);
    // Writing through a scan line is seen by GDI.
    std::uint8_t* bottom = bitmap.ScanLine(2);
    bottom[0] = 0x11;
    bottom[1] = 0x22;
    bottom[2] = 0x33;
    EXPECT_EQ(bitmap.Canvas().Pixel(0, 2), RGBColor(0x33, 0x22, 0x11));
    EXPECT_THROW(bitmap.ScanLine(3), EInvalidGraphicOperation);
    EXPECT_THROW(bitmap.ScanLine(-1), EInvalidGraphicOperation);
    TBitmap empty;
    EXPECT_THROW(empty.ScanLine(0), EInvalidGraphicOperation);
}

TEST(BitmapPixels, CanvasSettingsSurviveResizesAndHandedOutHandles)
{
    TBitmap bitmap(4, 4);
    const HDC dc = bitmap.Canvas().Handle();
    SetStretchBltMode(dc, COLORONCOLOR);
    bitmap.SetSize(8, 8);
    bitmap.Handle();
    bitmap.SetPixelFormat(pf32bit);
    EXPECT_EQ(bitmap.Canvas().Handle(), dc);
    EXPECT_EQ(GetStretchBltMode(bitmap.Canvas().Handle()), COLORONCOLOR);
    // And the DC holds the current picture again once drawn with.
    const HBITMAP picture = bitmap.Handle();
    EXPECT_NE(GetCurrentObject(dc, OBJ_BITMAP), picture);
    EXPECT_EQ(bitmap.Canvas().Handle(), dc);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), picture);
    bitmap.Canvas().SetPixel(7, 7, clRed);
    EXPECT_EQ(bitmap.Canvas().Pixel(7, 7), clRed);
}

TEST(BitmapPixels, ACanvasMadeWhileEmptyDrawsOnThePictureGivenLater)
{
    TBitmap bitmap;
    const HDC dc = bitmap.Canvas().Handle();
    bitmap.SetSize(6, 6);
    EXPECT_EQ(bitmap.Canvas().Handle(), dc);
    bitmap.Canvas().SetPixel(5, 5, clRed);
    EXPECT_EQ(bitmap.Canvas().Pixel(5, 5), clRed);
    EXPECT_EQ(bitmap.ScanLine(5)[5 * 3 + 2], 0xFF);
}

TEST(BitmapPixels, ResizingKeepsTheTopLeftAndPaintsNewAreaWhite)
{
    TBitmap bitmap(2, 2);
    bitmap.Canvas().Brush().SetColor(clRed);
    bitmap.Canvas().FillRect({0, 0, 2, 2});
    bitmap.SetSize(4, 3);
    EXPECT_EQ(bitmap.Canvas().Pixel(1, 1), clRed);
    EXPECT_EQ(bitmap.Canvas().Pixel(3, 2), clWhite);
    EXPECT_EQ(bitmap.Canvas().Pixel(0, 2), clWhite);
    bitmap.SetWidth(1);
    EXPECT_EQ(bitmap.Width(), 1);
    EXPECT_EQ(bitmap.Canvas().Pixel(0, 0), clRed);
    bitmap.SetHeight(0);
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.Handle(), nullptr);
    // An empty bitmap keeps its pixel format for the next size.
    bitmap.SetPixelFormat(pf32bit);
    bitmap.SetSize(2, 2);
    EXPECT_EQ(bitmap.PixelFormat(), pf32bit);
    EXPECT_EQ(bitmap.Canvas().Pixel(1, 1), clWhite);
}

TEST(BitmapPixels, PixelFormatConversions)
{
    TBitmap bitmap(3, 1);
    bitmap.Canvas().SetPixel(0, 0, clRed);
    bitmap.Canvas().SetPixel(1, 0, clLime);
    bitmap.Canvas().SetPixel(2, 0, RGBColor(12, 34, 56));

    bitmap.SetPixelFormat(pf32bit);
    const std::uint8_t* line = bitmap.ScanLine(0);
    EXPECT_EQ(RGBColor(line[10], line[9], line[8]), RGBColor(12, 34, 56));
    // Pure colours are in the 8-bit palette; others go to the nearest entry.
    bitmap.SetPixelFormat(pf8bit);
    EXPECT_EQ(bitmap.Canvas().Pixel(0, 0), clRed);
    EXPECT_EQ(bitmap.Canvas().Pixel(1, 0), clLime);
    bitmap.SetPixelFormat(pf1bit);
    EXPECT_EQ(bitmap.ColorTable().size(), 2u);
    bitmap.SetPixelFormat(pfDevice);
    EXPECT_EQ(bitmap.PixelFormat(), pf32bit);
    EXPECT_THROW(bitmap.SetPixelFormat(pfCustom), EInvalidGraphicOperation);
}

TEST(BitmapPixels, AssignIsADeepCopy)
{
    TBitmap source(2, 2, pf32bit);
    source.Canvas().SetPixel(0, 0, clBlue);
    source.SetTransparent(true);
    source.SetTransparentColor(clBlue);
    TBitmap copy;
    copy.Assign(source);
    EXPECT_EQ(copy.PixelFormat(), pf32bit);
    EXPECT_TRUE(copy.Transparent());
    EXPECT_EQ(copy.TransparentColor(), clBlue);
    EXPECT_EQ(copy.Canvas().Pixel(0, 0), clBlue);
    source.Canvas().SetPixel(0, 0, clRed);
    EXPECT_EQ(copy.Canvas().Pixel(0, 0), clBlue);
    EXPECT_NE(copy.Handle(), source.Handle());
    TFont font;
    EXPECT_THROW(copy.Assign(font), EConvertError);
}

TEST(BitmapPixels, HandleIsFreeForAnotherDC)
{
    TBitmap bitmap(2, 2);
    bitmap.Canvas().FillRect({0, 0, 2, 2});
    // Once handed out, the DIB can be selected elsewhere: the canvas let go of it.
    ui::UniqueDC dc(CreateCompatibleDC(nullptr));
    const HGDIOBJ old = SelectObject(dc.get(), bitmap.Handle());
    EXPECT_NE(old, nullptr);
    EXPECT_EQ(GetObjectType(GetCurrentObject(dc.get(), OBJ_BITMAP)), static_cast<DWORD>(OBJ_BITMAP));
    SelectObject(dc.get(), old);
    // And the canvas takes it back on its next use.
    bitmap.Canvas().SetPixel(0, 0, clRed);
    EXPECT_EQ(bitmap.Canvas().Pixel(0, 0), clRed);
}

TEST(BitmapPixels, ForeignBitmapHandlesAreCopiedIntoADib)
{
    const long bitmaps = ui::LiveHandleCount(ui::HandleKind::Bitmap);
    const auto screen = ui::UniqueWindowDC::Client(nullptr);
    ui::UniqueBitmap ddb(CreateCompatibleBitmap(screen.get(), 3, 2));
    {
        ui::UniqueDC dc(CreateCompatibleDC(screen.get()));
        const HGDIOBJ old = SelectObject(dc.get(), ddb.get());
        ::SetPixel(dc.get(), 2, 1, RGB(1, 2, 3));
        SelectObject(dc.get(), old);
    }
    TBitmap bitmap;
    bitmap.SetHandle(std::move(ddb));
    EXPECT_EQ(bitmap.Width(), 3);
    EXPECT_EQ(bitmap.Height(), 2);
    EXPECT_EQ(bitmap.Canvas().Pixel(2, 1), RGBColor(1, 2, 3));
    // The foreign bitmap was freed; only the DIB remains.
    EXPECT_EQ(ui::LiveHandleCount(ui::HandleKind::Bitmap), bitmaps + 1);
}

} // namespace
