// The drawing primitives, checked pixel for pixel on 24- and 32-bit DIBs.
#include "skin/model/ImgUtil.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

const TPixelFormat formats[] = {pf24bit, pf32bit};
constexpr TColor background = RGBColor(1, 2, 3);

int BytesPerPixel(const TBitmap& b) { return b.PixelFormat() == pf32bit ? 4 : 3; }

TColor At(TBitmap& b, int x, int y)
{
    const std::uint8_t* p = b.ScanLine(y) + x * BytesPerPixel(b);
    return RGBColor(p[2], p[1], p[0]);
}

void Set(TBitmap& b, int x, int y, TColor c)
{
    std::uint8_t* p = b.ScanLine(y) + x * BytesPerPixel(b);
    p[0] = BlueOf(c);
    p[1] = GreenOf(c);
    p[2] = RedOf(c);
}

// A bitmap painted pixel by pixel. Bitmaps cannot be copied or moved, so
// helpers hand them out as prvalues of this type.
struct Picture : TBitmap {
    Picture(int w, int h, TPixelFormat format, const std::function<TColor(int, int)>& colour) : TBitmap(w, h, format)
    {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                Set(*this, x, y, colour(x, y));
    }
};

Picture Make(int w, int h, TPixelFormat format, const std::function<TColor(int, int)>& colour)
{
    return Picture(w, h, format, colour);
}

Picture Filled(int w, int h, TPixelFormat format, TColor c)
{
    return Make(w, h, format, [c](int, int) { return c; });
}

// Finds the first pixel that differs from expected(x, y); empty when none does.
std::string Mismatch(TBitmap& b, const std::function<TColor(int, int)>& expected)
{
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (At(b, x, y) != expected(x, y)) {
                char text[96];
                std::snprintf(text, sizeof text, "(%d, %d) is %06X, expected %06X", x, y, At(b, x, y),
                              expected(x, y));
                return text;
            }
    return {};
}

// Frames of 12 x 12 with margins 3: every part has its own colours; corners
// vary in both directions, edges only across their length, so stretching an
// edge keeps its pixels exact; the centre is plain or (patterned) varies in both.
constexpr int frameSide = 12;
constexpr int margin = 3;
constexpr RECT margins3{margin, margin, margin, margin};

int Band(int v) { return v < margin ? 0 : v >= frameSide - margin ? 2 : 1; }

TColor FramePixel(int frame, int x, int y, bool patternedCentre)
{
    const int col = Band(x);
    const int row = Band(y);
    const bool centre = col == 1 && row == 1;
    const int ex = col == 1 && !(centre && patternedCentre) ? 0 : x;
    const int ey = row == 1 && !(centre && patternedCentre) ? 0 : y;
    return RGBColor(static_cast<std::uint8_t>(frame * 40 + (row * 3 + col) * 4), static_cast<std::uint8_t>(ex * 20 + 10),
                    static_cast<std::uint8_t>(ey * 20 + 10));
}

Picture Strip(int frames, bool vertical, TPixelFormat format, bool patternedCentre = false)
{
    const int w = vertical ? frameSide : frameSide * frames;
    const int h = vertical ? frameSide * frames : frameSide;
    return Make(w, h, format, [=](int x, int y) {
        const int frame = (vertical ? y : x) / frameSide + 1;
        return FramePixel(frame, x % frameSide, y % frameSide, patternedCentre);
    });
}

// Where a target pixel of a nine-sliced W x H frame comes from.
int SourceCoord(int v, int size, bool tiledCentre)
{
    if (v < margin)
        return v;
    if (v >= size - margin)
        return v - size + frameSide;
    return tiledCentre ? margin + (v - margin) % (frameSide - 2 * margin) : margin;
}

std::function<TColor(int, int)> NineSliced(int frame, int w, int h, bool tiled)
{
    return [=](int x, int y) {
        return FramePixel(frame, SourceCoord(x, w, tiled), SourceCoord(y, h, tiled), tiled);
    };
}

TEST(RenderSkinFrame, CornersUnscaledEdgesAndCentreStretched)
{
    for (const TPixelFormat format : formats)
        for (const bool vertical : {false, true}) {
            auto strip = Strip(3, vertical, format);
            const auto result = RenderSkinFrame({5, 7, 35, 27}, strip, margins3, vertical, false, 3, 2);
            ASSERT_EQ(result->Width(), 30);
            ASSERT_EQ(result->Height(), 20);
            EXPECT_EQ(result->PixelFormat(), format);
            EXPECT_EQ(Mismatch(*result, NineSliced(2, 30, 20, false)), "") << "format " << format << " vertical " << vertical;
        }
}

