// Checks that bytes form a Windows bitmap file that the system's loader
// can read: headers, palette and pixel data all inside the file. Decoding
// is the drawing code's business; this only vouches for the layout.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>

class EBmpError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct TBmpInfo {
    std::int32_t width = 0;
    std::int32_t height = 0; // negative for rows stored top-down
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0; // 0 plain, 1 RLE8, 2 RLE4, 3 bit fields
};

// Throws EBmpError naming the first thing that is wrong.
TBmpInfo ReadBmpInfo(std::span<const std::uint8_t> file);
