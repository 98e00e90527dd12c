#include "ui/Bitmap.h"

#include "ui/BmpFormat.h"
#include "ui/DcGuards.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr const char* outOfResources = "Out of system resources";

struct DibInfo {
    BITMAPINFOHEADER header{};
    std::array<RGBQUAD, 256> colors{};

    const BITMAPINFO* get() const noexcept { return reinterpret_cast<const BITMAPINFO*>(this); }
    BITMAPINFO* get() noexcept { return reinterpret_cast<BITMAPINFO*>(this); }
};

int BitsOf(TPixelFormat format) noexcept
{
    switch (format) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit:
    case pf16bit: return 16;
    case pf24bit: return 24;
    default: return 32;
    }
}

TPixelFormat Concrete(TPixelFormat format)
{
    if (format == pfCustom)
        throw EInvalidGraphicOperation("Invalid pixel format");
    return format == pfDevice ? pf32bit : format;
}

DibInfo MakeInfo(int width, int height, TPixelFormat format, std::span<const RGBQUAD> palette)
{
    DibInfo info;
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = height;  // bottom-up, like the files
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(BitsOf(format));
    info.header.biCompression = BI_RGB;
    if (format == pf16bit) {
        info.header.biCompression = BI_BITFIELDS;
        const DWORD masks[3]{0xF800, 0x07E0, 0x001F};
        std::memcpy(info.colors.data(), masks, sizeof masks);
    } else if (!palette.empty()) {
        const std::size_t count = std::min(palette.size(), info.colors.size());
        std::copy_n(palette.begin(), count, info.colors.begin());
        info.header.biClrUsed = static_cast<DWORD>(count);
    }
    return info;
}

