// The bitmap file reader and writer: every common variant decodes to the
// pixels it holds, and damaged files fail cleanly instead of reading astray.
#include "ui/BmpFormat.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace {

using ui::bmp::Decode;
using ui::bmp::Encode;
using ui::bmp::FormatError;
using ui::bmp::Layout;
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

// A file with a version 3 info header, written field by field.
struct FileLayout {
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t bits = 24;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
    Bytes masks;    // written right after the header
    Bytes palette;  // 4 bytes per entry
    Bytes pixels;
    std::int64_t offset = -1;  // -1: right after the palette
};

Bytes MakeFile(const FileLayout& s)
{
    const std::uint32_t computed = static_cast<std::uint32_t>(14 + 40 + s.masks.size() + s.palette.size());
    Bytes b{'B', 'M'};
    Put32(b, static_cast<std::uint32_t>(computed + s.pixels.size()));
    Put32(b, 0);
    Put32(b, s.offset < 0 ? computed : static_cast<std::uint32_t>(s.offset));
    Put32(b, 40);
    Put32(b, static_cast<std::uint32_t>(s.width));
    Put32(b, static_cast<std::uint32_t>(s.height));
    Put16(b, 1);
    Put16(b, s.bits);
    Put32(b, s.compression);
    Put32(b, 0);
    Put32(b, 2835);
    Put32(b, 2835);
    Put32(b, s.colorsUsed);
    Put32(b, 0);
    b.insert(b.end(), s.masks.begin(), s.masks.end());
    b.insert(b.end(), s.palette.begin(), s.palette.end());
    b.insert(b.end(), s.pixels.begin(), s.pixels.end());
    return b;
}

Bytes Masks(std::initializer_list<std::uint32_t> masks)
{
    Bytes b;
    for (auto m : masks)
        Put32(b, m);
    return b;
}

const std::uint8_t* Row(const ui::bmp::Image& image, int bottomUpRow)
{
    return image.pixels.data() + ui::bmp::Stride(image.width, image.layout) * static_cast<std::size_t>(bottomUpRow);
}

TEST(BmpFormat, EveryLayoutSurvivesARoundTrip)
{
    for (Layout layout : {Layout::Indexed1, Layout::Indexed4, Layout::Indexed8, Layout::Rgb555, Layout::Rgb565,
                          Layout::Bgr24, Layout::Bgrx32}) {
        const int width = 13;
        const int height = 5;
        const std::size_t stride = ui::bmp::Stride(width, layout);
        Bytes pixels(stride * height);
        for (std::size_t i = 0; i < pixels.size(); ++i)
            pixels[i] = static_cast<std::uint8_t>(i * 37 + 11);
        std::vector<ui::bmp::PaletteEntry> palette;
        const int bits = ui::bmp::BitsPerPixel(layout);
        if (bits <= 8)
            for (int i = 0; i < (1 << bits); ++i)
                palette.push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), 7, 0});

        const Bytes file = Encode({width, height, layout, palette, pixels});
        const auto image = Decode(file);
        EXPECT_EQ(image.layout, layout);
        EXPECT_EQ(image.width, width);
        EXPECT_EQ(image.height, height);
        EXPECT_EQ(image.palette, palette);
        // Whole bytes holding pixels come back as written; the padding after them reads 0.
        const std::size_t used = (static_cast<std::size_t>(width) * bits + 7) / 8;
        for (int row = 0; row < height; ++row) {
            const Bytes written(pixels.begin() + row * stride, pixels.begin() + row * stride + used);
            EXPECT_EQ(Bytes(Row(image, row), Row(image, row) + used), written) << "bits " << bits << " row " << row;
            EXPECT_EQ(Bytes(Row(image, row) + used, Row(image, row) + stride), Bytes(stride - used, 0));
        }
        EXPECT_EQ(ui::bmp::DeclaredFileSize(file), file.size());
        // The file's row padding is zero whatever the caller's memory held there.
        const std::size_t start = file.size() - stride * height;
        for (int row = 0; row < height; ++row)
            for (std::size_t i = used; i < stride; ++i)
                ASSERT_EQ(file[start + row * stride + i], 0) << "bits " << bits << " row " << row;
    }
}

TEST(BmpFormat, ShortPaletteIsPaddedWithBlack)
{
    FileLayout s;
    s.bits = 8;
    s.width = 2;
    s.colorsUsed = 2;
    s.palette = {1, 2, 3, 0, 4, 5, 6, 0};
    s.pixels = {1, 200, 0, 0};
    const auto image = Decode(MakeFile(s));
    ASSERT_EQ(image.palette.size(), 256u);
    EXPECT_EQ(image.palette[1], (ui::bmp::PaletteEntry{4, 5, 6, 0}));
    EXPECT_EQ(image.palette[200], (ui::bmp::PaletteEntry{}));
    EXPECT_EQ(image.pixels[1], 200);
}

