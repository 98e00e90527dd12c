// Colour arithmetic of the skin painters: blending two colours, how saturated
// a colour is, and cached gradient tables. Portable: system colours are
// resolved by a function the caller passes in, so nothing here needs Windows.
#pragma once

#include "ui/Color.h"

#include <span>
#include <string_view>

// Turns a system colour (top byte 0xFF) into a plain one; the Windows side
// passes GetSysColor of the low byte.
using SystemColourResolver = TColor (*)(TColor systemColour);

// Blends c1 into c2. Weights below 100 are percentages of c1, larger ones per
// mille (150 is 15 %); each channel is rounded half up. A negative colour is a
// system colour and goes through `resolve` first. The top byte of a colour is
// taken as part of the blue channel, whose result keeps only its low 8 bits.
TColor MixColor(TColor c1, TColor c2, int weight, SystemColourResolver resolve);

// 0 ... 255: (max - min) / max of the three channels, rounded half to even;
// 200 when every channel is below 160 (dark colours count as saturated).
int ColourSaturation(TColor colour);

// Slot (0 ... 15) of a cached table of `count` colours running from `from` to
// `to`; an identical earlier request gets its slot back, otherwise the next
// slot in turn is refilled. Colours must be plain (not system colours). A
// count below 1 gives -1. The tables live for the process; use one at once,
// a later request may refill it.
int GetGradient(int count, TColor from, TColor to);
// The table in a slot; empty for a slot that is not 0 ... 15 or never filled.
std::span<const TColor> GradientTable(int slot);

// A colour written in a skin description as three decimal numbers, red,
// green and blue, separated by anything that is not a digit: "224 223 227",
// "224,223,227" and "(224;223;227)" all give red 224, green 223, blue 227.
// Each number is taken modulo 256; numbers not found are 0, a fourth and later
// are ignored. A run of digits that ends the text counts only as the third
// number (so "10 20" gives red 10 and nothing else), which is how stored skins
// have always been read. Empty text gives defaultColour, text without digits black.
TColor ParseColour(std::string_view text, TColor defaultColour);