TEST(RenderSkinFrame, TiledCentreIsCoveredByTheRightAndBottomParts)
{
    for (const TPixelFormat format : formats) {
        auto strip = Strip(2, false, format, true);
        // A centre of 25 x 17 is not a multiple of the 6-pixel tile: the last tiles reach into the edges.
        const auto result = RenderSkinFrame({0, 0, 31, 23}, strip, margins3, false, true, 2, 1);
        EXPECT_EQ(Mismatch(*result, NineSliced(1, 31, 23, true)), "") << "format " << format;
    }
}

TEST(RenderSkinFrame, MarginsThatDoNotFitTheTargetDropToZero)
{
    // A 20 x 20 frame of four plain quadrants in a 10 x 10 target with margins 8.
    const auto quadrant = [](int x, int y) { return RGBColor(x < 10 ? 200 : 50, y < 10 ? 200 : 50, 99); };
    for (const TPixelFormat format : formats) {
        auto frame = Make(20, 20, format, quadrant);
        const RECT margins8{8, 8, 8, 8};
        const auto stretched = RenderSkinFrame({0, 0, 10, 10}, frame, margins8, false, false, 1, 1);
        EXPECT_EQ(Mismatch(*stretched, [&](int x, int y) { return quadrant(2 * x, 2 * y); }), "");
        const auto tiled = RenderSkinFrame({0, 0, 10, 10}, frame, margins8, false, true, 1, 1);
        EXPECT_EQ(Mismatch(*tiled, quadrant), "");
    }
}

TEST(RenderSkinFrame, OutOfRangeFramesAndMarginsStayInsideTheBitmap)
{
    auto strip = Strip(2, false, pf24bit);
    const RECT target{0, 0, 20, 16};
    // An index past the count draws the last frame; below 1 the first.
    EXPECT_EQ(Mismatch(*RenderSkinFrame(target, strip, margins3, false, false, 2, 9), NineSliced(2, 20, 16, false)), "");
    EXPECT_EQ(Mismatch(*RenderSkinFrame(target, strip, margins3, false, false, 2, 0), NineSliced(1, 20, 16, false)), "");
    // A count of 0 counts as 1: the whole strip is the frame.
    const auto whole = RenderSkinFrame({0, 0, 24, 12}, strip, RECT{}, false, false, 0, 1);
    EXPECT_EQ(Mismatch(*whole, [&](int x, int y) { return At(strip, x, y); }), "");
    // Margins wider than the frame drop to 0: the frame is stretched whole, 12 -> 24.
    const auto wide = RenderSkinFrame({0, 0, 24, 12}, strip, RECT{13, 0, 13, 0}, false, false, 2, 1);
    EXPECT_EQ(Mismatch(*wide, [&](int x, int y) { return At(strip, x / 2, y); }), "");
    // More frames than pixels: nothing to cut, the result stays blank.
    const auto none = RenderSkinFrame({0, 0, 4, 4}, strip, margins3, false, false, 100, 1);
    EXPECT_EQ(Mismatch(*none, [](int, int) { return clWhite; }), "");
    EXPECT_TRUE(RenderSkinFrame({5, 0, 4, 4}, strip, margins3, false, false, 2, 1)->Empty());
}

TEST(DrawSkinFrame, NineSlicedInPlaceWithNothingOutsideItsRectangle)
{
    for (const TPixelFormat format : formats) {
        auto strip = Strip(2, true, format, true);
        // Margins as RenderSkinFrame's, at (5, 4) of a larger picture.
        auto target = Filled(40, 30, format, background);
        DrawSkinFrame(target.Canvas().Handle(), {5, 4, 5 + 17, 4 + 20}, strip, margins3, true, true, 2, 2);
        const auto sliced = NineSliced(2, 17, 20, true);
        EXPECT_EQ(Mismatch(target, [&](int x, int y) {
                      if (x < 5 || x >= 22 || y < 4 || y >= 24)
                          return background;
                      return sliced(x - 5, y - 4);
                  }),
                  "")
            << "format " << format;

        // Without right and bottom parts the tiled centre's last tiles are cut at the rectangle:
        // tiles of 9 x 9 from (3, 3) of the frame (the stretched edges are checked elsewhere).
        auto open = Filled(40, 30, format, background);
        DrawSkinFrame(open.Canvas().Handle(), {5, 4, 5 + 17, 4 + 20}, strip, {margin, margin, 0, 0}, true, true, 2, 1);
        const auto tiled = [](int v) { return margin + (v - margin) % (frameSide - margin); };
        EXPECT_EQ(Mismatch(open, [&](int x, int y) {
                      if (x < 5 || x >= 22 || y < 4 || y >= 24)
                          return background;
                      if (x < 5 + margin || y < 4 + margin)
                          return At(open, x, y);
                      return FramePixel(1, tiled(x - 5), tiled(y - 4), true);
                  }),
                  "")
            << "format " << format;
    }
}

