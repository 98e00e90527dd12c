// The Windows bitmap file format (.bmp), read and written without Win32 so
// that the parser of untrusted files runs under the sanitizers natively.
//
// Decoding accepts the common variants: core (OS/2 1.x) and info headers of
// versions 3 to 5, 1/4/8-bit palettes, RLE4 and RLE8, 16-bit 5-5-5 and
// 5-6-5, 24-bit, 32-bit, bit-field masks and top-down rows. The result is
// always bottom-up with DWORD-aligned rows, the layout of a DIB section.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

namespace ui::bmp {

// A file that is not a bitmap this decoder can read, or is damaged.
class FormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr std::size_t FileHeaderSize = 14;

// Pixel layouts a decoded image can have.
enum class Layout {
    Indexed1,
    Indexed4,
    Indexed8,
    Rgb555,  // 16 bits: x rrrrr ggggg bbbbb
    Rgb565,  // 16 bits: rrrrr gggggg bbbbb
    Bgr24,
    Bgrx32,  // blue, green, red, then a byte that is alpha or unused
};

int BitsPerPixel(Layout layout) noexcept;
// Bytes in one row, rounded up to a multiple of four.
std::size_t Stride(int width, Layout layout) noexcept;

// Colour-table entry: blue, green, red, reserved, as in RGBQUAD.
struct PaletteEntry {
    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;
    std::uint8_t reserved = 0;
    bool operator==(const PaletteEntry&) const = default;
};

struct Image {
    int width = 0;
    int height = 0;
    Layout layout = Layout::Bgr24;
    // Indexed layouts only: exactly 2^bits entries (a shorter table in the
    // file is padded with black so that every index names a colour).
    std::vector<PaletteEntry> palette;
    // Bottom-up rows of Stride(width, layout) bytes.
    std::vector<std::uint8_t> pixels;
};

// What Encode needs; it borrows the caller's memory.
struct ImageView {
    int width = 0;
    int height = 0;
    Layout layout = Layout::Bgr24;
    std::span<const PaletteEntry> palette;
    std::span<const std::uint8_t> pixels;  // bottom-up, Stride bytes per row
};

// The largest picture accepted (64 MB of pixels, 4096 x 4096 at 32 bits), so
// that a damaged header or a tiny run-length file cannot take the memory of a
// huge picture. Bitmaps made in code have the same limit.
inline constexpr int MaxDimension = 32768;
inline constexpr std::size_t MaxPixelBytes = std::size_t{64} << 20;

Image Decode(std::span<const std::uint8_t> file);
std::vector<std::uint8_t> Encode(const ImageView& image);

// The size of the whole file as its 14-byte header declares it, or 0 when the
// header is not a bitmap's. Lets a stream reader take one bitmap out of a
// longer stream.
std::uint32_t DeclaredFileSize(std::span<const std::uint8_t> fileHeader) noexcept;

} // namespace ui::bmp
