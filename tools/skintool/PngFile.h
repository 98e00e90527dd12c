// PNG files of 24-bit pictures, written by a well-kept encoder: libpng on
// the build machine, the system's imaging component on Windows.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

// `rgb` holds height rows of width pixels, red green blue, top row first.
// Throws std::invalid_argument when the sizes do not fit the pixels, and
// std::runtime_error when the encoder fails.
std::vector<std::uint8_t> EncodePng(int width, int height, std::span<const std::uint8_t> rgb);
