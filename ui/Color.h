// Colours: 32-bit values 0x00BBGGRR. A value whose top byte is 0xFF names a
// system colour (0xFF000000 + the Windows colour index), resolved when drawn.
// Portable: the names and their values serve the form reader too.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

using TColor = std::uint32_t;

inline constexpr TColor clSystemColor = 0xFF000000;

constexpr bool IsSystemColor(TColor color) noexcept { return (color & 0xFF000000) == clSystemColor; }
constexpr TColor RGBColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue) noexcept
{
    return static_cast<TColor>(red) | static_cast<TColor>(green) << 8 | static_cast<TColor>(blue) << 16;
}
constexpr std::uint8_t RedOf(TColor color) noexcept { return static_cast<std::uint8_t>(color); }
constexpr std::uint8_t GreenOf(TColor color) noexcept { return static_cast<std::uint8_t>(color >> 8); }
constexpr std::uint8_t BlueOf(TColor color) noexcept { return static_cast<std::uint8_t>(color >> 16); }

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clMoneyGreen = 0xC0DCC0;
inline constexpr TColor clSkyBlue = 0xF0CAA6;
inline constexpr TColor clCream = 0xF0FBFF;
inline constexpr TColor clMedGray = 0xA4A0A0;
// "No colour" and "the owner's colour": never drawn as such.
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

inline constexpr TColor clScrollBar = clSystemColor | 0;
inline constexpr TColor clBackground = clSystemColor | 1;
inline constexpr TColor clActiveCaption = clSystemColor | 2;
inline constexpr TColor clInactiveCaption = clSystemColor | 3;
inline constexpr TColor clMenu = clSystemColor | 4;
inline constexpr TColor clWindow = clSystemColor | 5;
inline constexpr TColor clWindowFrame = clSystemColor | 6;
inline constexpr TColor clMenuText = clSystemColor | 7;
inline constexpr TColor clWindowText = clSystemColor | 8;
inline constexpr TColor clCaptionText = clSystemColor | 9;
inline constexpr TColor clActiveBorder = clSystemColor | 10;
inline constexpr TColor clInactiveBorder = clSystemColor | 11;
inline constexpr TColor clAppWorkSpace = clSystemColor | 12;
inline constexpr TColor clHighlight = clSystemColor | 13;
inline constexpr TColor clHighlightText = clSystemColor | 14;
inline constexpr TColor clBtnFace = clSystemColor | 15;
inline constexpr TColor clBtnShadow = clSystemColor | 16;
inline constexpr TColor clGrayText = clSystemColor | 17;
inline constexpr TColor clBtnText = clSystemColor | 18;
inline constexpr TColor clInactiveCaptionText = clSystemColor | 19;
inline constexpr TColor clBtnHighlight = clSystemColor | 20;
inline constexpr TColor cl3DDkShadow = clSystemColor | 21;
inline constexpr TColor cl3DLight = clSystemColor | 22;
inline constexpr TColor clInfoText = clSystemColor | 23;
inline constexpr TColor clInfoBk = clSystemColor | 24;
inline constexpr TColor clHotLight = clSystemColor | 26;
inline constexpr TColor clGradientActiveCaption = clSystemColor | 27;
inline constexpr TColor clGradientInactiveCaption = clSystemColor | 28;
inline constexpr TColor clMenuHighlight = clSystemColor | 29;
inline constexpr TColor clMenuBar = clSystemColor | 30;

namespace ui {
// The clXxx name of a colour that has one.
std::optional<std::string_view> ColorToIdent(TColor color);
// A clXxx name, compared without regard to case.
std::optional<TColor> IdentToColor(std::string_view ident);
// The name when there is one, else "$" and eight hexadecimal digits.
std::string ColorToString(TColor color);
// A name, "$" or "0x" followed by hexadecimal digits, or a decimal number
// (negative allowed, as 32-bit two's complement); nothing for anything else.
std::optional<TColor> StringToColor(std::string_view text);
} // namespace ui
