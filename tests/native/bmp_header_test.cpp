// The bitmap layout check that vouches for skin pictures.
#include "skin/load/BmpHeader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put(Bytes& b, std::size_t at, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

// An info-header bitmap with a full palette for up to 8 bits, pixels zero.
Bytes Bitmap(std::int32_t width, std::int32_t height, std::uint16_t bits, std::uint32_t compression = 0)
{
    const std::uint32_t palette = bits <= 8 ? (1u << bits) * 4 : 0;
    const std::uint32_t masks = compression == 3 ? 12 : 0;
    const std::uint32_t offset = 54 + masks + palette;
    const std::uint32_t stride = (static_cast<std::uint32_t>(width) * bits + 31) / 32 * 4;
    const std::uint32_t rows = static_cast<std::uint32_t>(height < 0 ? -height : height);
    Bytes b(offset + stride * rows, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put(b, 2, static_cast<std::uint32_t>(b.size()), 4);
    Put(b, 10, offset, 4);
    Put(b, 14, 40, 4);
    Put(b, 18, static_cast<std::uint32_t>(width), 4);
    Put(b, 22, static_cast<std::uint32_t>(height), 4);
    Put(b, 26, 1, 2);
    Put(b, 28, bits, 2);
    Put(b, 30, compression, 4);
    Put(b, 34, stride * rows, 4);
    return b;
}

std::string Problem(const Bytes& b)
{
    try {
        ReadBmpInfo(b);
        return {};
    } catch (const EBmpError& e) {
        return e.what();
    }
}

TEST(BmpHeader, AcceptsTheCommonLayouts)
{
    const TBmpInfo info = ReadBmpInfo(Bitmap(126, 21, 24));
    EXPECT_EQ(info.width, 126);
    EXPECT_EQ(info.height, 21);
    EXPECT_EQ(info.bitCount, 24);
    for (std::uint16_t bits : {1, 4, 8, 16, 32})
        EXPECT_EQ(Problem(Bitmap(7, 3, bits)), "") << bits;
    EXPECT_EQ(Problem(Bitmap(7, -3, 24)), "");
    EXPECT_EQ(Problem(Bitmap(7, 3, 32, 3)), "");

    // A palette shorter than 2^bits, as its colour count says.
    Bytes shortPalette = Bitmap(4, 4, 8);
    Put(shortPalette, 46, 2, 4);
    EXPECT_EQ(Problem(shortPalette), "");

    // The old core header: 16-bit sizes and three-byte palette entries.
    Bytes core(14 + 12 + 6 + 4, 0);
    core[0] = 'B';
    core[1] = 'M';
    Put(core, 10, 32, 4);
    Put(core, 14, 12, 4);
    Put(core, 18, 1, 2);
    Put(core, 20, 1, 2);
    Put(core, 22, 1, 2);
    Put(core, 24, 1, 2);
    EXPECT_EQ(Problem(core), "");
}

TEST(BmpHeader, RefusesBrokenHeaders)
{
    EXPECT_NE(Problem(Bytes(25, 0)), "");
    Bytes b = Bitmap(4, 4, 24);
    b[1] = 'A';
    EXPECT_NE(Problem(b), "");
    b = Bitmap(4, 4, 24);
    Put(b, 14, 41, 4);
    EXPECT_NE(Problem(b), "");
    b = Bitmap(4, 4, 24);
    Put(b, 14, 124, 4);
    EXPECT_NE(Problem(b), ""); // the header would run past the file
    for (auto [width, height] : {std::pair{0, 4}, std::pair{-1, 4}, std::pair{4, 0}, std::pair{70000, 1}}) {
        b = Bitmap(4, 4, 24);
        Put(b, 18, static_cast<std::uint32_t>(width), 4);
        Put(b, 22, static_cast<std::uint32_t>(height), 4);
        EXPECT_NE(Problem(b), "") << width << " x " << height;
    }
    b = Bitmap(4, 4, 24);
    Put(b, 26, 2, 2);
    EXPECT_NE(Problem(b), "");
    b = Bitmap(4, 4, 24);
    Put(b, 28, 7, 2);
    EXPECT_NE(Problem(b), "");
}

TEST(BmpHeader, RefusesCompressionThatDoesNotSuitTheDepth)
{
    EXPECT_NE(Problem(Bitmap(4, 4, 24, 1)), "");
    EXPECT_NE(Problem(Bitmap(4, 4, 8, 2)), "");
    EXPECT_NE(Problem(Bitmap(4, 4, 24, 3)), "");
    EXPECT_NE(Problem(Bitmap(4, 4, 24, 4)), ""); // embedded JPEG
    EXPECT_NE(Problem(Bitmap(4, -4, 8, 1)), "");
    Bytes rle = Bitmap(4, 4, 8, 1);
    EXPECT_EQ(Problem(rle), "");
    Put(rle, 34, 0, 4);
    EXPECT_NE(Problem(rle), "");
    Put(rle, 34, 1000, 4);
    EXPECT_NE(Problem(rle), "");
}

TEST(BmpHeader, RefusesPaletteAndPixelsOutsideTheFile)
{
    Bytes b = Bitmap(4, 4, 8);
    Put(b, 46, 257, 4);
    EXPECT_NE(Problem(b), "");
    b = Bitmap(4, 4, 8);
    Put(b, 10, 54, 4); // pixels over the palette
    EXPECT_NE(Problem(b), "");
    b = Bitmap(4, 4, 24);
    Put(b, 10, static_cast<std::uint32_t>(b.size() + 1), 4);
    EXPECT_NE(Problem(b), "");
    b = Bitmap(4, 4, 24);
    b.pop_back();
    EXPECT_NE(Problem(b), "");
    b = Bitmap(1, 1, 8);
    b.resize(54 + 100);
    Put(b, 10, 54 + 100, 4);
    EXPECT_NE(Problem(b), ""); // the palette runs past the end
}

} // namespace