TEST(DrawSkinElement, OpaqueCopiesAndTransparentKeepsTheKeyedPixels)
{
    for (const TPixelFormat format : formats) {
        auto strip = Strip(2, false, format);
        Set(strip, 12, 0, clFuchsia);       // frame 2, top-left corner
        Set(strip, 12 + 10, 10, clFuchsia);  // frame 2, bottom-right corner: target (32, 23)
        auto opaque = Filled(40, 30, format, background);
        DrawSkinElement(opaque.Canvas().Handle(), {4, 5, 34, 25}, strip, false, false, false, 2, 2, margins3);
        auto keyed = Filled(40, 30, format, background);
        DrawSkinElement(keyed.Canvas().Handle(), {4, 5, 34, 25}, strip, false, false, true, 2, 2, margins3);
        const auto expected = NineSliced(2, 30, 20, false);
        const auto inside = [](int x, int y) { return x >= 4 && x < 34 && y >= 5 && y < 25; };
        EXPECT_EQ(Mismatch(opaque, [&](int x, int y) {
                      if (!inside(x, y))
                          return background;
                      return (x == 4 && y == 5) || (x == 32 && y == 23) ? clFuchsia : expected(x - 4, y - 5);
                  }),
                  "");
        EXPECT_EQ(Mismatch(keyed, [&](int x, int y) {
                      if (!inside(x, y) || (x == 4 && y == 5) || (x == 32 && y == 23))
                          return background;
                      return expected(x - 4, y - 5);
                  }),
                  "");
    }
}

TEST(DrawThreeSlice, BandsStretchedAndNarrowTargetsTakeTheWholeFrame)
{
    for (const TPixelFormat format : formats) {
        // Four frames of 10 x 4; columns: left margin 2, middle, right margin 3, each column its own colour.
        const auto column = [](int x) { return RGBColor(static_cast<std::uint8_t>(x * 6), static_cast<std::uint8_t>(x / 10 * 50), 7); };
        auto strip = Make(40, 4, format, [&](int x, int) { return column(x); });
        auto target = Filled(40, 10, format, background);
        DrawThreeSlice(target.Canvas().Handle(), {5, 1, 35, 9}, strip, false, 4, 2, RECT{2, 0, 3, 0});
        EXPECT_EQ(Mismatch(target, [&](int x, int y) {
                      if (x < 5 || x >= 35 || y < 1 || y >= 9)
                          return background;
                      if (x < 7)
                          return column(10 + x - 5);
                      if (x >= 32)
                          return column(20 - (35 - x));
                      return column(12 + (x - 7) * 5 / 25);
                  }),
                  "");
        // Narrower than the frame: exactly frame 2, squeezed into the rectangle.
        auto plain = Make(40, 4, format, [](int x, int) { return RGBColor(static_cast<std::uint8_t>(x / 10 * 60 + 5), 9, 9); });
        auto narrow = Filled(12, 6, format, background);
        DrawThreeSlice(narrow.Canvas().Handle(), {2, 1, 8, 5}, plain, false, 4, 2, RECT{2, 0, 3, 0});
        EXPECT_EQ(Mismatch(narrow, [](int x, int y) {
                      return x >= 2 && x < 8 && y >= 1 && y < 5 ? RGBColor(65, 9, 9) : background;
                  }),
                  "");
    }
}

