// Shared by the frame tests: the edge test skin with title colours of its
// own, border pictures painted here so that every part of every frame has a
// colour a test can name, and pixel helpers.
#pragma once

#include "tests/win/skin_data_support.h"

#include "skin/chrome/FrameMetrics.h"
#include "skin/model/WinSkinDlg.h"
#include "ui/Bitmap.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace frametest {

constexpr TColor ActiveText = RGBColor(255, 255, 0);
constexpr TColor InactiveText = RGBColor(0, 255, 255);
// ButtonFace of the edge skin's [Colours].
constexpr TColor Face = RGBColor(200, 190, 180);

// The edge skin with its description edited, and title text colours added.
inline skintest::Bytes EdgeSkinWith(const std::function<std::string(std::string)>& edit = {})
{
    return skintest::RepackSkin(skintest::EdgeSkin(), [&](std::string ini) {
        const std::string colours = "[Colours]\n";
        ini.insert(ini.find(colours) + colours.size(), "TitleTextActive=255 255 0\nTitleTextNoActive=0 255 255\n");
        return edit ? edit(std::move(ini)) : ini;
    });
}

inline void SetPixel(TBitmap& bitmap, int x, int y, TColor colour)
{
    std::uint8_t* p = bitmap.ScanLine(y) + x * 3;
    p[0] = BlueOf(colour);
    p[1] = GreenOf(colour);
    p[2] = RedOf(colour);
}

inline void PaintPicture(TBitmap& bitmap, int width, int height, const std::function<TColor(int x, int y)>& colour)
{
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            SetPixel(bitmap, x, y, colour(x, y));
}

// The parts of a border frame along its length.
enum Part { Start, Middle, End };

// Side borders: 8 x 40, two frames of 4 side by side (the right one: one
// frame of 6), 3 rows fixed at the top and 2 at the bottom.
constexpr TColor LeftColour(int frame, Part part) { return RGBColor(200 + 10 * part, 10 * frame, 0); }
constexpr TColor RightColour(Part part) { return RGBColor(0, 200 + 10 * part, 1); }
// Title: 40 x 30, two stacked frames of 15 rows, 5 columns fixed at each end.
constexpr TColor TopColour(int frame, Part part) { return RGBColor(10 * frame, 0, 200 + 10 * part); }
// Bottom: 20 x 12, two stacked frames of 6 rows, 2 columns fixed at each end.
constexpr TColor BottomColour(int frame, Part part) { return RGBColor(10 * frame, 100 + 10 * part, 200); }

// What the painted borders make of the frame.
constexpr TFrameMetrics PaintedMetrics{.borderLeft = 4, .titleHeight = 15, .borderRight = 6, .borderBottom = 6};

inline Part PartAt(int v, int size, int start, int end) { return v < start ? Start : v >= size - end ? End : Middle; }

inline void SetMargins(TDataSkinObject& element, int left, int top, int right, int bottom)
{
    element.LeftWidth = left;
    element.TopHeight = top;
    element.RightWidth = right;
    element.BottomHeight = bottom;
}

// Gives the skin the painted borders (opaque, stretched) and no caption background.
inline void PaintBorders(TSkinData& skin)
{
    TDataSkinBorder& left = *skin.BorderLeft;
    PaintPicture(left.Bitmap, 8, 40, [](int x, int y) { return LeftColour(x / 4 + 1, PartAt(y, 40, 3, 2)); });
    left.FrameCount = 2;
    SetMargins(left, 0, 3, 0, 2);
    TDataSkinBorder& right = *skin.BorderRight;
    PaintPicture(right.Bitmap, 6, 40, [](int, int y) { return RightColour(PartAt(y, 40, 3, 2)); });
    right.FrameCount = 1;
    SetMargins(right, 0, 3, 0, 2);
    TDataSkinBorder& top = *skin.BorderTop;
    PaintPicture(top.Bitmap, 40, 30, [](int x, int y) { return TopColour(y / 15 + 1, PartAt(x, 40, 5, 5)); });
    top.FrameCount = 2;
    SetMargins(top, 5, 0, 5, 0);
    TDataSkinBorder& bottom = *skin.BorderBottom;
    PaintPicture(bottom.Bitmap, 20, 12, [](int x, int y) { return BottomColour(y / 6 + 1, PartAt(x, 20, 2, 2)); });
    bottom.FrameCount = 2;
    SetMargins(bottom, 2, 0, 2, 0);
    for (TDataSkinBorder* border : {&left, &right, &top, &bottom}) {
        border->Trans = 0;
        border->Tile = 1;
    }
    skin.TitleElement->Bitmap.SetSize(0, 0);
}

class FrameSkinTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        skin = std::make_unique<TSkinData>(nullptr);
        ASSERT_TRUE(skintest::LoadSkinBytes(*skin, EdgeSkinWith()));
    }
    void TearDown() override
    {
        skin.reset();
        FreeSkinManager();
    }

    std::unique_ptr<TSkinData> skin;
};

// The first pixel of the rectangle that is not `expected`, as text; empty when all are.
inline std::string FirstOther(const TBitmap& bitmap, const RECT& rect, const std::function<TColor(int, int)>& expected)
{
    for (LONG y = rect.top; y < rect.bottom; ++y)
        for (LONG x = rect.left; x < rect.right; ++x) {
            const TColor actual = skintest::PixelOf(bitmap, x, y);
            const TColor wanted = expected(x, y);
            if (actual != wanted) {
                char text[96];
                std::snprintf(text, sizeof text, "(%ld, %ld) is %06X, expected %06X", x, y,
                              static_cast<unsigned>(actual), static_cast<unsigned>(wanted));
                return text;
            }
        }
    return {};
}

inline std::string FirstOther(const TBitmap& bitmap, const RECT& rect, TColor expected)
{
    return FirstOther(bitmap, rect, [expected](int, int) { return expected; });
}

} // namespace frametest
