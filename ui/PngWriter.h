// PNG files of bitmaps, coded by the system's imaging component (WIC), so
// that no encoder of our own has to be kept. Every call joins COM on the
// calling thread for its duration if the thread has not.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

class TBitmap;

namespace ui {

class EPngWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// `pixels` holds height rows of width pixels, blue green red, top row
// first, each row starting `stride` bytes after the one before. Throws
// std::invalid_argument when the sizes do not fit, EPngWriteError when the
// system cannot code the picture.
std::vector<std::uint8_t> EncodePngBgr(int width, int height, std::span<const std::uint8_t> pixels,
                                       std::size_t stride);

// The bitmap's picture as a 24-bit PNG, whatever its pixel format; an empty
// bitmap throws std::invalid_argument.
std::vector<std::uint8_t> EncodePng(const TBitmap& bitmap);

// Writes EncodePng(bitmap) to a file; EPngWriteError when it cannot.
void SavePng(const TBitmap& bitmap, const std::string& fileName);

}  // namespace ui