TEST(DrawThreeSliceTiled, MiddleRepeatedAtItsOwnWidth)
{
    for (const TPixelFormat format : formats)
        for (const bool vertical : {false, true}) {
            // Two frames of 9 x 5 (stacked or side by side): left 3, middle 4, right 2.
            const auto column = [](int frame, int x) {
                return RGBColor(static_cast<std::uint8_t>(x * 20 + 5), static_cast<std::uint8_t>(frame * 70), 3);
            };
            auto strip = vertical ? Make(9, 10, format, [&](int x, int y) { return column(y / 5 + 1, x); })
                                     : Make(18, 5, format, [&](int x, int) { return column(x / 9 + 1, x % 9); });
            Set(strip, vertical ? 4 : 13, vertical ? 7 : 2, clFuchsia);  // frame 2, middle column 4, row 2
            auto target = Filled(24, 12, format, background);
            DrawThreeSliceTiled(target.Canvas(), {2, 1, 22, 11}, strip, vertical, true, 2, 2, RECT{3, 0, 2, 0});
            EXPECT_EQ(Mismatch(target, [&](int x, int y) {
                          if (x < 2 || x >= 22 || y < 1 || y >= 11)
                              return background;
                          const int dx = x - 2;
                          const int source = dx < 3 ? dx : dx >= 18 ? dx - 20 + 9 : 3 + (dx - 3) % 4;
                          // The keyed pixel, stretched from 5 rows to 10, covers rows 4 and 5 of the band.
                          if (source == 4 && (y - 1 == 4 || y - 1 == 5))
                              return background;
                          return column(2, source);
                      }),
                      "")
                << "format " << format << " vertical " << vertical;
        }
}

TEST(DrawFrameStretched, WholeFrameScaledToTheRectangle)
{
    for (const TPixelFormat format : formats) {
        const auto quad = [](int frame, int x, int y) {
            return RGBColor(static_cast<std::uint8_t>(frame * 80), x < 2 ? 40 : 140, y < 2 ? 40 : 140);
        };
        auto strip = Make(8, 4, format, [&](int x, int y) { return quad(x / 4 + 1, x % 4, y); });
        Set(strip, 7, 3, clFuchsia);
        auto target = Filled(12, 10, format, background);
        DrawFrameStretched(target.Canvas().Handle(), {2, 1, 10, 9}, strip, true, 2, 2);
        EXPECT_EQ(Mismatch(target, [&](int x, int y) {
                      if (x < 2 || x >= 10 || y < 1 || y >= 9 || (x >= 8 && y >= 7))
                          return background;
                      return quad(2, (x - 2) / 2, (y - 1) / 2);
                  }),
                  "");
    }
}

TEST(DrawFrameStretched, AFrameAtItsOwnSizeIsCopiedAsItIs)
{
    for (const TPixelFormat format : formats) {
        const auto pixel = [](int x, int y) {
            return RGBColor(static_cast<std::uint8_t>(x * 20), static_cast<std::uint8_t>(y * 40), 99);
        };
        auto strip = Make(10, 4, format, pixel);
        Set(strip, 6, 1, clFuchsia);
        for (const bool transparent : {false, true}) {
            auto target = Filled(12, 8, format, background);
            DrawFrameStretched(target.Canvas().Handle(), {3, 2, 8, 6}, strip, transparent, 2, 2);
            EXPECT_EQ(Mismatch(target, [&](int x, int y) {
                          if (x < 3 || x >= 8 || y < 2 || y >= 6)
                              return background;
                          if (x == 4 && y == 3)
                              return transparent ? background : clFuchsia;
                          return pixel(x - 3 + 5, y - 2);
                      }),
                      "")
                << "format " << format << " transparent " << transparent;
        }
    }
}

TEST(DrawFrameCentered, UnscaledAndCentredRoundingTowardZero)
{
    for (const TPixelFormat format : formats) {
        // Frames of 17 x 9: frame 2 is green with a keyed pixel in its corner.
        auto strip = Make(34, 9, format, [](int x, int) { return x < 17 ? clRed : clLime; });
        Set(strip, 17, 0, clFuchsia);
        for (const bool transparent : {false, true}) {
            auto target = Filled(24, 14, format, background);
            DrawFrameCentered(target.Canvas().Handle(), {2, 0, 22, 14}, strip, transparent, 2, 2);
            // (20 - 17) / 2 = 1 in from the left, (14 - 9) / 2 = 2 down.
            EXPECT_EQ(Mismatch(target, [&](int x, int y) {
                          if (x < 3 || x >= 20 || y < 2 || y >= 11)
                              return background;
                          if (x == 3 && y == 2)
                              return transparent ? background : clFuchsia;
                          return clLime;
                      }),
                      "");
        }
    }
}