// The colour table a bitmap gets when it is converted to an indexed format.
std::vector<RGBQUAD> DefaultPalette(TPixelFormat format)
{
    std::vector<RGBQUAD> palette;
    auto add = [&](int r, int g, int b) {
        palette.push_back(RGBQUAD{static_cast<BYTE>(b), static_cast<BYTE>(g), static_cast<BYTE>(r), 0});
    };
    if (format == pf1bit) {
        add(0, 0, 0);
        add(255, 255, 255);
    } else if (format == pf4bit) {
        // The sixteen VGA colours.
        static constexpr int vga[16][3]{{0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                        {0, 0, 128},   {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                                        {128, 128, 128}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
                                        {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
        for (const auto& c : vga)
            add(c[0], c[1], c[2]);
    } else if (format == pf8bit) {
        // A 6x6x6 colour cube and 40 greys.
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b)
                    add(r * 51, g * 51, b * 51);
        for (int i = 0; i < 40; ++i)
            add(i * 255 / 39, i * 255 / 39, i * 255 / 39);
    }
    return palette;
}

TPixelFormat FormatOf(ui::bmp::Layout layout) noexcept
{
    switch (layout) {
    case ui::bmp::Layout::Indexed1: return pf1bit;
    case ui::bmp::Layout::Indexed4: return pf4bit;
    case ui::bmp::Layout::Indexed8: return pf8bit;
    case ui::bmp::Layout::Rgb555: return pf15bit;
    case ui::bmp::Layout::Rgb565: return pf16bit;
    case ui::bmp::Layout::Bgr24: return pf24bit;
    case ui::bmp::Layout::Bgrx32: return pf32bit;
    }
    return pf24bit;
}

ui::bmp::Layout LayoutOf(TPixelFormat format) noexcept
{
    switch (format) {
    case pf1bit: return ui::bmp::Layout::Indexed1;
    case pf4bit: return ui::bmp::Layout::Indexed4;
    case pf8bit: return ui::bmp::Layout::Indexed8;
    case pf15bit: return ui::bmp::Layout::Rgb555;
    case pf16bit: return ui::bmp::Layout::Rgb565;
    case pf24bit: return ui::bmp::Layout::Bgr24;
    default: return ui::bmp::Layout::Bgrx32;
    }
}

std::size_t StrideOf(int width, TPixelFormat format) noexcept
{
    return (static_cast<std::size_t>(width) * static_cast<std::size_t>(BitsOf(format)) + 31) / 32 * 4;
}

std::uint8_t NearestIndex(std::span<const RGBQUAD> palette, unsigned r, unsigned g, unsigned b) noexcept
{
    std::size_t best = 0;
    int bestDistance = 1 << 30;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const int dr = palette[i].rgbRed - static_cast<int>(r);
        const int dg = palette[i].rgbGreen - static_cast<int>(g);
        const int db = palette[i].rgbBlue - static_cast<int>(b);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return static_cast<std::uint8_t>(best);
}

TColor ReadPixel(TPixelFormat format, std::span<const RGBQUAD> palette, const std::uint8_t* line, int x) noexcept
{
    auto fromPalette = [&](std::size_t index) {
        if (index >= palette.size())
            return clBlack;
        return RGBColor(palette[index].rgbRed, palette[index].rgbGreen, palette[index].rgbBlue);
    };
    // Five and six-bit channels widen the way GDI widens them: the top bits repeat below.
    auto widen5 = [](unsigned v) { return static_cast<std::uint8_t>(v << 3 | v >> 2); };
    auto widen6 = [](unsigned v) { return static_cast<std::uint8_t>(v << 2 | v >> 4); };
    switch (format) {
    case pf1bit: return fromPalette((line[x / 8] >> (7 - x % 8)) & 1);
    case pf4bit: return fromPalette(x % 2 == 0 ? line[x / 2] >> 4 : line[x / 2] & 0x0F);
    case pf8bit: return fromPalette(line[x]);
    case pf15bit: {
        const unsigned v = line[2 * x] | line[2 * x + 1] << 8;
        return RGBColor(widen5((v >> 10) & 31), widen5((v >> 5) & 31), widen5(v & 31));
    }
    case pf16bit: {
        const unsigned v = line[2 * x] | line[2 * x + 1] << 8;
        return RGBColor(widen5(v >> 11), widen6((v >> 5) & 63), widen5(v & 31));
    }
    case pf24bit: return RGBColor(line[3 * x + 2], line[3 * x + 1], line[3 * x]);
    default: return RGBColor(line[4 * x + 2], line[4 * x + 1], line[4 * x]);
    }
}

void WritePixel(TPixelFormat format, std::span<const RGBQUAD> palette, std::uint8_t* line, int x, TColor c) noexcept
{
    const unsigned r = RedOf(c);
    const unsigned g = GreenOf(c);
    const unsigned b = BlueOf(c);
    switch (format) {
    case pf1bit: {
        const auto bit = static_cast<std::uint8_t>(0x80 >> (x % 8));
        if (NearestIndex(palette, r, g, b))
            line[x / 8] |= bit;
        else
            line[x / 8] &= static_cast<std::uint8_t>(~bit);
        break;
    }
    case pf4bit: {
        const std::uint8_t index = NearestIndex(palette, r, g, b);
        std::uint8_t& byte = line[x / 2];
        byte = x % 2 == 0 ? static_cast<std::uint8_t>((byte & 0x0F) | index << 4)
                          : static_cast<std::uint8_t>((byte & 0xF0) | index);
        break;
    }
    case pf8bit: line[x] = NearestIndex(palette, r, g, b); break;
    case pf15bit:
    case pf16bit: {
        const unsigned v = format == pf15bit ? (r >> 3) << 10 | (g >> 3) << 5 | b >> 3
                                             : (r >> 3) << 11 | (g >> 2) << 5 | b >> 3;
        line[2 * x] = static_cast<std::uint8_t>(v);
        line[2 * x + 1] = static_cast<std::uint8_t>(v >> 8);
        break;
    }
    case pf24bit:
        line[3 * x] = static_cast<std::uint8_t>(b);
        line[3 * x + 1] = static_cast<std::uint8_t>(g);
        line[3 * x + 2] = static_cast<std::uint8_t>(r);
        break;
    default:
        line[4 * x] = static_cast<std::uint8_t>(b);
        line[4 * x + 1] = static_cast<std::uint8_t>(g);
        line[4 * x + 2] = static_cast<std::uint8_t>(r);
        line[4 * x + 3] = 0;
        break;
    }
}

ui::UniqueDC NewMemoryDC()
{
    ui::UniqueDC dc(CreateCompatibleDC(nullptr));
    if (!dc)
        throw EOutOfResources(outOfResources);
    return dc;
}

// A DC to hold a bitmap for one copy.
class ScratchDC {
public:
    explicit ScratchDC(HBITMAP bitmap) : dc_(NewMemoryDC()), selected_(dc_.get(), bitmap) {}
    HDC get() const noexcept { return dc_.get(); }

private:
    ui::UniqueDC dc_;
    ui::ScopedSelect selected_;
};

} // namespace

constinit const TClassInfo TBitmapCanvas::ClassInfo = ui::ClassOf<TBitmapCanvas>("TBitmapCanvas", TCanvas::ClassInfo);
constinit const TClassInfo TBitmap::ClassInfo = ui::ClassOf<TBitmap>("TBitmap", TGraphic::ClassInfo);

// ---- TBitmapCanvas

TBitmapCanvas::~TBitmapCanvas() { FreeContext(); }

void TBitmapCanvas::ReleasePicture() noexcept
{
    // Even with no picture selected (the DC was made while the bitmap was
    // empty) the next drawing must select the new one.
    InvalidateHandle();
    if (!pictureSelected_)
        return;
    SelectObject(dc_.get(), originalBitmap_);
    pictureSelected_ = false;
}

void TBitmapCanvas::FreeContext() noexcept
{
    if (!dc_)
        return;
    ReleasePicture();
    SetHandle(nullptr);
    dc_.reset();
}

void TBitmapCanvas::CreateHandle()
{
    if (!dc_) {
        dc_ = NewMemoryDC();
        SetHandle(dc_.get());
    }
    if (!pictureSelected_ && bitmap_.dib_) {
        originalBitmap_ = SelectObject(dc_.get(), bitmap_.dib_.get());
        pictureSelected_ = true;
    }
}

// ---- TBitmap

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height, TPixelFormat format)
{
    format_ = Concrete(format);
    SetSize(width, height);
}

TBitmap::~TBitmap()
{
    // The canvas must let go of the DIB before the DIB is deleted.
    canvas_.reset();
}

TBitmap::Image TBitmap::NewImage(int width, int height, TPixelFormat format, std::span<const RGBQUAD> palette,
                                 bool whiteFill)
{
    if (width > ui::bmp::MaxDimension || height > ui::bmp::MaxDimension ||
        StrideOf(width, format) > ui::bmp::MaxPixelBytes / static_cast<std::size_t>(height))
        throw EOutOfResources(outOfResources);
    const DibInfo info = MakeInfo(width, height, format, palette);
    void* bits = nullptr;
    Image image{ui::UniqueBitmap(CreateDIBSection(nullptr, info.get(), DIB_RGB_COLORS, &bits, nullptr, 0)),
                nullptr};
    if (!image.dib || !bits)
        throw EOutOfResources(outOfResources);
    image.bits = static_cast<std::uint8_t*>(bits);
    const std::size_t size = StrideOf(width, format) * static_cast<std::size_t>(height);
    if (!whiteFill) {
        std::memset(image.bits, 0, size);
    } else if (BitsOf(format) > 8) {
        std::memset(image.bits, 0xFF, size);
    } else {
        // Every index of the row: the palette entry nearest to white.
        const std::uint8_t white = NearestIndex(palette, 255, 255, 255);
        const int bits = BitsOf(format);
        std::uint8_t pattern = white;
        if (bits == 4)
            pattern = static_cast<std::uint8_t>(white << 4 | white);
        else if (bits == 1)
            pattern = white ? 0xFF : 0x00;
        std::memset(image.bits, pattern, size);
    }
    return image;
}

void TBitmap::ReleaseFromCanvas() noexcept
{
    if (canvas_)
        canvas_->ReleasePicture();
}

void TBitmap::TakeImage(Image image, int width, int height, TPixelFormat format, std::vector<RGBQUAD> palette)
{
    ReleaseFromCanvas();
    dib_ = std::move(image.dib);
    bits_ = image.bits;
    width_ = width;
    height_ = height;
    format_ = format;
    palette_ = std::move(palette);
    Changed();
}

std::size_t TBitmap::Stride() const noexcept { return StrideOf(width_, format_); }

void TBitmap::SetSize(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_)
        return;
    if (width == 0 || height == 0) {
        TakeImage({}, width, height, format_, palette_);
        return;
    }
    std::vector<RGBQUAD> palette = palette_.empty() ? DefaultPalette(format_) : palette_;
    Image image = NewImage(width, height, format_, palette, true);
    if (dib_) {
        ReleaseFromCanvas();
        const ScratchDC from(dib_.get());
        const ScratchDC to(image.dib.get());
        BitBlt(to.get(), 0, 0, std::min(width, width_), std::min(height, height_), from.get(), 0, 0, SRCCOPY);
        GdiFlush();
    }
    TakeImage(std::move(image), width, height, format_, std::move(palette));
}

