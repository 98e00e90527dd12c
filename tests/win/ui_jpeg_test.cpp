// JPEG pictures made by ImageMagick (tests/data/ui) decode to the colours
// they were made of; damaged data raises, data cut short decodes partly.
#include "ui/Jpeg.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// The data directory as Wine sees it: the Unix root is drive Z:.
std::string DataFile(const char* name)
{
    const char* root = std::getenv("ZEL_SOURCE_DIR");
    std::string path = std::string(root ? root : ".") + "/tests/data/ui/" + name;
    if (path.starts_with('/'))
        path = "Z:" + path;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

Bytes ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return Bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// JPEG is lossy: a colour is right when every channel is within a few steps.
::testing::AssertionResult Near(TColor actual, TColor expected)
{
    auto close = [](int a, int b) { return a - b <= 12 && b - a <= 12; };
    if (close(RedOf(actual), RedOf(expected)) && close(GreenOf(actual), GreenOf(expected)) &&
        close(BlueOf(actual), BlueOf(expected)))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << std::hex << "got 0x" << actual << ", want about 0x" << expected;
}

TColor At(const TBitmap& bitmap, int x, int y)
{
    const std::uint8_t* line = bitmap.ScanLine(y);
    return RGBColor(line[3 * x + 2], line[3 * x + 1], line[3 * x]);
}

void ExpectQuadrants(const TBitmap& bitmap)
{
    ASSERT_EQ(bitmap.Width(), 16);
    ASSERT_EQ(bitmap.Height(), 16);
    EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
    EXPECT_TRUE(Near(At(bitmap, 3, 3), clRed));
    EXPECT_TRUE(Near(At(bitmap, 12, 3), clLime));
    EXPECT_TRUE(Near(At(bitmap, 3, 12), clBlue));
    EXPECT_TRUE(Near(At(bitmap, 12, 12), clWhite));
}

TEST(Jpeg, BaselineProgressiveAndCmykFilesDecode)
{
    for (const char* name : {"quadrants.jpg", "progressive.jpg", "cmyk.jpg"}) {
        SCOPED_TRACE(name);
        TJPEGImage jpeg;
        jpeg.LoadFromFile(DataFile(name));
        EXPECT_FALSE(jpeg.Grayscale());
        ExpectQuadrants(jpeg.Bitmap());
    }
}

TEST(Jpeg, GreyFilesDecodeToEqualChannels)
{
    TJPEGImage jpeg;
    jpeg.LoadFromFile(DataFile("grey.jpg"));
    EXPECT_TRUE(jpeg.Grayscale());
    ASSERT_EQ(jpeg.Width(), 16);
    ASSERT_EQ(jpeg.Height(), 8);
    // Black at the top to white at the bottom.
    const TColor top = At(jpeg.Bitmap(), 8, 0);
    const TColor bottom = At(jpeg.Bitmap(), 8, 7);
    EXPECT_EQ(RedOf(top), GreenOf(top));
    EXPECT_EQ(RedOf(top), BlueOf(top));
    EXPECT_LT(RedOf(top) + 100, RedOf(bottom));
}

TEST(Jpeg, DrawsScaledOntoACanvasAndSavesItsOwnBytes)
{
    const Bytes file = ReadFile(DataFile("quadrants.jpg"));
    TJPEGImage jpeg;
    jpeg.LoadFromBytes(file);
    EXPECT_EQ(jpeg.SaveToBytes(), file);

    TBitmap target(32, 32);
    target.Canvas().StretchDraw({0, 0, 32, 32}, jpeg);
    ExpectQuadrants(jpeg.Bitmap());
    EXPECT_TRUE(Near(At(target, 6, 6), clRed));
    EXPECT_TRUE(Near(At(target, 25, 25), clWhite));

    TJPEGImage copy;
    copy.Assign(jpeg);
    ExpectQuadrants(copy.Bitmap());
}

TEST(Jpeg, DamagedDataRaisesAndKeepsThePicture)
{
    TJPEGImage jpeg;
    jpeg.LoadFromFile(DataFile("quadrants.jpg"));
    EXPECT_THROW(jpeg.LoadFromBytes(Bytes{0xFF, 0xD8, 0xFF, 0xE0, 1, 2, 3}), EInvalidGraphic);
    EXPECT_THROW(jpeg.LoadFromBytes(Bytes{'B', 'M', 0, 0, 0, 0}), EInvalidGraphic);
    // The earlier picture survives a failed load.
    ExpectQuadrants(jpeg.Bitmap());

    try {
        jpeg.LoadFromBytes(Bytes{0x00, 0x11});
        FAIL() << "no exception";
    } catch (const EInvalidGraphic& error) {
        EXPECT_TRUE(std::string(error.what()).starts_with("JPEG error: ")) << error.what();
    }
}

TEST(Jpeg, DataCutShortDecodesAsFarAsItGoes)
{
    Bytes file = ReadFile(DataFile("quadrants.jpg"));
    // Keep the headers and half of the compressed pixels after the start-of-scan marker.
    std::size_t scan = 0;
    while (scan + 1 < file.size() && !(file[scan] == 0xFF && file[scan + 1] == 0xDA))
        ++scan;
    ASSERT_LT(scan + 14, file.size());
    file.resize(scan + 14 + (file.size() - scan - 14) / 2);
    TJPEGImage jpeg;
    ASSERT_NO_THROW(jpeg.LoadFromBytes(file));
    EXPECT_EQ(jpeg.Width(), 16);
    EXPECT_TRUE(Near(At(jpeg.Bitmap(), 3, 3), clRed));
}

TEST(Jpeg, EmptyDataMakesAnEmptyPicture)
{
    TJPEGImage jpeg;
    jpeg.LoadFromBytes({});
    EXPECT_TRUE(jpeg.Empty());
    EXPECT_TRUE(jpeg.SaveToBytes().empty());
}

} // namespace
