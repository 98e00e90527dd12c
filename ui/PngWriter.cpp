#include "ui/PngWriter.h"

#include "ui/Bitmap.h"
#include "ui/ComPtr.h"

#include <wincodec.h>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace ui {

namespace {

void Check(HRESULT result, const char* step)
{
    if (FAILED(result)) {
        char text[96];
        std::snprintf(text, sizeof text, "PNG: %s failed (0x%08lX)", step, static_cast<unsigned long>(result));
        throw EPngWriteError(text);
    }
}

// The bytes a memory stream holds.
std::vector<std::uint8_t> StreamBytes(IStream& stream)
{
    STATSTG stat{};
    Check(stream.Stat(&stat, STATFLAG_NONAME), "reading the stream's size");
    HGLOBAL memory = nullptr;
    Check(GetHGlobalFromStream(&stream, &memory), "finding the stream's memory");
    const auto* bytes = static_cast<const std::uint8_t*>(GlobalLock(memory));
    if (bytes == nullptr) {
        throw EPngWriteError("PNG: the stream's memory cannot be locked");
    }
    std::vector<std::uint8_t> out(bytes, bytes + static_cast<std::size_t>(stat.cbSize.QuadPart));
    GlobalUnlock(memory);
    return out;
}

}  // namespace

std::vector<std::uint8_t> EncodePngBgr(int width, int height, std::span<const std::uint8_t> pixels,
                                       std::size_t stride)
{
    if (width <= 0 || height <= 0 || stride < std::size_t(width) * 3 ||
        pixels.size() < stride * std::size_t(height - 1) + std::size_t(width) * 3) {
        throw std::invalid_argument("PNG: the pixels do not fill " + std::to_string(width) + " x " +
                                    std::to_string(height));
    }
    const ComApartment apartment;
    ComPtr<IWICImagingFactory> factory;
    Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                           factory.ReceiveVoid()),
          "starting the imaging component");
    ComPtr<IStream> stream;
    Check(CreateStreamOnHGlobal(nullptr, TRUE, stream.Receive()), "making a memory stream");
    ComPtr<IWICBitmapEncoder> encoder;
    Check(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.Receive()), "making the encoder");
    Check(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache), "starting the encoder");
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> options;
    Check(encoder->CreateNewFrame(frame.Receive(), options.Receive()), "making the frame");
    Check(frame->Initialize(options.Get()), "starting the frame");
    Check(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height)), "sizing the frame");
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    Check(frame->SetPixelFormat(&format), "choosing the pixel format");
    if (!IsEqualGUID(format, GUID_WICPixelFormat24bppBGR)) {
        throw EPngWriteError("PNG: the encoder does not take 24-bit pixels");
    }
    // WritePixels only reads the buffer, though it is declared writable.
    auto* const first = const_cast<BYTE*>(pixels.data());
    Check(frame->WritePixels(static_cast<UINT>(height), static_cast<UINT>(stride),
                             static_cast<UINT>(stride * std::size_t(height - 1) + std::size_t(width) * 3), first),
          "coding the pixels");
    Check(frame->Commit(), "finishing the frame");
    Check(encoder->Commit(), "finishing the file");
    return StreamBytes(*stream.Get());
}

std::vector<std::uint8_t> EncodePng(const TBitmap& bitmap)
{
    if (bitmap.Width() <= 0 || bitmap.Height() <= 0) {
        throw std::invalid_argument("PNG: the bitmap is empty");
    }
    const TBitmap* source = &bitmap;
    std::unique_ptr<TBitmap> converted;
    if (bitmap.PixelFormat() != pf24bit) {
        converted = std::make_unique<TBitmap>();
        converted->Assign(bitmap);
        converted->SetPixelFormat(pf24bit);
        source = converted.get();
    }
    const int height = source->Height();
    const std::size_t rowBytes = std::size_t(source->Width()) * 3;
    std::vector<std::uint8_t> rows(rowBytes * std::size_t(height));
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* line = source->ScanLine(y);
        std::copy(line, line + rowBytes, rows.begin() + static_cast<std::ptrdiff_t>(rowBytes * std::size_t(y)));
    }
    return EncodePngBgr(source->Width(), height, rows, rowBytes);
}

void SavePng(const TBitmap& bitmap, const std::string& fileName)
{
    const std::vector<std::uint8_t> file = EncodePng(bitmap);
    std::unique_ptr<FILE, int (*)(FILE*)> out(std::fopen(fileName.c_str(), "wb"), std::fclose);
    if (!out || std::fwrite(file.data(), 1, file.size(), out.get()) != file.size()) {
        throw EPngWriteError("PNG: cannot write " + fileName);
    }
    if (std::fclose(out.release()) != 0) {
        throw EPngWriteError("PNG: cannot write " + fileName);
    }
}

}  // namespace ui