TEST(DrawTransparent, DestinationUntouchedExactlyWhereTheKeyIs)
{
    for (const TPixelFormat format : formats) {
        // Near-key colours are drawn: only the exact key is left out.
        const auto source = [](int x, int y) {
            switch ((x + 2 * y) % 4) {
            case 0: return clFuchsia;
            case 1: return RGBColor(255, 0, 254);
            case 2: return RGBColor(254, 0, 255);
            default: return RGBColor(static_cast<std::uint8_t>(x * 10), static_cast<std::uint8_t>(y * 10), 77);
            }
        };
        auto picture = Make(9, 5, format, source);
        auto target = Filled(16, 10, format, background);
        // The rectangle is larger than the picture: only the picture's own pixels are drawn.
        DrawTransparent(target.Canvas().Handle(), {3, 2, 16, 10}, picture, clFuchsia);
        EXPECT_EQ(Mismatch(target, [&](int x, int y) {
                      if (x < 3 || x >= 12 || y < 2 || y >= 7)
                          return background;
                      const TColor c = source(x - 3, y - 2);
                      return c == clFuchsia ? background : c;
                  }),
                  "");
    }
}

TEST(DrawTransparent, KeyedPixelsFollowTheDCsOrigin)
{
    // The key sits in a pattern that would show any shift of it against the picture.
    const auto source = [](int x, int y) {
        return (x * 3 + y) % 5 == 0 ? clFuchsia : RGBColor(static_cast<std::uint8_t>(x * 25), 40, static_cast<std::uint8_t>(y * 25));
    };
    auto picture = Make(7, 6, pf24bit, source);
    auto target = Filled(20, 16, pf24bit, background);
    const HDC dc = target.Canvas().Handle();
    POINT old{};
    SetViewportOrgEx(dc, -2, 3, &old);
    SetTextColor(dc, RGB(9, 8, 7));
    SetBkColor(dc, RGB(6, 5, 4));
    SetBrushOrgEx(dc, 1, 2, nullptr);
    DrawTransparent(dc, {6, 4, 13, 10}, picture, clFuchsia);
    SetViewportOrgEx(dc, old.x, old.y, nullptr);
    // Logical (6, 4) is (4, 7) on the picture.
    EXPECT_EQ(Mismatch(target, [&](int x, int y) {
                  if (x < 4 || x >= 11 || y < 7 || y >= 13)
                      return background;
                  const TColor c = source(x - 4, y - 7);
                  return c == clFuchsia ? background : c;
              }),
              "");
    // The DC's colours and brush origin are its own again.
    POINT brushOrigin{};
    GetBrushOrgEx(dc, &brushOrigin);
    EXPECT_EQ(brushOrigin.x, 1);
    EXPECT_EQ(brushOrigin.y, 2);
    EXPECT_EQ(GetTextColor(dc), RGB(9, 8, 7));
    EXPECT_EQ(GetBkColor(dc), RGB(6, 5, 4));

    // A DC in the advanced graphics mode is keyed the same.
    auto advanced = Filled(20, 16, pf24bit, background);
    const HDC other = advanced.Canvas().Handle();
    SetGraphicsMode(other, GM_ADVANCED);
    DrawTransparent(other, {4, 7, 11, 13}, picture, clFuchsia);
    SetGraphicsMode(other, GM_COMPATIBLE);
    EXPECT_EQ(Mismatch(advanced, [&](int x, int y) { return At(target, x, y); }), "");
}

bool Opaque(HRGN region, int x, int y) { return PtInRegion(region, x, y) != 0; }

TEST(RegionFromColourKey, KeyWithToleranceIsLeftOut)
{
    for (const TPixelFormat format : formats) {
        auto allKey = Filled(20, 10, format, clFuchsia);
        const auto empty = RegionFromColourKey(allKey, 0, 0, 1, 1, 1, clFuchsia);
        RECT box;
        EXPECT_EQ(GetRgnBox(empty.get(), &box), NULLREGION);

        const TColor cases[] = {RGBColor(255, 0, 254), RGBColor(255, 1, 255), RGBColor(254, 0, 255),
                                RGBColor(255, 2, 255), RGBColor(255, 1, 255), RGBColor(255, 0, 255)};
        const bool opaque[] = {true, false, true, true, false, false};
        auto row = Make(6, 1, format, [&](int x, int) { return cases[x]; });
        const auto region = RegionFromColourKey(row, 10, 20, 1, 1, 1, clFuchsia);
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(Opaque(region.get(), 10 + x, 20), opaque[x]) << "pixel " << x;
        EXPECT_FALSE(Opaque(region.get(), 10, 21));
        EXPECT_FALSE(Opaque(region.get(), 0, 0));
    }
}