TEST(BmpFormat, TopDownRowsAreTurnedBottomUp)
{
    FileLayout s;
    s.width = 1;
    s.height = -2;
    s.pixels = {1, 2, 3, 0, 4, 5, 6, 0};  // the top row first
    const auto image = Decode(MakeFile(s));
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(Row(image, 1)[0], 1);  // top row is the last one bottom-up
    EXPECT_EQ(Row(image, 0)[0], 4);
}

TEST(BmpFormat, ZeroPixelOffsetFallsBackToTheComputedOne)
{
    FileLayout s;
    s.offset = 0;
    s.pixels = {9, 8, 7, 0};
    const auto image = Decode(MakeFile(s));
    EXPECT_EQ(image.pixels[0], 9);
    EXPECT_EQ(image.pixels[2], 7);
}

TEST(BmpFormat, CoreHeaderWithThreeBytePalette)
{
    Bytes b{'B', 'M'};
    Put32(b, 14 + 12 + 6 + 4);
    Put32(b, 0);
    Put32(b, 14 + 12 + 6);
    Put32(b, 12);
    Put16(b, 3);  // width
    Put16(b, 1);  // height
    Put16(b, 1);
    Put16(b, 1);  // bits
    b.insert(b.end(), {0, 0, 0, 255, 255, 255});
    b.insert(b.end(), {0b1010'0000, 0, 0, 0});
    const auto image = Decode(b);
    EXPECT_EQ(image.layout, Layout::Indexed1);
    EXPECT_EQ(image.palette[1], (ui::bmp::PaletteEntry{255, 255, 255, 0}));
    EXPECT_EQ(image.pixels[0], 0b1010'0000);
}

TEST(BmpFormat, BitFieldsOfKnownShapesKeepTheirLayout)
{
    FileLayout s;
    s.bits = 16;
    s.compression = 3;
    s.masks = Masks({0xF800, 0x07E0, 0x001F});
    s.pixels = {0x34, 0x12, 0, 0};
    auto image = Decode(MakeFile(s));
    EXPECT_EQ(image.layout, Layout::Rgb565);
    EXPECT_EQ(image.pixels[0], 0x34);

    s.bits = 32;
    s.masks = Masks({0xFF0000, 0xFF00, 0xFF});
    s.pixels = {1, 2, 3, 4};
    image = Decode(MakeFile(s));
    EXPECT_EQ(image.layout, Layout::Bgrx32);
    EXPECT_EQ(image.pixels, (Bytes{1, 2, 3, 4}));
}

TEST(BmpFormat, OtherBitFieldsAreConvertedToBgra)
{
    // 32 bits stored as red, green, blue, alpha from the lowest byte up.
    FileLayout s;
    s.bits = 32;
    s.compression = 6;
    s.masks = Masks({0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000});
    s.pixels = {10, 20, 30, 40};
    auto image = Decode(MakeFile(s));
    EXPECT_EQ(image.layout, Layout::Bgrx32);
    EXPECT_EQ(image.pixels, (Bytes{30, 20, 10, 40}));

    // 16 bits as 4-4-4: every channel widened to 8 bits with rounding.
    s.bits = 16;
    s.compression = 3;
    s.masks = Masks({0x0F00, 0x00F0, 0x000F});
    s.pixels = {0x0F, 0x0F, 0, 0};  // red 15, green 0, blue 15
    image = Decode(MakeFile(s));
    EXPECT_EQ(image.layout, Layout::Bgrx32);
    EXPECT_EQ(image.pixels, (Bytes{255, 0, 255, 0}));
}

TEST(BmpFormat, Rle8RunsLiteralsDeltasAndLineEnds)
{
    FileLayout s;
    s.bits = 8;
    s.compression = 1;
    s.width = 6;
    s.height = 3;
    s.palette.assign(256 * 4, 0);
    s.pixels = {
        3, 7,           // three pixels of index 7
        0, 3, 1, 2, 3, 0,  // literal 1, 2, 3 padded to a word
        0, 0,           // end of line
        0, 2, 2, 1,     // move right 2, up 1
        2, 9,           // two pixels of 9 at x 2, 3 of row 2
        0, 1,           // end of bitmap
        5, 5,           // never read
    };
    const auto image = Decode(MakeFile(s));
    EXPECT_EQ(Bytes(Row(image, 0), Row(image, 0) + 6), (Bytes{7, 7, 7, 1, 2, 3}));
    EXPECT_EQ(Bytes(Row(image, 1), Row(image, 1) + 6), (Bytes{0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Bytes(Row(image, 2), Row(image, 2) + 6), (Bytes{0, 0, 9, 9, 0, 0}));
}

TEST(BmpFormat, Rle4AlternatesNibblesAndClipsAtTheEdge)
{
    FileLayout s;
    s.bits = 4;
    s.compression = 2;
    s.width = 3;
    s.height = 1;
    s.palette.assign(16 * 4, 0);
    s.pixels = {5, 0x12, 0, 1};  // 1,2,1,2,1 but only three fit
    const auto image = Decode(MakeFile(s));
    EXPECT_EQ(image.pixels[0], 0x12);
    EXPECT_EQ(image.pixels[1], 0x10);
}

TEST(BmpFormat, DamagedFilesAreRejected)
{
    FileLayout good;
    good.width = 2;
    good.height = 2;
    good.pixels.assign(16, 0x55);
    ASSERT_NO_THROW(Decode(MakeFile(good)));

    auto bad = [&](auto change) {
        FileLayout s = good;
        change(s);
        return MakeFile(s);
    };
    EXPECT_THROW(Decode(bad([](FileLayout& s) { s.width = 0; })), FormatError);
    EXPECT_THROW(Decode(bad([](FileLayout& s) { s.height = 0; })), FormatError);
    EXPECT_THROW(Decode(bad([](FileLayout& s) { s.width = -4; })), FormatError);
    EXPECT_THROW(Decode(bad([](FileLayout& s) { s.width = 100000; })), FormatError);
    EXPECT_THROW(Decode(bad([](FileLayout& s) { s.height = INT32_MIN; })), FormatError);
    EXPECT_THROW(Decode(bad([](FileLayout& s) { s.bits = 7; })), FormatError);
    EXPECT_THROW(Decode(bad([](FileLayout& s) { s.compression = 4; })), FormatError);   // embedded JPEG
    EXPECT_THROW(Decode(bad([](FileLayout& s) { s.compression = 1; })), FormatError);   // RLE8 needs 8 bits
    EXPECT_THROW(Decode(bad([](FileLayout& s) { s.pixels.resize(10); })), FormatError); // rows missing
    EXPECT_THROW(Decode(bad([](FileLayout& s) {
                     s.bits = 8;
                     s.compression = 1;
                     s.height = -2;  // run-length data cannot be top-down
                     s.palette.assign(1024, 0);
                 })),
                 FormatError);
    EXPECT_THROW(Decode(bad([](FileLayout& s) {
                     s.bits = 8;
                     s.colorsUsed = 200;  // more palette than the file holds
                     s.palette.assign(16, 0);
                 })),
                 FormatError);
    EXPECT_THROW(Decode(bad([](FileLayout& s) {
                     s.bits = 8;
                     s.compression = 1;
                     s.palette.assign(1024, 0);
                     s.pixels = {0, 40, 1, 2};  // a literal run longer than the data
                 })),
                 FormatError);
    // 8200 x 8192 x 1 byte exceeds the pixel budget, even as a tiny run-length file.
    EXPECT_THROW(Decode(bad([](FileLayout& s) {
                     s.width = 8200;
                     s.height = 8192;
                     s.bits = 8;
                     s.compression = 1;
                     s.palette.assign(1024, 0);
                     s.pixels = {0, 1};
                 })),
                 FormatError);

    Bytes notBitmap = MakeFile(good);
    notBitmap[1] = 'X';
    EXPECT_THROW(Decode(notBitmap), FormatError);
    EXPECT_EQ(ui::bmp::DeclaredFileSize(notBitmap), 0u);
}

TEST(BmpFormat, EveryTruncationEitherDecodesOrThrows)
{
    std::vector<ui::bmp::PaletteEntry> palette(16);
    Bytes pixels(ui::bmp::Stride(3, Layout::Indexed4) * 3, 0x31);
    const Bytes file = Encode({3, 3, Layout::Indexed4, palette, pixels});
    for (std::size_t n = 0; n < file.size(); ++n) {
        const Bytes prefix(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(n));
        try {
            Decode(prefix);
        } catch (const FormatError&) {
        }
    }
    // Only the last row's padding may be missing.
    EXPECT_NO_THROW(Decode(Bytes(file.begin(), file.end() - 2)));
}

TEST(BmpFormat, EncodeRefusesInconsistentImages)
{
    const Bytes pixels(4);
    EXPECT_THROW(Encode({0, 1, Layout::Bgr24, {}, pixels}), FormatError);
    EXPECT_THROW(Encode({2, 2, Layout::Bgr24, {}, pixels}), FormatError);  // needs 16 bytes
    const std::vector<ui::bmp::PaletteEntry> palette(3);
    EXPECT_THROW(Encode({1, 1, Layout::Indexed1, palette, pixels}), FormatError);
}

} // namespace
