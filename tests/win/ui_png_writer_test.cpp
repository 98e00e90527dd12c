// PngWriter: bitmaps written as PNG come back through the system's own
// decoder pixel for pixel, whatever their pixel format.
#include "ui/Bitmap.h"
#include "ui/ComPtr.h"
#include "ui/PngWriter.h"

#include <gtest/gtest.h>
#include <wincodec.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Decoded {
    int width = 0;
    int height = 0;
    bool stored24 = false;  // the file's own format is 24-bit colour
    Bytes bgr;              // rows top first, 3 bytes a pixel, no padding
};

Decoded DecodeThroughWic(const Bytes& file)
{
    const ui::ComApartment apartment;
    Decoded out;
    ui::ComPtr<IWICImagingFactory> factory;
    EXPECT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                              IID_IWICImagingFactory, factory.ReceiveVoid()));
    ui::ComPtr<IStream> stream;
    EXPECT_HRESULT_SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Receive()));
    if (!factory || !stream) {
        return out;
    }
    ULONG written = 0;
    stream->Write(file.data(), static_cast<ULONG>(file.size()), &written);
    stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
    ui::ComPtr<IWICBitmapDecoder> decoder;
    ui::ComPtr<IWICBitmapFrameDecode> frame;
    ui::ComPtr<IWICBitmapSource> converted;
    if (FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                                decoder.Receive())) ||
        FAILED(decoder->GetFrame(0, frame.Receive()))) {
        ADD_FAILURE() << "the system cannot decode the file";
        return out;
    }
    GUID container{};
    decoder->GetContainerFormat(&container);
    EXPECT_TRUE(IsEqualGUID(container, GUID_ContainerFormatPng));
    UINT width = 0;
    UINT height = 0;
    frame->GetSize(&width, &height);
    WICPixelFormatGUID format{};
    frame->GetPixelFormat(&format);
    out.stored24 = IsEqualGUID(format, GUID_WICPixelFormat24bppBGR);
    EXPECT_HRESULT_SUCCEEDED(WICConvertBitmapSource(GUID_WICPixelFormat24bppBGR, frame.Get(), converted.Receive()));
    out.width = static_cast<int>(width);
    out.height = static_cast<int>(height);
    out.bgr.resize(std::size_t(width) * height * 3);
    EXPECT_HRESULT_SUCCEEDED(
        converted->CopyPixels(nullptr, width * 3, static_cast<UINT>(out.bgr.size()), out.bgr.data()));
    return out;
}

// A colour for every pixel that differs from its neighbours in all three
// channels, so swapped channels, shifted rows or flipped pictures show.
void Paint(TBitmap& bitmap, Bytes& expected)
{
    expected.clear();
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::uint8_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x) {
            const std::uint8_t pixel[3] = {std::uint8_t(x * 7 + y), std::uint8_t(y * 11 + 3), std::uint8_t(x * y + 200)};
            std::copy(pixel, pixel + 3, row + x * 3);
            expected.insert(expected.end(), pixel, pixel + 3);
        }
    }
    bitmap.SetModified(true);
}

TEST(PngWriter, TwentyFourBitBitmapsComeBackPixelForPixel)
{
    // Odd widths give rows with padding in the bitmap and none in the file.
    for (const auto& [width, height] : {std::pair{1, 1}, std::pair{37, 21}, std::pair{256, 3}}) {
        TBitmap bitmap(width, height, pf24bit);
        Bytes expected;
        Paint(bitmap, expected);
        const Bytes file = ui::EncodePng(bitmap);
        ASSERT_GE(file.size(), 8u);
        EXPECT_EQ(Bytes(file.begin(), file.begin() + 8), (Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
        const Decoded png = DecodeThroughWic(file);
        EXPECT_EQ(png.width, width);
        EXPECT_EQ(png.height, height);
        EXPECT_TRUE(png.stored24);
        EXPECT_TRUE(png.bgr == expected) << width << " x " << height;
    }
}

TEST(PngWriter, OtherPixelFormatsAndCanvasDrawingAreWrittenAsTheyShow)
{
    TBitmap bitmap(30, 20, pf24bit);
    Bytes expected;
    Paint(bitmap, expected);
    bitmap.SetPixelFormat(pf32bit);
    EXPECT_TRUE(DecodeThroughWic(ui::EncodePng(bitmap)).bgr == expected);

    // GDI drawing on the canvas lands in the file too.
    TBitmap drawn(10, 10, pf24bit);
    drawn.Canvas().Brush().SetColor(RGBColor(10, 20, 30));
    const RECT all{0, 0, 10, 10};
    drawn.Canvas().FillRect(all);
    Bytes flat;
    for (int i = 0; i < 100; ++i) {
        flat.insert(flat.end(), {30, 20, 10});
    }
    EXPECT_TRUE(DecodeThroughWic(ui::EncodePng(drawn)).bgr == flat);
}

TEST(PngWriter, SavesAFileTheSystemReads)
{
    TBitmap bitmap(12, 9, pf24bit);
    Bytes expected;
    Paint(bitmap, expected);
    const std::string path = "png_writer_test.png";
    ui::SavePng(bitmap, path);
    std::ifstream file(path, std::ios::binary);
    const Bytes bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    file.close();
    std::remove(path.c_str());
    EXPECT_TRUE(DecodeThroughWic(bytes).bgr == expected);
    EXPECT_THROW(ui::SavePng(bitmap, "no such folder\\x.png"), ui::EPngWriteError);
}

TEST(PngWriter, RefusesPixelsThatDoNotFillTheSize)
{
    EXPECT_THROW(ui::EncodePng(TBitmap()), std::invalid_argument);
    EXPECT_THROW(ui::EncodePngBgr(2, 2, Bytes(11), 6), std::invalid_argument);
    EXPECT_THROW(ui::EncodePngBgr(2, 2, Bytes(12), 5), std::invalid_argument);
    // Rows may be further apart than their pixels; the last needs no padding.
    const Bytes padded = {1, 2, 3, 9, 9, 4, 5, 6};
    EXPECT_TRUE(DecodeThroughWic(ui::EncodePngBgr(1, 2, padded, 5)).bgr == (Bytes{1, 2, 3, 4, 5, 6}));
}

}  // namespace