void TBitmap::SetPixelFormat(TPixelFormat format)
{
    format = Concrete(format);
    if (format == format_)
        return;
    if (!dib_) {
        format_ = format;
        palette_ = DefaultPalette(format);
        Changed();
        return;
    }
    std::vector<RGBQUAD> palette = DefaultPalette(format);
    Image image = NewImage(width_, height_, format, palette, false);
    // Pixel by pixel, so that indexed targets get the nearest entry of their
    // own table whatever GDI would pick.
    GdiFlush();
    const std::size_t from = Stride();
    const std::size_t to = StrideOf(width_, format);
    for (int row = 0; row < height_; ++row) {
        const std::uint8_t* source = bits_ + from * static_cast<std::size_t>(row);
        std::uint8_t* target = image.bits + to * static_cast<std::size_t>(row);
        for (int x = 0; x < width_; ++x)
            WritePixel(format, palette, target, x, ReadPixel(format_, palette_, source, x));
    }
    TakeImage(std::move(image), width_, height_, format, std::move(palette));
}

TCanvas& TBitmap::Canvas()
{
    if (!canvas_) {
        canvas_ = std::make_unique<TBitmapCanvas>(*this);
        canvas_->OnChange = TNotifyEvent([this](TObject*) { Changed(); });
    }
    return *canvas_;
}