TEST(RegionFromColourKey, ManyRectanglesJoinedBatchByBatch)
{
    // Every other pixel keyed: 60 runs a row, 3000 rectangles, so the region is built in batches.
    const auto keyed = [](int x, int y) { return (x + y) % 2 == 0 || (x == 7 && y == 41); };
    auto picture = Make(120, 50, pf24bit, [&](int x, int y) { return keyed(x, y) ? clFuchsia : RGBColor(9, 9, 9); });
    const auto region = RegionFromColourKey(picture, -3, 4, 1, 1, 1, clFuchsia);
    int wrong = 0;
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 120; ++x)
            wrong += Opaque(region.get(), x - 3, y + 4) == keyed(x, y);
    EXPECT_EQ(wrong, 0);
    RECT box;
    EXPECT_EQ(GetRgnBox(region.get(), &box), COMPLEXREGION);
    EXPECT_EQ(box.left, -3 + 0);
    EXPECT_EQ(box.top, 4);
    EXPECT_EQ(box.right, 120 - 3);
    EXPECT_EQ(box.bottom, 54);
}

// A 3 x 2 picture with six colours, for the geometric utilities.
TColor Six(int x, int y) { return RGBColor(static_cast<std::uint8_t>(x * 50 + 10), static_cast<std::uint8_t>(y * 50 + 10), 5); }

TEST(PixelUtilities, MirrorFlipAndQuarterTurns)
{
    auto mirrored = Make(3, 2, pf24bit, Six);
    MirrorHorizontal(mirrored);
    EXPECT_EQ(Mismatch(mirrored, [](int x, int y) { return Six(2 - x, y); }), "");

    auto flipped = Make(3, 2, pf24bit, Six);
    FlipVertical(flipped);
    EXPECT_EQ(Mismatch(flipped, [](int x, int y) { return Six(x, 1 - y); }), "");

    for (const TPixelFormat format : formats) {
        auto left = Make(3, 2, format, Six);
        RotateLeft(left);
        ASSERT_EQ(left.Width(), 2);
        ASSERT_EQ(left.Height(), 3);
        EXPECT_EQ(left.PixelFormat(), pf24bit);
        // Counter-clockwise: the old right column becomes the top row.
        EXPECT_EQ(Mismatch(left, [](int x, int y) { return Six(2 - y, x); }), "");

        auto right = Make(3, 2, format, Six);
        RotateRight(right);
        ASSERT_EQ(right.Width(), 2);
        EXPECT_EQ(Mismatch(right, [](int x, int y) { return Six(y, 1 - x); }), "");
        RotateLeft(right);
        EXPECT_EQ(Mismatch(right, Six), "");
    }
}

TEST(PixelUtilities, GrayScaleAndMagentaReplacement)
{
    auto grey = Make(3, 1, pf32bit, [](int x, int) {
        return x == 0 ? RGBColor(10, 20, 33) : x == 1 ? clWhite : RGBColor(1, 1, 0);
    });
    GrayScale(grey);
    EXPECT_EQ(grey.PixelFormat(), pf24bit);
    EXPECT_EQ(Mismatch(grey, [](int x, int) { return x == 0 ? RGBColor(21, 21, 21) : x == 1 ? clWhite : clBlack; }), "");

    const TColor nearKey[] = {clFuchsia, RGBColor(255, 1, 255), RGBColor(254, 0, 255), clFuchsia};
    auto keyed = Make(4, 1, pf32bit, [&](int x, int) { return nearKey[x]; });
    ReplaceMagenta(keyed, clBtnFace);  // a system colour is not resolved: its low bytes are 0x00000F
    EXPECT_EQ(keyed.PixelFormat(), pf24bit);
    EXPECT_EQ(Mismatch(keyed, [&](int x, int) { return x == 0 || x == 3 ? RGBColor(15, 0, 0) : nearKey[x]; }), "");
}

TEST(PixelUtilities, CopyBitmapTakesSizeFormatAndPixels)
{
    auto source = Make(5, 4, pf32bit, [](int x, int y) { return RGBColor(static_cast<std::uint8_t>(x * 40), static_cast<std::uint8_t>(y * 60), 1); });
    TBitmap dest(2, 9, pf24bit);
    CopyBitmap(source, dest);
    EXPECT_EQ(dest.Width(), 5);
    EXPECT_EQ(dest.Height(), 4);
    EXPECT_EQ(dest.PixelFormat(), pf32bit);
    EXPECT_EQ(Mismatch(dest, [&](int x, int y) { return At(source, x, y); }), "");
}

