// LZHUF compression with the same method and constants as the decoder in
// WinConvert, for the skin tool and for tests. The program itself only
// decompresses.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// Longest input the encoder takes: positions, window prefix included, are
// 32-bit signed.
inline constexpr std::size_t LZH_ENCODE_MAX_LENGTH = 0x7FFFFFFF - 4096;

// Codes `data` so that LzhDecode(result, data.size()) gives it back. Throws
// std::length_error beyond LZH_ENCODE_MAX_LENGTH bytes.
std::vector<std::uint8_t> LzhEncode(std::span<const std::uint8_t> data);

// A compressed skin stream: the 32-bit little-endian length of `data`, then
// its coded bytes. Throws ESkinStreamError beyond LZH_ENCODE_MAX_LENGTH bytes.
std::vector<std::uint8_t> CompressSkinStream(std::span<const std::uint8_t> data);
