// LZHUF compression with the same method and constants as the decoder in
// WinConvert, for the skin tool and for tests. The program itself only
// decompresses.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

// Codes `data` so that LzhDecode(result, data.size()) gives it back.
std::vector<std::uint8_t> LzhEncode(std::span<const std::uint8_t> data);

// A compressed skin stream: the 32-bit little-endian length of `data`, then
// its coded bytes. Throws ESkinStreamError when data exceeds what a stream
// can declare (2^31 - 1 bytes, the decoder's limit).
std::vector<std::uint8_t> CompressSkinStream(std::span<const std::uint8_t> data);
