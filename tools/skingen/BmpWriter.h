// Windows bitmap files as the skin engine loads them: 24 bits per pixel,
// uncompressed, bottom-up rows padded to four bytes.
#pragma once

#include "tools/skingen/Raster.h"

#include <cstdint>
#include <vector>

namespace skingen {

std::vector<std::uint8_t> EncodeBmp24(const Image24& image);

}  // namespace skingen