TEST(GradientFill, RowsFromFirstToLastColourAndOnlyVisibleOnesDrawn)
{
    const TColor from = RGBColor(0, 100, 15);
    const TColor to = RGBColor(160, 200, 255);
    // 17 rows, 16 steps, worked out by hand: red rises 10 a row and blue 15,
    // both exactly; green rises 6.25 a row, rounded to the nearest with
    // halves up (12.5 -> 13, 37.5 -> 38, 62.5 -> 63, 87.5 -> 88).
    const std::vector<TColor> expected{
        RGBColor(0, 100, 15),    RGBColor(10, 106, 30),   RGBColor(20, 113, 45),   RGBColor(30, 119, 60),
        RGBColor(40, 125, 75),   RGBColor(50, 131, 90),   RGBColor(60, 138, 105),  RGBColor(70, 144, 120),
        RGBColor(80, 150, 135),  RGBColor(90, 156, 150),  RGBColor(100, 163, 165), RGBColor(110, 169, 180),
        RGBColor(120, 175, 195), RGBColor(130, 181, 210), RGBColor(140, 188, 225), RGBColor(150, 194, 240),
        RGBColor(160, 200, 255)};

    auto whole = Filled(6, 20, pf24bit, background);
    GradientFill(whole.Canvas().Handle(), {1, 2, 5, 19}, from, to, true);
    EXPECT_EQ(Mismatch(whole, [&](int x, int y) {
                  return x >= 1 && x < 5 && y >= 2 && y < 19 ? expected[static_cast<std::size_t>(y - 2)] : background;
              }),
              "");

    // Half the rectangle clipped away: the visible rows keep their colours in the whole gradient.
    auto clipped = Filled(6, 20, pf24bit, background);
    const HDC dc = clipped.Canvas().Handle();
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, 0, 10, 6, 20);
    GradientFill(dc, {1, 2, 5, 19}, from, to, true);
    RestoreDC(dc, saved);
    EXPECT_EQ(Mismatch(clipped, [&](int x, int y) {
                  return x >= 1 && x < 5 && y >= 10 && y < 19 ? expected[static_cast<std::size_t>(y - 2)] : background;
              }),
              "");

    // Across 17 columns from black to white: 255 / 16 = 15.9375 a column, rounded to the nearest.
    const std::uint8_t greys[17] = {0, 16, 32, 48, 64, 80, 96, 112, 128, 143, 159, 175, 191, 207, 223, 239, 255};
    auto across = Filled(20, 3, pf32bit, background);
    GradientFill(across.Canvas().Handle(), {2, 0, 19, 3}, clBlack, clWhite, false);
    EXPECT_EQ(Mismatch(across, [&](int x, int) {
                  if (x < 2 || x >= 19)
                      return background;
                  const std::uint8_t grey = greys[x - 2];
                  return RGBColor(grey, grey, grey);
              }),
              "");

    // Falling from white to black each column drops by the same rounded
    // amounts, a half (127.5 at the middle) rounding to the larger drop; the
    // last column is black exactly.
    const std::uint8_t falling[17] = {255, 239, 223, 207, 191, 175, 159, 143, 127, 112, 96, 80, 64, 48, 32, 16, 0};
    auto back = Filled(20, 1, pf24bit, background);
    GradientFill(back.Canvas().Handle(), {2, 0, 19, 1}, clWhite, clBlack, false);
    EXPECT_EQ(Mismatch(back, [&](int x, int) {
                  if (x < 2 || x >= 19)
                      return background;
                  const std::uint8_t grey = falling[x - 2];
                  return RGBColor(grey, grey, grey);
              }),
              "");
}

TEST(DrawingPrimitives, InvertedRectanglesDrawNothing)
{
    auto strip = Strip(2, false, pf24bit);
    auto target = Filled(30, 30, pf24bit, background);
    const HDC dc = target.Canvas().Handle();
    const RECT backwards{20, 2, 10, 12};
    const RECT upside{2, 20, 12, 10};
    for (const RECT& r : {backwards, upside}) {
        DrawSkinElement(dc, r, strip, false, true, false, 2, 1, margins3);
        DrawThreeSlice(dc, r, strip, false, 2, 1, margins3);
        DrawThreeSliceTiled(target.Canvas(), r, strip, false, false, 2, 1, margins3);
        DrawFrameStretched(dc, r, strip, false, 2, 1);
        DrawFrameCentered(dc, r, strip, false, 2, 1);
        DrawTransparent(dc, r, strip, clFuchsia);
        TileRect(target.Canvas(), r, strip, {0, 0, 4, 4});
        GradientFill(dc, r, clRed, clBlue, true);
    }
    // An empty bitmap draws nothing either.
    TBitmap empty;
    DrawSkinElement(dc, {0, 0, 10, 10}, empty, false, false, false, 1, 1, margins3);
    DrawFrameCentered(dc, {0, 0, 10, 10}, empty, true, 1, 1);
    EXPECT_EQ(Mismatch(target, [](int, int) { return background; }), "");
}

