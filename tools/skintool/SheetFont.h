// A 5 x 7 pixel font for the printable ASCII characters, enough to label a
// contact sheet without any font files.
#pragma once

#include <cstdint>

inline constexpr int SHEET_GLYPH_WIDTH = 5;
inline constexpr int SHEET_GLYPH_HEIGHT = 7;
inline constexpr int SHEET_GLYPH_ADVANCE = 6;

// Column bits of a character, bit 0 the top row; other characters get a box.
const std::uint8_t* SheetGlyph(char c);