HBITMAP TBitmap::Handle()
{
    ReleaseFromCanvas();
    return dib_.get();
}

void TBitmap::SetHandle(ui::UniqueBitmap bitmap)
{
    BITMAP info{};
    if (!bitmap || GetObjectA(bitmap.get(), sizeof info, &info) == 0 || info.bmWidth <= 0 || info.bmHeight == 0) {
        TakeImage({}, 0, 0, format_, {});
        return;
    }
    const int width = info.bmWidth;
    const int height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    const TPixelFormat format = info.bmBitsPixel == 32 ? pf32bit : pf24bit;
    Image image = NewImage(width, height, format, {}, false);
    DibInfo target = MakeInfo(width, height, format, {});
    const auto screen = ui::UniqueWindowDC::Client(nullptr);
    GetDIBits(screen.get(), bitmap.get(), 0, static_cast<UINT>(height), image.bits, target.get(), DIB_RGB_COLORS);
    TakeImage(std::move(image), width, height, format, {});
}

std::uint8_t* TBitmap::ScanLine(int row)
{
    return const_cast<std::uint8_t*>(std::as_const(*this).ScanLine(row));
}

const std::uint8_t* TBitmap::ScanLine(int row) const
{
    if (!bits_ || row < 0 || row >= height_)
        throw EInvalidGraphicOperation("Scan line index out of range");
    // Drawing through the canvas may still be queued.
    GdiFlush();
    return bits_ + Stride() * static_cast<std::size_t>(height_ - 1 - row);
}

TColor TBitmap::PixelAt(int x, int y) const { return ReadPixel(format_, palette_, ScanLine(y), x); }

TColor TBitmap::TransparentColor() const
{
    if (transparentMode_ == tmFixed && transparentColor_ != clDefault)
        return transparentColor_;
    if (!bits_)
        return clDefault;
    return PixelAt(0, height_ - 1);
}

void TBitmap::SetTransparentColor(TColor color)
{
    if (color == transparentColor_)
        return;
    transparentColor_ = color;
    transparentMode_ = color == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode mode)
{
    if (mode == transparentMode_)
        return;
    transparentMode_ = mode;
    if (mode == tmAuto)
        transparentColor_ = clDefault;
    else
        transparentColor_ = TransparentColor();
    Changed();
}