TEST(TileRect, RepeatsFromTheTopLeftAndCutsTheSourceToTheBitmap)
{
    const auto source = [](int x, int y) { return RGBColor(static_cast<std::uint8_t>(x * 30), static_cast<std::uint8_t>(y * 30), 9); };
    auto picture = Make(6, 6, pf24bit, source);
    auto target = Filled(12, 12, pf24bit, background);
    // Source (4, 4, 9, 9) is cut to (4, 4, 6, 6): a 2 x 2 tile.
    TileRect(target.Canvas(), {1, 1, 6, 10}, picture, {4, 4, 9, 9});
    EXPECT_EQ(Mismatch(target, [&](int x, int y) {
                  // Whole tiles: columns 1 ... 6 and rows 1 ... 10, the last ones past the rectangle.
                  if (x < 1 || x >= 7 || y < 1 || y >= 11)
                      return background;
                  return source(4 + (x - 1) % 2, 4 + (y - 1) % 2);
              }),
              "");
}

TEST(WideText, AnsiConversionAndDrawing)
{
    EXPECT_EQ(AnsiToWide("北京 A1"), L"\u5317\u4eac A1");
    EXPECT_EQ(AnsiToWide(""), L"");
    auto target = Filled(80, 30, pf24bit, clWhite);
    const HDC dc = target.Canvas().Handle();
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    RECT measure{0, 0, 0, 0};
    const int height = DrawTextWide(dc, L"\u5317\u4eac", measure, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_GT(height, 0);
    EXPECT_GT(measure.right, 0);
    RECT box{0, 0, 80, 30};
    EXPECT_EQ(DrawTextWide(dc, L"\u5317\u4eac", box, DT_SINGLELINE), height);
    bool inked = false;
    for (int y = 0; y < 30 && !inked; ++y)
        for (int x = 0; x < 80 && !inked; ++x)
            inked = At(target, x, y) != clWhite;
    EXPECT_TRUE(inked);
}

TEST(PaintParentBackground, ParentPaintsUnderTheControlThroughTheDc)
{
    // The parent fills its background blue and paints a red 4 x 4 square at
    // (12, 7) of its own client area; the control sits at (10, 5).
    const auto form = std::make_unique<TForm>(nullptr);
    auto* panel = new TPanel(form.get());
    panel->SetBounds(10, 5, 20, 10);
    panel->SetParent(form.get());
    std::vector<UINT> seen;
    const ui::HookToken layer = form->AddWindowProc([&](TMessage& message, const TWndNext&) {
        if (message.Msg != WM_ERASEBKGND && message.Msg != WM_PAINT)
            return;
        seen.push_back(message.Msg);
        const auto dc = reinterpret_cast<HDC>(message.WParam);
        const RECT all{0, 0, 200, 200};
        const RECT square{12, 7, 16, 11};
        const ui::UniqueBrush brush(CreateSolidBrush(message.Msg == WM_ERASEBKGND ? RGB(0, 0, 255) : RGB(255, 0, 0)));
        FillRect(dc, message.Msg == WM_ERASEBKGND ? &all : &square, brush.get());
        message.Result = 1;
    });

    auto target = Filled(24, 14, pf24bit, background);
    const HDC dc = target.Canvas().Handle();
    PaintParentBackground(*panel, dc);
    EXPECT_EQ(seen, (std::vector<UINT>{WM_ERASEBKGND, WM_PAINT}));
    // Only the control's own 20 x 10 is painted, in the control's coordinates.
    EXPECT_EQ(Mismatch(target, [](int x, int y) {
                  if (x >= 20 || y >= 10)
                      return background;
                  return x >= 2 && x < 6 && y >= 2 && y < 6 ? clRed : clBlue;
              }),
              "");
    // The DC is given back as it was.
    POINT origin{-1, -1};
    GetViewportOrgEx(dc, &origin);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);
    RECT clip{};
    EXPECT_EQ(GetClipBox(dc, &clip), SIMPLEREGION);
    EXPECT_EQ(clip.right, 24);

    // Without a parent there is nothing to paint.
    panel->SetParent(nullptr);
    seen.clear();
    PaintParentBackground(*panel, dc);
    EXPECT_TRUE(seen.empty());
}

} // namespace
