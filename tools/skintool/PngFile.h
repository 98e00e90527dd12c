// PNG files of 24-bit pictures, written without a compression library: one
// fixed-Huffman deflate block whose matches repeat the previous byte, pixel
// or row, which is what flat areas and repeated rows of a sheet need.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

// `rgb` holds height rows of width pixels, red green blue, top row first.
std::vector<std::uint8_t> EncodePng(int width, int height, std::span<const std::uint8_t> rgb);

std::uint32_t Crc32(std::span<const std::uint8_t> bytes);
std::uint32_t Adler32(std::span<const std::uint8_t> bytes);
