#include "ui/BmpFormat.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

namespace ui::bmp {
namespace {

constexpr const char* invalidBitmap = "Bitmap image is not valid";

constexpr std::uint32_t compressionRgb = 0;
constexpr std::uint32_t compressionRle8 = 1;
constexpr std::uint32_t compressionRle4 = 2;
constexpr std::uint32_t compressionBitFields = 3;
constexpr std::uint32_t compressionAlphaBitFields = 6;

constexpr std::uint32_t coreHeaderSize = 12;
constexpr std::uint32_t infoHeaderSize = 40;

[[noreturn]] void Fail() { throw FormatError(invalidBitmap); }

// Little-endian reads that refuse to leave the buffer.
class Bytes {
public:
    explicit Bytes(std::span<const std::uint8_t> data) : data_(data) {}

    std::size_t size() const noexcept { return data_.size(); }
    bool Has(std::size_t offset, std::size_t count) const noexcept
    {
        return offset <= data_.size() && count <= data_.size() - offset;
    }
    std::uint8_t U8(std::size_t offset) const
    {
        if (!Has(offset, 1))
            Fail();
        return data_[offset];
    }
    std::uint16_t U16(std::size_t offset) const
    {
        return static_cast<std::uint16_t>(U8(offset) | (U8(offset + 1) << 8));
    }
    std::uint32_t U32(std::size_t offset) const
    {
        return static_cast<std::uint32_t>(U16(offset)) | (static_cast<std::uint32_t>(U16(offset + 2)) << 16);
    }
    std::int32_t I32(std::size_t offset) const { return static_cast<std::int32_t>(U32(offset)); }
    std::span<const std::uint8_t> Slice(std::size_t offset, std::size_t count) const
    {
        if (!Has(offset, count))
            Fail();
        return data_.subspan(offset, count);
    }
    std::span<const std::uint8_t> From(std::size_t offset) const
    {
        if (offset > data_.size())
            Fail();
        return data_.subspan(offset);
    }

private:
    std::span<const std::uint8_t> data_;
};

struct Header {
    std::uint32_t size = 0;
    int width = 0;
    int height = 0;       // always positive
    bool topDown = false;
    int bits = 0;
    std::uint32_t compression = compressionRgb;
    std::uint32_t colorsUsed = 0;
    std::uint32_t masks[4]{};  // red, green, blue, alpha
    std::size_t tableStart = 0;
    std::size_t paletteEntrySize = 4;
};

Header ReadHeader(const Bytes& file)
{
    if (file.size() < FileHeaderSize + coreHeaderSize || file.U8(0) != 'B' || file.U8(1) != 'M')
        Fail();
    Header h;
    h.size = file.U32(FileHeaderSize);
    std::int64_t height = 0;
    if (h.size == coreHeaderSize) {
        h.width = file.U16(18);
        height = file.U16(20);
        h.bits = file.U16(24);
        h.paletteEntrySize = 3;
    } else if (h.size >= infoHeaderSize && file.Has(FileHeaderSize, h.size)) {
        h.width = file.I32(18);
        height = file.I32(22);
        h.bits = file.U16(28);
        h.compression = file.U32(30);
        h.colorsUsed = file.U32(46);
    } else {
        Fail();
    }
    h.topDown = height < 0;
    height = height < 0 ? -height : height;
    if (h.width <= 0 || height <= 0 || h.width > MaxDimension || height > MaxDimension)
        Fail();
    h.height = static_cast<int>(height);

    h.tableStart = FileHeaderSize + h.size;
    switch (h.compression) {
    case compressionRgb:
        if (h.bits != 1 && h.bits != 4 && h.bits != 8 && h.bits != 16 && h.bits != 24 && h.bits != 32)
            Fail();
        break;
    case compressionRle8:
    case compressionRle4:
        // Run-length data is always stored bottom-up.
        if (h.bits != (h.compression == compressionRle8 ? 8 : 4) || h.topDown)
            Fail();
        break;
    case compressionBitFields:
    case compressionAlphaBitFields: {
        if (h.bits != 16 && h.bits != 32)
            Fail();
        const int maskCount = h.compression == compressionAlphaBitFields ? 4 : 3;
        // Version 4 and 5 headers carry the masks inside; a version 3 header is followed by them.
        const std::size_t maskStart = FileHeaderSize + infoHeaderSize;
        for (int i = 0; i < maskCount; ++i)
            h.masks[i] = file.U32(maskStart + 4 * static_cast<std::size_t>(i));
        if (h.size >= 56 && maskCount == 3)
            h.masks[3] = file.U32(maskStart + 12);
        if (h.size == infoHeaderSize)
            h.tableStart += 4 * static_cast<std::size_t>(maskCount);
        break;
    }
    default:
        Fail();
    }
    return h;
}

std::vector<PaletteEntry> ReadPalette(const Bytes& file, const Header& h, std::size_t& tableEnd)
{
    const std::size_t full = std::size_t{1} << h.bits;
    // A core header has no count: its table is always full. Larger counts than
    // the depth allows still occupy the file, but only the first entries are used.
    const std::size_t stored = h.size == coreHeaderSize || h.colorsUsed == 0 ? full : h.colorsUsed;
    const std::size_t used = std::min(stored, full);
    const auto table = file.Slice(h.tableStart, used * h.paletteEntrySize);
    std::vector<PaletteEntry> palette(full);
    for (std::size_t i = 0; i < used; ++i) {
        const auto* entry = table.data() + i * h.paletteEntrySize;
        palette[i] = PaletteEntry{entry[0], entry[1], entry[2], 0};
    }
    tableEnd = h.tableStart + std::min<std::size_t>(stored, file.size()) * h.paletteEntrySize;
    return palette;
}

Layout IndexedLayout(int bits)
{
    return bits == 1 ? Layout::Indexed1 : bits == 4 ? Layout::Indexed4 : Layout::Indexed8;
}

// Copies stored rows into bottom-up order; Decode made sure they are all there.
void CopyRows(std::span<const std::uint8_t> data, const Header& h, Image& out)
{
    const std::size_t srcStride = (static_cast<std::size_t>(h.width) * h.bits + 31) / 32 * 4;
    const std::size_t rowBytes = (static_cast<std::size_t>(h.width) * h.bits + 7) / 8;
    const std::size_t dstStride = Stride(out.width, out.layout);
    for (int row = 0; row < h.height; ++row) {
        const std::size_t srcRow = static_cast<std::size_t>(h.topDown ? h.height - 1 - row : row);
        std::memcpy(out.pixels.data() + static_cast<std::size_t>(row) * dstStride, data.data() + srcRow * srcStride,
                    rowBytes);
    }
}

// Scales the field selected by a mask to 8 bits.
std::uint8_t Channel(std::uint32_t value, std::uint32_t mask, std::uint8_t absent)
{
    if (mask == 0)
        return absent;
    const int shift = std::countr_zero(mask);
    const int width = std::popcount(mask);
    const std::uint32_t field = (value & mask) >> shift;
    if (width >= 8)
        return static_cast<std::uint8_t>(field >> (width - 8));
    const std::uint32_t max = (1u << width) - 1;
    return static_cast<std::uint8_t>((field * 255 + max / 2) / max);
}

// Bit-field pixels of any mask set become blue, green, red, alpha; Decode
// made sure the rows are all there.
void ConvertBitFields(std::span<const std::uint8_t> data, const Header& h, Image& out)
{
    const std::size_t bytesPerPixel = static_cast<std::size_t>(h.bits) / 8;
    const std::size_t srcStride = (static_cast<std::size_t>(h.width) * h.bits + 31) / 32 * 4;
    const std::size_t dstStride = Stride(out.width, out.layout);
    for (int row = 0; row < h.height; ++row) {
        const std::size_t srcRow = static_cast<std::size_t>(h.topDown ? h.height - 1 - row : row);
        const std::uint8_t* src = data.data() + srcRow * srcStride;
        std::uint8_t* dst = out.pixels.data() + static_cast<std::size_t>(row) * dstStride;
        for (int x = 0; x < h.width; ++x, src += bytesPerPixel, dst += 4) {
            std::uint32_t v = src[0] | (src[1] << 8);
            if (bytesPerPixel == 4)
                v |= static_cast<std::uint32_t>(src[2]) << 16 | static_cast<std::uint32_t>(src[3]) << 24;
            dst[0] = Channel(v, h.masks[2], 0);
            dst[1] = Channel(v, h.masks[1], 0);
            dst[2] = Channel(v, h.masks[0], 0);
            dst[3] = Channel(v, h.masks[3], 0);
        }
    }
}

void DecodeRle(std::span<const std::uint8_t> data, const Header& h, Image& out)
{
    const bool rle8 = h.compression == compressionRle8;
    const std::size_t stride = Stride(out.width, out.layout);
    auto put = [&](int x, int y, std::uint8_t index) {
        if (x < 0 || x >= h.width || y >= h.height)
            return;
        std::uint8_t& byte = out.pixels[static_cast<std::size_t>(y) * stride + (rle8 ? x : x / 2)];
        if (rle8)
            byte = index;
        else if (x % 2 == 0)
            byte = static_cast<std::uint8_t>((byte & 0x0F) | (index << 4));
        else
            byte = static_cast<std::uint8_t>((byte & 0xF0) | (index & 0x0F));
    };
    // Both coordinates are bounded by the loop condition and the skipped
    // deltas, so they cannot overflow.
    int x = 0;
    int y = 0;
    std::size_t p = 0;
    while (p + 1 < data.size() && y < h.height) {
        const std::uint8_t count = data[p];
        const std::uint8_t value = data[p + 1];
        p += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                put(x + i, y, rle8 ? value : static_cast<std::uint8_t>(i % 2 == 0 ? value >> 4 : value & 0x0F));
            x = std::min(x + count, h.width + 1);
            continue;
        }
        switch (value) {
        case 0:  // end of line
            x = 0;
            ++y;
            break;
        case 1:  // end of bitmap
            return;
        case 2:  // move right and up
            if (p + 1 >= data.size())
                return;
            x = std::min(x + data[p], h.width + 1);
            y += data[p + 1];
            p += 2;
            break;
        default: {  // a run of literal pixels, padded to a word
            const std::size_t bytes = rle8 ? value : (value + 1u) / 2;
            if (bytes > data.size() - p)
                Fail();
            for (int i = 0; i < value; ++i) {
                const std::uint8_t b = data[p + (rle8 ? i : i / 2)];
                put(x + i, y, rle8 ? b : static_cast<std::uint8_t>(i % 2 == 0 ? b >> 4 : b & 0x0F));
            }
            x = std::min(x + value, h.width + 1);
            p += (bytes + 1) & ~std::size_t{1};
            break;
        }
        }
    }
}

void PutU16(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

} // namespace

int BitsPerPixel(Layout layout) noexcept
{
    switch (layout) {
    case Layout::Indexed1: return 1;
    case Layout::Indexed4: return 4;
    case Layout::Indexed8: return 8;
    case Layout::Rgb555:
    case Layout::Rgb565: return 16;
    case Layout::Bgr24: return 24;
    case Layout::Bgrx32: return 32;
    }
    return 32;
}

std::size_t Stride(int width, Layout layout) noexcept
{
    return (static_cast<std::size_t>(width) * static_cast<std::size_t>(BitsPerPixel(layout)) + 31) / 32 * 4;
}

Image Decode(std::span<const std::uint8_t> fileData)
{
    const Bytes file(fileData);
    const Header h = ReadHeader(file);

    Image out;
    out.width = h.width;
    out.height = h.height;
    std::size_t tableEnd = h.tableStart;
    if (h.bits <= 8) {
        out.layout = IndexedLayout(h.bits);
        out.palette = ReadPalette(file, h, tableEnd);
    } else {
        // Deeper pixels may still be preceded by an optional colour table.
        tableEnd += std::min<std::size_t>(h.colorsUsed, file.size()) * 4;
    }
    if (h.bits == 16) {
        const bool fields = h.compression != compressionRgb;
        if (!fields || (h.masks[0] == 0x7C00 && h.masks[1] == 0x03E0 && h.masks[2] == 0x001F))
            out.layout = Layout::Rgb555;
        else if (h.masks[0] == 0xF800 && h.masks[1] == 0x07E0 && h.masks[2] == 0x001F)
            out.layout = Layout::Rgb565;
        else
            out.layout = Layout::Bgrx32;
    } else if (h.bits > 8) {
        out.layout = h.bits == 24 ? Layout::Bgr24 : Layout::Bgrx32;
    }

    const std::size_t stride = Stride(out.width, out.layout);
    if (stride > MaxPixelBytes / static_cast<std::size_t>(out.height))
        Fail();

    // The declared offset wins when it points past the headers; some writers leave it 0.
    const std::uint32_t declared = file.U32(10);
    const std::size_t offset = declared >= h.tableStart && declared < file.size() ? declared : tableEnd;
    const auto data = file.From(offset);
    // Uncompressed rows must all be there (the last one may lack its padding)
    // before a large picture's memory is taken for a small file.
    const bool rle = h.compression == compressionRle8 || h.compression == compressionRle4;
    const std::size_t storedStride = (static_cast<std::size_t>(h.width) * h.bits + 31) / 32 * 4;
    const std::size_t lastRow = (static_cast<std::size_t>(h.width) * h.bits + 7) / 8;
    if (!rle && data.size() < (static_cast<std::size_t>(h.height) - 1) * storedStride + lastRow)
        Fail();
    out.pixels.assign(stride * static_cast<std::size_t>(out.height), 0);

    const bool plainThirtyTwo = h.masks[0] == 0x00FF0000 && h.masks[1] == 0x0000FF00 && h.masks[2] == 0x000000FF;
    if (rle)
        DecodeRle(data, h, out);
    else if (h.compression == compressionRgb || out.layout != Layout::Bgrx32 || (h.bits == 32 && plainThirtyTwo))
        CopyRows(data, h, out);
    else
        ConvertBitFields(data, h, out);
    return out;
}

std::vector<std::uint8_t> Encode(const ImageView& image)
{
    const int bits = BitsPerPixel(image.layout);
    const bool indexed = bits <= 8;
    if (image.width <= 0 || image.height <= 0 || image.width > MaxDimension || image.height > MaxDimension)
        throw FormatError(invalidBitmap);
    const std::size_t stride = Stride(image.width, image.layout);
    const std::size_t pixelBytes = stride * static_cast<std::size_t>(image.height);
    if (image.pixels.size() < pixelBytes || (indexed && image.palette.size() > (std::size_t{1} << bits)))
        throw FormatError(invalidBitmap);

    const bool fields = image.layout == Layout::Rgb565;
    const std::size_t tableBytes = indexed ? image.palette.size() * 4 : fields ? 12 : 0;
    const std::size_t offset = FileHeaderSize + infoHeaderSize + tableBytes;
    const std::size_t total = offset + pixelBytes;
    if (total > std::numeric_limits<std::uint32_t>::max())
        throw FormatError(invalidBitmap);

    std::vector<std::uint8_t> out;
    out.reserve(total);
    out.push_back('B');
    out.push_back('M');
    PutU32(out, static_cast<std::uint32_t>(total));
    PutU32(out, 0);
    PutU32(out, static_cast<std::uint32_t>(offset));
    PutU32(out, infoHeaderSize);
    PutU32(out, static_cast<std::uint32_t>(image.width));
    PutU32(out, static_cast<std::uint32_t>(image.height));
    PutU16(out, 1);
    PutU16(out, static_cast<std::uint32_t>(bits));
    PutU32(out, fields ? compressionBitFields : compressionRgb);
    PutU32(out, static_cast<std::uint32_t>(pixelBytes));
    PutU32(out, 0);
    PutU32(out, 0);
    PutU32(out, indexed ? static_cast<std::uint32_t>(image.palette.size()) : 0);
    PutU32(out, 0);
    if (fields) {
        PutU32(out, 0xF800);
        PutU32(out, 0x07E0);
        PutU32(out, 0x001F);
    }
    if (indexed) {
        for (const auto& entry : image.palette) {
            out.push_back(entry.blue);
            out.push_back(entry.green);
            out.push_back(entry.red);
            out.push_back(0);
        }
    }
    // Row padding is written as zeros whatever the caller's memory holds, so
    // that equal pictures give equal files.
    const std::size_t used = (static_cast<std::size_t>(image.width) * static_cast<std::size_t>(bits) + 7) / 8;
    for (int row = 0; row < image.height; ++row) {
        const auto line = image.pixels.begin() + static_cast<std::ptrdiff_t>(stride * static_cast<std::size_t>(row));
        out.insert(out.end(), line, line + static_cast<std::ptrdiff_t>(used));
        out.insert(out.end(), stride - used, 0);
    }
    return out;
}

std::uint32_t DeclaredFileSize(std::span<const std::uint8_t> fileHeader) noexcept
{
    if (fileHeader.size() < FileHeaderSize || fileHeader[0] != 'B' || fileHeader[1] != 'M')
        return 0;
    return static_cast<std::uint32_t>(fileHeader[2]) | static_cast<std::uint32_t>(fileHeader[3]) << 8 |
           static_cast<std::uint32_t>(fileHeader[4]) << 16 | static_cast<std::uint32_t>(fileHeader[5]) << 24;
}

} // namespace ui::bmp