void TBitmap::Assign(const TPersistent& persistent)
{
    const TBitmap* bitmap = ui::As<TBitmap>(&persistent);
    if (!bitmap) {
        TGraphic::Assign(persistent);
        return;
    }
    if (bitmap == this)
        return;
    const TBitmap& source = *bitmap;
    transparentColor_ = source.transparentColor_;
    transparentMode_ = source.transparentMode_;
    if (!source.bits_) {
        // Keep the format so that an empty 24-bit bitmap stays 24-bit.
        TakeImage({}, source.width_, source.height_, source.format_, source.palette_);
    } else {
        GdiFlush();
        Image image = NewImage(source.width_, source.height_, source.format_, source.palette_, false);
        std::memcpy(image.bits, source.bits_, source.Stride() * static_cast<std::size_t>(source.height_));
        TakeImage(std::move(image), source.width_, source.height_, source.format_, source.palette_);
    }
    if (Transparent() != source.Transparent())
        SetTransparent(source.Transparent());
}

void TBitmap::LoadFromBytes(std::span<const std::uint8_t> data)
{
    if (data.empty()) {
        TakeImage({}, 0, 0, format_, {});
        return;
    }
    ui::bmp::Image decoded;
    try {
        decoded = ui::bmp::Decode(data);
    } catch (const ui::bmp::FormatError& error) {
        throw EInvalidGraphic(error.what());
    }
    const TPixelFormat format = FormatOf(decoded.layout);
    std::vector<RGBQUAD> palette;
    for (const auto& entry : decoded.palette)
        palette.push_back(RGBQUAD{entry.blue, entry.green, entry.red, 0});
    Image image = NewImage(decoded.width, decoded.height, format, palette, false);
    std::memcpy(image.bits, decoded.pixels.data(), decoded.pixels.size());
    TakeImage(std::move(image), decoded.width, decoded.height, format, std::move(palette));
}

std::vector<std::uint8_t> TBitmap::SaveToBytes() const
{
    if (!bits_)
        return {};
    GdiFlush();
    std::vector<ui::bmp::PaletteEntry> palette;
    for (const auto& entry : palette_)
        palette.push_back({entry.rgbBlue, entry.rgbGreen, entry.rgbRed, 0});
    const ui::bmp::ImageView view{width_, height_, LayoutOf(format_), palette,
                                  std::span<const std::uint8_t>(bits_, Stride() * static_cast<std::size_t>(height_))};
    return ui::bmp::Encode(view);
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const char* name)
{
    const HRSRC resource = FindResourceA(instance, name, RT_BITMAP);
    const HGLOBAL loaded = resource ? LoadResource(instance, resource) : nullptr;
    const auto* bytes = loaded ? static_cast<const std::uint8_t*>(LockResource(loaded)) : nullptr;
    if (!bytes)
        throw EInvalidGraphic("Bitmap resource not found");
    // A bitmap resource is a file without its 14-byte file header; leaving the
    // pixel offset 0 lets the decoder place the pixels after the colour table.
    std::vector<std::uint8_t> file(ui::bmp::FileHeaderSize, 0);
    file[0] = 'B';
    file[1] = 'M';
    const DWORD size = SizeofResource(instance, resource);
    file.insert(file.end(), bytes, bytes + size);
    LoadFromBytes(file);
}

void TBitmap::LoadFromResourceID(HINSTANCE instance, int id)
{
    LoadFromResourceName(instance, MAKEINTRESOURCEA(id));
}

void TBitmap::Draw(TCanvas& canvas, const RECT& rect)
{
    if (!dib_)
        return;
    const HDC target = canvas.Handle();
    const HDC source = Canvas().Handle();
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (Transparent()) {
        TransparentBlt(target, rect.left, rect.top, width, height, source, 0, 0, width_, height_,
                       ui::ColorToRGB(TransparentColor()));
    } else {
        // Averaging neighbours (the default mode) would smear colour pictures when shrinking.
        SetStretchBltMode(target, COLORONCOLOR);
        StretchBlt(target, rect.left, rect.top, width, height, source, 0, 0, width_, height_, canvas.CopyMode());
    }
}
