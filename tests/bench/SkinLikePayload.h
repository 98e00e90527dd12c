// A deterministic stand-in for an unpacked skin: 24-bit Windows bitmaps of
// skin parts (flat fills, gradients, magenta keyed corners, a few busy
// pixels) followed by an INI description, about 200 KB in all.
#pragma once

#include <cstdint>
#include <vector>

std::vector<std::uint8_t> SkinLikePayload();
