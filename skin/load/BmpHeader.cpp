#include "skin/load/BmpHeader.h"

#include <cstddef>
#include <string>

namespace {

constexpr std::size_t FILE_HEADER_SIZE = 14;
constexpr std::uint32_t CORE_HEADER_SIZE = 12;
constexpr std::uint32_t INFO_HEADER_SIZE = 40;
constexpr std::uint32_t BI_RGB = 0;
constexpr std::uint32_t BI_RLE8 = 1;
constexpr std::uint32_t BI_RLE4 = 2;
constexpr std::uint32_t BI_BITFIELDS = 3;
// Far beyond any skin picture, and small enough that sizes stay in 64 bits.
constexpr std::int64_t MAX_DIMENSION = 1 << 16;

std::uint16_t Le16(std::span<const std::uint8_t> b, std::size_t at)
{
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

std::uint32_t Le32(std::span<const std::uint8_t> b, std::size_t at)
{
    return static_cast<std::uint32_t>(Le16(b, at)) | static_cast<std::uint32_t>(Le16(b, at + 2)) << 16;
}

[[noreturn]] void Fail(const std::string& what)
{
    throw EBmpError(what);
}

} // namespace

TBmpInfo ReadBmpInfo(std::span<const std::uint8_t> file)
{
    if (file.size() < FILE_HEADER_SIZE + CORE_HEADER_SIZE)
        Fail("too short for a bitmap (" + std::to_string(file.size()) + " bytes)");
    if (file[0] != 'B' || file[1] != 'M')
        Fail("no \"BM\" signature");
    const std::uint32_t pixelOffset = Le32(file, 10);
    const std::uint32_t headerSize = Le32(file, 14);
    const bool core = headerSize == CORE_HEADER_SIZE;
    if (!core && headerSize != INFO_HEADER_SIZE && headerSize != 52 && headerSize != 56 && headerSize != 108 &&
        headerSize != 124) {
        Fail("unknown bitmap header size " + std::to_string(headerSize));
    }
    if (FILE_HEADER_SIZE + headerSize > file.size())
        Fail("bitmap header runs past the end of the file");

    TBmpInfo info;
    std::uint16_t planes = 0;
    std::uint32_t colorsUsed = 0;
    std::uint32_t imageSize = 0;
    if (core) {
        info.width = Le16(file, 18);
        info.height = Le16(file, 20);
        planes = Le16(file, 22);
        info.bitCount = Le16(file, 24);
    } else {
        info.width = static_cast<std::int32_t>(Le32(file, 18));
        info.height = static_cast<std::int32_t>(Le32(file, 22));
        planes = Le16(file, 26);
        info.bitCount = Le16(file, 28);
        info.compression = Le32(file, 30);
        imageSize = Le32(file, 34);
        colorsUsed = Le32(file, 46);
    }
    const std::int64_t rows = info.height < 0 ? -static_cast<std::int64_t>(info.height) : info.height;
    if (info.width <= 0 || rows == 0 || info.width > MAX_DIMENSION || rows > MAX_DIMENSION) {
        Fail("bad bitmap size " + std::to_string(info.width) + " x " + std::to_string(info.height));
    }
    if (planes != 1)
        Fail("bitmap has " + std::to_string(planes) + " planes, not 1");
    const unsigned bits = info.bitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        Fail("unsupported " + std::to_string(bits) + " bits per pixel");
    const bool rle = info.compression == BI_RLE8 || info.compression == BI_RLE4;
    const bool compressionFits = info.compression == BI_RGB ||
                                 (info.compression == BI_RLE8 && bits == 8) ||
                                 (info.compression == BI_RLE4 && bits == 4) ||
                                 (info.compression == BI_BITFIELDS && (bits == 16 || bits == 32));
    if (!compressionFits) {
        Fail("compression " + std::to_string(info.compression) + " does not suit " + std::to_string(bits) +
             " bits per pixel");
    }
    if (rle && info.height < 0)
        Fail("a run-length coded bitmap cannot be stored top-down");

    // Colour masks follow a 40-byte header; later headers hold them inside.
    std::uint64_t tableEnd = FILE_HEADER_SIZE + headerSize;
    if (info.compression == BI_BITFIELDS && headerSize == INFO_HEADER_SIZE)
        tableEnd += 12;
    if (bits <= 8) {
        const std::uint32_t maxColors = 1u << bits;
        if (colorsUsed > maxColors)
            Fail("palette of " + std::to_string(colorsUsed) + " colours for " + std::to_string(bits) + " bits");
        tableEnd += static_cast<std::uint64_t>(colorsUsed == 0 ? maxColors : colorsUsed) * (core ? 3 : 4);
    }
    if (tableEnd > file.size())
        Fail("bitmap palette runs past the end of the file");
    if (pixelOffset < tableEnd || pixelOffset > file.size())
        Fail("pixel data offset " + std::to_string(pixelOffset) + " lies outside the file or over the headers");

    const std::uint64_t available = file.size() - pixelOffset;
    if (rle) {
        if (imageSize == 0 || imageSize > available)
            Fail("run-length data size " + std::to_string(imageSize) + " does not fit the file");
    } else {
        const std::uint64_t stride = (static_cast<std::uint64_t>(info.width) * bits + 31) / 32 * 4;
        const std::uint64_t needed = stride * static_cast<std::uint64_t>(rows);
        if (needed > available) {
            Fail("pixel data needs " + std::to_string(needed) + " bytes, the file has " +
                 std::to_string(available));
        }
    }
    return info;
}
